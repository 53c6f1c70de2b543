// After an action on the Keys Assignment page: which boxes are checked, which buttons can be
// used, and the warning when a key is already taken.
#include "module/module_state.h"
#include "settings/key_assignment.h"
#include "settings/keys_page.h"

namespace {

constexpr int kConflictTextSize = 1040;
constexpr char kConflictFormat[] = "This key is currently assigned to the option\n'%s'.\n"
                                   "OK - apply this key to the new option\n'%s'.\n"
                                   "CANCEL - reject changes.";
constexpr char kProductName[] = "Skyvane";
constexpr char kKeysPageTitle[] = "Keys Assignment";

void CheckBox(HWND box, bool checked) {
    SendMessageA(box, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

// The warning's text lives in a fixed buffer: a check that needed memory could be skipped for
// want of it and leave two options on one key. One warning is shown at a time.
char g_conflictText[kConflictTextSize];

// The user's answer to the warning about option `holder` (0 when the box could not be shown).
int AskAboutConflict(HWND page, int32_t holder, int32_t selected) {
    const HotkeyOption* options = g_state.hotkeys.options;
    wsprintfA(g_conflictText, kConflictFormat, options[holder].optionName,
              options[selected].optionName);
    wsprintfA(g_state.text, "%s %s", kProductName, kKeysPageTitle);
    return MessageBoxA(page, g_conflictText, g_state.text, MB_OKCANCEL | MB_ICONEXCLAMATION);
}

} // namespace

bool BoxChecked(HWND box) {
    return SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void UpdateModifierBoxes(HWND source) {
    const SettingsWindows& w = g_state.settingsWindows;
    const PendingSettings& p = g_state.pending;
    const int32_t option = p.SelectedOption;
    if (option < 0) {
        return;
    }
    const bool hasKey = p.KeyText[0] != '\0';
    if (source == w.optionList) {
        CheckBox(w.shiftBox, hasKey && p.hotkeys[option].shiftFlag != 0);
        CheckBox(w.ctrlBox, hasKey && p.hotkeys[option].ctrlFlag != 0);
    } else if (source == w.keyField && !hasKey) {
        CheckBox(w.shiftBox, false);
        CheckBox(w.ctrlBox, false);
    } else if (source == w.defaultButton) {
        CheckBox(w.shiftBox, g_state.hotkeys.options[option].defaultShiftFlag != 0);
        CheckBox(w.ctrlBox, g_state.hotkeys.options[option].defaultCtrlFlag != 0);
    }
}

void UpdateKeyButtons(HWND source) {
    const SettingsWindows& w = g_state.settingsWindows;
    PendingSettings& p = g_state.pending;
    const int32_t option = p.SelectedOption;
    if (option < 0) {
        return;
    }
    EnableWindow(w.keyField, TRUE);
    EnableWindow(w.shiftBox, TRUE);
    EnableWindow(w.ctrlBox, TRUE);
    const bool fromModifier = source == w.shiftBox || source == w.ctrlBox;
    if (fromModifier || source == w.optionList || source == w.keyField) {
        GetWindowTextA(w.keyField, p.KeyText, kKeyTextSize);
        const KeyChoice choice = ChoiceFromBoxes(static_cast<uint8_t>(p.KeyText[0]),
                                                 BoxChecked(w.shiftBox), BoxChecked(w.ctrlBox));
        EnableWindow(w.applyButton, DiffersFromPending(p, option, choice));
        EnableWindow(w.defaultButton, DiffersFromDefault(g_state.hotkeys, option, choice));
    }
    // Modifiers alone cannot be applied.
    if (fromModifier && p.KeyText[0] == '\0') {
        EnableWindow(w.applyButton, FALSE);
    }
    if (source == w.applyButton || source == w.defaultButton) {
        EnableWindow(w.applyButton, FALSE);
    }
    if (source == w.defaultButton) {
        EnableWindow(w.defaultButton, FALSE);
    }
}

bool ResolveKeyConflict(HWND page) {
    PendingSettings& p = g_state.pending;
    const int32_t selected = p.SelectedOption;
    for (int32_t holder = FindKeyConflict(p, selected, 0); holder != kNoOption;
         holder = FindKeyConflict(p, selected, holder + 1)) {
        const int answer = AskAboutConflict(page, holder, selected);
        if (answer == IDOK) {
            TakeKeyAway(p, holder);
            return false;
        }
        if (answer == IDCANCEL) {
            TakeKeyAway(p, selected);
            return true;
        }
    }
    return false;
}
