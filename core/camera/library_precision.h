#pragma once
// The maths library's functions (sin, cos, acos ...) at double precision and rounding to
// nearest for as long as one of these lives, whatever the host left in the x87 control word: a
// host that renders with Direct3D 9 typically runs its thread at 24-bit precision, which costs
// the arc-cosine near 1 whole metres. The compiler's own arithmetic is SSE2 (-mfpmath=sse) and
// needs nothing; only a 32-bit x86 library computes on the x87 unit, so elsewhere this is empty.
#include <cstdint>

#if defined(__i386__)
constexpr uint16_t kX87PrecisionAndRounding = 0x0F00; // bits 8..9 precision, 10..11 rounding
constexpr uint16_t kX87DoubleToNearest = 0x0200;      // 53-bit precision, round to nearest

class LibraryPrecision {
  public:
    LibraryPrecision() {
        __asm__ __volatile__("fnstcw %0" : "=m"(saved_));
        const uint16_t wanted =
            static_cast<uint16_t>((saved_ & ~kX87PrecisionAndRounding) | kX87DoubleToNearest);
        __asm__ __volatile__("fldcw %0" : : "m"(wanted));
    }
    ~LibraryPrecision() { __asm__ __volatile__("fldcw %0" : : "m"(saved_)); }
    LibraryPrecision(const LibraryPrecision&) = delete;
    LibraryPrecision& operator=(const LibraryPrecision&) = delete;

  private:
    uint16_t saved_; // the host's control word, restored on leaving
};
#else
class LibraryPrecision {
  public:
    LibraryPrecision() {}
};
#endif
