#pragma once
// The visits of one day as a table: store, machine, rate, play time,
// investment, payout, balance, tags and comment, in table order. Holds copies of the records,
// so the window refills it whenever the data changes.

#include "core/model/play_record.h"
#include "core/statistics/table_roles.h"

#include <QAbstractTableModel>
#include <QList>
#include <QString>

class Data;
class SMData;

class DayListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        ColStore,
        ColMachine,
        ColRate,
        ColTime,
        ColToushi,
        ColKaishuu,
        ColBalance,
        ColTags,
        ColComment
    };
    static constexpr int kColumns = ColComment + 1;

    using QAbstractTableModel::QAbstractTableModel;

    // The records (numbers from 1) of a day; the balance's tone follows the
    // draw threshold.
    void SetVisits(const Data &data, const SMData &Stores, const SMData &Machines,
                   const QList<qint32> &records, qint32 WakeKin);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // "10:00～15:30"; one time only: "10:00～" or "～15:30"; none: "".
    static QString TimeText(const PlayRecord &record);
    // Whether some visit of the day has a rate, some has tags.
    bool HasRates() const;
    bool HasTags() const;

private:
    struct Row {
        PlayRecord record;
        QString store;
        QString machine;
        Tone tone = Tone::Plain;
    };
    QVariant display(const Row &row, int column) const;
    QVariant value(const Row &row, int column) const;

    QList<Row> rows_;
};
