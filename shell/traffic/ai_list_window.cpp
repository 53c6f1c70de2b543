// The AI aircraft list window: a modeless dialog owned by the host's main window, refreshed by
// the module's one-second tick. It posts no host event and does not pause the host.
#include "shell/traffic/ai_list_window.h"
#include "core/control/controller.h"
#include "shell/host/module_state.h"
#include "shell/resources/resource_ids.h"
#include "core/traffic/ai_format.h"
#include "core/control/ai_list_model.h"
#include "shell/traffic/ai_list_rows.h"

namespace {

constexpr int kVisibleColumns = 4; // the eight columns are twice the visible width
constexpr DWORD kListExtendedStyle = LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP;

void (*g_closed)();

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
    AiListWindows& list = g_state.aiListWindows;
    list.window = window;
    list.listView = GetDlgItem(window, IDC_AI_LIST_VIEW);
    list.viewButton = GetDlgItem(window, IDC_AI_LIST_PASS_BY);
    list.spotButton = GetDlgItem(window, IDC_AI_LIST_SPOT);
    SendMessageA(list.listView, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, kListExtendedStyle);
    InsertColumns(list.listView);
    EnableWindow(list.viewButton, FALSE);
    EnableWindow(list.spotButton, FALSE);
    ForgetListRows();
    SyncListRows();
    g_state.aiList.statusReset = true;
    return TRUE;
}

// The buttons act on the row selected when they are pressed, however it was selected.
void ShowChosen(Command command) {
    HostObjectId chosen = SelectedAircraft();
    if (chosen == kNoAircraft) {
        return;
    }
    g_closed();
    ShowChosenAircraft(g_state, chosen, command);
}

void ShowStatus() {
    AiStatusTexts status;
    UpdateAiStatus(g_state, status);
    HWND window = g_state.aiListWindows.window;
    if (status.countChanged) {
        SetDlgItemTextA(window, IDC_AI_LIST_COUNT, status.count);
    }
    if (status.dayChanged) {
        SetDlgItemTextA(window, IDC_AI_LIST_DAY, status.day);
    }
    SetDlgItemTextA(window, IDC_AI_LIST_TIME, status.time);
}

void SelectFollowedRow() {
    HostObjectId id = AiRowToSelect(g_state, AnyListRowSelected());
    if (id != kNoAircraft) {
        SelectListRow(id);
    }
}

void AiListCommand(int control) {
    switch (control) {
    case IDC_AI_LIST_PASS_BY:
        ShowChosen(kCommandListPassBy);
        break;
    case IDC_AI_LIST_SPOT:
        ShowChosen(kCommandListSpot);
        break;
    case IDC_AI_LIST_CLOSE:
        g_closed();
        break;
    default:
        break;
    }
}

// Sorting is always ascending; a second click on "Type" returns to the host's order.
void ClickColumn(int column) {
    if (ListRowCount() < 2) {
        return;
    }
    if (ChooseAiSortColumn(g_state.aiList, column)) {
        RebuildListRows();
    } else {
        SortListRows(column);
    }
}

bool SelectionChanged(const NMLISTVIEW* change) {
    return (change->uChanged & LVIF_STATE) &&
           ((change->uOldState ^ change->uNewState) & LVIS_SELECTED);
}

void AiListNotify(NMHDR* header) {
    if (header->hwndFrom != g_state.aiListWindows.listView) {
        return;
    }
    switch (header->code) {
    case LVN_COLUMNCLICK:
        ClickColumn(reinterpret_cast<NMLISTVIEW*>(header)->iSubItem);
        break;
    case LVN_ITEMCHANGED:
        if (SelectionChanged(reinterpret_cast<NMLISTVIEW*>(header))) {
            UpdateListButtons();
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

bool OpenAiList(void (*closed)()) {
    g_closed = closed;
    g_state.aiListWindows.window = CreateDialogParamA(
        g_state.instance, MAKEINTRESOURCEA(IDD_AI_LIST), g_state.hostWindow, AiListProc, 0);
    return g_state.aiListWindows.window != nullptr;
}

void CloseAiList() {
    HWND window = g_state.aiListWindows.window;
    g_state.aiListWindows = AiListWindows{};
    if (window) {
        DestroyWindow(window);
    }
    ForgetListRows();
}

void RefreshAiListWindow() {
    if (!g_state.aiListWindows.window) {
        return;
    }
    SyncListRows();
    ResortListRows();
    PruneListRows();
    ShowStatus();
    SelectFollowedRow();
    UpdateListButtons();
}
