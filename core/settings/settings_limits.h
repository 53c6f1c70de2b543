#pragma once
// The fixed limits of the settings; the settings dialog uses the same numbers for its controls.
#include <cstdint>

constexpr int32_t kSvpMinSeconds = 5;
constexpr int32_t kRngSvpMaxLowSeconds = 15;
constexpr int32_t kRngSvpMaxHighSeconds = 120;
constexpr int32_t kOffsetRangeLow = 5;    // smallest RngRlp and RngRal, in aircraft sizes
constexpr int32_t kOffsetRangeHigh = 100; // largest RngRlp and RngRal, in aircraft sizes
constexpr int32_t kChoiceHigh = 2;        // Mode, RndH and RndV run from 0 to this
constexpr int32_t kSwitchHigh = 1;        // Turns, Jumps and Tour: 0 off, 1 on
constexpr int32_t kTourRangeLowNm = 1;
constexpr int32_t kTourRangeHighNm = 50;
constexpr int32_t kTourRangeDefaultNm = 5; // also for 0, what a file without TourRange reads

constexpr int32_t kModeNormal = 0;
constexpr int32_t kModeOnGround = 1;
constexpr int32_t kModePlaneSpotting = 2;
