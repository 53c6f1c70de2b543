#include "scripts/demo_summary.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <cstring>
#include <fstream>
#include <string>

using nlohmann::json;

namespace {
constexpr int kViewTower = 3;
constexpr int kViewFollow = 4;
constexpr uint32_t kPauseEvent = 65794;
constexpr uint32_t kResumeEvent = 65795;
constexpr int kWrapColumn = 96;
constexpr int32_t kUserAircraft = 1;
constexpr int kSettingsDialog = 10041;
constexpr int kTurnsBox = 10051;
constexpr int kSettingsOk = 10044;
constexpr int kSettingsCancel = 10047;
constexpr double kPi = 3.14159265358979323846;
constexpr double kMetresPerDegree = 111319.49; // on the host's sphere of 6378137 m
constexpr double kMetresPerFoot = 0.3048;
constexpr double kSlewMetres = 1000.0; // more in one second is a slew: not flown, not interpolated
constexpr int kColumnBytes = 48;

SummaryTarget* TargetOf(DemoSummary* s, int32_t id) {
    for (int i = 0; i < s->targetCount; ++i) {
        if (s->targets[i].id == id) {
            return &s->targets[i];
        }
    }
    if (s->targetCount == kSummaryMaxTargets) {
        return nullptr;
    }
    SummaryTarget* target = &s->targets[s->targetCount++];
    *target = {id, 0, 0};
    return target;
}

SummaryWindow* WindowOf(DemoSummary* s, int controlId) {
    for (int i = 0; i < s->windowCount; ++i) {
        if (s->windows[i].controlId == controlId) {
            return &s->windows[i];
        }
    }
    if (s->windowCount == kSummaryMaxWindows) {
        return nullptr;
    }
    SummaryWindow* window = &s->windows[s->windowCount++];
    *window = {controlId, 0, 0, -1, false};
    return window;
}

void NoteWindows(DemoSummary* s, const json& line, const json* before, int t) {
    auto it = line.find("moduleWindows");
    if (it == line.end() || !it->is_array()) {
        return;
    }
    for (const json& id : *it) {
        SummaryWindow* window = id.is_number() ? WindowOf(s, id.get<int>()) : nullptr;
        if (!window) {
            continue;
        }
        window->seconds++;
        bool wasOpen = false;
        if (before && before->contains("moduleWindows")) {
            for (const json& old : (*before)["moduleWindows"]) {
                wasOpen = wasOpen || old == id;
            }
        }
        if (!wasOpen) {
            window->openings++;
            if (window->firstSecond < 0) {
                window->firstSecond = t;
            }
        }
    }
}

void NoteLine(DemoSummary* s, const json& line, const json* before) {
    int t = line.value("t", -1);
    int view = line.value("viewMode", 0);
    bool paused = line.value("paused", false);
    s->seconds = t;
    s->pausedSeconds += paused ? 1 : 0;
    s->towerViewSeconds += view == kViewTower ? 1 : 0;
    s->followViewSeconds += view == kViewFollow ? 1 : 0;
    s->otherViewSeconds += view != kViewTower && view != kViewFollow ? 1 : 0;
    s->redirectSeconds += line.value("redirect", false) ? 1 : 0;
    const char* seer = view == kViewTower ? "towerSees" : view == kViewFollow ? "followSees" : "";
    if (seer[0] && line.contains(seer) && line[seer].is_number()) {
        SummaryTarget* target = TargetOf(s, line[seer].get<int32_t>());
        if (target) {
            (view == kViewTower ? target->towerSeconds : target->followSeconds)++;
        }
    }
    if (before && line.contains("tower") && before->contains("tower") &&
        line["tower"]["words"] != (*before)["tower"]["words"]) {
        s->eyeChanges++;
        s->eyeChangesTower += view == kViewTower ? 1 : 0;
        s->eyeChangesFollow += view == kViewFollow ? 1 : 0;
        if (s->firstChange < 0) {
            s->firstChange = t;
        } else if (view == kViewTower && t - s->lastChange > s->longestStill) {
            s->longestStill = t - s->lastChange;
        }
        s->lastChange = t;
        if (t >= 0 && t <= kSummaryMaxSeconds) {
            s->changed[t] = true;
        }
    }
    bool slotsOk = true;
    if (line.contains("tableSlots") && line["tableSlots"].is_object()) {
        for (const auto& slot : line["tableSlots"].items()) {
            slotsOk = slotsOk && slot.value() == "ok";
        }
    }
    if (!slotsOk) {
        s->slotSecondsNotOk++;
        if (s->firstSlotProblem < 0) {
            s->firstSlotProblem = t;
        }
    }
    for (const json& event : line.value("events", json::array())) {
        uint32_t code = event.is_number() ? event.get<uint32_t>() : 0;
        (code == kPauseEvent    ? s->pauseEvents
         : code == kResumeEvent ? s->resumeEvents
                                : s->otherEvents)++;
    }
    for (const json& action : line.value("actions", json::array())) {
        if (action.is_string() && s->actionCount < kSummaryMaxActions) {
            snprintf(s->actions[s->actionCount++], kSummaryActionBytes, "%s",
                     action.get_ref<const std::string&>().c_str());
        }
    }
    s->unknownReads = line.value("unknownReads", 0u);
    NoteWindows(s, line, before, t);
}

// The aircraft's type as the scenario names it.
std::string TypeOf(const json& scenario, int32_t id) {
    if (id == 1) {
        return scenario.contains("user") ? scenario["user"].value("type", "") : "";
    }
    for (const json& a : scenario.value("ai", json::array())) {
        if (a.value("id", 0) == id) {
            return a.value("type", "");
        }
    }
    for (const json& action : scenario.value("timeline", json::array())) {
        if (action.contains("addAircraft") && action["addAircraft"].value("id", 0) == id) {
            return action["addAircraft"].value("type", "");
        }
    }
    return "";
}

// "Shift+Ctrl+J", "menu &Modules/Skyvane/About...", "click 10016": an action in a few words.
std::string Describe(const json& a) {
    std::string text;
    auto add = [&text](const std::string& part) { text += (text.empty() ? "" : " ") + part; };
    if (a.contains("key")) {
        std::string keys;
        for (const json& mod : a.value("mods", json::array())) {
            std::string name = mod.get<std::string>();
            keys += name == "shift" ? "Shift+" : name == "ctrl" ? "Ctrl+" : "Alt+";
        }
        keys += a["key"].is_string() ? a["key"].get<std::string>() : a["key"].dump();
        if (a.contains("window")) {
            keys += " in " + std::to_string(a["window"].get<int>());
        }
        add(keys);
    }
    if (a.contains("menu")) {
        add("menu " + (a["menu"].is_string() ? a["menu"].get<std::string>() : a["menu"].dump()));
    }
    if (a.contains("showMenu")) {
        add("menu shown " + a["showMenu"].value("path", ""));
    }
    if (a.contains("click")) {
        add("click " + a["click"].dump());
    }
    if (a.contains("clickTab")) {
        add("tab " + std::to_string(a["clickTab"].value("tab", 0)));
    }
    if (a.contains("clickHeader")) {
        add("column " + std::to_string(a["clickHeader"].value("column", 0)));
    }
    if (a.contains("clickRow")) {
        add("row #" + std::to_string(a["clickRow"].value("aircraft", 0)));
    }
    if (a.contains("pause")) {
        add(a["pause"].get<bool>() ? "pause" : "resume");
    }
    if (a.contains("screenshot")) {
        add("screenshot " + a["screenshot"].get<std::string>());
    }
    return text;
}

void PrintWrapped(FILE* out, const std::string& text) {
    size_t column = 0, start = 0;
    while (start < text.size()) {
        size_t end = text.find(" . ", start);
        std::string part =
            text.substr(start, end == std::string::npos ? std::string::npos : end - start + 3);
        if (column + part.size() > kWrapColumn && column > 0) {
            fprintf(out, "\n");
            column = 0;
        }
        fprintf(out, "%s%s", column == 0 ? "    " : "", part.c_str());
        column += part.size() + (column == 0 ? 4 : 0);
        start = end == std::string::npos ? text.size() : end + 3;
    }
    fprintf(out, "\n");
}

void PrintCommands(FILE* out, const DemoSummary& s) {
    std::string line;
    int commands = 0, screenshots = 0, aircraftUpdates = 0;
    for (int i = 0; i < s.actionCount; ++i) {
        json a = json::parse(s.actions[i], nullptr, false);
        if (a.is_discarded()) {
            continue;
        }
        if (a.contains("updateAircraft") || a.contains("addAircraft") ||
            a.contains("removeAircraft")) {
            aircraftUpdates++;
        }
        if (a.contains("screenshot")) {
            screenshots++;
            continue;
        }
        std::string what = Describe(a);
        if (!what.empty()) {
            commands++;
            line += (line.empty() ? "" : " . ") + std::to_string(a.value("at", 0)) + " " + what;
        }
    }
    fprintf(out,
            "Commands carried out: %d (keys, menus, clicks, pause), %d screenshots, %d "
            "aircraft updates\n",
            commands, screenshots, aircraftUpdates);
    PrintWrapped(out, line);
}

void PrintProblems(FILE* out, const DemoSummary& s, const char* journal) {
    int problems = 0;
    auto problem = [&problems, out](const char* format, auto... values) {
        fprintf(out, problems++ ? "    " : "Went wrong: ");
        fprintf(out, format, values...);
        fprintf(out, "\n");
    };
    if (!s.readable) {
        problem("the trace has unreadable or missing lines");
    }
    if (s.slotSecondsNotOk > 0) {
        problem("aircraft table slots not ok in %d seconds (first at %d s)", s.slotSecondsNotOk,
                s.firstSlotProblem);
    }
    if (s.unknownReads > 0) {
        problem("%u reads of variables the host does not know", s.unknownReads);
    }
    if (s.pauseEvents != s.resumeEvents) {
        problem("%d pause events but %d resume events", s.pauseEvents, s.resumeEvents);
    }
    for (int i = 0; i < s.windowCount; ++i) {
        if (s.windows[i].openAtEnd) {
            problem("the %s was still open at the end", WindowName(s.windows[i].controlId));
        }
    }
    const char* at = journal;
    while (at && (at = strstr(at, "action failed")) != nullptr) {
        const char* end = strchr(at, '\n');
        int length = static_cast<int>(end ? end - at : strlen(at));
        problem("%.*s", length > 120 ? 120 : length, at);
        at += length;
    }
    if (journal && strstr(journal, "still open after close")) {
        problem("the host's window did not close when asked");
    }
    if (problems == 0) {
        fprintf(out, "Went wrong: nothing (table slots ok every second, no unknown reads, "
                     "events balanced, no failed actions)\n");
    }
}

struct Offset {
    double east, north, up;
};

double Length(const Offset& o) {
    return std::sqrt(o.east * o.east + o.north * o.north + o.up * o.up);
}

bool NumberAt(const json& object, const char* key, double* out) {
    auto it = object.find(key);
    if (it == object.end() || !it->is_number()) {
        return false;
    }
    *out = it->get<double>();
    return true;
}

// Where the aircraft that the tower view shows is from its eye point, flat: good for the few
// kilometres of a pass-by.
bool ShownOffset(const json& line, Offset* out) {
    auto tower = line.find("tower");
    auto shown = line.find("towerAircraft");
    if (tower == line.end() || shown == line.end() || !tower->is_object() || !shown->is_object()) {
        return false;
    }
    double eyeLat, eyeLon, eyeAltMetres, lat, lon, altFeet;
    if (!NumberAt(*tower, "lat", &eyeLat) || !NumberAt(*tower, "lon", &eyeLon) ||
        !NumberAt(*tower, "altMetres", &eyeAltMetres) || !NumberAt(*shown, "lat", &lat) ||
        !NumberAt(*shown, "lon", &lon) || !NumberAt(*shown, "altitudeFeet", &altFeet)) {
        return false;
    }
    out->east = (lon - eyeLon) * kMetresPerDegree * std::cos(eyeLat * kPi / 180);
    out->north = (lat - eyeLat) * kMetresPerDegree;
    out->up = altFeet * kMetresPerFoot - eyeAltMetres;
    return true;
}

// The least distance to the eye point on the straight way from a to b, one second apart.
double ClosestOnLeg(const Offset& a, const Offset& b) {
    const Offset d{b.east - a.east, b.north - a.north, b.up - a.up};
    const double dd = d.east * d.east + d.north * d.north + d.up * d.up;
    if (dd == 0 || dd > kSlewMetres * kSlewMetres) {
        return std::fmin(Length(a), Length(b));
    }
    const double along = -(a.east * d.east + a.north * d.north + a.up * d.up) / dd;
    const double k = std::fmax(0.0, std::fmin(1.0, along));
    return Length(Offset{a.east + d.east * k, a.north + d.north * k, a.up + d.up * k});
}

// "Follow turns" as the settings dialog's clicks leave it: a click on its box changes the
// dialog's copy, OK applies the copy, Cancel drops it, and so does closing the dialog any way.
struct TurnsSwitch {
    bool on, pending;
};

void NoteTurnsClicks(TurnsSwitch* turns, const json& line) {
    for (const json& text : line.value("actions", json::array())) {
        json action =
            text.is_string() ? json::parse(text.get<std::string>(), nullptr, false) : json();
        int control = action.is_object() && action.contains("click") && action["click"].is_number()
                          ? action["click"].get<int>()
                          : 0;
        if (control == kTurnsBox) {
            turns->pending = !turns->pending;
        } else if (control == kSettingsOk) {
            turns->on = turns->pending;
        } else if (control == kSettingsCancel) {
            turns->pending = turns->on;
        }
    }
    bool dialogOpen = false;
    for (const json& id : line.value("moduleWindows", json::array())) {
        dialogOpen = dialogOpen || id == kSettingsDialog;
    }
    if (!dialogOpen) {
        turns->pending = turns->on;
    }
}

void KeepApproach(DemoApproaches* approaches, const SummaryApproach& pass, bool complete) {
    if (approaches->count < kSummaryMaxApproaches) {
        approaches->passes[approaches->count] = pass;
        approaches->passes[approaches->count++].complete = complete;
    }
}

// "  314-324   on      24.1 m": one run's pass-by, or blanks.
void ApproachColumn(const SummaryApproach* pass, char (&column)[kColumnBytes]) {
    if (!pass) {
        snprintf(column, sizeof column, "%-29s", "");
        return;
    }
    char seconds[24];
    snprintf(seconds, sizeof seconds, "%d-%d%s", pass->first, pass->last,
             pass->complete ? "" : "*");
    snprintf(column, sizeof column, "%-11s %-5s %9.1f m ", seconds, pass->turns ? "on" : "off",
             pass->closestMetres);
}
} // namespace

