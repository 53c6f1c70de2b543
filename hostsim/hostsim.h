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
//
// This header gathers the public API, which lives in hostsim_*.h by concern; the stand-in's own
// files include only the parts they use, never this header.
#include "hostsim/hostsim_aircraft.h"
#include "hostsim/hostsim_eye_point.h"
#include "hostsim/hostsim_modules.h"
#include "hostsim/hostsim_pictures.h"
#include "hostsim/hostsim_records.h"
#include "hostsim/hostsim_scenario.h"
#include "hostsim/hostsim_state.h"
#include "hostsim/hostsim_traffic.h"
#include "hostsim/hostsim_views.h"
#include "hostsim/hostsim_window.h"

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
// WM_CLOSE to the main window (which destroys itself), deinit of each module, FreeLibrary.
void HostsimShutdown();
int HostsimSeconds(); // seconds since HostsimStart
