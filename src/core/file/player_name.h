#pragma once
// The one rule for player names. A player is the file "<name>.pcd" of the data
// folder, and the player list cuts file names at their first ".": a name must
// stay one file of that folder on every desktop and come back from the list
// unchanged. Used for new players, imported players and the remembered player.

#include <QString>

// False for a blank name and for a name holding . / \ : * ? " < > | or a
// control character. "¥" (U+00A5, the yen key) is allowed.
bool IsUsablePlayerName(const QString &name);
