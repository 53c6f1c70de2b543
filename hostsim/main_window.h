#pragma once
// The host's main window (class "FS98MAIN"): its menu bar, its keys and commands, and the
// pumping of the thread's messages.
#include "hostsim/hostsim_records.h"

constexpr const char* kMainWindowClass = "FS98MAIN";

// Menu command identifiers of the host's own items, away from any module's range.
constexpr UINT kCommandExit = 33001;
constexpr UINT kCommandAddTraffic = 33011;
constexpr UINT kCommandRemoveTraffic = 33012;
constexpr UINT kCommandAircraftInfo = 33021;
constexpr UINT kCommandViewCockpit = 33031;
constexpr UINT kCommandViewTower = 33032;
constexpr UINT kCommandViewFollow = 33033;
constexpr UINT kCommandViewOptions = 33034; // Views item 3: a host dialog
constexpr UINT kCommandNextView = 33035;
constexpr UINT kCommandPause = 33041;
constexpr UINT kCommandAbout = 33051;
constexpr UINT kCommandModulesItem = 33061;

constexpr UINT kPauseKey = 'P';
constexpr UINT kViewKey = 'S';

// In real time (not lockstep), the window's timer runs onRealtimeSlice every 100 ms.
bool CreateMainWindow(void (*onRealtimeSlice)());
HMENU BuildMenuBar(HostsimModulesMenu modulesMenu);
