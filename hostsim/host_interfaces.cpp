#include "hostsim/host_interfaces.h"

#include "hostsim/aircraft.h"
#include "hostsim/host_blocks.h"
#include "hostsim/host_world.h"
#include "hostsim/hostsim_state.h"
#include "hostsim/view_tables.h"

#include <cstddef>
#include <cstring>

namespace {
// A node of the host's module list.
struct ModuleNode {
    ModuleNode* next;
    uint32_t reserved;
    uint32_t moduleId; // +8
    HMODULE handle;    // +0xC
};
constexpr int kModuleNodeCount = 4;
ModuleNode moduleNodes[kModuleNodeCount];
ModuleNode* moduleListHead;

void __stdcall SetFollowedObject(int32_t id) {
    gWorld.stats.followCalls++;
    gWorld.followedObject = id;
}

void __stdcall PostHostEvent(uint32_t code, uint32_t) {
    RecordHostEvent(code);
}

void __stdcall ReadHostGlobal(int32_t group, int32_t index, double* out) {
    gWorld.stats.globalReads++;
    if (!out) {
        return;
    }
    *out = group == kGlobalGroupTime && index == kGlobalDayOfWeek ? gWorld.dayOfWeek : 0;
}

double __stdcall PositionDistance(const uint8_t* a, const uint8_t* b) {
    gWorld.stats.distanceCalls++;
    if (!a || !b) {
        return 0;
    }
    return PositionMetresBetween(a, b);
}

template <typename Function> void PutFunction(uint32_t moduleId, uint32_t offset, Function f) {
    void* word = reinterpret_cast<void*>(f);
    memcpy(InterfaceField(moduleId, offset), &word, sizeof word);
}

void PutPointer(uint32_t moduleId, uint32_t offset, const void* pointer) {
    memcpy(InterfaceField(moduleId, offset), &pointer, sizeof pointer);
}
} // namespace

void ResetInterfaces() {
    ClearBlocks();
    PutFunction(kObjectsInterfaceId, kLookupObjectOffset, &LookupObject);
    PutFunction(kFollowInterfaceId, kSetFollowedObjectOffset, &SetFollowedObject);
    PutFunction(kEventsInterfaceId, kPostHostEventOffset, &PostHostEvent);
    PutFunction(kGlobalsInterfaceId, kReadHostGlobalOffset, &ReadHostGlobal);
    PutFunction(kGeometryInterfaceId, kPositionDistanceOffset, &PositionDistance);
    PutPointer(kViewsInterfaceId, kActiveViewPointerOffset, HostsimActiveView());
    PutPointer(kObjectsInterfaceId, kAiListPointerOffset, TheAiList());
    strcpy(reinterpret_cast<char*>(InterfaceField(kCoreInterfaceId, kExportNameOffset)),
           kHelperExportName);
    FillHostTable(InterfaceField(kAircraftTableInterfaceId, 0));
    memset(moduleNodes, 0, sizeof moduleNodes);
    moduleListHead = nullptr;
    PutPointer(kCoreInterfaceId, kModuleListPointerOffset, &moduleListHead);
}

void LinkModuleList(HMODULE helper, HostsimModuleList shape) {
    // The host's own modules; the helper DLL plays module 0x0A, the rest live in the image.
    HMODULE image = GetModuleHandleA(nullptr);
    const uint32_t ids[kModuleNodeCount] = {kCoreInterfaceId, kViewsInterfaceId, kHelperModuleId,
                                            kObjectsInterfaceId};
    ModuleNode* previous = nullptr;
    for (int i = 0; i < kModuleNodeCount; ++i) {
        if (ids[i] == kHelperModuleId && shape == kHostsimModuleListWithoutHelper) {
            continue;
        }
        ModuleNode* node = &moduleNodes[i];
        node->moduleId = ids[i];
        node->handle = ids[i] == kHelperModuleId ? helper : image;
        if (previous) {
            previous->next = node;
        } else {
            moduleListHead = node;
        }
        previous = node;
    }
    if (previous && shape == kHostsimModuleListEndless) {
        previous->next = moduleListHead;
    }
}

static_assert(offsetof(ModuleNode, moduleId) == 8 && offsetof(ModuleNode, handle) == 0xC,
              "module list node layout");
