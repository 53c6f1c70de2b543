#include "module/startup.h"
#include <commctrl.h>
#include "camera/controller.h"
#include "module/diagnostic_dump.h"
#include "module/host_window.h"
#include "module/module_state.h"
#include "module/tick_timer.h"
#include "resources/resource_ids.h"
#include "settings/config_file.h"

namespace {

constexpr uint32_t kVersionWordOffset = 0x73BB4;
constexpr uint32_t kExpectedHostVersion = 0x900;
constexpr char kHostWindowClass[] = "FS98MAIN";

// The host's version word; 0 when the image is too small to hold it, so another program that
// happens to load the module never has its memory read out of bounds.
uint32_t HostVersionWord() {
    const uint8_t* image = reinterpret_cast<const uint8_t*>(GetModuleHandleA(nullptr));
    const uint8_t* word = image + kVersionWordOffset;
    MEMORY_BASIC_INFORMATION info;
    if (!image || VirtualQuery(word, &info, sizeof(info)) != sizeof(info) ||
        info.State != MEM_COMMIT || (info.Protect & (PAGE_NOACCESS | PAGE_GUARD)) != 0 ||
        static_cast<const uint8_t*>(info.BaseAddress) + info.RegionSize < word + sizeof(uint32_t)) {
        return 0;
    }
    return *reinterpret_cast<const uint32_t*>(word);
}

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
