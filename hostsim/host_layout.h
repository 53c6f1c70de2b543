#pragma once
// The host's side of the module contract: interface IDs, byte offsets, variable and unit
// numbers, event codes and fixed addresses. Modules find everything through these numbers, so
// they never change; everything else inside the stand-in is free.
#include <cstdint>

// Interfaces, by the module ID under which the host writes them into a module's ImportTable.
constexpr uint32_t kCoreInterfaceId = 0x01;          // ready word, module list, export name
constexpr uint32_t kViewsInterfaceId = 0x02;         // tower eye point, view record, pause, clock
constexpr uint32_t kGlobalsInterfaceId = 0x03;       // ReadHostGlobal
constexpr uint32_t kFollowInterfaceId = 0x0A;        // SetFollowedObject
constexpr uint32_t kEventsInterfaceId = 0x0F;        // PostHostEvent
constexpr uint32_t kGeometryInterfaceId = 0x14;      // PositionDistance
constexpr uint32_t kObjectsInterfaceId = 0x17;       // LookupObject, AI object list
constexpr uint32_t kAircraftTableInterfaceId = 0x19; // the aircraft table, user position
constexpr uint32_t kDiagnosticAInterfaceId = 0x26;   // only dumped by modules
constexpr uint32_t kDiagnosticBInterfaceId = 0x38;   // only dumped by modules
constexpr uint32_t kStateInterfaceId = 0x80000000;   // host state word

// Block sizes: each covers the largest offset used in it, rounded up.
constexpr uint32_t kCoreInterfaceBytes = 0x9800;
constexpr uint32_t kViewsInterfaceBytes = 0x1200;
constexpr uint32_t kGlobalsInterfaceBytes = 0x200;
constexpr uint32_t kFollowInterfaceBytes = 0x100;
constexpr uint32_t kEventsInterfaceBytes = 0x100;
constexpr uint32_t kGeometryInterfaceBytes = 0x200;
constexpr uint32_t kObjectsInterfaceBytes = 0x100;
constexpr uint32_t kAircraftTableInterfaceBytes = 0xA400;
constexpr uint32_t kDiagnosticInterfaceBytes = 0x100;
constexpr uint32_t kStateInterfaceBytes = 0x5000;

// Words and records inside the interfaces.
constexpr uint32_t kTowerEyePointOffset = 0xD50;      // views: six-word eye point
constexpr uint32_t kActiveViewPointerOffset = 0x1190; // views: pointer to the view record
constexpr uint32_t kPauseWordOffset = 0x26C;          // views: int32, 1 while paused
constexpr uint32_t kUtcSecondsOffset = 0x23A;         // views: uint16
constexpr uint32_t kUtcHoursOffset = 0x23C;           // views: int32
constexpr uint32_t kUtcMinutesOffset = 0x240;         // views: int32
constexpr uint32_t kStateWordOffset = 0x4F44;         // state: int32
constexpr uint32_t kReadyWordOffset = 0x96A0;         // core: int32, non-zero once ready
constexpr uint32_t kModuleListPointerOffset = 0x95BC; // core: pointer to the list head word
constexpr uint32_t kExportNameOffset = 0xDA8;         // core: name of module 0x0A's export
constexpr uint32_t kUserPositionOffset = 0xA358;      // aircraft table: six words
constexpr uint32_t kAiListPointerOffset = 0xC0;       // objects: pointer to the AI list

// Host functions, as words inside the interfaces.
constexpr uint32_t kLookupObjectOffset = 0x50;      // objects
constexpr uint32_t kSetFollowedObjectOffset = 0xE4; // follow
constexpr uint32_t kPostHostEventOffset = 0x90;     // events
constexpr uint32_t kReadHostGlobalOffset = 0x10C;   // globals
constexpr uint32_t kPositionDistanceOffset = 0x184; // geometry

// The view record.
constexpr uint32_t kViewModeOffset = 0x20;  // int32
constexpr uint32_t kViewWordAOffset = 0x30; // uint16
constexpr uint32_t kViewWordBOffset = 0x34; // uint16
constexpr uint16_t kViewWordRequest = 0x40; // the value modules write into the view words

