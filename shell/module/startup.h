#pragma once
// Start-up and shut-down: the routines the host calls, the tick window and the shell's part of
// the binding to the host once it is ready.
#include <windows.h>

struct ModuleState;

void __stdcall ModuleInit();
void __stdcall ModuleDeinit();
INT_PTR CALLBACK TickWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Binding's part of the shell, once the host is ready: the settings file and the dump.
void BindShell(ModuleState& state);
