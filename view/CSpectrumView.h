#pragma once

#include "platform/CommandTable.h"
#include "platform/View.h"

#include <QWidget>

#include <vector>

class QPainter;
class QSpinBox;
struct MolDocState;
struct NormalMode;

// The IR spectrum of the geometry a molecule document shows: one stick per
// real mode at its frequency, as high as its IR intensity (km/mol), and the
// sum of Lorentzians of half-width w at half height through them, I(ν) =
// Σ Iₖ w² / ((ν − νₖ)² + w²). Wavenumbers fall to the right, as chemists
// draw them. A click near a stick chooses that mode in the document's
// molecule windows. Printable; the curve can be saved as two columns.
class CSpectrumView : public QWidget, public View {
    Q_OBJECT
public:
    CSpectrumView(Document* document, QWidget* parent);
    ~CSpectrumView() override;

    QWidget* Widget() override { return this; }
    void OnUpdate(View* sender) override;
    bool OnCmdMsg(int id, CommandUpdate* update) override;

    // The modes drawn (null when there are none) and the half-width.
    const std::vector<NormalMode>* Modes() const;
    double HalfWidth() const;
    void SetHalfWidth(int wavenumbers);
    // The wavenumbers at the left and right edges of the plot.
    double LeftEdge() const;
    static constexpr double kRightEdge = 0.0;
    // The broadened intensity at wavenumber nu.
    double Curve(double nu) const;
    // The index of the mode whose stick lies within a few pixels of x in a
    // window of this size; -1 for none.
    int ModeAt(int x) const;
    // The window x of wavenumber nu (with the plot's left edge at left).
    double XOf(double nu, const QRect& plot) const;
    static double XOf(double nu, const QRect& plot, double left);
    QRect PlotArea(const QRect& whole) const;
    // Draws the spectrum into rect (the window, a printed page).
    void Paint(QPainter& painter, const QRect& rect) const;
    // Writes the curve from the left edge to 0 in steps of 1 cm⁻¹,
    // "wavenumber intensity" a line; false, after a message, on failure.
    bool WriteCurve(const QString& path) const;

    QSpinBox* halfWidthBox = nullptr;
    int chosenMode = -1;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    MolDocState* GetDocState() const;
    void SaveCurve();
    void Print(bool preview);

    CommandTable commands_;
};
