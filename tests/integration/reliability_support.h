#pragma once
// Shared by the reliability tests: a seeded generator that gives the same sequence on every
// machine, hidden lockstep runs, and the check that a settings file written at exit is clean.
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <string>
#include "skyvane_fixture.h"

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
constexpr int kOptionCount = 15;

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

// Sum over the characters as signed bytes plus 256 times their position.
inline int32_t CheckValueOf(const std::string& text) {
    uint32_t sum = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        sum += static_cast<uint32_t>(static_cast<int32_t>(static_cast<signed char>(text[i]))) +
               256u * static_cast<uint32_t>(i);
    }
    return static_cast<int32_t>(sum);
}

// Everything wrong with the file the module wrote at exit, or "" when it is clean: every key
// present as a plain decimal, every setting in range, fifteen valid hotkeys, the marker, and a
// TOWER section exactly when plane spotting is kept, with a check value that matches.
inline std::string ProblemsOfWrittenFile(const std::string& path) {
    std::string problems;
    auto fail = [&](const std::string& what) { problems += what + "; "; };
    int v[kSettingCount] = {};
    for (int i = 0; i < kSettingCount; ++i) {
        std::string text = Read(path, "SETTINGS", kSettingKeys[i]);
        if (!IsDecimal(text)) {
            fail(std::string(kSettingKeys[i]) + "=" + text.substr(0, 40));
            continue;
        }
        v[i] = atoi(text.c_str());
    }
    const int svp = v[1], rlp = v[2], ral = v[3], mode = v[4], rndH = v[5], rndV = v[6];
    const int rngSvpMax = v[7], rngRlp = v[8], rngRal = v[9];
    if (rngSvpMax < 15 || rngSvpMax > 120 || svp < 5 || svp > rngSvpMax) {
        fail("Svp " + std::to_string(svp) + " of " + std::to_string(rngSvpMax));
    }
    if (rngRlp < 5 || rngRlp > 100 || rlp < -rngRlp || rlp > rngRlp) {
        fail("Rlp " + std::to_string(rlp) + " of " + std::to_string(rngRlp));
    }
    if (rngRal < 5 || rngRal > 100 || ral < -rngRal || ral > rngRal) {
        fail("Ral " + std::to_string(ral) + " of " + std::to_string(rngRal));
    }
    if (mode < 0 || mode > 2 || rndH < 0 || rndH > 2 || rndV < 0 || rndV > 2) {
        fail("a choice out of 0..2");
    }
    if (v[10] < 0 || v[10] > 1 || v[11] < 0 || v[11] > 1) {
        fail("Turns or Jumps out of 0..1");
    }
    if (mode == 2) {
        int32_t sum = 0;
        for (int i = 0; i < 6; ++i) {
            std::string text = Read(path, "TOWER", kTowerKeys[i]);
            if (!IsDecimal(text)) {
                fail(std::string("TOWER ") + kTowerKeys[i] + "=" + text.substr(0, 40));
            }
            sum = static_cast<int32_t>(static_cast<uint32_t>(sum) +
                                       static_cast<uint32_t>(CheckValueOf(text)));
        }
        if (Read(path, "TOWER", "Val.c") != std::to_string(sum)) {
            fail("TOWER check value");
        }
    } else if (Read(path, "TOWER", "Val.c") != "<missing>") {
        fail("TOWER without plane spotting");
    }
    for (int i = 0; i < kOptionCount; ++i) {
        std::string name = "K(" + std::to_string(i) + ")";
        std::string text = Read(path, "KEYS", name.c_str());
        size_t comma = text.find(',');
        if (comma == std::string::npos || !IsDecimal(text.substr(0, comma)) ||
            !IsDecimal(text.substr(comma + 1))) {
            fail(name + "=" + text.substr(0, 40));
            continue;
        }
        int key = atoi(text.c_str()), mask = atoi(text.c_str() + comma + 1);
        bool keyOk = key == 0 || (key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z');
        if (!keyOk || mask > 3 || (mask < 1 && key != 0)) {
            fail(name + "=" + text);
        }
    }
    if (Read(path, "SVM", "Rid") != "1") {
        fail("marker");
    }
    return problems;
}

} // namespace reliability
