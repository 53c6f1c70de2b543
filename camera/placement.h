#pragma once
// Placing the tower eye point: computed pass-by points, the plane-spotting point, and noticing
// changes of the host's own eye point.
#include "camera/pass_by_state.h"

void ComputeEyePoint();
void RandomizeOffsets();
// True when the tower eye point was changed by someone other than the module since last time.
bool SyncHostEyePoint();
// True when the followed aircraft's size, its signature, differs from the one seen last.
bool CheckTargetSize();
void RenewEyePoint();
void PlaceEyePoint(PlacementKind kind);
void FollowUserAircraft();
