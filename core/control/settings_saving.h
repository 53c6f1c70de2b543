#pragma once
// The settings file follows every change of a stored value: the core notices the change, the
// shell writes the file.
#include "core/control/module_core.h"

// What the file holds now, just read (or left at the values at load without a file).
void RecordStoredSettings(ModuleCore& core);
// Once a tick: asks the shell to write the file when what it would store differs from what it
// holds, and takes that as what it holds from then on.
void SaveChangedSettings(ModuleCore& core);
