#pragma once
// The list view's rows: one per AI aircraft, whose id is the row's item parameter. Rows are
// found by that id, never by position. The numeric cells are drawn from the row store.
#include <windows.h>
#include <commctrl.h>
#include "camera/pass_by_state.h"

constexpr HostObjectId kNoAircraft = -1;

// Forgets every row; the list view must be empty or about to be destroyed.
void ForgetAiRows();
// Adds the aircraft that have no row yet and updates the cells that changed.
void SyncAiRows();
// Sorts when a row was added or a cell of the sort column changed.
void ResortAiRows();
void SortAiRows(int32_t column);
// Drops the rows of aircraft the host no longer has.
void PruneAiRows();
// Deletes every row and adds them again in the host's order.
void RebuildAiRows();
int32_t AiRowCount();
// The row of an aircraft, or -1.
int32_t FindAiRowIndex(HostObjectId id);
// The aircraft of the selected row, or kNoAircraft.
HostObjectId SelectedAircraft();
// The list view asks for the text of a numeric or state cell.
void AnswerCellText(NMLVDISPINFOA* info);
