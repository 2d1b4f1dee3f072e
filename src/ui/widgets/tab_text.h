#pragma once
// Blocks of cells as text, the way spreadsheets exchange them on the
// clipboard: cells separated by tabs, lines by line ends. The three grids
// (entry, statistics result, summary) copy with TabText; the entry grid reads
// pasted blocks with ReadTabBlock.

#include <QAbstractItemModel>
#include <QList>
#include <QStringList>
#include <optional>

class QItemSelection;

// A rectangle of cells with its corners in order.
struct GridRange {
    int top = 0;
    int bottom = 0;
    int left = 0;
    int right = 0;
};

// The smallest rectangle holding every selected cell; nothing when none is.
std::optional<GridRange> SelectedRange(const QItemSelection &selection);

// The cells of a model's rows top..bottom, columns left..right in a role:
// tabs between cells, a carriage return between rows, nothing after the last.
// Row −1 is the title row (the model's horizontal header).
QString TabText(const QAbstractItemModel &model, const GridRange &range,
                int role = Qt::DisplayRole);

// A pasted block: its lines, split at CR LF, LF or CR alike (a line end that
// ends the text starts no line); a line's cells are separated by tabs. The
// lines are views into the text read, which must outlive the block.
struct TabBlock {
    QList<QStringView> lines;
    qsizetype lineEnds = 0;
    qsizetype width = 0; // the most tabs on a line
};
TabBlock ReadTabBlock(QStringView text);
