#include "core/control/hotkey_match.h"
#include "core/control/commands.h"

namespace {
// With the view off only the switch and the two window commands work.
constexpr int32_t kOptionsWhileOff[] = {kCommandOnOff, kCommandSettingsDialog, kCommandAiList};

// An option without a key never fires, whatever code a key message carries.
bool Fires(const HotkeyOption& option, uint32_t virtualKey, uint8_t modifierState) {
    return option.key != 0 && option.key == virtualKey && option.modifierMask == modifierState;
}
} // namespace

int32_t MatchHotkey(const HotkeyTable& table, bool viewActive, uint32_t virtualKey,
                    uint8_t modifierState) {
    if (!viewActive) {
        for (int32_t index : kOptionsWhileOff) {
            if (Fires(table.options[index], virtualKey, modifierState)) {
                return index;
            }
        }
        return -1;
    }
    for (int32_t index = 0; index < kHotkeyOptionCount; ++index) {
        if (Fires(table.options[index], virtualKey, modifierState)) {
            return index;
        }
    }
    return -1;
}
