// The simulation rate taken from the host's whole-second clock, one reading a tick.
#include <gtest/gtest.h>

#include <vector>

#include "camera/simulation_rate.h"

namespace {

struct Outcome {
    double rate, steadyRate, mostSimSeconds;
};

// Ticks 1, 2, ... with the clock moving on by each step from 23:59:58 (-1: unreadable); the
// host is held while held is set.
Outcome After(const std::vector<int32_t>& steps, bool held = false) {
    SimulationRate sim;
    ClearSimulationRate(sim);
    int32_t clock = SecondOfDay(23, 59, 58);
    SimulationStep last = StepSimulationRate(sim, clock, held, 1);
    uint32_t tick = 1;
    for (int32_t step : steps) {
        clock = (clock + step + kSecondsPerDay) % kSecondsPerDay;
        last = StepSimulationRate(sim, step < 0 ? -1 : clock, held, ++tick);
    }
    return Outcome{last.simSeconds, sim.steadyRate, last.mostSimSeconds};
}

std::vector<int32_t> Repeat(std::vector<int32_t> pattern, int times) {
    std::vector<int32_t> steps;
    for (int i = 0; i < times; ++i) {
        steps.insert(steps.end(), pattern.begin(), pattern.end());
    }
    return steps;
}

std::vector<int32_t> Then(std::vector<int32_t> a, const std::vector<int32_t>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

} // namespace

TEST(SimulationRate, ThePowerOfTwoNearestTheClocksMeanUnlessItStandsOrJumps) {
    const struct {
        const char* what;
        std::vector<int32_t> steps;
        bool held;
        Outcome expected;
    } cases[] = {
        {"too few steps yet", {2, 2}, false, {1, 1, 2}},
        {"1x, a tick early and one late", Then(Repeat({1}, 6), {0, 2, 1, 1}), false, {1, 1, 1}},
        {"1/4x through midnight", Repeat({0, 0, 0, 1}, 8), false, {0.25, 0.25, 1}},
        {"1/2x", Repeat({0, 1}, 8), false, {0.5, 0.5, 1}},
        {"4x", Repeat({4}, 4), false, {4, 4, 4}},
        {"16x, jittery", Repeat({15, 17, 16}, 3), false, {16, 16, 16}},
        {"128x", Repeat({128}, 4), false, {128, 128, 128}},
        {"2x raised to 4x", Then(Repeat({2}, 8), {4, 4, 4}), false, {4, 4, 4}},
        {"set ahead at 16x", Then(Repeat({16}, 8), {7200}), false, {1, 16, kMostSimSecondsPerTick}},
        {"set back at 16x",
         Then(Repeat({16}, 8), {-3600 + kSecondsPerDay}),
         false,
         {1, 16, kMostSimSecondsPerTick}},
        {"standing at 16x", Then(Repeat({16}, 8), {0}), false, {1, 16, 16}},
        {"a tick early at 4x", Then(Repeat({4}, 8), {0}), false, {4, 4, 4}},
        {"standing at 4x", Then(Repeat({4}, 8), {0, 0}), false, {1, 4, 4}},
        {"running again after standing", Then(Repeat({0}, 20), Repeat({2}, 4)), false, {2, 2, 2}},
        {"held at 16x", Then(Repeat({16}, 8), {0, 0}), true, {0, 16, 0}},
        {"unreadable at 4x", Then(Repeat({4}, 8), {-1}), false, {1, 4, 4}},
    };
    for (const auto& c : cases) {
        const Outcome run = After(c.steps, c.held);
        EXPECT_EQ(run.rate, c.expected.rate) << c.what;
        EXPECT_EQ(run.steadyRate, c.expected.steadyRate) << c.what;
        EXPECT_EQ(run.mostSimSeconds, c.expected.mostSimSeconds) << c.what;
    }
}
