#include "shell/traffic/ai_list_rows.h"
#include "shell/host/module_state.h"
#include "core/control/ai_list_model.h"

namespace {

// Redrawing is off while rows are inserted or deleted: with it on, every insertion or deletion
// recomputes the scroll bars, which costs milliseconds per row when hundreds arrive at once.
bool g_redrawSuspended;
// The aircraft whose row shows the tour's mark in its type cell.
HostObjectId g_markedAircraft = kNoAircraft;

HWND ListView() {
    return g_state.aiListWindows.listView;
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

int32_t FindListRowIndex(HostObjectId id) {
    LVFINDINFOA find = {};
    find.flags = LVFI_PARAM;
    find.lParam = id;
    return static_cast<int32_t>(SendMessageA(ListView(), LVM_FINDITEMA, static_cast<WPARAM>(-1),
                                             reinterpret_cast<LPARAM>(&find)));
}

void SetCellFromModel(int32_t index, int column) {
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.iSubItem = column;
    item.pszText = LPSTR_TEXTCALLBACKA;
    SendMessageA(ListView(), LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

// The list view follows the model: column 0 as text, the others drawn from the model.
class ListViewSink final : public AiRowSink {
  public:
    bool RowAdded(HostObjectId id, const AiRowRecord& row) override {
        SuspendRedraw();
        LVITEMA item = {};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = ListRowCount();
        item.pszText = const_cast<char*>(row.type);
        item.lParam = id;
        int32_t index = static_cast<int32_t>(
            SendMessageA(ListView(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
        if (index < 0) {
            return false;
        }
        for (int column = 1; column < kAiColumnCount; ++column) {
            SetCellFromModel(index, column);
        }
        return true;
    }

    void RowRemoved(HostObjectId id) override {
        int32_t index = FindListRowIndex(id);
        if (index >= 0) {
            SuspendRedraw();
            SendMessageA(ListView(), LVM_DELETEITEM, index, 0);
        }
        UpdateListButtons();
    }
};

ListViewSink g_sink;

void SetTypeCell(HostObjectId id, bool marked) {
    int32_t index = FindListRowIndex(id);
    if (index < 0) {
        return;
    }
    const char* type = AiRowText(g_state.aiList, id, 0);
    char text[kTextSize];
    if (marked) {
        FormatMarkedType(type, text);
    } else {
        lstrcpynA(text, type, kTextSize);
    }
    LVITEMA item = {};
    item.iSubItem = 0;
    item.pszText = text;
    SendMessageA(ListView(), LVM_SETITEMTEXTA, index, reinterpret_cast<LPARAM>(&item));
}

// Moves the tour's mark when the tour follows another aircraft, or its row has just come.
void MoveTourMark() {
    const HostObjectId marked = AiRowToMark(g_state);
    if (marked == g_markedAircraft) {
        return;
    }
    if (g_markedAircraft != kNoAircraft) {
        SetTypeCell(g_markedAircraft, false);
    }
    g_markedAircraft = marked;
    if (marked != kNoAircraft) {
        SetTypeCell(marked, true);
    }
}

// Repaints the rows on screen whose cells changed; rows off screen are drawn when scrolled to.
void RedrawChangedRows() {
    int32_t top = static_cast<int32_t>(SendMessageA(ListView(), LVM_GETTOPINDEX, 0, 0));
    int32_t perPage = static_cast<int32_t>(SendMessageA(ListView(), LVM_GETCOUNTPERPAGE, 0, 0));
    int32_t end = top + perPage + 1; // the partly visible row below the page
    int32_t count = ListRowCount();
    for (int32_t index = top < 0 ? 0 : top; index < end && index < count; ++index) {
        if (AiRowChanged(g_state.aiList, RowAircraft(index))) {
            SendMessageA(ListView(), LVM_REDRAWITEMS, index, index);
        }
    }
}

int CALLBACK CompareListRows(LPARAM first, LPARAM second, LPARAM column) {
    return CompareAiRowsBy(g_state.aiList, static_cast<HostObjectId>(first),
                           static_cast<HostObjectId>(second), static_cast<int32_t>(column));
}

} // namespace

void ForgetListRows() {
    ForgetAiRows(g_state.aiList);
    g_redrawSuspended = false;
    g_markedAircraft = kNoAircraft;
}

void SyncListRows() {
    SyncAiRows(g_state, g_sink);
    MoveTourMark();
    if (g_redrawSuspended) {
        ResumeRedraw();
    } else {
        RedrawChangedRows();
    }
}

void PruneListRows() {
    PruneAiRows(g_state, g_sink);
    ResumeRedraw();
}

void ResortListRows() {
    if (TakeAiResort(g_state.aiList)) {
        SortListRows(g_state.aiList.sortColumn);
    }
}

void SortListRows(int32_t column) {
    SendMessageA(ListView(), LVM_SORTITEMS, static_cast<WPARAM>(column),
                 reinterpret_cast<LPARAM>(CompareListRows));
}

void RebuildListRows() {
    SendMessageA(ListView(), LVM_DELETEALLITEMS, 0, 0);
    ForgetAiRows(g_state.aiList);
    g_markedAircraft = kNoAircraft;
    SyncListRows();
}

int32_t ListRowCount() {
    return static_cast<int32_t>(SendMessageA(ListView(), LVM_GETITEMCOUNT, 0, 0));
}

bool AnyListRowSelected() {
    return SendMessageA(ListView(), LVM_GETSELECTEDCOUNT, 0, 0) > 0;
}

void SelectListRow(HostObjectId id) {
    int32_t index = FindListRowIndex(id);
    if (index < 0) {
        return;
    }
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED;
    item.state = LVIS_SELECTED;
    SendMessageA(ListView(), LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&item));
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
    lstrcpynA(item.pszText, AiRowText(g_state.aiList, RowAircraft(item.iItem), item.iSubItem),
              item.cchTextMax);
}

void UpdateListButtons() {
    BOOL enable = AiButtonsEnabled(g_state.settings, AnyListRowSelected());
    EnableWindow(g_state.aiListWindows.viewButton, enable);
    EnableWindow(g_state.aiListWindows.spotButton, enable);
}
