#include "camera/placement.h"
#include <ctime>
#include "camera/numeric.h"
#include "camera/placement_math.h"
#include "camera/random_offsets.h"
#include "settings/settings_limits.h"

namespace {

constexpr double kSignatureScale = 1000.0; // sizes compared in thousandths of a foot

// Every read takes the target afresh: a read may find the aircraft gone and fall back.
double ReadTarget(ModuleCore& core, int32_t variable, int32_t unit) {
    return ReadAircraftValue(core, core.target.id, variable, unit);
}

bool HighWordsEqual(const EyePoint& a, const EyePoint& b) {
    return a.latHi == b.latHi && a.lonHi == b.lonHi && a.altHi == b.altHi;
}

} // namespace

HostObjectData ResolveObjectData(ModuleCore& core, HostObjectId id) {
    HostObject object = core.host->LookupObject(id);
    if (!object) {
        object = core.host->LookupObject(kUserAircraftId);
        FollowUserAircraft(core);
    }
    return object ? core.host->ObjectData(object) : nullptr;
}

double ReadAircraftValue(ModuleCore& core, HostObjectId id, int32_t variable, int32_t unit) {
    return core.host->ReadValue(ResolveObjectData(core, id), variable, unit);
}

void ComputeEyePoint(ModuleCore& core) {
    PlacementInputs in;
    in.latitudeDeg = ReadTarget(core, kVarLatitude, kUnitDegrees);
    in.longitudeDeg = ReadTarget(core, kVarLongitude, kUnitDegrees);
    in.altitudeFeet = ReadTarget(core, kVarAltitude, kUnitFeet);
    in.magneticHeadingDeg = ReadTarget(core, kVarMagneticHeading, kUnitDegrees);
    in.sizeFeet = ReadTarget(core, kVarSize, kUnitFeet);
    in.speedAlongKnots = ReadTarget(core, kVarSpeedAlong, kUnitKnots);
    in.verticalSpeedFpm = ReadTarget(core, kVarVerticalSpeed, kUnitFeetPerMinute);
    in.speedAcrossKnots = ReadTarget(core, kVarSpeedAcross, kUnitKnots);
    in.groundElevationFeet = ReadTarget(core, kVarGroundElevation, kUnitFeet);
    in.magneticVariationDeg = ReadTarget(core, kVarMagneticVariation, kUnitDegrees);

    const Settings& settings = core.settings;
    PassByController& c = core.controller;
    PlacementParameters params{settings.Svp, c.lateralOffset, c.altitudeOffset, settings.Mode};
    EyePoint point;
    // A host value that is not a number would put the camera nowhere: the old point stays.
    if (ComputeEyePointFrom(in, params, point)) {
        c.computedEyePoint = point;
        core.host->WriteTowerEyePoint(point);
    }
}

void RandomizeOffsets(ModuleCore& core) {
    PassByController& c = core.controller;
    if (!c.randomSeeded) {
        SeedRandomizer(c.random, static_cast<uint32_t>(time(nullptr)));
        c.randomSeeded = true;
    }
    const Settings& s = core.settings;
    OffsetSettings offsetSettings{s.Rlp, s.Ral, s.RndH, s.RndV, s.RngRlp, s.RngRal};
    int32_t speedAlong = TruncateToInt32(ReadTarget(core, kVarSpeedAlong, kUnitKnots));
    Offsets offsets = RandomizeOffsetsFrom(c.random, offsetSettings, speedAlong);
    c.lateralOffset = offsets.lateral;
    c.altitudeOffset = offsets.altitude;
}

bool SyncHostEyePoint(ModuleCore& core) {
    PassByController& c = core.controller;
    EyePoint tower;
    if (!core.host->ReadTowerEyePoint(&tower)) {
        return false;
    }
    c.hostEyePointNow = tower;
    if (HighWordsEqual(c.hostEyePointNow, c.hostEyePointLast)) {
        return false;
    }
    bool changedByHost = false;
    if (c.ownWritePending) {
        c.ownWritePending = false;
    } else {
        c.savedHostEyePoint = tower;
        changedByHost = true;
    }
    c.hostEyePointLast = tower;
    return changedByHost;
}

bool CheckTargetSize(ModuleCore& core) {
    int32_t size = TruncateToInt32(ReadTarget(core, kVarSize, kUnitFeet) * kSignatureScale);
    PassByController& c = core.controller;
    if (size == c.lastTargetSize) {
        return false;
    }
    c.lastTargetSize = size;
    return true;
}

void RenewEyePoint(ModuleCore& core) {
    core.controller.ownWritePending = true;
    core.controller.periodTicks = 0;
    RandomizeOffsets(core);
    ComputeEyePoint(core);
    SyncHostEyePoint(core);
}

void PlaceEyePoint(ModuleCore& core, PlacementKind kind) {
    PassByController& c = core.controller;
    c.ownWritePending = true;
    c.periodTicks = 0;
    if (kind == kPlacementNew) {
        if (core.settings.Active == 0) {
            c.ownWritePending = false;
            return;
        }
        if (core.settings.Mode == kModePlaneSpotting) {
            core.host->WriteTowerEyePoint(c.spottingEyePoint);
            SyncHostEyePoint(core);
            return;
        }
        RandomizeOffsets(core);
        ComputeEyePoint(core);
        SyncHostEyePoint(core);
        return;
    }
    if (core.target.id != kUserAircraftId) {
        c.ownWritePending = false;
        return;
    }
    core.host->ReadPosition(ResolveObjectData(core, kUserAircraftId), &c.spotSourceEyePoint);
    core.host->WriteTowerEyePoint(c.spotSourceEyePoint);
    EyePoint tower;
    if (core.host->ReadTowerEyePoint(&tower)) {
        c.spottingEyePoint = tower;
    }
    SyncHostEyePoint(core);
}

void FollowUserAircraft(ModuleCore& core) {
    core.target.id = kUserAircraftId;
    if (core.host->ReplacementInstalled()) {
        core.host->RemoveRedirect();
        core.host->RefreshViewWordA();
        PlaceEyePoint(core, kPlacementNew);
    }
}
