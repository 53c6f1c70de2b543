// Thousands of generated settings files through the real DLL: each run starts the host hidden,
// lets the module bind and place, shuts down, and the file written at exit must be clean. Valid
// setups must come back exactly as they were: no setting of a pilot is lost.
#include <cstdio>
#include <map>
#include "reliability_support.h"

using namespace skyvane_test;
using reliability::Random;

namespace {

constexpr uint64_t kCorpusSeed = 20040729;
// The test command runs this many files of each kind; the soak command sets more through
// SKYVANE_CORPUS_FILES_PER_KIND.
constexpr int kFilesPerKind = 100;

int FilesPerKind() {
    const char* text = getenv("SKYVANE_CORPUS_FILES_PER_KIND");
    int n = text ? atoi(text) : 0;
    return n > 0 ? n : kFilesPerKind;
}
constexpr int kStepsPerRun = 5; // past binding (second 3) and the first placement

enum Kind {
    kGarbage,
    kHuge,
    kLongLines,
    kOverflow,
    kSigns,
    kDuplicates,
    kMissingSections,
    kSpottingBadTower,
    kSpottingExtremeTower,
    kMarkerVariants,
    kHotkeyTexts,
    kFlippedBits,
    kDumpSwitchedOn,
    kValidSetup,
    kKindCount
};

const char* const kKindNames[kKindCount] = {"garbage",
                                            "huge",
                                            "long lines",
                                            "overflow numbers",
                                            "sign games",
                                            "duplicates",
                                            "missing sections",
                                            "Mode 2, bad TOWER",
                                            "Mode 2, extreme TOWER",
                                            "marker variants",
                                            "hotkey texts",
                                            "flipped bits",
                                            "dump switched on",
                                            "valid setups"};

struct PilotSetup {
    int32_t values[10];
    int32_t tower[7];
    std::string keys[kHotkeyOptionCount];
};

std::string Line(const std::string& key, const std::string& value) {
    return key + "=" + value + "\r\n";
}

std::string FileOf(const PilotSetup& setup, bool withTower) {
    std::string text = "[SETTINGS]\r\n";
    for (int i = 0; i < 10; ++i) {
        text += Line(reliability::kSettingKeys[i], std::to_string(setup.values[i]));
    }
    if (withTower) {
        text += "[TOWER]\r\n";
        for (int i = 0; i < 7; ++i) {
            text += Line(reliability::kTowerKeys[i], std::to_string(setup.tower[i]));
        }
    }
    text += "[KEYS]\r\n";
    for (int i = 0; i < kHotkeyOptionCount; ++i) {
        text += Line("K(" + std::to_string(i) + ")", setup.keys[i]);
    }
    return text + "[SVM]\r\nRid=1\r\n";
}

void SealTower(PilotSetup& setup) {
    const int32_t* t = setup.tower;
    setup.tower[6] = TowerCheckSum(TowerValues{t[0], t[1], t[2], t[3], t[4], t[5], 0});
}

PilotSetup ValidSetup(Random& r) {
    PilotSetup s;
    int32_t rngSvpMax = r.Between(kRngSvpMaxLowSeconds, kRngSvpMaxHighSeconds);
    int32_t rngRlp = r.Between(kOffsetRangeLow, kOffsetRangeHigh);
    int32_t rngRal = r.Between(kOffsetRangeLow, kOffsetRangeHigh);
    int32_t values[10] = {r.Between(0, kSwitchHigh),
                          r.Between(kSvpMinSeconds, rngSvpMax),
                          r.Between(-rngRlp, rngRlp),
                          r.Between(-rngRal, rngRal),
                          r.Between(0, kChoiceHigh),
                          r.Between(0, kChoiceHigh),
                          r.Between(0, kChoiceHigh),
                          rngSvpMax,
                          rngRlp,
                          rngRal};
    std::copy(values, values + 10, s.values);
    s.tower[0] = r.Between(0, 65535);
    s.tower[1] = r.Between(-10001750, 10001749); // within +-90 degrees with any fraction
    s.tower[2] = r.Between(0, 65535);
    s.tower[3] = static_cast<int32_t>(r.Next());
    s.tower[4] = r.Between(0, 65535);
    s.tower[5] = r.Between(-100, 9000);
    SealTower(s);
    // Fifteen different hotkeys, so the repair of duplicates has nothing to do.
    std::map<std::pair<int, int>, bool> used;
    for (int i = 0; i < kHotkeyOptionCount; ++i) {
        int key = 0, mask = 0;
        do {
            int pick = r.Between(0, 36);
            key = pick == 36 ? 0 : (pick < 10 ? '0' + pick : 'A' + pick - 10);
            mask = r.Between(1, 3);
        } while (used[{key, mask}]);
        used[{key, mask}] = true;
        s.keys[i] = std::to_string(key) + "," + std::to_string(mask);
    }
    return s;
}

std::string Garbage(Random& r, size_t size) {
    const char alphabet[] = "[]=\r\n\t ,+-0123456789SETINGKYSVMRidTOWERLat.iVal.c\"'\x80\xff;";
    std::string text;
    for (size_t i = 0; i < size; ++i) {
        text.push_back(r.OneIn(3) ? static_cast<char>(r.Below(256))
                                  : alphabet[r.Below(sizeof(alphabet) - 1)]);
    }
    return text;
}

std::string Digits(Random& r, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        text.push_back(static_cast<char>('0' + r.Below(10)));
    }
    return text;
}

