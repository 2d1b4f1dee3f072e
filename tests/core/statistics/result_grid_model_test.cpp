// The statistics window's result grid model: texts, tones and the values the
// grid sorts by, under the model tester.

#include "core/model/master_list.h"
#include "core/statistics/result_grid_model.h"
#include "core/statistics/value_sort_proxy.h"

#include <QAbstractItemModelTester>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {
PlayRecord visit(qint16 y, qint16 m, qint16 d, qint32 toushi, qint32 kaishuu, qint16 store,
                 const QString &comment = {})
{
    return PlayRecord{y, m, d, toushi, kaishuu, store, 1, comment};
}

QStringList rowTexts(const QAbstractItemModel &model, int row, int role = Qt::DisplayRole)
{
    QStringList out;
    for (int c = 0; c < model.columnCount(); ++c)
        out << model.index(row, c).data(role).toString();
    return out;
}

class ResultGridModelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        stores.WriteData({1, 2, 0}, {u"本店"_s, u"駅前店"_s, QString()});
        machines.WriteData({1, 0}, {u"海物語"_s, QString()});
    }

    SMData stores, machines;
    ResultGridModel model;
    QAbstractItemModelTester tester{&model, QAbstractItemModelTester::FailureReportingMode::Fatal};
};
} // namespace

TEST_F(ResultGridModelTest, RowsTonesAndTheEmptySelection)
{
    EXPECT_EQ(rowTexts(model, 0),
              (QStringList{u"該"_s, u"当"_s, u"な"_s, u"し"_s, {}, {}, {}, {}, {}, {}}));
    model.SetRecords({visit(2001, 3, 4, 10000, 8500, 1, u"朝から"_s), // a Sunday
                      visit(2001, 3, 10, 1000, 1000, 7),              // a Saturday
                      visit(2001, 2, 29, 0, 1234567, 2)},             // no such date
                     stores, machines);
    ASSERT_EQ(model.rowCount(), 3);
    EXPECT_EQ(rowTexts(model, 0),
              (QStringList{u"2001"_s, u"3"_s, u"4"_s, u"日"_s, u"10,000"_s, u"8,500"_s, u"-1,500"_s,
                           u"本店"_s, u"海物語"_s, u"朝から"_s}));
    EXPECT_EQ(rowTexts(model, 1).mid(3, 5),
              (QStringList{u"土"_s, u"1,000"_s, u"1,000"_s, u"0"_s, u"(不明)"_s}));
    EXPECT_EQ(rowTexts(model, 2).mid(3, 4),
              (QStringList{u"--"_s, u"0"_s, u"1,234,567"_s, u"1,234,567"_s}));
    const auto tone = [this](int row, int col) {
        return Tone(model.index(row, col).data(ToneRole).toInt());
    };
    EXPECT_EQ(tone(0, 3), Tone::Sunday);
    EXPECT_EQ(tone(0, 6), Tone::Loss);
    EXPECT_EQ(tone(0, 5), Tone::Plain);
    EXPECT_EQ(tone(1, 3), Tone::Saturday);
    EXPECT_EQ(tone(1, 6), Tone::Plain); // a balance of 0
    EXPECT_EQ(tone(2, 3), Tone::Plain);
    EXPECT_EQ(model.headerData(9, Qt::Horizontal, Qt::DisplayRole), u"コメント"_s);

    model.SetRecords({}, stores, machines);
    EXPECT_EQ(rowTexts(model, 0)[0], u"該"_s);
    EXPECT_EQ(tone(0, 3), Tone::Plain);
}

// Sorted on the values: amounts as numbers (not "-1,500" before "10,000" as
// texts), weekdays from Sunday with "--" first; equal values keep the order.
TEST_F(ResultGridModelTest, SortsOnTheValues)
{
    model.SetRecords({visit(2001, 3, 5, 10000, 0, 2), visit(2001, 3, 4, 500, 2000, 1),
                      visit(2001, 3, 10, 100, 100, 1), visit(2001, 2, 30, 900, 0, 2),
                      visit(2001, 3, 11, 0, 1500, 1)},
                     stores, machines);
    ValueSortProxy proxy(ValueSortProxy::Part::Body);
    proxy.setSourceModel(&model);
    const QList<std::pair<int, QStringList>> cases{
        {6, {u"-10,000"_s, u"-900"_s, u"0"_s, u"1,500"_s, u"1,500"_s}},
        {3, {u"--"_s, u"日"_s, u"日"_s, u"月"_s, u"土"_s}},
        {7, {u"本店"_s, u"本店"_s, u"本店"_s, u"駅前店"_s, u"駅前店"_s}},
    };
    for (const auto &[column, expected] : cases) {
        proxy.sort(column);
        QStringList shown;
        for (int r = 0; r < proxy.rowCount(); ++r)
            shown << proxy.index(r, column).data().toString();
        EXPECT_EQ(shown, expected) << column;
    }
    proxy.sort(6);
    EXPECT_EQ(proxy.index(3, 2).data(), u"4"_s); // the 4th before the 11th
}
