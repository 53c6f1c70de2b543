// Reading and writing the settings file through the private-profile functions.
#include "settings/config_file.h"
#include <windows.h>
#include <cstdio>
#include <cstring>
#include "module/diagnostic_dump.h"
#include "module/module_state.h"
#include "settings/clamp_settings.h"
#include "settings/config_values.h"
#include "settings/settings_limits.h"

namespace {

constexpr char kModulesFolder[] = "\\Modules";
constexpr char kFileName[] = "\\Skyvane.ini";
constexpr char kSettingsSection[] = "SETTINGS";
constexpr char kTowerSection[] = "TOWER";
constexpr char kKeysSection[] = "KEYS";
constexpr char kSvmSection[] = "SVM";
constexpr char kWrittenMarkerKey[] = "Rid";
constexpr char kDumpSwitchKey[] = "2";
constexpr char kMissingValue[] = "0";
constexpr int kSettingCount = 10;
constexpr int kTowerKeyCount = 7;
constexpr int kKeyNameSize = 16;
constexpr uint32_t kFractionShift = 16; // the file keeps bits 16..31 of each low word
constexpr uint32_t kFractionMask = 0xFFFF;

const char* const kSettingKeys[kSettingCount] = {"Active", "Svp",  "Rlp",       "Ral",    "Mode",
                                                 "RndH",   "RndV", "RngSvpMax", "RngRlp", "RngRal"};
const char* const kTowerKeys[kTowerKeyCount] = {"Lat.f", "Lat.i", "Lon.lo", "Lon.hi",
                                                "Alt.f", "Alt.i", "Val.c"};

int32_t* SettingField(Settings& s, int index) {
    int32_t* fields[kSettingCount] = {&s.Active, &s.Svp,  &s.Rlp,       &s.Ral,    &s.Mode,
                                      &s.RndH,   &s.RndV, &s.RngSvpMax, &s.RngRlp, &s.RngRal};
    return fields[index];
}

void ReadValue(const char* path, const char* section, const char* key,
               char (&value)[kConfigValueSize]) {
    GetPrivateProfileStringA(section, key, kMissingValue, value, kConfigValueSize, path);
    value[kConfigValueSize - 1] = '\0';
}

void HotkeyKeyName(int index, char (&name)[kKeyNameSize]) {
    snprintf(name, sizeof(name), "K(%d)", index);
}

uint32_t WithFraction(uint32_t lowWord, int32_t fraction) {
    return (lowWord & kFractionMask) |
           ((static_cast<uint32_t>(fraction) & kFractionMask) << kFractionShift);
}

TowerValues ReadTower(const char* path, EyePoint& spotting) {
    int32_t read[kTowerKeyCount];
    char value[kConfigValueSize];
    for (int i = 0; i < kTowerKeyCount; ++i) {
        ReadValue(path, kTowerSection, kTowerKeys[i], value);
        read[i] = ParseConfigInt(value);
    }
    TowerValues tower{read[0], read[1], read[2], read[3], read[4], read[5], read[6]};
    spotting.latLo = WithFraction(spotting.latLo, tower.latFraction);
    spotting.latHi = tower.latWhole;
    spotting.lonLo = WithFraction(spotting.lonLo, tower.lonFraction);
    spotting.lonHi = tower.lonWhole;
    spotting.altLo = WithFraction(spotting.altLo, tower.altFraction);
    spotting.altHi = tower.altWhole;
    return tower;
}

// Writes one TOWER value and returns the check value of the text written.
int32_t WriteTowerValue(const char* path, int index, int32_t number) {
    char text[kTextBufferSize];
    snprintf(text, sizeof(text), "%d", static_cast<int>(number));
    WritePrivateProfileStringA(kTowerSection, kTowerKeys[index], text, path);
    return CheckValue(text);
}

void WriteTower(const char* path, const EyePoint& spotting) {
    // The fractions are 0..65535, so their signed and unsigned decimal texts are the same.
    const int32_t parts[] = {
        static_cast<int32_t>(spotting.latLo >> kFractionShift), spotting.latHi,
        static_cast<int32_t>(spotting.lonLo >> kFractionShift), spotting.lonHi,
        static_cast<int32_t>(spotting.altLo >> kFractionShift), spotting.altHi};
    uint32_t sum = 0;
    for (int i = 0; i < kTowerKeyCount - 1; ++i) {
        sum += static_cast<uint32_t>(WriteTowerValue(path, i, parts[i]));
    }
    char text[kTextBufferSize];
    snprintf(text, sizeof(text), "%d", static_cast<int>(sum));
    WritePrivateProfileStringA(kTowerSection, kTowerKeys[kTowerKeyCount - 1], text, path);
}

} // namespace

