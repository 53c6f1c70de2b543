#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "settings/config_values.h"

TEST(CheckValue, SumsSignedCharactersPlusTheirWeightedPositions) {
    EXPECT_EQ(CheckValue(""), 0);
    EXPECT_EQ(CheckValue("0"), 48);
    EXPECT_EQ(CheckValue("12"), 49 + 50 + 256);
    EXPECT_EQ(CheckValue("-5"), 45 + 53 + 256);
    // Characters above 127 count as negative bytes.
    EXPECT_EQ(CheckValue("\xE9"), -23);
    EXPECT_EQ(CheckValue("a\xFF"), 97 - 1 + 256);
}

TEST(CheckValue, StopsAfter260CharactersOfAnUnterminatedText) {
    char text[300];
    std::memset(text, '1', sizeof text); // no terminator anywhere
    // 260 * 49 + 256 * (0 + 1 + ... + 259)
    EXPECT_EQ(CheckValue(text), 260 * 49 + 256 * (259 * 260 / 2));
}

TEST(CheckValue, CountsEveryCharacterOfAFullBufferOfNegativeBytes) {
    char text[261];
    std::memset(text, '\x80', 260); // every character -128
    text[260] = '\0';
    EXPECT_EQ(CheckValue(text), -128 * 260 + 256 * (259 * 260 / 2));
    TowerValues tower{INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN, 0};
    EXPECT_EQ(TowerCheckSum(tower), 6 * CheckValue("-2147483648"));
}

TEST(ParseConfigInt, ReadsLeadingDecimalNumbers) {
    EXPECT_EQ(ParseConfigInt("0"), 0);
    EXPECT_EQ(ParseConfigInt("12abc"), 12);
    EXPECT_EQ(ParseConfigInt("  -17"), -17);
    EXPECT_EQ(ParseConfigInt("\t+8"), 8);
    EXPECT_EQ(ParseConfigInt("abc"), 0);
    EXPECT_EQ(ParseConfigInt(""), 0);
    EXPECT_EQ(ParseConfigInt("-"), 0);
    EXPECT_EQ(ParseConfigInt("- 5"), 0);
    EXPECT_EQ(ParseConfigInt("340,1"), 340);
    EXPECT_EQ(ParseConfigInt("2147483647"), INT32_MAX);
    EXPECT_EQ(ParseConfigInt("-2147483648"), INT32_MIN);
}

TEST(ParseConfigInt, NumbersBeyond32BitsWrapModulo2To32) {
    EXPECT_EQ(ParseConfigInt("2147483648"), INT32_MIN);
    EXPECT_EQ(ParseConfigInt("4294967296"), 0);
    EXPECT_EQ(ParseConfigInt("4294967297"), 1);
    EXPECT_EQ(ParseConfigInt("-4294967297"), -1);
    EXPECT_EQ(ParseConfigInt("99999999999999999999999"), -159383553);
}

TEST(ParseHotkeyValue, KeyAndMaskAreLowBytesAndTheFlagsFollowTheMask) {
    HotkeyOption o{};
    o.shiftFlag = 1;
    o.ctrlFlag = 2;
    o.modifierMask = 3;
    ParseHotkeyValue("84", o); // no comma: modifiers stay
    EXPECT_EQ(o.key, 84);
    EXPECT_EQ(o.modifierMask, 3);
    EXPECT_EQ(o.shiftFlag, 1);
    EXPECT_EQ(o.ctrlFlag, 2);

    ParseHotkeyValue("340,1", o);
    EXPECT_EQ(o.key, 84);
    EXPECT_EQ(o.modifierMask, 1);
    EXPECT_EQ(o.shiftFlag, 1);
    EXPECT_EQ(o.ctrlFlag, 0);

    ParseHotkeyValue("70,2", o);
    EXPECT_EQ(o.key, 70);
    EXPECT_EQ(o.modifierMask, 2);
    EXPECT_EQ(o.shiftFlag, 0);
    EXPECT_EQ(o.ctrlFlag, 2);

    ParseHotkeyValue("81,259", o); // 259 keeps 3
    EXPECT_EQ(o.key, 81);
    EXPECT_EQ(o.modifierMask, 3);
    EXPECT_EQ(o.shiftFlag, 1);
    EXPECT_EQ(o.ctrlFlag, 2);

    ParseHotkeyValue("66,4", o); // neither bit 0 nor bit 1
    EXPECT_EQ(o.modifierMask, 4);
    EXPECT_EQ(o.shiftFlag, 0);
    EXPECT_EQ(o.ctrlFlag, 0);

    ParseHotkeyValue("x,,1", o); // the number right after the first comma: none
    EXPECT_EQ(o.key, 0);
    EXPECT_EQ(o.modifierMask, 0);
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
}
