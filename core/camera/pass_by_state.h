#pragma once
// The camera engine's records: the followed aircraft and the controller's fields.
#include <cstdint>
#include "core/camera/eye_point.h"
#include "core/camera/random_offsets.h"
#include "core/camera/target_motion.h"
#include "core/camera/simulation_rate.h"

using HostObjectId = int32_t;
constexpr HostObjectId kUserAircraftId = 1;

struct TargetRef {
    HostObjectId id; // the aircraft whose eye point is computed; 1 is the user's
};

enum PlacementKind : int32_t { kPlacementNew = 0, kPlacementSpotting = 2 };

struct PassByController {
    // Placement.
    int32_t periodTicks;    // seconds counted since the last placement
    int32_t lateralOffset;  // sizes of the followed aircraft, positive to the right
    int32_t altitudeOffset; // sizes of the followed aircraft, positive up
    EyePoint hostEyePointLast;
    EyePoint savedHostEyePoint; // the host's own tower eye point, put back when switched off
    EyePoint spottingEyePoint;
    bool ownWritePending;   // the module has just written the tower eye point itself
    int32_t lastTargetSize; // thousandths of a foot
    bool randomSeeded;
    OffsetRandomizer random;
    TargetWatch watch;          // the followed aircraft's turns and jumps, while an option asks
    HostObjectId watchedTarget; // the aircraft the watch belongs to
    SimulationRate simRate;     // the host's, from its clock, while an option asks

    // Tick, view mode and window flags.
    uint32_t tickCount;
    int32_t recordedHostState;
    int32_t recordedViewMode;
    int32_t lastViewMode;
    int32_t lastTargetId;
    bool placementRequest; // the host's own command that asks for a new placement was chosen
    bool awayFromHostState;
    bool expectViewSwitch;
    bool towerViewLeft;
    bool windowOpen;
    bool aiListOpen;
    bool hostWasPaused;
    bool hostMenuOpen;
};
