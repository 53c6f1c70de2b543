// "Watch the Traffic" through the tick and the commands against a fake host: when the tour
// switches, the redirect, the pilot taking control back, and host values that make no sense.
#include "camera/traffic_tour.h"
#include <gtest/gtest.h>
#include <climits>
#include <memory>
#include "camera/controller.h"
#include "camera/view_target.h"
#include "fake_host.h"

namespace {

constexpr double kMetresPerNm = 1852.0;

class TrafficTourTest : public ::testing::Test {
  protected:
    std::unique_ptr<FakeModule> m = std::make_unique<FakeModule>();
    FakeHost& host = m->host;
    ModuleCore& core = m->core;

    // Flying in the tower view, pass-by on, period 10 s. 5 taxis out at 1 nm, 7 takes off at
    // 2 nm, 9 takes off 8 nm away (beyond the 5 nm range).
    void SetUp() override {
        AddAi(5, kAiStateTaxiOut, 1);
        AddAi(7, kAiStateTakeOff, 2);
        AddAi(9, kAiStateTakeOff, 8);
        ControllerTick(core);
        host.state = kHostStateFlying;
        DispatchCommand(core, kCommandOnOff);
        DispatchCommand(core, kCommandWatchTraffic);
        ControllerTick(core);
    }
    void AddAi(HostObjectId id, int32_t state, double nm) {
        FakeAircraft& a = host.Add(id);
        a.aiState = state;
        a.distanceMetres = nm * kMetresPerNm;
        host.aiList.push_back(id);
    }
    void Tick(int seconds) {
        for (int i = 0; i < seconds; ++i) {
            ControllerTick(core);
            ASSERT_NE(ViewedAircraftData(core, true), nullptr);
        }
    }
};

} // namespace

TEST_F(TrafficTourTest, SwitchesOnlyAtANewPassByAndRedirectsTheView) {
    EXPECT_EQ(core.target.id, 7) << "switched on: chosen at the next tick";
    EXPECT_EQ(host.redirect, RedirectWord::kModules);
    host.aircraft[2].aiState = kAiStateEnroute; // 7 has climbed out, 5 is now the best
    host.aircraft[2].values[kVarAltitude] = 3000;
    Tick(core.settings.Svp - 1);
    EXPECT_EQ(core.target.id, 7) << "never in the middle of a pass-by";
    Tick(1);
    EXPECT_EQ(core.target.id, 5);
    host.aircraft[1].aiState = 1; // asleep: nothing left to watch
    host.aircraft[2].aiState = kAiStateTaxiIn;
    host.aircraft[2].distanceMetres = 6 * kMetresPerNm;
    Tick(core.settings.Svp);
    EXPECT_EQ(core.target.id, kUserAircraftId);
    EXPECT_EQ(host.redirect, RedirectWord::kHostsOwn);
}

TEST_F(TrafficTourTest, AVanishedAircraftIsReplacedAtOnce) {
    host.aircraft[2].present = false;
    Tick(1);
    EXPECT_EQ(core.target.id, 5);
    EXPECT_EQ(core.controller.periodTicks, 0) << "a new pass-by";
}

TEST_F(TrafficTourTest, ATargetChosenByHandEndsTheTour) {
    const Command hand[] = {kCommandNextAi, kCommandPreviousAi, kCommandCycleViews,
                            kCommandListPassBy, kCommandListSpot};
    for (Command command : hand) {
        SetTrafficTour(core, true);
        if (command >= kCommandListPassBy) {
            ShowChosenAircraft(core, 9, command);
        } else {
            DispatchCommand(core, command);
        }
        EXPECT_EQ(core.settings.Tour, 0) << command;
        const HostObjectId chosen = core.target.id;
        Tick(2 * core.settings.Svp);
        EXPECT_EQ(core.target.id, chosen) << command;
        host.viewMode = kViewModeTower;
        Tick(1);
    }
}

TEST_F(TrafficTourTest, AGarbageAiCountNeverCrashesNorLeavesTheViewWithoutATarget) {
    for (int32_t count : {INT_MIN, -1, 0, 1, INT_MAX}) {
        host.aiCountWord = count;
        host.entryReads = 0;
        Tick(core.settings.Svp);
        EXPECT_LE(host.entryReads, core.settings.Svp * (kAiListEntryLimit + 1)) << count;
        EXPECT_TRUE(core.target.id == kUserAircraftId || core.target.id == 7) << count;
    }
}
