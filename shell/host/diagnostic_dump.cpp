#include "shell/host/diagnostic_dump.h"
#include <windows.h>
#include <cstdio>
#include "shell/host/host_services.h"
#include "shell/host/import_table.h"
#include "shell/host/module_state.h"

namespace {

constexpr char kSection[] = "SVM";
constexpr int kFirstBindingKey = 3;
constexpr int kBindingLineCount = 6;
constexpr int kFirstShutdownKey = 9;
constexpr int kShutdownValueCount = 39;
constexpr int kKeySize = 8;
constexpr char kWrittenMarkerKey[] = "Rid";
constexpr char kWrittenMarker[] = "1";
constexpr char kMissingValue[] = "0";
constexpr int kMarkerTextSize = 2; // its first character decides

void WriteKey(const char* configPath, int key, const char* value) {
    char name[kKeySize];
    snprintf(name, sizeof(name), "%d", key);
    WritePrivateProfileStringA(kSection, name, value, configPath);
}

uint32_t Word(const void* pointer) {
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(pointer));
}

// Which interfaces the host filled in, as "ID=0xADDRESS" pairs.
void DescribeImportTable(char* out, size_t size) {
    size_t used = 0;
    out[0] = '\0';
    for (const ImportEntry* entry = ImportTable; entry->moduleId != 0 && used < size; ++entry) {
        int written = snprintf(out + used, size - used, "%s%X=0x%08X", used ? " " : "",
                               static_cast<unsigned>(entry->moduleId),
                               static_cast<unsigned>(Word(entry->iface)));
        if (written < 0) {
            break;
        }
        used += static_cast<size_t>(written);
    }
}

} // namespace

void WriteBindingDump(const ModuleState& state, const char* configPath) {
    // The marker goes back at once: a host that dies before unload must not leave a file that
    // the next start ignores and then overwrites with the values at load.
    char marker[kMarkerTextSize];
    GetPrivateProfileStringA(kSection, kWrittenMarkerKey, kMissingValue, marker, sizeof(marker),
                             configPath);
    WritePrivateProfileStringA(kSection, nullptr, nullptr, configPath);
    if (marker[0] != '0') {
        WritePrivateProfileStringA(kSection, kWrittenMarkerKey, kWrittenMarker, configPath);
    }

    char lines[kBindingLineCount][kTextSize] = {};
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    GetVersionExA(&version);
    snprintf(lines[0], kTextSize, "Windows %lu.%lu build %lu %s", version.dwMajorVersion,
             version.dwMinorVersion, version.dwBuildNumber, version.szCSDVersion);
    GetModuleFileNameA(nullptr, lines[1], kTextSize);
    GetCurrentDirectoryA(kTextSize, lines[2]);
    GetModuleFileNameA(state.instance, lines[3], kTextSize);
    snprintf(lines[4], kTextSize, "host window 0x%08X state %d ready %d view module 0x%08X",
             static_cast<unsigned>(Word(state.hostWindow)), state.host->HostState(),
             HostReadyWord(), static_cast<unsigned>(Word(FindHostModuleHandle(kIfaceViewModule))));
    DescribeImportTable(lines[5], kTextSize);
    for (int i = 0; i < kBindingLineCount; ++i) {
        lines[i][kTextSize - 1] = '\0';
        WriteKey(configPath, kFirstBindingKey + i, lines[i]);
    }
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, configPath);
}

void WriteShutdownDump(const ModuleState& s, const char* configPath) {
    const PassByController& c = s.controller;
    const EyePoint& saved = c.savedHostEyePoint;
    uint32_t values[kShutdownValueCount] = {};
    int n = 0;
    values[n++] = Word(s.instance);
    values[n++] = Word(s.hostWindow);
    values[n++] = Word(GetModuleHandleA(nullptr));
    values[n++] = Word(reinterpret_cast<const void*>(s.previousWndProc));
    values[n++] = Word(s.tickWindow);
    values[n++] = s.startupFlags;
    for (const ImportEntry* entry = ImportTable; entry->moduleId != 0; ++entry) {
        values[n++] = Word(entry->iface);
    }
    values[n++] = Word(s.addresses.aircraftTableSlot);
    values[n++] = s.addresses.savedOriginal;
    // The slot's address alone: at exit the host's module that holds it may be gone.
    values[n++] = Word(s.addresses.aircraftTableSlot);
    values[n++] = Word(s.addresses.replacementTable);
    values[n++] = static_cast<uint32_t>(s.addresses.callSite1);
    values[n++] = static_cast<uint32_t>(s.addresses.callSite2);
    values[n++] = Word(s.addresses.userPositionRecord);
    values[n++] = saved.latLo;
    values[n++] = static_cast<uint32_t>(saved.latHi);
    values[n++] = saved.lonLo;
    values[n++] = static_cast<uint32_t>(saved.lonHi);
    values[n++] = saved.altLo;
    values[n++] = static_cast<uint32_t>(saved.altHi);
    values[n++] = c.tickCount;
    values[n++] = static_cast<uint32_t>(s.target.id);
    values[n++] = static_cast<uint32_t>(c.recordedHostState);
    values[n++] = static_cast<uint32_t>(c.recordedViewMode);
    values[n++] = static_cast<uint32_t>(s.settings.Active);
    values[n++] = static_cast<uint32_t>(s.settings.Mode);
    values[n++] = (c.windowOpen ? 1u : 0u) | (c.aiListOpen ? 2u : 0u) |
                  (c.hostWasPaused ? 4u : 0u) | (c.hostMenuOpen ? 8u : 0u);
    values[n++] = static_cast<uint32_t>(s.aiList.sortColumn);
    values[n++] = static_cast<uint32_t>(s.aiList.lastWalkCount);

    char text[kTextSize];
    for (int i = 0; i < n; ++i) {
        snprintf(text, sizeof(text), "0x%08X", static_cast<unsigned>(values[i]));
        WriteKey(configPath, kFirstShutdownKey + i, text);
    }
}
