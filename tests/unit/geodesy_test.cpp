#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "core/camera/geodesy.h"
#include "core/camera/numeric.h"
#include "test_data.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

EyePoint Encoded(double lat, double lon, double alt) {
    EyePoint p;
    std::memset(&p, 0xEE, sizeof p);
    EXPECT_TRUE(EncodeEyePoint(lat, lon, alt, p)) << lat << " " << lon << " " << alt;
    return p;
}

} // namespace

TEST(NormalizeAngle, CorrectsByOneTurnOnly) {
    EXPECT_EQ(NormalizeAngle(-90), 270);
    EXPECT_EQ(NormalizeAngle(360), 0);
    EXPECT_EQ(NormalizeAngle(450), 90);
    EXPECT_EQ(NormalizeAngle(720), 360);
    EXPECT_EQ(NormalizeAngle(-400), -40);
    EXPECT_EQ(NormalizeAngle(0), 0);
    EXPECT_EQ(NormalizeAngle(359.75), 359.75);
    EXPECT_EQ(NormalizeAngle(-360), 0);
    EXPECT_EQ(NormalizeAngle(719.5), 359.5);
    EXPECT_TRUE(std::isnan(NormalizeAngle(kNaN)));
}

TEST(ClampMagnitude, KeepsTheSignOfTheValue) {
    EXPECT_EQ(ClampMagnitude(-1.5, 1), -1);
    EXPECT_EQ(ClampMagnitude(0.3, 1), 0.3);
    EXPECT_EQ(ClampMagnitude(2, -1), 1);
    EXPECT_EQ(ClampMagnitude(-0.25, -1), -0.25);
    EXPECT_EQ(ClampMagnitude(kInf, 1), 1);
    EXPECT_EQ(ClampMagnitude(-kInf, 1), -1);
    EXPECT_TRUE(std::isnan(ClampMagnitude(kNaN, 1)));
}

TEST(Destination, SixtyMilesFromTheOriginInTheFourCardinalDirections) {
    // Almost exactly 0: the rounded factor makes cos(90 degrees) about 1.3e-8, not 0.
    const double east = DestinationLatitude(60, 90, 0, 0);
    EXPECT_NEAR(east, 0, 5e-8);
    EXPECT_NE(east, 0);
    EXPECT_NEAR(DestinationLongitude(60, 90, 0, east, 0, 0), 0.99822, 5e-6);
    const double west = DestinationLatitude(60, 270, 0, 0);
    EXPECT_NEAR(DestinationLongitude(60, 270, 0, west, 0, 0), -0.99822, 5e-6);
    const double north = DestinationLatitude(60, 0, 0, 0);
    EXPECT_NEAR(north, 0.99822, 5e-6);
    EXPECT_NEAR(DestinationLongitude(60, 0, 0, north, 0, 0), 0, 1e-6);
    EXPECT_NEAR(DestinationLatitude(60, 180, 0, 0), -0.99822, 5e-6);
}

TEST(Destination, UsesTheRoundedFactorsNotPi) {
    // Due north from the equator the result is distance x 0.00029037143873077853 x 57.29578;
    // with factors from pi it would be 8.5e-9 of itself larger.
    const double north = DestinationLatitude(60, 0, 0, 0);
    EXPECT_NEAR(north, 60 * 0.00029037143873077853 * 57.29578, 1e-13);
    EXPECT_GT(std::fabs(north - 60 / 3443.86488 * 180 / 3.14159265358979323846), 5e-9);
}

TEST(Destination, CourseAndVariationAddUpToTheTrueBearing) {
    // 60 + 30 is due east; 300 + 70 normalises to 10; -20 + 0 becomes 340.
    EXPECT_EQ(DestinationLatitude(60, 60, 30, 10), DestinationLatitude(60, 90, 0, 10));
    const double lat = DestinationLatitude(60, 300, 70, 10);
    EXPECT_EQ(lat, DestinationLatitude(60, 10, 0, 10));
    EXPECT_EQ(DestinationLongitude(60, 300, 70, lat, 10, 5),
              DestinationLongitude(60, 10, 0, lat, 10, 5));
    const double latWest = DestinationLatitude(60, -20, 0, 10);
    EXPECT_LT(DestinationLongitude(60, -20, 0, latWest, 10, 5), 5);
    // Due south keeps the longitude.
    const double south = DestinationLatitude(60, 180, 0, 10);
    EXPECT_NEAR(DestinationLongitude(60, 180, 0, south, 10, 5), 5, 1e-6);
}

