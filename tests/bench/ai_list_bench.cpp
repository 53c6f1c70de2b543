// Times the AI aircraft list of the real module in the stand-in host: opening the window and one
// refresh with 0 to 2000 AI aircraft, unchanged, all moving, and sorted by distance with every
// distance changing, beside the cost of the host reads a refresh makes. With --show it instead
// opens the list over a dozen aircraft sorted by distance and keeps it on screen.
#include <windows.h>
#include <commctrl.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include "core/settings/text_size.h"
#include "hostsim/host_layout.h"
#include "hostsim/hostsim.h"
#include "shell/module/host_window.h"
#include "shell/module/tick_timer.h"
#include "shell/resources/resource_ids.h"

namespace {

// 60 is the most the stand-in host holds at present (64 aircraft, the user's included).
constexpr int kSizes[] = {0, 60, 100, 500, 1000, 2000};
constexpr int kRepeats = 15;    // refreshes timed per case; the fastest is reported
constexpr int kOpenRepeats = 3; // openings timed per size
constexpr int kColumnDistance = 2;
constexpr double kDegreesPerNm = 1.0 / 60.0;
constexpr double kUserLatitude = 50.0;
constexpr double kUserLongitude = 1.0;
constexpr int kShowAircraft = 12;
constexpr int kShowSelectedRow = 2;

using LookupFn = void*(__stdcall*)(int32_t id);
using GetDataFn = void*(__stdcall*)(void* object);
using ReadTextFn = void(__stdcall*)(void* data, int32_t variable, char* out, int32_t capacity,
                                    int32_t zero);
using ReadValueFn = void(__stdcall*)(void* data, int32_t variable, int32_t unit, double* out,
                                     int32_t zero);
using DistanceFn = double(__stdcall*)(const void* first, const void* second);

double NowMicroseconds() {
    static LARGE_INTEGER frequency = {};
    if (frequency.QuadPart == 0) {
        QueryPerformanceFrequency(&frequency);
    }
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1e6 / static_cast<double>(frequency.QuadPart);
}

// The fastest sample: the one least disturbed by other work on a shared machine.
double Fastest(const double* samples, int count) {
    return *std::min_element(samples, samples + count);
}

uint32_t g_random = 2024;
double Random01() {
    g_random = g_random * 1664525u + 1013904223u;
    return static_cast<double>(g_random >> 8) / 16777216.0;
}

// --- The host ---------------------------------------------------------------------------------

bool StartHost(int aiCount, bool lockstep, bool viewOn) {
    char folder[MAX_PATH];
    GetModuleFileNameA(nullptr, folder, MAX_PATH);
    *strrchr(folder, '\\') = '\0';
    char root[MAX_PATH + 32], dll[MAX_PATH + 32];
    snprintf(root, sizeof root, "%s\\hosts\\ai_list_bench", folder);
    snprintf(dll, sizeof dll, "%s\\Skyvane.dll", folder);
    char hosts[MAX_PATH + 32];
    snprintf(hosts, sizeof hosts, "%s\\hosts", folder);
    CreateDirectoryA(hosts, nullptr);
    const char* modules[] = {dll};
    if (!HostsimPrepareRoot(root, modules, 1)) {
        return false;
    }
    if (viewOn) {
        char ini[MAX_PATH + 64];
        snprintf(ini, sizeof ini, "%s\\Modules\\Skyvane.ini", root);
        WritePrivateProfileStringA("SETTINGS", "Active", "1", ini);
        WritePrivateProfileStringA("SVM", "Rid", "1", ini); // the file was written by the module
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, ini);
    }
    HostsimOptions options;
    HostsimDefaultOptions(&options);
    snprintf(options.rootDir, sizeof options.rootDir, "%s", root);
    options.lockstep = lockstep;

