#pragma once
// The interface blocks the host writes into modules' ImportTables, and the host functions and
// words inside them.
#include "hostsim/host_layout.h"
#include "hostsim/hostsim.h"

// Zeroes every block and puts the host's functions, records and names in place.
void ResetInterfaces();
// Links the module list; the helper's handle goes into the node of module 0x0A.
void LinkModuleList(HMODULE helper, HostsimModuleList shape);
uint8_t* InterfaceField(uint32_t moduleId, uint32_t offset);

int32_t* StateWord();
int32_t* ReadyWord();
int32_t* PauseWord();