constexpr int32_t kViewCockpit = 1;
constexpr int32_t kViewTower = 3;
constexpr int32_t kViewFollow = 4;

// Objects, data interfaces and their records.
constexpr int kGetObjectDataMethod = 14;
constexpr int kObjectMethodCount = 15;
constexpr int kReadObjectPositionMethod = 2;
constexpr int kReadObjectTextMethod = 3;
constexpr int kReadObjectValueMethod = 4;
constexpr int kDataMethodCount = 5;
constexpr uint32_t kObjectIdOffset = 4;
constexpr uint32_t kObjectAiStateOffset = 0x14;
constexpr uint32_t kAiStateIndexByte = 884;
constexpr uint32_t kAiStateRecordBytes = 1024;
constexpr uint32_t kDataPositionRecordOffset = 0x28;
constexpr uint32_t kPositionByte = 143;
constexpr uint32_t kPositionRecordBytes = 256;
constexpr uint32_t kAiListEntriesOffset = 0x0C;

constexpr int32_t kUserAircraftId = 1;

// Variables and units of ReadObjectValue and ReadObjectText.
constexpr int32_t kUnitFeet = 7;
constexpr int32_t kUnitDegrees = 63;
constexpr int32_t kUnitFeetPerMinute = 80;
constexpr int32_t kUnitKnots = 82;
constexpr int32_t kUnitUserState = 136;
constexpr int32_t kVarLatitude = 48;
constexpr int32_t kVarLongitude = 49;
constexpr int32_t kVarAltitude = 50;
constexpr int32_t kVarMagneticHeading = 54;
constexpr int32_t kVarMagneticVariation = 64;
constexpr int32_t kVarSpeedAlong = 37;
constexpr int32_t kVarSpeedAcross = 35;
constexpr int32_t kVarVerticalSpeed = 39;
constexpr int32_t kVarGroundElevation = 69;
constexpr int32_t kVarSize = 548;
constexpr int32_t kVarIndicatedAirspeed = 25;
constexpr int32_t kVarUserState = 572;
constexpr int32_t kVarPosition = 532;
constexpr int32_t kTextType = 527;
constexpr int32_t kTextTypeFallback = 526;

constexpr int32_t kGlobalGroupTime = 3;
constexpr int32_t kGlobalDayOfWeek = 50;

constexpr uint32_t kEventPause = 65794;
constexpr uint32_t kEventResume = 65795;

// The WM_TIMER ID the host sends a module's tick window, in lockstep once a second.
constexpr uintptr_t kModuleTickTimerId = 2;

// Host states.
constexpr int32_t kHostStateLoading = 1;
constexpr int32_t kHostStateReady = 227;
constexpr int32_t kHostStateFlying = 12;
constexpr int32_t kHostStateDialog = 16; // a host dialog is open

// The host image's version word.
constexpr uint32_t kVersionWordRva = 0x73BB4;
constexpr uint32_t kVersionWordExpected = 0x900;

// Host module 0x0A: its export, the aircraft table and the view code's return addresses.
constexpr uint32_t kHelperModuleId = 0x0A;
constexpr const char* kHelperDllName = "hostmod0a.dll";
constexpr const char* kHelperExportName = "ViewSystem";
constexpr uint32_t kExportTableWordOffset = 0x64;
constexpr uint32_t kTableSlotBytes = 4;
constexpr int kTableSlotCount = 37;
constexpr uint32_t kViewedAircraftSlot = 0x70;
constexpr uint32_t kLiveSlots[] = {0x5C, 0x74, 0x84, 0x90};
constexpr int kLiveSlotCount = 4;
constexpr uint32_t kTowerCallReturnRva = 0x2CE3;
constexpr uint32_t kFollowCallReturnRva = 0x980F;

// The module records a DLL in the Modules folder exports.
struct LinkageRecord {
    uint32_t moduleId;
    void (*init)();
    void (*deinit)();
    uint32_t flags;
    uint32_t priority;
    uint32_t version;
    void* table;
};
static_assert(sizeof(LinkageRecord) == 28, "Linkage is seven 32-bit words");

struct ImportEntry {
    uint32_t moduleId;
    void* iface;
};
static_assert(sizeof(ImportEntry) == 8, "an ImportTable entry is two 32-bit words");
