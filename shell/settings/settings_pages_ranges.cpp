// The Ranges page: the upper limits of the period and the two offset ranges, each in a number
// field with arrows. A field counts only when it loses the keyboard focus.
#include <windows.h>
#include <commctrl.h>
#include "core/settings/text_size.h"
#include "shell/resources/resource_ids.h"
#include "core/settings/pending_settings.h"
#include "shell/settings/settings_pages.h"

namespace {

struct RangeControls {
    int field;
    int arrows;
};

const RangeControls kRanges[kRangeFieldCount] = {
    {IDC_PERIOD_MAX_FIELD, IDC_PERIOD_MAX_ARROWS},
    {IDC_LATERAL_RANGE_FIELD, IDC_LATERAL_RANGE_ARROWS},
    {IDC_ALTITUDE_RANGE_FIELD, IDC_ALTITUDE_RANGE_ARROWS},
};

// The arrows write their position into the field themselves (UDS_SETBUDDYINT).
void FillRangesPage(HWND page, SettingsDialog& dialog) {
    for (int i = 0; i < kRangeFieldCount; ++i) {
        const ValueBounds bounds = RangeFieldBounds(static_cast<RangeField>(i));
        HWND field = GetDlgItem(page, kRanges[i].field);
        SendDlgItemMessageA(page, kRanges[i].arrows, UDM_SETBUDDY, reinterpret_cast<WPARAM>(field),
                            0);
        SendDlgItemMessageA(page, kRanges[i].arrows, UDM_SETRANGE, 0,
                            MAKELPARAM(bounds.high, bounds.low));
    }
    for (int i = 0; i < kRangeFieldCount; ++i) {
        const int value = PendingRangeValue(dialog.state->pending, static_cast<RangeField>(i));
        SendDlgItemMessageA(page, kRanges[i].arrows, UDM_SETPOS, 0, MAKELPARAM(value, 0));
    }
}

void CommitRangeText(HWND page, PendingSettings& pending, int fieldId) {
    for (int i = 0; i < kRangeFieldCount; ++i) {
        if (kRanges[i].field == fieldId) {
            const RangeField field = static_cast<RangeField>(i);
            char text[kTextSize];
            GetDlgItemTextA(page, fieldId, text, kTextSize);
            if (CommitRangeField(pending, field, text)) {
                SetDlgItemInt(page, fieldId, PendingRangeValue(pending, field), TRUE);
            }
        }
    }
}

void OnRangesCommand(HWND page, SettingsDialog& dialog, int controlId, int notification, HWND) {
    if (notification == EN_KILLFOCUS) {
        CommitRangeText(page, dialog.state->pending, controlId);
    }
}

} // namespace

const SettingsPage kRangesPage = {
    IDD_RANGES_PAGE, "Ranges", FillRangesPage, nullptr, OnRangesCommand, nullptr,
};
