#pragma once
// The settings file, Modules\Skyvane.ini under the host's current directory: read once when the
// host is ready, written to the same file whenever a stored setting changes and at exit.
#include "core/settings/text_size.h"

struct ModuleState;

// The path of the settings file; false (and no path) when it would not fit.
bool BuildConfigPath(char (&path)[kTextSize]);
void ReadConfiguration(ModuleState& state);
// At exit, with the diagnostic dump when it is on.
void WriteConfiguration(const ModuleState& state);
// During the flight: the same sections, made complete in a new file that then replaces the old.
void SaveConfiguration(const ModuleState& state);
