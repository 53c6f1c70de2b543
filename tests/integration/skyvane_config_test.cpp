// The settings file through restarts of the host, its special cases, and bad files that must
// never crash the module, leave a setting out of range or keep the module from writing a clean
// file at exit.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include "hostsim/hostsim_crash.h"
#include "reliability_support.h"
#include "settings_dialog_driver.h"

using namespace skyvane_test;
using reliability::kSettingCount;
using reliability::kSettingKeys;

namespace {

class Config : public SkyvaneHost {
  protected:
    // Runs the host from start to exit, long enough for the module to bind and place.
    void RunOnce(int seconds = 8) {
        Start();
        HostsimStep(seconds);
        HostsimShutdown();
    }

    // The file as the module writes it: every setting present and in range, fifteen valid
    // hotkeys, the marker.
    void ExpectCleanFile(reliability::StaleTower stale = reliability::StaleTower::kNever) {
        EXPECT_EQ(reliability::ProblemsOfWrittenFile(IniPath(), stale), "");
    }
};

} // namespace

TEST_F(Config, WithoutAFileTheValuesAtLoadAreWrittenAtExit) {
    RunOnce();
    Settings atLoad, written;
    HotkeyTable hotkeysAtLoad, hotkeysWritten;
    InitModuleDefaults(atLoad, hotkeysAtLoad);
    EXPECT_EQ(reliability::ReadWrittenFile(IniPath(), written, hotkeysWritten), "");
    EXPECT_EQ(memcmp(&written, &atLoad, sizeof written), 0);
    for (int i = 0; i < kHotkeyOptionCount; ++i) {
        EXPECT_EQ(hotkeysWritten.options[i].key, hotkeysAtLoad.options[i].key) << i;
        EXPECT_EQ(hotkeysWritten.options[i].modifierMask, hotkeysAtLoad.options[i].modifierMask);
    }
    EXPECT_EQ(ReadIni("TOWER", "Val.c"), "<missing>");
    ExpectCleanFile();
}

TEST_F(Config, EverySettingAndHotkeyAndTheSpottingPointSurviveARestart) {
    WriteActiveIni(12);
    WriteIni("SETTINGS", "Rlp", "-3");
    WriteIni("SETTINGS", "Ral", "4");
    WriteIni("SETTINGS", "RndH", "1");
    WriteIni("SETTINGS", "RndV", "2");
    WriteIni("SETTINGS", "RngSvpMax", "40");
    WriteIni("SETTINGS", "RngRlp", "7");
    WriteIni("SETTINGS", "RngRal", "9");
    WriteIni("SETTINGS", "Turns", "1");
    WriteIni("SETTINGS", "Jumps", "5"); // cut to 1
    WriteIni("KEYS", "K(0)", "71,1");   // G with Shift
    WriteIni("KEYS", "K(5)", "52,3");   // 4 with Shift+Ctrl
    StartFlying();
    Press('I', kHostsimShift); // plane spotting at the user's aircraft
    HostsimEyePoint spot = Tower();
    HostsimShutdown();
    EXPECT_EQ(ReadIni("SETTINGS", "Mode"), "2");
    EXPECT_NE(ReadIni("TOWER", "Val.c"), "<missing>");
    std::string firstFile = ReadIniText();

    // The aircraft is elsewhere at the next start: the stored point is what the view shows.
    HostsimAircraft user;
    HostsimDefaultAircraft(&user, 1);
    user.latitudeDeg += 0.5;
    ASSERT_TRUE(HostsimAddAircraft(&user));
    StartFlying();
    HostsimEyePoint restored = Tower();
    EXPECT_EQ(restored.latHi, spot.latHi);
    EXPECT_EQ(restored.lonHi, spot.lonHi);
    EXPECT_EQ(restored.altHi, spot.altHi);
    EXPECT_EQ(restored.latLo >> 16, spot.latLo >> 16);
    EXPECT_EQ(restored.lonLo >> 16, spot.lonLo >> 16);
    EXPECT_EQ(restored.altLo >> 16, spot.altLo >> 16);
    HostsimShutdown();
    EXPECT_EQ(ReadIniText(), firstFile) << "a second run writes the same file";
    const char* expected[] = {"1", "12", "-3", "4", "2", "1", "2", "40", "7", "9", "1", "1"};
    for (int i = 0; i < kSettingCount; ++i) {
        EXPECT_EQ(ReadIni("SETTINGS", kSettingKeys[i]), expected[i]) << kSettingKeys[i];
    }
    EXPECT_EQ(ReadIni("KEYS", "K(0)"), "71,1");
    EXPECT_EQ(ReadIni("KEYS", "K(5)"), "52,3");
}

