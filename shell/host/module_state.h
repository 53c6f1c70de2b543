#pragma once
// The module's single global record, alive from load to unload: the core's state, and the
// windows and handles of the shell around it.
#include <windows.h>
#include <cstdint>
#include "core/control/module_core.h"
#include "shell/host/host_services.h"

struct ModuleState : ModuleCore {
    HWND tickWindow; // the hidden window whose timer drives the module
    HINSTANCE instance;
    HWND hostWindow;
    WNDPROC previousWndProc;
    bool diagnosticDump;
    bool configurationRead; // the user's file was consulted, so writing it back is safe

    HostAddresses addresses;
    // The module's windows while open, null while closed; each one's data is reached from its
    // handle.
    HWND settingsFrame;
    HWND aboutBox;
    HWND aiListWindow;
};

extern ModuleState g_state;
