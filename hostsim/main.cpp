// hostsim.exe: the stand-in host on its own, interactive or headless.
#include "hostsim/hostsim.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
constexpr int kDefaultLockstepSeconds = 60;

void Usage() {
    fprintf(stderr,
            "usage: hostsim [--scenario FILE] [--trace FILE] [--lockstep] [--seconds N]\n"
            "               [--root DIR] [--hidden] [--pictures DIR]\n"
            "  Loads the DLLs in DIR\\Modules (DIR: the current directory) and runs the\n"
            "  host: in real time until the window closes or N seconds have passed, or\n"
            "  with --lockstep as fast as it goes for N simulated seconds. With --pictures\n"
            "  it saves the pictures the scenario asks for into DIR.\n");
}
} // namespace

int main(int argc, char** argv) {
    HostsimOptions options;
    HostsimDefaultOptions(&options);
    options.lockstep = false;
    const char* scenario = nullptr;
    int seconds = -1;
    for (int i = 1; i < argc; ++i) {
        bool more = i + 1 < argc;
        if (!strcmp(argv[i], "--scenario") && more) {
            scenario = argv[++i];
        } else if (!strcmp(argv[i], "--trace") && more) {
            snprintf(options.tracePath, sizeof options.tracePath, "%s", argv[++i]);
        } else if (!strcmp(argv[i], "--root") && more) {
            snprintf(options.rootDir, sizeof options.rootDir, "%s", argv[++i]);
        } else if (!strcmp(argv[i], "--pictures") && more) {
            HostsimSetPictureFolder(argv[++i]);
        } else if (!strcmp(argv[i], "--seconds") && more) {
            seconds = atoi(argv[++i]);
        } else if (!strcmp(argv[i], "--lockstep")) {
            options.lockstep = true;
        } else if (!strcmp(argv[i], "--hidden")) {
            options.showWindow = false;
        } else {
            Usage();
            return 2;
        }
    }
    int scenarioSeconds = 0;
    if (scenario && !HostsimLoadScenario(scenario, &options, &scenarioSeconds)) {
        fprintf(stderr, "hostsim: cannot read the scenario %s\n%s", scenario, HostsimJournal());
        return 1;
    }
    if (seconds < 0 && scenarioSeconds > 0) {
        seconds = scenarioSeconds;
    }
    if (!HostsimStart(&options)) {
        fprintf(stderr, "hostsim: %s\n", HostsimLastError());
        return 1;
    }
    if (options.lockstep) {
        HostsimStep(seconds < 0 ? kDefaultLockstepSeconds : seconds);
    } else {
        HostsimRunRealtime(seconds);
    }
    HostsimShutdown();
    printf("%s", HostsimJournal());
    return 0;
}
