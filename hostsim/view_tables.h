#pragma once
// Host module 0x0A (the helper DLL): its export, the aircraft table its views read through,
// the view code the host runs, and the host's check of the table's live slots.
#include <cstdint>

// Writes the host's own table (slot 0x70 and the live slots) at the start of interface 0x19.
void FillHostTable(uint8_t* table);
bool LoadHelperModule(const char* exeDir);
void FreeHelperModule();
// Runs each caller's view code and remembers what it got; fills the trace's slot report.
void RunViewCallers();
