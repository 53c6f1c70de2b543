// Mouse clicks as a user makes them: the pointer moves onto a module window's control and the
// left button goes down and up there (SendInput), so the control itself sends whatever
// notification such a click makes (tab changes, column clicks, row clicks).
#include "hostsim/hostsim_window.h"

#include "hostsim/host_world.h"

#include <commctrl.h>

namespace {
constexpr int kClickSettleMilliseconds = 30;
constexpr int kFocusSettleMilliseconds = 50;
constexpr double kAbsoluteRange = 65535.0;

void SendMouse(DWORD flags, POINT screen) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx =
        static_cast<LONG>(screen.x * kAbsoluteRange / (GetSystemMetrics(SM_CXSCREEN) - 1));
    input.mi.dy =
        static_cast<LONG>(screen.y * kAbsoluteRange / (GetSystemMetrics(SM_CYSCREEN) - 1));
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    SendInput(1, &input, sizeof input);
}

HWND ControlOf(int controlId) {
    HWND window = HostsimFindModuleWindow(controlId);
    return window ? GetDlgItem(window, controlId) : nullptr;
}

bool ClickInside(HWND control, RECT r) {
    POINT point = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    return HostsimClickAt(GetDlgCtrlID(control), point.x, point.y);
}
} // namespace

bool HostsimClickAt(int controlId, int x, int y) {
    HWND control = ControlOf(controlId);
    if (!control) {
        return false;
    }
    HWND window = GetAncestor(control, GA_ROOT);
    bool wasInFront = GetForegroundWindow() == window;
    SetForegroundWindow(window);
    HostsimPump(wasInFront ? 0 : kFocusSettleMilliseconds);
    POINT screen = {x, y};
    ClientToScreen(control, &screen);
    SendMouse(0, screen);
    HostsimPump(kClickSettleMilliseconds);
    SendMouse(MOUSEEVENTF_LEFTDOWN, screen);
    HostsimPump(kClickSettleMilliseconds);
    SendMouse(MOUSEEVENTF_LEFTUP, screen);
    HostsimPump(kClickSettleMilliseconds);
    return true;
}

bool HostsimClickTab(int controlId, int tab) {
    HWND control = ControlOf(controlId);
    RECT r;
    return control && SendMessageA(control, TCM_GETITEMRECT, tab, reinterpret_cast<LPARAM>(&r)) &&
           ClickInside(control, r);
}

bool HostsimClickListHeader(int controlId, int column) {
    HWND control = ControlOf(controlId);
    HWND header =
        control ? reinterpret_cast<HWND>(SendMessageA(control, LVM_GETHEADER, 0, 0)) : nullptr;
    RECT r;
    if (!header || !SendMessageA(header, HDM_GETITEMRECT, column, reinterpret_cast<LPARAM>(&r))) {
        return false;
    }
    // The header lies at the top of the list view: its rectangle is the list view's too.
    return ClickInside(control, r);
}

bool HostsimClickListRow(int controlId, int32_t itemParameter) {
    HWND control = ControlOf(controlId);
    if (!control) {
        return false;
    }
    LVFINDINFOA find = {};
    find.flags = LVFI_PARAM;
    find.lParam = itemParameter;
    int row = static_cast<int>(SendMessageA(control, LVM_FINDITEMA, static_cast<WPARAM>(-1),
                                            reinterpret_cast<LPARAM>(&find)));
    RECT r = {};
    r.left = LVIR_LABEL;
    if (row < 0 || !SendMessageA(control, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&r))) {
        return false;
    }
    return ClickInside(control, r);
}
