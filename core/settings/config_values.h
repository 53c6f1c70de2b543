#pragma once
// The pure rules of the configuration file's values: numbers, hotkey pairs and the check value
// that guards the stored plane-spotting eye point.
#include <cstddef>
#include <cstdint>

#include "core/settings/text_size.h"
#include "core/settings/settings_record.h"

// Sum over the first characters (at most kTextSize) of each character as a signed byte
// plus 256 times its position, in wrapping 32-bit arithmetic.
int32_t CheckValue(const char* text);

// What a decimal number beyond the 32-bit range becomes.
enum NumberOverflow {
    kOverflowWraps,     // modulo 2^32, as the 32-bit accumulation of a C atoi: low bits survive
    kOverflowSaturates, // the nearest 32-bit limit
};

// Optional leading white space, an optional sign, then decimal digits up to the first other
// character, over at most `limit` characters; no digits gives 0.
int32_t ParseDecimal(const char* text, size_t limit, NumberOverflow overflow);

// A value text of the file (kTextSize characters at most), wrapping.
int32_t ParseConfigInt(const char* text);

// value into [low, high], the lower bound applied first: crossed bounds leave the upper one.
int32_t ClampToBounds(int32_t value, int32_t low, int32_t high);

// One K(i) value, "key,mask": key is the low 8 bits of the leading number; after a comma the low
// 8 bits of the next number become modifierMask and its bits 0 and 1 the two flags. Without a
// comma the modifiers stay as they are.
void ParseHotkeyValue(const char* text, HotkeyOption& option);

// The TOWER section as read: the six stored parts of the plane-spotting eye point in file order
// and the check value stored beside them.
struct TowerValues {
    int32_t latFraction; // "Lat.f": bits 16..31 of latLo
    int32_t latWhole;    // "Lat.i": latHi
    int32_t lonFraction; // "Lon.lo": bits 16..31 of lonLo
    int32_t lonWhole;    // "Lon.hi": lonHi
    int32_t altFraction; // "Alt.f": bits 16..31 of altLo
    int32_t altWhole;    // "Alt.i": altHi
    int32_t checkValue;  // "Val.c"
};

// Sum of the CheckValue of each of the six parts formatted "%d", in file order.
int32_t TowerCheckSum(const TowerValues& tower);

// True when the stored check value matches the six parts, so the eye point was written by us,
// and its latitude lies within +-90 degrees. Longitude and altitude need no test: any pair of
// 32-bit words gives a longitude within +-180 degrees and a finite altitude.
bool SpottingEyePointValid(const TowerValues& tower);
