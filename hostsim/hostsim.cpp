// Runs of the host: start, lockstep steps, real time and shut-down.
#include "hostsim/hostsim.h"
#include "hostsim/hostsim_crash.h"

#include "hostsim/ai_plans.h"
#include "hostsim/aircraft.h"
#include "hostsim/host_blocks.h"
#include "hostsim/host_interfaces.h"
#include "hostsim/host_layout.h"
#include "hostsim/host_state.h"
#include "hostsim/host_world.h"
#include "hostsim/main_window.h"
#include "hostsim/module_loader.h"
#include "hostsim/render_capture.h"
#include "hostsim/scenario.h"
#include "hostsim/trace.h"
#include "hostsim/traffic_record.h"
#include "hostsim/view_tables.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {
constexpr int kSecondsPerMinute = 60;
constexpr int kMinutesPerHour = 60;
constexpr int kHoursPerDay = 24;
constexpr int kDaysPerWeek = 7;
char savedDirectory[kHostsimPathBytes];

void Fail(const char* format, ...) {
    va_list args;
    va_start(args, format);
    vsnprintf(gWorld.lastError, sizeof gWorld.lastError, format, args);
    va_end(args);
}

void TickClockSecond() {
    if (++*UtcSecondsWord() < kSecondsPerMinute) {
        return;
    }
    *UtcSecondsWord() = 0;
    if (++*UtcMinutesWord() < kMinutesPerHour) {
        return;
    }
    *UtcMinutesWord() = 0;
    if (++*UtcHoursWord() < kHoursPerDay) {
        return;
    }
    *UtcHoursWord() = 0;
    gWorld.dayOfWeek = (gWorld.dayOfWeek + 1) % kDaysPerWeek;
}

// The clock runs at the simulation rate and shows whole seconds.
void TickClock(double realSeconds) {
    gWorld.clockCarry += realSeconds * gWorld.simRate;
    while (gWorld.clockCarry >= 1.0) {
        gWorld.clockCarry -= 1.0;
        TickClockSecond();
    }
}

bool Simulating() {
    return *StateWord() == kHostStateFlying && !*PauseWord();
}

// The title tells the host's state; a new title repaints the frame, menu bar included
// (WM_NCPAINT), as the host's own title changes do.
void ShowStateInTitle() {
    int32_t state = *StateWord();
    const char* name = state == kHostStateFlying    ? "flying"
                       : state == kHostStateReady   ? "ready"
                       : state == kHostStateLoading ? "loading"
                                                    : "busy";
    char title[128];
    snprintf(title, sizeof title, "Hostsim - flight simulator stand-in - %s", name);
    char current[128];
    GetWindowTextA(gWorld.mainWindow, current, sizeof current);
    if (strcmp(current, title) != 0) {
        SetWindowTextA(gWorld.mainWindow, title);
        HostsimRedrawFrame();
    }
}

// The host's own tower stands beside the user's aircraft's starting point.
void PlaceHostTower() {
    const HostsimAircraft* user = HostsimFindAircraft(kUserAircraftId);
    constexpr double kTowerNorthDeg = 0.02;
    constexpr double kTowerHeightMetres = 30.0;
    *HostsimTowerEyePoint() =
        HostsimEncodeEyePoint(user->latitudeDeg + kTowerNorthDeg, user->longitudeDeg,
                              user->groundElevationFeet * 0.3048 + kTowerHeightMetres);
}

void FinishSecond() {
    ShowStateInTitle();
    RunViewCallers();
    NoteTrafficSecond();
    if (gWorld.options.showWindow) {
        InvalidateRect(gWorld.mainWindow, nullptr, FALSE);
        UpdateWindow(gWorld.mainWindow);
    }
    WriteTraceLine();
    CaptureAfterSecond();
    gWorld.actionCount = 0;
    gWorld.viewWordASeen = 0;
    gWorld.viewWordBSeen = 0;
}

// Serves the view words the modules wrote: B switches to the follow view; both are consumed.
void ServeViewWords() {
    HostsimViewRecord* view = HostsimActiveView();
    gWorld.viewWordASeen |= view->viewWordA;
    gWorld.viewWordBSeen |= view->viewWordB;
    if (view->viewWordB == kViewWordRequest) {
        view->viewMode = kViewFollow;
    }
    if (view->viewWordA == kViewWordRequest) {
        gWorld.towerRefreshes++;
    }
    view->viewWordA = 0;
    view->viewWordB = 0;
}

