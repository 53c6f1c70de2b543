#include "core/control/module_core.h"
#include "core/settings/settings_defaults.h"

void InitModuleCore(ModuleCore& core, HostBoundary* host, ShellHooks* shell) {
    core.host = host;
    core.shell = shell;
    InitModuleDefaults(core.settings, core.hotkeys);
    core.pending.SelectedOption = -1;
    core.resolvePending = true;
    core.firstTickPending = true;
    core.target.id = kUserAircraftId;
    core.controller.lastTargetId = -1;
    core.controller.towerViewLeft = true;
    ClearSimulationRate(core.controller.simRate);
    core.aiList.sortColumn = kAiHostOrder;
    core.aiList.lastShownCount = -1;
    core.aiList.lastShownDay = -1;
    ResetTrafficTour(core.tour);
}

bool ModuleRunning(const ModuleCore& core) {
    return core.startupFlags == kStartupRunning;
}

int32_t AiListLength(HostBoundary& host) {
    int32_t count = host.AiListCount();
    return count < 0 ? 0 : (count > kAiListEntryLimit ? kAiListEntryLimit : count);
}
