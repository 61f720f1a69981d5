#pragma once

#include "platform/CommandTable.h"
#include "platform/View.h"
#include "view/AxisTicks.h"

#include <QFont>
#include <QWidget>

#include <cmath>
#include <vector>

class CMolData;
class QPainter;
struct MolDocState;

// The course of an optimisation: above, the energy of every step relative to
// the first in kcal/mol (hartree on the right axis), the lowest marked; below,
// the four convergence values of every step on a log scale, each with its
// threshold dashed. The geometry the document shows is marked in both; a
// click on a step shows that geometry. Printable; the numbers can be saved as
// text, a step a line.
class COptChartView : public QWidget, public View {
    Q_OBJECT
public:
    COptChartView(Document* document, QWidget* parent);

    QWidget* Widget() override { return this; }
    void OnUpdate(View* sender) override;
    bool OnCmdMsg(int id, CommandUpdate* update) override;
    QString KindName() const override;

    static constexpr double kKcalPerHartree = 627.509474;

    // The model drawn; null without one.
    const CMolData* Model() const;
    // The energy panel in a picture of rect.
    QRect EnergyArea(const QRect& rect) const;
    // The window x of step index g (0-based), and the step nearest x.
    double XOf(int g, const QRect& area) const;
    int StepAt(int x) const;
    void Paint(QPainter& painter, const QRect& rect) const;
    // "step energy maxForce rmsForce maxDisplacement rmsDisplacement", a
    // step a line (energies in hartree, "-" where the step prints none);
    // false, after a message, on failure.
    bool WriteData(const QString& path) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    // The energies of the steps: the first one printed, and the lowest and
    // highest relative to it in kcal/mol; lowest is the step of the lowest
    // (-1 without energies).
    struct Energies {
        double first = std::nan("");
        double low = 0.0, high = 0.0;
        int lowest = -1;
    };
    static Energies EnergiesOf(const CMolData& model);
    // Where everything of a picture of rect goes: the panels with margins
    // as wide as their labels, the labelled ticks that fit, the captions
    // (wrapped when narrow) and the legend's items in as many rows as the
    // width needs.
    struct Layout {
        QFont font;
        QRect energy, convergence, caption1, caption2;
        Energies energies;
        double axisLow = 0.0, axisHigh = 1.0; // the energy axis's ends, kcal/mol
        AxisTicks energyTicks, stepTicks;
        int hartreeDecimals = 1;
        bool decades = false; // convergence values to draw
        double logLow = 0.0, logHigh = 1.0;
        int decadeStep = 1;
        std::vector<QRect> legend;
    };
    static constexpr int kLegendLine = 20;
    Layout LayOut(const QRect& rect) const;
    QFont ChartFont(const QRect& rect) const;
    QString EnergyCaption() const;
    static QString ConvergenceCaption();
    static QString HartreeUnit();
    // The texts of an energy tick on the left (kcal/mol) and right (hartree).
    static QString EnergyLabel(const Layout& layout, double relative);
    static QString HartreeLabel(const Layout& layout, double relative);
    MolDocState* GetDocState() const;
    void SaveData();

    CommandTable commands_;
};
