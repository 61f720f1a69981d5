#include "render/ColourLegend.h"

#include <QColor>
#include <QCoreApplication>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

QFont LegendFont(double scale) {
    QFont font;
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(12.0 * scale))));
    return font;
}

QString Text(const ColourSchemes::LegendEntry& entry) {
    return QCoreApplication::translate("ColourLegend", entry.text.c_str());
}

int Scaled(int pixels, double scale) {
    return std::max(1, static_cast<int>(std::lround(pixels * scale)));
}

} // namespace

QSize ColourLegend::Size(const std::vector<ColourSchemes::LegendEntry>& entries, double scale) {
    if (entries.empty())
        return {};
    const QFontMetrics metrics(LegendFont(scale));
    int widest = 0;
    for (const auto& entry : entries)
        widest = std::max(widest, metrics.horizontalAdvance(Text(entry)));
    const int row = std::max(metrics.height(), Scaled(14, scale));
    const int margin = Scaled(6, scale);
    return {margin * 3 + Scaled(14, scale) + widest,
            margin * 2 + row * static_cast<int>(entries.size())};
}

void ColourLegend::Paint(QPainter& painter, const std::vector<ColourSchemes::LegendEntry>& entries,
                         const QRect& area, double scale) {
    if (entries.empty())
        return;
    const QSize size = Size(entries, scale);
    const int margin = Scaled(6, scale);
    const QRect panel(area.right() - margin - size.width() + 1, area.top() + margin, size.width(),
                      size.height());
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(panel, QColor(0, 0, 0, 160));
    painter.setFont(LegendFont(scale));
    const QFontMetrics metrics(painter.font());
    const int row = std::max(metrics.height(), Scaled(14, scale));
    const int swatch = Scaled(14, scale);
    int y = panel.top() + margin;
    for (const auto& entry : entries) {
        const QRect box(panel.left() + margin, y + (row - swatch) / 2, swatch, swatch);
        painter.fillRect(box, QColor::fromRgbF(entry.colour[0], entry.colour[1], entry.colour[2]));
        painter.setPen(QColor(255, 255, 255));
        painter.drawText(QRect(box.right() + margin, y, panel.right() - box.right() - margin, row),
                         Qt::AlignLeft | Qt::AlignVCenter, Text(entry));
        y += row;
    }
    painter.restore();
}
