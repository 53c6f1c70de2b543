#include "core/settings/config_values.h"

#include <cstdio>

#include "core/camera/geodesy.h"
#include "core/camera/numeric.h"

namespace {

constexpr size_t kNumberTextSize = 16; // "%d" of any int32 with its terminator
constexpr uint32_t kPositionWeight = 256;
constexpr uint8_t kLowByteMask = 0xFF;
constexpr uint64_t kSaturatedMagnitude = 2147483648u; // 2^31: beyond it only the limit counts
constexpr double kFractionScale = 65536.0;            // the stored fractions are 16 bits
constexpr uint32_t kFractionMask = 0xFFFF;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

uint8_t LowByte(int32_t value) {
    return static_cast<uint8_t>(value & kLowByteMask);
}

// The latitude that the stored whole units and 16-bit fraction stand for.
double StoredLatitudeDeg(const TowerValues& tower) {
    const uint32_t fraction = static_cast<uint32_t>(tower.latFraction) & kFractionMask;
    return (tower.latWhole + fraction / kFractionScale) * kLatitudeUnitDeg;
}

} // namespace

int32_t CheckValue(const char* text) {
    uint32_t sum = 0;
    for (size_t i = 0; i < kTextSize && text[i] != '\0'; ++i) {
        const int32_t signedChar = static_cast<signed char>(text[i]);
        sum += static_cast<uint32_t>(signedChar) + kPositionWeight * static_cast<uint32_t>(i);
    }
    return WrapToInt32(sum);
}

int32_t ParseDecimal(const char* text, size_t limit, NumberOverflow overflow) {
    size_t i = 0;
    while (i < limit && IsBlank(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < limit && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    uint32_t wrapped = 0;
    uint64_t magnitude = 0;
    while (i < limit && IsDigit(text[i])) {
        const uint32_t digit = static_cast<uint32_t>(text[i] - '0');
        wrapped = wrapped * 10u + digit;
        if (magnitude <= kSaturatedMagnitude) {
            magnitude = magnitude * 10u + digit;
        }
        ++i;
    }
    if (overflow == kOverflowWraps) {
        return WrapToInt32(negative ? 0u - wrapped : wrapped);
    }
    const int64_t value = static_cast<int64_t>(magnitude);
    return SaturateToInt32(negative ? -value : value);
}

int32_t ParseConfigInt(const char* text) {
    return ParseDecimal(text, kTextSize, kOverflowWraps);
}

int32_t ClampToBounds(int32_t value, int32_t low, int32_t high) {
    if (value < low) {
        value = low;
    }
    if (value > high) {
        value = high;
    }
    return value;
}

void ParseHotkeyValue(const char* text, HotkeyOption& option) {
    option.key = LowByte(ParseConfigInt(text));
    for (size_t i = 0; i < kTextSize && text[i] != '\0'; ++i) {
        if (text[i] == ',') {
            const uint8_t mask =
                LowByte(ParseDecimal(text + i + 1, kTextSize - i - 1, kOverflowWraps));
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
    const double latitude = StoredLatitudeDeg(tower);
    return TowerCheckSum(tower) == tower.checkValue && latitude >= -kPoleLatitudeDeg &&
           latitude <= kPoleLatitudeDeg;
}
