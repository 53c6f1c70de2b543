#include "hostsim/main_window.h"

#include "hostsim/aircraft.h"
#include "hostsim/host_layout.h"
#include "hostsim/host_state.h"
#include "hostsim/host_world.h"
#include "hostsim/hostsim_aircraft.h"
#include "hostsim/hostsim_state.h"
#include "hostsim/hostsim_window.h"
#include "hostsim/view_render.h"

namespace {
constexpr UINT_PTR kRealtimeTimerId = 1;
void (*realtimeSlice)(); // what the real-time timer runs, given by CreateMainWindow

void AddTraffic() {
    // A new AI aircraft a little ahead of the user's, on a crossing course.
    const HostsimAircraft* user = HostsimFindAircraft(kUserAircraftId);
    HostsimAircraft aircraft;
    int32_t id = 100;
    while (HostsimFindAircraft(id)) {
        ++id;
    }
    HostsimDefaultAircraft(&aircraft, id);
    if (user) {
        aircraft.latitudeDeg = user->latitudeDeg + 0.02;
        aircraft.longitudeDeg = user->longitudeDeg;
        aircraft.altitudeFeet = user->altitudeFeet + 500;
        aircraft.headingTrueDeg = user->headingTrueDeg + 150;
    }
    HostsimAddAircraft(&aircraft);
}

void RemoveTraffic() {
    AiObjectList* list = TheAiList();
    if (list->count > 1) {
        HostsimRemoveAircraft(list->entries[list->count - 1].object->id);
    }
}

void HandleCommand(UINT id) {
    switch (id) {
    case kCommandExit:
        PostMessageA(gWorld.mainWindow, WM_CLOSE, 0, 0);
        break;
    case kCommandAddTraffic:
        AddTraffic();
        break;
    case kCommandRemoveTraffic:
        RemoveTraffic();
        break;
    case kCommandViewCockpit:
        HostsimSetView(kViewCockpit);
        break;
    case kCommandViewTower:
        HostsimSetView(kViewTower);
        break;
    case kCommandViewFollow:
        HostsimSetView(kViewFollow);
        break;
    case kCommandViewOptions:
        OpenHostDialog();
        break;
    case kCommandNextView:
        CycleView();
        break;
    case kCommandPause:
        TogglePause();
        break;
    default:
        break;
    }
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_KEYDOWN:
        gWorld.keysSeen++;
        if (wParam == kPauseKey) {
            TogglePause();
        } else if (wParam == kViewKey) {
            CycleView();
        }
        return 0;
    case WM_COMMAND:
        HandleCommand(LOWORD(wParam));
        return 0;
    case WM_TIMER:
        if (wParam == kRealtimeTimerId) {
            realtimeSlice();
        }
        return 0;
    case WM_PAINT:
        PaintMainWindow(window);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_CLOSE:
        // A pilot who answers "no" to quitting keeps the host running.
        if (gWorld.refuseClose) {
            Journal("close refused");
            return 0;
        }
        Journal("close");
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        Journal("destroyed");
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

HMENU Popup(const char* const* items, const UINT* ids, int count) {
    HMENU popup = CreatePopupMenu();
    for (int i = 0; i < count; ++i) {
        AppendMenuA(popup, MF_STRING, ids[i], items[i]);
    }
    return popup;
}

bool PumpOnce() {
    MSG message;
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        return false;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
    return true;
}
} // namespace

HMENU BuildMenuBar(HostsimModulesMenu modulesMenu) {
    HMENU bar = CreateMenu();
    const char* flights[] = {"E&xit"};
    const UINT flightIds[] = {kCommandExit};
    const char* world[] = {"&Add AI Aircraft", "&Remove AI Aircraft"};
    const UINT worldIds[] = {kCommandAddTraffic, kCommandRemoveTraffic};
    const char* aircraft[] = {"&Aircraft Information"};
    const UINT aircraftIds[] = {kCommandAircraftInfo};
    const char* views[] = {"&Cockpit", "&Tower", "&Follow", "View &Options...", "&Next View\tS"};
    const UINT viewIds[] = {kCommandViewCockpit, kCommandViewTower, kCommandViewFollow,
                            kCommandViewOptions, kCommandNextView};
    const char* options[] = {"&Pause\tP"};
    const UINT optionIds[] = {kCommandPause};
    const char* help[] = {"&About Hostsim"};
    const UINT helpIds[] = {kCommandAbout};
    auto add = [bar](const char* text, HMENU popup) {
        AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), text);
    };
    add("&Flights", Popup(flights, flightIds, 1));
    add("&World", Popup(world, worldIds, 2));
    add("&Aircraft", Popup(aircraft, aircraftIds, 1));
    add("&Views", Popup(views, viewIds, 5));
    add("&Options", Popup(options, optionIds, 1));
    if (modulesMenu == kHostsimEmptyModulesMenu) {
        add("&Modules", CreatePopupMenu());
    } else if (modulesMenu == kHostsimModulesMenuWithItem) {
        const char* modules[] = {"Skyvane"};
        const UINT moduleIds[] = {kCommandModulesItem};
        add("&Modules", Popup(modules, moduleIds, 1));
    }
    add("&Help", Popup(help, helpIds, 1));
    return bar;
}

