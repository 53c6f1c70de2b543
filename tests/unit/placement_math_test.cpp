#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "core/camera/geodesy.h"
#include "core/camera/placement_math.h"
#include "tests/bench/turn_flight.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kFeetPerNm = 6076.115485564304;

// Distance (feet) and true bearing (degrees) with the exact pi, by the haversine and atan2:
// independent of the module's own formulas.
struct Leg {
    double feet;
    double bearingDeg;
};

Leg Between(double lat1, double lon1, double lat2, double lon2) {
    const double p1 = lat1 * kPi / 180, p2 = lat2 * kPi / 180, dl = (lon2 - lon1) * kPi / 180;
    const double a = std::sin((p2 - p1) / 2), b = std::sin(dl / 2);
    const double h = a * a + std::cos(p1) * std::cos(p2) * b * b;
    const double feet = 2 * std::asin(std::sqrt(h)) * kEarthRadiusNm * kFeetPerNm;
    const double y = std::sin(dl) * std::cos(p2);
    const double x = std::cos(p1) * std::sin(p2) - std::sin(p1) * std::cos(p2) * std::cos(dl);
    double bearing = std::atan2(y, x) * 180 / kPi;
    if (bearing < 0) {
        bearing += 360;
    }
    return Leg{feet, bearing};
}

double AngleBetween(double a, double b) {
    return std::fabs(std::remainder(a - b, 360.0));
}

PlacementInputs Cruising() {
    PlacementInputs in{};
    in.latitudeDeg = 47.25;
    in.longitudeDeg = 8.5;
    in.altitudeFeet = 1000;
    in.magneticHeadingDeg = 30;
    in.sizeFeet = 30;
    in.speedAlongKnots = 120;
    in.verticalSpeedFpm = 0;
    in.speedAcrossKnots = 0;
    in.groundElevationFeet = 400;
    in.magneticVariationDeg = 2;
    return in;
}

PlacementParameters Period10(int32_t lateral, int32_t altitude) {
    return PlacementParameters{10, lateral, altitude, 0};
}

} // namespace

TEST(PlacementLegs, LooksAheadHalfAPeriodOrAtLeastOneSize) {
    PlacementInputs in = Cruising();
    PlacementLegs legs = ComputePlacementLegs(in, Period10(0, 0));
    EXPECT_NEAR(legs.aheadNm, 10 * 120 / 3600.0 * 0.5, 1e-12);
    EXPECT_NEAR(legs.aheadNm, 0.1667, 5e-5);

    in.speedAlongKnots = 0;
    legs = ComputePlacementLegs(in, Period10(0, 0));
    EXPECT_NEAR(legs.aheadNm, 0.00492, 1e-12);

    in.speedAlongKnots = -200; // backwards: still one size ahead
    legs = ComputePlacementLegs(in, Period10(0, 0));
    EXPECT_NEAR(legs.aheadNm, 0.00492, 1e-12);
}

TEST(PlacementLegs, TheLookAheadPointLiesOnTheTrueHeading) {
    const PlacementInputs in = Cruising();
    const PlacementLegs legs = ComputePlacementLegs(in, Period10(0, 0));
    const Leg ahead = Between(in.latitudeDeg, in.longitudeDeg, legs.latAheadDeg, legs.lonAheadDeg);
    EXPECT_NEAR(ahead.feet, 0.1666667 * kFeetPerNm, 1.0);
    EXPECT_NEAR(AngleBetween(ahead.bearingDeg, 32), 0, 0.01);
    // No sideways offset: the eye point is the look-ahead point, to within the fraction of a
    // foot that the arc-cosine of a value rounded just below 1 adds on a leg of length 0.
    EXPECT_EQ(legs.sideNm, 0);
    EXPECT_LT(Between(legs.latAheadDeg, legs.lonAheadDeg, legs.latDeg, legs.lonDeg).feet, 0.7);
}

TEST(PlacementLegs, LateralOffsetGoesRightOrLeftOfTheTrueHeading) {
    const PlacementInputs in = Cruising();
    for (int32_t rlp : {2, -2}) {
        SCOPED_TRACE(rlp);
        const PlacementLegs legs = ComputePlacementLegs(in, Period10(rlp, 0));
        EXPECT_NEAR(legs.sideNm, rlp / 2 * 0.00984, 1e-12);
        EXPECT_EQ(legs.sideCourseDeg, rlp > 0 ? 120 : 300);
        const Leg side = Between(legs.latAheadDeg, legs.lonAheadDeg, legs.latDeg, legs.lonDeg);
        EXPECT_NEAR(side.feet, 0.00984 * kFeetPerNm, 0.7); // 60 ft in the module's nm
        const double expected = rlp > 0 ? 30 + 90 + 2 : 30 - 90 + 2;
        EXPECT_NEAR(AngleBetween(side.bearingDeg, expected), 0, 0.7);
    }
}

