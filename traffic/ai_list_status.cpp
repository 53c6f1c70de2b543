#include "traffic/ai_list_status.h"
#include "module/module_state.h"
#include "resources/resource_ids.h"
#include "settings/settings_limits.h"
#include "traffic/ai_format.h"
#include "traffic/ai_list_rows.h"
#include "traffic/ai_traffic.h"

namespace {

bool AnyRowSelected() {
    return SendMessageA(g_state.aiList.listView, LVM_GETSELECTEDCOUNT, 0, 0) > 0;
}

} // namespace

void UpdateAiStatus() {
    AiListState& list = g_state.aiList;
    int32_t day = HostDayOfWeek();
    if (list.statusReset) {
        list.statusReset = false;
        list.lastShownCount = -1;
        list.lastShownDay = -1;
    }
    if (list.lastWalkCount != list.lastShownCount) {
        list.lastShownCount = list.lastWalkCount;
        FormatAiCount(list.lastWalkCount, g_state.text);
        SetDlgItemTextA(list.window, IDC_AI_LIST_COUNT, g_state.text);
    }
    if (day != list.lastShownDay) {
        list.lastShownDay = day;
        SetDlgItemTextA(list.window, IDC_AI_LIST_DAY, DayName(day));
    }
    FormatHostUtcTime(g_state.text);
    SetDlgItemTextA(list.window, IDC_AI_LIST_TIME, g_state.text);
}

void SelectFollowedRow() {
    if (g_state.target.id == kUserAircraftId || AnyRowSelected()) {
        return;
    }
    int32_t index = FindAiRowIndex(g_state.target.id);
    if (index < 0) {
        return;
    }
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED;
    item.state = LVIS_SELECTED;
    SendMessageA(g_state.aiList.listView, LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&item));
}

void UpdateAiButtons() {
    const Settings& s = g_state.settings;
    BOOL enable = s.Active != 0 && s.Mode != kModePlaneSpotting && AnyRowSelected();
    EnableWindow(g_state.aiList.viewButton, enable);
    EnableWindow(g_state.aiList.spotButton, enable);
}