TEST_F(Config, TheFileCases) {
    // A file the module did not write is ignored, and rewritten with the marker.
    WriteActiveIni();
    WriteIni("SVM", "Rid", "0");
    RunOnce();
    EXPECT_EQ(ReadIni("SETTINGS", "Active"), "0");
    EXPECT_EQ(ReadIni("SVM", "Rid"), "1");

    // Plane spotting without its stored point falls back to normal.
    WriteIni("SETTINGS", "Mode", "2");
    WriteIni("TOWER", nullptr, nullptr);
    RunOnce();
    EXPECT_EQ(ReadIni("SETTINGS", "Mode"), "0");

    // Digits up to the first other character; a key without modifiers keeps its default ones.
    WriteIni("SETTINGS", "Svp", "12abc");
    WriteIni("KEYS", "K(3)", "84");
    WriteIni("KEYS", "K(4)", "340,2");
    WriteIni("KEYS", "K(9)", "78,1"); // the default of option 6: option 9 returns to its own
    RunOnce();
    EXPECT_EQ(ReadIni("SETTINGS", "Svp"), "12");
    EXPECT_EQ(ReadIni("KEYS", "K(3)"), "84,1");
    EXPECT_EQ(ReadIni("KEYS", "K(4)"), "84,2") << "the low 8 bits of 340, with Ctrl";
    EXPECT_EQ(ReadIni("KEYS", "K(9)"), "78,3");
    ExpectCleanFile();
}

TEST_F(Config, BadFilesNeverCrashAndAreReplacedByACleanOne) {
    struct BadFile {
        const char* what;
        std::string text;
    };
    std::string garbage;
    srand(7);
    for (int i = 0; i < 4096; ++i) {
        garbage.push_back(static_cast<char>(rand() & 0xFF));
    }
    std::string huge = "[SVM]\r\nRid=1\r\n[SETTINGS]\r\n";
    while (huge.size() < 1024 * 1024) {
        huge += "Svp=" + std::to_string(huge.size()) + "\r\n";
    }
    std::string longLine = "[SVM]\r\nRid=1\r\n[SETTINGS]\r\nSvp=" + std::string(600, '9') +
                           "\r\nRlp=-" + std::string(400, '7') +
                           "\r\n[KEYS]\r\nK(0)=" + std::string(300, 'Z') + "\r\n";
    const BadFile files[] = {
        {"binary garbage", garbage},
        {"binary garbage after the marker", "[SVM]\r\nRid=1\r\n[SETTINGS]\r\n" + garbage},
        {"a 1 MB file", huge},
        {"lines longer than 260 characters", longLine},
        {"numbers beyond 32 bits",
         "[SVM]\nRid=1\n[SETTINGS]\nActive=99999999999\nSvp=4294967306\nRlp=-4294967296\n"
         "RngSvpMax=-2147483648\nRngRlp=2147483647\nMode=8589934594\n[KEYS]\nK(1)=4294967361,"
         "4294967297\n"},
        {"negative and empty values",
         "[SVM]\nRid=1\n[SETTINGS]\nActive=\nSvp=-5\nRlp=\nRal=-999\nMode=-1\nRndH=\nRndV=-2\n"
         "RngSvpMax=-15\nRngRlp=\nRngRal=-100\n[KEYS]\nK(0)=\nK(1)=-68,-1\nK(2)=,\n"},
        {"duplicate sections and keys",
         "[SVM]\nRid=1\n[SETTINGS]\nSvp=7\nSvp=200\n[SETTINGS]\nSvp=300\nMode=2\n[TOWER]\n"
         "Lat.i=5\n[TOWER]\nLat.i=6\nVal.c=1\n[KEYS]\nK(0)=65,1\nK(0)=66,2\n"},
    };
    for (const BadFile& file : files) {
        SCOPED_TRACE(file.what);
        WriteIniText(file.text);
        RunOnce();
        ExpectCleanFile(reliability::StaleTower::kFromADuplicate);
    }
}

