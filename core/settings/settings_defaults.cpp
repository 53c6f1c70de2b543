#include "core/settings/settings_defaults.h"

#include "core/settings/hotkeys.h"
#include "core/settings/settings_limits.h"

namespace {

struct HotkeyDefault {
    const char* optionName;
    uint8_t key;
    uint8_t ctrlFlag; // every default needs Shift; the randomisation options need Ctrl too
};

// Same order as the commands the options issue.
constexpr HotkeyDefault kHotkeyDefaults[kHotkeyOptionCount] = {
    {"Skyvane On/Off", 'F', 0},
    {"Next AI Aircraft", 'D', 0},
    {"Previous AI Aircraft", 'A', 0},
    {"Cycle Skyvane / Spot Plane (AI)", 'T', 0},
    {"Dialog Settings", 'C', 0},
    {"AI Aircraft List", 'V', 0},
    {"Skyvane Mode Normal", 'N', 0},
    {"Skyvane Mode On Ground", 'J', 0},
    {"Skyvane Mode Plane Spotting", 'I', 0},
    {"Random Horizontal None", 'N', kCtrlBit},
    {"Random Horizontal Dist=Const", 'J', kCtrlBit},
    {"Random Horizontal Dist=Var", 'I', kCtrlBit},
    {"Random Vertical None", 'M', kCtrlBit},
    {"Random Vertical Dist=Const", 'K', kCtrlBit},
    {"Random Vertical Dist=Var", 'P', kCtrlBit},
};

} // namespace

void InitModuleDefaults(Settings& settings, HotkeyTable& hotkeys) {
    settings.Active = 0;
    settings.Svp = 10;
    settings.Rlp = 2;
    settings.Ral = 1;
    settings.Mode = kModeNormal;
    settings.RndH = 0;
    settings.RndV = 0;
    settings.Turns = 0;
    settings.Jumps = 0;
    settings.Tour = 0;
    settings.TourRange = kTourRangeDefaultNm;
    settings.SvpMin = kSvpMinSeconds;
    settings.RngSvpMax = kRngSvpMaxLowSeconds;
    settings.RngRlp = kOffsetRangeLow;
    settings.RlpMin = -kOffsetRangeLow;
    settings.RngRal = kOffsetRangeLow;
    settings.RalMin = -kOffsetRangeLow;

    for (int i = 0; i < kHotkeyOptionCount; ++i) {
        HotkeyOption& option = hotkeys.options[i];
        option.defaultKey = kHotkeyDefaults[i].key;
        option.defaultShiftFlag = kShiftBit;
        option.defaultCtrlFlag = kHotkeyDefaults[i].ctrlFlag;
        option.optionName = kHotkeyDefaults[i].optionName;
        ResetHotkeyToDefault(option);
    }
}
