#include "core/control/ai_traffic.h"
#include "core/camera/numeric.h"
#include "core/control/placement.h"

namespace {

constexpr int32_t kFirstAiEntry = 1; // entry 0 of the host's list is never an AI aircraft

struct ColumnVariable {
    int32_t variable;
    int32_t unit;
};

// Columns 4..7: altitude, magnetic heading, indicated airspeed, vertical speed.
constexpr int kFirstValueColumn = 4;
constexpr ColumnVariable kValueColumns[] = {
    {kVarAltitude, kUnitFeet},
    {kVarMagneticHeading, kUnitDegrees},
    {kVarIndicatedAirspeed, kUnitKnots},
    {kVarVerticalSpeed, kUnitFeetPerMinute},
};

} // namespace

AiWalk BeginAiWalk(HostBoundary& host) {
    return AiWalk{AiListLength(host), kFirstAiEntry};
}

bool NextAiAircraft(HostBoundary& host, AiWalk& walk, HostObjectId& id) {
    if (walk.next >= walk.listCount) {
        return false;
    }
    id = host.AiListEntryId(walk.next);
    if (id == kUserAircraftId) {
        walk.next = walk.listCount;
        return false;
    }
    ++walk.next;
    return true;
}

void FormatAiType(ModuleCore& core, HostObjectId id, char* out) {
    const int32_t capacity = static_cast<int32_t>(kTextSize);
    core.host->ReadText(ResolveObjectData(core, id), kTextVarType, out, capacity);
    if (out[0] == '\0') {
        core.host->ReadText(ResolveObjectData(core, id), kTextVarTypeFallback, out, capacity);
    }
}

double ReadAiColumnValue(ModuleCore& core, HostObjectId id, int column) {
    switch (column) {
    case 1:
        return core.host->AiStateOf(id);
    case 2:
        return AiDistanceNm(core, id);
    case 3:
        return AiBearing(core, id);
    default:
        if (column >= kFirstValueColumn && column < kAiColumnCount) {
            const ColumnVariable& v = kValueColumns[column - kFirstValueColumn];
            return ReadAircraftValue(core, id, v.variable, v.unit);
        }
        return 0.0;
    }
}

void FormatAiColumnValue(int column, double value, char* out) {
    out[0] = '\0';
    if (column == 1) {
        FormatStateText(TruncateToInt32(value), out);
    } else if (column == 2) {
        FormatDistanceText(value, out);
    } else if (column > 2 && column < kAiColumnCount) {
        FormatRoundedText(value, out);
    }
}

double AiDistanceNm(ModuleCore& core, HostObjectId id) {
    HostObjectData aircraft = ResolveObjectData(core, id);
    HostObjectData user = ResolveObjectData(core, kUserAircraftId);
    double metres = 0.0;
    if (!core.host->DistanceMetres(aircraft, user, &metres)) {
        return -1.0;
    }
    return MetresToAiDistanceNm(metres);
}

double AiBearing(ModuleCore& core, HostObjectId id) {
    double userLat = ReadAircraftValue(core, kUserAircraftId, kVarLatitude, kUnitDegrees);
    double userLon = ReadAircraftValue(core, kUserAircraftId, kVarLongitude, kUnitDegrees);
    double aiLat = ReadAircraftValue(core, id, kVarLatitude, kUnitDegrees);
    double aiLon = ReadAircraftValue(core, id, kVarLongitude, kUnitDegrees);
    double variation =
        ReadAircraftValue(core, kUserAircraftId, kVarMagneticVariation, kUnitDegrees);
    return AiBearingFrom(userLat, userLon, aiLat, aiLon, variation);
}

int32_t HostDayOfWeek(HostBoundary& host) {
    return TruncateToInt32(host.DayOfWeek());
}

void FormatHostUtcTime(HostBoundary& host, char* out) {
    UtcClock clock = host.UtcTime();
    FormatUtcTime(clock.hours, clock.minutes, clock.seconds, out);
}
