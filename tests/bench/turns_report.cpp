// How close the followed aircraft passes the eye point in a standard-rate turn, with the
// look-ahead straight and along the arc. A simulated aircraft turns at a constant rate; its
// course over the last ticks gives the rate, the placement puts the eye point, and the aircraft
// then flies its true circle through the period. Prints one line per case and exits 1 when a
// turn-aware pass-by misses by more than 1.5 times the intended offset.
#include <cstdio>
#include <initializer_list>

#include "turn_flight.h"

using namespace turn_flight;

namespace {
constexpr double kAimFactor = 1.5; // turn-aware misses by at most this times the intent
} // namespace

int main() {
    bool aimMet = true;
    for (double knots : {60.0, 120.0, 250.0}) {
        for (double rate : {kStandardRateDegPerSec, -kStandardRateDegPerSec}) {
            for (int32_t period : {10, 20}) {
                const PlacementInputs in = TurnCase(knots);
                PlacementParameters params{period, kLateralSizes, kAltitudeSizes, 0};
                const double straight =
                    ClosestApproach(in, ComputePlacementLegs(in, params), rate, period).metres;
                params.turnRateDegPerSec = EstimatedRate(in, rate);
                const double turnAware =
                    ClosestApproach(in, ComputePlacementLegs(in, params), rate, period).metres;
                const double intended = IntendedMetres();
                aimMet = aimMet && turnAware <= kAimFactor * intended;
                std::printf("turns: %.0f kt %.1f deg/s Svp %d: intended %.1f m, straight %.1f m, "
                            "turn-aware %.1f m\n",
                            knots, rate, static_cast<int>(period), intended, straight, turnAware);
            }
        }
    }
    std::printf("turns: turn-aware within %.1f times the intended offset in every case: %s\n",
                kAimFactor, aimMet ? "yes" : "no");
    return aimMet ? 0 : 1;
}
