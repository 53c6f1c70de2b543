#include "shell/module/startup.h"
#include <commctrl.h>
#include "core/control/controller.h"
#include "shell/host/diagnostic_dump.h"
#include "shell/host/host_services.h"
#include "shell/module/host_window.h"
#include "shell/host/module_state.h"
#include "shell/module/tick_timer.h"
#include "shell/resources/resource_ids.h"
#include "shell/settings/config_file.h"

namespace {

constexpr uint32_t kExpectedHostVersion = 0x900;
constexpr char kHostWindowClass[] = "FS98MAIN";

// The host's main window. Should another program's window of the same class exist too, the one
// of this process is taken: a window of another process cannot be subclassed from here.
HWND FindHostWindow() {
    HWND first = FindWindowA(kHostWindowClass, nullptr);
    DWORD thisProcess = GetCurrentProcessId();
    for (HWND window = first; window;
         window = FindWindowExA(nullptr, window, kHostWindowClass, nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == thisProcess) {
            return window;
        }
    }
    return first;
}

} // namespace

void __stdcall ModuleInit() {
    if (HostVersionWord() != kExpectedHostVersion) {
        return;
    }
    g_state.hostWindow = FindHostWindow();
    g_state.previousWndProc = reinterpret_cast<WNDPROC>(
        SetWindowLongA(g_state.hostWindow, GWL_WNDPROC, reinterpret_cast<LONG>(&HostWindowProc)));
    INITCOMMONCONTROLSEX controls;
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES;
    InitCommonControlsEx(&controls);
    g_state.tickWindow = CreateDialogParamA(g_state.instance, MAKEINTRESOURCEA(IDD_TICK_WINDOW),
                                            g_state.hostWindow, TickWindowProc, 0);
    g_state.startupFlags = kStartupInitDone;
}

void __stdcall ModuleDeinit() {
    WriteConfiguration(g_state);
}

INT_PTR CALLBACK TickWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        SetTimer(window, kTickTimerId, kTickPeriodMs, nullptr);
        return TRUE;
    }
    if (message == WM_TIMER && wParam == kTickTimerId) {
        ControllerTick(g_state);
    }
    return FALSE;
}

void BindShell(ModuleState& state) {
    ReadConfiguration(state);
    char path[kTextSize];
    if (state.diagnosticDump && BuildConfigPath(path)) {
        WriteBindingDump(state, path);
    }
}
