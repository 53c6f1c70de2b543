// Reading the settings file's value texts into the settings and writing them back, through an
// in-memory file.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "core/settings/config_apply.h"
#include "core/settings/settings_defaults.h"
#include "core/settings/settings_limits.h"

namespace {

struct MemoryFile {
    std::map<std::pair<std::string, std::string>, std::string> values;
    std::vector<std::string> reads;  // "SECTION/key" in the order asked
    std::vector<std::string> writes; // the same for writes
    bool unterminated = false;       // fill every buffer to its end without a terminator

    void Set(const std::string& section, const std::string& key, const std::string& value) {
        values[{section, key}] = value;
    }
    std::string Get(const std::string& section, const std::string& key) const {
        auto it = values.find({section, key});
        return it == values.end() ? "<missing>" : it->second;
    }
};

void ReadMemory(void* context, const char* section, const char* key, char* value) {
    MemoryFile& file = *static_cast<MemoryFile*>(context);
    file.reads.push_back(std::string(section) + "/" + key);
    auto it = file.values.find({section, key});
    std::string text = it == file.values.end() ? "0" : it->second;
    if (file.unterminated) {
        std::memset(value, '7', kTextSize);
        std::memcpy(value, text.data(), std::min(text.size(), kTextSize));
        return;
    }
    std::snprintf(value, kTextSize, "%s", text.c_str());
}

void WriteMemory(void* context, const char* section, const char* key, const char* value) {
    MemoryFile& file = *static_cast<MemoryFile*>(context);
    file.writes.push_back(std::string(section) + "/" + key);
    file.values[{section, key}] = value;
}

class ConfigApplyTest : public ::testing::Test {
  protected:
    void SetUp() override {
        InitModuleDefaults(s, h);
        spot = EyePoint{0x1234, 0, 0x5678, 0, 0x9ABC, 0};
    }
    void Apply() { ApplyConfigurationTexts(ReadMemory, &file, s, h, spot); }
    void Write(MemoryFile& out) { WriteConfigurationTexts(WriteMemory, &out, s, h, spot); }

    MemoryFile file;
    Settings s;
    HotkeyTable h;
    EyePoint spot;
};

} // namespace

TEST_F(ConfigApplyTest, MissingKeysReadAsZeroAndAreClampedIntoRange) {
    s.Turns = s.Jumps = s.Tour = 1;
    s.TourRange = 30;
    Apply();
    EXPECT_EQ(s.Active, 0);
    EXPECT_EQ(s.Svp, kSvpMinSeconds);
    EXPECT_EQ(s.RngSvpMax, kRngSvpMaxLowSeconds);
    EXPECT_EQ(s.RngRlp, kOffsetRangeLow);
    EXPECT_EQ(s.RlpMin, -kOffsetRangeLow);
    EXPECT_EQ(s.Rlp, 0);
    EXPECT_EQ(s.Mode, kModeNormal);
    EXPECT_EQ(s.Turns, 0);
    EXPECT_EQ(s.Jumps, 0);
    EXPECT_EQ(s.Tour, 0);
    EXPECT_EQ(s.TourRange, 5) << "a file of the previous version: the default range";
    // "0" without a comma: no key, modifiers as at load; options without a key share nothing.
    EXPECT_EQ(h.options[0].key, 0);
    EXPECT_EQ(h.options[0].modifierMask, 1);
    EXPECT_EQ(h.options[1].key, 0);
    EXPECT_EQ(h.options[1].modifierMask, 1);
}

TEST_F(ConfigApplyTest, ReadsFollowFileOrderAndTowerOnlyInSpottingMode) {
    Apply();
    ASSERT_EQ(file.reads.size(), 29u);
    EXPECT_EQ(file.reads[0], "SETTINGS/Active");
    EXPECT_EQ(file.reads[9], "SETTINGS/RngRal");
    EXPECT_EQ(file.reads[10], "SETTINGS/Turns");
    EXPECT_EQ(file.reads[11], "SETTINGS/Jumps");
    EXPECT_EQ(file.reads[12], "SETTINGS/Tour");
    EXPECT_EQ(file.reads[13], "SETTINGS/TourRange");
    EXPECT_EQ(file.reads[14], "KEYS/K(0)");
    EXPECT_EQ(file.reads[28], "KEYS/K(14)");

    file.reads.clear();
    file.Set("SETTINGS", "Mode", "2");
    Apply();
    ASSERT_EQ(file.reads.size(), 36u);
    EXPECT_EQ(file.reads[14], "TOWER/Lat.f");
    EXPECT_EQ(file.reads[20], "TOWER/Val.c");
    EXPECT_EQ(file.reads[21], "KEYS/K(0)");
}

TEST_F(ConfigApplyTest, SpottingModeWithoutTowerFallsBackButKeepsTheWordsRead) {
    file.Set("SETTINGS", "Mode", "2");
    Apply();
    EXPECT_EQ(s.Mode, kModeNormal);
    // Bits 0..15 of the low words are never stored, so a read leaves them alone.
    EXPECT_EQ(spot.latLo, 0x1234u);
    EXPECT_EQ(spot.lonLo, 0x5678u);
    EXPECT_EQ(spot.altLo, 0x9ABCu);
}

