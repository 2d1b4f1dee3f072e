#pragma once
// The statistics window's result grid as a table model: one row per selected
// record in the selection's order, ten columns (年 月 日 曜 投資 回収 収支 店名
// 台名 コメント). An empty selection shows one row reading 該 | 当 | な | し.
// Display texts as the grid shows them, the values behind them (ValueRole:
// numbers, and the texts of the names and comments) and the tone of the
// weekday and balance texts (ToneRole), as table_roles.h describes.

#include "core/model/play_record.h"
#include "core/statistics/table_roles.h"

#include <QAbstractTableModel>
#include <QList>
#include <QString>

class SMData;

class ResultGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kColumns = 10;

    using QAbstractTableModel::QAbstractTableModel;

    // Shows the records, with the names of their stores and machines.
    void SetRecords(const QList<PlayRecord> &records, const SMData &stores, const SMData &machines);
    bool HasRecords() const { return !records_.isEmpty(); }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    QString text(const PlayRecord &r, int row, int col) const;
    QVariant value(const PlayRecord &r, int row, int col) const;
    Tone tone(const PlayRecord &r, int col) const;

    QList<PlayRecord> records_;
    QList<QString> storeNames_;
    QList<QString> machineNames_;
};
