#include "hostsim/host_blocks.h"

#include "hostsim/hostsim_state.h"

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
} // namespace

void ClearBlocks() {
    for (const Block& block : blocks) {
        memset(block.memory, 0, block.bytes);
    }
    memset(&viewRecord, 0, sizeof viewRecord);
}

uint8_t* InterfaceField(uint32_t moduleId, uint32_t offset) {
    for (const Block& block : blocks) {
        if (block.moduleId == moduleId && offset < block.bytes) {
            return block.memory + offset;
        }
    }
    return nullptr;
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
uint16_t* UtcSecondsWord() {
    return reinterpret_cast<uint16_t*>(InterfaceField(kViewsInterfaceId, kUtcSecondsOffset));
}
int32_t* UtcMinutesWord() {
    return reinterpret_cast<int32_t*>(InterfaceField(kViewsInterfaceId, kUtcMinutesOffset));
}
int32_t* UtcHoursWord() {
    return reinterpret_cast<int32_t*>(InterfaceField(kViewsInterfaceId, kUtcHoursOffset));
}

uint8_t* HostsimInterface(uint32_t moduleId) {
    return InterfaceField(moduleId, 0);
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
