#pragma once
// Integer conversions of host doubles and of 32-bit word arithmetic that never invoke undefined
// behaviour: out-of-range values saturate, NaN gives 0, wrapped words keep their bit pattern.
#include <cstdint>

// Truncates toward zero; beyond the int32 range the nearest limit, NaN gives 0.
int32_t TruncateToInt32(double value);

// The two's-complement reading of a 32-bit word, as the host's 32-bit arithmetic gives it.
int32_t WrapToInt32(uint32_t word);

// The int32 nearest to a 64-bit value.
int32_t SaturateToInt32(int64_t value);

// The value rounded to double precision even where x87 code holds it in a wider register, so
// that 32-bit builds compute what 64-bit builds do where a result depends on the last bit.
double RoundedToDouble(double value);
