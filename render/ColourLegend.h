#pragma once

#include "render/ColourScheme.h"

#include <QRect>
#include <vector>

class QPainter;

// A legend of colour swatches with their texts, painted in the top right
// corner of an area: over the molecule window and into its pictures.
class ColourLegend {
public:
    // The legend's size at scale (1 in the window; a picture N times the
    // window's size uses N).
    static QSize Size(const std::vector<ColourSchemes::LegendEntry>& entries, double scale);
    // Paints entries into area's top right corner on a half-transparent dark
    // panel; nothing for no entries.
    static void Paint(QPainter& painter, const std::vector<ColourSchemes::LegendEntry>& entries,
                      const QRect& area, double scale);
};
