// The cost of the module's one-second tick in the tower view, with and without a placement,
// next to the floor: the ten host reads a placement needs, made directly against the host.
#include "bench_host.h"
#include "hostsim/host_layout.h"
#include "shell/module/tick_timer.h"

namespace {

constexpr int kRounds = 7;
constexpr int kIterations = 4000;

using LookupObjectFn = void*(__stdcall*)(int32_t id);
using GetObjectDataFn = void*(__stdcall*)(void* object);
using ReadObjectValueFn = void(__stdcall*)(void* data, int32_t variable, int32_t unit, double* out,
                                           int32_t zero);

// The variables and units a placement reads, in its order.
const int32_t kPlacementReads[10][2] = {{kVarLatitude, kUnitDegrees},
                                        {kVarLongitude, kUnitDegrees},
                                        {kVarAltitude, kUnitFeet},
                                        {kVarMagneticHeading, kUnitDegrees},
                                        {kVarSize, kUnitFeet},
                                        {kVarSpeedAlong, kUnitKnots},
                                        {kVarVerticalSpeed, kUnitFeetPerMinute},
                                        {kVarSpeedAcross, kUnitKnots},
                                        {kVarGroundElevation, kUnitFeet},
                                        {kVarMagneticVariation, kUnitDegrees}};

void* Method(void* object, int index) {
    return (*static_cast<void***>(object))[index];
}

volatile double g_sink;

// Each read looks the aircraft up afresh, as the module must, since it may have gone.
void TenHostReads(LookupObjectFn lookup) {
    for (const auto& read : kPlacementReads) {
        void* object = lookup(kUserAircraftId);
        auto getData = reinterpret_cast<GetObjectDataFn>(Method(object, kGetObjectDataMethod));
        void* data = getData(object);
        auto readValue = reinterpret_cast<ReadObjectValueFn>(Method(data, kReadObjectValueMethod));
        double value = 0.0;
        readValue(data, read[0], read[1], &value, 0);
        g_sink = value;
    }
}

} // namespace

int main() {
    const char* settings[][3] = {{"SETTINGS", "Svp", "120"}, {"SETTINGS", "RngSvpMax", "120"}};
    if (!bench::StartBenchHost("tick_bench", settings, 2)) {
        fprintf(stderr, "tick_bench: the host did not start\n");
        return 1;
    }
    HWND tick = HostsimTickWindow(0);
    auto lookup = *reinterpret_cast<LookupObjectFn*>(HostsimInterface(kObjectsInterfaceId) +
                                                     kLookupObjectOffset);
    auto Tick = [tick] { SendMessageA(tick, WM_TIMER, kTickTimerId, 0); };

    // Interleaved, so that every figure sees the same machine.
    double floorUs = 0, withPlacementUs = 0, withoutPlacementUs = 0, messageUs = 0;
    for (int pass = 0; pass < 2; ++pass) {
        floorUs = bench::BestMicroseconds(kRounds, kIterations, [lookup] { TenHostReads(lookup); });
        messageUs = bench::BestMicroseconds(kRounds, kIterations,
                                            [tick] { SendMessageA(tick, WM_NULL, 0, 0); });
        HostsimSetView(1); // another view: the eye point is renewed at every tick
        withPlacementUs = bench::BestMicroseconds(kRounds, kIterations, Tick);
        HostsimSetView(3); // the tower view counting its period: 1 placement in 120 ticks
        Tick();
        withoutPlacementUs = bench::BestMicroseconds(kRounds, kIterations, Tick);
    }
    const HostsimStats* stats = HostsimStatistics();
    HostsimShutdown();

    printf("%-44s %10s %10s\n", "one tick, best of 7 rounds of 4000", "us", "x floor");
    printf("%-44s %10.3f %10.2f\n", "floor: the ten host reads of a placement", floorUs, 1.0);
    printf("%-44s %10.3f %10.2f\n", "tick with a placement (view renewed)", withPlacementUs,
           withPlacementUs / floorUs);
    printf("%-44s %10.3f %10.2f\n", "tick without a placement (tower, counting)",
           withoutPlacementUs, withoutPlacementUs / floorUs);
    printf("%-44s %10.3f %10.2f\n", "of which the timer message's own dispatch", messageUs,
           messageUs / floorUs);
    printf("host value reads made: %lu\n",
           static_cast<unsigned long>(stats ? stats->valueReads : 0));
    return 0;
}
