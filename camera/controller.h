#pragma once
// The pass-by view's clock and switchboard: the one-second tick and the numbered commands.
#include <cstdint>
#include "camera/pass_by_state.h"

enum Command : int32_t {
    kCommandOnOff = 0,
    kCommandNextAi = 1,
    kCommandPreviousAi = 2,
    kCommandCycleViews = 3,
    kCommandSettingsDialog = 4,
    kCommandAiList = 5,
    kCommandModeNormal = 6,
    kCommandModeOnGround = 7,
    kCommandModeSpotting = 8,
    kCommandRandomHorizontalNone = 9,
    kCommandRandomHorizontalConst = 10,
    kCommandRandomHorizontalVar = 11,
    kCommandRandomVerticalNone = 12,
    kCommandRandomVerticalConst = 13,
    kCommandRandomVerticalVar = 14,
    kCommandListPassBy = 100,
    kCommandListSpot = 101,
};

void ControllerTick();
void TrackViewMode();
void DispatchCommand(int32_t command);
int32_t FindAiIndex(HostObjectId id);
HostObjectId NextAiTarget();
HostObjectId PreviousAiTarget();
