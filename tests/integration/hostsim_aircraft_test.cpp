// Aircraft as modules read them: objects, data interfaces, variables, texts, positions, the
// AI list, and their motion.
#include "hostsim_test_support.h"

#include <cmath>

using namespace hostsim_test;

namespace {
constexpr int32_t kFeet = 7, kDegrees = 63, kFpm = 80, kKnots = 82;

HostsimAircraft* AddAi(int32_t id, double latitudeDeg) {
    HostsimAircraft ai;
    HostsimDefaultAircraft(&ai, id);
    ai.latitudeDeg = latitudeDeg;
    ai.longitudeDeg = 2.0;
    EXPECT_TRUE(HostsimAddAircraft(&ai));
    return HostsimFindAircraft(id);
}

int32_t AiListId(int index) {
    const uint8_t* list = Word<const uint8_t*>(kObjects, 0xC0);
    const uint8_t* entries = *reinterpret_cast<const uint8_t* const*>(list + 0x0C);
    const uint8_t* object = *reinterpret_cast<const uint8_t* const*>(entries + index * 8 + 4);
    return *reinterpret_cast<const int32_t*>(object + 4);
}

int32_t AiListCount() {
    return *Word<const int32_t*>(kObjects, 0xC0);
}

int32_t AiStateOf(int32_t id) {
    const uint8_t* object = static_cast<const uint8_t*>(Lookup(id));
    const uint8_t* record = *reinterpret_cast<const uint8_t* const*>(object + 0x14);
    return record ? *reinterpret_cast<const int32_t*>(record + 884) : -1;
}

const uint8_t* PositionOf(int32_t id) {
    const uint8_t* data = static_cast<const uint8_t*>(DataOf(id));
    const uint8_t* record = *reinterpret_cast<const uint8_t* const*>(data + 0x28);
    return record ? record + 143 : nullptr;
}

std::string ReadText(int32_t id, int32_t variable, char* buffer) {
    void* data = DataOf(id);
    reinterpret_cast<ReadTextFn>(Method(data, 3))(data, variable, buffer, 260, 0);
    return std::string(buffer, strnlen(buffer, 260));
}
} // namespace

TEST_F(HostsimHost, VariablesAnswerInTheirUnitsForEveryAircraft) {
    Start();
    HostsimAircraft* user = HostsimFindAircraft(1);
    user->headingTrueDeg = 100;
    user->variationDeg = -3;
    user->verticalSpeedFpm = -700;
    HostsimAircraft* ai = AddAi(7, 51.0);
    ai->sizeFeet = 42;
    ai->speedKnots = 180;
    ai->acrossKnots = 4;
    ai->groundElevationFeet = 350;
    ai->indicatedKnots = 171;
    ai->userState = 9;
    EXPECT_DOUBLE_EQ(ReadValue(1, 48, kDegrees), user->latitudeDeg);
    EXPECT_DOUBLE_EQ(ReadValue(1, 49, kDegrees), user->longitudeDeg);
    EXPECT_DOUBLE_EQ(ReadValue(1, 50, kFeet), user->altitudeFeet);
    EXPECT_DOUBLE_EQ(ReadValue(1, 54, kDegrees), 103.0) << "magnetic = true - variation";
    EXPECT_DOUBLE_EQ(ReadValue(1, 64, kDegrees), -3.0);
    EXPECT_DOUBLE_EQ(ReadValue(1, 39, kFpm), -700.0);
    EXPECT_DOUBLE_EQ(ReadValue(7, 48, kDegrees), 51.0);
    EXPECT_DOUBLE_EQ(ReadValue(7, 548, kFeet), 42.0);
    EXPECT_DOUBLE_EQ(ReadValue(7, 37, kKnots), 180.0);
    EXPECT_DOUBLE_EQ(ReadValue(7, 35, kKnots), 4.0);
    EXPECT_DOUBLE_EQ(ReadValue(7, 69, kFeet), 350.0);
    EXPECT_DOUBLE_EQ(ReadValue(7, 25, kKnots), 171.0);
    EXPECT_DOUBLE_EQ(ReadValue(7, 572, 136), 9.0);
    uint32_t unknownBefore = HostsimStatistics()->unknownValueReads;
    EXPECT_DOUBLE_EQ(ReadValue(7, 50, kDegrees), 0.0) << "a wrong unit gets nothing";
    EXPECT_EQ(HostsimStatistics()->unknownValueReads, unknownBefore + 1);
    EXPECT_EQ(Method(Lookup(1), 14), Method(Lookup(7), 14)) << "one set of methods for all";
    EXPECT_NE(DataOf(1), DataOf(7));
}

