// The module in the host's main window: the menu, the hotkeys, the about box and the pause
// events around the module's dialogs.
#include "skyvane_fixture.h"

using namespace skyvane_test;

namespace {

constexpr int kAboutOk = 1008;
constexpr int kSettingsTabs = 10041;
constexpr int kAiListView = 10013;

int CountItems(HMENU menu, const char* text) {
    int count = 0;
    char buffer[128];
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        GetMenuStringA(menu, i, buffer, sizeof(buffer), MF_BYPOSITION);
        count += strcmp(buffer, text) == 0 ? 1 : 0;
    }
    return count;
}

int FindItem(HMENU menu, const char* text) {
    char buffer[128];
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        GetMenuStringA(menu, i, buffer, sizeof(buffer), MF_BYPOSITION);
        if (strcmp(buffer, text) == 0) {
            return i;
        }
    }
    return -1;
}

HMENU ModulePopup() {
    HMENU bar = GetMenu(HostsimMainWindow());
    int modules = FindItem(bar, "&Modules");
    if (modules < 0) {
        return nullptr;
    }
    HMENU modulesMenu = GetSubMenu(bar, modules);
    int skyvane = FindItem(modulesMenu, "Skyvane");
    return skyvane < 0 ? nullptr : GetSubMenu(modulesMenu, skyvane);
}

