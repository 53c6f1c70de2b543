#include "core/control/traffic_tour.h"
#include "core/control/placement.h"
#include "core/traffic/tour_choice.h"
#include "core/control/ai_traffic.h"

namespace {

bool TourOn(const ModuleCore& core) {
    return core.settings.Tour != 0;
}

// Only an aircraft whose state can interest the tour costs the reads of its distance and height.
bool ReadCandidate(ModuleCore& core, HostObjectId id, TourCandidate& out) {
    out.id = id;
    out.aiState = core.host->AiStateOf(id);
    if (TourInterest(out.aiState, kTourAirborneFeet) == kTourNoInterest) {
        return false;
    }
    out.distanceNm = AiDistanceNm(core, id);
    out.heightAboveGroundFeet = 0.0;
    if (out.aiState == kAiStateEnroute) {
        out.heightAboveGroundFeet = ReadAircraftValue(core, id, kVarAltitude, kUnitFeet) -
                                    ReadAircraftValue(core, id, kVarGroundElevation, kUnitFeet);
    }
    return true;
}

// The view-target redirect shows an AI aircraft, as stepping to one by hand does; the user's
// aircraft takes it away again. True when the eye point was placed on the way.
bool FollowTourTarget(ModuleCore& core, HostObjectId id) {
    if (id == core.target.id) {
        return false;
    }
    if (id == kUserAircraftId) {
        const bool placed = core.host->ReplacementInstalled();
        FollowUserAircraft(core);
        return placed;
    }
    core.host->InstallRedirect();
    core.target.id = id;
    return false;
}

// True when the eye point was placed on the way.
bool ChooseAndFollow(ModuleCore& core) {
    const HostObjectId id = ChooseTourTarget(core);
    RecordTourPass(core.tour, id);
    return FollowTourTarget(core, id);
}

} // namespace

void SetTrafficTour(ModuleCore& core, bool on) {
    core.settings.Tour = on ? 1 : 0;
    if (on) {
        ResetTrafficTour(core.tour);
    }
}

void EndTrafficTour(ModuleCore& core) {
    SetTrafficTour(core, false);
}

bool TourStartsPassBy(ModuleCore& core) {
    const HostObjectId target = core.target.id;
    const bool targetGone = target != kUserAircraftId && !core.host->LookupObject(target);
    if (!TourOn(core) || (!core.tour.choiceDue && target == core.tour.watched && !targetGone)) {
        return false;
    }
    if (!ChooseAndFollow(core)) {
        PlaceEyePoint(core, kPlacementNew);
    }
    return true;
}

bool TourChoosesNextPass(ModuleCore& core) {
    if (!TourOn(core)) {
        return false;
    }
    return ChooseAndFollow(core);
}

HostObjectId ChooseTourTarget(ModuleCore& core) {
    TourPick pick;
    BeginTourPick(pick);
    const double rangeNm = core.settings.TourRange;
    AiWalk walk = BeginAiWalk(*core.host);
    HostObjectId id = kUserAircraftId;
    while (NextAiAircraft(*core.host, walk, id)) {
        TourCandidate candidate;
        if (ReadCandidate(core, id, candidate)) {
            ConsiderTourCandidate(pick, core.tour, candidate, rangeNm);
        }
    }
    return TourPickTarget(pick);
}
