#pragma once
// Turning the value texts of the settings file into settings, hotkeys and the plane-spotting eye
// point, and the value texts written back. The file access itself belongs to the caller, which
// hands in one function that reads a key and one that writes it.
#include <cstddef>

#include "core/camera/eye_point.h"
#include "core/settings/config_values.h"
#include "core/settings/settings_record.h"
#include "core/settings/text_size.h"

constexpr char kConfigSettingsSection[] = "SETTINGS";
constexpr char kConfigTowerSection[] = "TOWER";
constexpr char kConfigKeysSection[] = "KEYS";
constexpr int kConfigSettingCount = 14;
constexpr int kConfigTowerKeyCount = 7;
constexpr int kConfigKeyNameSize = 16; // "K(%d)" of any option index

extern const char* const kConfigSettingKeys[kConfigSettingCount];
extern const char* const kConfigTowerKeys[kConfigTowerKeyCount];

// Fills value (kTextSize characters) with the text of section/key; a missing key reads
// as "0". The text need not be terminated: a value that fills the buffer is cut at its end.
using ConfigValueReader = void (*)(void* context, const char* section, const char* key,
                                   char* value);
// Stores one value text under section/key.
using ConfigValueWriter = void (*)(void* context, const char* section, const char* key,
                                   const char* value);

void ConfigHotkeyKeyName(int index, char (&name)[kConfigKeyNameSize]);

// Reads SETTINGS, then TOWER when Mode is plane spotting, then KEYS, in file order, and brings
// the result into range with ClampSettings. Bits 0..15 of the spotting point's low words stay.
void ApplyConfigurationTexts(ConfigValueReader read, void* context, Settings& settings,
                             HotkeyTable& hotkeys, EyePoint& spotting);

constexpr int kStoredTowerParts = kConfigTowerKeyCount - 1; // all but the check value

// Every value the file stores, as numbers: SETTINGS in file order, the TOWER parts (zero outside
// plane spotting, where the section is not written) and each option's key and mask. Two records
// are equal exactly when the file would be written the same.
struct StoredValues {
    int32_t settings[kConfigSettingCount];
    int32_t tower[kStoredTowerParts];
    int32_t keys[kHotkeyOptionCount][2];
};

StoredValues StoredValuesOf(const Settings& settings, const HotkeyTable& hotkeys,
                            const EyePoint& spotting);
bool SameStoredValues(const StoredValues& a, const StoredValues& b);

// Writes SETTINGS, TOWER (only in plane-spotting mode, with its check value) and KEYS in file
// order, each value as plain decimal text.
void WriteConfigurationTexts(ConfigValueWriter write, void* context, const Settings& settings,
                             const HotkeyTable& hotkeys, const EyePoint& spotting);
