#pragma once
// Small routines every window uses.

#include <QString>
#include <QtGlobal>

class Platform;
class States;

// True when path names an existing entry that is not a folder; no wildcards.
bool FileCheck(const QString &path);

// Sound effect 1 ("sentaku.wav"), 2 ("supura.wav") or the beep 3, only when the
// player's sound effects are on.
void SoundPlay(Platform &platform, const States &states, qint16 n);

// Waits while window events keep being processed.
void TimeWait(Platform &platform, double seconds);

// One-character weekday of a real date between 1950 and 2100 and true;
// otherwise "--" and false.
bool YoubiGet(QString &youbi, qint16 year, qint16 month, qint16 day);
