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
    if (history.count > 0) {
        const double gap = timeSeconds - history.timeSeconds[history.count - 1];
        if (!(gap > 0.0 && gap <= kTurnSampleGapMaxSeconds)) {
            ClearTurnHistory(history);
        }
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

bool WatchTarget(TargetWatch& watch, double latDeg, double lonDeg, double courseDeg,
                 double groundSpeedKnots, double timeSeconds) {
    const bool jumped =
        watch.hasPosition && IsJump(watch.latDeg, watch.lonDeg, latDeg, lonDeg, groundSpeedKnots,
                                    timeSeconds - watch.timeSeconds);
    if (jumped) {
        ClearTurnHistory(watch.turns);
    }
    RecordTurnSample(watch.turns, courseDeg, timeSeconds);
    watch.latDeg = latDeg;
    watch.lonDeg = lonDeg;
    watch.timeSeconds = timeSeconds;
    watch.hasPosition = true;
    return jumped;
}
