#pragma once
// The tabbed settings dialog. Its callers have set the module-window-open flag and dealt with
// the host's pause before it opens; closed() is called when OK or CANCEL closes it, and closes
// it through CloseSettingsDialog.
#include <windows.h>

struct ModuleState;

// The frame over the host's window, its working copy filled from the live values; null when it
// could not be created.
HWND OpenSettingsDialog(ModuleState& state, void (*closed)(ModuleState& state));
// Destroys an open settings dialog without applying anything and without touching the flags or
// the host; the caller does that.
void CloseSettingsDialog(HWND frame);
