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
#include "tests/clean_settings.h"

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

// One input: the defaults, then whatever `read` gives, then every check above.
inline void CheckLoadFrom(ConfigValueReader read, void* context) {
    LoadedState state;
    InitModuleDefaults(state.settings, state.hotkeys);
    state.spotting = EyePoint{};
    ApplyConfigurationTexts(read, context, state.settings, state.hotkeys, state.spotting);
    const std::string problems = clean_settings::Problems(state.settings, state.hotkeys);
    if (!problems.empty()) {
        std::fprintf(stderr, "not clean: %s\n", problems.c_str());
        std::abort();
    }
    CheckRoundTrip(state);
}

} // namespace fuzz
