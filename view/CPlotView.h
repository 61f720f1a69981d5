#pragma once

#include "platform/View.h"

#include <QWidget>

struct MolDocState;

// The Ramachandran plot of a molecule document: phi across, psi upwards, each
// from -180° to 180°, one red 0.6 mm square per analysed residue of geometry
// 0, in a square of four fifths of the window's smaller side, centred.
class CPlotView : public QWidget, public View {
    Q_OBJECT
public:
    CPlotView(Document* document, QWidget* parent);

    QWidget* Widget() override { return this; }
    void OnUpdate(View* sender) override;
    QString KindName() const override;

    // The side of the plot square for a window of width × height.
    static int PlotSize(int width, int height);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    MolDocState* GetDocState() const;
};
