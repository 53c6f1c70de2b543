#pragma once
// Start-up and shut-down: the routines the host calls, the tick window and the deferred
// binding to the host once it is ready.
#include <windows.h>

void __stdcall ModuleInit();
void __stdcall ModuleDeinit();
INT_PTR CALLBACK TickWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// True while the host is not ready: the tick ends there.
bool FirstTickInit();

constexpr UINT_PTR kTickTimerId = 2;
constexpr UINT kTickPeriodMs = 1000;
