#include "hostsim/module_loader.h"

#include "hostsim/host_layout.h"
#include "hostsim/host_world.h"
#include "hostsim/hostsim_modules.h"
#include "hostsim/hostsim_state.h"

#include <float.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
constexpr int kMaxImportEntries = 64;
constexpr int kMaxWindowsSeen = 256;
constexpr const char* kDialogClass = "#32770";

struct LoadedModule {
    HMODULE handle;
    char name[kHostsimPathBytes];
    LinkageRecord* linkage;
    ImportEntry* imports;
    HWND tickWindow;
    uint32_t ticksDelivered;
    bool importsFilled;
};

LoadedModule modules[kHostsimMaxModules];
int moduleCount;

struct WindowSet {
    HWND windows[kMaxWindowsSeen];
    int count;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM context) {
    WindowSet* set = reinterpret_cast<WindowSet*>(context);
    if (set->count < kMaxWindowsSeen) {
        set->windows[set->count++] = window;
    }
    return TRUE;
}

void CollectThreadWindows(WindowSet* set) {
    set->count = 0;
    EnumThreadWindows(GetCurrentThreadId(), &CollectWindow, reinterpret_cast<LPARAM>(set));
}

bool Contains(const WindowSet& set, HWND window) {
    for (int i = 0; i < set.count; ++i) {
        if (set.windows[i] == window) {
            return true;
        }
    }
    return false;
}

// The module's tick window: the first hidden dialog owned by the main window that appeared
// while its init ran.
HWND FindTickWindow(const WindowSet& before) {
    WindowSet after;
    CollectThreadWindows(&after);
    for (int i = 0; i < after.count; ++i) {
        HWND window = after.windows[i];
        char className[32];
        GetClassNameA(window, className, sizeof className);
        if (!Contains(before, window) && strcmp(className, kDialogClass) == 0 &&
            GetWindow(window, GW_OWNER) == gWorld.mainWindow && !IsWindowVisible(window)) {
            return window;
        }
    }
    return nullptr;
}

void FillImports(LoadedModule* module) {
    for (int i = 0; i < kMaxImportEntries && module->imports[i].moduleId != 0; ++i) {
        uint32_t id = module->imports[i].moduleId;
        if (id == kFollowInterfaceId && gWorld.options.leaveFollowInterfaceNull) {
            continue;
        }
        uint8_t* block = HostsimInterface(id);
        if (block) {
            module->imports[i].iface = block;
        } else {
            Journal("unknown import 0x%X in %s", id, module->name);
        }
    }
    module->importsFilled = true;
    Journal("imports %s", module->name);
}

int CompareNames(const void* a, const void* b) {
    return _stricmp(static_cast<const char*>(a), static_cast<const char*>(b));
}

void LoadOne(const char* fileName) {
    char path[kHostsimPathBytes];
    snprintf(path, sizeof path, "Modules\\%s", fileName);
    HMODULE handle = LoadLibraryA(path);
    if (!handle) {
        Journal("cannot load %s (%lu)", path, GetLastError());
        return;
    }
    LinkageRecord* linkage = reinterpret_cast<LinkageRecord*>(GetProcAddress(handle, "Linkage"));
    ImportEntry* imports = reinterpret_cast<ImportEntry*>(GetProcAddress(handle, "ImportTable"));
    if (!linkage || !imports || moduleCount == kHostsimMaxModules) {
        Journal("not a module %s", path);
        FreeLibrary(handle);
        return;
    }
    LoadedModule* module = &modules[moduleCount++];
    memset(module, 0, sizeof *module);
    module->handle = handle;
    snprintf(module->name, sizeof module->name, "%s", fileName);
    module->linkage = linkage;
    module->imports = imports;
    Journal("load %s", fileName);
    if (gWorld.options.fillImportsAfterSeconds <= 0) {
        FillImports(module);
    }
    WindowSet before;
    CollectThreadWindows(&before);
    if (linkage->init) {
        Journal("init %s", fileName);
        linkage->init();
    }
    module->tickWindow = FindTickWindow(before);
    if (module->tickWindow && gWorld.options.lockstep) {
        // The host delivers the tick itself, one per simulated second.
        KillTimer(module->tickWindow, kModuleTickTimerId);
    }
}
} // namespace

void LoadModules() {
    moduleCount = 0;
    constexpr int kMaxFiles = kHostsimMaxModules * 2;
    char names[kMaxFiles][kHostsimPathBytes];
    int nameCount = 0;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA("Modules\\*.dll", &found);
    if (search == INVALID_HANDLE_VALUE) {
        Journal("no modules");
        return;
    }
    do {
        if (nameCount < kMaxFiles && !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            snprintf(names[nameCount++], kHostsimPathBytes, "%s", found.cFileName);
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
    qsort(names, nameCount, kHostsimPathBytes, &CompareNames);
    for (int i = 0; i < nameCount; ++i) {
        LoadOne(names[i]);
    }
}

void FillImportsWhenDue() {
    if (gWorld.seconds < gWorld.options.fillImportsAfterSeconds) {
        return;
    }
    for (int i = 0; i < moduleCount; ++i) {
        if (!modules[i].importsFilled) {
            FillImports(&modules[i]);
        }
    }
}

void DeliverModuleTicks() {
    const unsigned precision = _control87(0, 0) & _MCW_PC;
    if (gWorld.options.singlePrecisionFpu) {
        _control87(_PC_24, _MCW_PC);
    }
    for (int i = 0; i < moduleCount; ++i) {
        if (modules[i].tickWindow && IsWindow(modules[i].tickWindow)) {
            modules[i].ticksDelivered++;
            SendMessageA(modules[i].tickWindow, WM_TIMER, kModuleTickTimerId, 0);
        }
    }
    _control87(precision, _MCW_PC);
}

void UnloadModules(bool deinit) {
    for (int i = 0; i < moduleCount && deinit; ++i) {
        if (modules[i].linkage->deinit) {
            Journal("deinit %s", modules[i].name);
            modules[i].linkage->deinit();
        }
    }
    for (int i = moduleCount - 1; i >= 0; --i) {
        FreeLibrary(modules[i].handle);
        Journal("free %s", modules[i].name);
    }
    moduleCount = 0;
}

int HostsimModuleCount() {
    return moduleCount;
}

HMODULE HostsimModuleHandle(int index) {
    return index >= 0 && index < moduleCount ? modules[index].handle : nullptr;
}

const char* HostsimModuleName(int index) {
    return index >= 0 && index < moduleCount ? modules[index].name : "";
}

HWND HostsimTickWindow(int index) {
    return index >= 0 && index < moduleCount ? modules[index].tickWindow : nullptr;
}

uint32_t HostsimTicksDelivered(int index) {
    return index >= 0 && index < moduleCount ? modules[index].ticksDelivered : 0;
}

bool HostsimImportsFilled(int index) {
    return index >= 0 && index < moduleCount && modules[index].importsFilled;
}
