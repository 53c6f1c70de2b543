// The one-second tick and the commands against a fake host: renewal and what holds it, the
// views, the modes, AI stepping, the view cycle, the redirect and the fall-backs.
#include "core/control/controller.h"
#include <gtest/gtest.h>
#include <cmath>
#include <memory>
#include "core/control/binding_stages.h"
#include "core/control/view_target.h"
#include "fake_host.h"
#include "core/settings/settings_limits.h"
#include "core/control/ai_list_model.h"
#include "core/control/ai_traffic.h"
#include "tests/bench/rate_flight.h"

namespace {

constexpr int32_t kGroundFeet = 1400;
constexpr double kMetresPerFoot = 0.3048;

class Controller : public ::testing::Test {
  protected:
    std::unique_ptr<FakeModule> m = std::make_unique<FakeModule>();
    FakeHost& host = m->host;
    ModuleCore& core = m->core;

    // Bound, flying in the tower view with the pass-by view on; AI aircraft 5, 7 and 9 listed.
    void SetUp() override {
        host.aircraft[0].values[kVarGroundElevation] = kGroundFeet;
        for (HostObjectId id : {5, 7, 9}) {
            host.Add(id);
            host.aiList.push_back(id);
        }
        Tick();
        host.state = kHostStateFlying;
        DispatchCommand(core, kCommandOnOff);
        Tick();
    }
    void Tick(int seconds = 1) {
        for (int i = 0; i < seconds; ++i) {
            ControllerTick(core);
        }
    }
    // Tower writes during the given seconds.
    int Placements(int seconds) {
        int before = host.towerWrites;
        Tick(seconds);
        return host.towerWrites - before;
    }
    void FollowAi(HostObjectId id) {
        while (core.target.id != id) {
            DispatchCommand(core, kCommandNextAi);
        }
    }
};

TEST_F(Controller, ANewEyePointEveryPeriodUnlessSomethingHoldsIt) {
    EXPECT_EQ(Placements(60), 6);
    struct Hold {
        const char* what;
        void (*apply)(FakeHost&, ModuleCore&);
    };
    const Hold holds[] = {
        {"paused", [](FakeHost& h, ModuleCore&) { h.pause = 1; }},
        {"held by the user's aircraft",
         [](FakeHost& h, ModuleCore&) { h.aircraft[0].values[kVarUserState] = 1; }},
        {"a host menu", [](FakeHost&, ModuleCore& c) { c.controller.hostMenuOpen = true; }},
        {"a module dialog", [](FakeHost&, ModuleCore& c) { c.controller.windowOpen = true; }},
    };
    for (const Hold& hold : holds) {
        Placements(10);
        hold.apply(host, core);
        EXPECT_EQ(Placements(25), 0) << hold.what;
        host.pause = 0;
        host.aircraft[0].values[kVarUserState] = 0;
        core.controller.hostMenuOpen = core.controller.windowOpen = false;
    }
    core.controller.windowOpen = core.controller.aiListOpen = true;
    EXPECT_EQ(Placements(20), 2) << "the AI list holds nothing";
}

TEST_F(Controller, OtherViewsRenewEverySecondAndTheTowerViewIsToldOnceOnReturn) {
    host.viewMode = kViewModeCockpit;
    host.pause = 1;
    EXPECT_EQ(Placements(5), 5);
    host.viewMode = kViewModeTower;
    int words = host.towerRefreshes;
    Tick(3);
    EXPECT_EQ(host.towerRefreshes, words + 1);
}

TEST_F(Controller, ModesPlaceOnTheGroundOrAtAFixedSpottingPoint) {
    DispatchCommand(core, kCommandModeOnGround);
    EXPECT_EQ(host.tower.altHi, static_cast<int32_t>(std::floor(kGroundFeet * kMetresPerFoot)));
    host.aircraft[0].position = EyePoint{1, 2, 3, 4, 5, 6};
    DispatchCommand(core, kCommandModeSpotting);
    EXPECT_TRUE(SameEyePoint(host.tower, host.aircraft[0].position));
    EXPECT_TRUE(SameEyePoint(core.controller.spottingEyePoint, host.tower));
    EXPECT_EQ(Placements(40), 0) << "plane spotting is never renewed";
    DispatchCommand(core, kCommandModeNormal);
    EXPECT_FALSE(SameEyePoint(host.tower, host.aircraft[0].position));
}

TEST_F(Controller, NextAndPreviousStepThroughTheAiListWithWrapAround) {
    const struct {
        Command command;
        HostObjectId expected[4];
    } steps[] = {{kCommandNextAi, {5, 7, 9, 5}}, {kCommandPreviousAi, {9, 7, 5, 9}}};
    for (const auto& step : steps) {
        DispatchCommand(core, kCommandOnOff);
        DispatchCommand(core, kCommandOnOff);
        for (HostObjectId expected : step.expected) {
            DispatchCommand(core, step.command);
            EXPECT_EQ(core.target.id, expected);
            EXPECT_EQ(ViewedAircraftData(core, true), &host.Find(expected)->values);
            EXPECT_EQ(ViewedAircraftData(core, false), &host.aircraft[0].values)
                << "other callers keep the user's aircraft";
            EXPECT_EQ(host.redirect, RedirectWord::kModules);
        }
    }
    DispatchCommand(core, kCommandOnOff);
    EXPECT_EQ(host.redirect, RedirectWord::kHostsOwn) << "switching off removes the redirect";
    host.aiList.clear();
    DispatchCommand(core, kCommandOnOff);
    DispatchCommand(core, kCommandNextAi);
    EXPECT_EQ(core.target.id, kUserAircraftId) << "without AI aircraft a step does nothing";
}

TEST_F(Controller, TheCycleGoesToTheFollowViewAndBackWithTheSameAircraft) {
    FollowAi(7);
    DispatchCommand(core, kCommandCycleViews);
    EXPECT_EQ(host.followed, 7);
    host.viewMode = kViewModeFollow; // the host follows word B
    Tick();
    EXPECT_EQ(core.target.id, 7) << "the module's own switch keeps the target";
    DispatchCommand(core, kCommandCycleViews);
    EXPECT_EQ(host.viewMode, kViewModeTower);
    Tick();
    EXPECT_EQ(core.target.id, 7);
    EXPECT_EQ(host.redirect, RedirectWord::kModules);
}

TEST_F(Controller, TheUsersAircraftTakesOverWhenTheAiTargetCannotBeShown) {
    struct Case {
        const char* what;
        void (*apply)(FakeHost&);
    };
    const Case cases[] = {
        {"the user's own view switch", [](FakeHost& h) { h.viewMode = kViewModeFollow; }},
        {"a view without the target", [](FakeHost& h) { h.viewMode = kViewModeCockpit; }},
        {"leaving the flying state", [](FakeHost& h) { h.state = 5; }},
        {"the aircraft vanished", [](FakeHost& h) { h.Find(7)->present = false; }},
    };
    for (const Case& c : cases) {
        FollowAi(7);
        c.apply(host);
        Tick(core.settings.Svp); // a vanished aircraft is noticed by the next placement
        EXPECT_EQ(core.target.id, kUserAircraftId) << c.what;
        EXPECT_EQ(host.redirect, RedirectWord::kHostsOwn) << c.what;
        host.viewMode = kViewModeTower;
        host.state = kHostStateFlying;
        host.aircraft[2].present = true;
        Tick();
    }
    EXPECT_EQ(Placements(10), 1) << "the pass-by goes on with the user's aircraft";
}

TEST_F(Controller, AHostValueThatIsNotANumberNeverReachesTheTowerEyePoint) {
    host.aircraft[0].values[kVarLatitude] = NAN;
    EyePoint placed = host.tower;
    EXPECT_EQ(Placements(25), 0);
    EXPECT_TRUE(SameEyePoint(placed, host.tower));
    host.aircraft[0].values[kVarLatitude] = 47.5;
    EXPECT_EQ(Placements(10), 1);
}

TEST_F(Controller, WhileTheViewIsOffOnlyTheSwitchAndTheWindowCommandsAct) {
    DispatchCommand(core, kCommandOnOff);
    const Settings before = core.settings;
    for (int32_t command : {1, 2, 3, 6, 7, 8, 9, 10, 11, 12, 13, 14, 100, 101}) {
        DispatchCommand(core, static_cast<Command>(command));
        EXPECT_EQ(core.target.id, kUserAircraftId) << command;
        EXPECT_EQ(0, memcmp(&before, &core.settings, sizeof before)) << command;
    }
    DispatchCommand(core, kCommandAiList);
    EXPECT_TRUE(core.controller.aiListOpen);
    DispatchCommand(core, kCommandSettingsDialog);
    EXPECT_TRUE(core.controller.aiListOpen) << "the dialog waits while the list is open";
}

TEST_F(Controller, AListClickTheModuleRefusesChangesNothing) {
    // The list's buttons are a second out of date: the click comes after Shift+F or Shift+I.
    struct Case {
        const char* what;
        Command before;
    };
    const Case cases[] = {{"view switched off", kCommandOnOff},
                          {"plane spotting chosen", kCommandModeSpotting}};
    for (const Case& c : cases) {
        for (Command button : {kCommandListPassBy, kCommandListSpot}) {
            DispatchCommand(core, c.before);
            const int32_t viewMode = host.viewMode;
            ShowChosenAircraft(core, 7, button);
            EXPECT_EQ(core.target.id, kUserAircraftId) << c.what << " " << button;
            EXPECT_EQ(host.redirect, RedirectWord::kHostsOwn) << c.what << " " << button;
            EXPECT_EQ(host.viewMode, viewMode) << c.what << " " << button;
            DispatchCommand(core, c.before == kCommandOnOff ? kCommandOnOff : kCommandModeNormal);
        }
    }
    ShowChosenAircraft(core, 7, kCommandListPassBy);
    EXPECT_EQ(core.target.id, 7) << "accepted once the view is on again";
    EXPECT_EQ(host.redirect, RedirectWord::kModules);
}

TEST_F(Controller, AVanishedTargetNeverMakesTheModulesPointTheHostsOwn) {
    core.settings.RndH = core.settings.RndV = 2; // a nested placement draws too
    const EyePoint hostsOwn = core.controller.savedHostEyePoint;
    FollowAi(7);
    host.Find(7)->present = false;
    Tick(core.settings.Svp);
    EXPECT_EQ(core.target.id, kUserAircraftId);
    EXPECT_TRUE(SameEyePoint(core.controller.savedHostEyePoint, hostsOwn));
    DispatchCommand(core, kCommandOnOff);
    EXPECT_TRUE(SameEyePoint(host.tower, hostsOwn)) << "switching off restores the host's view";
}

TEST_F(Controller, WithoutAnyAircraftToReadNothingIsWrittenAndSpottingIsRefused) {
    host.aircraft[0].present = false;
    EXPECT_EQ(Placements(3 * core.settings.Svp), 0);
    DispatchCommand(core, kCommandModeSpotting);
    EXPECT_EQ(core.settings.Mode, kModeNormal);
    FollowAi(7);
    host.Find(7)->present = false;
    EXPECT_EQ(ViewedAircraftData(core, true), &host.ownAnswer) << "never null to host code";
    EXPECT_EQ(ViewedAircraftData(core, false), &host.ownAnswer);
}

TEST_F(Controller, OkWithPlaneSpottingKeepsTheModeWhenNoPointCanBeTaken) {
    const struct {
        const char* what;
        bool viewOn;
        HostObjectId target;
        int32_t mode;
    } cases[] = {{"view off", false, kUserAircraftId, kModeOnGround},
                 {"an AI aircraft followed", true, 7, kModeNormal},
                 {"taken at the user's aircraft", true, kUserAircraftId, kModePlaneSpotting}};
    for (const auto& c : cases) {
        if (core.settings.Active != 0) {
            DispatchCommand(core, kCommandOnOff); // off, and back to the user's aircraft
        }
        if (c.viewOn) {
            DispatchCommand(core, kCommandOnOff);
        }
        core.settings.Mode = kModeOnGround;
        if (c.target != kUserAircraftId) {
            core.settings.Mode = kModeNormal;
            FollowAi(c.target);
        }
        FillPendingSettings(core.pending, core.settings, core.hotkeys);
        core.pending.Mode = kModePlaneSpotting;
        AcceptPendingSettings(core);
        EXPECT_EQ(core.settings.Mode, c.mode) << c.what;
    }
}

TEST_F(Controller, ARowOfAnotherVanishedAircraftLeavesTheTargetAlone) {
    FollowAi(7);
    host.Find(9)->present = false;
    ReadAiColumnValue(core, 9, 4);
    EXPECT_EQ(core.target.id, 7);
    EXPECT_EQ(host.redirect, RedirectWord::kModules);
}

TEST_F(Controller, ACorruptAiCountIsReadOnlyAsFarAsTheListHoldsRows) {
    host.aiCountWord = 0x7FFFFFFF;
    FollowAi(9);
    host.entryReads = 0;
    DispatchCommand(core, kCommandNextAi);
    EXPECT_LE(host.entryReads, 2 * kAiListEntryLimit);
    host.aiCountWord = -5;
    DispatchCommand(core, kCommandPreviousAi);
    EXPECT_EQ(AiListLength(host), 0);
}

TEST(ControllerBeforeRunning, CommandsWaitUntilTheHostsEyePointIsRecorded) {
    auto m = std::make_unique<FakeModule>();
    m->host.positionKnown = false;
    m->host.tower = EyePoint{3, 3, 3, 3, 3, 3};
    for (int tick = 0; tick < 2; ++tick) {
        for (int32_t command : {0, 1, 4, 5, 8}) {
            DispatchCommand(m->core, static_cast<Command>(command));
        }
        EXPECT_EQ(m->core.settings.Active, 0);
        EXPECT_FALSE(m->core.controller.windowOpen);
        EXPECT_TRUE(SameEyePoint(m->host.tower, EyePoint{3, 3, 3, 3, 3, 3}));
        ControllerTick(m->core); // binds, but the user's aircraft has no position yet
    }
    m->host.positionKnown = true;
    ControllerTick(m->core);
    DispatchCommand(m->core, kCommandOnOff);
    EXPECT_EQ(m->core.settings.Active, 1);
}

TEST_F(Controller, AJumpOfTheFollowedAircraftPlacesAtOnceWhenCatchingUpIsOn) {
    host.Find(7)->values[kVarLatitude] = 48.0; // 60 nm from the user's aircraft
    for (int32_t jumps : {0, 1}) {
        core.settings.Jumps = jumps;
        Placements(core.settings.Svp); // a renewal, then 9 s to go
        Tick(2);
        host.aircraft[0].values[kVarLatitude] += 0.2; // 12 nm in a second
        EXPECT_EQ(Placements(1), jumps) << jumps;
        host.aircraft[0].values[kVarLatitude] -= 0.2;
        Tick(1);
    }
    EXPECT_EQ(core.controller.periodTicks, 0) << "the jump back restarted the period";
    Placements(core.settings.Svp);
    Tick(2);
    const int placementsBefore = host.towerWrites;
    FollowAi(7);
    EXPECT_EQ(Placements(1), 0) << "switching target is not a jump";
    EXPECT_EQ(host.towerWrites - placementsBefore, 2) << "the two steps' own placements";
}

TEST_F(Controller, FollowingTurnsMovesTheEyeOnlyWhileTheAircraftTurns) {
    auto placedAfterTurning = [&](int32_t turns, double degreesPerSecond) {
        auto other = std::make_unique<FakeModule>();
        other->host.aircraft[0].values[kVarSpeedAlong] = 120.0;
        ControllerTick(other->core);
        other->host.state = kHostStateFlying;
        DispatchCommand(other->core, kCommandOnOff);
        other->core.settings.Turns = turns;
        for (int i = 0; i < other->core.settings.Svp; ++i) {
            other->host.aircraft[0].values[kVarMagneticHeading] = 90.0 + i * degreesPerSecond;
            ControllerTick(other->core);
        }
        return other->host.tower;
    };
    EXPECT_TRUE(SameEyePoint(placedAfterTurning(1, 0.0), placedAfterTurning(0, 0.0)));
    EXPECT_FALSE(SameEyePoint(placedAfterTurning(1, 3.0), placedAfterTurning(0, 3.0)));
}

} // namespace

