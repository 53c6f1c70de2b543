// The simulation rate taken from the host's whole-second clock, one reading a tick.
#include <gtest/gtest.h>

#include <vector>

#include "core/camera/simulation_rate.h"

namespace {

struct Outcome {
    double rate, steadyRate, mostSimSeconds;
};

// After a tick a second with the clock moving on by each step of `before`, `times` times over,
// then of `after`, from 23:59:58 (-1: unreadable); the host is held while held is set.
Outcome After(const std::vector<int32_t>& before, int times, const std::vector<int32_t>& after,
              bool held = false) {
    std::vector<int32_t> steps;
    for (int i = 0; i < times; ++i) {
        steps.insert(steps.end(), before.begin(), before.end());
    }
    steps.insert(steps.end(), after.begin(), after.end());
    SimulationRate sim;
    ClearSimulationRate(sim);
    int32_t clock = SecondOfDay(23, 59, 58);
    SimulationStep last{};
    for (uint32_t tick = 0; tick <= steps.size(); ++tick) {
        const int32_t step = tick == 0 ? 0 : steps[tick - 1];
        clock = (clock + step + kSecondsPerDay) % kSecondsPerDay;
        last = StepSimulationRate(sim, step < 0 ? -1 : clock, held, tick + 1);
    }
    return Outcome{last.simSeconds, sim.steadyRate, last.mostSimSeconds};
}

} // namespace

TEST(SimulationRate, ThePowerOfTwoNearestTheClocksMeanUnlessItStandsOrJumps) {
    constexpr double kMost = kMostSimSecondsPerTick;
    const struct {
        const char* what;
        Outcome expected, got;
    } cases[] = {
        {"too few steps yet", {1, 1, 2}, After({2, 2}, 1, {})},
        {"1x, a tick early and one late", {1, 1, 1}, After({1}, 6, {0, 2, 1, 1})},
        {"1/4x through midnight", {0.25, 0.25, 1}, After({0, 0, 0, 1}, 8, {})},
        {"1/2x", {0.5, 0.5, 1}, After({0, 1}, 8, {})},
        {"16x, jittery", {16, 16, 16}, After({15, 17, 16}, 3, {})},
        {"128x", {128, 128, 128}, After({128}, 4, {})},
        {"2x raised to 4x", {4, 4, 4}, After({2}, 8, {4, 4, 4})},
        {"set ahead at 16x", {1, 16, kMost}, After({16}, 8, {7200})},
        {"set back at 16x", {1, 16, kMost}, After({16}, 8, {kSecondsPerDay - 3600})},
        {"a tick early at 4x", {4, 4, 4}, After({4}, 8, {0})},
        {"standing at 4x", {1, 4, 4}, After({4}, 8, {0, 0})},
        {"standing at 16x", {1, 16, 16}, After({16}, 8, {0})},
        {"running again after standing", {2, 2, 2}, After({0}, 20, {2, 2, 2, 2})},
        {"held at 16x", {0, 16, 0}, After({16}, 8, {0, 0}, true)},
        {"unreadable at 4x", {1, 4, 4}, After({4}, 8, {-1})},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.got.rate, c.expected.rate) << c.what;
        EXPECT_EQ(c.got.steadyRate, c.expected.steadyRate) << c.what;
        EXPECT_EQ(c.got.mostSimSeconds, c.expected.mostSimSeconds) << c.what;
    }
}
