#pragma once

#include <QColor>

class QWidget;

// The colour dialog.
class ColorDialog {
public:
    // The chosen colour, or an invalid colour on Cancel.
    static QColor GetColor(QWidget* parent, const QColor& initial);
};
