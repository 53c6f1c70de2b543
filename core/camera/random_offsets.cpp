#include "core/camera/random_offsets.h"

#include "core/camera/numeric.h"

namespace {

constexpr uint32_t kMultiplier = 214013;
constexpr uint32_t kIncrement = 2531011;
constexpr uint32_t kDrawMask = 0x7FFF;
constexpr int32_t kDrawDivisor = 32767;
constexpr int32_t kCoinHighest = 0x3FFF;
constexpr int32_t kRandomSign = 1;     // RndH, RndV: same distance, random side
constexpr int32_t kRandomDistance = 2; // RndH, RndV: random distance and side

// Negation that stays defined for the most negative value.
int32_t Negated(int32_t value) {
    return SaturateToInt32(-static_cast<int64_t>(value));
}

int32_t RandomDistance(OffsetRandomizer& rng, int32_t range) {
    const int32_t offset = ScaleDraw(DrawRandom(rng), range);
    return CoinToss(rng) ? Negated(offset) : offset;
}

} // namespace

void SeedRandomizer(OffsetRandomizer& rng, uint32_t seconds) {
    rng.state = seconds;
}

int32_t DrawRandom(OffsetRandomizer& rng) {
    rng.state = rng.state * kMultiplier + kIncrement;
    return static_cast<int32_t>((rng.state >> 16) & kDrawMask);
}

bool CoinToss(OffsetRandomizer& rng) {
    return DrawRandom(rng) <= kCoinHighest;
}

int32_t ScaleDraw(int32_t draw, int32_t range) {
    return SaturateToInt32(static_cast<int64_t>(draw) * (static_cast<int64_t>(range) + 1) /
                           kDrawDivisor);
}

Offsets DrawOffsets(OffsetRandomizer& rng, const OffsetSettings& settings) {
    Offsets offsets{settings.Rlp, settings.Ral};
    if (settings.RndH == kRandomSign && CoinToss(rng)) {
        offsets.lateral = Negated(offsets.lateral);
    }
    if (settings.RndV == kRandomSign && CoinToss(rng)) {
        offsets.altitude = Negated(offsets.altitude);
    }
    if (settings.RndH == kRandomDistance) {
        offsets.lateral = RandomDistance(rng, settings.RngRlp);
    }
    if (settings.RndV == kRandomDistance) {
        offsets.altitude = RandomDistance(rng, settings.RngRal);
    }
    return offsets;
}

Offsets OffsetsAtSpeed(const Offsets& drawn, const OffsetSettings& settings,
                       int32_t speedAlongKnotsTruncated) {
    return speedAlongKnotsTruncated == 0 ? Offsets{settings.Rlp, settings.Ral} : drawn;
}

Offsets RandomizeOffsetsFrom(OffsetRandomizer& rng, const OffsetSettings& settings,
                             int32_t speedAlongKnotsTruncated) {
    // The draws happen even at rest, so the sequence does not depend on the speed.
    return OffsetsAtSpeed(DrawOffsets(rng, settings), settings, speedAlongKnotsTruncated);
}
