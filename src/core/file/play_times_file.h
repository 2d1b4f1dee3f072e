#pragma once
// The play times (start and end, play_time.h) and the other details of a
// player's visits (rate, spins, jackpots, tags: visit_details.h), kept in
// "<name>.times" beside the player file, which keeps its format byte for
// byte. No file is written while no visit has any of them.
//
// UTF-8 text, CR LF line ends: a first line naming the version, then one
// line per visit with times or details. Version 1, "ledra3 play times 1",
// written while no visit has details beyond its times:
//     year,month,day,投資,回収,store ID,machine ID,position,count,start,end,comment
// Version 2, "ledra3 play times 2", written once a visit has any:
//     year,month,day,投資,回収,store ID,machine ID,position,count,start,end,
//     rate,spins,jackpots,tags,comment
// A line names its record by content: the date, the amounts, the IDs and the
// comment (last, quoted as in CSV when it needs to be), and its position
// among the count records identical in all of those (1-based, table order).
// Times are "HH:MM", rates as RateText writes them ("4円パチンコ"), tags as
// TagsText joins them ("イベント日、新台"), each of them empty when not
// recorded. It is read as the player file is read (text_lines.h): any line
// ends, a byte order mark skipped; a file without its first line is read as
// version 2, a line that is none as version 1. A first version's file is
// read as ever; the program of that version counts every line of a later
// one as a line it cannot attach (and asks before a save drops them).
//
// Opening attaches each line to the record it names, and to no other: a line
// whose record is gone or changed, or whose identical records are no longer
// as many, attaches nowhere and is counted. So a player file changed by
// another program, or a pair of files left by a save cut short between its
// two renames (the times file is renamed first), never moves a time or a
// detail to another visit: it stays on its own record or is reported.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

class Data;

// What opening found in the times file.
struct TimesReading {
    qint32 attached = 0;  // lines attached to their records
    qint32 unmatched = 0; // lines naming no record, or that could not be read
    // Why the file could not be read (a folder, a pipe, no permission);
    // empty when it was read or is missing. Nothing may replace it then.
    QString unreadable;
};

// Reads the times file (missing: nothing, as for a player of the previous
// version) and attaches its times and details to the records of data.
TimesReading ReadPlayTimes(const QString &fileName, Data &data);

// Why what has fileName is no file to read or replace (a folder, a pipe, a
// device); empty for a file, a link to one, or nothing.
QString NotAFileReason(const QString &fileName);

// The times file for the records of data: version 1 while no record has a
// detail beyond its times, else version 2; empty when no record has either.
QByteArray PlayTimesBytes(const Data &data);

// The version a times file's bytes name in their first line: 1 or 2; -1 for
// a later version; 0 when they name none.
int PlayTimesVersion(QByteArrayView bytes);
