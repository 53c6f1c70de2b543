// The subclass procedure of the host's main window. It never swallows a message: every one is
// chained to the host's own procedure after the module has looked at it.
#include "shell/module/host_window.h"
#include "core/control/controller.h"
#include "shell/host/module_state.h"
#include "shell/module/module_windows.h"
#include "shell/module/tick_timer.h"
#include "core/control/hotkey_match.h"

namespace {

constexpr int kMenuTextSize = 128;
constexpr char kModulesMenuText[] = "&Modules";
constexpr char kModulePopupText[] = "Skyvane";
// The host's own item whose choice asks for a new placement: item 3 of top-level menu 3.
constexpr int kCapturedMenuPosition = 3;
constexpr int kCapturedItemPosition = 3;
constexpr UINT kNoCommand = 0xFFFFFFFF;
constexpr uint8_t kShiftState = 1;
constexpr uint8_t kCtrlState = 2;

struct MenuHandles {
    HMENU modulesMenu;
    HMENU modulePopup;
    UINT capturedHostCommand;
};
MenuHandles g_menu = {nullptr, nullptr, kNoCommand};

bool ItemTextIs(HMENU menu, int position, const char* text) {
    char buffer[kMenuTextSize] = {};
    GetMenuStringA(menu, position, buffer, kMenuTextSize, MF_BYPOSITION);
    return lstrcmpA(buffer, text) == 0;
}

constexpr UINT kModuleEntries[] = {kMenuActivate, kMenuWatchTraffic, kMenuAiAircraft, kMenuSettings,
                                   kMenuAbout};

UINT CheckedIf(int32_t on) {
    return on != 0 ? MF_CHECKED : MF_UNCHECKED;
}

// Until the module runs its entries do nothing, and say so by being grey.
UINT EntryState(const ModuleState& state) {
    return ModuleRunning(state) ? MF_ENABLED : MF_GRAYED;
}

HMENU BuildModulePopup(const ModuleState& state) {
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING | CheckedIf(state.settings.Active) | EntryState(state),
                kMenuActivate, "Activate");
    AppendMenuA(popup, MF_STRING | CheckedIf(state.settings.Tour) | EntryState(state),
                kMenuWatchTraffic, "Watch the Traffic");
    AppendMenuA(popup, MF_STRING | EntryState(state), kMenuAiAircraft, "AI Aircraft...");
    AppendMenuA(popup, MF_STRING | EntryState(state), kMenuSettings, "Settings...");
    AppendMenuA(popup, MF_STRING | EntryState(state), kMenuAbout, "About...");
    return popup;
}

bool IsModuleEntry(UINT id) {
    for (UINT entry : kModuleEntries) {
        if (entry == id) {
            return true;
        }
    }
    return false;
}

// The "&Modules" menu of the bar: the first item of that text that opens a menu. An item of
// that text without one is passed over, or every repaint would add another menu.
int FindModulesMenu(HMENU bar) {
    int count = GetMenuItemCount(bar);
    for (int position = 0; position < count; ++position) {
        if (ItemTextIs(bar, position, kModulesMenuText) && GetSubMenu(bar, position)) {
            return position;
        }
    }
    return -1;
}

} // namespace

void InstallMenu(const ModuleState& state, HWND window) {
    HMENU bar = GetMenu(window);
    if (!bar) {
        return;
    }
    int modulesPosition = FindModulesMenu(bar);
    HMENU modules = modulesPosition >= 0 ? GetSubMenu(bar, modulesPosition) : nullptr;
    if (modules) {
        int items = GetMenuItemCount(modules);
        for (int position = 0; position < items; ++position) {
            if (ItemTextIs(modules, position, kModulePopupText)) {
                return;
            }
        }
    }
    HMENU popup = BuildModulePopup(state);
    UINT popupFlags = MF_POPUP;
    if (state.controller.windowOpen) {
        popupFlags |= MF_GRAYED | MF_DISABLED;
    }
    if (!modules) {
        modules = CreateMenu();
        AppendMenuA(modules, popupFlags, reinterpret_cast<UINT_PTR>(popup), kModulePopupText);
        AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(modules), kModulesMenuText);
    } else {
        AppendMenuA(modules, popupFlags, reinterpret_cast<UINT_PTR>(popup), kModulePopupText);
    }
    g_menu.modulesMenu = modules;
    g_menu.modulePopup = popup;
}

