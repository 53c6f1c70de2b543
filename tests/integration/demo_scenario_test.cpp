// The demo's scenario with the real module: it runs without a failed action, the eye point
// changes exactly when the timeline says it must, the views show the aircraft the commands
// chose, the module's windows open and close as scripted, and the summary counts it all.
#include "demo_timeline_model.h"
#include "skyvane_fixture.h"

#include "scripts/demo_summary.h"

#include <fstream>
#include <set>

using namespace skyvane_test;
using nlohmann::json;

namespace {
constexpr int kAiListControl = 10013;
constexpr int kSettingsControl = 10041;
constexpr int kAboutControl = 1008;
constexpr double kFieldMetres = 10000; // further than any eye point of the circuit's field
const char* const kScenario = SKYVANE_SOURCE_DIR "/hostsim/scenarios/demo_circuit.json";

json ReadScenario() {
    std::ifstream file(kScenario);
    return json::parse(file, nullptr, false);
}

std::vector<json> ReadTrace(const std::string& path) {
    std::vector<json> lines;
    std::ifstream file(path);
    std::string line;
    while (std::getline(file, line)) {
        lines.push_back(json::parse(line, nullptr, false));
    }
    return lines;
}

class DemoScenario : public SkyvaneHost {
  protected:
    void SetUp() override {
        SkyvaneHost::SetUp();
        scenario = ReadScenario();
        ASSERT_TRUE(scenario.is_object()) << kScenario;
        expected = demo_model::Model(scenario).Run();
    }

    json scenario;
    demo_model::Expectation expected;
};

// The seconds at which the model expects the tower eye point to change.
std::vector<int> EyeChangeSeconds(const demo_model::Expectation& e) {
    std::vector<int> changes;
    for (int t = 0; t <= e.seconds; ++t) {
        if (e.at[t].eyeChanges) {
            changes.push_back(t);
        }
    }
    return changes;
}
} // namespace

TEST(DemoTimelineModel, CountsRenewalsPausesAndDialogsOfASmallTimeline) {
    json scenario = json::parse(R"({
      "seconds": 60, "host": {"flyingAfter": 3},
      "ai": [{"id": 7}, {"id": 9}],
      "timeline": [
        {"at": 5, "key": "F", "mods": ["shift"]},
        {"at": 20, "key": "D", "mods": ["shift"]},
        {"at": 30, "pause": true}, {"at": 35, "pause": false},
        {"at": 40, "key": "C", "mods": ["shift"]},
        {"at": 45, "click": 10044}
      ]})");
    demo_model::Expectation e = demo_model::Model(scenario).Run();
    ASSERT_TRUE(e.unknown.empty());
    const std::vector<int> changes = EyeChangeSeconds(e);
    // On at 5 and renewed 9 s later (the tick of the key's second counts); the next AI aircraft
    // at 20 restarts the count; the pause and then the dialog hold it; OK places anew.
    EXPECT_EQ(changes, (std::vector<int>{5, 14, 20, 29, 45, 54}));
    EXPECT_EQ(e.at[21].target, 7);
    EXPECT_TRUE(e.at[42].settings);
    EXPECT_TRUE(e.at[42].paused);
    EXPECT_FALSE(e.at[46].paused);
}

TEST(DemoTimelineModel, CatchesUpAfterASlewOnlyOnceTheBoxesAreTicked) {
    json scenario = json::parse(R"({
      "seconds": 40, "host": {"flyingAfter": 3},
      "timeline": [
        {"at": 5, "key": "F", "mods": ["shift"]},
        {"at": 10, "updateAircraft": {"id": 1, "lat": 51.1, "lon": 2.1}},
        {"at": 12, "key": "C", "mods": ["shift"]},
        {"at": 13, "clickTab": {"control": 10041, "tab": 1}},
        {"at": 13, "click": 10051}, {"at": 13, "click": 10052},
        {"at": 14, "click": 10044},
        {"at": 20, "updateAircraft": {"id": 1, "lat": 51.0, "lon": 1.9}}
      ]})");
    demo_model::Expectation e = demo_model::Model(scenario).Run();
    ASSERT_TRUE(e.unknown.empty());
    const std::vector<int> changes = EyeChangeSeconds(e);
    // The slew at 10 goes unseen; OK at 14 places and starts the watch; the slew at 20 places
    // at once and the period starts again from it.
    EXPECT_EQ(changes, (std::vector<int>{5, 14, 20, 30, 40}));
    EXPECT_FALSE(e.at[13].turns);
    EXPECT_TRUE(e.at[14].turns);
}

