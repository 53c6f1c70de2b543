#pragma once
// What the settings dialog's frame and its pages share. Every page is a popup owned by the frame
// and laid over the tab control; exactly one is visible, the one of the selected tab.
#include <windows.h>

enum SettingsPageIndex {
    kParametersPageIndex = 0,
    kModesPageIndex = 1,
    kRandomPageIndex = 2,
    kRangesPageIndex = 3,
    kKeysPageIndex = 4,
};

// Lays a page over the tab control's display area, 3 pixels inside its lower-left corner.
void PlaceSettingsPage(HWND page);
// Shows the page of the tab, after refreshing it from the working copy where its content
// depends on other pages.
void SelectSettingsPage(int index);
void RefreshParametersPage(HWND page);
void RefreshRandomPage(HWND page);
// Writes a number into a control through the module's shared text buffer.
void ShowNumber(HWND page, int controlId, int value);

INT_PTR CALLBACK ParametersPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK ModesPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK RandomPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK RangesPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK KeysPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
