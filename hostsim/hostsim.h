#pragma once
// Hostsim: a stand-in for the flight simulator that loads modules from its Modules folder.
//
// It keeps the host's side of the module contract (interface IDs, offsets, variables, units,
// event codes, the version word and the view code's return addresses; see host_layout.h) and
// is simple inside. Tests link hostsim_lib and drive it in-process; hostsim.exe runs it
// interactively or headless. Everything runs on the calling thread, which must pump messages
// (every call below that waits does so).
//
// A run: HostsimDefaultOptions, adjust, HostsimStart (window, helper DLL, modules, init),
// HostsimStep as often as needed (lockstep) or HostsimRunRealtime, then HostsimShutdown
// (WM_CLOSE to the main window, which destroys itself, then each module's deinit, then
// FreeLibrary, so the next run starts with freshly loaded modules).
//
// Every executable that links hostsim_lib must be linked with hostsim_image() (CMake), which
// reserves the host's version word at image base + 0x73BB4; HostsimStart refuses to run
// otherwise.
#include <windows.h>
#include <cstdint>

constexpr int kHostsimPathBytes = MAX_PATH;
constexpr int kHostsimTextBytes = 400;  // longer than the 260 characters a module reads
constexpr int kHostsimMaxAircraft = 64; // drawn at once, or listed by a scenario's "aiList"
// Aircraft the host holds at once, user's included: heavy AI traffic runs to thousands.
constexpr int kHostsimAircraftCapacity = 2100;
constexpr int kHostsimMaxModules = 16;
constexpr int kHostsimMaxEvents = 4096;

enum HostsimModulesMenu {
    kHostsimNoModulesMenu = 0,      // the menu bar has no "&Modules"
    kHostsimEmptyModulesMenu = 1,   // an empty "&Modules" before "&Help"
    kHostsimModulesMenuWithItem = 2 // "&Modules" already holding an item "Skyvane"
};

enum HostsimModuleList {
    kHostsimModuleListNormal = 0,
    kHostsimModuleListWithoutHelper = 1, // no node for module 0x0A
    kHostsimModuleListEndless = 2        // the last node links back to the first
};

struct HostsimOptions {
    // The host's current directory; modules load from its "Modules" folder. Empty: keep the
    // current directory.
    char rootDir[kHostsimPathBytes];
    // Lockstep: time moves only in HostsimStep, which delivers each module's tick itself after
    // stopping the module's own timer. Otherwise real time and the module's own timer.
    bool lockstep;
    uint32_t versionWord;                 // written at image base + 0x73BB4 (0x900)
    int readyAfterSeconds;                // loading until then; negative: never ready (2)
    int flyingAfterSeconds;               // state 227 until then, then 12; negative: never (3)
    int hostDialogSeconds;                // how long Views item 3 keeps the host out of 12 (2)
    bool leaveFollowInterfaceNull;        // ImportTable entry 0x0A stays null
    int fillImportsAfterSeconds;          // 0: ImportTable filled before init; else after N seconds
    HostsimModulesMenu modulesMenu;       // kHostsimNoModulesMenu
    HostsimModuleList moduleList;         // kHostsimModuleListNormal
    int initialView;                      // 3 (tower)
    int utcHours, utcMinutes, utcSeconds; // start of the UTC clock (12:00:00)
    int dayOfWeek;                        // 0 = Sunday (3)
    char tracePath[kHostsimPathBytes]; // JSON Lines, one object per simulated second; empty: none
    bool showWindow;                   // show the main window (true; keys need it)
    int windowWidth, windowHeight;     // client area in pixels (800 x 600)
};

// The state of one simulated aircraft. HostsimFindAircraft returns the live record, which a
// test may change between steps; the host's answers follow it at once.
struct HostsimAircraft {
    int32_t id; // HostObjectId: 1 is the user's aircraft
    double latitudeDeg;
    double longitudeDeg;
    double altitudeFeet;
    double headingTrueDeg; // the host reports magnetic heading = true - variation
    double variationDeg;   // magnetic variation, east positive
    double speedKnots;     // along the heading
    double acrossKnots;    // across the heading, to the right positive
    double verticalSpeedFpm;
    double groundElevationFeet; // the aircraft never sinks below it
    double sizeFeet;
    double indicatedKnots;
    double userState;             // variable 572
    double turnRateDegPerSec;     // positive turns right
    int32_t aiState;              // AI state index; negative: no AI state record
    bool hasPositionRecord;       // false: the data interface's position record pointer is null
    char type[kHostsimTextBytes]; // text 527; 260 characters or more fill a module's
    char typeFallback[kHostsimTextBytes]; // text 526  buffer without a terminator
};

