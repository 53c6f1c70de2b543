#include <gtest/gtest.h>

#include <cstring>

#include "core/settings/key_assignment.h"
#include "core/settings/pending_settings.h"
#include "core/settings/settings_defaults.h"

namespace {

class PendingSettingsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        InitModuleDefaults(live, hotkeys);
        std::memset(&pending, 0x5A, sizeof pending);
        FillPendingParameters(pending, live);
        pending.Mode = live.Mode;
        pending.RndH = live.RndH;
        pending.RndV = live.RndV;
        FillPendingRanges(pending, live);
        FillPendingHotkeys(pending, hotkeys);
    }
    Settings live;
    HotkeyTable hotkeys;
    PendingSettings pending;
};

} // namespace

TEST_F(PendingSettingsTest, FillingCopiesValuesAndAllSixLimits) {
    live.Svp = 33;
    live.Rlp = -7;
    live.Ral = 9;
    live.RngSvpMax = 60;
    live.RngRlp = 20;
    live.RlpMin = -20;
    live.RngRal = 30;
    live.RalMin = -30;
    FillPendingParameters(pending, live);
    EXPECT_EQ(pending.Svp, 33);
    EXPECT_EQ(pending.Rlp, -7);
    EXPECT_EQ(pending.Ral, 9);
    EXPECT_EQ(pending.SvpMin, 5);
    EXPECT_EQ(pending.RngSvpMax, 60);
    EXPECT_EQ(pending.RlpMin, -20);
    EXPECT_EQ(pending.RngRlp, 20);
    EXPECT_EQ(pending.RalMin, -30);
    EXPECT_EQ(pending.RngRal, 30);

    // The Ranges page takes only the three upper limits.
    live.RngSvpMax = 90;
    live.RlpMin = -1;
    live.RngRlp = 40;
    live.RngRal = 50;
    FillPendingRanges(pending, live);
    EXPECT_EQ(pending.RngSvpMax, 90);
    EXPECT_EQ(pending.RngRlp, 40);
    EXPECT_EQ(pending.RngRal, 50);
    EXPECT_EQ(pending.RlpMin, -20);
}

TEST_F(PendingSettingsTest, ClampingAppliesTheLowerBoundFirst) {
    EXPECT_EQ(ClampToBounds(3, 5, 15), 5);
    EXPECT_EQ(ClampToBounds(200, 5, 15), 15);
    EXPECT_EQ(ClampToBounds(7, 5, 15), 7);
    // Crossed bounds leave the upper one standing.
    EXPECT_EQ(ClampToBounds(0, 10, 4), 4);

    pending.Svp = 200;
    pending.Rlp = 40;
    pending.Ral = -99;
    ClampPendingParameters(pending);
    EXPECT_EQ(pending.Svp, 15);
    EXPECT_EQ(pending.Rlp, 5);
    EXPECT_EQ(pending.Ral, -5);
}

TEST_F(PendingSettingsTest, TrackBarsAtTheirValuesAtLoad) {
    // Svp 10 within 5..15; Rlp 2 and Ral 1 within -5..5.
    EXPECT_EQ(ParameterBarSpan(pending, kPeriodBar), 10);
    EXPECT_EQ(ParameterBarPosition(pending, kPeriodBar), 5);
    EXPECT_EQ(ParameterBarSpan(pending, kLateralBar), 10);
    EXPECT_EQ(ParameterBarPosition(pending, kLateralBar), 3);
    EXPECT_EQ(ParameterBarSpan(pending, kAltitudeBar), 10);
    EXPECT_EQ(ParameterBarPosition(pending, kAltitudeBar), 4);
}

