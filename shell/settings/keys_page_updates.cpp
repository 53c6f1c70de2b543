// After an action on the Keys Assignment page: which boxes are checked, which buttons can be
// used, and the warning when a key is already taken.
#include "core/settings/text_size.h"
#include "core/settings/key_assignment.h"
#include "shell/settings/keys_page.h"

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

// Who shows a message: the page that owns it, in its dialog.
struct ConflictQuestion {
    HWND page;
    SettingsDialog* dialog;
};

// A message of the page, owned by it. The frame is disabled while it is up: its OK must not
// apply the pending table in the middle of the question.
int ShowKeysMessage(const ConflictQuestion& question, const char* text, UINT buttons) {
    char title[kTextSize];
    wsprintfA(title, "%s %s", kProductName, kKeysPageTitle);
    const HWND frame = question.dialog->frame;
    EnableWindow(frame, FALSE);
    const int answer = MessageBoxA(question.page, text, title, buttons | MB_ICONEXCLAMATION);
    EnableWindow(frame, TRUE);
    return answer;
}

// The warning about option `holder`. True for OK; a box that could not be shown counts as a
// refusal.
bool AskAboutConflict(void* context, int32_t holder) {
    const ConflictQuestion& question = *static_cast<const ConflictQuestion*>(context);
    const ModuleState& state = *question.dialog->state;
    const HotkeyOption* options = state.hotkeys.options;
    wsprintfA(g_conflictText, kConflictFormat, options[holder].optionName,
              options[state.pending.SelectedOption].optionName);
    return ShowKeysMessage(question, g_conflictText, MB_OKCANCEL) == IDOK;
}

} // namespace

bool BoxChecked(HWND box) {
    return SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void UpdateModifierBoxes(SettingsDialog& dialog, HWND source) {
    const KeysPageRecord& w = dialog.keys;
    const ModuleState& state = *dialog.state;
    const PendingSettings& p = state.pending;
    const int32_t option = p.SelectedOption;
    if (option < 0) {
        return;
    }
    const bool hasKey = w.keyText[0] != '\0';
    if (source == w.optionList) {
        CheckBox(w.shiftBox, hasKey && p.hotkeys[option].shiftFlag != 0);
        CheckBox(w.ctrlBox, hasKey && p.hotkeys[option].ctrlFlag != 0);
    } else if (source == w.keyField && !hasKey) {
        CheckBox(w.shiftBox, false);
        CheckBox(w.ctrlBox, false);
    } else if (source == w.defaultButton) {
        CheckBox(w.shiftBox, state.hotkeys.options[option].defaultShiftFlag != 0);
        CheckBox(w.ctrlBox, state.hotkeys.options[option].defaultCtrlFlag != 0);
    }
}

void UpdateKeyButtons(SettingsDialog& dialog, HWND source) {
    KeysPageRecord& w = dialog.keys;
    PendingSettings& p = dialog.state->pending;
    const int32_t option = p.SelectedOption;
    if (option < 0) {
        return;
    }
    EnableWindow(w.keyField, TRUE);
    EnableWindow(w.shiftBox, TRUE);
    EnableWindow(w.ctrlBox, TRUE);
    const bool fromModifier = source == w.shiftBox || source == w.ctrlBox;
    if (fromModifier || source == w.optionList || source == w.keyField) {
        GetWindowTextA(w.keyField, w.keyText, kKeyTextSize);
        const KeyChoice choice = ChoiceFromBoxes(static_cast<uint8_t>(w.keyText[0]),
                                                 BoxChecked(w.shiftBox), BoxChecked(w.ctrlBox));
        EnableWindow(w.applyButton, DiffersFromPending(p, option, choice));
        EnableWindow(w.defaultButton, DiffersFromDefault(dialog.state->hotkeys, option, choice));
    }
    // Modifiers alone cannot be applied.
    if (fromModifier && w.keyText[0] == '\0') {
        EnableWindow(w.applyButton, FALSE);
    }
    if (source == w.applyButton || source == w.defaultButton) {
        EnableWindow(w.applyButton, FALSE);
    }
    if (source == w.defaultButton) {
        EnableWindow(w.defaultButton, FALSE);
    }
}

bool AssignKey(HWND page, SettingsDialog& dialog, KeyChoice choice) {
    PendingSettings& p = dialog.state->pending;
    ConflictQuestion question = {page, &dialog};
    const ChoiceRefusal refusal = RefusalOf(choice);
    if (refusal != kChoiceStorable) {
        ShowKeysMessage(question, RefusalText(refusal), MB_OK);
        return true;
    }
    return AssignPendingHotkey(p, p.SelectedOption, choice, AskAboutConflict, &question);
}
