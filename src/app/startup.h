#pragma once

#include <QString>

class Platform;

// Makes the data folder the current directory: dir when given, otherwise
// $XDG_DATA_HOME/ledra3. Creates it when missing. False with a reason.
bool EnterDataFolder(const QString &dir, QString &error);

// Warns (without stopping) when the Japanese font or the code page 932
// converter is missing.
void KankyouCheck(Platform &platform);
// The same with the findings given, for tests.
void KankyouCheckWith(Platform &platform, bool converterFound, bool japaneseFontFound);
