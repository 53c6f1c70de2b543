// The whole core under random sequences of what a pilot and the host do: ticks, every command,
// menu picks, the settings dialog and its Keys page with OK and Cancel, pause, host states and
// views, aircraft that come, go and jump, the host's own eye point and its calls of the view
// code. After every step the invariants below must hold. SKYVANE_SEQUENCE_STEPS and
// SKYVANE_SEQUENCE_SEED change the run (the soak runs a million steps); a failure prints its
// seed and the shortest list of steps found that still fails.
#include <gtest/gtest.h>
#include <cmath>
#include <cstdlib>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <vector>
#include "core/control/controller.h"
#include "core/camera/geodesy.h"
#include "core/control/view_target.h"
#include "fake_host.h"
#include "core/settings/config_apply.h"
#include "core/settings/key_assignment.h"
#include "core/settings/settings_limits.h"
#include "core/control/ai_list_model.h"
#include "ini_texts.h"
#include "tests/clean_settings.h"

namespace {

constexpr int kDefaultSteps = 3000;
constexpr uint32_t kDefaultSeeds[] = {1, 2, 3};
constexpr double kTwoTo32 = 4294967296.0;
constexpr int kActionCount = 16;
constexpr int kShrinkRounds = 400;
constexpr size_t kMostAircraft = 24; // traffic comes and goes; a long run does not pile it up

struct Step {
    int action;
    uint32_t value;
};

using PointKey = std::tuple<uint32_t, int32_t, uint32_t, int32_t, uint32_t, int32_t>;
PointKey KeyOf(const EyePoint& p) {
    return PointKey(p.latLo, p.latHi, p.lonLo, p.lonHi, p.altLo, p.altHi);
}

class NoRows final : public AiRowSink {
  public:
    bool RowAdded(HostObjectId, const AiRowRecord&) override { return true; }
    void RowRemoved(HostObjectId) override {}
};

// One run: a module on a fake host, driven by steps, checked after each.
class Sequence {
  public:
    Sequence() {
        host.tower = HostPoint(46.5, 7.5, 900.0);
        for (HostObjectId id = 10; id < 14; ++id) {
            host.Add(id);
            host.aiList.push_back(id);
        }
    }

    bool Running() const { return ModuleRunning(core); }

    // Empty while every invariant holds, else what broke.
    std::string Run(const Step& step) {
        Do(step);
        return Check();
    }

  private:
    std::unique_ptr<FakeModule> m = std::make_unique<FakeModule>();
    FakeHost& host = m->host;
    ModuleCore& core = m->core;
    std::set<PointKey> hostPoints; // every eye point the host itself set
    bool settingsOpen = false, spottingOffered = false;
    int towerWrites = 0;
    HostObjectId nextId = 14;
    NoRows rows;
    std::string broken;

    EyePoint HostPoint(double lat, double lon, double metres) {
        EyePoint p{};
        EncodeEyePoint(lat, lon, metres, p);
        hostPoints.insert(KeyOf(p));
        return p;
    }

    void OpenSettings() {
        settingsOpen = true;
        FillPendingSettings(core.pending, core.settings, core.hotkeys);
        spottingOffered = PlaneSpottingAvailable(core.settings.Active, core.target.id);
    }

    void CloseWindows() {
        core.controller.windowOpen = core.controller.aiListOpen = settingsOpen = false;
    }

    void MenuPick(uint32_t value) {
        if (core.controller.aiListOpen) {
            CloseWindows(); // any menu command closes the list
        }
        if (!ModuleRunning(core)) {
            return;
        }
        int entry = value % 5;
        if (entry == 0 || entry == 4) {
            DispatchCommand(core, entry == 0 ? kCommandOnOff : kCommandWatchTraffic);
        } else if (!core.controller.windowOpen) {
            core.controller.windowOpen = true;
            core.controller.aiListOpen = entry == 1;
            if (entry == 2) {
                OpenSettings();
            }
        }
    }

