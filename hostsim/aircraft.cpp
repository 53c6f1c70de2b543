#include "hostsim/aircraft.h"

#include "hostsim/host_blocks.h"
#include "hostsim/host_geodesy.h"
#include "hostsim/host_world.h"
#include "hostsim/hostsim_aircraft.h"
#include "hostsim/hostsim_eye_point.h"

#include <cmath>
#include <cstddef>
#include <cstring>

static_assert(offsetof(HostObject, id) == kObjectIdOffset, "object ID at +4");
static_assert(offsetof(HostObject, aiStateRecord) == kObjectAiStateOffset, "AI state at +0x14");
static_assert(offsetof(HostDataInterface, positionRecord) == kDataPositionRecordOffset,
              "position record at +0x28");
static_assert(offsetof(AiObjectList, entries) == kAiListEntriesOffset, "entries at +0x0C");
static_assert(sizeof(AiListEntry) == 8, "AI list entries are 8 bytes");
static_assert(sizeof(HostsimEyePoint) == 24, "an eye point is six words");

namespace {
AircraftSlot slots[kHostsimAircraftCapacity];
AiListEntry aiEntries[kHostsimAircraftCapacity + 1];
AiObjectList aiList;

// Present aircraft by ID, so a lookup costs the same with two thousand aircraft as with two:
// open addressing over slot numbers plus one, so that the zeroed table is an empty one.
constexpr int kIdIndexSize = 8192; // a power of two, well above twice the capacity
constexpr int16_t kIdIndexEmpty = 0;
constexpr int16_t kIdIndexRemoved = -1;
int16_t idIndex[kIdIndexSize];
int reuseCursor; // where the search for a removed aircraft's slot to reuse goes on

uint32_t IdHash(int32_t id) {
    return (static_cast<uint32_t>(id) * 2654435761u) & (kIdIndexSize - 1);
}

// The index entry holding the present aircraft with this ID, or null.
int16_t* FindIdEntry(int32_t id) {
    for (uint32_t i = IdHash(id), probes = 0; probes < kIdIndexSize;
         i = (i + 1) & (kIdIndexSize - 1), ++probes) {
        if (idIndex[i] == kIdIndexEmpty) {
            return nullptr;
        }
        if (idIndex[i] > 0 && slots[idIndex[i] - 1].state.id == id) {
            return &idIndex[i];
        }
    }
    return nullptr;
}

void IndexSlot(const AircraftSlot* slot) {
    for (uint32_t i = IdHash(slot->state.id);; i = (i + 1) & (kIdIndexSize - 1)) {
        if (idIndex[i] <= 0) {
            idIndex[i] = static_cast<int16_t>(slot - slots + 1);
            return;
        }
    }
}

// The position for PositionDistance, stored from byte 143 of the position record.
struct StoredPosition {
    double latitudeDeg;
    double longitudeDeg;
    double altitudeMetres;
};
static_assert(kPositionByte + sizeof(StoredPosition) <= kPositionRecordBytes,
              "the position fits its record");

bool Overridden(const AircraftSlot* slot, int32_t variable, double* value) {
    for (int i = 0; i < slot->overrideCount; ++i) {
        if (slot->overrides[i].variable == variable) {
            *value = slot->overrides[i].value;
            return true;
        }
    }
    return false;
}

bool ValueOf(const HostsimAircraft& a, int32_t variable, int32_t unit, double* value) {
    struct Pair {
        int32_t variable, unit;
        double value;
    } pairs[] = {
        {kVarLatitude, kUnitDegrees, a.latitudeDeg},
        {kVarLongitude, kUnitDegrees, a.longitudeDeg},
        {kVarAltitude, kUnitFeet, a.altitudeFeet},
        {kVarMagneticHeading, kUnitDegrees, WrapBearing(a.headingTrueDeg - a.variationDeg)},
        {kVarMagneticVariation, kUnitDegrees, a.variationDeg},
        {kVarSpeedAlong, kUnitKnots, a.speedKnots},
        {kVarSpeedAcross, kUnitKnots, a.acrossKnots},
        {kVarVerticalSpeed, kUnitFeetPerMinute, a.verticalSpeedFpm},
        {kVarGroundElevation, kUnitFeet, a.groundElevationFeet},
        {kVarSize, kUnitFeet, a.sizeFeet},
        {kVarIndicatedAirspeed, kUnitKnots, a.indicatedKnots},
        {kVarUserState, kUnitUserState, a.userState},
    };
    for (const Pair& pair : pairs) {
        if (pair.variable == variable && pair.unit == unit) {
            *value = pair.value;
            return true;
        }
    }
    return false;
}

// Methods of objects and data interfaces that modules never call answer 0, so that a stray
// call cannot do harm.
uint32_t __stdcall UnusedMethod(void*) {
    return 0;
}

HostDataInterface* __stdcall GetObjectData(HostObject* object) {
    return object ? &object->slot->data : nullptr;
}

int32_t __stdcall ReadObjectPosition(HostDataInterface* data, int32_t variable,
                                     HostsimEyePoint* out, int32_t) {
    gWorld.stats.positionReads++;
    if (!data || !out || variable != kVarPosition) {
        return 0;
    }
    const HostsimAircraft& a = data->slot->state;
    *out = HostsimEncodeEyePoint(a.latitudeDeg, a.longitudeDeg, a.altitudeFeet * kMetresPerFoot);
    return 1;
}

// Copies at most capacity characters; a text that long fills the buffer without a terminator,
// as the host's own read does.
int32_t __stdcall ReadObjectText(HostDataInterface* data, int32_t variable, char* buffer,
                                 int32_t capacity, int32_t) {
    gWorld.stats.textReads++;
    if (!data || !buffer || capacity <= 0) {
        return 0;
    }
    const HostsimAircraft& a = data->slot->state;
    const char* text = variable == kTextType           ? a.type
                       : variable == kTextTypeFallback ? a.typeFallback
                                                       : "";
    size_t length = strnlen(text, kHostsimTextBytes);
    size_t copied = length < static_cast<size_t>(capacity) ? length : capacity;
    memcpy(buffer, text, copied);
    if (copied < static_cast<size_t>(capacity)) {
        buffer[copied] = '\0';
    }
    return 1;
}

int32_t __stdcall ReadObjectValue(HostDataInterface* data, int32_t variable, int32_t unit,
                                  double* out, int32_t) {
    gWorld.stats.valueReads++;
    if (!data || !out) {
        return 0;
    }
    if (Overridden(data->slot, variable, out)) {
        return 1;
    }
    if (ValueOf(data->slot->state, variable, unit, out)) {
        return 1;
    }
    gWorld.stats.unknownValueReads++;
    *out = 0;
    return 0;
}

void* objectMethods[kObjectMethodCount];
void* dataMethods[kDataMethodCount];

void FillMethodTables() {
    for (void*& method : objectMethods) {
        method = reinterpret_cast<void*>(&UnusedMethod);
    }
    objectMethods[kGetObjectDataMethod] = reinterpret_cast<void*>(&GetObjectData);
    for (void*& method : dataMethods) {
        method = reinterpret_cast<void*>(&UnusedMethod);
    }
    dataMethods[kReadObjectPositionMethod] = reinterpret_cast<void*>(&ReadObjectPosition);
    dataMethods[kReadObjectTextMethod] = reinterpret_cast<void*>(&ReadObjectText);
    dataMethods[kReadObjectValueMethod] = reinterpret_cast<void*>(&ReadObjectValue);
}

void WirePositionRecord(AircraftSlot* slot) {
    slot->data.positionRecord = slot->state.hasPositionRecord ? slot->positionRecord : nullptr;
    slot->object.aiStateRecord = slot->state.aiState >= 0 ? slot->aiStateRecord : nullptr;
    int32_t aiState = slot->state.aiState;
    memcpy(slot->aiStateRecord + kAiStateIndexByte, &aiState, sizeof aiState);
}
// A slot never handed out, or else the one of the aircraft removed longest ago: a removed
// aircraft's memory stays readable for as long as the host has room.
AircraftSlot* FreeSlot() {
    for (AircraftSlot& candidate : slots) {
        if (!candidate.used) {
            return &candidate;
        }
    }
    for (int i = 0; i < kHostsimAircraftCapacity; ++i) {
        AircraftSlot& candidate = slots[(reuseCursor + i) % kHostsimAircraftCapacity];
        if (!candidate.present) {
            reuseCursor = (reuseCursor + i + 1) % kHostsimAircraftCapacity;
            candidate.used = false;
            return &candidate;
        }
    }
    return nullptr;
}

} // namespace

