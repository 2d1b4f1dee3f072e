#pragma once
// The temporary files a save writes beside the files it replaces, and their
// removal where a save was cut short (killed, a power cut) and left them.
//
// A temporary name is ".<file name>.<13 base-36 digits>" beside the file, in
// the data folder (the player file, its backup, the times file and its
// backup, the lock) and in the player's dated-copy folder. Nothing else is
// ever taken for one: not the lock ".<name>.pcd.lock", not a sync program's
// or an editor's files, not another player's.

#include <QString>

class DataFolder;

// A name beside fileName that nothing has yet (a full path).
QString TempNameBeside(const QString &fileName);

// Removes the temporary files of player name's saves cut short. Only while
// this program holds the player's lock: no running copy can be writing them.
void RemoveLeftovers(const DataFolder &folder, const QString &name);
