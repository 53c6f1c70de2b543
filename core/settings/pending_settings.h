#pragma once
// The settings dialog's working copy and the rules its pages follow. It is filled from the live
// values when the dialog opens; nothing reaches the live values before OK applies it.
#include <cstdint>
#include "core/settings/config_values.h"
#include "core/settings/settings_record.h"

constexpr int kKeyTextSize = 2;   // the key field's one character and its terminator
constexpr int32_t kNoOption = -1; // no option chosen on the Keys page

struct PendingHotkey {
    uint8_t key, shiftFlag, ctrlFlag, modifierMask;
};

struct PendingSettings {
    int32_t Svp, Rlp, Ral, Mode, RndH, RndV, Turns, Jumps, Tour, TourRange;
    int32_t SvpMin, RngSvpMax, RlpMin, RngRlp, RalMin, RngRal;
    PendingHotkey hotkeys[kHotkeyOptionCount];
    int32_t SelectedOption; // the Keys page's chosen option, or kNoOption
};

// The three track bars of the Parameters page. Each runs from 0 to the width of its quantity's
// range; the lateral and altitude bars run backwards so the largest value sits left and on top.
enum ParameterBar { kPeriodBar, kLateralBar, kAltitudeBar, kParameterBarCount };

// The Ranges page's three fields.
enum RangeField { kPeriodMaxField, kLateralRangeField, kAltitudeRangeField, kRangeFieldCount };

struct ValueBounds {
    int32_t low, high;
};

// The dialog's opening: every value, limit and hotkey the pages edit from the live ones, and no
// option chosen on the Keys page.
void FillPendingSettings(PendingSettings& pending, const Settings& live,
                         const HotkeyTable& hotkeys);

// Pending Svp, Rlp and Ral into their pending limits.
void ClampPendingParameters(PendingSettings& pending);

int32_t ParameterBarSpan(const PendingSettings& pending, ParameterBar bar);
int32_t ParameterBarPosition(const PendingSettings& pending, ParameterBar bar);
// Stores the value that the bar's thumb position stands for and returns it.
int32_t TakeParameterBarPosition(PendingSettings& pending, ParameterBar bar, int32_t position);
// The altitude bar is of use only in normal mode; plane spotting has a fixed eye point.
bool ParameterBarShown(int32_t mode, ParameterBar bar);
bool HorizontalRandomEnabled(int32_t mode);
bool VerticalRandomEnabled(int32_t mode);
// Plane spotting takes its point at the user's aircraft, so it needs the view on and following it.
bool PlaneSpottingAvailable(int32_t active, int32_t targetId);

ValueBounds RangeFieldBounds(RangeField field);
int32_t PendingRangeValue(const PendingSettings& pending, RangeField field);
// Stores the field's text (a decimal, saturating beyond 32 bits) as its pending value, brought
// within the field's bounds, and keeps the matching lower limit the negative of a lateral or
// altitude range. True when the value had to be changed, so the field must show the stored one.
bool CommitRangeField(PendingSettings& pending, RangeField field, const char* text);

// The Modes page's range of the tour, in nautical miles: stored within its bounds; true when the
// typed text had to be changed, so the field must show the stored value.
bool CommitTourRangeField(PendingSettings& pending, const char* text);

// OK: the pending values, limits and hotkeys become the live ones. The pending period and
// offsets are first brought within the pending limits, so a range narrowed on the Ranges page
// never leaves a live value outside it. SvpMin is never changed.
void ApplyPendingSettings(PendingSettings& pending, Settings& live, HotkeyTable& hotkeys);
