#include "core/model/record_table.h"

#include "core/file/item_reader.h"
#include "core/file/user_data_file.h"
#include "core/util/fresh_memory.h"

#include <algorithm>
#include <iterator>
#include <limits>

using namespace Qt::StringLiterals;

namespace {
// Appends value in decimal, as QString::number writes it, without the
// temporary string that would cost an allocation per field on every save.
void appendNumber(QString &text, qint32 value)
{
    char16_t digits[11];
    qsizetype i = std::size(digits);
    quint32 v = value < 0 ? 0U - quint32(value) : quint32(value);
    do {
        digits[--i] = char16_t(u'0' + v % 10);
        v /= 10;
    } while (v != 0);
    if (value < 0)
        digits[--i] = u'-';
    text.append(QStringView(digits + i, qsizetype(std::size(digits)) - i));
}

void copyOut(const PlayRecord &r, qint16 &DYear, qint16 &DMonth, qint16 &DDay, qint32 &DToushi,
             qint32 &DKaishuu, qint16 &DSId, qint16 &DMId, QString &DComment)
{
    DYear = r.DYear;
    DMonth = r.DMonth;
    DDay = r.DDay;
    DToushi = r.DToushi;
    DKaishuu = r.DKaishuu;
    DSId = r.DSId;
    DMId = r.DMId;
    DComment = r.DComment;
}

// 0,0,0,0,0,0,0,"" and a line end.
constexpr qsizetype kShortestRecordLine = 17;

bool fitsInt32(qint64 v)
{
    return v >= std::numeric_limits<qint32>::min() && v <= std::numeric_limits<qint32>::max();
}
} // namespace

Outcome Classify(qint64 balance, qint32 WakeKin)
{
    const qint64 magnitude = balance < 0 ? -balance : balance;
    if (balance == 0 || magnitude < WakeKin)
        return Outcome::Draw;
    return balance > 0 ? Outcome::Win : Outcome::Loss;
}

namespace {
bool readRecord(ItemReader &reader, PlayRecord &r)
{
    // The writers always quote the comment: an unquoted item in its place
    // means that the items have slipped (a line with too few or too many).
    bool quoted = false;
    return reader.NextInt16(r.DYear) && reader.NextInt16(r.DMonth) && reader.NextInt16(r.DDay) &&
           reader.NextInt32(r.DToushi) && reader.NextInt32(r.DKaishuu) &&
           reader.NextInt16(r.DSId) && reader.NextInt16(r.DMId) &&
           reader.NextText(r.DComment, quoted) && quoted;
}
} // namespace

void Data::ReadFileData(ItemReader &reader)
{
    DataClear();
    unread_ = beyondLimits_ = 0;
    if (!reader.SeekMarker(UserDataFile::DataMarker()))
        return;
    // Room for as many records as the rest could hold (a line has at least
    // 17 characters), at most the limit: grown step by step, the list copied
    // every record again and again into fresh memory.
    RecordList.reserve(
        std::min<qsizetype>(kMaxRecords, reader.Remaining() / kShortestRecordLine + 1));
    PrepareToFill(RecordList.data(), size_t(RecordList.capacity()) * sizeof(PlayRecord));
    PlayRecord r;
    for (;;) {
        const qsizetype start = reader.Position();
        if (!readRecord(reader, r)) {
            // The final blank line ends the section with nothing left; any
            // other stop leaves the rest of the section unread.
            unread_ += reader.LinesUntilSectionEnd(start);
            return;
        }
        if (beyondLimits_ == 0 && WriteRefusal(r) == Refusal::None) {
            balanceSum_ += r.Balance();
            RecordList.append(std::move(r)); // the next line sets every field read
            continue;
        }
        // Past the limits: keep what fits and count the rest, so that nobody
        // saves over them unawares.
        ++beyondLimits_;
        ++unread_;
    }
}

bool Data::SectionBytes(QByteArray &out) const
{
    const QString nl = QString::fromUtf16(UserDataFile::kLineEnd);
    QString text;
    text.reserve(RecordList.size() * 40 + 16);
    text += UserDataFile::DataMarker() + nl;
    for (const PlayRecord &r : RecordList) {
        if (r.DComment.contains(u'"'))
            return false;
        for (const qint32 v : {qint32(r.DYear), qint32(r.DMonth), qint32(r.DDay), r.DToushi,
                               r.DKaishuu, qint32(r.DSId), qint32(r.DMId)}) {
            appendNumber(text, v);
            text += u',';
        }
        text += u'"';
        text += r.DComment;
        text += u'"';
        text += nl;
    }
    text += nl;
    return UserDataFile::EncodeSection(text, out);
}