TEST(PlacementLegs, DriftAcrossTheHeadingAddsHalfAPeriodSideways) {
    PlacementInputs in = Cruising();
    in.speedAcrossKnots = 12;
    PlacementLegs legs = ComputePlacementLegs(in, Period10(0, 0));
    EXPECT_NEAR(legs.sideNm, 10 * 12 / 3600.0 * 0.5, 1e-12);
    EXPECT_EQ(legs.sideCourseDeg, 120);

    in.speedAcrossKnots = -12; // drifting left outweighs one size to the right
    legs = ComputePlacementLegs(in, Period10(1, 0));
    EXPECT_NEAR(legs.sideNm, 30 * 0.000164 - 10 * 12 / 3600.0 * 0.5, 1e-12);
    EXPECT_EQ(legs.sideCourseDeg, 300);
    const Leg side = Between(legs.latAheadDeg, legs.lonAheadDeg, legs.latDeg, legs.lonDeg);
    EXPECT_NEAR(side.feet, std::fabs(legs.sideNm) * kFeetPerNm, 0.7);
    EXPECT_NEAR(AngleBetween(side.bearingDeg, 302), 0, 0.1);
}

TEST(PlacementLegs, SideCourseWrapsNearNorth) {
    PlacementInputs in = Cruising();
    in.magneticHeadingDeg = 300;
    EXPECT_EQ(ComputePlacementLegs(in, Period10(2, 0)).sideCourseDeg, 30);
    in.magneticHeadingDeg = 45;
    EXPECT_EQ(ComputePlacementLegs(in, Period10(-2, 0)).sideCourseDeg, 315);
}

TEST(PlacementLegs, EyeAltitude) {
    PlacementInputs in = Cruising();
    EXPECT_DOUBLE_EQ(ComputePlacementLegs(in, Period10(0, 1)).eyeAltitudeFeet, 1030);
    EXPECT_DOUBLE_EQ(ComputePlacementLegs(in, Period10(0, -3)).eyeAltitudeFeet, 910);
    in.verticalSpeedFpm = 600; // 5 seconds of climb
    EXPECT_DOUBLE_EQ(ComputePlacementLegs(in, Period10(0, 1)).eyeAltitudeFeet, 1080);
    in.verticalSpeedFpm = 0;
    in.groundElevationFeet = 1100;
    EXPECT_DOUBLE_EQ(ComputePlacementLegs(in, Period10(0, 1)).eyeAltitudeFeet, 1100);
    in.groundElevationFeet = 400;
    PlacementParameters onGround = Period10(0, 5);
    onGround.mode = 1;
    EXPECT_DOUBLE_EQ(ComputePlacementLegs(in, onGround).eyeAltitudeFeet, 400);
    in.altitudeFeet = 100; // below ground in mode 1 too
    EXPECT_DOUBLE_EQ(ComputePlacementLegs(in, onGround).eyeAltitudeFeet, 400);
    // Only mode 1 keeps the eye on the ground.
    in.altitudeFeet = 1000;
    PlacementParameters spotting = Period10(0, 5);
    spotting.mode = 2;
    EXPECT_DOUBLE_EQ(ComputePlacementLegs(in, spotting).eyeAltitudeFeet, 1150);
}

TEST(ComputeEyePointFrom, EncodesTheEyePointInMetres) {
    const PlacementInputs in = Cruising();
    const PlacementParameters params = Period10(2, 1);
    EyePoint p{};
    ASSERT_TRUE(ComputeEyePointFrom(in, params, p));
    // 1030 ft is about 313.94 m.
    EXPECT_EQ(p.altHi, 313);
    EXPECT_NEAR(p.altLo / 4294967296.0, 0.944, 0.0005);
    const PlacementLegs legs = ComputePlacementLegs(in, params);
    EyePoint expected{};
    ASSERT_TRUE(EncodeEyePoint(legs.latDeg, legs.lonDeg, 1030 * 0.3048000000012192, expected));
    EXPECT_TRUE(SameEyePoint(p, expected));
}

TEST(ComputeEyePointFrom, NonFiniteHostValuesLeaveTheEyePointUntouched) {
    EyePoint p;
    std::memset(&p, 0x3C, sizeof p);
    const EyePoint before = p;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    double PlacementInputs::*fields[] = {&PlacementInputs::latitudeDeg,
                                         &PlacementInputs::longitudeDeg,
                                         &PlacementInputs::altitudeFeet,
                                         &PlacementInputs::magneticHeadingDeg,
                                         &PlacementInputs::sizeFeet,
                                         &PlacementInputs::speedAlongKnots,
                                         &PlacementInputs::verticalSpeedFpm,
                                         &PlacementInputs::speedAcrossKnots,
                                         &PlacementInputs::magneticVariationDeg};
    for (auto field : fields) {
        for (double bad : {nan, inf}) {
            PlacementInputs in = Cruising();
            in.*field = bad;
            EXPECT_FALSE(ComputeEyePointFrom(in, Period10(2, 1), p));
        }
    }
    EXPECT_TRUE(SameEyePoint(p, before));
}

