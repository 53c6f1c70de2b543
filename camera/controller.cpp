#include "camera/controller.h"
#include "camera/numeric.h"
#include "camera/placement.h"
#include "module/about_box.h"
#include "module/dialog_events.h"
#include "module/host_services.h"
#include "module/module_state.h"
#include "module/startup.h"
#include "settings/settings_dialog.h"
#include "settings/settings_limits.h"
#include "traffic/ai_list_window.h"

namespace {

// A placement when the host changed its eye point or another aircraft answers for the target.
void PlaceIfHostOrTargetChanged() {
    if (SyncHostEyePoint() || CheckTargetSize()) {
        PlaceEyePoint(kPlacementNew);
    }
}

// The period stands still while the host is paused, in a menu, while the user's aircraft is in
// a state that holds it, or while the settings dialog or the about box is open.
bool PeriodHeld() {
    const PassByController& c = g_state.controller;
    if (HostPauseWord() == 1) {
        return true;
    }
    if (g_state.target.id == kUserAircraftId &&
        TruncateToInt32(ReadAircraftValue(kUserAircraftId, kVarUserState, kUnitUserState)) != 0) {
        return true;
    }
    return c.hostMenuOpen || (c.windowOpen && !c.aiListOpen);
}

void SwitchOff() {
    PassByController& c = g_state.controller;
    g_state.settings.Active = 0;
    g_state.target.id = kUserAircraftId;
    RemoveRedirect();
    c.ownWritePending = true;
    c.periodTicks = 0;
    if (EyePoint* tower = TowerEyePoint()) {
        *tower = c.savedHostEyePoint;
    }
    SyncHostEyePoint();
    if (c.recordedViewMode == kViewModeFollow) {
        SetFollowedObject(kUserAircraftId);
    }
}

void SwitchOn() {
    g_state.settings.Active = 1;
    WriteViewWordA();
    PlaceEyePoint(kPlacementNew);
}

void ToggleSettingsDialog() {
    PassByController& c = g_state.controller;
    if (c.windowOpen) {
        if (c.aiListOpen) {
            return;
        }
        CloseSettingsDialog();
        CloseAboutBox();
        EndModuleDialog();
        return;
    }
    BeginModuleDialog();
    OpenSettingsDialog();
}

void ToggleAiList() {
    PassByController& c = g_state.controller;
    if (c.windowOpen) {
        if (!c.aiListOpen) {
            return;
        }
        c.windowOpen = false;
        c.aiListOpen = false;
        CloseAiList();
        return;
    }
    c.windowOpen = true;
    c.aiListOpen = true;
    OpenAiList();
}

HostObjectId StepAiTarget(HostObjectId (*step)()) {
    HostObjectId id = step();
    if (id == kUserAircraftId) {
        g_state.target.id = id;
        id = step();
    }
    return id;
}

void StepThroughAi(HostObjectId (*step)()) {
    if (AiListCount() == 1) {
        return;
    }
    int32_t view = g_state.controller.recordedViewMode;
    if (view == kViewModeTower) {
        if (g_state.target.id == kUserAircraftId) {
            InstallRedirect();
        }
        g_state.target.id = StepAiTarget(step);
        PlaceEyePoint(kPlacementNew);
    } else if (view == kViewModeFollow) {
        if (!RedirectInstalled()) {
            return;
        }
        g_state.target.id = StepAiTarget(step);
        SetFollowedObject(g_state.target.id);
    }
}

void CycleViews() {
    if (AiListCount() == 1) {
        return;
    }
    PassByController& c = g_state.controller;
    if (c.recordedViewMode == kViewModeTower) {
        c.expectViewSwitch = true;
        WriteViewWordB();
        SetFollowedObject(g_state.target.id);
    } else if (c.recordedViewMode == kViewModeFollow) {
        if (!RedirectInstalled()) {
            return;
        }
        c.expectViewSwitch = true;
        WriteViewWordA();
        PlaceEyePoint(kPlacementNew);
        SetViewMode(kViewModeTower);
    }
}

void ShowListChoiceInPassBy() {
    HostObjectId id = g_state.target.id;
    if (id == 0 || id == kUserAircraftId) {
        return;
    }
    PassByController& c = g_state.controller;
    InstallRedirect();
    c.expectViewSwitch = true;
    WriteViewWordA();
    PlaceEyePoint(kPlacementNew);
    if (c.recordedViewMode == kViewModeCockpit) {
        SetFollowedObject(g_state.target.id);
        c.expectViewSwitch = true;
    }
    SetViewMode(kViewModeTower);
}

void ShowListChoiceInFollowView() {
    HostObjectId id = g_state.target.id;
    if (id == 0 || id == kUserAircraftId) {
        return;
    }
    InstallRedirect();
    g_state.controller.expectViewSwitch = true;
    WriteViewWordB();
    SetFollowedObject(id);
}

} // namespace

