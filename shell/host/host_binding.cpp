// Finding the host's view module and the view-target redirect: the host's views get the
// aircraft they show through a table; while an AI aircraft is followed the module swaps in a
// copy whose slot 0x70 answers with that aircraft for the tower and follow views only.
#include "shell/host/host_services.h"
#include "core/control/view_target.h"
#include "shell/host/module_state.h"

namespace {

constexpr uint32_t kModuleListOffset = 0x95BC;
constexpr uint32_t kExportNameOffset = 0xDA8;
constexpr int kModuleListLinkLimit = 4096;
constexpr uint32_t kNodeModuleIdOffset = 8;
constexpr uint32_t kNodeHandleOffset = 0xC;
constexpr uint32_t kAircraftTableSlotOffset = 0x64;
constexpr uint32_t kTowerCallSiteOffset = 0x2CE3;
constexpr uint32_t kFollowCallSiteOffset = 0x980F;
constexpr uint32_t kUserPositionOffset = 0xA358;
constexpr uint32_t kSubstituteSlotOffset = 0x70;
constexpr int kUserPositionHighWords[] = {1, 3, 5}; // latHi, lonHi, altHi
// The slots of the host's table that the replacement keeps live, taken from the user aircraft
// interface at the same offsets.
constexpr uint32_t kCopiedSlotOffsets[] = {0x5C, 0x74, 0x84, 0x90};

const uint8_t* FindModuleNode(uint32_t id) {
    const uint8_t* core = HostInterface(kIfaceHostCore);
    if (!core) {
        return nullptr;
    }
    const uint8_t* const* head =
        *reinterpret_cast<const uint8_t* const* const*>(core + kModuleListOffset);
    if (!head) {
        return nullptr;
    }
    const uint8_t* node = *head;
    for (int links = 0; node && links <= kModuleListLinkLimit; ++links) {
        if (*reinterpret_cast<const uint32_t*>(node + kNodeModuleIdOffset) == id) {
            return node;
        }
        node = *reinterpret_cast<const uint8_t* const*>(node);
    }
    return nullptr;
}

} // namespace

HMODULE FindHostModuleHandle(uint32_t id) {
    const uint8_t* node = FindModuleNode(id);
    return node ? *reinterpret_cast<const HMODULE*>(node + kNodeHandleOffset) : nullptr;
}

void* FindHostModuleExport(uint32_t id) {
    HMODULE module = FindHostModuleHandle(id);
    const uint8_t* core = HostInterface(kIfaceHostCore);
    if (!module || !core) {
        return nullptr;
    }
    return reinterpret_cast<void*>(
        GetProcAddress(module, reinterpret_cast<const char*>(core + kExportNameOffset)));
}

bool OffsetHost::ViewModuleExported() {
    return FindHostModuleExport(kIfaceViewModule) != nullptr;
}

void OffsetHost::ResolveAddresses() {
    HostAddresses& host = addresses_;
    uint8_t* viewExport = static_cast<uint8_t*>(FindHostModuleExport(kIfaceViewModule));
    host.aircraftTableSlot =
        viewExport ? reinterpret_cast<uint32_t*>(viewExport + kAircraftTableSlotOffset) : nullptr;
    host.savedOriginal = host.aircraftTableSlot ? *host.aircraftTableSlot : 0;

    const uint8_t* userAircraft = HostInterface(kIfaceUserAircraft);
    for (void*& slot : host.replacementTable) {
        slot = nullptr;
    }
    for (uint32_t offset : kCopiedSlotOffsets) {
        host.replacementTable[offset / sizeof(void*)] =
            *reinterpret_cast<void* const*>(userAircraft + offset);
    }
    host.replacementTable[kSubstituteSlotOffset / sizeof(void*)] =
        reinterpret_cast<void*>(&ViewedAircraftSubstitute);

    uintptr_t base = reinterpret_cast<uintptr_t>(FindHostModuleHandle(kIfaceViewModule));
    host.callSite1 = base + kTowerCallSiteOffset;
    host.callSite2 = base + kFollowCallSiteOffset;
    host.userPositionRecord = reinterpret_cast<const uint32_t*>(userAircraft + kUserPositionOffset);
}

bool OffsetHost::UserPositionKnown() {
    const uint32_t* position = addresses_.userPositionRecord;
    if (!position) {
        return false;
    }
    for (int word : kUserPositionHighWords) {
        if (position[word] != 0) {
            return true;
        }
    }
    return false;
}

static uint32_t ReplacementTableWord(const HostAddresses& host) {
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(host.replacementTable));
}

bool OffsetHost::RedirectInstalled() {
    const HostAddresses& host = addresses_;
    return host.aircraftTableSlot && *host.aircraftTableSlot != host.savedOriginal;
}

bool OffsetHost::ReplacementInstalled() {
    const HostAddresses& host = addresses_;
    return host.aircraftTableSlot && *host.aircraftTableSlot == ReplacementTableWord(host);
}

void OffsetHost::InstallRedirect() {
    HostAddresses& host = addresses_;
    if (host.aircraftTableSlot && *host.aircraftTableSlot == host.savedOriginal) {
        *host.aircraftTableSlot = ReplacementTableWord(host);
    }
}

void OffsetHost::RemoveRedirect() {
    if (ReplacementInstalled()) {
        *addresses_.aircraftTableSlot = addresses_.savedOriginal;
    }
}

HostObjectData OffsetHost::OwnViewAnswer() {
    using ViewedAircraftFn = void*(__stdcall*)();
    const uint8_t* table = reinterpret_cast<const uint8_t*>(addresses_.savedOriginal);
    auto own =
        table ? *reinterpret_cast<const ViewedAircraftFn*>(table + kSubstituteSlotOffset) : nullptr;
    return own ? own() : nullptr;
}

// Called by host code through slot 0x70; tells the tower and follow views apart from every
// other caller by its own return address.
extern "C" __attribute__((noinline)) void* __stdcall ViewedAircraftSubstitute() {
    uintptr_t caller = reinterpret_cast<uintptr_t>(__builtin_return_address(0));
    const HostAddresses& host = g_state.addresses;
    bool viewCall = caller == host.callSite1 || caller == host.callSite2;
    return ViewedAircraftData(g_state, viewCall);
}
