// "Watch the Traffic" measured: the busy field flown twice through the real module in the
// stand-in host, once with the tour on and once by a pilot who presses Next AI at every new
// pass-by. A take-off or landing within the tour's range counts as watched when the tower view
// showed that aircraft for at least 10 s of the 10 s either side of its lift-off or
// touch-down. Prints one line; --events also lists every event and every miss, and
// --scenario FILE flies another scenario instead.
#include <windows.h>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>
#include "bench_host.h"
#include "core/control/commands.h"
#include "hostsim/host_layout.h"
#include "core/settings/settings_defaults.h"
#include "core/settings/settings_record.h"

namespace {

constexpr int kWatchWindowSeconds = 10; // either side of the lift-off or touch-down
constexpr int kWatchedSeconds = 10;     // of the 21 s window, to count as watched
constexpr int kOwnPlacementSeconds = 1; // a placement this soon after a press is its own
constexpr const char* kScenario = "hostsim\\scenarios\\busy_field.json";

struct Run {
    std::vector<int32_t> shown; // per host second: the aircraft the tower view showed
    std::vector<HostsimMovement> movements;
    int midPassSwitches = 0;
    int outOfRange = 0;
    std::string notes; // each mid-pass switch and out-of-range choice, for --events
    bool ok = false;
};

struct Pilot {
    bool tour;         // "Watch the Traffic" on; otherwise Next AI at every new pass-by
    double rangeNm;    // the tour's range
    int periodSeconds; // a pass-by's length
    unsigned nextKey;  // the default Next AI hotkey
    unsigned nextModifiers;
};

bool SameEyePoint(const HostsimEyePoint& a, const HostsimEyePoint& b) {
    return memcmp(&a, &b, sizeof a) == 0;
}

std::string PrepareHost(const Pilot& pilot) {
    std::string root =
        bench::BinaryFolder() + "\\hosts\\tour_bench_" + (pilot.tour ? "tour" : "baseline");
    std::string dll = bench::BinaryFolder() + "\\Skyvane.dll";
    const char* modules[] = {dll.c_str()};
    CreateDirectoryA((bench::BinaryFolder() + "\\hosts").c_str(), nullptr);
    if (!HostsimPrepareRoot(root.c_str(), modules, 1)) {
        return "";
    }
    std::string ini = root + "\\Modules\\Skyvane.ini";
    char range[32], period[32];
    snprintf(range, sizeof range, "%g", pilot.rangeNm);
    snprintf(period, sizeof period, "%d", pilot.periodSeconds);
    WritePrivateProfileStringA("SETTINGS", "Active", "1", ini.c_str());
    WritePrivateProfileStringA("SETTINGS", "Svp", period, ini.c_str());
    WritePrivateProfileStringA("SETTINGS", "Tour", pilot.tour ? "1" : "0", ini.c_str());
    WritePrivateProfileStringA("SETTINGS", "TourRange", range, ini.c_str());
    WritePrivateProfileStringA("SVM", "Rid", "1", ini.c_str());
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, ini.c_str());
    return root;
}

void Note(Run& run, int second, const char* what, int32_t id, double distanceNm) {
    char line[200];
    const HostsimAircraft* a = HostsimFindAircraft(id);
    snprintf(line, sizeof line, "  %5d s  %s AI %d (%s), %.1f nm\n", second, what, id,
             a ? a->type : "gone", distanceNm);
    run.notes += line;
}

Run FlyScenario(const Pilot& pilot, const std::string& scenario) {
    Run run;
    std::string root = PrepareHost(pilot);
    HostsimOptions options;
    HostsimDefaultOptions(&options);
    int seconds = 0;
    if (root.empty() || !HostsimLoadScenario(scenario.c_str(), &options, &seconds)) {
        fprintf(stderr, "tour_bench: cannot prepare the host or read %s\n%s", scenario.c_str(),
                HostsimJournal());
        return run;
    }
    snprintf(options.rootDir, sizeof options.rootDir, "%s", root.c_str());
    options.lockstep = true;
    if (!HostsimStart(&options)) {
        fprintf(stderr, "tour_bench: %s\n", HostsimLastError());
        return run;
    }
    run.shown.assign(seconds + 1, 0);
    // A pass-by starts where the module places an eye point: at a new one, or a period after
    // the latest start, where an aircraft standing still gets the same eye point again.
    HostsimEyePoint eye = *HostsimTowerEyePoint();
    int lastStart = -1, lastPress = -1000;
    for (int s = 1; s <= seconds && HostsimRunning(); ++s) {
        int32_t before = run.shown[s - 1];
        HostsimStep(1);
        int32_t shown = HostsimLastSeen(kHostsimTowerCaller);
        run.shown[s] = shown;
        bool placed = !SameEyePoint(eye, *HostsimTowerEyePoint());
        eye = *HostsimTowerEyePoint();
        bool periodOver = lastStart >= 0 && s - lastStart == pilot.periodSeconds;
        bool start = placed || periodOver;
        double distanceNm = HostsimDistanceNm(shown, kUserAircraftId);
        bool beforeGone = HostsimFindAircraft(before) == nullptr;
        if (shown != before && before > 0 && shown > 0 && lastStart >= 0 && !periodOver &&
            !beforeGone) {
            run.midPassSwitches++;
            Note(run, s, "switched in the middle of a pass-by to", shown, distanceNm);
        }
        if (start && shown != kUserAircraftId && distanceNm > pilot.rangeNm) {
            run.outOfRange++;
            Note(run, s, "a pass-by beyond the range follows", shown, distanceNm);
        }
        if (!pilot.tour && start && s - lastPress > kOwnPlacementSeconds) {
            HostsimPressKey(pilot.nextKey, pilot.nextModifiers, nullptr);
            lastPress = s;
        }
        lastStart = start ? s : lastStart;
    }
    for (int i = 0; i < HostsimMovementCount(); ++i) {
        run.movements.push_back(HostsimMovementAt(i));
    }
    HostsimShutdown();
    run.ok = true;
    return run;
}

