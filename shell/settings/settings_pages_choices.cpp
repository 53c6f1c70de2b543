// The Modes and Random pages: radio buttons for the view mode and for the horizontal and
// vertical randomisation, check boxes for following turns, catching up after a jump and watching
// the traffic, with the tour's range. What the mode leaves to choose is greyed on the Random page.
#include <windows.h>
#include <commctrl.h>
#include "core/camera/pass_by_state.h"
#include "shell/host/module_state.h"
#include "shell/resources/resource_ids.h"
#include "core/settings/pending_settings.h"
#include "core/settings/settings_limits.h"
#include "shell/settings/settings_pages.h"

namespace {

constexpr int kChoiceCount = 3; // Mode, RndH and RndV each take 0, 1 or 2

const int kModeButtons[kChoiceCount] = {IDC_MODE_NORMAL, IDC_MODE_ON_GROUND, IDC_MODE_SPOTTING};
const int kHorizontalButtons[kChoiceCount] = {IDC_RANDOM_H_NONE, IDC_RANDOM_H_CONST,
                                              IDC_RANDOM_H_VAR};
const int kVerticalButtons[kChoiceCount] = {IDC_RANDOM_V_NONE, IDC_RANDOM_V_CONST,
                                            IDC_RANDOM_V_VAR};

// The choice a button stands for, or -1 when it is none of the row.
int ChoiceOf(const int (&buttons)[kChoiceCount], int controlId) {
    for (int i = 0; i < kChoiceCount; ++i) {
        if (buttons[i] == controlId) {
            return i;
        }
    }
    return -1;
}

// Only checks: the automatic radio buttons uncheck the rest of their group when clicked.
void CheckChoice(HWND page, const int (&buttons)[kChoiceCount], int32_t choice) {
    if (choice >= 0 && choice < kChoiceCount) {
        SendDlgItemMessageA(page, buttons[choice], BM_SETCHECK, BST_CHECKED, 0);
    }
}

void EnableChoices(HWND page, const int (&buttons)[kChoiceCount], bool enabled) {
    for (int id : buttons) {
        EnableWindow(GetDlgItem(page, id), enabled);
    }
}

void CheckSwitch(HWND page, int controlId, int32_t on) {
    SendDlgItemMessageA(page, controlId, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

int32_t SwitchChecked(HWND page, int controlId) {
    return SendDlgItemMessageA(page, controlId, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

// Whether plane spotting can be chosen is decided once per opening.
void FillModesPage(HWND page) {
    PendingSettings& p = g_state.pending;
    FillPendingModes(p, g_state.settings);
    CheckChoice(page, kModeButtons, p.Mode);
    CheckSwitch(page, IDC_MODE_TURNS, p.Turns);
    CheckSwitch(page, IDC_MODE_JUMPS, p.Jumps);
    CheckSwitch(page, IDC_MODE_TOUR, p.Tour);
    // The arrows took the field before them as their buddy and write their position into it
    // (UDS_AUTOBUDDY, UDS_SETBUDDYINT).
    SendDlgItemMessageA(page, IDC_MODE_TOUR_RANGE_ARROWS, UDM_SETRANGE, 0,
                        MAKELPARAM(kTourRangeHighNm, kTourRangeLowNm));
    SendDlgItemMessageA(page, IDC_MODE_TOUR_RANGE_ARROWS, UDM_SETPOS, 0,
                        MAKELPARAM(p.TourRange, 0));
    const bool spotting = PlaneSpottingAvailable(g_state.settings.Active, g_state.target.id);
    EnableWindow(GetDlgItem(page, IDC_MODE_SPOTTING), spotting);
}

// The check boxes toggle themselves; the working copy takes the state they show. The range counts
// when its field loses the keyboard focus, as the Ranges page's fields do.
void OnModesCommand(HWND page, int controlId, int notification) {
    const int mode = ChoiceOf(kModeButtons, controlId);
    if (mode >= 0) {
        g_state.pending.Mode = mode;
    } else if (controlId == IDC_MODE_TURNS) {
        g_state.pending.Turns = SwitchChecked(page, controlId);
    } else if (controlId == IDC_MODE_JUMPS) {
        g_state.pending.Jumps = SwitchChecked(page, controlId);
    } else if (controlId == IDC_MODE_TOUR) {
        g_state.pending.Tour = SwitchChecked(page, controlId);
    } else if (controlId == IDC_MODE_TOUR_RANGE_FIELD && notification == EN_KILLFOCUS) {
        GetDlgItemTextA(page, controlId, g_state.text, kTextSize);
        if (CommitTourRangeField(g_state.pending, g_state.text)) {
            ShowNumber(page, controlId, g_state.pending.TourRange);
        }
    }
}

void FillRandomPage(HWND page) {
    g_state.pending.RndH = g_state.settings.RndH;
    g_state.pending.RndV = g_state.settings.RndV;
    RefreshRandomPage(page);
}

void OnRandomCommand(int controlId) {
    const int horizontal = ChoiceOf(kHorizontalButtons, controlId);
    if (horizontal >= 0) {
        g_state.pending.RndH = horizontal;
    }
    const int vertical = ChoiceOf(kVerticalButtons, controlId);
    if (vertical >= 0) {
        g_state.pending.RndV = vertical;
    }
}

} // namespace

void RefreshRandomPage(HWND page) {
    const PendingSettings& p = g_state.pending;
    CheckChoice(page, kHorizontalButtons, p.RndH);
    CheckChoice(page, kVerticalButtons, p.RndV);
    EnableChoices(page, kHorizontalButtons, HorizontalRandomEnabled(p.Mode));
    EnableChoices(page, kVerticalButtons, VerticalRandomEnabled(p.Mode));
}

INT_PTR CALLBACK ModesPageProc(HWND page, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        PlaceSettingsPage(page);
        FillModesPage(page);
        return TRUE;
    case WM_COMMAND:
        OnModesCommand(page, LOWORD(wParam), HIWORD(wParam));
        break;
    default:
        break;
    }
    return FALSE;
}

INT_PTR CALLBACK RandomPageProc(HWND page, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        PlaceSettingsPage(page);
        FillRandomPage(page);
        return TRUE;
    case WM_COMMAND:
        OnRandomCommand(LOWORD(wParam));
        break;
    default:
        break;
    }
    return FALSE;
}