void ControllerTick() {
    PassByController& c = g_state.controller;
    ++c.tickCount;
    if (FirstTickInit()) {
        return;
    }
    if (c.aiListOpen) {
        RefreshAiList();
    }
    c.recordedHostState = HostStateWord();
    if (c.recordedHostState != kHostStateFlying) {
        if (!c.awayFromHostState) {
            c.awayFromHostState = true;
            FollowUserAircraft();
            if (c.recordedViewMode == kViewModeFollow) {
                SetFollowedObject(kUserAircraftId);
            }
        }
        PlaceIfHostOrTargetChanged();
        return;
    }
    if (c.awayFromHostState) {
        c.awayFromHostState = false;
        PlaceIfHostOrTargetChanged();
        if (c.placementRequest == 1) {
            c.placementRequest = 0;
            PlaceEyePoint(kPlacementNew);
        }
    }
    c.recordedViewMode = CurrentViewMode();
    TrackViewMode();
    if (g_state.settings.Active == 0 || g_state.settings.Mode == kModePlaneSpotting) {
        return;
    }
    if (c.recordedViewMode != kViewModeTower) {
        c.towerViewLeft = true;
        RenewEyePoint();
        return;
    }
    if (c.towerViewLeft) {
        c.towerViewLeft = false;
        WriteViewWordA();
    }
    if (PeriodHeld()) {
        return;
    }
    ++c.periodTicks;
    if (c.periodTicks == g_state.settings.Svp) {
        RenewEyePoint();
    }
}

void TrackViewMode() {
    PassByController& c = g_state.controller;
    if (g_state.target.id != kUserAircraftId) {
        if (c.recordedViewMode == kViewModeTower || c.recordedViewMode == kViewModeFollow) {
            if (c.recordedViewMode != c.lastViewMode) {
                if (c.expectViewSwitch) {
                    c.expectViewSwitch = false;
                } else {
                    FollowUserAircraft();
                    if (c.recordedViewMode == kViewModeFollow) {
                        SetFollowedObject(kUserAircraftId);
                    }
                }
            }
            if (c.lastTargetId == kUserAircraftId && c.expectViewSwitch) {
                c.expectViewSwitch = false;
            }
        } else {
            FollowUserAircraft();
        }
    }
    c.lastViewMode = c.recordedViewMode;
    c.lastTargetId = g_state.target.id;
}

void DispatchCommand(int32_t command) {
    Settings& s = g_state.settings;
    PassByController& c = g_state.controller;
    if (command == kCommandOnOff) {
        if (s.Active != 0) {
            SwitchOff();
        } else {
            SwitchOn();
        }
        return;
    }
    if (command == kCommandSettingsDialog) {
        ToggleSettingsDialog();
        return;
    }
    if (command == kCommandAiList) {
        ToggleAiList();
        return;
    }
    if (s.Active == 0) {
        return;
    }
    bool inTower = c.recordedViewMode == kViewModeTower;
    switch (command) {
    case kCommandModeNormal:
        if (inTower && s.Mode != kModeNormal) {
            s.Mode = kModeNormal;
            PlaceEyePoint(kPlacementNew);
        }
        return;
    case kCommandModeOnGround:
        if (inTower && s.Mode != kModeOnGround) {
            s.Mode = kModeOnGround;
            PlaceEyePoint(kPlacementNew);
        }
        return;
    case kCommandModeSpotting:
        if (g_state.target.id == kUserAircraftId) {
            s.Mode = kModePlaneSpotting;
            PlaceEyePoint(kPlacementSpotting);
        }
        return;
    default:
        break;
    }
    if (s.Mode == kModePlaneSpotting) {
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
        StepThroughAi(NextAiTarget);
        return;
    case kCommandPreviousAi:
        StepThroughAi(PreviousAiTarget);
        return;
    case kCommandCycleViews:
        CycleViews();
        return;
    case kCommandListPassBy:
        ShowListChoiceInPassBy();
        return;
    case kCommandListSpot:
        ShowListChoiceInFollowView();
        return;
    default:
        return;
    }
}

int32_t FindAiIndex(HostObjectId id) {
    int32_t count = AiListCount();
    for (int32_t i = 1; i < count; ++i) {
        if (AiListEntryId(i) == id) {
            return i;
        }
    }
    return 1;
}

HostObjectId NextAiTarget() {
    HostObjectId id = g_state.target.id;
    int32_t count = AiListCount();
    int32_t i = FindAiIndex(id) + 1;
    if (i > count - 1 || id == kUserAircraftId) {
        i = 1;
    }
    g_state.target.listIndex = i;
    return (i >= 0 && i < count) ? AiListEntryId(i) : kUserAircraftId;
}

HostObjectId PreviousAiTarget() {
    HostObjectId id = g_state.target.id;
    int32_t count = AiListCount();
    int32_t i = FindAiIndex(id) - 1;
    if (i <= 0 || id == kUserAircraftId) {
        i = count - 1;
    }
    g_state.target.listIndex = i;
    return (i >= 0 && i < count) ? AiListEntryId(i) : kUserAircraftId;
}
