#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "core/settings/config_values.h"
#include "core/settings/hotkeys.h"
#include "core/settings/settings_defaults.h"
#include "test_data.h"

namespace {

class ValidateHotkeysTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Settings s;
        InitModuleDefaults(s, h);
    }
    void Read(int i, const char* value) { ParseHotkeyValue(value, h.options[i]); }
    void ExpectHotkey(int i, uint8_t key, uint8_t shift, uint8_t ctrl, uint8_t mask) {
        SCOPED_TRACE(i);
        EXPECT_EQ(h.options[i].key, key);
        EXPECT_EQ(h.options[i].shiftFlag, shift);
        EXPECT_EQ(h.options[i].ctrlFlag, ctrl);
        EXPECT_EQ(h.options[i].modifierMask, mask);
    }
    HotkeyTable h;
};

} // namespace

TEST_F(ValidateHotkeysTest, KeysOutsideDigitsAndLettersBecomeNoKey) {
    Read(0, "97,1"); // lower-case a
    Read(1, "59,2"); // between '9' and 'A'
    Read(2, "53,1"); // '5'
    Read(3, "48,1");
    Read(4, "90,1");
    Read(5, "58,1");
    Read(6, "64,2");
    Read(7, "91,1");
    Read(8, "47,1");
    ValidateHotkeys(h);
    ExpectHotkey(2, '5', 1, 0, 1);
    ExpectHotkey(3, '0', 1, 0, 1);
    ExpectHotkey(4, 'Z', 1, 0, 1);
    // Options without a key share nothing, whatever their modifiers.
    for (int i : {0, 5, 7, 8}) {
        ExpectHotkey(i, 0, 1, 0, 1);
    }
    ExpectHotkey(1, 0, 0, 2, 2);
    ExpectHotkey(6, 0, 0, 2, 2);
}

TEST_F(ValidateHotkeysTest, TheLowerIndexKeepsASharedHotkey) {
    Read(2, "81,1");
    Read(7, "81,1");
    ValidateHotkeys(h);
    ExpectHotkey(2, 'Q', 1, 0, 1);
    ExpectHotkey(7, 'J', 1, 0, 1);
}

TEST_F(ValidateHotkeysTest, AnInvalidMaskReturnsTheOptionToItsDefault) {
    Read(3, "88,0");
    Read(9, "88,4");
    Read(11, "0,4");
    Read(12, "0,0"); // no key and no modifiers: an emptied option
    ValidateHotkeys(h);
    ExpectHotkey(3, 'T', 1, 0, 1);
    ExpectHotkey(9, 'N', 1, 2, 3);
    ExpectHotkey(11, 'I', 1, 2, 3);
    ExpectHotkey(12, 0, 0, 0, 0);
}

TEST_F(ValidateHotkeysTest, ADefaultMeetingAnOptionVisitedBeforeIsSettledByAnotherPass) {
    Read(2, "74,3"); // J Shift+Ctrl: option 10's default
    Read(10, "0,4"); // an invalid mask: back to J Shift+Ctrl after option 2's visit
    ValidateHotkeys(h);
    ExpectHotkey(10, 'J', 1, 2, 3);
    ExpectHotkey(2, 'A', 1, 0, 1);
}

TEST_F(ValidateHotkeysTest, SameLetterWithOtherModifiersIsNoConflict) {
    Read(0, "70,2"); // F with Ctrl
    Read(9, "81,1"); // Q with Shift over the default Shift+Ctrl
    ValidateHotkeys(h);
    ExpectHotkey(0, 'F', 0, 2, 2);
    ExpectHotkey(9, 'Q', 1, 0, 1);
}

TEST_F(ValidateHotkeysTest, AHotkeyEqualToAnEarlierDefaultReturnsToItsOwnDefault) {
    Read(9, "78,1"); // N with Shift is option 6's default
    ValidateHotkeys(h);
    ExpectHotkey(6, 'N', 1, 0, 1);
    ExpectHotkey(9, 'N', 1, 2, 3);
}

// Each file gives values as read from the KEYS section ("read <option> <value>") and the whole
// table expected after validation ("expect <option> <key> <shift> <ctrl> <mask>"), worked out by
// hand from the visiting order.
class HotkeyTableFile : public ::testing::TestWithParam<const char*> {};

TEST_P(HotkeyTableFile, ValidationFollowsTheVisitingOrder) {
    const std::vector<std::string> lines = ReadTestDataLines(GetParam());
    ASSERT_FALSE(lines.empty()) << GetParam();
    HotkeyTable h;
    Settings s;
    InitModuleDefaults(s, h);
    int expectations = 0;
    bool validated = false;
    for (const std::string& line : lines) {
        int index = -1;
        int consumed = 0;
        if (std::sscanf(line.c_str(), "read %d %n", &index, &consumed) == 1 && consumed > 0) {
            ASSERT_FALSE(validated) << line;
            ASSERT_TRUE(index >= 0 && index < kHotkeyOptionCount) << line;
            // The value starts after exactly one space, keeping its own leading blanks.
            const size_t valueStart = line.find(' ', line.find(' ') + 1) + 1;
            ParseHotkeyValue(line.c_str() + valueStart, h.options[index]);
            continue;
        }
        unsigned key = 0, shift = 0, ctrl = 0, mask = 0;
        ASSERT_EQ(
            std::sscanf(line.c_str(), "expect %d %u %u %u %u", &index, &key, &shift, &ctrl, &mask),
            5)
            << line;
        ASSERT_EQ(index, expectations) << "expectations must list options 0..14 in order";
        if (!validated) {
            ValidateHotkeys(h);
            validated = true;
        }
        SCOPED_TRACE(line);
        EXPECT_EQ(h.options[index].key, key);
        EXPECT_EQ(h.options[index].shiftFlag, shift);
        EXPECT_EQ(h.options[index].ctrlFlag, ctrl);
        EXPECT_EQ(h.options[index].modifierMask, mask);
        ++expectations;
    }
    EXPECT_EQ(expectations, kHotkeyOptionCount);
}

INSTANTIATE_TEST_SUITE_P(Tables, HotkeyTableFile,
                         ::testing::Values("hotkeys_duplicates.txt", "hotkeys_cascade.txt",
                                           "hotkeys_ranges.txt", "hotkeys_no_key.txt"));
