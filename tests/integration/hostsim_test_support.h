#pragma once
// The stand-in host's own tests: a fresh host folder with the test module, and calls into the
// host's interfaces made the way a module makes them.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "hostsim/hostsim.h"

namespace hostsim_test {

constexpr uint32_t kCore = 0x01, kViews = 0x02, kGlobals = 0x03, kFollow = 0x0A, kEvents = 0x0F;
constexpr uint32_t kGeometry = 0x14, kObjects = 0x17, kTable = 0x19, kState = 0x80000000;
constexpr uint32_t kPause = 65794, kResume = 65795;

inline std::string BinaryFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of("\\/"));
}

template <typename T> T Word(uint32_t moduleId, uint32_t offset) {
    T value;
    memcpy(&value, HostsimInterface(moduleId) + offset, sizeof value);
    return value;
}

template <typename Function> Function HostFunction(uint32_t moduleId, uint32_t offset) {
    return reinterpret_cast<Function>(Word<void*>(moduleId, offset));
}

// The host's object services, reached as a module reaches them.
typedef void*(__stdcall* LookupObjectFn)(int32_t);
typedef void*(__stdcall* GetObjectDataFn)(void*);
typedef int32_t(__stdcall* ReadPositionFn)(void*, int32_t, HostsimEyePoint*, int32_t);
typedef int32_t(__stdcall* ReadTextFn)(void*, int32_t, char*, int32_t, int32_t);
typedef int32_t(__stdcall* ReadValueFn)(void*, int32_t, int32_t, double*, int32_t);

inline void* Method(void* object, int index) {
    void** table = *reinterpret_cast<void***>(object);
    return table[index];
}

inline void* Lookup(int32_t id) {
    return HostFunction<LookupObjectFn>(kObjects, 0x50)(id);
}

inline void* DataOf(int32_t id) {
    void* object = Lookup(id);
    return object ? reinterpret_cast<GetObjectDataFn>(Method(object, 14))(object) : nullptr;
}

inline double ReadValue(int32_t id, int32_t variable, int32_t unit) {
    void* data = DataOf(id);
    double value = -12345.0;
    reinterpret_cast<ReadValueFn>(Method(data, 4))(data, variable, unit, &value, 0);
    return value;
}

struct ImportEntryView {
    uint32_t moduleId;
    void* iface;
};

class HostsimHost : public ::testing::Test {
  protected:
    void SetUp() override {
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        CreateDirectoryA((BinaryFolder() + "\\hosts").c_str(), nullptr);
        root = BinaryFolder() + "\\hosts\\hostsim." + info->test_suite_name() + "." + info->name();
        std::string module = BinaryFolder() + "\\hostsim_testmodule.dll";
        const char* modules[] = {module.c_str()};
        ASSERT_TRUE(HostsimPrepareRoot(root.c_str(), modules, 1)) << HostsimLastError();
        HostsimDefaultOptions(&options);
        snprintf(options.rootDir, sizeof options.rootDir, "%s", root.c_str());
    }

    void TearDown() override { HostsimShutdown(); }

    void Start() { ASSERT_TRUE(HostsimStart(&options)) << HostsimLastError(); }

    // The test module's journal while it is loaded.
    std::string ModuleJournal() {
        typedef const char* (*JournalFn)();
        HMODULE module = HostsimModuleHandle(0);
        FARPROC journal = module ? GetProcAddress(module, "TestModuleJournal") : nullptr;
        return journal ? reinterpret_cast<JournalFn>(reinterpret_cast<void*>(journal))() : "";
    }

    // The journal the test module wrote at deinit.
    std::string ModuleJournalFile() {
        std::string text;
        FILE* file = fopen((root + "\\Modules\\testmodule.journal").c_str(), "rb");
        if (file) {
            char buffer[4096];
            size_t got;
            while ((got = fread(buffer, 1, sizeof buffer, file)) > 0) {
                text.append(buffer, got);
            }
            fclose(file);
        }
        return text;
    }

    const ImportEntryView* ModuleImports() {
        HMODULE module = HostsimModuleHandle(0);
        return module ? reinterpret_cast<const ImportEntryView*>(
                            reinterpret_cast<void*>(GetProcAddress(module, "ImportTable")))
                      : nullptr;
    }

    std::string root;
    HostsimOptions options;
};

// Position of a text in a journal, or npos.
inline size_t At(const std::string& journal, const char* line) {
    return journal.find(std::string(line));
}

} // namespace hostsim_test
