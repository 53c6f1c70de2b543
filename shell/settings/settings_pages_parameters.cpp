// The Parameters page: the period, lateral position and relative altitude on three track bars,
// each with its value and the two ends of its range written beside it.
#include <windows.h>
#include <commctrl.h>
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

void ShowParameterTexts(HWND page, const PendingSettings& p) {
    SetDlgItemInt(page, IDC_PERIOD_LOW, p.SvpMin, TRUE);
    SetDlgItemInt(page, IDC_PERIOD_HIGH, p.RngSvpMax, TRUE);
    SetDlgItemInt(page, IDC_PERIOD_VALUE, p.Svp, TRUE);
    SetDlgItemInt(page, IDC_LATERAL_HIGH, p.RngRlp, TRUE);
    SetDlgItemInt(page, IDC_LATERAL_LOW, p.RlpMin, TRUE);
    SetDlgItemInt(page, IDC_LATERAL_VALUE, p.Rlp, TRUE);
    SetDlgItemInt(page, IDC_ALTITUDE_HIGH, p.RngRal, TRUE);
    SetDlgItemInt(page, IDC_ALTITUDE_LOW, p.RalMin, TRUE);
    SetDlgItemInt(page, IDC_ALTITUDE_VALUE, p.Ral, TRUE);
}

// At opening and whenever its tab is chosen: the Ranges page may have moved the limits.
void RefreshParametersPage(HWND page, SettingsDialog& dialog) {
    PendingSettings& p = dialog.state->pending;
    for (int i = 0; i < kParameterBarCount; ++i) {
        const int span = ParameterBarSpan(p, static_cast<ParameterBar>(i));
        SendDlgItemMessageA(page, kBars[i].bar, TBM_SETRANGE, TRUE, MAKELPARAM(0, span));
    }
    ClampPendingParameters(p);
    for (int i = 0; i < kParameterBarCount; ++i) {
        const int position = ParameterBarPosition(p, static_cast<ParameterBar>(i));
        SendDlgItemMessageA(page, kBars[i].bar, TBM_SETPOS, TRUE, position);
    }
    ShowParameterTexts(page, p);
    for (int i = 0; i < kParameterBarCount; ++i) {
        const bool shown = ParameterBarShown(p.Mode, static_cast<ParameterBar>(i));
        ShowScrollBar(GetDlgItem(page, kBars[i].bar), SB_CTL, shown);
    }
}

void MoveParameterBar(HWND page, SettingsDialog& dialog, HWND bar) {
    const int id = GetDlgCtrlID(bar);
    for (int i = 0; i < kParameterBarCount; ++i) {
        if (kBars[i].bar == id) {
            const int position = static_cast<int>(SendMessageA(bar, TBM_GETPOS, 0, 0));
            const int value = TakeParameterBarPosition(dialog.state->pending,
                                                       static_cast<ParameterBar>(i), position);
            SetDlgItemInt(page, kBars[i].value, value, TRUE);
        }
    }
}

} // namespace

const SettingsPage kParametersPage = {
    IDD_PARAMETERS_PAGE,   "Parameters", RefreshParametersPage,
    RefreshParametersPage, nullptr,      MoveParameterBar,
};
