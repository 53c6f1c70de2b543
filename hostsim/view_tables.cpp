#include "hostsim/view_tables.h"

#include "hostsim/aircraft.h"
#include "hostsim/host_blocks.h"
#include "hostsim/host_layout.h"
#include "hostsim/host_world.h"
#include "hostsim/hostsim_aircraft.h"
#include "hostsim/hostsim_views.h"

#include <cstdio>
#include <cstring>

namespace {
typedef void* (*ViewCall)();
HMODULE helper;
uint8_t* viewSystem;
ViewCall callers[kHostsimCallerCount];
const char* const kCallerExports[kHostsimCallerCount] = {"TowerViewAircraft", "FollowViewAircraft",
                                                         "CockpitViewAircraft"};

// Slot 0x70 of the host's table: its views show the user's aircraft.
void* __stdcall ViewedAircraft() {
    AircraftSlot* user = FindSlot(kUserAircraftId);
    return user ? &user->data : nullptr;
}

// The table's other live slots. Each answers a probe in its own way, so the host can tell
// whether a table copied from its own calls the right function in each slot.
uint32_t __stdcall Slot5C(uint32_t probe) {
    return probe * 3 + 0x5C;
}
uint32_t __stdcall Slot74(uint32_t probe) {
    return probe ^ 0x74747474;
}
uint32_t __stdcall Slot84(uint32_t probe) {
    return (probe << 4) + 0x84;
}
uint32_t __stdcall Slot90(uint32_t probe) {
    return ~probe - 0x90;
}

typedef uint32_t(__stdcall* SlotFunction)(uint32_t);
const SlotFunction kSlotFunctions[kLiveSlotCount] = {&Slot5C, &Slot74, &Slot84, &Slot90};
constexpr uint32_t kSlotProbe = 0x1234567;

void** TableWord() {
    return viewSystem ? reinterpret_cast<void**>(viewSystem + kExportTableWordOffset) : nullptr;
}

void* SlotWord(void* table, uint32_t slotOffset) {
    void* word;
    memcpy(&word, static_cast<uint8_t*>(table) + slotOffset, sizeof word);
    return word;
}

int KnownSlotFunction(void* word) {
    for (int i = 0; i < kLiveSlotCount; ++i) {
        if (reinterpret_cast<void*>(kSlotFunctions[i]) == word) {
            return i;
        }
    }
    return -1;
}
} // namespace

void FillHostTable(uint8_t* table) {
    void* viewed = reinterpret_cast<void*>(&ViewedAircraft);
    memcpy(table + kViewedAircraftSlot, &viewed, sizeof viewed);
    for (int i = 0; i < kLiveSlotCount; ++i) {
        void* word = reinterpret_cast<void*>(kSlotFunctions[i]);
        memcpy(table + kLiveSlots[i], &word, sizeof word);
    }
}

bool LoadHelperModule(const char* exeDir) {
    char path[kHostsimPathBytes];
    snprintf(path, sizeof path, "%s\\%s", exeDir, kHelperDllName);
    helper = LoadLibraryA(path);
    if (!helper) {
        return false;
    }
    const char* exportName =
        reinterpret_cast<const char*>(InterfaceField(kCoreInterfaceId, kExportNameOffset));
    viewSystem = reinterpret_cast<uint8_t*>(GetProcAddress(helper, exportName));
    for (int i = 0; i < kHostsimCallerCount; ++i) {
        callers[i] = reinterpret_cast<ViewCall>(
            reinterpret_cast<void*>(GetProcAddress(helper, kCallerExports[i])));
        if (!callers[i]) {
            viewSystem = nullptr;
        }
    }
    if (!viewSystem) {
        FreeHelperModule();
        return false;
    }
    *TableWord() = HostsimOriginalTable();
    return true;
}

void FreeHelperModule() {
    if (helper) {
        FreeLibrary(helper);
    }
    helper = nullptr;
    viewSystem = nullptr;
    memset(callers, 0, sizeof callers);
}

void RunViewCallers() {
    for (int i = 0; i < kHostsimCallerCount; ++i) {
        gWorld.lastSeen[i] = HostsimAircraftOfData(HostsimCallView(static_cast<HostsimCaller>(i)));
    }
    gWorld.lastSlots = HostsimCheckTableSlots();
}

HMODULE HostsimHelperModule() {
    return helper;
}

void* HostsimCallView(HostsimCaller caller) {
    void** word = TableWord();
    if (!word || caller < 0 || caller >= kHostsimCallerCount || !*word ||
        !SlotWord(*word, kViewedAircraftSlot)) {
        return nullptr;
    }
    if (*word != HostsimOriginalTable()) {
        gWorld.stats.redirectedCalls++;
    }
    return callers[caller]();
}

int32_t HostsimLastSeen(HostsimCaller caller) {
    return caller >= 0 && caller < kHostsimCallerCount ? gWorld.lastSeen[caller] : 0;
}

void** HostsimTableWord() {
    return TableWord();
}

void* HostsimOriginalTable() {
    return InterfaceField(kAircraftTableInterfaceId, 0);
}

bool HostsimRedirectInstalled() {
    void** word = TableWord();
    return word && *word != HostsimOriginalTable();
}

HostsimSlotReport HostsimCheckTableSlots() {
    HostsimSlotReport report;
    report.allOk = true;
    void** word = TableWord();
    for (int i = 0; i < kLiveSlotCount; ++i) {
        HostsimSlotStatus status = kHostsimSlotOk;
        if (!word || !*word) {
            status = kHostsimSlotNoTable;
        } else {
            void* function = SlotWord(*word, kLiveSlots[i]);
            int known = KnownSlotFunction(function);
            if (!function) {
                status = kHostsimSlotNull;
            } else if (known < 0) {
                status = kHostsimSlotForeign;
            } else if (reinterpret_cast<SlotFunction>(function)(kSlotProbe) !=
                       kSlotFunctions[i](kSlotProbe)) {
                status = kHostsimSlotWrong;
            }
        }
        report.status[i] = status;
        report.allOk = report.allOk && status == kHostsimSlotOk;
    }
    return report;
}
