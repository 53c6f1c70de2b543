#pragma once
// Brings the settings read from the configuration file into their ranges and into agreement
// with one another, then repairs the hotkey table.
#include "core/settings/config_values.h"
#include "core/settings/settings_record.h"

// towerRead is the TOWER section as read; it is consulted only when Mode is plane spotting,
// which falls back to normal when the stored eye point fails its check.
void ClampSettings(Settings& settings, HotkeyTable& hotkeys, const TowerValues& towerRead);
