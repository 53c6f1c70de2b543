// The AI list's rows in the stand-in host: what each column shows, the status line, sorting by
// each kind of column, and what a refresh changes (and what it leaves alone).
#include <cstdlib>
#include "ai_list_driver.h"

using namespace skyvane_test;

namespace {

using IdList = std::vector<int32_t>;
using Texts = std::vector<std::string>;

class AiListRows : public AiListHost {};

} // namespace

TEST_F(AiListRows, EachColumnShowsItsHostValueInItsFormat) {
    StartStill(false);
    HostsimAircraft north = Parked(7, 12.0);
    strcpy(north.type, "Boeing 747-400");
    north.aiState = 3;
    Add(north);
    HostsimAircraft east = Parked(9, 0.0, 30.0);
    strcpy(east.type, "");
    strcpy(east.typeFallback, "Cessna 172");
    east.aiState = 19;
    Add(east);
    HostsimAircraft lost = Parked(11, 5.0);
    lost.aiState = -1;
    lost.hasPositionRecord = false;
    Add(lost);
    ASSERT_TRUE(HostsimOverrideVariable(7, 50, 1500.5)); // altitude, feet
    ASSERT_TRUE(HostsimOverrideVariable(7, 54, 359.6));  // magnetic heading
    ASSERT_TRUE(HostsimOverrideVariable(7, 25, 230.49)); // indicated airspeed
    ASSERT_TRUE(HostsimOverrideVariable(7, 39, -512.7)); // vertical speed
    ASSERT_TRUE(HostsimOverrideVariable(9, 39, 2.5));
    OpenList();

    ASSERT_EQ(Ids(), (IdList{7, 9, 11}));
    EXPECT_EQ(Column(kColumnType), (Texts{"Boeing 747-400", "Cessna 172", "Airbus A321"}));
    EXPECT_EQ(Column(kColumnState), (Texts{"Clearence", "sleep", "n/a"}));
    EXPECT_EQ(Cell(0, kColumnAltitude), "1501");
    EXPECT_EQ(Cell(0, kColumnHeading), "360");
    EXPECT_EQ(Cell(0, kColumnAirspeed), "230");
    EXPECT_EQ(Cell(0, kColumnVerticalSpeed), "-512");
    EXPECT_EQ(Cell(1, kColumnVerticalSpeed), "3");

    // Distances to a tenth; the one without a position record has none.
    EXPECT_NEAR(atof(Cell(0, kColumnDistance).c_str()), 12.0, 0.15);
    EXPECT_EQ(Cell(0, kColumnDistance).find('.'), Cell(0, kColumnDistance).size() - 2);
    EXPECT_NEAR(atof(Cell(1, kColumnDistance).c_str()), 30.0, 0.3);
    EXPECT_EQ(Cell(2, kColumnDistance), "n/a");

    // Bearings from the user's aircraft are magnetic: the variation of -1 adds a degree.
    EXPECT_EQ(Cell(0, kColumnBearing), "1");
    EXPECT_EQ(Cell(1, kColumnBearing), "91");
}

TEST_F(AiListRows, AnEmptyHostListShowsNoRowsAndNEqualsZero) {
    StartStill(false);
    OpenList();
    HostsimSetUtc(9, 5, 3, 0);
    HostsimStep(1);
    EXPECT_EQ(Rows(), 0);
    EXPECT_EQ(StaticText(IDC_AI_LIST_COUNT), "N = 0");
    EXPECT_EQ(StaticText(IDC_AI_LIST_DAY), "Sun");
    EXPECT_EQ(StaticText(IDC_AI_LIST_TIME).substr(0, 6), "09:05:");
}

TEST_F(AiListRows, AClickOnAListOfOneRowChangesNothing) {
    StartStill(false);
    AddParked(7, 3.0);
    OpenList();
    ClickHeader(kColumnAltitude);
    AddParked(8, 4.0)->altitudeFeet = 10;
    HostsimStep(1);
    EXPECT_EQ(Ids(), (IdList{7, 8})) << "the click on one row left the list in host order";
}

TEST_F(AiListRows, ANewAircraftIsAppendedAndSortedInTheSameRefresh) {
    StartStill(false);
    AddParked(7, 3.0)->altitudeFeet = 3000;
    AddParked(8, 4.0)->altitudeFeet = 1000;
    OpenList();
    HostsimStep(1);
    AddParked(9, 5.0)->altitudeFeet = 2000;
    HostsimStep(1);
    EXPECT_EQ(Ids(), (IdList{7, 8, 9})) << "host order: appended at the end";

    ClickHeader(kColumnAltitude);
    EXPECT_EQ(Ids(), (IdList{8, 9, 7}));
    AddParked(10, 6.0)->altitudeFeet = 500;
    HostsimStep(1);
    EXPECT_EQ(Ids(), (IdList{10, 8, 9, 7}));
    EXPECT_EQ(Cell(0, kColumnAltitude), "500");
}

