#pragma once
// The settings file, Modules\Skyvane.ini under the host's current directory: read once when the
// host is ready, written once at exit to the same file.
#include "core/settings/text_size.h"

struct ModuleState;

// The path of the settings file; false (and no path) when it would not fit.
bool BuildConfigPath(char (&path)[kTextSize]);
void ReadConfiguration(ModuleState& state);
void WriteConfiguration(const ModuleState& state);
