#pragma once
// The pass-by view's clock and switchboard: the one-second tick and the numbered commands.
#include <cstdint>
#include "camera/module_core.h"

// The options of the hotkey table, in its order, and the AI list's two buttons.
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

void ControllerTick(ModuleCore& core);
void TrackViewMode(ModuleCore& core);
void DispatchCommand(ModuleCore& core, Command command);
// The settings dialog's OK: its working copy becomes the live settings, and the camera takes
// them at once.
void AcceptPendingSettings(ModuleCore& core);
// The AI list's buttons: the chosen aircraft becomes the target and is shown by the command.
void ShowChosenAircraft(ModuleCore& core, HostObjectId chosen, Command command);

using AiStep = HostObjectId (*)(ModuleCore& core);
int32_t FindAiIndex(ModuleCore& core, HostObjectId id);
HostObjectId NextAiTarget(ModuleCore& core);
HostObjectId PreviousAiTarget(ModuleCore& core);
