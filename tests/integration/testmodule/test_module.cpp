// The test module. Like a real one it reads the host's version word in init, subclasses
// "FS98MAIN", creates a hidden tick dialog with timer 2 and writes nothing until deinit. It
// keeps a journal of what the host did to it, readable through TestModuleJournal while loaded
// and written to Modules\testmodule.journal by deinit.
#include <windows.h>

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "hostsim/host_layout.h"

namespace {
constexpr uint32_t kTestModuleId = 0x77;
constexpr UINT kTickMilliseconds = 1000;
constexpr int kJournalBytes = 32768;
constexpr int kImportCount = 12;

char journal[kJournalBytes];
HINSTANCE instance;
HWND hostWindow;
HWND tickWindow;
WNDPROC previousProc;
uint32_t ticks;

void Note(const char* format, ...) {
    size_t used = strlen(journal);
    if (used + 64 >= sizeof journal) {
        return;
    }
    va_list args;
    va_start(args, format);
    vsnprintf(journal + used, sizeof journal - used - 1, format, args);
    va_end(args);
    strcat(journal, "\n");
}

unsigned Modifiers() {
    return ((GetAsyncKeyState(VK_SHIFT) & 0x8000) ? 1 : 0) |
           ((GetAsyncKeyState(VK_CONTROL) & 0x8000) ? 2 : 0);
}

LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        Note("close");
        KillTimer(tickWindow, kModuleTickTimerId);
        break;
    case WM_DESTROY:
        Note("destroy");
        break;
    case WM_KEYDOWN:
        Note("key %u mods %u", static_cast<unsigned>(wParam), Modifiers());
        break;
    case WM_COMMAND:
        Note("command %u", static_cast<unsigned>(LOWORD(wParam)));
        break;
    case WM_MENUSELECT:
        Note("menuselect %u %u %d", static_cast<unsigned>(LOWORD(wParam)),
             static_cast<unsigned>(HIWORD(wParam)), lParam != 0);
        break;
    default:
        break;
    }
    return CallWindowProcA(previousProc, window, message, wParam, lParam);
}

INT_PTR CALLBACK TickWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        SetTimer(window, kModuleTickTimerId, kTickMilliseconds, nullptr);
        return TRUE;
    }
    if (message == WM_TIMER && wParam == kModuleTickTimerId) {
        ++ticks;
        Note("tick %u window %d", ticks, window == tickWindow);
    }
    return FALSE;
}

// A hidden popup dialog without controls, built in memory.
struct alignas(4) TickTemplate {
    DLGTEMPLATE header;
    WORD menu, windowClass, title;
};

void WriteJournalFile() {
    char path[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH - 32, path);
    strcat(path, "\\Modules\\testmodule.journal");
    FILE* file = fopen(path, "w");
    if (file) {
        fputs(journal, file);
        fclose(file);
    }
}
} // namespace

void ModuleInit();
void ModuleDeinit();

extern "C" {
__declspec(dllexport) LinkageRecord Linkage = {
    kTestModuleId, &ModuleInit, &ModuleDeinit, 0, 0, kVersionWordExpected, nullptr};
__declspec(dllexport) ImportEntry ImportTable[kImportCount] = {
    {kEventsInterfaceId, nullptr},      {kObjectsInterfaceId, nullptr},
    {kDiagnosticAInterfaceId, nullptr}, {kCoreInterfaceId, nullptr},
    {kStateInterfaceId, nullptr},       {kViewsInterfaceId, nullptr},
    {kGlobalsInterfaceId, nullptr},     {kAircraftTableInterfaceId, nullptr},
    {kDiagnosticBInterfaceId, nullptr}, {kGeometryInterfaceId, nullptr},
    {kFollowInterfaceId, nullptr},      {0, nullptr}};

__declspec(dllexport) const char* TestModuleJournal() {
    return journal;
}
__declspec(dllexport) uint32_t TestModuleTicks() {
    return ticks;
}
__declspec(dllexport) HWND TestModuleTickWindow() {
    return tickWindow;
}
}

void ModuleInit() {
    int filled = 0;
    for (int i = 0; ImportTable[i].moduleId; ++i) {
        filled += ImportTable[i].iface != nullptr;
    }
    uint32_t version = *reinterpret_cast<uint32_t*>(
        reinterpret_cast<uint8_t*>(GetModuleHandleA(nullptr)) + kVersionWordRva);
    Note("init imports %d version 0x%X", filled, version);
    if (version != kVersionWordExpected) {
        return;
    }
    hostWindow = FindWindowA("FS98MAIN", nullptr);
    previousProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hostWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HostWindowProc)));
    TickTemplate dialog = {};
    dialog.header.style = WS_POPUP;
    dialog.header.cx = 5;
    dialog.header.cy = 5;
    tickWindow =
        CreateDialogIndirectParamA(instance, &dialog.header, hostWindow, &TickWindowProc, 0);
    Note("hooked window %d tick %d", hostWindow != nullptr, tickWindow != nullptr);
}

void ModuleDeinit() {
    Note("deinit window alive %d", IsWindow(hostWindow) ? 1 : 0);
    WriteJournalFile();
}

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        instance = module;
    }
    return TRUE;
}