void ResetAircraft() {
    memset(slots, 0, sizeof slots);
    memset(idIndex, 0, sizeof idIndex);
    reuseCursor = 0;
    memset(aiEntries, 0, sizeof aiEntries);
    memset(&aiList, 0, sizeof aiList);
    aiList.entries = aiEntries;
    FillMethodTables();
}

AircraftSlot* FindSlot(int32_t id) {
    int16_t* entry = FindIdEntry(id);
    return entry ? &slots[*entry - 1] : nullptr;
}

AircraftSlot* SlotOfData(const void* dataInterface) {
    // Only the data interface of a slot handed out is one of the host's.
    uintptr_t address = reinterpret_cast<uintptr_t>(dataInterface);
    uintptr_t first = reinterpret_cast<uintptr_t>(&slots[0].data);
    if (address < first) {
        return nullptr;
    }
    uintptr_t index = (address - first) / sizeof(AircraftSlot);
    if (index >= static_cast<uintptr_t>(kHostsimAircraftCapacity) ||
        &slots[index].data != dataInterface || !slots[index].used) {
        return nullptr;
    }
    return &slots[index];
}

AiObjectList* TheAiList() {
    return &aiList;
}

int PresentAircraft(const HostsimAircraft** out, int capacity) {
    int count = 0;
    for (const AircraftSlot& slot : slots) {
        if (slot.used && slot.present && count < capacity) {
            out[count++] = &slot.state;
        }
    }
    return count;
}

