#pragma once
// The module's single global record, alive from load to unload: the core's state, and the
// windows and handles of the shell around it.
#include <windows.h>
#include <cstdint>
#include "core/control/module_core.h"
#include "shell/host/host_services.h"

constexpr int kSettingsPageCount = 5;

// The open settings dialog's windows; stale once it closes, replaced at the next opening.
struct SettingsWindows {
    HWND tab;
    HWND pages[kSettingsPageCount];
    HWND optionList, keyField, shiftBox, ctrlBox, applyButton, defaultButton; // the Keys page
};

// The AI list window and its controls; its model lives in the core.
struct AiListWindows {
    HWND window;
    HWND listView;
    HWND viewButton;
    HWND spotButton;
};

struct ModuleState : ModuleCore {
    HWND tickWindow; // the hidden window whose timer drives the module
    HINSTANCE instance;
    HWND hostWindow;
    WNDPROC previousWndProc;
    bool diagnosticDump;
    bool configurationRead; // the user's file was consulted, so writing it back is safe

    HostAddresses addresses;
    AiListWindows aiListWindows;
    HWND settingsFrame;
    SettingsWindows settingsWindows;
    HWND aboutBox;

    char text[kTextSize]; // numbers and captions are formatted here before display
};

extern ModuleState g_state;
