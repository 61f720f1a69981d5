#pragma once

#include "render/ColourScheme.h"

#include <QWidget>

#include <vector>

// The colour legend over the top right corner of a molecule window: what
// the chain, structure, B-factor or rainbow colours stand for. Lets the
// mouse through to the window beneath.
class CLegendOverlay : public QWidget {
public:
    explicit CLegendOverlay(QWidget* parent);

    // Shows entries (hides the legend for none), sized to them and placed
    // in the parent's top right corner.
    void Show(const std::vector<ColourSchemes::LegendEntry>& entries);
    const std::vector<ColourSchemes::LegendEntry>& Entries() const { return entries_; }
    // Keeps the legend in the corner after the parent changed its size.
    void Place();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<ColourSchemes::LegendEntry> entries_;
};
