// "Watch the Traffic" through the real DLL: the settings file switches it on, the tower view
// follows the take-off within range, and the menu's check mark follows the tour. Its rules are
// tested natively.
#include "skyvane_fixture.h"

using namespace skyvane_test;

namespace {

// The check mark of "Watch the Traffic", as the popup shows it once a menu has been opened.
bool TourChecked() {
    EXPECT_TRUE(HostsimOpenMenu(0));
    HostsimCloseMenu();
    HMENU bar = GetMenu(HostsimMainWindow());
    HMENU modules = GetSubMenu(bar, GetMenuItemCount(bar) - 1);
    HMENU popup = GetSubMenu(modules, GetMenuItemCount(modules) - 1);
    return (GetMenuState(popup, 40005, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

int32_t TowerTarget() {
    return HostsimAircraftOfData(HostsimCallView(kHostsimTowerCaller));
}

} // namespace

using TrafficTour = SkyvaneHost;

TEST_F(TrafficTour, TheTowerViewFollowsTheTakeOffInRangeAndTheMarkFollowsTheTour) {
    WriteActiveIni();
    WriteIni("SETTINGS", "Tour", "1");
    HostsimAircraft user;
    HostsimDefaultAircraft(&user, 1);
    ASSERT_TRUE(HostsimAddAircraft(&user));
    AddAi(20, 0.03)->aiState = 10; // taking off, about 2 nm north
    AddAi(21, 0.2)->aiState = 10;  // about 12 nm away, beyond the 5 nm range
    StartFlying();
    HostsimStep(2);
    EXPECT_EQ(TowerTarget(), 20);
    EXPECT_TRUE(TourChecked());
    ASSERT_TRUE(HostsimPickMenu("&Modules/Skyvane/Watch the Traffic"));
    EXPECT_FALSE(TourChecked());
    ASSERT_TRUE(HostsimPickMenu("&Modules/Skyvane/Watch the Traffic"));
    Press('D', kHostsimShift); // the next AI aircraft, chosen by hand, ends the tour
    EXPECT_FALSE(TourChecked());
    HostsimStep(25);
    EXPECT_EQ(TowerTarget(), 21) << "the pilot's choice stays";
    HostsimShutdown();
    EXPECT_EQ(ReadIni("SETTINGS", "Tour"), "0");
}
