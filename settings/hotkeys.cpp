#include "settings/hotkeys.h"

namespace {

constexpr uint8_t kLowestKey = '0';
constexpr uint8_t kHighestKey = 'Z';
constexpr uint8_t kFirstGapKey = '9' + 1; // the punctuation between the digits and the letters
constexpr uint8_t kLastGapKey = 'A' - 1;
constexpr uint8_t kNoKey = 0;

bool ValidModifierMask(uint8_t mask) {
    return mask == kShiftBit || mask == kCtrlBit || mask == (kShiftBit | kCtrlBit);
}

bool SameHotkey(const HotkeyOption& a, const HotkeyOption& b) {
    return a.key == b.key && a.shiftFlag == b.shiftFlag && a.ctrlFlag == b.ctrlFlag;
}

} // namespace

void ResetHotkeyToDefault(HotkeyOption& option) {
    option.key = option.defaultKey;
    option.shiftFlag = option.defaultShiftFlag;
    option.ctrlFlag = option.defaultCtrlFlag;
    option.modifierMask = static_cast<uint8_t>(option.defaultShiftFlag + option.defaultCtrlFlag);
}

void ValidateHotkeys(HotkeyTable& hotkeys) {
    for (int i = 0; i < kHotkeyOptionCount; ++i) {
        HotkeyOption& option = hotkeys.options[i];
        if (option.key < kLowestKey || option.key > kHighestKey) {
            option.key = kNoKey;
        }
        if (option.key >= kFirstGapKey && option.key <= kLastGapKey) {
            option.key = kNoKey;
        }
        // The comparison includes key 0: of two options without a key and with the same
        // modifiers only the one being visited survives.
        for (int j = 0; j < kHotkeyOptionCount; ++j) {
            if (j != i && SameHotkey(hotkeys.options[j], option)) {
                ResetHotkeyToDefault(hotkeys.options[j]);
            }
        }
        if (!ValidModifierMask(option.modifierMask)) {
            ResetHotkeyToDefault(option);
        }
    }
}
