#pragma once
// What the followed aircraft's motion from one tick to the next tells: how fast it turns, and
// whether it jumped (slewed or moved by the host) rather than flew. Times are simulated seconds
// (simulation_rate.h). Pure and heap-free: the tick reads the host values and keeps the history
// in the module's state.
#include <cstdint>

#include "core/camera/simulation_rate.h"

constexpr int32_t kTurnSampleCount = 4;  // courses kept: three ticks' steps
constexpr double kJumpFloorNm = 2.0;     // a move shorter than this never counts as a jump
constexpr double kJumpSpeedFactor = 3.0; // times the distance the speed allows

// The latest courses of the followed aircraft, oldest first.
struct TurnHistory {
    double courseDeg[kTurnSampleCount];   // magnetic heading as read, any turn
    double timeSeconds[kTurnSampleCount]; // simulated
    int32_t count;                        // samples held, 0..kTurnSampleCount
};

// Forgets every sample: for a new target, a host that left its flying state, a view switched off.
void ClearTurnHistory(TurnHistory& history);

// Adds a course read at timeSeconds, dropping the oldest when full. A value that is not finite
// or a time not after the latest sample's starts afresh (with this sample when it is finite).
void RecordTurnSample(TurnHistory& history, double courseDeg, double timeSeconds);

// The mean rate of turn over the samples held, deg per simulated second, positive to the right;
// the step between two samples is taken the short way round (359 to 1 is +2). 0 with fewer than
// two samples.
double SmoothedTurnRate(const TurnHistory& history);

// True when the aircraft moved more than max(kJumpFloorNm, kJumpSpeedFactor x the distance its
// ground speed covers in elapsedSeconds) between the two positions; false when a value is not
// finite. Degrees, knots, seconds; positions as read, longitudes not wrapped.
bool IsJump(double previousLatDeg, double previousLonDeg, double latDeg, double lonDeg,
            double groundSpeedKnots, double elapsedSeconds);

// Both per tick: the course history and the position of the latest reading.
struct TargetWatch {
    TurnHistory turns;
    double latDeg, lonDeg; // the latest reading, when hasPosition
    uint32_t tick;         // the tick of the latest reading
    bool hasPosition;
};

// What a tick reads of the followed aircraft.
struct TargetReading {
    double latDeg, lonDeg, courseDeg, groundSpeedKnots;
};

// Forgets everything, like ClearTurnHistory and for the same reasons; a target switched to is
// thus never taken for a jump.
void ClearTargetWatch(TargetWatch& watch);

// One tick's reading of the followed aircraft: records its course and position and returns true
// when it jumped since the previous tick's reading, measured against the most the host can have
// flown in the tick. A jump, or a reading that does not follow the previous tick's, restarts the
// course history, whose samples from before say nothing of the turn now. While the host is held
// (no simulated time) the course is not sampled, and the history stays.
bool WatchTarget(TargetWatch& watch, const TargetReading& reading, const SimulationStep& step,
                 uint32_t tick);

// The rate of turn (SmoothedTurnRate) while the history is fresh: its latest reading from this
// tick or the one before; 0 for an older one, which says nothing of the turn now.
double FreshTurnRate(const TargetWatch& watch, uint32_t tick);
