// The exported records and the DLL entry point.
#include <windows.h>
#include "shell/host/import_table.h"
#include "shell/host/host_services.h"
#include "shell/host/module_state.h"
#include "shell/module/window_hooks.h"
#include "shell/module/startup.h"

namespace {
constexpr uint32_t kModuleId = 0x88;
constexpr uint32_t kHostVersion = 0x900;

OffsetHost g_offsetHost(g_state.addresses);
WindowHooks g_windowHooks(g_state);

// Everything that is not zero at load, in place before the host calls the init routine.
struct StaticInitialisation {
    StaticInitialisation() { InitModuleCore(g_state, &g_offsetHost, &g_windowHooks); }
} g_staticInitialisation;
} // namespace

extern "C" {
ModuleLinkage Linkage = {kModuleId, ModuleInit, ModuleDeinit, 0, 0, kHostVersion, nullptr};

ImportEntry ImportTable[kImportEntryCount] = {
    {kIfaceEvents, nullptr},    {kIfaceObjects, nullptr},      {kIfaceDiagnostics26, nullptr},
    {kIfaceHostCore, nullptr},  {kIfaceHostState, nullptr},    {kIfaceViews, nullptr},
    {kIfaceGlobals, nullptr},   {kIfaceUserAircraft, nullptr}, {kIfaceDiagnostics38, nullptr},
    {kIfacePositions, nullptr}, {kIfaceViewModule, nullptr},   {0, nullptr},
};

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        g_state.instance = instance;
    }
    return TRUE;
}
}
