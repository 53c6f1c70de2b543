// Pass-bys and jumps at the host's simulation rates, through the whole core against a fake host
// whose clock shows whole seconds: the closest approach in a turn with Follow turns off and on,
// and how many jumps Catch up after a jump finds in a minute of straight flight at 600 kt, where
// there is none. Prints one line per rate; exits 1 when a turn-aware pass-by misses by more than
// 1.5 times the intended offset or a jump is found.
#include <cmath>
#include <cstdio>
#include <initializer_list>

#include "rate_flight.h"

using rate_flight::RateFlight;

namespace {

constexpr double kAimFactor = 1.5;  // turn-aware misses by at most this times the intent
constexpr int kWarmUpSeconds = 40;  // the rate and the turn found before the pass measured
constexpr int kJumpRunSeconds = 60; // of straight flight, for the jumps

double PassMetres(double rate, double turnDegPerSec, int32_t svp, int32_t turns) {
    RateFlight flight(rate, 120, turns, 0);
    flight.moves = false;
    flight.turnDegPerSec = turnDegPerSec;
    flight.core.settings.Svp = svp;
    flight.Fly(kWarmUpSeconds);
    return flight.NextPassMetres();
}

} // namespace

int main() {
    bool aimMet = true;
    const double intended = turn_flight::IntendedMetres();
    for (double turnDegPerSec : {3.0, -3.0, 1.5}) {
        for (int32_t svp : {10, 20}) {
            for (double rate : {1.0, 2.0, 4.0, 16.0}) {
                const double off = PassMetres(rate, turnDegPerSec, svp, 0);
                const double on = PassMetres(rate, turnDegPerSec, svp, 1);
                // Beyond half a circle in half a period the arc's own limit cuts the look-ahead
                // short, whatever the rate: only shorter arcs count for the aim.
                const bool withinHalfCircle = std::fabs(turnDegPerSec) * rate * svp / 2 <= 180;
                aimMet = aimMet && (!withinHalfCircle || on <= kAimFactor * intended);
                std::printf("rates: %4.0fx 120 kt %4.1f deg/s Svp %d: intended %.1f m, Turns off "
                            "%6.1f m, Turns on %6.1f m%s\n",
                            rate, turnDegPerSec, static_cast<int>(svp), intended, off, on,
                            withinHalfCircle ? "" : " (arc over half a circle)");
            }
        }
    }
    int falseJumps = 0;
    for (double rate : {1.0, 2.0, 4.0, 8.0, 16.0, 32.0, 64.0, 128.0}) {
        RateFlight flight(rate, 600, 0, 1);
        const int jumps = flight.Fly(kJumpRunSeconds);
        falseJumps += jumps;
        std::printf("rates: %4.0fx 600 kt straight for %d s: %d jumps\n", rate, kJumpRunSeconds,
                    jumps);
    }
    std::printf("rates: turn-aware within %.1f times the intended offset, and no jump: %s\n",
                kAimFactor, aimMet && falseJumps == 0 ? "yes" : "no");
    return aimMet && falseJumps == 0 ? 0 : 1;
}