bool BuildConfigPath(char (&path)[kConfigPathSize]) {
    DWORD length = GetCurrentDirectoryA(kConfigPathSize, path);
    size_t suffix = strlen(kModulesFolder) + strlen(kFileName);
    // A directory too long for the whole path means no file at all, never a truncated path.
    if (length == 0 || length + suffix >= static_cast<size_t>(kConfigPathSize)) {
        path[0] = '\0';
        return false;
    }
    strcat(path, kModulesFolder);
    strcat(path, kFileName);
    return true;
}

void ReadConfiguration() {
    char path[kConfigPathSize];
    if (!BuildConfigPath(path)) {
        return;
    }
    g_state.configurationRead = true;
    char value[kConfigValueSize];
    ReadValue(path, kSvmSection, kDumpSwitchKey, value);
    if (value[0] == '2') {
        g_state.diagnosticDump = true;
    }
    ReadValue(path, kSvmSection, kWrittenMarkerKey, value);
    if (value[0] == '0') {
        return;
    }
    int32_t read[kSettingCount];
    for (int i = 0; i < kSettingCount; ++i) {
        ReadValue(path, kSettingsSection, kSettingKeys[i], value);
        read[i] = ParseConfigInt(value);
    }
    for (int i = 0; i < kSettingCount; ++i) {
        *SettingField(g_state.settings, i) = read[i];
    }
    TowerValues tower = {};
    if (g_state.settings.Mode == kModePlaneSpotting) {
        tower = ReadTower(path, g_state.controller.spottingEyePoint);
    }
    for (int i = 0; i < kHotkeyOptionCount; ++i) {
        char name[kKeyNameSize];
        HotkeyKeyName(i, name);
        ReadValue(path, kKeysSection, name, value);
        ParseHotkeyValue(value, g_state.hotkeys.options[i]);
    }
    ClampSettings(g_state.settings, g_state.hotkeys, tower);
}

void WriteConfiguration() {
    char path[kConfigPathSize];
    // A run that never consulted the user's file must not replace it with the values at load.
    if (!g_state.configurationRead || !BuildConfigPath(path)) {
        return;
    }
    // A file the user made read-only stays as it is, whatever the file system would allow.
    DWORD attributes = GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        return;
    }
    WritePrivateProfileStringA(kSettingsSection, nullptr, nullptr, path);
    WritePrivateProfileStringA(kTowerSection, nullptr, nullptr, path);
    WritePrivateProfileStringA(kKeysSection, nullptr, nullptr, path);
    if (!g_state.diagnosticDump) {
        WritePrivateProfileStringA(kSvmSection, nullptr, nullptr, path);
    }
    char text[kTextBufferSize];
    for (int i = 0; i < kSettingCount; ++i) {
        snprintf(text, sizeof(text), "%d", static_cast<int>(*SettingField(g_state.settings, i)));
        WritePrivateProfileStringA(kSettingsSection, kSettingKeys[i], text, path);
    }
    if (g_state.settings.Mode == kModePlaneSpotting) {
        WriteTower(path, g_state.controller.spottingEyePoint);
    }
    for (int i = 0; i < kHotkeyOptionCount; ++i) {
        const HotkeyOption& option = g_state.hotkeys.options[i];
        char name[kKeyNameSize];
        HotkeyKeyName(i, name);
        snprintf(text, sizeof(text), "%u,%u", static_cast<unsigned>(option.key),
                 static_cast<unsigned>(option.modifierMask));
        WritePrivateProfileStringA(kKeysSection, name, text, path);
    }
    snprintf(text, sizeof(text), "%u", 1u);
    WritePrivateProfileStringA(kSvmSection, kWrittenMarkerKey, text, path);
    if (g_state.diagnosticDump) {
        WriteShutdownDump(path);
    }
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path);
}
