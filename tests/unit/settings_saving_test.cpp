// The tick asks for the settings file after any change of a stored value, by every path that
// changes one, and never while nothing stored changed.
#include <gtest/gtest.h>
#include <memory>
#include "core/control/controller.h"
#include "fake_host.h"
#include "core/settings/key_assignment.h"

namespace {

// The dialog's OK with this period and, unless 0, this key for option 3 from the Keys page.
void Ok(ModuleCore& c, int32_t svp, uint8_t key) {
    FillPendingSettings(c.pending, c.settings, c.hotkeys);
    c.pending.Svp = svp;
    const auto yes = [](void*, int32_t) { return true; };
    if (key != 0) {
        AssignPendingHotkey(c.pending, 3, KeyChoice{key, 1, 0}, yes, nullptr);
    }
    AcceptPendingSettings(c);
}

template <Command command> void Issue(ModuleCore& c, FakeHost&) {
    DispatchCommand(c, command);
}

TEST(SettingsSaving, AWriteAtTheNextTickExactlyWhenAStoredValueChanged) {
    const struct {
        const char* path;
        void (*act)(ModuleCore& c, FakeHost& h);
        int writes;
    } cases[] = {
        {"ticks alone", [](ModuleCore&, FakeHost&) {}, 0},
        {"OK with a new period", [](ModuleCore& c, FakeHost&) { Ok(c, 12, 0); }, 1},
        {"OK changing nothing", [](ModuleCore& c, FakeHost&) { Ok(c, c.settings.Svp, 0); }, 0},
        {"a key assigned, then OK", [](ModuleCore& c, FakeHost&) { Ok(c, c.settings.Svp, 'G'); },
         1},
        {"plane spotting, then a point elsewhere",
         [](ModuleCore& c, FakeHost& h) {
             DispatchCommand(c, kCommandModeSpotting);
             ControllerTick(c);
             h.aircraft[0].position.latHi += 1000;
             DispatchCommand(c, kCommandModeSpotting);
         },
         2},
        {"Shift+J", Issue<kCommandModeOnGround>, 1},
        {"Shift+N in normal mode", Issue<kCommandModeNormal>, 0},
        {"Shift+Ctrl+J", Issue<kCommandRandomHorizontalConst>, 1},
        {"Shift+Ctrl+K", Issue<kCommandRandomVerticalConst>, 1},
        {"Active toggled", Issue<kCommandOnOff>, 1},
        {"next AI aircraft", Issue<kCommandNextAi>, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        auto m = std::make_unique<FakeModule>();
        m->host.aiList.push_back(m->host.Add(5).id);
        ControllerTick(m->core);
        m->host.state = kHostStateFlying;
        DispatchCommand(m->core, kCommandOnOff);
        ControllerTick(m->core);
        ASSERT_EQ(m->shell.settingsWrites, 1) << "switching the view on is stored";
        c.act(m->core, m->host);
        ControllerTick(m->core);
        EXPECT_EQ(m->shell.settingsWrites, 1 + c.writes) << "at the next tick";
        for (int tick = 0; tick < 20; ++tick) {
            ControllerTick(m->core);
        }
        EXPECT_EQ(m->shell.settingsWrites, 1 + c.writes) << "and never again unchanged";
    }
}

} // namespace
