#pragma once
// What the view-target redirect answers host code: the followed aircraft's data to the tower
// and follow views, the user's aircraft's to every other caller; never null.
#include "core/control/module_core.h"

HostObjectData ViewedAircraftData(ModuleCore& core, bool towerOrFollowView);
