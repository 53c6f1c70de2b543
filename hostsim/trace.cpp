#include "hostsim/trace.h"

#include "hostsim/aircraft.h"
#include "hostsim/host_blocks.h"
#include "hostsim/host_geodesy.h"
#include "hostsim/host_layout.h"
#include "hostsim/host_world.h"
#include "hostsim/hostsim_aircraft.h"
#include "hostsim/hostsim_eye_point.h"
#include "hostsim/hostsim_state.h"
#include "hostsim/hostsim_views.h"
#include "hostsim/traffic_record.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {
FILE* traceFile;
const char* const kSlotStatusNames[] = {"ok", "null", "wrong", "foreign", "noTable"};
const char* const kCallerNames[kHostsimCallerCount] = {"towerSees", "followSees", "cockpitSees"};

// JSON has no NaN or infinity; such values are written as null.
nlohmann::ordered_json Number(double value) {
    return std::isfinite(value) ? nlohmann::ordered_json(value) : nlohmann::ordered_json();
}

nlohmann::ordered_json TowerRecord() {
    const HostsimEyePoint* eye = HostsimTowerEyePoint();
    double lat, lon, altMetres;
    HostsimDecodeEyePoint(eye, &lat, &lon, &altMetres);
    nlohmann::ordered_json tower;
    tower["words"] = {eye->latLo, static_cast<uint32_t>(eye->latHi),
                      eye->lonLo, static_cast<uint32_t>(eye->lonHi),
                      eye->altLo, static_cast<uint32_t>(eye->altHi)};
    tower["lat"] = lat;
    tower["lon"] = lon;
    tower["altMetres"] = altMetres;
    const HostsimAircraft* seen = HostsimFindAircraft(gWorld.lastSeen[kHostsimTowerCaller]);
    if (seen) {
        LocalOffset offset = OffsetFrom(lat, lon, altMetres, seen->latitudeDeg, seen->longitudeDeg,
                                        seen->altitudeFeet * kMetresPerFoot);
        tower["rangeMetres"] = Number(std::sqrt(
            offset.east * offset.east + offset.north * offset.north + offset.up * offset.up));
    }
    return tower;
}
// Where the aircraft that the tower view shows is, so each eye point can be checked against
// its track.
nlohmann::ordered_json ShownAircraftRecord(int32_t id) {
    nlohmann::ordered_json record = nlohmann::ordered_json::object();
    const HostsimAircraft* aircraft = HostsimFindAircraft(id);
    if (aircraft) {
        record["id"] = aircraft->id;
        record["lat"] = aircraft->latitudeDeg;
        record["lon"] = aircraft->longitudeDeg;
        record["altitudeFeet"] = aircraft->altitudeFeet;
        record["headingTrue"] = aircraft->headingTrueDeg;
        record["speedKnots"] = aircraft->speedKnots;
        record["sizeFeet"] = aircraft->sizeFeet;
    }
    return record;
}

// The visible windows of the host's thread besides its main window and menus, each named by
// the ID of its first control (module dialogs).
BOOL CALLBACK AddModuleWindow(HWND window, LPARAM context) {
    char className[16];
    GetClassNameA(window, className, sizeof className);
    HWND first = GetWindow(window, GW_CHILD);
    if (window != gWorld.mainWindow && IsWindowVisible(window) && strcmp(className, "#32768") &&
        first) {
        reinterpret_cast<nlohmann::ordered_json*>(context)->push_back(GetDlgCtrlID(first));
    }
    return TRUE;
}
} // namespace

bool OpenTrace(const char* path) {
    traceFile = nullptr;
    if (!path || !path[0]) {
        return true;
    }
    traceFile = fopen(path, "w");
    return traceFile != nullptr;
}

void WriteTraceLine() {
    if (!traceFile) {
        return;
    }
    char utc[16];
    snprintf(utc, sizeof utc, "%02d:%02d:%02d",
             *reinterpret_cast<int32_t*>(InterfaceField(kViewsInterfaceId, kUtcHoursOffset)),
             *reinterpret_cast<int32_t*>(InterfaceField(kViewsInterfaceId, kUtcMinutesOffset)),
             *reinterpret_cast<uint16_t*>(InterfaceField(kViewsInterfaceId, kUtcSecondsOffset)));
    const HostsimViewRecord* view = HostsimActiveView();
    nlohmann::ordered_json line;
    line["t"] = gWorld.seconds;
    line["utc"] = utc;
    line["day"] = gWorld.dayOfWeek;
    line["hostState"] = *StateWord();
    line["ready"] = *ReadyWord();
    line["paused"] = *PauseWord() != 0;
    line["viewMode"] = view->viewMode;
    line["viewWordA"] = gWorld.viewWordASeen | view->viewWordA;
    line["viewWordB"] = gWorld.viewWordBSeen | view->viewWordB;
    line["tower"] = TowerRecord();
    line["towerAircraft"] = ShownAircraftRecord(gWorld.lastSeen[kHostsimTowerCaller]);
    line["followed"] = gWorld.followedObject;
    for (int i = 0; i < kHostsimCallerCount; ++i) {
        line[kCallerNames[i]] = gWorld.lastSeen[i];
    }
    line["redirect"] = HostsimRedirectInstalled();
    nlohmann::ordered_json liftOffs = nlohmann::ordered_json::array();
    nlohmann::ordered_json touchDowns = nlohmann::ordered_json::array();
    int movements = 0;
    for (int i = FirstMovementOfSecond(&movements), end = i + movements; i < end; ++i) {
        HostsimMovement m = HostsimMovementAt(i);
        (m.kind == kHostsimTouchDown ? touchDowns : liftOffs).push_back(m.id);
    }
    line["liftOffs"] = liftOffs;
    line["touchDowns"] = touchDowns;
    nlohmann::ordered_json slots = nlohmann::ordered_json::object();
    for (int i = 0; i < kLiveSlotCount; ++i) {
        char name[8];
        snprintf(name, sizeof name, "0x%X", kLiveSlots[i]);
        slots[name] = kSlotStatusNames[gWorld.lastSlots.status[i]];
    }
    line["tableSlots"] = slots;
    nlohmann::ordered_json events = nlohmann::ordered_json::array();
    for (; gWorld.eventsTraced < gWorld.eventCount; ++gWorld.eventsTraced) {
        events.push_back(gWorld.events[gWorld.eventsTraced]);
    }
    line["events"] = events;
    nlohmann::ordered_json actions = nlohmann::ordered_json::array();
    for (int i = 0; i < gWorld.actionCount; ++i) {
        actions.push_back(gWorld.actions[i]);
    }
    line["actions"] = actions;
    nlohmann::ordered_json windows = nlohmann::ordered_json::array();
    EnumThreadWindows(GetCurrentThreadId(), &AddModuleWindow, reinterpret_cast<LPARAM>(&windows));
    line["moduleWindows"] = windows;
    line["aiCount"] = TheAiList()->count - 1;
    line["unknownReads"] = gWorld.stats.unknownValueReads;
    std::string text = line.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
    fprintf(traceFile, "%s\n", text.c_str());
    fflush(traceFile);
}

void CloseTrace() {
    if (traceFile) {
        fclose(traceFile);
    }
    traceFile = nullptr;
}
