#pragma once
// Drives the settings dialog of the real module in the stand-in host the way a user would:
// tab clicks, track-bar keys, typing into fields and leaving them, radio buttons, check boxes,
// and answers to the hotkey conflict warning.
#include "skyvane_fixture.h"
#include <commctrl.h>
#include <string>
#include "shell/resources/resource_ids.h"

namespace skyvane_test {

constexpr int kTabParameters = 0;
constexpr int kTabModes = 1;
constexpr int kTabRandom = 2;
constexpr int kTabRanges = 3;
constexpr int kTabKeys = 4;
constexpr int kTabCount = 5;
constexpr int kWarningPollMs = 20;
constexpr int kFocusSettleMs = 100;
constexpr UINT_PTR kWarningTimerId = 0x5D1;
constexpr char kWarningCaption[] = "Skyvane Keys Assignment";
constexpr int kMessageBoxTextId = 0xFFFF; // the static control that holds a message box's text

// A control that identifies each page's window, in tab order.
constexpr int kPageMarkers[kTabCount] = {IDC_PERIOD_BAR, IDC_MODE_NORMAL, IDC_RANDOM_H_NONE,
                                         IDC_PERIOD_MAX_FIELD, IDC_KEYS_OPTION_LIST};

// What the conflict warning showed, and how it is to be answered.
struct WarningAnswer {
    int button; // IDOK or IDCANCEL
    int seen;   // warnings answered
    std::string text;
    std::string caption;
    HWND owner;
    bool frameEnabled; // the settings frame, while the warning was up
};

inline WarningAnswer* g_warningAnswer = nullptr;

struct OwnedSearch {
    HWND owner;
    int controlId;
    HWND found;
};

inline BOOL CALLBACK MatchOwnedWindow(HWND window, LPARAM context) {
    OwnedSearch* search = reinterpret_cast<OwnedSearch*>(context);
    if (GetWindow(window, GW_OWNER) == search->owner && GetDlgItem(window, search->controlId)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

inline BOOL CALLBACK MatchWarning(HWND window, LPARAM context) {
    char caption[128] = {};
    GetWindowTextA(window, caption, sizeof caption);
    if (IsWindowVisible(window) && std::string(caption) == kWarningCaption) {
        *reinterpret_cast<HWND*>(context) = window;
        return FALSE;
    }
    return TRUE;
}

// Runs inside the warning's own message loop: finds the box, notes what it says, answers it.
inline void CALLBACK AnswerWarning(HWND, UINT, UINT_PTR, DWORD) {
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), MatchWarning, reinterpret_cast<LPARAM>(&box));
    if (!box || !g_warningAnswer) {
        return;
    }
    char text[1100] = {};
    char caption[128] = {};
    GetDlgItemTextA(box, kMessageBoxTextId, text, sizeof text);
    GetWindowTextA(box, caption, sizeof caption);
    g_warningAnswer->text = text;
    g_warningAnswer->caption = caption;
    g_warningAnswer->owner = GetWindow(box, GW_OWNER);
    g_warningAnswer->frameEnabled =
        IsWindowEnabled(HostsimFindModuleWindow(IDC_SETTINGS_OK)) != FALSE;
    ++g_warningAnswer->seen;
    PostMessageA(box, WM_COMMAND, g_warningAnswer->button, 0);
}

class SettingsDialog : public SkyvaneHost {
  protected:
    void TearDown() override {
        KillTimer(nullptr, warningTimer);
        g_warningAnswer = nullptr;
        SkyvaneHost::TearDown();
    }

    // The module puts its menu into the host's menu bar when the frame is painted.
    void OpenByMenu() {
        HostsimRedrawFrame();
        ASSERT_TRUE(HostsimPickMenu("&Modules/Skyvane/Settings..."));
        HostsimPump(0);
        FindWindows();
    }

    void OpenByHotkey() {
        PressInHost('C', kHostsimShift);
        FindWindows();
    }

    // Keys reach the host's window only once it has the focus again, as after a click into it.
    void PressInHost(unsigned key, unsigned modifiers) {
        SetForegroundWindow(HostsimMainWindow());
        HostsimPump(kFocusSettleMs);
        Press(key, modifiers);
    }

    void FindWindows() {
        frame = HostsimFindModuleWindow(IDC_SETTINGS_OK);
        ASSERT_NE(frame, nullptr) << "no settings dialog";
        tab = GetDlgItem(frame, IDC_SETTINGS_TABS);
        for (int i = 0; i < kTabCount; ++i) {
            OwnedSearch search = {frame, kPageMarkers[i], nullptr};
            EnumThreadWindows(GetCurrentThreadId(), MatchOwnedWindow,
                              reinterpret_cast<LPARAM>(&search));
            pages[i] = search.found;
            ASSERT_NE(pages[i], nullptr) << "page " << i;
        }
    }

    bool DialogOpen() const { return HostsimFindModuleWindow(IDC_SETTINGS_OK) != nullptr; }

    // A click on the tab's header, as the mouse gives it.
    void SelectTab(int index) {
        RECT item = {};
        ASSERT_TRUE(SendMessageA(tab, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item)));
        LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
        SendMessageA(tab, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(tab, WM_LBUTTONUP, 0, at);
        HostsimPump(0);
        ASSERT_EQ(SendMessageA(tab, TCM_GETCURSEL, 0, 0), index);
    }

