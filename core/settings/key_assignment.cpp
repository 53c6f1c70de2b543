#include "core/settings/key_assignment.h"
#include "core/settings/hotkeys.h"

namespace {

bool SameKeyAndFlags(const PendingHotkey& entry, KeyChoice choice) {
    return entry.key == choice.key && entry.shiftFlag == choice.shiftFlag &&
           entry.ctrlFlag == choice.ctrlFlag;
}

} // namespace

KeyChoice ChoiceFromBoxes(uint8_t key, bool shiftChecked, bool ctrlChecked) {
    return KeyChoice{key, shiftChecked ? kShiftBit : uint8_t{0},
                     ctrlChecked ? kCtrlBit : uint8_t{0}};
}

ChoiceRefusal RefusalOf(KeyChoice choice) {
    if (!HotkeyKeyAllowed(choice.key)) {
        return kChoiceKeyNotAllowed;
    }
    const uint8_t mask = static_cast<uint8_t>(choice.shiftFlag + choice.ctrlFlag);
    return HotkeyMaskAllowed(choice.key, mask) ? kChoiceStorable : kChoiceNeedsModifier;
}

const char* RefusalText(ChoiceRefusal refusal) {
    if (refusal == kChoiceKeyNotAllowed) {
        return "A hotkey must be a letter or a digit.";
    }
    return "A hotkey needs Shift, Ctrl or both.\nTick Shift or Ctrl, or empty the key field to "
           "leave the option without a hotkey.";
}

void StorePendingHotkey(PendingSettings& pending, int32_t option, KeyChoice choice) {
    if (choice.key == 0) {
        choice = KeyChoice{0, 0, 0};
    }
    pending.hotkeys[option] =
        PendingHotkey{choice.key, choice.shiftFlag, choice.ctrlFlag,
                      static_cast<uint8_t>(choice.shiftFlag + choice.ctrlFlag)};
}

KeyChoice DefaultChoice(const HotkeyTable& live, int32_t option) {
    const HotkeyOption& o = live.options[option];
    return KeyChoice{o.defaultKey, o.defaultShiftFlag, o.defaultCtrlFlag};
}

void TakeKeyAway(PendingSettings& pending, int32_t option) {
    PendingHotkey& entry = pending.hotkeys[option];
    entry.key = 0;
    entry.shiftFlag = 0;
    entry.ctrlFlag = 0;
    entry.modifierMask = 0;
}

int32_t FindKeyConflict(const PendingSettings& pending, int32_t option, KeyChoice choice,
                        int32_t from) {
    for (int32_t i = from < 0 ? 0 : from; i < kHotkeyOptionCount; ++i) {
        const PendingHotkey& other = pending.hotkeys[i];
        if (i != option && other.key != 0 && SameKeyAndFlags(other, choice)) {
            return i;
        }
    }
    return kNoOption;
}

bool AssignPendingHotkey(PendingSettings& pending, int32_t option, KeyChoice choice,
                         ConflictAnswer ask, void* context) {
    if (RefusalOf(choice) != kChoiceStorable) {
        return true;
    }
    for (int32_t holder = FindKeyConflict(pending, option, choice, 0); holder != kNoOption;
         holder = FindKeyConflict(pending, option, choice, holder + 1)) {
        if (!ask(context, holder)) {
            TakeKeyAway(pending, option);
            return true;
        }
        TakeKeyAway(pending, holder);
    }
    StorePendingHotkey(pending, option, choice);
    return false;
}

bool DiffersFromPending(const PendingSettings& pending, int32_t option, KeyChoice choice) {
    const PendingHotkey& entry = pending.hotkeys[option];
    return choice.key != entry.key || choice.shiftFlag != entry.shiftFlag ||
           choice.ctrlFlag != entry.ctrlFlag;
}

bool DiffersFromDefault(const HotkeyTable& live, int32_t option, KeyChoice choice) {
    const HotkeyOption& o = live.options[option];
    return choice.key != o.defaultKey || choice.shiftFlag != o.defaultShiftFlag ||
           choice.ctrlFlag != o.defaultCtrlFlag;
}
