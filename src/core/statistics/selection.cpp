#include "core/statistics/selection.h"

#include "core/model/record_table.h"

#include <limits>

using namespace Qt::StringLiterals;

namespace {
QString dateText(const PlayRecord &r)
{
    return QString::number(r.DYear) % u'/' % QString::number(r.DMonth) % u'/' %
           QString::number(r.DDay);
}

template <typename T> bool fits(qint64 v)
{
    return v >= std::numeric_limits<T>::min() && v <= std::numeric_limits<T>::max();
}
} // namespace

QString SelectionTooLargeMessage()
{
    return u"選択されたデータの合計が大きすぎるため集計できません"_s;
}

bool DataRead(const Data &data, qint32 WakeKin, Selection &out)
{
    out = Selection();
    // Counted wide and checked, so that nothing wraps.
    qint64 kachi = 0, make = 0, wake = 0, kachiKin = 0, toushi = 0, kaishuu = 0;
    PlayRecord last;
    PlayRecord r;
    bool ok = true;
    while (data.JReadData(r)) {
        out.TData.append(r);
        last = r;
        if (out.Kikan.isEmpty())
            out.Kikan = dateText(r) % u" ～ "_s;
        switch (Classify(r.Balance(), WakeKin)) {
        case Outcome::Win: ++kachi; break;
        case Outcome::Loss: ++make; break;
        case Outcome::Draw: ++wake; break;
        }
        kachiKin += r.Balance();
        toushi += r.DToushi;
        kaishuu += r.DKaishuu;
        // The running balance is the graph's series: it must fit as well.
        if (!fits<qint16>(kachi) || !fits<qint16>(make) || !fits<qint16>(wake) ||
            !fits<qint32>(kachiKin) || !fits<qint32>(toushi) || !fits<qint32>(kaishuu)) {
            ok = false;
            break;
        }
    }
    if (!ok) {
        out = Selection();
        out.Kikan = dateText(PlayRecord());
        return false;
    }
    out.Kikan += dateText(last);
    out.TKachi = static_cast<qint16>(kachi);
    out.TMake = static_cast<qint16>(make);
    out.TWake = static_cast<qint16>(wake);
    out.TKachiKin = static_cast<qint32>(kachiKin);
    out.TToushi = static_cast<qint32>(toushi);
    out.TKaishuu = static_cast<qint32>(kaishuu);
    return true;
}
