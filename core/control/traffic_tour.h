#pragma once
// "Watch the Traffic" in the camera: when the tour chooses, what it reads of the host's AI list
// for the choice, and how the followed aircraft changes. The choice itself is in tour_choice.
#include "core/control/module_core.h"

// The menu entry, the hotkey and the settings dialog switch the tour on or off. On, it chooses
// at the next tick in the tower view; off, the aircraft followed stays.
void SetTrafficTour(ModuleCore& core, bool on);
// A target the pilot chooses by hand ends the tour.
void EndTrafficTour(ModuleCore& core);

// The tick, with the pass-by view counting its period in the tower view: a choice due at once
// (the tour was just switched on, or the aircraft it followed has gone) starts a new pass-by.
// True when it placed the eye point.
bool TourStartsPassBy(ModuleCore& core);
// Right before the period's renewal: the next pass-by's aircraft. True when the eye point was
// already placed for it.
bool TourChoosesNextPass(ModuleCore& core);

// The aircraft the tour would follow now, from the host's AI list (the user's when none).
HostObjectId ChooseTourTarget(ModuleCore& core);
