// Input as a user gives it: keys through SendInput, menu picks with the messages a menu sends,
// and clicks and text in modules' windows.
#include "hostsim/hostsim_window.h"

#include "hostsim/host_world.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
constexpr int kInputSettleMilliseconds = 20;
constexpr int kEventSettleMilliseconds = 2;
constexpr int kFocusSettleMilliseconds = 50;
constexpr int kMaxMenuDepth = 4;
constexpr int kMenuTextBytes = 128;

void SendKey(WORD virtualKey, bool up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
}

void SendCharacter(wchar_t character, bool up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wScan = character;
    input.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
    SendInput(1, &input, sizeof input);
}

// Each input event is dispatched before the next is sent, so GetAsyncKeyState at the moment
// of a WM_KEYDOWN sees exactly the modifiers held for it.
void Settle() {
    HostsimPump(kEventSettleMilliseconds);
}

void ModifierKeys(unsigned modifiers, bool up) {
    const struct {
        unsigned flag;
        WORD key;
    } keys[] = {{kHostsimShift, VK_SHIFT}, {kHostsimCtrl, VK_CONTROL}, {kHostsimAlt, VK_MENU}};
    for (const auto& key : keys) {
        if (modifiers & key.flag) {
            SendKey(key.key, up);
            Settle();
        }
    }
}

// Under X the change of foreground arrives a little later: a window that was not in front is
// given time to get there before any key is sent to it.
void Focus(HWND window) {
    bool wasInFront = GetForegroundWindow() == window;
    SetForegroundWindow(window);
    SetActiveWindow(window);
    SetFocus(window);
    HostsimPump(wasInFront ? 0 : kFocusSettleMilliseconds);
}

// Finds an item of a menu by position ("3") or by exact text ("&Modules").
int FindItem(HMENU menu, const char* part) {
    char* end;
    long position = strtol(part, &end, 10);
    if (*part && !*end) {
        return position >= 0 && position < GetMenuItemCount(menu) ? static_cast<int>(position) : -1;
    }
    char text[kMenuTextBytes];
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        if (GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION) && !strcmp(text, part)) {
            return i;
        }
    }
    return -1;
}

HWND ControlOf(int controlId) {
    HWND window = HostsimFindModuleWindow(controlId);
    return window ? GetDlgItem(window, controlId) : nullptr;
}

struct WindowSearch {
    int controlId;
    HWND found;
};

BOOL CALLBACK MatchModuleWindow(HWND window, LPARAM context) {
    WindowSearch* search = reinterpret_cast<WindowSearch*>(context);
    if (window != gWorld.mainWindow && IsWindowVisible(window) &&
        GetDlgItem(window, search->controlId)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}
} // namespace

bool HostsimPressKey(unsigned virtualKey, unsigned modifiers, HWND window) {
    if (!virtualKey || !gWorld.mainWindow) {
        return false;
    }
    Focus(window ? window : gWorld.mainWindow);
    ModifierKeys(modifiers, false);
    SendKey(static_cast<WORD>(virtualKey), false);
    Settle();
    SendKey(static_cast<WORD>(virtualKey), true);
    Settle();
    ModifierKeys(modifiers, true);
    HostsimPump(kInputSettleMilliseconds);
    return true;
}

bool HostsimTypeText(HWND window, int controlId, const char* text) {
    HWND control = window ? GetDlgItem(window, controlId) : nullptr;
    if (!control) {
        return false;
    }
    Focus(window);
    SetFocus(control);
    for (const char* c = text; *c; ++c) {
        SendCharacter(static_cast<unsigned char>(*c), false);
        SendCharacter(static_cast<unsigned char>(*c), true);
        Settle();
    }
    HostsimPump(kInputSettleMilliseconds);
    return true;
}

bool HostsimPickMenu(const char* path) {
    HWND window = gWorld.mainWindow;
    HMENU menu = GetMenu(window);
    char parts[kMaxMenuDepth][kMenuTextBytes];
    int depth = 0;
    const char* start = path;
    while (depth < kMaxMenuDepth && *start) {
        const char* slash = strchr(start, '/');
        size_t length = slash ? static_cast<size_t>(slash - start) : strlen(start);
        snprintf(parts[depth++], kMenuTextBytes, "%.*s", static_cast<int>(length), start);
        start = slash ? slash + 1 : start + length;
    }
    if (!menu || depth == 0) {
        return false;
    }
    // Opening a menu repaints the menu bar first, as the highlighted title does.
    HostsimRedrawFrame();
    menu = GetMenu(window);
    SendMessageA(window, WM_ENTERMENULOOP, FALSE, 0);
    SendMessageA(window, WM_INITMENU, reinterpret_cast<WPARAM>(menu), 0);
    UINT command = 0;
    bool found = false;
    for (int level = 0; level < depth; ++level) {
        int position = FindItem(menu, parts[level]);
        if (position < 0) {
            break;
        }
        HMENU popup = GetSubMenu(menu, position);
        if (popup) {
            SendMessageA(window, WM_MENUSELECT, MAKEWPARAM(position, MF_POPUP | MF_HILITE),
                         reinterpret_cast<LPARAM>(menu));
            SendMessageA(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), position);
            menu = popup;
            continue;
        }
        if (level == depth - 1) {
            command = GetMenuItemID(menu, position);
            SendMessageA(window, WM_MENUSELECT, MAKEWPARAM(command, MF_HILITE),
                         reinterpret_cast<LPARAM>(menu));
            found = true;
        }
        break;
    }
    SendMessageA(window, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    SendMessageA(window, WM_EXITMENULOOP, FALSE, 0);
    if (found) {
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(command, 0), 0);
    }
    HostsimPump(0);
    return found;
}

bool HostsimOpenMenu(int topPosition) {
    HWND window = gWorld.mainWindow;
    HMENU bar = GetMenu(window);
    HMENU popup = bar ? GetSubMenu(bar, topPosition) : nullptr;
    if (!popup) {
        return false;
    }
    HostsimRedrawFrame();
    SendMessageA(window, WM_ENTERMENULOOP, FALSE, 0);
    SendMessageA(window, WM_INITMENU, reinterpret_cast<WPARAM>(bar), 0);
    SendMessageA(window, WM_MENUSELECT, MAKEWPARAM(topPosition, MF_POPUP | MF_HILITE),
                 reinterpret_cast<LPARAM>(bar));
    SendMessageA(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), topPosition);
    return true;
}

void HostsimCloseMenu() {
    SendMessageA(gWorld.mainWindow, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    SendMessageA(gWorld.mainWindow, WM_EXITMENULOOP, FALSE, 0);
}

HWND HostsimFindModuleWindow(int controlId) {
    WindowSearch search = {controlId, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), &MatchModuleWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool HostsimClickControl(int controlId) {
    HWND control = ControlOf(controlId);
    if (!control) {
        return false;
    }
    SendMessageA(control, BM_CLICK, 0, 0);
    HostsimPump(0);
    return true;
}

bool HostsimSetControlText(int controlId, const char* text) {
    HWND control = ControlOf(controlId);
    if (!control) {
        return false;
    }
    SetWindowTextA(control, text);
    HostsimPump(0);
    return true;
}

LRESULT HostsimSendToControl(int controlId, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND control = ControlOf(controlId);
    LRESULT result = control ? SendMessageA(control, message, wParam, lParam) : 0;
    HostsimPump(0);
    return result;
}
