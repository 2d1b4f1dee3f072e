#include "core/model/visit_details.h"

#include "core/util/numbers.h"

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {
constexpr char16_t kTagSeparators[] = {u'、', u','};

struct KindName {
    PlayRate::Kind kind;
    QStringView name;
};
// Longest first, so that "パチンコ" is not read as "パチ" and a rest.
constexpr KindName kKindNames[] = {{PlayRate::Kind::Pachinko, u"パチンコ"},
                                   {PlayRate::Kind::Slot, u"スロット"},
                                   {PlayRate::Kind::Pachinko, u"パチ"},
                                   {PlayRate::Kind::Slot, u"スロ"}};

// Full-width digits and letters as ASCII, half-width katakana as full-width:
// the one form in which typed details are read and tags are kept.
QString compatibilityForm(QStringView text)
{
    return text.toString().normalized(QString::NormalizationForm_KC);
}

// "4", "0.5", "2.25" as hundredths of a yen; std::nullopt for anything else.
std::optional<qint32> priceHundredths(QStringView text)
{
    const qsizetype point = text.indexOf(u'.');
    const QStringView whole = point < 0 ? text : text.first(point);
    const QStringView part = point < 0 ? QStringView() : text.sliced(point + 1);
    const auto digits = [](QStringView s) {
        return std::all_of(s.begin(), s.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    };
    if (whole.isEmpty() || whole.size() > 3 || !digits(whole) || part.size() > 2 || !digits(part) ||
        (point >= 0 && part.isEmpty()))
        return std::nullopt;
    qint32 hundredths = whole.toInt() * 100;
    if (!part.isEmpty())
        hundredths += part.toInt() * (part.size() == 1 ? 10 : 1);
    return hundredths;
}
} // namespace

QList<PlayRate> StandardRates()
{
    using Kind = PlayRate::Kind;
    return {{Kind::Pachinko, 400}, {Kind::Pachinko, 200}, {Kind::Pachinko, 100},
            {Kind::Pachinko, 50},  {Kind::Slot, 2000},    {Kind::Slot, 1000},
            {Kind::Slot, 500},     {Kind::Slot, 200}};
}

QString RateText(const PlayRate &rate)
{
    if (!rate.IsSet())
        return QString();
    QString price = QString::number(rate.price / 100);
    if (const qint32 cents = rate.price % 100; cents != 0) {
        price += u'.' + QString::number(cents / 10);
        if (cents % 10 != 0)
            price += QString::number(cents % 10);
    }
    return price + u"円"_s +
           (rate.kind == PlayRate::Kind::Pachinko ? u"パチンコ"_s : u"スロット"_s);
}

std::optional<PlayRate> ReadRate(QStringView text)
{
    QString t = compatibilityForm(text);
    t.remove(u' ');
    if (t.isEmpty())
        return PlayRate();
    for (const KindName &k : kKindNames) {
        if (!t.endsWith(k.name))
            continue;
        QStringView price = QStringView(t).chopped(k.name.size());
        if (price.endsWith(u'円'))
            price.chop(1);
        const std::optional<qint32> hundredths = priceHundredths(price);
        if (!hundredths || *hundredths <= 0 || *hundredths > kMaxRatePrice)
            return std::nullopt;
        return PlayRate{k.kind, *hundredths};
    }
    return std::nullopt;
}

void LastRate::Add(const PlayRecord &record)
{
    if (record.DSId != store_ || !record.rate.IsSet() || record.DYear == 0 || record.DMonth == 0 ||
        record.DDay == 0)
        return;
    const RecordSortKey date = SortKeyOf(record);
    if (rate_.IsSet() && date < date_)
        return;
    rate_ = record.rate;
    date_ = date;
}

std::optional<qint32> ReadCount(QStringView text, qint32 max)
{
    if (text.trimmed().isEmpty())
        return kNoCount;
    const std::optional<double> value = ReadTypedNumber(text);
    if (!value || *value < 0 || *value > max || std::floor(*value) != *value)
        return std::nullopt;
    return qint32(*value);
}

QString CountText(qint32 count)
{
    return count == kNoCount ? QString() : QString::number(count);
}

QString NormalTag(QStringView tag)
{
    return compatibilityForm(tag).trimmed();
}

std::optional<QStringList> TagsFromText(QStringView text, QString *tooLong)
{
    QStringList tags;
    const QString normal = compatibilityForm(text);
    qsizetype from = 0;
    while (from <= normal.size()) {
        qsizetype to = from;
        while (to < normal.size() && std::find(std::begin(kTagSeparators), std::end(kTagSeparators),
                                               normal[to].unicode()) == std::end(kTagSeparators))
            ++to;
        const QString tag = QStringView(normal).sliced(from, to - from).trimmed().toString();
        from = to + 1;
        if (tag.isEmpty() || tags.contains(tag))
            continue;
        // Characters, a surrogate pair counting once.
        const qsizetype length = tag.size() - std::count_if(tag.cbegin(), tag.cend(), [](QChar c) {
                                     return c.isLowSurrogate();
                                 });
        if (length > kMaxTagLength) {
            if (tooLong)
                *tooLong = tag;
            return std::nullopt;
        }
        tags.append(tag);
    }
    return tags;
}

QString TagsText(const QStringList &tags)
{
    return tags.join(u'、');
}

void SpinRate::Add(const PlayRecord &record)
{
    if (record.spins == kNoCount || record.DToushi <= 0)
        return;
    spins_ += record.spins;
    toushi_ += record.DToushi;
}

std::optional<qint64> SpinRate::Tenths() const
{
    return ScaledRatio(spins_, toushi_, 10'000);
}

QString SpinRate::Text() const
{
    return FormatTenths(Tenths());
}