TEST_F(HostsimHost, OverridesGiveValuesNoFlightCouldProduce) {
    Start();
    AddAi(7, 51.0);
    ASSERT_TRUE(HostsimOverrideVariable(7, 548, NAN));
    ASSERT_TRUE(HostsimOverrideVariable(7, 37, INFINITY));
    ASSERT_TRUE(HostsimOverrideVariable(7, 50, 1e300));
    EXPECT_TRUE(std::isnan(ReadValue(7, 548, kFeet)));
    EXPECT_TRUE(std::isinf(ReadValue(7, 37, kKnots)));
    EXPECT_DOUBLE_EQ(ReadValue(7, 50, kFeet), 1e300);
    EXPECT_DOUBLE_EQ(ReadValue(1, 50, kFeet), HostsimFindAircraft(1)->altitudeFeet);
    HostsimClearOverrides(7);
    EXPECT_DOUBLE_EQ(ReadValue(7, 548, kFeet), HostsimFindAircraft(7)->sizeFeet);
}

TEST_F(HostsimHost, TextsFillTheBufferWithoutTerminatorWhenTooLong) {
    Start();
    HostsimAircraft* ai = AddAi(7, 51.0);
    char buffer[300];
    memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(ReadText(7, 527, buffer), "Airbus A321");
    EXPECT_EQ(ReadText(7, 526, buffer), "Airliner");
    memset(ai->type, 'x', 299);
    ai->type[299] = '\0';
    memset(buffer, '#', sizeof buffer);
    ReadText(7, 527, buffer);
    EXPECT_EQ(std::string(buffer, 260), std::string(260, 'x'));
    EXPECT_EQ(buffer[260], '#') << "nothing beyond the capacity";
    ai->type[0] = '\0';
    EXPECT_EQ(ReadText(7, 527, buffer), "");
}

TEST_F(HostsimHost, PositionsEncodeAndMeasureWhereTheAircraftAre) {
    Start();
    HostsimAircraft* ai = AddAi(7, 51.0);
    void* data = DataOf(7);
    HostsimEyePoint eye = {};
    EXPECT_EQ(reinterpret_cast<ReadPositionFn>(Method(data, 2))(data, 532, &eye, 0), 1);
    double lat, lon, altMetres;
    HostsimDecodeEyePoint(&eye, &lat, &lon, &altMetres);
    EXPECT_NEAR(lat, 51.0, 1e-6);
    EXPECT_NEAR(lon, 2.0, 1e-6);
    EXPECT_NEAR(altMetres, ai->altitudeFeet * 0.3048, 1e-3);
    HostsimEyePoint known = HostsimEncodeEyePoint(45, 90, 100.25);
    EXPECT_EQ(known.latHi, 5000875);
    EXPECT_EQ(known.latLo, 0u);
    EXPECT_EQ(static_cast<uint32_t>(known.lonHi), 0x40000000u);
    EXPECT_EQ(known.altHi, 100);
    EXPECT_EQ(known.altLo, 0x40000000u);

    // One degree of latitude apart: about 111 km on the host's sphere.
    HostsimFindAircraft(1)->latitudeDeg = 50.0;
    HostsimFindAircraft(1)->longitudeDeg = 2.0;
    HostsimStep(1);
    typedef double(__stdcall * DistanceFn)(const uint8_t*, const uint8_t*);
    double metres = HostFunction<DistanceFn>(kGeometry, 0x184)(PositionOf(7), PositionOf(1));
    EXPECT_NEAR(metres, 111319.5, 1.0);
    ai->hasPositionRecord = false;
    HostsimStep(1);
    EXPECT_EQ(PositionOf(7), nullptr);
}

TEST_F(HostsimHost, TheAiListCountsEntryZeroAndLosesAircraftThatLeave) {
    Start();
    EXPECT_EQ(AiListCount(), 1);
    EXPECT_EQ(AiListId(0), 1);
    AddAi(7, 51.0);
    AddAi(9, 51.1);
    AddAi(12, 51.2);
    EXPECT_EQ(AiListCount(), 4);
    EXPECT_EQ(AiListId(1), 7);
    EXPECT_EQ(AiListId(3), 12);
    EXPECT_EQ(AiStateOf(7), 12);
    EXPECT_EQ(AiStateOf(1), -1) << "the user's aircraft has no AI state record";
    HostsimFindAircraft(9)->aiState = 19;
    HostsimStep(1);
    EXPECT_EQ(AiStateOf(9), 19);

    void* staleData = DataOf(9);
    ASSERT_TRUE(HostsimRemoveAircraft(9));
    EXPECT_EQ(Lookup(9), nullptr);
    EXPECT_EQ(AiListCount(), 3);
    EXPECT_EQ(AiListId(2), 12);
    EXPECT_EQ(HostsimAircraftOfData(staleData), 9) << "stale memory stays readable";
    EXPECT_FALSE(HostsimRemoveAircraft(1)) << "the user's aircraft never leaves";

    const int32_t order[] = {12, 1, 7};
    ASSERT_TRUE(HostsimSetAiList(order, 3));
    EXPECT_EQ(AiListCount(), 4);
    EXPECT_EQ(AiListId(2), 1);
}