bool SummariseTrace(const char* tracePath, DemoSummary* s) {
    memset(s, 0, sizeof *s);
    s->firstChange = s->lastChange = s->firstSlotProblem = -1;
    std::ifstream file(tracePath);
    if (!file) {
        return false;
    }
    s->readable = true;
    std::string text;
    json before;
    int expected = 0;
    while (std::getline(file, text)) {
        json line = json::parse(text, nullptr, false);
        if (line.is_discarded() || !line.is_object() || line.value("t", -1) != expected) {
            s->readable = false;
            continue;
        }
        NoteLine(s, line, expected > 0 ? &before : nullptr);
        before = line;
        expected++;
    }
    s->readable = s->readable && expected > 0;
    for (const json& id : before.value("moduleWindows", json::array())) {
        SummaryWindow* window = id.is_number() ? WindowOf(s, id.get<int>()) : nullptr;
        if (window) {
            window->openAtEnd = true;
        }
    }
    return true;
}

const char* WindowName(int controlId) {
    switch (controlId) {
    case 10013:
        return "AI aircraft list";
    case 10041:
        return "settings dialog";
    case 1000:
        return "settings page Parameters";
    case 1004:
        return "settings page Modes";
    case 10026:
        return "settings page Random";
    case 10036:
        return "settings page Ranges";
    case 10038:
        return "settings page Keys Assignment";
    case 1008:
        return "about box";
    default:
        return "window";
    }
}

