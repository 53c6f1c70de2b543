#pragma once
// The one place that opens and closes the module's windows and keeps track of which is open.
// At most one is open at a time; the host is paused while the settings dialog or the about box
// is open, never for the AI list.

struct ModuleState;

enum ModuleWindow { kSettingsWindow, kAboutWindow, kAiListWindow };

// Opens a window; while one is open already, that one comes to the front instead.
void OpenModuleWindow(ModuleState& state, ModuleWindow window);
// Closes the window if it is the open one. The settings dialog and the about box close alike.
void CloseModuleWindow(ModuleState& state, ModuleWindow window);
