// The host's state words: state, ready, pause, view, clock and version word.
#include "hostsim/host_state.h"

#include "hostsim/host_blocks.h"
#include "hostsim/host_layout.h"
#include "hostsim/host_world.h"
#include "hostsim/hostsim_state.h"

#include <cmath>

namespace {
const int32_t kViewCycle[] = {kViewCockpit, kViewTower, kViewFollow};
} // namespace

void TogglePause() {
    *PauseWord() = *PauseWord() ? 0 : 1;
}

void CycleView() {
    HostsimViewRecord* view = HostsimActiveView();
    int next = 0;
    for (int i = 0; i < 3; ++i) {
        if (kViewCycle[i] == view->viewMode) {
            next = (i + 1) % 3;
        }
    }
    view->viewMode = kViewCycle[next];
}

void OpenHostDialog() {
    if (*StateWord() != kHostStateFlying && gWorld.dialogSecondsLeft == 0) {
        return;
    }
    *StateWord() = kHostStateDialog;
    gWorld.dialogSecondsLeft = gWorld.options.hostDialogSeconds;
    Journal("host dialog");
}

int32_t HostsimHostState() {
    return *StateWord();
}

void HostsimSetHostState(int32_t state) {
    gWorld.phase = kPhaseManual;
    gWorld.dialogSecondsLeft = 0;
    *StateWord() = state;
}

bool HostsimReady() {
    return *ReadyWord() != 0;
}
void HostsimSetReady(bool ready) {
    *ReadyWord() = ready ? 1 : 0;
}
bool HostsimPaused() {
    return *PauseWord() != 0;
}
void HostsimSetPaused(bool paused) {
    *PauseWord() = paused ? 1 : 0;
}
void HostsimSetView(int32_t viewMode) {
    HostsimActiveView()->viewMode = viewMode;
}

void HostsimSetUtc(int hours, int minutes, int seconds, int dayOfWeek) {
    *UtcHoursWord() = hours;
    *UtcMinutesWord() = minutes;
    *UtcSecondsWord() = static_cast<uint16_t>(seconds);
    gWorld.dayOfWeek = dayOfWeek;
}

bool HostsimSetSimulationRate(double rate) {
    constexpr double kSlowest = 0.25;
    constexpr double kFastest = 128.0;
    int exponent = 0;
    const bool powerOfTwo = std::frexp(rate, &exponent) == 0.5;
    if (!(rate >= kSlowest && rate <= kFastest) || !powerOfTwo) {
        return false;
    }
    gWorld.simRate = rate;
    return true;
}

double HostsimSimulationRate() {
    return gWorld.simRate;
}

uint32_t HostsimVersionWord() {
    return hostVersionWord;
}
void HostsimSetVersionWord(uint32_t value) {
    hostVersionWord = value;
}
