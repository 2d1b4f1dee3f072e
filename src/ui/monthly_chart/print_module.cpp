// The print module: Qt's print dialog and one page drawn by the caller.

#include "ui/monthly_chart/print_page.h"

#include "core/platform.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>

using namespace Qt::StringLiterals;

namespace {
// The page at 96 pixels per inch, filling the printable area.
bool paintOn(QPagedPaintDevice &device, int resolution, const PaintPageFn &paint)
{
    const QSizeF area = device.pageLayout().paintRectPixels(resolution).size();
    QPainter p;
    if (area.isEmpty() || !p.begin(&device))
        return false;
    const qreal scale = resolution / 96.0;
    p.scale(scale, scale);
    paint(p, area / scale);
    return p.end();
}
} // namespace

extern "C" Q_DECL_EXPORT PrintOutcome ledraPrintChartPage(Platform &platform, QWidget *parent,
                                                          const QString &title,
                                                          const PaintPageFn &paint, PrintFile &file)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName(title);
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(title + u"の印刷"_s);
    if (platform.ShowModal(dialog) != QDialog::Accepted)
        return PrintOutcome::Cancelled;
    if (printer.outputFileName().isEmpty())
        return paintOn(printer, printer.resolution(), paint) ? PrintOutcome::Printed
                                                             : PrintOutcome::Failed;
    // To a file: the same page as a PDF in memory.
    file.Bytes.clear();
    QBuffer buffer(&file.Bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageLayout(printer.pageLayout());
    writer.setResolution(printer.resolution());
    writer.setTitle(title);
    writer.setCreator(u"るでら３"_s);
    if (!paintOn(writer, writer.resolution(), paint))
        return PrintOutcome::Failed;
    file.Name = printer.outputFileName();
    return PrintOutcome::Printed;
}