std::string OddNumber(Random& r) {
    const char* const signs[] = {"", "-", "+", "+-", "-+", "--", " -", "- ", "\t+", "0-"};
    switch (r.Below(5)) {
    case 0:
        return signs[r.Below(10)] + Digits(r, r.Between(10, 40));
    case 1:
        return std::string(signs[r.Below(10)]) + std::to_string(r.Between(-200, 200));
    case 2:
        return std::to_string(static_cast<int64_t>(r.Next() >> r.Below(64)));
    case 3:
        return std::to_string(r.Between(-5, 130)) + Garbage(r, r.Below(6));
    default:
        return r.OneIn(2) ? "" : "2147483648";
    }
}

std::string Generate(Kind kind, Random& r) {
    PilotSetup setup = ValidSetup(r);
    switch (kind) {
    case kGarbage:
        return Garbage(r, r.Between(1, 6000));
    case kHuge: {
        std::string text = "[SVM]\r\nRid=1\r\n";
        size_t target = r.Between(16, 160) * 1024;
        while (text.size() < target) {
            text += "[" + Garbage(r, r.Below(12)) + "]\r\n" + Line(Garbage(r, 8), OddNumber(r));
        }
        return text + FileOf(setup, false);
    }
    case kLongLines: {
        std::string text = "[SVM]\r\nRid=1\r\n[SETTINGS]\r\n";
        for (const char* key : reliability::kSettingKeys) {
            text += Line(key, (r.OneIn(2) ? "-" : "") + Digits(r, r.Between(250, 4000)));
        }
        text += "[KEYS]\r\n";
        for (int i = 0; i < kHotkeyOptionCount; ++i) {
            text += Line("K(" + std::to_string(i) + ")",
                         Digits(r, r.Between(1, 300)) + "," + Digits(r, r.Between(250, 2000)));
        }
        return text + Line(std::string(r.Between(static_cast<int32_t>(kTextSize), 3000), 'K'), "1");
    }
    case kOverflow:
    case kSigns:
        for (int i = 0; i < 10; ++i) {
            setup.values[i] = 0;
        }
        {
            std::string text = "[SVM]\r\nRid=1\r\n[SETTINGS]\r\n";
            for (const char* key : reliability::kSettingKeys) {
                text += Line(key, kind == kOverflow ? OddNumber(r) : OddNumber(r).substr(0, 5));
            }
            text += "[KEYS]\r\n";
            for (int i = 0; i < kHotkeyOptionCount; ++i) {
                text += Line("K(" + std::to_string(i) + ")", OddNumber(r) + "," + OddNumber(r));
            }
            return text;
        }
    case kDuplicates: {
        std::string text = FileOf(setup, r.OneIn(2));
        for (int i = 0; i < 6; ++i) {
            const char* sections[] = {"SETTINGS", "KEYS", "TOWER", "SVM", "settings", " Keys "};
            text += "[" + std::string(sections[r.Below(6)]) + "]\r\n";
            text += Line(reliability::kSettingKeys[r.Below(10)], OddNumber(r));
            text += Line("K(" + std::to_string(r.Below(15)) + ")", OddNumber(r));
            text += Line("Rid", r.OneIn(2) ? "0" : "1");
            text += Line("Mode", "2");
        }
        return text;
    }
    case kMissingSections: {
        setup.values[4] = r.Between(0, 2);
        std::string text = FileOf(setup, r.OneIn(2));
        const char* drop[] = {"[SETTINGS]", "[TOWER]", "[KEYS]"};
        for (const char* section : drop) {
            size_t at = text.find(section);
            if (at != std::string::npos && r.OneIn(2)) {
                text.replace(at, strlen(section), "[X" + std::to_string(r.Below(99)) + "]");
            }
        }
        return text;
    }
    case kSpottingBadTower: {
        setup.values[4] = kModePlaneSpotting;
        int edit = r.Below(7);
        setup.tower[edit] = r.OneIn(2) ? setup.tower[edit] + r.Between(1, 9) : r.Between(-9, 9);
        std::string text = FileOf(setup, !r.OneIn(4));
        if (r.OneIn(3)) {
            size_t at = text.find(reliability::kTowerKeys[r.Below(7)]);
            if (at != std::string::npos) {
                text.insert(at, "X");
            }
        }
        return text;
    }
    case kSpottingExtremeTower:
        setup.values[4] = kModePlaneSpotting;
        setup.values[0] = 1;
        for (int i = 0; i < 6; ++i) {
            const int32_t extremes[] = {0, -1, 65535, 65536, INT32_MAX, INT32_MIN};
            setup.tower[i] = r.OneIn(2) ? extremes[r.Below(6)] : static_cast<int32_t>(r.Next());
        }
        SealTower(setup);
        return FileOf(setup, true);
    case kMarkerVariants: {
        std::string text = FileOf(setup, setup.values[4] == kModePlaneSpotting);
        const char* markers[] = {"0", "", "01", "1x", " 1", "-1", "00", "\"1\"", "2"};
        size_t at = text.find("Rid=1");
        text.replace(at, 5, r.OneIn(6) ? "Xid=1" : std::string("Rid=") + markers[r.Below(9)]);
        return text;
    }
    case kHotkeyTexts:
        for (std::string& key : setup.keys) {
            const char* odd[] = {",", ",,", "", "0,0", "65", "97,1", "59,2", "65,1,2", "65;1"};
            key = r.OneIn(2)
                      ? odd[r.Below(9)]
                      : OddNumber(r) + (r.OneIn(2) ? "," : "") + (r.OneIn(2) ? OddNumber(r) : "");
        }
        return FileOf(setup, setup.values[4] == kModePlaneSpotting);
    case kFlippedBits: {
        std::string text = FileOf(setup, setup.values[4] == kModePlaneSpotting);
        int flips = r.Between(1, 8);
        for (int i = 0; i < flips; ++i) {
            text[r.Below(static_cast<uint32_t>(text.size()))] ^= static_cast<char>(1 << r.Below(8));
        }
        return text;
    }
    case kDumpSwitchedOn: {
        std::string text = FileOf(setup, setup.values[4] == kModePlaneSpotting);
        return text + Line("2", r.OneIn(2) ? "2" : "2" + Garbage(r, r.Between(1, 400))) +
               (r.OneIn(2) ? Garbage(r, r.Below(300)) : "");
    }
    case kValidSetup:
    default:
        return FileOf(setup, setup.values[4] == kModePlaneSpotting);
    }
}