    HostsimAircraft user;
    HostsimDefaultAircraft(&user, kUserAircraftId);
    user.latitudeDeg = kUserLatitude;
    user.longitudeDeg = kUserLongitude;
    user.speedKnots = 0.0;
    user.turnRateDegPerSec = 0.0;
    HostsimAddAircraft(&user);
    for (int i = 0; i < aiCount; ++i) {
        HostsimAircraft ai;
        HostsimDefaultAircraft(&ai, 100 + i);
        ai.latitudeDeg = kUserLatitude + (1.0 + 40.0 * Random01()) * kDegreesPerNm;
        ai.longitudeDeg = kUserLongitude + (Random01() - 0.5);
        ai.speedKnots = 0.0;
        ai.turnRateDegPerSec = 0.0;
        ai.aiState = 8 + i % 10;
        snprintf(ai.type, sizeof ai.type, "%s", i % 3 ? "Airbus A321" : "Boeing 737-800");
        if (!HostsimAddAircraft(&ai)) {
            return false;
        }
    }
    if (!HostsimStart(&options)) {
        return false;
    }
    HostsimStep(options.flyingAfterSeconds + 1);
    return true;
}

HWND ListWindow() {
    return HostsimFindModuleWindow(IDC_AI_LIST_VIEW);
}

void OpenList() {
    SendMessageA(HostsimMainWindow(), WM_COMMAND, kMenuAiAircraft, 0);
}

void CloseList() {
    HostsimClickControl(IDC_AI_LIST_CLOSE);
}

void ClickDistanceHeader() {
    HWND window = ListWindow();
    NMLISTVIEW click = {};
    click.hdr.hwndFrom = GetDlgItem(window, IDC_AI_LIST_VIEW);
    click.hdr.idFrom = IDC_AI_LIST_VIEW;
    click.hdr.code = LVN_COLUMNCLICK;
    click.iItem = -1;
    click.iSubItem = kColumnDistance;
    SendMessageA(window, WM_NOTIFY, IDC_AI_LIST_VIEW, reinterpret_cast<LPARAM>(&click));
}

// One tick of the module, as its timer would deliver it.
double TimedTick() {
    HWND tick = HostsimTickWindow(0);
    double start = NowMicroseconds();
    SendMessageA(tick, WM_TIMER, kTickTimerId, 0);
    double elapsed = NowMicroseconds() - start;
    HostsimPump(0);
    return elapsed;
}

// --- What changes between refreshes -------------------------------------------------------------

enum Motion { kStill, kAllMoving, kDistancesShuffled };

void Move(int aiCount, Motion motion) {
    for (int i = 0; i < aiCount; ++i) {
        HostsimAircraft* ai = HostsimFindAircraft(100 + i);
        if (motion == kAllMoving) {
            ai->latitudeDeg += 0.3 * kDegreesPerNm;
            ai->altitudeFeet += 100.0;
        } else if (motion == kDistancesShuffled) {
            ai->latitudeDeg = kUserLatitude + (1.0 + 40.0 * Random01()) * kDegreesPerNm;
            ai->longitudeDeg = kUserLongitude;
        }
    }
    if (motion != kStill && aiCount > 0) {
        // Putting one aircraft back makes the host take every new position at once.
        HostsimAddAircraft(HostsimFindAircraft(100));
    }
}

double RefreshMicroseconds(int aiCount, Motion motion, double tickWithoutList) {
    double samples[kRepeats];
    for (int r = 0; r < kRepeats; ++r) {
        Move(aiCount, motion);
        samples[r] = TimedTick() - tickWithoutList;
    }
    return Fastest(samples, kRepeats);
}

// --- The host reads alone ---------------------------------------------------------------------

struct HostCalls {
    LookupFn lookup;
    DistanceFn distance;
};

HostCalls FindHostCalls() {
    HostCalls calls;
    memcpy(&calls.lookup, HostsimInterface(kObjectsInterfaceId) + kLookupObjectOffset,
           sizeof calls.lookup);
    memcpy(&calls.distance, HostsimInterface(kGeometryInterfaceId) + kPositionDistanceOffset,
           sizeof calls.distance);
    return calls;
}

