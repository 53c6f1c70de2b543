// The host's window, menus, keys, states, pause, clock and views, as modules meet them.
#include <cmath>

#include "hostsim_test_support.h"

using namespace hostsim_test;

namespace {
std::string MenuText(HMENU menu, int position) {
    char text[128] = {};
    GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    return text;
}

int FindTopMenu(const char* text) {
    HMENU bar = GetMenu(HostsimMainWindow());
    for (int i = 0; i < GetMenuItemCount(bar); ++i) {
        if (MenuText(bar, i) == text) {
            return i;
        }
    }
    return -1;
}

typedef void(__stdcall* PostEventFn)(uint32_t, uint32_t);
typedef void(__stdcall* FollowFn)(int32_t);
typedef void(__stdcall* GlobalFn)(int32_t, int32_t, double*);
} // namespace

TEST_F(HostsimHost, TheMainWindowHasTheHostsMenuBar) {
    Start();
    HWND window = FindWindowA("FS98MAIN", nullptr);
    ASSERT_EQ(window, HostsimMainWindow());
    HMENU bar = GetMenu(window);
    ASSERT_GE(GetMenuItemCount(bar), 5);
    EXPECT_EQ(MenuText(bar, 3), "&Views");
    HMENU views = GetSubMenu(bar, 3);
    ASSERT_GE(GetMenuItemCount(views), 4);
    EXPECT_NE(GetMenuItemID(views, 3), 0xFFFFFFFFu) << "item 3 is a command";
    EXPECT_EQ(FindTopMenu("&Modules"), -1);
    HostsimShutdown();

    options.modulesMenu = kHostsimEmptyModulesMenu;
    Start();
    int modules = FindTopMenu("&Modules");
    ASSERT_GE(modules, 0);
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(GetMenu(HostsimMainWindow()), modules)), 0);
    HostsimShutdown();

    options.modulesMenu = kHostsimModulesMenuWithItem;
    Start();
    modules = FindTopMenu("&Modules");
    ASSERT_GE(modules, 0);
    EXPECT_EQ(MenuText(GetSubMenu(GetMenu(HostsimMainWindow()), modules), 0), "Skyvane");
    HMENU before = GetMenu(HostsimMainWindow());
    HostsimRebuildMenu();
    EXPECT_NE(GetMenu(HostsimMainWindow()), before);
    EXPECT_EQ(FindTopMenu("&Modules"), modules);
}

TEST_F(HostsimHost, MenuPicksSendTheMessagesOfARealMenu) {
    Start();
    HostsimStep(4);
    ASSERT_EQ(HostsimHostState(), 12);
    HMENU views = GetSubMenu(GetMenu(HostsimMainWindow()), 3);
    unsigned dialogCommand = GetMenuItemID(views, 3);
    ASSERT_TRUE(HostsimPickMenu("3/3"));
    std::string journal = ModuleJournal();
    size_t opened = At(journal, "menuselect 3 ");
    size_t closed = At(journal, "menuselect 0 65535 0");
    size_t command = At(journal, ("command " + std::to_string(dialogCommand)).c_str());
    ASSERT_NE(opened, std::string::npos) << journal;
    ASSERT_NE(closed, std::string::npos);
    ASSERT_NE(command, std::string::npos);
    EXPECT_LT(opened, closed);
    EXPECT_LT(closed, command);

    // Views item 3 is a host dialog: the host leaves state 12 for a moment.
    EXPECT_NE(HostsimHostState(), 12);
    HostsimStep(1);
    EXPECT_NE(HostsimHostState(), 12);
    HostsimStep(1);
    EXPECT_EQ(HostsimHostState(), 12);

    EXPECT_TRUE(HostsimPickMenu("&Views/&Cockpit"));
    EXPECT_EQ(HostsimActiveView()->viewMode, 1);
    EXPECT_FALSE(HostsimPickMenu("&Views/&Nowhere"));
    ASSERT_TRUE(HostsimOpenMenu(0));
    EXPECT_NE(At(ModuleJournal(), "menuselect 0 "), std::string::npos);
    HostsimCloseMenu();
}

