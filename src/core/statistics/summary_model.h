#pragma once
// The summary table as a table model: one row per group in natural order, the
// totals row last (pinned). The display role gives the texts as shown (yen
// amounts with "¥"), ValueRole the numbers, ToneRole the colour by sign or
// weekday, ExportRole the spreadsheet form (table_roles.h).

#include "core/statistics/period_summary.h"

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>

class SummaryModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // Shows another summary: the model is reset.
    void SetSummary(SummaryGrouping grouping, PeriodSummary summary);
    SummaryGrouping Grouping() const { return grouping_; }
    const PeriodSummary &Summary() const { return summary_; }
    // The group at a row, or the totals at the last row.
    const SummaryRow &RowAt(int row) const;
    // The texts of a row as shown.
    const QStringList &TextsAt(int row) const { return texts_.at(row); }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    int toneAt(int row, int column) const;

    SummaryGrouping grouping_ = SummaryGrouping::Month;
    PeriodSummary summary_;
    QList<QStringList> texts_; // per row, the totals last
};
