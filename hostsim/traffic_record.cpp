#include "hostsim/traffic_record.h"

#include "hostsim/aircraft.h"
#include "hostsim/host_geodesy.h"
#include "hostsim/host_layout.h"
#include "hostsim/host_world.h"
#include "hostsim/hostsim_aircraft.h"

#include <cstring>

namespace {
constexpr int kContactsPerSecond = 64;
HostsimMovement movements[kHostsimMaxMovements];
int movementCount;
int firstOfSecond;
int32_t towerShown; // the aircraft the tower view showed at the previous note; 0: none yet

void JournalWatched(int32_t id) {
    const HostsimAircraft* a = HostsimFindAircraft(id);
    if (!a) {
        Journal("%d s: watching aircraft %d, which the host does not have", gWorld.seconds, id);
        return;
    }
    if (id == kUserAircraftId) {
        Journal("%d s: watching the user's aircraft (%s)", gWorld.seconds, a->type);
        return;
    }
    const char* state = HostsimAiStateName(a->aiState);
    Journal("%d s: watching AI %d (%s): %s, %.1f nm", gWorld.seconds, id, a->type,
            state ? state : "no state", HostsimDistanceNm(id, kUserAircraftId));
}
} // namespace

void ResetTrafficRecord() {
    movementCount = 0;
    firstOfSecond = 0;
    towerShown = 0;
}

void NoteTrafficSecond() {
    firstOfSecond = movementCount;
    GroundContact contacts[kContactsPerSecond];
    int count = NoteGroundContacts(contacts, kContactsPerSecond);
    for (int i = 0; i < count && movementCount < kHostsimMaxMovements; ++i) {
        HostsimMovement& m = movements[movementCount++];
        m = {gWorld.seconds, contacts[i].id,
             contacts[i].touchDown ? kHostsimTouchDown : kHostsimLiftOff,
             HostsimDistanceNm(contacts[i].id, kUserAircraftId)};
        const HostsimAircraft* a = HostsimFindAircraft(m.id);
        Journal("%d s: AI %d (%s) %s, %.1f nm", m.second, m.id, a->type,
                m.kind == kHostsimTouchDown ? "touches down" : "lifts off", m.distanceNm);
    }
    int32_t shown = gWorld.lastSeen[kHostsimTowerCaller];
    if (shown > 0 && shown != towerShown) {
        JournalWatched(shown);
    }
    towerShown = shown;
}

int FirstMovementOfSecond(int* count) {
    *count = movementCount - firstOfSecond;
    return firstOfSecond;
}

// --- public API -----------------------------------------------------------------------------

int HostsimMovementCount() {
    return movementCount;
}

HostsimMovement HostsimMovementAt(int index) {
    HostsimMovement none = {};
    return index >= 0 && index < movementCount ? movements[index] : none;
}

double HostsimDistanceNm(int32_t firstId, int32_t secondId) {
    const HostsimAircraft* a = HostsimFindAircraft(firstId);
    const HostsimAircraft* b = HostsimFindAircraft(secondId);
    if (!a || !b) {
        return -1.0;
    }
    return GreatCircleMetres(a->latitudeDeg, a->longitudeDeg, b->latitudeDeg, b->longitudeDeg) /
           kMetresPerNauticalMile;
}
