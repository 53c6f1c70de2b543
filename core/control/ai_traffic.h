#pragma once
// The host's AI aircraft as the list shows them: the walk over the host's AI list and the host
// values and texts of the eight columns and the status line.
#include <cstdint>
#include "core/control/module_core.h"
#include "core/traffic/ai_format.h"

// One pass over the host's AI list, entries 1..count-1 with the count read at the start.
struct AiWalk {
    int32_t listCount; // entry 0 included; shown as the AI count
    int32_t next;
};
AiWalk BeginAiWalk(HostBoundary& host);
// The next AI aircraft; false at the end of the list or at the user's aircraft.
bool NextAiAircraft(HostBoundary& host, AiWalk& walk, HostObjectId& id);

// Column 0, the aircraft's type, into a buffer of kTextSize characters.
void FormatAiType(ModuleCore& core, HostObjectId id, char* out);
// The host value behind column 1..7 of an aircraft, and its text into kTextSize characters.
double ReadAiColumnValue(ModuleCore& core, HostObjectId id, int column);
void FormatAiColumnValue(int column, double value, char* out);

// Nautical miles from the user's aircraft, or -1 when either position record is missing.
double AiDistanceNm(ModuleCore& core, HostObjectId id);
// Degrees from the user's aircraft, referred to magnetic north, 0 up to 360.
double AiBearing(ModuleCore& core, HostObjectId id);

// The host's day of the week, 0 being Sunday.
int32_t HostDayOfWeek(HostBoundary& host);
void FormatHostUtcTime(HostBoundary& host, char* out);
