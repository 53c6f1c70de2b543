#pragma once
// AI aircraft that fly by themselves: each follows its plan of legs, a host second at a time.

void ResetAiPlans();
// Runs every plan on by the simulated seconds of one host second, after the aircraft moved.
void StepAiPlans(double simulatedSeconds);
