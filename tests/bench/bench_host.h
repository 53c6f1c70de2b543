#pragma once
// Starts the real Skyvane.dll in a hidden stand-in host for the benchmarks, and times things.
#include <windows.h>
#include <cstdio>
#include <string>
#include "hostsim/host_layout.h"
#include "hostsim/hostsim.h"

namespace bench {

inline std::string BinaryFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of("\\/"));
}

// A host folder with the module and a settings file that switches the view on; the host is
// started hidden and stepped until it flies and the module has bound.
inline bool StartBenchHost(const char* name, const char* extraSettings[][3], int extraCount) {
    std::string root = BinaryFolder() + "\\hosts\\" + name;
    std::string dll = BinaryFolder() + "\\Skyvane.dll";
    const char* modules[] = {dll.c_str()};
    CreateDirectoryA((BinaryFolder() + "\\hosts").c_str(), nullptr);
    if (!HostsimPrepareRoot(root.c_str(), modules, 1)) {
        return false;
    }
    std::string ini = root + "\\Modules\\Skyvane.ini";
    WritePrivateProfileStringA("SETTINGS", "Active", "1", ini.c_str());
    for (int i = 0; i < extraCount; ++i) {
        WritePrivateProfileStringA(extraSettings[i][0], extraSettings[i][1], extraSettings[i][2],
                                   ini.c_str());
    }
    WritePrivateProfileStringA("SVM", "Rid", "1", ini.c_str());
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, ini.c_str());
    HostsimOptions options;
    HostsimDefaultOptions(&options);
    snprintf(options.rootDir, sizeof(options.rootDir), "%s", root.c_str());
    options.lockstep = true;
    options.showWindow = false;
    if (!HostsimStart(&options)) {
        fprintf(stderr, "bench: %s\n", HostsimLastError());
        return false;
    }
    HostsimStep(options.flyingAfterSeconds + 2);
    return HostsimHostState() == kHostStateFlying;
}

class Stopwatch {
  public:
    Stopwatch() {
        QueryPerformanceFrequency(&frequency_);
        QueryPerformanceCounter(&start_);
    }
    double Microseconds() const {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        return static_cast<double>(now.QuadPart - start_.QuadPart) * 1e6 /
               static_cast<double>(frequency_.QuadPart);
    }

  private:
    LARGE_INTEGER frequency_;
    LARGE_INTEGER start_;
};

// The best of several rounds, per iteration: the least disturbed by a shared machine.
template <typename Body> double BestMicroseconds(int rounds, int iterations, Body body) {
    double best = 1e300;
    for (int round = 0; round < rounds; ++round) {
        Stopwatch watch;
        for (int i = 0; i < iterations; ++i) {
            body();
        }
        double perIteration = watch.Microseconds() / iterations;
        best = perIteration < best ? perIteration : best;
    }
    return best;
}

} // namespace bench
