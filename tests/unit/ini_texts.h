#pragma once
// What a restart reads back of what the module would write now: the values at load, then the
// file's texts, kept in memory.
#include <cstdio>
#include <map>
#include <string>
#include <tuple>
#include "core/settings/config_apply.h"
#include "core/settings/settings_defaults.h"

using IniTexts = std::map<std::string, std::string>;

struct StoredState {
    Settings settings;
    HotkeyTable hotkeys;
    EyePoint spotting;
};

inline StoredState ReadBackAfterRestart(const Settings& settings, const HotkeyTable& hotkeys,
                                        const EyePoint& spotting) {
    IniTexts texts;
    WriteConfigurationTexts(
        [](void* t, const char* section, const char* key, const char* value) {
            (*static_cast<IniTexts*>(t))[std::string(section) + "/" + key] = value;
        },
        &texts, settings, hotkeys, spotting);
    StoredState read{};
    InitModuleDefaults(read.settings, read.hotkeys);
    ApplyConfigurationTexts(
        [](void* t, const char* section, const char* key, char* value) {
            const IniTexts& texts = *static_cast<IniTexts*>(t);
            auto it = texts.find(std::string(section) + "/" + key);
            snprintf(value, kTextSize, "%s", it == texts.end() ? "0" : it->second.c_str());
        },
        &texts, read.settings, read.hotkeys, read.spotting);
    return read;
}

// The first option whose key or modifiers differ, -1 when none does.
inline int FirstHotkeyDifference(const HotkeyTable& a, const HotkeyTable& b) {
    for (int i = 0; i < kHotkeyOptionCount; ++i) {
        const HotkeyOption &x = a.options[i], &y = b.options[i];
        if (std::tie(x.key, x.shiftFlag, x.ctrlFlag, x.modifierMask) !=
            std::tie(y.key, y.shiftFlag, y.ctrlFlag, y.modifierMask)) {
            return i;
        }
    }
    return -1;
}