TEST_F(HostsimHost, KeysArriveWithTheModifiersGetAsyncKeyStateReports) {
    Start();
    ASSERT_TRUE(HostsimPressKey('F', kHostsimShift, nullptr));
    ASSERT_TRUE(HostsimPressKey('N', kHostsimShift | kHostsimCtrl, nullptr));
    ASSERT_TRUE(HostsimPressKey('D', 0, nullptr));
    std::string journal = ModuleJournal();
    EXPECT_NE(At(journal, "key 70 mods 1"), std::string::npos) << journal;
    EXPECT_NE(At(journal, "key 78 mods 3"), std::string::npos);
    EXPECT_NE(At(journal, "key 68 mods 0"), std::string::npos);
    EXPECT_EQ(GetAsyncKeyState(VK_SHIFT) & 0x8000, 0) << "modifiers released afterwards";
}

TEST_F(HostsimHost, PauseFollowsEventsAndTheKey) {
    Start();
    HostsimStep(4);
    PostEventFn post = HostFunction<PostEventFn>(kEvents, 0x90);
    post(kPause, 0);
    EXPECT_TRUE(HostsimPaused());
    EXPECT_EQ(Word<int32_t>(kViews, 0x26C), 1);
    post(kResume, 0);
    EXPECT_FALSE(HostsimPaused());
    post(12345, 0);
    EXPECT_FALSE(HostsimPaused());
    ASSERT_EQ(HostsimEventCount(), 3);
    EXPECT_EQ(HostsimEvent(0), kPause);
    EXPECT_EQ(HostsimEvent(2), 12345u);
    HostsimPressKey('P', 0, nullptr);
    EXPECT_TRUE(HostsimPaused());
    int32_t seconds = Word<uint16_t>(kViews, 0x23A);
    HostsimStep(5);
    EXPECT_EQ(Word<uint16_t>(kViews, 0x23A), seconds) << "the clock stands while paused";
    HostsimPressKey('P', 0, nullptr);
    EXPECT_FALSE(HostsimPaused());
}

TEST_F(HostsimHost, TheHostLoadsBecomesReadyAndFlies) {
    options.readyAfterSeconds = 2;
    options.flyingAfterSeconds = 4;
    Start();
    EXPECT_EQ(Word<int32_t>(kCore, 0x96A0), 0);
    EXPECT_NE(Word<int32_t>(kState, 0x4F44), 227);
    EXPECT_NE(Word<int32_t>(kState, 0x4F44), 12);
    HostsimStep(2);
    EXPECT_NE(Word<int32_t>(kCore, 0x96A0), 0);
    EXPECT_EQ(Word<int32_t>(kState, 0x4F44), 227);
    HostsimStep(2);
    EXPECT_EQ(Word<int32_t>(kState, 0x4F44), 12);
    HostsimSetHostState(5);
    HostsimStep(3);
    EXPECT_EQ(HostsimHostState(), 5) << "a state set by a test stays";
}

TEST_F(HostsimHost, TheUtcClockAndTheDayOfWeekAdvance) {
    options.utcHours = 23;
    options.utcMinutes = 59;
    options.utcSeconds = 50;
    options.dayOfWeek = 6;
    Start();
    HostsimStep(3);
    GlobalFn global = HostFunction<GlobalFn>(kGlobals, 0x10C);
    double day = -1;
    global(3, 50, &day);
    EXPECT_EQ(day, 6.0);
    EXPECT_EQ(Word<int32_t>(kViews, 0x23C), 23);
    EXPECT_EQ(Word<uint16_t>(kViews, 0x23A), 50) << "the clock starts when the host flies";
    HostsimStep(10);
    EXPECT_EQ(Word<int32_t>(kViews, 0x23C), 0);
    EXPECT_EQ(Word<int32_t>(kViews, 0x240), 0);
    EXPECT_EQ(Word<uint16_t>(kViews, 0x23A), 0);
    global(3, 50, &day);
    EXPECT_EQ(day, 0.0) << "Saturday turns into Sunday";
    // At a simulation rate the clock and the aircraft run that many times faster.
    EXPECT_FALSE(HostsimRunAction(R"({"simRate": 3})"));
    const double east = HostsimFindAircraft(1)->longitudeDeg;
    for (const char* action : {R"({"simRate": 0.25})", R"({"simRate": 4})"}) {
        ASSERT_TRUE(HostsimRunAction(action));
        HostsimStep(4);
    }
    EXPECT_EQ(Word<uint16_t>(kViews, 0x23A), 17) << "1 s at 1/4x and 16 s at 4x";
    const double metres = (HostsimFindAircraft(1)->longitudeDeg - east) * 111319.5 *
                          std::cos(50.9 * 3.14159265 / 180);
    EXPECT_NEAR(metres, 17 * 250 * 1852 / 3600.0, 20) << "the default aircraft, east at 250 kt";
}

