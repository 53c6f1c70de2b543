#include <gtest/gtest.h>

#include <cstdint>

#include "core/camera/random_offsets.h"

namespace {

// The state that the generator must hold so that its next state is `next`: the multiplier is
// odd, so it has an inverse modulo 2^32 (Newton's iteration doubles the good bits each step).
uint32_t StateBefore(uint32_t next) {
    const uint32_t a = 214013;
    uint32_t inverse = a;
    for (int i = 0; i < 5; ++i) {
        inverse *= 2u - a * inverse;
    }
    return (next - 2531011u) * inverse;
}

// A generator whose next two draws are `first` and then one that is `secondHeads` or not.
OffsetRandomizer Rigged(int32_t first, bool secondHeads) {
    for (uint32_t low = 0; low < 0x20000; ++low) {
        const uint32_t next =
            (static_cast<uint32_t>(first) << 16) | (low & 0xFFFF) | ((low >> 16) << 31);
        OffsetRandomizer probe{next};
        if (CoinToss(probe) == secondHeads) {
            return OffsetRandomizer{StateBefore(next)};
        }
    }
    ADD_FAILURE() << "no state found";
    return OffsetRandomizer{0};
}

OffsetSettings Settings(int32_t rndH, int32_t rndV) {
    return OffsetSettings{2, 1, rndH, rndV, 5, 5};
}

} // namespace

TEST(OffsetRandomizer, IsTheFifteenBitLinearCongruentialGenerator) {
    // The classic sequence of this generator seeded with 1.
    OffsetRandomizer rng;
    SeedRandomizer(rng, 1);
    const int32_t expected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464};
    for (int32_t e : expected) {
        EXPECT_EQ(DrawRandom(rng), e);
    }
    SeedRandomizer(rng, 1);
    DrawRandom(rng);
    EXPECT_EQ(rng.state, 2745024u);
}

TEST(OffsetRandomizer, TheCoinComesUpForTheLowerHalf) {
    OffsetRandomizer rng = Rigged(0x3FFF, true);
    EXPECT_TRUE(CoinToss(rng));
    rng = Rigged(0x4000, true);
    EXPECT_FALSE(CoinToss(rng));
    rng = Rigged(0, true);
    EXPECT_TRUE(CoinToss(rng));
    rng = Rigged(32767, true);
    EXPECT_FALSE(CoinToss(rng));
}

TEST(ScaleDraw, OnlyTheTopDrawReachesRangePlusOne) {
    EXPECT_EQ(ScaleDraw(0, 5), 0);
    EXPECT_EQ(ScaleDraw(5461, 5), 0); // 32766 / 6
    EXPECT_EQ(ScaleDraw(5462, 5), 1);
    EXPECT_EQ(ScaleDraw(32766, 5), 5);
    EXPECT_EQ(ScaleDraw(32767, 5), 6);
    EXPECT_EQ(ScaleDraw(32767, 100), 101);
    EXPECT_EQ(ScaleDraw(32767, INT32_MAX), INT32_MAX);
}

TEST(RandomizeOffsetsFrom, WithoutRandomisationTheOffsetsAreTheSettings) {
    OffsetRandomizer rng{12345};
    const Offsets o = RandomizeOffsetsFrom(rng, Settings(0, 0), 120);
    EXPECT_EQ(o.lateral, 2);
    EXPECT_EQ(o.altitude, 1);
    EXPECT_EQ(rng.state, 12345u); // nothing drawn
}

TEST(RandomizeOffsetsFrom, DrawsInTheFixedOrder) {
    // Seeded with 1 the draws are 41, 18467, 6334, 26500, 19169, ...
    OffsetRandomizer rng;
    // RndH 1: 41 is heads, the side flips. RndV 2: 18467 * 6 / 32767 = 3, then 6334 is heads.
    SeedRandomizer(rng, 1);
    Offsets o = RandomizeOffsetsFrom(rng, Settings(1, 2), 120);
    EXPECT_EQ(o.lateral, -2);
    EXPECT_EQ(o.altitude, -3);

    // RndH 2, RndV 1: the vertical coin comes before the horizontal distance, so it takes 41
    // (heads, the vertical offset flips); the horizontal distance takes 18467 * 6 / 32767 = 3
    // and its coin 6334 (heads).
    SeedRandomizer(rng, 1);
    o = RandomizeOffsetsFrom(rng, Settings(2, 1), 120);
    EXPECT_EQ(o.altitude, -1);
    EXPECT_EQ(o.lateral, -3);

    // Both 2: horizontal 41 -> 0 with 18467 tails; vertical 6334 * 6 / 32767 = 1 with 26500
    // tails.
    SeedRandomizer(rng, 1);
    o = RandomizeOffsetsFrom(rng, Settings(2, 2), 120);
    EXPECT_EQ(o.lateral, 0);
    EXPECT_EQ(o.altitude, 1);
    OffsetRandomizer after;
    SeedRandomizer(after, 1);
    for (int i = 0; i < 4; ++i) {
        DrawRandom(after);
    }
    EXPECT_EQ(rng.state, after.state);
}

TEST(RandomizeOffsetsFrom, VariableDistanceSpansMinusToPlusRangePlusOne) {
    OffsetRandomizer rng = Rigged(32767, false);
    EXPECT_EQ(RandomizeOffsetsFrom(rng, Settings(2, 0), 120).lateral, 6);
    rng = Rigged(32767, true);
    EXPECT_EQ(RandomizeOffsetsFrom(rng, Settings(2, 0), 120).lateral, -6);
    rng = Rigged(32766, false);
    EXPECT_EQ(RandomizeOffsetsFrom(rng, Settings(2, 0), 120).lateral, 5);
    // Over a long run every value lies in -6..6.
    SeedRandomizer(rng, 987654321);
    int seen[13] = {};
    for (int i = 0; i < 20000; ++i) {
        const Offsets o = RandomizeOffsetsFrom(rng, Settings(2, 2), 300);
        ASSERT_GE(o.lateral, -6);
        ASSERT_LE(o.lateral, 6);
        ASSERT_GE(o.altitude, -6);
        ASSERT_LE(o.altitude, 6);
        ++seen[o.lateral + 6];
    }
    for (int v = -5; v <= 5; ++v) {
        EXPECT_GT(seen[v + 6], 0) << v;
    }
}

TEST(RandomizeOffsetsFrom, AnAircraftAtRestGetsTheConfiguredOffsetsButStillDraws) {
    for (int32_t rndH : {0, 1, 2}) {
        for (int32_t rndV : {0, 1, 2}) {
            OffsetRandomizer resting{777};
            OffsetRandomizer moving{777};
            const Offsets o = RandomizeOffsetsFrom(resting, Settings(rndH, rndV), 0);
            RandomizeOffsetsFrom(moving, Settings(rndH, rndV), 1);
            EXPECT_EQ(o.lateral, 2);
            EXPECT_EQ(o.altitude, 1);
            EXPECT_EQ(resting.state, moving.state);
        }
    }
}

TEST(RandomizeOffsetsFrom, ExtremeSettingsStayDefined) {
    OffsetRandomizer rng = Rigged(100, true);
    OffsetSettings s{INT32_MIN, INT32_MIN, 1, 1, INT32_MAX, INT32_MAX};
    const Offsets o = RandomizeOffsetsFrom(rng, s, 50);
    // Heads twice: the most negative value flips to the largest.
    EXPECT_EQ(o.lateral, INT32_MAX);
    EXPECT_EQ(o.altitude, INT32_MAX);
}
