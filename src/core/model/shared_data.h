#pragma once
// The four shared objects, created at start in this order and alive until
// exit. Every window receives them by reference.
//
// The records and the store and machine lists are read-only to everyone but
// the two routines that may change them: opening a player (OpenPlayer) and
// ChangePlayerData, which checks the table's rules, marks the data modified,
// recomputes the summary and tells the windows. Nothing can change them
// behind those routines' backs.

#include "core/file/data_folder.h"
#include "core/file/file_stamp.h"
#include "core/file/item_reader.h"
#include "core/file/play_times_file.h"
#include "core/file/player_file.h"
#include "core/model/data_change.h"
#include "core/model/master_list.h"
#include "core/model/player_settings.h"
#include "core/model/record_table.h"
#include "core/platform.h"

#include <QList>
#include <future>
#include <optional>

struct PlayerOpening;

// A player's file read and decoded ahead of its opening, its records read,
// and its times file read (ReadPlayerAhead).
struct PlayerReadAhead {
    QString name;
    ItemReader reader;
    FileStamp stamp;
    Data records;
    PlayTimesLines times;
};

struct SharedData {
    explicit SharedData(Platform &p, DataFolder dataFolder = DataFolder())
        : platform(p), folder(std::move(dataFolder))
    {}
    SharedData(const SharedData &) = delete;
    SharedData &operator=(const SharedData &) = delete;

    Platform &platform;
    DataFolder folder; // where the players' files are

private:
    Data data_;
    SMData machines_;
    SMData stores_;

public:
    const Data &data = data_;           // the record table
    const SMData &Machines = machines_; // <MachineData>
    const SMData &Stores = stores_;     // <StoreData>
    States states;                      // the player's settings and summary
    PlayerFile file;                    // the open player's file: its lock, what it held
    DataNotifier notifier;              // changed() after every change of the data above

    // Failures the person is told of once in a run, not at every turn.
    bool toldSettingsFailure = false;
    bool toldGenerationFailure = false;

    // The file ReadPlayerAhead is reading; the next OpenPlayer takes it.
    std::future<PlayerReadAhead> readAhead;

private:
    friend PlayerOpening OpenPlayer(SharedData &, const QString &, bool);
    friend ChangeOutcome ChangePlayerData(SharedData &, const DataChange &);
    friend void ForgetUnread(SharedData &);
};

struct PlayerOpening {
    bool opened = false;
    QList<MessageBoxText> messages; // to show, in this order
    // Not opened: a lock from another computer names the player. Answered
    // Yes, OpenPlayer with takeOver opens it.
    std::optional<MessageBoxText> takeOverQuestion;
};

// Opens a player: takes the player's lock, reads the four sections of
// "<name>.pcd" in the data folder, sets the name, clears the modified flag and
// recomputes the summary; the messages then tell what of the file could not
// be read, and that the player is read-only when the folder cannot be
// written. When another running copy of the program has the player open, or a
// lock from another computer names it (unless takeOver), nothing changes and
// the message or the question says so.
PlayerOpening OpenPlayer(SharedData &shared, const QString &name, bool takeOver = false);

// Starts reading and decoding "<name>.pcd" and its records on a second thread,
// for the player the program is about to open: at start-up the main window is
// built and painted meanwhile. OpenPlayer of that name takes them, under the lock,
// when the file's size and time are still those it was read with; otherwise
// it reads the file again. A change that slips by both is still one the save
// finds, as the stamp is that of the text read.
void ReadPlayerAhead(SharedData &shared, const QString &name);

// What of the last file read was not taken, as "2件の記録、1行の設定";
// empty when everything was.
QString UnreadParts(const SharedData &shared);
// After a save the file holds what the tables hold.
void ForgetUnread(SharedData &shared);
