#pragma once
// The one catalogue of what the module uses inside the host: interface IDs, byte offsets,
// variables and units, and the host functions reached through them.
#include <windows.h>
#include <cstdint>
#include "camera/eye_point.h"
#include "camera/pass_by_state.h"

// Interface IDs the module declares in its import table, in the order declared.
constexpr uint32_t kIfaceEvents = 0x0F;
constexpr uint32_t kIfaceObjects = 0x17;
constexpr uint32_t kIfaceDiagnostics26 = 0x26;
constexpr uint32_t kIfaceHostCore = 0x01;
constexpr uint32_t kIfaceHostState = 0x80000000;
constexpr uint32_t kIfaceViews = 0x02;
constexpr uint32_t kIfaceGlobals = 0x03;
constexpr uint32_t kIfaceUserAircraft = 0x19;
constexpr uint32_t kIfaceDiagnostics38 = 0x38;
constexpr uint32_t kIfacePositions = 0x14;
constexpr uint32_t kIfaceViewModule = 0x0A;

// Host states and view modes.
constexpr int32_t kHostStateBinding = 227; // the host has finished starting
constexpr int32_t kHostStateFlying = 12;
constexpr int32_t kViewModeCockpit = 1;
constexpr int32_t kViewModeTower = 3;
constexpr int32_t kViewModeFollow = 4;
constexpr uint16_t kViewWordRefresh = 0x40;

// Host events posted around the module's dialogs.
constexpr uint32_t kEventPauseForDialog = 65794;
constexpr uint32_t kEventResumeAfterDialog = 65795;

// Variables and units for ReadObjectValue.
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
constexpr int32_t kTextVarType = 527;
constexpr int32_t kTextVarTypeFallback = 526;

// The import table entry for an interface, or null while the host has not filled it.
uint8_t* HostInterface(uint32_t id);
// True when every interface that binding and running need has been filled in.
bool HostInterfacesFilled();

// Host words; each accessor gives null or a neutral value when its interface is missing.
EyePoint* TowerEyePoint();
int32_t* ViewModeWord();
uint16_t* ViewWordA();
uint16_t* ViewWordB();
int32_t HostPauseWord();
int32_t HostStateWord();
int32_t HostReadyWord();
struct UtcClock {
    int32_t hours;
    int32_t minutes;
    uint16_t seconds;
};
UtcClock HostUtcClock();
void WriteViewWordA();
void WriteViewWordB();
void SetViewMode(int32_t mode);
int32_t CurrentViewMode();

// Host operations.
void* LookupObject(HostObjectId id);
void* ResolveObjectData(HostObjectId id);
double ReadObjectValue(void* data, int32_t variable, int32_t unit);
double ReadAircraftValue(HostObjectId id, int32_t variable, int32_t unit);
void ReadObjectText(void* data, int32_t variable, char* buffer, int32_t capacity);
void ReadObjectPosition(void* data, EyePoint* out);
int32_t AiStateOf(HostObjectId id);
const void* DistancePositionOf(void* data);
double PositionDistance(const void* first, const void* second);
void SetFollowedObject(HostObjectId id);
void PostHostEvent(uint32_t code);
double ReadHostGlobal(int32_t group, int32_t item);

// The host's AI object list; entry 0 is never an AI aircraft and is included in the count.
int32_t AiListCount();
HostObjectId AiListEntryId(int32_t index); // 1 for an index outside the list

// Binding.
HMODULE FindHostModuleHandle(uint32_t id);
void* FindHostModuleExport(uint32_t id);
void ResolveHostAddresses();

// The view-target redirect.
// The host's word differs from what the host left there (someone redirected it).
bool RedirectInstalled();
// The host's word points to the module's own replacement table.
bool ReplacementTableInstalled();
void InstallRedirect();
void RemoveRedirect();
extern "C" void* __stdcall ViewedAircraftSubstitute();

// Forgets the fetched host functions; used when the module is bound afresh.
void ResetHostFunctionCache();
