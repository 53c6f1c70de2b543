#include "core/settings/key_translation.h"

namespace {

constexpr uint16_t kVirtualKeyMask = 0x00FF;
constexpr uint8_t kFirstDigitKey = 0x30;
constexpr uint8_t kLastDigitKey = 0x39;
constexpr uint8_t kFirstLetterKey = 0x41;
constexpr uint8_t kLastLetterKey = 0x5A;

} // namespace

uint8_t KeyFromKeyScan(uint16_t keyScan) {
    if (keyScan == kEmptyFieldKeyScan) {
        return 0;
    }
    const uint8_t key = static_cast<uint8_t>(keyScan & kVirtualKeyMask);
    const bool digit = key >= kFirstDigitKey && key <= kLastDigitKey;
    const bool letter = key >= kFirstLetterKey && key <= kLastLetterKey;
    return digit || letter ? key : 0;
}

void KeyTextFromKey(uint8_t key, char* text) {
    text[0] = static_cast<char>(key);
    text[1] = '\0';
}
