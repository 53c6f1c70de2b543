#pragma once
// The pass-by view's clock and switchboard: the one-second tick and the numbered commands.
#include <cstdint>
#include "core/control/commands.h"
#include "core/control/module_core.h"

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
