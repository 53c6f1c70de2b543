#include "settings/config_values.h"

#include <cstdio>

#include "camera/numeric.h"

namespace {

constexpr size_t kNumberTextSize = 16; // "%d" of any int32 with its terminator
constexpr uint32_t kPositionWeight = 256;
constexpr uint8_t kLowByteMask = 0xFF;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

uint8_t LowByte(int32_t value) {
    return static_cast<uint8_t>(value & kLowByteMask);
}

// ParseConfigInt over at most `limit` characters.
int32_t ParseIntWithin(const char* text, size_t limit) {
    size_t i = 0;
    while (i < limit && IsBlank(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < limit && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    uint32_t magnitude = 0;
    while (i < limit && IsDigit(text[i])) {
        magnitude = magnitude * 10u + static_cast<uint32_t>(text[i] - '0');
        ++i;
    }
    return WrapToInt32(negative ? 0u - magnitude : magnitude);
}

} // namespace

int32_t CheckValue(const char* text) {
    uint32_t sum = 0;
    for (size_t i = 0; i < kConfigValueSize && text[i] != '\0'; ++i) {
        const int32_t signedChar = static_cast<signed char>(text[i]);
        sum += static_cast<uint32_t>(signedChar) + kPositionWeight * static_cast<uint32_t>(i);
    }
    return WrapToInt32(sum);
}

int32_t ParseConfigInt(const char* text) {
    return ParseIntWithin(text, kConfigValueSize);
}

void ParseHotkeyValue(const char* text, HotkeyOption& option) {
    option.key = LowByte(ParseConfigInt(text));
    for (size_t i = 0; i < kConfigValueSize && text[i] != '\0'; ++i) {
        if (text[i] == ',') {
            const uint8_t mask = LowByte(ParseIntWithin(text + i + 1, kConfigValueSize - i - 1));
            option.modifierMask = mask;
            option.shiftFlag = mask & kShiftBit;
            option.ctrlFlag = mask & kCtrlBit;
            return;
        }
    }
}

int32_t TowerCheckSum(const TowerValues& tower) {
    const int32_t parts[] = {tower.latFraction, tower.latWhole,    tower.lonFraction,
                             tower.lonWhole,    tower.altFraction, tower.altWhole};
    uint32_t sum = 0;
    for (int32_t part : parts) {
        char text[kNumberTextSize];
        std::snprintf(text, sizeof text, "%d", static_cast<int>(part));
        sum += static_cast<uint32_t>(CheckValue(text));
    }
    return WrapToInt32(sum);
}

bool SpottingEyePointValid(const TowerValues& tower) {
    return TowerCheckSum(tower) == tower.checkValue;
}
