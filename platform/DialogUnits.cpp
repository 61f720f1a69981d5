#include "platform/DialogUnits.h"

#include <QFontMetrics>
#include <QWidget>

#include <cmath>

DialogUnits::DialogUnits(const QWidget* dialog) {
    const QFontMetrics metrics(dialog->font());
    // The dialog-unit convention: the base width is the average advance of
    // the 52 Latin letters rounded to whole pixels, the base height the
    // font's whole character height (ascent and descent).
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    baseX_ = (metrics.horizontalAdvance(letters) + 26) / 52;
    baseY_ = metrics.ascent() + metrics.descent();
}

QRect DialogUnits::Rect(int x, int y, int width, int height) const {
    // Scaled and rounded to the nearest pixel, as MulDiv does.
    const auto scale = [](int units, int base, int per) {
        return static_cast<int>(std::lround(static_cast<double>(units) * base / per));
    };
    return {scale(x, baseX_, 4), scale(y, baseY_, 8), scale(width, baseX_, 4),
            scale(height, baseY_, 8)};
}

void DialogUnits::Place(QWidget* widget, int x, int y, int width, int height) const {
    widget->setGeometry(Rect(x, y, width, height));
}
