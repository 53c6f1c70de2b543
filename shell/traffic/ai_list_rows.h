#pragma once
// The list view's rows: one per row of the AI list's model, whose aircraft is the row's item
// parameter. Rows are found by that aircraft, never by position; the numeric cells are drawn
// from the model when the list view asks for them.
#include <windows.h>
#include <commctrl.h>
#include "core/camera/pass_by_state.h"

// Forgets every row; the list view must be empty or about to be destroyed.
void ForgetListRows();
// The model's walk, pruning and sorting, followed by the list view; changed rows on screen are
// repainted.
void SyncListRows();
void PruneListRows();
void ResortListRows();
void SortListRows(int32_t column);
// Deletes every row and adds them again in the host's order.
void RebuildListRows();
int32_t ListRowCount();
bool AnyListRowSelected();
// Selects the row of an aircraft, if it has one.
void SelectListRow(HostObjectId id);
// The aircraft of the selected row, or kNoAircraft.
HostObjectId SelectedAircraft();
// The list view asks for the text of a numeric or state cell.
void AnswerCellText(NMLVDISPINFOA* info);
// Enables both target buttons when the model says they work.
void UpdateListButtons();
