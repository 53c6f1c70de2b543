#include "shell/module/window_hooks.h"
#include "shell/host/module_state.h"
#include "shell/module/module_windows.h"
#include "shell/module/startup.h"
#include "shell/settings/config_file.h"
#include "shell/traffic/ai_list_window.h"

void WindowHooks::Bound() {
    BindShell(state_);
}

void WindowHooks::ToggleSettingsDialog() {
    const PassByController& c = state_.controller;
    if (!c.windowOpen) {
        OpenModuleWindow(state_, kSettingsWindow);
    } else if (!c.aiListOpen) {
        CloseModuleWindow(state_, kSettingsWindow);
    }
}

void WindowHooks::ToggleAiList() {
    const PassByController& c = state_.controller;
    if (!c.windowOpen) {
        OpenModuleWindow(state_, kAiListWindow);
    } else if (c.aiListOpen) {
        CloseModuleWindow(state_, kAiListWindow);
    }
}

void WindowHooks::RefreshAiList() {
    RefreshAiListWindow(state_.aiListWindow);
}

void WindowHooks::WriteSettings() {
    SaveConfiguration(state_);
}
