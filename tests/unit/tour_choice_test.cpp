// The tour's choice from what the host reports: interest, ties, range, keeping a take-off or a
// landing, taking turns, and nothing to watch.
#include "camera/tour_choice.h"
#include <gtest/gtest.h>
#include <cmath>
#include <vector>

namespace {

constexpr double kRangeNm = 5.0;
const double kNaN = std::nan("");

struct ChoiceRow {
    const char* what;
    std::vector<TourCandidate> candidates; // id, AI state, nm, feet above ground
    HostObjectId watched;
    int32_t keptPasses;
    std::vector<TourShown> shown;
    HostObjectId expected;
};

HostObjectId Choose(const TrafficTour& tour, const std::vector<TourCandidate>& candidates) {
    TourPick pick;
    BeginTourPick(pick);
    for (const TourCandidate& c : candidates) {
        ConsiderTourCandidate(pick, tour, c, kRangeNm);
    }
    return TourPickTarget(pick);
}

} // namespace

TEST(TourChoice, InterestRangeTiesKeepingAndTurns) {
    const ChoiceRow rows[] = {
        {"event over circuit over ground, whatever the distance",
         {{5, kAiStateTaxiOut, 0.5, 0}, {6, kAiStatePattern, 1, 0}, {7, kAiStateTakeOff, 4, 0}},
         1,
         0,
         {},
         7},
        {"holding short over taxiing in",
         {{5, kAiStateTaxiIn, 0.1, 0}, {6, kAiStatePreTakeOff, 3, 0}},
         1,
         0,
         {},
         6},
        {"airborne en route counts, on the ground not",
         {{5, kAiStateEnroute, 0.2, 10}, {6, kAiStateEnroute, 3, 3000}},
         1,
         0,
         {},
         6},
        {"the nearer of two alike",
         {{5, kAiStateLanding, 3, 0}, {6, kAiStateLanding, 1, 0}},
         1,
         0,
         {},
         6},
        {"the state's place in its group before distance",
         {{5, kAiStateRollout, 0.5, 0}, {6, kAiStateTakeOff, 3, 0}},
         1,
         0,
         {},
         6},
        {"alike at the same distance: the first listed",
         {{5, kAiStatePattern, 2, 0}, {6, kAiStatePattern, 2, 0}},
         1,
         0,
         {},
         5},
        {"beyond the range never",
         {{5, kAiStateTakeOff, 5.01, 0}, {6, kAiStateTaxiIn, 2, 0}},
         1,
         0,
         {},
         6},
        {"nothing within range: the user's aircraft", {{5, kAiStateTakeOff, 9, 0}}, 1, 0, {}, 1},
        {"no distance or a garbled one",
         {{5, kAiStateTakeOff, kNaN, 0}, {6, kAiStateLanding, -1, 0}},
         1,
         0,
         {},
         1},
        {"no state, asleep, starting, shut down or beyond the table",
         {{5, -1, 1, 0}, {6, 1, 1, 0}, {7, 0, 1, 0}, {8, 18, 1, 0}, {9, 999, 1, 0}},
         1,
         0,
         {},
         1},
        {"the user's aircraft in the list", {{1, kAiStateTakeOff, 0.1, 0}}, 1, 0, {}, 1},
        {"the one shown longest ago first",
         {{5, kAiStatePattern, 1, 0}, {6, kAiStatePattern, 2, 0}},
         1,
         0,
         {{5, 3}, {6, 1}},
         6},
        {"never shown before shown",
         {{5, kAiStatePattern, 1, 0}, {6, kAiStatePattern, 4, 0}},
         5,
         1,
         {{5, 1}},
         6},
        {"a take-off is kept while others wait",
         {{5, kAiStateTakeOff, 2, 0}, {6, kAiStateLanding, 1, 0}},
         5,
         3,
         {{5, 3}},
         5},
        {"a landing is kept through its rollout",
         {{6, kAiStateTakeOff, 1, 0}, {5, kAiStateRollout, 2, 0}},
         5,
         4,
         {{5, 4}},
         5},
        {"not beyond the cap",
         {{5, kAiStateTakeOff, 2, 0}, {6, kAiStateLanding, 1, 0}},
         5,
         kTourKeepPassesMax,
         {{5, 12}},
         6},
        {"not beyond the range",
         {{5, kAiStateTakeOff, 6, 0}, {6, kAiStateTaxiOut, 1, 0}},
         5,
         2,
         {{5, 2}},
         6},
        {"taxiing is not kept",
         {{5, kAiStateTaxiOut, 1, 0}, {6, kAiStateTaxiOut, 2, 0}},
         5,
         1,
         {{5, 1}},
         6},
    };
    for (const ChoiceRow& row : rows) {
        TrafficTour tour;
        ResetTrafficTour(tour);
        tour.watched = row.watched;
        tour.keptPasses = row.keptPasses;
        for (size_t i = 0; i < row.shown.size(); ++i) {
            tour.shown[i] = row.shown[i];
        }
        EXPECT_EQ(Choose(tour, row.candidates), row.expected) << row.what;
    }
}

// Aircraft of equal interest take turns: between two pass-bys of one, every other is shown.
TEST(TourChoice, EqualInterestTakesTurnsUpToTheRecordsSize) {
    for (int count : {3, kTourShownCapacity}) {
        std::vector<TourCandidate> candidates;
        for (int i = 0; i < count; ++i) {
            candidates.push_back({10 + i, kAiStateTaxiOut, 0.01 * i, 0});
        }
        TrafficTour tour;
        ResetTrafficTour(tour);
        std::vector<int> lastShown(count, -1);
        for (int pass = 0; pass < 3 * count; ++pass) {
            const HostObjectId id = Choose(tour, candidates);
            ASSERT_GE(id, 10);
            const int i = id - 10;
            if (lastShown[i] >= 0) {
                EXPECT_EQ(pass - lastShown[i], count) << "aircraft " << i << " of " << count;
            }
            lastShown[i] = pass;
            RecordTourPass(tour, id);
        }
    }
}
