#pragma once
// Scenarios: the aircraft, the host's options and a timeline of actions, read from JSON.

// Runs the timeline's actions due at or before this host second that have not run yet.
void RunTimelineDue(int second);
void ResetTimeline();
