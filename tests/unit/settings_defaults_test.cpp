#include <gtest/gtest.h>

#include <cstring>

#include "core/settings/settings_defaults.h"

namespace {

struct ExpectedHotkey {
    const char* name;
    char key;
    uint8_t mask;
};

const ExpectedHotkey kExpected[kHotkeyOptionCount] = {
    {"Skyvane On/Off", 'F', 1},
    {"Next AI Aircraft", 'D', 1},
    {"Previous AI Aircraft", 'A', 1},
    {"Cycle Skyvane / Spot Plane (AI)", 'T', 1},
    {"Dialog Settings", 'C', 1},
    {"AI Aircraft List", 'V', 1},
    {"Skyvane Mode Normal", 'N', 1},
    {"Skyvane Mode On Ground", 'J', 1},
    {"Skyvane Mode Plane Spotting", 'I', 1},
    {"Random Horizontal None", 'N', 3},
    {"Random Horizontal Dist=Const", 'J', 3},
    {"Random Horizontal Dist=Var", 'I', 3},
    {"Random Vertical None", 'M', 3},
    {"Random Vertical Dist=Const", 'K', 3},
    {"Random Vertical Dist=Var", 'P', 3},
};

} // namespace

TEST(InitModuleDefaults, SetsEverySettingAndBoundOverGarbage) {
    Settings s;
    std::memset(&s, 0x5A, sizeof s);
    HotkeyTable h;
    std::memset(&h, 0xA5, sizeof h);
    InitModuleDefaults(s, h);
    EXPECT_EQ(s.Active, 0);
    EXPECT_EQ(s.Svp, 10);
    EXPECT_EQ(s.Rlp, 2);
    EXPECT_EQ(s.Ral, 1);
    EXPECT_EQ(s.Mode, 0);
    EXPECT_EQ(s.RndH, 0);
    EXPECT_EQ(s.RndV, 0);
    EXPECT_EQ(s.Turns, 0);
    EXPECT_EQ(s.Jumps, 0);
    EXPECT_EQ(s.Tour, 0);
    EXPECT_EQ(s.TourRange, 5);
    EXPECT_EQ(s.RngSvpMax, 15);
    EXPECT_EQ(s.RngRlp, 5);
    EXPECT_EQ(s.RngRal, 5);
    EXPECT_EQ(s.SvpMin, 5);
    EXPECT_EQ(s.RlpMin, -5);
    EXPECT_EQ(s.RalMin, -5);
}

TEST(InitModuleDefaults, FillsTheHotkeyTableWithNamesKeysAndModifiers) {
    Settings s{};
    HotkeyTable h;
    std::memset(&h, 0xA5, sizeof h);
    InitModuleDefaults(s, h);
    for (int i = 0; i < kHotkeyOptionCount; ++i) {
        SCOPED_TRACE(i);
        const HotkeyOption& o = h.options[i];
        const uint8_t ctrl = kExpected[i].mask == 3 ? 2 : 0;
        ASSERT_NE(o.optionName, nullptr);
        EXPECT_STREQ(o.optionName, kExpected[i].name);
        EXPECT_EQ(o.defaultKey, static_cast<uint8_t>(kExpected[i].key));
        EXPECT_EQ(o.defaultShiftFlag, 1);
        EXPECT_EQ(o.defaultCtrlFlag, ctrl);
        EXPECT_EQ(o.key, static_cast<uint8_t>(kExpected[i].key));
        EXPECT_EQ(o.shiftFlag, 1);
        EXPECT_EQ(o.ctrlFlag, ctrl);
        EXPECT_EQ(o.modifierMask, kExpected[i].mask);
    }
}
