// How close the followed aircraft passes the eye point in turns, with the look-ahead straight and
// along the arc. A simulated aircraft turns at a steady rate on the sphere; its course over the
// last ticks gives the rate, the placement puts the eye point, and the aircraft then flies on
// through the period. Mid-Europe and one degree from the pole; standard-rate and fast turns,
// then slow turns and straight flight, where long periods stray furthest. Prints one line per
// case and exits 1 when a turn-aware pass-by misses by more than 1.5 times the intended offset.
#include <cstdio>
#include <initializer_list>

#include "turn_flight.h"

using namespace turn_flight;

namespace {

constexpr double kAimFactor = 1.5; // turn-aware misses by at most this times the intent
constexpr double kLatitudesDeg[] = {47.25, 89.0};

// Prints the case's line; false when turn-aware misses the aim.
bool Report(double latDeg, double knots, double rate, int32_t period) {
    PlacementInputs in = TurnCase(knots);
    in.latitudeDeg = latDeg;
    PlacementParameters params{period, kLateralSizes, kAltitudeSizes, 0};
    const double straight =
        ClosestApproach(in, ComputePlacementLegs(in, params), rate, period).metres;
    params.turnRateDegPerSec = EstimatedRate(in, rate);
    const double turnAware =
        ClosestApproach(in, ComputePlacementLegs(in, params), rate, period).metres;
    const double intended = IntendedMetres();
    std::printf("turns: %.2f N %.0f kt %.2f deg/s Svp %d: intended %.1f m, straight %.1f m, "
                "turn-aware %.1f m\n",
                latDeg, knots, rate, static_cast<int>(period), intended, straight, turnAware);
    return turnAware <= kAimFactor * intended;
}

} // namespace

int main() {
    bool aimMet = true;
    for (double latDeg : kLatitudesDeg) {
        for (double knots : {60.0, 120.0, 250.0}) {
            for (double rate : {kStandardRateDegPerSec, -kStandardRateDegPerSec, 10.0}) {
                for (int32_t period : {10, 20, 120}) {
                    aimMet = Report(latDeg, knots, rate, period) && aimMet;
                }
            }
        }
    }
    struct Slow {
        double knots;
        int32_t period;
    };
    for (double latDeg : kLatitudesDeg) {
        for (Slow slow : {Slow{120, 60}, Slow{450, 120}}) {
            for (double rate : {0.0, 0.49}) {
                aimMet = Report(latDeg, slow.knots, rate, slow.period) && aimMet;
            }
        }
    }
    std::printf("turns: turn-aware within %.1f times the intended offset in every case: %s\n",
                kAimFactor, aimMet ? "yes" : "no");
    return aimMet ? 0 : 1;
}
