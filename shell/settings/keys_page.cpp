// The Keys Assignment page: an option list, a one-character key field, Shift and Ctrl boxes, and
// Apply and Set Default, which store one option at a time in the pending hotkeys.
#include "shell/settings/keys_page.h"
#include "shell/resources/resource_ids.h"
#include "core/settings/key_assignment.h"
#include "core/settings/key_translation.h"
#include "shell/settings/settings_pages.h"

namespace {

// The controls that stay disabled until an option is chosen.
void DisableKeyControls(const KeysPageRecord& w) {
    const HWND controls[] = {w.keyField, w.shiftBox, w.ctrlBox, w.applyButton, w.defaultButton};
    for (HWND control : controls) {
        EnableWindow(control, FALSE);
    }
}

void FillKeysPage(HWND page, SettingsDialog& dialog) {
    KeysPageRecord& w = dialog.keys;
    w.optionList = GetDlgItem(page, IDC_KEYS_OPTION_LIST);
    w.keyField = GetDlgItem(page, IDC_KEYS_KEY_FIELD);
    w.shiftBox = GetDlgItem(page, IDC_KEYS_SHIFT);
    w.ctrlBox = GetDlgItem(page, IDC_KEYS_CTRL);
    w.applyButton = GetDlgItem(page, IDC_KEYS_APPLY);
    w.defaultButton = GetDlgItem(page, IDC_KEYS_DEFAULT);
    for (const HotkeyOption& option : dialog.state->hotkeys.options) {
        SendMessageA(w.optionList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(option.optionName));
    }
    DisableKeyControls(w);
}

// The guard keeps the field's own change notification from being taken for typing.
void ShowKeyText(KeysPageRecord& keys) {
    keys.writingKeyField = true;
    SetWindowTextA(keys.keyField, keys.keyText);
    keys.writingKeyField = false;
}

// Unapplied changes to the option shown before are dropped.
void SelectOption(SettingsDialog& dialog) {
    PendingSettings& p = dialog.state->pending;
    const HWND list = dialog.keys.optionList;
    const int32_t option = static_cast<int32_t>(SendMessageA(list, CB_GETCURSEL, 0, 0));
    if (option < 0 || option >= kHotkeyOptionCount) {
        return;
    }
    p.SelectedOption = option;
    KeyTextFromKey(p.hotkeys[option].key, dialog.keys.keyText);
    ShowKeyText(dialog.keys);
    UpdateModifierBoxes(dialog, list);
    UpdateKeyButtons(dialog, list);
}

// The field keeps at most one character: the digit or letter of the key that produces the
// first character typed, whatever the shift state, or nothing.
void TypeKey(SettingsDialog& dialog) {
    KeysPageRecord& keys = dialog.keys;
    const HWND field = keys.keyField;
    keys.writingKeyField = true;
    GetWindowTextA(field, keys.keyText, kKeyTextSize);
    const SHORT keyScan = VkKeyScanExA(keys.keyText[0], GetKeyboardLayout(0));
    KeyTextFromKey(KeyFromKeyScan(static_cast<uint16_t>(keyScan)), keys.keyText);
    SetWindowTextA(field, keys.keyText);
    keys.writingKeyField = false;
    UpdateModifierBoxes(dialog, field);
    UpdateKeyButtons(dialog, field);
}

void ApplyKey(HWND page, SettingsDialog& dialog) {
    KeysPageRecord& w = dialog.keys;
    if (dialog.state->pending.SelectedOption < 0) {
        return;
    }
    GetWindowTextA(w.keyField, w.keyText, kKeyTextSize);
    const uint8_t key = static_cast<uint8_t>(w.keyText[0]);
    const KeyChoice choice = ChoiceFromBoxes(key, BoxChecked(w.shiftBox), BoxChecked(w.ctrlBox));
    if (!AssignKey(page, dialog, choice)) {
        UpdateKeyButtons(dialog, w.applyButton);
    }
}

void SetDefaultKey(HWND page, SettingsDialog& dialog) {
    const ModuleState& state = *dialog.state;
    const HWND button = dialog.keys.defaultButton;
    const int32_t option = state.pending.SelectedOption;
    if (option < 0) {
        return;
    }
    KeyTextFromKey(state.hotkeys.options[option].defaultKey, dialog.keys.keyText);
    ShowKeyText(dialog.keys);
    if (!AssignKey(page, dialog, DefaultChoice(state.hotkeys, option))) {
        UpdateModifierBoxes(dialog, button);
        UpdateKeyButtons(dialog, button);
    }
}

void OnKeysCommand(HWND page, SettingsDialog& dialog, int controlId, int notification,
                   HWND control) {
    if (dialog.keys.writingKeyField) {
        return;
    }
    switch (controlId) {
    case IDC_KEYS_OPTION_LIST:
        if (notification == CBN_SELCHANGE) {
            SelectOption(dialog);
        }
        break;
    case IDC_KEYS_KEY_FIELD:
        if (notification == EN_CHANGE) {
            TypeKey(dialog);
        }
        break;
    case IDC_KEYS_SHIFT:
    case IDC_KEYS_CTRL:
        UpdateKeyButtons(dialog, control);
        break;
    case IDC_KEYS_APPLY:
        ApplyKey(page, dialog);
        break;
    case IDC_KEYS_DEFAULT:
        SetDefaultKey(page, dialog);
        break;
    default:
        break;
    }
}

} // namespace

const SettingsPage kKeysPage = {
    IDD_KEYS_PAGE, "Keys Assignment", FillKeysPage, nullptr, OnKeysCommand, nullptr,
};
