// Numbers and texts as the host may hand them over: any double bit pattern (NaN, infinities,
// huge and denormal values) for the ten placement reads, the turn rate, the course history, the
// jump check and the AI list's columns, any 32-bit settings-range offsets, and host texts that
// fill their buffer without a terminator.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "core/camera/geodesy.h"
#include "core/camera/numeric.h"
#include "core/camera/placement_math.h"
#include "core/camera/random_offsets.h"
#include "core/camera/target_motion.h"
#include "config_invariants.h"
#include "core/traffic/ai_compare.h"
#include "core/traffic/ai_format.h"

namespace {

struct Bytes {
    const uint8_t* data;
    size_t size;
    size_t next;

    template <typename T> T Take() {
        T value{};
        uint8_t raw[sizeof(T)] = {};
        for (size_t i = 0; i < sizeof(T) && next < size; ++i) {
            raw[i] = data[next++];
        }
        std::memcpy(&value, raw, sizeof(T));
        return value;
    }
};

void CheckText(const char* text) {
    FUZZ_CHECK(std::memchr(text, '\0', kTextSize) != nullptr);
}

void CheckPlacement(const PlacementInputs& inputs, const PlacementParameters& params) {
    const EyePoint untouched{0xA5A5A5A5u, 0x5A5A5A5A,  0xA5A5A5A5u,
                             0x5A5A5A5A,  0xA5A5A5A5u, 0x5A5A5A5A};
    EyePoint out = untouched;
    const PlacementLegs legs = ComputePlacementLegs(inputs, params);
    const bool placed = ComputeEyePointFrom(inputs, params, out);
    const bool finite = std::isfinite(legs.latDeg) && std::isfinite(legs.lonDeg) &&
                        std::isfinite(legs.eyeAltitudeFeet);
    // A point is placed only from finite values; a refused one leaves the old words alone.
    FUZZ_CHECK(!placed || finite);
    if (!placed) {
        FUZZ_CHECK(SameEyePoint(out, untouched));
    }
}

// The same host values looked ahead straight, then along an arc of any rate.
void PlaceFrom(Bytes& in) {
    PlacementInputs inputs;
    double* fields[] = {
        &inputs.latitudeDeg,         &inputs.longitudeDeg,     &inputs.altitudeFeet,
        &inputs.magneticHeadingDeg,  &inputs.sizeFeet,         &inputs.speedAlongKnots,
        &inputs.verticalSpeedFpm,    &inputs.speedAcrossKnots, &inputs.groundElevationFeet,
        &inputs.magneticVariationDeg};
    for (double* field : fields) {
        *field = in.Take<double>();
    }
    PlacementParameters params{in.Take<int32_t>(), in.Take<int32_t>(), in.Take<int32_t>(),
                               in.Take<int32_t>()};
    CheckPlacement(inputs, params);
    params.turnRateDegPerSec = in.Take<double>();
    params.simSecondsPerSecond = std::ldexp(kSimRateMin, in.Take<uint8_t>() % 10);
    CheckPlacement(inputs, params);
}

// Courses, positions and the clock read tick by tick, any bit pattern, ticks missed or not.
void MotionFrom(Bytes& in) {
    TargetWatch watch;
    ClearTargetWatch(watch);
    SimulationRate sim;
    ClearSimulationRate(sim);
    uint32_t tick = 0;
    for (int i = 0; i < 2 * kClockStepsKept; ++i) {
        tick += in.Take<uint8_t>() % 3;
        const int32_t second = SecondOfDay(in.Take<int8_t>(), in.Take<int8_t>(), in.Take<int8_t>());
        const SimulationStep step = StepSimulationRate(sim, second, in.Take<uint8_t>() & 1, tick);
        FUZZ_CHECK(sim.stepCount >= 0 && sim.stepCount <= kClockStepsKept);
        FUZZ_CHECK(step.simSeconds >= 0 && step.simSeconds <= kSimRateMax);
        FUZZ_CHECK(step.mostSimSeconds >= 0 && step.mostSimSeconds <= kMostSimSecondsPerTick);
        const TargetReading reading{in.Take<double>(), in.Take<double>(), in.Take<double>(),
                                    in.Take<double>()};
        (void)WatchTarget(watch, reading, step, tick);
        FUZZ_CHECK(watch.turns.count >= 0 && watch.turns.count <= kTurnSampleCount);
    }
    (void)FreshTurnRate(watch, tick);
}

void RandomizeFrom(Bytes& in) {
    OffsetRandomizer rng;
    SeedRandomizer(rng, in.Take<uint32_t>());
    OffsetSettings s;
    s.RngRlp = kOffsetRangeLow + static_cast<int32_t>(in.Take<uint8_t>() % 96);
    s.RngRal = kOffsetRangeLow + static_cast<int32_t>(in.Take<uint8_t>() % 96);
    s.Rlp = static_cast<int32_t>(in.Take<uint8_t>() % (2 * s.RngRlp + 1)) - s.RngRlp;
    s.Ral = static_cast<int32_t>(in.Take<uint8_t>() % (2 * s.RngRal + 1)) - s.RngRal;
    s.RndH = in.Take<uint8_t>() % 3;
    s.RndV = in.Take<uint8_t>() % 3;
    const Offsets offsets = RandomizeOffsetsFrom(rng, s, TruncateToInt32(in.Take<double>()));
    // A draw of 32767 reaches one past the range, never more.
    FUZZ_CHECK(offsets.lateral >= -(s.RngRlp + 1) && offsets.lateral <= s.RngRlp + 1);
    FUZZ_CHECK(offsets.altitude >= -(s.RngRal + 1) && offsets.altitude <= s.RngRal + 1);
}

void FormatFrom(Bytes& in) {
    char text[kTextSize];
    FormatDistanceText(in.Take<double>(), text);
    CheckText(text);
    FormatDistanceText(MetresToAiDistanceNm(in.Take<double>()), text);
    CheckText(text);
    FormatRoundedText(in.Take<double>(), text);
    CheckText(text);
    FormatDayText(in.Take<double>(), text);
    CheckText(text);
    FormatStateText(in.Take<int32_t>(), text);
    CheckText(text);
    FormatAiCount(in.Take<int32_t>(), text);
    CheckText(text);
    FormatUtcTime(in.Take<int32_t>(), in.Take<int32_t>(), in.Take<uint16_t>(), text);
    CheckText(text);
    const double bearing = AiBearingFrom(in.Take<double>(), in.Take<double>(), in.Take<double>(),
                                         in.Take<double>(), in.Take<double>());
    FormatRoundedText(bearing, text);
    CheckText(text);
    (void)InitialBearing(in.Take<double>(), in.Take<double>(), in.Take<double>(),
                         in.Take<double>());
    (void)CentralAngle(in.Take<double>(), in.Take<double>(), in.Take<double>(), in.Take<double>());
}

// Two host texts exactly filling the module's buffer, with whatever is left of the input.
void TextsFrom(Bytes& in) {
    char first[kTextSize];
    char second[kTextSize];
    for (size_t i = 0; i < kTextSize; ++i) {
        first[i] = static_cast<char>(in.Take<uint8_t>() | (i == 0 ? 0x80 : 0));
        second[i] = static_cast<char>(in.Take<uint8_t>());
    }
    char copy[kTextSize];
    CopyHostText(first, sizeof first, copy);
    CheckText(copy);
    for (int column = -1; column <= kAiColumnCount; ++column) {
        const int32_t forward = CompareAiCells(first, second, column);
        const int32_t backward = CompareAiCells(second, first, column);
        // An order for sorting must be antisymmetric, or the list view's sort never settles.
        FUZZ_CHECK((forward < 0) == (backward > 0));
    }
    FUZZ_CHECK(SameCellText(first, first) == (std::memchr(first, '\0', kTextSize) != nullptr));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Bytes in{data, size, 0};
    PlaceFrom(in);
    RandomizeFrom(in);
    FormatFrom(in);
    TextsFrom(in);
    MotionFrom(in);
    return 0;
}
