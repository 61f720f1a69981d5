#include "app/AppIcon.h"

#include <QPainter>
#include <QPixmap>

void PaintAppIcon(QPainter& painter, int size) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 32.0, size / 32.0);
    const QPointF centre(13, 18), top(24, 7), right(26, 25), left(4, 27);
    painter.setPen(QPen(QColor(90, 90, 90), 3.0));
    for (const QPointF& end : {top, right, left})
        painter.drawLine(centre, end);
    const auto ball = [&painter](const QPointF& at, double radius, const QColor& colour) {
        QRadialGradient shade(at - QPointF(radius / 3, radius / 3), radius * 1.4);
        shade.setColorAt(0, colour.lighter(170));
        shade.setColorAt(1, colour.darker(130));
        painter.setPen(Qt::NoPen);
        painter.setBrush(shade);
        painter.drawEllipse(at, radius, radius);
    };
    ball(top, 5, QColor(220, 30, 30));
    ball(right, 4, QColor(235, 235, 235));
    ball(left, 4, QColor(40, 80, 230));
    ball(centre, 7, QColor(70, 70, 70));
}

namespace {

QPixmap PaintIcon(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    PaintAppIcon(painter, size);
    return pixmap;
}

} // namespace

QIcon AppIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48})
        icon.addPixmap(PaintIcon(size));
    return icon;
}
