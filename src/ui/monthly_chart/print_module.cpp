// The print module: Qt's print dialog and one page drawn by the caller.

#include "ui/monthly_chart/print_page.h"

#include "core/platform.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <algorithm>

using namespace Qt::StringLiterals;

extern "C" Q_DECL_EXPORT PrintOutcome ledraPrintPage(Platform &platform, QWidget *parent,
                                                     const QString &title, const QSizeF &shown,
                                                     const std::function<void(QPainter &)> &paint)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName(title);
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(title + u"の印刷"_s);
    if (platform.ShowModal(dialog) != QDialog::Accepted)
        return PrintOutcome::Cancelled;
    QPainter p;
    if (shown.isEmpty() || !p.begin(&printer))
        return PrintOutcome::Failed;
    // The proportions shown on screen, as large as the page allows, centred
    // across the page.
    const QRectF page = printer.pageRect(QPrinter::DevicePixel);
    const qreal scale = std::min(page.width() / shown.width(), page.height() / shown.height());
    p.translate((page.width() - shown.width() * scale) / 2, 0);
    p.scale(scale, scale);
    paint(p);
    return p.end() ? PrintOutcome::Printed : PrintOutcome::Failed;
}
