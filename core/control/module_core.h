#pragma once
// The module's state that the core decides on: settings, hotkeys, the dialog's working copy,
// the followed aircraft, the camera, the binding stages and the AI list's model. The shell's
// ModuleState extends it with windows and handles.
#include <cstdint>
#include "core/boundary/host_boundary.h"
#include "core/boundary/shell_hooks.h"
#include "core/camera/pass_by_state.h"
#include "core/settings/pending_settings.h"
#include "core/settings/settings_record.h"
#include "core/traffic/ai_list_state.h"
#include "core/traffic/tour_choice.h"
#include "core/settings/config_apply.h"

// Binding stages, as recorded in startupFlags.
constexpr uint32_t kStartupInitDone = 1;
constexpr uint32_t kStartupBound = 2;
constexpr uint32_t kStartupRunning = 4;

struct ModuleCore {
    HostBoundary* host;
    ShellHooks* shell;
    uint32_t startupFlags; // kStartupInitDone, kStartupBound or kStartupRunning
    bool resolvePending;
    bool firstTickPending;

    Settings settings;
    HotkeyTable hotkeys;
    PendingSettings pending;
    TargetRef target;
    PassByController controller;
    AiListModel aiList;
    StoredValues storedSettings; // what the settings file holds, as last read or asked written
    TrafficTour tour;
};

// Everything that is not zero at load.
void InitModuleCore(ModuleCore& core, HostBoundary* host, ShellHooks* shell);

// Bound, and the host's own eye point recorded: commands and menu entries act only from here on.
bool ModuleRunning(const ModuleCore& core);

// The most entries of the host's AI list the module reads: entry 0 and as many AI aircraft as
// the list window holds rows, so a corrupt count never means billions of reads.
constexpr int32_t kAiListEntryLimit = kAiRowCapacity + 1;
// The host's AI list count within 0..kAiListEntryLimit.
int32_t AiListLength(HostBoundary& host);