// Straight, bit for bit, unless the turn would take the aircraft off the straight look-ahead by
// more than a quarter of what the offsets mean. With a drift they mean 49 m: 0.4 deg/s strays
// 5 m in half a period, 1 deg/s 14 m. Without offsets or drift any stray matters, but not below
// the floor of heading noise.
TEST(PlacementLegs, TurnsUnknownOrTooSlowToMatterLookAheadStraightBitForBit) {
    PlacementInputs in = Cruising();
    in.verticalSpeedFpm = -300;
    struct Case {
        int32_t lateral, altitude;
        double acrossKnots, rate;
        bool straight;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Case cases[] = {{3, -2, 7, 0.0, true},  {3, -2, 7, nan, true},  {3, -2, 7, 0.4, true},
                          {3, -2, 7, -0.4, true}, {3, -2, 7, 1.0, false}, {0, 0, 0, 0.04, true},
                          {0, 0, 0, -0.04, true}, {0, 0, 0, -0.1, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rate);
        in.speedAcrossKnots = c.acrossKnots;
        const PlacementLegs straight = ComputePlacementLegs(in, Period10(c.lateral, c.altitude));
        PlacementParameters params = Period10(c.lateral, c.altitude);
        params.turnRateDegPerSec = c.rate;
        const PlacementLegs legs = ComputePlacementLegs(in, params);
        EXPECT_EQ(c.straight, 0 == std::memcmp(&legs, &straight, sizeof legs));
    }
    // No turn known is straight even where a straight flight's heading turns.
    in.latitudeDeg = 89.9;
    PlacementParameters unknown = Period10(3, -2);
    unknown.periodSeconds = 120;
    const PlacementLegs nearPole = ComputePlacementLegs(in, unknown);
    EXPECT_EQ(nearPole.turnDeg, 0);
    EXPECT_EQ(nearPole.aheadCourseDeg, in.magneticHeadingDeg);
}

// Where the aircraft really goes comes from its flight integrated on the sphere in small steps,
// turning at its own steady rate; the placement gets the rate its headings show, the meridians'
// convergence included. The predicted point must be where the aircraft is when it gets there,
// and the aircraft must pass the eye point at the distance the offsets mean.
TEST(PlacementLegs, TurnsLookAheadToWhereTheAircraftFlies) {
    namespace flight = turn_flight;
    struct Case {
        const char* what;
        double lat, lon, heading, variation;
        double rate; // the aircraft's own, relative to a great circle, deg/s
        double knots;
        int32_t period, lateral;
        double aheadSeconds; // half the period, or half a circle's flight when shorter
    };
    const Case cases[] = {
        {"80 N, over the antimeridian eastward", 80, 179.99, 80, 0, 3, 250, 60, 2, 30},
        {"89.9 N, straight", 89.9, 45, 90, 0, 0, 250, 20, 2, 10},
        {"89.9 N, turning", 89.9, 45, 90, 0, 3, 120, 20, 2, 10},
        {"89.9 S, left over the antimeridian", -89.9, -179.995, 280, 5, -3, 250, 10, -2, 5},
        {"10 deg/s", 47.25, 8.5, 30, 2, 10, 120, 20, 2, 10},
        {"half a circle, eye outside", 47.25, 8.5, 350, 2, -6, 60, 120, 2, 30},
        {"0.49 deg/s, 120 kt, Svp 60", 47.25, 8.5, 30, 2, 0.49, 120, 60, 2, 30},
        {"0.49 deg/s, 450 kt, Svp 120", 47.25, 8.5, 30, 2, 0.49, 450, 120, -2, 60},
    };
    constexpr double kAheadMetres = 0.1; // predicted point to where the aircraft is then
    constexpr double kPassMetres = 0.25; // closest approach to the distance meant
    constexpr double kTurnDeg = 0.001;   // turn along the look-ahead to the aircraft's own
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PlacementInputs in = Cruising();
        in.latitudeDeg = c.lat;
        in.longitudeDeg = c.lon;
        in.magneticHeadingDeg = c.heading;
        in.magneticVariationDeg = c.variation;
        in.speedAlongKnots = c.knots;
        in.sizeFeet = flight::kSizeFeet;
        PlacementParameters params{c.period, c.lateral, flight::kAltitudeSizes, 0};
        const double courseAfter = flight::TrueCourseDeg(flight::FlownFor(in, c.rate, 0.5));
        const double courseBefore = flight::TrueCourseDeg(flight::FlownFor(in, c.rate, -0.5));
        params.turnRateDegPerSec = std::remainder(courseAfter - courseBefore, 360.0);
        const PlacementLegs legs = ComputePlacementLegs(in, params);

        const flight::Flight then = flight::FlownFor(in, c.rate, c.aheadSeconds);
        EXPECT_LT(
            flight::MetresBetween(then.at, flight::FromLatLon(legs.latAheadDeg, legs.lonAheadDeg)),
            kAheadMetres);
        EXPECT_NEAR(flight::ClosestApproach(in, legs, c.rate, c.period).metres,
                    flight::IntendedMetres(), kPassMetres);
        EXPECT_NEAR(legs.turnDeg, c.rate * c.aheadSeconds, kTurnDeg);
    }
}
