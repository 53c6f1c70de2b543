#pragma once
// Modules: every DLL in the Modules folder that exports Linkage and ImportTable.

// Loads the modules, fills their ImportTables (unless that is to happen later) and calls init.
void LoadModules();
// Fills the ImportTables of modules still waiting once the host's delay has run out.
void FillImportsWhenDue();
// Lockstep: WM_TIMER with ID 2 to each module's tick window.
void DeliverModuleTicks();
// Calls each module's deinit (when `deinit`; a crashed host calls none), then frees the
// libraries.
void UnloadModules(bool deinit);
