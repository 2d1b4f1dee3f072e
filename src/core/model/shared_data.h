#pragma once
// The four shared objects, created at start in this order and alive until
// exit. Every window receives them by reference.

#include "core/model/master_list.h"
#include "core/model/player_settings.h"
#include "core/model/record_table.h"

class Platform;

struct SharedData {
    explicit SharedData(Platform &p) : platform(p) {}
    SharedData(const SharedData &) = delete;
    SharedData &operator=(const SharedData &) = delete;

    Platform &platform;
    Data data;       // the record table
    SMData Machines; // <MachineData>
    SMData Stores;   // <StoreData>
    States states;   // the player's settings and summary
};

// Opens a player: reads the four sections of "<name>.pcd", sets the name,
// clears the modified flag and recomputes the summary. Tells the person when
// the file holds more records than the table can take.
void OpenPlayer(SharedData &shared, const QString &name);