TEST_F(HostsimHost, ViewsCycleAndFollowTheViewWords) {
    Start();
    HostsimStep(4);
    const uint8_t* record = Word<const uint8_t*>(kViews, 0x1190);
    ASSERT_EQ(record, reinterpret_cast<const uint8_t*>(HostsimActiveView()));
    EXPECT_EQ(*reinterpret_cast<const int32_t*>(record + 0x20), 3);
    HostsimPressKey('S', 0, nullptr);
    EXPECT_EQ(HostsimActiveView()->viewMode, 4);
    HostsimPressKey('S', 0, nullptr);
    EXPECT_EQ(HostsimActiveView()->viewMode, 1);
    HostsimPressKey('S', 0, nullptr);
    EXPECT_EQ(HostsimActiveView()->viewMode, 3);

    // Word B asks for the follow view of the object given to SetFollowedObject.
    HostFunction<FollowFn>(kFollow, 0xE4)(1);
    *reinterpret_cast<uint16_t*>(const_cast<uint8_t*>(record) + 0x34) = 0x40;
    HostsimStep(1);
    EXPECT_EQ(HostsimActiveView()->viewMode, 4);
    EXPECT_EQ(HostsimActiveView()->viewWordB, 0) << "the host consumed the word";
    EXPECT_EQ(HostsimFollowedObject(), 1);
    // Word A leaves the view as it is.
    HostsimActiveView()->viewWordA = 0x40;
    HostsimStep(1);
    EXPECT_EQ(HostsimActiveView()->viewMode, 4);
    EXPECT_EQ(HostsimActiveView()->viewWordA, 0);
}

namespace {
constexpr int kEditId = 1001, kButtonId = 1002;
int clicks;

LRESULT CALLBACK PanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && LOWORD(wParam) == kButtonId && HIWORD(wParam) == BN_CLICKED) {
        ++clicks;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// A window like a module's dialog: top level, owned by the host's main window, with controls.
HWND CreatePanel() {
    WNDCLASSA panelClass = {};
    panelClass.lpfnWndProc = &PanelProc;
    panelClass.hInstance = GetModuleHandleA(nullptr);
    panelClass.lpszClassName = "HostsimTestPanel";
    RegisterClassA(&panelClass);
    HWND panel =
        CreateWindowExA(WS_EX_TOPMOST, "HostsimTestPanel", "", WS_POPUP | WS_VISIBLE, 100, 100, 300,
                        120, HostsimMainWindow(), nullptr, GetModuleHandleA(nullptr), nullptr);
    CreateWindowA("EDIT", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 10, 10, 200, 24, panel,
                  reinterpret_cast<HMENU>(kEditId), GetModuleHandleA(nullptr), nullptr);
    CreateWindowA("BUTTON", "OK", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 50, 80, 24, panel,
                  reinterpret_cast<HMENU>(kButtonId), GetModuleHandleA(nullptr), nullptr);
    return panel;
}
} // namespace

TEST_F(HostsimHost, ModuleWindowsAreFoundByTheirControlsAndDriven) {
    Start();
    EXPECT_EQ(HostsimFindModuleWindow(kButtonId), nullptr);
    HWND panel = CreatePanel();
    ASSERT_EQ(HostsimFindModuleWindow(kButtonId), panel);
    clicks = 0;
    ASSERT_TRUE(HostsimClickControl(kButtonId));
    EXPECT_EQ(clicks, 1);
    ASSERT_TRUE(HostsimSetControlText(kEditId, "15"));
    char text[32] = {};
    GetDlgItemTextA(panel, kEditId, text, sizeof text);
    EXPECT_STREQ(text, "15");
    SendDlgItemMessageA(panel, kEditId, EM_SETSEL, 2, 2);
    ASSERT_TRUE(HostsimTypeText(panel, kEditId, "0x"));
    GetDlgItemTextA(panel, kEditId, text, sizeof text);
    EXPECT_STREQ(text, "150x") << "typed characters arrive as keyboard input";
    EXPECT_FALSE(HostsimClickControl(4242));
    DestroyWindow(panel);
}
