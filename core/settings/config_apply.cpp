#include "core/settings/config_apply.h"

#include <cstdio>
#include <cstring>

#include "core/settings/clamp_settings.h"
#include "core/settings/settings_limits.h"

namespace {

constexpr uint32_t kFractionShift = 16; // the file keeps bits 16..31 of each low word
constexpr uint32_t kFractionMask = 0xFFFF;

// Beyond 32 bits a number saturates before it is clamped, as the dialog's fields read it.
int32_t ReadNumber(ConfigValueReader read, void* context, const char* section, const char* key) {
    char value[kTextSize];
    read(context, section, key, value);
    value[kTextSize - 1] = '\0';
    return ParseDecimal(value, kTextSize, kOverflowSaturates);
}

uint32_t WithFraction(uint32_t lowWord, int32_t fraction) {
    return (lowWord & kFractionMask) |
           ((static_cast<uint32_t>(fraction) & kFractionMask) << kFractionShift);
}

TowerValues ReadTower(ConfigValueReader read, void* context, EyePoint& spotting) {
    int32_t parts[kConfigTowerKeyCount];
    for (int i = 0; i < kConfigTowerKeyCount; ++i) {
        parts[i] = ReadNumber(read, context, kConfigTowerSection, kConfigTowerKeys[i]);
    }
    TowerValues tower{parts[0], parts[1], parts[2], parts[3], parts[4], parts[5], parts[6]};
    spotting.latLo = WithFraction(spotting.latLo, tower.latFraction);
    spotting.latHi = tower.latWhole;
    spotting.lonLo = WithFraction(spotting.lonLo, tower.lonFraction);
    spotting.lonHi = tower.lonWhole;
    spotting.altLo = WithFraction(spotting.altLo, tower.altFraction);
    spotting.altHi = tower.altWhole;
    return tower;
}

void WriteTower(ConfigValueWriter write, void* context,
                const int32_t (&stored)[kStoredTowerParts]) {
    TowerValues tower{stored[0], stored[1], stored[2], stored[3], stored[4], stored[5], 0};
    tower.checkValue = TowerCheckSum(tower);
    const int32_t parts[kConfigTowerKeyCount] = {
        tower.latFraction, tower.latWhole, tower.lonFraction, tower.lonWhole,
        tower.altFraction, tower.altWhole, tower.checkValue};
    char text[kTextSize];
    for (int i = 0; i < kConfigTowerKeyCount; ++i) {
        snprintf(text, sizeof(text), "%d", static_cast<int>(parts[i]));
        write(context, kConfigTowerSection, kConfigTowerKeys[i], text);
    }
}

int32_t* SettingField(Settings& s, int index) {
    int32_t* fields[kConfigSettingCount] = {
        &s.Active,    &s.Svp,    &s.Rlp,    &s.Ral,   &s.Mode,  &s.RndH, &s.RndV,
        &s.RngSvpMax, &s.RngRlp, &s.RngRal, &s.Turns, &s.Jumps, &s.Tour, &s.TourRange};
    return fields[index];
}

int32_t SettingValue(const Settings& s, int index) {
    const int32_t values[kConfigSettingCount] = {
        s.Active,    s.Svp,    s.Rlp,    s.Ral,   s.Mode,  s.RndH, s.RndV,
        s.RngSvpMax, s.RngRlp, s.RngRal, s.Turns, s.Jumps, s.Tour, s.TourRange};
    return values[index];
}

} // namespace

const char* const kConfigSettingKeys[kConfigSettingCount] = {
    "Active",    "Svp",    "Rlp",    "Ral",   "Mode",  "RndH", "RndV",
    "RngSvpMax", "RngRlp", "RngRal", "Turns", "Jumps", "Tour", "TourRange"};
const char* const kConfigTowerKeys[kConfigTowerKeyCount] = {"Lat.f", "Lat.i", "Lon.lo", "Lon.hi",
                                                            "Alt.f", "Alt.i", "Val.c"};

void ConfigHotkeyKeyName(int index, char (&name)[kConfigKeyNameSize]) {
    snprintf(name, sizeof(name), "K(%d)", index);
}

void ApplyConfigurationTexts(ConfigValueReader read, void* context, Settings& settings,
                             HotkeyTable& hotkeys, EyePoint& spotting) {
    // All are read before any is assigned, as one record.
    int32_t values[kConfigSettingCount];
    for (int i = 0; i < kConfigSettingCount; ++i) {
        values[i] = ReadNumber(read, context, kConfigSettingsSection, kConfigSettingKeys[i]);
    }
    for (int i = 0; i < kConfigSettingCount; ++i) {
        *SettingField(settings, i) = values[i];
    }
    TowerValues tower = {};
    if (settings.Mode == kModePlaneSpotting) {
        tower = ReadTower(read, context, spotting);
    }
    char value[kTextSize];
    for (int i = 0; i < kHotkeyOptionCount; ++i) {
        char name[kConfigKeyNameSize];
        ConfigHotkeyKeyName(i, name);
        read(context, kConfigKeysSection, name, value);
        value[kTextSize - 1] = '\0';
        ParseHotkeyValue(value, hotkeys.options[i]);
    }
    ClampSettings(settings, hotkeys, tower);
}

StoredValues StoredValuesOf(const Settings& settings, const HotkeyTable& hotkeys,
                            const EyePoint& spotting) {
    StoredValues stored{};
    for (int i = 0; i < kConfigSettingCount; ++i) {
        stored.settings[i] = SettingValue(settings, i);
    }
    if (settings.Mode == kModePlaneSpotting) {
        // The fractions are 0..65535, so their signed and unsigned decimal texts are the same.
        const int32_t tower[kStoredTowerParts] = {
            static_cast<int32_t>(spotting.latLo >> kFractionShift), spotting.latHi,
            static_cast<int32_t>(spotting.lonLo >> kFractionShift), spotting.lonHi,
            static_cast<int32_t>(spotting.altLo >> kFractionShift), spotting.altHi};
        memcpy(stored.tower, tower, sizeof(tower));
    }
    for (int i = 0; i < kHotkeyOptionCount; ++i) {
        stored.keys[i][0] = hotkeys.options[i].key;
        stored.keys[i][1] = hotkeys.options[i].modifierMask;
    }
    return stored;
}

bool SameStoredValues(const StoredValues& a, const StoredValues& b) {
    return memcmp(&a, &b, sizeof(StoredValues)) == 0;
}

void WriteConfigurationTexts(ConfigValueWriter write, void* context, const Settings& settings,
                             const HotkeyTable& hotkeys, const EyePoint& spotting) {
    const StoredValues stored = StoredValuesOf(settings, hotkeys, spotting);
    char text[kTextSize];
    for (int i = 0; i < kConfigSettingCount; ++i) {
        snprintf(text, sizeof(text), "%d", static_cast<int>(stored.settings[i]));
        write(context, kConfigSettingsSection, kConfigSettingKeys[i], text);
    }
    if (settings.Mode == kModePlaneSpotting) {
        WriteTower(write, context, stored.tower);
    }
    for (int i = 0; i < kHotkeyOptionCount; ++i) {
        char name[kConfigKeyNameSize];
        ConfigHotkeyKeyName(i, name);
        snprintf(text, sizeof(text), "%u,%u", static_cast<unsigned>(stored.keys[i][0]),
                 static_cast<unsigned>(stored.keys[i][1]));
        write(context, kConfigKeysSection, name, text);
    }
}