TEST(Destination, LongitudeIsNotWrappedAcrossTheAntimeridian) {
    const double lat = DestinationLatitude(60, 90, 0, 0);
    const double lon = DestinationLongitude(60, 90, 0, lat, 0, 179.5);
    EXPECT_NEAR(lon, 180.498, 0.0005);
    const double back = DestinationLongitude(60, 270, 0, lat, 0, -179.5);
    EXPECT_NEAR(back, -180.498, 0.0005);
    // The host's longitude word wraps round the circle: the same words as 360 degrees less.
    const EyePoint unwrapped = Encoded(lat, lon, 0);
    const EyePoint wrapped = Encoded(lat, lon - 360, 0);
    EXPECT_TRUE(SameEyePoint(unwrapped, wrapped));
}

TEST(Destination, LegsNearThePolesArriveAtTheirDistanceOnTheGlobe) {
    // One row a leg from longitude 10; the arrival is checked by its great-circle distance from
    // the start. A leg from a pole may leave a hair beyond it (the rounded factor), no further.
    struct Row {
        double startLat, course, distanceNm;
    };
    const Row rows[] = {
        {-90, 0, 0},         {-90, 45, 10},       {-90, 180, 10800},
        {89.9999999, 0, 10}, {89.9999999, 90, 1}, {89.9999999, 270, 10800},
        {0, 0, 10800},       {0, 90, 10},         {45.5, 123, 0},
    };
    constexpr double kDistanceToleranceNm = 1e-3;
    for (const Row& r : rows) {
        const double lat = DestinationLatitude(r.distanceNm, r.course, 0, r.startLat);
        const double lon = DestinationLongitude(r.distanceNm, r.course, 0, lat, r.startLat, 10);
        EXPECT_LE(std::fabs(lat), kPoleLatitudeDeg + kBeyondPoleToleranceDeg) << r.startLat;
        EXPECT_NEAR(CentralAngle(r.startLat, 10, lat, lon) / kRadiansPerNm, r.distanceNm,
                    kDistanceToleranceNm)
            << r.startLat << " " << r.course << " " << r.distanceNm;
    }
}

TEST(CentralAngle, IsTheGreatCircleAngleInRadians) {
    EXPECT_NEAR(CentralAngle(0, 0, 0, 1), 1 * kRadiansPerDegree, 1e-12);
    EXPECT_NEAR(CentralAngle(0, 0, 0, 180), 3.14159265, 1e-7);
    EXPECT_EQ(CentralAngle(12, 34, 12, 34), 0);
    EXPECT_NEAR(CentralAngle(90, 0, -90, 0), 3.14159265, 1e-7);
}

TEST(InitialBearing, EastWestAndNorthWithTheRoundedFactors) {
    EXPECT_NEAR(InitialBearing(0, 0, 0, 1), 90, 1e-5);
    EXPECT_NEAR(InitialBearing(0, 1, 0, 0), 270, 1e-5);
    EXPECT_NEAR(InitialBearing(10, 20, 11, 20), 0, 1e-5);
    EXPECT_NEAR(InitialBearing(10, 20, 9, 20), 180, 1e-5);
    // The rounded factors do not cancel exactly.
    EXPECT_NE(InitialBearing(0, 0, 0, 1), 90);
}

TEST(InitialBearing, DecidesEastOrWestOnTheRawLongitudes) {
    // 179.9 to -179.9 is 0.2 degree east, but -179.9 is the smaller number: the result is the
    // mirrored bearing to the west.
    EXPECT_NEAR(InitialBearing(0, 179.9, 0, -179.9), 270, 1e-4);
    EXPECT_NEAR(InitialBearing(0, 179.9, 0, 180.1), 90, 1e-4);
}

TEST(InitialBearing, ThePolesLieDueNorthAndDueSouth) {
    struct Row {
        double fromLat, toLat, bearingDeg;
    };
    const Row rows[] = {{0, 90, 0}, {45, 90, 0}, {-89.5, 90, 0}, {0, -90, 180}, {60, -90, 180}};
    constexpr double kBearingToleranceDeg = 1e-4;
    for (const Row& r : rows) {
        EXPECT_NEAR(InitialBearing(r.fromLat, 10, r.toLat, 10), r.bearingDeg, kBearingToleranceDeg)
            << r.fromLat << " to " << r.toLat;
    }
}

