#pragma once
// The one place that changes an open player's records and lists. Every writer
// (the entry window's OK, the CSV import, the store and machine editors, the
// replacement of text the file cannot hold) goes through it, and every window
// that shows the player's data redraws when its notifier says so (a new draw
// threshold only recomputes the summary: RecomputeSummary).

#include "core/model/master_list.h"
#include "core/model/play_record.h"
#include "core/model/record_table.h"

#include <QList>
#include <QObject>
#include <optional>

struct SharedData;

// Emits changed() after the player's data has changed: records, lists, the
// draw threshold, or another player opened.
class DataNotifier : public QObject {
    Q_OBJECT
signals:
    void changed();
};

// What to replace; what is left empty stays as it is.
struct DataChange {
    std::optional<QList<PlayRecord>> records;
    std::optional<QList<MasterEntry>> stores;
    std::optional<QList<MasterEntry>> machines;
};

struct ChangeOutcome {
    bool applied = false;
    // Not applied: the index (0-based) in change.records of the first record
    // the table cannot take, and why (past 32,767 records, or a balance or
    // total balance beyond 32 bits).
    qsizetype refusedRecord = -1;
    Data::Refusal reason = Data::Refusal::None;
    explicit operator bool() const { return applied; }
};

// Whether the table could take records in place of its own, on the table's
// own rule; nothing changes. applied says they fit.
ChangeOutcome TryRecords(const QList<PlayRecord> &records);

// Checks that the table can take the records, then replaces what the change
// names, marks the data modified (States::Corrected), recomputes the summary
// and emits the notifier's changed(). A refused change changes nothing.
ChangeOutcome ChangePlayerData(SharedData &shared, const DataChange &change);

// Recomputes the summary counts and total (after opening a player or a new
// draw threshold) and tells the windows.
void RecomputeSummary(SharedData &shared);
