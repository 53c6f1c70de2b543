#include "core/control/controller.h"
#include <cmath>
#include "core/control/binding_stages.h"
#include "core/camera/numeric.h"
#include "core/control/placement.h"
#include "core/control/traffic_tour.h"
#include "core/settings/settings_limits.h"
#include "core/control/settings_saving.h"

namespace {

bool ListChoiceIsAi(HostObjectId id) {
    return id != 0 && id != kUserAircraftId;
}

// The commands that move the pass-by or its target act only with the view on and outside plane
// spotting, once the module runs.
bool PassByCommandsOpen(const ModuleCore& core) {
    return ModuleRunning(core) && core.settings.Active != 0 &&
           core.settings.Mode != kModePlaneSpotting;
}

// A placement when the host changed its eye point or another aircraft answers for the target.
void PlaceIfHostOrTargetChanged(ModuleCore& core) {
    if (SyncHostEyePoint(core) || CheckTargetSize(core)) {
        PlaceEyePoint(core, kPlacementNew);
    }
}

// The period stands still while the host is paused, in a menu, while the user's aircraft is in
// a state that holds it, or while the settings dialog or the about box is open.
bool PeriodHeld(ModuleCore& core) {
    const PassByController& c = core.controller;
    if (core.host->HostPaused()) {
        return true;
    }
    if (core.target.id == kUserAircraftId &&
        TruncateToInt32(ReadAircraftValue(core, kUserAircraftId, kVarUserState, kUnitUserState)) !=
            0) {
        return true;
    }
    return c.hostMenuOpen || (c.windowOpen && !c.aiListOpen);
}

void SwitchOff(ModuleCore& core) {
    PassByController& c = core.controller;
    ClearTargetWatch(c.watch);
    core.settings.Active = 0;
    core.target.id = kUserAircraftId;
    core.host->RemoveRedirect();
    c.ownWritePending = true;
    c.periodTicks = 0;
    core.host->WriteTowerEyePoint(c.savedHostEyePoint);
    SyncHostEyePoint(core);
    if (c.recordedViewMode == kViewModeFollow) {
        core.host->SetFollowedObject(kUserAircraftId);
    }
}

void SwitchOn(ModuleCore& core) {
    core.settings.Active = 1;
    core.host->RefreshTowerView();
    PlaceEyePoint(core, kPlacementNew);
}

HostObjectId StepAiTarget(ModuleCore& core, AiStep step) {
    HostObjectId id = step(core);
    if (id == kUserAircraftId) {
        core.target.id = id;
        id = step(core);
    }
    return id;
}

void StepThroughAi(ModuleCore& core, AiStep step) {
    if (AiListLength(*core.host) <= 1) {
        return;
    }
    int32_t view = core.controller.recordedViewMode;
    if (view == kViewModeTower) {
        if (core.target.id == kUserAircraftId) {
            core.host->InstallRedirect();
        }
        core.target.id = StepAiTarget(core, step);
        PlaceEyePoint(core, kPlacementNew);
    } else if (view == kViewModeFollow) {
        if (!core.host->RedirectInstalled()) {
            return;
        }
        core.target.id = StepAiTarget(core, step);
        core.host->SetFollowedObject(core.target.id);
    }
}

void CycleViews(ModuleCore& core) {
    if (AiListLength(*core.host) <= 1) {
        return;
    }
    PassByController& c = core.controller;
    if (c.recordedViewMode == kViewModeTower) {
        c.expectViewSwitch = true;
        core.host->RefreshFollowView();
        core.host->SetFollowedObject(core.target.id);
    } else if (c.recordedViewMode == kViewModeFollow) {
        if (!core.host->RedirectInstalled()) {
            return;
        }
        c.expectViewSwitch = true;
        core.host->RefreshTowerView();
        PlaceEyePoint(core, kPlacementNew);
        core.host->SetViewMode(kViewModeTower);
    }
}

void ShowListChoiceInPassBy(ModuleCore& core) {
    if (!ListChoiceIsAi(core.target.id)) {
        return;
    }
    PassByController& c = core.controller;
    core.host->InstallRedirect();
    c.expectViewSwitch = true;
    core.host->RefreshTowerView();
    PlaceEyePoint(core, kPlacementNew);
    if (c.recordedViewMode == kViewModeCockpit) {
        core.host->SetFollowedObject(core.target.id);
        c.expectViewSwitch = true;
    }
    core.host->SetViewMode(kViewModeTower);
}

void ShowListChoiceInFollowView(ModuleCore& core) {
    if (!ListChoiceIsAi(core.target.id)) {
        return;
    }
    core.host->InstallRedirect();
    core.controller.expectViewSwitch = true;
    core.host->RefreshFollowView();
    core.host->SetFollowedObject(core.target.id);
}

// Leaving the flying state (a menu of the host's, a crash, a reloaded flight) takes the camera
// back to the user's aircraft once; coming back places afresh where something changed.
void TrackHostState(ModuleCore& core) {
    PassByController& c = core.controller;
    if (c.recordedHostState != kHostStateFlying) {
        ClearTargetWatch(c.watch);
        if (!c.awayFromHostState) {
            c.awayFromHostState = true;
            FollowUserAircraft(core);
            if (c.recordedViewMode == kViewModeFollow) {
                core.host->SetFollowedObject(kUserAircraftId);
            }
        }
        PlaceIfHostOrTargetChanged(core);
        return;
    }
    if (c.awayFromHostState) {
        c.awayFromHostState = false;
        PlaceIfHostOrTargetChanged(core);
        if (c.placementRequest) {
            c.placementRequest = false;
            PlaceEyePoint(core, kPlacementNew);
        }
    }
}

// Plane spotting takes its point at the user's aircraft, with the view on.
bool TakeSpottingPoint(ModuleCore& core) {
    return core.settings.Active != 0 && PlaceEyePoint(core, kPlacementSpotting);
}

// The host's clock once a tick in every view, read only while following turns or catching up
// after jumps is on: both measure in simulated time.
SimulationStep TakeSimulationStep(ModuleCore& core) {
    PassByController& c = core.controller;
    const UtcClock clock = core.host->UtcTime();
    const bool held = core.host->HostPaused() || c.hostMenuOpen;
    return StepSimulationRate(c.simRate, SecondOfDay(clock.hours, clock.minutes, clock.seconds),
                              held, c.tickCount);
}

// The followed aircraft's course and position once a tick, read only while following turns or
// catching up after jumps is on. A jump places a new eye point at once, which starts the period
// like a renewal; a new target starts a new watch, so switching target is never a jump.
bool PlacedAfterJump(ModuleCore& core, const SimulationStep& step) {
    const Settings& s = core.settings;
    PassByController& c = core.controller;
    const HostObjectId target = core.target.id;
    if (c.watchedTarget != target) {
        ClearTargetWatch(c.watch);
        c.watchedTarget = target;
    }
    double lat = ReadAircraftValue(core, target, kVarLatitude, kUnitDegrees);
    double lon = ReadAircraftValue(core, target, kVarLongitude, kUnitDegrees);
    double course = ReadAircraftValue(core, target, kVarMagneticHeading, kUnitDegrees);
    double along = ReadAircraftValue(core, target, kVarSpeedAlong, kUnitKnots);
    double across = ReadAircraftValue(core, target, kVarSpeedAcross, kUnitKnots);
    if (core.target.id != target) {
        return false; // it went during the reads; the next tick watches the user's aircraft
    }
    const TargetReading reading{lat, lon, course, std::hypot(along, across)};
    const bool jumped = WatchTarget(c.watch, reading, step, c.tickCount);
    return jumped && s.Jumps != 0 && PlaceEyePoint(core, kPlacementNew);
}

void SetChoice(ModuleCore& core, int32_t& setting, int32_t value, bool inTower) {
    if (inTower && setting != value) {
        setting = value;
        PlaceEyePoint(core, kPlacementNew);
    }
}

} // namespace

