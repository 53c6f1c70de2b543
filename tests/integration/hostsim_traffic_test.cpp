// The host's AI traffic flying its plans: the busy field's take-offs and landings, each in the
// state the host reports for it, and the host's record of them.
#include "hostsim_test_support.h"

#include <algorithm>
#include <string>

#include "hostsim/host_layout.h"

using namespace hostsim_test;

namespace {
constexpr double kFieldNm = 3.0;      // the field's movements, seen from the user's aircraft
constexpr double kElsewhereNm = 10.0; // movements at another field
constexpr int kBusyMovements = 8;     // take-offs, and landings, at the field at least
constexpr int kBusyAircraft = 20;     // AI aircraft at least
constexpr int kBusySeconds = 20 * 60;
constexpr int kOtherFieldMovements = 2; // a take-off and a landing beyond the range

// The AI state a module reads: the index in the record the object points to.
int32_t AiStateRead(int32_t id) {
    uint8_t* object = static_cast<uint8_t*>(Lookup(id));
    uint8_t* record = nullptr;
    memcpy(&record, object + kObjectAiStateOffset, sizeof record);
    int32_t state = -1;
    memcpy(&state, record + kAiStateIndexByte, sizeof state);
    return state;
}
} // namespace

TEST_F(HostsimHost, TheBusyFieldFliesItsTakeOffsAndLandingsInTheirStates) {
    int seconds = 0;
    ASSERT_TRUE(HostsimLoadScenario(SKYVANE_SOURCE_DIR "/hostsim/scenarios/busy_field.json",
                                    &options, &seconds))
        << HostsimJournal();
    options.showWindow = false;
    Start();
    int mostAircraft = 0, liftOffs = 0, touchDowns = 0, elsewhere = 0;
    for (int s = 1; s <= seconds; ++s) {
        int first = HostsimMovementCount();
        HostsimStep(1);
        mostAircraft = std::max(mostAircraft, HostsimAiListCount() - 1);
        for (int i = first; i < HostsimMovementCount(); ++i) {
            HostsimMovement m = HostsimMovementAt(i);
            ASSERT_NE(Lookup(m.id), nullptr);
            const char* name = HostsimAiStateName(AiStateRead(m.id));
            std::string state = name ? name : "none";
            EXPECT_EQ(state, m.kind == kHostsimLiftOff ? "Take Off" : "Rollout")
                << "AI " << m.id << " at " << m.second << " s";
            bool atField = m.distanceNm < kFieldNm;
            liftOffs += atField && m.kind == kHostsimLiftOff;
            touchDowns += atField && m.kind == kHostsimTouchDown;
            elsewhere += m.distanceNm > kElsewhereNm;
        }
    }
    EXPECT_GE(seconds, kBusySeconds);
    EXPECT_GE(mostAircraft, kBusyAircraft);
    EXPECT_GE(liftOffs, kBusyMovements);
    EXPECT_GE(touchDowns, kBusyMovements);
    EXPECT_GE(elsewhere, kOtherFieldMovements);
    std::string journal = HostsimJournal();
    EXPECT_NE(journal.find("lifts off"), std::string::npos) << journal;
    EXPECT_EQ(journal.find("bad plan"), std::string::npos) << journal;
}
