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
// The new file while it is being written; as long as the file's own ".ini", so its path fits
// wherever the file's does.
constexpr char kFreshExtension[] = ".new";

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

namespace {

// A file the user made read-only stays as it is, whatever the file system would allow; a run that
// never consulted the user's file must not replace it with the values at load.
bool ConfigurationWritable(const ModuleState& state) {
    if (!state.configurationRead) {
        return false;
    }
    DWORD attributes = GetFileAttributesA(g_readPath);
    return attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY) == 0;
}

// The module's sections of the file at `path`, as at exit; the SVM section keeps what the
// diagnostic dump put there. The other sections stay as they are.
void WriteStoredSections(const ModuleState& state, char* path) {
    WritePrivateProfileStringA(kConfigSettingsSection, nullptr, nullptr, path);
    WritePrivateProfileStringA(kConfigTowerSection, nullptr, nullptr, path);
    WritePrivateProfileStringA(kConfigKeysSection, nullptr, nullptr, path);
    if (!state.diagnosticDump) {
        WritePrivateProfileStringA(kSvmSection, nullptr, nullptr, path);
    }
    WriteConfigurationTexts(WriteProfileValue, path, state.settings, state.hotkeys,
                            state.controller.spottingEyePoint);
    char text[kTextSize];
    snprintf(text, sizeof(text), "%u", 1u);
    WritePrivateProfileStringA(kSvmSection, kWrittenMarkerKey, text, path);
}

// The flush form of the call writes the platform's cached copy of the file and lets it go, so
// the next access reads the file as it is on disk.
void FlushProfile(const char* path) {
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path);
}

// The file's data on the disk before the rename makes it the settings file: the rename's own
// write-through does not cover the data (and Wine ignores it), so a power cut right after it
// would otherwise leave an empty file.
void CommitToDisk(const char* path) {
    HANDLE file =
        CreateFileA(path, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        FlushFileBuffers(file);
        CloseHandle(file);
    }
}

} // namespace

void WriteConfiguration(const ModuleState& state) {
    if (!ConfigurationWritable(state)) {
        return;
    }
    WriteStoredSections(state, g_readPath);
    if (state.diagnosticDump) {
        WriteShutdownDump(state, g_readPath);
    }
    FlushProfile(g_readPath);
}

// The whole new file is made beside the old one, "Skyvane.new" beside "Skyvane.ini", and then
// takes its place in one rename: a crash in the middle leaves the old file whole.
void SaveConfiguration(const ModuleState& state) {
    if (!ConfigurationWritable(state)) {
        return;
    }
    char fresh[kTextSize];
    memcpy(fresh, g_readPath, sizeof(fresh));
    const size_t length = strlen(fresh);
    memcpy(fresh + length - strlen(kFreshExtension), kFreshExtension, strlen(kFreshExtension));
    DeleteFileA(fresh);
    if (!CopyFileA(g_readPath, fresh, FALSE) && GetLastError() != ERROR_FILE_NOT_FOUND) {
        return;
    }
    WriteStoredSections(state, fresh);
    FlushProfile(fresh);
    CommitToDisk(fresh);
    if (MoveFileExA(fresh, g_readPath, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        FlushProfile(g_readPath);
    } else {
        DeleteFileA(fresh);
    }
}
