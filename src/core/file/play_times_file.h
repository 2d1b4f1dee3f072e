#pragma once
// The play times (start and end, play_time.h) and the other details of a
// player's visits (rate, spins, jackpots, tags: visit_details.h), kept in
// "<name>.times" beside the player file, which keeps its format byte for
// byte. No file is written while no visit has any of them.
//
// UTF-8 text, CR LF line ends: a first line naming the version, then one
// line per visit with times or details. Version 1, "ledra3 play times 1",
// written while no visit has details beyond its times (the version that
// copies of the program before the details read):
//     year,month,day,投資,回収,store ID,machine ID,position,count,start,end,comment
// Version 3, "ledra3 play times 3", written once a visit has any, names a
// visit by its record number and the fingerprint of its content instead of
// repeating the content, and its tags by their numbers in a second line:
//     tags,<tag 1>,<tag 2>,…
//     number,fingerprint,position,count,start,end,rate,spins,jackpots,tag numbers
// (fingerprint: ContentFingerprint in 11 digits of 6 bits, times_fields.h;
// start and end: minutes after midnight; rate: the price in yen and p or s,
// "4p", "0.5p", "20s"; tag numbers: "3 7"). The number is left out where it
// follows the previous line's, the position and the count where they are 1:
// a visit alone on the line after another is ",Hf3kD9aZ01q,,,600,930,4p,350,
// 2,1 2". Version 2, which
// repeated the content as version 1 does and wrote rates and tags out, is
// read as ever:
//     year,month,day,投資,回収,store ID,machine ID,position,count,start,end,
//     rate,spins,jackpots,tags,comment
// A line names its record by content: the date, the amounts, the IDs and the
// comment (in version 3 their fingerprint; the comment last in the others,
// quoted as in CSV when it needs to be), and its position among the count
// records identical in all of those (1-based, table order). Times are
// "HH:MM" (version 3: minutes), each field empty when not recorded. It is read as the player file
// is read (text_lines.h): any line ends, a byte order mark skipped; a file
// without its first line is read as version 3, 2 or 1, whichever its lines
// are. A copy of the program of an earlier version counts every line of a
// later one as a line it cannot attach (and asks before a save drops them).
//
// Opening attaches each line to the record it names, and to no other: a line
// whose record is gone or changed, or whose identical records are no longer
// as many, attaches nowhere and is counted. So a player file changed by
// another program, or a pair of files left by a save cut short between its
// two renames (the times file is renamed first), never moves a time or a
// detail to another visit: it stays on its own record or is reported. (The
// record number only says where to look first: a record found elsewhere
// with the same content, as many times as before, is the same visit.)

#include "core/file/content_groups.h"
#include "core/model/play_record.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

class Data;

// A line of a times file as read, before it is attached to a record.
struct TimesLine {
    // How it names its record: by the number it had and its fingerprint
    // (version 3), or by its content (number 0: contents[content] of
    // PlayTimesLines).
    qint32 number = 0;
    qint32 content = -1;
    quint64 fingerprint = 0;
    qint32 position = 0;
    qint32 count = 0;
    // What it gives the record.
    qint16 startMinute = kNoTime;
    qint16 endMinute = kNoTime;
    PlayRate rate;
    qint32 spins = kNoCount;
    qint32 jackpots = kNoCount;
    qint32 tags = -1;  // in tagLists of PlayTimesLines; -1: none
    bool read = false; // false: no line of any version; attaches nowhere
};

// The content a line of version 1 or 2 names its record by; its comment in
// the comments of PlayTimesLines.
struct TimesContent {
    VisitContent content; // without its comment
    qsizetype commentFrom = 0;
    qsizetype commentSize = 0;
};

// A times file read, its lines not yet attached: reading it needs no
// records, so that it runs beside the reading of the player file.
struct PlayTimesLines {
    QList<TimesLine> lines;
    QList<TimesContent> contents;
    QList<QStringList> tagLists; // each list once, shared by its visits
    QString comments;
    // The file as it was when read (not there: !exists), so that a reading
    // made ahead is used only while the file is unchanged.
    bool exists = false;
    qint64 size = 0;
    QDateTime modified;
    // Why the file could not be read (a folder, a pipe, no permission).
    QString unreadable;
};

// What opening found in the times file.
struct TimesReading {
    qint32 attached = 0;  // lines attached to their records
    qint32 unmatched = 0; // lines naming no record, or that could not be read
    // Why the file could not be read (a folder, a pipe, no permission);
    // empty when it was read or is missing. Nothing may replace it then.
    QString unreadable;
};

// Reads the times file (missing: no lines, as for a player of the previous
// version).
PlayTimesLines ReadPlayTimesLines(const QString &fileName);
// Whether lines are those of the file at fileName as it is now.
bool StillTheFile(const PlayTimesLines &lines, const QString &fileName);
// Attaches the times and details of lines to the records of data.
TimesReading AttachPlayTimes(const PlayTimesLines &lines, Data &data);
// Both: reads the times file and attaches it.
TimesReading ReadPlayTimes(const QString &fileName, Data &data);

// Why what has fileName is no file to read or replace (a folder, a pipe, a
// device); empty for a file, a link to one, or nothing.
QString NotAFileReason(const QString &fileName);

// The times file for the records of data: version 1 while no record has a
// detail beyond its times, else version 3; empty when no record has either.
QByteArray PlayTimesBytes(const Data &data);

// The version a times file's bytes name in their first line: 1, 2 or 3; -1
// for a later version; 0 when they name none.
int PlayTimesVersion(QByteArrayView bytes);
