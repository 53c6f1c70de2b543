#pragma once
// The host's AI traffic as it moves by itself: flight plans of legs, the AI state names, and
// the record of what happened: each lift-off and touch-down, and which aircraft the tower
// view showed.
#include "hostsim/hostsim_records.h"

constexpr int kHostsimMaxPlanLegs = 16;
constexpr int kHostsimMaxMovements = 1024;
constexpr int kHostsimAiStateCount = 24; // the host's AI states, 0 "Init" to 23 "taxi"

// One leg of an AI aircraft's plan. At its start the leg sets the aircraft's state and every
// value it gives (NaN: unchanged); during it the speed goes evenly to toSpeedKnots.
struct HostsimPlanLeg {
    int32_t aiState;
    int seconds;      // how long the leg lasts; 0: until the ground, or for good
    bool untilGround; // ends in the second the aircraft touches down
    bool leave;       // the aircraft leaves the world as the leg starts
    double latitudeDeg, longitudeDeg, altitudeFeet, headingTrueDeg;
    double speedKnots, verticalSpeedFpm, turnRateDegPerSec;
    double toSpeedKnots;
};

enum HostsimMovementKind { kHostsimLiftOff = 0, kHostsimTouchDown = 1 };

struct HostsimMovement {
    int second;
    int32_t id;
    HostsimMovementKind kind;
    double distanceNm; // from the user's aircraft
};

// A leg that changes nothing: the state -1 keeps the aircraft's own.
void HostsimEmptyLeg(HostsimPlanLeg* leg);
// Gives a present AI aircraft a plan that starts now; replaces any plan it had.
bool HostsimSetPlan(int32_t id, const HostsimPlanLeg* legs, int count);
// The host's name of an AI state ("Take Off"), or null; and back (-1 if unknown).
const char* HostsimAiStateName(int32_t state);
int32_t HostsimAiStateOfName(const char* name);
int HostsimMovementCount();
HostsimMovement HostsimMovementAt(int index);
double HostsimDistanceNm(int32_t firstId, int32_t secondId); // -1 if either is not present
