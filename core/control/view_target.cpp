#include "core/control/view_target.h"
#include "core/control/placement.h"

HostObjectData ViewedAircraftData(ModuleCore& core, bool towerOrFollowView) {
    HostObjectData data =
        ResolveObjectData(core, towerOrFollowView ? core.target.id : kUserAircraftId);
    // Host code that gets null would read through it: when neither the target nor the user's
    // aircraft is there, the host gets what its own table answers.
    return data ? data : core.host->OwnViewAnswer();
}
