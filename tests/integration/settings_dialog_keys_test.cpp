// The Keys Assignment page of the real module: choosing an option, typing its key, the modifier
// boxes, Apply and Set Default, and the warning when a key is taken.
#include "settings_dialog_driver.h"

namespace skyvane_test {
namespace {

constexpr int kOnOff = 0;
constexpr int kNextAi = 1;
constexpr int kPreviousAi = 2;

class KeysPage : public SettingsDialog {
  protected:
    void OpenKeysPage() {
        StartFlying();
        OpenByMenu();
        SelectTab(kTabKeys);
    }

    bool ApplyEnabled() const { return Enabled(kTabKeys, IDC_KEYS_APPLY); }
    bool DefaultEnabled() const { return Enabled(kTabKeys, IDC_KEYS_DEFAULT); }
    bool Shift() const { return Checked(kTabKeys, IDC_KEYS_SHIFT); }
    bool Ctrl() const { return Checked(kTabKeys, IDC_KEYS_CTRL); }
    void SetBox(int id, bool checked) {
        if (Checked(kTabKeys, id) != checked) {
            Click(kTabKeys, id);
        }
    }

    // Gives the option a key with the given boxes and presses Apply.
    void Assign(int option, const char* key, bool shift, bool ctrl) {
        PickOption(option);
        ReplaceKeyText(key);
        SetBox(IDC_KEYS_SHIFT, shift);
        SetBox(IDC_KEYS_CTRL, ctrl);
        Click(kTabKeys, IDC_KEYS_APPLY);
    }