// Advances host time by one second: clock, states, imports filled late.
void AdvanceOneSecond() {
    gWorld.seconds++;
    if (Simulating()) {
        TickClock(1.0);
    }
    const HostsimOptions& options = gWorld.options;
    bool readyDue = options.readyAfterSeconds >= 0 && gWorld.seconds >= options.readyAfterSeconds;
    if (readyDue && !gWorld.readyReached) {
        // The ready word keeps its own schedule, even when a test has set the state word.
        gWorld.readyReached = true;
        *ReadyWord() = 1;
        Journal("ready");
    }
    if (gWorld.phase == kPhaseLoading && readyDue) {
        *StateWord() = kHostStateReady;
        gWorld.phase = kPhaseReady;
    }
    if (gWorld.phase == kPhaseReady && options.flyingAfterSeconds >= 0 &&
        gWorld.seconds >= options.flyingAfterSeconds) {
        *StateWord() = kHostStateFlying;
        gWorld.phase = kPhaseFlying;
        Journal("flying");
    }
    if (gWorld.dialogSecondsLeft > 0 && --gWorld.dialogSecondsLeft == 0) {
        *StateWord() = kHostStateFlying;
    }
    FillImportsWhenDue();
}

// Real time: one 100 ms slice of host time, from the main window's timer.
void RunRealtimeSlice() {
    constexpr double kSliceSeconds = kRealtimeSliceMilliseconds / 1000.0;
    if (Simulating()) {
        MoveAircraft(kSliceSeconds * gWorld.simRate);
    }
    ServeViewWords();
    RefreshPositions();
    gWorld.realtimeCarry += kSliceSeconds;
    if (gWorld.realtimeCarry + 1e-9 >= 1.0) {
        gWorld.realtimeCarry -= 1.0;
        AdvanceOneSecond();
        if (Simulating()) {
            StepAiPlans(gWorld.simRate);
        }
        RunTimelineDue(gWorld.seconds);
        RefreshPositions();
        FinishSecond();
    } else {
        RunViewCallers();
        InvalidateRect(gWorld.mainWindow, nullptr, FALSE);
    }
}

} // namespace

// --- public API -----------------------------------------------------------------------------

void HostsimDefaultOptions(HostsimOptions* options) {
    memset(options, 0, sizeof *options);
    options->lockstep = true;
    options->versionWord = kVersionWordExpected;
    options->readyAfterSeconds = 2;
    options->flyingAfterSeconds = 3;
    options->hostDialogSeconds = 2;
    options->modulesMenu = kHostsimNoModulesMenu;
    options->moduleList = kHostsimModuleListNormal;
    options->initialView = kViewTower;
    options->utcHours = 12;
    options->dayOfWeek = 3;
    options->showWindow = true;
    options->windowWidth = 800;
    options->windowHeight = 600;
}

bool HostsimPrepareRoot(const char* rootDir, const char* const* modulePaths, int count) {
    char modulesDir[kHostsimPathBytes];
    char pattern[kHostsimPathBytes];
    snprintf(modulesDir, sizeof modulesDir, "%s\\Modules", rootDir);
    CreateDirectoryA(rootDir, nullptr);
    CreateDirectoryA(modulesDir, nullptr);
    snprintf(pattern, sizeof pattern, "%s\\*", modulesDir);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern, &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                char file[kHostsimPathBytes];
                snprintf(file, sizeof file, "%s\\%s", modulesDir, found.cFileName);
                DeleteFileA(file);
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    for (int i = 0; i < count; ++i) {
        const char* name = strrchr(modulePaths[i], '\\');
        const char* slash = strrchr(modulePaths[i], '/');
        name = slash > name ? slash : name;
        char target[kHostsimPathBytes];
        snprintf(target, sizeof target, "%s\\%s", modulesDir, name ? name + 1 : modulePaths[i]);
        if (!CopyFileA(modulePaths[i], target, FALSE)) {
            Fail("cannot copy %s to %s", modulePaths[i], target);
            return false;
        }
    }
    return true;
}

