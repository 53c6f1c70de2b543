#pragma once
// The host's AI aircraft as the list shows them: the walk over the host's AI list and the texts
// of the eight columns and the status line, read through the host services.
#include <cstdint>
#include "camera/pass_by_state.h"
#include "traffic/ai_format.h"

// One pass over the host's AI list, entries 1..count-1 with the count read at the start.
struct AiWalk {
    int32_t listCount; // entry 0 included; shown as the AI count
    int32_t next;
};
AiWalk BeginAiWalk();
// The next AI aircraft; false at the end of the list or at the user's aircraft.
bool NextAiAircraft(AiWalk& walk, HostObjectId& id);

// The aircraft whose columns FormatAiColumn reads.
void SetFormattedAircraft(HostObjectId id);
// Column 0..7 of that aircraft into a buffer of kAiTextSize characters.
void FormatAiColumn(int column, char* out);
// The host value behind column 1..7 of that aircraft, and its text; FormatAiColumn is the two
// together.
double ReadAiColumnValue(int column);
void FormatAiColumnValue(int column, double value, char* out);

// Nautical miles from the user's aircraft, or -1 when either position record is missing.
double AiDistanceNm(HostObjectId id);
// Degrees from the user's aircraft, referred to magnetic north, 0 up to 360.
double AiBearing(HostObjectId id);

// The host's day of the week, 0 being Sunday.
int32_t HostDayOfWeek();
void FormatHostUtcTime(char* out);
