#include "ui/entry/entry_columns.h"

#include "core/model/master_list.h"
#include "core/model/play_time.h"
#include "core/model/visit_details.h"
#include "core/util/numbers.h"
#include "core/util/tool.h"

#include <QDate>
#include <optional>

using namespace Qt::StringLiterals;
using namespace EntryColumn;

namespace {
// ---------------------------------------------------------------- readers

// Plain ASCII decimal ("0", "-5", "2001"): the form most typed and pasted
// numbers already have, read without the general reader.
std::optional<qint64> plainDecimal(const QString &text)
{
    const qsizetype n = text.size();
    const bool minus = n > 0 && text[0] == u'-';
    const qsizetype digits = n - (minus ? 1 : 0);
    if (digits < 1 || digits > 10)
        return std::nullopt;
    qint64 v = 0;
    for (qsizetype i = minus ? 1 : 0; i < n; ++i) {
        const char16_t ch = text[i].unicode();
        if (ch < u'0' || ch > u'9')
            return std::nullopt;
        v = v * 10 + (ch - u'0');
    }
    return minus ? -v : v;
}

bool wholeInto(double value, qint16 &field)
{
    return ToInt16(value, field);
}
bool wholeInto(double value, qint32 &field)
{
    return ToInt32(value, field);
}

// A number field (date parts, amounts, IDs): whatever ReadTypedNumber takes,
// rounded to a whole number that must fit the field. Its own form is plain
// decimal without a leading zero; a date part shows 0 as an empty cell.
template <auto Member, bool ZeroBlank = false>
CellRead readNumber(PlayRecord &r, const QString &text)
{
    if (const std::optional<qint64> plain = plainDecimal(text)) {
        if (!wholeInto(double(*plain), r.*Member))
            return CellRead::TooWide;
        const qsizetype digits = text.size() - (text[0] == u'-' ? 1 : 0);
        const bool own = (digits == 1 || text[text.size() - digits] != u'0') && text != u"-0"_s &&
                         !(ZeroBlank && *plain == 0);
        return own ? CellRead::OwnForm : CellRead::OtherForm;
    }
    const std::optional<double> value = ReadTypedNumber(text);
    if (!value)
        return CellRead::NoValue;
    return wholeInto(*value, r.*Member) ? CellRead::OtherForm : CellRead::TooWide;
}
template <auto Member> void clearNumber(PlayRecord &r)
{
    r.*Member = 0;
}
// Date parts without a zero ("" for none), amounts and IDs in plain decimal.
template <auto Member> QString showDatePart(const PlayRecord &r)
{
    return r.*Member == 0 ? QString() : QString::number(r.*Member);
}
template <auto Member> QString showNumber(const PlayRecord &r)
{
    return QString::number(r.*Member);
}

// A clock time, "HH:MM".
template <auto Member> CellRead readTime(PlayRecord &r, const QString &text)
{
    if (!ReadClockTime(text, r.*Member))
        return CellRead::NoValue;
    return text == FormatClockTime(r.*Member) ? CellRead::OwnForm : CellRead::OtherForm;
}
template <auto Member> void clearTime(PlayRecord &r)
{
    r.*Member = kNoTime;
}
template <auto Member> QString showTime(const PlayRecord &r)
{
    return FormatClockTime(r.*Member);
}
template <auto Member> bool noTime(const PlayRecord &r)
{
    return r.*Member == kNoTime;
}

// A count of the visit (spins, jackpots): a whole number from 0 to Max. A
// number out of that range, or not whole, is too wide for the field.
template <auto Member, qint32 Max> CellRead readCount(PlayRecord &r, const QString &text)
{
    const std::optional<qint32> count = ReadCount(text, Max);
    if (!count)
        return ReadTypedNumber(text) ? CellRead::TooWide : CellRead::NoValue;
    r.*Member = *count;
    return text == CountText(*count) ? CellRead::OwnForm : CellRead::OtherForm;
}
template <auto Member> void clearCount(PlayRecord &r)
{
    r.*Member = kNoCount;
}
template <auto Member> QString showCount(const PlayRecord &r)
{
    return CountText(r.*Member);
}
template <auto Member> bool noCount(const PlayRecord &r)
{
    return r.*Member == kNoCount;
}

template <auto Member>
constexpr ValueField datePart{showDatePart<Member>, readNumber<Member, true>, clearNumber<Member>};
template <auto Member>
constexpr ValueField number{showNumber<Member>, readNumber<Member>, clearNumber<Member>};
template <auto Member>
constexpr ValueField clockTime{showTime<Member>, readTime<Member>, clearTime<Member>,
                               noTime<Member>};
template <auto Member, qint32 Max>
constexpr ValueField count{showCount<Member>, readCount<Member, Max>, clearCount<Member>,
                           noCount<Member>};
// The rate, "4円パチンコ".
constexpr ValueField rate{[](const PlayRecord &r) { return RateText(r.rate); },
                          [](PlayRecord &r, const QString &text) {
                              const std::optional<PlayRate> read = ReadRate(text);
                              if (!read)
                                  return CellRead::NoValue;
                              r.rate = *read;
                              return text == RateText(*read) ? CellRead::OwnForm
                                                             : CellRead::OtherForm;
                          },
                          [](PlayRecord &r) { r.rate = PlayRate(); },
                          [](const PlayRecord &r) { return !r.rate.IsSet(); }};
// The tags, "並び、新台": a tag longer than a tag may be is too wide.
constexpr ValueField tags{
    [](const PlayRecord &r) { return TagsText(r.tags); },
    [](PlayRecord &r, const QString &text) {
        std::optional<QStringList> read = TagsFromText(text);
        if (!read)
            return CellRead::TooWide;
        r.tags = std::move(*read);
        return text == TagsText(r.tags) ? CellRead::OwnForm : CellRead::OtherForm;
    },
    [](PlayRecord &r) { r.tags.clear(); }, [](const PlayRecord &r) { return r.tags.isEmpty(); }};
// The comment: kept exactly as typed.
constexpr ValueField comment{[](const PlayRecord &r) { return r.DComment; },
                             [](PlayRecord &r, const QString &text) {
                                 r.DComment = text;
                                 return CellRead::OwnForm;
                             },
                             [](PlayRecord &r) { r.DComment.clear(); }};

// ---------------------------------------------------------------- derived cells

constexpr quint32 kDateCells = (1u << Year) | (1u << Month) | (1u << Day);

// The weekday of a real date; "--" for a date that is complete but not real
// (as a damaged file can hold), nothing while a part is missing or no number.
Shown youbi(const EntryRow &row, const EntryLists &)
{
    if ((row.unreadable | row.tooWide) & kDateCells)
        return {};
    const PlayRecord &r = row.record;
    QString text;
    if (!YoubiGet(text, r.DYear, r.DMonth, r.DDay))
        return {row.blank & kDateCells ? QString() : text};
    const int day = QDate(r.DYear, r.DMonth, r.DDay).dayOfWeek();
    return {text, day == Qt::Saturday ? Tone::Saturday
                  : day == Qt::Sunday ? Tone::Sunday
                                      : Tone::Plain};
}

// The balance, red when negative; nothing until the row has an amount.
Shown shuushi(const EntryRow &row, const EntryLists &)
{
    const PlayRecord &r = row.record;
    if ((r.DToushi == 0 && r.DKaishuu == 0) || row.invalid(Toushi) || row.invalid(Kaishuu))
        return {};
    return {FormatGrouped(double(r.Balance())), r.Balance() < 0 ? Tone::Loss : Tone::Plain};
}

// The name of the ID to the left: "(不明)" when no entry has it.
template <int IdCol> Shown listName(const EntryRow &row, const EntryLists &lists)
{
    if (row.blank & columnBit(IdCol))
        return {};
    if (row.invalid(IdCol))
        return {UnknownName()};
    return IdCol == StoreId ? Shown{lists.stores.SeekName(row.record.DSId)}
                            : Shown{lists.machines.SeekName(row.record.DMId)};
}

constexpr GridAlign L = GridAlign::Left, C = GridAlign::Center, R = GridAlign::Right;
constexpr CellInput Typed = CellInput::Typed, Listed = CellInput::Listed,
                    Chosen = CellInput::Chosen, None = CellInput::None;
} // namespace

