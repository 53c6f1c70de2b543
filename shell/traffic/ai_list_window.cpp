// The AI aircraft list window: a modeless dialog owned by the host's main window, refreshed by
// the module's one-second tick. It posts no host event and does not pause the host.
#include "shell/traffic/ai_list_window.h"
#include "core/control/controller.h"
#include "shell/host/module_state.h"
#include "shell/host/window_record.h"
#include "shell/resources/resource_ids.h"
#include "core/traffic/ai_format.h"
#include "core/control/ai_list_model.h"
#include "shell/traffic/ai_list_rows.h"

namespace {

constexpr int kVisibleColumns = 4; // the eight columns are twice the visible width
constexpr DWORD kListExtendedStyle = LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP;

// At most one list is open (the window bookkeeping sees to it). Its record outlives the window,
// so a handler still running when the list closes finds no window to act on, not freed memory.
AiListWindow g_listRecord;

void InsertColumns(HWND listView) {
    RECT client;
    GetClientRect(listView, &client);
    LVCOLUMNA column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.cx = client.right / kVisibleColumns;
    for (int index = 0; index < kAiColumnCount; ++index) {
        column.pszText = const_cast<char*>(AiColumnHeader(index));
        column.iSubItem = index;
        SendMessageA(listView, LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&column));
    }
}

BOOL InitAiList(HWND window, AiListWindow& list) {
    list.window = window;
    list.listView = GetDlgItem(window, IDC_AI_LIST_VIEW);
    list.viewButton = GetDlgItem(window, IDC_AI_LIST_PASS_BY);
    list.spotButton = GetDlgItem(window, IDC_AI_LIST_SPOT);
    SendMessageA(list.listView, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, kListExtendedStyle);
    InsertColumns(list.listView);
    EnableWindow(list.viewButton, FALSE);
    EnableWindow(list.spotButton, FALSE);
    ForgetListRows(list);
    SyncListRows(list);
    list.state->aiList.statusReset = true;
    return TRUE;
}

// The buttons act on the row selected when they are pressed, however it was selected. Closing
// the list leaves its record without windows, so only the module is used after it.
void ShowChosen(AiListWindow& list, Command command) {
    HostObjectId chosen = SelectedAircraft(list);
    if (chosen == kNoAircraft) {
        return;
    }
    ModuleState& state = *list.state;
    list.closed(state);
    ShowChosenAircraft(state, chosen, command);
}

void ShowStatus(const AiListWindow& list) {
    AiStatusTexts status;
    UpdateAiStatus(*list.state, status);
    if (status.countChanged) {
        SetDlgItemTextA(list.window, IDC_AI_LIST_COUNT, status.count);
    }
    if (status.dayChanged) {
        SetDlgItemTextA(list.window, IDC_AI_LIST_DAY, status.day);
    }
    SetDlgItemTextA(list.window, IDC_AI_LIST_TIME, status.time);
}

void SelectFollowedRow(const AiListWindow& list) {
    HostObjectId id = AiRowToSelect(*list.state, AnyListRowSelected(list));
    if (id != kNoAircraft) {
        SelectListRow(list, id);
    }
}

void AiListCommand(AiListWindow& list, int control) {
    switch (control) {
    case IDC_AI_LIST_PASS_BY:
        ShowChosen(list, kCommandListPassBy);
        break;
    case IDC_AI_LIST_SPOT:
        ShowChosen(list, kCommandListSpot);
        break;
    case IDC_AI_LIST_CLOSE:
        list.closed(*list.state);
        break;
    default:
        break;
    }
}

// Sorting is always ascending; a second click on "Type" returns to the host's order.
void ClickColumn(AiListWindow& list, int column) {
    if (ListRowCount(list) < 2) {
        return;
    }
    if (ChooseAiSortColumn(list.state->aiList, column)) {
        RebuildListRows(list);
    } else {
        SortListRows(list, column);
    }
}

bool SelectionChanged(const NMLISTVIEW* change) {
    return (change->uChanged & LVIF_STATE) &&
           ((change->uOldState ^ change->uNewState) & LVIS_SELECTED);
}

void AiListNotify(AiListWindow& list, NMHDR* header) {
    if (header->hwndFrom != list.listView) {
        return;
    }
    switch (header->code) {
    case LVN_COLUMNCLICK:
        ClickColumn(list, reinterpret_cast<NMLISTVIEW*>(header)->iSubItem);
        break;
    case LVN_ITEMCHANGED:
        if (SelectionChanged(reinterpret_cast<NMLISTVIEW*>(header))) {
            UpdateListButtons(list);
        }
        break;
    case LVN_GETDISPINFOA:
        AnswerCellText(list, reinterpret_cast<NMLVDISPINFOA*>(header));
        break;
    default:
        break;
    }
}

// Closing empties the record's windows before destroying them: what the list view reports on
// its way out is left alone.
INT_PTR CALLBACK AiListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    AiListWindow* list = DialogRecord<AiListWindow>(window, message, lParam);
    if (!list) {
        return FALSE;
    }
    if (message == WM_INITDIALOG) {
        return InitAiList(window, *list);
    }
    if (!list->window) {
        return FALSE;
    }
    switch (message) {
    case WM_COMMAND:
        AiListCommand(*list, LOWORD(wParam));
        return FALSE;
    case WM_NOTIFY:
        AiListNotify(*list, reinterpret_cast<NMHDR*>(lParam));
        return FALSE;
    default:
        return FALSE;
    }
}

} // namespace

HWND OpenAiList(ModuleState& state, void (*closed)(ModuleState& state)) {
    AiListWindow& list = g_listRecord;
    list = AiListWindow{};
    list.state = &state;
    list.closed = closed;
    return CreateDialogParamA(state.instance, MAKEINTRESOURCEA(IDD_AI_LIST), state.hostWindow,
                              AiListProc, RecordParam(list));
}

void CloseAiList(HWND window) {
    AiListWindow* list = WindowRecord<AiListWindow>(window);
    if (!list) {
        return;
    }
    list->window = nullptr;
    list->listView = nullptr;
    list->viewButton = nullptr;
    list->spotButton = nullptr;
    DestroyWindow(window);
    ForgetListRows(*list);
}

void RefreshAiListWindow(HWND window) {
    AiListWindow* list = WindowRecord<AiListWindow>(window);
    if (!list || !list->window) {
        return;
    }
    SyncListRows(*list);
    ResortListRows(*list);
    PruneListRows(*list);
    ShowStatus(*list);
    SelectFollowedRow(*list);
    UpdateListButtons(*list);
}