void ControllerTick(ModuleCore& core) {
    PassByController& c = core.controller;
    ++c.tickCount;
    if (FirstTickInit(core)) {
        return;
    }
    SaveChangedSettings(core);
    if (c.aiListOpen) {
        core.shell->RefreshAiList();
    }
    c.recordedHostState = core.host->HostState();
    TrackHostState(core);
    if (c.recordedHostState != kHostStateFlying) {
        return;
    }
    c.recordedViewMode = core.host->ViewMode();
    TrackViewMode(core);
    if (core.settings.Active == 0 || core.settings.Mode == kModePlaneSpotting) {
        return;
    }
    const bool watching = core.settings.Turns != 0 || core.settings.Jumps != 0;
    const SimulationStep step = watching ? TakeSimulationStep(core) : SimulationStep{};
    if (c.recordedViewMode != kViewModeTower) {
        c.towerViewLeft = true;
        RenewEyePoint(core);
        return;
    }
    if (c.towerViewLeft) {
        c.towerViewLeft = false;
        core.host->RefreshTowerView();
    }
    if ((watching && PlacedAfterJump(core, step)) || PeriodHeld(core) || TourStartsPassBy(core)) {
        return;
    }
    ++c.periodTicks;
    if (c.periodTicks == core.settings.Svp && !TourChoosesNextPass(core)) {
        RenewEyePoint(core);
    }
}

void TrackViewMode(ModuleCore& core) {
    PassByController& c = core.controller;
    if (core.target.id != kUserAircraftId) {
        if (c.recordedViewMode == kViewModeTower || c.recordedViewMode == kViewModeFollow) {
            if (c.recordedViewMode != c.lastViewMode) {
                if (c.expectViewSwitch) {
                    c.expectViewSwitch = false;
                } else {
                    FollowUserAircraft(core);
                    if (c.recordedViewMode == kViewModeFollow) {
                        core.host->SetFollowedObject(kUserAircraftId);
                    }
                }
            }
            if (c.lastTargetId == kUserAircraftId && c.expectViewSwitch) {
                c.expectViewSwitch = false;
            }
        } else {
            FollowUserAircraft(core);
        }
    }
    c.lastViewMode = c.recordedViewMode;
    c.lastTargetId = core.target.id;
}

