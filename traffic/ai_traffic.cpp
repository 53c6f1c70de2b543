#include "traffic/ai_traffic.h"
#include "camera/numeric.h"
#include "module/host_services.h"

namespace {

constexpr int32_t kFirstAiEntry = 1; // entry 0 of the host's list is never an AI aircraft
constexpr int32_t kGlobalGroupTime = 3;
constexpr int32_t kGlobalDayOfWeek = 50;

HostObjectId g_formattedAircraft = kUserAircraftId;

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

void FormatTypeText(char* out) {
    void* data = ResolveObjectData(g_formattedAircraft);
    ReadObjectText(data, kTextVarType, out, static_cast<int32_t>(kAiTextSize));
    if (out[0] == '\0') {
        ReadObjectText(ResolveObjectData(g_formattedAircraft), kTextVarTypeFallback, out,
                       static_cast<int32_t>(kAiTextSize));
    }
}

const void* DistancePositionOfAircraft(HostObjectId id) {
    return DistancePositionOf(ResolveObjectData(id));
}

} // namespace

AiWalk BeginAiWalk() {
    return AiWalk{AiListCount(), kFirstAiEntry};
}

bool NextAiAircraft(AiWalk& walk, HostObjectId& id) {
    if (walk.next >= walk.listCount) {
        return false;
    }
    id = AiListEntryId(walk.next);
    if (id == kUserAircraftId) {
        walk.next = walk.listCount;
        return false;
    }
    ++walk.next;
    return true;
}

void SetFormattedAircraft(HostObjectId id) {
    g_formattedAircraft = id;
}

void FormatAiColumn(int column, char* out) {
    if (column == 0) {
        out[0] = '\0';
        FormatTypeText(out);
    } else {
        FormatAiColumnValue(column, ReadAiColumnValue(column), out);
    }
}

double ReadAiColumnValue(int column) {
    switch (column) {
    case 1:
        return AiStateOf(g_formattedAircraft);
    case 2:
        return AiDistanceNm(g_formattedAircraft);
    case 3:
        return AiBearing(g_formattedAircraft);
    default:
        if (column >= kFirstValueColumn && column < kAiColumnCount) {
            const ColumnVariable& v = kValueColumns[column - kFirstValueColumn];
            return ReadAircraftValue(g_formattedAircraft, v.variable, v.unit);
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

double AiDistanceNm(HostObjectId id) {
    const void* aircraft = DistancePositionOfAircraft(id);
    if (!aircraft) {
        return -1.0;
    }
    const void* user = DistancePositionOfAircraft(kUserAircraftId);
    if (!user) {
        return -1.0;
    }
    return MetresToAiDistanceNm(PositionDistance(aircraft, user));
}

double AiBearing(HostObjectId id) {
    double userLat = ReadAircraftValue(kUserAircraftId, kVarLatitude, kUnitDegrees);
    double userLon = ReadAircraftValue(kUserAircraftId, kVarLongitude, kUnitDegrees);
    double aiLat = ReadAircraftValue(id, kVarLatitude, kUnitDegrees);
    double aiLon = ReadAircraftValue(id, kVarLongitude, kUnitDegrees);
    double variation = ReadAircraftValue(kUserAircraftId, kVarMagneticVariation, kUnitDegrees);
    return AiBearingFrom(userLat, userLon, aiLat, aiLon, variation);
}

int32_t HostDayOfWeek() {
    return TruncateToInt32(ReadHostGlobal(kGlobalGroupTime, kGlobalDayOfWeek));
}

void FormatHostUtcTime(char* out) {
    UtcClock clock = HostUtcClock();
    FormatUtcTime(clock.hours, clock.minutes, clock.seconds, out);
}
