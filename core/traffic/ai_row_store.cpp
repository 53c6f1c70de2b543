#include "core/traffic/ai_row_store.h"

#include "core/traffic/ai_compare.h"
#include <cstring>

namespace {

constexpr uint32_t kHashMask = kAiRowHashSize - 1;
constexpr uint32_t kHashMultiplier = 2654435761u; // Knuth's multiplicative constant
constexpr uint32_t kHashShift = 20;               // keeps the top 12 bits of the product

static_assert((1u << (32 - kHashShift)) == kAiRowHashSize, "shift matches the hash size");
static_assert(kAiRowHashSize >= 2 * kAiRowCapacity, "probe chains stay short");

uint32_t HomeOf(HostObjectId id) {
    return (static_cast<uint32_t>(id) * kHashMultiplier) >> kHashShift;
}

// The hash position holding id, or the free position where it would go.
uint32_t ProbeFor(const AiRowStore& store, HostObjectId id) {
    uint32_t position = HomeOf(id);
    while (store.slotPlusOne[position] != 0 &&
           store.rows[store.slotPlusOne[position] - 1].id != id) {
        position = (position + 1) & kHashMask;
    }
    return position;
}

size_t CapacityOf(int column) {
    return column == 0 ? kTextSize : kAiCellSize;
}

char* CellOf(AiRowRecord& row, int column) {
    return column == 0 ? row.type : row.cells[column - 1];
}

// Closes the gap left at a free position so that every later entry of its chain stays reachable.
void CloseGap(AiRowStore& store, uint32_t gap) {
    uint32_t position = (gap + 1) & kHashMask;
    while (store.slotPlusOne[position] != 0) {
        uint32_t home = HomeOf(store.rows[store.slotPlusOne[position] - 1].id);
        bool homeAfterGap = ((position - home) & kHashMask) >= ((position - gap) & kHashMask);
        if (homeAfterGap) {
            store.slotPlusOne[gap] = store.slotPlusOne[position];
            store.slotPlusOne[position] = 0;
            gap = position;
        }
        position = (position + 1) & kHashMask;
    }
}

} // namespace

void ClearAiRows(AiRowStore& store) {
    std::memset(store.slotPlusOne, 0, sizeof store.slotPlusOne);
    for (int32_t slot = 0; slot < store.highWater; ++slot) {
        store.rows[slot].used = false;
    }
    store.freeCount = 0;
    store.highWater = 0;
    store.rowCount = 0;
}

int32_t FindAiRow(const AiRowStore& store, HostObjectId id) {
    return store.slotPlusOne[ProbeFor(store, id)] - 1;
}

int32_t AddAiRow(AiRowStore& store, HostObjectId id) {
    uint32_t position = ProbeFor(store, id);
    if (store.slotPlusOne[position] != 0) {
        return store.slotPlusOne[position] - 1;
    }
    int32_t slot;
    if (store.freeCount > 0) {
        slot = store.freeSlots[--store.freeCount];
    } else if (store.highWater < kAiRowCapacity) {
        slot = store.highWater++;
    } else {
        return -1;
    }
    AiRowRecord& row = store.rows[slot];
    row.id = id;
    row.used = true;
    row.changed = false;
    row.type[0] = '\0';
    for (char* cell : row.cells) {
        cell[0] = '\0';
    }
    for (bool& known : row.valueKnown) {
        known = false;
    }
    store.slotPlusOne[position] = slot + 1;
    ++store.rowCount;
    return slot;
}

void RemoveAiRow(AiRowStore& store, HostObjectId id) {
    uint32_t position = ProbeFor(store, id);
    if (store.slotPlusOne[position] == 0) {
        return;
    }
    int32_t slot = store.slotPlusOne[position] - 1;
    store.rows[slot].used = false;
    store.freeSlots[store.freeCount++] = slot;
    store.slotPlusOne[position] = 0;
    --store.rowCount;
    CloseGap(store, position);
}

AiRowRecord& AiRowAt(AiRowStore& store, int32_t slot) {
    return store.rows[slot];
}

bool SetAiCell(AiRowRecord& row, int column, const char* text) {
    if (column < 0 || column >= kAiColumnCount) {
        return false;
    }
    char* cell = CellOf(row, column);
    size_t capacity = CapacityOf(column);
    size_t length = strnlen(text, capacity - 1);
    if (std::strncmp(cell, text, length) == 0 && cell[length] == '\0') {
        return false;
    }
    std::memcpy(cell, text, length);
    cell[length] = '\0';
    if (column > 0) {
        row.sortNumbers[column - 1] = AiSortNumber(cell, column);
    }
    row.changed = true;
    return true;
}

const char* AiCell(const AiRowRecord& row, int column) {
    if (column < 0 || column >= kAiColumnCount) {
        return "";
    }
    return column == 0 ? row.type : row.cells[column - 1];
}

bool AiValueChanged(AiRowRecord& row, int column, double value) {
    if (column < 1 || column >= kAiColumnCount) {
        return true;
    }
    int index = column - 1;
    if (row.valueKnown[index] && row.values[index] == value) {
        return false;
    }
    row.values[index] = value;
    row.valueKnown[index] = true;
    return true;
}

void ClearAiRowChanges(AiRowStore& store) {
    for (int32_t slot = 0; slot < store.highWater; ++slot) {
        store.rows[slot].changed = false;
    }
}
