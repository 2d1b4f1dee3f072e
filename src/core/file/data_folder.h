#pragma once

#include <QString>

// Makes the data folder the current directory: dir when given, otherwise
// $XDG_DATA_HOME/ledra3. Creates it when missing. False with a reason.
bool EnterDataFolder(const QString &dir, QString &error);
