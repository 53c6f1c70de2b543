#include "core/settings/pending_settings.h"
#include "core/camera/pass_by_state.h"
#include "core/settings/settings_limits.h"

namespace {

// Each track bar's pending value and its limits. The offset bars run from their upper limit
// down, so their largest value sits at position 0.
struct BarFields {
    int32_t PendingSettings::*value;
    int32_t PendingSettings::*low;
    int32_t PendingSettings::*high;
    bool fromHigh;
};
constexpr BarFields kBarFields[kParameterBarCount] = {
    {&PendingSettings::Svp, &PendingSettings::SvpMin, &PendingSettings::RngSvpMax, false},
    {&PendingSettings::Rlp, &PendingSettings::RlpMin, &PendingSettings::RngRlp, true},
    {&PendingSettings::Ral, &PendingSettings::RalMin, &PendingSettings::RngRal, true},
};

// Anything but the lateral or altitude bar is the period bar.
const BarFields& FieldsOf(ParameterBar bar) {
    return kBarFields[bar == kLateralBar || bar == kAltitudeBar ? bar : kPeriodBar];
}

// The pending value behind a Ranges field, to read or to write.
template <typename Pending>
auto RangeValueSlot(Pending& pending, RangeField field) -> decltype(&pending.RngRlp) {
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
    pending.Tour = live.Tour;
    pending.TourRange = live.TourRange;
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
    for (const BarFields& f : kBarFields) {
        pending.*f.value = ClampToBounds(pending.*f.value, pending.*f.low, pending.*f.high);
    }
}

int32_t ParameterBarSpan(const PendingSettings& pending, ParameterBar bar) {
    const BarFields& f = FieldsOf(bar);
    return pending.*f.high - pending.*f.low;
}

int32_t ParameterBarPosition(const PendingSettings& pending, ParameterBar bar) {
    const BarFields& f = FieldsOf(bar);
    return f.fromHigh ? pending.*f.high - pending.*f.value : pending.*f.value - pending.*f.low;
}

int32_t TakeParameterBarPosition(PendingSettings& pending, ParameterBar bar, int32_t position) {
    const BarFields& f = FieldsOf(bar);
    pending.*f.value = f.fromHigh ? pending.*f.high - position : position + pending.*f.low;
    return pending.*f.value;
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
    return *RangeValueSlot(pending, field);
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

bool CommitTourRangeField(PendingSettings& pending, const char* text) {
    const int32_t typed = ParseDecimal(text, kTextSize, kOverflowSaturates);
    pending.TourRange = ClampToBounds(typed, kTourRangeLowNm, kTourRangeHighNm);
    return pending.TourRange != typed;
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
    live.Tour = pending.Tour;
    live.TourRange = pending.TourRange;
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
