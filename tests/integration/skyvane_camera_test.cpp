// The pass-by camera joined to the stand-in host: renewal by the real timer, the eye point's
// geometry in the host's words, and the view-target redirect through the host's view code.
// The tick's and the commands' rules are tested natively against a fake host.
#include <cmath>
#include "core/camera/placement_math.h"
#include "tests/bench/turn_flight.h"
#include "skyvane_fixture.h"

using namespace skyvane_test;

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kFeetToNm = 0.000164;
constexpr double kMetresPerFoot = 0.3048;

// Great-circle distance and initial bearing by the haversine and atan2 forms, independent of
// the module's own law-of-cosines code.
void Inverse(double lat1, double lon1, double lat2, double lon2, double* distanceNm,
             double* bearingDeg) {
    double p1 = lat1 * kPi / 180, p2 = lat2 * kPi / 180, dl = (lon2 - lon1) * kPi / 180;
    double h =
        sin((p2 - p1) / 2) * sin((p2 - p1) / 2) + cos(p1) * cos(p2) * sin(dl / 2) * sin(dl / 2);
    *distanceNm = 2 * kEarthRadiusNm * asin(sqrt(h));
    double b = atan2(sin(dl) * cos(p2), cos(p1) * sin(p2) - sin(p1) * cos(p2) * cos(dl));
    *bearingDeg = fmod(b * 180 / kPi + 360, 360);
}

class Camera : public SkyvaneHost {
  protected:
    // A straight, level user's aircraft at a steady speed, the view on with the given period.
    void StartPassBy(int svp = 10, double speedKnots = 140.0) {
        WriteActiveIni(svp);
        HostsimAircraft user;
        HostsimDefaultAircraft(&user, 1);
        user.speedKnots = speedKnots;
        user.acrossKnots = 0.0;
        user.verticalSpeedFpm = 0.0;
        user.turnRateDegPerSec = 0.0;
        user.sizeFeet = 30.0;
        user.altitudeFeet = 3000.0;
        user.groundElevationFeet = 100.0;
        user.variationDeg = -2.0;
        user.headingTrueDeg = 60.0;
        user.userState = 0.0;
        ASSERT_TRUE(HostsimAddAircraft(&user));
        StartFlying();
    }

    // Steps one second at a time and counts how often the tower eye point changed.
    int CountPlacements(int seconds) {
        int placements = 0;
        for (int i = 0; i < seconds; ++i) {
            HostsimEyePoint before = Tower();
            HostsimStep(1);
            if (!SameEye(before, Tower())) {
                ++placements;
            }
        }
        return placements;
    }

    // Steps until the next placement; false when none comes within the limit.
    bool StepToPlacement(int limitSeconds) {
        for (int i = 0; i < limitSeconds; ++i) {
            HostsimEyePoint before = Tower();
            HostsimStep(1);
            if (!SameEye(before, Tower())) {
                return true;
            }
        }
        return false;
    }

    int32_t DataOwner(HostsimCaller caller) {
        return HostsimAircraftOfData(HostsimCallView(caller));
    }

    // The aircraft the host's tower view gets when it asks now.
    int32_t TowerTarget() { return DataOwner(kHostsimTowerCaller); }
};

} // namespace

TEST_F(Camera, ANewEyePointEveryPeriodInTheTowerView) {
    StartPassBy(10);
    ASSERT_TRUE(StepToPlacement(12));
    EXPECT_EQ(CountPlacements(60), 6);
    // Every placement is exactly one period after the one before.
    for (int round = 0; round < 3; ++round) {
        HostsimEyePoint placed = Tower();
        HostsimStep(9);
        EXPECT_TRUE(SameEye(placed, Tower()));
        HostsimStep(1);
        EXPECT_FALSE(SameEye(placed, Tower()));
    }
}

TEST_F(Camera, TheEyePointLiesHalfAPeriodAheadAndBesideTheTrack) {
    const int svp = 10;
    const double speedKnots = 140.0;
    StartPassBy(svp, speedKnots);
    ASSERT_TRUE(StepToPlacement(12));
    const HostsimAircraft* user = User();
    double lat, lon, altMetres;
    HostsimDecodeEyePoint(HostsimTowerEyePoint(), &lat, &lon, &altMetres);
    double distanceNm, bearingDeg;
    Inverse(user->latitudeDeg, user->longitudeDeg, lat, lon, &distanceNm, &bearingDeg);

    double aheadNm = svp * speedKnots / 3600.0 * 0.5;
    double sideNm = 2 * user->sizeFeet * kFeetToNm; // Rlp 2, to the right
    EXPECT_NEAR(distanceNm, hypot(aheadNm, sideNm), 0.0005);
    double expectedBearing = user->headingTrueDeg + atan2(sideNm, aheadNm) * 180 / kPi;
    EXPECT_NEAR(bearingDeg, expectedBearing, 0.05);
    EXPECT_NEAR(altMetres, (user->altitudeFeet + 1 * user->sizeFeet) * kMetresPerFoot, 0.01);
}

