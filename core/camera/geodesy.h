#pragma once
// Spherical-earth geodesy with the module's own rounded factors, and the conversion of a
// position into the host's eye-point words. Angles in degrees, distances in nautical miles.
#include <cstdint>

#include "core/camera/eye_point.h"

// The rounded factors are part of the behaviour: eye points land where the host expects them.
constexpr double kRadiansPerDegree = 0.01745329237161969; // 1 / 57.29578
constexpr double kDegreesPerRadian = 57.29578;
constexpr double kRadiansPerNm = 0.00029037143873077853; // earth radius 3443.86488 nm
constexpr double kEarthRadiusNm = 3443.86488;
constexpr double kLatitudeUnitDeg = 90.0 / 10001750.0;
constexpr double kLongitudeUnitDeg = 360.0 / 4294967296.0;
constexpr double kPoleLatitudeDeg = 90.0;        // the largest latitude an eye point is written at
constexpr double kBeyondPoleToleranceDeg = 1e-6; // what the rounded factors add at a pole

// One correction by 360: within -360..720 the result lies in 0..360, except that 720 gives 360.
double NormalizeAngle(double angle);

// The smaller of |value| and |limit| with the sign of value; NaN passes through.
double ClampMagnitude(double value, double limit);

// Latitude reached after distanceNm on the true bearing course + variation.
double DestinationLatitude(double distanceNm, double course, double variation, double startLat);

// Longitude reached on the same leg, given the latitude DestinationLatitude returned for it;
// not wrapped into -180..180.
double DestinationLongitude(double distanceNm, double course, double variation, double destLat,
                            double startLat, double startLon);

// Great-circle angle between two positions, radians.
double CentralAngle(double lat1, double lon1, double lat2, double lon2);

// True bearing from position 1 to position 2, 0..360; east or west is decided on the raw
// longitudes, without wrapping at 180.
double InitialBearing(double lat1, double lon1, double lat2, double lon2);

// Integer part toward zero, plus 1 when the signed fraction is 0.5 or more: -2.7 gives -2,
// 2.5 gives 3. Saturates beyond the int32 range; NaN gives 0.
int32_t RoundHalfUp(double value);

// The host's fixed-point words of a position; a latitude up to kBeyondPoleToleranceDeg beyond a
// pole is written at the pole. False, with out untouched, when a value is not finite, a latitude
// lies further beyond a pole, or a value is too large for its 64-bit fixed-point form.
bool EncodeEyePoint(double lat, double lon, double altMetres, EyePoint& out);
