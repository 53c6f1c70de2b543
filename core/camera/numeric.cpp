#include "core/camera/numeric.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace {
constexpr double kInt32UpperExclusive = 2147483648.0;  // 2^31
constexpr double kInt32LowerExclusive = -2147483649.0; // -2^31 - 1
} // namespace

int32_t TruncateToInt32(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    if (!(value < kInt32UpperExclusive)) {
        return std::numeric_limits<int32_t>::max();
    }
    if (!(value > kInt32LowerExclusive)) {
        return std::numeric_limits<int32_t>::min();
    }
    return static_cast<int32_t>(value);
}

int32_t WrapToInt32(uint32_t word) {
    if (word <= static_cast<uint32_t>(std::numeric_limits<int32_t>::max())) {
        return static_cast<int32_t>(word);
    }
    // Words of 2^31 and above stand for word - 2^32; ~word is at most 2^31 - 1.
    return -static_cast<int32_t>(~word) - 1;
}

int32_t SaturateToInt32(int64_t value) {
    if (value > std::numeric_limits<int32_t>::max()) {
        return std::numeric_limits<int32_t>::max();
    }
    if (value < std::numeric_limits<int32_t>::min()) {
        return std::numeric_limits<int32_t>::min();
    }
    return static_cast<int32_t>(value);
}

double RoundedToDouble(double value) {
    volatile double stored = value;
    return stored;
}