namespace {

using rate_flight::RateFlight;

TEST(ControllerAtSimulationRates, TurnsAndJumpsAreMeasuredInSimulatedTime) {
    constexpr double kAimFactor = 1.5; // times the intended offset
    for (double rate : {1.0, 2.0, 4.0, 16.0}) {
        RateFlight turn(rate, 120, 1, 0);
        turn.moves = false;
        turn.turnDegPerSec = 2;
        turn.Fly(40);
        EXPECT_LE(turn.NextPassMetres(), kAimFactor * turn_flight::IntendedMetres()) << rate;
    }
    // Jumps at 600 kt: none flying, none when the clock stands or jumps, a 10 nm slew caught.
    const struct {
        const char* what;
        double rate;
        int stillSeconds;   // the clock stands still from the 33rd second, for this long
        double clockJump;   // the clock is set by this much at the 33rd second
        double slewDegEast; // the aircraft is moved by this much at the 33rd second
        int jumps;
    } cases[] = {
        {"flying at 1x", 1, 0, 0, 0, 0},         {"flying at 2x", 2, 0, 0, 0, 0},
        {"flying at 4x", 4, 0, 0, 0, 0},         {"flying at 16x", 16, 0, 0, 0, 0},
        {"flying at 128x", 128, 0, 0, 0, 0},     {"the clock stands at 16x", 16, 6, 0, 0, 0},
        {"set ahead at 16x", 16, 0, 7200, 0, 0}, {"set back at 16x", 16, 0, -3600, 0, 0},
        {"a slew at 1x", 1, 0, 0, 0.25, 1},      {"a slew at 4x", 4, 0, 0, 0.25, 1},
    };
    for (const auto& c : cases) {
        RateFlight flight(c.rate, 600, 0, 1);
        flight.SetClock(86400 - 20 * c.rate); // through midnight
        int jumps = flight.Fly(32);
        flight.SetClock(flight.clockSeconds + c.clockJump);
        flight.host.aircraft[0].values[kVarLongitude] += c.slewDegEast;
        for (int second = 0; second < c.stillSeconds; ++second) {
            flight.SetClock(flight.clockSeconds - flight.rate);
            jumps += flight.Second();
        }
        EXPECT_EQ(jumps + flight.Fly(28 - c.stillSeconds), c.jumps) << c.what;
    }
}

TEST(ControllerAtSimulationRates, AStaleCourseHistoryLooksAheadStraight) {
    RateFlight flight(1, 120, 1, 0);
    flight.core.settings.Svp = 20;
    flight.turnDegPerSec = 3;
    flight.Fly(30);
    flight.turnDegPerSec = 0;
    flight.host.viewMode = kViewModeCockpit;
    flight.Fly(60);
    EXPECT_LE(flight.PassMetres(), 1.1 * turn_flight::IntendedMetres()) << "seen back in the tower";
}

} // namespace
