// The followed aircraft's rate of turn from its latest courses, and the jumps told from flight.
#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "core/camera/geodesy.h"
#include "core/camera/target_motion.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct Sample {
    double courseDeg, timeSeconds;
};

double RateAfter(const std::vector<Sample>& samples) {
    TurnHistory history;
    ClearTurnHistory(history);
    for (const Sample& s : samples) {
        RecordTurnSample(history, s.courseDeg, s.timeSeconds);
    }
    EXPECT_LE(history.count, kTurnSampleCount);
    return SmoothedTurnRate(history);
}

// Degrees of latitude for a distance in the module's nautical miles.
double NorthDeg(double nm) {
    return nm * kRadiansPerNm * kDegreesPerRadian;
}

} // namespace

TEST(TurnHistory, SmoothedRateOverTheLatestSamples) {
    const struct {
        const char* what;
        std::vector<Sample> samples;
        double rate;
    } cases[] = {
        {"none", {}, 0},
        {"one sample", {{90, 1}}, 0},
        {"right, through north", {{353, 1}, {356, 2}, {359, 3}, {2, 4}}, 3},
        {"left, through north", {{4, 7}, {1, 8}, {358, 9}, {355, 10}}, -3},
        {"mean of uneven steps", {{10, 1}, {11, 2}, {13, 3}, {16, 4}}, 2},
        {"two seconds apart", {{100, 2}, {110, 4}}, 5},
        {"the oldest falls out", {{0, 1}, {10, 2}, {11, 3}, {12, 4}, {13, 5}}, 1},
        {"time going back starts afresh", {{0, 5}, {30, 6}, {31, 2}, {33, 3}}, 2},
        {"a course not a number starts afresh", {{0, 1}, {30, 2}, {kNaN, 3}, {34, 4}, {38, 5}}, 4},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(RateAfter(c.samples), c.rate) << c.what;
    }
}

TEST(IsJump, MovesBeyondTwoMilesOrThreeTimesTheSpeed) {
    const struct {
        const char* what;
        double lat, lon, lat2, lon2, knots, seconds;
        bool jump;
    } cases[] = {
        {"under two miles at rest", 47, 8, 47 + NorthDeg(1.9), 8, 0, 1, false},
        {"over two miles at rest", 47, 8, 47 + NorthDeg(2.1), 8, 0, 1, true},
        {"over two miles at 250 kt in a second", 47, 8, 47 + NorthDeg(2.1), 8, 250, 1, true},
        {"within three times 600 kt in 5 s", 47, 8, 47 + NorthDeg(2.4), 8, 600, 5, false},
        {"beyond three times 600 kt in 5 s", 47, 8, 47 + NorthDeg(2.6), 8, -600, 5, true},
        {"across the antimeridian, near", 0, 179.99, 0, -179.99, 0, 1, false},
        {"across the antimeridian, far", 0, 179.9, 0, -179.9, 0, 1, true},
        {"negative time allows the floor only", 47, 8, 47 + NorthDeg(2.1), 8, 600, -5, true},
        {"position not a number", 47, 8, kNaN, 8, 0, 1, false},
        {"speed not a number", 47, 8, 48, 8, kNaN, 1, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsJump(c.lat, c.lon, c.lat2, c.lon2, c.knots, c.seconds), c.jump) << c.what;
    }
}

TEST(WatchTarget, AJumpOrAMissedTickRestartsTheTurnHistory) {
    TargetWatch watch;
    ClearTargetWatch(watch);
    // 120 kt north, turning right at 3 deg/s, then slewed 10 nm east, then flying on; two ticks
    // of 2 simulated seconds, a tick held, and a tick left out (another view) after which even a
    // far move is no jump.
    const struct {
        uint32_t tick;
        double lat, lon, course, simSeconds;
        bool jump;
        double rate;
    } ticks[] = {
        {1, 47, 8, 0, 1, false, 0},
        {2, 47 + NorthDeg(120 / 3600.0), 8, 3, 1, false, 3},
        {3, 47 + NorthDeg(240 / 3600.0), 8, 6, 1, false, 3},
        {4, 47 + NorthDeg(240 / 3600.0), 8.25, 200, 1, true, 0},
        {5, 47 + NorthDeg(360 / 3600.0), 8.25, 206, 2, false, 3},
        {6, 47 + NorthDeg(600 / 3600.0), 8.25, 212, 2, false, 3},
        {7, 47 + NorthDeg(600 / 3600.0), 8.25, 212, 0, false, 3},
        {9, 48, 8.25, 230, 1, false, 0},
    };
    double timeSeconds = 0;
    for (const auto& t : ticks) {
        timeSeconds += t.simSeconds;
        const SimulationStep step{t.simSeconds, t.simSeconds, timeSeconds};
        EXPECT_EQ(WatchTarget(watch, TargetReading{t.lat, t.lon, t.course, 120}, step, t.tick),
                  t.jump)
            << t.tick;
        EXPECT_DOUBLE_EQ(FreshTurnRate(watch, t.tick + 1), t.rate) << t.tick;
        EXPECT_EQ(FreshTurnRate(watch, t.tick + 2), 0.0) << "a tick later it is stale";
    }
    ClearTargetWatch(watch); // a new target, however far away, is no jump
    EXPECT_FALSE(WatchTarget(watch, TargetReading{-33, 151, 90, 0}, SimulationStep{1, 1, 20}, 10));
}
