#include "settings/clamp_settings.h"

#include "settings/hotkeys.h"
#include "settings/settings_limits.h"

namespace {

void ClampBetween(int32_t& value, int32_t low, int32_t high) {
    if (value > high) {
        value = high;
    }
    if (value < low) {
        value = low;
    }
}

// Lower bound first, then upper: the order matters when the bounds cross.
void ClampLowThenHigh(int32_t& value, int32_t low, int32_t high) {
    if (value < low) {
        value = low;
    }
    if (value > high) {
        value = high;
    }
}

void ResetChoiceOutOfRange(int32_t& value) {
    if (value < 0 || value > kChoiceHigh) {
        value = 0;
    }
}

} // namespace

void ClampSettings(Settings& settings, HotkeyTable& hotkeys, const TowerValues& towerRead) {
    ClampBetween(settings.RngSvpMax, kRngSvpMaxLowSeconds, kRngSvpMaxHighSeconds);
    ClampBetween(settings.RngRlp, kOffsetRangeLow, kOffsetRangeHigh);
    ClampBetween(settings.RngRal, kOffsetRangeLow, kOffsetRangeHigh);
    settings.RlpMin = -settings.RngRlp;
    settings.RalMin = -settings.RngRal;
    ClampLowThenHigh(settings.Svp, kSvpMinSeconds, settings.RngSvpMax);
    ClampLowThenHigh(settings.Rlp, settings.RlpMin, settings.RngRlp);
    ClampLowThenHigh(settings.Ral, settings.RalMin, settings.RngRal);
    ResetChoiceOutOfRange(settings.Mode);
    ResetChoiceOutOfRange(settings.RndH);
    ResetChoiceOutOfRange(settings.RndV);
    ClampBetween(settings.Turns, 0, kSwitchHigh);
    ClampBetween(settings.Jumps, 0, kSwitchHigh);
    if (settings.Mode == kModePlaneSpotting && !SpottingEyePointValid(towerRead)) {
        settings.Mode = kModeNormal;
    }
    ValidateHotkeys(hotkeys);
}
