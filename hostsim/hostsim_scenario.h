#pragma once
// Scenarios: options, aircraft and a timeline of actions, read from JSON.
#include "hostsim/hostsim_records.h"

// Reads a scenario (JSON) into options, aircraft and a timeline of actions that HostsimStep
// and HostsimRunRealtime run when their second comes. Call before HostsimStart; aircraft of
// the scenario replace any added before. runSeconds gets the scenario's length (or 0).
bool HostsimLoadScenario(const char* path, HostsimOptions* options, int* runSeconds);
// Runs one timeline action given as JSON text (same form as in a scenario, "at" ignored).
bool HostsimRunAction(const char* json);
