#pragma once
// What the host's main window shows: the current view, drawn from the aircraft that the view
// code received through the aircraft table, with a few numbers and a small map.
#include <windows.h>

void PaintMainWindow(HWND window);
// Draws the view into a device context of the given size, as it stands the given fraction of
// a second after the host's latest second (aircraft move on, the eye point stays). Uses the
// aircraft the view code received at that second, without running the view code again.
void DrawViewPicture(HDC dc, int width, int height, double leadSeconds);