struct HostsimEyePoint {
    uint32_t latLo;
    int32_t latHi;
    uint32_t lonLo;
    int32_t lonHi;
    uint32_t altLo;
    int32_t altHi;
};

// The host's current view, as modules see it through the view record pointer.
struct HostsimViewRecord {
    uint8_t reserved0[0x20];
    int32_t viewMode; // +0x20
    uint8_t reserved1[0x0C];
    uint16_t viewWordA; // +0x30: 0x40 makes the tower view take its eye point afresh
    uint8_t reserved2[2];
    uint16_t viewWordB; // +0x34: 0x40 switches to the follow view (4)
    uint8_t reserved3[0x0A];
};

enum HostsimCaller {
    kHostsimTowerCaller = 0,   // returns to helper base + 0x2CE3
    kHostsimFollowCaller = 1,  // returns to helper base + 0x980F
    kHostsimCockpitCaller = 2, // returns elsewhere: must always get the user's aircraft
    kHostsimCallerCount = 3
};

// What the host found when it called the table's live slots (0x5C, 0x74, 0x84, 0x90).
enum HostsimSlotStatus {
    kHostsimSlotOk = 0,      // the host's own function, which answered correctly
    kHostsimSlotNull = 1,    // null: not called
    kHostsimSlotWrong = 2,   // another of the host's slot functions: answered wrongly
    kHostsimSlotForeign = 3, // not a host function: not called
    kHostsimSlotNoTable = 4  // the table word itself is null
};

struct HostsimSlotReport {
    HostsimSlotStatus status[4]; // for 0x5C, 0x74, 0x84, 0x90
    bool allOk;
};

// Counters of the host services modules called, since HostsimStart.
struct HostsimStats {
    uint32_t lookups;
    uint32_t valueReads;
    uint32_t unknownValueReads; // variable and unit pairs the host does not know
    uint32_t textReads;
    uint32_t positionReads;
    uint32_t distanceCalls;
    uint32_t globalReads;
    uint32_t followCalls;
    uint32_t redirectedCalls; // slot 0x70 calls that a table other than the host's answered
};

// --- Runs -----------------------------------------------------------------------------------

void HostsimDefaultOptions(HostsimOptions* options);
// Makes root\Modules, deletes every file in it, and copies the given DLLs into it (paths
// relative to the current directory or absolute). For tests that want a clean host folder.
bool HostsimPrepareRoot(const char* rootDir, const char* const* modulePaths, int count);
// Starts the host: main window, helper module 0x0A, then every DLL in root\Modules (sorted by
// name) with Linkage and ImportTable: fills ImportTable and calls init. Aircraft added before
// HostsimStart (or by HostsimLoadScenario) are kept; without a user's aircraft, a default one
// is added. The user's position reaches the user position record once the host is ready. Returns
// false (and says why in HostsimLastError) if the host cannot start.
bool HostsimStart(const HostsimOptions* options);
const char* HostsimLastError();
bool HostsimRunning();
// Lockstep: advances the host by whole seconds. Each second: clock and aircraft move (unless
// paused), the scenario's actions due run, the view words are served, each module's tick
// window gets WM_TIMER 2, messages are pumped, the views ask for their aircraft and paint,
// the table slots are checked and a trace line is written.
void HostsimStep(int seconds);
// Real time: runs the message loop for up to the given seconds (negative: until the main
// window closes); the host moves every 100 ms and modules tick from their own timers.
void HostsimRunRealtime(double seconds);
// Dispatches every message waiting, then keeps pumping for the given milliseconds.
void HostsimPump(int milliseconds);
// WM_CLOSE to the main window (which destroys itself), deinit of each module, FreeLibrary.
void HostsimShutdown();
int HostsimSeconds(); // seconds since HostsimStart

// --- Host state -----------------------------------------------------------------------------

