#pragma once
// The host's state words as the host's own menus and keys change them, and its version word.
#include <cstdint>

// The word modules read the host's version from; version_word.S reserves it at image base +
// 0x73BB4 and hostsim_image() makes the linker put it there.
extern "C" volatile uint32_t hostVersionWord;

void TogglePause();
void CycleView();
// Views item 3: a host dialog keeps the host out of state 12 for a while.
void OpenHostDialog();