TEST_F(PendingSettingsTest, ThumbPositionsBecomeValuesAndBack) {
    EXPECT_EQ(TakeParameterBarPosition(pending, kPeriodBar, 10), 15);
    EXPECT_EQ(pending.Svp, 15);
    EXPECT_EQ(TakeParameterBarPosition(pending, kPeriodBar, 0), 5);
    // Lateral and altitude are largest at the left end and at the top.
    EXPECT_EQ(TakeParameterBarPosition(pending, kLateralBar, 10), -5);
    EXPECT_EQ(pending.Rlp, -5);
    EXPECT_EQ(TakeParameterBarPosition(pending, kLateralBar, 0), 5);
    EXPECT_EQ(TakeParameterBarPosition(pending, kAltitudeBar, 0), 5);
    EXPECT_EQ(pending.Ral, 5);
    EXPECT_EQ(TakeParameterBarPosition(pending, kAltitudeBar, 7), -2);

    for (int bar = kPeriodBar; bar < kParameterBarCount; ++bar) {
        ParameterBar b = static_cast<ParameterBar>(bar);
        for (int position = 0; position <= ParameterBarSpan(pending, b); ++position) {
            TakeParameterBarPosition(pending, b, position);
            EXPECT_EQ(ParameterBarPosition(pending, b), position) << "bar " << bar;
        }
    }
}

TEST_F(PendingSettingsTest, ModeDecidesWhichBarsAndRandomButtonsServe) {
    EXPECT_TRUE(ParameterBarShown(0, kPeriodBar));
    EXPECT_TRUE(ParameterBarShown(0, kLateralBar));
    EXPECT_TRUE(ParameterBarShown(0, kAltitudeBar));
    EXPECT_TRUE(ParameterBarShown(1, kPeriodBar));
    EXPECT_TRUE(ParameterBarShown(1, kLateralBar));
    EXPECT_FALSE(ParameterBarShown(1, kAltitudeBar));
    EXPECT_FALSE(ParameterBarShown(2, kPeriodBar));
    EXPECT_FALSE(ParameterBarShown(2, kLateralBar));
    EXPECT_FALSE(ParameterBarShown(2, kAltitudeBar));

    EXPECT_TRUE(HorizontalRandomEnabled(0));
    EXPECT_TRUE(VerticalRandomEnabled(0));
    EXPECT_TRUE(HorizontalRandomEnabled(1));
    EXPECT_FALSE(VerticalRandomEnabled(1));
    EXPECT_FALSE(HorizontalRandomEnabled(2));
    EXPECT_FALSE(VerticalRandomEnabled(2));
}

TEST_F(PendingSettingsTest, PlaneSpottingNeedsTheViewOnAndTheUsersAircraft) {
    EXPECT_TRUE(PlaneSpottingAvailable(1, 1));
    EXPECT_TRUE(PlaneSpottingAvailable(7, 1));
    EXPECT_FALSE(PlaneSpottingAvailable(0, 1));
    EXPECT_FALSE(PlaneSpottingAvailable(1, 4711));
    EXPECT_FALSE(PlaneSpottingAvailable(0, 4711));
}

TEST_F(PendingSettingsTest, PeriodFieldCommitKeepsItsBounds) {
    EXPECT_TRUE(CommitRangeField(pending, kPeriodMaxField, "200"));
    EXPECT_EQ(PendingRangeValue(pending, kPeriodMaxField), 120);
    EXPECT_TRUE(CommitRangeField(pending, kPeriodMaxField, "7"));
    EXPECT_EQ(pending.RngSvpMax, 15);
    EXPECT_TRUE(CommitRangeField(pending, kPeriodMaxField, ""));
    EXPECT_EQ(pending.RngSvpMax, 15);
    EXPECT_FALSE(CommitRangeField(pending, kPeriodMaxField, "60"));
    EXPECT_EQ(pending.RngSvpMax, 60);
    EXPECT_EQ(pending.SvpMin, 5);
    EXPECT_EQ(pending.RlpMin, -5);
    EXPECT_EQ(pending.RalMin, -5);
}

