#pragma once
// The settings, their bounds and the hotkey table as they stand when the module is loaded.
#include "core/settings/settings_record.h"

void InitModuleDefaults(Settings& settings, HotkeyTable& hotkeys);
