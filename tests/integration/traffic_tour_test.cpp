// "Watch the Traffic" through the real DLL: the settings file switches it on, the tower view
// follows the take-off within range, the AI list marks it, and the menu's check mark follows
// the tour. Its rules are tested natively.
#include "ai_list_driver.h"

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

using TrafficTour = AiListHost;

TEST_F(TrafficTour, TheTowerViewFollowsTheTakeOffInRangeMarkedInTheListAndInTheMenu) {
    WriteIni("SETTINGS", "Tour", "1");
    StartStill(true);
    for (int32_t id : {20, 21}) {
        HostsimAircraft ai = Parked(id, id == 20 ? 2.0 : 12.0); // 12 nm: beyond the 5 nm range
        ai.aiState = 10;                                        // taking off
        Add(ai);
    }
    HostsimStep(11); // the next pass-by
    EXPECT_EQ(TowerTarget(), 20);
    EXPECT_TRUE(TourChecked());
    OpenList();
    HostsimStep(1);
    EXPECT_EQ(Cell(RowOf(20), kColumnType).rfind("> ", 0), 0u) << Cell(RowOf(20), kColumnType);
    Press('D', kHostsimShift); // the next AI aircraft, chosen by hand, ends the tour
    HostsimStep(1);
    EXPECT_EQ(Cell(RowOf(20), kColumnType).find('>'), std::string::npos);
    EXPECT_FALSE(TourChecked());
    ASSERT_TRUE(HostsimPickMenu("&Modules/Skyvane/Watch the Traffic"));
    EXPECT_TRUE(TourChecked());
    HostsimShutdown();
    EXPECT_EQ(ReadIni("SETTINGS", "Tour"), "1");
}
