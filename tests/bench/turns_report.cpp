// How close the followed aircraft passes the eye point in a standard-rate turn, with the
// look-ahead straight and along the arc. A simulated aircraft turns at a constant rate; its
// course over the last ticks gives the rate, the placement puts the eye point, and the aircraft
// then flies its true circle through the period. Prints one line per case and exits 1 when a
// turn-aware pass-by misses by more than 1.5 times the intended offset.
#include <cmath>
#include <cstdio>
#include <initializer_list>

#include "camera/geodesy.h"
#include "camera/placement_math.h"
#include "camera/target_motion.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kMetresPerNm = 1852.0;
constexpr double kMetresPerFoot = 0.3048;
constexpr double kNmPerFoot = 0.000164; // the placement's own factor for sizes
constexpr double kStandardRateDegPerSec = 3.0;
constexpr double kSizeFeet = 36.0;
constexpr int32_t kLateralSizes = 2;  // the default Rlp
constexpr int32_t kAltitudeSizes = 1; // the default Ral
constexpr double kStepSeconds = 0.01; // sampling of the flight through the period
constexpr double kAimFactor = 1.5;    // turn-aware misses by at most this times the intent

struct Metres {
    double east, north;
};

// A position in metres east and north of the start, on the placement's own sphere.
Metres LocalMetres(const PlacementInputs& start, double latDeg, double lonDeg) {
    const double metresPerDeg = kRadiansPerDegree / kRadiansPerNm * kMetresPerNm;
    const double meanLat = (latDeg + start.latitudeDeg) * 0.5 * kRadiansPerDegree;
    return Metres{(lonDeg - start.longitudeDeg) * metresPerDeg * std::cos(meanLat),
                  (latDeg - start.latitudeDeg) * metresPerDeg};
}

// Where an aircraft on a circle of the given rate is t seconds after the start.
Metres OnCircle(double trueHeadingDeg, double rateDegPerSec, double knots, double t) {
    const double rate = rateDegPerSec * kPi / 180;
    const double radius = knots / 3600 * kMetresPerNm / rate;
    const double h0 = trueHeadingDeg * kPi / 180;
    const double h = h0 + rate * t;
    return Metres{radius * (std::cos(h0) - std::cos(h)), radius * (std::sin(h) - std::sin(h0))};
}

// The rate the tick would estimate from the courses read once a second before the placement.
double EstimatedRate(const PlacementInputs& start, double rateDegPerSec) {
    TurnHistory history;
    ClearTurnHistory(history);
    for (int32_t tick = 1 - kTurnSampleCount; tick <= 0; ++tick) {
        const double course = std::fmod(start.magneticHeadingDeg + rateDegPerSec * tick + 720, 360);
        RecordTurnSample(history, course, tick);
    }
    return SmoothedTurnRate(history);
}

// Closest approach, in metres, of the aircraft flying its circle to the placed eye point.
double ClosestApproach(const PlacementInputs& start, const PlacementLegs& legs, double rate,
                       int32_t period) {
    const Metres eye = LocalMetres(start, legs.latDeg, legs.lonDeg);
    const double up = (legs.eyeAltitudeFeet - start.altitudeFeet) * kMetresPerFoot;
    const double trueHeading = start.magneticHeadingDeg + start.magneticVariationDeg;
    double closest = INFINITY;
    for (double t = 0; t <= period; t += kStepSeconds) {
        const Metres at = OnCircle(trueHeading, rate, start.speedAlongKnots, t);
        closest = std::fmin(closest, std::hypot(at.east - eye.east, at.north - eye.north, up));
    }
    return closest;
}

} // namespace

int main() {
    bool aimMet = true;
    for (double knots : {60.0, 120.0, 250.0}) {
        for (double rate : {kStandardRateDegPerSec, -kStandardRateDegPerSec}) {
            for (int32_t period : {10, 20}) {
                PlacementInputs in{};
                in.latitudeDeg = 47.25;
                in.longitudeDeg = 8.5;
                in.altitudeFeet = 3000;
                in.magneticHeadingDeg = 40;
                in.sizeFeet = kSizeFeet;
                in.speedAlongKnots = knots;
                in.groundElevationFeet = 400;
                in.magneticVariationDeg = 2;
                PlacementParameters params{period, kLateralSizes, kAltitudeSizes, 0};
                const double straight =
                    ClosestApproach(in, ComputePlacementLegs(in, params), rate, period);
                params.turnRateDegPerSec = EstimatedRate(in, rate);
                const double turnAware =
                    ClosestApproach(in, ComputePlacementLegs(in, params), rate, period);
                const double intended =
                    std::hypot(kLateralSizes * kSizeFeet * kNmPerFoot * kMetresPerNm,
                               kAltitudeSizes * kSizeFeet * kMetresPerFoot);
                aimMet = aimMet && turnAware <= kAimFactor * intended;
                std::printf("turns: %.0f kt %.1f deg/s Svp %d: intended %.1f m, straight %.1f m, "
                            "turn-aware %.1f m\n",
                            knots, rate, static_cast<int>(period), intended, straight, turnAware);
            }
        }
    }
    std::printf("turns: turn-aware within %.1f times the intended offset in every case: %s\n",
                kAimFactor, aimMet ? "yes" : "no");
    return aimMet ? 0 : 1;
}
