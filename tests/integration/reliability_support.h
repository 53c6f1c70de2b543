#pragma once
// Shared by the reliability tests: a seeded generator that gives the same sequence on every
// machine, hidden lockstep runs, and the check that a settings file written at exit is clean.
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <string>
#include "core/settings/config_values.h"
#include "core/settings/settings_defaults.h"
#include "core/settings/settings_limits.h"
#include "skyvane_fixture.h"
#include "tests/clean_settings.h"

namespace reliability {

// SplitMix64: a fixed sequence for a seed, independent of the C++ library's distributions.
class Random {
  public:
    explicit Random(uint64_t seed) : state_(seed) {}
    uint64_t Next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // 0 .. bound-1
    uint32_t Below(uint32_t bound) { return static_cast<uint32_t>(Next() % bound); }
    bool OneIn(uint32_t n) { return Below(n) == 0; }
    int32_t Between(int32_t low, int32_t high) {
        return low + static_cast<int32_t>(Below(static_cast<uint32_t>(high - low + 1)));
    }

  private:
    uint64_t state_;
};

constexpr const char* kSettingKeys[] = {"Active", "Svp",    "Rlp",   "Ral",
                                        "Mode",   "RndH",   "RndV",  "RngSvpMax",
                                        "RngRlp", "RngRal", "Turns", "Jumps"};
constexpr int kSettingCount = 12;
constexpr const char* kTowerKeys[] = {"Lat.f", "Lat.i", "Lon.lo", "Lon.hi",
                                      "Alt.f", "Alt.i", "Val.c"};

// A hidden main window never repaints its frame, so the module's menu arrives with the frame
// message that the host's painting would send.
inline void PaintHiddenFrame() {
    SendMessageA(HostsimMainWindow(), WM_NCPAINT, 1, 0);
}

inline std::string Read(const std::string& path, const char* section, const char* key) {
    char value[1024] = {};
    GetPrivateProfileStringA(section, key, "<missing>", value, sizeof(value), path.c_str());
    return value;
}

// A plain signed decimal as the module writes it.
inline bool IsDecimal(const std::string& text) {
    size_t i = !text.empty() && text[0] == '-' ? 1 : 0;
    if (i >= text.size() || text.size() > 11) {
        return false;
    }
    for (; i < text.size(); ++i) {
        if (!isdigit(static_cast<unsigned char>(text[i]))) {
            return false;
        }
    }
    return true;
}

// Reads the settings and hotkeys the module wrote, over the defaults (the option names and the
// bounds no file holds); what cannot be read as a plain decimal is listed in the answer.
inline std::string ReadWrittenFile(const std::string& path, Settings& s, HotkeyTable& hotkeys) {
    std::string problems;
    auto fail = [&](const std::string& what) { problems += what + "; "; };
    auto decimal = [&](const std::string& name, const std::string& text, int32_t& out) {
        if (!IsDecimal(text)) {
            fail(name + "=" + text.substr(0, 40));
            return false;
        }
        out = atoi(text.c_str());
        return true;
    };
    InitModuleDefaults(s, hotkeys);
    int32_t* const values[kSettingCount] = {&s.Active, &s.Svp,    &s.Rlp,   &s.Ral,
                                            &s.Mode,   &s.RndH,   &s.RndV,  &s.RngSvpMax,
                                            &s.RngRlp, &s.RngRal, &s.Turns, &s.Jumps};
    for (int i = 0; i < kSettingCount; ++i) {
        decimal(kSettingKeys[i], Read(path, "SETTINGS", kSettingKeys[i]), *values[i]);
    }
    s.RlpMin = static_cast<int32_t>(0u - static_cast<uint32_t>(s.RngRlp));
    s.RalMin = static_cast<int32_t>(0u - static_cast<uint32_t>(s.RngRal));
    for (int i = 0; i < kHotkeyOptionCount; ++i) {
        const std::string name = "K(" + std::to_string(i) + ")";
        const std::string text = Read(path, "KEYS", name.c_str());
        const size_t comma = text.find(',');
        int32_t key = 0, mask = 0;
        if (comma == std::string::npos) {
            fail(name + "=" + text.substr(0, 40));
        } else if (decimal(name, text.substr(0, comma), key) &&
                   decimal(name, text.substr(comma + 1), mask)) {
            if (key < 0 || key > UINT8_MAX || mask < 0 || mask > UINT8_MAX) {
                fail(name + "=" + text);
            }
            HotkeyOption& o = hotkeys.options[i];
            o.key = static_cast<uint8_t>(key);
            o.modifierMask = static_cast<uint8_t>(mask);
            o.shiftFlag = o.modifierMask & kShiftBit;
            o.ctrlFlag = o.modifierMask & kCtrlBit;
        }
    }
    return problems;
}

// Whether a TOWER section may stay without plane spotting: the platform removes only the first
// of two sections of one name, so a second [TOWER] written by hand outlives the module's write.
enum class StaleTower { kNever, kFromADuplicate };

// Everything wrong with the file the module wrote at exit, or "" when it is clean: every key
// present as a plain decimal, the settings and hotkeys clean, the marker, and a TOWER section
// exactly when plane spotting is kept, with a check value that matches.
inline std::string ProblemsOfWrittenFile(const std::string& path,
                                         StaleTower stale = StaleTower::kNever) {
    Settings s;
    HotkeyTable hotkeys;
    std::string problems = ReadWrittenFile(path, s, hotkeys);
    auto fail = [&](const std::string& what) { problems += what + "; "; };
    problems += clean_settings::Problems(s, hotkeys);
    if (s.Mode == kModePlaneSpotting) {
        int32_t sum = 0;
        for (int i = 0; i < 6; ++i) {
            std::string text = Read(path, "TOWER", kTowerKeys[i]);
            if (!IsDecimal(text)) {
                fail(std::string("TOWER ") + kTowerKeys[i] + "=" + text.substr(0, 40));
            }
            sum = static_cast<int32_t>(static_cast<uint32_t>(sum) +
                                       static_cast<uint32_t>(CheckValue(text.c_str())));
        }
        if (Read(path, "TOWER", "Val.c") != std::to_string(sum)) {
            fail("TOWER check value");
        }
    } else if (stale == StaleTower::kNever && Read(path, "TOWER", "Val.c") != "<missing>") {
        fail("TOWER without plane spotting");
    }
    if (Read(path, "SVM", "Rid") != "1") {
        fail("marker");
    }
    return problems;
}

} // namespace reliability
