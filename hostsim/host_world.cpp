// The stand-in's own state and its records: events, journal, actions, counters.
#include "hostsim/host_world.h"

#include "hostsim/host_blocks.h"
#include "hostsim/host_layout.h"
#include "hostsim/hostsim_state.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

HostWorld gWorld;

void RecordHostEvent(uint32_t code) {
    if (gWorld.eventCount < kHostsimMaxEvents) {
        gWorld.events[gWorld.eventCount++] = code;
    }
    if (code == kEventPause) {
        *PauseWord() = 1;
    } else if (code == kEventResume) {
        *PauseWord() = 0;
    }
}

void Journal(const char* format, ...) {
    size_t used = strlen(gWorld.journal);
    if (used + 2 >= sizeof gWorld.journal) {
        return;
    }
    va_list args;
    va_start(args, format);
    vsnprintf(gWorld.journal + used, sizeof gWorld.journal - used - 1, format, args);
    va_end(args);
    strcat(gWorld.journal, "\n");
}

void NoteAction(const char* format, ...) {
    if (gWorld.actionCount == kMaxActionsPerSecond) {
        return;
    }
    va_list args;
    va_start(args, format);
    vsnprintf(gWorld.actions[gWorld.actionCount++], kActionTextBytes, format, args);
    va_end(args);
}

int32_t HostsimFollowedObject() {
    return gWorld.followedObject;
}
const HostsimStats* HostsimStatistics() {
    return &gWorld.stats;
}
int HostsimEventCount() {
    return gWorld.eventCount;
}

uint32_t HostsimEvent(int index) {
    return index >= 0 && index < gWorld.eventCount ? gWorld.events[index] : 0;
}

const char* HostsimJournal() {
    return gWorld.journal;
}
