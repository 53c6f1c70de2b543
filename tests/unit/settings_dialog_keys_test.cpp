#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "core/settings/key_assignment.h"
#include "core/settings/settings_defaults.h"
#include "ini_texts.h"
#include "core/control/hotkey_match.h"
#include "core/settings/pending_settings.h"

namespace {

class KeyAssignmentTest : public ::testing::Test {
  protected:
    void SetUp() override {
        InitModuleDefaults(live, hotkeys);
        std::memset(&pending, 0x5A, sizeof pending);
        FillPendingSettings(pending, live, hotkeys);
    }
    void ExpectEntry(int option, uint8_t key, uint8_t shift, uint8_t ctrl, uint8_t mask) {
        SCOPED_TRACE(option);
        EXPECT_EQ(pending.hotkeys[option].key, key);
        EXPECT_EQ(pending.hotkeys[option].shiftFlag, shift);
        EXPECT_EQ(pending.hotkeys[option].ctrlFlag, ctrl);
        EXPECT_EQ(pending.hotkeys[option].modifierMask, mask);
    }
    Settings live;
    HotkeyTable hotkeys;
    PendingSettings pending;
};

} // namespace

TEST_F(KeyAssignmentTest, FillingCopiesTheLiveTableAndChoosesNothing) {
    hotkeys.options[4].key = 'X';
    hotkeys.options[4].ctrlFlag = 2;
    hotkeys.options[4].modifierMask = 3;
    FillPendingSettings(pending, live, hotkeys);
    EXPECT_EQ(pending.SelectedOption, kNoOption);
    ExpectEntry(0, 'F', 1, 0, 1);
    ExpectEntry(4, 'X', 1, 2, 3);
    ExpectEntry(9, 'N', 1, 2, 3);
    ExpectEntry(14, 'P', 1, 2, 3);
}

TEST_F(KeyAssignmentTest, ChoicesFromTheBoxesUseTheFlagCoding) {
    KeyChoice both = ChoiceFromBoxes('D', true, true);
    EXPECT_EQ(both.key, 'D');
    EXPECT_EQ(both.shiftFlag, 1);
    EXPECT_EQ(both.ctrlFlag, 2);
    KeyChoice none = ChoiceFromBoxes('7', false, false);
    EXPECT_EQ(none.shiftFlag, 0);
    EXPECT_EQ(none.ctrlFlag, 0);
}

TEST_F(KeyAssignmentTest, StoringSetsTheMaskToTheSumAndNoKeyHasNoModifiers) {
    StorePendingHotkey(pending, 2, KeyChoice{'Q', 0, 2});
    ExpectEntry(2, 'Q', 0, 2, 2);
    StorePendingHotkey(pending, 2, KeyChoice{'Q', 0, 0});
    ExpectEntry(2, 'Q', 0, 0, 0);
    StorePendingHotkey(pending, 2, KeyChoice{0, 1, 0});
    ExpectEntry(2, 0, 0, 0, 0);
    // The live table is untouched until OK.
    EXPECT_EQ(hotkeys.options[2].key, 'A');
}

TEST_F(KeyAssignmentTest, DefaultsComeBackWithTheirMask) {
    StorePendingHotkey(pending, 11, KeyChoice{'5', 0, 0});
    StorePendingHotkey(pending, 11, DefaultChoice(hotkeys, 11));
    ExpectEntry(11, 'I', 1, 2, 3);
    StorePendingHotkey(pending, 0, KeyChoice{'Z', 0, 2});
    StorePendingHotkey(pending, 0, DefaultChoice(hotkeys, 0));
    ExpectEntry(0, 'F', 1, 0, 1);
}

TEST_F(KeyAssignmentTest, TakingAKeyAwayLeavesNoModifiers) {
    TakeKeyAway(pending, 12);
    ExpectEntry(12, 0, 0, 0, 0);
}

TEST_F(KeyAssignmentTest, ConflictsNeedTheSameKeyAndBothFlags) {
    // Option 0 given Shift+D meets option 1.
    EXPECT_EQ(FindKeyConflict(pending, 0, KeyChoice{'D', 1, 0}, 0), 1);
    EXPECT_EQ(FindKeyConflict(pending, 0, KeyChoice{'D', 1, 0}, 2), kNoOption);
    // Shift+Ctrl+D is a different hotkey.
    EXPECT_EQ(FindKeyConflict(pending, 0, KeyChoice{'D', 1, 2}, 0), kNoOption);
    // The N of the mode group and of the random group differ by Ctrl only.
    EXPECT_EQ(FindKeyConflict(pending, 6, KeyChoice{'N', 1, 0}, 0), kNoOption);
    EXPECT_EQ(FindKeyConflict(pending, 9, KeyChoice{'N', 1, 2}, 0), kNoOption);
}

TEST_F(KeyAssignmentTest, ConflictScanSkipsTheChosenOptionAndOptionsWithoutKeys) {
    // Two emptied entries with equal flags do not conflict.
    StorePendingHotkey(pending, 5, KeyChoice{0, 1, 0});
    EXPECT_EQ(FindKeyConflict(pending, 3, KeyChoice{0, 1, 0}, 0), kNoOption);
    // Several holders: the scan goes in ascending order and can be resumed.
    const KeyChoice shiftF{'F', 1, 0};
    StorePendingHotkey(pending, 13, shiftF);
    EXPECT_EQ(FindKeyConflict(pending, 2, shiftF, 0), 0);
    EXPECT_EQ(FindKeyConflict(pending, 2, shiftF, 1), 13);
    EXPECT_EQ(FindKeyConflict(pending, 13, shiftF, 0), 0);
    EXPECT_EQ(FindKeyConflict(pending, 13, shiftF, 14), kNoOption);
}

