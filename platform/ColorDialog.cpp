#include "platform/ColorDialog.h"

#include <QColorDialog>

namespace {

ColorDialog::Responder& TheResponder() {
    static ColorDialog::Responder responder;
    return responder;
}

} // namespace

QColor ColorDialog::GetColor(QWidget* parent, const QColor& initial) {
    if (TheResponder())
        return TheResponder()(initial);
    return QColorDialog::getColor(initial, parent);
}

void ColorDialog::SetResponder(Responder responder) {
    TheResponder() = std::move(responder);
}
