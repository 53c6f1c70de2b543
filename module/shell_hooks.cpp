#include "module/shell_hooks.h"
#include "module/module_state.h"
#include "module/module_windows.h"
#include "module/startup.h"
#include "traffic/ai_list_window.h"

namespace {

class WindowHooks final : public ShellHooks {
  public:
    explicit WindowHooks(ModuleState& state) : state_(state) {}

    void Bound() override { BindShell(); }

    void ToggleSettingsDialog() override {
        const PassByController& c = state_.controller;
        if (!c.windowOpen) {
            OpenModuleWindow(state_, kSettingsWindow);
        } else if (!c.aiListOpen) {
            CloseModuleWindow(state_, kSettingsWindow);
        }
    }

    void ToggleAiList() override {
        const PassByController& c = state_.controller;
        if (!c.windowOpen) {
            OpenModuleWindow(state_, kAiListWindow);
        } else if (c.aiListOpen) {
            CloseModuleWindow(state_, kAiListWindow);
        }
    }

    void RefreshAiList() override { RefreshAiListWindow(state_.aiListWindow); }

  private:
    ModuleState& state_;
};

} // namespace

ShellHooks& ModuleShellHooks(ModuleState& state) {
    static WindowHooks hooks(state);
    return hooks;
}
