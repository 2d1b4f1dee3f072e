#pragma once
// Reads a data file as a stream of items, the way the writers produce them:
// items separated by commas and line ends, text items in double quotes, a blank
// line as one empty item. Never reports anything: a failure just ends a read.

#include <QString>
#include <QStringView>
#include <QtGlobal>

class ItemReader {
public:
    // Reads and decodes the whole file; false when it cannot be opened.
    bool Open(const QString &fileName);
    // Reads from text already in memory (used by tests and converters).
    void SetText(const QString &text);

    // Next item; false at the end of the file.
    bool Next(QString &item);
    // Next item as a number: empty or non-numeric gives 0; false at the end of
    // the file or when the value does not fit the field.
    bool NextInt16(qint16 &value);
    bool NextInt32(qint32 &value);

    // Reads single items from the start until one equals marker exactly. The
    // writers never quote a marker and always quote names and comments, so a
    // quoted item is never taken for one: a store named "<Data>" stays a name.
    bool SeekMarker(const QString &marker);

private:
    // The next item as a view into the text (valid until the text changes),
    // so that a search over a huge file copies nothing.
    bool nextView(QStringView &item, bool &quoted);
    bool atLineEnd() const;
    void skipLineEnd();

    QString text_;
    qsizetype pos_ = 0;
};
