// Closing the settings dialog of the real module: OK applies the working copy and places an eye
// point, CANCEL and the dialog hotkey throw it away; the host is paused around the dialog.
#include "settings_dialog_driver.h"

namespace skyvane_test {
namespace {

using SettingsClosing = SettingsDialog;

class SettingsChanges : public SettingsDialog {
  protected:
    // Both check boxes of the Modes page, Random H 2 and V 1, ranges 60, 20 and 30, then the
    // period at its maximum, the lateral position at its left end, the altitude at its bottom,
    // and option 5 on Ctrl+7.
    void ChangeEveryPage() {
        SelectTab(kTabModes);
        Click(kTabModes, IDC_MODE_TURNS);
        Click(kTabModes, IDC_MODE_JUMPS);
        ASSERT_TRUE(Checked(kTabModes, IDC_MODE_TURNS));
        SelectTab(kTabRandom);
        Click(kTabRandom, IDC_RANDOM_H_VAR);
        Click(kTabRandom, IDC_RANDOM_V_CONST);
        SelectTab(kTabRanges);
        TypeRange(IDC_PERIOD_MAX_FIELD, "60");
        TypeRange(IDC_LATERAL_RANGE_FIELD, "20");
        TypeRange(IDC_ALTITUDE_RANGE_FIELD, "30");
        SelectTab(kTabParameters);
        BarKey(IDC_PERIOD_BAR, VK_END);
        BarKey(IDC_LATERAL_BAR, VK_HOME);
        BarKey(IDC_ALTITUDE_BAR, VK_END);
        ASSERT_EQ(Text(kTabParameters, IDC_PERIOD_VALUE), "60");
        ASSERT_EQ(Text(kTabParameters, IDC_LATERAL_VALUE), "20");
        ASSERT_EQ(Text(kTabParameters, IDC_ALTITUDE_VALUE), "-30");
        SelectTab(kTabKeys);
        PickOption(5);
        ReplaceKeyText("7");
        Click(kTabKeys, IDC_KEYS_SHIFT);
        Click(kTabKeys, IDC_KEYS_CTRL);
        ASSERT_TRUE(Enabled(kTabKeys, IDC_KEYS_APPLY));
        Click(kTabKeys, IDC_KEYS_APPLY);
    }

