#pragma once
// The controller's command numbers: the hotkey options issue the first fifteen.
#include <cstdint>

// The options of the hotkey table, in its order, the AI list's two buttons and the menu's tour.
enum Command : int32_t {
    kCommandOnOff = 0,
    kCommandNextAi = 1,
    kCommandPreviousAi = 2,
    kCommandCycleViews = 3,
    kCommandSettingsDialog = 4,
    kCommandAiList = 5,
    kCommandModeNormal = 6,
    kCommandModeOnGround = 7,
    kCommandModeSpotting = 8,
    kCommandRandomHorizontalNone = 9,
    kCommandRandomHorizontalConst = 10,
    kCommandRandomHorizontalVar = 11,
    kCommandRandomVerticalNone = 12,
    kCommandRandomVerticalConst = 13,
    kCommandRandomVerticalVar = 14,
    kCommandListPassBy = 100,
    kCommandListSpot = 101,
    kCommandWatchTraffic = 102, // the menu entry "Watch the Traffic": the tour on or off
};
