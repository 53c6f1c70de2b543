#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "core/settings/config_values.h"

TEST(CheckValue, SumsSignedCharactersPlusTheirWeightedPositions) {
    char ones[kTextSize + 40];
    std::memset(ones, '1', sizeof ones); // no terminator anywhere: the sum stops at kTextSize
    const int32_t n = static_cast<int32_t>(kTextSize);
    const struct {
        const char* text;
        int32_t sum;
    } cases[] = {{"", 0},
                 {"0", 48},
                 {"12", 49 + 50 + 256},
                 {"-5", 45 + 53 + 256},
                 {"\xE9", -23}, // characters above 127 count as negative bytes
                 {"a\xFF", 97 - 1 + 256},
                 {ones, n * 49 + 256 * ((n - 1) * n / 2)}};
    for (const auto& c : cases) {
        EXPECT_EQ(CheckValue(c.text), c.sum) << std::string(c.text, strnlen(c.text, 8));
    }
}

TEST(CheckValue, CountsEveryCharacterOfAFullBufferOfNegativeBytes) {
    char text[kTextSize + 1];
    std::memset(text, '\x80', kTextSize); // every character -128
    text[kTextSize] = '\0';
    const int32_t n = static_cast<int32_t>(kTextSize);
    EXPECT_EQ(CheckValue(text), -128 * n + 256 * ((n - 1) * n / 2));
    TowerValues tower{INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN, 0};
    EXPECT_EQ(TowerCheckSum(tower), 6 * CheckValue("-2147483648"));
}

// Each text read wrapping and saturating; they differ only beyond 32 bits.
TEST(ParseDecimal, ReadsLeadingDecimalNumbersAndWrapsOrSaturatesBeyond32Bits) {
    const struct {
        const char* text;
        int32_t wrapped, saturated;
    } cases[] = {{"0", 0, 0},
                 {"12abc", 12, 12},
                 {"  -17", -17, -17},
                 {"\t+8", 8, 8},
                 {"abc", 0, 0},
                 {"", 0, 0},
                 {"-", 0, 0},
                 {"- 5", 0, 0},
                 {"1 2", 1, 1},
                 {"340,1", 340, 340},
                 {"2147483647", INT32_MAX, INT32_MAX},
                 {"-2147483648", INT32_MIN, INT32_MIN},
                 {"2147483648", INT32_MIN, INT32_MAX},
                 {"3000000000", -1294967296, INT32_MAX},
                 {"4294967296", 0, INT32_MAX},
                 {"4294967297", 1, INT32_MAX},
                 {"-4294967297", -1, INT32_MIN},
                 {"99999999999999999999999", -159383553, INT32_MAX},
                 {"-99999999999999999999", -1661992959, INT32_MIN}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseDecimal(c.text, kTextSize, kOverflowWraps), c.wrapped);
        EXPECT_EQ(ParseConfigInt(c.text), c.wrapped);
        EXPECT_EQ(ParseDecimal(c.text, kTextSize, kOverflowSaturates), c.saturated);
    }
    EXPECT_EQ(ParseDecimal("123", 2, kOverflowSaturates), 12) << "stops at the limit";
}

// Read one after another into the same option, each from what the row before left.
TEST(ParseHotkeyValue, KeyAndMaskAreLowBytesAndTheFlagsFollowTheMask) {
    const struct {
        const char* text;
        uint8_t key, mask, shift, ctrl;
    } cases[] = {
        {"84", 84, 3, 1, 2}, // no comma: the modifiers stay
        {"340,1", 84, 1, 1, 0}, {"70,2", 70, 2, 0, 2}, {"81,259", 81, 3, 1, 2}, // 259 keeps 3
        {"66,4", 66, 4, 0, 0}, // neither bit 0 nor bit 1
        {"x,,1", 0, 0, 0, 0}   // the number right after the first comma: none
    };
    HotkeyOption o{};
    o.shiftFlag = 1;
    o.ctrlFlag = 2;
    o.modifierMask = 3;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        ParseHotkeyValue(c.text, o);
        EXPECT_EQ(o.key, c.key);
        EXPECT_EQ(o.modifierMask, c.mask);
        EXPECT_EQ(o.shiftFlag, c.shift);
        EXPECT_EQ(o.ctrlFlag, c.ctrl);
    }
}

TEST(SpottingEyePointValid, MatchesTheSumOfTheSixFormattedParts) {
    TowerValues tower{40000, 5720151, 59711, -1491309, 0, 30, 0};
    // "40000" "5720151" "59711" "-1491309" "0" "30", each CheckValue computed by hand:
    const int32_t expected = (52 + 48 * 4 + 256 * 10) +                           // 40000
                             (53 + 55 + 50 + 48 + 49 + 53 + 49 + 256 * 21) +      // 5720151
                             (53 + 57 + 55 + 49 + 49 + 256 * 10) +                // 59711
                             (45 + 49 + 52 + 57 + 49 + 51 + 48 + 57 + 256 * 28) + // -1491309
                             48 +                                                 // 0
                             (51 + 48 + 256);                                     // 30
    EXPECT_EQ(TowerCheckSum(tower), expected);
    EXPECT_FALSE(SpottingEyePointValid(tower));
    tower.checkValue = expected;
    EXPECT_TRUE(SpottingEyePointValid(tower));
    tower.altWhole = 31; // a hand edit
    EXPECT_FALSE(SpottingEyePointValid(tower));

    // A matching check value is not enough: the latitude must lie within +-90 degrees
    // (10001750 units), whatever the longitude and altitude words.
    const struct {
        int32_t latFraction, latWhole;
        bool valid;
    } latitudes[] = {{0, 10001750, true},       {1, 10001750, false},    {0, -10001750, true},
                     {65535, -10001751, false}, {32768, 10001749, true}, {0, 2147483647, false},
                     {0, INT32_MIN, false},     {70000, 10001750, false}};
    for (const auto& l : latitudes) {
        TowerValues forged{l.latFraction, l.latWhole, 65535, INT32_MIN, 65535, INT32_MAX, 0};
        forged.checkValue = TowerCheckSum(forged);
        EXPECT_EQ(SpottingEyePointValid(forged), l.valid) << l.latWhole << " " << l.latFraction;
    }
}
