#include "core/traffic/tour_choice.h"

namespace {

struct StateInterest {
    int32_t aiState;
    int32_t interest;
};

// Within a group the earlier state is preferred when the turn does not decide.
constexpr StateInterest kStateInterest[] = {
    {kAiStateTakeOff, kTourInterestEvent},          {kAiStateLanding, kTourInterestEvent},
    {kAiStateRollout, kTourInterestEvent},          {kAiStateGoAround, kTourInterestEvent},
    {kAiStateTouchAndGoDepart, kTourInterestEvent}, {kAiStatePreTakeOff, kTourInterestCircuit},
    {kAiStatePattern, kTourInterestCircuit},        {kAiStateTaxiOut, kTourInterestGround},
    {kAiStateTaxiIn, kTourInterestGround},          {kAiStateEnroute, kTourInterestGround},
};
constexpr int32_t kStateCount =
    static_cast<int32_t>(sizeof(kStateInterest) / sizeof(kStateInterest[0]));

int32_t StatePlace(int32_t aiState) {
    for (int32_t i = 0; i < kStateCount; ++i) {
        if (kStateInterest[i].aiState == aiState) {
            return i;
        }
    }
    return kStateCount;
}

uint32_t LastPassOf(const TrafficTour& tour, HostObjectId id) {
    for (const TourShown& shown : tour.shown) {
        if (shown.pass != 0 && shown.id == id) {
            return shown.pass;
        }
    }
    return 0;
}

// Whether a candidate beats the pick so far; an equal one leaves the earlier in the host's list.
bool Beats(const TourCandidate& c, int32_t interest, uint32_t lastPass, const TourPick& pick) {
    if (interest != pick.bestInterest) {
        return interest > pick.bestInterest;
    }
    if (lastPass != pick.bestLastPass) {
        return lastPass < pick.bestLastPass;
    }
    const int32_t place = StatePlace(c.aiState);
    const int32_t bestPlace = StatePlace(pick.best.aiState);
    if (place != bestPlace) {
        return place < bestPlace;
    }
    return c.distanceNm < pick.best.distanceNm;
}

} // namespace

void ResetTrafficTour(TrafficTour& tour) {
    tour = TrafficTour{};
    tour.watched = kUserAircraftId;
    tour.choiceDue = true;
}

int32_t TourInterest(int32_t aiState, double heightAboveGroundFeet) {
    // NaN is not above anything, so a height the host garbled keeps Enroute out.
    if (aiState == kAiStateEnroute && !(heightAboveGroundFeet >= kTourAirborneFeet)) {
        return kTourNoInterest;
    }
    const int32_t place = StatePlace(aiState);
    return place < kStateCount ? kStateInterest[place].interest : kTourNoInterest;
}

bool TourKeepsState(int32_t aiState) {
    return aiState == kAiStateTakeOff || aiState == kAiStateTouchAndGoDepart ||
           aiState == kAiStateLanding || aiState == kAiStateRollout;
}

bool WithinTourRange(double distanceNm, double rangeNm) {
    return distanceNm >= 0.0 && distanceNm <= rangeNm;
}

void BeginTourPick(TourPick& pick) {
    pick = TourPick{};
    pick.best.id = kUserAircraftId;
}

void ConsiderTourCandidate(TourPick& pick, const TrafficTour& tour, const TourCandidate& candidate,
                           double rangeNm) {
    const int32_t interest = TourInterest(candidate.aiState, candidate.heightAboveGroundFeet);
    if (pick.kept || interest == kTourNoInterest || candidate.id == kUserAircraftId ||
        !WithinTourRange(candidate.distanceNm, rangeNm)) {
        return;
    }
    const bool keep = candidate.id == tour.watched && TourKeepsState(candidate.aiState) &&
                      tour.keptPasses < kTourKeepPassesMax;
    const uint32_t lastPass = LastPassOf(tour, candidate.id);
    if (keep || !pick.found || Beats(candidate, interest, lastPass, pick)) {
        pick.found = true;
        pick.kept = keep;
        pick.best = candidate;
        pick.bestInterest = interest;
        pick.bestLastPass = lastPass;
    }
}

HostObjectId TourPickTarget(const TourPick& pick) {
    return pick.found ? pick.best.id : kUserAircraftId;
}

void RecordTourPass(TrafficTour& tour, HostObjectId target) {
    tour.keptPasses = target == tour.watched ? tour.keptPasses + 1 : 1;
    tour.watched = target;
    tour.choiceDue = false;
    ++tour.passCount;
    if (target == kUserAircraftId) {
        return;
    }
    // Its own entry, else a free one, else the one shown longest ago.
    TourShown* slot = &tour.shown[0];
    for (TourShown& shown : tour.shown) {
        if (shown.pass != 0 && shown.id == target) {
            slot = &shown;
            break;
        }
        if (shown.pass < slot->pass) {
            slot = &shown;
        }
    }
    slot->id = target;
    slot->pass = tour.passCount;
}
