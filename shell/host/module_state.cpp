#include "shell/host/module_state.h"

ModuleState g_state;
