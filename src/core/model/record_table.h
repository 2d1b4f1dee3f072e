#pragma once
// The play record table of the current player.

#include "core/model/play_record.h"

#include <QByteArray>
#include <QList>
#include <QString>

class ItemReader;

class Data {
public:
    static constexpr qint32 kMaxRecords = 32767;

    // Empties the table and reads the <Data> section from a file already read
    // (the reader's position moves); stops quietly on failure.
    void ReadFileData(ItemReader &reader);
    // The section's bytes; false when a comment cannot be carried by the file.
    bool SectionBytes(QByteArray &out) const;

    bool ReadData(qint32 N, qint16 &DYear, qint16 &DMonth, qint16 &DDay, qint32 &DToushi,
                  qint32 &DKaishuu, qint16 &DSId, qint16 &DMId, QString &DComment) const;
    void DataClear();
    // Why the table would refuse a record appended to those it holds.
    enum class Refusal { None, TooManyRecords, BalanceBeyond32Bits, TotalBeyond32Bits };
    Refusal WriteRefusal(const PlayRecord &record) const;
    // Appends a record. Refused (false, table unchanged) past 32767 records or
    // when the balance or the total balance would leave 32 bits.
    bool DataWrite(qint16 DYear, qint16 DMonth, qint16 DDay, qint32 DToushi, qint32 DKaishuu,
                   qint16 DSId, qint16 DMId, const QString &DComment);
    bool DataWrite(const PlayRecord &record);

    // The filter and its reading position are no part of the records: a
    // window that may only read the table can still read it filtered.
    void JoukenSet(qint16 DYear, qint16 DMonth, qint16 DSId, qint16 DMId) const;
    bool JReadData(qint16 &DYear, qint16 &DMonth, qint16 &DDay, qint32 &DToushi, qint32 &DKaishuu,
                   qint16 &DSId, qint16 &DMId, QString &DComment) const;
    bool JReadData(PlayRecord &record) const;

    qint32 ListCount() const { return static_cast<qint32>(RecordList.size()); }

    void CalcStatus(qint32 WakeKin, qint16 &TKachi, qint16 &TMake, qint16 &TWake,
                    qint32 &TKingaku) const;

    // Records of the last file read that the table did not take. Saving the
    // table would drop them from the file. Kept until the next read or until
    // the person has agreed to drop them.
    // - beyond the limits: complete records past 32767 records or a total
    //   balance beyond 32 bits;
    // - and, where the reading stopped on a record it could not read (a value
    //   too large for its field, a comment not in quotes or not closed on its
    //   line), each line of the section from that record on.
    qint32 UnreadRecords() const { return unread_; }
    qint32 RecordsBeyondLimits() const { return beyondLimits_; }
    void ForgetUnreadRecords() { unread_ = beyondLimits_ = 0; }

    // Record N (1-based); N must be in 1..ListCount.
    const PlayRecord &Record(qint32 N) const { return RecordList[N - 1]; }
    // Sets record N's times and other details (rate, spins, jackpots, tags)
    // to those of from: what the file beside the player file keeps, never
    // the player file itself. from's tags are taken over: no count of the
    // list's holders changed but the one (a file's visits share a few lists).
    void SetDetails(qint32 N, PlayRecord &&from)
    {
        PlayRecord &r = RecordList[N - 1];
        r.startMinute = from.startMinute;
        r.endMinute = from.endMinute;
        r.rate = from.rate;
        r.spins = from.spins;
        r.jackpots = from.jackpots;
        r.tags = std::move(from.tags);
    }

    // The filter state.
    mutable qint16 CondYear = 0;
    mutable qint16 CondMonth = 0;
    mutable qint16 CondSId = 0;
    mutable qint16 CondMId = 0;
    mutable qint32 CondCursor = 1;

private:
    QList<PlayRecord> RecordList;
    qint64 balanceSum_ = 0; // kept so that no total can leave 32 bits
    qint32 unread_ = 0;
    qint32 beyondLimits_ = 0;
};

// The one win/loss/draw rule: a draw when b = 0 or |b| < WakeKin.
enum class Outcome { Win, Loss, Draw };
Outcome Classify(qint64 balance, qint32 WakeKin);
