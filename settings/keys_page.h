#pragma once
// The Keys Assignment page's updates after an action; `source` is the control whose action led
// to the update and decides which steps run.
#include <windows.h>

void UpdateModifierBoxes(HWND source);
void UpdateKeyButtons(HWND source);
bool BoxChecked(HWND box);
// Warns when the chosen option's pending hotkey is another option's, and moves the key or
// refuses it as the user answers. True when the user refused.
bool ResolveKeyConflict(HWND page);
