// The settings dialog's frame, Parameters and Modes pages in the real module: the tabs, what the
// track bars show and how they move, and how the mode governs the other pages.
#include "settings_dialog_driver.h"

namespace skyvane_test {
namespace {

using SettingsPages = SettingsDialog;

TEST_F(SettingsPages, OpensWithFiveTabsAndOnlyTheParametersPageShown) {
    StartFlying();
    OpenByMenu();
    ASSERT_EQ(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0), kTabCount);
    const char* names[kTabCount] = {"Parameters", "Modes", "Random", "Ranges", "Keys Assignment"};
    for (int i = 0; i < kTabCount; ++i) {
        char text[64] = {};
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(tab, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
        EXPECT_STREQ(text, names[i]);
    }
    EXPECT_EQ(SendMessageA(tab, TCM_GETCURSEL, 0, 0), kTabParameters);
    for (int i = 0; i < kTabCount; ++i) {
        EXPECT_EQ(IsWindowVisible(pages[i]) != FALSE, i == kTabParameters) << "page " << i;
    }

    // Every page lies 3 pixels inside the tab control's lower-left corner.
    RECT tabRect = {};
    GetWindowRect(tab, &tabRect);
    for (int i = 0; i < kTabCount; ++i) {
        RECT pageRect = {};
        GetWindowRect(pages[i], &pageRect);
        EXPECT_EQ(pageRect.left, tabRect.left + 3) << "page " << i;
        EXPECT_EQ(pageRect.bottom, tabRect.bottom - 3) << "page " << i;
        EXPECT_LT(pageRect.right, tabRect.right) << "page " << i;
        EXPECT_GT(pageRect.top, tabRect.top) << "page " << i;
    }
}

TEST_F(SettingsPages, TabClicksShowExactlyTheSelectedPage) {
    StartFlying();
    OpenByMenu();
    const int order[] = {kTabKeys, kTabModes, kTabRanges, kTabRandom, kTabParameters, kTabKeys};
    for (int selected : order) {
        SelectTab(selected);
        for (int i = 0; i < kTabCount; ++i) {
            EXPECT_EQ(IsWindowVisible(pages[i]) != FALSE, i == selected)
                << "page " << i << " with tab " << selected;
        }
    }
}

TEST_F(SettingsPages, TrackBarsStandAtTheValuesAtLoad) {
    StartFlying();
    OpenByMenu();
    // Svp 10 within 5..15.
    EXPECT_EQ(BarMin(IDC_PERIOD_BAR), 0);
    EXPECT_EQ(BarMax(IDC_PERIOD_BAR), 10);
    EXPECT_EQ(BarPosition(IDC_PERIOD_BAR), 5);
    EXPECT_EQ(Text(kTabParameters, IDC_PERIOD_LOW), "5");
    EXPECT_EQ(Text(kTabParameters, IDC_PERIOD_HIGH), "15");
    EXPECT_EQ(Text(kTabParameters, IDC_PERIOD_VALUE), "10");
    // Rlp 2 within -5..5, largest at the left end.
    EXPECT_EQ(BarMax(IDC_LATERAL_BAR), 10);
    EXPECT_EQ(BarPosition(IDC_LATERAL_BAR), 3);
    EXPECT_EQ(Text(kTabParameters, IDC_LATERAL_HIGH), "5");
    EXPECT_EQ(Text(kTabParameters, IDC_LATERAL_LOW), "-5");
    EXPECT_EQ(Text(kTabParameters, IDC_LATERAL_VALUE), "2");
    // Ral 1 within -5..5, largest at the top.
    EXPECT_EQ(BarMax(IDC_ALTITUDE_BAR), 10);
    EXPECT_EQ(BarPosition(IDC_ALTITUDE_BAR), 4);
    EXPECT_EQ(Text(kTabParameters, IDC_ALTITUDE_HIGH), "5");
    EXPECT_EQ(Text(kTabParameters, IDC_ALTITUDE_LOW), "-5");
    EXPECT_EQ(Text(kTabParameters, IDC_ALTITUDE_VALUE), "1");
    for (int bar : {IDC_PERIOD_BAR, IDC_LATERAL_BAR, IDC_ALTITUDE_BAR}) {
        EXPECT_TRUE(Shown(kTabParameters, bar)) << bar;
    }
}

TEST_F(SettingsPages, TrackBarsOpenAtTheValuesReadFromTheFile) {
    WriteActiveIni(40);
    WriteIni("SETTINGS", "RngSvpMax", "60");
    WriteIni("SETTINGS", "RngRlp", "20");
    WriteIni("SETTINGS", "Rlp", "-7");
    StartFlying();
    OpenByMenu();
    EXPECT_EQ(BarMax(IDC_PERIOD_BAR), 55);
    EXPECT_EQ(BarPosition(IDC_PERIOD_BAR), 35);
    EXPECT_EQ(Text(kTabParameters, IDC_PERIOD_HIGH), "60");
    EXPECT_EQ(Text(kTabParameters, IDC_PERIOD_VALUE), "40");
    EXPECT_EQ(BarMax(IDC_LATERAL_BAR), 40);
    EXPECT_EQ(BarPosition(IDC_LATERAL_BAR), 27);
    EXPECT_EQ(Text(kTabParameters, IDC_LATERAL_LOW), "-20");
    EXPECT_EQ(Text(kTabParameters, IDC_LATERAL_VALUE), "-7");
}

TEST_F(SettingsPages, MovingTheThumbsChangesTheShownValues) {
    StartFlying();
    OpenByMenu();
    BarKey(IDC_LATERAL_BAR, VK_END);
    EXPECT_EQ(BarPosition(IDC_LATERAL_BAR), 10);
    EXPECT_EQ(Text(kTabParameters, IDC_LATERAL_VALUE), "-5");
    BarKey(IDC_LATERAL_BAR, VK_LEFT);
    EXPECT_EQ(Text(kTabParameters, IDC_LATERAL_VALUE), "-4");

    BarKey(IDC_PERIOD_BAR, VK_END);
    EXPECT_EQ(Text(kTabParameters, IDC_PERIOD_VALUE), "15");
    BarKey(IDC_PERIOD_BAR, VK_HOME);
    EXPECT_EQ(Text(kTabParameters, IDC_PERIOD_VALUE), "5");

    BarKey(IDC_ALTITUDE_BAR, VK_HOME);
    EXPECT_EQ(BarPosition(IDC_ALTITUDE_BAR), 0);
    EXPECT_EQ(Text(kTabParameters, IDC_ALTITUDE_VALUE), "5");
    BarKey(IDC_ALTITUDE_BAR, VK_END);
    EXPECT_EQ(Text(kTabParameters, IDC_ALTITUDE_VALUE), "-5");

    // The values live in the working copy: switching tabs keeps them.
    SelectTab(kTabRanges);
    SelectTab(kTabParameters);
    EXPECT_EQ(Text(kTabParameters, IDC_PERIOD_VALUE), "5");
    EXPECT_EQ(Text(kTabParameters, IDC_LATERAL_VALUE), "-4");
    EXPECT_EQ(BarPosition(IDC_LATERAL_BAR), 9);
    EXPECT_EQ(Text(kTabParameters, IDC_ALTITUDE_VALUE), "-5");
}

TEST_F(SettingsPages, OnGroundModeHidesTheAltitudeBarAndDisablesVerticalRandom) {
    StartFlying();
    OpenByMenu();
    SelectTab(kTabModes);
    EXPECT_TRUE(Checked(kTabModes, IDC_MODE_NORMAL));
    Click(kTabModes, IDC_MODE_ON_GROUND);
    EXPECT_TRUE(Checked(kTabModes, IDC_MODE_ON_GROUND));

    SelectTab(kTabParameters);
    EXPECT_TRUE(Shown(kTabParameters, IDC_PERIOD_BAR));
    EXPECT_TRUE(Shown(kTabParameters, IDC_LATERAL_BAR));
    EXPECT_FALSE(Shown(kTabParameters, IDC_ALTITUDE_BAR));
    for (int text : {IDC_ALTITUDE_HIGH, IDC_ALTITUDE_LOW, IDC_ALTITUDE_VALUE}) {
        EXPECT_TRUE(Shown(kTabParameters, text)) << text;
    }
    EXPECT_EQ(Text(kTabParameters, IDC_ALTITUDE_VALUE), "1");

    SelectTab(kTabRandom);
    for (int button : {IDC_RANDOM_H_NONE, IDC_RANDOM_H_CONST, IDC_RANDOM_H_VAR}) {
        EXPECT_TRUE(Enabled(kTabRandom, button)) << button;
    }
    for (int button : {IDC_RANDOM_V_NONE, IDC_RANDOM_V_CONST, IDC_RANDOM_V_VAR}) {
        EXPECT_FALSE(Enabled(kTabRandom, button)) << button;
    }

    // Back to normal: everything returns at the next selection of the tabs.
    SelectTab(kTabModes);
    Click(kTabModes, IDC_MODE_NORMAL);
    SelectTab(kTabParameters);
    EXPECT_TRUE(Shown(kTabParameters, IDC_ALTITUDE_BAR));
    SelectTab(kTabRandom);
    EXPECT_TRUE(Enabled(kTabRandom, IDC_RANDOM_V_VAR));
}

TEST_F(SettingsPages, PlaneSpottingHidesAllBarsAndDisablesAllRandomButtons) {
    WriteActiveIni();
    StartFlying();
    OpenByMenu();
    SelectTab(kTabModes);
    ASSERT_TRUE(Enabled(kTabModes, IDC_MODE_SPOTTING));
    Click(kTabModes, IDC_MODE_SPOTTING);

    SelectTab(kTabParameters);
    for (int bar : {IDC_PERIOD_BAR, IDC_LATERAL_BAR, IDC_ALTITUDE_BAR}) {
        EXPECT_FALSE(Shown(kTabParameters, bar)) << bar;
    }
    for (int text : {IDC_PERIOD_VALUE, IDC_LATERAL_VALUE, IDC_ALTITUDE_VALUE, IDC_PERIOD_LOW}) {
        EXPECT_TRUE(Shown(kTabParameters, text)) << text;
    }
    SelectTab(kTabRandom);
    for (int button : {IDC_RANDOM_H_NONE, IDC_RANDOM_H_CONST, IDC_RANDOM_H_VAR, IDC_RANDOM_V_NONE,
                       IDC_RANDOM_V_CONST, IDC_RANDOM_V_VAR}) {
        EXPECT_FALSE(Enabled(kTabRandom, button)) << button;
    }
}

TEST_F(SettingsPages, PlaneSpottingKeptWithTheViewOffShowsCheckedAndDisabled) {
    WriteActiveIni();
    StartFlying();
    OpenByMenu();
    SelectTab(kTabModes);
    Click(kTabModes, IDC_MODE_SPOTTING);
    PressOk();
    PressInHost('F', kHostsimShift);
    OpenByMenu();
    EXPECT_TRUE(Checked(kTabModes, IDC_MODE_SPOTTING));
    EXPECT_FALSE(Enabled(kTabModes, IDC_MODE_SPOTTING));
    EXPECT_FALSE(Checked(kTabModes, IDC_MODE_NORMAL));
    EXPECT_FALSE(Shown(kTabParameters, IDC_PERIOD_BAR));
}

TEST_F(SettingsPages, TheModeReadFromTheFileGovernsThePagesFromTheStart) {
    WriteActiveIni();
    WriteIni("SETTINGS", "Active", "0");
    WriteIni("SETTINGS", "Mode", "1");
    StartFlying();
    OpenByMenu();
    EXPECT_TRUE(Checked(kTabModes, IDC_MODE_ON_GROUND));
    EXPECT_FALSE(Checked(kTabModes, IDC_MODE_NORMAL));
    EXPECT_FALSE(Enabled(kTabModes, IDC_MODE_SPOTTING));
    // The Parameters page was refreshed with the mode at opening.
    EXPECT_FALSE(Shown(kTabParameters, IDC_ALTITUDE_BAR));
}

} // namespace
} // namespace skyvane_test
