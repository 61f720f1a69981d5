#include "view/PrinterChoice.h"

#include <QCoreApplication>
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
