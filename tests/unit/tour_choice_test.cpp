// The tour's choice from what the host reports: interest, ties, range, keeping a take-off or a
// landing, taking turns, and nothing to watch.
#include "core/traffic/tour_choice.h"
#include <gtest/gtest.h>
#include <cmath>
#include <vector>

namespace {

// clang-format off
enum : int32_t { TO = kAiStateTakeOff, LD = kAiStateLanding, RO = kAiStateRollout,
                 PT = kAiStatePreTakeOff, PA = kAiStatePattern, TX = kAiStateTaxiOut,
                 TI = kAiStateTaxiIn, EN = kAiStateEnroute };
// clang-format on
const double kNaN = std::nan("");

HostObjectId Choose(const TrafficTour& tour, const std::vector<TourCandidate>& candidates) {
    TourPick pick;
    BeginTourPick(pick);
    for (const TourCandidate& c : candidates) {
        ConsiderTourCandidate(pick, tour, c, 5.0); // a 5 nm range
    }
    return TourPickTarget(pick);
}

} // namespace

TEST(TourChoice, InterestRangeTiesKeepingAndTurns) {
    // clang-format off
    struct Row {
        const char* what;
        std::vector<TourCandidate> candidates; // id, AI state, nm, feet above ground
        HostObjectId watched; int32_t keptPasses; std::vector<TourShown> shown; // id, pass
        HostObjectId expected;
    };
    const Row rows[] = {
        {"event, circuit, ground", {{5, TX, .5, 0}, {6, PA, 1, 0}, {7, TO, 4, 0}}, 1, 0, {}, 7},
        {"holding short over taxiing", {{5, TI, .1, 0}, {6, PT, 3, 0}}, 1, 0, {}, 6},
        {"en route only airborne", {{5, EN, .2, 10}, {6, EN, 3, 3000}}, 1, 0, {}, 6},
        {"the nearer of two alike", {{5, LD, 3, 0}, {6, LD, 1, 0}}, 1, 0, {}, 6},
        {"the group's order before distance", {{5, RO, .5, 0}, {6, TO, 3, 0}}, 1, 0, {}, 6},
        {"all alike: the first listed", {{5, PA, 2, 0}, {6, PA, 2, 0}}, 1, 0, {}, 5},
        {"beyond the range never", {{5, TO, 5.01, 0}, {6, TI, 2, 0}}, 1, 0, {}, 6},
        {"nothing in range: the user's", {{5, TO, 9, 0}}, 1, 0, {}, 1},
        {"no distance or garbled", {{5, TO, kNaN, 0}, {6, LD, -1, 0}}, 1, 0, {}, 1},
        {"no state, asleep, init, shut down, 999",
         {{5, -1, 1, 0}, {6, 1, 1, 0}, {7, 0, 1, 0}, {8, 18, 1, 0}, {9, 999, 1, 0}}, 1, 0, {}, 1},
        {"the user's aircraft in the list", {{1, TO, .1, 0}}, 1, 0, {}, 1},
        {"shown longest ago first", {{5, PA, 1, 0}, {6, PA, 2, 0}}, 1, 0, {{5, 3}, {6, 1}}, 6},
        {"never shown before shown", {{5, PA, 1, 0}, {6, PA, 4, 0}}, 5, 1, {{5, 1}}, 6},
        {"a take-off kept", {{5, TO, 2, 0}, {6, LD, 1, 0}}, 5, 3, {{5, 3}}, 5},
        {"a landing kept to its rollout", {{6, TO, 1, 0}, {5, RO, 2, 0}}, 5, 4, {{5, 4}}, 5},
        {"not beyond the cap", {{5, TO, 2, 0}, {6, LD, 1, 0}}, 5, kTourKeepPassesMax, {{5, 9}}, 6},
        {"not beyond the range", {{5, TO, 6, 0}, {6, TX, 1, 0}}, 5, 2, {{5, 2}}, 6},
        {"taxiing not kept", {{5, TX, 1, 0}, {6, TX, 2, 0}}, 5, 1, {{5, 1}}, 6},
    };
    // clang-format on
    for (const Row& row : rows) {
        TrafficTour tour;
        ResetTrafficTour(tour);
        tour.watched = row.watched;
        tour.keptPasses = row.keptPasses;
        std::copy(row.shown.begin(), row.shown.end(), tour.shown);
        EXPECT_EQ(Choose(tour, row.candidates), row.expected) << row.what;
    }
}

// Equals take turns: between two pass-bys of one aircraft every other one is shown once.
TEST(TourChoice, EqualInterestTakesTurnsUpToTheRecordsSize) {
    for (int count : {3, kTourShownCapacity}) {
        std::vector<TourCandidate> candidates;
        std::vector<int> lastShown; // the first round goes nearest first
        for (int i = 0; i < count; ++i) {
            candidates.push_back({10 + i, TX, 0.01 * i, 0});
            lastShown.push_back(i - count);
        }
        TrafficTour tour;
        ResetTrafficTour(tour);
        for (int pass = 0; pass < 3 * count; ++pass) {
            const HostObjectId id = Choose(tour, candidates);
            ASSERT_TRUE(id >= 10 && id < 10 + count);
            EXPECT_EQ(pass - lastShown[id - 10], count) << id << " of " << count;
            lastShown[id - 10] = pass;
            RecordTourPass(tour, id);
        }
    }
}
