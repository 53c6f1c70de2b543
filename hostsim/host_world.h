#pragma once
// The stand-in's own state: options, time, host state sequence, events, journal. One instance,
// used on the host's one thread.
#include "hostsim/hostsim_records.h"

constexpr int kJournalBytes = 65536; // a busy field's twenty minutes of movements fit
constexpr int kErrorBytes = 512;
constexpr int kActionTextBytes = 160;
constexpr int kMaxActionsPerSecond = 16;
constexpr int kRealtimeSliceMilliseconds = 100;

enum StatePhase { kPhaseLoading, kPhaseReady, kPhaseFlying, kPhaseManual };

struct HostWorld {
    HostsimOptions options;
    bool running;
    bool refuseClose;     // the main window stays open at WM_CLOSE, as if quitting were cancelled
    int seconds;          // whole host seconds since start
    double realtimeCarry; // real time not yet turned into a host second
    double simRate;       // simulated seconds per real second: aircraft and clock (1)
    double clockCarry;    // simulated time not yet shown by the whole-second clock
    StatePhase phase;
    bool readyReached;
    int dialogSecondsLeft; // Views item 3: back to state 12 when it runs out
    int32_t followedObject;
    int dayOfWeek;
    uint32_t events[kHostsimMaxEvents];
    int eventCount;
    int eventsTraced;                                     // events already written to the trace
    char actions[kMaxActionsPerSecond][kActionTextBytes]; // done this second, for the trace
    int actionCount;
    uint16_t viewWordASeen; // view words written during this second, for the trace
    uint16_t viewWordBSeen;
    uint32_t towerRefreshes; // 0x40 in view word A served
    char journal[kJournalBytes];
    char lastError[kErrorBytes];
    HostsimStats stats;
    HWND mainWindow;
    int32_t lastSeen[kHostsimCallerCount];
    HostsimSlotReport lastSlots;
    uint32_t keysSeen; // WM_KEYDOWN the host's window procedure received
};

extern HostWorld gWorld;

// Keeps an event a module posted; pause and resume also set the pause word.
void RecordHostEvent(uint32_t code);
void Journal(const char* format, ...);
void NoteAction(const char* format, ...);
