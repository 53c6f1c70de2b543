#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "core/settings/clamp_settings.h"
#include "core/settings/settings_defaults.h"
#include "core/settings/settings_limits.h"
#include "settings_fields.h"

namespace {

// Six zero parts, as a missing TOWER section reads, with the check value they need.
constexpr int32_t kZeroTowerCheck = 6 * '0';

using namespace field;

// The defaults with `given` set, clamped against a TOWER section of six zero parts and the check
// value `tower`: the fields in `clamped` change so, every other field stays as given.
struct ClampCase {
    const char* what;
    std::vector<FieldValue> given;
    int32_t tower;
    std::vector<FieldValue> clamped;
};

const ClampCase kClampCases[] = {
    {"the defaults", {}, 0, {}},
    {"a short period", {{Svp, 3}, {RngSvpMax, 40}}, 0, {{Svp, kSvpMinSeconds}}},
    {"a long period and range",
     {{Svp, 200}, {RngSvpMax, 500}},
     0,
     {{Svp, kRngSvpMaxHighSeconds}, {RngSvpMax, kRngSvpMaxHighSeconds}}},
    {"a missing range: the lowest before the period is cut",
     {{Svp, 16}, {RngSvpMax, 0}},
     0,
     {{Svp, kRngSvpMaxLowSeconds}, {RngSvpMax, kRngSvpMaxLowSeconds}}},
    {"a missing lateral range", {{RngRlp, 0}}, 0, {{RngRlp, kOffsetRangeLow}}},
    {"ranges set their lower bounds before the offsets are clamped",
     {{RngRlp, 20}, {Rlp, -50}, {RngRal, 1000}, {Ral, 150}},
     0,
     {{Rlp, -20},
      {RlpMin, -20},
      {RngRal, kOffsetRangeHigh},
      {RalMin, -kOffsetRangeHigh},
      {Ral, kOffsetRangeHigh}}},
    {"a negative range",
     {{RngRlp, 20}, {RngRal, -7}, {Ral, -9}, {Rlp, 21}},
     0,
     {{RlpMin, -20}, {RngRal, kOffsetRangeLow}, {Ral, -kOffsetRangeLow}, {Rlp, 20}}},
    {"extreme integers",
     {{RngRlp, INT32_MIN},
      {RngRal, INT32_MAX},
      {RngSvpMax, INT32_MIN},
      {Svp, INT32_MAX},
      {Rlp, INT32_MIN},
      {Ral, INT32_MAX}},
     0,
     {{RngRlp, kOffsetRangeLow},
      {RngRal, kOffsetRangeHigh},
      {RalMin, -kOffsetRangeHigh},
      {RngSvpMax, kRngSvpMaxLowSeconds},
      {Svp, kRngSvpMaxLowSeconds},
      {Rlp, -kOffsetRangeLow},
      {Ral, kOffsetRangeHigh}}},
    // Choices outside their range become 0, switches and the tour's range are cut, Active is left
    // alone.
    {"choices and switches too high",
     {{Mode, 3},
      {RndH, -1},
      {RndV, 7},
      {Active, 7},
      {Turns, 7},
      {Jumps, INT32_MIN},
      {Tour, 7},
      {TourRange, -3}},
     0,
     {{Mode, 0},
      {RndH, 0},
      {RndV, 0},
      {Turns, 1},
      {Jumps, 0},
      {Tour, 1},
      {TourRange, kTourRangeLowNm}}},
    {"choices and switches in range",
     {{Mode, -1},
      {RndH, 2},
      {RndV, 1},
      {Active, -3},
      {Turns, 0},
      {Jumps, 1},
      {Tour, -1},
      {TourRange, 99}},
     0,
     {{Mode, 0}, {Tour, 0}, {TourRange, kTourRangeHighNm}}},
    {"on the ground", {{Mode, kModeOnGround}}, 0, {}},
    // Plane spotting survives only with a valid TOWER section; only it consults the section.
    {"spotting, a missing section", {{Mode, kModePlaneSpotting}}, 0, {{Mode, kModeNormal}}},
    {"spotting, a valid section", {{Mode, kModePlaneSpotting}}, kZeroTowerCheck, {}},
    {"on the ground, a bad section", {{Mode, kModeOnGround}}, 12345, {}},
};

} // namespace

TEST(ClampSettings, BringsEverySettingIntoRangeAndLeavesTheRest) {
    for (const ClampCase& c : kClampCases) {
        SCOPED_TRACE(c.what);
        Settings s;
        HotkeyTable h;
        InitModuleDefaults(s, h);
        SetFields(s, c.given);
        Settings expected = s;
        SetFields(expected, c.clamped);
        ClampSettings(s, h, TowerValues{0, 0, 0, 0, 0, 0, c.tower});
        EXPECT_EQ(SettingsDifferences(s, expected), "");
    }
}

TEST(ClampSettings, EndsByValidatingTheHotkeys) {
    Settings s;
    HotkeyTable h;
    InitModuleDefaults(s, h);
    h.options[2].key = 'Q';
    h.options[7].key = 'Q';
    h.options[7].ctrlFlag = 0;
    h.options[4].modifierMask = 4;
    ClampSettings(s, h, TowerValues{});
    EXPECT_EQ(h.options[2].key, 'Q');
    EXPECT_EQ(h.options[7].key, h.options[7].defaultKey);
    EXPECT_EQ(h.options[4].modifierMask,
              h.options[4].defaultShiftFlag + h.options[4].defaultCtrlFlag);
}