TEST(RoundHalfUp, NegativeValuesLoseTheirFractionTowardZero) {
    EXPECT_EQ(RoundHalfUp(359.6), 360);
    EXPECT_EQ(RoundHalfUp(0.49), 0);
    EXPECT_EQ(RoundHalfUp(-0.5), 0);
    EXPECT_EQ(RoundHalfUp(-2.7), -2);
    EXPECT_EQ(RoundHalfUp(2.5), 3);
    EXPECT_EQ(RoundHalfUp(1500.5), 1501);
    EXPECT_EQ(RoundHalfUp(-512.7), -512);
    EXPECT_EQ(RoundHalfUp(-3.0), -3);
    EXPECT_EQ(RoundHalfUp(0.0), 0);
}

TEST(RoundHalfUp, SaturatesAndTurnsNaNIntoZero) {
    EXPECT_EQ(RoundHalfUp(2147483646.5), INT32_MAX);
    EXPECT_EQ(RoundHalfUp(2147483647.5), INT32_MAX);
    EXPECT_EQ(RoundHalfUp(1e300), INT32_MAX);
    EXPECT_EQ(RoundHalfUp(kInf), INT32_MAX);
    EXPECT_EQ(RoundHalfUp(-2147483648.9), INT32_MIN);
    EXPECT_EQ(RoundHalfUp(-1e300), INT32_MIN);
    EXPECT_EQ(RoundHalfUp(kNaN), 0);
}

TEST(TruncateToInt32, TruncatesTowardZeroAndSaturates) {
    EXPECT_EQ(TruncateToInt32(2.9), 2);
    EXPECT_EQ(TruncateToInt32(-2.9), -2);
    EXPECT_EQ(TruncateToInt32(2147483647.9), INT32_MAX);
    EXPECT_EQ(TruncateToInt32(2147483648.0), INT32_MAX);
    EXPECT_EQ(TruncateToInt32(-2147483648.9), INT32_MIN);
    EXPECT_EQ(TruncateToInt32(-2147483649.0), INT32_MIN);
    EXPECT_EQ(TruncateToInt32(-kInf), INT32_MIN);
    EXPECT_EQ(TruncateToInt32(kNaN), 0);
}

TEST(EncodeEyePoint, TheHostWordsOfKnownPositions) {
    EyePoint p = Encoded(45, 90, 100.25);
    EXPECT_EQ(p.latLo, 0u);
    EXPECT_EQ(p.latHi, 5000875);
    EXPECT_EQ(p.lonLo, 0u);
    EXPECT_EQ(p.lonHi, 0x40000000);
    EXPECT_EQ(p.altLo, 0x40000000u);
    EXPECT_EQ(p.altHi, 100);

    p = Encoded(-45, -90, 100.75);
    EXPECT_EQ(p.latLo, 0u);
    EXPECT_EQ(p.latHi, -5000875);
    EXPECT_EQ(p.lonLo, 0u);
    EXPECT_EQ(static_cast<uint32_t>(p.lonHi), 0xC0000000u);
    EXPECT_EQ(p.altLo, 0xC0000000u);
    EXPECT_EQ(p.altHi, 100);

    p = Encoded(51.5, -0.125, 30);
    EXPECT_EQ(p.latHi, 0x00575457);
    EXPECT_EQ(p.latLo, 0x9C71C71Cu);
    EXPECT_EQ(static_cast<uint32_t>(p.lonHi), 0xFFE93E93u);
    EXPECT_EQ(p.lonLo, 0xE93F0000u);
    EXPECT_EQ(p.altLo, 0u);
    EXPECT_EQ(p.altHi, 30);

    p = Encoded(0, 0, -10.25);
    EXPECT_EQ(p.altHi, -11);
    EXPECT_EQ(p.altLo, 0xC0000000u);
}

