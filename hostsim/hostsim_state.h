#pragma once
// The host's state as tests see and set it: interface blocks, state and ready words, pause,
// view, clock, version word, counters, events and journal.
#include "hostsim/hostsim_records.h"

uint8_t* HostsimInterface(uint32_t moduleId); // the block written into ImportTable, or null
HostsimEyePoint* HostsimTowerEyePoint();      // live words at views +0xD50
HostsimViewRecord* HostsimActiveView();       // the record views +0x1190 points to
int32_t HostsimHostState();
// Sets the state word; the automatic loading/ready/flying sequence stops from then on.
void HostsimSetHostState(int32_t state);
bool HostsimReady();
void HostsimSetReady(bool ready); // the ready word alone
bool HostsimPaused();
void HostsimSetPaused(bool paused);
void HostsimSetView(int32_t viewMode);
int32_t HostsimFollowedObject(); // the last SetFollowedObject argument (1 at start)
void HostsimSetUtc(int hours, int minutes, int seconds, int dayOfWeek);
// The simulation rate: simulated seconds per real second, a power of two from 1/4 to 128, at
// which the aircraft fly and the UTC clock runs. False, the rate unchanged, for any other value.
bool HostsimSetSimulationRate(double rate);
double HostsimSimulationRate();
uint32_t HostsimVersionWord(); // the word at image base + 0x73BB4
void HostsimSetVersionWord(uint32_t value);
const HostsimStats* HostsimStatistics();

// Events modules posted (PostHostEvent), oldest first, since HostsimStart.
int HostsimEventCount();
uint32_t HostsimEvent(int index);

// The host's journal: what it did, in order ("init Modules\\x.dll", "close", "destroyed",
// "deinit x.dll", "free x.dll", ...), one line each, since the latest HostsimStart. Stays
// readable after HostsimShutdown.
const char* HostsimJournal();