void RebuildAiList() {
    // Entry 0 is the user's aircraft; AI aircraft follow in the order they were added.
    int count = 0;
    aiList.entries = aiEntries;
    AircraftSlot* user = FindSlot(kUserAircraftId);
    aiEntries[count++].object = user ? &user->object : nullptr;
    for (AircraftSlot& slot : slots) {
        if (slot.used && slot.present && slot.state.id != kUserAircraftId) {
            aiEntries[count++].object = &slot.object;
        }
    }
    aiList.count = count;
}

void AdvanceAircraft(HostsimAircraft& a, double seconds) {
    double groundKnots = std::hypot(a.speedKnots, a.acrossKnots);
    double track = a.headingTrueDeg + DegreesOf(std::atan2(a.acrossKnots, a.speedKnots));
    double metres = groundKnots * kMetresPerNauticalMile / kSecondsPerHour * seconds;
    double finalTrack = MoveAlongGreatCircle(&a.latitudeDeg, &a.longitudeDeg, track, metres);
    // The heading turns with the great circle, then by the aircraft's own turn rate.
    a.headingTrueDeg =
        WrapBearing(a.headingTrueDeg + (finalTrack - track) + a.turnRateDegPerSec * seconds);
    a.altitudeFeet += a.verticalSpeedFpm * seconds / 60.0;
    if (a.altitudeFeet < a.groundElevationFeet) {
        a.altitudeFeet = a.groundElevationFeet;
    }
}

void MoveAircraft(double seconds) {
    // In legs of at most a second, so that a turn flies the same path at every simulation rate.
    constexpr double kLegMostSeconds = 1.0;
    for (double left = seconds; left > 0.0; left -= kLegMostSeconds) {
        const double leg = left < kLegMostSeconds ? left : kLegMostSeconds;
        for (AircraftSlot& slot : slots) {
            if (slot.used && slot.present) {
                AdvanceAircraft(slot.state, leg);
            }
        }
    }
}

int NoteGroundContacts(GroundContact* out, int capacity) {
    int count = 0;
    for (AircraftSlot& slot : slots) {
        if (!slot.used || !slot.present || slot.state.id == kUserAircraftId) {
            continue;
        }
        bool onGround = slot.state.altitudeFeet <= slot.state.groundElevationFeet;
        if (slot.groundSeen && onGround != slot.onGroundSeen && count < capacity) {
            out[count++] = {slot.state.id, onGround};
        }
        slot.groundSeen = true;
        slot.onGroundSeen = onGround;
    }
    return count;
}

void RefreshPositions() {
    for (AircraftSlot& slot : slots) {
        if (!slot.used) {
            continue;
        }
        WirePositionRecord(&slot);
        StoredPosition position = {slot.state.latitudeDeg, slot.state.longitudeDeg,
                                   slot.state.altitudeFeet * kMetresPerFoot};
        memcpy(slot.positionRecord + kPositionByte, &position, sizeof position);
    }
    // The user's aircraft has a position for modules once the host has finished loading.
    AircraftSlot* user = FindSlot(kUserAircraftId);
    if (user && *ReadyWord()) {
        HostsimEyePoint eye =
            HostsimEncodeEyePoint(user->state.latitudeDeg, user->state.longitudeDeg,
                                  user->state.altitudeFeet * kMetresPerFoot);
        memcpy(InterfaceField(kAircraftTableInterfaceId, kUserPositionOffset), &eye, sizeof eye);
    }
}

