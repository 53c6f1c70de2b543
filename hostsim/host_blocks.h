#pragma once
// The interface blocks the host writes into modules' ImportTables, the view record, and the
// words inside them that the host itself reads and writes.
#include "hostsim/host_layout.h"
#include "hostsim/hostsim_records.h"

// Zeroes every block and the view record.
void ClearBlocks();
uint8_t* InterfaceField(uint32_t moduleId, uint32_t offset);

int32_t* StateWord();
int32_t* ReadyWord();
int32_t* PauseWord();
uint16_t* UtcSecondsWord();
int32_t* UtcMinutesWord();
int32_t* UtcHoursWord();
