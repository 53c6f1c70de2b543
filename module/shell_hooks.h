#pragma once
// The shell's answers to the core's requests: binding, the two window commands and the AI
// list's refresh.
#include "camera/host_boundary.h"

struct ModuleState;

// The hooks acting on the module's one state; the first call decides which.
ShellHooks& ModuleShellHooks(ModuleState& state);
