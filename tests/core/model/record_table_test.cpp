#include "core/model/record_table.h"
#include "support/fake_platform.h"

#include <QList>
#include <gtest/gtest.h>
#include <limits>

using namespace Qt::StringLiterals;

namespace {
// Records 1..n with year 2000 + i % 3, month i % 12 + 1, store i % 4.
void fill(Data &d, int n)
{
    d.DataClear();
    for (int i = 1; i <= n; ++i)
        ASSERT_TRUE(d.DataWrite(qint16(2000 + i % 3), qint16(i % 12 + 1), 1, i, 0, qint16(i % 4), 1,
                                QString::number(i)));
}

// Wins, losses, draws and the total balance.
QList<int> status(const Data &d, qint32 WakeKin)
{
    qint16 w = 9, l = 9, dr = 9;
    qint32 sum = 9;
    d.CalcStatus(WakeKin, w, l, dr, sum);
    return {w, l, dr, sum};
}

QList<int> selected(Data &d, qint16 y, qint16 m, qint16 s, qint16 mid)
{
    d.JoukenSet(y, m, s, mid);
    QList<int> numbers;
    PlayRecord r;
    while (d.JReadData(r))
        numbers << r.DComment.toInt();
    return numbers;
}
} // namespace

class RecordTableTest : public ::testing::Test {
protected:
    FakePlatform platform;
    Data data;
};

TEST_F(RecordTableTest, ReadDataBoundsAndWriteOrder)
{
    qint16 y, m, d, s, mid;
    qint32 t, k;
    QString c = u"keep"_s;
    EXPECT_FALSE(data.ReadData(1, y, m, d, t, k, s, mid, c)); // empty
    EXPECT_EQ(c, u"keep"_s);
    data.JoukenSet(0, 0, 0, 0);
    EXPECT_FALSE(data.JReadData(y, m, d, t, k, s, mid, c));
    EXPECT_EQ(status(data, 1000), (QList<int>{0, 0, 0, 0}));

    fill(data, 3);
    EXPECT_FALSE(data.ReadData(0, y, m, d, t, k, s, mid, c));
    EXPECT_FALSE(data.ReadData(4, y, m, d, t, k, s, mid, c));
    for (int n = 1; n <= 3; ++n) {
        ASSERT_TRUE(data.ReadData(n, y, m, d, t, k, s, mid, c));
        EXPECT_EQ(c, QString::number(n));
        EXPECT_EQ(t, n);
    }
}

TEST_F(RecordTableTest, CountFormOfTheYearSelectsTheMostRecentRecords)
{
    fill(data, 25);
    EXPECT_EQ(selected(data, 10, 0, 0, 0), (QList<int>{16, 17, 18, 19, 20, 21, 22, 23, 24, 25}));
    EXPECT_EQ(selected(data, 999, 0, 0, 0).size(), 25); // 999 is still a count
    EXPECT_TRUE(selected(data, -3, 0, 0, 0).isEmpty()); // cursor behind the last record
    EXPECT_EQ(selected(data, 0, 0, 0, 0).size(), 25);
    // Other conditions still apply, to the last N records only.
    EXPECT_EQ(selected(data, 10, 0, 2, 0), (QList<int>{18, 22}));
    fill(data, 4);
    EXPECT_EQ(selected(data, 10, 0, 0, 0), (QList<int>{1, 2, 3, 4}));
}

TEST_F(RecordTableTest, YearMonthStoreAndMachineConditions)
{
    fill(data, 25);
    // year 2001 are i % 3 == 1; store 3 are i % 4 == 3.
    EXPECT_EQ(selected(data, 2001, 0, 3, 0), (QList<int>{7, 19}));
    // Month without a year selects that month of every year.
    EXPECT_EQ(selected(data, 0, 5, 0, 0), (QList<int>{4, 16}));
    EXPECT_TRUE(selected(data, 0, 0, 0, 2).isEmpty());
    // Year 1000 is the year form: no record has it.
    EXPECT_TRUE(selected(data, 1000, 0, 0, 0).isEmpty());
    // Once exhausted, JReadData keeps answering false.
    PlayRecord r;
    EXPECT_FALSE(data.JReadData(r));
}

// The one place that tests the win/loss/draw rule; the windows and sums use Classify.
TEST_F(RecordTableTest, DrawWhenTheBalanceIsBelowTheThreshold)
{
    using enum Outcome;
    const struct {
        qint64 balance;
        qint32 WakeKin;
        Outcome outcome;
    } cases[] = {{499, 500, Draw},    {-499, 500, Draw},      {500, 500, Win}, {-500, 500, Loss},
                 {0, 500, Draw},      {999, 1000, Draw},      {0, 0, Draw},    {1, 0, Win},
                 {-1, 0, Loss},       {0, -100, Draw},        {1, -100, Win},  {-1, -100, Loss},
                 {1LL << 40, 1, Win}, {-(1LL << 40), 1, Loss}};
    for (const auto &c : cases)
        EXPECT_EQ(Classify(c.balance, c.WakeKin), c.outcome) << c.balance << " " << c.WakeKin;

    for (qint32 b : {-499, 0, 499, -500, 500, 1000, -1000, 999})
        data.DataWrite(2001, 1, 1, b < 0 ? -b : 0, b > 0 ? b : 0, 0, 0, QString());
    EXPECT_EQ(status(data, 500), (QList<int>{3, 2, 3, 999}));
}

TEST_F(RecordTableTest, RecordLimitAndTotalsNeverWrap)
{
    for (int i = 0; i < Data::kMaxRecords; ++i)
        ASSERT_TRUE(data.DataWrite(2001, 1, 1, 0, 1, 0, 0, QString()));
    EXPECT_FALSE(data.DataWrite(2001, 1, 1, 0, 1, 0, 0, QString()));
    EXPECT_EQ(data.ListCount(), 32767);
    EXPECT_EQ(status(data, 0), (QList<int>{32767, 0, 0, 32767}));

    // A balance or a running total beyond 32 bits is refused, table unchanged.
    data.DataClear();
    const qint32 max = std::numeric_limits<qint32>::max();
    const qint32 min = std::numeric_limits<qint32>::min();
    EXPECT_FALSE(data.DataWrite(2001, 1, 1, min, max, 0, 0, QString()));
    EXPECT_TRUE(data.DataWrite(2001, 1, 1, 0, max, 0, 0, QString()));
    EXPECT_FALSE(data.DataWrite(2001, 1, 1, 0, 1, 0, 0, QString()));
    EXPECT_TRUE(data.DataWrite(2001, 1, 1, 1, 0, 0, 0, QString()));
    EXPECT_EQ(data.ListCount(), 2);
    EXPECT_EQ(status(data, 0).last(), max - 1);
}