void PrintSummary(FILE* out, const DemoSummary& s, const char* scenarioPath, const char* journal) {
    json scenario;
    if (scenarioPath) {
        std::ifstream file(scenarioPath);
        scenario = json::parse(file, nullptr, false);
    }
    if (!scenario.is_object()) {
        scenario = json::object();
    }
    fprintf(out, "Host seconds: %d (tower view %d, follow view %d, other views %d; paused %d)\n",
            s.seconds, s.towerViewSeconds, s.followViewSeconds, s.otherViewSeconds,
            s.pausedSeconds);
    fprintf(out,
            "Placements: the tower eye point changed in %d seconds (%d in the tower view, "
            "%d in the follow view)\n",
            s.eyeChanges, s.eyeChangesTower, s.eyeChangesFollow);
    if (s.firstChange >= 0) {
        fprintf(out, "    first at %d s, last at %d s, at most %d s apart in the tower view\n",
                s.firstChange, s.lastChange, s.longestStill);
    }
    fprintf(out, "Targets followed (seconds shown in the tower view / follow view):\n");
    for (int i = 0; i < s.targetCount; ++i) {
        const SummaryTarget& t = s.targets[i];
        std::string type = TypeOf(scenario, t.id);
        fprintf(out, "    #%-3d %-24s %4d / %d%s\n", t.id, type.c_str(), t.towerSeconds,
                t.followSeconds, t.id == 1 ? "  (user's aircraft)" : "");
    }
    fprintf(out, "Redirect of the view code installed for %d seconds\n", s.redirectSeconds);
    PrintCommands(out, s);
    fprintf(out, "Module windows:");
    for (int i = 0; i < s.windowCount; ++i) {
        const SummaryWindow& w = s.windows[i];
        fprintf(out, "%s %s opened %dx for %d s", i ? ";" : "", WindowName(w.controlId), w.openings,
                w.seconds);
    }
    fprintf(out, "%s\n", s.windowCount ? "" : " none");
    fprintf(out, "Host events: %d pause (65794), %d resume (65795), %d other\n", s.pauseEvents,
            s.resumeEvents, s.otherEvents);
    PrintProblems(out, s, journal);
}

