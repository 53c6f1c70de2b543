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
        FillPendingSettings(pending, live, hotkeys);
    }
    Settings live;
    HotkeyTable hotkeys;
    PendingSettings pending;
};

// Every value the dialog edits, with one that fits the others' limits: Svp, Rlp and Ral lie
// within them, so OK keeps them as they are.
struct EditedField {
    const char* name;
    int32_t Settings::*live;
    int32_t PendingSettings::*pending;
    int32_t value;
};

const EditedField kEditedFields[] = {
    {"Svp", &Settings::Svp, &PendingSettings::Svp, 20},
    {"Rlp", &Settings::Rlp, &PendingSettings::Rlp, -3},
    {"Ral", &Settings::Ral, &PendingSettings::Ral, 4},
    {"Mode", &Settings::Mode, &PendingSettings::Mode, 1},
    {"RndH", &Settings::RndH, &PendingSettings::RndH, 2},
    {"RndV", &Settings::RndV, &PendingSettings::RndV, 1},
    {"Turns", &Settings::Turns, &PendingSettings::Turns, 1},
    {"Jumps", &Settings::Jumps, &PendingSettings::Jumps, 1},
    {"Tour", &Settings::Tour, &PendingSettings::Tour, 1},
    {"TourRange", &Settings::TourRange, &PendingSettings::TourRange, 20},
    {"RngSvpMax", &Settings::RngSvpMax, &PendingSettings::RngSvpMax, 30},
    {"RlpMin", &Settings::RlpMin, &PendingSettings::RlpMin, -10},
    {"RngRlp", &Settings::RngRlp, &PendingSettings::RngRlp, 10},
    {"RalMin", &Settings::RalMin, &PendingSettings::RalMin, -12},
    {"RngRal", &Settings::RngRal, &PendingSettings::RngRal, 12},
};

} // namespace

TEST_F(PendingSettingsTest, FillingCopiesEveryValueAndLimit) {
    for (const EditedField& f : kEditedFields) {
        live.*f.live = f.value;
    }
    live.SvpMin = 9;
    FillPendingSettings(pending, live, hotkeys);
    for (const EditedField& f : kEditedFields) {
        EXPECT_EQ(pending.*f.pending, f.value) << f.name;
    }
    EXPECT_EQ(pending.SvpMin, 9);
}

TEST_F(PendingSettingsTest, ClampingAppliesTheLowerBoundFirst) {
    struct Case {
        int32_t value, low, high, clamped;
    };
    const Case cases[] = {
        {3, 5, 15, 5},
        {200, 5, 15, 15},
        {7, 5, 15, 7},
        {0, 10, 4, 4}, // crossed bounds leave the upper one standing
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ClampToBounds(c.value, c.low, c.high), c.clamped) << c.value;
    }
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
    struct Case {
        ParameterBar bar;
        int32_t span, position;
    };
    const Case cases[] = {{kPeriodBar, 10, 5}, {kLateralBar, 10, 3}, {kAltitudeBar, 10, 4}};
    for (const Case& c : cases) {
        EXPECT_EQ(ParameterBarSpan(pending, c.bar), c.span) << c.bar;
        EXPECT_EQ(ParameterBarPosition(pending, c.bar), c.position) << c.bar;
    }
}

TEST_F(PendingSettingsTest, ThumbPositionsBecomeValuesAndBack) {
    // Lateral and altitude are largest at the left end and at the top.
    struct Case {
        ParameterBar bar;
        int32_t position, value;
        int32_t PendingSettings::*stored;
    };
    const Case cases[] = {
        {kPeriodBar, 10, 15, &PendingSettings::Svp},  {kPeriodBar, 0, 5, &PendingSettings::Svp},
        {kLateralBar, 10, -5, &PendingSettings::Rlp}, {kLateralBar, 0, 5, &PendingSettings::Rlp},
        {kAltitudeBar, 0, 5, &PendingSettings::Ral},  {kAltitudeBar, 7, -2, &PendingSettings::Ral},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TakeParameterBarPosition(pending, c.bar, c.position), c.value) << c.bar;
        EXPECT_EQ(pending.*c.stored, c.value) << c.bar;
    }
    for (int bar = kPeriodBar; bar < kParameterBarCount; ++bar) {
        ParameterBar b = static_cast<ParameterBar>(bar);
        for (int position = 0; position <= ParameterBarSpan(pending, b); ++position) {
            TakeParameterBarPosition(pending, b, position);
            EXPECT_EQ(ParameterBarPosition(pending, b), position) << "bar " << bar;
        }
    }
}

