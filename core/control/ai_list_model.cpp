#include "core/control/ai_list_model.h"
#include <cstdio>
#include "core/control/module_core.h"
#include "core/settings/settings_limits.h"
#include "core/traffic/ai_compare.h"
#include "core/control/ai_traffic.h"

namespace {

constexpr int kFirstNumericColumn = 2; // Distance; Type and State sort as text
constexpr char kTourMark[] = "> ";     // before the type of the aircraft the tour follows

void AddRow(ModuleCore& core, AiRowSink& sink, HostObjectId id) {
    AiListModel& model = core.aiList;
    int32_t slot = AddAiRow(model.rows, id);
    if (slot < 0) {
        return;
    }
    AiRowRecord& row = AiRowAt(model.rows, slot);
    char text[kTextSize];
    FormatAiType(core, id, text);
    SetAiCell(row, 0, text);
    for (int column = 1; column < kAiColumnCount; ++column) {
        double value = ReadAiColumnValue(core, id, column);
        AiValueChanged(row, column, value);
        FormatAiColumnValue(column, value, text);
        SetAiCell(row, column, text);
    }
    if (!sink.RowAdded(id, row)) {
        RemoveAiRow(model.rows, id);
        return;
    }
    model.resortPending = true;
}

// A cell whose value is unchanged keeps its text.
void UpdateRow(ModuleCore& core, AiRowRecord& row) {
    AiListModel& model = core.aiList;
    char text[kTextSize];
    for (int column = 1; column < kAiColumnCount; ++column) {
        double value = ReadAiColumnValue(core, row.id, column);
        if (!AiValueChanged(row, column, value)) {
            continue;
        }
        FormatAiColumnValue(column, value, text);
        if (SetAiCell(row, column, text) && column == model.sortColumn) {
            model.resortPending = true;
        }
    }
}

} // namespace

void ForgetAiRows(AiListModel& model) {
    ClearAiRows(model.rows);
}

void SyncAiRows(ModuleCore& core, AiRowSink& sink) {
    AiListModel& model = core.aiList;
    ClearAiRowChanges(model.rows);
    AiWalk walk = BeginAiWalk(*core.host);
    model.lastWalkCount = walk.listCount;
    HostObjectId id;
    while (NextAiAircraft(*core.host, walk, id)) {
        int32_t slot = FindAiRow(model.rows, id);
        if (slot < 0) {
            AddRow(core, sink, id);
        } else {
            UpdateRow(core, AiRowAt(model.rows, slot));
        }
    }
}

void PruneAiRows(ModuleCore& core, AiRowSink& sink) {
    AiRowStore& rows = core.aiList.rows;
    for (int32_t slot = 0; slot < rows.highWater; ++slot) {
        const AiRowRecord& row = AiRowAt(rows, slot);
        if (row.used && !core.host->LookupObject(row.id)) {
            HostObjectId id = row.id;
            RemoveAiRow(rows, id);
            sink.RowRemoved(id);
        }
    }
}

bool TakeAiResort(AiListModel& model) {
    bool due = model.resortPending && model.sortColumn != kAiHostOrder;
    model.resortPending = false;
    return due;
}

bool ChooseAiSortColumn(AiListModel& model, int32_t column) {
    if (column == 0 && model.sortColumn == 0) {
        model.sortColumn = kAiHostOrder;
        model.statusReset = true;
        return true;
    }
    model.sortColumn = column;
    return false;
}

const char* AiRowText(const AiListModel& model, HostObjectId id, int32_t column) {
    int32_t slot = FindAiRow(model.rows, id);
    return slot < 0 ? "" : AiCell(model.rows.rows[slot], column);
}

bool AiRowChanged(const AiListModel& model, HostObjectId id) {
    int32_t slot = FindAiRow(model.rows, id);
    return slot >= 0 && model.rows.rows[slot].changed;
}

int CompareAiRowsBy(const AiListModel& model, HostObjectId first, HostObjectId second,
                    int32_t column) {
    int32_t firstSlot = FindAiRow(model.rows, first);
    int32_t secondSlot = FindAiRow(model.rows, second);
    if (column >= kFirstNumericColumn && column < kAiColumnCount && firstSlot >= 0 &&
        secondSlot >= 0) {
        return CompareAiSortNumbers(model.rows.rows[firstSlot].sortNumbers[column - 1],
                                    model.rows.rows[secondSlot].sortNumbers[column - 1], column);
    }
    return CompareAiCells(AiRowText(model, first, column), AiRowText(model, second, column),
                          column);
}

void UpdateAiStatus(ModuleCore& core, AiStatusTexts& out) {
    AiListModel& model = core.aiList;
    int32_t day = HostDayOfWeek(*core.host);
    if (model.statusReset) {
        model.statusReset = false;
        model.lastShownCount = -1;
        model.lastShownDay = -1;
    }
    out.countChanged = model.lastWalkCount != model.lastShownCount;
    if (out.countChanged) {
        model.lastShownCount = model.lastWalkCount;
        FormatAiCount(model.lastWalkCount, out.count);
    }
    out.dayChanged = day != model.lastShownDay;
    if (out.dayChanged) {
        model.lastShownDay = day;
        out.day = DayName(day);
    }
    FormatHostUtcTime(*core.host, out.time);
}

bool AiButtonsEnabled(const Settings& settings, bool rowSelected) {
    return settings.Active != 0 && settings.Mode != kModePlaneSpotting && rowSelected;
}

HostObjectId AiRowToMark(const ModuleCore& core) {
    if (core.settings.Tour == 0 || core.target.id == kUserAircraftId ||
        FindAiRow(core.aiList.rows, core.target.id) < 0) {
        return kNoAircraft;
    }
    return core.target.id;
}

void FormatMarkedType(const char* type, char* out) {
    snprintf(out, kTextSize, "%s%s", kTourMark, type);
}

HostObjectId AiRowToSelect(const ModuleCore& core, bool anyRowSelected) {
    if (core.target.id == kUserAircraftId || anyRowSelected ||
        FindAiRow(core.aiList.rows, core.target.id) < 0) {
        return kNoAircraft;
    }
    return core.target.id;
}
