// Loading, version check, deferred binding and the diagnostic dump of the real module.
#include "skyvane_fixture.h"

using namespace skyvane_test;

namespace {

std::string DumpKey(int key) {
    return std::to_string(key);
}

// The names a PE image exports, in the order of its export directory.
std::vector<std::string> ExportNames(HMODULE module) {
    std::vector<std::string> names;
    const uint8_t* base = reinterpret_cast<const uint8_t*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    if (dir.VirtualAddress == 0) {
        return names;
    }
    const auto* exports =
        reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + dir.VirtualAddress);
    const DWORD* nameRvas = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
    for (DWORD i = 0; i < exports->NumberOfNames; ++i) {
        names.push_back(reinterpret_cast<const char*>(base + nameRvas[i]));
    }
    return names;
}

std::vector<std::string> ImportedDlls(HMODULE module) {
    std::vector<std::string> dlls;
    const uint8_t* base = reinterpret_cast<const uint8_t*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    const auto* import =
        reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress);
    for (; dir.VirtualAddress != 0 && import->Name != 0; ++import) {
        std::string name = reinterpret_cast<const char*>(base + import->Name);
        for (char& ch : name) {
            ch = static_cast<char>(tolower(static_cast<unsigned char>(ch)));
        }
        dlls.push_back(name);
    }
    return dlls;
}

bool MenuBarHasModules(HWND window) {
    HMENU bar = GetMenu(window);
    char text[128];
    for (int i = 0; i < GetMenuItemCount(bar); ++i) {
        GetMenuStringA(bar, i, text, sizeof(text), MF_BYPOSITION);
        if (strcmp(text, "&Modules") == 0) {
            return true;
        }
    }
    return false;
}

} // namespace

TEST(SkyvaneBinary, ExportsTheTwoRecordsAndImportsOnlySystemLibraries) {
    std::string path = BinaryFolder() + "\\Skyvane.dll";
    HMODULE module = LoadLibraryExA(path.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
    ASSERT_NE(module, nullptr);
    std::vector<std::string> names = ExportNames(module);
    EXPECT_EQ(names, (std::vector<std::string>{"ImportTable", "Linkage"}));

    const uint32_t* linkage = reinterpret_cast<const uint32_t*>(GetProcAddress(module, "Linkage"));
    ASSERT_NE(linkage, nullptr);
    EXPECT_EQ(linkage[0], 0x88u);
    uintptr_t base = reinterpret_cast<uintptr_t>(module);
    for (int routine = 1; routine <= 2; ++routine) {
        EXPECT_GT(linkage[routine], base) << "init and deinit lie inside the module";
        EXPECT_LT(linkage[routine], base + 0x1000000);
    }
    EXPECT_NE(linkage[1], linkage[2]);
    EXPECT_EQ(linkage[3], 0u);
    EXPECT_EQ(linkage[4], 0u);
    EXPECT_EQ(linkage[5], 0x900u);
    EXPECT_EQ(linkage[6], 0u);

    const uint32_t* table =
        reinterpret_cast<const uint32_t*>(GetProcAddress(module, "ImportTable"));
    ASSERT_NE(table, nullptr);
    const uint32_t ids[] = {0x0F, 0x17, 0x26, 0x01, 0x80000000, 0x02,
                            0x03, 0x19, 0x38, 0x14, 0x0A,       0};
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(table[2 * i], ids[i]) << "entry " << i;
        EXPECT_EQ(table[2 * i + 1], 0u) << "entry " << i;
    }

    const char* allowed[] = {"kernel32.dll", "user32.dll", "comctl32.dll",
                             "msvcrt.dll",   "gdi32.dll",  "advapi32.dll"};
    for (const std::string& dll : ImportedDlls(module)) {
        bool system = false;
        for (const char* name : allowed) {
            system = system || dll == name;
        }
        EXPECT_TRUE(system) << dll << " is not a system library";
    }
    FreeLibrary(module);
}

TEST_F(SkyvaneHost, AnotherHostVersionLeavesTheModuleInert) {
    WriteActiveIni();
    std::string before = ReadIniText();
    options.versionWord = 0x800;
    Start();
    HostsimEyePoint hostEye = Tower();
    HostsimStep(8);
    HostsimRedrawFrame();
    EXPECT_EQ(HostsimTickWindow(0), nullptr);
    EXPECT_EQ(HostsimTicksDelivered(0), 0u);
    EXPECT_FALSE(MenuBarHasModules(HostsimMainWindow()));
    Press('F', kHostsimShift);
    HostsimStep(2);
    EXPECT_TRUE(SameEye(Tower(), hostEye)) << "no eye point is ever placed";
    HostsimShutdown();
    EXPECT_EQ(ReadIniText(), before) << "an inert module leaves the user's file alone";
}

TEST_F(SkyvaneHost, ImportsFilledLateBindOnceTheyArrive) {
    WriteActiveIni();
    options.fillImportsAfterSeconds = 6;
    Start();
    HostsimEyePoint hostEye = Tower();
    HostsimStep(5);
    EXPECT_TRUE(SameEye(Tower(), hostEye));
    HostsimSetHostState(kHostStateReady);
    HostsimStep(3);
    EXPECT_FALSE(SameEye(Tower(), hostEye)) << "bound and placed once the table was filled";
}

TEST_F(SkyvaneHost, TheDiagnosticDumpIsWrittenOnceAndTheBindingTickRunsOn) {
    WriteActiveIni();
    WriteIni("SVM", "2", "2");
    options.flyingAfterSeconds = 100;
    Start();
    HostsimStep(options.readyAfterSeconds + 1);
    EXPECT_EQ(ReadIni("SVM", "2"), "<missing>") << "the switch is erased at binding";
    EXPECT_EQ(ReadIni("SVM", "Rid"), "1") << "the marker stays, should the host die before exit";
    for (int key = 3; key <= 8; ++key) {
        EXPECT_NE(ReadIni("SVM", DumpKey(key).c_str()), "<missing>") << key;
    }
    HostsimShutdown();
    for (int key = 9; key <= 47; ++key) {
        std::string value = ReadIni("SVM", DumpKey(key).c_str());
        EXPECT_EQ(value.size(), 10u) << key << ": " << value;
        EXPECT_EQ(value.compare(0, 2, "0x"), 0) << key;
    }
    EXPECT_EQ(ReadIni("SVM", "48"), "<missing>");
    EXPECT_EQ(ReadIni("SVM", "14"), "0x00000004") << "start-up completed";
    // The tick that bound went on to read the host state: the controller saw 227.
    EXPECT_EQ(ReadIni("SVM", "41"), "0x000000E3");
    EXPECT_EQ(ReadIni("SVM", "Rid"), "1");

    Start();
    HostsimStep(options.readyAfterSeconds + 2);
    HostsimShutdown();
    EXPECT_EQ(ReadIni("SVM", "3"), "<missing>") << "the next run dumps nothing";
    EXPECT_EQ(ReadIni("SVM", "9"), "<missing>");
    EXPECT_EQ(ReadIni("SVM", "Rid"), "1");
}
