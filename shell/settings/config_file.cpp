// Reading and writing the settings file through the private-profile functions.
#include "shell/settings/config_file.h"
#include <windows.h>
#include <cstdio>
#include <cstring>
#include "shell/host/diagnostic_dump.h"
#include "shell/host/module_state.h"
#include "core/settings/config_apply.h"

namespace {

constexpr char kModulesFolder[] = "\\Modules";
constexpr char kFileName[] = "\\Skyvane.ini";
constexpr char kSvmSection[] = "SVM";
constexpr char kWrittenMarkerKey[] = "Rid";
constexpr char kDumpSwitchKey[] = "2";
constexpr char kMissingValue[] = "0";

// The file that was read. The host may move its current directory before exit (a file dialog
// does), so the write goes here rather than to a path built afresh.
char g_readPath[kTextSize];

void ReadValue(const char* path, const char* section, const char* key, char (&value)[kTextSize]) {
    GetPrivateProfileStringA(section, key, kMissingValue, value, kTextSize, path);
    value[kTextSize - 1] = '\0';
}

void ReadProfileValue(void* path, const char* section, const char* key, char* value) {
    GetPrivateProfileStringA(section, key, kMissingValue, value, kTextSize,
                             static_cast<const char*>(path));
}

void WriteProfileValue(void* path, const char* section, const char* key, const char* value) {
    WritePrivateProfileStringA(section, key, value, static_cast<const char*>(path));
}

} // namespace

bool BuildConfigPath(char (&path)[kTextSize]) {
    DWORD length = GetCurrentDirectoryA(kTextSize, path);
    size_t suffix = strlen(kModulesFolder) + strlen(kFileName);
    // A directory too long for the whole path means no file at all, never a truncated path.
    if (length == 0 || length + suffix >= static_cast<size_t>(kTextSize)) {
        path[0] = '\0';
        return false;
    }
    strcat(path, kModulesFolder);
    strcat(path, kFileName);
    return true;
}

void ReadConfiguration(ModuleState& state) {
    if (!BuildConfigPath(g_readPath)) {
        return;
    }
    const char* path = g_readPath;
    state.configurationRead = true;
    char value[kTextSize];
    ReadValue(path, kSvmSection, kDumpSwitchKey, value);
    if (value[0] == '2') {
        state.diagnosticDump = true;
    }
    ReadValue(path, kSvmSection, kWrittenMarkerKey, value);
    if (value[0] == '0') {
        return;
    }
    ApplyConfigurationTexts(ReadProfileValue, g_readPath, state.settings, state.hotkeys,
                            state.controller.spottingEyePoint);
}

void WriteConfiguration(const ModuleState& state) {
    // A run that never consulted the user's file must not replace it with the values at load.
    if (!state.configurationRead) {
        return;
    }
    const char* path = g_readPath;
    // A file the user made read-only stays as it is, whatever the file system would allow.
    DWORD attributes = GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        return;
    }
    WritePrivateProfileStringA(kConfigSettingsSection, nullptr, nullptr, path);
    WritePrivateProfileStringA(kConfigTowerSection, nullptr, nullptr, path);
    WritePrivateProfileStringA(kConfigKeysSection, nullptr, nullptr, path);
    if (!state.diagnosticDump) {
        WritePrivateProfileStringA(kSvmSection, nullptr, nullptr, path);
    }
    WriteConfigurationTexts(WriteProfileValue, g_readPath, state.settings, state.hotkeys,
                            state.controller.spottingEyePoint);
    char text[kTextSize];
    snprintf(text, sizeof(text), "%u", 1u);
    WritePrivateProfileStringA(kSvmSection, kWrittenMarkerKey, text, path);
    if (state.diagnosticDump) {
        WriteShutdownDump(state, path);
    }
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path);
}
