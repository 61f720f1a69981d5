#include "view/PrinterChoice.h"

#include "platform/CommandTable.h"
#include "res/CommandIds.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <memory>

namespace {

std::unique_ptr<QPrinter>& Chosen() {
    static std::unique_ptr<QPrinter> printer;
    return printer;
}

} // namespace

QPrinter& PrinterChoice::Printer() {
    if (Chosen() == nullptr) {
        Chosen() = std::make_unique<QPrinter>(QPrinter::HighResolution);
        // Gone with the application object, while the print system it uses
        // is still there.
        qAddPostRoutine([] { Chosen().reset(); });
    }
    return *Chosen();
}

void PrinterChoice::Print(QWidget* parent, bool preview,
                          const std::function<void(QPrinter*)>& paint) {
    QPrinter& printer = Printer();
    if (preview) {
        QPrintPreviewDialog dialog(&printer, parent);
        QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, paint);
        dialog.exec();
    } else {
        QPrintDialog dialog(&printer, parent);
        if (dialog.exec() == QDialog::Accepted)
            paint(&printer);
    }
}

void PrinterChoice::AddChartPrinting(CommandTable& commands, QWidget* chart, int heightPercent,
                                     std::function<void(QPainter&, const QRect&)> paint) {
    for (const auto& [id, preview] :
         {std::pair{CommandIds::kFilePrint, false}, std::pair{CommandIds::kFilePrintPreview, true}})
        commands.Add(id, [chart, heightPercent, paint, preview = preview] {
            Print(chart, preview, [&](QPrinter* target) {
                QPainter painter(target);
                const QRect page = target->pageLayout().paintRectPixels(target->resolution());
                paint(painter, QRect(0, 0, page.width(), page.width() * heightPercent / 100));
            });
        });
}
