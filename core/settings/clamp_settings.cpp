#include "core/settings/clamp_settings.h"

#include "core/settings/hotkeys.h"
#include "core/settings/settings_limits.h"

namespace {

void ResetChoiceOutOfRange(int32_t& value) {
    if (value < 0 || value > kChoiceHigh) {
        value = 0;
    }
}

} // namespace

void ClampSettings(Settings& settings, HotkeyTable& hotkeys, const TowerValues& towerRead) {
    settings.RngSvpMax =
        ClampToBounds(settings.RngSvpMax, kRngSvpMaxLowSeconds, kRngSvpMaxHighSeconds);
    settings.RngRlp = ClampToBounds(settings.RngRlp, kOffsetRangeLow, kOffsetRangeHigh);
    settings.RngRal = ClampToBounds(settings.RngRal, kOffsetRangeLow, kOffsetRangeHigh);
    settings.RlpMin = -settings.RngRlp;
    settings.RalMin = -settings.RngRal;
    settings.Svp = ClampToBounds(settings.Svp, kSvpMinSeconds, settings.RngSvpMax);
    settings.Rlp = ClampToBounds(settings.Rlp, settings.RlpMin, settings.RngRlp);
    settings.Ral = ClampToBounds(settings.Ral, settings.RalMin, settings.RngRal);
    ResetChoiceOutOfRange(settings.Mode);
    ResetChoiceOutOfRange(settings.RndH);
    ResetChoiceOutOfRange(settings.RndV);
    settings.Turns = ClampToBounds(settings.Turns, 0, kSwitchHigh);
    settings.Jumps = ClampToBounds(settings.Jumps, 0, kSwitchHigh);
    settings.Tour = ClampToBounds(settings.Tour, 0, kSwitchHigh);
    settings.TourRange = settings.TourRange == 0
                             ? kTourRangeDefaultNm
                             : ClampToBounds(settings.TourRange, kTourRangeLowNm, kTourRangeHighNm);
    if (settings.Mode == kModePlaneSpotting && !SpottingEyePointValid(towerRead)) {
        settings.Mode = kModeNormal;
    }
    ValidateHotkeys(hotkeys);
}