void** Methods(void* object) {
    return *static_cast<void***>(object);
}

void* Resolve(const HostCalls& calls, int32_t id) {
    void* object = calls.lookup(id);
    return reinterpret_cast<GetDataFn>(Methods(object)[kGetObjectDataMethod])(object);
}

double Value(const HostCalls& calls, int32_t id, int32_t variable, int32_t unit) {
    void* data = Resolve(calls, id);
    double value = 0.0;
    reinterpret_cast<ReadValueFn>(Methods(data)[kReadObjectValueMethod])(data, variable, unit,
                                                                         &value, 0);
    return value;
}

const void* Position(const HostCalls& calls, int32_t id) {
    uint8_t* data = static_cast<uint8_t*>(Resolve(calls, id));
    uint8_t* record;
    memcpy(&record, data + kDataPositionRecordOffset, sizeof record);
    return record + kPositionByte;
}

// Every host read one refresh makes for one aircraft, in the same number and kind.
double ReadLikeARefresh(const HostCalls& calls, int32_t id) {
    char text[kTextSize];
    void* data = Resolve(calls, id);
    reinterpret_cast<ReadTextFn>(Methods(data)[kReadObjectTextMethod])(data, kTextType, text,
                                                                       kTextSize, 0);
    double sum = text[0];
    sum += calls.lookup(id) != nullptr;
    sum += calls.distance(Position(calls, id), Position(calls, kUserAircraftId));
    sum += Value(calls, kUserAircraftId, kVarLatitude, kUnitDegrees);
    sum += Value(calls, kUserAircraftId, kVarLongitude, kUnitDegrees);
    sum += Value(calls, id, kVarLatitude, kUnitDegrees);
    sum += Value(calls, id, kVarLongitude, kUnitDegrees);
    sum += Value(calls, kUserAircraftId, kVarMagneticVariation, kUnitDegrees);
    sum += Value(calls, id, kVarAltitude, kUnitFeet);
    sum += Value(calls, id, kVarMagneticHeading, kUnitDegrees);
    sum += Value(calls, id, kVarIndicatedAirspeed, kUnitKnots);
    sum += Value(calls, id, kVarVerticalSpeed, kUnitFeetPerMinute);
    sum += calls.lookup(id) != nullptr; // the check for vanished aircraft
    return sum;
}

double HostReadsMicroseconds(int aiCount) {
    HostCalls calls = FindHostCalls();
    double samples[kRepeats];
    volatile double sink = 0.0;
    for (int r = 0; r < kRepeats; ++r) {
        double start = NowMicroseconds();
        for (int i = 0; i < aiCount; ++i) {
            sink = sink + ReadLikeARefresh(calls, 100 + i);
        }
        samples[r] = NowMicroseconds() - start;
    }
    return Fastest(samples, kRepeats);
}

// --- Runs -------------------------------------------------------------------------------------

void PerAircraft(char* out, size_t size, double micros, int aiCount) {
    if (aiCount == 0) {
        snprintf(out, size, "%9.0f        -", micros);
    } else {
        snprintf(out, size, "%9.0f %8.2f", micros, micros / aiCount);
    }
}

