#pragma once
// The Keys Assignment page's updates after an action; `source` is the control whose action led
// to the update and decides which steps run.
#include <windows.h>
#include "core/settings/key_assignment.h"
#include "shell/settings/settings_pages.h"

void UpdateModifierBoxes(SettingsDialog& dialog, HWND source);
void UpdateKeyButtons(SettingsDialog& dialog, HWND source);
bool BoxChecked(HWND box);
// Stores the choice as the chosen option's pending hotkey, after a warning for each other option
// that holds it, which moves the key or refuses it as the user answers. A choice the settings
// file would not give back is refused with its reason. True when refused.
bool AssignKey(HWND page, SettingsDialog& dialog, KeyChoice choice);
