#pragma once
// The statistics window's selection: the records that pass the conditions set
// with Data.JoukenSet, the period text and the totals.

#include "core/model/play_record.h"

#include <QList>
#include <QString>

class Data;

struct Selection {
    // The selected records in table order: TData[0] is record 1. The spare
    // element that ends every growing sequence is not stored, so the number of
    // selected records is TData.size().
    QList<PlayRecord> TData;
    QString Kikan; // "2001/3/5 ～ 2001/12/24"; "0/0/0" when nothing matched
    qint16 TKachi = 0;
    qint16 TMake = 0;
    qint16 TWake = 0;
    qint32 TKachiKin = 0; // total balance
    qint32 TToushi = 0;   // total investment
    qint32 TKaishuu = 0;  // total payout

    qint32 Count() const { return static_cast<qint32>(TData.size()); }
};

// Message shown when a total of the selection would leave its width.
QString SelectionTooLargeMessage();

// Reads every record that passes the filter of the last Data.JoukenSet into
// out, classifying each with WakeKin. When a counter or sum (or a running
// total) would leave its width, leaves out empty (as for a selection without
// records) and returns false: the window then shows SelectionTooLargeMessage.
bool DataRead(const Data &data, qint32 WakeKin, Selection &out);
