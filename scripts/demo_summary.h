#pragma once
// What a run of the stand-in host did, read back from its trace (one JSON object per host
// second): the placements of the tower eye point, the aircraft the views showed, the actions
// and module windows, and whatever went wrong. demo_summary.exe prints it for a person; the
// demo's integration test checks the same numbers.
#include <cstdint>
#include <cstdio>

constexpr int kSummaryMaxTargets = 64;
constexpr int kSummaryMaxWindows = 16;
constexpr int kSummaryMaxSeconds = 7200;
constexpr int kSummaryActionBytes = 160;
constexpr int kSummaryMaxActions = 256;
constexpr int kSummaryMaxApproaches = 256; // pass-bys of a run: 600 s at the shortest period 5

struct SummaryTarget {
    int32_t id;
    int towerSeconds;  // seconds the tower view showed it while the host showed that view
    int followSeconds; // the same for the follow view
};

struct SummaryWindow {
    int controlId; // the window's first control
    int openings;  // times it appeared
    int seconds;   // seconds it was visible
    int firstSecond;
    bool openAtEnd;
};

struct DemoSummary {
    int seconds;    // the last second traced
    int eyeChanges; // seconds at which the tower eye point's words differ from the second before
    int eyeChangesTower;         // of them while the host showed the tower view (3)
    int eyeChangesFollow;        // ... the follow view (4)
    int firstChange, lastChange; // -1 without changes
    int longestStill;            // most seconds between two changes while the view was tower
    bool changed[kSummaryMaxSeconds + 1];
    int towerViewSeconds, followViewSeconds, otherViewSeconds;
    int pausedSeconds;
    SummaryTarget targets[kSummaryMaxTargets];
    int targetCount;
    SummaryWindow windows[kSummaryMaxWindows];
    int windowCount;
    char actions[kSummaryMaxActions][kSummaryActionBytes]; // "t: action"
    int actionCount;
    int pauseEvents, resumeEvents, otherEvents;
    int slotSecondsNotOk; // seconds at which a live slot of the aircraft table was not ok
    int firstSlotProblem;
    uint32_t unknownReads; // variable reads the host did not know, at the end
    int redirectSeconds;
    bool readable; // every line parsed, one per second from 0
};

// One pass-by of the user's aircraft: the seconds from one placement of the tower eye point to
// the second before the next, all in the tower view showing it.
struct SummaryApproach {
    int first, last;
    bool complete;        // false when the run ended before the next placement
    bool turns;           // "Follow turns" in effect, from the settings dialog's clicks
    double closestMetres; // in three dimensions, between the once-a-second positions too
};

struct DemoApproaches {
    SummaryApproach passes[kSummaryMaxApproaches];
    int count;
};

// Reads a trace; false when it cannot be opened.
bool SummariseTrace(const char* tracePath, DemoSummary* summary);
// The pass-bys of the user's aircraft in a trace whose run started with "Follow turns" off;
// false when it cannot be opened.
bool SummariseApproaches(const char* tracePath, DemoApproaches* approaches);
// Both runs of the demo side by side, pass-bys paired by their first second.
void PrintApproaches(FILE* out, const DemoApproaches& ticked, const DemoApproaches& plain);
// A name for a module window by its first control ("AI list", "settings", ...).
const char* WindowName(int controlId);
// The report a person reads: aircraft types come from the scenario, failed actions and the
// host's journal lines from the journal text (either may be null).
void PrintSummary(FILE* out, const DemoSummary& summary, const char* scenarioPath,
                  const char* journal);