TEST_F(AiListRows, ARemovedAircraftLosesItsRowWithinASecond) {
    StartStill(true);
    AddParked(7, 3.0);
    AddParked(8, 4.0);
    AddParked(9, 5.0);
    OpenList();
    Select(1);
    ASSERT_TRUE(Enabled(IDC_AI_LIST_PASS_BY));
    ASSERT_TRUE(HostsimRemoveAircraft(8));
    HostsimStep(1);
    EXPECT_EQ(Ids(), (IdList{7, 9}));
    EXPECT_EQ(SelectedRow(), -1);
    EXPECT_FALSE(Enabled(IDC_AI_LIST_PASS_BY)) << "the buttons follow at once";
    EXPECT_FALSE(Enabled(IDC_AI_LIST_SPOT));
    EXPECT_EQ(StaticText(IDC_AI_LIST_COUNT), "N = 2");
}

TEST_F(AiListRows, AnAircraftThatComesBackGetsANewRow) {
    StartStill(false);
    AddParked(7, 3.0);
    AddParked(8, 4.0);
    OpenList();
    ASSERT_TRUE(HostsimRemoveAircraft(7));
    HostsimStep(1);
    ASSERT_EQ(Ids(), (IdList{8}));
    AddParked(7, 3.0)->altitudeFeet = 4321;
    HostsimStep(1);
    EXPECT_EQ(Ids(), (IdList{8, 7}));
    EXPECT_EQ(Cell(1, kColumnAltitude), "4321");
}

TEST_F(AiListRows, ARefreshWritesOnlyWhatChangedAndSortsOnlyWhenNeeded) {
    StartStill(false);
    for (int32_t id = 7; id < 12; ++id) {
        AddParked(id, id);
    }
    OpenList();
    ClickHeader(kColumnDistance);
    HostsimStep(1);
    CountListViewMessages();

    HostsimStep(3);
    EXPECT_EQ(g_listTraffic.cellWrites, 0) << "an unchanged list";
    EXPECT_EQ(g_listTraffic.sorts, 0);
    EXPECT_EQ(g_listTraffic.rowRedraws, 0);

    HostsimFindAircraft(9)->altitudeFeet = 7777; // not the sort column
    HostsimStep(1);
    EXPECT_EQ(Cell(RowOf(9), kColumnAltitude), "7777");
    EXPECT_EQ(g_listTraffic.sorts, 0);
    EXPECT_EQ(g_listTraffic.rowRedraws, 1) << "only the changed row is repainted";
    EXPECT_EQ(g_listTraffic.cellWrites, 0);

    HostsimFindAircraft(11)->latitudeDeg = 50.0 + 0.5 * kDegreesPerNm; // now the nearest
    HostsimStep(1);
    EXPECT_EQ(g_listTraffic.sorts, 1);
    EXPECT_EQ(Ids(), (IdList{11, 7, 8, 9, 10}));
}

TEST_F(AiListRows, TheTypeOfAnExistingRowIsNeverRewritten) {
    StartStill(false);
    strcpy(AddParked(7, 3.0)->type, "Boeing 737-800");
    OpenList();
    strcpy(HostsimFindAircraft(7)->type, "Boeing 737-900");
    HostsimFindAircraft(7)->altitudeFeet = 6000;
    HostsimStep(1);
    EXPECT_EQ(Cell(0, kColumnType), "Boeing 737-800");
    EXPECT_EQ(Cell(0, kColumnAltitude), "6000");
}

TEST_F(AiListRows, ATypeThatFillsTheWholeHostBufferIsCutSafely) {
    StartStill(false);
    HostsimAircraft* ai = AddParked(7, 3.0);
    memset(ai->type, 'Q', kHostsimTextBytes - 1);
    ai->type[kHostsimTextBytes - 1] = '\0';
    AddParked(8, 4.0);
    OpenList();
    std::string type = Cell(0, kColumnType);
    EXPECT_EQ(type, std::string(259, 'Q'));
    EXPECT_EQ(Cell(1, kColumnType), "Airbus A321");
}

TEST_F(AiListRows, MovingAircraftShowFreshValuesEverySecond) {
    StartStill(false);
    HostsimAircraft* ai = AddParked(7, 3.0);
    ai->speedKnots = 360.0; // 0.1 nm a second, heading east
    ai->verticalSpeedFpm = 600.0;
    OpenList();
    HostsimStep(1);
    std::string distance = Cell(0, kColumnDistance);
    std::string altitude = Cell(0, kColumnAltitude);
    HostsimStep(10);
    EXPECT_NE(Cell(0, kColumnDistance), distance);
    EXPECT_EQ(atoi(Cell(0, kColumnAltitude).c_str()), atoi(altitude.c_str()) + 100);
}

TEST_F(AiListRows, TheSortColumnOutlivesTheWindow) {
    StartStill(false);
    AddParked(7, 3.0)->altitudeFeet = 3000;
    AddParked(8, 4.0)->altitudeFeet = 1000;
    OpenList();
    ClickHeader(kColumnAltitude);
    PressButton(IDC_AI_LIST_CLOSE);
    ASSERT_FALSE(ListOpen());
    OpenList();
    EXPECT_EQ(Ids(), (IdList{7, 8})) << "rows come back in host order";
    HostsimStep(1);
    EXPECT_EQ(Ids(), (IdList{8, 7})) << "and are sorted again at the first refresh";
}