    void SettingsAction(uint32_t value) {
        PendingSettings& p = core.pending;
        const uint32_t detail = value / 8;
        switch (value % 8) {
        case 0:
            AcceptPendingSettings(core);
            CloseWindows();
            break;
        case 1:
            CloseWindows();
            break;
        case 2:
            if (detail % 3 != kModePlaneSpotting || spottingOffered) {
                p.Mode = static_cast<int32_t>(detail % 3);
            }
            break;
        case 3: {
            ParameterBar bar = static_cast<ParameterBar>(detail % kParameterBarCount);
            int32_t span = ParameterBarSpan(p, bar);
            TakeParameterBarPosition(p, bar, static_cast<int32_t>(detail % (span + 1)));
            break;
        }
        case 4:
            CommitRangeField(p, static_cast<RangeField>(detail % kRangeFieldCount),
                             std::to_string(static_cast<int>(detail % 300) - 50).c_str());
            break;
        case 5:
            p.RndH = static_cast<int32_t>(detail % 3);
            p.RndV = static_cast<int32_t>(detail / 3 % 3);
            p.Turns = static_cast<int32_t>(detail / 9 % 2);
            p.Jumps = static_cast<int32_t>(detail / 18 % 2);
            p.Tour = static_cast<int32_t>(detail / 36 % 2);
            CommitTourRangeField(p,
                                 std::to_string(static_cast<int>(detail / 72 % 80) - 10).c_str());
            break;
        default:
            AssignKey(detail);
            break;
        }
    }

    // The Keys page: a key or none for an option, every conflict answered alike, yes or no.
    void AssignKey(uint32_t detail) {
        const int32_t option = static_cast<int32_t>(detail % kHotkeyOptionCount);
        const uint32_t letter = detail / 16 % 7;
        const uint8_t key = letter == 6 ? 0 : static_cast<uint8_t>('A' + letter);
        bool confirm = detail / 256 % 2 != 0;
        AssignPendingHotkey(
            core.pending, option,
            ChoiceFromBoxes(key, detail / 512 % 4 != 0, detail / 128 % 2 != 0),
            [](void* answer, int32_t) { return *static_cast<bool*>(answer); }, &confirm);
    }

    void AircraftAction(uint32_t value) {
        const uint32_t detail = value / 4;
        FakeAircraft& a = host.aircraft[detail % host.aircraft.size()];
        switch (value % 4) {
        case 0:
            a.present = !a.present;
            break;
        case 1:
            a.values[kVarLatitude] = std::fmod(a.values[kVarLatitude] + detail % 7 * 0.3, 80.0);
            break;
        case 2:
            a.values[kVarMagneticHeading] = detail % 360;
            a.values[kVarSpeedAlong] = detail % 300;
            a.aiState = static_cast<int32_t>(detail % 26) - 1;
            break;
        default:
            if (host.aircraft.size() < kMostAircraft) {
                host.Add(nextId);
                host.aiList.push_back(nextId++);
            } else if (!host.aiList.empty()) {
                host.aiList.erase(host.aiList.begin() + detail % host.aiList.size());
            }
            break;
        }
    }

    void Do(const Step& step) {
        const uint32_t v = step.value;
        switch (step.action) {
        case 0:
        case 1:
        case 2:
            ControllerTick(core);
            break;
        case 3:
            DispatchCommand(core, static_cast<Command>(v % kHotkeyOptionCount));
            break;
        case 4:
            if (core.controller.aiListOpen && !host.aiList.empty()) {
                CloseWindows();
                ShowChosenAircraft(core, host.aiList[v % host.aiList.size()],
                                   v % 2 ? kCommandListPassBy : kCommandListSpot);
            }
            break;
        case 5:
            MenuPick(v);
            break;
        case 6:
        case 7:
            if (settingsOpen) {
                SettingsAction(v);
            }
            break;
        case 8:
            host.pause = static_cast<int32_t>(v % 2);
            core.controller.hostMenuOpen = v % 5 == 0;
            break;
        case 9:
            host.state = v % 4 == 0 ? 5 : (v % 4 == 1 ? kHostStateBinding : kHostStateFlying);
            break;
        case 10: {
            const int32_t views[] = {kViewModeCockpit, kViewModeTower, kViewModeFollow};
            host.viewMode = views[v % 3];
            break;
        }
        case 11:
        case 12:
            AircraftAction(v);
            break;
        case 13:
            host.tower = HostPoint(-80.0 + v % 160, -179.0 + v % 358, v % 3000);
            break;
        case 14:
            if (!ViewedAircraftData(core, v % 2 != 0)) {
                broken = "the view code got null";
            }
            break;
        default:
            if (core.controller.aiListOpen) {
                SyncAiRows(core, rows);
                PruneAiRows(core, rows);
            }
            break;
        }
    }

