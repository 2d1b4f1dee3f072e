#pragma once
// Merging another computer's copy of a player (a sync program's conflict
// copy, or the player file another computer saved while this one had it
// open) into the open player, visit by visit. Nothing of the player is
// deleted: the copy's visits that the player lacks are added, with their play
// times and other details, and the stores and machines it lacks.
//
// A copy is read with the readers that open a player, into tables of its
// own. Two visits are the same when date, 投資, 回収, store name, machine name
// and comment agree, each visit of the player answering for one of the copy
// (so a visit the copy holds twice and the player once is added once).
// Stores and machines are matched by name, never by ID: two computers may
// have given one ID to different new stores; a store new to the player gets a
// free ID. A visit both have takes each detail (play times, rate, spins,
// jackpots, tags) that only the copy holds; one the player has never changes.

#include "core/file/conflict_copies.h"
#include "core/file/csv_exchange.h"
#include "core/file/file_stamp.h"
#include "core/model/data_change.h"

struct SharedData;

// What one copy brings.
struct CopyMerge {
    ConflictCopy copy;
    // NewRows: the visits the player lacks (Row: the visit's number in the
    // copy; Record as it will be added, with the IDs it gets here, its play
    // times and details); Present: the visits both have; NewStores, NewMachines: the
    // names the lists lack, with their new IDs; Invalid: visits that cannot be
    // added (no free ID left for their store or machine).
    CsvExchange::ImportPreview added;
    qint32 detailsTaken = 0; // visits both have that take details only the copy holds
    qint32 unread = 0;       // records, names and times of the copy that could not be read
    bool readable = true;    // false: the copy's player file could not be opened
    FileStamp seen;          // what the copy's player file held when read

    bool HasNews() const;
};

struct ConflictMerge {
    QList<CopyMerge>
        copies; // in the order given, each compared with the player and those before it
    // The player's records and lists with every copy merged; the records in
    // date order when visits were added.
    QList<PlayRecord> records;
    QList<MasterEntry> stores;
    QList<MasterEntry> machines;

    bool HasNews() const;
    qint32 VisitsAdded() const;
    qint32 DetailsTaken() const;
};

// Reads the copies and compares them with the open player's data.
ConflictMerge PreviewConflictMerge(const SharedData &shared, const QList<ConflictCopy> &copies);

// The other computer's save of the player's own files, read as a copy.
ConflictCopy PlayerFilesAsCopy(const SharedData &shared, const QString &name);

// Whether the record table can take the merged records (32,767 records, the
// total balance within 32 bits); false with the message to show.
bool MergeFits(const ConflictMerge &merge, const SharedData &shared, QString &message);

// Puts the merged records and lists in place through ChangePlayerData (the
// data is then marked modified); nothing happens when the copies bring
// nothing.
ChangeOutcome ApplyConflictMerge(SharedData &shared, const ConflictMerge &merge);
