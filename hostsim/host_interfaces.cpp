#include "hostsim/host_interfaces.h"

#include "hostsim/aircraft.h"
#include "hostsim/host_world.h"
#include "hostsim/view_tables.h"

#include <cstddef>
#include <cstring>

namespace {
alignas(16) uint8_t coreBlock[kCoreInterfaceBytes];
alignas(16) uint8_t viewsBlock[kViewsInterfaceBytes];
alignas(16) uint8_t globalsBlock[kGlobalsInterfaceBytes];
alignas(16) uint8_t followBlock[kFollowInterfaceBytes];
alignas(16) uint8_t eventsBlock[kEventsInterfaceBytes];
alignas(16) uint8_t geometryBlock[kGeometryInterfaceBytes];
alignas(16) uint8_t objectsBlock[kObjectsInterfaceBytes];
alignas(16) uint8_t aircraftTableBlock[kAircraftTableInterfaceBytes];
alignas(16) uint8_t diagnosticABlock[kDiagnosticInterfaceBytes];
alignas(16) uint8_t diagnosticBBlock[kDiagnosticInterfaceBytes];
alignas(16) uint8_t stateBlock[kStateInterfaceBytes];

HostsimViewRecord viewRecord;

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

struct Block {
    uint32_t moduleId;
    uint8_t* memory;
    uint32_t bytes;
} blocks[] = {
    {kCoreInterfaceId, coreBlock, sizeof coreBlock},
    {kViewsInterfaceId, viewsBlock, sizeof viewsBlock},
    {kGlobalsInterfaceId, globalsBlock, sizeof globalsBlock},
    {kFollowInterfaceId, followBlock, sizeof followBlock},
    {kEventsInterfaceId, eventsBlock, sizeof eventsBlock},
    {kGeometryInterfaceId, geometryBlock, sizeof geometryBlock},
    {kObjectsInterfaceId, objectsBlock, sizeof objectsBlock},
    {kAircraftTableInterfaceId, aircraftTableBlock, sizeof aircraftTableBlock},
    {kDiagnosticAInterfaceId, diagnosticABlock, sizeof diagnosticABlock},
    {kDiagnosticBInterfaceId, diagnosticBBlock, sizeof diagnosticBBlock},
    {kStateInterfaceId, stateBlock, sizeof stateBlock},
};

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

uint8_t* InterfaceField(uint32_t moduleId, uint32_t offset) {
    for (const Block& block : blocks) {
        if (block.moduleId == moduleId && offset < block.bytes) {
            return block.memory + offset;
        }
    }
    return nullptr;
}

uint8_t* HostsimInterface(uint32_t moduleId) {
    return InterfaceField(moduleId, 0);
}

int32_t* StateWord() {
    return reinterpret_cast<int32_t*>(InterfaceField(kStateInterfaceId, kStateWordOffset));
}
int32_t* ReadyWord() {
    return reinterpret_cast<int32_t*>(InterfaceField(kCoreInterfaceId, kReadyWordOffset));
}
int32_t* PauseWord() {
    return reinterpret_cast<int32_t*>(InterfaceField(kViewsInterfaceId, kPauseWordOffset));
}

void ResetInterfaces() {
    for (const Block& block : blocks) {
        memset(block.memory, 0, block.bytes);
    }
    memset(&viewRecord, 0, sizeof viewRecord);
    PutFunction(kObjectsInterfaceId, kLookupObjectOffset, &LookupObject);
    PutFunction(kFollowInterfaceId, kSetFollowedObjectOffset, &SetFollowedObject);
    PutFunction(kEventsInterfaceId, kPostHostEventOffset, &PostHostEvent);
    PutFunction(kGlobalsInterfaceId, kReadHostGlobalOffset, &ReadHostGlobal);
    PutFunction(kGeometryInterfaceId, kPositionDistanceOffset, &PositionDistance);
    PutPointer(kViewsInterfaceId, kActiveViewPointerOffset, &viewRecord);
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

HostsimEyePoint* HostsimTowerEyePoint() {
    return reinterpret_cast<HostsimEyePoint*>(
        InterfaceField(kViewsInterfaceId, kTowerEyePointOffset));
}

HostsimViewRecord* HostsimActiveView() {
    return &viewRecord;
}

static_assert(offsetof(HostsimViewRecord, viewMode) == kViewModeOffset, "view mode at +0x20");
static_assert(offsetof(HostsimViewRecord, viewWordA) == kViewWordAOffset, "word A at +0x30");
static_assert(offsetof(HostsimViewRecord, viewWordB) == kViewWordBOffset, "word B at +0x34");
static_assert(offsetof(ModuleNode, moduleId) == 8 && offsetof(ModuleNode, handle) == 0xC,
              "module list node layout");