    // A tab change made without the mouse, so the focus stays where it is.
    void NotifyTab(int index) {
        SendMessageA(tab, TCM_SETCURSEL, index, 0);
        NMHDR header = {tab, IDC_SETTINGS_TABS, static_cast<UINT>(TCN_SELCHANGE)};
        SendMessageA(frame, WM_NOTIFY, IDC_SETTINGS_TABS, reinterpret_cast<LPARAM>(&header));
        HostsimPump(0);
    }

    HWND Control(int page, int id) const { return GetDlgItem(pages[page], id); }

    std::string Text(int page, int id) const {
        char text[kHostsimTextBytes] = {};
        GetDlgItemTextA(pages[page], id, text, sizeof text);
        return text;
    }

    // The control's own visibility, whatever its page's.
    bool Shown(int page, int id) const {
        return (GetWindowLongA(Control(page, id), GWL_STYLE) & WS_VISIBLE) != 0;
    }

    bool Enabled(int page, int id) const { return IsWindowEnabled(Control(page, id)) != FALSE; }

    bool Checked(int page, int id) const {
        return SendMessageA(Control(page, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }

    void Click(int page, int id) {
        SendMessageA(Control(page, id), BM_CLICK, 0, 0);
        HostsimPump(0);
    }

    LRESULT BarPosition(int id) const {
        return SendMessageA(Control(kTabParameters, id), TBM_GETPOS, 0, 0);
    }
    LRESULT BarMax(int id) const {
        return SendMessageA(Control(kTabParameters, id), TBM_GETRANGEMAX, 0, 0);
    }
    LRESULT BarMin(int id) const {
        return SendMessageA(Control(kTabParameters, id), TBM_GETRANGEMIN, 0, 0);
    }

    // A key on a track bar, which moves its thumb and reports the move to the page.
    void BarKey(int id, UINT key) {
        HWND bar = Control(kTabParameters, id);
        SendMessageA(bar, WM_KEYDOWN, key, 0);
        SendMessageA(bar, WM_KEYUP, key, 0);
        HostsimPump(0);
    }

    void TypeChars(HWND field, const char* text) {
        for (const char* c = text; *c; ++c) {
            SendMessageA(field, WM_CHAR, static_cast<unsigned char>(*c), 0);
        }
        HostsimPump(0);
    }

    // Replaces a Ranges field's text by typing, then moves the focus on to the next field.
    void TypeRange(int id, const char* text) {
        HWND field = Control(kTabRanges, id);
        SetFocus(field);
        SendMessageA(field, EM_SETSEL, 0, -1);
        SendMessageA(field, WM_CHAR, VK_BACK, 0);
        TypeChars(field, text);
        ASSERT_EQ(GetFocus(), field);
        const int next =
            id == IDC_PERIOD_MAX_FIELD ? IDC_LATERAL_RANGE_FIELD : IDC_PERIOD_MAX_FIELD;
        SetFocus(Control(kTabRanges, next));
        HostsimPump(0);
    }

    // A choice in the option list, as the combo box reports a pick.
    void PickOption(int option) {
        HWND list = Control(kTabKeys, IDC_KEYS_OPTION_LIST);
        SendMessageA(list, CB_SETCURSEL, option, 0);
        SendMessageA(pages[kTabKeys], WM_COMMAND, MAKEWPARAM(IDC_KEYS_OPTION_LIST, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list));
        HostsimPump(0);
    }

    HWND KeyField() const { return Control(kTabKeys, IDC_KEYS_KEY_FIELD); }
    std::string KeyText() const { return Text(kTabKeys, IDC_KEYS_KEY_FIELD); }

    // Typing into the key field behind what it holds.
    void TypeKey(const char* text) {
        const int end = GetWindowTextLengthA(KeyField());
        SendMessageA(KeyField(), EM_SETSEL, end, end);
        TypeChars(KeyField(), text);
    }

    // The field's whole text replaced at once, as a paste or a deletion does it.
    void ReplaceKeyText(const char* text) {
        SendMessageA(KeyField(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
        HostsimPump(0);
    }

    // Answers every conflict warning that comes up from now on with the button.
    void AnswerWarningsWith(int button) {
        answer = WarningAnswer{button, 0, "", "", nullptr, true};
        g_warningAnswer = &answer;
        warningTimer = SetTimer(nullptr, kWarningTimerId, kWarningPollMs, AnswerWarning);
    }

    void PressOk() { ClickFrame(IDC_SETTINGS_OK); }
    void PressCancel() { ClickFrame(IDC_SETTINGS_CANCEL); }
    void ClickFrame(int id) {
        SendMessageA(GetDlgItem(frame, id), BM_CLICK, 0, 0);
        HostsimPump(0);
    }

    // Events the module posted since the given count.
    std::string EventsSince(int count) const {
        std::string events;
        for (int i = count; i < HostsimEventCount(); ++i) {
            events += std::to_string(HostsimEvent(i)) + " ";
        }
        return events;
    }

    HWND frame = nullptr;
    HWND tab = nullptr;
    HWND pages[kTabCount] = {};
    WarningAnswer answer = {};
    UINT_PTR warningTimer = 0;
};

} // namespace skyvane_test
