#pragma once
// What a clean settings state is, checked alike by the fuzz targets, the random-sequence test and
// the corpus run through the DLL: every setting within the module's limits, the bounds that follow
// from the ranges, and a hotkey table the module would keep as it is. The limits are the module's
// own; only the rules are stated here.
#include <cstdint>
#include <string>

#include "core/settings/settings_limits.h"
#include "core/settings/settings_record.h"

namespace clean_settings {

// A digit, a capital letter, or 0 for none.
inline bool KeyAllowed(uint8_t key) {
    return key == 0 || (key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z');
}

// 64-bit, so that the negated range of a broken state cannot overflow.
inline std::string Within(const char* name, int64_t value, int64_t low, int64_t high) {
    if (value >= low && value <= high) {
        return "";
    }
    return std::string(name) + " " + std::to_string(value) + " outside " + std::to_string(low) +
           ".." + std::to_string(high) + "; ";
}

// Shift and Ctrl follow the mask, which holds at least one of them unless the option is emptied
// (no key, no modifiers); two options share a hotkey only when they have a key.
inline std::string HotkeyProblems(const HotkeyTable& hotkeys) {
    std::string problems;
    for (int i = 0; i < kHotkeyOptionCount; ++i) {
        const HotkeyOption& o = hotkeys.options[i];
        const std::string name = "K(" + std::to_string(i) + ")";
        if (!KeyAllowed(o.key)) {
            problems += name + " key " + std::to_string(o.key) + "; ";
        }
        if ((o.modifierMask & ~(kShiftBit | kCtrlBit)) != 0 ||
            (o.modifierMask == 0 && o.key != 0) || o.shiftFlag != (o.modifierMask & kShiftBit) ||
            o.ctrlFlag != (o.modifierMask & kCtrlBit)) {
            problems += name + " modifiers " + std::to_string(o.modifierMask) + "; ";
        }
        if (o.optionName == nullptr || o.optionName[0] == '\0') {
            problems += name + " has no name; ";
        }
        for (int j = i + 1; j < kHotkeyOptionCount; ++j) {
            const HotkeyOption& other = hotkeys.options[j];
            if (o.key != 0 && o.key == other.key && o.modifierMask == other.modifierMask) {
                problems += name + " and K(" + std::to_string(j) + ") share a hotkey; ";
            }
        }
    }
    return problems;
}

// Everything that breaks the rules, or "" when the state is clean.
inline std::string Problems(const Settings& s, const HotkeyTable& hotkeys) {
    return Within("RngSvpMax", s.RngSvpMax, kRngSvpMaxLowSeconds, kRngSvpMaxHighSeconds) +
           Within("RngRlp", s.RngRlp, kOffsetRangeLow, kOffsetRangeHigh) +
           Within("RngRal", s.RngRal, kOffsetRangeLow, kOffsetRangeHigh) +
           Within("SvpMin", s.SvpMin, kSvpMinSeconds, kSvpMinSeconds) +
           Within("RlpMin", s.RlpMin, -int64_t{s.RngRlp}, -int64_t{s.RngRlp}) +
           Within("RalMin", s.RalMin, -int64_t{s.RngRal}, -int64_t{s.RngRal}) +
           Within("Svp", s.Svp, kSvpMinSeconds, s.RngSvpMax) +
           Within("Rlp", s.Rlp, -int64_t{s.RngRlp}, s.RngRlp) +
           Within("Ral", s.Ral, -int64_t{s.RngRal}, s.RngRal) +
           Within("Mode", s.Mode, 0, kChoiceHigh) + Within("RndH", s.RndH, 0, kChoiceHigh) +
           Within("RndV", s.RndV, 0, kChoiceHigh) + Within("Turns", s.Turns, 0, kSwitchHigh) +
           Within("Jumps", s.Jumps, 0, kSwitchHigh) + Within("Tour", s.Tour, 0, kSwitchHigh) +
           Within("TourRange", s.TourRange, kTourRangeLowNm, kTourRangeHighNm) +
           HotkeyProblems(hotkeys);
}

} // namespace clean_settings
