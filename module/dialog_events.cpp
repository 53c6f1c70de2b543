#include "module/dialog_events.h"
#include "module/host_services.h"
#include "module/module_state.h"

void BeginModuleDialog() {
    PassByController& c = g_state.controller;
    c.windowOpen = true;
    if (HostPauseWord() == 1) {
        c.hostWasPaused = true;
    } else {
        c.hostWasPaused = false;
        PostHostEvent(kEventPauseForDialog);
    }
}

void EndModuleDialog() {
    g_state.controller.windowOpen = false;
    if (!g_state.controller.hostWasPaused) {
        PostHostEvent(kEventResumeAfterDialog);
    }
}
