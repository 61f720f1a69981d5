#include "view/PlaceBeside.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

void PlaceBeside(QWidget& window, const QWidget& view) {
    if (window.layout() != nullptr)
        window.adjustSize(); // a window placed by hand keeps its size
    const QScreen* screen =
        view.screen() != nullptr ? view.screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    const QRect area = screen->availableGeometry();
    const QRect around(view.mapToGlobal(QPoint(0, 0)), view.size());
    // The frame the window system adds is not known before the window is
    // shown: room is kept for a modest one.
    const QSize size = window.size() + QSize(8, 32);
    constexpr int kGap = 8;
    QPoint at;
    if (around.right() + kGap + size.width() <= area.right())
        at = {around.right() + kGap, around.top()};
    else if (around.left() - kGap - size.width() >= area.left())
        at = {around.left() - kGap - size.width(), around.top()};
    else if (around.bottom() + kGap + size.height() <= area.bottom())
        at = {around.left(), around.bottom() + kGap};
    else
        at = {around.right() - size.width(), around.top()};
    at.setX(std::clamp(at.x(), area.left(), std::max(area.left(), area.right() - size.width())));
    at.setY(std::clamp(at.y(), area.top(), std::max(area.top(), area.bottom() - size.height())));
    window.move(at);
}
