#pragma once
// A master list of stores or of machines: (ID, name) entries that play records
// refer to by ID.

#include <QByteArray>
#include <QList>
#include <QString>

class ItemReader;

struct MasterEntry {
    qint16 ID = 0;
    QString Name;
    friend bool operator==(const MasterEntry &, const MasterEntry &) = default;
};

class SMData {
public:
    static constexpr qint32 kMaxEntries = 32767;

    // Empties the list and reads the entries under the marker SLabel from a
    // file already read (the reader's position moves).
    void ReadFileData(ItemReader &reader, const QString &SLabel);
    // The section's bytes; false when a name cannot be carried by the file.
    bool SectionBytes(const QString &SLabel, QByteArray &out) const;

    // Arrays numbered from 1 that always end with one spare element: the caller
    // passes them with a single element; after n entries they hold n + 1.
    void ReadData(QList<qint16> &DId, QList<QString> &DName) const;
    // Replaces the list by elements 1..n of the arrays (the last is the spare).
    void WriteData(const QList<qint16> &DId, const QList<QString> &DName);

    QString SeekName(qint16 DId) const;
    qint32 SeekJunban(qint32 DId) const;

    qint32 Count() const { return static_cast<qint32>(EntryList.size()); }

    // Lines of the list's section in the last file read that the list did not
    // take: from where the reading stopped (past 32767 entries, an ID of 0 or
    // too large, a name whose quote is not closed on its line) to the section's
    // blank line. Saving would drop them.
    qint32 Unread() const { return unread_; }
    void ForgetUnread() { unread_ = 0; }
    const QList<MasterEntry> &Entries() const { return EntryList; }

private:
    QList<MasterEntry> EntryList;
    qint32 unread_ = 0;
};

// The name shown for an ID that no entry has.
QString UnknownName();
