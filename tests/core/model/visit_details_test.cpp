#include "core/model/visit_details.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {
using Kind = PlayRate::Kind;
}

TEST(VisitDetails, RatesAsTypedAndShown)
{
    const std::pair<QString, PlayRate> rates[] = {
        {u"4円パチンコ"_s, {Kind::Pachinko, 400}}, {u"４円パチンコ"_s, {Kind::Pachinko, 400}},
        {u"0.5円パチ"_s, {Kind::Pachinko, 50}},    {u"１．２５ ﾊﾟﾁﾝｺ"_s, {Kind::Pachinko, 125}},
        {u"20円スロット"_s, {Kind::Slot, 2000}},   {u"5スロ"_s, {Kind::Slot, 500}},
        {u"100円スロット"_s, {Kind::Slot, 10000}}, {u"  "_s, PlayRate()}};
    for (const auto &[text, rate] : rates)
        EXPECT_EQ(ReadRate(text), rate) << text.toStdString();
    for (const QString &text : {u"4円"_s, u"パチンコ"_s, u"0円パチンコ"_s, u"100.01円スロット"_s,
                                u"1.234円パチ"_s, u"4.円パチ"_s, u"-4円パチ"_s, u"4円パチンコ台"_s})
        EXPECT_FALSE(ReadRate(text)) << text.toStdString();
    // Shown as the person reads it, and read back the same.
    for (const PlayRate &rate : StandardRates() + QList<PlayRate>{{Kind::Slot, 225}})
        EXPECT_EQ(ReadRate(RateText(rate)), rate);
    EXPECT_EQ(RateText({Kind::Pachinko, 50}), u"0.5円パチンコ"_s);
    EXPECT_EQ(RateText({Kind::Slot, 225}), u"2.25円スロット"_s);
    EXPECT_EQ(RateText(PlayRate()), QString());
}

TEST(VisitDetails, TheLastRateAtAStoreIsThatOfItsLatestDatedVisit)
{
    const auto visit = [](qint16 store, qint16 day, PlayRate rate) {
        PlayRecord r{2001, 4, day, 1000, 0, store, 0, {}};
        r.rate = rate;
        return r;
    };
    LastRate last(3);
    EXPECT_FALSE(last.Rate().IsSet());
    for (const PlayRecord &r : {visit(3, 5, {Kind::Slot, 2000}), visit(3, 9, {Kind::Pachinko, 100}),
                                visit(3, 9, {Kind::Pachinko, 400}), // the later of one day
                                visit(3, 2, {Kind::Slot, 500}),     // an earlier date further down
                                visit(3, 20, PlayRate()),           // no rate
                                visit(5, 30, {Kind::Slot, 1000}),   // another store
                                visit(3, 0, {Kind::Slot, 200})})    // no complete date
        last.Add(r);
    EXPECT_EQ(last.Rate(), (PlayRate{Kind::Pachinko, 400}));
}

TEST(VisitDetails, CountsAndTagsAsTyped)
{
    EXPECT_EQ(ReadCount(u"４００"_s, kMaxSpins), 400);
    EXPECT_EQ(ReadCount(u"1,200"_s, kMaxSpins), 1200);
    EXPECT_EQ(ReadCount(u" "_s, kMaxSpins), kNoCount);
    EXPECT_EQ(ReadCount(u"0"_s, kMaxJackpots), 0);
    for (const QString &text : {u"-1"_s, u"1.5"_s, u"10000"_s, u"12回"_s})
        EXPECT_FALSE(ReadCount(text, kMaxJackpots)) << text.toStdString();
    EXPECT_EQ(CountText(kNoCount), QString());

    // Full-width and half-width forms are one tag; each once, in typed order.
    EXPECT_EQ(TagsFromText(u"イベント日、ＡＢＣ,新台，ABC、 ,ｲﾍﾞﾝﾄ日"_s),
              (QStringList{u"イベント日"_s, u"ABC"_s, u"新台"_s}));
    EXPECT_EQ(TagsFromText(u""_s), QStringList());
    EXPECT_EQ(NormalTag(u" ｲﾍﾞﾝﾄ "_s), u"イベント"_s);
    const QString twenty(20, u'あ');
    EXPECT_EQ(TagsFromText(twenty), QStringList{twenty});
    QString tooLong;
    EXPECT_FALSE(TagsFromText(QString(u"並び、"_s + twenty + u"い"_s), &tooLong));
    EXPECT_EQ(tooLong, twenty + u"い"_s);
    EXPECT_EQ(TagsText({u"並び"_s, u"新台"_s}), u"並び、新台"_s);
}

TEST(VisitDetails, SpinRatePerThousandYen)
{
    const auto visit = [](qint32 spins, qint32 toushi) {
        PlayRecord r;
        r.spins = spins;
        r.DToushi = toushi;
        return r;
    };
    SpinRate rate;
    EXPECT_EQ(rate.Text(), u"—"_s);
    rate.Add(visit(400, 20000));
    EXPECT_EQ(rate.Text(), u"20.0"_s);
    rate.Add(visit(300, 10000));
    EXPECT_EQ(rate.Text(), u"23.3"_s); // 700 ÷ 30,000 × 1,000
    rate.Add(visit(500, 0));           // spins without investment: in no rate
    rate.Add(visit(kNoCount, 5000));   // investment without spins: neither
    EXPECT_EQ(rate.Tenths(), 233);

    SpinRate half; // 0.05 spins per 1,000 yen rounds up
    half.Add(visit(1, 20000));
    EXPECT_EQ(half.Text(), u"0.1"_s);
    SpinRate many; // grouped like the other figures
    many.Add(visit(999999, 100));
    EXPECT_EQ(many.Text(), u"9,999,990.0"_s);
}
