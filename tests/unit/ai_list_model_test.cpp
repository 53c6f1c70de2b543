// The AI list's model against a fake host: the walk, pruning, when to sort, the status line,
// the buttons and the row to select.
#include "core/control/ai_list_model.h"
#include <gtest/gtest.h>
#include <memory>
#include <vector>
#include "fake_host.h"
#include "core/settings/settings_limits.h"

namespace {

class RecordingSink final : public AiRowSink {
  public:
    std::vector<HostObjectId> added, removed;
    bool accept = true;
    bool RowAdded(HostObjectId id, const AiRowRecord&) override {
        added.push_back(id);
        return accept;
    }
    void RowRemoved(HostObjectId id) override { removed.push_back(id); }
};

class AiListModelTest : public ::testing::Test {
  protected:
    std::unique_ptr<FakeModule> m = std::make_unique<FakeModule>();
    FakeHost& host = m->host;
    ModuleCore& core = m->core;
    RecordingSink sink;

    void SetUp() override {
        for (HostObjectId id : {5, 7, 9}) {
            host.Add(id).type = "T" + std::to_string(id);
            host.aiList.push_back(id);
        }
    }
};

TEST_F(AiListModelTest, TheWalkAddsNewAircraftOnceAndStopsAtTheUsersAircraft) {
    host.aiList = {5, kUserAircraftId, 7};
    SyncAiRows(core, sink);
    SyncAiRows(core, sink);
    EXPECT_EQ(sink.added, std::vector<HostObjectId>{5});
    EXPECT_EQ(core.aiList.lastWalkCount, 4);
    EXPECT_STREQ(AiRowText(core.aiList, 5, 0), "T5");
    EXPECT_STREQ(AiRowText(core.aiList, 7, 0), "") << "no row";
    sink.accept = false;
    host.aiList = {5, 9};
    SyncAiRows(core, sink);
    EXPECT_EQ(FindAiRow(core.aiList.rows, 9), -1) << "a row the list view refused is dropped";
}

TEST_F(AiListModelTest, AircraftTheHostNoLongerHasArePruned) {
    SyncAiRows(core, sink);
    host.Find(7)->present = false;
    PruneAiRows(core, sink);
    EXPECT_EQ(sink.removed, std::vector<HostObjectId>{7});
    EXPECT_EQ(core.aiList.rows.rowCount, 2);
}

TEST_F(AiListModelTest, ResortsOnlyWhenARowCameOrTheSortColumnChanged) {
    core.aiList.sortColumn = 4; // altitude
    SyncAiRows(core, sink);
    EXPECT_TRUE(TakeAiResort(core.aiList)) << "new rows";
    EXPECT_FALSE(TakeAiResort(core.aiList));
    host.Find(7)->values[kVarIndicatedAirspeed] = 99;
    SyncAiRows(core, sink);
    EXPECT_FALSE(TakeAiResort(core.aiList)) << "another column changed";
    EXPECT_TRUE(AiRowChanged(core.aiList, 7));
    host.Find(7)->values[kVarAltitude] = 100;
    SyncAiRows(core, sink);
    EXPECT_TRUE(TakeAiResort(core.aiList));
    EXPECT_LT(CompareAiRowsBy(core.aiList, 7, 5, 4), 0) << "100 ft before 3000 ft";
    EXPECT_FALSE(ChooseAiSortColumn(core.aiList, 0));
    EXPECT_TRUE(ChooseAiSortColumn(core.aiList, 0)) << "a second click on Type: host order";
    EXPECT_EQ(core.aiList.sortColumn, kAiHostOrder);
    SyncAiRows(core, sink);
    EXPECT_FALSE(TakeAiResort(core.aiList)) << "the host's order is never sorted";
}

TEST_F(AiListModelTest, TheStatusLineWritesCountAndDayOnlyWhenTheyChange) {
    AiStatusTexts status;
    SyncAiRows(core, sink);
    UpdateAiStatus(core, status);
    EXPECT_TRUE(status.countChanged && status.dayChanged);
    EXPECT_STREQ(status.count, "N = 3");
    EXPECT_STREQ(status.time, "09:05:03");
    UpdateAiStatus(core, status);
    EXPECT_FALSE(status.countChanged || status.dayChanged);
    host.dayOfWeek = 3;
    UpdateAiStatus(core, status);
    EXPECT_TRUE(status.dayChanged && !status.countChanged);
    core.aiList.statusReset = true;
    UpdateAiStatus(core, status);
    EXPECT_TRUE(status.countChanged && status.dayChanged);
}

TEST_F(AiListModelTest, ButtonsAndTheFollowedRowsSelection) {
    const struct {
        int32_t active, mode;
        bool selected, enabled;
    } cases[] = {{1, kModeNormal, true, true},
                 {1, kModeOnGround, true, true},
                 {1, kModePlaneSpotting, true, false},
                 {0, kModeNormal, true, false},
                 {1, kModeNormal, false, false}};
    for (const auto& c : cases) {
        Settings settings{};
        settings.Active = c.active;
        settings.Mode = c.mode;
        EXPECT_EQ(AiButtonsEnabled(settings, c.selected), c.enabled)
            << c.active << " " << c.mode << " " << c.selected;
    }
    SyncAiRows(core, sink);
    EXPECT_EQ(AiRowToSelect(core, false), kNoAircraft) << "the user's aircraft has no row";
    core.target.id = 7;
    EXPECT_EQ(AiRowToSelect(core, false), 7);
    EXPECT_EQ(AiRowToSelect(core, true), kNoAircraft) << "a selection is kept";
}

} // namespace