void UpdateModulePopup(const ModuleState& state) {
    if (!g_menu.modulePopup || !IsMenu(g_menu.modulePopup)) {
        return;
    }
    CheckMenuItem(g_menu.modulePopup, kMenuActivate,
                  MF_BYCOMMAND | CheckedIf(state.settings.Active));
    CheckMenuItem(g_menu.modulePopup, kMenuWatchTraffic,
                  MF_BYCOMMAND | CheckedIf(state.settings.Tour));
    for (UINT entry : kModuleEntries) {
        EnableMenuItem(g_menu.modulePopup, entry, MF_BYCOMMAND | EntryState(state));
    }
    if (g_menu.modulesMenu && IsMenu(g_menu.modulesMenu)) {
        int items = GetMenuItemCount(g_menu.modulesMenu);
        for (int position = 0; position < items; ++position) {
            if (GetSubMenu(g_menu.modulesMenu, position) == g_menu.modulePopup) {
                EnableMenuItem(g_menu.modulesMenu, position, MF_BYPOSITION | MF_ENABLED);
            }
        }
    }
}

void TrackHostMenu(ModuleState& state, HWND window, WPARAM wParam, LPARAM lParam) {
    state.controller.hostMenuOpen = !(HIWORD(wParam) == 0xFFFF && lParam == 0);
    g_menu.capturedHostCommand =
        GetMenuItemID(GetSubMenu(GetMenu(window), kCapturedMenuPosition), kCapturedItemPosition);
}

void HandleMenuCommand(ModuleState& state, WPARAM wParam) {
    UINT id = LOWORD(wParam);
    CloseModuleWindow(state, kAiListWindow);
    if (id == g_menu.capturedHostCommand) {
        state.controller.placementRequest = true;
    }
    if (IsModuleEntry(id) && !ModuleRunning(state)) {
        return;
    }
    switch (id) {
    case kMenuActivate:
        DispatchCommand(state, kCommandOnOff);
        break;
    case kMenuWatchTraffic:
        DispatchCommand(state, kCommandWatchTraffic);
        break;
    case kMenuAiAircraft:
        OpenModuleWindow(state, kAiListWindow);
        break;
    case kMenuSettings:
        OpenModuleWindow(state, kSettingsWindow);
        break;
    case kMenuAbout:
        OpenModuleWindow(state, kAboutWindow);
        break;
    default:
        break;
    }
}

void HandleHotkey(ModuleState& state, WPARAM virtualKey) {
    uint8_t modifiers = 0;
    if ((GetAsyncKeyState(VK_SHIFT) >> 8) & 0xFF) {
        modifiers |= kShiftState;
    }
    if ((GetAsyncKeyState(VK_CONTROL) >> 8) & 0xFF) {
        modifiers |= kCtrlState;
    }
    int32_t option = MatchHotkey(state.hotkeys, state.settings.Active != 0,
                                 static_cast<uint32_t>(virtualKey), modifiers);
    if (option >= 0) {
        DispatchCommand(state, static_cast<Command>(option));
    }
}

LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ModuleState& state = g_state;
    switch (message) {
    case WM_CLOSE:
        KillTimer(state.tickWindow, kTickTimerId);
        break;
    case WM_NCPAINT:
        InstallMenu(state, window);
        break;
    case WM_INITMENU:
        UpdateModulePopup(state);
        break;
    case WM_KEYDOWN:
        HandleHotkey(state, wParam);
        break;
    case WM_COMMAND:
        HandleMenuCommand(state, wParam);
        break;
    case WM_MENUSELECT:
        TrackHostMenu(state, window, wParam, lParam);
        break;
    default:
        break;
    }
    LRESULT result = CallWindowProcA(state.previousWndProc, window, message, wParam, lParam);
    // The user may cancel quitting: a window still there keeps its pass-by view running.
    if (message == WM_CLOSE && IsWindow(window) && state.tickWindow) {
        SetTimer(state.tickWindow, kTickTimerId, kTickPeriodMs, nullptr);
    }
    return result;
}
