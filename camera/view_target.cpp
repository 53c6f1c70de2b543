#include "camera/view_target.h"
#include "camera/placement.h"

HostObjectData ViewedAircraftData(ModuleCore& core, bool towerOrFollowView) {
    return ResolveObjectData(core, towerOrFollowView ? core.target.id : kUserAircraftId);
}
