#include "platform/ColorDialog.h"

#include <QColorDialog>

QColor ColorDialog::GetColor(QWidget* parent, const QColor& initial) {
    // Qt's own dialog, the same on every desktop.
    return QColorDialog::getColor(initial, parent, QString(), QColorDialog::DontUseNativeDialog);
}
