#pragma once
// The main window, its menus, and input as a user gives it; message pumping.
#include "hostsim/hostsim_records.h"

HWND HostsimMainWindow();
// Dispatches every message waiting, then keeps pumping for the given milliseconds.
void HostsimPump(int milliseconds);
// Sends WM_CLOSE to the main window as a user closing it would; with refuse, the host answers
// as when the user cancels quitting and stays open. HostsimShutdown closes it for good.
void HostsimRequestClose(bool refuse);
// Rebuilds the menu bar from scratch (as the host does at times) and redraws the frame.
void HostsimRebuildMenu();
// Makes the main window repaint its frame (WM_NCPAINT) and client area now. The host also
// does so whenever its state word changes (its title shows the state).
void HostsimRedrawFrame();
// Presses and releases a key with SendInput, modifiers held around it, so GetAsyncKeyState
// agrees; the window (main window if null) is brought to the foreground first. Modifiers:
// kHostsimShift | kHostsimCtrl | kHostsimAlt.
constexpr unsigned kHostsimShift = 1;
constexpr unsigned kHostsimCtrl = 2;
constexpr unsigned kHostsimAlt = 4;
bool HostsimPressKey(unsigned virtualKey, unsigned modifiers, HWND window);
// Types text into the focused control of a window with SendInput (Unicode characters).
bool HostsimTypeText(HWND window, int controlId, const char* text);
// Picks a menu item as a user would: the menu bar repaints (WM_NCPAINT), the menu opens
// (WM_INITMENU, WM_MENUSELECT), closes (WM_MENUSELECT 0xFFFF, 0) and WM_COMMAND is posted,
// then messages are pumped.
// The path names items by position ("3/3") or by text ("&Modules/Skyvane/Activate").
bool HostsimPickMenu(const char* path);
// Opens a top-level menu without picking (WM_INITMENU, WM_MENUSELECT), and closes it again.
bool HostsimOpenMenu(int topPosition);
void HostsimCloseMenu();
// A visible top-level window of this thread other than the main window that has a control
// with this ID (a module's dialog), or null.
HWND HostsimFindModuleWindow(int controlId);
// BM_CLICK on the control of a module window; WM_SETTEXT; any message.
bool HostsimClickControl(int controlId);
bool HostsimSetControlText(int controlId, const char* text);
LRESULT HostsimSendToControl(int controlId, UINT message, WPARAM wParam, LPARAM lParam);
// Mouse clicks with SendInput on a control of a module window, at a point of its client area,
// on a tab of a tab control, on a column header of a list view, or on the row of a list view
// whose item parameter is given; the window is brought to the foreground first.
bool HostsimClickAt(int controlId, int x, int y);
bool HostsimClickTab(int controlId, int tab);
bool HostsimClickListHeader(int controlId, int column);
bool HostsimClickListRow(int controlId, int32_t itemParameter);
