#pragma once
// Where the pass-by eye point goes: half a period ahead along the followed aircraft's track,
// beside it and above or below it. In a turn the look-ahead follows the circle the aircraft flies,
// at most half of it.
// Pure arithmetic; the host reads happen in the shell.
#include <cstdint>

#include "core/camera/eye_point.h"

// The ten host values a placement reads, in the order they are read.
struct PlacementInputs {
    double latitudeDeg;
    double longitudeDeg;
    double altitudeFeet;
    double magneticHeadingDeg;
    double sizeFeet;
    double speedAlongKnots;
    double verticalSpeedFpm;
    double speedAcrossKnots;
    double groundElevationFeet;
    double magneticVariationDeg;
};

struct PlacementParameters {
    int32_t periodSeconds;  // Svp
    int32_t lateralOffset;  // sizes of the aircraft, positive to the right
    int32_t altitudeOffset; // sizes of the aircraft, positive up
    int32_t mode;           // 1 keeps the eye at ground level
    // Heading change of the followed aircraft, deg/s, positive to the right, as successive
    // headings give it: near a pole a great circle's heading changes too, and that part is no
    // turn. 0 or not a number: no turn known, straight ahead.
    double turnRateDegPerSec = 0.0;
    // Simulated seconds per second of the period, kSimRateMin..kSimRateMax: the host's
    // simulation rate, which the look-ahead, drift and climb are flown at.
    double simSecondsPerSecond = 1.0;
};

// The look-ahead follows the circle flown when the turn, less the meridians' convergence, is
// faster than heading noise, and when looking straight would put the aircraft further from the
// eye point than this fraction of the offsets mean.
constexpr double kTurnRateFloorDegPerSec = 0.05; // 0..; slower turns count as straight
constexpr double kStrayOfOffsetMax = 0.25;       // 0..; what looking straight may add

// The two legs of a placement and the eye altitude, before encoding.
struct PlacementLegs {
    double aheadNm;        // half a period's flight, at least one size; the chord in a turn
    double aheadCourseDeg; // magnetic course of the look-ahead leg: the heading when straight
    double turnDeg; // the turn along the look-ahead, relative to a great circle; 0 when straight
    double latAheadDeg; // end of the look-ahead leg: where the aircraft is predicted to be
    double lonAheadDeg;
    double sideNm;        // signed: positive to the right of the track there
    double sideCourseDeg; // magnetic course of the sideways leg
    double latDeg;        // the eye point
    double lonDeg;
    double eyeAltitudeFeet;
};

PlacementLegs ComputePlacementLegs(const PlacementInputs& in, const PlacementParameters& params);

// Computes and encodes the eye point; false (out untouched) when the result is not finite.
bool ComputeEyePointFrom(const PlacementInputs& in, const PlacementParameters& params,
                         EyePoint& out);