void DispatchCommand(ModuleCore& core, Command command) {
    Settings& s = core.settings;
    // Before binding a command would act on values the settings file is about to replace, and
    // before the host's eye point is recorded switching off would put back a point of zeros.
    if (!ModuleRunning(core)) {
        return;
    }
    if (command == kCommandOnOff) {
        if (s.Active != 0) {
            SwitchOff(core);
        } else {
            SwitchOn(core);
        }
        return;
    }
    if (command == kCommandWatchTraffic) {
        SetTrafficTour(core, s.Tour == 0);
        return;
    }
    if (command == kCommandSettingsDialog) {
        core.shell->ToggleSettingsDialog();
        return;
    }
    if (command == kCommandAiList) {
        core.shell->ToggleAiList();
        return;
    }
    if (s.Active == 0) {
        return;
    }
    const bool inTower = core.controller.recordedViewMode == kViewModeTower;
    switch (command) {
    case kCommandModeNormal:
        SetChoice(core, s.Mode, kModeNormal, inTower);
        return;
    case kCommandModeOnGround:
        SetChoice(core, s.Mode, kModeOnGround, inTower);
        return;
    case kCommandModeSpotting:
        if (TakeSpottingPoint(core)) {
            s.Mode = kModePlaneSpotting;
        }
        return;
    default:
        break;
    }
    if (!PassByCommandsOpen(core)) {
        return;
    }
    switch (command) {
    case kCommandRandomHorizontalNone:
    case kCommandRandomHorizontalConst:
    case kCommandRandomHorizontalVar:
        if (inTower) {
            s.RndH = command - kCommandRandomHorizontalNone;
        }
        return;
    case kCommandRandomVerticalNone:
    case kCommandRandomVerticalConst:
    case kCommandRandomVerticalVar:
        if (inTower) {
            s.RndV = command - kCommandRandomVerticalNone;
        }
        return;
    case kCommandNextAi:
        EndTrafficTour(core);
        StepThroughAi(core, NextAiTarget);
        return;
    case kCommandPreviousAi:
        EndTrafficTour(core);
        StepThroughAi(core, PreviousAiTarget);
        return;
    case kCommandCycleViews:
        EndTrafficTour(core);
        CycleViews(core);
        return;
    case kCommandListPassBy:
        ShowListChoiceInPassBy(core);
        return;
    case kCommandListSpot:
        ShowListChoiceInFollowView(core);
        return;
    default:
        return;
    }
}

void AcceptPendingSettings(ModuleCore& core) {
    const int32_t previousMode = core.settings.Mode;
    const bool tourWasOn = core.settings.Tour != 0;
    ApplyPendingSettings(core.pending, core.settings, core.hotkeys);
    if (!tourWasOn && core.settings.Tour != 0) {
        SetTrafficTour(core, true);
    }
    if (core.settings.Mode != kModePlaneSpotting) {
        PlaceEyePoint(core, kPlacementNew);
    } else if (!TakeSpottingPoint(core)) {
        // Plane spotting without a point of its own would look from 0 degrees, 0 degrees.
        core.settings.Mode = previousMode;
    }
}

void ShowChosenAircraft(ModuleCore& core, HostObjectId chosen, Command command) {
    // The list's buttons are refreshed once a second, so a click may come after the view was
    // switched off or plane spotting chosen: a command refused must leave the target as it is.
    if (!PassByCommandsOpen(core) || !ListChoiceIsAi(chosen)) {
        return;
    }
    EndTrafficTour(core);
    core.target.id = chosen;
    DispatchCommand(core, command);
}

int32_t FindAiIndex(ModuleCore& core, HostObjectId id) {
    int32_t count = AiListLength(*core.host);
    for (int32_t i = 1; i < count; ++i) {
        if (core.host->AiListEntryId(i) == id) {
            return i;
        }
    }
    return 1;
}

namespace {

HostObjectId AiTargetAt(ModuleCore& core, int32_t index, int32_t count) {
    return (index >= 0 && index < count) ? core.host->AiListEntryId(index) : kUserAircraftId;
}

} // namespace

HostObjectId NextAiTarget(ModuleCore& core) {
    HostObjectId id = core.target.id;
    int32_t count = AiListLength(*core.host);
    int32_t i = FindAiIndex(core, id) + 1;
    if (i > count - 1 || id == kUserAircraftId) {
        i = 1;
    }
    return AiTargetAt(core, i, count);
}

HostObjectId PreviousAiTarget(ModuleCore& core) {
    HostObjectId id = core.target.id;
    int32_t count = AiListLength(*core.host);
    int32_t i = FindAiIndex(core, id) - 1;
    if (i <= 0 || id == kUserAircraftId) {
        i = count - 1;
    }
    return AiTargetAt(core, i, count);
}