bool HostsimStart(const HostsimOptions* options) {
    if (gWorld.running) {
        Fail("the host is already running");
        return false;
    }
    uint8_t* image = reinterpret_cast<uint8_t*>(GetModuleHandleA(nullptr));
    if (reinterpret_cast<volatile uint8_t*>(&hostVersionWord) != image + kVersionWordRva) {
        Fail("the version word is not at image base + 0x%X: link with hostsim_image()",
             kVersionWordRva);
        return false;
    }
    memset(&gWorld, 0, sizeof gWorld);
    gWorld.options = *options;
    gWorld.followedObject = kUserAircraftId;
    gWorld.dayOfWeek = options->dayOfWeek;
    gWorld.phase = kPhaseLoading;
    gWorld.simRate = 1.0;
    hostVersionWord = options->versionWord;

    ResetInterfaces();
    ResetTrafficRecord();
    *StateWord() = kHostStateLoading;
    HostsimSetUtc(options->utcHours, options->utcMinutes, options->utcSeconds, options->dayOfWeek);
    HostsimActiveView()->viewMode = options->initialView;
    if (!HostsimFindAircraft(kUserAircraftId)) {
        HostsimAircraft user;
        HostsimDefaultAircraft(&user, kUserAircraftId);
        HostsimAddAircraft(&user);
    }
    RebuildAiList();
    RefreshPositions();
    PlaceHostTower();

    char exeDir[kHostsimPathBytes];
    GetModuleFileNameA(nullptr, exeDir, sizeof exeDir);
    char* lastSlash = strrchr(exeDir, '\\');
    if (lastSlash) {
        *lastSlash = '\0';
    }
    if (!LoadHelperModule(exeDir)) {
        Fail("cannot load %s\\%s with its exports", exeDir, kHelperDllName);
        return false;
    }
    LinkModuleList(HostsimHelperModule(), options->moduleList);
    if (!CreateMainWindow(&RunRealtimeSlice)) {
        Fail("cannot create the main window (%lu)", GetLastError());
        FreeHelperModule();
        return false;
    }
    GetCurrentDirectoryA(sizeof savedDirectory, savedDirectory);
    if (options->rootDir[0] && !SetCurrentDirectoryA(options->rootDir)) {
        Fail("no folder %s", options->rootDir);
        DestroyWindow(gWorld.mainWindow);
        FreeHelperModule();
        return false;
    }
    if (!OpenTrace(options->tracePath)) {
        Fail("cannot write the trace %s", options->tracePath);
    }
    gWorld.running = true;
    LoadModules();
    HostsimPump(0);
    FinishSecond();
    return true;
}

const char* HostsimLastError() {
    return gWorld.lastError;
}
bool HostsimRunning() {
    return gWorld.running;
}
int HostsimSeconds() {
    return gWorld.seconds;
}

void HostsimStep(int seconds) {
    for (int i = 0; i < seconds && gWorld.running && IsWindow(gWorld.mainWindow); ++i) {
        AdvanceOneSecond();
        if (Simulating()) {
            MoveAircraft(gWorld.simRate);
            StepAiPlans(gWorld.simRate);
        }
        RefreshPositions();
        RunTimelineDue(gWorld.seconds);
        ServeViewWords();
        DeliverModuleTicks();
        HostsimPump(0);
        RefreshPositions();
        FinishSecond();
    }
}

void HostsimRunRealtime(double seconds) {
    DWORD start = GetTickCount();
    while (gWorld.running && IsWindow(gWorld.mainWindow)) {
        DWORD elapsed = GetTickCount() - start;
        if (seconds >= 0 && elapsed >= seconds * 1000.0) {
            break;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, kRealtimeSliceMilliseconds, QS_ALLINPUT);
        HostsimPump(0);
    }
}

namespace {

// The windows are gone; the modules go, with their deinit or without it.
void EndRun(bool deinit) {
    UnloadModules(deinit);
    FreeHelperModule();
    CloseTrace();
    if (savedDirectory[0]) {
        SetCurrentDirectoryA(savedDirectory);
    }
    ResetAircraft();
    ResetAiPlans();
    ResetTimeline();
    gWorld.running = false;
    gWorld.mainWindow = nullptr;
}

} // namespace

void HostsimShutdown() {
    if (!gWorld.running) {
        return;
    }
    gWorld.refuseClose = false;
    if (IsWindow(gWorld.mainWindow)) {
        SendMessageA(gWorld.mainWindow, WM_CLOSE, 0, 0);
        HostsimPump(0);
    }
    if (IsWindow(gWorld.mainWindow)) {
        Journal("still open after close");
        DestroyWindow(gWorld.mainWindow);
    }
    EndRun(true);
}

void HostsimCrash() {
    if (!gWorld.running) {
        return;
    }
    Journal("crash");
    if (IsWindow(gWorld.mainWindow)) {
        DestroyWindow(gWorld.mainWindow);
    }
    EndRun(false);
}
