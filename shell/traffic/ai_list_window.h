#pragma once
// The AI aircraft list window. The module's window bookkeeping opens and closes it.
#include <windows.h>

struct ModuleState;

// The list over the host's window; null when it could not be created. closed() is called when
// the user closes the list; it closes the list through CloseAiList.
HWND OpenAiList(ModuleState& state, void (*closed)(ModuleState& state));
// Destroys an open list window.
void CloseAiList(HWND window);
// The once-a-second update while the list is open.
void RefreshAiListWindow(HWND window);
