// Loading modules: ImportTable, init and deinit around the main window's end, lockstep ticks.
#include "hostsim_test_support.h"

using namespace hostsim_test;

namespace {
const uint32_t kRequested[] = {0x0F, 0x17, 0x26, 0x01, 0x80000000, 0x02,
                               0x03, 0x19, 0x38, 0x14, 0x0A};
typedef uint32_t (*TicksFn)();
typedef HWND (*TickWindowFn)();

template <typename Function> Function ModuleExport(const char* name) {
    return reinterpret_cast<Function>(
        reinterpret_cast<void*>(GetProcAddress(HostsimModuleHandle(0), name)));
}
} // namespace

TEST_F(HostsimHost, ImportTableGetsEveryInterfaceBeforeInit) {
    Start();
    ASSERT_EQ(HostsimModuleCount(), 1);
    EXPECT_STREQ(HostsimModuleName(0), "hostsim_testmodule.dll");
    const ImportEntryView* imports = ModuleImports();
    ASSERT_NE(imports, nullptr);
    int i = 0;
    for (; imports[i].moduleId; ++i) {
        EXPECT_EQ(imports[i].moduleId, kRequested[i]);
        EXPECT_EQ(imports[i].iface, HostsimInterface(imports[i].moduleId));
        EXPECT_NE(imports[i].iface, nullptr) << std::hex << imports[i].moduleId;
    }
    EXPECT_EQ(i, 11);
    EXPECT_EQ(imports[i].iface, nullptr) << "the terminator stays as it is";
    EXPECT_NE(At(ModuleJournal(), "init imports 11 version 0x900"), std::string::npos);
}

TEST_F(HostsimHost, TheFollowInterfaceCanStayNullAndImportsCanComeLate) {
    options.leaveFollowInterfaceNull = true;
    Start();
    const ImportEntryView* imports = ModuleImports();
    EXPECT_EQ(imports[10].moduleId, kFollow);
    EXPECT_EQ(imports[10].iface, nullptr);
    EXPECT_NE(imports[0].iface, nullptr);
    HostsimStep(5);
    EXPECT_EQ(imports[10].iface, nullptr);
    HostsimShutdown();

    HostsimDefaultOptions(&options);
    snprintf(options.rootDir, sizeof options.rootDir, "%s", root.c_str());
    options.fillImportsAfterSeconds = 3;
    Start();
    imports = ModuleImports();
    EXPECT_NE(At(ModuleJournal(), "init imports 0 "), std::string::npos);
    HostsimStep(2);
    EXPECT_FALSE(HostsimImportsFilled(0));
    EXPECT_EQ(imports[3].iface, nullptr);
    HostsimStep(1);
    EXPECT_TRUE(HostsimImportsFilled(0));
    EXPECT_EQ(imports[3].iface, HostsimInterface(kCore));
    EXPECT_EQ(imports[10].iface, HostsimInterface(kFollow));
}

TEST_F(HostsimHost, DeinitComesAfterTheWindowClosedAndWasDestroyed) {
    Start();
    HostsimStep(2);
    HMODULE module = HostsimModuleHandle(0);
    HostsimShutdown();
    std::string journal = ModuleJournalFile();
    size_t close = At(journal, "close"), destroy = At(journal, "destroy");
    size_t deinit = At(journal, "deinit window alive 0");
    ASSERT_NE(close, std::string::npos) << journal;
    ASSERT_NE(destroy, std::string::npos);
    ASSERT_NE(deinit, std::string::npos);
    EXPECT_LT(close, destroy);
    EXPECT_LT(destroy, deinit);
    std::string host = HostsimJournal();
    EXPECT_LT(At(host, "init hostsim_testmodule.dll"), At(host, "close"));
    EXPECT_LT(At(host, "destroyed"), At(host, "deinit hostsim_testmodule.dll"));
    EXPECT_LT(At(host, "deinit hostsim_testmodule.dll"), At(host, "free hostsim_testmodule.dll"));
    EXPECT_EQ(GetModuleHandleA("hostsim_testmodule.dll"), nullptr) << "the library is unloaded";
    EXPECT_FALSE(HostsimRunning());
    (void)module;

    // The next run starts with a freshly loaded module.
    Start();
    EXPECT_EQ(At(ModuleJournal(), "close"), std::string::npos);
    EXPECT_EQ(ModuleExport<TicksFn>("TestModuleTicks")(), 0u);
}

TEST_F(HostsimHost, LockstepDeliversOneTickPerSecondToTheTickWindowOnly) {
    Start();
    HWND tick = HostsimTickWindow(0);
    ASSERT_NE(tick, nullptr);
    EXPECT_EQ(tick, ModuleExport<TickWindowFn>("TestModuleTickWindow")());
    EXPECT_EQ(GetWindow(tick, GW_OWNER), HostsimMainWindow());
    EXPECT_FALSE(IsWindowVisible(tick));
    HostsimStep(7);
    EXPECT_EQ(HostsimTicksDelivered(0), 7u);
    EXPECT_EQ(ModuleExport<TicksFn>("TestModuleTicks")(), 7u);
    EXPECT_NE(At(ModuleJournal(), "tick 7 window 1"), std::string::npos);
    // The module's own timer was stopped: real time brings no tick.
    HostsimPump(1300);
    EXPECT_EQ(ModuleExport<TicksFn>("TestModuleTicks")(), 7u);
}

TEST_F(HostsimHost, InRealTimeTheModulesOwnTimerTicks) {
    options.lockstep = false;
    Start();
    HostsimRunRealtime(2.5);
    uint32_t ticks = ModuleExport<TicksFn>("TestModuleTicks")();
    EXPECT_GE(ticks, 2u);
    EXPECT_LE(ticks, 3u);
    EXPECT_EQ(HostsimTicksDelivered(0), 0u);
    EXPECT_GE(HostsimSeconds(), 2);
}

TEST_F(HostsimHost, AnotherVersionWordLeavesTheTestModuleWithoutHook) {
    options.versionWord = 0x800;
    Start();
    HostsimStep(3);
    EXPECT_EQ(HostsimTickWindow(0), nullptr);
    EXPECT_EQ(HostsimTicksDelivered(0), 0u);
    EXPECT_NE(At(ModuleJournal(), "init imports 11 version 0x800"), std::string::npos);
    EXPECT_EQ(At(ModuleJournal(), "hooked"), std::string::npos);
}

TEST_F(HostsimHost, OnlyDllsWithBothRecordsAreModules) {
    // hostmod0a.dll exports neither record; a text file is no DLL at all.
    std::string helper = BinaryFolder() + "\\hostmod0a.dll";
    std::string module = BinaryFolder() + "\\hostsim_testmodule.dll";
    const char* files[] = {helper.c_str(), module.c_str()};
    ASSERT_TRUE(HostsimPrepareRoot(root.c_str(), files, 2));
    FILE* junk = fopen((root + "\\Modules\\notes.dll").c_str(), "w");
    fputs("not a library", junk);
    fclose(junk);
    Start();
    EXPECT_EQ(HostsimModuleCount(), 1);
    EXPECT_STREQ(HostsimModuleName(0), "hostsim_testmodule.dll");
    EXPECT_NE(At(HostsimJournal(), "not a module Modules\\hostmod0a.dll"), std::string::npos);
    EXPECT_NE(At(HostsimJournal(), "cannot load Modules\\notes.dll"), std::string::npos);
}
