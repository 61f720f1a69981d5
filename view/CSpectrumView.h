#pragma once

#include "platform/CommandTable.h"
#include "platform/View.h"

#include <QWidget>

#include <vector>

class QFont;
class QFontMetrics;
class QPainter;
class QSpinBox;
struct MolDocState;
struct NormalMode;

// The IR spectrum of the geometry a molecule document shows: one stick per
// real mode at its frequency, as high as its IR intensity (km/mol), and the
// sum of Lorentzians of half-width w at half height through them, I(ν) =
// Σ Iₖ w² / ((ν − νₖ)² + w²). Wavenumbers fall to the right, as chemists
// draw them, from 4000 cm⁻¹ or beyond the highest band that carries
// intensity (a hundredth of the strongest's or more) down to 0; the wheel
// zooms in and out about the wavenumber under the pointer (as far out as
// the highest band of all), a double click shows the whole range again. A
// click near a stick chooses that mode in the document's molecule windows.
// Printable; the curve can be saved as two columns.
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
    // The left edge of the whole plot: 4000 cm⁻¹, or beyond the highest band
    // that carries intensity in steps of 500.
    double LeftEdge() const;
    // The same for every band, however weak: how far the plot zooms out.
    double FullLeftEdge() const;
    // The wavenumbers at the left and right edges of the plot as zoomed.
    double ShownLeft() const;
    double ShownRight() const;
    // Zooms by factor (below 1: in) about wavenumber nu; ResetZoom shows the
    // whole plot.
    void Zoom(double nu, double factor);
    void ResetZoom();
    // The wavenumbers of the axis's labelled ticks in a plot area: round
    // steps, as many as fit without their labels touching.
    std::vector<double> Ticks(const QRect& plot, const QFontMetrics& metrics) const;
    // The broadened intensity at wavenumber nu.
    double Curve(double nu) const;
    // The index of the mode whose stick lies within a few pixels of x in a
    // window of this size; -1 for none.
    int ModeAt(int x) const;
    // The window x of wavenumber nu (with the plot's edges at left and
    // right).
    double XOf(double nu, const QRect& plot) const;
    static double XOf(double nu, const QRect& plot, double left, double right);
    QRect PlotArea(const QRect& whole) const;
    // The font of the axes' texts for a plot area.
    QFont AxisFont(const QRect& plot) const;
    // The intensity axis: its top (the tallest stick or curve peak fills
    // nine tenths of the height), its step and its ticks.
    struct Intensities {
        double highest = 0.0;
        double step = 1.0;
        std::vector<double> ticks;
    };
    Intensities IntensityScale() const;
    // An intensity label: as many decimals as the step has, no exponent.
    static QString IntensityLabel(double y, double step);
    // Draws the spectrum into rect (the window, a printed page).
    void Paint(QPainter& painter, const QRect& rect) const;
    // Writes the curve from the full left edge to 0 in steps of 1 cm⁻¹,
    // "wavenumber intensity" a line; false, after a message, on failure.
    bool WriteCurve(const QString& path) const;

    QSpinBox* halfWidthBox = nullptr;
    int chosenMode = -1;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    MolDocState* GetDocState() const;
    void SaveCurve();
    void Print(bool preview);

    // The highest wavenumber among the bands drawn, of those whose
    // intensity is at least minimumShare of the strongest's; 0 for none.
    double HighestBand(double minimumShare) const;

    CommandTable commands_;
    QFont AxisFontFor(int plotHeight) const;
    QRect PlotArea(const QRect& whole, const Intensities& scale) const;
    bool Zoomed() const;

    bool zoomed_ = false;
    const std::vector<NormalMode>* zoomedModes_ = nullptr;
    double shownLeft_ = 0.0, shownRight_ = 0.0;
};
