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
constexpr double kFullTurnDeg = 360.0;
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

double SideNm(const PlacementInputs& in, const PlacementParameters& params, double period) {
    return params.lateralOffset * in.sizeFeet * kNmPerFoot +
           period * in.speedAcrossKnots * kHalfHoursPerSecond;
}

// A course in 0..360 from any angle.
double Course(double deg) {
    return NormalizeAngle(std::remainder(deg, kFullTurnDeg));
}

// From the predicted point: sideways across the track there, then the eye altitude.
void PlaceBesideTrack(const PlacementInputs& in, const PlacementParameters& params, double period,
                      double trackDeg, PlacementLegs& legs) {
    const double variation = in.magneticVariationDeg;
    legs.sideNm = SideNm(in, params, period);
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

// How fast a great circle's heading turns where the aircraft is, deg/s, positive to the right:
// read against north, the heading of a straight flight turns as the meridians converge.
double ConvergenceDegPerSec(const PlacementInputs& in) {
    const double heading = (in.magneticHeadingDeg + in.magneticVariationDeg) * kRadiansPerDegree;
    const double eastKnots =
        in.speedAlongKnots * std::sin(heading) + in.speedAcrossKnots * std::cos(heading);
    return eastKnots * kHoursPerSecond * kRadiansPerNm *
           std::tan(in.latitudeDeg * kRadiansPerDegree) * kDegreesPerRadian;
}

// Whether the look-ahead follows the turn, and its rate relative to a great circle, deg/s. It
// does when that rate is above the noise floor, the aircraft flies at least a size in half a
// period, and looking straight would miss the circle's end by more than kStrayOfOffsetMax of the
// distance the offsets mean; the miss is reckoned on the plane, over at most half a circle.
bool FollowsTurn(const PlacementInputs& in, const PlacementParameters& params, double period,
                 double& turnDegPerSec) {
    const double measured = params.turnRateDegPerSec;
    if (measured == 0.0 || std::isnan(measured)) {
        return false;
    }
    const double turn = measured - ConvergenceDegPerSec(in);
    const double flownNm = period * in.speedAlongKnots * kHoursPerSecond * kHalf;
    const bool fliesASize = flownNm > 0.0 && flownNm >= in.sizeFeet * kNmPerFoot;
    if (!(std::fabs(turn) > kTurnRateFloorDegPerSec) || !fliesASize) {
        return false;
    }
    const double turnRad =
        std::fmin(std::fabs(turn) * period * kHalf, kHalfTurnDeg) * kRadiansPerDegree;
    const double strayNm = flownNm * std::hypot(1.0 - std::sin(turnRad) / turnRad,
                                                (1.0 - std::cos(turnRad)) / turnRad);
    const double offsetNm =
        std::hypot(SideNm(in, params, period), params.altitudeOffset * in.sizeFeet * kNmPerFoot);
    turnDegPerSec = turn;
    return strayNm > kStrayOfOffsetMax * offsetNm;
}

// A direction in space, or a point of the unit sphere; x towards the aircraft's meridian.
struct Vector3 {
    double x, y, z;
};

Vector3 Combine(double ka, Vector3 a, double kb, Vector3 b) {
    return Vector3{ka * a.x + kb * b.x, ka * a.y + kb * b.y, ka * a.z + kb * b.z};
}

Vector3 Combine(double ka, Vector3 a, double kb, Vector3 b, double kc, Vector3 c) {
    return Combine(1.0, Combine(ka, a, kb, b), kc, c);
}

double Dot(Vector3 a, Vector3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

Vector3 Cross(Vector3 a, Vector3 b) {
    return Vector3{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// Along the circle flown, on the sphere. A turn of a steady rate relative to great circles keeps
// a steady curvature: it is a small circle, whose centre lies abeam at the angular radius whose
// cotangent is that curvature times the earth radius. The look-ahead sweeps half a period's
// flight about the centre, or half the circle when that is shorter; the eye point then goes
// across the track there, on the circle's radius. Returns that track, magnetic.
double LookAheadAlongArc(const PlacementInputs& in, double period, double turnDegPerSec,
                         PlacementLegs& legs) {
    const double side = turnDegPerSec > 0.0 ? 1.0 : -1.0;
    const double speedRadPerSec = in.speedAlongKnots * kHoursPerSecond * kRadiansPerNm;
    // The circle's curvature times the earth radius, and its radius as an angle at the centre.
    const double curvature = std::fabs(turnDegPerSec) * kRadiansPerDegree / speedRadPerSec;
    const double radius = std::atan2(1.0, curvature);
    const double sinRadius = std::sin(radius), cosRadius = std::cos(radius);
    const double flownRad = period * kHalf * speedRadPerSec;
    const double halfCircleRad = kHalfTurnDeg * kRadiansPerDegree;
    const double swept =
        flownRad < halfCircleRad * sinRadius ? flownRad / sinRadius : halfCircleRad;

    // The aircraft, its heading and the way to the centre; longitudes from the aircraft's.
    const double lat = in.latitudeDeg * kRadiansPerDegree;
    const double variation = in.magneticVariationDeg;
    const double heading = (in.magneticHeadingDeg + variation) * kRadiansPerDegree;
    const Vector3 start{std::cos(lat), 0.0, std::sin(lat)};
    const Vector3 north{-std::sin(lat), 0.0, std::cos(lat)};
    const Vector3 east{0.0, 1.0, 0.0};
    const Vector3 ahead = Combine(std::cos(heading), north, std::sin(heading), east);
    const Vector3 inward =
        Combine(-side * std::sin(heading), north, side * std::cos(heading), east);
    const double halfSine = std::sin(swept * kHalf);
    const double versine = 2.0 * halfSine * halfSine; // 1 - cos, without the cancellation
    const double sinSwept = std::sin(swept), cosSwept = std::cos(swept);
    const Vector3 p = Combine(1.0 - sinRadius * sinRadius * versine, start,
                              sinRadius * cosRadius * versine, inward, sinRadius * sinSwept, ahead);
    const Vector3 track =
        Combine(-sinRadius * sinSwept, start, cosRadius * sinSwept, inward, cosSwept, ahead);

    const double across = std::hypot(p.x, p.y);
    legs.latAheadDeg = std::atan2(p.z, across) * kDegreesPerRadian;
    legs.lonAheadDeg = in.longitudeDeg + std::atan2(p.y, p.x) * kDegreesPerRadian;
    const Vector3 normal = Cross(start, p);
    legs.aheadNm =
        std::atan2(std::hypot(normal.x, normal.y, normal.z), Dot(start, p)) / kRadiansPerNm;
    legs.aheadCourseDeg =
        Course(std::atan2(Dot(p, east), Dot(p, north)) * kDegreesPerRadian - variation);
    legs.turnDeg = side * swept * cosRadius * kDegreesPerRadian;
    const double trackEast = track.y * p.x - track.x * p.y;
    const double trackNorth = track.z * across * across - p.z * (track.x * p.x + track.y * p.y);
    return Course(std::atan2(trackEast, trackNorth) * kDegreesPerRadian - variation);
}

} // namespace

PlacementLegs ComputePlacementLegs(const PlacementInputs& in, const PlacementParameters& params) {
    const LibraryPrecision precision; // the turn's sines and tangents as well as the legs
    const double period = static_cast<double>(params.periodSeconds) * params.simSecondsPerSecond;
    PlacementLegs legs;
    double turnDegPerSec = 0.0;
    if (FollowsTurn(in, params, period, turnDegPerSec)) {
        const double trackDeg = LookAheadAlongArc(in, period, turnDegPerSec, legs);
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
