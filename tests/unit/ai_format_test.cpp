#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "core/traffic/ai_format.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

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

struct NameCase {
    const char* (*name)(int32_t);
    int32_t index;
    const char* text;
};

const NameCase kNameCases[] = {{AiStateName, -1, "n/a"},
                               {AiStateName, 24, "n/a"},
                               {AiStateName, INT32_MIN, "n/a"},
                               {AiStateName, INT32_MAX, "n/a"},
                               {DayName, 7, "n/a"},
                               {DayName, -1, "n/a"},
                               {AiColumnHeader, 0, "Type"},
                               {AiColumnHeader, 2, "Distance, nm"},
                               {AiColumnHeader, 7, "V.Speed, ft/min"},
                               {AiColumnHeader, 8, ""},
                               {AiColumnHeader, -1, ""}};

struct IntegerCase {
    void (*format)(int32_t, char*);
    int32_t value;
    const char* text;
};

const IntegerCase kIntegerCases[] = {{FormatStateText, 19, "sleep"},
                                     {FormatStateText, 3, "Clearence"},
                                     {FormatStateText, -1, "n/a"},
                                     {FormatAiCount, 1, "N = 0"}, // entry 0 is left out
                                     {FormatAiCount, 13, "N = 12"},
                                     {FormatAiCount, 0, "N = -1"},
                                     {FormatAiCount, INT32_MIN, "N = 2147483647"}};

struct NumberCase {
    void (*format)(double, char*);
    double value;
    const char* text;
};

const NumberCase kNumberCases[] = {
    // Distances to a tenth, or not available.
    {FormatDistanceText, 12.34, "12.3"},
    {FormatDistanceText, 0, "0.0"},
    {FormatDistanceText, -1, "n/a"},
    {FormatDistanceText, -0.01, "n/a"},
    {FormatDistanceText, 0.06, "0.1"},
    {FormatDistanceText, 249.96, "250.0"},
    {FormatDistanceText, kNaN, "n/a"},
    {FormatDistanceText, kInfinity, "n/a"},
    // Rounded half up, within 32 bits.
    {FormatRoundedText, 359.6, "360"},
    {FormatRoundedText, -512.7, "-512"},
    {FormatRoundedText, 1500.5, "1501"},
    {FormatRoundedText, -0.5, "0"},
    {FormatRoundedText, 1e12, "2147483647"},
    {FormatRoundedText, kNaN, "0"},
    // The host's day as a double, truncated.
    {FormatDayText, 3.0, "Wed"},
    {FormatDayText, 6.99, "Sat"},
    {FormatDayText, -0.5, "Sun"},
    {FormatDayText, 7.0, "n/a"},
    {FormatDayText, kNaN, "Sun"}};

template <typename Case, typename Call> void ExpectTexts(const Case& cases, Call call) {
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        Text t;
        call(c, t.buffer);
        EXPECT_EQ(t.str(), c.text);
        EXPECT_TRUE(t.tailUntouched());
    }
}

} // namespace

TEST(AiNames, TablesAsSpelledAndNotAvailableOutside) {
    const char* states[] = {"Init",      "Sleep",      "Flt Plan",     "Clearence", "Pre Push Back",
                            "Push Back", "Startup",    "Pre Taxi Out", "Taxi Out",  "Pre Take Off",
                            "Take Off",  "T&G Depart", "Enroute",      "Pattern",   "Landing",
                            "Rollout",   "Go Around",  "Taxi In",      "Shutdown",  "sleep",
                            "waypoint",  "takeoff",    "landing",      "taxi"};
    for (int32_t i = 0; i < 24; ++i) {
        EXPECT_STREQ(AiStateName(i), states[i]) << i;
    }
    const char* days[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    for (int32_t i = 0; i < 7; ++i) {
        EXPECT_STREQ(DayName(i), days[i]) << i;
    }
    for (const NameCase& c : kNameCases) {
        EXPECT_STREQ(c.name(c.index), c.text) << c.index;
    }
}

TEST(AiCells, TextsOfEveryFormatter) {
    ExpectTexts(kIntegerCases, [](const IntegerCase& c, char* out) { c.format(c.value, out); });
    ExpectTexts(kNumberCases, [](const NumberCase& c, char* out) { c.format(c.value, out); });
}

TEST(AiCells, HugeDistancesAreCutToTheBuffer) {
    Text t;
    FormatDistanceText(1e300, t.buffer); // 301 digits and ".0"
    EXPECT_EQ(t.str().size(), kTextSize - 1);
    EXPECT_EQ(t.str().substr(0, 2), "10");
    EXPECT_TRUE(t.tailUntouched());
}

TEST(AiStatus, UtcTimeWithTwoDigitsEach) {
    const struct {
        int32_t hours, minutes;
        uint16_t seconds;
        const char* text;
    } cases[] = {{9, 5, 3, "09:05:03"},
                 {23, 59, 59, "23:59:59"},
                 {0, 0, 65535, "00:00:65535"},
                 {INT32_MIN, -1, 0, "-2147483648:-1:00"}};
    for (const auto& c : cases) {
        Text t;
        FormatUtcTime(c.hours, c.minutes, c.seconds, t.buffer);
        EXPECT_EQ(t.str(), c.text);
    }
}

TEST(CopyHostText, StopsAtTheTerminatorOrTheBuffer) {
    char full[kTextSize];
    std::memset(full, 'x', sizeof full); // no terminator at all
    const struct {
        const char* source;
        size_t size;
        std::string text;
    } cases[] = {{"Boeing 737-800", kTextSize, "Boeing 737-800"},
                 {full, sizeof full, std::string(kTextSize - 1, 'x')},
                 {full, 4, "xxxx"}, // a shorter source is not read beyond its size
                 {"", kTextSize, ""}};
    for (const auto& c : cases) {
        Text t;
        CopyHostText(c.source, c.size, t.buffer);
        EXPECT_EQ(t.str(), c.text);
        EXPECT_TRUE(t.tailUntouched());
    }
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
