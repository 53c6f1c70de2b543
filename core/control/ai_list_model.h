#pragma once
// What the AI list's model does: one walk of the host's list a second, pruning, sorting and the
// status line. The shell's list view follows the rows this model adds and drops.
#include "core/traffic/ai_list_state.h"

struct Settings;
struct ModuleCore;

// The list view that shows the rows: told of each row the model adds or drops.
class AiRowSink {
  public:
    // A new row at the end, its cells filled in; false when the view could not take it, and
    // the model drops the row again.
    virtual bool RowAdded(HostObjectId id, const AiRowRecord& row) = 0;
    virtual void RowRemoved(HostObjectId id) = 0;

  protected:
    ~AiRowSink() = default;
};

void ForgetAiRows(AiListModel& model);
// One walk over the host's AI list: adds the aircraft that have no row yet and updates the
// cells whose host value changed. Column 0 of an existing row is never rewritten.
void SyncAiRows(ModuleCore& core, AiRowSink& sink);
// Drops the rows of aircraft the host no longer has.
void PruneAiRows(ModuleCore& core, AiRowSink& sink);
// True (once) when a row was added or a cell of the sort column changed since the last sort.
bool TakeAiResort(AiListModel& model);
// A click on a column header: the new sort column, or the host's order again after a second
// click on "Type". True when the rows must be rebuilt in the host's order rather than sorted.
bool ChooseAiSortColumn(AiListModel& model, int32_t column);
// Ascending order of two rows in a column: numbers by their values, texts as texts.
int CompareAiRowsBy(const AiListModel& model, HostObjectId first, HostObjectId second,
                    int32_t column);
// A row's cell text, "" for an aircraft without a row.
const char* AiRowText(const AiListModel& model, HostObjectId id, int32_t column);
bool AiRowChanged(const AiListModel& model, HostObjectId id);

// The status line: the count and the day only when they changed (or after a reset), the time
// every second.
struct AiStatusTexts {
    bool countChanged;
    char count[kTextSize];
    bool dayChanged;
    const char* day;
    char time[kTextSize];
};
void UpdateAiStatus(ModuleCore& core, AiStatusTexts& out);
// Both target buttons work only with the view on, outside plane spotting, with a row selected.
bool AiButtonsEnabled(const Settings& settings, bool rowSelected);
// The row that carries the tour's mark: the AI aircraft "Watch the Traffic" follows, or
// kNoAircraft while the tour is off or follows the user's aircraft.
HostObjectId AiRowToMark(const ModuleCore& core);
// The type cell of the marked row: the mark, then the type, cut to kTextSize.
void FormatMarkedType(const char* type, char* out);
// The row to select when nothing is: the followed AI aircraft's, or kNoAircraft.
HostObjectId AiRowToSelect(const ModuleCore& core, bool anyRowSelected);
