#pragma once
// The list window's copy of its rows' texts, found by aircraft in constant time. The list view
// asks for the cells of columns 1..7 when it draws them, so a refresh that changes a value only
// touches this copy and repaints what is on screen; sorting reads the texts from here too.
#include <cstddef>
#include <cstdint>
#include "core/camera/pass_by_state.h"
#include "core/traffic/ai_format.h"

constexpr int32_t kAiRowCapacity = 2048; // rows the list holds; further aircraft are not listed
constexpr int32_t kAiRowHashSize = 4096; // a power of two, twice the rows
constexpr size_t kAiCellSize = 32;       // a numeric or state cell, terminator included

struct AiRowRecord {
    HostObjectId id;
    bool used;
    bool changed; // a cell changed since the last ClearAiRowChanges
    char type[kTextSize];
    char cells[kAiColumnCount - 1][kAiCellSize]; // columns 1..7
    double values[kAiColumnCount - 1];           // the host values the cells were made from
    double sortNumbers[kAiColumnCount - 1];      // what columns 2..7 sort by, from their texts
    bool valueKnown[kAiColumnCount - 1];
};

// All zero is an empty store.
struct AiRowStore {
    AiRowRecord rows[kAiRowCapacity];
    int32_t slotPlusOne[kAiRowHashSize]; // 0 marks a free hash position
    int32_t freeSlots[kAiRowCapacity];
    int32_t freeCount;
    int32_t highWater; // slots below it have been handed out at least once; walk them with used
    int32_t rowCount;
};

void ClearAiRows(AiRowStore& store);
// The slot of an aircraft's row, or -1.
int32_t FindAiRow(const AiRowStore& store, HostObjectId id);
// A new row with empty texts, or the existing one; -1 when the store is full.
int32_t AddAiRow(AiRowStore& store, HostObjectId id);
void RemoveAiRow(AiRowStore& store, HostObjectId id);
// The row in a slot that FindAiRow or AddAiRow returned.
AiRowRecord& AiRowAt(AiRowStore& store, int32_t slot);

// Stores a cell's text, cut to its capacity; true and marks the row changed when it differs.
bool SetAiCell(AiRowRecord& row, int column, const char* text);
const char* AiCell(const AiRowRecord& row, int column);
// Records the host value behind a cell of columns 1..7; true when it differs from the last one
// (a cell's text depends on its value alone, so an unchanged value needs no formatting).
bool AiValueChanged(AiRowRecord& row, int column, double value);
void ClearAiRowChanges(AiRowStore& store);
