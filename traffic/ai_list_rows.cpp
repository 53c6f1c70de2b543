#include "traffic/ai_list_rows.h"
#include "module/host_services.h"
#include "module/module_state.h"
#include "traffic/ai_compare.h"
#include "traffic/ai_list_status.h"
#include "traffic/ai_row_store.h"
#include "traffic/ai_traffic.h"

namespace {

static_assert(kAiTextSize == kTextBufferSize, "cells are formatted in the shared text buffer");

constexpr int kFirstNumericColumn = 2; // Distance; Type and State sort as text

AiRowStore g_rows;
// Redrawing is off while rows are inserted or deleted: with it on, every insertion or deletion
// recomputes the scroll bars, which costs milliseconds per row when hundreds arrive at once.
bool g_redrawSuspended;

HWND ListView() {
    return g_state.aiList.listView;
}

void SuspendRedraw() {
    if (!g_redrawSuspended) {
        g_redrawSuspended = true;
        SendMessageA(ListView(), WM_SETREDRAW, FALSE, 0);
    }
}

void ResumeRedraw() {
    if (g_redrawSuspended) {
        g_redrawSuspended = false;
        SendMessageA(ListView(), WM_SETREDRAW, TRUE, 0);
        InvalidateRect(ListView(), nullptr, TRUE);
    }
}

HostObjectId RowAircraft(int32_t index) {
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    item.lParam = kNoAircraft;
    SendMessageA(ListView(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return static_cast<HostObjectId>(item.lParam);
}

const char* RowText(HostObjectId id, int column) {
    int32_t slot = FindAiRow(g_rows, id);
    return slot < 0 ? "" : AiCell(AiRowAt(g_rows, slot), column);
}

void SetCellFromStore(int32_t index, int column) {
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.iSubItem = column;
    item.pszText = LPSTR_TEXTCALLBACKA;
    SendMessageA(ListView(), LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

// A new row at the end: column 0 as text, the others drawn from the store.
void AppendAiRow(HostObjectId id) {
    int32_t slot = AddAiRow(g_rows, id);
    if (slot < 0) {
        return;
    }
    AiRowRecord& row = AiRowAt(g_rows, slot);
    FormatAiColumn(0, g_state.text);
    SetAiCell(row, 0, g_state.text);

    SuspendRedraw();
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = AiRowCount();
    item.pszText = row.type;
    item.lParam = id;
    int32_t index = static_cast<int32_t>(
        SendMessageA(ListView(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    if (index < 0) {
        RemoveAiRow(g_rows, id);
        return;
    }
    g_state.aiList.resortPending = true;
    for (int column = 1; column < kAiColumnCount; ++column) {
        double value = ReadAiColumnValue(column);
        AiValueChanged(row, column, value);
        FormatAiColumnValue(column, value, g_state.text);
        SetAiCell(row, column, g_state.text);
        SetCellFromStore(index, column);
    }
}

// Column 0 of an existing row is never rewritten; a cell whose value is unchanged keeps its text.
void UpdateAiRow(AiRowRecord& row) {
    AiListState& list = g_state.aiList;
    for (int column = 1; column < kAiColumnCount; ++column) {
        double value = ReadAiColumnValue(column);
        if (!AiValueChanged(row, column, value)) {
            continue;
        }
        FormatAiColumnValue(column, value, g_state.text);
        if (SetAiCell(row, column, g_state.text) && column == list.sortColumn) {
            list.resortPending = true;
        }
    }
}

// Repaints the rows on screen whose cells changed; rows off screen are drawn when scrolled to.
void RedrawChangedRows() {
    int32_t top = static_cast<int32_t>(SendMessageA(ListView(), LVM_GETTOPINDEX, 0, 0));
    int32_t perPage = static_cast<int32_t>(SendMessageA(ListView(), LVM_GETCOUNTPERPAGE, 0, 0));
    int32_t end = top + perPage + 1; // the partly visible row below the page
    int32_t count = AiRowCount();
    for (int32_t index = top < 0 ? 0 : top; index < end && index < count; ++index) {
        int32_t slot = FindAiRow(g_rows, RowAircraft(index));
        if (slot >= 0 && AiRowAt(g_rows, slot).changed) {
            SendMessageA(ListView(), LVM_REDRAWITEMS, index, index);
        }
    }
}

// Numeric columns compare the numbers kept beside the texts: the same order, without parsing.
int CALLBACK CompareAiRows(LPARAM first, LPARAM second, LPARAM column) {
    int sortColumn = static_cast<int>(column);
    int32_t firstSlot = FindAiRow(g_rows, static_cast<HostObjectId>(first));
    int32_t secondSlot = FindAiRow(g_rows, static_cast<HostObjectId>(second));
    if (sortColumn >= kFirstNumericColumn && sortColumn < kAiColumnCount && firstSlot >= 0 &&
        secondSlot >= 0) {
        return CompareAiSortNumbers(AiRowAt(g_rows, firstSlot).sortNumbers[sortColumn - 1],
                                    AiRowAt(g_rows, secondSlot).sortNumbers[sortColumn - 1],
                                    sortColumn);
    }
    return CompareAiCells(RowText(static_cast<HostObjectId>(first), sortColumn),
                          RowText(static_cast<HostObjectId>(second), sortColumn), sortColumn);
}

void DeleteAiRow(HostObjectId id) {
    int32_t index = FindAiRowIndex(id);
    if (index >= 0) {
        SuspendRedraw();
        SendMessageA(ListView(), LVM_DELETEITEM, index, 0);
    }
    RemoveAiRow(g_rows, id);
}

} // namespace

void ForgetAiRows() {
    ClearAiRows(g_rows);
    g_redrawSuspended = false;
}

void SyncAiRows() {
    ClearAiRowChanges(g_rows);
    AiWalk walk = BeginAiWalk();
    g_state.aiList.lastWalkCount = walk.listCount;
    HostObjectId id;
    while (NextAiAircraft(walk, id)) {
        SetFormattedAircraft(id);
        int32_t slot = FindAiRow(g_rows, id);
        if (slot < 0) {
            AppendAiRow(id);
        } else {
            UpdateAiRow(AiRowAt(g_rows, slot));
        }
    }
    if (g_redrawSuspended) {
        ResumeRedraw();
    } else {
        RedrawChangedRows();
    }
}

void ResortAiRows() {
    AiListState& list = g_state.aiList;
    if (list.sortColumn < 0) {
        list.resortPending = false;
    } else if (list.resortPending) {
        list.resortPending = false;
        SortAiRows(list.sortColumn);
    }
}

void SortAiRows(int32_t column) {
    SendMessageA(ListView(), LVM_SORTITEMS, static_cast<WPARAM>(column),
                 reinterpret_cast<LPARAM>(CompareAiRows));
}

void PruneAiRows() {
    for (int32_t slot = 0; slot < g_rows.highWater; ++slot) {
        const AiRowRecord& row = AiRowAt(g_rows, slot);
        if (row.used && !LookupObject(row.id)) {
            DeleteAiRow(row.id);
            UpdateAiButtons();
        }
    }
    ResumeRedraw();
}

void RebuildAiRows() {
    SendMessageA(ListView(), LVM_DELETEALLITEMS, 0, 0);
    ClearAiRows(g_rows);
    SyncAiRows();
}

int32_t AiRowCount() {
    return static_cast<int32_t>(SendMessageA(ListView(), LVM_GETITEMCOUNT, 0, 0));
}

int32_t FindAiRowIndex(HostObjectId id) {
    if (FindAiRow(g_rows, id) < 0) {
        return -1;
    }
    LVFINDINFOA find = {};
    find.flags = LVFI_PARAM;
    find.lParam = id;
    return static_cast<int32_t>(SendMessageA(ListView(), LVM_FINDITEMA, static_cast<WPARAM>(-1),
                                             reinterpret_cast<LPARAM>(&find)));
}

HostObjectId SelectedAircraft() {
    int32_t index = static_cast<int32_t>(
        SendMessageA(ListView(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    return index < 0 ? kNoAircraft : RowAircraft(index);
}

void AnswerCellText(NMLVDISPINFOA* info) {
    LVITEMA& item = info->item;
    if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0) {
        return;
    }
    lstrcpynA(item.pszText, RowText(RowAircraft(item.iItem), item.iSubItem), item.cchTextMax);
}
