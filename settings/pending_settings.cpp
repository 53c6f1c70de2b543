#include "settings/pending_settings.h"
#include "camera/pass_by_state.h"
#include "settings/settings_limits.h"

namespace {

int32_t* RangeValueSlot(PendingSettings& pending, RangeField field) {
    switch (field) {
    case kLateralRangeField:
        return &pending.RngRlp;
    case kAltitudeRangeField:
        return &pending.RngRal;
    default:
        return &pending.RngSvpMax;
    }
}

} // namespace

void FillPendingSettings(PendingSettings& pending, const Settings& live,
                         const HotkeyTable& hotkeys) {
    pending.Svp = live.Svp;
    pending.Rlp = live.Rlp;
    pending.Ral = live.Ral;
    pending.Mode = live.Mode;
    pending.RndH = live.RndH;
    pending.RndV = live.RndV;
    pending.Turns = live.Turns;
    pending.Jumps = live.Jumps;
    pending.SvpMin = live.SvpMin;
    pending.RngSvpMax = live.RngSvpMax;
    pending.RlpMin = live.RlpMin;
    pending.RngRlp = live.RngRlp;
    pending.RalMin = live.RalMin;
    pending.RngRal = live.RngRal;
    for (int i = 0; i < kHotkeyOptionCount; ++i) {
        const HotkeyOption& option = hotkeys.options[i];
        pending.hotkeys[i] =
            PendingHotkey{option.key, option.shiftFlag, option.ctrlFlag, option.modifierMask};
    }
    pending.SelectedOption = kNoOption;
}

void ClampPendingParameters(PendingSettings& pending) {
    pending.Svp = ClampToBounds(pending.Svp, pending.SvpMin, pending.RngSvpMax);
    pending.Rlp = ClampToBounds(pending.Rlp, pending.RlpMin, pending.RngRlp);
    pending.Ral = ClampToBounds(pending.Ral, pending.RalMin, pending.RngRal);
}

int32_t ParameterBarSpan(const PendingSettings& pending, ParameterBar bar) {
    switch (bar) {
    case kLateralBar:
        return pending.RngRlp - pending.RlpMin;
    case kAltitudeBar:
        return pending.RngRal - pending.RalMin;
    default:
        return pending.RngSvpMax - pending.SvpMin;
    }
}

int32_t ParameterBarPosition(const PendingSettings& pending, ParameterBar bar) {
    switch (bar) {
    case kLateralBar:
        return pending.RngRlp - pending.Rlp;
    case kAltitudeBar:
        return pending.RngRal - pending.Ral;
    default:
        return pending.Svp - pending.SvpMin;
    }
}

int32_t TakeParameterBarPosition(PendingSettings& pending, ParameterBar bar, int32_t position) {
    switch (bar) {
    case kLateralBar:
        pending.Rlp = pending.RngRlp - position;
        return pending.Rlp;
    case kAltitudeBar:
        pending.Ral = pending.RngRal - position;
        return pending.Ral;
    default:
        pending.Svp = position + pending.SvpMin;
        return pending.Svp;
    }
}

bool ParameterBarShown(int32_t mode, ParameterBar bar) {
    if (bar == kAltitudeBar) {
        return mode == kModeNormal;
    }
    return mode != kModePlaneSpotting;
}

bool HorizontalRandomEnabled(int32_t mode) {
    return mode != kModePlaneSpotting;
}

bool VerticalRandomEnabled(int32_t mode) {
    return mode == kModeNormal;
}

bool PlaneSpottingAvailable(int32_t active, int32_t targetId) {
    return active != 0 && targetId == kUserAircraftId;
}

ValueBounds RangeFieldBounds(RangeField field) {
    if (field == kPeriodMaxField) {
        return ValueBounds{kRngSvpMaxLowSeconds, kRngSvpMaxHighSeconds};
    }
    return ValueBounds{kOffsetRangeLow, kOffsetRangeHigh};
}

int32_t PendingRangeValue(const PendingSettings& pending, RangeField field) {
    switch (field) {
    case kLateralRangeField:
        return pending.RngRlp;
    case kAltitudeRangeField:
        return pending.RngRal;
    default:
        return pending.RngSvpMax;
    }
}

bool CommitRangeField(PendingSettings& pending, RangeField field, const char* text) {
    const ValueBounds bounds = RangeFieldBounds(field);
    int32_t* slot = RangeValueSlot(pending, field);
    const int32_t typed = ParseDecimal(text, kTextSize, kOverflowSaturates);
    *slot = ClampToBounds(typed, bounds.low, bounds.high);
    if (field == kLateralRangeField) {
        pending.RlpMin = -pending.RngRlp;
    } else if (field == kAltitudeRangeField) {
        pending.RalMin = -pending.RngRal;
    }
    return *slot != typed;
}

void ApplyPendingSettings(PendingSettings& pending, Settings& live, HotkeyTable& hotkeys) {
    ClampPendingParameters(pending);
    live.Svp = pending.Svp;
    live.Rlp = pending.Rlp;
    live.Ral = pending.Ral;
    live.Mode = pending.Mode;
    live.RndH = pending.RndH;
    live.RndV = pending.RndV;
    live.Turns = pending.Turns;
    live.Jumps = pending.Jumps;
    live.RngSvpMax = pending.RngSvpMax;
    live.RlpMin = pending.RlpMin;
    live.RngRlp = pending.RngRlp;
    live.RalMin = pending.RalMin;
    live.RngRal = pending.RngRal;
    for (int i = 0; i < kHotkeyOptionCount; ++i) {
        HotkeyOption& option = hotkeys.options[i];
        const PendingHotkey& entry = pending.hotkeys[i];
        option.key = entry.key;
        option.shiftFlag = entry.shiftFlag;
        option.ctrlFlag = entry.ctrlFlag;
        option.modifierMask = entry.modifierMask;
    }
}