bool Data::ReadData(qint32 N, qint16 &DYear, qint16 &DMonth, qint16 &DDay, qint32 &DToushi,
                    qint32 &DKaishuu, qint16 &DSId, qint16 &DMId, QString &DComment) const
{
    if (N < 1 || N > ListCount())
        return false;
    const PlayRecord &r = Record(N);
    copyOut(r, DYear, DMonth, DDay, DToushi, DKaishuu, DSId, DMId, DComment);
    return true;
}

void Data::DataClear()
{
    RecordList.clear();
    balanceSum_ = 0;
}

bool Data::DataWrite(qint16 DYear, qint16 DMonth, qint16 DDay, qint32 DToushi, qint32 DKaishuu,
                     qint16 DSId, qint16 DMId, const QString &DComment)
{
    return DataWrite(PlayRecord{DYear, DMonth, DDay, DToushi, DKaishuu, DSId, DMId, DComment});
}

Data::Refusal Data::WriteRefusal(const PlayRecord &record) const
{
    if (ListCount() >= kMaxRecords)
        return Refusal::TooManyRecords;
    const qint64 balance = record.Balance();
    if (!fitsInt32(balance))
        return Refusal::BalanceBeyond32Bits;
    return fitsInt32(balanceSum_ + balance) ? Refusal::None : Refusal::TotalBeyond32Bits;
}

bool Data::DataWrite(const PlayRecord &record)
{
    if (WriteRefusal(record) != Refusal::None)
        return false;
    RecordList.append(record);
    balanceSum_ += record.Balance();
    return true;
}

void Data::JoukenSet(qint16 DYear, qint16 DMonth, qint16 DSId, qint16 DMId) const
{
    CondYear = DYear;
    CondMonth = DMonth;
    CondSId = DSId;
    CondMId = DMId;
    if (CondYear == 0 || CondYear >= 1000) {
        CondCursor = 1;
    } else {
        // A year below 1000 is a count of the most recent records.
        CondCursor = ListCount() + 1 - CondYear;
        if (CondCursor < 1)
            CondCursor = 1;
    }
}

bool Data::JReadData(PlayRecord &record) const
{
    while (CondCursor >= 1 && CondCursor <= ListCount()) {
        const PlayRecord &r = Record(CondCursor);
        ++CondCursor;
        if (CondYear >= 1000 && r.DYear != CondYear)
            continue;
        if (CondMonth != 0 && r.DMonth != CondMonth)
            continue;
        if (CondSId != 0 && r.DSId != CondSId)
            continue;
        if (CondMId != 0 && r.DMId != CondMId)
            continue;
        record = r;
        return true;
    }
    return false;
}

bool Data::JReadData(qint16 &DYear, qint16 &DMonth, qint16 &DDay, qint32 &DToushi, qint32 &DKaishuu,
                     qint16 &DSId, qint16 &DMId, QString &DComment) const
{
    PlayRecord r;
    if (!JReadData(r))
        return false;
    copyOut(r, DYear, DMonth, DDay, DToushi, DKaishuu, DSId, DMId, DComment);
    return true;
}

void Data::CalcStatus(qint32 WakeKin, qint16 &TKachi, qint16 &TMake, qint16 &TWake,
                      qint32 &TKingaku) const
{
    // The table holds at most 32767 records whose balances sum within 32 bits
    // (DataWrite refuses anything else), so none of these can overflow.
    qint32 kachi = 0, make = 0, wake = 0;
    qint64 kingaku = 0;
    for (const PlayRecord &r : RecordList) {
        const qint64 b = r.Balance();
        switch (Classify(b, WakeKin)) {
        case Outcome::Draw: ++wake; break;
        case Outcome::Win: ++kachi; break;
        case Outcome::Loss: ++make; break;
        }
        kingaku += b;
    }
    TKachi = static_cast<qint16>(kachi);
    TMake = static_cast<qint16>(make);
    TWake = static_cast<qint16>(wake);
    TKingaku = static_cast<qint32>(kingaku);
}