uint8_t* HostsimInterface(uint32_t moduleId); // the block written into ImportTable, or null
HostsimEyePoint* HostsimTowerEyePoint();      // live words at views +0xD50
HostsimViewRecord* HostsimActiveView();       // the record views +0x1190 points to
int32_t HostsimHostState();
// Sets the state word; the automatic loading/ready/flying sequence stops from then on.
void HostsimSetHostState(int32_t state);
bool HostsimReady();
void HostsimSetReady(bool ready); // the ready word alone
bool HostsimPaused();
void HostsimSetPaused(bool paused);
void HostsimSetView(int32_t viewMode);
int32_t HostsimFollowedObject(); // the last SetFollowedObject argument (1 at start)
void HostsimSetUtc(int hours, int minutes, int seconds, int dayOfWeek);
uint32_t HostsimVersionWord(); // the word at image base + 0x73BB4
void HostsimSetVersionWord(uint32_t value);
const HostsimStats* HostsimStatistics();

// Events modules posted (PostHostEvent), oldest first, since HostsimStart.
int HostsimEventCount();
uint32_t HostsimEvent(int index);

// The host's journal: what it did, in order ("init Modules\\x.dll", "close", "destroyed",
// "deinit x.dll", "free x.dll", ...), one line each, since the latest HostsimStart. Stays
// readable after HostsimShutdown.
const char* HostsimJournal();

// --- Aircraft -------------------------------------------------------------------------------

// Fills a record with plausible values (an airliner over the Channel).
void HostsimDefaultAircraft(HostsimAircraft* aircraft, int32_t id);
// Adds an aircraft, or replaces the values of one with the same ID. The user's aircraft has
// ID 1; AI aircraft join the AI list in the order they are added.
bool HostsimAddAircraft(const HostsimAircraft* aircraft);
// Removes an AI aircraft: it leaves the AI list and LookupObject returns null for its ID. Its
// memory stays valid, so stale pointers read the last values, until every other slot has been
// used and the host takes the room for a new aircraft.
bool HostsimRemoveAircraft(int32_t id);
HostsimAircraft* HostsimFindAircraft(int32_t id); // live record, or null
int HostsimAircraftCount();                       // present aircraft, user's included
// Makes ReadObjectValue answer this value for the variable, whatever the unit (NaN, infinity
// and huge values included), until cleared.
bool HostsimOverrideVariable(int32_t id, int32_t variable, double value);
void HostsimClearOverrides(int32_t id);
// Puts the given IDs into the AI list as entries 1..count, in this order (1, the user's
// aircraft, allowed); the next add or remove rebuilds the list from the aircraft present.
bool HostsimSetAiList(const int32_t* ids, int count);
int HostsimAiListCount(); // the list's count, entry 0 included

// --- Views and the aircraft table -----------------------------------------------------------

HMODULE HostsimHelperModule(); // host module 0x0A
// Runs the view code of one caller now; returns the data interface that the table's slot 0x70
// gave it, or null if the table or the slot is null (then nothing is called).
void* HostsimCallView(HostsimCaller caller);
// The HostObjectId of the aircraft whose data interface this is: 0 for null, -1 if unknown.
int32_t HostsimAircraftOfData(const void* dataInterface);
// The aircraft each caller received at the latest step or paint.
int32_t HostsimLastSeen(HostsimCaller caller);
void** HostsimTableWord();       // the word at ViewSystem + 0x64 that points to the table
void* HostsimOriginalTable();    // the host's own table (interface 0x19)
bool HostsimRedirectInstalled(); // the table word differs from the host's own table
HostsimSlotReport HostsimCheckTableSlots();

// --- Window, menus, input -------------------------------------------------------------------

