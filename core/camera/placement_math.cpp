#include "core/camera/placement_math.h"

#include <cmath>

#include "core/camera/geodesy.h"
#include "core/camera/library_precision.h"

namespace {

constexpr double kHoursPerSecond = 0.0002777777777777778;
constexpr double kHalf = 0.5;
constexpr double kNmPerFoot = 0.000164;
constexpr double kHalfHoursPerSecond = 0.0001388888888888889;  // half a period's drift
constexpr double kHalfMinutesPerSecond = 0.008333333333333333; // half a period's climb
constexpr double kMetresPerFoot = 0.3048000000012192;          // 1 / 3.280839895
constexpr double kQuarterTurnDeg = 90.0;
constexpr double kHalfTurnDeg = 180.0; // the longest arc looked ahead along
constexpr int32_t kModeOnGround = 1;

// Half a period's flight, at least one size: an aircraft at rest is still looked at from aside.
double LookAheadNm(const PlacementInputs& in, double period) {
    double aheadNm = period * in.speedAlongKnots * kHoursPerSecond * kHalf;
    const double minAheadNm = in.sizeFeet * kNmPerFoot;
    if (aheadNm < minAheadNm) {
        aheadNm = minAheadNm;
    }
    return aheadNm;
}

// How much a great circle's bearing grows from its start to its end, degrees: the meridians
// converge, so a track keeps its direction only relative to the start's north (Napier's analogy).
double BearingChangeAlongDeg(double lat1, double lon1, double lat2, double lon2) {
    const double meanLat = (lat1 + lat2) * kHalf * kRadiansPerDegree;
    const double halfDlat = (lat2 - lat1) * kHalf * kRadiansPerDegree;
    const double halfDlon = (lon2 - lon1) * kHalf * kRadiansPerDegree;
    const double t = std::sin(meanLat) / std::cos(halfDlat) * std::tan(halfDlon);
    return 2.0 * std::atan(t) * kDegreesPerRadian;
}

// From the predicted point: sideways across the track there, then the eye altitude.
void PlaceBesideTrack(const PlacementInputs& in, const PlacementParameters& params, double period,
                      double trackDeg, PlacementLegs& legs) {
    const double variation = in.magneticVariationDeg;
    legs.sideNm = params.lateralOffset * in.sizeFeet * kNmPerFoot +
                  period * in.speedAcrossKnots * kHalfHoursPerSecond;
    legs.sideCourseDeg = legs.sideNm >= 0.0 ? NormalizeAngle(kQuarterTurnDeg + trackDeg)
                                            : NormalizeAngle(trackDeg - kQuarterTurnDeg);
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
}

void LookAheadStraight(const PlacementInputs& in, double period, PlacementLegs& legs) {
    const double heading = in.magneticHeadingDeg;
    legs.aheadNm = LookAheadNm(in, period);
    legs.aheadCourseDeg = heading;
    legs.turnDeg = 0.0;
    legs.latAheadDeg =
        DestinationLatitude(legs.aheadNm, heading, in.magneticVariationDeg, in.latitudeDeg);
    legs.lonAheadDeg = DestinationLongitude(legs.aheadNm, heading, in.magneticVariationDeg,
                                            legs.latAheadDeg, in.latitudeDeg, in.longitudeDeg);
}

// Along a circle of the turn rate: the same distance flown, reached by the chord, whose course
// lies half the turn from the heading. Returns the track at the predicted point.
double LookAheadAlongArc(const PlacementInputs& in, const PlacementParameters& params,
                         double period, PlacementLegs& legs) {
    const double rate = ClampMagnitude(params.turnRateDegPerSec, kTurnRateMaxDegPerSec);
    legs.turnDeg = ClampMagnitude(rate * period * kHalf, kHalfTurnDeg);
    const double halfTurnRad = legs.turnDeg * kHalf * kRadiansPerDegree;
    const double flownNm = LookAheadNm(in, period);
    legs.aheadNm = halfTurnRad == 0.0 ? flownNm : flownNm * std::sin(halfTurnRad) / halfTurnRad;
    legs.aheadCourseDeg = NormalizeAngle(in.magneticHeadingDeg + legs.turnDeg * kHalf);
    legs.latAheadDeg = DestinationLatitude(legs.aheadNm, legs.aheadCourseDeg,
                                           in.magneticVariationDeg, in.latitudeDeg);
    legs.lonAheadDeg =
        DestinationLongitude(legs.aheadNm, legs.aheadCourseDeg, in.magneticVariationDeg,
                             legs.latAheadDeg, in.latitudeDeg, in.longitudeDeg);
    const double convergence =
        BearingChangeAlongDeg(in.latitudeDeg, in.longitudeDeg, legs.latAheadDeg, legs.lonAheadDeg);
    return NormalizeAngle(in.magneticHeadingDeg + legs.turnDeg + convergence);
}

} // namespace

PlacementLegs ComputePlacementLegs(const PlacementInputs& in, const PlacementParameters& params) {
    const LibraryPrecision precision; // the turn's sines and tangents as well as the legs
    const double period = static_cast<double>(params.periodSeconds);
    PlacementLegs legs;
    // Written so that a rate that is not a number looks ahead straight.
    if (std::fabs(params.turnRateDegPerSec) > kTurnRateThresholdDegPerSec) {
        const double trackDeg = LookAheadAlongArc(in, params, period, legs);
        PlaceBesideTrack(in, params, period, trackDeg, legs);
    } else {
        LookAheadStraight(in, period, legs);
        PlaceBesideTrack(in, params, period, in.magneticHeadingDeg, legs);
    }
    return legs;
}

bool ComputeEyePointFrom(const PlacementInputs& in, const PlacementParameters& params,
                         EyePoint& out) {
    const PlacementLegs legs = ComputePlacementLegs(in, params);
    return EncodeEyePoint(legs.latDeg, legs.lonDeg, legs.eyeAltitudeFeet * kMetresPerFoot, out);
}
