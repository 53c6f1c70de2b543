#pragma once
// What the settings dialog's frame and its pages share: the dialog's record and the one interface
// through which the frame drives a page. Every page is a popup owned by the frame and laid over
// the tab control; exactly one is visible, the one of the selected tab.
#include <windows.h>
#include "shell/host/module_state.h"
#include "core/settings/pending_settings.h"

constexpr int kSettingsPageCount = 5;

struct SettingsDialog;

// A page as the frame sees it: its template and tab, and what it does at the frame's request.
// The handlers that a page has no use for are null.
struct SettingsPage {
    int resource;
    const char* tabText;
    // Once, when it is created: the working copy is already filled from the live values.
    void (*filled)(HWND page, SettingsDialog& dialog);
    // Before it is shown for its tab: what it shows depends on other pages.
    void (*selected)(HWND page, SettingsDialog& dialog);
    void (*command)(HWND page, SettingsDialog& dialog, int controlId, int notification,
                    HWND control);
    void (*scrolled)(HWND page, SettingsDialog& dialog, HWND bar);
};

extern const SettingsPage kParametersPage;
extern const SettingsPage kModesPage;
extern const SettingsPage kRandomPage;
extern const SettingsPage kRangesPage;
extern const SettingsPage kKeysPage;

// What each page's window is handed at creation.
struct SettingsPageSlot {
    SettingsDialog* dialog;
    const SettingsPage* page;
    HWND window;
};

// The Keys page's controls, found when it is created, and what its key field shows.
struct KeysPageRecord {
    HWND optionList, keyField, shiftBox, ctrlBox, applyButton, defaultButton;
    bool writingKeyField;       // set while the page writes its own key field
    char keyText[kKeyTextSize]; // the key field's character, empty when the first byte is 0
};

// The open dialog: the module whose working copy the pages edit, and the dialog's windows.
struct SettingsDialog {
    ModuleState* state;
    void (*closed)(ModuleState& state); // OK or CANCEL was pressed
    HWND frame;
    HWND tab;
    SettingsPageSlot pages[kSettingsPageCount];
    KeysPageRecord keys;
};
