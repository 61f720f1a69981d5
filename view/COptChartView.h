#pragma once

#include "platform/CommandTable.h"
#include "platform/View.h"

#include <QWidget>

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

    static constexpr double kKcalPerHartree = 627.509474;

    // The model drawn; null without one.
    CMolData* Model() const;
    // The two panels in a picture of rect.
    QRect EnergyArea(const QRect& rect) const;
    QRect ConvergenceArea(const QRect& rect) const;
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
    MolDocState* GetDocState() const;
    void SaveData();

    CommandTable commands_;
};
