#pragma once
// The shell's answers to the core's requests: binding, the two window commands and the AI
// list's refresh.
#include "core/boundary/shell_hooks.h"

struct ModuleState;

// The hooks act on the state handed in at construction. The constructor is constexpr so the
// module's one instance is in place before any code runs: a guarded static made at first use
// would take a lock, which every load of the DLL sets up anew.
class WindowHooks final : public ShellHooks {
  public:
    constexpr explicit WindowHooks(ModuleState& state) : state_(state) {}

    void Bound() override;
    void ToggleSettingsDialog() override;
    void ToggleAiList() override;
    void RefreshAiList() override;
    void WriteSettings() override;

  private:
    ModuleState& state_;
};
