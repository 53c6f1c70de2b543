#pragma once
// The module's single global record, alive from load to unload.
#include <windows.h>
#include <cstdint>
#include "camera/pass_by_state.h"
#include "settings/pending_settings.h"
#include "settings/settings_record.h"

constexpr int kTextBufferSize = 260; // every text buffer, terminator included
constexpr int kReplacementTableSlots = 37;

// What the binding finds in the host: the view-target redirect and the user's position record.
struct HostServices {
    uint32_t* aircraftTableSlot; // the host word that points to the table its views call
    uint32_t savedOriginal;      // that word as the host left it
    void* replacementTable[kReplacementTableSlots];
    uintptr_t callSite1; // return address of the tower view's call
    uintptr_t callSite2; // return address of the follow view's call
    const uint32_t* userPositionRecord;
};

constexpr int kSettingsPageCount = 5;

// The open settings dialog's windows; stale once it closes, replaced at the next opening.
struct SettingsWindows {
    HWND tab;
    HWND pages[kSettingsPageCount];
    HWND optionList, keyField, shiftBox, ctrlBox, applyButton, defaultButton; // the Keys page
};

// The AI list window's state; the sort column and chosen aircraft outlive the window.
struct AiListState {
    HWND window;
    HWND listView;
    HWND countStatic;
    HWND dayStatic;
    HWND timeStatic;
    HWND viewButton;
    HWND spotButton;
    int32_t sortColumn; // -1 for host order
    bool resortPending;
    HostObjectId chosenAircraft;
    bool statusReset;
    int32_t lastShownCount;
    int32_t lastShownDay;
    int32_t lastWalkCount; // the list count read by the latest walk
};

struct ModuleState {
    HWND tickWindow; // first field: the hidden window whose timer drives the module
    HINSTANCE instance;
    HWND hostWindow;
    WNDPROC previousWndProc;
    uint32_t startupFlags; // 1 init done, 2 bound, 4 first placement done
    bool resolvePending;
    bool firstTickPending;
    bool diagnosticDump;
    bool configurationRead; // the user's file was consulted, so writing it back is safe

    Settings settings;
    HotkeyTable hotkeys;
    PendingSettings pending;
    TargetRef target;
    PassByController controller;
    HostServices host;
    AiListState aiList;
    HWND settingsFrame;
    SettingsWindows settingsWindows;
    HWND aboutBox;

    char text[kTextBufferSize]; // numbers and captions are formatted here before display
};

extern ModuleState g_state;