// A host that renders with Direct3D 9 runs its thread with the x87 unit in 24-bit precision;
// the eye points must still be those of double-precision arithmetic, computed here by the same
// core in the test's own precision. Each leg stays well away from a meridian, where the
// arc-cosine near 1 would limit even double precision to about 1e-6 degree.
TEST_F(Camera, EyePointsKeepDoublePrecisionWhenTheHostRunsTheFpuInSinglePrecision) {
    options.singlePrecisionFpu = true;
    StartPassBy(10);
    for (double heading : {30.0, 55.0, 125.0, 150.0, 215.0, 240.0, 305.0, 330.0}) {
        User()->headingTrueDeg = heading;
        ASSERT_TRUE(StepToPlacement(12));
        const HostsimAircraft* u = User();
        const PlacementInputs in{u->latitudeDeg,
                                 u->longitudeDeg,
                                 u->altitudeFeet,
                                 fmod(u->headingTrueDeg - u->variationDeg + 360, 360),
                                 u->sizeFeet,
                                 u->speedKnots,
                                 u->verticalSpeedFpm,
                                 u->acrossKnots,
                                 u->groundElevationFeet,
                                 u->variationDeg};
        EyePoint core;
        ASSERT_TRUE(ComputeEyePointFrom(in, PlacementParameters{10, 2, 1, 0}, core));
        HostsimEyePoint expected = {core.latLo, core.latHi, core.lonLo,
                                    core.lonHi, core.altLo, core.altHi};
        double lat, lon, alt, coreLat, coreLon, coreAlt;
        HostsimDecodeEyePoint(HostsimTowerEyePoint(), &lat, &lon, &alt);
        HostsimDecodeEyePoint(&expected, &coreLat, &coreLon, &coreAlt);
        EXPECT_NEAR(lat, coreLat, 1e-9) << "heading " << heading;
        EXPECT_NEAR(lon, coreLon, 1e-9) << "heading " << heading;
        EXPECT_NEAR(alt, coreAlt, 1e-6) << "heading " << heading;
    }
}

// At four times the simulation rate, following turns: the rate comes from the host's clock, and
// the aircraft, flying on along its circle, passes the eye point at the intended distance.
TEST_F(Camera, AtFourTimesTheRateATurningAircraftPassesTheEyePointAsIntended) {
    WriteIni("SETTINGS", "Turns", "1");
    StartPassBy(10, 120.0);
    User()->turnRateDegPerSec = 3.0;
    ASSERT_TRUE(HostsimRunAction(R"({"simRate": 4})"));
    HostsimStep(20);
    ASSERT_TRUE(StepToPlacement(12));
    const HostsimAircraft* u = User();
    const PlacementInputs start{u->latitudeDeg,
                                u->longitudeDeg,
                                u->altitudeFeet,
                                u->headingTrueDeg - u->variationDeg,
                                u->sizeFeet,
                                u->speedKnots,
                                0,
                                0,
                                0,
                                u->variationDeg};
    PlacementLegs eye{};
    double altMetres;
    HostsimDecodeEyePoint(HostsimTowerEyePoint(), &eye.latDeg, &eye.lonDeg, &altMetres);
    eye.eyeAltitudeFeet = altMetres / kMetresPerFoot;
    const double intended =
        std::hypot(2 * u->sizeFeet * kFeetToNm * 1852, u->sizeFeet * kMetresPerFoot);
    EXPECT_LE(turn_flight::ClosestApproach(start, eye, 3.0, 40).metres, 1.5 * intended);
}

TEST_F(Camera, NextAndPreviousStepThroughTheAiAircraftWithWrapAround) {
    StartPassBy(10);
    AddAi(7);
    AddAi(9);
    const int32_t order[] = {7, 9};
    ASSERT_TRUE(HostsimSetAiList(order, 2));
    HostsimStep(1);
    const int32_t expectedNext[] = {7, 9, 7};
    for (int32_t id : expectedNext) {
        Press('D', kHostsimShift);
        EXPECT_EQ(TowerTarget(), id);
        EXPECT_TRUE(HostsimRedirectInstalled());
    }
    Press('A', kHostsimShift);
    EXPECT_EQ(TowerTarget(), 9);
    EXPECT_TRUE(HostsimCheckTableSlots().allOk) << "the redirect keeps the host's live slots";
    EXPECT_EQ(DataOwner(kHostsimCockpitCaller), 1) << "other callers keep the user's aircraft";

    // From the user's aircraft, previous goes to the last entry.
    Press('F', kHostsimShift);
    EXPECT_FALSE(HostsimRedirectInstalled()) << "switching off removes the redirect";
    Press('F', kHostsimShift);
    EXPECT_FALSE(HostsimRedirectInstalled());
    Press('A', kHostsimShift);
    EXPECT_EQ(TowerTarget(), 9);
}

TEST_F(Camera, TheCycleGoesToTheFollowViewAndBackWithTheSameAircraft) {
    StartPassBy(10);
    AddAi(7);
    HostsimStep(1);
    Press('D', kHostsimShift);
    ASSERT_EQ(TowerTarget(), 7);
    Press('T', kHostsimShift);
    HostsimStep(1);
    EXPECT_EQ(HostsimActiveView()->viewMode, kViewFollow);
    EXPECT_EQ(HostsimFollowedObject(), 7);
    EXPECT_EQ(DataOwner(kHostsimFollowCaller), 7);
    HostsimStep(2);
    EXPECT_TRUE(HostsimRedirectInstalled()) << "the module's own switch keeps the target";

    Press('T', kHostsimShift);
    HostsimStep(1);
    EXPECT_EQ(HostsimActiveView()->viewMode, kViewTower);
    EXPECT_EQ(TowerTarget(), 7);
}

TEST_F(Camera, ARedirectWordChangedBySomeoneElseIsLeftAlone) {
    StartPassBy(10);
    AddAi(7);
    HostsimStep(1);
    void** word = HostsimTableWord();
    void* theirs = HostsimOriginalTable();
    static void* otherTable[37];
    for (int i = 0; i < 37; ++i) {
        otherTable[i] = static_cast<void**>(theirs)[i];
    }
    *word = otherTable;
    Press('D', kHostsimShift);
    EXPECT_EQ(*word, static_cast<void*>(otherTable)) << "install writes nothing";
    Press('F', kHostsimShift);
    EXPECT_EQ(*word, static_cast<void*>(otherTable)) << "remove writes nothing";
    *word = theirs;
}
