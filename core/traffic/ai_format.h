#pragma once
// The texts of the AI aircraft list: column cells from host values, the name tables and the
// status line. Every text goes into a caller's buffer of kTextSize characters.
#include <cstddef>
#include <cstdint>
#include "core/settings/text_size.h"

constexpr int kAiColumnCount = 8;

// Column headers in column order: Type, State, Distance, Bearing, Altitude, Heading, IAS, V.Speed;
// "" outside 0..7.
const char* AiColumnHeader(int column);

// "n/a" for an index outside the tables (0..23 and 0..6).
const char* AiStateName(int32_t stateIndex);
const char* DayName(int32_t day);

// Copies a host text that may fill its whole buffer without a terminator; never reads past
// sourceSize characters and always terminates out.
void CopyHostText(const char* source, size_t sourceSize, char* out);
void FormatStateText(int32_t stateIndex, char* out);
// "%.1f", or "n/a" for a negative distance (and for one that is not a finite number).
void FormatDistanceText(double distanceNm, char* out);
// RoundHalfUp, then "%d": bearing, altitude, heading, airspeed, vertical speed.
void FormatRoundedText(double value, char* out);
void FormatAiCount(int32_t listCount, char* out); // "N = %d" with the count minus entry 0
void FormatDayText(double hostDay, char* out);    // the host's day as a double, truncated
void FormatUtcTime(int32_t hours, int32_t minutes, uint16_t seconds, char* out); // "09:05:03"

// The bearing from the user's aircraft to another, referred to magnetic north, 0 up to 360.
double AiBearingFrom(double userLatDeg, double userLonDeg, double aiLatDeg, double aiLonDeg,
                     double userVariationDeg);
// Metres from the host's distance function turned into nautical miles.
double MetresToAiDistanceNm(double metres);
