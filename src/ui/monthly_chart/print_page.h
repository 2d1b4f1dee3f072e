#pragma once
// Printing lives in a module of its own (ledra3_print), loaded at the first
// print: Qt's print support is a library that start-up need not load (it
// added 2.5 % to the instructions the main window's start-up runs).

#include <QByteArray>
#include <QSizeF>
#include <QString>
#include <functional>

class Platform;
class QPainter;
class QWidget;

enum class PrintOutcome { Printed, Cancelled, Failed };

// Printing to a file makes the file's bytes here; the caller writes them the
// way every file is written (a temporary file renamed into place), so that a
// failed write never leaves a cut-off file or one written through a link.
struct PrintFile {
    QString Name; // empty: the page went to a printer
    QByteArray Bytes;
};

// Draws a page of the given size in pixels at 96 per inch.
using PaintPageFn = std::function<void(QPainter &, const QSizeF &)>;

// Asks with Qt's print dialog, opened through the platform, and prints one
// page filling the printable area; a PDF file chosen in the dialog is made in
// file instead.
using PrintPageFn = PrintOutcome (*)(Platform &platform, QWidget *parent, const QString &title,
                                     const PaintPageFn &paint, PrintFile &file);
inline constexpr char kPrintPage[] = "ledraPrintChartPage";

// The module's entry point from modulePath, or when that is empty from next
// to the program (build tree) or where it is installed; null when not found.
PrintPageFn LoadPrintPage(const QString &modulePath);
