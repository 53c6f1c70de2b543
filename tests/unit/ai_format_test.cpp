#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "core/traffic/ai_format.h"

namespace {

// A buffer pre-filled so that a missing terminator or an overrun shows.
struct Text {
    Text() { std::memset(buffer, '#', sizeof buffer); }
    char buffer[kTextSize + 8];
    std::string str() const { return std::string(buffer); }
    bool tailUntouched() const {
        for (size_t i = kTextSize; i < sizeof buffer; ++i) {
            if (buffer[i] != '#') {
                return false;
            }
        }
        return true;
    }
};

} // namespace

TEST(AiNames, StateTableHasItsTwentyFourEntriesAsSpelled) {
    const char* expected[] = {
        "Init",     "Sleep",        "Flt Plan", "Clearence",    "Pre Push Back", "Push Back",
        "Startup",  "Pre Taxi Out", "Taxi Out", "Pre Take Off", "Take Off",      "T&G Depart",
        "Enroute",  "Pattern",      "Landing",  "Rollout",      "Go Around",     "Taxi In",
        "Shutdown", "sleep",        "waypoint", "takeoff",      "landing",       "taxi"};
    for (int32_t i = 0; i < 24; ++i) {
        EXPECT_STREQ(AiStateName(i), expected[i]) << i;
    }
    EXPECT_STREQ(AiStateName(-1), "n/a");
    EXPECT_STREQ(AiStateName(24), "n/a");
    EXPECT_STREQ(AiStateName(INT32_MIN), "n/a");
    EXPECT_STREQ(AiStateName(INT32_MAX), "n/a");
}

