#pragma once
// The view code of host module 0x0A and the aircraft table it reads through.
#include "hostsim/hostsim_records.h"

HMODULE HostsimHelperModule(); // host module 0x0A
// Runs the view code of one caller now; returns the data interface that the table's slot 0x70
// gave it, or null if the table or the slot is null (then nothing is called).
void* HostsimCallView(HostsimCaller caller);
// The aircraft each caller received at the latest step or paint.
int32_t HostsimLastSeen(HostsimCaller caller);
void** HostsimTableWord();       // the word at ViewSystem + 0x64 that points to the table
void* HostsimOriginalTable();    // the host's own table (interface 0x19)
bool HostsimRedirectInstalled(); // the table word differs from the host's own table
HostsimSlotReport HostsimCheckTableSlots();
