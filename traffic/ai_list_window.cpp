// The AI aircraft list window: a modeless dialog owned by the host's main window, refreshed by
// the module's one-second tick. It posts no host event and does not pause the host.
#include "traffic/ai_list_window.h"
#include "camera/controller.h"
#include "module/module_state.h"
#include "resources/resource_ids.h"
#include "traffic/ai_format.h"
#include "traffic/ai_list_rows.h"
#include "traffic/ai_list_status.h"

namespace {

constexpr int kVisibleColumns = 4; // the eight columns are twice the visible width
constexpr DWORD kListExtendedStyle = LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP;
constexpr int32_t kHostOrder = -1;

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

BOOL InitAiList(HWND window) {
    AiListState& list = g_state.aiList;
    list.window = window;
    list.listView = GetDlgItem(window, IDC_AI_LIST_VIEW);
    list.countStatic = GetDlgItem(window, IDC_AI_LIST_COUNT);
    list.dayStatic = GetDlgItem(window, IDC_AI_LIST_DAY);
    list.timeStatic = GetDlgItem(window, IDC_AI_LIST_TIME);
    list.viewButton = GetDlgItem(window, IDC_AI_LIST_PASS_BY);
    list.spotButton = GetDlgItem(window, IDC_AI_LIST_SPOT);
    SendMessageA(list.listView, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, kListExtendedStyle);
    InsertColumns(list.listView);
    EnableWindow(list.viewButton, FALSE);
    EnableWindow(list.spotButton, FALSE);
    ForgetAiRows();
    SyncAiRows();
    list.statusReset = true;
    return TRUE;
}

void CloseFromList() {
    g_state.controller.aiListOpen = false;
    g_state.controller.windowOpen = false;
    CloseAiList();
}

// The buttons act on the row selected when they are pressed, however it was selected.
void ShowChosenAircraft(int32_t command) {
    HostObjectId chosen = SelectedAircraft();
    if (chosen == kNoAircraft) {
        return;
    }
    g_state.aiList.chosenAircraft = chosen;
    CloseFromList();
    g_state.target.id = chosen;
    DispatchCommand(command);
}

void AiListCommand(int control) {
    switch (control) {
    case IDC_AI_LIST_PASS_BY:
        ShowChosenAircraft(kCommandListPassBy);
        break;
    case IDC_AI_LIST_SPOT:
        ShowChosenAircraft(kCommandListSpot);
        break;
    case IDC_AI_LIST_CLOSE:
        CloseFromList();
        break;
    default:
        break;
    }
}

// Sorting is always ascending; a second click on "Type" returns to the host's order.
void ClickColumn(int column) {
    AiListState& list = g_state.aiList;
    if (AiRowCount() < 2) {
        return;
    }
    if (column == 0 && list.sortColumn == 0) {
        list.sortColumn = kHostOrder;
        RebuildAiRows();
        list.statusReset = true;
        return;
    }
    list.sortColumn = column;
    SortAiRows(column);
}

bool SelectionChanged(const NMLISTVIEW* change) {
    return (change->uChanged & LVIF_STATE) &&
           ((change->uOldState ^ change->uNewState) & LVIS_SELECTED);
}

void AiListNotify(NMHDR* header) {
    if (header->hwndFrom != g_state.aiList.listView) {
        return;
    }
    switch (header->code) {
    case LVN_COLUMNCLICK:
        ClickColumn(reinterpret_cast<NMLISTVIEW*>(header)->iSubItem);
        break;
    case LVN_ITEMCHANGED:
        if (SelectionChanged(reinterpret_cast<NMLISTVIEW*>(header))) {
            UpdateAiButtons();
        }
        break;
    case LVN_GETDISPINFOA:
        AnswerCellText(reinterpret_cast<NMLVDISPINFOA*>(header));
        break;
    default:
        break;
    }
}

INT_PTR CALLBACK AiListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return InitAiList(window);
    case WM_COMMAND:
        AiListCommand(LOWORD(wParam));
        return FALSE;
    case WM_NOTIFY:
        AiListNotify(reinterpret_cast<NMHDR*>(lParam));
        return FALSE;
    default:
        return FALSE;
    }
}

} // namespace

void OpenAiList() {
    g_state.aiList.window = CreateDialogParamA(g_state.instance, MAKEINTRESOURCEA(IDD_AI_LIST),
                                               g_state.hostWindow, AiListProc, 0);
}

void CloseAiList() {
    AiListState& list = g_state.aiList;
    HWND window = list.window;
    list.window = nullptr;
    list.listView = nullptr;
    list.viewButton = nullptr;
    list.spotButton = nullptr;
    if (window) {
        DestroyWindow(window);
    }
    ForgetAiRows();
}

void RefreshAiList() {
    if (!g_state.aiList.window) {
        return;
    }
    SyncAiRows();
    ResortAiRows();
    PruneAiRows();
    UpdateAiStatus();
    SelectFollowedRow();
    UpdateAiButtons();
}