int SecondsShown(const Run& run, const HostsimMovement& m) {
    int count = 0;
    for (int s = m.second - kWatchWindowSeconds; s <= m.second + kWatchWindowSeconds; ++s) {
        count += s >= 0 && s < static_cast<int>(run.shown.size()) && run.shown[s] == m.id;
    }
    return count;
}

Pilot DefaultPilot(bool tour) {
    Settings settings = {};
    HotkeyTable hotkeys = {};
    InitModuleDefaults(settings, hotkeys);
    const HotkeyOption& next = hotkeys.options[kCommandNextAi];
    Pilot pilot;
    pilot.tour = tour;
    pilot.rangeNm = settings.TourRange;
    pilot.periodSeconds = settings.Svp;
    pilot.nextKey = next.key;
    pilot.nextModifiers = (next.shiftFlag ? kHostsimShift : 0) | (next.ctrlFlag ? kHostsimCtrl : 0);
    return pilot;
}

} // namespace

int main(int argc, char** argv) {
    bool listEvents = false;
    std::string scenario = std::string(SKYVANE_SOURCE_DIR) + "\\" + kScenario;
    for (int i = 1; i < argc; ++i) {
        if (!strcmp(argv[i], "--events")) {
            listEvents = true;
        } else if (!strcmp(argv[i], "--scenario") && i + 1 < argc) {
            scenario = argv[++i];
        } else {
            fprintf(stderr, "usage: tour_bench [--events] [--scenario FILE]\n");
            return 2;
        }
    }
    Pilot tourPilot = DefaultPilot(true);
    Run tour = FlyScenario(tourPilot, scenario);
    Run baseline = FlyScenario(DefaultPilot(false), scenario);
    if (!tour.ok || !baseline.ok) {
        return 1;
    }
    int events = 0, watched = 0, baselineWatched = 0;
    for (const HostsimMovement& m : tour.movements) {
        if (m.distanceNm > tourPilot.rangeNm) {
            continue;
        }
        events++;
        int tourSeconds = SecondsShown(tour, m);
        int baselineSeconds = SecondsShown(baseline, m);
        watched += tourSeconds >= kWatchedSeconds;
        baselineWatched += baselineSeconds >= kWatchedSeconds;
        if (listEvents) {
            int32_t shownAt =
                m.second < static_cast<int>(tour.shown.size()) ? tour.shown[m.second] : 0;
            printf("  %5d s  %-9s AI %d, %.1f nm: tour %2d s%s (showing %d), baseline %2d s\n",
                   m.second, m.kind == kHostsimLiftOff ? "take-off" : "landing", m.id, m.distanceNm,
                   tourSeconds, tourSeconds >= kWatchedSeconds ? "" : " MISSED", shownAt,
                   baselineSeconds);
        }
    }
    if (listEvents) {
        printf("%s", tour.notes.c_str());
    }
    if (baseline.movements.size() != tour.movements.size()) {
        fprintf(stderr, "tour_bench: the two runs saw %zu and %zu movements\n",
                tour.movements.size(), baseline.movements.size());
        return 1;
    }
    printf("tour: watched %d of %d take-offs and landings (%d%%), baseline %d of %d, mid-pass "
           "switches %d, out of range %d\n",
           watched, events, events ? (watched * 100 + events / 2) / events : 0, baselineWatched,
           events, tour.midPassSwitches, tour.outOfRange);
    return events > 0 ? 0 : 1;
}
