// The AI list's window and buttons in the stand-in host: its layout, when the target buttons
// work, what "Skyvane View" and "Spot Plane" do with the selected row, the followed aircraft's
// row, and the ways the window closes.
#include <cstring>
#include "ai_list_driver.h"

using namespace skyvane_test;

namespace {

class AiListButtons : public AiListHost {
  protected:
    // The view on, three parked AI aircraft, the list open.
    void StartWithTraffic() {
        StartStill(true);
        AddParked(7, 3.0)->altitudeFeet = 3000;
        AddParked(8, 4.0)->altitudeFeet = 1000;
        AddParked(9, 5.0)->altitudeFeet = 2000;
        OpenList();
    }

    int32_t TowerTarget() {
        HostsimCallView(kHostsimTowerCaller);
        return HostsimLastSeen(kHostsimTowerCaller);
    }

    // Position and size convert separately, as the dialog manager converts them.
    RECT DialogRect(int left, int top, int width, int height) const {
        RECT rect = {left, top, width, height};
        MapDialogRect(window, &rect);
        return RECT{rect.left, rect.top, rect.left + rect.right, rect.top + rect.bottom};
    }

    RECT ControlRect(int id) const {
        RECT rect;
        GetWindowRect(GetDlgItem(window, id), &rect);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }

    void ExpectControlAt(int id, int left, int top, int width, int height) const {
        RECT want = DialogRect(left, top, width, height);
        RECT got = ControlRect(id);
        EXPECT_EQ(got.left, want.left) << id;
        EXPECT_EQ(got.top, want.top) << id;
        EXPECT_EQ(got.right, want.right) << id;
        EXPECT_EQ(got.bottom, want.bottom) << id;
    }
};

// The start of an extended dialog template.
#pragma pack(push, 1)
struct DialogHeader {
    WORD version;
    WORD signature;
    DWORD helpId;
    DWORD exStyle;
    DWORD style;
    WORD controls;
    short left, top, width, height;
};
#pragma pack(pop)

std::string HeaderText(HWND list, int column) {
    char text[64] = {};
    LVCOLUMNA info = {};
    info.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    info.pszText = text;
    info.cchTextMax = sizeof text;
    SendMessageA(list, LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&info));
    return text;
}

} // namespace

TEST_F(AiListButtons, TheWindowHasItsControlsAndColumns) {
    StartWithTraffic();
    EXPECT_TRUE(GetWindowLongA(window, GWL_STYLE) & WS_POPUP);
    EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    // The template: a captionless, centred, topmost pop-up with a modal frame.
    HMODULE module = HostsimModuleHandle(0);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(IDD_AI_LIST), MAKEINTRESOURCEA(5));
    ASSERT_NE(found, nullptr);
    const uint8_t* dialog = static_cast<const uint8_t*>(LockResource(LoadResource(module, found)));
    DialogHeader header;
    memcpy(&header, dialog, sizeof header);
    EXPECT_EQ(header.signature, 0xFFFF) << "an extended template";
    EXPECT_EQ(header.style & WS_CAPTION, 0u);
    EXPECT_EQ(
        header.style & (WS_POPUP | WS_VISIBLE | DS_MODALFRAME | DS_CENTER | DS_SETFOREGROUND),
        static_cast<DWORD>(WS_POPUP | WS_VISIBLE | DS_MODALFRAME | DS_CENTER | DS_SETFOREGROUND));
    EXPECT_EQ(header.exStyle, static_cast<DWORD>(WS_EX_TOPMOST));
    EXPECT_EQ(header.width, 248);
    EXPECT_EQ(header.height, 158);
    EXPECT_EQ(header.controls, 9);
    EXPECT_EQ(GetWindowTextLengthA(window), 0);
    EXPECT_EQ(GetWindow(window, GW_OWNER), HostsimMainWindow());
    RECT client;
    GetClientRect(window, &client);
    RECT whole = DialogRect(0, 0, 248, 158);
    EXPECT_EQ(client.right, whole.right);
    EXPECT_EQ(client.bottom, whole.bottom);

    ExpectControlAt(IDC_AI_LIST_VIEW, 0, 0, 248, 135);
    ExpectControlAt(IDC_AI_LIST_PASS_BY, 56, 140, 43, 14);
    ExpectControlAt(IDC_AI_LIST_SPOT, 109, 140, 40, 14);
    ExpectControlAt(IDC_AI_LIST_CLOSE, 157, 140, 38, 14);
    ExpectControlAt(IDC_AI_LIST_COUNT, 10, 145, 32, 11);
    ExpectControlAt(IDC_AI_LIST_TIME, 204, 145, 38, 11);
    ExpectControlAt(IDC_AI_LIST_DAY, 222, 136, 19, 8);

    LONG listStyle = GetWindowLongA(list, GWL_STYLE);
    EXPECT_EQ(listStyle & LVS_TYPEMASK, LVS_REPORT);
    EXPECT_TRUE(listStyle & LVS_SINGLESEL);
    EXPECT_TRUE(listStyle & LVS_SHOWSELALWAYS);
    // The list view may turn its border into a client edge.
    EXPECT_TRUE((listStyle & WS_BORDER) || (GetWindowLongA(list, GWL_EXSTYLE) & WS_EX_CLIENTEDGE));
    EXPECT_TRUE(listStyle & WS_TABSTOP);
    EXPECT_EQ(SendMessageA(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0),
              LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP);
    EXPECT_TRUE(GetWindowLongA(GetDlgItem(window, IDC_AI_LIST_COUNT), GWL_STYLE) & SS_SUNKEN);

    const char* headers[kColumnCount] = {"Type",       "State",          "Distance, nm",
                                         "Bearing",    "Altitude, ft",   "Heading",
                                         "IAS, knots", "V.Speed, ft/min"};
    RECT listClient;
    GetClientRect(list, &listClient);
    for (int column = 0; column < kColumnCount; ++column) {
        EXPECT_EQ(HeaderText(list, column), headers[column]);
        EXPECT_EQ(SendMessageA(list, LVM_GETCOLUMNWIDTH, column, 0), listClient.right / 4);
    }
    EXPECT_EQ(HeaderText(list, kColumnCount), "") << "eight columns, no more";
}