double PositionMetresBetween(const uint8_t* a, const uint8_t* b) {
    StoredPosition pa, pb;
    memcpy(&pa, a, sizeof pa);
    memcpy(&pb, b, sizeof pb);
    return GreatCircleMetres(pa.latitudeDeg, pa.longitudeDeg, pb.latitudeDeg, pb.longitudeDeg);
}

HostObject* __stdcall LookupObject(int32_t id) {
    gWorld.stats.lookups++;
    AircraftSlot* slot = FindSlot(id);
    return slot ? &slot->object : nullptr;
}

// --- public API -----------------------------------------------------------------------------

void HostsimDefaultAircraft(HostsimAircraft* aircraft, int32_t id) {
    memset(aircraft, 0, sizeof *aircraft);
    aircraft->id = id;
    aircraft->latitudeDeg = 50.9;
    aircraft->longitudeDeg = 1.2;
    aircraft->altitudeFeet = 5000;
    aircraft->headingTrueDeg = 90;
    aircraft->variationDeg = -1;
    aircraft->speedKnots = 250;
    aircraft->verticalSpeedFpm = 0;
    aircraft->groundElevationFeet = 0;
    aircraft->sizeFeet = 110;
    aircraft->indicatedKnots = 230;
    aircraft->aiState = id == kUserAircraftId ? -1 : 12;
    aircraft->hasPositionRecord = true;
    strcpy(aircraft->type, id == kUserAircraftId ? "Boeing 737-400" : "Airbus A321");
    strcpy(aircraft->typeFallback, "Airliner");
}

bool HostsimAddAircraft(const HostsimAircraft* aircraft) {
    FillMethodTables();
    AircraftSlot* slot = FindSlot(aircraft->id);
    if (!slot) {
        slot = FreeSlot();
    }
    if (!slot || aircraft->id == 0) {
        return false;
    }
    bool added = !slot->used;
    if (added) {
        memset(slot, 0, sizeof *slot);
        slot->used = true;
        slot->present = true;
        slot->object.methods = objectMethods;
        slot->object.slot = slot;
        slot->data.methods = dataMethods;
        slot->data.slot = slot;
    }
    slot->state = *aircraft;
    if (added) {
        IndexSlot(slot);
    }
    slot->state.type[kHostsimTextBytes - 1] = '\0';
    slot->state.typeFallback[kHostsimTextBytes - 1] = '\0';
    slot->object.id = aircraft->id;
    RebuildAiList();
    RefreshPositions();
    return true;
}

bool HostsimRemoveAircraft(int32_t id) {
    AircraftSlot* slot = FindSlot(id);
    if (!slot || id == kUserAircraftId) {
        return false;
    }
    slot->present = false;
    *FindIdEntry(id) = kIdIndexRemoved;
    RebuildAiList();
    return true;
}

HostsimAircraft* HostsimFindAircraft(int32_t id) {
    AircraftSlot* slot = FindSlot(id);
    return slot ? &slot->state : nullptr;
}

int HostsimAircraftCount() {
    int count = 0;
    for (const AircraftSlot& slot : slots) {
        count += slot.used && slot.present;
    }
    return count;
}

bool HostsimOverrideVariable(int32_t id, int32_t variable, double value) {
    AircraftSlot* slot = FindSlot(id);
    if (!slot) {
        return false;
    }
    for (int i = 0; i < slot->overrideCount; ++i) {
        if (slot->overrides[i].variable == variable) {
            slot->overrides[i].value = value;
            return true;
        }
    }
    if (slot->overrideCount == kMaxOverrides) {
        return false;
    }
    slot->overrides[slot->overrideCount++] = {variable, value};
    return true;
}

void HostsimClearOverrides(int32_t id) {
    AircraftSlot* slot = FindSlot(id);
    if (slot) {
        slot->overrideCount = 0;
    }
}

bool HostsimSetAiList(const int32_t* ids, int count) {
    if (count < 0 || count >= kHostsimAircraftCapacity) {
        return false;
    }
    for (int i = 0; i < count; ++i) {
        AircraftSlot* slot = FindSlot(ids[i]);
        if (!slot) {
            return false;
        }
        aiEntries[i + 1].object = &slot->object;
    }
    aiList.count = count + 1;
    return true;
}

int HostsimAiListCount() {
    return aiList.count;
}

int32_t HostsimAircraftOfData(const void* dataInterface) {
    if (!dataInterface) {
        return 0;
    }
    AircraftSlot* slot = SlotOfData(dataInterface);
    return slot ? slot->state.id : -1;
}
