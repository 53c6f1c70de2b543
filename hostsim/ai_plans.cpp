#include "hostsim/ai_plans.h"

#include "hostsim/aircraft.h"
#include "hostsim/host_layout.h"
#include "hostsim/host_world.h"
#include "hostsim/hostsim_aircraft.h"
#include "hostsim/hostsim_traffic.h"

#include <cmath>
#include <cstring>

namespace {
constexpr int kMaxPlans = kHostsimMaxAircraft;
const char* const kAiStateNames[kHostsimAiStateCount] = {
    "Init",     "Sleep",        "Flt Plan", "Clearence",    "Pre Push Back", "Push Back",
    "Startup",  "Pre Taxi Out", "Taxi Out", "Pre Take Off", "Take Off",      "T&G Depart",
    "Enroute",  "Pattern",      "Landing",  "Rollout",      "Go Around",     "Taxi In",
    "Shutdown", "sleep",        "waypoint", "takeoff",      "landing",       "taxi"};

struct Plan {
    int32_t id; // 0: a free entry
    HostsimPlanLeg legs[kHostsimMaxPlanLegs];
    int count;
    int current;
    double elapsedSeconds; // simulated
    double legStartKnots;
};
Plan plans[kMaxPlans];

void SetIfGiven(double* field, double value) {
    if (!std::isnan(value)) {
        *field = value;
    }
}

bool OnGround(const HostsimAircraft& a) {
    return a.altitudeFeet <= a.groundElevationFeet;
}

// Starts the plan's current leg; false when the aircraft has left.
bool StartLeg(Plan& plan, HostsimAircraft& a) {
    const HostsimPlanLeg& leg = plan.legs[plan.current];
    if (leg.leave) {
        HostsimRemoveAircraft(plan.id);
        plan.id = 0;
        return false;
    }
    if (leg.aiState >= 0) {
        a.aiState = leg.aiState;
    }
    SetIfGiven(&a.latitudeDeg, leg.latitudeDeg);
    SetIfGiven(&a.longitudeDeg, leg.longitudeDeg);
    SetIfGiven(&a.altitudeFeet, leg.altitudeFeet);
    SetIfGiven(&a.headingTrueDeg, leg.headingTrueDeg);
    SetIfGiven(&a.speedKnots, leg.speedKnots);
    SetIfGiven(&a.verticalSpeedFpm, leg.verticalSpeedFpm);
    SetIfGiven(&a.turnRateDegPerSec, leg.turnRateDegPerSec);
    // Still air: the airspeed is the speed over the ground.
    a.indicatedKnots = a.speedKnots;
    plan.elapsedSeconds = 0;
    plan.legStartKnots = a.speedKnots;
    return true;
}

bool LegDone(const Plan& plan, const HostsimAircraft& a) {
    const HostsimPlanLeg& leg = plan.legs[plan.current];
    return (leg.untilGround && OnGround(a)) ||
           (leg.seconds > 0 && plan.elapsedSeconds >= leg.seconds);
}

void StepPlan(Plan& plan, double simulatedSeconds) {
    HostsimAircraft* a = HostsimFindAircraft(plan.id);
    if (!a) {
        plan.id = 0;
        return;
    }
    const HostsimPlanLeg& leg = plan.legs[plan.current];
    plan.elapsedSeconds += simulatedSeconds;
    if (!std::isnan(leg.toSpeedKnots) && leg.seconds > 0) {
        double share = std::fmin(1.0, plan.elapsedSeconds / leg.seconds);
        a->speedKnots = plan.legStartKnots + (leg.toSpeedKnots - plan.legStartKnots) * share;
        a->indicatedKnots = a->speedKnots;
    }
    // A leg of a few seconds may be over at once; one leg change a second keeps it simple.
    if (plan.current + 1 < plan.count && LegDone(plan, *a)) {
        plan.current++;
        StartLeg(plan, *a);
    }
}
} // namespace

void ResetAiPlans() {
    memset(plans, 0, sizeof plans);
}

void StepAiPlans(double simulatedSeconds) {
    for (Plan& plan : plans) {
        if (plan.id != 0) {
            StepPlan(plan, simulatedSeconds);
        }
    }
}

void HostsimEmptyLeg(HostsimPlanLeg* leg) {
    memset(leg, 0, sizeof *leg);
    leg->aiState = -1;
    leg->latitudeDeg = leg->longitudeDeg = leg->altitudeFeet = leg->headingTrueDeg = NAN;
    leg->speedKnots = leg->verticalSpeedFpm = leg->turnRateDegPerSec = NAN;
    leg->toSpeedKnots = NAN;
}

bool HostsimSetPlan(int32_t id, const HostsimPlanLeg* legs, int count) {
    HostsimAircraft* a = HostsimFindAircraft(id);
    if (!a || id == kUserAircraftId || count <= 0 || count > kHostsimMaxPlanLegs) {
        return false;
    }
    Plan* slot = nullptr;
    for (Plan& plan : plans) {
        if (plan.id == id || (!slot && plan.id == 0)) {
            slot = &plan;
        }
        if (plan.id == id) {
            break;
        }
    }
    if (!slot) {
        return false;
    }
    slot->id = id;
    memcpy(slot->legs, legs, count * sizeof *legs);
    slot->count = count;
    slot->current = 0;
    StartLeg(*slot, *a);
    return true;
}

const char* HostsimAiStateName(int32_t state) {
    return state >= 0 && state < kHostsimAiStateCount ? kAiStateNames[state] : nullptr;
}

int32_t HostsimAiStateOfName(const char* name) {
    for (int32_t i = 0; i < kHostsimAiStateCount; ++i) {
        if (name && !strcmp(name, kAiStateNames[i])) {
            return i;
        }
    }
    return -1;
}
