#include "core/control/placement.h"
#include <ctime>
#include "core/camera/numeric.h"
#include "core/camera/placement_math.h"
#include "core/camera/random_offsets.h"
#include "core/settings/settings_limits.h"

namespace {

constexpr double kSignatureScale = 1000.0; // sizes compared in thousandths of a foot

// Every read takes the target afresh: a read may find the aircraft gone and fall back. A read
// that finds no aircraft at all, not even the user's, clears readable.
double ReadTarget(ModuleCore& core, int32_t variable, int32_t unit, bool& readable) {
    HostObjectData data = ResolveObjectData(core, core.target.id);
    readable = readable && data != nullptr;
    return core.host->ReadValue(data, variable, unit);
}

// The module's own write: the change it makes is not the host's.
void WriteOwnEyePoint(ModuleCore& core, const EyePoint& point) {
    core.controller.ownWritePending = true;
    core.host->WriteTowerEyePoint(point);
}

bool HighWordsEqual(const EyePoint& a, const EyePoint& b) {
    return a.latHi == b.latHi && a.lonHi == b.lonHi && a.altHi == b.altHi;
}

} // namespace

HostObjectData ResolveObjectData(ModuleCore& core, HostObjectId id) {
    HostObject object = core.host->LookupObject(id);
    if (!object) {
        object = core.host->LookupObject(kUserAircraftId);
        // Only the followed aircraft's going takes the camera back; another aircraft (a row of
        // the AI list) going leaves the target alone.
        if (id == core.target.id && id != kUserAircraftId) {
            FollowUserAircraft(core);
        }
    }
    return object ? core.host->ObjectData(object) : nullptr;
}

double ReadAircraftValue(ModuleCore& core, HostObjectId id, int32_t variable, int32_t unit) {
    return core.host->ReadValue(ResolveObjectData(core, id), variable, unit);
}

void ComputeEyePoint(ModuleCore& core) {
    bool readable = true;
    PlacementInputs in;
    in.latitudeDeg = ReadTarget(core, kVarLatitude, kUnitDegrees, readable);
    in.longitudeDeg = ReadTarget(core, kVarLongitude, kUnitDegrees, readable);
    in.altitudeFeet = ReadTarget(core, kVarAltitude, kUnitFeet, readable);
    in.magneticHeadingDeg = ReadTarget(core, kVarMagneticHeading, kUnitDegrees, readable);
    in.sizeFeet = ReadTarget(core, kVarSize, kUnitFeet, readable);
    in.speedAlongKnots = ReadTarget(core, kVarSpeedAlong, kUnitKnots, readable);
    in.verticalSpeedFpm = ReadTarget(core, kVarVerticalSpeed, kUnitFeetPerMinute, readable);
    in.speedAcrossKnots = ReadTarget(core, kVarSpeedAcross, kUnitKnots, readable);
    in.groundElevationFeet = ReadTarget(core, kVarGroundElevation, kUnitFeet, readable);
    in.magneticVariationDeg = ReadTarget(core, kVarMagneticVariation, kUnitDegrees, readable);
    // Without an aircraft to read every value is 0: the camera would go to 0 degrees, 0 degrees.
    if (!readable) {
        return;
    }

    const Settings& settings = core.settings;
    PassByController& c = core.controller;
    PlacementParameters params{settings.Svp, c.lateralOffset, c.altitudeOffset, settings.Mode};
    if (settings.Turns != 0) {
        params.simSecondsPerSecond = FreshSimulationRate(c.simRate, c.tickCount);
        if (c.watchedTarget == core.target.id) {
            params.turnRateDegPerSec = FreshTurnRate(c.watch, c.tickCount);
        }
    }
    EyePoint point;
    // A host value that is not a number would put the camera nowhere: the old point stays.
    if (ComputeEyePointFrom(in, params, point)) {
        WriteOwnEyePoint(core, point);
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
    // The draws come before the read: a read that finds the target gone places afresh inside
    // it, and that placement must not take this one's draws.
    Offsets drawn = DrawOffsets(c.random, offsetSettings);
    bool readable = true;
    int32_t speedAlong = TruncateToInt32(ReadTarget(core, kVarSpeedAlong, kUnitKnots, readable));
    Offsets offsets = OffsetsAtSpeed(drawn, offsetSettings, speedAlong);
    c.lateralOffset = offsets.lateral;
    c.altitudeOffset = offsets.altitude;
}

bool SyncHostEyePoint(ModuleCore& core) {
    PassByController& c = core.controller;
    EyePoint tower;
    if (!core.host->ReadTowerEyePoint(&tower)) {
        return false;
    }
    if (HighWordsEqual(tower, c.hostEyePointLast)) {
        c.ownWritePending = false; // a write of the same point changes nothing to notice
        return false;
    }
    const bool changedByHost = !c.ownWritePending;
    c.ownWritePending = false;
    if (changedByHost) {
        c.savedHostEyePoint = tower;
    }
    c.hostEyePointLast = tower;
    return changedByHost;
}

bool CheckTargetSize(ModuleCore& core) {
    bool readable = true;
    int32_t size =
        TruncateToInt32(ReadTarget(core, kVarSize, kUnitFeet, readable) * kSignatureScale);
    PassByController& c = core.controller;
    if (size == c.lastTargetSize) {
        return false;
    }
    c.lastTargetSize = size;
    return true;
}

void RenewEyePoint(ModuleCore& core) {
    core.controller.periodTicks = 0;
    RandomizeOffsets(core);
    ComputeEyePoint(core);
    SyncHostEyePoint(core);
}

bool PlaceEyePoint(ModuleCore& core, PlacementKind kind) {
    PassByController& c = core.controller;
    c.periodTicks = 0;
    if (kind == kPlacementNew) {
        if (core.settings.Active == 0) {
            return false;
        }
        if (core.settings.Mode == kModePlaneSpotting) {
            WriteOwnEyePoint(core, c.spottingEyePoint);
        } else {
            RandomizeOffsets(core);
            ComputeEyePoint(core);
        }
        SyncHostEyePoint(core);
        return true;
    }
    HostObjectData user = ResolveObjectData(core, kUserAircraftId);
    if (core.target.id != kUserAircraftId || !user) {
        return false;
    }
    EyePoint position = c.spottingEyePoint;
    core.host->ReadPosition(user, &position);
    WriteOwnEyePoint(core, position);
    EyePoint tower;
    if (core.host->ReadTowerEyePoint(&tower)) {
        c.spottingEyePoint = tower;
    }
    SyncHostEyePoint(core);
    return true;
}

void FollowUserAircraft(ModuleCore& core) {
    core.target.id = kUserAircraftId;
    if (core.host->ReplacementInstalled()) {
        core.host->RemoveRedirect();
        core.host->RefreshTowerView();
        PlaceEyePoint(core, kPlacementNew);
    }
}
