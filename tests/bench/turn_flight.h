#pragma once
// An aircraft in a steady turn, for the native turn report and picture: the case both fly, where
// it is along its true circle, the rate the tick would estimate from its course, and how close it
// passes a placed eye point. Metres east and north of where it was at the placement.
#include <cmath>
#include <cstdint>

#include "core/camera/geodesy.h"
#include "core/camera/placement_math.h"
#include "core/camera/target_motion.h"

namespace turn_flight {

constexpr double kPi = 3.14159265358979323846;
constexpr double kMetresPerNm = 1852.0;
constexpr double kMetresPerFoot = 0.3048;
constexpr double kNmPerFoot = 0.000164; // the placement's own factor for sizes
constexpr double kStandardRateDegPerSec = 3.0;
constexpr double kSizeFeet = 36.0;
constexpr int32_t kLateralSizes = 2;  // the default Rlp
constexpr int32_t kAltitudeSizes = 1; // the default Ral
constexpr double kStepSeconds = 0.01; // sampling of the flight through the period

struct Metres {
    double east, north;
};

// Where and when the aircraft came closest to the eye point, and how close, in three dimensions.
struct Approach {
    double metres;
    double seconds; // after the placement
    Metres at;
};

// The aircraft at the placement: mid-Europe at 3000 ft, magnetic course 40, variation 2 east.
inline PlacementInputs TurnCase(double knots) {
    PlacementInputs in{};
    in.latitudeDeg = 47.25;
    in.longitudeDeg = 8.5;
    in.altitudeFeet = 3000;
    in.magneticHeadingDeg = 40;
    in.sizeFeet = kSizeFeet;
    in.speedAlongKnots = knots;
    in.groundElevationFeet = 400;
    in.magneticVariationDeg = 2;
    return in;
}

// The distance the placement means the aircraft to pass at: beside and above it.
inline double IntendedMetres() {
    return std::hypot(kLateralSizes * kSizeFeet * kNmPerFoot * kMetresPerNm,
                      kAltitudeSizes * kSizeFeet * kMetresPerFoot);
}

// A position in metres east and north of the start, on the placement's own sphere.
inline Metres LocalMetres(const PlacementInputs& start, double latDeg, double lonDeg) {
    const double metresPerDeg = kRadiansPerDegree / kRadiansPerNm * kMetresPerNm;
    const double meanLat = (latDeg + start.latitudeDeg) * 0.5 * kRadiansPerDegree;
    return Metres{(lonDeg - start.longitudeDeg) * metresPerDeg * std::cos(meanLat),
                  (latDeg - start.latitudeDeg) * metresPerDeg};
}

// Where an aircraft on a circle of the given rate is t seconds after the start.
inline Metres OnCircle(double trueHeadingDeg, double rateDegPerSec, double knots, double t) {
    const double rate = rateDegPerSec * kPi / 180;
    const double radius = knots / 3600 * kMetresPerNm / rate;
    const double h0 = trueHeadingDeg * kPi / 180;
    const double h = h0 + rate * t;
    return Metres{radius * (std::cos(h0) - std::cos(h)), radius * (std::sin(h) - std::sin(h0))};
}

inline double TrueHeadingDeg(const PlacementInputs& start) {
    return start.magneticHeadingDeg + start.magneticVariationDeg;
}

// The rate the tick would estimate from the courses read once a second before the placement.
inline double EstimatedRate(const PlacementInputs& start, double rateDegPerSec) {
    TurnHistory history;
    ClearTurnHistory(history);
    for (int32_t tick = 1 - kTurnSampleCount; tick <= 0; ++tick) {
        const double course = std::fmod(start.magneticHeadingDeg + rateDegPerSec * tick + 720, 360);
        RecordTurnSample(history, course, tick);
    }
    return SmoothedTurnRate(history);
}

// Closest approach of the aircraft flying its circle through the period to the placed eye point.
inline Approach ClosestApproach(const PlacementInputs& start, const PlacementLegs& legs,
                                double rate, int32_t period) {
    const Metres eye = LocalMetres(start, legs.latDeg, legs.lonDeg);
    const double up = (legs.eyeAltitudeFeet - start.altitudeFeet) * kMetresPerFoot;
    Approach closest{INFINITY, 0, Metres{0, 0}};
    for (double t = 0; t <= period; t += kStepSeconds) {
        const Metres at = OnCircle(TrueHeadingDeg(start), rate, start.speedAlongKnots, t);
        const double metres = std::hypot(at.east - eye.east, at.north - eye.north, up);
        if (metres < closest.metres) {
            closest = Approach{metres, t, at};
        }
    }
    return closest;
}

} // namespace turn_flight
