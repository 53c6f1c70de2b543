#pragma once
// The host's record of its AI traffic: each lift-off and touch-down, and which aircraft the
// tower view showed, in the journal and for the trace.
#include "hostsim/hostsim_traffic.h"

void ResetTrafficRecord();
// Notes this second's lift-offs and touch-downs, and a change of the aircraft the tower view
// shows with the reason the host sees for watching it; after the views have asked.
void NoteTrafficSecond();
// This second's movements: the first index and how many.
int FirstMovementOfSecond(int* count);
