#include "view/CLegendOverlay.h"

#include "render/ColourLegend.h"

#include <QPainter>

CLegendOverlay::CLegendOverlay(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("colourLegend"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_TranslucentBackground);
    hide();
}

void CLegendOverlay::Show(const std::vector<ColourSchemes::LegendEntry>& entries) {
    const bool same = entries.size() == entries_.size() &&
                      std::equal(entries.begin(), entries.end(), entries_.begin(),
                                 [](const auto& a, const auto& b) {
                                     return a.text == b.text && a.colour == b.colour;
                                 });
    entries_ = entries;
    if (entries_.empty()) {
        hide();
        return;
    }
    Place();
    if (!same)
        update();
    show();
}

void CLegendOverlay::Place() {
    if (parentWidget() == nullptr || entries_.empty())
        return;
    // The panel has a margin of its own inside the widget.
    const QSize size = ColourLegend::Size(entries_, 1.0) + QSize(12, 12);
    setGeometry(parentWidget()->width() - size.width(), 0, size.width(), size.height());
}

void CLegendOverlay::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    ColourLegend::Paint(painter, entries_, rect(), 1.0);
}
