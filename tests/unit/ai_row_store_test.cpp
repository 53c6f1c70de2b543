#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <string>

#include "core/traffic/ai_compare.h"
#include "core/traffic/ai_row_store.h"

namespace {

// The store is large; each test gets its own zeroed one on the heap.
class AiRowStoreTest : public ::testing::Test {
  protected:
    void SetUp() override { store.reset(new AiRowStore()); }
    AiRowStore& S() { return *store; }
    std::unique_ptr<AiRowStore> store;
};

// A fixed pseudo-random sequence, so that failures repeat.
uint32_t NextRandom(uint32_t& state) {
    state = state * 1664525u + 1013904223u;
    return state >> 8;
}

} // namespace

TEST_F(AiRowStoreTest, FindsWhatWasAddedAndNothingElse) {
    EXPECT_EQ(FindAiRow(S(), 7), -1);
    const HostObjectId ids[] = {7, 2, -1, 0, 2147483647, -2147483647 - 1, 4096, 8192};
    int32_t slots[8];
    for (int i = 0; i < 8; ++i) {
        slots[i] = AddAiRow(S(), ids[i]);
        ASSERT_GE(slots[i], 0);
    }
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE(ids[i]);
        EXPECT_EQ(FindAiRow(S(), ids[i]), slots[i]);
        EXPECT_EQ(AiRowAt(S(), slots[i]).id, ids[i]);
    }
    EXPECT_EQ(FindAiRow(S(), 3), -1);
    EXPECT_EQ(FindAiRow(S(), 12288), -1);
    EXPECT_EQ(S().rowCount, 8);
}

TEST_F(AiRowStoreTest, AddingAnAircraftTwiceKeepsOneRow) {
    int32_t first = AddAiRow(S(), 42);
    SetAiCell(AiRowAt(S(), first), 2, "12.3");
    EXPECT_EQ(AddAiRow(S(), 42), first);
    EXPECT_EQ(S().rowCount, 1);
    EXPECT_STREQ(AiCell(AiRowAt(S(), first), 2), "12.3");
}

TEST_F(AiRowStoreTest, HoldsExactlyItsCapacityAndReusesFreedSlots) {
    for (int32_t i = 0; i < kAiRowCapacity; ++i) {
        ASSERT_GE(AddAiRow(S(), 1000 + i * 4096), 0) << i; // ids that share low bits
    }
    EXPECT_EQ(AddAiRow(S(), 5), -1);
    EXPECT_EQ(FindAiRow(S(), 5), -1);
    int32_t freed = FindAiRow(S(), 1000 + 17 * 4096);
    RemoveAiRow(S(), 1000 + 17 * 4096);
    EXPECT_FALSE(AiRowAt(S(), freed).used);
    EXPECT_EQ(AddAiRow(S(), 5), freed);
    EXPECT_TRUE(AiRowAt(S(), freed).used);
    for (int32_t i = 0; i < kAiRowCapacity; ++i) {
        if (i != 17) {
            ASSERT_GE(FindAiRow(S(), 1000 + i * 4096), 0) << i;
        }
    }
}

TEST_F(AiRowStoreTest, RemovalsInAnyOrderKeepTheOtherRowsReachable) {
    // Scattered ids: evenly spaced ones never collide and would leave the probe chains untested.
    static HostObjectId ids[kAiRowCapacity];
    static bool removed[kAiRowCapacity];
    uint32_t random = 12345;
    for (int32_t i = 0; i < kAiRowCapacity; ++i) {
        do {
            ids[i] = static_cast<HostObjectId>(NextRandom(random));
        } while (FindAiRow(S(), ids[i]) >= 0);
        ASSERT_GE(AddAiRow(S(), ids[i]), 0);
        removed[i] = false;
    }
    for (int round = 0; round < kAiRowCapacity * 3 / 4; ++round) {
        int32_t i = static_cast<int32_t>(NextRandom(random) % kAiRowCapacity);
        RemoveAiRow(S(), ids[i]);
        removed[i] = true;
    }
    int32_t remaining = 0;
    for (int32_t i = 0; i < kAiRowCapacity; ++i) {
        int32_t slot = FindAiRow(S(), ids[i]);
        if (removed[i]) {
            EXPECT_EQ(slot, -1) << i;
        } else {
            ASSERT_GE(slot, 0) << i;
            EXPECT_EQ(AiRowAt(S(), slot).id, ids[i]);
            ++remaining;
        }
    }
    EXPECT_EQ(S().rowCount, remaining);
}

TEST_F(AiRowStoreTest, RemovingAnAbsentAircraftChangesNothing) {
    AddAiRow(S(), 9);
    RemoveAiRow(S(), 10);
    EXPECT_EQ(S().rowCount, 1);
    EXPECT_GE(FindAiRow(S(), 9), 0);
}

TEST_F(AiRowStoreTest, ClearingForgetsEveryRow) {
    for (HostObjectId id = 2; id < 50; ++id) {
        AddAiRow(S(), id);
    }
    int32_t slot49 = FindAiRow(S(), 49);
    ClearAiRows(S());
    EXPECT_FALSE(AiRowAt(S(), slot49).used);
    EXPECT_EQ(S().rowCount, 0);
    EXPECT_EQ(FindAiRow(S(), 2), -1);
    EXPECT_EQ(FindAiRow(S(), 49), -1);
    EXPECT_EQ(AddAiRow(S(), 49), 0);
}

