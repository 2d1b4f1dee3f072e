#pragma once
// Which record a line of the times file names (play_times_file.h): the records
// identical to a visit's content (date, amounts, IDs, comment), and a
// record's position among them.

#include "core/model/play_record.h"

#include <QList>
#include <QStringView>

class Data;

// All of a visit that names it but its position: its record but the times
// and the other details, the comment as read from a line.
struct VisitContent {
    qint16 DYear = 0;
    qint16 DMonth = 0;
    qint16 DDay = 0;
    qint32 DToushi = 0;
    qint32 DKaishuu = 0;
    qint16 DSId = 0;
    qint16 DMId = 0;
    QStringView DComment;

    static VisitContent Of(const PlayRecord &r)
    {
        return {r.DYear, r.DMonth, r.DDay, r.DToushi, r.DKaishuu, r.DSId, r.DMId, r.DComment};
    }
};

// A stable 64-bit digest of a visit's content (the same on every machine and
// in every run: files keep it), by which a line of the times file names its
// record without repeating the content.
quint64 ContentFingerprint(const VisitContent &content);

// Identical records share their date: in a table in date order (as the entry
// window and the CSV import leave it) they lie in one run of equal dates,
// found by walking on or by a binary search. Otherwise, or where one day has
// very many visits, a table of content hashes chains them (open addressing:
// no allocation per record, which a list per content would cost).
class ContentGroups {
public:
    explicit ContentGroups(const Data &data);

    // The record at position (1-based) among those identical to content,
    // when they are count records; 0 when they are not, or there is none.
    qint32 Identical(const VisitContent &content, qint32 position, qint32 count);

    // The same for the content of record n: found quickly where n is alone.
    qint32 IdenticalTo(qint32 n, qint32 position, qint32 count);

    // Each record's position among those identical to it, and their count.
    void Positions(QList<qint32> &position, QList<qint32> &count);

private:
    template <typename Visit> void forEachIdentical(const VisitContent &content, Visit &&visit);
    void buildChains();

    // Slots of 8 bytes keep the table small; records whose hashes share these
    // 32 bits share a chain, which compares contents anyway.
    struct Slot {
        quint32 hash = 0;
        qint32 head = 0; // 0: empty
    };
    // The slot of the chain of hash h: its own, or the empty one where it would go.
    qsizetype slot(quint32 h) const;

    const Data &data_;
    const qint32 n_;
    bool byDate_ = false;
    qint32 cursor_ = 1; // where the last day looked for began
    int bits_ = 4;
    QList<qint32> next_; // by record number: the next of its chain, 0 at the end
    QList<qint32> last_; // by chain head: the chain's last record
    QList<Slot> heads_;  // the table of chains
};
