#include "shell/traffic/ai_list_rows.h"
#include "core/control/ai_list_model.h"

namespace {

void SuspendRedraw(AiListWindow& list) {
    if (!list.redrawSuspended) {
        list.redrawSuspended = true;
        SendMessageA(list.listView, WM_SETREDRAW, FALSE, 0);
    }
}

void ResumeRedraw(AiListWindow& list) {
    if (list.redrawSuspended) {
        list.redrawSuspended = false;
        SendMessageA(list.listView, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list.listView, nullptr, TRUE);
    }
}

HostObjectId RowAircraft(const AiListWindow& list, int32_t index) {
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    item.lParam = kNoAircraft;
    SendMessageA(list.listView, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return static_cast<HostObjectId>(item.lParam);
}

int32_t FindListRowIndex(const AiListWindow& list, HostObjectId id) {
    LVFINDINFOA find = {};
    find.flags = LVFI_PARAM;
    find.lParam = id;
    return static_cast<int32_t>(SendMessageA(list.listView, LVM_FINDITEMA, static_cast<WPARAM>(-1),
                                             reinterpret_cast<LPARAM>(&find)));
}

void SetCellFromModel(const AiListWindow& list, int32_t index, int column) {
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.iSubItem = column;
    item.pszText = LPSTR_TEXTCALLBACKA;
    SendMessageA(list.listView, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

// The list view follows the model: column 0 as text, the others drawn from the model.
class ListViewSink final : public AiRowSink {
  public:
    explicit ListViewSink(AiListWindow& list) : list_(list) {}

    bool RowAdded(HostObjectId id, const AiRowRecord& row) override {
        SuspendRedraw(list_);
        LVITEMA item = {};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = ListRowCount(list_);
        item.pszText = const_cast<char*>(row.type);
        item.lParam = id;
        int32_t index = static_cast<int32_t>(
            SendMessageA(list_.listView, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
        if (index < 0) {
            return false;
        }
        for (int column = 1; column < kAiColumnCount; ++column) {
            SetCellFromModel(list_, index, column);
        }
        return true;
    }

    void RowRemoved(HostObjectId id) override {
        int32_t index = FindListRowIndex(list_, id);
        if (index >= 0) {
            SuspendRedraw(list_);
            SendMessageA(list_.listView, LVM_DELETEITEM, index, 0);
        }
        UpdateListButtons(list_);
    }

  private:
    AiListWindow& list_;
};

void SetTypeCell(const AiListWindow& list, HostObjectId id, bool marked) {
    int32_t index = FindListRowIndex(list, id);
    if (index < 0) {
        return;
    }
    const char* type = AiRowText(list.state->aiList, id, 0);
    char text[kTextSize];
    if (marked) {
        FormatMarkedType(type, text);
    } else {
        lstrcpynA(text, type, kTextSize);
    }
    LVITEMA item = {};
    item.iSubItem = 0;
    item.pszText = text;
    SendMessageA(list.listView, LVM_SETITEMTEXTA, index, reinterpret_cast<LPARAM>(&item));
}

// Moves the tour's mark when the tour follows another aircraft, or its row has just come.
void MoveTourMark(AiListWindow& list) {
    const HostObjectId marked = AiRowToMark(*list.state);
    if (marked == list.markedAircraft) {
        return;
    }
    if (list.markedAircraft != kNoAircraft) {
        SetTypeCell(list, list.markedAircraft, false);
    }
    list.markedAircraft = marked;
    if (marked != kNoAircraft) {
        SetTypeCell(list, marked, true);
    }
}

// Repaints the rows on screen whose cells changed; rows off screen are drawn when scrolled to.
void RedrawChangedRows(const AiListWindow& list) {
    int32_t top = static_cast<int32_t>(SendMessageA(list.listView, LVM_GETTOPINDEX, 0, 0));
    int32_t perPage = static_cast<int32_t>(SendMessageA(list.listView, LVM_GETCOUNTPERPAGE, 0, 0));
    int32_t end = top + perPage + 1; // the partly visible row below the page
    int32_t count = ListRowCount(list);
    for (int32_t index = top < 0 ? 0 : top; index < end && index < count; ++index) {
        if (AiRowChanged(list.state->aiList, RowAircraft(list, index))) {
            SendMessageA(list.listView, LVM_REDRAWITEMS, index, index);
        }
    }
}

// The list view's comparison gets one parameter of its own, the column; the model comes with it.
struct SortRequest {
    const AiListModel* model;
    int32_t column;
};

int CALLBACK CompareListRows(LPARAM first, LPARAM second, LPARAM request) {
    const SortRequest& sort = *reinterpret_cast<const SortRequest*>(request);
    return CompareAiRowsBy(*sort.model, static_cast<HostObjectId>(first),
                           static_cast<HostObjectId>(second), sort.column);
}

} // namespace

void ForgetListRows(AiListWindow& list) {
    ForgetAiRows(list.state->aiList);
    list.redrawSuspended = false;
    list.markedAircraft = kNoAircraft;
}

void SyncListRows(AiListWindow& list) {
    ListViewSink sink(list);
    SyncAiRows(*list.state, sink);
    MoveTourMark(list);
    if (list.redrawSuspended) {
        ResumeRedraw(list);
    } else {
        RedrawChangedRows(list);
    }
}

void PruneListRows(AiListWindow& list) {
    ListViewSink sink(list);
    PruneAiRows(*list.state, sink);
    ResumeRedraw(list);
}

void ResortListRows(AiListWindow& list) {
    if (TakeAiResort(list.state->aiList)) {
        SortListRows(list, list.state->aiList.sortColumn);
    }
}

void SortListRows(AiListWindow& list, int32_t column) {
    SortRequest request = {&list.state->aiList, column};
    SendMessageA(list.listView, LVM_SORTITEMS, reinterpret_cast<WPARAM>(&request),
                 reinterpret_cast<LPARAM>(CompareListRows));
}

void RebuildListRows(AiListWindow& list) {
    SendMessageA(list.listView, LVM_DELETEALLITEMS, 0, 0);
    ForgetAiRows(list.state->aiList);
    list.markedAircraft = kNoAircraft;
    SyncListRows(list);
}

int32_t ListRowCount(const AiListWindow& list) {
    return static_cast<int32_t>(SendMessageA(list.listView, LVM_GETITEMCOUNT, 0, 0));
}

bool AnyListRowSelected(const AiListWindow& list) {
    return SendMessageA(list.listView, LVM_GETSELECTEDCOUNT, 0, 0) > 0;
}

void SelectListRow(const AiListWindow& list, HostObjectId id) {
    int32_t index = FindListRowIndex(list, id);
    if (index < 0) {
        return;
    }
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED;
    item.state = LVIS_SELECTED;
    SendMessageA(list.listView, LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&item));
}

HostObjectId SelectedAircraft(const AiListWindow& list) {
    int32_t index = static_cast<int32_t>(
        SendMessageA(list.listView, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    return index < 0 ? kNoAircraft : RowAircraft(list, index);
}

void AnswerCellText(const AiListWindow& list, NMLVDISPINFOA* info) {
    LVITEMA& item = info->item;
    if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0) {
        return;
    }
    lstrcpynA(item.pszText,
              AiRowText(list.state->aiList, RowAircraft(list, item.iItem), item.iSubItem),
              item.cchTextMax);
}

void UpdateListButtons(const AiListWindow& list) {
    BOOL enable = AiButtonsEnabled(list.state->settings, AnyListRowSelected(list));
    EnableWindow(list.viewButton, enable);
    EnableWindow(list.spotButton, enable);
}
