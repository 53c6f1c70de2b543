#include "camera/placement.h"
#include <ctime>
#include "camera/numeric.h"
#include "camera/placement_math.h"
#include "camera/random_offsets.h"
#include "module/host_services.h"
#include "module/module_state.h"
#include "settings/settings_limits.h"

namespace {

constexpr double kSignatureScale = 1000.0; // sizes compared in thousandths of a foot

// Every read takes the target afresh: a read may find the aircraft gone and fall back.
double ReadTarget(int32_t variable, int32_t unit) {
    return ReadAircraftValue(g_state.target.id, variable, unit);
}

bool HighWordsEqual(const EyePoint& a, const EyePoint& b) {
    return a.latHi == b.latHi && a.lonHi == b.lonHi && a.altHi == b.altHi;
}

void CopyIntoTower(const EyePoint& point) {
    if (EyePoint* tower = TowerEyePoint()) {
        *tower = point;
    }
}

} // namespace

void ComputeEyePoint() {
    PlacementInputs in;
    in.latitudeDeg = ReadTarget(kVarLatitude, kUnitDegrees);
    in.longitudeDeg = ReadTarget(kVarLongitude, kUnitDegrees);
    in.altitudeFeet = ReadTarget(kVarAltitude, kUnitFeet);
    in.magneticHeadingDeg = ReadTarget(kVarMagneticHeading, kUnitDegrees);
    in.sizeFeet = ReadTarget(kVarSize, kUnitFeet);
    in.speedAlongKnots = ReadTarget(kVarSpeedAlong, kUnitKnots);
    in.verticalSpeedFpm = ReadTarget(kVarVerticalSpeed, kUnitFeetPerMinute);
    in.speedAcrossKnots = ReadTarget(kVarSpeedAcross, kUnitKnots);
    in.groundElevationFeet = ReadTarget(kVarGroundElevation, kUnitFeet);
    in.magneticVariationDeg = ReadTarget(kVarMagneticVariation, kUnitDegrees);

    const Settings& settings = g_state.settings;
    PassByController& c = g_state.controller;
    PlacementParameters params{settings.Svp, c.lateralOffset, c.altitudeOffset, settings.Mode};
    EyePoint point;
    // A host value that is not a number would put the camera nowhere: the old point stays.
    if (ComputeEyePointFrom(in, params, point)) {
        c.computedEyePoint = point;
        CopyIntoTower(point);
    }
}

void RandomizeOffsets() {
    PassByController& c = g_state.controller;
    if (!c.randomSeeded) {
        SeedRandomizer(c.random, static_cast<uint32_t>(time(nullptr)));
        c.randomSeeded = true;
    }
    const Settings& s = g_state.settings;
    OffsetSettings offsetSettings{s.Rlp, s.Ral, s.RndH, s.RndV, s.RngRlp, s.RngRal};
    int32_t speedAlong = TruncateToInt32(ReadTarget(kVarSpeedAlong, kUnitKnots));
    Offsets offsets = RandomizeOffsetsFrom(c.random, offsetSettings, speedAlong);
    c.lateralOffset = offsets.lateral;
    c.altitudeOffset = offsets.altitude;
}

bool SyncHostEyePoint() {
    PassByController& c = g_state.controller;
    const EyePoint* tower = TowerEyePoint();
    if (!tower) {
        return false;
    }
    c.hostEyePointNow = *tower;
    if (HighWordsEqual(c.hostEyePointNow, c.hostEyePointLast)) {
        return false;
    }
    bool changedByHost = false;
    if (c.ownWritePending) {
        c.ownWritePending = false;
    } else {
        c.savedHostEyePoint = *tower;
        changedByHost = true;
    }
    c.hostEyePointLast = *tower;
    return changedByHost;
}

bool CheckTargetSize() {
    int32_t size = TruncateToInt32(ReadTarget(kVarSize, kUnitFeet) * kSignatureScale);
    PassByController& c = g_state.controller;
    if (size == c.lastTargetSize) {
        return false;
    }
    c.lastTargetSize = size;
    return true;
}

void RenewEyePoint() {
    g_state.controller.ownWritePending = true;
    g_state.controller.periodTicks = 0;
    RandomizeOffsets();
    ComputeEyePoint();
    SyncHostEyePoint();
}

void PlaceEyePoint(PlacementKind kind) {
    PassByController& c = g_state.controller;
    c.ownWritePending = true;
    c.periodTicks = 0;
    if (kind == kPlacementNew) {
        if (g_state.settings.Active == 0) {
            c.ownWritePending = false;
            return;
        }
        if (g_state.settings.Mode == kModePlaneSpotting) {
            CopyIntoTower(c.spottingEyePoint);
            SyncHostEyePoint();
            return;
        }
        RandomizeOffsets();
        ComputeEyePoint();
        SyncHostEyePoint();
        return;
    }
    if (g_state.target.id != kUserAircraftId) {
        c.ownWritePending = false;
        return;
    }
    ReadObjectPosition(ResolveObjectData(kUserAircraftId), &c.spotSourceEyePoint);
    CopyIntoTower(c.spotSourceEyePoint);
    if (const EyePoint* tower = TowerEyePoint()) {
        c.spottingEyePoint = *tower;
    }
    SyncHostEyePoint();
}

void FollowUserAircraft() {
    g_state.target.id = kUserAircraftId;
    if (ReplacementTableInstalled()) {
        RemoveRedirect();
        WriteViewWordA();
        PlaceEyePoint(kPlacementNew);
    }
}
