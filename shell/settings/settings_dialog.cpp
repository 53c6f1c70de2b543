// The settings dialog's frame: a tab control over five page popups and the OK and CANCEL buttons
// that close it. The pages edit the working copy in g_state.pending; only OK applies it.
#include "shell/settings/settings_dialog.h"
#include <windows.h>
#include <commctrl.h>
#include "core/control/controller.h"
#include "shell/host/module_state.h"
#include "shell/resources/resource_ids.h"
#include "core/settings/pending_settings.h"
#include "core/settings/settings_limits.h"
#include "shell/settings/settings_pages.h"

namespace {

void (*g_closed)();

// The page margin inside the tab control's lower-left corner, in pixels.
constexpr int kPageInsetPixels = 3;

struct PageTemplate {
    int resource;
    DLGPROC procedure;
    const char* tabText;
};

// Creation order carries data: the Random page reads the Mode that the Modes page has just
// filled in.
const PageTemplate kPages[kSettingsPageCount] = {
    {IDD_PARAMETERS_PAGE, ParametersPageProc, "Parameters"},
    {IDD_MODES_PAGE, ModesPageProc, "Modes"},
    {IDD_RANDOM_PAGE, RandomPageProc, "Random"},
    {IDD_RANGES_PAGE, RangesPageProc, "Ranges"},
    {IDD_KEYS_PAGE, KeysPageProc, "Keys Assignment"},
};

void InsertTabs(HWND frame) {
    HWND tab = GetDlgItem(frame, IDC_SETTINGS_TABS);
    g_state.settingsWindows.tab = tab;
    for (int i = 0; i < kSettingsPageCount; ++i) {
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(kPages[i].tabText);
        SendMessageA(tab, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
    SendMessageA(tab, TCM_SETCURSEL, kParametersPageIndex, 0);
}

void OnTabNotify(const NMHDR* header) {
    if (header->code == static_cast<UINT>(TCN_SELCHANGE)) {
        SelectSettingsPage(static_cast<int>(SendMessageA(header->hwndFrom, TCM_GETCURSEL, 0, 0)));
    }
}

void DestroyFrame() {
    if (g_state.settingsFrame) {
        DestroyWindow(g_state.settingsFrame);
        g_state.settingsFrame = nullptr;
        g_state.settingsWindows = SettingsWindows{};
    }
}

// OK: the working copy becomes the live settings and the camera takes them at once.
void AcceptSettings() {
    AcceptPendingSettings(g_state);
    g_closed();
}

void DiscardSettings() {
    g_closed();
}

void OnFrameCommand(int controlId) {
    if (controlId == IDC_SETTINGS_OK) {
        AcceptSettings();
    } else if (controlId == IDC_SETTINGS_CANCEL) {
        DiscardSettings();
    }
}

INT_PTR CALLBACK SettingsFrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        InsertTabs(frame);
        return TRUE;
    case WM_NOTIFY:
        OnTabNotify(reinterpret_cast<const NMHDR*>(lParam));
        break;
    case WM_COMMAND:
        OnFrameCommand(LOWORD(wParam));
        break;
    default:
        break;
    }
    return FALSE;
}

} // namespace

bool OpenSettingsDialog(void (*closed)()) {
    g_closed = closed;
    HWND frame = CreateDialogParamA(g_state.instance, MAKEINTRESOURCEA(IDD_SETTINGS_FRAME),
                                    g_state.hostWindow, SettingsFrameProc, 0);
    g_state.settingsFrame = frame;
    if (!frame) {
        return false;
    }
    for (int i = 0; i < kSettingsPageCount; ++i) {
        g_state.settingsWindows.pages[i] = CreateDialogParamA(
            g_state.instance, MAKEINTRESOURCEA(kPages[i].resource), frame, kPages[i].procedure, 0);
    }
    SelectSettingsPage(kParametersPageIndex);
    return true;
}

void CloseSettingsDialog() {
    DestroyFrame();
}

void SelectSettingsPage(int index) {
    HWND* pages = g_state.settingsWindows.pages;
    if (index == kParametersPageIndex) {
        RefreshParametersPage(pages[kParametersPageIndex]);
    } else if (index == kRandomPageIndex) {
        RefreshRandomPage(pages[kRandomPageIndex]);
    }
    for (int i = 0; i < kSettingsPageCount; ++i) {
        ShowWindow(pages[i], i == index ? SW_SHOW : SW_HIDE);
    }
}

void PlaceSettingsPage(HWND page) {
    RECT tab = {};
    RECT client = {};
    GetWindowRect(g_state.settingsWindows.tab, &tab);
    GetClientRect(page, &client);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    MoveWindow(page, tab.left + kPageInsetPixels, tab.bottom - kPageInsetPixels - height, width,
               height, TRUE);
}

void ShowNumber(HWND page, int controlId, int value) {
    wsprintfA(g_state.text, "%d", value);
    SetDlgItemTextA(page, controlId, g_state.text);
}
