#include "hostsim/scenario.h"

#include "hostsim/ai_plans.h"
#include "hostsim/aircraft.h"
#include "hostsim/host_layout.h"
#include "hostsim/host_world.h"
#include "hostsim/hostsim_aircraft.h"
#include "hostsim/hostsim_pictures.h"
#include "hostsim/hostsim_scenario.h"
#include "hostsim/hostsim_state.h"
#include "hostsim/hostsim_traffic.h"
#include "hostsim/hostsim_window.h"
#include "hostsim/render_capture.h"
#include "hostsim/render_scenery.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

using nlohmann::json;

namespace {
std::vector<json> timeline;
size_t nextAction;

double NumberOr(const json& object, const char* key, double fallback) {
    auto it = object.find(key);
    if (it == object.end()) {
        return fallback;
    }
    if (it->is_number()) {
        return it->get<double>();
    }
    // Values JSON cannot spell, for tests of how modules cope with them.
    if (it->is_string()) {
        const std::string& text = it->get_ref<const std::string&>();
        if (text == "nan") {
            return NAN;
        }
        if (text == "inf") {
            return INFINITY;
        }
        if (text == "-inf") {
            return -INFINITY;
        }
    }
    return fallback;
}

int IntOr(const json& object, const char* key, int fallback) {
    return static_cast<int>(NumberOr(object, key, fallback));
}

bool BoolOr(const json& object, const char* key, bool fallback) {
    auto it = object.find(key);
    return it != object.end() && it->is_boolean() ? it->get<bool>() : fallback;
}

std::string TextOr(const json& object, const char* key, const char* fallback) {
    auto it = object.find(key);
    return it != object.end() && it->is_string() ? it->get<std::string>() : fallback;
}

void CopyText(char* target, const json& object, const char* key) {
    auto it = object.find(key);
    if (it != object.end() && it->is_string()) {
        snprintf(target, kHostsimTextBytes, "%s", it->get_ref<const std::string&>().c_str());
    }
}

void ReadAircraft(const json& object, HostsimAircraft* a) {
    a->latitudeDeg = NumberOr(object, "lat", a->latitudeDeg);
    a->longitudeDeg = NumberOr(object, "lon", a->longitudeDeg);
    a->altitudeFeet = NumberOr(object, "altitudeFeet", a->altitudeFeet);
    a->headingTrueDeg = NumberOr(object, "headingTrue", a->headingTrueDeg);
    a->variationDeg = NumberOr(object, "variation", a->variationDeg);
    a->speedKnots = NumberOr(object, "speedKnots", a->speedKnots);
    a->acrossKnots = NumberOr(object, "acrossKnots", a->acrossKnots);
    a->verticalSpeedFpm = NumberOr(object, "verticalSpeedFpm", a->verticalSpeedFpm);
    a->groundElevationFeet = NumberOr(object, "groundElevationFeet", a->groundElevationFeet);
    a->sizeFeet = NumberOr(object, "sizeFeet", a->sizeFeet);
    a->indicatedKnots = NumberOr(object, "indicatedKnots", a->indicatedKnots);
    a->userState = NumberOr(object, "userState", a->userState);
    a->turnRateDegPerSec = NumberOr(object, "turnRateDegPerSec", a->turnRateDegPerSec);
    a->aiState = IntOr(object, "aiState", a->aiState);
    a->hasPositionRecord = BoolOr(object, "positionRecord", a->hasPositionRecord);
    CopyText(a->type, object, "type");
    CopyText(a->typeFallback, object, "typeFallback");
}

// A leg names its state as the host does ("Take Off") or by number.
bool ReadLeg(const json& object, HostsimPlanLeg* leg) {
    HostsimEmptyLeg(leg);
    if (!object.is_object()) {
        return false;
    }
    auto state = object.find("state");
    if (state != object.end()) {
        leg->aiState = state->is_string()
                           ? HostsimAiStateOfName(state->get_ref<const std::string&>().c_str())
                           : IntOr(object, "state", -1);
        if (leg->aiState < 0) {
            return false;
        }
    }
    leg->seconds = IntOr(object, "seconds", 0);
    leg->untilGround = BoolOr(object, "untilGround", false);
    leg->leave = BoolOr(object, "leave", false);
    leg->latitudeDeg = NumberOr(object, "lat", NAN);
    leg->longitudeDeg = NumberOr(object, "lon", NAN);
    leg->altitudeFeet = NumberOr(object, "altitudeFeet", NAN);
    leg->headingTrueDeg = NumberOr(object, "headingTrue", NAN);
    leg->speedKnots = NumberOr(object, "speedKnots", NAN);
    leg->verticalSpeedFpm = NumberOr(object, "verticalSpeedFpm", NAN);
    leg->turnRateDegPerSec = NumberOr(object, "turnRateDegPerSec", NAN);
    leg->toSpeedKnots = NumberOr(object, "toSpeedKnots", NAN);
    return true;
}

bool SetPlanFrom(int32_t id, const json& plan) {
    HostsimPlanLeg legs[kHostsimMaxPlanLegs];
    if (!plan.is_array() || plan.empty() || plan.size() > kHostsimMaxPlanLegs) {
        return false;
    }
    int count = 0;
    for (const json& leg : plan) {
        if (!ReadLeg(leg, &legs[count++])) {
            return false;
        }
    }
    return HostsimSetPlan(id, legs, count);
}

bool AddAircraftFrom(const json& object) {
    if (!object.is_object() || !object.contains("id")) {
        return false;
    }
    HostsimAircraft aircraft;
    HostsimDefaultAircraft(&aircraft, IntOr(object, "id", 0));
    ReadAircraft(object, &aircraft);
    if (!HostsimAddAircraft(&aircraft)) {
        return false;
    }
    auto plan = object.find("plan");
    return plan == object.end() || SetPlanFrom(aircraft.id, *plan);
}

unsigned KeyOf(const json& key) {
    if (key.is_number()) {
        return key.get<unsigned>();
    }
    if (!key.is_string()) {
        return 0;
    }
    const std::string& name = key.get_ref<const std::string&>();
    if (name.size() == 1) {
        return static_cast<unsigned char>(toupper(name[0]));
    }
    struct Named {
        const char* name;
        unsigned key;
    } names[] = {{"SPACE", VK_SPACE}, {"RETURN", VK_RETURN}, {"ESCAPE", VK_ESCAPE},
                 {"TAB", VK_TAB},     {"LEFT", VK_LEFT},     {"RIGHT", VK_RIGHT},
                 {"UP", VK_UP},       {"DOWN", VK_DOWN},     {"DELETE", VK_DELETE},
                 {"BACK", VK_BACK},   {"HOME", VK_HOME},     {"END", VK_END}};
    for (const Named& named : names) {
        if (name == named.name) {
            return named.key;
        }
    }
    if (name[0] == 'F' && name.size() <= 3) {
        return VK_F1 + atoi(name.c_str() + 1) - 1;
    }
    return 0;
}

unsigned ModifiersOf(const json& action) {
    unsigned modifiers = 0;
    auto it = action.find("mods");
    if (it == action.end() || !it->is_array()) {
        return 0;
    }
    for (const json& mod : *it) {
        std::string name = mod.is_string() ? mod.get<std::string>() : "";
        modifiers |= name == "shift"  ? kHostsimShift
                     : name == "ctrl" ? kHostsimCtrl
                     : name == "alt"  ? kHostsimAlt
                                      : 0;
    }
    return modifiers;
}

std::string MenuPathOf(const json& menu) {
    if (menu.is_string()) {
        return menu.get<std::string>();
    }
    std::string path;
    if (menu.is_array()) {
        for (const json& part : menu) {
            if (!path.empty()) {
                path += "/";
            }
            path += part.is_number()   ? std::to_string(part.get<int>())
                    : part.is_string() ? part.get<std::string>()
                                       : "";
        }
    }
    return path;
}

bool RunAction(const json& action) {
    if (!action.is_object()) {
        return false;
    }
    std::string text = action.dump(-1, ' ', false, json::error_handler_t::replace);
    NoteAction("%s", text.c_str());
    bool ok = true;
    if (action.contains("key")) {
        HWND window = action.contains("window")
                          ? HostsimFindModuleWindow(IntOr(action, "window", 0))
                          : nullptr;
        ok = ok && HostsimPressKey(KeyOf(action["key"]), ModifiersOf(action), window);
    }
    if (action.contains("menu")) {
        ok = ok && HostsimPickMenu(MenuPathOf(action["menu"]).c_str());
    }
    if (action.contains("openMenu")) {
        ok = ok && HostsimOpenMenu(IntOr(action, "openMenu", 0));
    }
    if (action.contains("closeMenu")) {
        HostsimCloseMenu();
    }
    if (action.contains("view")) {
        HostsimSetView(IntOr(action, "view", kViewTower));
    }
    if (action.contains("pause")) {
        HostsimSetPaused(BoolOr(action, "pause", false));
    }
    if (action.contains("hostState")) {
        HostsimSetHostState(IntOr(action, "hostState", kHostStateFlying));
    }
    if (action.contains("ready")) {
        HostsimSetReady(BoolOr(action, "ready", true));
    }
    if (action.contains("event")) {
        RecordHostEvent(static_cast<uint32_t>(NumberOr(action, "event", 0)));
    }
    if (action.contains("versionWord")) {
        HostsimSetVersionWord(static_cast<uint32_t>(NumberOr(action, "versionWord", 0)));
    }
    if (action.contains("utc")) {
        int h = 0, m = 0, s = 0;
        sscanf(TextOr(action, "utc", "").c_str(), "%d:%d:%d", &h, &m, &s);
        HostsimSetUtc(h, m, s, IntOr(action, "day", gWorld.dayOfWeek));
    }
    if (action.contains("simRate")) {
        ok = ok && HostsimSetSimulationRate(NumberOr(action, "simRate", 1.0));
    }
    if (action.contains("addAircraft")) {
        ok = ok && AddAircraftFrom(action["addAircraft"]);
    }
    if (action.contains("removeAircraft")) {
        ok = ok && HostsimRemoveAircraft(IntOr(action, "removeAircraft", 0));
    }
    if (action.contains("updateAircraft")) {
        const json& update = action["updateAircraft"];
        HostsimAircraft* aircraft =
            update.is_object() ? HostsimFindAircraft(IntOr(update, "id", 0)) : nullptr;
        if (aircraft) {
            ReadAircraft(update, aircraft);
        }
        ok = ok && aircraft;
    }
    if (action.contains("set")) {
        const json& set = action["set"];
        ok = ok && set.is_object() &&
             HostsimOverrideVariable(IntOr(set, "id", 0), IntOr(set, "var", 0),
                                     NumberOr(set, "value", 0));
    }
    if (action.contains("clearOverrides")) {
        HostsimClearOverrides(IntOr(action, "clearOverrides", 0));
    }
    if (action.contains("aiList") && action["aiList"].is_array()) {
        int32_t ids[kHostsimMaxAircraft];
        int count = 0;
        for (const json& id : action["aiList"]) {
            if (count < kHostsimMaxAircraft && id.is_number()) {
                ids[count++] = id.get<int32_t>();
            }
        }
        ok = ok && HostsimSetAiList(ids, count);
    }
    if (action.contains("click")) {
        ok = ok && HostsimClickControl(IntOr(action, "click", 0));
    }
    if (action.contains("setText")) {
        const json& set = action["setText"];
        ok = ok && set.is_object() &&
             HostsimSetControlText(IntOr(set, "control", 0), TextOr(set, "text", "").c_str());
    }
    if (action.contains("type")) {
        const json& type = action["type"];
        int control = type.is_object() ? IntOr(type, "control", 0) : 0;
        ok = ok && HostsimTypeText(HostsimFindModuleWindow(control), control,
                                   TextOr(type, "text", "").c_str());
    }
    if (action.contains("send")) {
        const json& send = action["send"];
        if (send.is_object()) {
            HostsimSendToControl(IntOr(send, "control", 0), IntOr(send, "message", 0),
                                 static_cast<WPARAM>(NumberOr(send, "wParam", 0)),
                                 static_cast<LPARAM>(NumberOr(send, "lParam", 0)));
        }
    }
    if (action.contains("clickTab")) {
        const json& click = action["clickTab"];
        ok = ok && click.is_object() &&
             HostsimClickTab(IntOr(click, "control", 0), IntOr(click, "tab", 0));
    }
    if (action.contains("clickHeader")) {
        const json& click = action["clickHeader"];
        ok = ok && click.is_object() &&
             HostsimClickListHeader(IntOr(click, "control", 0), IntOr(click, "column", 0));
    }
    if (action.contains("clickRow")) {
        const json& click = action["clickRow"];
        ok = ok && click.is_object() &&
             HostsimClickListRow(IntOr(click, "control", 0), IntOr(click, "aircraft", 0));
    }
    if (action.contains("showMenu")) {
        const json& show = action["showMenu"];
        ok =
            ok && show.is_object() &&
            HostsimShowMenu(TextOr(show, "path", "").c_str(), TextOr(show, "name", "menu").c_str());
    }
    if (action.contains("screenshot")) {
        ok = ok && HostsimSaveScreenshot(TextOr(action, "screenshot", "screenshot").c_str());
    }
    if (action.contains("rebuildMenu")) {
        HostsimRebuildMenu();
    }
    if (action.contains("redrawFrame")) {
        HostsimRedrawFrame();
    }
    if (!ok) {
        Journal("action failed: %s", text.c_str());
    }
    return ok;
}

// Scenery and pictures only change what the stand-in draws and saves, never what modules see.
void ReadDrawing(const json& scenario) {
    RunwayScenery runway = {};
    auto it = scenario.find("runway");
    if (it != scenario.end() && it->is_object()) {
        runway.present = true;
        runway.latDeg = NumberOr(*it, "lat", 0);
        runway.lonDeg = NumberOr(*it, "lon", 0);
        runway.headingTrueDeg = NumberOr(*it, "headingTrue", 0);
        runway.lengthMetres = NumberOr(*it, "lengthMetres", 2000);
        runway.widthMetres = NumberOr(*it, "widthMetres", 45);
        runway.elevationFeet = NumberOr(*it, "elevationFeet", 0);
    }
    SetRunwayScenery(&runway);
    json none = json::object();
    it = scenario.find("pictures");
    const json& pictures = it != scenario.end() && it->is_object() ? *it : none;
    CapturePlan plan = {};
    plan.stillEverySeconds = IntOr(pictures, "stillEvery", 0);
    plan.framesPerSecond = IntOr(pictures, "framesPerSecond", 0);
    auto spans = pictures.find("animation"); // [[from, to], ...] in host seconds
    if (spans != pictures.end() && spans->is_array()) {
        for (const json& span : *spans) {
            if (plan.spanCount < kMaxAnimationSpans && span.is_array() && span.size() == 2 &&
                span[0].is_number() && span[1].is_number()) {
                plan.spanFrom[plan.spanCount] = span[0].get<int>();
                plan.spanTo[plan.spanCount++] = span[1].get<int>();
            }
        }
    }
    SetCapturePlan(plan);
}

HostsimModulesMenu ModulesMenuOf(const std::string& name) {
    return name == "empty"      ? kHostsimEmptyModulesMenu
           : name == "withItem" ? kHostsimModulesMenuWithItem
                                : kHostsimNoModulesMenu;
}

HostsimModuleList ModuleListOf(const std::string& name) {
    return name == "withoutHelper" ? kHostsimModuleListWithoutHelper
           : name == "endless"     ? kHostsimModuleListEndless
                                   : kHostsimModuleListNormal;
}

void ReadHostOptions(const json& host, HostsimOptions* options) {
    options->versionWord =
        static_cast<uint32_t>(NumberOr(host, "versionWord", options->versionWord));
    options->readyAfterSeconds = IntOr(host, "readyAfter", options->readyAfterSeconds);
    options->flyingAfterSeconds = IntOr(host, "flyingAfter", options->flyingAfterSeconds);
    options->hostDialogSeconds = IntOr(host, "hostDialogSeconds", options->hostDialogSeconds);
    options->leaveFollowInterfaceNull =
        BoolOr(host, "followInterfaceNull", options->leaveFollowInterfaceNull);
    options->fillImportsAfterSeconds =
        IntOr(host, "fillImportsAfter", options->fillImportsAfterSeconds);
    options->modulesMenu = ModulesMenuOf(TextOr(host, "modulesMenu", "none"));
    options->moduleList = ModuleListOf(TextOr(host, "moduleList", "normal"));
    options->initialView = IntOr(host, "view", options->initialView);
}
} // namespace

