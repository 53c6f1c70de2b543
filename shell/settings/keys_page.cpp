// The Keys Assignment page: an option list, a one-character key field, Shift and Ctrl boxes, and
// Apply and Set Default, which store one option at a time in the pending hotkeys.
#include "shell/settings/keys_page.h"
#include "shell/host/module_state.h"
#include "shell/resources/resource_ids.h"
#include "core/settings/key_assignment.h"
#include "core/settings/key_translation.h"
#include "shell/settings/settings_pages.h"

namespace {

// The controls that stay disabled until an option is chosen.
void DisableKeyControls() {
    const SettingsWindows& w = g_state.settingsWindows;
    const HWND controls[] = {w.keyField, w.shiftBox, w.ctrlBox, w.applyButton, w.defaultButton};
    for (HWND control : controls) {
        EnableWindow(control, FALSE);
    }
}

void FillKeysPage(HWND page) {
    SettingsWindows& w = g_state.settingsWindows;
    w.optionList = GetDlgItem(page, IDC_KEYS_OPTION_LIST);
    w.keyField = GetDlgItem(page, IDC_KEYS_KEY_FIELD);
    w.shiftBox = GetDlgItem(page, IDC_KEYS_SHIFT);
    w.ctrlBox = GetDlgItem(page, IDC_KEYS_CTRL);
    w.applyButton = GetDlgItem(page, IDC_KEYS_APPLY);
    w.defaultButton = GetDlgItem(page, IDC_KEYS_DEFAULT);
    for (const HotkeyOption& option : g_state.hotkeys.options) {
        SendMessageA(w.optionList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(option.optionName));
    }
    FillPendingHotkeys(g_state.pending, g_state.hotkeys);
    DisableKeyControls();
}

// The guard keeps the field's own change notification from being taken for typing.
void ShowKeyText() {
    g_state.pending.KeysPageGuard = true;
    SetWindowTextA(g_state.settingsWindows.keyField, g_state.pending.KeyText);
    g_state.pending.KeysPageGuard = false;
}

// Unapplied changes to the option shown before are dropped.
void SelectOption() {
    PendingSettings& p = g_state.pending;
    const HWND list = g_state.settingsWindows.optionList;
    const int32_t option = static_cast<int32_t>(SendMessageA(list, CB_GETCURSEL, 0, 0));
    if (option < 0 || option >= kHotkeyOptionCount) {
        return;
    }
    p.SelectedOption = option;
    KeyTextFromKey(p.hotkeys[option].key, p.KeyText);
    ShowKeyText();
    UpdateModifierBoxes(list);
    UpdateKeyButtons(list);
}

// The field keeps at most one character: the digit or letter of the key that produces the
// first character typed, whatever the shift state, or nothing.
void TypeKey() {
    PendingSettings& p = g_state.pending;
    const HWND field = g_state.settingsWindows.keyField;
    p.KeysPageGuard = true;
    GetWindowTextA(field, p.KeyText, kKeyTextSize);
    const SHORT keyScan = VkKeyScanExA(p.KeyText[0], GetKeyboardLayout(0));
    KeyTextFromKey(KeyFromKeyScan(static_cast<uint16_t>(keyScan)), p.KeyText);
    SetWindowTextA(field, p.KeyText);
    p.KeysPageGuard = false;
    UpdateModifierBoxes(field);
    UpdateKeyButtons(field);
}

void ApplyKey(HWND page) {
    PendingSettings& p = g_state.pending;
    const SettingsWindows& w = g_state.settingsWindows;
    if (p.SelectedOption < 0) {
        return;
    }
    GetWindowTextA(w.keyField, p.KeyText, kKeyTextSize);
    const uint8_t key = static_cast<uint8_t>(p.KeyText[0]);
    if (!AssignKey(page, ChoiceFromBoxes(key, BoxChecked(w.shiftBox), BoxChecked(w.ctrlBox)))) {
        UpdateKeyButtons(w.applyButton);
    }
}

void SetDefaultKey(HWND page) {
    PendingSettings& p = g_state.pending;
    const HWND button = g_state.settingsWindows.defaultButton;
    const int32_t option = p.SelectedOption;
    if (option < 0) {
        return;
    }
    KeyTextFromKey(g_state.hotkeys.options[option].defaultKey, p.KeyText);
    ShowKeyText();
    if (!AssignKey(page, DefaultChoice(g_state.hotkeys, option))) {
        UpdateModifierBoxes(button);
        UpdateKeyButtons(button);
    }
}

void OnKeysCommand(HWND page, int controlId, HWND control, int notification) {
    if (g_state.pending.KeysPageGuard) {
        return;
    }
    switch (controlId) {
    case IDC_KEYS_OPTION_LIST:
        if (notification == CBN_SELCHANGE) {
            SelectOption();
        }
        break;
    case IDC_KEYS_KEY_FIELD:
        if (notification == EN_CHANGE) {
            TypeKey();
        }
        break;
    case IDC_KEYS_SHIFT:
    case IDC_KEYS_CTRL:
        UpdateKeyButtons(control);
        break;
    case IDC_KEYS_APPLY:
        ApplyKey(page);
        break;
    case IDC_KEYS_DEFAULT:
        SetDefaultKey(page);
        break;
    default:
        break;
    }
}

} // namespace

INT_PTR CALLBACK KeysPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        PlaceSettingsPage(page);
        FillKeysPage(page);
        return TRUE;
    case WM_COMMAND:
        OnKeysCommand(page, LOWORD(wParam), reinterpret_cast<HWND>(lParam), HIWORD(wParam));
        break;
    default:
        break;
    }
    return FALSE;
}
