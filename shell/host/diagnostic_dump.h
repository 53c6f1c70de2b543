#pragma once
// The only diagnostic output: internal values written into the SVM section of the settings file
// when the user asks for it there.

struct ModuleState;

// At binding: erases SVM but for the written marker, and describes the computer and the host
// installation under "3".."8".
void WriteBindingDump(const ModuleState& state, const char* configPath);
// At shut-down: 39 internal values under "9".."47", each "0x%08X".
void WriteShutdownDump(const ModuleState& state, const char* configPath);
