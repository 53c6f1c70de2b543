#pragma once
// The host is paused while the settings dialog or the about box is open: the module asks it to
// pause before such a dialog opens, unless it was paused already, and to resume when it closes.

// Sets the module-window-open flag and posts the pause event unless the host is paused.
void BeginModuleDialog();
// Clears the module-window-open flag and posts the resume event if the opening posted a pause.
void EndModuleDialog();
