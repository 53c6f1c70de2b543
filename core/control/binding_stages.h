#pragma once
// The deferred binding to the host, run at the start of every tick until it is done: wait until
// the host is ready, bind once (its addresses, the settings file), then wait until the user's
// aircraft has a position to record the host's own eye point and place the first one.
#include "core/control/module_core.h"

// True while the module is not running yet: the tick ends there.
bool FirstTickInit(ModuleCore& core);
