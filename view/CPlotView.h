#pragma once

#include "model/RamachandranRegions.h"
#include "platform/View.h"

#include <QImage>
#include <QWidget>

#include <array>
#include <map>

class CMolFrame;
class QComboBox;
struct MolDocState;

// The Ramachandran plot of a molecule document: phi across, psi upwards,
// each from -180° to 180° with numbers every 60°, one red 0.6 mm square per
// analysed residue (but those whose angles span a break in the chain) of
// the geometry the document's windows show, in a square of four fifths of
// the window's smaller side, centred. A box at the top left chooses the
// regions drawn behind the points (none by default): the favoured and
// allowed regions of a kind of residue (see RamachandranRegions), with at
// the top right the shares of the residues in each, each residue judged by
// its own kind, and the outliers framed in black. The point under the mouse is named (chain,
// residue, number, φ, ψ, zone); a click on one selects its residue in the document's molecule
// windows.
class CPlotView : public QWidget, public View {
    Q_OBJECT
public:
    CPlotView(Document* document, QWidget* parent);

    QWidget* Widget() override { return this; }
    void OnUpdate(View* sender) override;

    // The side of the plot square for a window of width × height.
    static int PlotSize(int width, int height);

    // The residue index of the point nearest to at (within a few pixels),
    // or -1.
    int ResidueAt(const QPoint& at) const;
    // What names the point under the mouse: "A SER 52  φ -57.0°  ψ -47.0°
    // 好ましい";
    // empty when there is none.
    const QString& HoverText() const { return hoverText_; }

    // The colours of the favoured and allowed regions.
    static QColor FavouredColour() { return {170, 205, 245}; }
    static QColor AllowedColour() { return {222, 236, 252}; }

signals:
    // A residue's square was clicked: the molecule windows of the document
    // select residue r.
    void residueChosen(int residue);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    MolDocState* GetDocState() const;
    // The geometry plotted: the one the document's windows show, its
    // backbone angles computed; null without a model.
    const CMolFrame* PlottedFrame() const;
    // Whether it has residues with angles; only then are the regions and
    // their choice shown.
    bool Analysed() const;
    // Whether a residue kind's regions are chosen (not none).
    bool RegionsShown() const;
    void ShowRegionsChoice();
    // Where (φ, ψ) lies in the window.
    QPointF PlotPoint(double phi, double psi) const;
    // The angle key of the point nearest to at (within a few pixels), or -1.
    int KeyAt(const QPoint& at) const;
    // The zone of each residue plotted, by angle key.
    static std::map<int, RamachandranRegions::Zone> Zones(const CMolFrame& frame);
    // The regions of the kind chosen as a 360 × 360 picture, φ across and ψ
    // upwards, one pixel a degree; null for none.
    QImage RegionPicture();
    // The shares of residues favoured, allowed and outliers, each after a
    // swatch of its colour: at the window's right on the row of the kind
    // box, or under the box where the row has no room.
    void PaintShares(QPainter& painter, const std::map<int, RamachandranRegions::Zone>& zones,
                     int plotSize);
    static QString ZoneName(RamachandranRegions::Zone zone);

    QString hoverText_;
    QComboBox* regionsChoice_;
    std::array<QImage, RamachandranRegions::kKindCount> regionPictures_;
};
