#include "ui/widgets/grid_look.h"

#include "ui/app_font.h"
#include "ui/readable_colors.h"
#include "ui/result_colors.h"
#include "ui/widgets/grid_cell_delegate.h"

#include <QHeaderView>
#include <QProxyStyle>
#include <QTableView>

using namespace Qt::StringLiterals;

namespace {
class GridStyle : public QProxyStyle {
public:
    explicit GridStyle(GridCells cells) : cells_(cells) {}

    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *ret) const override
    {
        // Grid lines in the grid's own grey, whatever the desktop style.
        if (hint == SH_Table_GridLineColor && cells_ == GridCells::Fixed)
            return static_cast<int>(kGridLines.rgb());
        return QProxyStyle::styleHint(hint, option, widget, ret);
    }

    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget) const override
    {
        // Some styles (Adwaita) fade the titles' text towards their background,
        // below what reads well; the titles keep the colour they are given.
        if (element == CE_HeaderLabel)
            QCommonStyle::drawControl(element, option, painter, widget);
        else
            QProxyStyle::drawControl(element, option, painter, widget);
    }

private:
    GridCells cells_;
};
} // namespace

void SetGridLook(QTableView &view, GridCells cells)
{
    auto *style = new GridStyle(cells);
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
    // Fixed row heights from the font alone: never measured, so that large
    // tables load at once, and never raised to the least height a style
    // wants for its titles (Adwaita's), so that a grid of a fixed size shows
    // as many rows in every style.
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setMinimumSectionSize(0);
    rows->setDefaultSectionSize(view.fontMetrics().height() + 4);
    QHeaderView *titles = view.horizontalHeader();
    titles->setStyle(style);
    titles->setSectionResizeMode(QHeaderView::Interactive);
    titles->setSectionsClickable(false);
    titles->setHighlightSections(false);
    titles->setMinimumSectionSize(0);
    if (cells == GridCells::Palette) {
        QPalette pal = view.palette();
        for (const QPalette::ColorGroup group :
             {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            pal.setColor(group, QPalette::AlternateBase,
                         RowShade(pal.color(group, QPalette::Base),
                                  pal.color(group, QPalette::AlternateBase)));
        view.setPalette(pal);
        return;
    }
    titles->setFixedHeight(view.fontMetrics().height() + 6);
    // The title row's own colours, text and background together.
    titles->setStyleSheet(
        u"QHeaderView::section { "_s + BoxColorsStyle(kGridTitleBack, kGridText) +
        u" border: none; border-right: 1px solid %1;"
        " border-bottom: 1px solid %1; padding: 0px 2px; }"_s.arg(kGridLines.name()));
    QPalette pal = view.palette();
    pal.setColor(QPalette::Base, kGridBeyond); // beyond the last row or column
    view.setPalette(pal);
    view.viewport()->setAutoFillBackground(true);
}