TEST_F(HostsimHost, AircraftFlyGreatCirclesOnlyWhileTheHostFlies) {
    HostsimAircraft user;
    HostsimDefaultAircraft(&user, 1);
    user.latitudeDeg = 0;
    user.longitudeDeg = 10;
    user.headingTrueDeg = 90;
    user.variationDeg = 0;
    user.speedKnots = 360;
    user.verticalSpeedFpm = 600;
    user.altitudeFeet = 3000;
    ASSERT_TRUE(HostsimAddAircraft(&user));
    options.flyingAfterSeconds = 3;
    Start();
    const uint32_t* userRecord =
        reinterpret_cast<const uint32_t*>(HostsimInterface(kTable) + 0xA358);
    EXPECT_EQ(userRecord[1] | userRecord[3] | userRecord[5], 0u) << "no position while loading";
    HostsimStep(2);
    HostsimAircraft* flying = HostsimFindAircraft(1);
    EXPECT_EQ(HostsimHostState(), 227);
    EXPECT_DOUBLE_EQ(flying->longitudeDeg, 10.0) << "nothing moves before the host flies";
    EXPECT_NE(userRecord[5], 0u) << "the position is there once the host is ready";
    HostsimStep(600);
    EXPECT_EQ(HostsimHostState(), 12);
    // 360 knots for ten minutes: 60 nautical miles east along the equator.
    double expectedDeg = 60 * 1852.0 / 6378137.0 * 180.0 / 3.14159265358979;
    EXPECT_NEAR(flying->longitudeDeg, 10.0 + expectedDeg, 1e-6);
    EXPECT_NEAR(flying->latitudeDeg, 0.0, 1e-9);
    EXPECT_NEAR(flying->altitudeFeet, 9000.0, 1e-6);
    HostsimEyePoint mirrored;
    memcpy(&mirrored, userRecord, sizeof mirrored);
    double lat, lon, altMetres;
    HostsimDecodeEyePoint(&mirrored, &lat, &lon, &altMetres);
    EXPECT_NEAR(lon, flying->longitudeDeg, 1e-6);
    EXPECT_NEAR(altMetres, 9000 * 0.3048, 1e-3);

    HostsimSetPaused(true);
    HostsimStep(30);
    EXPECT_NEAR(flying->longitudeDeg, 10.0 + expectedDeg, 1e-6) << "paused";
}

TEST_F(HostsimHost, HeavyTrafficOfTwoThousandAircraftIsHeldAndFoundById) {
    Start();
    const int32_t kFirstId = 1000;
    const int kCount = 2000;
    for (int i = 0; i < kCount; ++i) {
        HostsimAircraft ai;
        HostsimDefaultAircraft(&ai, kFirstId + 3 * i);
        ASSERT_TRUE(HostsimAddAircraft(&ai)) << i;
    }
    EXPECT_EQ(AiListCount(), kCount + 1);
    EXPECT_EQ(AiListId(kCount), kFirstId + 3 * (kCount - 1));
    for (int i = 0; i < kCount; i += 97) {
        int32_t id = kFirstId + 3 * i;
        void* data = DataOf(id);
        ASSERT_NE(data, nullptr) << id;
        EXPECT_EQ(HostsimAircraftOfData(data), id);
    }
    EXPECT_EQ(Lookup(kFirstId + 1), nullptr) << "an ID never added";
    ASSERT_TRUE(HostsimRemoveAircraft(kFirstId + 30));
    EXPECT_EQ(Lookup(kFirstId + 30), nullptr);
    EXPECT_NE(Lookup(kFirstId + 33), nullptr) << "its neighbours stay";
    EXPECT_EQ(AiListCount(), kCount);
    HostsimAircraft again;
    HostsimDefaultAircraft(&again, kFirstId + 30);
    ASSERT_TRUE(HostsimAddAircraft(&again)) << "a removed ID can come back";
    EXPECT_NE(Lookup(kFirstId + 30), nullptr);
}

TEST_F(HostsimHost, RemovedAircraftLeaveRoomForNewOnesOnceTheHostIsFull) {
    Start();
    const int32_t kFirstId = 100;
    for (int i = 0; i < kHostsimAircraftCapacity - 1; ++i) {
        HostsimAircraft ai;
        HostsimDefaultAircraft(&ai, kFirstId + i);
        ASSERT_TRUE(HostsimAddAircraft(&ai)) << i;
    }
    HostsimAircraft late;
    HostsimDefaultAircraft(&late, 99);
    EXPECT_FALSE(HostsimAddAircraft(&late)) << "full";
    ASSERT_TRUE(HostsimRemoveAircraft(kFirstId + 5));
    ASSERT_TRUE(HostsimAddAircraft(&late)) << "the removed one's room is taken";
    EXPECT_NE(Lookup(99), nullptr);
    EXPECT_EQ(Lookup(kFirstId + 5), nullptr);
    EXPECT_NE(Lookup(kFirstId + 6), nullptr);
    EXPECT_EQ(AiListCount(), kHostsimAircraftCapacity);
}