TEST_F(AiListButtons, TheTargetButtonsNeedASelectedRow) {
    StartWithTraffic();
    EXPECT_FALSE(Enabled(IDC_AI_LIST_PASS_BY));
    EXPECT_FALSE(Enabled(IDC_AI_LIST_SPOT));
    EXPECT_TRUE(Enabled(IDC_AI_LIST_CLOSE));
    Select(1);
    EXPECT_TRUE(Enabled(IDC_AI_LIST_PASS_BY)) << "at once, not at the next refresh";
    EXPECT_TRUE(Enabled(IDC_AI_LIST_SPOT));
    SelectNone();
    EXPECT_FALSE(Enabled(IDC_AI_LIST_PASS_BY));
    EXPECT_FALSE(Enabled(IDC_AI_LIST_SPOT));
    HostsimStep(1);
    EXPECT_FALSE(Enabled(IDC_AI_LIST_PASS_BY));
}

TEST_F(AiListButtons, SkyvaneViewShowsTheSelectedAircraftInTheTowerView) {
    StartWithTraffic();
    ClickHeader(kColumnAltitude); // rows 8, 9, 7: the row is not the host's index
    Select(1);
    PressButton(IDC_AI_LIST_PASS_BY);
    EXPECT_FALSE(ListOpen());
    HostsimStep(1);
    EXPECT_EQ(HostsimActiveView()->viewMode, kViewTower);
    EXPECT_TRUE(HostsimRedirectInstalled());
    EXPECT_EQ(TowerTarget(), 9);
    // The module's menu is usable again: the window flags were cleared.
    OpenList();
    EXPECT_TRUE(ListOpen());
}

TEST_F(AiListButtons, SpotPlaneFollowsTheSelectedAircraftInViewFour) {
    StartWithTraffic();
    Select(2);
    PressButton(IDC_AI_LIST_SPOT);
    EXPECT_FALSE(ListOpen());
    EXPECT_EQ(HostsimFollowedObject(), 9);
    HostsimStep(1);
    EXPECT_EQ(HostsimActiveView()->viewMode, kViewFollow);
    EXPECT_EQ(HostsimLastSeen(kHostsimFollowCaller), 9);
}

TEST_F(AiListButtons, AKeyboardSelectionIsWhatTheButtonsUse) {
    StartWithTraffic();
    SetForegroundWindow(window);
    SetFocus(list);
    Select(0);
    ASSERT_TRUE(HostsimPressKey(VK_DOWN, 0, window));
    HostsimPump(50);
    ASSERT_EQ(SelectedRow(), 1);
    EXPECT_TRUE(Enabled(IDC_AI_LIST_PASS_BY));
    PressButton(IDC_AI_LIST_PASS_BY);
    HostsimStep(1);
    EXPECT_EQ(TowerTarget(), 8);
}

TEST_F(AiListButtons, TheFollowedAircraftsRowIsSelectedWhenNothingIs) {
    StartWithTraffic();
    Select(2);
    PressButton(IDC_AI_LIST_PASS_BY); // aircraft 9 becomes the target
    HostsimStep(1);
    ASSERT_EQ(TowerTarget(), 9);
    OpenList();
    ClickHeader(kColumnAltitude); // rows 8, 9, 7
    EXPECT_EQ(SelectedRow(), -1);
    HostsimStep(1);
    EXPECT_EQ(SelectedRow(), 1);
    EXPECT_EQ(RowId(SelectedRow()), 9);
    EXPECT_TRUE(Enabled(IDC_AI_LIST_PASS_BY));

    // A selection of the user's own is left alone.
    Select(0);
    HostsimStep(1);
    EXPECT_EQ(SelectedRow(), 0);
}

TEST_F(AiListButtons, CloseClosesAndTheMenuOpensItAgain) {
    StartWithTraffic();
    PressButton(IDC_AI_LIST_CLOSE);
    EXPECT_FALSE(ListOpen());
    HostsimStep(1);
    OpenList();
    EXPECT_EQ(Rows(), 3);
}

TEST_F(AiListButtons, AnyHostMenuCommandClosesTheList) {
    StartWithTraffic();
    ASSERT_TRUE(HostsimPickMenu("&Aircraft/&Aircraft Information"));
    HostsimPump(0);
    EXPECT_FALSE(ListOpen());
    HostsimStep(1);
    OpenList();
    ASSERT_TRUE(HostsimPickMenu("&Modules/Skyvane/Activate"));
    HostsimPump(0);
    EXPECT_FALSE(ListOpen());
}

TEST_F(AiListButtons, TheListDoesNotPauseTheHost) {
    StartWithTraffic();
    HostsimStep(1);
    PressButton(IDC_AI_LIST_CLOSE);
    EXPECT_EQ(HostsimEventCount(), 0);
}
