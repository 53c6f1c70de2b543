// The first-tick binding against a fake host: it waits for the host, binds once, and places the
// first eye point once the user's aircraft has a position.
#include "core/control/binding_stages.h"
#include <gtest/gtest.h>
#include <memory>
#include "core/control/controller.h"
#include "fake_host.h"

namespace {

struct NotReady {
    const char* what;
    void (*apply)(FakeHost&);
};

const NotReady kNotReady[] = {
    {"an interface still null", [](FakeHost& h) { h.filled = false; }},
    {"the ready word still 0", [](FakeHost& h) { h.ready = 0; }},
    {"not yet in state 227", [](FakeHost& h) { h.state = kHostStateFlying; }},
    {"no view module export", [](FakeHost& h) { h.exported = false; }},
};

TEST(BindingStages, AHostNotReadyIsNeverBoundAndALateOneBindsOnce) {
    for (const NotReady& notReady : kNotReady) {
        auto m = std::make_unique<FakeModule>();
        notReady.apply(m->host);
        for (int i = 0; i < 5; ++i) {
            ControllerTick(m->core);
        }
        EXPECT_EQ(m->shell.bound, 0) << notReady.what;
        EXPECT_EQ(m->host.towerWrites, 0) << notReady.what;
        EXPECT_TRUE(m->core.resolvePending) << notReady.what;
        m->host.filled = m->host.exported = true;
        m->host.ready = 1;
        m->host.state = kHostStateBinding;
        for (int i = 0; i < 3; ++i) {
            ControllerTick(m->core);
        }
        EXPECT_EQ(m->shell.bound, 1) << notReady.what;
        EXPECT_EQ(m->host.resolves, 1) << notReady.what;
        EXPECT_EQ(m->core.startupFlags, kStartupRunning) << notReady.what;
    }
}

TEST(BindingStages, TheFirstPlacementWaitsForTheUsersPositionAndRemembersTheHostsEye) {
    auto m = std::make_unique<FakeModule>();
    m->host.positionKnown = false;
    m->core.settings.Active = 1;
    m->host.tower = EyePoint{7, 7, 7, 7, 7, 7};
    ControllerTick(m->core);
    EXPECT_EQ(m->shell.bound, 1) << "the settings file is read at binding";
    EXPECT_EQ(m->core.startupFlags, kStartupBound);
    EXPECT_EQ(m->host.towerWrites, 0);
    m->host.positionKnown = true;
    m->host.state = kHostStateFlying;
    ControllerTick(m->core);
    EXPECT_EQ(m->core.startupFlags, kStartupRunning);
    EXPECT_EQ(m->host.towerWrites, 1) << "placed in the binding tick";
    EXPECT_TRUE(SameEyePoint(m->core.controller.savedHostEyePoint, EyePoint{7, 7, 7, 7, 7, 7}));
    DispatchCommand(m->core, kCommandOnOff);
    EXPECT_TRUE(SameEyePoint(m->host.tower, EyePoint{7, 7, 7, 7, 7, 7}))
        << "switching off puts back the host's own eye point";
}

} // namespace
