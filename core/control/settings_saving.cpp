#include "core/control/settings_saving.h"

namespace {

StoredValues StoredNow(const ModuleCore& core) {
    return StoredValuesOf(core.settings, core.hotkeys, core.controller.spottingEyePoint);
}

} // namespace

void RecordStoredSettings(ModuleCore& core) {
    core.storedSettings = StoredNow(core);
}

void SaveChangedSettings(ModuleCore& core) {
    const StoredValues now = StoredNow(core);
    if (SameStoredValues(now, core.storedSettings)) {
        return;
    }
    core.storedSettings = now;
    core.shell->WriteSettings();
}
