// The views' call sites in host module 0x0A and the aircraft table they read through.
#include "hostsim_test_support.h"

using namespace hostsim_test;

namespace {
constexpr uint32_t kTowerReturn = 0x2CE3, kFollowReturn = 0x980F;
constexpr uint32_t kLiveSlots[] = {0x5C, 0x74, 0x84, 0x90};
constexpr int kTableSlots = 37;

// A module's redirect table: slot 0x70 answers by return address, like a real redirect.
void* probeTable[kTableSlots];
uintptr_t returnAddresses[8];
int probeCalls;
int32_t probeTarget = 7;

__attribute__((noinline)) void* __stdcall ProbeViewedAircraft() {
    uintptr_t from = reinterpret_cast<uintptr_t>(__builtin_return_address(0));
    returnAddresses[probeCalls++ % 8] = from;
    uintptr_t base = reinterpret_cast<uintptr_t>(HostsimHelperModule());
    bool view = from == base + kTowerReturn || from == base + kFollowReturn;
    return DataOf(view ? probeTarget : 1);
}

void FillProbeTable() {
    memset(probeTable, 0, sizeof probeTable);
    const uint8_t* host = static_cast<const uint8_t*>(HostsimOriginalTable());
    for (uint32_t slot : kLiveSlots) {
        memcpy(reinterpret_cast<uint8_t*>(probeTable) + slot, host + slot, sizeof(void*));
    }
    probeTable[0x70 / 4] = reinterpret_cast<void*>(&ProbeViewedAircraft);
    probeCalls = 0;
}

void AddAi(int32_t id) {
    HostsimAircraft ai;
    HostsimDefaultAircraft(&ai, id);
    ai.latitudeDeg += 0.01 * id;
    ASSERT_TRUE(HostsimAddAircraft(&ai));
}
} // namespace

TEST_F(HostsimHost, TheViewCallsReturnToTheirFixedOffsetsInModule0A) {
    Start();
    uintptr_t base = reinterpret_cast<uintptr_t>(HostsimHelperModule());
    ASSERT_NE(base, 0u);
    // The module list leads to the helper under ID 0x0A; its export names the table word.
    const uint8_t* node = **Word<const uint8_t***>(kCore, 0x95BC);
    int steps = 0;
    while (node && *reinterpret_cast<const uint32_t*>(node + 8) != 0x0A && steps++ < 16) {
        node = *reinterpret_cast<const uint8_t* const*>(node);
    }
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(*reinterpret_cast<const uintptr_t*>(node + 0xC), base);
    const char* exportName = reinterpret_cast<const char*>(HostsimInterface(kCore) + 0xDA8);
    uint8_t* exported = reinterpret_cast<uint8_t*>(
        reinterpret_cast<void*>(GetProcAddress(reinterpret_cast<HMODULE>(base), exportName)));
    ASSERT_NE(exported, nullptr);
    void** tableWord = reinterpret_cast<void**>(exported + 0x64);
    EXPECT_EQ(tableWord, HostsimTableWord());
    EXPECT_EQ(*tableWord, HostsimInterface(kTable)) << "the host's own table is interface 0x19";

    // Each call site is a call through slot 0x70 (ff 50 70) that returns to the fixed offset.
    const uint8_t* image = reinterpret_cast<const uint8_t*>(base);
    const uint8_t callThroughSlot[] = {0xFF, 0x50, 0x70};
    EXPECT_EQ(memcmp(image + kTowerReturn - 3, callThroughSlot, 3), 0);
    EXPECT_EQ(memcmp(image + kFollowReturn - 3, callThroughSlot, 3), 0);

    FillProbeTable();
    *tableWord = probeTable;
    HostsimCallView(kHostsimTowerCaller);
    HostsimCallView(kHostsimFollowCaller);
    HostsimCallView(kHostsimCockpitCaller);
    ASSERT_EQ(probeCalls, 3);
    EXPECT_EQ(returnAddresses[0], base + kTowerReturn);
    EXPECT_EQ(returnAddresses[1], base + kFollowReturn);
    EXPECT_NE(returnAddresses[2], base + kTowerReturn);
    EXPECT_NE(returnAddresses[2], base + kFollowReturn);
}

