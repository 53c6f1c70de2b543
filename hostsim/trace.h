#pragma once
// The trace: one JSON object per simulated second (JSON Lines).

bool OpenTrace(const char* path); // empty path: no trace
void WriteTraceLine();
void CloseTrace();
