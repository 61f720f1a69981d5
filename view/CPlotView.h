#pragma once

#include "platform/View.h"

#include <QWidget>

struct MolDocState;

// The Ramachandran plot of a molecule document: phi across, psi upwards, each
// from -180° to 180° with numbers every 60°, one red 0.6 mm square per
// analysed residue of geometry 0, in a square of four fifths of the window's
// smaller side, centred. The point under the mouse is named (chain, residue,
// number, φ, ψ); a click on one selects its residue in the document's
// molecule windows.
class CPlotView : public QWidget, public View {
    Q_OBJECT
public:
    CPlotView(Document* document, QWidget* parent);

    QWidget* Widget() override { return this; }
    void OnUpdate(View* sender) override;
    QString KindName() const override;

    // The side of the plot square for a window of width × height.
    static int PlotSize(int width, int height);

    // The residue index of the point nearest to at (within a few pixels),
    // or -1.
    int ResidueAt(const QPoint& at) const;
    // What names the point under the mouse: "A SER 52  φ -57.0°  ψ -47.0°";
    // empty when there is none.
    const QString& HoverText() const { return hoverText_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    MolDocState* GetDocState() const;
    // Where (φ, ψ) lies in the window.
    QPointF PlotPoint(double phi, double psi) const;

    QString hoverText_;
};