class ConfigCorpus : public SkyvaneHost {
  protected:
    // The platform caches a settings file per process and trusts it while the file's time is
    // unchanged; files written here within one tick of the clock would read as the old one.
    void ReleaseCachedFile() {
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, IniPath().c_str());
    }

    // Each input gets a modification time of its own, one second apart, long past.
    void StampInput(int n) {
        HANDLE file = CreateFileA(IniPath().c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        ULARGE_INTEGER time;
        time.QuadPart = 125911584000000000ull + static_cast<uint64_t>(n) * 10000000ull;
        FILETIME stamp = {time.LowPart, time.HighPart};
        SetFileTime(file, nullptr, nullptr, &stamp);
        CloseHandle(file);
    }

    // One host run over the file; false when the host did not come up.
    bool RunHidden() {
        options.showWindow = false;
        if (!HostsimStart(&options)) {
            return false;
        }
        HostsimStep(kStepsPerRun);
        HostsimShutdown();
        return true;
    }
};

} // namespace

TEST_F(ConfigCorpus, EveryGeneratedFileEndsAsACleanFileAndValidSetupsSurvive) {
    Random r(kCorpusSeed);
    int tried[kKindCount] = {};
    int dirty[kKindCount] = {};
    DWORD milliseconds[kKindCount] = {};
    int lost = 0;
    const int filesPerKind = FilesPerKind();
    for (int n = 0; n < filesPerKind * kKindCount; ++n) {
        Kind kind = static_cast<Kind>(n % kKindCount);
        Random fileRandom(r.Next());
        Random copy = fileRandom;
        std::string text = Generate(kind, fileRandom);
        WriteIniText(text);
        StampInput(n);
        ReleaseCachedFile();
        DWORD started = GetTickCount();
        ASSERT_TRUE(RunHidden()) << HostsimLastError();
        milliseconds[kind] += GetTickCount() - started;
        ReleaseCachedFile();
        ++tried[kind];
        std::string problems = reliability::ProblemsOfWrittenFile(IniPath());
        if (!problems.empty()) {
            ++dirty[kind];
            ADD_FAILURE() << kKindNames[kind] << " file " << n << ": " << problems;
        }
        if (kind == kValidSetup) {
            PilotSetup expected = ValidSetup(copy);
            bool same = true;
            for (int i = 0; i < 10; ++i) {
                same = same && ReadIni("SETTINGS", reliability::kSettingKeys[i]) ==
                                   std::to_string(expected.values[i]);
            }
            for (int i = 0; i < kHotkeyOptionCount; ++i) {
                same = same && ReadIni("KEYS", ("K(" + std::to_string(i) + ")").c_str()) ==
                                   expected.keys[i];
            }
            if (expected.values[4] == kModePlaneSpotting) {
                for (int i = 0; i < 7; ++i) {
                    same = same && ReadIni("TOWER", reliability::kTowerKeys[i]) ==
                                       std::to_string(expected.tower[i]);
                }
            }
            if (!same) {
                ++lost;
                ADD_FAILURE() << "valid setup " << n << " changed over a run:\n" << text;
            }
        }
        if (HasFatalFailure() || dirty[kind] > 3) {
            break;
        }
    }
    int total = 0;
    for (int k = 0; k < kKindCount; ++k) {
        printf("[ corpus   ] %-22s %5d files, %d not clean, %lu ms\n", kKindNames[k], tried[k],
               dirty[k], static_cast<unsigned long>(milliseconds[k]));
        total += tried[k];
    }
    printf("[ corpus   ] %d files through the DLL, %d valid setups changed\n", total, lost);
    EXPECT_EQ(total, filesPerKind * kKindCount);
}
