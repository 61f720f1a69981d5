#include "view/PrinterChoice.h"

#include <QCoreApplication>
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