// While the warning is up the table is as before the choice; an answer decides what is stored.
TEST_F(KeyAssignmentTest, AChoiceHeldElsewhereIsStoredOnlyOnceTheUserMovesIt) {
    struct Asked {
        PendingSettings& pending;
        bool moveIt;
        int32_t holder;
        uint8_t keyBefore;
    } asked{pending, true, kNoOption, 'F'};
    const ConflictAnswer answer = [](void* context, int32_t holder) {
        Asked& a = *static_cast<Asked*>(context);
        a.holder = holder;
        EXPECT_EQ(a.pending.hotkeys[0].key, a.keyBefore) << "not stored before the answer";
        return a.moveIt;
    };
    EXPECT_FALSE(AssignPendingHotkey(pending, 0, KeyChoice{'D', 1, 0}, answer, &asked));
    EXPECT_EQ(asked.holder, 1);
    ExpectEntry(0, 'D', 1, 0, 1);
    ExpectEntry(1, 0, 0, 0, 0);

    asked.moveIt = false;
    asked.keyBefore = 'D';
    EXPECT_TRUE(AssignPendingHotkey(pending, 0, KeyChoice{'A', 1, 0}, answer, &asked));
    EXPECT_EQ(asked.holder, 2);
    ExpectEntry(0, 0, 0, 0, 0);
    ExpectEntry(2, 'A', 1, 0, 1);
}

TEST_F(KeyAssignmentTest, ButtonsCompareTheControlsWithPendingAndDefault) {
    EXPECT_FALSE(DiffersFromPending(pending, 0, KeyChoice{'F', 1, 0}));
    EXPECT_FALSE(DiffersFromDefault(hotkeys, 0, KeyChoice{'F', 1, 0}));
    EXPECT_TRUE(DiffersFromPending(pending, 0, KeyChoice{'F', 0, 0}));
    EXPECT_TRUE(DiffersFromPending(pending, 0, KeyChoice{'F', 1, 2}));
    EXPECT_TRUE(DiffersFromPending(pending, 0, KeyChoice{'G', 1, 0}));

    StorePendingHotkey(pending, 0, KeyChoice{'G', 1, 0});
    EXPECT_FALSE(DiffersFromPending(pending, 0, KeyChoice{'G', 1, 0}));
    EXPECT_TRUE(DiffersFromDefault(hotkeys, 0, KeyChoice{'G', 1, 0}));
    // The mask plays no part: an entry emptied by a conflict matches an empty field.
    TakeKeyAway(pending, 0);
    EXPECT_FALSE(DiffersFromPending(pending, 0, KeyChoice{0, 0, 0}));
}

// Keys page steps (answering every warning alike), OK, exit and a new start: the table read back
// is the one the page accepted, and what the page refuses changes nothing.
TEST(KeysPageRestart, WhatThePageAcceptsSurvivesARestartUnchanged) {
    const KeyChoice none{0, 0, 0}, shiftF{'F', 1, 0}, shiftD{'D', 1, 0}, shiftC{'C', 1, 0};
    const struct {
        const char* what;
        bool confirm;
        std::vector<std::pair<int32_t, KeyChoice>> steps;
        std::vector<bool> refused;
        std::vector<std::pair<int, uint8_t>> keysAfter; // option, key read back
    } cases[] = {
        {"On/Off emptied", true, {{0, none}}, {false}, {{0, 0}, {1, 'D'}}},
        {"Next AI given a plain Q", true, {{1, {'Q', 0, 0}}}, {true}, {{1, 'D'}}},
        {"the AI list takes Shift+F, the dialog Shift+D",
         true,
         {{5, shiftF}, {4, shiftD}},
         {false, false},
         {{0, 0}, {1, 0}, {4, 'D'}, {5, 'F'}}},
        {"two held keys refused",
         false,
         {{0, shiftD}, {2, shiftC}},
         {true, true},
         {{0, 0}, {2, 0}}},
        {"a punctuation key", true, {{3, {';', 1, 0}}}, {true}, {{3, 'T'}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Settings live;
        HotkeyTable hotkeys;
        InitModuleDefaults(live, hotkeys);
        PendingSettings pending{};
        FillPendingSettings(pending, live, hotkeys);
        bool confirm = c.confirm;
        const auto answer = [](void* yes, int32_t) { return *static_cast<bool*>(yes); };
        for (size_t i = 0; i < c.steps.size(); ++i) {
            EXPECT_EQ(
                AssignPendingHotkey(pending, c.steps[i].first, c.steps[i].second, answer, &confirm),
                c.refused[i]);
        }
        ApplyPendingSettings(pending, live, hotkeys);
        const StoredState read = ReadBackAfterRestart(live, hotkeys, EyePoint{});
        EXPECT_EQ(FirstHotkeyDifference(read.hotkeys, hotkeys), -1);
        for (const auto& [option, key] : c.keysAfter) {
            EXPECT_EQ(read.hotkeys.options[option].key, key) << option;
        }
        // An option without a key never fires, whatever a key message carries.
        for (uint8_t state = 0; state <= 3; ++state) {
            EXPECT_EQ(MatchHotkey(read.hotkeys, true, 0, state), -1);
        }
    }
}
