#include "hostsim/host_geodesy.h"

#include "hostsim/hostsim_eye_point.h"

#include <cmath>

namespace {
constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoTo32 = 4294967296.0;
constexpr double kTwoTo16 = 65536.0;
constexpr double kLatitudeUnitDeg = 90.0 / 10001750.0;
constexpr double kLongitudeUnitDeg = 360.0 / kTwoTo32;

int64_t Combine(int32_t high, uint32_t low) {
    return static_cast<int64_t>((static_cast<uint64_t>(static_cast<uint32_t>(high)) << 32) | low);
}
} // namespace

double RadiansOf(double degrees) {
    return degrees * kPi / 180.0;
}
double DegreesOf(double radians) {
    return radians * 180.0 / kPi;
}

double WrapLongitude(double longitudeDeg) {
    double wrapped = std::fmod(longitudeDeg + 180.0, 360.0);
    if (wrapped < 0) {
        wrapped += 360.0;
    }
    return wrapped - 180.0;
}

double WrapBearing(double bearingDeg) {
    double wrapped = std::fmod(bearingDeg, 360.0);
    return wrapped < 0 ? wrapped + 360.0 : wrapped;
}

double MoveAlongGreatCircle(double* latitudeDeg, double* longitudeDeg, double courseTrueDeg,
                            double distanceMetres) {
    double lat1 = RadiansOf(*latitudeDeg);
    double lon1 = RadiansOf(*longitudeDeg);
    double course = RadiansOf(courseTrueDeg);
    double angle = distanceMetres / kEarthRadiusMetres;
    double sinLat2 =
        std::sin(lat1) * std::cos(angle) + std::cos(lat1) * std::sin(angle) * std::cos(course);
    double lat2 = std::asin(std::fmax(-1.0, std::fmin(1.0, sinLat2)));
    double lon2 = lon1 + std::atan2(std::sin(course) * std::sin(angle) * std::cos(lat1),
                                    std::cos(angle) - std::sin(lat1) * sinLat2);
    *latitudeDeg = DegreesOf(lat2);
    *longitudeDeg = WrapLongitude(DegreesOf(lon2));
    // The course at the destination is the reverse of the bearing back to the start.
    if (distanceMetres <= 0) {
        return courseTrueDeg;
    }
    return WrapBearing(BearingDeg(*latitudeDeg, *longitudeDeg, DegreesOf(lat1), DegreesOf(lon1)) +
                       180.0);
}

double GreatCircleMetres(double lat1Deg, double lon1Deg, double lat2Deg, double lon2Deg) {
    double lat1 = RadiansOf(lat1Deg), lat2 = RadiansOf(lat2Deg);
    double dLat = lat2 - lat1, dLon = RadiansOf(lon2Deg - lon1Deg);
    double h = std::sin(dLat / 2) * std::sin(dLat / 2) +
               std::cos(lat1) * std::cos(lat2) * std::sin(dLon / 2) * std::sin(dLon / 2);
    return 2 * kEarthRadiusMetres * std::asin(std::sqrt(std::fmin(1.0, h)));
}

double BearingDeg(double lat1Deg, double lon1Deg, double lat2Deg, double lon2Deg) {
    double lat1 = RadiansOf(lat1Deg), lat2 = RadiansOf(lat2Deg);
    double dLon = RadiansOf(lon2Deg - lon1Deg);
    double y = std::sin(dLon) * std::cos(lat2);
    double x = std::cos(lat1) * std::sin(lat2) - std::sin(lat1) * std::cos(lat2) * std::cos(dLon);
    return WrapBearing(DegreesOf(std::atan2(y, x)));
}

LocalOffset OffsetFrom(double originLatDeg, double originLonDeg, double originAltMetres,
                       double latDeg, double lonDeg, double altMetres) {
    LocalOffset offset;
    offset.north = RadiansOf(latDeg - originLatDeg) * kEarthRadiusMetres;
    offset.east = RadiansOf(WrapLongitude(lonDeg - originLonDeg)) * kEarthRadiusMetres *
                  std::cos(RadiansOf(originLatDeg));
    offset.up = altMetres - originAltMetres;
    return offset;
}

HostsimEyePoint HostsimEncodeEyePoint(double latitudeDeg, double longitudeDeg,
                                      double altitudeMetres) {
    HostsimEyePoint eye;
    int64_t lat = std::llrint(latitudeDeg / kLatitudeUnitDeg * kTwoTo32);
    eye.latLo = static_cast<uint32_t>(lat);
    eye.latHi = static_cast<int32_t>(lat >> 32);
    // 16 fraction bits of a longitude unit, in the upper half of the low word; whole units
    // wrap around the circle.
    int64_t lon = std::llrint(WrapLongitude(longitudeDeg) / kLongitudeUnitDeg * kTwoTo16);
    eye.lonHi = static_cast<int32_t>(static_cast<uint32_t>(lon >> 16));
    eye.lonLo = static_cast<uint32_t>(lon & 0xFFFF) << 16;
    int64_t alt = std::llrint(altitudeMetres * kTwoTo32);
    eye.altLo = static_cast<uint32_t>(alt);
    eye.altHi = static_cast<int32_t>(alt >> 32);
    return eye;
}

void HostsimDecodeEyePoint(const HostsimEyePoint* eye, double* latitudeDeg, double* longitudeDeg,
                           double* altitudeMetres) {
    *latitudeDeg =
        static_cast<double>(Combine(eye->latHi, eye->latLo)) / kTwoTo32 * kLatitudeUnitDeg;
    *longitudeDeg = WrapLongitude(static_cast<double>(Combine(eye->lonHi, eye->lonLo)) / kTwoTo32 *
                                  kLongitudeUnitDeg);
    *altitudeMetres = static_cast<double>(Combine(eye->altHi, eye->altLo)) / kTwoTo32;
}
