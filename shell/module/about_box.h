#pragma once
// The about box: product, host, what the module does and where its settings live.
#include <windows.h>

struct ModuleState;

// The box over the host's window; null when it could not be created. closed() is called when the
// user closes it; it closes the box through CloseAboutBox.
HWND OpenAboutBox(ModuleState& state, void (*closed)(ModuleState& state));
// Destroys an open about box without touching the flags or the host; the caller does that.
void CloseAboutBox(HWND box);
