#pragma once
// Repair of the hotkey table after it was read from the configuration file.
#include "core/settings/settings_record.h"

// A key the table can hold: a digit, a capital letter, or 0 for none.
bool HotkeyKeyAllowed(uint8_t key);
// A hotkey needs Shift, Ctrl or both; an option without a key may have none as well. A mask the
// Keys page stores is the sum of the two flags, so 1..3, or 0 for an emptied option.
bool HotkeyMaskAllowed(uint8_t key, uint8_t mask);

// key, shiftFlag, ctrlFlag and modifierMask from the option's built-in default.
void ResetHotkeyToDefault(HotkeyOption& option);

// Visits the options in ascending order, pass after pass until no two options share a key and
// modifiers; the outcome for duplicates follows that order strictly. Options without a key never
// share anything, so every table the Keys page accepts comes through unchanged.
void ValidateHotkeys(HotkeyTable& hotkeys);
