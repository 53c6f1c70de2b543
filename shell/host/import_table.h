#pragma once
// The two records the host's module loader looks for by name.
#include <cstdint>

struct ModuleLinkage {
    uint32_t moduleId;
    void(__stdcall* init)();
    void(__stdcall* deinit)();
    uint32_t flags;
    uint32_t priority;
    uint32_t version;
    void* table;
};

struct ImportEntry {
    uint32_t moduleId;
    void* iface; // written by the host; the module only reads it
};

constexpr int kImportEntryCount = 12; // eleven interfaces and the {0, null} terminator

extern "C" {
extern ModuleLinkage Linkage;
extern ImportEntry ImportTable[kImportEntryCount];
}
