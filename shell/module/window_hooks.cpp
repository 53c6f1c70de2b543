#include "shell/module/window_hooks.h"
#include "shell/host/module_state.h"
#include "shell/module/module_windows.h"
#include "shell/module/startup.h"
#include "shell/traffic/ai_list_window.h"
#include "shell/settings/config_file.h"

namespace {

class WindowHooks final : public ShellHooks {
  public:
    void Bound() override { BindShell(); }

    void ToggleSettingsDialog() override {
        const PassByController& c = g_state.controller;
        if (!c.windowOpen) {
            OpenModuleWindow(kSettingsWindow);
        } else if (!c.aiListOpen) {
            CloseModuleWindow(kSettingsWindow);
        }
    }

    void ToggleAiList() override {
        const PassByController& c = g_state.controller;
        if (!c.windowOpen) {
            OpenModuleWindow(kAiListWindow);
        } else if (c.aiListOpen) {
            CloseModuleWindow(kAiListWindow);
        }
    }

    void RefreshAiList() override { RefreshAiListWindow(); }

    void WriteSettings() override { SaveConfiguration(); }
};

} // namespace

ShellHooks& ModuleShellHooks() {
    static WindowHooks hooks;
    return hooks;
}