TEST_F(AiRowStoreTest, AReusedSlotStartsWithEmptyTexts) {
    int32_t slot = AddAiRow(S(), 3);
    SetAiCell(AiRowAt(S(), slot), 0, "B737");
    SetAiCell(AiRowAt(S(), slot), 7, "-512");
    RemoveAiRow(S(), 3);
    ASSERT_EQ(AddAiRow(S(), 4), slot);
    EXPECT_STREQ(AiCell(AiRowAt(S(), slot), 0), "");
    EXPECT_STREQ(AiCell(AiRowAt(S(), slot), 7), "");
    EXPECT_FALSE(AiRowAt(S(), slot).changed);
}

TEST_F(AiRowStoreTest, CellsReportOnlyRealChanges) {
    AiRowRecord& row = AiRowAt(S(), AddAiRow(S(), 5));
    EXPECT_TRUE(SetAiCell(row, 2, "12.3"));
    EXPECT_TRUE(row.changed);
    ClearAiRowChanges(S());
    EXPECT_FALSE(row.changed);
    EXPECT_FALSE(SetAiCell(row, 2, "12.3"));
    EXPECT_FALSE(row.changed);
    EXPECT_TRUE(SetAiCell(row, 2, "12.30"));
    EXPECT_TRUE(SetAiCell(row, 2, "12.3"));
    EXPECT_TRUE(SetAiCell(row, 2, "")); // a prefix of the old text is a change too
    EXPECT_STREQ(AiCell(row, 2), "");
    EXPECT_TRUE(row.changed);
}

TEST_F(AiRowStoreTest, ColumnsAreKeptApart) {
    AiRowRecord& row = AiRowAt(S(), AddAiRow(S(), 5));
    for (int column = 0; column < kAiColumnCount; ++column) {
        std::string text = "c" + std::to_string(column);
        EXPECT_TRUE(SetAiCell(row, column, text.c_str()));
    }
    for (int column = 0; column < kAiColumnCount; ++column) {
        EXPECT_EQ(std::string(AiCell(row, column)), "c" + std::to_string(column));
    }
    EXPECT_FALSE(SetAiCell(row, kAiColumnCount, "x"));
    EXPECT_STREQ(AiCell(row, -1), "");
}

TEST_F(AiRowStoreTest, OverlongTextsAreCutToTheirCellAndThenStable) {
    AiRowRecord& row = AiRowAt(S(), AddAiRow(S(), 5));
    std::string longNumber(300, '9');
    EXPECT_TRUE(SetAiCell(row, 2, longNumber.c_str()));
    EXPECT_EQ(std::strlen(AiCell(row, 2)), kAiCellSize - 1);
    EXPECT_FALSE(SetAiCell(row, 2, longNumber.c_str()));

    std::string longType(400, 'T');
    EXPECT_TRUE(SetAiCell(row, 0, longType.c_str()));
    EXPECT_EQ(std::strlen(AiCell(row, 0)), kTextSize - 1);
    EXPECT_FALSE(SetAiCell(row, 0, longType.c_str()));
    EXPECT_STREQ(AiCell(row, 1), "");
}

TEST_F(AiRowStoreTest, ValuesBehindCellsReportOnlyRealChanges) {
    AiRowRecord& row = AiRowAt(S(), AddAiRow(S(), 5));
    EXPECT_TRUE(AiValueChanged(row, 4, 1500.5)) << "the first value is always new";
    EXPECT_FALSE(AiValueChanged(row, 4, 1500.5));
    EXPECT_TRUE(AiValueChanged(row, 4, 1500.25));
    EXPECT_TRUE(AiValueChanged(row, 5, 1500.25)) << "columns are kept apart";
    double nan = std::nan("");
    EXPECT_TRUE(AiValueChanged(row, 6, nan));
    EXPECT_TRUE(AiValueChanged(row, 6, nan)) << "NaN never equals itself: always formatted";
    EXPECT_TRUE(AiValueChanged(row, 0, 1.0)) << "column 0 has no value";
    EXPECT_TRUE(AiValueChanged(row, 8, 1.0));
}

TEST_F(AiRowStoreTest, AReusedSlotForgetsItsValues) {
    int32_t slot = AddAiRow(S(), 3);
    AiValueChanged(AiRowAt(S(), slot), 2, 12.0);
    RemoveAiRow(S(), 3);
    ASSERT_EQ(AddAiRow(S(), 4), slot);
    EXPECT_TRUE(AiValueChanged(AiRowAt(S(), slot), 2, 12.0));
}

TEST_F(AiRowStoreTest, NumericCellsKeepTheNumberTheySortBy) {
    AiRowRecord& row = AiRowAt(S(), AddAiRow(S(), 7));
    SetAiCell(row, 2, "12.3");
    SetAiCell(row, 3, "-512");
    SetAiCell(row, 7, "n/a");
    EXPECT_EQ(row.sortNumbers[1], 123.0) << "distance in tenths";
    EXPECT_EQ(row.sortNumbers[2], -512.0);
    EXPECT_EQ(row.sortNumbers[6], 0.0) << "no digits sorts as 0";
    SetAiCell(row, 2, "n/a");
    EXPECT_EQ(row.sortNumbers[1], 0.0) << "a rewritten cell replaces its number";
    // The kept numbers order two rows as their texts do.
    AiRowRecord& other = AiRowAt(S(), AddAiRow(S(), 9));
    SetAiCell(other, 2, "100.0");
    SetAiCell(row, 2, "99.9");
    EXPECT_EQ(CompareAiSortNumbers(row.sortNumbers[1], other.sortNumbers[1], 2),
              CompareAiCells("99.9", "100.0", 2));
    EXPECT_LT(CompareAiSortNumbers(row.sortNumbers[1], other.sortNumbers[1], 2), 0);
}
