#pragma once
// What the host's main window shows: the current view, drawn from the aircraft that the view
// code received through the aircraft table, with a few numbers.
#include <windows.h>

void PaintMainWindow(HWND window);
