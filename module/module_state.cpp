#include "module/module_state.h"

ModuleState g_state;
