#pragma once
// A camera position as the host holds it: six 32-bit words in the host's order, always copied
// as a block. Latitude, longitude and altitude are signed fixed-point numbers whose high word is
// the floor of the value in its unit and whose low word is the remaining fraction times 2^32.
#include <cstdint>

struct EyePoint {
    uint32_t latLo;
    int32_t latHi; // latitude units of 90/10001750 degree
    uint32_t lonLo;
    int32_t lonHi; // longitude units of 360/2^32 degree
    uint32_t altLo;
    int32_t altHi; // metres
};
static_assert(sizeof(EyePoint) == 24, "the host's eye point is six 32-bit words");

inline bool SameEyePoint(const EyePoint& a, const EyePoint& b) {
    return a.latLo == b.latLo && a.latHi == b.latHi && a.lonLo == b.lonLo && a.lonHi == b.lonHi &&
           a.altLo == b.altLo && a.altHi == b.altHi;
}
