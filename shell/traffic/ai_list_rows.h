#pragma once
// The list view's rows: one per row of the AI list's model, whose aircraft is the row's item
// parameter. Rows are found by that aircraft, never by position; the numeric cells are drawn
// from the model when the list view asks for them.
#include <windows.h>
#include <commctrl.h>
#include "core/camera/pass_by_state.h"
#include "shell/host/module_state.h"

// The AI list window's record: the module whose model it shows, and its controls, null while
// the list is closed.
struct AiListWindow {
    ModuleState* state;
    void (*closed)(ModuleState& state); // the user closed it or chose an aircraft
    HWND window;
    HWND listView;
    HWND viewButton;
    HWND spotButton;
    // Redrawing is off while rows are inserted or deleted: with it on, every insertion or
    // deletion recomputes the scroll bars, which costs milliseconds per row when hundreds arrive
    // at once.
    bool redrawSuspended;
    HostObjectId markedAircraft; // whose row shows the tour's mark in its type cell
};

// Forgets every row; the list view must be empty or about to be destroyed.
void ForgetListRows(AiListWindow& list);
// The model's walk, pruning and sorting, followed by the list view; changed rows on screen are
// repainted.
void SyncListRows(AiListWindow& list);
void PruneListRows(AiListWindow& list);
void ResortListRows(AiListWindow& list);
void SortListRows(AiListWindow& list, int32_t column);
// Deletes every row and adds them again in the host's order.
void RebuildListRows(AiListWindow& list);
int32_t ListRowCount(const AiListWindow& list);
bool AnyListRowSelected(const AiListWindow& list);
// Selects the row of an aircraft, if it has one.
void SelectListRow(const AiListWindow& list, HostObjectId id);
// The aircraft of the selected row, or kNoAircraft.
HostObjectId SelectedAircraft(const AiListWindow& list);
// The list view asks for the text of a numeric or state cell.
void AnswerCellText(const AiListWindow& list, NMLVDISPINFOA* info);
// Enables both target buttons when the model says they work.
void UpdateListButtons(const AiListWindow& list);
