#pragma once
// What must hold after any settings file has been read: every setting in range, a valid hotkey
// table, and texts that read back to the same state. A breach aborts, so libFuzzer keeps the
// input that caused it.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <utility>

#include "core/settings/config_apply.h"
#include "core/settings/settings_defaults.h"
#include "core/settings/settings_limits.h"

#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: broken: %s\n", __FILE__, __LINE__, #condition);           \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)

namespace fuzz {

struct LoadedState {
    Settings settings;
    HotkeyTable hotkeys;
    EyePoint spotting;
};

using WrittenFile = std::map<std::pair<std::string, std::string>, std::string>;

inline bool WithinKeyRange(uint8_t key) {
    return key == 0 || (key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z');
}

inline bool HasDuplicateHotkeys(const HotkeyTable& hotkeys) {
    for (int i = 0; i < kHotkeyOptionCount; ++i) {
        for (int j = i + 1; j < kHotkeyOptionCount; ++j) {
            const HotkeyOption& a = hotkeys.options[i];
            const HotkeyOption& b = hotkeys.options[j];
            if (a.key != 0 && a.key == b.key && a.modifierMask == b.modifierMask) {
                return true;
            }
        }
    }
    return false;
}

inline void CheckRanges(const LoadedState& state) {
    const Settings& s = state.settings;
    FUZZ_CHECK(s.RngSvpMax >= kRngSvpMaxLowSeconds && s.RngSvpMax <= kRngSvpMaxHighSeconds);
    FUZZ_CHECK(s.RngRlp >= kOffsetRangeLow && s.RngRlp <= kOffsetRangeHigh);
    FUZZ_CHECK(s.RngRal >= kOffsetRangeLow && s.RngRal <= kOffsetRangeHigh);
    FUZZ_CHECK(s.SvpMin == kSvpMinSeconds);
    FUZZ_CHECK(s.RlpMin == -s.RngRlp && s.RalMin == -s.RngRal);
    FUZZ_CHECK(s.Svp >= s.SvpMin && s.Svp <= s.RngSvpMax);
    FUZZ_CHECK(s.Rlp >= s.RlpMin && s.Rlp <= s.RngRlp);
    FUZZ_CHECK(s.Ral >= s.RalMin && s.Ral <= s.RngRal);
    FUZZ_CHECK(s.Mode >= 0 && s.Mode <= kChoiceHigh);
    FUZZ_CHECK(s.RndH >= 0 && s.RndH <= kChoiceHigh);
    FUZZ_CHECK(s.RndV >= 0 && s.RndV <= kChoiceHigh);
    FUZZ_CHECK(s.Turns >= 0 && s.Turns <= kSwitchHigh);
    FUZZ_CHECK(s.Jumps >= 0 && s.Jumps <= kSwitchHigh);
    for (const HotkeyOption& option : state.hotkeys.options) {
        FUZZ_CHECK(WithinKeyRange(option.key));
        FUZZ_CHECK(option.modifierMask <= 3 && (option.modifierMask >= 1 || option.key == 0));
        FUZZ_CHECK(option.shiftFlag == (option.modifierMask & kShiftBit));
        FUZZ_CHECK(option.ctrlFlag == (option.modifierMask & kCtrlBit));
        FUZZ_CHECK(option.optionName != nullptr && option.optionName[0] != '\0');
    }
    FUZZ_CHECK(!HasDuplicateHotkeys(state.hotkeys));
}

inline void WriteToMap(void* context, const char* section, const char* key, const char* value) {
    FUZZ_CHECK(std::strlen(value) < kTextSize);
    (*static_cast<WrittenFile*>(context))[{section, key}] = value;
}

inline void ReadFromMap(void* context, const char* section, const char* key, char* value) {
    const WrittenFile& file = *static_cast<const WrittenFile*>(context);
    auto it = file.find({section, key});
    std::snprintf(value, kTextSize, "%s", it == file.end() ? "0" : it->second.c_str());
}

// The file written from a loaded state must read back, from the values at load, to the same
// state, and write the same texts again: nothing a pilot set is lost over a restart.
inline void CheckRoundTrip(const LoadedState& loaded) {
    WrittenFile first;
    WriteConfigurationTexts(WriteToMap, &first, loaded.settings, loaded.hotkeys, loaded.spotting);
    LoadedState again;
    InitModuleDefaults(again.settings, again.hotkeys);
    again.spotting = EyePoint{};
    ApplyConfigurationTexts(ReadFromMap, &first, again.settings, again.hotkeys, again.spotting);
    FUZZ_CHECK(std::memcmp(&again.settings, &loaded.settings, sizeof(Settings)) == 0);
    for (int i = 0; i < kHotkeyOptionCount; ++i) {
        FUZZ_CHECK(again.hotkeys.options[i].key == loaded.hotkeys.options[i].key);
        FUZZ_CHECK(again.hotkeys.options[i].modifierMask == loaded.hotkeys.options[i].modifierMask);
    }
    if (loaded.settings.Mode == kModePlaneSpotting) {
        const EyePoint& a = again.spotting;
        const EyePoint& b = loaded.spotting;
        FUZZ_CHECK(a.latHi == b.latHi && a.lonHi == b.lonHi && a.altHi == b.altHi);
        FUZZ_CHECK((a.latLo >> 16) == (b.latLo >> 16) && (a.lonLo >> 16) == (b.lonLo >> 16) &&
                   (a.altLo >> 16) == (b.altLo >> 16));
    }
    WrittenFile second;
    WriteConfigurationTexts(WriteToMap, &second, again.settings, again.hotkeys, again.spotting);
    for (const auto& entry : first) {
        FUZZ_CHECK(second[entry.first] == entry.second);
    }
}

} // namespace fuzz
