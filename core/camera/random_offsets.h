#pragma once
// The offsets of the next eye point, varied from one placement to the next by a 15-bit linear
// congruential generator.
#include <cstdint>

struct OffsetRandomizer {
    uint32_t state;
};

void SeedRandomizer(OffsetRandomizer& rng, uint32_t seconds);
// An integer in 0..32767: bits 16..30 of the next state.
int32_t DrawRandom(OffsetRandomizer& rng);
// A draw that comes up for 0..16383.
bool CoinToss(OffsetRandomizer& rng);

// A draw scaled to 0..range+1: draw * (range + 1) / 32767, truncated, so only the top draw
// 32767 reaches range + 1.
int32_t ScaleDraw(int32_t draw, int32_t range);

struct OffsetSettings {
    int32_t Rlp, Ral, RndH, RndV, RngRlp, RngRal;
};

struct Offsets {
    int32_t lateral;
    int32_t altitude;
};

// Draws in a fixed order: horizontal sign, vertical sign, horizontal distance and sign, vertical
// distance and sign.
Offsets DrawOffsets(OffsetRandomizer& rng, const OffsetSettings& settings);
// An aircraft slower than 1 knot gets the configured offsets instead of the drawn ones.
Offsets OffsetsAtSpeed(const Offsets& drawn, const OffsetSettings& settings,
                       int32_t speedAlongKnotsTruncated);
// The two together.
Offsets RandomizeOffsetsFrom(OffsetRandomizer& rng, const OffsetSettings& settings,
                             int32_t speedAlongKnotsTruncated);
