#pragma once
// How fast the host's simulation runs: the module ticks once a real second while the host flies
// 1/4 to 128 simulated seconds in it. Taken from the host's clock of universal time, which runs
// in simulated time and shows whole seconds, so the rate is the mean of the clock's steps over
// several ticks, rounded to the power of two it lies nearest. A clock that stands still while the
// host runs, or jumps (the pilot sets the time of day), says nothing of the rate: real seconds
// count until it runs steadily again. Pure and heap-free.
#include <cstdint>

constexpr double kSimRateMin = 0.25;  // simulated seconds per real second, the slowest rate
constexpr double kSimRateMax = 128.0; // and the fastest
constexpr int32_t kSecondsPerDay = 86400;
constexpr int32_t kClockStepsKept = 32;     // ticks: 8 clock seconds at the slowest rate
constexpr int32_t kClockMeanMinTicks = 4;   // a mean spans at least this many ticks, 1..32
constexpr int32_t kClockMeanMinSeconds = 8; // and this many clock seconds, when kept
// A step of the clock beyond this many times the rate (plus a second) or below the rate by as
// much (minus a second) is a jump of the clock: wide enough for a doubled or halved rate.
constexpr double kClockStepSpread = 4.0;
// The most simulated seconds one tick can hold: the fastest rate with a tick late by a second.
constexpr double kMostSimSecondsPerTick = 2.0 * kSimRateMax;

struct SimulationRate {
    int32_t steps[kClockStepsKept]; // clock seconds of each tick the host ran, a ring
    int32_t stepCount;              // 0..kClockStepsKept
    int32_t nextStep;               // where the next step goes, 0..kClockStepsKept - 1
    int32_t lastSecondOfDay;        // the clock at the latest tick; -1: none
    uint32_t lastTick;
    int32_t stillTicks; // ticks in a row the clock stood while the host ran
    bool steady;        // rate is taken from the clock
    double rate;        // simulated seconds per tick: the clock's rate while steady, else 1
    double steadyRate;  // the latest rate found steady, 1 before any
    double simSeconds;  // simulated time summed over the ticks: the course samples' clock
};

// One tick's share of simulated time.
struct SimulationStep {
    double simSeconds;     // rate, or 0 while the host is held with its clock standing
    double mostSimSeconds; // the most the host can have flown: what a jump is measured against
    double timeSeconds;    // SimulationRate::simSeconds after this tick
};

// Starts afresh: no clock seen, real seconds.
void ClearSimulationRate(SimulationRate& sim);

// The clock's second of the day, 0..86399, or -1 when a field is out of its range.
int32_t SecondOfDay(int32_t hours, int32_t minutes, int32_t seconds);

// Takes the clock (SecondOfDay, -1 when unreadable) at a tick. held: the host is paused, so a
// clock standing is no sign of trouble. A tick that does not follow the latest one only sets
// the clock anew. The day wraps at midnight without a jump.
SimulationStep StepSimulationRate(SimulationRate& sim, int32_t secondOfDay, bool held,
                                  uint32_t tick);

// The rate while the clock was taken at this tick or the one before; 1 for an older reading.
double FreshSimulationRate(const SimulationRate& sim, uint32_t tick);
