#pragma once
// The settings file, Modules\Skyvane.ini under the host's current directory: read once when the
// host is ready, written once at exit to the same file.

constexpr int kConfigPathSize = 260; // the Win32 path limit, terminator included

// The path of the settings file; false (and no path) when it would not fit.
bool BuildConfigPath(char (&path)[kConfigPathSize]);
void ReadConfiguration();
void WriteConfiguration();