TEST(DemoTimelineModel, ReportsActionsItDoesNotKnow) {
    json scenario = json::parse(R"({"seconds": 5, "timeline": [
        {"at": 2, "key": "Q", "mods": ["shift"]}, {"at": 3, "clickAt": {"control": 1}}]})");
    EXPECT_EQ(demo_model::Model(scenario).Run().unknown.size(), 2u);
}

TEST_F(DemoScenario, TheModelKnowsEveryActionOfTheDemo) {
    EXPECT_TRUE(expected.unknown.empty()) << expected.unknown.front();
    EXPECT_GT(expected.eyeChanges, 40) << "a demo worth the name places many eye points";
}

TEST_F(DemoScenario, RunsAsScriptedAndTheSummaryCountsThePlacements) {
    int seconds = 0;
    ASSERT_TRUE(HostsimLoadScenario(kScenario, &options, &seconds));
    ASSERT_EQ(seconds, expected.seconds);
    std::string trace = root + "\\demo.jsonl";
    snprintf(options.tracePath, sizeof options.tracePath, "%s", trace.c_str());
    Start();
    std::set<int> windowMismatches;
    for (int t = 1; t <= seconds; ++t) {
        HostsimStep(1);
        const demo_model::Second& want = expected.at[t];
        bool aiList = HostsimFindModuleWindow(kAiListControl) != nullptr;
        bool settings = HostsimFindModuleWindow(kSettingsControl) != nullptr;
        bool about = HostsimFindModuleWindow(kAboutControl) != nullptr;
        if (aiList != want.aiList || settings != want.settings || about != want.about) {
            windowMismatches.insert(t);
        }
        EXPECT_EQ(HostsimPaused(), want.paused) << "at " << t << " s";
    }
    EXPECT_TRUE(windowMismatches.empty()) << "first at " << *windowMismatches.begin() << " s";
    HostsimShutdown();
    std::string journal = HostsimJournal();
    EXPECT_EQ(journal.find("action failed"), std::string::npos) << journal;

    static DemoSummary summary;
    ASSERT_TRUE(SummariseTrace(trace.c_str(), &summary));
    EXPECT_TRUE(summary.readable);
    EXPECT_EQ(summary.seconds, seconds);
    EXPECT_EQ(summary.eyeChanges, expected.eyeChanges);
    for (int t = 1; t <= seconds; ++t) {
        EXPECT_EQ(summary.changed[t], expected.at[t].eyeChanges) << "at " << t << " s";
    }
    EXPECT_EQ(summary.slotSecondsNotOk, 0) << "first at " << summary.firstSlotProblem << " s";
    EXPECT_EQ(summary.unknownReads, 0u);
    EXPECT_EQ(summary.pauseEvents, summary.resumeEvents);
    for (int i = 0; i < summary.windowCount; ++i) {
        EXPECT_FALSE(summary.windows[i].openAtEnd) << WindowName(summary.windows[i].controlId);
    }

    // Every pass-by of the user's aircraft is measured, with "Follow turns" as the model says.
    static DemoApproaches approaches;
    ASSERT_TRUE(SummariseApproaches(trace.c_str(), &approaches));
    std::set<bool> turnsSeen;
    for (int i = 0; i < approaches.count; ++i) {
        const SummaryApproach& pass = approaches.passes[i];
        EXPECT_EQ(pass.turns, expected.at[pass.first].turns) << "from " << pass.first << " s";
        EXPECT_LT(pass.closestMetres, kFieldMetres) << "from " << pass.first << " s";
        turnsSeen.insert(pass.turns);
    }
    EXPECT_EQ(turnsSeen.size(), 2u) << "pass-bys both with and without following turns";

    // Each second the views showed the aircraft the commands chose.
    std::vector<json> lines = ReadTrace(trace);
    ASSERT_EQ(lines.size(), static_cast<size_t>(seconds + 1));
    for (int t = 1; t <= seconds; ++t) {
        const demo_model::Second& want = expected.at[t];
        ASSERT_EQ(lines[t]["viewMode"], want.view) << "at " << t << " s";
        const char* seer = want.view == kViewTower ? "towerSees" : "followSees";
        EXPECT_EQ(lines[t][seer], want.target) << "at " << t << " s";
    }
}
