#pragma once
// The host's aircraft as tests add, change and remove them.
#include "hostsim/hostsim_records.h"

// Fills a record with plausible values (an airliner over the Channel).
void HostsimDefaultAircraft(HostsimAircraft* aircraft, int32_t id);
// Adds an aircraft, or replaces the values of one with the same ID. The user's aircraft has
// ID 1; AI aircraft join the AI list in the order they are added.
bool HostsimAddAircraft(const HostsimAircraft* aircraft);
// Removes an AI aircraft: it leaves the AI list and LookupObject returns null for its ID. Its
// memory stays valid, so stale pointers read the last values, until every other slot has been
// used and the host takes the room for a new aircraft.
bool HostsimRemoveAircraft(int32_t id);
HostsimAircraft* HostsimFindAircraft(int32_t id); // live record, or null
int HostsimAircraftCount();                       // present aircraft, user's included
// Makes ReadObjectValue answer this value for the variable, whatever the unit (NaN, infinity
// and huge values included), until cleared.
bool HostsimOverrideVariable(int32_t id, int32_t variable, double value);
void HostsimClearOverrides(int32_t id);
// Puts the given IDs into the AI list as entries 1..count, in this order (1, the user's
// aircraft, allowed); the next add or remove rebuilds the list from the aircraft present.
bool HostsimSetAiList(const int32_t* ids, int count);
int HostsimAiListCount(); // the list's count, entry 0 included
// The HostObjectId of the aircraft whose data interface this is: 0 for null, -1 if unknown.
int32_t HostsimAircraftOfData(const void* dataInterface);