    // The live values as the module writes them at shut-down.
    void ExpectLiveValuesAtLoad() {
        EXPECT_EQ(ReadIni("SETTINGS", "Svp"), "10");
        EXPECT_EQ(ReadIni("SETTINGS", "Rlp"), "2");
        EXPECT_EQ(ReadIni("SETTINGS", "Ral"), "1");
        EXPECT_EQ(ReadIni("SETTINGS", "Mode"), "0");
        EXPECT_EQ(ReadIni("SETTINGS", "RndH"), "0");
        EXPECT_EQ(ReadIni("SETTINGS", "RndV"), "0");
        EXPECT_EQ(ReadIni("SETTINGS", "RngSvpMax"), "15");
        EXPECT_EQ(ReadIni("SETTINGS", "RngRlp"), "5");
        EXPECT_EQ(ReadIni("SETTINGS", "RngRal"), "5");
        EXPECT_EQ(ReadIni("SETTINGS", "Turns"), "0");
        EXPECT_EQ(ReadIni("SETTINGS", "Jumps"), "0");
        EXPECT_EQ(ReadIni("KEYS", "K(5)"), "86,1");
    }
};

TEST_F(SettingsChanges, OkAppliesEveryPageAndPlacesAnEyePoint) {
    WriteActiveIni();
    StartFlying();
    const int events = HostsimEventCount();
    OpenByMenu();
    EXPECT_EQ(EventsSince(events), "65794 ");
    ChangeEveryPage();
    HostsimStep(3);
    const HostsimEyePoint before = Tower();
    PressOk();
    EXPECT_FALSE(DialogOpen());
    EXPECT_FALSE(IsWindow(pages[kTabKeys]));
    EXPECT_EQ(EventsSince(events), "65794 65795 ");
    EXPECT_FALSE(SameEye(before, Tower())) << "OK places a new eye point at once";
    // Neither OK nor anything else before shut-down writes the settings file.
    EXPECT_EQ(ReadIni("SETTINGS", "Svp"), "10");

    HostsimShutdown();
    EXPECT_EQ(ReadIni("SETTINGS", "Svp"), "60");
    EXPECT_EQ(ReadIni("SETTINGS", "Rlp"), "20");
    EXPECT_EQ(ReadIni("SETTINGS", "Ral"), "-30");
    EXPECT_EQ(ReadIni("SETTINGS", "Mode"), "0");
    EXPECT_EQ(ReadIni("SETTINGS", "RndH"), "2");
    EXPECT_EQ(ReadIni("SETTINGS", "RndV"), "1");
    EXPECT_EQ(ReadIni("SETTINGS", "RngSvpMax"), "60");
    EXPECT_EQ(ReadIni("SETTINGS", "RngRlp"), "20");
    EXPECT_EQ(ReadIni("SETTINGS", "RngRal"), "30");
    EXPECT_EQ(ReadIni("SETTINGS", "Turns"), "1");
    EXPECT_EQ(ReadIni("SETTINGS", "Jumps"), "1");
    EXPECT_EQ(ReadIni("KEYS", "K(5)"), "55,2");
    EXPECT_EQ(ReadIni("KEYS", "K(0)"), "70,1");
}

TEST_F(SettingsChanges, CancelChangesNothingAndTheNextOpeningShowsTheLiveValues) {
    StartFlying();
    const int events = HostsimEventCount();
    OpenByMenu();
    ChangeEveryPage();
    PressCancel();
    EXPECT_FALSE(DialogOpen());
    EXPECT_EQ(EventsSince(events), "65794 65795 ");

    OpenByMenu();
    EXPECT_EQ(Text(kTabParameters, IDC_PERIOD_VALUE), "10");
    EXPECT_EQ(Text(kTabParameters, IDC_PERIOD_HIGH), "15");
    EXPECT_EQ(BarPosition(IDC_LATERAL_BAR), 3);
    SelectTab(kTabRandom);
    EXPECT_TRUE(Checked(kTabRandom, IDC_RANDOM_H_NONE));
    EXPECT_FALSE(Checked(kTabRandom, IDC_RANDOM_H_VAR));
    SelectTab(kTabRanges);
    EXPECT_EQ(Text(kTabRanges, IDC_LATERAL_RANGE_FIELD), "5");
    SelectTab(kTabKeys);
    PickOption(5);
    EXPECT_EQ(KeyText(), "V");
    PressCancel();

    HostsimShutdown();
    ExpectLiveValuesAtLoad();
}

TEST_F(SettingsChanges, TheDialogHotkeyClosesWithoutApplying) {
    StartFlying();
    const int events = HostsimEventCount();
    OpenByHotkey();
    EXPECT_EQ(EventsSince(events), "65794 ");
    ChangeEveryPage();
    const HostsimEyePoint before = Tower();
    PressInHost('C', kHostsimShift);
    EXPECT_FALSE(DialogOpen());
    EXPECT_EQ(EventsSince(events), "65794 65795 ");
    EXPECT_TRUE(SameEye(before, Tower()));

    // Once closed, the same hotkey opens it afresh.
    OpenByHotkey();
    EXPECT_EQ(Text(kTabParameters, IDC_PERIOD_VALUE), "10");
    PressInHost('C', kHostsimShift);
    HostsimShutdown();
    ExpectLiveValuesAtLoad();
}

TEST_F(SettingsClosing, APausedHostGetsNoEventsAroundTheDialog) {
    StartFlying();
    HostsimSetPaused(true);
    const int events = HostsimEventCount();
    OpenByMenu();
    PressOk();
    OpenByMenu();
    PressCancel();
    OpenByHotkey();
    PressInHost('C', kHostsimShift);
    EXPECT_EQ(EventsSince(events), "");
    EXPECT_FALSE(DialogOpen());
}

} // namespace
} // namespace skyvane_test
