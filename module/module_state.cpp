#include "module/module_state.h"
#include "settings/settings_defaults.h"

ModuleState g_state;

namespace {

// Everything that is not zero at load, in place before the host calls the init routine.
void InitModuleState() {
    InitModuleDefaults(g_state.settings, g_state.hotkeys);
    g_state.pending.SelectedOption = -1;
    g_state.pending.KeysPageGuard = false;
    g_state.resolvePending = true;
    g_state.firstTickPending = true;
    g_state.target.id = kUserAircraftId;
    g_state.controller.lastTargetId = -1;
    g_state.controller.towerViewLeft = true;
    g_state.aiList.sortColumn = -1;
    g_state.aiList.lastShownCount = -1;
    g_state.aiList.lastShownDay = -1;
}

struct StaticInitialisation {
    StaticInitialisation() { InitModuleState(); }
} g_staticInitialisation;

} // namespace
