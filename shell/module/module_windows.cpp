#include "shell/module/module_windows.h"
#include "shell/module/about_box.h"
#include "shell/host/host_services.h"
#include "shell/host/module_state.h"
#include "shell/settings/settings_dialog.h"
#include "shell/traffic/ai_list_window.h"

namespace {

void BringOpenWindowForward(const ModuleState& state) {
    HWND open = state.settingsFrame ? state.settingsFrame : state.aboutBox;
    if (open && IsWindow(open)) {
        SetForegroundWindow(open);
    }
}

// The host pauses while a dialog is open, unless it was paused already.
void PauseForDialog(ModuleState& state) {
    PassByController& c = state.controller;
    c.hostWasPaused = state.host->HostPaused();
    if (!c.hostWasPaused) {
        PostHostEvent(kEventPauseForDialog);
    }
}

void ResumeAfterDialog(ModuleState& state) {
    if (!state.controller.hostWasPaused) {
        PostHostEvent(kEventResumeAfterDialog);
    }
}

void CloseAiListWindow(ModuleState& state) {
    CloseModuleWindow(state, kAiListWindow);
}

void CloseModuleDialog(ModuleState& state) {
    CloseModuleWindow(state, kSettingsWindow);
}

} // namespace

void OpenModuleWindow(ModuleState& state, ModuleWindow window) {
    PassByController& c = state.controller;
    if (c.windowOpen) {
        BringOpenWindowForward(state);
        return;
    }
    c.windowOpen = true;
    bool created;
    if (window == kAiListWindow) {
        c.aiListOpen = true;
        state.aiListWindow = OpenAiList(state, CloseAiListWindow);
        created = state.aiListWindow != nullptr;
    } else if (window == kSettingsWindow) {
        PauseForDialog(state);
        state.settingsFrame = OpenSettingsDialog(state, CloseModuleDialog);
        created = state.settingsFrame != nullptr;
    } else {
        PauseForDialog(state);
        state.aboutBox = OpenAboutBox(state, CloseModuleDialog);
        created = state.aboutBox != nullptr;
    }
    // A window that could not be created must not keep the others locked or the host paused.
    if (!created) {
        CloseModuleWindow(state, window);
    }
}

void CloseModuleWindow(ModuleState& state, ModuleWindow window) {
    PassByController& c = state.controller;
    if (!c.windowOpen || c.aiListOpen != (window == kAiListWindow)) {
        return;
    }
    c.windowOpen = false;
    if (window == kAiListWindow) {
        c.aiListOpen = false;
        HWND list = state.aiListWindow;
        state.aiListWindow = nullptr;
        CloseAiList(list);
        return;
    }
    HWND frame = state.settingsFrame;
    HWND box = state.aboutBox;
    state.settingsFrame = nullptr;
    state.aboutBox = nullptr;
    CloseSettingsDialog(frame);
    CloseAboutBox(box);
    ResumeAfterDialog(state);
}