const EntryColumnSpec kEntryColumns[EntryColumn::Count] = {
    // title, weight, stretch, widest, title and cell alignment, input, limit, Tab, field / derived
    {u"年", 500, false, u"0000", C, R, Typed, 4, 1, &datePart<&PlayRecord::DYear>, nullptr},
    {u"月", 350, false, u"00", C, R, Typed, 2, 1, &datePart<&PlayRecord::DMonth>, nullptr},
    {u"日", 350, false, u"00", C, R, Typed, 2, 2, &datePart<&PlayRecord::DDay>, nullptr},
    {u"曜", 350, false, u"日", C, L, None, 40, 1, nullptr, youbi},
    {u"投資", 800, false, u"000000", C, R, Typed, 40, 1, &number<&PlayRecord::DToushi>, nullptr},
    {u"回収", 800, false, u"000000", C, R, Typed, 40, 3, &number<&PlayRecord::DKaishuu>, nullptr},
    {u"収支", 950, false, u"-000,000", C, R, None, 40, 2, nullptr, shuushi},
    {u"", 0, false, nullptr, C, R, None, 40, 1, &number<&PlayRecord::DSId>, nullptr},
    {u"店名", 1500, true, u"(不明)", L, L, Chosen, 40, 2, nullptr, listName<StoreId>},
    {u"", 0, false, nullptr, C, R, None, 40, 1, &number<&PlayRecord::DMId>, nullptr},
    {u"台名", 1500, true, u"(不明)", L, L, Chosen, 40, 1, nullptr, listName<MachineId>},
    {u"コメント", 1100, true, nullptr, L, L, Typed, 40, 0, &comment, nullptr},
    // A time as an input method types it ("２２：３０") shows whole.
    {u"開始", 550, false, u"００：００", C, C, Typed, 5, 1, &clockTime<&PlayRecord::startMinute>,
     nullptr},
    {u"終了", 550, false, u"００：００", C, C, Typed, 5, 1, &clockTime<&PlayRecord::endMinute>,
     nullptr},
    // Beyond the default size: the details, Tab going through them to the next row.
    {u"レート", 1100, false, u"0.5円パチンコ", C, L, Listed, 12, 1, &rate, nullptr},
    {u"回転数", 650, false, u"000000", C, R, Typed, 9, 1, &count<&PlayRecord::spins, kMaxSpins>,
     nullptr},
    {u"大当たり", 650, false, u"0000", C, R, Typed, 9, 1,
     &count<&PlayRecord::jackpots, kMaxJackpots>, nullptr},
    {u"タグ", 1800, true, nullptr, L, L, Typed, 100, 0, &tags, nullptr},
};
