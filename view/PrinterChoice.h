#pragma once

#include <functional>

class QPrinter;
class QWidget;

// The printer and page the user chose in page set-up, kept for the whole run:
// page set-up edits it, and printing and print preview print on it.
class CommandTable;
class QPainter;
class QRect;

class PrinterChoice {
public:
    static QPrinter& Printer();
    // Prints on that printer with paint, after the print dialog (which may
    // be cancelled), or shows paint's pages in a preview.
    static void Print(QWidget* parent, bool preview, const std::function<void(QPrinter*)>& paint);
    // A chart window's print and print preview commands: paint draws the
    // chart into a rect as wide as the page and heightPercent of that high.
    static void AddChartPrinting(CommandTable& commands, QWidget* chart, int heightPercent,
                                 std::function<void(QPainter&, const QRect&)> paint);
};
