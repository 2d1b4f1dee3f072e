#pragma once
// Reads a data file as a stream of items, the way the writers produce them:
// items separated by commas and line ends, text items in double quotes, a blank
// line as one empty item. Never reports anything: a failure just ends a read.

#include <QString>
#include <QStringView>
#include <QtGlobal>

struct FileStamp;

class ItemReader {
public:
    // Reads and decodes the whole file (a UTF-8 byte order mark at its start
    // is skipped); false when it cannot be opened. stamp, when given, records
    // what the file held.
    bool Open(const QString &fileName, FileStamp *stamp = nullptr);
    // Reads from text already in memory (used by tests and converters).
    void SetText(const QString &text);

    // Next item; false at the end of the file.
    bool Next(QString &item);
    // Next item as a text: also false when its quote is not closed on its own
    // line (the writers never put a line end into a text). quoted tells
    // whether it was written in quotes.
    bool NextText(QString &item, bool &quoted);
    // Next item as a number: empty or non-numeric gives 0; false at the end of
    // the file or when the value does not fit the field.
    bool NextInt16(qint16 &value);
    bool NextInt32(qint32 &value);

    // Reads single items from the start until one equals marker exactly. The
    // writers never quote a marker and always quote names and comments, so a
    // quoted item is never taken for one: a store named "<Data>" stays a name.
    bool SeekMarker(const QString &marker);

    // Where the next item starts, and how much text lies beyond it.
    qsizetype Position() const { return pos_; }
    qsizetype Remaining() const { return text_.size() - pos_; }
    // True when the item just read ended its line.
    bool EndedLine() const;
    // The lines from position from to the end of its section (a blank line,
    // a marker line or the end of the file) that hold anything: what a reader
    // that stopped at from has not taken.
    qint32 LinesUntilSectionEnd(qsizetype from) const;

private:
    // The next item as a view into the text (valid until the text changes),
    // so that a search over a huge file copies nothing.
    bool nextView(QStringView &item, bool &quoted);
    template <typename T> bool nextNumber(T &value);

    QString text_;
    qsizetype pos_ = 0;
};
