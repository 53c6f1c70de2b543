#pragma once
// The settings file's texts in memory, and what a restart reads back of what the module would
// write now: the values at load, then the file.
#include <cstdio>
#include <map>
#include <string>
#include "settings/config_apply.h"
#include "settings/settings_defaults.h"

using IniTexts = std::map<std::string, std::string>;

inline void WriteIniText(void* context, const char* section, const char* key, const char* value) {
    (*static_cast<IniTexts*>(context))[std::string(section) + "/" + key] = value;
}

inline void ReadIniText(void* context, const char* section, const char* key, char* value) {
    const IniTexts& texts = *static_cast<IniTexts*>(context);
    auto it = texts.find(std::string(section) + "/" + key);
    snprintf(value, kTextSize, "%s", it == texts.end() ? "0" : it->second.c_str());
}

struct StoredState {
    Settings settings;
    HotkeyTable hotkeys;
    EyePoint spotting;
};

inline StoredState ReadBackAfterRestart(const Settings& settings, const HotkeyTable& hotkeys,
                                        const EyePoint& spotting) {
    IniTexts texts;
    WriteConfigurationTexts(WriteIniText, &texts, settings, hotkeys, spotting);
    StoredState read{};
    InitModuleDefaults(read.settings, read.hotkeys);
    ApplyConfigurationTexts(ReadIniText, &texts, read.settings, read.hotkeys, read.spotting);
    return read;
}

// The index of the first option whose key or modifiers differ, -1 when none does.
inline int FirstHotkeyDifference(const HotkeyTable& a, const HotkeyTable& b) {
    for (int i = 0; i < kHotkeyOptionCount; ++i) {
        const HotkeyOption &x = a.options[i], &y = b.options[i];
        if (x.key != y.key || x.shiftFlag != y.shiftFlag || x.ctrlFlag != y.ctrlFlag ||
            x.modifierMask != y.modifierMask) {
            return i;
        }
    }
    return -1;
}
