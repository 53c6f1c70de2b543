#pragma once
// The Keys page's edits of the pending hotkeys: one option at a time, with conflicts between
// options found here and settled by the user.
#include <cstdint>
#include "core/settings/pending_settings.h"
#include "core/settings/settings_record.h"

// What the page's key field and check boxes hold: a key and the Shift and Ctrl values coded
// like shiftFlag and ctrlFlag.
struct KeyChoice {
    uint8_t key, shiftFlag, ctrlFlag;
};

KeyChoice ChoiceFromBoxes(uint8_t key, bool shiftChecked, bool ctrlChecked);

// Why the page cannot store a choice: the settings file would not give it back after a restart.
enum ChoiceRefusal { kChoiceStorable, kChoiceNeedsModifier, kChoiceKeyNotAllowed };
ChoiceRefusal RefusalOf(KeyChoice choice);
// The reason told to the user, for every refusal but kChoiceStorable.
const char* RefusalText(ChoiceRefusal refusal);

// Apply: the choice becomes the option's pending hotkey; the mask is the sum of the flags. No key
// means no modifiers either: an emptied option is all zero.
void StorePendingHotkey(PendingSettings& pending, int32_t option, KeyChoice choice);
// Set Default: the option's built-in key and modifiers.
KeyChoice DefaultChoice(const HotkeyTable& live, int32_t option);
// Leaves the option without a key: key, flags and mask 0.
void TakeKeyAway(PendingSettings& pending, int32_t option);

// The first option from `from` on, other than `option` and holding a key, whose pending key and
// flags equal the choice; kNoOption when there is none.
int32_t FindKeyConflict(const PendingSettings& pending, int32_t option, KeyChoice choice,
                        int32_t from);

// Asks the user whether `holder` is to give up the hotkey chosen for another option: true to
// move it. Runs while the pending table is still as it was before the choice.
using ConflictAnswer = bool (*)(void* context, int32_t holder);

// Apply and Set Default: a choice that RefusalOf refuses changes nothing and returns true.
// Otherwise every other option holding the choice is asked about in ascending order; once each
// has given it up, the choice becomes the option's pending hotkey. A refusal by the user leaves
// the option without a key and returns true. So the table never holds a duplicate the user has
// not confirmed, nor anything the settings file would not give back.
bool AssignPendingHotkey(PendingSettings& pending, int32_t option, KeyChoice choice,
                         ConflictAnswer ask, void* context);

bool DiffersFromPending(const PendingSettings& pending, int32_t option, KeyChoice choice);
bool DiffersFromDefault(const HotkeyTable& live, int32_t option, KeyChoice choice);
