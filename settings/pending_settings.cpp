#include "settings/pending_settings.h"
#include "camera/pass_by_state.h"
#include "settings/settings_limits.h"

namespace {

constexpr int32_t kDecimalBase = 10;
constexpr int64_t kParseCeiling = INT32_MAX; // longer digit runs saturate here
constexpr int64_t kParseFloor = INT32_MIN;

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

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

void FillPendingParameters(PendingSettings& pending, const Settings& live) {
    pending.Svp = live.Svp;
    pending.Rlp = live.Rlp;
    pending.Ral = live.Ral;
    pending.SvpMin = live.SvpMin;
    pending.RngSvpMax = live.RngSvpMax;
    pending.RlpMin = live.RlpMin;
    pending.RngRlp = live.RngRlp;
    pending.RalMin = live.RalMin;
    pending.RngRal = live.RngRal;
}

void FillPendingRanges(PendingSettings& pending, const Settings& live) {
    pending.RngSvpMax = live.RngSvpMax;
    pending.RngRlp = live.RngRlp;
    pending.RngRal = live.RngRal;
}

int32_t ClampToBounds(int32_t value, int32_t low, int32_t high) {
    if (value < low) {
        value = low;
    }
    if (value > high) {
        value = high;
    }
    return value;
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

int32_t ParseRangeText(const char* text) {
    while (IsBlank(*text)) {
        ++text;
    }
    bool negative = false;
    if (*text == '+' || *text == '-') {
        negative = *text == '-';
        ++text;
    }
    int64_t value = 0;
    for (; IsDigit(*text); ++text) {
        if (value <= kParseCeiling) {
            value = value * kDecimalBase + (*text - '0');
        }
    }
    if (negative) {
        value = -value;
    }
    if (value > kParseCeiling) {
        return INT32_MAX;
    }
    if (value < kParseFloor) {
        return INT32_MIN;
    }
    return static_cast<int32_t>(value);
}

bool CommitRangeField(PendingSettings& pending, RangeField field, const char* text) {
    const ValueBounds bounds = RangeFieldBounds(field);
    int32_t* slot = RangeValueSlot(pending, field);
    const int32_t typed = ParseRangeText(text);
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
