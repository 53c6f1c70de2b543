#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/traffic/ai_compare.h"
#include "core/traffic/ai_format.h"

namespace {

int Sign(int32_t v) {
    return (v > 0) - (v < 0);
}

} // namespace

TEST(CompareAiCells, TypeAndStateIgnoreCaseAndCompareBytes) {
    for (int column : {0, 1}) {
        SCOPED_TRACE(column);
        EXPECT_EQ(CompareAiCells("Boeing", "boeing", column), 0);
        EXPECT_LT(CompareAiCells("airbus", "Boeing", column), 0);
        EXPECT_GT(CompareAiCells("Taxi In", "taxi", column), 0);
        EXPECT_LT(CompareAiCells("", "a", column), 0);
        // Letters are folded to lower case before comparing: '_' (95) sorts before 'a' (97)
        // even against an upper-case 'A' (65).
        EXPECT_LT(CompareAiCells("_", "A", column), 0);
        // Bytes above 127 count as large.
        EXPECT_GT(CompareAiCells("\xC9t", "zz", column), 0);
    }
}

TEST(CompareAiCells, LongTextsStopAt260Characters) {
    char a[kTextSize + 10];
    char b[kTextSize + 10];
    std::memset(a, 'q', sizeof a);
    std::memset(b, 'Q', sizeof b);
    a[kTextSize + 5] = 'a'; // beyond the limit, never read
    EXPECT_EQ(CompareAiCells(a, b, 0), 0);
}

TEST(CompareAiCells, DistancesCompareInTenths) {
    EXPECT_LT(CompareAiCells("12.3", "12.4", 2), 0);
    EXPECT_GT(CompareAiCells("100.0", "99.9", 2), 0);
    EXPECT_EQ(CompareAiCells("12.3", "12.3", 2), 0);
    EXPECT_EQ(CompareAiCells("1.25", "1.2", 2), 0); // closer than a tenth
    EXPECT_EQ(CompareAiCells("5.0", "1.5", 2), 35);
    EXPECT_EQ(CompareAiCells("n/a", "0.0", 2), 0);
    EXPECT_LT(CompareAiCells("n/a", "0.1", 2), 0);
    EXPECT_EQ(CompareAiCells("inf", "0", 2), 0); // only plain decimals are numbers
    EXPECT_EQ(CompareAiCells("nan", "0", 2), 0);
    EXPECT_EQ(CompareAiCells("0x10", "0", 2), 0);
    EXPECT_EQ(CompareAiCells("1e300", "0", 2), 10);
}

TEST(CompareAiCells, HugeDistancesSaturate) {
    const std::string big = "1" + std::string(250, '0') + ".0";
    EXPECT_EQ(CompareAiCells(big.c_str(), "0.0", 2), INT32_MAX);
    EXPECT_EQ(CompareAiCells("0.0", big.c_str(), 2), INT32_MIN);
    EXPECT_EQ(CompareAiCells("3000000000.0", "0", 2), INT32_MAX);
}

TEST(CompareAiCells, WholeNumberColumnsSubtract) {
    for (int column = 3; column <= 7; ++column) {
        SCOPED_TRACE(column);
        EXPECT_EQ(CompareAiCells("360", "12", column), 348);
        EXPECT_EQ(CompareAiCells("-512", "-500", column), -12);
        EXPECT_EQ(CompareAiCells("7", "7", column), 0);
    }
    // The order stays right where a 32-bit difference would overflow.
    EXPECT_GT(Sign(CompareAiCells("2147483647", "-2147483648", 4)), 0);
    EXPECT_LT(Sign(CompareAiCells("-2147483648", "1", 4)), 0);
}

TEST(CompareAiCells, OtherColumnsCompareEqual) {
    EXPECT_EQ(CompareAiCells("a", "b", 8), 0);
    EXPECT_EQ(CompareAiCells("a", "b", -1), 0);
}

TEST(SameCellText, EqualWhenBothEndTogetherWithin260) {
    EXPECT_TRUE(SameCellText("", ""));
    EXPECT_TRUE(SameCellText("12.3", "12.3"));
    EXPECT_FALSE(SameCellText("12.3", "12.30"));
    EXPECT_FALSE(SameCellText("Taxi", "taxi"));

    char a[kTextSize + 1];
    char b[kTextSize + 1];
    std::memset(a, 'x', sizeof a);
    std::memset(b, 'x', sizeof b);
    a[kTextSize - 1] = '\0'; // 259 characters: ends within the limit
    b[kTextSize - 1] = '\0';
    EXPECT_TRUE(SameCellText(a, b));
    a[kTextSize - 1] = 'x'; // 260 characters without ending: different even when identical
    b[kTextSize - 1] = 'x';
    a[kTextSize] = '\0';
    b[kTextSize] = '\0';
    EXPECT_FALSE(SameCellText(a, b));
}
