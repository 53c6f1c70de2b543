#pragma once
// What the core asks of the module's own windows, the other side of the boundary: the shell
// keeps the bookkeeping of which module window is open.

class ShellHooks {
  public:
    // The host is ready: the settings file is read (and the diagnostic dump written).
    virtual void Bound() = 0;
    virtual void ToggleSettingsDialog() = 0;
    virtual void ToggleAiList() = 0;
    virtual void RefreshAiList() = 0;
    // The stored settings changed: the settings file gets them now, in the format of the write
    // at exit, so that a crash of the host loses at most the change being written.
    virtual void WriteSettings() = 0;

  protected:
    ~ShellHooks() = default;
};
