// The Modes and Random pages: radio buttons for the view mode and for the horizontal and
// vertical randomisation, check boxes for following turns, catching up after a jump and watching
// the traffic, with the tour's range. What the mode leaves to choose is greyed on the Random page.
#include <windows.h>
#include <commctrl.h>
#include "core/camera/pass_by_state.h"
#include "shell/resources/resource_ids.h"
#include "core/settings/pending_settings.h"
#include "core/settings/settings_limits.h"
#include "core/settings/text_size.h"
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
void FillModesPage(HWND page, SettingsDialog& dialog) {
    const ModuleState& state = *dialog.state;
    const PendingSettings& p = state.pending;
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
    const bool spotting = PlaneSpottingAvailable(state.settings.Active, state.target.id);
    EnableWindow(GetDlgItem(page, IDC_MODE_SPOTTING), spotting);
}

// The check boxes toggle themselves; the working copy takes the state they show. The range counts
// when its field loses the keyboard focus, as the Ranges page's fields do.
void OnModesCommand(HWND page, SettingsDialog& dialog, int controlId, int notification, HWND) {
    PendingSettings& p = dialog.state->pending;
    const int mode = ChoiceOf(kModeButtons, controlId);
    if (mode >= 0) {
        p.Mode = mode;
    } else if (controlId == IDC_MODE_TURNS) {
        p.Turns = SwitchChecked(page, controlId);
    } else if (controlId == IDC_MODE_JUMPS) {
        p.Jumps = SwitchChecked(page, controlId);
    } else if (controlId == IDC_MODE_TOUR) {
        p.Tour = SwitchChecked(page, controlId);
    } else if (controlId == IDC_MODE_TOUR_RANGE_FIELD && notification == EN_KILLFOCUS) {
        char text[kTextSize];
        GetDlgItemTextA(page, controlId, text, kTextSize);
        if (CommitTourRangeField(p, text)) {
            SetDlgItemInt(page, controlId, p.TourRange, TRUE);
        }
    }
}

// At opening and whenever its tab is chosen: the Modes page may have changed the mode.
void RefreshRandomPage(HWND page, SettingsDialog& dialog) {
    const PendingSettings& p = dialog.state->pending;
    CheckChoice(page, kHorizontalButtons, p.RndH);
    CheckChoice(page, kVerticalButtons, p.RndV);
    EnableChoices(page, kHorizontalButtons, HorizontalRandomEnabled(p.Mode));
    EnableChoices(page, kVerticalButtons, VerticalRandomEnabled(p.Mode));
}

void OnRandomCommand(HWND, SettingsDialog& dialog, int controlId, int, HWND) {
    PendingSettings& p = dialog.state->pending;
    const int horizontal = ChoiceOf(kHorizontalButtons, controlId);
    if (horizontal >= 0) {
        p.RndH = horizontal;
    }
    const int vertical = ChoiceOf(kVerticalButtons, controlId);
    if (vertical >= 0) {
        p.RndV = vertical;
    }
}

} // namespace

const SettingsPage kModesPage = {
    IDD_MODES_PAGE, "Modes", FillModesPage, nullptr, OnModesCommand, nullptr,
};

const SettingsPage kRandomPage = {
    IDD_RANDOM_PAGE, "Random", RefreshRandomPage, RefreshRandomPage, OnRandomCommand, nullptr,
};