TEST_F(PendingSettingsTest, ModeDecidesWhichBarsAndRandomButtonsServe) {
    struct Case {
        int32_t mode;
        bool period, lateral, altitude, horizontal, vertical;
    };
    const Case cases[] = {
        {0, true, true, true, true, true},
        {1, true, true, false, true, false},
        {2, false, false, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        EXPECT_EQ(ParameterBarShown(c.mode, kPeriodBar), c.period);
        EXPECT_EQ(ParameterBarShown(c.mode, kLateralBar), c.lateral);
        EXPECT_EQ(ParameterBarShown(c.mode, kAltitudeBar), c.altitude);
        EXPECT_EQ(HorizontalRandomEnabled(c.mode), c.horizontal);
        EXPECT_EQ(VerticalRandomEnabled(c.mode), c.vertical);
    }
}

TEST_F(PendingSettingsTest, PlaneSpottingNeedsTheViewOnAndTheUsersAircraft) {
    struct Case {
        int32_t active, target;
        bool available;
    };
    const Case cases[] = {
        {1, 1, true}, {7, 1, true}, {0, 1, false}, {1, 4711, false}, {0, 4711, false}};
    for (const Case& c : cases) {
        EXPECT_EQ(PlaneSpottingAvailable(c.active, c.target), c.available)
            << c.active << " " << c.target;
    }
}

// One after another on the same working copy: each commit changes its own field and, for an
// offset range, the mirrored lower limit, and no other limit.
TEST_F(PendingSettingsTest, RangeCommitsKeepTheirBoundsAndMirrorTheLowerLimit) {
    struct Case {
        RangeField field;
        const char* text;
        int32_t stored;
        bool rewritten;
    };
    const Case cases[] = {
        {kPeriodMaxField, "200", 120, true},     {kPeriodMaxField, "7", 15, true},
        {kPeriodMaxField, "", 15, true},         {kPeriodMaxField, "60", 60, false},
        {kLateralRangeField, "0", 5, true},      {kLateralRangeField, "250", 100, true},
        {kLateralRangeField, "40", 40, false},   {kAltitudeRangeField, "0", 5, true},
        {kAltitudeRangeField, "250", 100, true}, {kAltitudeRangeField, "40", 40, false},
    };
    int32_t PendingSettings::*const limits[] = {
        &PendingSettings::SvpMin, &PendingSettings::RngSvpMax, &PendingSettings::RlpMin,
        &PendingSettings::RngRlp, &PendingSettings::RalMin,    &PendingSettings::RngRal,
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        PendingSettings expected = pending;
        if (c.field == kPeriodMaxField) {
            expected.RngSvpMax = c.stored;
        } else if (c.field == kLateralRangeField) {
            expected.RngRlp = c.stored;
            expected.RlpMin = -c.stored;
        } else {
            expected.RngRal = c.stored;
            expected.RalMin = -c.stored;
        }
        EXPECT_EQ(CommitRangeField(pending, c.field, c.text), c.rewritten);
        EXPECT_EQ(PendingRangeValue(pending, c.field), c.stored);
        for (int32_t PendingSettings::*limit : limits) {
            EXPECT_EQ(pending.*limit, expected.*limit);
        }
    }
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
    for (const EditedField& f : kEditedFields) {
        pending.*f.pending = f.value;
    }
    pending.SvpMin = 9;
    StorePendingHotkey(pending, 0, KeyChoice{'Q', 0, 2});
    TakeKeyAway(pending, 3);

    ApplyPendingSettings(pending, live, hotkeys);
    for (const EditedField& f : kEditedFields) {
        EXPECT_EQ(live.*f.live, f.value) << f.name;
    }
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
    FillPendingSettings(pending, live, hotkeys);
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
