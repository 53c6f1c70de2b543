#pragma once
// Which option a key press fires, given the Shift/Ctrl state coded like a modifier mask.
#include <cstdint>
#include "core/settings/settings_record.h"

// The option index to execute, or -1. While the view is off only the on/off switch and the two
// window commands can fire.
int32_t MatchHotkey(const HotkeyTable& table, bool viewActive, uint32_t virtualKey,
                    uint8_t modifierState);
