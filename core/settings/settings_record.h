#pragma once
// The user-adjustable state: fourteen persisted settings named by their INI keys, the bounds that
// complete their ranges, and the table of fifteen assignable hotkeys.
#include <cstdint>

struct Settings {
    int32_t Active;    // pass-by view on (non-zero) or off
    int32_t Svp;       // pass-by period, seconds
    int32_t Rlp;       // lateral offset, in sizes of the followed aircraft
    int32_t Ral;       // vertical offset, in sizes of the followed aircraft
    int32_t Mode;      // 0 normal, 1 on ground, 2 plane spotting
    int32_t RndH;      // horizontal randomisation 0..2
    int32_t RndV;      // vertical randomisation 0..2
    int32_t RngSvpMax; // upper limit of Svp, seconds
    int32_t RngRlp;    // Rlp lies within +-RngRlp
    int32_t RngRal;    // Ral lies within +-RngRal
    int32_t Turns;     // 1: the look-ahead follows the followed aircraft's turns
    int32_t Jumps;     // 1: a new eye point at once when the followed aircraft jumps
    int32_t Tour;      // 1: "Watch the Traffic" chooses the aircraft of each pass-by
    int32_t TourRange; // nautical miles from the user's aircraft the tour looks
    int32_t SvpMin;    // always 5
    int32_t RlpMin;    // always -RngRlp
    int32_t RalMin;    // always -RngRal
};

constexpr int kHotkeyOptionCount = 15;
constexpr uint8_t kShiftBit = 1;
constexpr uint8_t kCtrlBit = 2;

struct HotkeyOption {
    uint8_t key;          // virtual-key code: '0'..'9', 'A'..'Z', or 0 for none
    uint8_t shiftFlag;    // 1 when Shift is needed
    uint8_t ctrlFlag;     // 2 when Ctrl is needed
    uint8_t modifierMask; // shiftFlag + ctrlFlag
    uint8_t defaultKey;
    uint8_t defaultShiftFlag;
    uint8_t defaultCtrlFlag;
    const char* optionName;
};

struct HotkeyTable {
    HotkeyOption options[kHotkeyOptionCount];
};