TEST(AiNames, DayNamesFromSunday) {
    const char* expected[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    for (int32_t i = 0; i < 7; ++i) {
        EXPECT_STREQ(DayName(i), expected[i]);
    }
    EXPECT_STREQ(DayName(7), "n/a");
    EXPECT_STREQ(DayName(-1), "n/a");
}

TEST(AiNames, ColumnHeaders) {
    EXPECT_STREQ(AiColumnHeader(0), "Type");
    EXPECT_STREQ(AiColumnHeader(2), "Distance, nm");
    EXPECT_STREQ(AiColumnHeader(7), "V.Speed, ft/min");
    EXPECT_STREQ(AiColumnHeader(8), "");
    EXPECT_STREQ(AiColumnHeader(-1), "");
}

TEST(AiCells, StateText) {
    Text t;
    FormatStateText(19, t.buffer);
    EXPECT_EQ(t.str(), "sleep");
    FormatStateText(3, t.buffer);
    EXPECT_EQ(t.str(), "Clearence");
    FormatStateText(-1, t.buffer);
    EXPECT_EQ(t.str(), "n/a");
}

TEST(AiCells, DistanceToATenthOrNotAvailable) {
    Text t;
    FormatDistanceText(12.34, t.buffer);
    EXPECT_EQ(t.str(), "12.3");
    FormatDistanceText(0, t.buffer);
    EXPECT_EQ(t.str(), "0.0");
    FormatDistanceText(-1, t.buffer);
    EXPECT_EQ(t.str(), "n/a");
    FormatDistanceText(-0.01, t.buffer);
    EXPECT_EQ(t.str(), "n/a");
    FormatDistanceText(0.06, t.buffer);
    EXPECT_EQ(t.str(), "0.1");
    FormatDistanceText(249.96, t.buffer);
    EXPECT_EQ(t.str(), "250.0");
    FormatDistanceText(std::numeric_limits<double>::quiet_NaN(), t.buffer);
    EXPECT_EQ(t.str(), "n/a");
    FormatDistanceText(std::numeric_limits<double>::infinity(), t.buffer);
    EXPECT_EQ(t.str(), "n/a");
}

TEST(AiCells, HugeDistancesAreCutToTheBuffer) {
    Text t;
    FormatDistanceText(1e300, t.buffer); // 301 digits and ".0"
    EXPECT_EQ(t.str().size(), kTextSize - 1);
    EXPECT_EQ(t.str().substr(0, 2), "10");
    EXPECT_TRUE(t.tailUntouched());
}

TEST(AiCells, RoundedNumbers) {
    Text t;
    FormatRoundedText(359.6, t.buffer);
    EXPECT_EQ(t.str(), "360");
    FormatRoundedText(-512.7, t.buffer);
    EXPECT_EQ(t.str(), "-512");
    FormatRoundedText(1500.5, t.buffer);
    EXPECT_EQ(t.str(), "1501");
    FormatRoundedText(-0.5, t.buffer);
    EXPECT_EQ(t.str(), "0");
    FormatRoundedText(1e12, t.buffer);
    EXPECT_EQ(t.str(), "2147483647");
    FormatRoundedText(std::numeric_limits<double>::quiet_NaN(), t.buffer);
    EXPECT_EQ(t.str(), "0");
}

TEST(AiStatus, CountLeavesOutEntryZero) {
    Text t;
    FormatAiCount(1, t.buffer);
    EXPECT_EQ(t.str(), "N = 0");
    FormatAiCount(13, t.buffer);
    EXPECT_EQ(t.str(), "N = 12");
    FormatAiCount(0, t.buffer);
    EXPECT_EQ(t.str(), "N = -1");
    FormatAiCount(INT32_MIN, t.buffer);
    EXPECT_EQ(t.str(), "N = 2147483647");
}

TEST(AiStatus, DayFromTheHostsDouble) {
    Text t;
    FormatDayText(3.0, t.buffer);
    EXPECT_EQ(t.str(), "Wed");
    FormatDayText(6.99, t.buffer);
    EXPECT_EQ(t.str(), "Sat");
    FormatDayText(-0.5, t.buffer); // truncates to 0
    EXPECT_EQ(t.str(), "Sun");
    FormatDayText(7.0, t.buffer);
    EXPECT_EQ(t.str(), "n/a");
    FormatDayText(std::numeric_limits<double>::quiet_NaN(), t.buffer);
    EXPECT_EQ(t.str(), "Sun");
}

TEST(AiStatus, UtcTimeWithTwoDigitsEach) {
    Text t;
    FormatUtcTime(9, 5, 3, t.buffer);
    EXPECT_EQ(t.str(), "09:05:03");
    FormatUtcTime(23, 59, 59, t.buffer);
    EXPECT_EQ(t.str(), "23:59:59");
    FormatUtcTime(0, 0, 65535, t.buffer);
    EXPECT_EQ(t.str(), "00:00:65535");
    FormatUtcTime(INT32_MIN, -1, 0, t.buffer);
    EXPECT_EQ(t.str(), "-2147483648:-1:00");
}

TEST(CopyHostText, StopsAtTheTerminatorOrTheBuffer) {
    Text t;
    CopyHostText("Boeing 737-800", kTextSize, t.buffer);
    EXPECT_EQ(t.str(), "Boeing 737-800");

    char full[kTextSize];
    std::memset(full, 'x', sizeof full); // no terminator at all
    CopyHostText(full, sizeof full, t.buffer);
    EXPECT_EQ(t.str(), std::string(kTextSize - 1, 'x'));
    EXPECT_TRUE(t.tailUntouched());

    CopyHostText(full, 4, t.buffer); // a shorter source is not read beyond its size
    EXPECT_EQ(t.str(), "xxxx");
    CopyHostText("", kTextSize, t.buffer);
    EXPECT_EQ(t.str(), "");
}

TEST(AiBearingFrom, IsMagneticAndWithinOneTurn) {
    EXPECT_NEAR(AiBearingFrom(0, 0, 0, 1, 0), 90, 1e-4);
    EXPECT_NEAR(AiBearingFrom(0, 0, 0, 1, 10), 80, 1e-4);   // 10 east: magnetic is 10 less
    EXPECT_NEAR(AiBearingFrom(0, 0, 1, 0, 5), 355, 1e-4);   // due north, 5 east
    EXPECT_NEAR(AiBearingFrom(0, 1, 0, 0, -10), 280, 1e-4); // 270 true, 10 west
    const double b = AiBearingFrom(10, 20, 10.5, 20, 0);
    EXPECT_GE(b, 0);
    EXPECT_LT(b, 360);
}

TEST(MetresToAiDistanceNm, UsesTheModulesFactor) {
    EXPECT_DOUBLE_EQ(MetresToAiDistanceNm(1852), 1852 * 0.00053805774278);
    EXPECT_NEAR(MetresToAiDistanceNm(1852), 0.9965, 1e-4);
}
