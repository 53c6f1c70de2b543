#pragma once
// Pictures of the view, the window and its menus, saved as BMP files.
#include "hostsim/hostsim_records.h"

// The folder the host saves pictures into as BMP files (created if missing); empty: none are
// saved. A scenario's "pictures" plan saves the view every few seconds ("view-0005.bmp") and
// animation frames ("anim-00000.bmp", drawn between the host's seconds).
void HostsimSetPictureFolder(const char* folder);
// Saves the screen under the main window and the module windows and menus open on it as
// NAME.bmp; true without a picture folder.
bool HostsimSaveScreenshot(const char* name);
// Opens a menu for real with the keyboard ("&Modules/Skyvane": the top-level menu by its
// mnemonic, then down to each further item and into its popup), saves the screen with it as
// NAME.bmp when there is a picture folder, and closes it again without picking anything.
bool HostsimShowMenu(const char* path, const char* name);
