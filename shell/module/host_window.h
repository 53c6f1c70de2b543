#pragma once
// The module's life in the host's main window: the subclass procedure and its handlers.
#include <windows.h>

struct ModuleState;

LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void InstallMenu(const ModuleState& state, HWND window);
void TrackHostMenu(ModuleState& state, HWND window, WPARAM wParam, LPARAM lParam);
void HandleMenuCommand(ModuleState& state, WPARAM wParam);
void HandleHotkey(ModuleState& state, WPARAM virtualKey);
// Keeps the popup's check mark and greyed state in step with the module.
void UpdateModulePopup(const ModuleState& state);

constexpr UINT kMenuActivate = 40000;
constexpr UINT kMenuAiAircraft = 40001;
constexpr UINT kMenuSettings = 40002;
constexpr UINT kMenuAbout = 40004;
constexpr UINT kMenuWatchTraffic = 40005;
