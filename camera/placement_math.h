#pragma once
// Where the pass-by eye point goes: half a period ahead along the followed aircraft's track,
// beside it and above or below it. Pure arithmetic; the host reads happen in the shell.
#include <cstdint>

#include "camera/eye_point.h"

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
};

// The two legs of a placement and the eye altitude, before encoding.
struct PlacementLegs {
    double aheadNm;     // along the heading: half a period's flight, at least one size
    double latAheadDeg; // end of the look-ahead leg
    double lonAheadDeg;
    double sideNm;        // signed: positive to the right of the heading
    double sideCourseDeg; // magnetic course of the sideways leg
    double latDeg;        // the eye point
    double lonDeg;
    double eyeAltitudeFeet;
};

PlacementLegs ComputePlacementLegs(const PlacementInputs& in, const PlacementParameters& params);

// Computes and encodes the eye point; false (out untouched) when the result is not finite.
bool ComputeEyePointFrom(const PlacementInputs& in, const PlacementParameters& params,
                         EyePoint& out);
