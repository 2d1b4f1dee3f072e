#include "data/shared_data.h"

#include "data/user_data_file.h"

void OpenPlayer(SharedData &shared, const QString &name)
{
    const QString pcd = name + UserDataFile::PcdExtension();
    shared.data.ReadFileData(pcd);
    shared.Stores.ReadFileData(pcd, UserDataFile::StoreMarker());
    shared.Machines.ReadFileData(pcd, UserDataFile::MachineMarker());
    shared.states.ReadFileData(pcd);
    shared.states.UserName = name;
    shared.states.Corrected = false;
    shared.data.CalcStatus(shared.states.WakeKin, shared.states.Kachi, shared.states.Make,
                           shared.states.Wake, shared.states.Kingaku);
}
