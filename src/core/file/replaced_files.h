#pragma once
// Replacing a file by a rename frees the file replaced, and ext4 does that
// work inside the rename: half a millisecond for a megabyte, paid on every
// save for the backup and the day's copy of each file. The file replaced is
// held across the rename and let go of later (DoLater), so that a save does
// not wait for it. Nothing visible changes: no name is left behind, and a
// program that ends (or is killed) lets go of what it still holds.

#include <QByteArray>

// rename(from, to), the file it replaces freed later. False with errno set
// when the rename fails.
bool RenameReplacing(const QByteArray &from, const QByteArray &to);
