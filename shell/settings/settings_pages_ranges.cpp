// The Ranges page: the upper limits of the period and the two offset ranges, each in a number
// field with arrows. A field counts only when it loses the keyboard focus.
#include <windows.h>
#include <commctrl.h>
#include "shell/host/module_state.h"
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
void FillRangesPage(HWND page) {
    FillPendingRanges(g_state.pending, g_state.settings);
    for (int i = 0; i < kRangeFieldCount; ++i) {
        const ValueBounds bounds = RangeFieldBounds(static_cast<RangeField>(i));
        HWND field = GetDlgItem(page, kRanges[i].field);
        SendDlgItemMessageA(page, kRanges[i].arrows, UDM_SETBUDDY, reinterpret_cast<WPARAM>(field),
                            0);
        SendDlgItemMessageA(page, kRanges[i].arrows, UDM_SETRANGE, 0,
                            MAKELPARAM(bounds.high, bounds.low));
    }
    for (int i = 0; i < kRangeFieldCount; ++i) {
        const int value = PendingRangeValue(g_state.pending, static_cast<RangeField>(i));
        SendDlgItemMessageA(page, kRanges[i].arrows, UDM_SETPOS, 0, MAKELPARAM(value, 0));
    }
}

void CommitRangeText(HWND page, int fieldId) {
    for (int i = 0; i < kRangeFieldCount; ++i) {
        if (kRanges[i].field == fieldId) {
            const RangeField field = static_cast<RangeField>(i);
            GetDlgItemTextA(page, fieldId, g_state.text, kTextSize);
            if (CommitRangeField(g_state.pending, field, g_state.text)) {
                ShowNumber(page, fieldId, PendingRangeValue(g_state.pending, field));
            }
        }
    }
}

void OnRangesCommand(HWND page, int controlId, int notification) {
    if (notification == EN_KILLFOCUS) {
        CommitRangeText(page, controlId);
    }
}

} // namespace

INT_PTR CALLBACK RangesPageProc(HWND page, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        PlaceSettingsPage(page);
        FillRangesPage(page);
        return TRUE;
    case WM_COMMAND:
        OnRangesCommand(page, LOWORD(wParam), HIWORD(wParam));
        break;
    default:
        break;
    }
    return FALSE;
}
