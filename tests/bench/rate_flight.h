#pragma once
// The user's aircraft flown through the whole core at a simulation rate, for the native tests
// and the rates report: once a tick (a real second) the fake host's clock moves on by the rate
// in whole seconds, wrapping at midnight, and the aircraft flies as much simulated time along
// its course, turning at its rate. Its position is left where it is when only turns matter.
#include <cmath>
#include <memory>

#include "core/control/controller.h"
#include "tests/bench/turn_flight.h"
#include "tests/unit/fake_host.h"

namespace rate_flight {

using namespace turn_flight;

struct RateFlight {
    std::unique_ptr<FakeModule> m = std::make_unique<FakeModule>();
    FakeHost& host = m->host;
    ModuleCore& core = m->core;
    double rate;              // simulated seconds per tick
    double turnDegPerSec = 0; // per simulated second, positive to the right
    bool moves = true;        // the position follows the flight
    double clockSeconds = 9 * 3600.0;

    // Flying the turn case at this speed in the tower view, the view on, the options set.
    RateFlight(double simRate, double knots, int32_t turns, int32_t jumps) : rate(simRate) {
        const PlacementInputs in = TurnCase(knots);
        auto& v = host.aircraft[0].values;
        v[kVarLatitude] = in.latitudeDeg;
        v[kVarLongitude] = in.longitudeDeg;
        v[kVarAltitude] = in.altitudeFeet;
        v[kVarMagneticHeading] = in.magneticHeadingDeg;
        v[kVarMagneticVariation] = in.magneticVariationDeg;
        v[kVarGroundElevation] = in.groundElevationFeet;
        v[kVarSize] = in.sizeFeet;
        v[kVarSpeedAlong] = knots;
        ControllerTick(core);
        host.state = kHostStateFlying;
        DispatchCommand(core, kCommandOnOff);
        core.settings.Turns = turns;
        core.settings.Jumps = jumps;
    }

    PlacementInputs Now() {
        auto& v = host.aircraft[0].values;
        PlacementInputs in = TurnCase(v[kVarSpeedAlong]);
        in.latitudeDeg = v[kVarLatitude];
        in.longitudeDeg = v[kVarLongitude];
        in.magneticHeadingDeg = v[kVarMagneticHeading];
        return in;
    }

    void SetClock(double seconds) {
        clockSeconds = std::fmod(seconds + 86400.0, 86400.0);
        const int32_t whole = static_cast<int32_t>(clockSeconds);
        host.clock = UtcClock{whole / 3600, whole / 60 % 60, static_cast<uint16_t>(whole % 60)};
    }

    // One real second: the host flies, then the module ticks. True when the tick placed an eye
    // point that is not the period's renewal: a jump.
    bool Second() {
        auto& v = host.aircraft[0].values;
        const double flown = rate * v[kVarSpeedAlong] / 3600.0 * kRadiansPerNm * kDegreesPerRadian;
        const double course = (v[kVarMagneticHeading] + v[kVarMagneticVariation]) * kPi / 180;
        if (moves) {
            v[kVarLatitude] += flown * std::cos(course);
            v[kVarLongitude] += flown * std::sin(course) / std::cos(v[kVarLatitude] * kPi / 180);
        }
        v[kVarMagneticHeading] =
            std::fmod(v[kVarMagneticHeading] + turnDegPerSec * rate + 360, 360);
        SetClock(clockSeconds + rate);
        const bool renewalDue = core.controller.periodTicks == core.settings.Svp - 1;
        const int writes = host.towerWrites;
        ControllerTick(core);
        return host.towerWrites != writes && !renewalDue;
    }

    // Seconds flown; returns the jumps among them.
    int Fly(int seconds) {
        int jumps = 0;
        for (int i = 0; i < seconds; ++i) {
            jumps += Second();
        }
        return jumps;
    }

    // The eye point as the aircraft's closest approach sees it, from the fake host's words.
    PlacementLegs Eye() const {
        PlacementLegs legs{};
        const EyePoint& p = host.tower;
        legs.latDeg = (p.latHi + p.latLo / 4294967296.0) * kLatitudeUnitDeg;
        legs.lonDeg = (p.lonHi + p.lonLo / 4294967296.0) * kLongitudeUnitDeg;
        legs.eyeAltitudeFeet = (p.altHi + p.altLo / 4294967296.0) / kMetresPerFoot;
        return legs;
    }

    // Flies on to the next renewal, then PassMetres.
    double NextPassMetres() {
        for (int32_t i = 0; i < core.settings.Svp; ++i) {
            Second();
            if (core.controller.periodTicks == 0) {
                break;
            }
        }
        return PassMetres();
    }

    // The closest approach to the eye point placed at the latest tick over the period that
    // follows, in metres: along the circle flown, or straight when the aircraft flies straight.
    double PassMetres() {
        const PlacementInputs start = Now();
        const PlacementLegs eye = Eye();
        const double simPeriod = rate * core.settings.Svp;
        if (turnDegPerSec != 0) {
            return ClosestApproach(start, eye, turnDegPerSec, static_cast<int32_t>(simPeriod))
                .metres;
        }
        const Metres at = LocalMetres(start, eye.latDeg, eye.lonDeg);
        const double h = TrueHeadingDeg(start) * kPi / 180;
        const double along = at.east * std::sin(h) + at.north * std::cos(h);
        const double flownMetres = start.speedAlongKnots / 3600 * kMetresPerNm * simPeriod;
        const double closestAlong = std::fmin(std::fmax(along, 0.0), flownMetres);
        return std::hypot(at.east - closestAlong * std::sin(h),
                          at.north - closestAlong * std::cos(h),
                          (eye.eyeAltitudeFeet - start.altitudeFeet) * kMetresPerFoot);
    }
};

} // namespace rate_flight