bool SummariseApproaches(const char* tracePath, DemoApproaches* approaches) {
    memset(approaches, 0, sizeof *approaches);
    std::ifstream file(tracePath);
    if (!file) {
        return false;
    }
    TurnsSwitch turns{false, false};
    SummaryApproach pass{};
    bool open = false;
    Offset last{};
    json before;
    std::string text;
    int expected = 0;
    while (std::getline(file, text)) {
        json line = json::parse(text, nullptr, false);
        if (line.is_discarded() || !line.is_object() || line.value("t", -1) != expected) {
            continue;
        }
        const int t = expected++;
        NoteTurnsClicks(&turns, line);
        const bool placed = t > 0 && line.contains("tower") && before.contains("tower") &&
                            line["tower"]["words"] != before["tower"]["words"];
        Offset at{};
        const bool shown = line.value("viewMode", 0) == kViewTower &&
                           line.value("towerSees", 0) == kUserAircraft && ShownOffset(line, &at);
        if (placed) {
            if (open) {
                KeepApproach(approaches, pass, true);
            }
            open = shown;
            pass = SummaryApproach{t, t, false, turns.on, Length(at)};
        } else if (open && !shown) {
            open = false; // the view left the user's aircraft: no whole pass-by
        } else if (open) {
            pass.closestMetres = std::fmin(pass.closestMetres, ClosestOnLeg(last, at));
            pass.last = t;
        }
        last = at;
        before = line;
    }
    if (open) {
        KeepApproach(approaches, pass, false);
    }
    return true;
}

