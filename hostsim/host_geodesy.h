#pragma once
// The host's own geometry: a spherical earth, the eye-point encoding, great-circle motion.
// Written independently of any module so that a module's arithmetic is checked against it.

constexpr double kEarthRadiusMetres = 6378137.0;
constexpr double kMetresPerNauticalMile = 1852.0;
constexpr double kMetresPerFoot = 0.3048;
constexpr double kSecondsPerHour = 3600.0;

double RadiansOf(double degrees);
double DegreesOf(double radians);
double WrapLongitude(double longitudeDeg); // into -180..180
double WrapBearing(double bearingDeg);     // into 0..360

// Moves a position along a great circle; returns the true course at the destination.
double MoveAlongGreatCircle(double* latitudeDeg, double* longitudeDeg, double courseTrueDeg,
                            double distanceMetres);
double GreatCircleMetres(double lat1Deg, double lon1Deg, double lat2Deg, double lon2Deg);
double BearingDeg(double lat1Deg, double lon1Deg, double lat2Deg, double lon2Deg);

// Flat east/north/up offset of a point from an origin, in metres; good for the few
// kilometres a view shows.
struct LocalOffset {
    double east, north, up;
};
LocalOffset OffsetFrom(double originLatDeg, double originLonDeg, double originAltMetres,
                       double latDeg, double lonDeg, double altMetres);
