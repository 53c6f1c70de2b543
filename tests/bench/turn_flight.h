#pragma once
// An aircraft in a steady turn, for the native turn report, the picture and the placement's
// tests: the case they fly, where the aircraft is along its flight, the rate the tick would
// estimate from its course, and how close it passes a placed eye point. The flight is integrated
// on the placement's own sphere in small steps, independently of the placement's formulas: great-
// circle steps, and between them the heading turned at the aircraft's own rate, relative to the
// great circle it would fly straight (a steady bank). Its course as read, relative to north,
// therefore also turns with the meridians' convergence. Metres east and north of the start.
#include <cmath>
#include <cstdint>

#include "core/camera/geodesy.h"
#include "core/camera/placement_math.h"
#include "core/camera/target_motion.h"

namespace turn_flight {

constexpr double kPi = 3.14159265358979323846;
constexpr double kMetresPerNm = 1852.0;
constexpr double kMetresPerFoot = 0.3048;
constexpr double kEarthRadiusMetres = kEarthRadiusNm * kMetresPerNm;
constexpr double kNmPerFoot = 0.000164; // the placement's own factor for sizes
constexpr double kStandardRateDegPerSec = 3.0;
constexpr double kSizeFeet = 36.0;
constexpr int32_t kLateralSizes = 2;  // the default Rlp
constexpr int32_t kAltitudeSizes = 1; // the default Ral
constexpr double kStepSeconds = 0.01; // of the integration, and of the sampling of a period

// A point of the unit sphere, or a direction, in space.
struct Vec {
    double x, y, z;
};

inline Vec operator+(Vec a, Vec b) {
    return Vec{a.x + b.x, a.y + b.y, a.z + b.z};
}

inline Vec operator*(double k, Vec a) {
    return Vec{k * a.x, k * a.y, k * a.z};
}

inline double Dot(Vec a, Vec b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

inline Vec Cross(Vec a, Vec b) {
    return Vec{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

inline double Norm(Vec a) {
    return std::sqrt(Dot(a, a));
}

// Degrees in the module's own factor, so that a latitude means the same point to both.
inline Vec FromLatLon(double latDeg, double lonDeg) {
    const double lat = latDeg * kRadiansPerDegree, lon = lonDeg * kRadiansPerDegree;
    return Vec{std::cos(lat) * std::cos(lon), std::cos(lat) * std::sin(lon), std::sin(lat)};
}

inline Vec EastAt(Vec p) {
    const double h = std::hypot(p.x, p.y);
    return Vec{-p.y / h, p.x / h, 0};
}

inline Vec NorthAt(Vec p) {
    return Cross(p, EastAt(p));
}

inline double LatDeg(Vec p) {
    return std::atan2(p.z, std::hypot(p.x, p.y)) * kDegreesPerRadian;
}

// Ground distance between two points of the sphere.
inline double MetresBetween(Vec a, Vec b) {
    return std::atan2(Norm(Cross(a, b)), Dot(a, b)) * kEarthRadiusMetres;
}

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

// A point projected on the plane that touches the sphere at the start, in metres.
inline Metres LocalMetres(const PlacementInputs& start, Vec p) {
    const Vec from = FromLatLon(start.latitudeDeg, start.longitudeDeg);
    return Metres{Dot(p, EastAt(from)) * kEarthRadiusMetres,
                  Dot(p, NorthAt(from)) * kEarthRadiusMetres};
}

inline Metres LocalMetres(const PlacementInputs& start, double latDeg, double lonDeg) {
    return LocalMetres(start, FromLatLon(latDeg, lonDeg));
}

inline double TrueHeadingDeg(const PlacementInputs& start) {
    return start.magneticHeadingDeg + start.magneticVariationDeg;
}

struct Flight {
    Vec at;
    Vec heading;           // unit, tangent to the sphere at `at`
    double turnRadPerSec;  // positive to the right
    double speedRadPerSec; // the earth's angle flown
};

inline Flight StartFlight(const PlacementInputs& start, double rateDegPerSec) {
    const Vec at = FromLatLon(start.latitudeDeg, start.longitudeDeg);
    const double h = TrueHeadingDeg(start) * kRadiansPerDegree;
    return Flight{at, std::cos(h) * NorthAt(at) + std::sin(h) * EastAt(at),
                  rateDegPerSec * kRadiansPerDegree, start.speedAlongKnots / 3600 * kRadiansPerNm};
}

// To the right, about the vertical: seen from above, clockwise.
inline void Turn(Flight& f, double rad) {
    f.heading = std::cos(rad) * f.heading + std::sin(rad) * Cross(f.heading, f.at);
}

// Along the great circle of the heading, which turns with it.
inline void Advance(Flight& f, double rad) {
    const Vec at = std::cos(rad) * f.at + std::sin(rad) * f.heading;
    f.heading = std::cos(rad) * f.heading + (-std::sin(rad)) * f.at;
    f.at = at;
}

// Half a turn, a step, half a turn: a symmetric step, so that flying back retraces the flight.
inline void Fly(Flight& f, double seconds) {
    const int64_t steps = static_cast<int64_t>(std::ceil(std::fabs(seconds) / kStepSeconds));
    const double dt = steps > 0 ? seconds / static_cast<double>(steps) : 0.0;
    for (int64_t i = 0; i < steps; ++i) {
        Turn(f, f.turnRadPerSec * dt / 2);
        Advance(f, f.speedRadPerSec * dt);
        Turn(f, f.turnRadPerSec * dt / 2);
    }
}

inline double TrueCourseDeg(const Flight& f) {
    return std::atan2(Dot(f.heading, EastAt(f.at)), Dot(f.heading, NorthAt(f.at))) *
           kDegreesPerRadian;
}

// Where the aircraft is t seconds after the start (before it, for t below 0).
inline Flight FlownFor(const PlacementInputs& start, double rateDegPerSec, double t) {
    Flight f = StartFlight(start, rateDegPerSec);
    Fly(f, t);
    return f;
}

// The rate the tick would estimate from the magnetic courses read once a second before the
// placement: the aircraft's own turn and the meridians' convergence.
inline double EstimatedRate(const PlacementInputs& start, double rateDegPerSec) {
    double courses[kTurnSampleCount];
    Flight f = StartFlight(start, rateDegPerSec);
    for (int32_t i = kTurnSampleCount - 1; i >= 0; --i) {
        courses[i] = std::fmod(TrueCourseDeg(f) - start.magneticVariationDeg + 720, 360);
        Fly(f, -1.0);
    }
    TurnHistory history;
    ClearTurnHistory(history);
    for (int32_t i = 0; i < kTurnSampleCount; ++i) {
        RecordTurnSample(history, courses[i], i + 1 - kTurnSampleCount);
    }
    return SmoothedTurnRate(history);
}

// Closest approach of the aircraft flying through the period to the placed eye point.
inline Approach ClosestApproach(const PlacementInputs& start, const PlacementLegs& legs,
                                double rateDegPerSec, int32_t period) {
    const Vec eye = FromLatLon(legs.latDeg, legs.lonDeg);
    const double up = (legs.eyeAltitudeFeet - start.altitudeFeet) * kMetresPerFoot;
    Flight f = StartFlight(start, rateDegPerSec);
    Approach closest{INFINITY, 0, Metres{0, 0}};
    const int64_t samples = static_cast<int64_t>(std::lround(period / kStepSeconds));
    for (int64_t i = 0; i <= samples; ++i) {
        const double metres = std::hypot(MetresBetween(f.at, eye), up);
        if (metres < closest.metres) {
            closest =
                Approach{metres, static_cast<double>(i) * kStepSeconds, LocalMetres(start, f.at)};
        }
        Fly(f, kStepSeconds);
    }
    return closest;
}

} // namespace turn_flight