bool BenchOneSize(int aiCount) {
    if (aiCount >= kHostsimAircraftCapacity) {
        printf("%5d  skipped: the stand-in host holds at most %d AI aircraft\n", aiCount,
               kHostsimAircraftCapacity - 1);
        return false;
    }
    if (!StartHost(aiCount, true, false)) {
        printf("%5d  the stand-in host did not start: %s\n", aiCount, HostsimLastError());
        HostsimShutdown();
        return false;
    }
    double ticks[kRepeats];
    for (int r = 0; r < kRepeats; ++r) {
        ticks[r] = TimedTick();
    }
    double tickWithoutList = Fastest(ticks, kRepeats);

    double openings[kOpenRepeats];
    for (int r = 0; r < kOpenRepeats; ++r) {
        double start = NowMicroseconds();
        OpenList();
        openings[r] = NowMicroseconds() - start;
        HostsimPump(0);
        CloseList();
    }
    double open = Fastest(openings, kOpenRepeats);

    OpenList();
    if (!ListWindow()) {
        printf("%5d  the list did not open\n", aiCount);
        HostsimShutdown();
        return false;
    }
    TimedTick();
    double unchanged = RefreshMicroseconds(aiCount, kStill, tickWithoutList);
    double moving = RefreshMicroseconds(aiCount, kAllMoving, tickWithoutList);
    ClickDistanceHeader();
    double sorted = RefreshMicroseconds(aiCount, kDistancesShuffled, tickWithoutList);
    double reads = HostReadsMicroseconds(aiCount);
    CloseList();
    HostsimShutdown();

    char a[40], b[40], c[40], d[40];
    PerAircraft(a, sizeof a, unchanged, aiCount);
    PerAircraft(b, sizeof b, moving, aiCount);
    PerAircraft(c, sizeof c, sorted, aiCount);
    PerAircraft(d, sizeof d, reads, aiCount);
    printf("%5d %9.2f %s %s %s %s\n", aiCount, open / 1000.0, a, b, c, d);
    fflush(stdout);
    return true;
}

// The list over a dozen aircraft, sorted by distance, on screen until the time is up.
int Show(int seconds) {
    const char* types[kShowAircraft] = {"Boeing 737-800", "Airbus A321",      "Cessna 172",
                                        "Dash 8 Q400",    "Boeing 747-400",   "Embraer 190",
                                        "Airbus A319",    "Beechcraft Baron", "Boeing 777-200",
                                        "Bombardier CRJ", "ATR 72-500",       "Piper Cherokee"};
    if (!StartHost(0, true, true)) {
        fprintf(stderr, "cannot start the stand-in host: %s\n", HostsimLastError());
        return 1;
    }
    for (int i = 0; i < kShowAircraft; ++i) {
        HostsimAircraft ai;
        HostsimDefaultAircraft(&ai, 100 + i);
        ai.latitudeDeg = kUserLatitude + (2.0 + 37.0 * Random01()) * kDegreesPerNm;
        ai.longitudeDeg = kUserLongitude + (Random01() - 0.5);
        ai.altitudeFeet = 500.0 + 1000.0 * (i * 7 % 12);
        ai.headingTrueDeg = 30.0 * i;
        ai.indicatedKnots = 120.0 + 15.0 * i;
        ai.verticalSpeedFpm = (i % 3 - 1) * 800.0;
        ai.aiState = 8 + i % 10;
        snprintf(ai.type, sizeof ai.type, "%s", types[i]);
        HostsimAddAircraft(&ai);
    }
    HostsimStep(1);
    OpenList();
    HostsimStep(1);
    ClickDistanceHeader();
    LVITEMA selected = {};
    selected.stateMask = LVIS_SELECTED;
    selected.state = LVIS_SELECTED;
    SendMessageA(GetDlgItem(ListWindow(), IDC_AI_LIST_VIEW), LVM_SETITEMSTATE, kShowSelectedRow,
                 reinterpret_cast<LPARAM>(&selected));
    HostsimStep(1);
    for (int s = 0; s < seconds; ++s) {
        HostsimStep(1);
        HostsimPump(1000);
    }
    HostsimShutdown();
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && strcmp(argv[1], "--show") == 0) {
        return Show(atoi(argv[2]));
    }
    // The first host of a process is slow to settle; a run of its own keeps it out of the table.
    if (StartHost(0, true, false)) {
        HostsimShutdown();
    }
    printf("One refresh of the AI list, fastest of %d; times in microseconds (total, per "
           "aircraft)\n",
           kRepeats);
    printf("%5s %9s %18s %18s %18s %18s\n", "AI", "open ms", "unchanged", "all moving",
           "by distance", "host reads alone");
    for (int aiCount : kSizes) {
        BenchOneSize(aiCount);
    }
    return 0;
}