TEST(EncodeEyePoint, ALatitudeAHairBeyondAPoleIsWrittenAtThePole) {
    // 90.0000003 is asin(1) times the rounded degrees per radian: a leg ending on a pole.
    EXPECT_TRUE(SameEyePoint(Encoded(90.0000003, 10, 0), Encoded(90, 10, 0)));
    EXPECT_TRUE(SameEyePoint(Encoded(-90.0000003, 10, 0), Encoded(-90, 10, 0)));
    EyePoint p{};
    EXPECT_FALSE(EncodeEyePoint(90.01, 10, 0, p)) << "further beyond is no position";
}

TEST(EncodeEyePoint, LongitudesBeyond180WrapInTheHighWord) {
    for (double lon : {180.498, -179.502}) {
        const EyePoint p = Encoded(0, lon, 0);
        EXPECT_EQ(static_cast<uint32_t>(p.lonHi), 0x805AA87Bu) << lon;
        EXPECT_EQ(p.lonLo, 0x6D170000u) << lon;
    }
    EXPECT_TRUE(SameEyePoint(Encoded(0, 90, 0), Encoded(0, -270, 0)));
    EXPECT_TRUE(SameEyePoint(Encoded(0, 0, 0), Encoded(0, 720, 0)));
}

TEST(EncodeEyePoint, RoundsToNearestWithHalvesToEven) {
    // 2^-33 metre is half of the lowest altitude bit; 3 * 2^-33 is one and a half.
    EXPECT_EQ(Encoded(0, 0, std::ldexp(1.0, -33)).altLo, 0u);
    EXPECT_EQ(Encoded(0, 0, std::ldexp(3.0, -33)).altLo, 2u);
    EXPECT_EQ(Encoded(0, 0, std::ldexp(5.0, -33)).altLo, 2u);
    // The longitude keeps 16 fraction bits: half of 2^-16 unit rounds to even too.
    const double halfStepDeg = kLongitudeUnitDeg * std::ldexp(1.0, -17);
    EXPECT_EQ(Encoded(0, halfStepDeg, 0).lonLo, 0u);
    EXPECT_EQ(Encoded(0, 3 * halfStepDeg, 0).lonLo, 0x20000u);
}

TEST(EncodeEyePoint, NonFiniteAndOversizedValuesLeaveTheWordsUntouched) {
    EyePoint p;
    std::memset(&p, 0x5C, sizeof p);
    const EyePoint before = p;
    EXPECT_FALSE(EncodeEyePoint(kNaN, 0, 0, p));
    EXPECT_FALSE(EncodeEyePoint(0, kInf, 0, p));
    EXPECT_FALSE(EncodeEyePoint(0, 0, -kInf, p));
    EXPECT_FALSE(EncodeEyePoint(0, 0, 3e9, p)); // 3e9 * 2^32 is beyond 2^63
    EXPECT_FALSE(EncodeEyePoint(0, 1e8, 0, p)); // 1e8 degrees beyond 2^47 units
    EXPECT_FALSE(EncodeEyePoint(1e8, 0, 0, p));
    EXPECT_TRUE(SameEyePoint(p, before));
    EXPECT_TRUE(EncodeEyePoint(0, 0, 2e9, p)); // still inside
    EXPECT_EQ(p.altHi, 2000000000);
}

// GeographicLib's GeodSolve on a sphere of 3443.86488 nm, tables made by
// scripts/gen_geodsolve_table.sh.
//
// Tolerance, in feet, per case:
//   kFeetPerDegree * kFactorError * (colatitude 1 + colatitude 2 + |longitude difference|)
//     The rounded factors 57.29578 and 0.01745329237161969 are off from 180/pi by the relative
//     error kFactorError (8.5e-9); every angle converted with them is off by that fraction of
//     itself, and the colatitudes of both ends and the longitude difference are the largest
//     angles converted (at most 1.6 ft, near the south pole).
//   + kAcosFloorFeet: an arc-cosine argument close to +-1 that is off by two units in the last
//     place (2^-52) gives an angle off by sqrt(2 * 2^-51), 0.62 ft on the earth's surface.
// The largest difference seen is printed; it is about half of its case's tolerance.
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kFeetPerNm = 6076.115485564304;
const double kFactorError = std::fabs(1.0 - kDegreesPerRadian * kPi / 180.0);
const double kFeetPerDegree = kEarthRadiusNm * kFeetPerNm * kPi / 180.0;
const double kAcosFloorFeet = kEarthRadiusNm * kFeetPerNm * std::sqrt(std::ldexp(1.0, -50));

