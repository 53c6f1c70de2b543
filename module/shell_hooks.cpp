#include "module/shell_hooks.h"
#include "module/module_state.h"
#include "module/module_windows.h"
#include "module/startup.h"
#include "traffic/ai_list_window.h"

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
