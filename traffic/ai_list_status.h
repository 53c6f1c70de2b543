#pragma once
// The list window's status line, the selection of the followed aircraft's row and the state of
// the two target buttons.

// Count and day are rewritten only when they change (or after a reset); the time every second.
void UpdateAiStatus();
// Selects the followed AI aircraft's row when nothing is selected.
void SelectFollowedRow();
// Both target buttons work only with the view on, outside plane spotting, with a row selected.
void UpdateAiButtons();
