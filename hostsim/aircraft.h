#pragma once
// The host's simulated aircraft: their records, the objects and data interfaces modules read
// them through, the AI object list, and their motion.
#include "hostsim/host_layout.h"
#include "hostsim/hostsim_records.h"

constexpr int kMaxOverrides = 8;

struct AircraftSlot;

// What LookupObject returns. Method 14 of its table gives the data interface.
struct HostObject {
    void** methods;
    int32_t id; // +4
    uint8_t reserved[0x0C];
    uint8_t* aiStateRecord; // +0x14: int32 AI state index at byte 884
    AircraftSlot* slot;
};

// The data interface modules read variables, texts and the position through.
struct HostDataInterface {
    void** methods;
    uint8_t reserved[0x24];
    uint8_t* positionRecord; // +0x28: the position for PositionDistance at byte 143
    AircraftSlot* slot;
};

struct VariableOverride {
    int32_t variable;
    double value;
};

struct AircraftSlot {
    bool used;    // memory handed out since HostsimStart
    bool present; // in the world: LookupObject finds it
    HostsimAircraft state;
    HostObject object;
    HostDataInterface data;
    uint8_t aiStateRecord[kAiStateRecordBytes];
    uint8_t positionRecord[kPositionRecordBytes];
    VariableOverride overrides[kMaxOverrides];
    int overrideCount;
    bool groundSeen; // onGroundSeen holds what NoteGroundContacts saw last
    bool onGroundSeen;
};

// An AI aircraft that left the ground or came back to it since the previous note.
struct GroundContact {
    int32_t id;
    bool touchDown; // false: lift-off
};

struct AiListEntry {
    uint32_t flags;
    HostObject* object;
};

struct AiObjectList {
    int32_t count; // entry 0 included
    uint8_t reserved[8];
    AiListEntry* entries; // +0x0C
};

void ResetAircraft();
// Moves an aircraft along its great circle for the given seconds: speed, drift, turn and climb,
// never below the ground.
void AdvanceAircraft(HostsimAircraft& aircraft, double seconds);
AircraftSlot* FindSlot(int32_t id); // present aircraft only
AircraftSlot* SlotOfData(const void* dataInterface);
AiObjectList* TheAiList();
// The aircraft present, user's included; returns how many were written.
int PresentAircraft(const HostsimAircraft** out, int capacity);
void RebuildAiList();
// Moves every present aircraft by the given seconds along its great circle.
void MoveAircraft(double seconds);
// Writes the AI aircraft whose contact with the ground changed since the previous call (an
// aircraft seen for the first time changes nothing); returns how many were written.
int NoteGroundContacts(GroundContact* out, int capacity);
// Refreshes the position records and the user position record from the aircraft's state.
void RefreshPositions();

// PositionDistance's measure: two positions as stored from byte 143 of position records.
double PositionMetresBetween(const uint8_t* a, const uint8_t* b);

// Host services on objects (the module takes them from the user's aircraft's tables).
HostObject* __stdcall LookupObject(int32_t id);
