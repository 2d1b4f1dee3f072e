#include "ui/widgets/grid_look.h"

#include "ui/app_font.h"
#include "ui/widgets/grid_cell_delegate.h"

#include <QHeaderView>
#include <QProxyStyle>
#include <QTableView>

using namespace Qt::StringLiterals;

namespace {
constexpr QRgb kGridLines = qRgb(192, 192, 192);
constexpr QRgb kBeyondCells = qRgb(128, 128, 128);

// Grid lines in the grid's own grey, whatever the desktop style.
class GridStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *ret) const override
    {
        if (hint == SH_Table_GridLineColor)
            return static_cast<int>(kGridLines);
        return QProxyStyle::styleHint(hint, option, widget, ret);
    }
};
} // namespace

void SetGridLook(QTableView &view)
{
    auto *style = new GridStyle;
    style->setParent(&view);
    view.setStyle(style);
    view.setFont(UiFont(9));
    view.setEditTriggers(QAbstractItemView::NoEditTriggers);
    view.setSelectionMode(QAbstractItemView::ContiguousSelection);
    view.setSelectionBehavior(QAbstractItemView::SelectItems);
    view.setTabKeyNavigation(false);
    view.setWordWrap(false);
    view.setCornerButtonEnabled(false);
    view.setItemDelegate(new GridCellDelegate(&view));
    view.setTextElideMode(Qt::ElideNone);
    QHeaderView *rows = view.verticalHeader();
    rows->hide();
    // Fixed row heights: never measure rows, so large tables load at once.
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(view.fontMetrics().height() + 4);
    QHeaderView *titles = view.horizontalHeader();
    titles->setSectionResizeMode(QHeaderView::Interactive);
    titles->setSectionsClickable(false);
    titles->setHighlightSections(false);
    titles->setMinimumSectionSize(0);
    titles->setFixedHeight(view.fontMetrics().height() + 6);
    // The title row's own colours, text and background together.
    titles->setStyleSheet(
        u"QHeaderView::section { background-color: rgb(224,224,224); color: black;"
        " border: none; border-right: 1px solid rgb(192,192,192);"
        " border-bottom: 1px solid rgb(192,192,192); padding: 0px 2px; }"_s);
    QPalette pal = view.palette();
    pal.setColor(QPalette::Base, QColor(kBeyondCells)); // beyond the last row or column
    view.setPalette(pal);
    view.viewport()->setAutoFillBackground(true);
}
