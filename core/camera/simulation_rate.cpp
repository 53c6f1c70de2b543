#include "core/camera/simulation_rate.h"

#include <cmath>

namespace {

constexpr int32_t kSecondsPerMinute = 60;
constexpr int32_t kSecondsPerHour = 3600;
constexpr int32_t kHoursPerDay = 24;
constexpr double kSimRateMinExponent = -2.0; // log2 of kSimRateMin
constexpr double kSimRateMaxExponent = 7.0;  // log2 of kSimRateMax
constexpr double kHalf = 0.5;
// The clock may stand this many of its own seconds' worth of ticks, plus one tick, before it
// counts as standing still: a tick that comes early shows the same second twice.
constexpr double kClockStillSeconds = 2.0;

void Restart(SimulationRate& sim) {
    sim.stepCount = 0;
    sim.nextStep = 0;
    sim.steady = false;
    sim.rate = 1.0;
}

// The mean of the latest steps, over at least kClockMeanMinTicks and kClockMeanMinSeconds (or
// all kept), as the nearest rate the host has; real seconds while there are too few or the mean
// lies beyond the rates.
void Estimate(SimulationRate& sim) {
    int32_t seconds = 0;
    int32_t ticks = 0;
    while (ticks < sim.stepCount &&
           !(ticks >= kClockMeanMinTicks && seconds >= kClockMeanMinSeconds)) {
        ++ticks;
        seconds += sim.steps[(sim.nextStep - ticks + kClockStepsKept) % kClockStepsKept];
    }
    const bool enough = (ticks >= kClockMeanMinTicks && seconds >= kClockMeanMinSeconds) ||
                        ticks == kClockStepsKept;
    if (!enough || seconds == 0) {
        sim.steady = false;
        sim.rate = 1.0;
        return;
    }
    const double exponent = std::log2(static_cast<double>(seconds) / ticks);
    const double nearest =
        std::fmin(std::fmax(std::round(exponent), kSimRateMinExponent), kSimRateMaxExponent);
    sim.steady = std::fabs(exponent - nearest) <= kHalf;
    sim.rate = sim.steady ? std::ldexp(1.0, static_cast<int>(nearest)) : 1.0;
    if (sim.steady) {
        sim.steadyRate = sim.rate;
    }
}

// One step of the clock while the host runs: kept for the mean, unless it is a jump or the end
// of too long a standstill, which start the mean afresh.
void TakeStep(SimulationRate& sim, int32_t step) {
    const double fastest = sim.steady ? sim.rate : kSimRateMax;
    const double slowest = sim.steady ? sim.rate : kSimRateMin;
    if (step > kClockStepSpread * fastest + 1.0 || step < slowest / kClockStepSpread - 1.0) {
        sim.stillTicks = 0;
        Restart(sim);
        return;
    }
    sim.stillTicks = step == 0 ? sim.stillTicks + 1 : 0;
    if (sim.stillTicks > kClockStillSeconds / slowest + 1.0) {
        Restart(sim);
        return;
    }
    sim.steps[sim.nextStep] = step;
    sim.nextStep = (sim.nextStep + 1) % kClockStepsKept;
    if (sim.stepCount < kClockStepsKept) {
        ++sim.stepCount;
    }
    Estimate(sim);
}

} // namespace

void ClearSimulationRate(SimulationRate& sim) {
    sim = SimulationRate{};
    sim.lastSecondOfDay = -1;
    sim.rate = 1.0;
    sim.steadyRate = 1.0;
}

int32_t SecondOfDay(int32_t hours, int32_t minutes, int32_t seconds) {
    const bool valid = hours >= 0 && hours < kHoursPerDay && minutes >= 0 &&
                       minutes < kSecondsPerMinute && seconds >= 0 && seconds < kSecondsPerMinute;
    return valid ? hours * kSecondsPerHour + minutes * kSecondsPerMinute + seconds : -1;
}

SimulationStep StepSimulationRate(SimulationRate& sim, int32_t secondOfDay, bool held,
                                  uint32_t tick) {
    const bool follows = secondOfDay >= 0 && sim.lastSecondOfDay >= 0 && tick == sim.lastTick + 1;
    const int32_t step =
        follows ? (secondOfDay - sim.lastSecondOfDay + kSecondsPerDay) % kSecondsPerDay : 0;
    sim.lastSecondOfDay = secondOfDay;
    sim.lastTick = tick;
    if (secondOfDay < 0) {
        Restart(sim);
    }
    if (follows && step == 0 && held) {
        return SimulationStep{0.0, 0.0, sim.simSeconds};
    }
    if (follows) {
        TakeStep(sim, step);
    }
    sim.simSeconds += sim.rate;
    // Whatever the clock did, the host flew no faster than the latest rate it showed, or than
    // this step (a tick late, a rate just raised); a clock set ahead allows no more than a tick.
    const double most = std::fmax(std::fmax(sim.rate, sim.steadyRate), static_cast<double>(step));
    return SimulationStep{sim.rate, std::fmin(most, kMostSimSecondsPerTick), sim.simSeconds};
}

double FreshSimulationRate(const SimulationRate& sim, uint32_t tick) {
    return sim.lastSecondOfDay >= 0 && tick - sim.lastTick <= 1 ? sim.rate : 1.0;
}
