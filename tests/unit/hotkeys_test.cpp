#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "core/settings/config_values.h"
#include "core/settings/hotkeys.h"
#include "core/settings/settings_defaults.h"
#include "test_data.h"

namespace {

struct ExpectedHotkey {
    unsigned key, shift, ctrl, mask;
};

// Runs one case of the file on a default table; each option is compared with its expectation.
void ValidateCase(const std::string& name, const std::vector<std::string>& reads,
                  const ExpectedHotkey (&expected)[kHotkeyOptionCount]) {
    SCOPED_TRACE(name);
    Settings s;
    HotkeyTable h;
    InitModuleDefaults(s, h);
    for (const std::string& line : reads) {
        int index = -1, consumed = 0;
        ASSERT_TRUE(std::sscanf(line.c_str(), "read %d %n", &index, &consumed) == 1 &&
                    consumed > 0 && index >= 0 && index < kHotkeyOptionCount)
            << line;
        // The value starts after exactly one space, keeping its own leading blanks.
        ParseHotkeyValue(line.c_str() + line.find(' ', line.find(' ') + 1) + 1, h.options[index]);
    }
    ValidateHotkeys(h);
    for (int i = 0; i < kHotkeyOptionCount; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(h.options[i].key, expected[i].key);
        EXPECT_EQ(h.options[i].shiftFlag, expected[i].shift);
        EXPECT_EQ(h.options[i].ctrlFlag, expected[i].ctrl);
        EXPECT_EQ(h.options[i].modifierMask, expected[i].mask);
    }
}

} // namespace

// tests/data/hotkeys_validation.txt: values as read from the KEYS section and the options that
// end off their defaults, case by case; every option not listed must end at its default.
TEST(ValidateHotkeys, EveryCaseOfTheFileFollowsTheVisitingOrder) {
    const std::vector<std::string> lines = ReadTestDataLines("hotkeys_validation.txt");
    ASSERT_FALSE(lines.empty());
    Settings s;
    HotkeyTable defaults;
    InitModuleDefaults(s, defaults);
    for (size_t at = 0; at < lines.size();) {
        ASSERT_EQ(lines[at].rfind("case ", 0), 0u) << lines[at];
        const std::string name = lines[at++].substr(5);
        std::vector<std::string> reads;
        ExpectedHotkey expected[kHotkeyOptionCount];
        for (int i = 0; i < kHotkeyOptionCount; ++i) {
            const HotkeyOption& d = defaults.options[i];
            expected[i] = {d.defaultKey, d.defaultShiftFlag, d.defaultCtrlFlag,
                           static_cast<unsigned>(d.defaultShiftFlag + d.defaultCtrlFlag)};
        }
        for (; at < lines.size() && lines[at].rfind("case ", 0) != 0; ++at) {
            int index = -1;
            ExpectedHotkey e{};
            if (lines[at].rfind("read ", 0) == 0) {
                reads.push_back(lines[at]);
            } else {
                ASSERT_EQ(std::sscanf(lines[at].c_str(), "expect %d %u %u %u %u", &index, &e.key,
                                      &e.shift, &e.ctrl, &e.mask),
                          5)
                    << lines[at];
                ASSERT_TRUE(index >= 0 && index < kHotkeyOptionCount) << lines[at];
                expected[index] = e;
            }
        }
        ValidateCase(name, reads, expected);
    }
}