TEST_F(HostsimHost, ARedirectTableDecidesWhatTowerAndFollowViewsShow) {
    Start();
    AddAi(7);
    HostsimStep(4);
    EXPECT_FALSE(HostsimRedirectInstalled());
    EXPECT_EQ(HostsimLastSeen(kHostsimTowerCaller), 1);
    EXPECT_EQ(HostsimLastSeen(kHostsimFollowCaller), 1);
    EXPECT_TRUE(HostsimCheckTableSlots().allOk);

    FillProbeTable();
    *HostsimTableWord() = probeTable;
    HostsimStep(1);
    EXPECT_TRUE(HostsimRedirectInstalled());
    EXPECT_EQ(HostsimLastSeen(kHostsimTowerCaller), 7);
    EXPECT_EQ(HostsimLastSeen(kHostsimFollowCaller), 7);
    EXPECT_EQ(HostsimLastSeen(kHostsimCockpitCaller), 1) << "other callers keep the user's";
    EXPECT_TRUE(HostsimCheckTableSlots().allOk);
    EXPECT_GT(HostsimStatistics()->redirectedCalls, 0u);

    // The target leaves: the redirect answers with the user's aircraft again.
    probeTarget = 9;
    HostsimStep(1);
    EXPECT_EQ(HostsimLastSeen(kHostsimTowerCaller), 0) << "no aircraft 9: null data";
    probeTarget = 7;

    *HostsimTableWord() = HostsimOriginalTable();
    HostsimStep(1);
    EXPECT_FALSE(HostsimRedirectInstalled());
    EXPECT_EQ(HostsimLastSeen(kHostsimTowerCaller), 1);
}

TEST_F(HostsimHost, AWrongCopyOfTheLiveSlotsShows) {
    Start();
    FillProbeTable();
    *HostsimTableWord() = probeTable;
    // 0x74 and 0x84 swapped, 0x90 left out, 0x5C pointing elsewhere.
    std::swap(probeTable[0x74 / 4], probeTable[0x84 / 4]);
    probeTable[0x90 / 4] = nullptr;
    probeTable[0x5C / 4] = reinterpret_cast<void*>(&ProbeViewedAircraft);
    HostsimSlotReport report = HostsimCheckTableSlots();
    EXPECT_FALSE(report.allOk);
    EXPECT_EQ(report.status[0], kHostsimSlotForeign);
    EXPECT_EQ(report.status[1], kHostsimSlotWrong);
    EXPECT_EQ(report.status[2], kHostsimSlotWrong);
    EXPECT_EQ(report.status[3], kHostsimSlotNull);
    EXPECT_EQ(probeCalls, 0) << "a foreign function is not called";

    *HostsimTableWord() = nullptr;
    EXPECT_EQ(HostsimCheckTableSlots().status[0], kHostsimSlotNoTable);
    EXPECT_EQ(HostsimCallView(kHostsimTowerCaller), nullptr) << "no table: the view shows nothing";
}

TEST_F(HostsimHost, TheModuleListCanLackModule0AOrNeverEnd) {
    options.moduleList = kHostsimModuleListWithoutHelper;
    Start();
    const uint8_t* node = **Word<const uint8_t***>(kCore, 0x95BC);
    int nodes = 0;
    for (; node && nodes < 16; ++nodes, node = *reinterpret_cast<const uint8_t* const*>(node)) {
        EXPECT_NE(*reinterpret_cast<const uint32_t*>(node + 8), 0x0Au);
    }
    EXPECT_EQ(node, nullptr);
    EXPECT_GT(nodes, 1);
    HostsimShutdown();

    options.moduleList = kHostsimModuleListEndless;
    Start();
    node = **Word<const uint8_t***>(kCore, 0x95BC);
    for (int i = 0; i < 5000 && node; ++i) {
        node = *reinterpret_cast<const uint8_t* const*>(node);
    }
    EXPECT_NE(node, nullptr) << "still walking after 5000 links";
}