// Great-circle distance in feet with the exact pi, by the haversine, which stays accurate for
// points a fraction of a foot apart.
double SeparationFeet(double lat1, double lon1, double lat2, double lon2) {
    const double p1 = lat1 * kPi / 180, p2 = lat2 * kPi / 180;
    const double a = std::sin((p2 - p1) / 2), b = std::sin((lon2 - lon1) * kPi / 360);
    const double h = a * a + std::cos(p1) * std::cos(p2) * b * b;
    return 2 * std::asin(std::sqrt(h)) * kEarthRadiusNm * kFeetPerNm;
}

double ToleranceFeet(double lat1, double lon1, double lat2, double lon2) {
    const double dlon = std::fabs(std::remainder(lon2 - lon1, 360.0));
    return kFeetPerDegree * kFactorError * ((90 - lat1) + (90 - lat2) + dlon) + kAcosFloorFeet;
}

} // namespace

TEST(GeodSolveOracle, DestinationPointsAgree) {
    const std::vector<std::string> lines = ReadTestDataLines("geodsolve_direct.txt");
    ASSERT_GE(lines.size(), 300u);
    double worstFeet = 0, worstShare = 0;
    for (const std::string& line : lines) {
        std::istringstream in(line);
        double lat1, lon1, course, variation, distanceNm, lat2, lon2, azi2;
        ASSERT_TRUE(in >> lat1 >> lon1 >> course >> variation >> distanceNm >> lat2 >> lon2 >> azi2)
            << line;
        const double lat = DestinationLatitude(distanceNm, course, variation, lat1);
        const double lon = DestinationLongitude(distanceNm, course, variation, lat, lat1, lon1);
        const double feet = SeparationFeet(lat, lon, lat2, lon2);
        const double tolerance = ToleranceFeet(lat1, lon1, lat2, lon2);
        EXPECT_LE(feet, tolerance) << line;
        // Unwrapped: the longitude lies on the side the course goes, within a turn.
        EXPECT_LT(std::fabs(lon - lon1), 180.0 + 1e-9) << line;
        worstFeet = std::fmax(worstFeet, feet);
        worstShare = std::fmax(worstShare, feet / tolerance);
    }
    RecordProperty("worst_feet", std::to_string(worstFeet));
    std::printf("destination: largest difference %.3f ft, %.0f%% of its tolerance\n", worstFeet,
                100 * worstShare);
}

TEST(GeodSolveOracle, DistancesAndBearingsAgree) {
    const std::vector<std::string> lines = ReadTestDataLines("geodsolve_inverse.txt");
    ASSERT_GE(lines.size(), 250u);
    double worstFeet = 0, worstShare = 0;
    for (const std::string& line : lines) {
        std::istringstream in(line);
        double lat1, lon1, lat2, lon2, azi1, azi2, distanceNm;
        ASSERT_TRUE(in >> lat1 >> lon1 >> lat2 >> lon2 >> azi1 >> azi2 >> distanceNm) << line;
        const double tolerance = ToleranceFeet(lat1, lon1, lat2, lon2);
        const double distanceFeet =
            std::fabs(CentralAngle(lat1, lon1, lat2, lon2) * kEarthRadiusNm - distanceNm) *
            kFeetPerNm;
        const double bearing = InitialBearing(lat1, lon1, lat2, lon2);
        EXPECT_GE(bearing, 0.0) << line;
        EXPECT_LE(bearing, 360.0) << line;
        // A bearing error shows as a sideways miss at the far point.
        const double bearingError = std::fabs(std::remainder(bearing - azi1, 360.0));
        const double sidewaysFeet = bearingError * kPi / 180 * distanceNm * kFeetPerNm;
        EXPECT_LE(distanceFeet, tolerance) << line;
        EXPECT_LE(sidewaysFeet, tolerance) << line;
        const double feet = std::fmax(distanceFeet, sidewaysFeet);
        worstFeet = std::fmax(worstFeet, feet);
        worstShare = std::fmax(worstShare, feet / tolerance);
    }
    RecordProperty("worst_feet", std::to_string(worstFeet));
    std::printf("distance and bearing: largest difference %.3f ft, %.0f%% of its tolerance\n",
                worstFeet, 100 * worstShare);
}
