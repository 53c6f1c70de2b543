#pragma once
// The AI list's model as the module keeps it: its rows, their order and its status line, kept
// apart from the list view that shows them.
#include <cstdint>
#include "core/traffic/ai_row_store.h"

constexpr HostObjectId kNoAircraft = -1;
constexpr int32_t kAiHostOrder = -1; // the sort column when the host's own order is shown

struct AiListModel {
    AiRowStore rows;
    int32_t sortColumn; // kAiHostOrder or 0..7; sorting is always ascending
    bool resortPending;
    bool statusReset;
    int32_t lastShownCount;
    int32_t lastShownDay;
    int32_t lastWalkCount; // the list count read by the latest walk
};
