#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "core/camera/geodesy.h"
#include "core/camera/placement_math.h"

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

struct Point {
    double lat, lon;
};

// The point nm away on the true bearing, by the exact spherical direct formula.
Point Travel(Point from, double bearingDeg, double nm) {
    const double d = nm / kEarthRadiusNm, t = bearingDeg * kPi / 180;
    const double p1 = from.lat * kPi / 180;
    const double p2 =
        std::asin(std::sin(p1) * std::cos(d) + std::cos(p1) * std::sin(d) * std::cos(t));
    const double dl = std::atan2(std::sin(t) * std::sin(d) * std::cos(p1),
                                 std::cos(d) - std::sin(p1) * std::sin(p2));
    return Point{p2 * 180 / kPi, from.lon + dl * 180 / kPi};
}

Leg Between(Point a, Point b) {
    return Between(a.lat, a.lon, b.lat, b.lon);
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

TEST(PlacementLegs, SlowTurnRatesLookAheadStraightBitForBit) {
    PlacementInputs in = Cruising();
    in.speedAcrossKnots = 7;
    in.verticalSpeedFpm = -300;
    const PlacementLegs straight = ComputePlacementLegs(in, Period10(3, -2));
    for (double rate : {0.0, 0.5, -0.5, std::numeric_limits<double>::quiet_NaN()}) {
        PlacementParameters params = Period10(3, -2);
        params.turnRateDegPerSec = rate;
        const PlacementLegs legs = ComputePlacementLegs(in, params);
        EXPECT_EQ(0, std::memcmp(&legs, &straight, sizeof legs)) << rate;
    }
}

// The look-ahead point lies on the circle the aircraft flies, and the eye beside it on the
// circle's radius: the pass-by happens at the intended offset. Distances in the module's
// feet-to-miles factor; bearings and distances measured with the exact formulas.
TEST(PlacementLegs, TurnsLookAheadAlongTheCircleAnywhereOnEarth) {
    struct Case {
        const char* where;
        double lat, lon, heading, variation, rate;
        int32_t period;
        double knots;
        int32_t lateral;
        double turnDeg; // after the caps
    };
    const Case cases[] = {
        {"right turn", 47.25, 8.5, 30, 2, 3, 10, 120, 20, 15},
        {"left turn, eye outside", 47.25, 8.5, 30, 2, -3, 20, 120, 20, -30},
        {"rate capped at 6", 47.25, 8.5, 200, -4, 9, 20, 250, -20, 60},
        {"half a circle at most", 47.25, 8.5, 350, 2, 6, 120, 60, 20, 180},
        {"eastward over the antimeridian", 0.01, 179.99, 80, 0, 3, 20, 250, 20, 30},
        {"westward over the antimeridian", -10, -179.995, 280, 5, -3, 20, 250, 20, -30},
        {"near the north pole", 89.9, 45, 90, 0, 3, 20, 120, 20, 30},
        {"near the south pole", -89.9, -120, 270, 3, -3, 10, 250, -20, -15},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.where);
        PlacementInputs in = Cruising();
        in.latitudeDeg = c.lat;
        in.longitudeDeg = c.lon;
        in.magneticHeadingDeg = c.heading;
        in.magneticVariationDeg = c.variation;
        in.speedAlongKnots = c.knots;
        in.sizeFeet = 36;
        PlacementParameters params{c.period, c.lateral, 1, 0};
        params.turnRateDegPerSec = c.rate;
        const PlacementLegs legs = ComputePlacementLegs(in, params);
        EXPECT_NEAR(legs.turnDeg, c.turnDeg, 1e-9);

        const double turnRad = std::fabs(c.turnDeg) * kPi / 180;
        const double radiusNm = c.period * c.knots / 3600.0 * 0.5 / turnRad;
        const double inward = c.rate > 0 ? 90 : -90;
        const Point start{c.lat, c.lon};
        const Point center = Travel(start, c.heading + c.variation + inward, radiusNm);
        const Point ahead{legs.latAheadDeg, legs.lonAheadDeg};
        const Point eye{legs.latDeg, legs.lonDeg};
        EXPECT_NEAR(Between(center, ahead).feet, radiusNm * kFeetPerNm, 1.5);
        EXPECT_NEAR(Between(start, ahead).feet, 2 * radiusNm * std::sin(turnRad / 2) * kFeetPerNm,
                    1.5);
        EXPECT_NEAR(
            AngleBetween(Between(center, ahead).bearingDeg, Between(center, start).bearingDeg),
            std::fabs(c.turnDeg), 0.05);
        const double sideNm = c.lateral * 36 * 0.000164;
        EXPECT_NEAR(Between(ahead, eye).feet, std::fabs(sideNm) * kFeetPerNm, 1.5);
        // On the radius through the look-ahead point: inward when the eye is on the turn's side.
        const bool inside = (sideNm > 0) == (c.rate > 0);
        EXPECT_NEAR(AngleBetween(Between(ahead, eye).bearingDeg,
                                 Between(ahead, center).bearingDeg + (inside ? 0 : 180)),
                    0, 0.2);
        EyePoint p{};
        EXPECT_TRUE(ComputeEyePointFrom(in, params, p));
    }
}
