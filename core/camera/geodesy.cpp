#include "core/camera/geodesy.h"

#include <cmath>
#include <cstdint>

#include "core/camera/library_precision.h"
#include "core/camera/numeric.h"

namespace {

constexpr double kFullCircleDeg = 360.0;
constexpr double kHalfCircleDeg = 180.0;
constexpr double kQuarterCircleDeg = 90.0;
constexpr double kTwoTo16 = 65536.0;
constexpr double kTwoTo32 = 4294967296.0;
constexpr double kTwoTo63 = 9223372036854775808.0;
constexpr uint64_t kLow16Bits = 0xFFFF;

double ColatitudeRadians(double lat) {
    return (kQuarterCircleDeg - lat) * kRadiansPerDegree;
}

double ClampToUnit(double x) {
    if (x > 1.0) {
        return 1.0;
    }
    if (x < -1.0) {
        return -1.0;
    }
    return x;
}

// Nearest integer with halves to even, whatever rounding mode the host left the FPU in.
double RoundHalfEven(double value) {
    const double below = std::floor(value);
    const double excess = value - below; // exact for every finite double
    if (excess > 0.5 || (excess == 0.5 && std::fmod(below, 2.0) != 0.0)) {
        return below + 1.0;
    }
    return below;
}

// The nearest integer (halves to even) as the two's-complement bits of a signed 64-bit value;
// false when not finite or outside the int64 range.
bool RoundToInt64Bits(double value, uint64_t& bits) {
    const double rounded = RoundHalfEven(value);
    if (!(rounded >= -kTwoTo63 && rounded < kTwoTo63)) {
        return false;
    }
    bits = static_cast<uint64_t>(static_cast<int64_t>(rounded));
    return true;
}

uint32_t LowWord(uint64_t bits) {
    return static_cast<uint32_t>(bits);
}

int32_t HighWord(uint64_t bits) {
    return WrapToInt32(static_cast<uint32_t>(bits >> 32));
}

} // namespace

double NormalizeAngle(double angle) {
    if (angle == kFullCircleDeg) {
        return 0.0;
    }
    if (angle < 0.0) {
        return angle + kFullCircleDeg;
    }
    if (angle > kFullCircleDeg) {
        return angle - kFullCircleDeg;
    }
    return angle;
}

double ClampMagnitude(double value, double limit) {
    if (std::isnan(value)) {
        return value;
    }
    const double m = std::fmin(std::fabs(value), std::fabs(limit));
    return value < 0.0 ? -m : m;
}

double DestinationLatitude(double distanceNm, double course, double variation, double startLat) {
    const LibraryPrecision precision;
    const double delta = distanceNm * kRadiansPerNm;
    const double colat = ColatitudeRadians(startLat);
    double theta = NormalizeAngle(course + variation);
    if (theta > kHalfCircleDeg) {
        theta = kFullCircleDeg - theta;
    }
    double x = std::cos(colat) * std::cos(delta) +
               std::sin(colat) * std::sin(delta) * std::cos(theta * kRadiansPerDegree);
    x = ClampMagnitude(x, 1.0);
    return kQuarterCircleDeg - std::acos(x) * kDegreesPerRadian;
}

double DestinationLongitude(double distanceNm, double course, double variation, double destLat,
                            double startLat, double startLon) {
    const LibraryPrecision precision;
    const double a = ColatitudeRadians(destLat);
    const double b = ColatitudeRadians(startLat);
    const double delta = distanceNm * kRadiansPerNm;
    // At a pole the divisor is 0: the quotient is infinite or NaN and the result follows it
    // without a trap (floating-point exceptions stay masked).
    double x = (std::cos(delta) - std::cos(a) * std::cos(b)) / (std::sin(a) * std::sin(b));
    x = ClampMagnitude(x, 1.0);
    const double dlon = std::fabs(std::acos(x) * kDegreesPerRadian);
    const double theta = NormalizeAngle(course + variation);
    // West for courses strictly between 180 and 360; everything else, 360 itself included, east.
    if (theta > kHalfCircleDeg && theta < kFullCircleDeg) {
        return startLon - dlon;
    }
    return startLon + dlon;
}

double CentralAngle(double lat1, double lon1, double lat2, double lon2) {
    const LibraryPrecision precision;
    const double colat1 = ColatitudeRadians(lat1);
    const double colat2 = ColatitudeRadians(lat2);
    const double dlon = (lon2 - lon1) * kRadiansPerDegree;
    const double x =
        std::cos(colat1) * std::cos(colat2) + std::sin(colat1) * std::sin(colat2) * std::cos(dlon);
    return std::acos(ClampToUnit(x));
}

double InitialBearing(double lat1, double lon1, double lat2, double lon2) {
    const LibraryPrecision precision;
    const double delta = CentralAngle(lat1, lon1, lat2, lon2);
    const double colat1 = ColatitudeRadians(lat1);
    const double colat2 = ColatitudeRadians(lat2);
    const double x = ClampToUnit((std::cos(colat2) - std::cos(colat1) * std::cos(delta)) /
                                 (std::sin(colat1) * std::sin(delta)));
    const double f = std::acos(x) * kDegreesPerRadian;
    if (lon2 < lon1) {
        return kFullCircleDeg - f;
    }
    return f;
}

int32_t RoundHalfUp(double value) {
    double whole = 0.0;
    const double fraction = std::modf(value, &whole);
    return TruncateToInt32(fraction >= 0.5 ? whole + 1.0 : whole);
}

bool EncodeEyePoint(double lat, double lon, double altMetres, EyePoint& out) {
    uint64_t latBits = 0;
    uint64_t lonBits = 0;
    uint64_t altBits = 0;
    // The rounded degrees per radian carry a result at a pole a hair beyond it (asin of 1 times
    // 57.29578 is 90.0000003): that is the pole. Further beyond is no position (nor is NaN).
    if (!(std::fabs(lat) <= kPoleLatitudeDeg + kBeyondPoleToleranceDeg)) {
        return false;
    }
    const double onGlobeLat = ClampMagnitude(lat, kPoleLatitudeDeg);
    const double latFixed = RoundedToDouble(onGlobeLat / kLatitudeUnitDeg / (1.0 / kTwoTo32));
    const double lonUnits = RoundedToDouble(lon / kLongitudeUnitDeg);
    if (!RoundToInt64Bits(latFixed, latBits) || !RoundToInt64Bits(lonUnits * kTwoTo16, lonBits) ||
        !RoundToInt64Bits(altMetres * kTwoTo32, altBits)) {
        return false;
    }
    out.latLo = LowWord(latBits);
    out.latHi = HighWord(latBits);
    // 16 fraction bits: the high word is bits 16..47, the fraction goes to bits 16..31 of lonLo.
    out.lonLo = static_cast<uint32_t>((lonBits & kLow16Bits) << 16);
    out.lonHi = WrapToInt32(static_cast<uint32_t>(lonBits >> 16));
    out.altLo = LowWord(altBits);
    out.altHi = HighWord(altBits);
    return true;
}
