// The Parameters page: the period, lateral position and relative altitude on three track bars,
// each with its value and the two ends of its range written beside it.
#include <windows.h>
#include <commctrl.h>
#include "shell/host/module_state.h"
#include "shell/resources/resource_ids.h"
#include "core/settings/pending_settings.h"
#include "shell/settings/settings_pages.h"

namespace {

struct BarControls {
    int bar;
    int value;
};

const BarControls kBars[kParameterBarCount] = {
    {IDC_PERIOD_BAR, IDC_PERIOD_VALUE},
    {IDC_LATERAL_BAR, IDC_LATERAL_VALUE},
    {IDC_ALTITUDE_BAR, IDC_ALTITUDE_VALUE},
};

void ShowParameterTexts(HWND page) {
    const PendingSettings& p = g_state.pending;
    ShowNumber(page, IDC_PERIOD_LOW, p.SvpMin);
    ShowNumber(page, IDC_PERIOD_HIGH, p.RngSvpMax);
    ShowNumber(page, IDC_PERIOD_VALUE, p.Svp);
    ShowNumber(page, IDC_LATERAL_HIGH, p.RngRlp);
    ShowNumber(page, IDC_LATERAL_LOW, p.RlpMin);
    ShowNumber(page, IDC_LATERAL_VALUE, p.Rlp);
    ShowNumber(page, IDC_ALTITUDE_HIGH, p.RngRal);
    ShowNumber(page, IDC_ALTITUDE_LOW, p.RalMin);
    ShowNumber(page, IDC_ALTITUDE_VALUE, p.Ral);
}

void FillParametersPage(HWND page) {
    FillPendingParameters(g_state.pending, g_state.settings);
    RefreshParametersPage(page);
}

void MoveParameterBar(HWND page, HWND bar) {
    const int id = GetDlgCtrlID(bar);
    for (int i = 0; i < kParameterBarCount; ++i) {
        if (kBars[i].bar == id) {
            const int position = static_cast<int>(SendMessageA(bar, TBM_GETPOS, 0, 0));
            const int value =
                TakeParameterBarPosition(g_state.pending, static_cast<ParameterBar>(i), position);
            ShowNumber(page, kBars[i].value, value);
        }
    }
}

} // namespace

void RefreshParametersPage(HWND page) {
    PendingSettings& p = g_state.pending;
    for (int i = 0; i < kParameterBarCount; ++i) {
        const int span = ParameterBarSpan(p, static_cast<ParameterBar>(i));
        SendDlgItemMessageA(page, kBars[i].bar, TBM_SETRANGE, TRUE, MAKELPARAM(0, span));
    }
    ClampPendingParameters(p);
    for (int i = 0; i < kParameterBarCount; ++i) {
        const int position = ParameterBarPosition(p, static_cast<ParameterBar>(i));
        SendDlgItemMessageA(page, kBars[i].bar, TBM_SETPOS, TRUE, position);
    }
    ShowParameterTexts(page);
    for (int i = 0; i < kParameterBarCount; ++i) {
        const bool shown = ParameterBarShown(p.Mode, static_cast<ParameterBar>(i));
        ShowScrollBar(GetDlgItem(page, kBars[i].bar), SB_CTL, shown);
    }
}

INT_PTR CALLBACK ParametersPageProc(HWND page, UINT message, WPARAM, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        PlaceSettingsPage(page);
        FillParametersPage(page);
        return TRUE;
    case WM_HSCROLL:
    case WM_VSCROLL:
        MoveParameterBar(page, reinterpret_cast<HWND>(lParam));
        break;
    default:
        break;
    }
    return FALSE;
}