bool HostsimLoadScenario(const char* path, HostsimOptions* options, int* runSeconds) {
    FILE* file = fopen(path, "rb");
    if (!file) {
        Journal("no scenario %s", path);
        return false;
    }
    std::string text;
    char buffer[4096];
    size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, file)) > 0) {
        text.append(buffer, got);
    }
    fclose(file);
    json scenario = json::parse(text, nullptr, false);
    if (scenario.is_discarded() || !scenario.is_object()) {
        Journal("scenario %s is not a JSON object", path);
        return false;
    }
    if (scenario.contains("host") && scenario["host"].is_object()) {
        ReadHostOptions(scenario["host"], options);
    }
    if (scenario.contains("start") && scenario["start"].is_object()) {
        const json& start = scenario["start"];
        sscanf(TextOr(start, "utc", "12:00:00").c_str(), "%d:%d:%d", &options->utcHours,
               &options->utcMinutes, &options->utcSeconds);
        options->dayOfWeek = IntOr(start, "day", options->dayOfWeek);
    }
    *runSeconds = IntOr(scenario, "seconds", 0);
    ReadDrawing(scenario);
    ResetAircraft();
    ResetAiPlans();
    HostsimAircraft user;
    HostsimDefaultAircraft(&user, kUserAircraftId);
    if (scenario.contains("user")) {
        ReadAircraft(scenario["user"], &user);
    }
    HostsimAddAircraft(&user);
    if (scenario.contains("ai") && scenario["ai"].is_array()) {
        for (const json& aircraft : scenario["ai"]) {
            if (!AddAircraftFrom(aircraft)) {
                Journal("scenario aircraft without an id, beyond the limit or with a bad plan");
            }
        }
    }
    ResetTimeline();
    if (scenario.contains("timeline") && scenario["timeline"].is_array()) {
        for (const json& action : scenario["timeline"]) {
            if (action.is_object()) {
                timeline.push_back(action);
            }
        }
    }
    std::stable_sort(timeline.begin(), timeline.end(), [](const json& a, const json& b) {
        return NumberOr(a, "at", 0) < NumberOr(b, "at", 0);
    });
    return true;
}

bool HostsimRunAction(const char* text) {
    json action = json::parse(text, nullptr, false);
    return !action.is_discarded() && RunAction(action);
}

void RunTimelineDue(int second) {
    while (nextAction < timeline.size() && NumberOr(timeline[nextAction], "at", 0) <= second) {
        RunAction(timeline[nextAction++]);
    }
}

void ResetTimeline() {
    timeline.clear();
    nextAction = 0;
}
