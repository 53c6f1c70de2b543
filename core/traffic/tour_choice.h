#pragma once
// "Watch the Traffic": which aircraft the next pass-by follows, chosen from what the host reports
// of each AI aircraft. Pure: the caller walks the host's list and hands in one candidate at a
// time; nothing here reads the host or allocates.
#include <cstdint>
#include "core/camera/pass_by_state.h"

// AI states of the host's state table that the tour names.
constexpr int32_t kAiStateTaxiOut = 8;
constexpr int32_t kAiStatePreTakeOff = 9;
constexpr int32_t kAiStateTakeOff = 10;
constexpr int32_t kAiStateTouchAndGoDepart = 11;
constexpr int32_t kAiStateEnroute = 12;
constexpr int32_t kAiStatePattern = 13;
constexpr int32_t kAiStateLanding = 14;
constexpr int32_t kAiStateRollout = 15;
constexpr int32_t kAiStateGoAround = 16;
constexpr int32_t kAiStateTaxiIn = 17;

// Interest of a state, highest first; kTourNoInterest is never watched.
constexpr int32_t kTourNoInterest = 0;
constexpr int32_t kTourInterestGround = 1;  // taxiing out or in, or airborne en route
constexpr int32_t kTourInterestCircuit = 2; // holding short or flying the pattern
constexpr int32_t kTourInterestEvent = 3;   // taking off, landing, going around

// Enroute counts only in the air: this high above the ground, feet.
constexpr double kTourAirborneFeet = 50.0;
// An aircraft taking off or landing is kept for at most this many pass-bys in a row while others
// of its interest wait (1..).
constexpr int32_t kTourKeepPassesMax = 12;
// Aircraft whose last pass-by is remembered for taking turns; a newcomer replaces the one shown
// longest ago, which then counts as never shown: beyond this many aircraft of one interest in
// range, turns are no longer strict (1..).
constexpr int32_t kTourShownCapacity = 64;

// What the host reports of one AI aircraft.
struct TourCandidate {
    HostObjectId id;
    int32_t aiState; // -1 when it has none
    double distanceNm;
    double heightAboveGroundFeet;
};

struct TourShown {
    HostObjectId id;
    uint32_t pass; // the tour's pass-by number when it was last followed; 0 for a free entry
};

// The tour's memory between pass-bys.
struct TrafficTour {
    HostObjectId watched; // the aircraft the tour chose last; kUserAircraftId when none
    int32_t keptPasses;   // pass-bys in a row that followed it
    uint32_t passCount;   // pass-bys chosen since the tour began
    bool choiceDue;       // switched on: the next tick in the tower view chooses at once
    TourShown shown[kTourShownCapacity];
};

// The best candidate seen so far in one walk over the host's list.
struct TourPick {
    bool found;
    bool kept; // the aircraft followed is taking off or landing and stays
    TourCandidate best;
    int32_t bestInterest;
    uint32_t bestLastPass;
};

// Forgets everything: nobody has been shown, and a choice is due at once.
void ResetTrafficTour(TrafficTour& tour);

// The interest of an AI state; Enroute only when airborne.
int32_t TourInterest(int32_t aiState, double heightAboveGroundFeet);
// True for the states of a take-off (roll and climb-out) or a landing (approach and rollout).
bool TourKeepsState(int32_t aiState);
// True when the distance is a number within 0..rangeNm.
bool WithinTourRange(double distanceNm, double rangeNm);

void BeginTourPick(TourPick& pick);
// Weighs one candidate: interest first, then the one whose turn it is (shown longest ago or
// never), then the state's place in its group, then the nearer. The aircraft followed stays
// while it is taking off or landing, up to kTourKeepPassesMax pass-bys.
void ConsiderTourCandidate(TourPick& pick, const TrafficTour& tour, const TourCandidate& candidate,
                           double rangeNm);
// The aircraft the next pass-by follows: the pick, or the user's aircraft when there was none.
HostObjectId TourPickTarget(const TourPick& pick);
// Remembers that the next pass-by follows target.
void RecordTourPass(TrafficTour& tour, HostObjectId target);
