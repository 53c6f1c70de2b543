#include "core/settings/hotkeys.h"

namespace {

constexpr uint8_t kLowestKey = '0';
constexpr uint8_t kHighestKey = 'Z';
constexpr uint8_t kFirstGapKey = '9' + 1; // the punctuation between the digits and the letters
constexpr uint8_t kLastGapKey = 'A' - 1;
constexpr uint8_t kNoKey = 0;
// A pass that changes anything moves some option to its default for good (or, in the first pass
// only, a key out of range to none); the defaults differ from one another, so after at most one
// pass per option and one that changes nothing no two options share a hotkey.
constexpr int kMostValidationPasses = kHotkeyOptionCount + 2;

bool SameHotkey(const HotkeyOption& a, const HotkeyOption& b) {
    return a.key == b.key && a.shiftFlag == b.shiftFlag && a.ctrlFlag == b.ctrlFlag;
}

bool SameEntry(const HotkeyOption& a, const HotkeyOption& b) {
    return SameHotkey(a, b) && a.modifierMask == b.modifierMask;
}

// One visit of every option in ascending order; true when it changed any option.
bool ValidationPass(HotkeyTable& hotkeys) {
    const HotkeyTable before = hotkeys;
    for (int i = 0; i < kHotkeyOptionCount; ++i) {
        HotkeyOption& option = hotkeys.options[i];
        if (!HotkeyKeyAllowed(option.key)) {
            option.key = kNoKey;
        }
        for (int j = 0; j < kHotkeyOptionCount && option.key != kNoKey; ++j) {
            if (j != i && SameHotkey(hotkeys.options[j], option)) {
                ResetHotkeyToDefault(hotkeys.options[j]);
            }
        }
        if (!HotkeyMaskAllowed(option.key, option.modifierMask)) {
            ResetHotkeyToDefault(option);
        }
    }
    for (int i = 0; i < kHotkeyOptionCount; ++i) {
        if (!SameEntry(before.options[i], hotkeys.options[i])) {
            return true;
        }
    }
    return false;
}

} // namespace

bool HotkeyKeyAllowed(uint8_t key) {
    return key == kNoKey || (key >= kLowestKey && key <= kHighestKey &&
                             !(key >= kFirstGapKey && key <= kLastGapKey));
}

bool HotkeyMaskAllowed(uint8_t key, uint8_t mask) {
    const uint8_t both = kShiftBit | kCtrlBit;
    return mask <= both && (mask != 0 || key == kNoKey);
}

void ResetHotkeyToDefault(HotkeyOption& option) {
    option.key = option.defaultKey;
    option.shiftFlag = option.defaultShiftFlag;
    option.ctrlFlag = option.defaultCtrlFlag;
    option.modifierMask = static_cast<uint8_t>(option.defaultShiftFlag + option.defaultCtrlFlag);
}

// A reset can hand an option a default that an option visited before already holds, so the
// passes repeat until one changes nothing.
void ValidateHotkeys(HotkeyTable& hotkeys) {
    for (int pass = 0; pass < kMostValidationPasses && ValidationPass(hotkeys); ++pass) {
    }
}
