#pragma once
// The modules the host loaded from its Modules folder.
#include "hostsim/hostsim_records.h"

int HostsimModuleCount();
HMODULE HostsimModuleHandle(int index);
const char* HostsimModuleName(int index);  // file name, e.g. "Skyvane.dll"
HWND HostsimTickWindow(int index);         // the hidden dialog it made in init, or null
uint32_t HostsimTicksDelivered(int index); // WM_TIMER 2 sent by the host in lockstep
bool HostsimImportsFilled(int index);
