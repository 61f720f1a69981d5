#pragma once

#include "model/ReactionPath.h"
#include "platform/CommandTable.h"
#include "platform/View.h"
#include "view/AxisTicks.h"

#include <QFont>
#include <QWidget>

#include <vector>

class CMolData;
class QPainter;
struct Measurement;
struct MolDocState;

// The energy profile of a scan or an IRC: each point's energy relative to
// the lowest (hartree, kJ/mol or kcal/mol) against the scanned coordinate or
// the reaction coordinate, in reaction order; points that did not converge
// drawn apart, the lowest ringed, the geometry the document shows marked.
// Below it, when the molecule window holds measurements, their values at
// every point along the same axis. A click on a point shows its geometry;
// the animation can run along the points. Printable; the numbers can be
// saved as text, a point a line.
class CPathChartView : public QWidget, public View {
    Q_OBJECT
public:
    CPathChartView(Document* document, QWidget* parent);

    QWidget* Widget() override { return this; }
    void OnUpdate(View* sender) override;
    bool OnCmdMsg(int id, CommandUpdate* update) override;
    QString KindName() const override;

    // The model drawn and its path; null without a path.
    const CMolData* Model() const;
    const ReactionPath* Path() const;
    ReactionPath::Unit Unit() const { return unit_; }
    void SetUnit(ReactionPath::Unit unit);
    // Where each point stands along the axis: its coordinate, a dihedral
    // unwrapped so that the profile runs on across ±180°, points without a
    // coordinate at their place in the order.
    std::vector<double> Positions() const;
    // The window's profile area and the window point of path point p.
    QRect ProfileArea(const QRect& rect) const;
    QPointF PointOf(int p, const QRect& rect) const;
    // The point nearest to a click at position (within a few pixels of its
    // x), or -1.
    int PointAt(const QPoint& position) const;
    void Paint(QPainter& painter, const QRect& rect) const;
    // "index number coordinate energy relative converged geometry" and the
    // measurements' values, a point a line; false, after a message, on
    // failure.
    bool WriteData(const QString& path) const;
    // The measurements of the document's molecule windows (the first one
    // that has any), plotted along the path.
    std::vector<Measurement> Measurements() const;

signals:
    // The animation is to run through these geometries in this order.
    void animationRequested(const std::vector<int>& geometries);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    struct Layout {
        QFont font;
        QRect profile, measures, caption, axisCaption, measuresCaption;
        double xLow = 0.0, xHigh = 1.0, yLow = 0.0, yHigh = 1.0, mLow = 0.0, mHigh = 1.0;
        AxisTicks xTicks, yTicks, mTicks;
        bool angles = false; // the measurements plotted are angles
    };
    Layout LayOut(const QRect& rect) const;
    // Where point p stands in a picture laid out so, x the points' positions.
    QPointF PointIn(const Layout& layout, const std::vector<double>& x, int p) const;
    QString EnergyCaption() const;
    QString AxisCaption() const;
    MolDocState* GetDocState() const;
    void SaveData();
    void Animate();

    CommandTable commands_;
    ReactionPath::Unit unit_ = ReactionPath::Unit::kKcalPerMol;
};
