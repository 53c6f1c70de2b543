// The Random and Ranges pages of the settings dialog in the real module: the radio button
// groups, and the range fields that count only once they are left.
#include "settings_dialog_driver.h"

namespace skyvane_test {
namespace {

using SettingsRanges = SettingsDialog;

TEST_F(SettingsRanges, RandomPageShowsAndTakesBothChoices) {
    WriteActiveIni();
    WriteIni("SETTINGS", "RndH", "1");
    WriteIni("SETTINGS", "RndV", "2");
    StartFlying();
    OpenByMenu();
    SelectTab(kTabRandom);
    EXPECT_TRUE(Checked(kTabRandom, IDC_RANDOM_H_CONST));
    EXPECT_FALSE(Checked(kTabRandom, IDC_RANDOM_H_NONE));
    EXPECT_TRUE(Checked(kTabRandom, IDC_RANDOM_V_VAR));
    Click(kTabRandom, IDC_RANDOM_H_VAR);
    Click(kTabRandom, IDC_RANDOM_V_NONE);
    // The two columns are separate groups.
    EXPECT_TRUE(Checked(kTabRandom, IDC_RANDOM_H_VAR));
    EXPECT_FALSE(Checked(kTabRandom, IDC_RANDOM_H_CONST));
    EXPECT_TRUE(Checked(kTabRandom, IDC_RANDOM_V_NONE));
    EXPECT_FALSE(Checked(kTabRandom, IDC_RANDOM_V_VAR));
    SelectTab(kTabModes);
    SelectTab(kTabRandom);
    EXPECT_TRUE(Checked(kTabRandom, IDC_RANDOM_H_VAR));
    EXPECT_TRUE(Checked(kTabRandom, IDC_RANDOM_V_NONE));
}

TEST_F(SettingsRanges, RangeFieldsShowTheLimitsAndKeepTypedValuesWithinBounds) {
    StartFlying();
    OpenByMenu();
    SelectTab(kTabRanges);
    EXPECT_EQ(Text(kTabRanges, IDC_PERIOD_MAX_FIELD), "15");
    EXPECT_EQ(Text(kTabRanges, IDC_LATERAL_RANGE_FIELD), "5");
    EXPECT_EQ(Text(kTabRanges, IDC_ALTITUDE_RANGE_FIELD), "5");

    struct Case {
        int field;
        const char* typed;
        const char* shown;
    };
    const Case cases[] = {
        {IDC_PERIOD_MAX_FIELD, "200", "120"},     {IDC_PERIOD_MAX_FIELD, "7", "15"},
        {IDC_PERIOD_MAX_FIELD, "", "15"},         {IDC_PERIOD_MAX_FIELD, "45", "45"},
        {IDC_LATERAL_RANGE_FIELD, "0", "5"},      {IDC_LATERAL_RANGE_FIELD, "250", "100"},
        {IDC_LATERAL_RANGE_FIELD, "40", "40"},    {IDC_ALTITUDE_RANGE_FIELD, "0", "5"},
        {IDC_ALTITUDE_RANGE_FIELD, "250", "100"}, {IDC_ALTITUDE_RANGE_FIELD, "40", "40"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.field) + " <- '" + c.typed + "'");
        TypeRange(c.field, c.typed);
        EXPECT_EQ(Text(kTabRanges, c.field), c.shown);
    }

    // The Parameters page takes the new limits, the lower ones the negative of the ranges.
    SelectTab(kTabParameters);
    EXPECT_EQ(Text(kTabParameters, IDC_PERIOD_HIGH), "45");
    EXPECT_EQ(BarMax(IDC_PERIOD_BAR), 40);
    EXPECT_EQ(Text(kTabParameters, IDC_LATERAL_LOW), "-40");
    EXPECT_EQ(Text(kTabParameters, IDC_LATERAL_HIGH), "40");
    EXPECT_EQ(BarMax(IDC_LATERAL_BAR), 80);
    EXPECT_EQ(Text(kTabParameters, IDC_ALTITUDE_LOW), "-40");
    EXPECT_EQ(BarPosition(IDC_ALTITUDE_BAR), 39);
}

TEST_F(SettingsRanges, TypingAndArrowsCountOnlyOnceTheFieldIsLeft) {
    StartFlying();
    OpenByMenu();
    SelectTab(kTabRanges);
    HWND field = Control(kTabRanges, IDC_PERIOD_MAX_FIELD);
    SetFocus(field);
    SendMessageA(field, EM_SETSEL, 0, -1);
    TypeChars(field, "90");
    // The arrow keys step the number in the field through its up-down control.
    SendMessageA(field, WM_KEYDOWN, VK_UP, 0);
    SendMessageA(field, WM_KEYUP, VK_UP, 0);
    HostsimPump(0);
    EXPECT_EQ(Text(kTabRanges, IDC_PERIOD_MAX_FIELD), "91");
    ASSERT_EQ(GetFocus(), field);
    NotifyTab(kTabParameters);
    EXPECT_EQ(Text(kTabParameters, IDC_PERIOD_HIGH), "15");

    SetFocus(Control(kTabRanges, IDC_ALTITUDE_RANGE_FIELD));
    NotifyTab(kTabParameters);
    EXPECT_EQ(Text(kTabParameters, IDC_PERIOD_HIGH), "91");
}

} // namespace
} // namespace skyvane_test
