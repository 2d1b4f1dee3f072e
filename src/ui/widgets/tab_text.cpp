#include "ui/widgets/tab_text.h"

#include <QItemSelection>
#include <algorithm>
#include <limits>

std::optional<GridRange> SelectedRange(const QItemSelection &selection)
{
    if (selection.isEmpty())
        return std::nullopt;
    // The grids select one rectangle, which may come in pieces.
    GridRange r{std::numeric_limits<int>::max(), -1, std::numeric_limits<int>::max(), -1};
    for (const QItemSelectionRange &range : selection) {
        r.top = std::min(r.top, range.top());
        r.bottom = std::max(r.bottom, range.bottom());
        r.left = std::min(r.left, range.left());
        r.right = std::max(r.right, range.right());
    }
    return r;
}

QString TabText(const QAbstractItemModel &model, const GridRange &range, int role)
{
    QString text;
    for (int r = range.top; r <= range.bottom; ++r) {
        if (r > range.top)
            text += u'\r';
        for (int c = range.left; c <= range.right; ++c) {
            if (c > range.left)
                text += u'\t';
            text +=
                (r < 0 ? model.headerData(c, Qt::Horizontal, role) : model.index(r, c).data(role))
                    .toString();
        }
    }
    return text;
}

TabBlock ReadTabBlock(QStringView text)
{
    TabBlock block;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i <= n; ++i) {
        const bool end = i == n;
        if (!end && text[i] != u'\r' && text[i] != u'\n')
            continue;
        if (!end || start < n) {
            block.lines.append(text.sliced(start, i - start));
            block.width = std::max(block.width, block.lines.last().count(u'\t'));
        }
        if (end)
            break;
        ++block.lineEnds;
        if (text[i] == u'\r' && i + 1 < n && text[i + 1] == u'\n')
            ++i; // CR LF is one line end
        start = i + 1;
    }
    return block;
}
