#include "camera/placement_math.h"

#include <cmath>

#include "camera/geodesy.h"

namespace {

constexpr double kHoursPerSecond = 0.0002777777777777778;
constexpr double kHalf = 0.5;
constexpr double kNmPerFoot = 0.000164;
constexpr double kHalfHoursPerSecond = 0.0001388888888888889;  // half a period's drift
constexpr double kHalfMinutesPerSecond = 0.008333333333333333; // half a period's climb
constexpr double kMetresPerFoot = 0.3048000000012192;          // 1 / 3.280839895
constexpr double kQuarterTurnDeg = 90.0;
constexpr int32_t kModeOnGround = 1;

} // namespace

PlacementLegs ComputePlacementLegs(const PlacementInputs& in, const PlacementParameters& params) {
    const double period = static_cast<double>(params.periodSeconds);
    const double heading = in.magneticHeadingDeg;
    const double variation = in.magneticVariationDeg;
    PlacementLegs legs;

    legs.aheadNm = period * in.speedAlongKnots * kHoursPerSecond * kHalf;
    const double minAheadNm = in.sizeFeet * kNmPerFoot;
    if (legs.aheadNm < minAheadNm) {
        legs.aheadNm = minAheadNm;
    }
    legs.latAheadDeg = DestinationLatitude(legs.aheadNm, heading, variation, in.latitudeDeg);
    legs.lonAheadDeg = DestinationLongitude(legs.aheadNm, heading, variation, legs.latAheadDeg,
                                            in.latitudeDeg, in.longitudeDeg);

    legs.sideNm = params.lateralOffset * in.sizeFeet * kNmPerFoot +
                  period * in.speedAcrossKnots * kHalfHoursPerSecond;
    legs.sideCourseDeg = legs.sideNm >= 0.0 ? NormalizeAngle(kQuarterTurnDeg + heading)
                                            : NormalizeAngle(heading - kQuarterTurnDeg);
    const double sideDistanceNm = std::fabs(legs.sideNm);
    legs.latDeg =
        DestinationLatitude(sideDistanceNm, legs.sideCourseDeg, variation, legs.latAheadDeg);
    legs.lonDeg = DestinationLongitude(sideDistanceNm, legs.sideCourseDeg, variation, legs.latDeg,
                                       legs.latAheadDeg, legs.lonAheadDeg);

    legs.eyeAltitudeFeet = params.altitudeOffset * in.sizeFeet + in.altitudeFeet +
                           period * in.verticalSpeedFpm * kHalfMinutesPerSecond;
    if (legs.eyeAltitudeFeet < in.groundElevationFeet || params.mode == kModeOnGround) {
        legs.eyeAltitudeFeet = in.groundElevationFeet;
    }
    return legs;
}

bool ComputeEyePointFrom(const PlacementInputs& in, const PlacementParameters& params,
                         EyePoint& out) {
    const PlacementLegs legs = ComputePlacementLegs(in, params);
    return EncodeEyePoint(legs.latDeg, legs.lonDeg, legs.eyeAltitudeFeet * kMetresPerFoot, out);
}