    std::string Check() {
        if (!broken.empty() || !ModuleRunning(core)) {
            return broken;
        }
        if (host.towerWrites != towerWrites) {
            towerWrites = host.towerWrites;
            const EyePoint& t = host.tower;
            double lat = (t.latHi + t.latLo / kTwoTo32) * 90.0 / 10001750.0;
            double lon = (t.lonHi + t.lonLo / kTwoTo32) * 360.0 / kTwoTo32;
            double alt = t.altHi + t.altLo / kTwoTo32;
            if (!(std::fabs(lat) <= 90.0 && std::fabs(lon) <= 180.0 && std::isfinite(alt))) {
                return "the module wrote an eye point off the globe";
            }
        }
        if (!hostPoints.count(KeyOf(core.controller.savedHostEyePoint))) {
            return "the saved host eye point is not one the host set";
        }
        const std::string unclean = clean_settings::Problems(core.settings, core.hotkeys);
        if (!unclean.empty()) {
            return unclean;
        }
        if (core.settings.Mode == kModePlaneSpotting &&
            !SameEyePoint(core.controller.spottingEyePoint, host.aircraft[0].position)) {
            return "plane spotting without a point taken at the user's aircraft";
        }
        // What the module would write at exit reads back as the same settings and hotkeys, with
        // a spotting point that passes its check in plane spotting.
        const StoredState read =
            ReadBackAfterRestart(core.settings, core.hotkeys, core.controller.spottingEyePoint);
        if (memcmp(&read.settings, &core.settings, sizeof read.settings) != 0) {
            return "the settings do not survive a restart (Mode " +
                   std::to_string(core.settings.Mode) + ")";
        }
        const int lost = FirstHotkeyDifference(read.hotkeys, core.hotkeys);
        if (lost >= 0) {
            return "the hotkey of option " + std::to_string(lost) + " does not survive a restart";
        }
        return "";
    }
};

std::string Replay(const std::vector<Step>& steps) {
    Sequence sequence;
    for (const Step& step : steps) {
        std::string broken = sequence.Run(step);
        if (!broken.empty()) {
            return broken;
        }
    }
    return "";
}

// Drops chunks of steps, halving their size, as long as the run still fails.
std::vector<Step> Shrink(std::vector<Step> steps) {
    int rounds = 0;
    for (size_t chunk = steps.size() / 2; chunk >= 1 && rounds < kShrinkRounds; chunk /= 2) {
        for (size_t at = 0; at + chunk <= steps.size() && rounds < kShrinkRounds; ++rounds) {
            std::vector<Step> fewer(steps.begin(), steps.begin() + at);
            fewer.insert(fewer.end(), steps.begin() + at + chunk, steps.end());
            if (!Replay(fewer).empty()) {
                steps.swap(fewer);
            } else {
                at += chunk;
            }
        }
    }
    return steps;
}

int EnvInt(const char* name, int fallback) {
    const char* text = getenv(name);
    return text ? atoi(text) : fallback;
}

TEST(ModuleCoreSequence, RandomPilotAndHostEventsKeepEveryInvariant) {
    const int stepCount = EnvInt("SKYVANE_SEQUENCE_STEPS", kDefaultSteps);
    std::vector<uint32_t> seeds(std::begin(kDefaultSeeds), std::end(kDefaultSeeds));
    if (getenv("SKYVANE_SEQUENCE_SEED")) {
        seeds = {static_cast<uint32_t>(EnvInt("SKYVANE_SEQUENCE_SEED", 1))};
    }
    for (uint32_t seed : seeds) {
        std::mt19937 random(seed);
        Sequence sequence;
        std::vector<Step> steps;
        for (int i = 0; i < stepCount; ++i) {
            steps.push_back(
                Step{static_cast<int>(random() % kActionCount), static_cast<uint32_t>(random())});
            std::string broken = sequence.Run(steps.back());
            if (broken.empty()) {
                continue;
            }
            std::vector<Step> shortest = Shrink(steps);
            std::string list;
            for (const Step& s : shortest) {
                list += " " + std::to_string(s.action) + ":" + std::to_string(s.value);
            }
            FAIL() << broken << " after step " << i << " of seed " << seed << "; "
                   << shortest.size() << " steps still fail (action:value):" << list;
        }
        EXPECT_TRUE(sequence.Running()) << "seed " << seed << " never got the module running";
    }
}

} // namespace
