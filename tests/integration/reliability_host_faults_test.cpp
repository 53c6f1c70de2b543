// Faults of the host, injected in the stand-in: traffic that comes and goes every second (the
// followed aircraft too, in the middle of a placement and of a list refresh), an AI list that
// shrinks under the module, interfaces filled late, states and views flapping every tick, pause
// toggled while a dialog is open, the host closing with the module's windows open, and the
// settings file deleted or made read-only while the host runs.
#include <cmath>
#include <cstdio>
#include "ai_list_driver.h"
#include "reliability_support.h"

using namespace skyvane_test;

namespace {

constexpr int kPeriod = 5;
constexpr int32_t kFirstAi = 20;
constexpr int kAiPool = 8;
constexpr double kMovingKnots = 120.0;

class HostFaults : public AiListHost {
  protected:
    void SetUp() override {
        AiListHost::SetUp();
        options.showWindow = false;
    }

    bool EyeFinite() {
        HostsimEyePoint eye = Tower();
        double lat = 0, lon = 0, alt = 0;
        HostsimDecodeEyePoint(&eye, &lat, &lon, &alt);
        return std::isfinite(lat) && std::isfinite(lon) && std::isfinite(alt) &&
               std::fabs(lat) <= 90.0;
    }

    void OpenHiddenList() {
        reliability::PaintHiddenFrame();
        OpenList();
    }

    bool Pick(const char* item) {
        reliability::PaintHiddenFrame();
        return HostsimPickMenu((std::string("&Modules/Skyvane/") + item).c_str());
    }

    // Renewals go on: within two periods in the tower view the eye point moves. Every aircraft
    // is set moving first, since a renewal at a parked aircraft lands where the last one did.
    void ExpectStillPlacing() {
        HostsimSetHostState(kHostStateFlying);
        HostsimSetPaused(false);
        HostsimSetView(kViewTower);
        for (int32_t id = 1; id < kFirstAi + kHostsimAircraftCapacity; ++id) {
            if (HostsimAircraft* aircraft = HostsimFindAircraft(id)) {
                aircraft->speedKnots = kMovingKnots;
            }
        }
        HostsimStep(1);
        HostsimEyePoint before = Tower();
        HostsimStep(2 * kPeriod + 1);
        EXPECT_FALSE(SameEye(before, Tower())) << "no eye point placed any more";
        EXPECT_TRUE(EyeFinite());
    }
};

} // namespace

TEST_F(HostFaults, TrafficComingAndGoingEverySecondWhileFollowedAndListed) {
    WriteActiveIni(kPeriod);
    StartStill(true);
    for (int i = 0; i < kAiPool; ++i) {
        AddParked(kFirstAi + i, 1.0 + i);
    }
    OpenHiddenList();
    Select(RowOf(kFirstAi));
    PressButton(IDC_AI_LIST_PASS_BY);
    ASSERT_TRUE(HostsimRedirectInstalled());
    OpenHiddenList();
    reliability::Random r(42);
    int removed = 0, shuffled = 0, shrunk = 0, added = 0;
    int32_t nextId = kFirstAi + kAiPool;
    for (int second = 0; second < 300; ++second) {
        if (second % 3 == 0) {
            // The followed aircraft vanishes; another appears.
            int32_t followed = HostsimFollowedObject();
            if (followed != 1 && HostsimRemoveAircraft(followed)) {
                ++removed;
            } else if (HostsimRemoveAircraft(
                           kFirstAi + static_cast<int32_t>(
                                          r.Below(static_cast<uint32_t>(nextId - kFirstAi))))) {
                ++removed;
            }
            AddParked(nextId++, r.Between(1, 20));
            ++added;
        } else if (second % 3 == 1) {
            // The host's list shrinks and reorders between two refreshes.
            int32_t ids[kHostsimAircraftCapacity];
            int count = 0;
            for (int32_t id = kFirstAi; id < nextId; ++id) {
                if (HostsimFindAircraft(id) && r.OneIn(2)) {
                    ids[count++] = id;
                }
            }
            HostsimSetAiList(ids, count);
            ++shrunk;
        } else {
            ClickHeader(static_cast<int>(r.Below(kColumnCount)));
            if (Rows() > 0) {
                Select(static_cast<int>(r.Below(static_cast<uint32_t>(Rows()))));
                if (r.OneIn(3)) {
                    PressButton(r.OneIn(2) ? IDC_AI_LIST_PASS_BY : IDC_AI_LIST_SPOT);
                    HostsimSetView(kViewTower);
                    OpenHiddenList();
                }
            }
            ++shuffled;
        }
        HostsimStep(1);
        ASSERT_TRUE(EyeFinite()) << "second " << second;
    }
    printf("[ faults   ] %d removed (followed first), %d added, %d lists shrunk, %d list clicks\n",
           removed, added, shrunk, shuffled);
    ExpectStillPlacing();
}

TEST_F(HostFaults, InterfacesFilledLateStillBindOnce) {
    WriteActiveIni(kPeriod);
    options.fillImportsAfterSeconds = 6;
    options.readyAfterSeconds = 1;
    options.flyingAfterSeconds = 8;
    HostsimEyePoint hostEye = {};
    Start();
    HostsimStep(5);
    hostEye = Tower();
    HostsimStep(5);
    EXPECT_FALSE(SameEye(hostEye, Tower())) << "bound and placed once the table was filled";
    ExpectStillPlacing();
}

TEST_F(HostFaults, HostClosedWithTheModuleWindowsOpenWritesACleanFile) {
    const char* windows[] = {"Settings...", "About...", "AI Aircraft..."};
    for (const char* item : windows) {
        SCOPED_TRACE(item);
        WriteActiveIni(kPeriod);
        WriteIni("SETTINGS", "RngSvpMax", "60");
        WriteIni("SETTINGS", "Svp", "44");
        StartStill(false);
        ASSERT_TRUE(Pick(item));
        HostsimStep(3);
        HostsimShutdown();
        EXPECT_EQ(reliability::ProblemsOfWrittenFile(IniPath()), "");
        EXPECT_EQ(ReadIni("SETTINGS", "Svp"), "44");
    }
}

TEST_F(HostFaults, SettingsFileDeletedWhileRunningIsWrittenAgainAtExit) {
    WriteActiveIni(kPeriod);
    WriteIni("SETTINGS", "RngSvpMax", "90");
    WriteIni("SETTINGS", "Svp", "77");
    WriteIni("KEYS", "K(4)", "52,3");
    StartStill(false);
    HostsimStep(3);
    ASSERT_TRUE(DeleteFileA(IniPath().c_str()));
    HostsimStep(3);
    HostsimShutdown();
    EXPECT_EQ(reliability::ProblemsOfWrittenFile(IniPath()), "");
    EXPECT_EQ(ReadIni("SETTINGS", "Svp"), "77");
    EXPECT_EQ(ReadIni("SETTINGS", "Active"), "1");
    EXPECT_EQ(ReadIni("KEYS", "K(4)"), "52,3");
}

TEST_F(HostFaults, SettingsFileMadeReadOnlyWhileRunningIsLeftAsItIs) {
    WriteActiveIni(kPeriod);
    StartStill(true);
    HostsimStep(3);
    WriteIni("SETTINGS", "Svp", "9"); // the user's own edit while the host runs
    std::string edited = ReadIniText();
    SetFileAttributesA(IniPath().c_str(), FILE_ATTRIBUTE_READONLY);
    HostsimStep(3);
    HostsimShutdown();
    SetFileAttributesA(IniPath().c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadIniText(), edited);
}
