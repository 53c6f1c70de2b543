#pragma once
// The module's state that the core decides on: settings, hotkeys, the dialog's working copy,
// the followed aircraft, the camera, the binding stages and the AI list's model. The shell's
// ModuleState extends it with windows and handles.
#include <cstdint>
#include "camera/host_boundary.h"
#include "camera/pass_by_state.h"
#include "settings/pending_settings.h"
#include "settings/settings_record.h"
#include "traffic/ai_list_model.h"

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
};

// Everything that is not zero at load.
void InitModuleCore(ModuleCore& core, HostBoundary* host, ShellHooks* shell);
