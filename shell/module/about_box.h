#pragma once
// The about box: product, host, what the module does and where its settings live.
#include <windows.h>

// closed() is called when the user closes it; it closes the box through CloseAboutBox.
bool OpenAboutBox(void (*closed)()); // false when it could not be created
// Destroys an open about box without touching the flags or the host; the caller does that.
void CloseAboutBox();
INT_PTR CALLBACK AboutBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