TEST_F(ConfigApplyTest, SpottingPointSurvivesAWriteAndReadBack) {
    s.Mode = kModePlaneSpotting;
    s.Active = 7;
    s.Svp = 33;
    s.RngSvpMax = 40;
    s.Turns = s.Jumps = s.Tour = 1;
    s.TourRange = 12;
    spot = EyePoint{0xFFFF1234u, -5123456, 0x80005678u, -2147483647 - 1, 0x00019ABCu, 2147483647};
    h.options[9].key = 'Q';
    h.options[9].shiftFlag = 1;
    h.options[9].ctrlFlag = 0;
    h.options[9].modifierMask = 1;
    Write(file);
    EXPECT_EQ(file.Get("TOWER", "Lat.f"), "65535");
    EXPECT_EQ(file.Get("TOWER", "Lon.hi"), "-2147483648");
    EXPECT_EQ(file.Get("KEYS", "K(9)"), "81,1");
    EXPECT_EQ(file.writes.front(), "SETTINGS/Active");
    EXPECT_EQ(file.Get("SETTINGS", "Turns"), "1");
    EXPECT_EQ(file.writes[11], "SETTINGS/Jumps");
    EXPECT_EQ(file.writes[13], "SETTINGS/TourRange");
    EXPECT_EQ(file.writes[14], "TOWER/Lat.f");
    EXPECT_EQ(file.writes[20], "TOWER/Val.c");
    EXPECT_EQ(file.writes.back(), "KEYS/K(14)");

    const EyePoint written = spot;
    InitModuleDefaults(s, h);
    spot = EyePoint{};
    Apply();
    EXPECT_EQ(s.Mode, kModePlaneSpotting);
    EXPECT_EQ(s.Active, 7);
    EXPECT_EQ(s.Svp, 33);
    EXPECT_EQ(s.Turns, 1);
    EXPECT_EQ(s.Jumps, 1);
    EXPECT_EQ(s.Tour, 1);
    EXPECT_EQ(s.TourRange, 12);
    EXPECT_EQ(h.options[9].key, 'Q');
    EXPECT_EQ(h.options[9].ctrlFlag, 0);
    EXPECT_EQ(spot.latLo, written.latLo & 0xFFFF0000u);
    EXPECT_EQ(spot.latHi, written.latHi);
    EXPECT_EQ(spot.lonHi, written.lonHi);
    EXPECT_EQ(spot.altLo, written.altLo & 0xFFFF0000u);
    EXPECT_EQ(spot.altHi, written.altHi);
}

TEST_F(ConfigApplyTest, AnEditedTowerValueFailsItsCheck) {
    s.Mode = kModePlaneSpotting;
    spot = EyePoint{0x00010000u, 4000000, 0x00020000u, 12345678, 0x00030000u, 300};
    Write(file);
    file.Set("TOWER", "Alt.i", "301");
    InitModuleDefaults(s, h);
    Apply();
    EXPECT_EQ(s.Mode, kModeNormal);
    EXPECT_EQ(spot.altHi, 301);
}

TEST_F(ConfigApplyTest, SettingsBeyond32BitsSaturateBeforeTheClampButHotkeysWrap) {
    file.Set("SETTINGS", "RngSvpMax", "3000000000");
    file.Set("SETTINGS", "Svp", "2147483648");
    file.Set("SETTINGS", "Rlp", "-99999999999");
    file.Set("KEYS", "K(5)", "4294967377,1"); // 2^32 + 81: Q with Shift
    Apply();
    EXPECT_EQ(s.RngSvpMax, kRngSvpMaxHighSeconds);
    EXPECT_EQ(s.Svp, kRngSvpMaxHighSeconds);
    EXPECT_EQ(s.Rlp, -kOffsetRangeLow);
    EXPECT_EQ(h.options[5].key, 'Q');
}

TEST_F(ConfigApplyTest, BuffersFilledToTheEndAreCutNotOverrun) {
    file.unterminated = true;
    file.Set("SETTINGS", "Svp", "12");
    file.Set("SETTINGS", "RngSvpMax", "40");
    Apply();
    // "12" followed by 257 sevens saturates in 32 bits; the clamp then brings it to 40.
    EXPECT_GE(s.Svp, kSvpMinSeconds);
    EXPECT_LE(s.Svp, s.RngSvpMax);
    EXPECT_LE(s.RngSvpMax, kRngSvpMaxHighSeconds);
    for (const HotkeyOption& option : h.options) {
        EXPECT_GE(option.modifierMask, 1);
        EXPECT_LE(option.modifierMask, 3);
    }
}

TEST_F(ConfigApplyTest, HotkeyTextsKeepTheirLowBitsAndOptionalModifiers) {
    file.Set("KEYS", "K(3)", "340,1");
    file.Set("KEYS", "K(0)", "70,2");
    file.Set("KEYS", "K(5)", "86");
    Apply();
    EXPECT_EQ(h.options[3].key, 84);
    EXPECT_EQ(h.options[3].modifierMask, 1);
    EXPECT_EQ(h.options[0].key, 'F');
    EXPECT_EQ(h.options[0].shiftFlag, 0);
    EXPECT_EQ(h.options[0].ctrlFlag, 2);
    EXPECT_EQ(h.options[5].key, 'V');
    EXPECT_EQ(h.options[5].modifierMask, 1);
}

TEST_F(ConfigApplyTest, WrittenTextsAreAFixedPointOfReading) {
    const char* const hostile[] = {"-2147483648", "99999999999999", "+-3", "  -7x",     "",
                                   "\x80\xff",    "0x10",           "5,5", "4294967298"};
    int n = 0;
    for (const char* key : kConfigSettingKeys) {
        file.Set("SETTINGS", key, hostile[n++ % 9]);
    }
    for (int i = 0; i < kHotkeyOptionCount; ++i) {
        file.Set("KEYS", "K(" + std::to_string(i) + ")", hostile[(i + 3) % 9]);
    }
    Apply();
    MemoryFile first;
    Write(first);
    const Settings afterFirst = s;
    file = first;
    Apply();
    MemoryFile second;
    Write(second);
    EXPECT_EQ(first.values, second.values);
    EXPECT_EQ(0, std::memcmp(&afterFirst, &s, sizeof s));
}
