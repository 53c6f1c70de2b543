#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "core/settings/clamp_settings.h"
#include "core/settings/settings_defaults.h"

namespace {

// Six zero parts, as a missing TOWER section reads, with the check value they need.
TowerValues ZeroTower(int32_t checkValue) {
    return TowerValues{0, 0, 0, 0, 0, 0, checkValue};
}

class ClampSettingsTest : public ::testing::Test {
  protected:
    void SetUp() override { InitModuleDefaults(s, h); }
    void Clamp() { ClampSettings(s, h, ZeroTower(0)); }
    Settings s;
    HotkeyTable h;
};

} // namespace

TEST_F(ClampSettingsTest, DefaultsPassUnchanged) {
    Settings before = s;
    Clamp();
    EXPECT_EQ(0, std::memcmp(&before, &s, sizeof s));
}

TEST_F(ClampSettingsTest, PeriodIsRaisedToFiveAndCutToTheCutRange) {
    s.Svp = 3;
    s.RngSvpMax = 40;
    Clamp();
    EXPECT_EQ(s.Svp, 5);
    EXPECT_EQ(s.RngSvpMax, 40);

    s.Svp = 200;
    s.RngSvpMax = 500;
    Clamp();
    EXPECT_EQ(s.RngSvpMax, 120);
    EXPECT_EQ(s.Svp, 120);

    s.Svp = 16;
    s.RngSvpMax = 0; // a missing key: the range becomes 15 before the period is cut
    Clamp();
    EXPECT_EQ(s.RngSvpMax, 15);
    EXPECT_EQ(s.Svp, 15);
}

TEST_F(ClampSettingsTest, RangesSetTheirLowerBoundsBeforeTheOffsetsAreClamped) {
    s.RngRlp = 0;
    Clamp();
    EXPECT_EQ(s.RngRlp, 5);
    EXPECT_EQ(s.RlpMin, -5);

    s.RngRlp = 20;
    s.Rlp = -50;
    s.RngRal = 1000;
    s.Ral = 150;
    Clamp();
    EXPECT_EQ(s.Rlp, -20);
    EXPECT_EQ(s.RlpMin, -20);
    EXPECT_EQ(s.RngRal, 100);
    EXPECT_EQ(s.RalMin, -100);
    EXPECT_EQ(s.Ral, 100);

    s.RngRal = -7;
    s.Ral = -9;
    s.Rlp = 21;
    Clamp();
    EXPECT_EQ(s.RngRal, 5);
    EXPECT_EQ(s.RalMin, -5);
    EXPECT_EQ(s.Ral, -5);
    EXPECT_EQ(s.Rlp, 20);
}

TEST_F(ClampSettingsTest, ExtremeIntegersStayDefined) {
    s.RngRlp = INT32_MIN;
    s.RngRal = INT32_MAX;
    s.RngSvpMax = INT32_MIN;
    s.Svp = INT32_MAX;
    s.Rlp = INT32_MIN;
    s.Ral = INT32_MAX;
    Clamp();
    EXPECT_EQ(s.RngRlp, 5);
    EXPECT_EQ(s.RngRal, 100);
    EXPECT_EQ(s.RngSvpMax, 15);
    EXPECT_EQ(s.Svp, 15);
    EXPECT_EQ(s.Rlp, -5);
    EXPECT_EQ(s.Ral, 100);
}

TEST_F(ClampSettingsTest, ChoicesOutsideTheirRangeBecomeZeroSwitchesAreCutActiveIsLeftAlone) {
    s.Mode = 3;
    s.RndH = -1;
    s.RndV = 7;
    s.Active = 7;
    s.Turns = s.Tour = 7;
    s.Jumps = INT32_MIN;
    s.TourRange = -3;
    Clamp();
    EXPECT_EQ(s.Mode, 0);
    EXPECT_EQ(s.RndH, 0);
    EXPECT_EQ(s.RndV, 0);
    EXPECT_EQ(s.Active, 7);
    EXPECT_EQ(s.Turns, 1);
    EXPECT_EQ(s.Jumps, 0);
    EXPECT_EQ(s.Tour, 1);
    EXPECT_EQ(s.TourRange, 1);

    s.Mode = -1;
    s.RndH = 2;
    s.RndV = 1;
    s.Active = -3;
    s.Turns = 0;
    s.Jumps = 1;
    s.Tour = -1;
    s.TourRange = 99;
    Clamp();
    EXPECT_EQ(s.Mode, 0);
    EXPECT_EQ(s.RndH, 2);
    EXPECT_EQ(s.RndV, 1);
    EXPECT_EQ(s.Active, -3);
    EXPECT_EQ(s.Turns, 0);
    EXPECT_EQ(s.Jumps, 1);
    EXPECT_EQ(s.Tour, 0);
    EXPECT_EQ(s.TourRange, 50);

    s.Mode = 1;
    Clamp();
    EXPECT_EQ(s.Mode, 1);
}

TEST_F(ClampSettingsTest, PlaneSpottingSurvivesOnlyWithAValidTowerSection) {
    s.Mode = 2;
    ClampSettings(s, h, ZeroTower(0)); // missing section: six "0" sum to 288, not 0
    EXPECT_EQ(s.Mode, 0);

    s.Mode = 2;
    ClampSettings(s, h, ZeroTower(288));
    EXPECT_EQ(s.Mode, 2);

    // Only Mode 2 consults the section.
    s.Mode = 1;
    ClampSettings(s, h, ZeroTower(12345));
    EXPECT_EQ(s.Mode, 1);
}

TEST_F(ClampSettingsTest, EndsByValidatingTheHotkeys) {
    h.options[2].key = 'Q';
    h.options[7].key = 'Q';
    h.options[7].ctrlFlag = 0;
    h.options[4].modifierMask = 4;
    Clamp();
    EXPECT_EQ(h.options[2].key, 'Q');
    EXPECT_EQ(h.options[7].key, 'J');
    EXPECT_EQ(h.options[4].modifierMask, 1);
}
