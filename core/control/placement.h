#pragma once
// Placing the tower eye point: computed pass-by points, the plane-spotting point, noticing
// changes of the host's own eye point, and the followed aircraft with its fall-back to the
// user's aircraft.
#include "core/control/module_core.h"

// The data of an aircraft; one the host no longer has is replaced by the user's aircraft, and
// the camera goes back to following the user's aircraft.
HostObjectData ResolveObjectData(ModuleCore& core, HostObjectId id);
double ReadAircraftValue(ModuleCore& core, HostObjectId id, int32_t variable, int32_t unit);

void ComputeEyePoint(ModuleCore& core);
void RandomizeOffsets(ModuleCore& core);
// True when the tower eye point was changed by someone other than the module since last time.
bool SyncHostEyePoint(ModuleCore& core);
// True when the followed aircraft's size, its signature, differs from the one seen last.
bool CheckTargetSize(ModuleCore& core);
void RenewEyePoint(ModuleCore& core);
// New: computes a pass-by point, or puts back the spotting point in plane spotting; nothing
// while the view is off. Spotting: takes the spotting point at the user's aircraft; nothing
// while an AI aircraft is followed or there is no user's aircraft. False when nothing was done.
bool PlaceEyePoint(ModuleCore& core, PlacementKind kind);
void FollowUserAircraft(ModuleCore& core);
