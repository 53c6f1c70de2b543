#pragma once
// Runs the real Skyvane.dll inside the stand-in host, in lockstep, from a fresh host folder.
#include <gtest/gtest.h>
#include <windows.h>
#include <cstdio>
#include <string>
#include "hostsim/host_layout.h"
#include "hostsim/hostsim.h"

namespace skyvane_test {

inline std::string FullPath(const std::string& relative) {
    char full[MAX_PATH] = {};
    GetFullPathNameA(relative.c_str(), MAX_PATH, full, nullptr);
    return full;
}

// The folder of the test executable, where the build puts Skyvane.dll.
inline std::string BinaryFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of("\\/"));
}

class SkyvaneHost : public ::testing::Test {
  protected:
    void SetUp() override {
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        root =
            FullPath(BinaryFolder() + "\\hosts\\" + info->test_suite_name() + "." + info->name());
        std::string dll = BinaryFolder() + "\\Skyvane.dll";
        const char* modules[] = {dll.c_str()};
        CreateDirectoryA((BinaryFolder() + "\\hosts").c_str(), nullptr);
        ASSERT_TRUE(HostsimPrepareRoot(root.c_str(), modules, 1)) << HostsimLastError();
        HostsimDefaultOptions(&options);
        snprintf(options.rootDir, sizeof(options.rootDir), "%s", root.c_str());
        options.lockstep = true;
    }

    void TearDown() override {
        if (HostsimRunning()) {
            HostsimShutdown();
        }
    }

    // The host paints its frame after its modules are loaded, as the real one does.
    void Start() {
        ASSERT_TRUE(HostsimStart(&options)) << HostsimLastError();
        HostsimRedrawFrame();
    }

    // Starts the host and steps until the module has bound and placed its first eye point.
    void StartFlying() {
        Start();
        HostsimStep(options.flyingAfterSeconds + 1);
        ASSERT_EQ(HostsimHostState(), kHostStateFlying);
    }

    std::string IniPath() const { return root + "\\Modules\\Skyvane.ini"; }

    void WriteIni(const char* section, const char* key, const char* value) {
        WritePrivateProfileStringA(section, key, value, IniPath().c_str());
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, IniPath().c_str());
    }

    void WriteIniText(const std::string& text) {
        FILE* file = fopen(IniPath().c_str(), "wb");
        ASSERT_NE(file, nullptr);
        fwrite(text.data(), 1, text.size(), file);
        fclose(file);
    }

    std::string ReadIni(const char* section, const char* key) const {
        char value[512] = {};
        GetPrivateProfileStringA(section, key, "<missing>", value, sizeof(value),
                                 IniPath().c_str());
        return value;
    }

    std::string ReadIniText() const {
        std::string text;
        FILE* file = fopen(IniPath().c_str(), "rb");
        if (!file) {
            return text;
        }
        char buffer[4096];
        size_t n;
        while ((n = fread(buffer, 1, sizeof(buffer), file)) > 0) {
            text.append(buffer, n);
        }
        fclose(file);
        return text;
    }

    // A settings file as the module writes it, with the pass-by view switched on.
    void WriteActiveIni(int svp = 10) {
        WriteIni("SETTINGS", "Active", "1");
        WriteIni("SETTINGS", "Svp", std::to_string(svp).c_str());
        WriteIni("SETTINGS", "Rlp", "2");
        WriteIni("SETTINGS", "Ral", "1");
        WriteIni("SETTINGS", "RngSvpMax", "15");
        WriteIni("SETTINGS", "RngRlp", "5");
        WriteIni("SETTINGS", "RngRal", "5");
        const char* keys[] = {"70,1", "68,1", "65,1", "84,1", "67,1", "86,1", "78,1", "74,1",
                              "73,1", "78,3", "74,3", "73,3", "77,3", "75,3", "80,3"};
        for (int i = 0; i < 15; ++i) {
            WriteIni("KEYS", ("K(" + std::to_string(i) + ")").c_str(), keys[i]);
        }
        WriteIni("SVM", "Rid", "1");
    }

    HostsimAircraft* User() { return HostsimFindAircraft(1); }

    HostsimEyePoint Tower() { return *HostsimTowerEyePoint(); }

    static bool SameEye(const HostsimEyePoint& a, const HostsimEyePoint& b) {
        return a.latLo == b.latLo && a.latHi == b.latHi && a.lonLo == b.lonLo &&
               a.lonHi == b.lonHi && a.altLo == b.altLo && a.altHi == b.altHi;
    }

    // Adds an AI aircraft near the user's, flying the same way.
    HostsimAircraft* AddAi(int32_t id, double northOffsetDeg = 0.02) {
        HostsimAircraft ai;
        HostsimDefaultAircraft(&ai, id);
        const HostsimAircraft* user = User();
        if (user) {
            ai.latitudeDeg = user->latitudeDeg + northOffsetDeg;
            ai.longitudeDeg = user->longitudeDeg;
        }
        ai.sizeFeet = 40.0 + id;
        EXPECT_TRUE(HostsimAddAircraft(&ai));
        return HostsimFindAircraft(id);
    }

    void Press(unsigned key, unsigned modifiers) {
        ASSERT_TRUE(HostsimPressKey(key, modifiers, nullptr));
        HostsimPump(0);
    }

    std::string root;
    HostsimOptions options;
};

} // namespace skyvane_test
