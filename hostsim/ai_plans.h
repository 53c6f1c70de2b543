#pragma once
// AI aircraft that fly by themselves: each follows its plan of legs, a host second at a time.

void ResetAiPlans();
// Runs one host second of every plan, after the aircraft have moved.
void StepAiPlans();