TEST_F(PendingSettingsTest, OffsetRangeCommitsMirrorTheLowerLimit) {
    struct Case {
        RangeField field;
        const char* text;
        int32_t stored;
        bool rewritten;
    };
    const Case cases[] = {
        {kLateralRangeField, "0", 5, true},      {kLateralRangeField, "250", 100, true},
        {kLateralRangeField, "40", 40, false},   {kAltitudeRangeField, "0", 5, true},
        {kAltitudeRangeField, "250", 100, true}, {kAltitudeRangeField, "40", 40, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(CommitRangeField(pending, c.field, c.text), c.rewritten);
        EXPECT_EQ(PendingRangeValue(pending, c.field), c.stored);
        if (c.field == kLateralRangeField) {
            EXPECT_EQ(pending.RlpMin, -c.stored);
        } else {
            EXPECT_EQ(pending.RalMin, -c.stored);
        }
    }
    EXPECT_EQ(pending.RngSvpMax, 15);
}

TEST_F(PendingSettingsTest, NarrowedRangeClampsTheValueAtTheNextRefresh) {
    CommitRangeField(pending, kLateralRangeField, "40");
    pending.Rlp = 40;
    CommitRangeField(pending, kLateralRangeField, "5");
    ClampPendingParameters(pending);
    EXPECT_EQ(pending.Rlp, 5);
    EXPECT_EQ(ParameterBarPosition(pending, kLateralBar), 0);
    EXPECT_EQ(ParameterBarSpan(pending, kLateralBar), 10);
}

TEST_F(PendingSettingsTest, ApplyCopiesEverythingButSvpMin) {
    pending.Svp = 20;
    pending.Rlp = -3;
    pending.Ral = 4;
    pending.Mode = 1;
    pending.RndH = 2;
    pending.RndV = 1;
    pending.Turns = 1;
    pending.Jumps = 1;
    CommitRangeField(pending, kPeriodMaxField, "30");
    CommitRangeField(pending, kLateralRangeField, "10");
    CommitRangeField(pending, kAltitudeRangeField, "12");
    pending.SvpMin = 9;
    StorePendingHotkey(pending, 0, KeyChoice{'Q', 0, 2});
    TakeKeyAway(pending, 3);

    ApplyPendingSettings(pending, live, hotkeys);
    EXPECT_EQ(live.Svp, 20);
    EXPECT_EQ(live.Rlp, -3);
    EXPECT_EQ(live.Ral, 4);
    EXPECT_EQ(live.Mode, 1);
    EXPECT_EQ(live.RndH, 2);
    EXPECT_EQ(live.RndV, 1);
    EXPECT_EQ(live.Turns, 1);
    EXPECT_EQ(live.Jumps, 1);
    EXPECT_EQ(live.RngSvpMax, 30);
    EXPECT_EQ(live.RngRlp, 10);
    EXPECT_EQ(live.RlpMin, -10);
    EXPECT_EQ(live.RngRal, 12);
    EXPECT_EQ(live.RalMin, -12);
    EXPECT_EQ(live.SvpMin, 5);
    EXPECT_EQ(live.Active, 0);
    EXPECT_EQ(hotkeys.options[0].key, 'Q');
    EXPECT_EQ(hotkeys.options[0].shiftFlag, 0);
    EXPECT_EQ(hotkeys.options[0].ctrlFlag, 2);
    EXPECT_EQ(hotkeys.options[0].modifierMask, 2);
    EXPECT_EQ(hotkeys.options[3].key, 0);
    EXPECT_EQ(hotkeys.options[3].shiftFlag, 0);
    EXPECT_EQ(hotkeys.options[3].modifierMask, 0);
    // The defaults and names are never the dialog's to change.
    EXPECT_EQ(hotkeys.options[0].defaultKey, 'F');
    EXPECT_STREQ(hotkeys.options[0].optionName, "Skyvane On/Off");
}

TEST_F(PendingSettingsTest, ApplyBringsValuesWithinRangesNarrowedSinceTheLastRefresh) {
    live.RngSvpMax = 120;
    live.Svp = 100;
    live.RngRlp = 50;
    live.RlpMin = -50;
    live.Rlp = -45;
    live.RngRal = 50;
    live.RalMin = -50;
    live.Ral = 30;
    FillPendingParameters(pending, live);
    FillPendingRanges(pending, live);
    CommitRangeField(pending, kPeriodMaxField, "20");
    CommitRangeField(pending, kLateralRangeField, "10");
    CommitRangeField(pending, kAltitudeRangeField, "8");

    ApplyPendingSettings(pending, live, hotkeys);
    EXPECT_EQ(live.Svp, 20);
    EXPECT_EQ(live.Rlp, -10);
    EXPECT_EQ(live.Ral, 8);
    EXPECT_EQ(live.RngSvpMax, 20);
    EXPECT_EQ(live.RlpMin, -10);
    EXPECT_EQ(live.RalMin, -8);
}