void PrintApproaches(FILE* out, const DemoApproaches& ticked, const DemoApproaches& plain) {
    fprintf(out, "Closest approach of the user's aircraft to the tower eye point, per pass-by\n"
                 "(in 3-D, between its once-a-second positions; * the run ended first)\n\n");
    fprintf(out, "%-29s| %s\n", "the demo run", "the same circuit, boxes never ticked");
    fprintf(out, "%-11s %-5s %9s   | %-11s %-5s %9s\n", "seconds", "turns", "closest", "seconds",
            "turns", "closest");
    int i = 0, j = 0;
    while (i < ticked.count || j < plain.count) {
        const SummaryApproach* a = i < ticked.count ? &ticked.passes[i] : nullptr;
        const SummaryApproach* b = j < plain.count ? &plain.passes[j] : nullptr;
        // Paired by their first second; a pass-by the other run has not is shown alone.
        if (a && b && a->first < b->first) {
            b = nullptr;
        } else if (a && b && b->first < a->first) {
            a = nullptr;
        }
        char left[kColumnBytes], right[kColumnBytes];
        ApproachColumn(a, left);
        ApproachColumn(b, right);
        fprintf(out, "%s| %s\n", left, right);
        i += a ? 1 : 0;
        j += b ? 1 : 0;
    }
}
