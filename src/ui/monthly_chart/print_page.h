#pragma once
// Printing lives in a module of its own (ledra3_print), loaded at the first
// print: Qt's print support is a library that start-up need not load (it
// added 2.5 % to the instructions the main window's start-up runs).

#include <QSizeF>
#include <QString>
#include <functional>

class Platform;
class QPainter;
class QWidget;

enum class PrintOutcome { Printed, Cancelled, Failed };

// Asks with Qt's print dialog, opened through the platform, and prints one
// page: paint draws a picture of the size shown, which is scaled onto the page
// as large as it goes.
using PrintPageFn = PrintOutcome (*)(Platform &platform, QWidget *parent, const QString &title,
                                     const QSizeF &shown,
                                     const std::function<void(QPainter &)> &paint);
inline constexpr char kPrintPage[] = "ledraPrintPage";

// The module's entry point from modulePath, or when that is empty from next
// to the program (build tree) or where it is installed; null when not found.
PrintPageFn LoadPrintPage(const QString &modulePath);