TEST_F(Config, AReadOnlyFileIsLeftAsItIs) {
    WriteActiveIni();
    std::string before = ReadIniText();
    SetFileAttributesA(IniPath().c_str(), FILE_ATTRIBUTE_READONLY);
    StartFlying();
    HostsimStep(2);
    HostsimShutdown();
    SetFileAttributesA(IniPath().c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadIniText(), before);
}

// A host file dialog moves the current directory; the file goes back where it was read.
TEST_F(Config, TheFileIsWrittenWhereItWasReadWhereverTheCurrentDirectoryIsAtExit) {
    StartFlying();
    std::string elsewhere = root + "\\elsewhere";
    CreateDirectoryA(elsewhere.c_str(), nullptr);
    SetCurrentDirectoryA(elsewhere.c_str());
    HostsimShutdown();
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((elsewhere + "\\*").c_str(), &found);
    int entries = 0;
    if (search != INVALID_HANDLE_VALUE) {
        do {
            entries += found.cFileName[0] == '.' ? 0 : 1;
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    EXPECT_EQ(entries, 0);
    EXPECT_EQ(ReadIni("SVM", "Rid"), "1");
}

TEST_F(Config, ACurrentDirectoryTooLongForThePathReadsAndWritesNothing) {
    WriteActiveIni();
    std::string before = ReadIniText();
    // A directory whose path leaves no room for "\Modules\Skyvane.ini" within 260 bytes.
    std::string longDir = root;
    while (longDir.size() < 245) {
        longDir += "\\" + std::string(std::min<size_t>(40, 245 - longDir.size()), 'd');
        CreateDirectoryA(longDir.c_str(), nullptr);
    }
    Start();
    ASSERT_TRUE(SetCurrentDirectoryA(longDir.c_str()));
    HostsimEyePoint hostEye = Tower();
    HostsimStep(options.flyingAfterSeconds + 12);
    EXPECT_TRUE(SameEye(Tower(), hostEye)) << "the file was not read: the view stays off";
    HostsimShutdown();
    EXPECT_EQ(ReadIniText(), before);
}

// The host dies a second after each change of a stored setting, without shutting the module
// down: the file already holds the change, and the next run reads it back.
class CrashedHost : public SettingsDialog {
  public:
    using SettingsDialog::Click, SettingsDialog::OpenByMenu, SettingsDialog::PickOption,
        SettingsDialog::PressOk, SettingsDialog::ReplaceKeyText, SettingsDialog::SelectTab,
        SkyvaneHost::Press;
};

TEST_F(CrashedHost, EveryChangeOfAStoredSettingReachesTheFileWithinASecond) {
    struct Path {
        const char* what;
        void (*act)(CrashedHost& host);
        const char *section, *key, *value;
    };
    const Path paths[] = {
        {"the settings dialog's OK",
         [](CrashedHost& h) {
             h.OpenByMenu();
             h.SelectTab(kTabRandom);
             h.Click(kTabRandom, IDC_RANDOM_H_VAR);
             h.PressOk();
         },
         "SETTINGS", "RndH", "2"},
        {"a key assigned on the Keys page, then OK",
         [](CrashedHost& h) {
             h.OpenByMenu();
             h.SelectTab(kTabKeys);
             h.PickOption(0);
             h.ReplaceKeyText("G");
             h.Click(kTabKeys, IDC_KEYS_APPLY);
             h.PressOk();
         },
         "KEYS", "K(0)", "71,1"},
        {"plane spotting taken", [](CrashedHost& h) { h.Press('I', kHostsimShift); }, "SETTINGS",
         "Mode", "2"},
        {"Shift+J", [](CrashedHost& h) { h.Press('J', kHostsimShift); }, "SETTINGS", "Mode", "1"},
        {"Shift+Ctrl+K", [](CrashedHost& h) { h.Press('K', kHostsimShift | kHostsimCtrl); },
         "SETTINGS", "RndV", "1"},
        {"Shift+F", [](CrashedHost& h) { h.Press('F', kHostsimShift); }, "SETTINGS", "Active", "0"},
    };
    for (const Path& path : paths) {
        SCOPED_TRACE(path.what);
        WriteIni("SETTINGS", nullptr, nullptr);
        WriteActiveIni();
        StartFlying();
        path.act(*this);
        HostsimStep(1);
        HostsimCrash();
        EXPECT_EQ(ReadIni(path.section, path.key), path.value);
        StartFlying();
        HostsimShutdown();
        EXPECT_EQ(ReadIni(path.section, path.key), path.value) << "read back at the next start";
    }
}
