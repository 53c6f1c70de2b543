#pragma once
// Drives the AI aircraft list of the real module in the stand-in host with list-view, header
// and button messages, and counts what the module asks of its list view.
#include <windows.h>
#include <commctrl.h>
#include <cmath>
#include <string>
#include <vector>
#include "shell/resources/resource_ids.h"
#include "skyvane_fixture.h"

namespace skyvane_test {

constexpr int kColumnType = 0;
constexpr int kColumnState = 1;
constexpr int kColumnDistance = 2;
constexpr int kColumnBearing = 3;
constexpr int kColumnAltitude = 4;
constexpr int kColumnHeading = 5;
constexpr int kColumnAirspeed = 6;
constexpr int kColumnVerticalSpeed = 7;
constexpr int kColumnCount = 8;
constexpr int kCellBytes = 512; // more than the 260 a cell can hold
constexpr double kDegreesPerNm = 1.0 / 60.0;

// Messages the module sent to its list view since the counts were last cleared.
struct ListViewTraffic {
    int cellWrites; // items inserted or texts set
    int sorts;
    int rowRedraws;
};

inline ListViewTraffic g_listTraffic;
inline WNDPROC g_listViewProc = nullptr;

inline LRESULT CALLBACK CountListViewTraffic(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    switch (message) {
    case LVM_INSERTITEMA:
    case LVM_INSERTITEMW:
    case LVM_SETITEMA:
    case LVM_SETITEMW:
    case LVM_SETITEMTEXTA:
    case LVM_SETITEMTEXTW:
        ++g_listTraffic.cellWrites;
        break;
    case LVM_SORTITEMS:
    case LVM_SORTITEMSEX:
        ++g_listTraffic.sorts;
        break;
    case LVM_REDRAWITEMS:
        ++g_listTraffic.rowRedraws;
        break;
    default:
        break;
    }
    return CallWindowProcA(g_listViewProc, window, message, wParam, lParam);
}

class AiListHost : public SkyvaneHost {
  protected:
    // The user's aircraft parked at a known place, so that nothing moves unless a test says so.
    void StartStill(bool active) {
        if (active) {
            WriteActiveIni();
        }
        HostsimAircraft user;
        HostsimDefaultAircraft(&user, 1);
        user.latitudeDeg = 50.0;
        user.longitudeDeg = 1.0;
        user.variationDeg = -1.0;
        Park(user);
        ASSERT_TRUE(HostsimAddAircraft(&user));
        StartFlying();
    }

    static void Park(HostsimAircraft& a) {
        a.speedKnots = 0.0;
        a.acrossKnots = 0.0;
        a.verticalSpeedFpm = 0.0;
        a.turnRateDegPerSec = 0.0;
    }

    // A parked AI aircraft the given nautical miles north and east of the user's, not yet added
    // (the AI state and the position record are taken when it is added).
    static HostsimAircraft Parked(int32_t id, double northNm, double eastNm = 0.0) {
        HostsimAircraft ai;
        HostsimDefaultAircraft(&ai, id);
        ai.latitudeDeg = 50.0 + northNm * kDegreesPerNm;
        ai.longitudeDeg = 1.0 + eastNm * kDegreesPerNm / cos(50.0 * 3.14159265358979 / 180);
        Park(ai);
        return ai;
    }

    static HostsimAircraft* Add(const HostsimAircraft& ai) {
        EXPECT_TRUE(HostsimAddAircraft(&ai));
        return HostsimFindAircraft(ai.id);
    }

    static HostsimAircraft* AddParked(int32_t id, double northNm, double eastNm = 0.0) {
        return Add(Parked(id, northNm, eastNm));
    }

    void OpenList() {
        ASSERT_TRUE(HostsimPickMenu("&Modules/Skyvane/AI Aircraft..."));
        HostsimPump(0);
        window = HostsimFindModuleWindow(IDC_AI_LIST_VIEW);
        ASSERT_NE(window, nullptr);
        list = GetDlgItem(window, IDC_AI_LIST_VIEW);
        ASSERT_NE(list, nullptr);
    }

    static bool ListOpen() { return HostsimFindModuleWindow(IDC_AI_LIST_VIEW) != nullptr; }

    int Rows() const { return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }

    std::string Cell(int row, int column) const {
        char text[kCellBytes] = {};
        LVITEMA item = {};
        item.iSubItem = column;
        item.pszText = text;
        item.cchTextMax = kCellBytes;
        SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
        return text;
    }

    int32_t RowId(int row) const {
        LVITEMA item = {};
        item.mask = LVIF_PARAM;
        item.iItem = row;
        SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        return static_cast<int32_t>(item.lParam);
    }

    std::vector<int32_t> Ids() const {
        std::vector<int32_t> ids;
        for (int row = 0; row < Rows(); ++row) {
            ids.push_back(RowId(row));
        }
        return ids;
    }

    std::vector<std::string> Column(int column) const {
        std::vector<std::string> texts;
        for (int row = 0; row < Rows(); ++row) {
            texts.push_back(Cell(row, column));
        }
        return texts;
    }

    int RowOf(int32_t id) const {
        for (int row = 0; row < Rows(); ++row) {
            if (RowId(row) == id) {
                return row;
            }
        }
        return -1;
    }

    // What a click on a column header makes the list view send to its window.
    void ClickHeader(int column) {
        NMLISTVIEW click = {};
        click.hdr.hwndFrom = list;
        click.hdr.idFrom = IDC_AI_LIST_VIEW;
        click.hdr.code = LVN_COLUMNCLICK;
        click.iItem = -1;
        click.iSubItem = column;
        SendMessageA(window, WM_NOTIFY, IDC_AI_LIST_VIEW, reinterpret_cast<LPARAM>(&click));
    }

    void Select(int row) {
        LVITEMA item = {};
        item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        item.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageA(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
    }

    void SelectNone() {
        LVITEMA item = {};
        item.stateMask = LVIS_SELECTED;
        SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(&item));
    }

    int SelectedRow() const {
        return static_cast<int>(
            SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    }

    std::string StaticText(int id) const {
        char text[kCellBytes] = {};
        GetDlgItemTextA(window, id, text, kCellBytes);
        return text;
    }

    bool Enabled(int id) const { return IsWindowEnabled(GetDlgItem(window, id)) != FALSE; }

    void PressButton(int id) {
        ASSERT_TRUE(HostsimClickControl(id));
        HostsimPump(0);
    }

    void CountListViewMessages() {
        g_listViewProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
            list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountListViewTraffic)));
        g_listTraffic = ListViewTraffic();
    }

    HWND window = nullptr;
    HWND list = nullptr;
};

} // namespace skyvane_test
