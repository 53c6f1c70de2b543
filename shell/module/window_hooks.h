#pragma once
// The shell's answers to the core's requests: binding, the two window commands and the AI
// list's refresh.
#include "core/boundary/shell_hooks.h"

ShellHooks& ModuleShellHooks();
