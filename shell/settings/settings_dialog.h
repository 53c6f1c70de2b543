#pragma once
// The tabbed settings dialog. Its callers have set the module-window-open flag and dealt with
// the host's pause before it opens; closed() is called when OK or CANCEL closes it, and closes
// it through CloseSettingsDialog.

bool OpenSettingsDialog(void (*closed)()); // false when it could not be created
// Destroys an open settings dialog without applying anything and without touching the flags or
// the host; the caller does that.
void CloseSettingsDialog();
