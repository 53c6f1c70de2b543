// "Watch the Traffic" through the tick and the commands against a fake host: when it switches,
// the redirect, the pilot taking control back, and host values that make no sense.
#include "core/control/traffic_tour.h"
#include <gtest/gtest.h>
#include <climits>
#include <memory>
#include "core/control/controller.h"
#include "core/control/view_target.h"
#include "fake_host.h"

namespace {

class TrafficTourTest : public ::testing::Test {
  protected:
    std::unique_ptr<FakeModule> m = std::make_unique<FakeModule>();
    FakeHost& host = m->host;
    ModuleCore& core = m->core;
    FakeAircraft* ai[3]; // 5 taxis out at 1 nm, 7 takes off at 2 nm, 9 takes off 8 nm away

    void SetUp() override {
        const int32_t states[] = {kAiStateTaxiOut, kAiStateTakeOff, kAiStateTakeOff};
        for (int i = 0; i < 3; ++i) {
            host.Add(5 + 2 * i).aiState = states[i];
            host.aircraft.back().distanceMetres = (i == 2 ? 8 : i + 1) * 1852.0;
            host.aiList.push_back(5 + 2 * i);
        }
        ai[0] = &host.aircraft[1], ai[1] = &host.aircraft[2], ai[2] = &host.aircraft[3];
        Tick(1);
        host.state = kHostStateFlying;
        DispatchCommand(core, kCommandOnOff);
        DispatchCommand(core, kCommandWatchTraffic);
        Tick(1); // switched on: chosen at the next tick
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
    EXPECT_EQ(core.target.id, 7);
    EXPECT_EQ(host.redirect, RedirectWord::kModules);
    ai[1]->aiState = kAiStatePattern; // 5 taxiing is now less interesting than 7 on the circuit
    ai[0]->aiState = kAiStatePattern; // and equal to it, waiting its turn
    Tick(core.settings.Svp - 1);
    EXPECT_EQ(core.target.id, 7) << "never in the middle of a pass-by";
    Tick(1);
    EXPECT_EQ(core.target.id, 5);
    ai[0]->aiState = ai[1]->aiState = 1; // asleep: nothing left to watch
    Tick(core.settings.Svp);
    EXPECT_EQ(core.target.id, kUserAircraftId);
    EXPECT_EQ(host.redirect, RedirectWord::kHostsOwn);
    ai[0]->aiState = ai[1]->aiState = kAiStateLanding;
    Tick(core.settings.Svp);
    ASSERT_EQ(core.target.id, 7) << "its turn: shown longest ago";
    ai[1]->present = false; // gone in the middle of a pass-by: the next one at once
    Tick(1);
    EXPECT_EQ(core.target.id, 5);
}

TEST_F(TrafficTourTest, ATargetChosenByHandEndsTheTourAndStays) {
    for (Command command : {kCommandNextAi, kCommandPreviousAi, kCommandCycleViews,
                            kCommandListPassBy, kCommandListSpot}) {
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

TEST_F(TrafficTourTest, AGarbageAiCountNeitherCrashesNorLeavesTheViewWithoutATarget) {
    for (int32_t count : {INT_MIN, -1, 0, 1, INT_MAX}) {
        host.aiCountWord = count;
        host.entryReads = 0;
        Tick(core.settings.Svp); // Tick checks the view's target every second
        EXPECT_LE(host.entryReads, core.settings.Svp * (kAiListEntryLimit + 1)) << count;
        EXPECT_TRUE(core.target.id == kUserAircraftId || core.target.id == 7) << count;
    }
}
