// The core's one-second tick against a lean host whose reads cost what a host's do, side by
// side in one run: with a placement and without, with following turns and catching up after
// jumps off and on, next to the floor of the ten host reads a placement needs. Built without
// sanitizers by ./skyvane.sh bench; runs anywhere.
#include <chrono>
#include <cstdio>
#include "core/control/controller.h"

namespace {

constexpr int kRounds = 7;
constexpr int kIterations = 20000;

// One aircraft flying a gentle turn; every read is a switch and a load.
class LeanHost final : public HostBoundary {
  public:
    double headingDeg = 90.0;
    int32_t viewMode = kViewModeTower;
    EyePoint tower{};

    bool InterfacesFilled() override { return true; }
    bool HostReady() override { return true; }
    int32_t HostState() override { return state; }
    bool ViewModuleExported() override { return true; }
    void ResolveAddresses() override {}
    bool UserPositionKnown() override { return true; }
    HostObject LookupObject(HostObjectId) override { return &data; }
    HostObjectData ObjectData(HostObject object) override { return object; }
    double ReadValue(HostObjectData, int32_t variable, int32_t) override {
        switch (variable) {
        case kVarLatitude:
            return 47.25;
        case kVarLongitude:
            return 8.5;
        case kVarAltitude:
            return 3000.0;
        case kVarMagneticHeading:
            return headingDeg;
        case kVarSize:
            return 36.0;
        case kVarSpeedAlong:
            return 120.0;
        case kVarGroundElevation:
            return 1400.0;
        default:
            return 0.0;
        }
    }
    void ReadText(HostObjectData, int32_t, char* buffer, int32_t) override { buffer[0] = '\0'; }
    void ReadPosition(HostObjectData, EyePoint*) override {}
    int32_t AiStateOf(HostObjectId) override { return 0; }
    bool DistanceMetres(HostObjectData, HostObjectData, double*) override { return false; }
    int32_t AiListCount() override { return 1; }
    HostObjectId AiListEntryId(int32_t) override { return kUserAircraftId; }
    double DayOfWeek() override { return 0.0; }
    UtcClock UtcTime() override { return UtcClock{0, 0, 0}; }
    bool ReadTowerEyePoint(EyePoint* out) override {
        *out = tower;
        return true;
    }
    void WriteTowerEyePoint(const EyePoint& point) override { tower = point; }
    int32_t ViewMode() override { return viewMode; }
    void SetViewMode(int32_t mode) override { viewMode = mode; }
    void RefreshTowerView() override {}
    void RefreshFollowView() override {}
    void SetFollowedObject(HostObjectId) override {}
    bool HostPaused() override { return false; }
    bool RedirectInstalled() override { return false; }
    bool ReplacementInstalled() override { return false; }
    void InstallRedirect() override {}
    void RemoveRedirect() override {}
    HostObjectData OwnViewAnswer() override { return &data; }

    int32_t state = kHostStateBinding;

  private:
    double data = 0.0;
};

class QuietShell final : public ShellHooks {
  public:
    void Bound() override {}
    void ToggleSettingsDialog() override {}
    void ToggleAiList() override {}
    void RefreshAiList() override {}
    void WriteSettings() override {}
};

volatile double g_sink;

template <typename Body> double BestNanoseconds(Body body) {
    double best = 1e300;
    for (int round = 0; round < kRounds; ++round) {
        auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < kIterations; ++i) {
            body();
        }
        std::chrono::duration<double, std::nano> spent = std::chrono::steady_clock::now() - start;
        best = spent.count() / kIterations < best ? spent.count() / kIterations : best;
    }
    return best;
}

struct Figures {
    double withPlacement, withoutPlacement;
};

// The tick of a running module, once renewing every second (another view), once counting the
// period in the tower view.
Figures MeasureTicks(ModuleCore& core, LeanHost& host, int32_t options) {
    core.settings.Turns = core.settings.Jumps = options;
    auto tick = [&] {
        host.headingDeg = host.headingDeg >= 359.0 ? 0.0 : host.headingDeg + 1.0;
        ControllerTick(core);
    };
    host.viewMode = kViewModeCockpit;
    Figures figures;
    figures.withPlacement = BestNanoseconds(tick);
    host.viewMode = kViewModeTower;
    figures.withoutPlacement = BestNanoseconds(tick);
    return figures;
}

} // namespace

int main() {
    static ModuleCore core; // the AI list's rows make it too large for the stack
    LeanHost host;
    QuietShell shell;
    InitModuleCore(core, &host, &shell);
    core.settings.Svp = 120;
    ControllerTick(core);
    host.state = kHostStateFlying;
    DispatchCommand(core, kCommandOnOff);

    const int32_t reads[10] = {kVarLatitude,         kVarLongitude,   kVarAltitude,
                               kVarMagneticHeading,  kVarSize,        kVarSpeedAlong,
                               kVarVerticalSpeed,    kVarSpeedAcross, kVarGroundElevation,
                               kVarMagneticVariation};
    HostBoundary& boundary = host;
    Figures off{}, on{};
    double floorNs = 0;
    for (int pass = 0; pass < 2; ++pass) { // interleaved, so every figure sees the same machine
        floorNs = BestNanoseconds([&] {
            for (int32_t variable : reads) {
                g_sink =
                    boundary.ReadValue(boundary.ObjectData(boundary.LookupObject(1)), variable, 0);
            }
        });
        off = MeasureTicks(core, host, 0);
        on = MeasureTicks(core, host, 1);
    }
    printf("%-50s %9s %9s\n", "core tick, best of 7 rounds of 20000", "ns", "x floor");
    printf("%-50s %9.1f %9.2f\n", "floor: the ten host reads of a placement", floorNs, 1.0);
    printf("%-50s %9.1f %9.2f\n", "tick with a placement, turns and jumps off", off.withPlacement,
           off.withPlacement / floorNs);
    printf("%-50s %9.1f %9.2f\n", "tick with a placement, turns and jumps on", on.withPlacement,
           on.withPlacement / floorNs);
    printf("%-50s %9.1f %9.2f\n", "tick without a placement, turns and jumps off",
           off.withoutPlacement, off.withoutPlacement / floorNs);
    printf("%-50s %9.1f %9.2f\n", "tick without a placement, turns and jumps on",
           on.withoutPlacement, on.withoutPlacement / floorNs);
    printf("turns and jumps on / off: %.2f with a placement, %.2f without\n",
           on.withPlacement / off.withPlacement, on.withoutPlacement / off.withoutPlacement);
    return 0;
}
