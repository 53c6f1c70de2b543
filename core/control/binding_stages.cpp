#include "core/control/binding_stages.h"
#include "core/control/placement.h"
#include "core/control/settings_saving.h"

namespace {

// A host that has not filled every interface, or whose view module does not export what the
// redirect needs, is not ready yet.
bool HostBindable(HostBoundary& host) {
    return host.InterfacesFilled() && host.HostReady() && host.HostState() == kHostStateBinding &&
           host.ViewModuleExported();
}

} // namespace

bool FirstTickInit(ModuleCore& core) {
    if (!core.firstTickPending) {
        return false;
    }
    if (core.resolvePending) {
        if (!HostBindable(*core.host)) {
            return true;
        }
        core.resolvePending = false;
        core.host->ResolveAddresses();
        core.shell->Bound();
        RecordStoredSettings(core);
        core.startupFlags = kStartupBound;
    }
    if (!core.host->UserPositionKnown()) {
        return true;
    }
    core.host->ReadTowerEyePoint(&core.controller.savedHostEyePoint);
    core.firstTickPending = false;
    PlaceEyePoint(core, kPlacementNew);
    core.startupFlags = kStartupRunning;
    return false;
}
