#pragma once

#include <QColor>

#include <functional>

class QWidget;

// The colour dialog. Tests install a responder that answers in place of the
// user: a valid colour for OK, an invalid one for Cancel.
class ColorDialog {
public:
    using Responder = std::function<QColor(const QColor& initial)>;

    // The chosen colour, or an invalid colour on Cancel.
    static QColor GetColor(QWidget* parent, const QColor& initial);
    static void SetResponder(Responder responder);
};
