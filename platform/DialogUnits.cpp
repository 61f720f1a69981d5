#include "platform/DialogUnits.h"

#include <QFontMetricsF>
#include <QWidget>

#include <cmath>

DialogUnits::DialogUnits(const QWidget* dialog) {
    const QFontMetricsF metrics(dialog->font());
    // The average width of the 52 Latin letters, as dialog templates count it.
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    baseX_ = metrics.horizontalAdvance(letters) / static_cast<double>(letters.size());
    baseY_ = metrics.height();
}

QRect DialogUnits::Rect(int x, int y, int width, int height) const {
    const auto h = [this](int units) { return static_cast<int>(std::lround(units * baseX_ / 4)); };
    const auto v = [this](int units) { return static_cast<int>(std::lround(units * baseY_ / 8)); };
    return {h(x), v(y), h(width), v(height)};
}

void DialogUnits::Place(QWidget* widget, int x, int y, int width, int height) const {
    widget->setGeometry(Rect(x, y, width, height));
}
