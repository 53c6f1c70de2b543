#pragma once
// Everything the module asks of the host, as one interface. The module's shell implements it
// over the host's memory at the host's offsets; the core reaches the host only through it, so
// the core builds and is tested anywhere against a fake host.
#include <cstdint>
#include "core/camera/eye_point.h"
#include "core/camera/pass_by_state.h"

// Host states and view modes.
constexpr int32_t kHostStateBinding = 227; // the host has finished starting
constexpr int32_t kHostStateFlying = 12;
constexpr int32_t kViewModeCockpit = 1;
constexpr int32_t kViewModeTower = 3;
constexpr int32_t kViewModeFollow = 4;

// Variables and units of an aircraft's values.
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
constexpr int32_t kTextVarType = 527;
constexpr int32_t kTextVarTypeFallback = 526;

// The host's clock of universal time.
struct UtcClock {
    int32_t hours;
    int32_t minutes;
    uint16_t seconds;
};

// Host objects are opaque: an object as found by its id, and the data interface of an object.
using HostObject = void*;
using HostObjectData = void*;

class HostBoundary {
  public:
    // Binding: the host has filled every interface the module needs (the view module's
    // included), says it is ready, and its view module exports what the redirect needs.
    virtual bool InterfacesFilled() = 0;
    virtual bool HostReady() = 0;
    virtual int32_t HostState() = 0; // kHostStateBinding, kHostStateFlying or another
    virtual bool ViewModuleExported() = 0;
    // Finds the redirect's words and the user's position record; once, when bound.
    virtual void ResolveAddresses() = 0;
    // The user's aircraft has a position (its position record is not all zero).
    virtual bool UserPositionKnown() = 0;

    // Objects: null for an aircraft the host does not have (any more).
    virtual HostObject LookupObject(HostObjectId id) = 0;
    virtual HostObjectData ObjectData(HostObject object) = 0;
    // A value of an object's data in a unit; 0 when data is null.
    virtual double ReadValue(HostObjectData data, int32_t variable, int32_t unit) = 0;
    // A text into buffer[capacity], always terminated; empty when data is null.
    virtual void ReadText(HostObjectData data, int32_t variable, char* buffer,
                          int32_t capacity) = 0;
    // The object's position as an eye point; out is left as it is when data is null.
    virtual void ReadPosition(HostObjectData data, EyePoint* out) = 0;
    // The AI state index of an aircraft, -1 when it has none.
    virtual int32_t AiStateOf(HostObjectId id) = 0;
    // The host's distance of two objects in metres; false, and metres left as they are, when
    // either has no position record (or its data is null).
    virtual bool DistanceMetres(HostObjectData first, HostObjectData second, double* metres) = 0;
    // The host's AI list; entry 0 is never an AI aircraft and is included in the count.
    virtual int32_t AiListCount() = 0;
    virtual HostObjectId AiListEntryId(int32_t index) = 0; // 1 outside the list
    virtual double DayOfWeek() = 0;                        // 0 being Sunday, as the host gives it
    virtual UtcClock UtcTime() = 0;

    // Views.
    virtual bool ReadTowerEyePoint(EyePoint* out) = 0; // false while the host has none
    virtual void WriteTowerEyePoint(const EyePoint& point) = 0;
    virtual int32_t ViewMode() = 0;
    virtual void SetViewMode(int32_t mode) = 0;
    virtual void RefreshTowerView() = 0;  // the tower view takes its eye point afresh
    virtual void RefreshFollowView() = 0; // the follow view takes its aircraft afresh
    virtual void SetFollowedObject(HostObjectId id) = 0;
    virtual bool HostPaused() = 0;

    // The view-target redirect.
    virtual bool RedirectInstalled() = 0;       // the host's word differs from its own
    virtual bool ReplacementInstalled() = 0;    // the host's word is the module's table
    virtual void InstallRedirect() = 0;         // only over the host's own word
    virtual void RemoveRedirect() = 0;          // only when the module's table is there
    virtual HostObjectData OwnViewAnswer() = 0; // what the host's own table answers

  protected:
    ~HostBoundary() = default;
};
