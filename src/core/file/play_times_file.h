#pragma once
// The play times of a player's visits (start and end, play_time.h), kept in
// "<name>.times" beside the player file, which keeps its format byte for
// byte. No file is written while no visit has times.
//
// UTF-8 text, CR LF line ends: the line "ledra3 play times 1", then one line
// per visit with times:
//     year,month,day,投資,回収,store ID,machine ID,position,count,start,end,comment
// A line names its record by content: the date, the amounts, the IDs and the
// comment (last, quoted as in CSV when it needs to be), and its position
// among the count records identical in all of those (1-based, table order).
// Times are "HH:MM" or empty. It is read as the player file is read
// (text_lines.h): any line ends, a byte order mark skipped; a file without
// its first line is read as this version's.
//
// Opening attaches each line to the record it names, and to no other: a line
// whose record is gone or changed, or whose identical records are no longer
// as many, attaches nowhere and is counted. So a player file changed by
// another program, or a pair of files left by a save cut short between its
// two renames (the times file is renamed first), never moves a time to
// another visit: the time stays on its own record or is reported.

#include <QByteArray>
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
// version) and attaches its times to the records of data.
TimesReading ReadPlayTimes(const QString &fileName, Data &data);

// Why what has fileName is no file to read or replace (a folder, a pipe, a
// device); empty for a file, a link to one, or nothing.
QString NotAFileReason(const QString &fileName);

// The times file for the records of data; empty when no record has times.
QByteArray PlayTimesBytes(const Data &data);
