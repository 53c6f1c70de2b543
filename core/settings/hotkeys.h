#pragma once
// Repair of the hotkey table after it was read from the configuration file.
#include "core/settings/settings_record.h"

// key, shiftFlag, ctrlFlag and modifierMask from the option's built-in default.
void ResetHotkeyToDefault(HotkeyOption& option);

// Visits the options in ascending order, pass after pass until no two options share a key and
// modifiers; the outcome for duplicates follows that order strictly.
void ValidateHotkeys(HotkeyTable& hotkeys);
