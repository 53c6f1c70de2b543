#include "shell/module/module_windows.h"
#include "shell/module/about_box.h"
#include "shell/host/host_services.h"
#include "shell/host/module_state.h"
#include "shell/settings/settings_dialog.h"
#include "shell/traffic/ai_list_window.h"

namespace {

void BringOpenWindowForward() {
    HWND open = g_state.settingsFrame ? g_state.settingsFrame : g_state.aboutBox;
    if (open && IsWindow(open)) {
        SetForegroundWindow(open);
    }
}

// The host pauses while a dialog is open, unless it was paused already.
void PauseForDialog() {
    PassByController& c = g_state.controller;
    c.hostWasPaused = g_state.host->HostPaused();
    if (!c.hostWasPaused) {
        PostHostEvent(kEventPauseForDialog);
    }
}

void ResumeAfterDialog() {
    if (!g_state.controller.hostWasPaused) {
        PostHostEvent(kEventResumeAfterDialog);
    }
}

void CloseAiListWindow() {
    CloseModuleWindow(kAiListWindow);
}

void CloseModuleDialog() {
    CloseModuleWindow(kSettingsWindow);
}

} // namespace

void OpenModuleWindow(ModuleWindow window) {
    PassByController& c = g_state.controller;
    if (c.windowOpen) {
        BringOpenWindowForward();
        return;
    }
    c.windowOpen = true;
    bool created;
    if (window == kAiListWindow) {
        c.aiListOpen = true;
        created = OpenAiList(CloseAiListWindow);
    } else {
        PauseForDialog();
        created = window == kSettingsWindow ? OpenSettingsDialog(CloseModuleDialog)
                                            : OpenAboutBox(CloseModuleDialog);
    }
    // A window that could not be created must not keep the others locked or the host paused.
    if (!created) {
        CloseModuleWindow(window);
    }
}

void CloseModuleWindow(ModuleWindow window) {
    PassByController& c = g_state.controller;
    if (!c.windowOpen || c.aiListOpen != (window == kAiListWindow)) {
        return;
    }
    c.windowOpen = false;
    if (window == kAiListWindow) {
        c.aiListOpen = false;
        CloseAiList();
        return;
    }
    CloseSettingsDialog();
    CloseAboutBox();
    ResumeAfterDialog();
}