HWND HostsimMainWindow();
// Sends WM_CLOSE to the main window as a user closing it would; with refuse, the host answers
// as when the user cancels quitting and stays open. HostsimShutdown closes it for good.
void HostsimRequestClose(bool refuse);
// Rebuilds the menu bar from scratch (as the host does at times) and redraws the frame.
void HostsimRebuildMenu();
// Makes the main window repaint its frame (WM_NCPAINT) and client area now. The host also
// does so whenever its state word changes (its title shows the state).
void HostsimRedrawFrame();
// Presses and releases a key with SendInput, modifiers held around it, so GetAsyncKeyState
// agrees; the window (main window if null) is brought to the foreground first. Modifiers:
// kHostsimShift | kHostsimCtrl | kHostsimAlt.
constexpr unsigned kHostsimShift = 1;
constexpr unsigned kHostsimCtrl = 2;
constexpr unsigned kHostsimAlt = 4;
bool HostsimPressKey(unsigned virtualKey, unsigned modifiers, HWND window);
// Types text into the focused control of a window with SendInput (Unicode characters).
bool HostsimTypeText(HWND window, int controlId, const char* text);
// Picks a menu item as a user would: the menu bar repaints (WM_NCPAINT), the menu opens
// (WM_INITMENU, WM_MENUSELECT), closes (WM_MENUSELECT 0xFFFF, 0) and WM_COMMAND is posted,
// then messages are pumped.
// The path names items by position ("3/3") or by text ("&Modules/Skyvane/Activate").
bool HostsimPickMenu(const char* path);
// Opens a top-level menu without picking (WM_INITMENU, WM_MENUSELECT), and closes it again.
bool HostsimOpenMenu(int topPosition);
void HostsimCloseMenu();
// A visible top-level window of this thread other than the main window that has a control
// with this ID (a module's dialog), or null.
HWND HostsimFindModuleWindow(int controlId);
// BM_CLICK on the control of a module window; WM_SETTEXT; any message.
bool HostsimClickControl(int controlId);
bool HostsimSetControlText(int controlId, const char* text);
LRESULT HostsimSendToControl(int controlId, UINT message, WPARAM wParam, LPARAM lParam);
// Mouse clicks with SendInput on a control of a module window, at a point of its client area,
// on a tab of a tab control, on a column header of a list view, or on the row of a list view
// whose item parameter is given; the window is brought to the foreground first.
bool HostsimClickAt(int controlId, int x, int y);
bool HostsimClickTab(int controlId, int tab);
bool HostsimClickListHeader(int controlId, int column);
bool HostsimClickListRow(int controlId, int32_t itemParameter);

// --- Modules --------------------------------------------------------------------------------

int HostsimModuleCount();
HMODULE HostsimModuleHandle(int index);
const char* HostsimModuleName(int index);  // file name, e.g. "Skyvane.dll"
HWND HostsimTickWindow(int index);         // the hidden dialog it made in init, or null
uint32_t HostsimTicksDelivered(int index); // WM_TIMER 2 sent by the host in lockstep
bool HostsimImportsFilled(int index);

// --- Scenario -------------------------------------------------------------------------------

// Reads a scenario (JSON) into options, aircraft and a timeline of actions that HostsimStep
// and HostsimRunRealtime run when their second comes. Call before HostsimStart; aircraft of
// the scenario replace any added before. runSeconds gets the scenario's length (or 0).
bool HostsimLoadScenario(const char* path, HostsimOptions* options, int* runSeconds);
// Runs one timeline action given as JSON text (same form as in a scenario, "at" ignored).
bool HostsimRunAction(const char* json);

// --- Pictures -------------------------------------------------------------------------------

// The folder the host saves pictures into as BMP files (created if missing); empty: none are
// saved. A scenario's "pictures" plan saves the view every few seconds ("view-0005.bmp") and
// animation frames ("anim-00000.bmp", drawn between the host's seconds).
void HostsimSetPictureFolder(const char* folder);
// Saves the screen under the main window and the module windows and menus open on it as
// NAME.bmp; true without a picture folder.
bool HostsimSaveScreenshot(const char* name);
// Opens a menu for real with the keyboard ("&Modules/Skyvane": the top-level menu by its
// mnemonic, then down to each further item and into its popup), saves the screen with it as
// NAME.bmp when there is a picture folder, and closes it again without picking anything.
bool HostsimShowMenu(const char* path, const char* name);

// --- The host's position encoding -----------------------------------------------------------

HostsimEyePoint HostsimEncodeEyePoint(double latitudeDeg, double longitudeDeg,
                                      double altitudeMetres);
void HostsimDecodeEyePoint(const HostsimEyePoint* eye, double* latitudeDeg, double* longitudeDeg,
                           double* altitudeMetres);
