#pragma once
// The records and limits of the stand-in host's public API (hostsim.h): options, aircraft, eye
// points, the view record, the table-slot report and the service counters.
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
    // Lockstep ticks run with the x87 unit in 24-bit precision, as a host that renders with
    // Direct3D 9 leaves its thread; the test's own code keeps its control word (false).
    bool singlePrecisionFpu;
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