bool CreateMainWindow(void (*onRealtimeSlice)()) {
    realtimeSlice = onRealtimeSlice;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = &MainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.lpszClassName = kMainWindowClass;
    // Registered once per process; later runs reuse the class.
    if (!RegisterClassA(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        return false;
    }
    RECT frame = {0, 0, gWorld.options.windowWidth, gWorld.options.windowHeight};
    DWORD style = WS_OVERLAPPEDWINDOW;
    AdjustWindowRect(&frame, style, TRUE);
    gWorld.mainWindow =
        CreateWindowA(kMainWindowClass, "Hostsim - flight simulator stand-in", style, 0, 0,
                      frame.right - frame.left, frame.bottom - frame.top, nullptr,
                      BuildMenuBar(gWorld.options.modulesMenu), instance, nullptr);
    if (!gWorld.mainWindow) {
        return false;
    }
    if (gWorld.options.showWindow) {
        ShowWindow(gWorld.mainWindow, SW_SHOW);
        UpdateWindow(gWorld.mainWindow);
        SetForegroundWindow(gWorld.mainWindow);
    }
    if (!gWorld.options.lockstep) {
        SetTimer(gWorld.mainWindow, kRealtimeTimerId, kRealtimeSliceMilliseconds, nullptr);
    }
    return true;
}

HWND HostsimMainWindow() {
    return gWorld.mainWindow;
}

void HostsimPump(int milliseconds) {
    while (PumpOnce()) {
    }
    DWORD start = GetTickCount();
    for (;;) {
        DWORD elapsed = GetTickCount() - start;
        if (static_cast<int>(elapsed) >= milliseconds) {
            break;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - elapsed, QS_ALLINPUT);
        while (PumpOnce()) {
        }
    }
}

void HostsimRequestClose(bool refuse) {
    gWorld.refuseClose = refuse;
    if (IsWindow(gWorld.mainWindow)) {
        SendMessageA(gWorld.mainWindow, WM_CLOSE, 0, 0);
        HostsimPump(0);
    }
    gWorld.refuseClose = false;
}

void HostsimRebuildMenu() {
    HMENU old = GetMenu(gWorld.mainWindow);
    SetMenu(gWorld.mainWindow, BuildMenuBar(gWorld.options.modulesMenu));
    if (old) {
        DestroyMenu(old);
    }
    DrawMenuBar(gWorld.mainWindow);
}

void HostsimRedrawFrame() {
    RedrawWindow(gWorld.mainWindow, nullptr, nullptr,
                 RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
}
