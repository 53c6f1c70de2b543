#include <gtest/gtest.h>

#include "core/settings/key_translation.h"

TEST(KeyTranslationTest, DigitAndLetterKeysPassWhateverTheShiftState) {
    EXPECT_EQ(KeyFromKeyScan(0x0041), 'A'); // a
    EXPECT_EQ(KeyFromKeyScan(0x0141), 'A'); // A, with Shift
    EXPECT_EQ(KeyFromKeyScan(0x005A), 'Z');
    EXPECT_EQ(KeyFromKeyScan(0x0030), '0');
    EXPECT_EQ(KeyFromKeyScan(0x0039), '9');
    EXPECT_EQ(KeyFromKeyScan(0x0131), '1'); // ! on a US layout
    EXPECT_EQ(KeyFromKeyScan(0x0632), '2'); // a character typed with Ctrl+Alt on key 2
}

TEST(KeyTranslationTest, OtherKeysAndNoKeyGiveNothing) {
    EXPECT_EQ(KeyFromKeyScan(0x00BD), 0); // hyphen, VK_OEM_MINUS
    EXPECT_EQ(KeyFromKeyScan(0x002F), 0); // just below the digits
    EXPECT_EQ(KeyFromKeyScan(0x003A), 0); // between the digits and the letters
    EXPECT_EQ(KeyFromKeyScan(0x0040), 0);
    EXPECT_EQ(KeyFromKeyScan(0x005B), 0); // just above the letters
    EXPECT_EQ(KeyFromKeyScan(0x0020), 0); // space
    EXPECT_EQ(KeyFromKeyScan(0xFFFF), 0); // the layout has no key for the character
    EXPECT_EQ(KeyFromKeyScan(0x0000), 0);
}

TEST(KeyTranslationTest, AnEmptiedFieldIsNotTheDigitTwo) {
    EXPECT_EQ(KeyFromKeyScan(kEmptyFieldKeyScan), 0);
    // The digit 2 with any other shift state is still the digit 2.
    EXPECT_EQ(KeyFromKeyScan(0x0032), '2');
    EXPECT_EQ(KeyFromKeyScan(0x0132), '2');
    EXPECT_EQ(KeyFromKeyScan(0x0232), '2');
}

TEST(KeyTranslationTest, KeyTextIsOneCharacterOrEmpty) {
    char text[2] = {'x', 'x'};
    KeyTextFromKey('F', text);
    EXPECT_STREQ(text, "F");
    KeyTextFromKey('7', text);
    EXPECT_STREQ(text, "7");
    KeyTextFromKey(0, text);
    EXPECT_STREQ(text, "");
}
