// "Watch the Traffic" through the real DLL: the settings file switches it on, the tower view
// follows the take-off within range, and the menu's check mark follows the tour. The choice's
// rules are tested natively.
#include "skyvane_fixture.h"

using namespace skyvane_test;

namespace {

constexpr UINT kWatchTrafficEntry = 40005;
constexpr int32_t kTakeOff = 10;

class TrafficTour : public SkyvaneHost {
  protected:
    bool TourChecked() {
        EXPECT_TRUE(HostsimOpenMenu(0));
        HostsimCloseMenu();
        HMENU bar = GetMenu(HostsimMainWindow());
        HMENU modules = GetSubMenu(bar, GetMenuItemCount(bar) - 1);
        HMENU popup = GetSubMenu(modules, GetMenuItemCount(modules) - 1);
        return (GetMenuState(popup, kWatchTrafficEntry, MF_BYCOMMAND) & MF_CHECKED) != 0;
    }
    int32_t TowerTarget() { return HostsimAircraftOfData(HostsimCallView(kHostsimTowerCaller)); }
};

} // namespace

TEST_F(TrafficTour, TheTowerViewFollowsTheTakeOffInRangeAndTheMarkFollowsTheTour) {
    WriteActiveIni();
    WriteIni("SETTINGS", "Tour", "1");
    HostsimAircraft user;
    HostsimDefaultAircraft(&user, 1);
    ASSERT_TRUE(HostsimAddAircraft(&user));
    AddAi(20, 0.03)->aiState = kTakeOff; // about 2 nm north
    AddAi(21, 0.2)->aiState = kTakeOff;  // about 12 nm, beyond the 5 nm range
    StartFlying();
    HostsimStep(2);
    EXPECT_EQ(TowerTarget(), 20);
    EXPECT_TRUE(TourChecked());

    ASSERT_TRUE(HostsimPickMenu("&Modules/Skyvane/Watch the Traffic"));
    EXPECT_FALSE(TourChecked());
    ASSERT_TRUE(HostsimPickMenu("&Modules/Skyvane/Watch the Traffic"));
    EXPECT_TRUE(TourChecked());
    Press('D', kHostsimShift); // the next AI aircraft, chosen by hand, ends the tour
    EXPECT_FALSE(TourChecked());
    EXPECT_EQ(TowerTarget(), 21);
    HostsimStep(25);
    EXPECT_EQ(TowerTarget(), 21) << "the pilot's choice stays";
    HostsimShutdown();
    EXPECT_EQ(ReadIni("SETTINGS", "Tour"), "0");
    EXPECT_EQ(ReadIni("SETTINGS", "TourRange"), "5");
}