bool ActivateChecked() {
    HMENU popup = ModulePopup();
    return popup && (GetMenuState(popup, 40000, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

class Window : public SkyvaneHost {
  protected:
    int EventsSince(int first, uint32_t code) {
        int count = 0;
        for (int i = first; i < HostsimEventCount(); ++i) {
            count += HostsimEvent(i) == code ? 1 : 0;
        }
        return count;
    }
};

} // namespace

TEST_F(Window, AMenuBarWithoutModulesGetsOneAtItsEnd) {
    StartFlying();
    HMENU bar = GetMenu(HostsimMainWindow());
    int itemsBefore = GetMenuItemCount(bar);
    for (int i = 0; i < 5; ++i) {
        HostsimRedrawFrame();
    }
    bar = GetMenu(HostsimMainWindow());
    EXPECT_EQ(CountItems(bar, "&Modules"), 1);
    EXPECT_EQ(FindItem(bar, "&Modules"), GetMenuItemCount(bar) - 1) << "appended at the end";
    EXPECT_LE(GetMenuItemCount(bar), itemsBefore + 1);
    HMENU popup = ModulePopup();
    ASSERT_NE(popup, nullptr);
    const UINT ids[] = {40000, 40005, 40001, 40002, 40004};
    const char* texts[] = {"Activate", "Watch the Traffic", "AI Aircraft...", "Settings...",
                           "About..."};
    ASSERT_EQ(GetMenuItemCount(popup), 5);
    for (int i = 0; i < 5; ++i) {
        char text[64];
        GetMenuStringA(popup, i, text, sizeof(text), MF_BYPOSITION);
        EXPECT_STREQ(text, texts[i]);
        EXPECT_EQ(GetMenuItemID(popup, i), ids[i]);
    }
}

TEST_F(Window, AnExistingModulesMenuIsUsedAndAnExistingSkyvaneLeftAlone) {
    options.modulesMenu = kHostsimEmptyModulesMenu;
    StartFlying();
    HostsimRedrawFrame();
    HMENU bar = GetMenu(HostsimMainWindow());
    EXPECT_EQ(CountItems(bar, "&Modules"), 1);
    EXPECT_NE(ModulePopup(), nullptr);
    HostsimShutdown();

    options.modulesMenu = kHostsimModulesMenuWithItem;
    StartFlying();
    HostsimRedrawFrame();
    HostsimRedrawFrame();
    bar = GetMenu(HostsimMainWindow());
    HMENU modules = GetSubMenu(bar, FindItem(bar, "&Modules"));
    EXPECT_EQ(CountItems(modules, "Skyvane"), 1);
}

TEST_F(Window, ARebuiltMenuBarGetsThePopupAgain) {
    StartFlying();
    HostsimRedrawFrame();
    ASSERT_NE(ModulePopup(), nullptr);
    HostsimRebuildMenu();
    HostsimRedrawFrame();
    EXPECT_NE(ModulePopup(), nullptr);
    EXPECT_EQ(CountItems(GetMenu(HostsimMainWindow()), "&Modules"), 1);
}

TEST_F(Window, TheActivateCheckMarkFollowsTheView) {
    WriteActiveIni();
    StartFlying();
    HostsimRedrawFrame();
    ASSERT_TRUE(HostsimOpenMenu(0));
    HostsimCloseMenu();
    EXPECT_TRUE(ActivateChecked());
    Press('F', kHostsimShift);
    ASSERT_TRUE(HostsimOpenMenu(0));
    HostsimCloseMenu();
    EXPECT_FALSE(ActivateChecked());
    ASSERT_TRUE(HostsimPickMenu("&Modules/Skyvane/Activate"));
    ASSERT_TRUE(HostsimOpenMenu(0));
    HostsimCloseMenu();
    EXPECT_TRUE(ActivateChecked());
}

TEST_F(Window, EachHotkeyFiresOnlyWithItsOwnModifiers) {
    WriteActiveIni();
    StartFlying();
    // Ctrl alone is nobody's modifier: none of these may reach options 7, 10, 11 or 13.
    Press('J', kHostsimCtrl);
    Press('I', kHostsimCtrl);
    Press('K', kHostsimCtrl);
    Press('Q', kHostsimShift); // unassigned
    HostsimShutdown();
    EXPECT_EQ(ReadIni("SETTINGS", "Mode"), "0");
    EXPECT_EQ(ReadIni("SETTINGS", "RndH"), "0");
    EXPECT_EQ(ReadIni("SETTINGS", "RndV"), "0");

    StartFlying();
    Press('J', kHostsimShift);
    Press('J', kHostsimShift | kHostsimCtrl);
    Press('K', kHostsimShift | kHostsimCtrl);
    Press('I', kHostsimShift | kHostsimCtrl);
    Press('P', kHostsimShift | kHostsimCtrl);
    HostsimShutdown();
    EXPECT_EQ(ReadIni("SETTINGS", "Mode"), "1");
    EXPECT_EQ(ReadIni("SETTINGS", "RndH"), "2");
    EXPECT_EQ(ReadIni("SETTINGS", "RndV"), "2");
    EXPECT_EQ(ReadIni("SETTINGS", "Active"), "1");

    WriteIni("SETTINGS", "RndH", "2");
    StartFlying();
    Press('N', kHostsimShift);                // normal mode
    Press('N', kHostsimShift | kHostsimCtrl); // no horizontal randomisation
    Press('M', kHostsimShift | kHostsimCtrl); // no vertical randomisation
    HostsimShutdown();
    EXPECT_EQ(ReadIni("SETTINGS", "Mode"), "0");
    EXPECT_EQ(ReadIni("SETTINGS", "RndH"), "0");
    EXPECT_EQ(ReadIni("SETTINGS", "RndV"), "0");
}

TEST_F(Window, TheAboutBoxPausesTheHostAndResumesItAtOk) {
    StartFlying();
    int first = HostsimEventCount();
    ASSERT_TRUE(HostsimPickMenu("&Modules/Skyvane/About..."));
    HWND about = HostsimFindModuleWindow(kAboutOk);
    ASSERT_NE(about, nullptr);
    char text[128];
    GetDlgItemTextA(about, 10015, text, sizeof(text));
    EXPECT_STREQ(text, "Skyvane v2.0");
    GetDlgItemTextA(about, 10019, text, sizeof(text));
    EXPECT_STREQ(text, "for MS FS2004");
    EXPECT_EQ(EventsSince(first, kEventPause), 1);
    EXPECT_TRUE(HostsimPaused());
    ASSERT_TRUE(HostsimClickControl(kAboutOk));
    HostsimPump(0);
    EXPECT_EQ(HostsimFindModuleWindow(kAboutOk), nullptr);
    EXPECT_EQ(EventsSince(first, kEventResume), 1);
    EXPECT_FALSE(HostsimPaused());
}

TEST_F(Window, AHostPausedAlreadyGetsNoEventsFromTheDialogs) {
    StartFlying();
    HostsimSetPaused(true);
    int first = HostsimEventCount();
    ASSERT_TRUE(HostsimPickMenu("&Modules/Skyvane/About..."));
    ASSERT_TRUE(HostsimClickControl(kAboutOk));
    ASSERT_TRUE(HostsimPickMenu("&Modules/Skyvane/Settings..."));
    ASSERT_NE(HostsimFindModuleWindow(kSettingsTabs), nullptr);
    ASSERT_TRUE(HostsimClickControl(10047)); // CANCEL
    HostsimPump(0);
    EXPECT_EQ(HostsimEventCount(), first);
    EXPECT_TRUE(HostsimPaused());
}

TEST_F(Window, TheSettingsHotkeyClosesAnOpenAboutBox) {
    StartFlying();
    int first = HostsimEventCount();
    ASSERT_TRUE(HostsimPickMenu("&Modules/Skyvane/About..."));
    ASSERT_NE(HostsimFindModuleWindow(kAboutOk), nullptr);
    Press('C', kHostsimShift);
    EXPECT_EQ(HostsimFindModuleWindow(kAboutOk), nullptr);
    EXPECT_EQ(EventsSince(first, kEventResume), 1);
    Press('C', kHostsimShift);
    EXPECT_NE(HostsimFindModuleWindow(kSettingsTabs), nullptr) << "the next press opens settings";
}

TEST_F(Window, AMenuPickWhileAWindowIsOpenBringsItForwardInsteadOfASecond) {
    StartFlying();
    ASSERT_TRUE(HostsimPickMenu("&Modules/Skyvane/Settings..."));
    HWND frame = HostsimFindModuleWindow(kSettingsTabs);
    ASSERT_NE(frame, nullptr);
    int first = HostsimEventCount();
    ASSERT_TRUE(HostsimPickMenu("&Modules/Skyvane/Settings..."));
    ASSERT_TRUE(HostsimPickMenu("&Modules/Skyvane/About..."));
    EXPECT_EQ(HostsimFindModuleWindow(kSettingsTabs), frame);
    EXPECT_EQ(HostsimFindModuleWindow(kAboutOk), nullptr);
    EXPECT_EQ(HostsimEventCount(), first) << "no second pause";
}

TEST_F(Window, AnyMenuCommandClosesTheAiList) {
    StartFlying();
    ASSERT_TRUE(HostsimPickMenu("&Modules/Skyvane/AI Aircraft..."));
    ASSERT_NE(HostsimFindModuleWindow(kAiListView), nullptr);
    ASSERT_TRUE(HostsimPickMenu("3/0"));
    EXPECT_EQ(HostsimFindModuleWindow(kAiListView), nullptr);
}

TEST_F(Window, ACancelledQuitKeepsThePassByViewRunning) {
    WriteActiveIni(5);
    options.lockstep = false; // the module's own one-second timer drives it
    Start();
    HostsimRunRealtime(options.flyingAfterSeconds + 2.5);
    HostsimRequestClose(true);
    ASSERT_TRUE(IsWindow(HostsimMainWindow())) << "the pilot cancelled quitting";
    HostsimEyePoint before = Tower();
    HostsimRunRealtime(12.0);
    EXPECT_FALSE(SameEye(before, Tower())) << "eye points are still placed every period";
}
