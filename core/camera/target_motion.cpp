#include "core/camera/target_motion.h"

#include <cmath>

#include "core/camera/geodesy.h"

namespace {

constexpr double kFullTurnDeg = 360.0;
constexpr double kHoursPerSecond = 1.0 / 3600.0;

} // namespace

void ClearTurnHistory(TurnHistory& history) {
    history = TurnHistory{};
}

void RecordTurnSample(TurnHistory& history, double courseDeg, double timeSeconds) {
    const bool finite = std::isfinite(courseDeg) && std::isfinite(timeSeconds);
    if (!finite) {
        ClearTurnHistory(history);
        return;
    }
    if (history.count > 0 && !(timeSeconds > history.timeSeconds[history.count - 1])) {
        ClearTurnHistory(history);
    }
    if (history.count == kTurnSampleCount) {
        for (int32_t i = 1; i < kTurnSampleCount; ++i) {
            history.courseDeg[i - 1] = history.courseDeg[i];
            history.timeSeconds[i - 1] = history.timeSeconds[i];
        }
        --history.count;
    }
    history.courseDeg[history.count] = courseDeg;
    history.timeSeconds[history.count] = timeSeconds;
    ++history.count;
}

double SmoothedTurnRate(const TurnHistory& history) {
    if (history.count < 2) {
        return 0.0;
    }
    double turnDeg = 0.0;
    for (int32_t i = 1; i < history.count; ++i) {
        turnDeg += std::remainder(history.courseDeg[i] - history.courseDeg[i - 1], kFullTurnDeg);
    }
    return turnDeg / (history.timeSeconds[history.count - 1] - history.timeSeconds[0]);
}

bool IsJump(double previousLatDeg, double previousLonDeg, double latDeg, double lonDeg,
            double groundSpeedKnots, double elapsedSeconds) {
    const double movedNm =
        CentralAngle(previousLatDeg, previousLonDeg, latDeg, lonDeg) / kRadiansPerNm;
    // A negative time allows nothing beyond the floor; a value that is not a number makes both
    // comparisons false, so no jump is claimed.
    const double allowedNm =
        kJumpSpeedFactor * std::fabs(groundSpeedKnots) * elapsedSeconds * kHoursPerSecond;
    return movedNm > kJumpFloorNm && movedNm > allowedNm;
}

void ClearTargetWatch(TargetWatch& watch) {
    watch = TargetWatch{};
}

bool WatchTarget(TargetWatch& watch, const TargetReading& reading, const SimulationStep& step,
                 uint32_t tick) {
    const bool follows = watch.hasPosition && tick == watch.tick + 1;
    const bool jumped =
        follows && IsJump(watch.latDeg, watch.lonDeg, reading.latDeg, reading.lonDeg,
                          reading.groundSpeedKnots, step.mostSimSeconds);
    if (!follows || jumped) {
        ClearTurnHistory(watch.turns);
    }
    if (step.simSeconds > 0.0) {
        RecordTurnSample(watch.turns, reading.courseDeg, step.timeSeconds);
    }
    watch.latDeg = reading.latDeg;
    watch.lonDeg = reading.lonDeg;
    watch.tick = tick;
    watch.hasPosition = true;
    return jumped;
}

double FreshTurnRate(const TargetWatch& watch, uint32_t tick) {
    return watch.hasPosition && tick - watch.tick <= 1 ? SmoothedTurnRate(watch.turns) : 0.0;
}
