// Runs of the host: start, lockstep steps, real time, shut-down, and the host's state words.
#include "hostsim/hostsim.h"

#include "hostsim/aircraft.h"
#include "hostsim/host_interfaces.h"
#include "hostsim/host_layout.h"
#include "hostsim/host_world.h"
#include "hostsim/main_window.h"
#include "hostsim/module_loader.h"
#include "hostsim/render_capture.h"
#include "hostsim/scenario.h"
#include "hostsim/trace.h"
#include "hostsim/view_tables.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

// The word modules read the host's version from; version_word.S reserves it at image base +
// 0x73BB4 and hostsim_image() makes the linker put it there.
extern "C" volatile uint32_t hostVersionWord;

HostWorld gWorld;

namespace {
constexpr int kSecondsPerMinute = 60;
constexpr int kMinutesPerHour = 60;
constexpr int kHoursPerDay = 24;
constexpr int kDaysPerWeek = 7;
const int32_t kViewCycle[] = {kViewCockpit, kViewTower, kViewFollow};
char savedDirectory[kHostsimPathBytes];

void Fail(const char* format, ...) {
    va_list args;
    va_start(args, format);
    vsnprintf(gWorld.lastError, sizeof gWorld.lastError, format, args);
    va_end(args);
}

uint16_t* UtcSecondsWord() {
    return reinterpret_cast<uint16_t*>(InterfaceField(kViewsInterfaceId, kUtcSecondsOffset));
}
int32_t* UtcMinutesWord() {
    return reinterpret_cast<int32_t*>(InterfaceField(kViewsInterfaceId, kUtcMinutesOffset));
}
int32_t* UtcHoursWord() {
    return reinterpret_cast<int32_t*>(InterfaceField(kViewsInterfaceId, kUtcHoursOffset));
}

void TickClock() {
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

bool PumpOnce() {
    MSG message;
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        return false;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
    return true;
}

void FinishSecond() {
    ShowStateInTitle();
    RunViewCallers();
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
} // namespace

void RecordHostEvent(uint32_t code) {
    if (gWorld.eventCount < kHostsimMaxEvents) {
        gWorld.events[gWorld.eventCount++] = code;
    }
    if (code == kEventPause) {
        *PauseWord() = 1;
    } else if (code == kEventResume) {
        *PauseWord() = 0;
    }
}

void Journal(const char* format, ...) {
    size_t used = strlen(gWorld.journal);
    if (used + 2 >= sizeof gWorld.journal) {
        return;
    }
    va_list args;
    va_start(args, format);
    vsnprintf(gWorld.journal + used, sizeof gWorld.journal - used - 1, format, args);
    va_end(args);
    strcat(gWorld.journal, "\n");
}

void NoteAction(const char* format, ...) {
    if (gWorld.actionCount == kMaxActionsPerSecond) {
        return;
    }
    va_list args;
    va_start(args, format);
    vsnprintf(gWorld.actions[gWorld.actionCount++], kActionTextBytes, format, args);
    va_end(args);
}

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

void AdvanceOneSecond() {
    gWorld.seconds++;
    if (Simulating()) {
        TickClock();
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

void HostsimRunRealtimeSlice() {
    constexpr double kSliceSeconds = kRealtimeSliceMilliseconds / 1000.0;
    if (Simulating()) {
        MoveAircraft(kSliceSeconds);
    }
    ServeViewWords();
    RefreshPositions();
    gWorld.realtimeCarry += kSliceSeconds;
    if (gWorld.realtimeCarry + 1e-9 >= 1.0) {
        gWorld.realtimeCarry -= 1.0;
        AdvanceOneSecond();
        RunTimelineDue(gWorld.seconds);
        RefreshPositions();
        FinishSecond();
    } else {
        RunViewCallers();
        InvalidateRect(gWorld.mainWindow, nullptr, FALSE);
    }
}

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
    hostVersionWord = options->versionWord;

    ResetInterfaces();
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
    if (!CreateMainWindow()) {
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
            MoveAircraft(1.0);
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
        while (PumpOnce()) {
        }
    }
}

void HostsimPump(int milliseconds) {
    while (PumpOnce()) {
    }
    DWORD start = GetTickCount();
    for (;;) {
        DWORD elapsed = GetTickCount() - start;
        if (static_cast<int>(elapsed) >= milliseconds) {
            break;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - elapsed, QS_ALLINPUT);
        while (PumpOnce()) {
        }
    }
}

void HostsimRequestClose(bool refuse) {
    gWorld.refuseClose = refuse;
    if (IsWindow(gWorld.mainWindow)) {
        SendMessageA(gWorld.mainWindow, WM_CLOSE, 0, 0);
        HostsimPump(0);
    }
    gWorld.refuseClose = false;
}

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
    UnloadModules();
    FreeHelperModule();
    CloseTrace();
    if (savedDirectory[0]) {
        SetCurrentDirectoryA(savedDirectory);
    }
    ResetAircraft();
    ResetTimeline();
    gWorld.running = false;
    gWorld.mainWindow = nullptr;
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
int32_t HostsimFollowedObject() {
    return gWorld.followedObject;
}

void HostsimSetUtc(int hours, int minutes, int seconds, int dayOfWeek) {
    *UtcHoursWord() = hours;
    *UtcMinutesWord() = minutes;
    *UtcSecondsWord() = static_cast<uint16_t>(seconds);
    gWorld.dayOfWeek = dayOfWeek;
}

uint32_t HostsimVersionWord() {
    return hostVersionWord;
}
void HostsimSetVersionWord(uint32_t value) {
    hostVersionWord = value;
}
const HostsimStats* HostsimStatistics() {
    return &gWorld.stats;
}
int HostsimEventCount() {
    return gWorld.eventCount;
}

uint32_t HostsimEvent(int index) {
    return index >= 0 && index < gWorld.eventCount ? gWorld.events[index] : 0;
}

const char* HostsimJournal() {
    return gWorld.journal;
}
