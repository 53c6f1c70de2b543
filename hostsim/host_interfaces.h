#pragma once
// The host's functions, records and names put into the interface blocks, and the module list.
#include "hostsim/hostsim_records.h"

// Zeroes every block and puts the host's functions, records and names in place.
void ResetInterfaces();
// Links the module list; the helper's handle goes into the node of module 0x0A.
void LinkModuleList(HMODULE helper, HostsimModuleList shape);