    // OK, then the live table as the module writes it at shut-down.
    void ConfirmAndShutDown() {
        PressOk();
        HostsimShutdown();
    }
};

TEST_F(KeysPage, NothingCanBeEditedBeforeAnOptionIsChosen) {
    OpenKeysPage();
    HWND list = Control(kTabKeys, IDC_KEYS_OPTION_LIST);
    EXPECT_EQ(SendMessageA(list, CB_GETCOUNT, 0, 0), 15);
    EXPECT_EQ(SendMessageA(list, CB_GETCURSEL, 0, 0), CB_ERR);
    char name[64] = {};
    SendMessageA(list, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(name));
    EXPECT_STREQ(name, "Skyvane On/Off");
    SendMessageA(list, CB_GETLBTEXT, 14, reinterpret_cast<LPARAM>(name));
    EXPECT_STREQ(name, "Random Vertical Dist=Var");
    EXPECT_TRUE(IsWindowEnabled(list));
    for (int id :
         {IDC_KEYS_KEY_FIELD, IDC_KEYS_SHIFT, IDC_KEYS_CTRL, IDC_KEYS_APPLY, IDC_KEYS_DEFAULT}) {
        EXPECT_FALSE(Enabled(kTabKeys, id)) << id;
    }
}

TEST_F(KeysPage, ChoosingAnOptionShowsItsKeyAndModifiers) {
    OpenKeysPage();
    PickOption(kOnOff);
    EXPECT_EQ(KeyText(), "F");
    EXPECT_TRUE(Shift());
    EXPECT_FALSE(Ctrl());
    EXPECT_TRUE(Enabled(kTabKeys, IDC_KEYS_KEY_FIELD));
    EXPECT_TRUE(Enabled(kTabKeys, IDC_KEYS_SHIFT));
    EXPECT_TRUE(Enabled(kTabKeys, IDC_KEYS_CTRL));
    EXPECT_FALSE(ApplyEnabled());
    EXPECT_FALSE(DefaultEnabled());

    PickOption(12);
    EXPECT_EQ(KeyText(), "M");
    EXPECT_TRUE(Shift());
    EXPECT_TRUE(Ctrl());
}

TEST_F(KeysPage, ApplyIsOfferedOnlyWhileTheControlsDifferFromTheEntry) {
    OpenKeysPage();
    PickOption(kOnOff);
    Click(kTabKeys, IDC_KEYS_SHIFT);
    EXPECT_FALSE(Shift());
    EXPECT_TRUE(ApplyEnabled());
    EXPECT_TRUE(DefaultEnabled());
    Click(kTabKeys, IDC_KEYS_SHIFT);
    EXPECT_FALSE(ApplyEnabled());
    EXPECT_FALSE(DefaultEnabled());

    // Modifiers alone cannot be applied.
    ReplaceKeyText("");
    EXPECT_FALSE(Shift());
    EXPECT_FALSE(Ctrl());
    EXPECT_TRUE(ApplyEnabled());
    Click(kTabKeys, IDC_KEYS_SHIFT);
    EXPECT_FALSE(ApplyEnabled());
    Click(kTabKeys, IDC_KEYS_CTRL);
    EXPECT_FALSE(ApplyEnabled());
}

TEST_F(KeysPage, TheKeyFieldKeepsOneDigitOrLetter) {
    OpenKeysPage();
    PickOption(kOnOff);
    ReplaceKeyText("");
    EXPECT_EQ(KeyText(), "");
    TypeKey("a");
    EXPECT_EQ(KeyText(), "A");
    // A second letter typed behind the first is dropped.
    TypeKey("b");
    EXPECT_EQ(KeyText(), "A");
    // A shifted symbol shows the digit of its key.
    ReplaceKeyText("");
    TypeKey("!");
    EXPECT_EQ(KeyText(), "1");
    ReplaceKeyText("");
    TypeKey("7");
    EXPECT_EQ(KeyText(), "7");
    // Pasting two letters leaves the first.
    ReplaceKeyText("XY");
    EXPECT_EQ(KeyText(), "X");
    // A character of any other key empties the field and both boxes.
    SetBox(IDC_KEYS_SHIFT, true);
    SetBox(IDC_KEYS_CTRL, true);
    ReplaceKeyText("");
    TypeKey("-");
    EXPECT_EQ(KeyText(), "");
    EXPECT_FALSE(Shift());
    EXPECT_FALSE(Ctrl());
}

TEST_F(KeysPage, TypedLettersKeepTheBoxesAndEnableApply) {
    OpenKeysPage();
    PickOption(kPreviousAi);
    ReplaceKeyText("");
    TypeKey("q");
    EXPECT_EQ(KeyText(), "Q");
    EXPECT_FALSE(Shift()) << "emptying the field unchecked the boxes";
    SetBox(IDC_KEYS_SHIFT, true);
    EXPECT_TRUE(ApplyEnabled());
    Click(kTabKeys, IDC_KEYS_APPLY);
    EXPECT_FALSE(ApplyEnabled());
    EXPECT_TRUE(DefaultEnabled());
    ConfirmAndShutDown();
    EXPECT_EQ(ReadIni("KEYS", "K(2)"), "81,1");
}

TEST_F(KeysPage, TakingAHeldKeyAndConfirmingMovesIt) {
    OpenKeysPage();
    AnswerWarningsWith(IDOK);
    Assign(kOnOff, "D", true, false);
    ASSERT_EQ(answer.seen, 1);
    EXPECT_EQ(answer.caption, "Skyvane Keys Assignment");
    EXPECT_EQ(answer.text, "This key is currently assigned to the option\n'Next AI Aircraft'.\n"
                           "OK - apply this key to the new option\n'Skyvane On/Off'.\n"
                           "CANCEL - reject changes.");
    EXPECT_EQ(answer.owner, pages[kTabKeys]);
    EXPECT_FALSE(answer.frameEnabled) << "the frame's OK must wait for the answer";
    EXPECT_TRUE(IsWindowEnabled(frame));
    EXPECT_FALSE(ApplyEnabled());

    // The option that lost its key shows an empty entry.
    PickOption(kNextAi);
    EXPECT_EQ(KeyText(), "");
    EXPECT_FALSE(Shift());
    ConfirmAndShutDown();
    EXPECT_EQ(ReadIni("KEYS", "K(0)"), "68,1");
    EXPECT_EQ(ReadIni("KEYS", "K(1)"), "0,0");
}

TEST_F(KeysPage, TakingAHeldKeyAndRefusingEmptiesTheNewOption) {
    OpenKeysPage();
    AnswerWarningsWith(IDCANCEL);
    Assign(kOnOff, "D", true, false);
    ASSERT_EQ(answer.seen, 1);
    // After a refusal the page stays as it was.
    EXPECT_EQ(KeyText(), "D");
    EXPECT_TRUE(ApplyEnabled());
    // Applying again repeats the warning.
    Click(kTabKeys, IDC_KEYS_APPLY);
    EXPECT_EQ(answer.seen, 2);
    PickOption(kOnOff);
    EXPECT_EQ(KeyText(), "");
    ConfirmAndShutDown();
    EXPECT_EQ(ReadIni("KEYS", "K(0)"), "0,0");
    EXPECT_EQ(ReadIni("KEYS", "K(1)"), "68,1");
}

TEST_F(KeysPage, TheSameLetterWithOtherModifiersIsNoConflict) {
    OpenKeysPage();
    AnswerWarningsWith(IDCANCEL);
    Assign(kOnOff, "D", true, true);
    EXPECT_EQ(answer.seen, 0);
    ConfirmAndShutDown();
    EXPECT_EQ(ReadIni("KEYS", "K(0)"), "68,3");
    EXPECT_EQ(ReadIni("KEYS", "K(1)"), "68,1");
}

TEST_F(KeysPage, SetDefaultOntoAKeyHeldElsewhereWarnsToo) {
    OpenKeysPage();
    AnswerWarningsWith(IDOK);
    Assign(kNextAi, "Z", true, false);
    Assign(kPreviousAi, "D", true, false);
    ASSERT_EQ(answer.seen, 0);
    PickOption(kNextAi);
    EXPECT_TRUE(DefaultEnabled());
    Click(kTabKeys, IDC_KEYS_DEFAULT);
    ASSERT_EQ(answer.seen, 1);
    EXPECT_NE(answer.text.find("option\n'Previous AI Aircraft'.\nOK"), std::string::npos);
    EXPECT_NE(answer.text.find("new option\n'Next AI Aircraft'."), std::string::npos);
    EXPECT_EQ(KeyText(), "D");
    EXPECT_TRUE(Shift());
    EXPECT_FALSE(ApplyEnabled());
    EXPECT_FALSE(DefaultEnabled());
    ConfirmAndShutDown();
    EXPECT_EQ(ReadIni("KEYS", "K(1)"), "68,1");
    EXPECT_EQ(ReadIni("KEYS", "K(2)"), "0,0");
}

TEST_F(KeysPage, SetDefaultShowsTheBuiltInKeyAndModifiers) {
    OpenKeysPage();
    Assign(11, "5", false, true);
    PickOption(11);
    EXPECT_EQ(KeyText(), "5");
    Click(kTabKeys, IDC_KEYS_DEFAULT);
    EXPECT_EQ(KeyText(), "I");
    EXPECT_TRUE(Shift());
    EXPECT_TRUE(Ctrl());
    ConfirmAndShutDown();
    EXPECT_EQ(ReadIni("KEYS", "K(11)"), "73,3");
}

// What a restart would not give back is refused with its reason; an emptied option stays empty.
TEST_F(KeysPage, AKeyWithNeitherModifierIsRefusedAndAnEmptiedOptionStaysEmpty) {
    OpenKeysPage();
    AnswerWarningsWith(IDOK);
    Assign(kNextAi, "Q", false, false);
    ASSERT_EQ(answer.seen, 1);
    EXPECT_EQ(answer.caption, "Skyvane Keys Assignment");
    EXPECT_EQ(answer.text.rfind("A hotkey needs Shift, Ctrl or both.", 0), 0u) << answer.text;
    Assign(kOnOff, "", false, false);
    EXPECT_EQ(answer.seen, 1);
    ConfirmAndShutDown();
    EXPECT_EQ(ReadIni("KEYS", "K(0)"), "0,0");
    EXPECT_EQ(ReadIni("KEYS", "K(1)"), "68,1");
    StartFlying();
    HostsimShutdown();
    EXPECT_EQ(ReadIni("KEYS", "K(0)"), "0,0");
}

TEST_F(KeysPage, UnappliedChangesAreDropped) {
    OpenKeysPage();
    PickOption(kOnOff);
    ReplaceKeyText("G");
    EXPECT_TRUE(ApplyEnabled());
    PickOption(kNextAi);
    PickOption(kOnOff);
    EXPECT_EQ(KeyText(), "F");
    ReplaceKeyText("H");
    ConfirmAndShutDown();
    EXPECT_EQ(ReadIni("KEYS", "K(0)"), "70,1");
}

} // namespace
} // namespace skyvane_test
