#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/settings/settings_defaults.h"
#include "core/settings/settings_limits.h"
#include "settings_fields.h"
#include "test_data.h"

TEST(InitModuleDefaults, SetsEverySettingAndBoundOverGarbage) {
    Settings s;
    std::memset(&s, 0x5A, sizeof s);
    HotkeyTable h;
    std::memset(&h, 0xA5, sizeof h);
    InitModuleDefaults(s, h);
    // Off, period 10 s, offsets 2 and 1 sizes, no mode, randomisation, turns, jumps or tour; the
    // ranges at their lowest; every field not named here 0.
    Settings expected{};
    SetFields(expected, {{field::Svp, 10},
                         {field::Rlp, 2},
                         {field::Ral, 1},
                         {field::RngSvpMax, kRngSvpMaxLowSeconds},
                         {field::RngRlp, kOffsetRangeLow},
                         {field::RngRal, kOffsetRangeLow},
                         {field::TourRange, kTourRangeDefaultNm},
                         {field::SvpMin, kSvpMinSeconds},
                         {field::RlpMin, -kOffsetRangeLow},
                         {field::RalMin, -kOffsetRangeLow}});
    EXPECT_EQ(SettingsDifferences(s, expected), "");
}

// The pilot's guide lists the default hotkeys in option order, one a line: " Shift+F", padded to
// column 16, then the option's name.
TEST(InitModuleDefaults, FillsTheHotkeyTableAsThePilotsGuideListsIt) {
    Settings s{};
    HotkeyTable h;
    std::memset(&h, 0xA5, sizeof h);
    InitModuleDefaults(s, h);
    std::vector<std::string> listed;
    for (const std::string& line : ReadTestDataLines("../../docs/pilot-guide.txt")) {
        if (line.rfind(" Shift+", 0) == 0) {
            listed.push_back(line);
        }
    }
    ASSERT_EQ(listed.size(), static_cast<size_t>(kHotkeyOptionCount));
    for (int i = 0; i < kHotkeyOptionCount; ++i) {
        const HotkeyOption& o = h.options[i];
        ASSERT_NE(o.optionName, nullptr);
        std::string hotkey = std::string(" Shift+") + (o.defaultCtrlFlag ? "Ctrl+" : "") +
                             static_cast<char>(o.defaultKey);
        hotkey.resize(16, ' ');
        const std::string expected = hotkey + o.optionName;
        EXPECT_EQ(listed[i].substr(0, expected.size()), expected);
        EXPECT_EQ(o.defaultShiftFlag, kShiftBit);
        EXPECT_TRUE(o.defaultCtrlFlag == 0 || o.defaultCtrlFlag == kCtrlBit);
        EXPECT_EQ(o.key, o.defaultKey);
        EXPECT_EQ(o.shiftFlag, o.defaultShiftFlag);
        EXPECT_EQ(o.ctrlFlag, o.defaultCtrlFlag);
        EXPECT_EQ(o.modifierMask, o.defaultShiftFlag + o.defaultCtrlFlag);
    }
}
