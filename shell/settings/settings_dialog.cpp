// The settings dialog's frame: a tab control over five page popups and the OK and CANCEL buttons
// that close it. The pages edit the module's working copy; only OK applies it.
#include "shell/settings/settings_dialog.h"
#include <windows.h>
#include <commctrl.h>
#include "core/control/controller.h"
#include "shell/host/module_state.h"
#include "shell/host/window_record.h"
#include "shell/resources/resource_ids.h"
#include "core/settings/pending_settings.h"
#include "shell/settings/settings_pages.h"

namespace {

// The page margin inside the tab control's lower-left corner, in pixels.
constexpr int kPageInsetPixels = 3;
constexpr int kFirstPageIndex = 0; // the Parameters page is shown at opening

const SettingsPage* const kPages[kSettingsPageCount] = {
    &kParametersPage, &kModesPage, &kRandomPage, &kRangesPage, &kKeysPage,
};

// At most one dialog is open (the window bookkeeping sees to it). Its record outlives it, so a
// handler still running when it closes (under a key conflict's message box) finds no window to
// act on instead of freed memory.
SettingsDialog g_dialogRecord;

void InsertTabs(SettingsDialog& dialog) {
    HWND tab = GetDlgItem(dialog.frame, IDC_SETTINGS_TABS);
    dialog.tab = tab;
    for (int i = 0; i < kSettingsPageCount; ++i) {
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(kPages[i]->tabText);
        SendMessageA(tab, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
    SendMessageA(tab, TCM_SETCURSEL, kFirstPageIndex, 0);
}

// Shows the page of the tab, after refreshing it where its content depends on other pages.
void SelectPage(SettingsDialog& dialog, int index) {
    if (index >= 0 && index < kSettingsPageCount) {
        const SettingsPageSlot& slot = dialog.pages[index];
        if (slot.page->selected) {
            slot.page->selected(slot.window, dialog);
        }
    }
    for (int i = 0; i < kSettingsPageCount; ++i) {
        ShowWindow(dialog.pages[i].window, i == index ? SW_SHOW : SW_HIDE);
    }
}

void OnTabNotify(SettingsDialog& dialog, const NMHDR* header) {
    if (header->code == static_cast<UINT>(TCN_SELCHANGE)) {
        SelectPage(dialog, static_cast<int>(SendMessageA(header->hwndFrom, TCM_GETCURSEL, 0, 0)));
    }
}

// Lays a page over the tab control's display area, 3 pixels inside its lower-left corner.
void PlacePage(const SettingsDialog& dialog, HWND page) {
    RECT tab = {};
    RECT client = {};
    GetWindowRect(dialog.tab, &tab);
    GetClientRect(page, &client);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    MoveWindow(page, tab.left + kPageInsetPixels, tab.bottom - kPageInsetPixels - height, width,
               height, TRUE);
}

// OK: the working copy becomes the live settings and the camera takes them at once.
void OnFrameCommand(SettingsDialog& dialog, int controlId) {
    ModuleState& state = *dialog.state;
    if (controlId == IDC_SETTINGS_OK) {
        AcceptPendingSettings(state);
        dialog.closed(state);
    } else if (controlId == IDC_SETTINGS_CANCEL) {
        dialog.closed(state);
    }
}

INT_PTR CALLBACK SettingsFrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
    SettingsDialog* dialog = DialogRecord<SettingsDialog>(frame, message, lParam);
    if (!dialog) {
        return FALSE;
    }
    switch (message) {
    case WM_INITDIALOG:
        dialog->frame = frame;
        InsertTabs(*dialog);
        return TRUE;
    case WM_NOTIFY:
        OnTabNotify(*dialog, reinterpret_cast<const NMHDR*>(lParam));
        break;
    case WM_COMMAND:
        OnFrameCommand(*dialog, LOWORD(wParam));
        break;
    default:
        break;
    }
    return FALSE;
}

// Every page's procedure: the page's own handlers do the work.
INT_PTR CALLBACK SettingsPageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    SettingsPageSlot* slot = DialogRecord<SettingsPageSlot>(window, message, lParam);
    if (!slot) {
        return FALSE;
    }
    SettingsDialog& dialog = *slot->dialog;
    const SettingsPage& page = *slot->page;
    switch (message) {
    case WM_INITDIALOG:
        slot->window = window;
        PlacePage(dialog, window);
        page.filled(window, dialog);
        return TRUE;
    case WM_COMMAND:
        if (page.command) {
            page.command(window, dialog, LOWORD(wParam), HIWORD(wParam),
                         reinterpret_cast<HWND>(lParam));
        }
        break;
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (page.scrolled) {
            page.scrolled(window, dialog, reinterpret_cast<HWND>(lParam));
        }
        break;
    default:
        break;
    }
    return FALSE;
}

} // namespace

HWND OpenSettingsDialog(ModuleState& state, void (*closed)(ModuleState& state)) {
    SettingsDialog& dialog = g_dialogRecord;
    dialog = SettingsDialog{};
    dialog.state = &state;
    dialog.closed = closed;
    HWND frame = CreateDialogParamA(state.instance, MAKEINTRESOURCEA(IDD_SETTINGS_FRAME),
                                    state.hostWindow, SettingsFrameProc, RecordParam(dialog));
    if (!frame) {
        return nullptr;
    }
    FillPendingSettings(state.pending, state.settings, state.hotkeys);
    for (int i = 0; i < kSettingsPageCount; ++i) {
        SettingsPageSlot& slot = dialog.pages[i];
        slot.dialog = &dialog;
        slot.page = kPages[i];
        CreateDialogParamA(state.instance, MAKEINTRESOURCEA(slot.page->resource), frame,
                           SettingsPageProc, RecordParam(slot));
    }
    SelectPage(dialog, kFirstPageIndex);
    return frame;
}

void CloseSettingsDialog(HWND frame) {
    SettingsDialog* dialog = WindowRecord<SettingsDialog>(frame);
    if (!dialog) {
        return;
    }
    DestroyWindow(frame);
    dialog->frame = nullptr;
    dialog->tab = nullptr;
    for (SettingsPageSlot& slot : dialog->pages) {
        slot.window = nullptr;
    }
    dialog->keys = KeysPageRecord{};
}
