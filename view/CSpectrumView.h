#pragma once

#include "model/Spectrum.h"
#include "platform/CommandTable.h"
#include "platform/View.h"

#include <QWidget>

#include <vector>

class QComboBox;
class QDoubleSpinBox;
class QFont;
class QFontMetrics;
class QLabel;
class QPainter;
class QSpinBox;
class CMolData;
struct MolDocState;

// The spectra of the geometry a molecule document shows, one kind at a
// time, chosen in the window: IR and Raman of its normal modes, UV-Vis and
// ECD of its excited states, NMR of one element's shifts. Sticks stand at
// the bands, the broadened curve runs through them (see Spectrum): IR,
// Raman and NMR as Lorentzians with their half-width falling to the right,
// UV-Vis and ECD as Gaussians over nm or eV rising to the right.
// Frequencies are multiplied by the scale factor the user sets (stored);
// imaginary modes are marked by dashed red lines. The wheel zooms about the
// point under the pointer, a double click shows the whole range again; a
// click near a stick chooses its mode (shown in the document's molecule
// windows), its excited state or its atom, described above the plot.
// Printable; the curve can be saved as two columns.
class CSpectrumView : public QWidget, public View {
    Q_OBJECT
public:
    CSpectrumView(Document* document, QWidget* parent);
    ~CSpectrumView() override;

    QWidget* Widget() override { return this; }
    void OnUpdate(View* sender) override;
    bool OnCmdMsg(int id, CommandUpdate* update) override;
    QString KindName() const override;

    // The kinds the document's geometry has data for, in menu order.
    static std::vector<Spectrum::Kind> KindsOf(const CMolData* model, int g);
    Spectrum::Kind ShownKind() const;
    // Shows kind when the geometry has data for it.
    void SetKind(Spectrum::Kind kind);
    // The spectrum drawn, as the controls set it; empty when the geometry
    // has no data of the kind.
    Spectrum Current() const;

    double HalfWidth() const;
    // The ends of the whole plot, in axis units (cm⁻¹, nm, eV or ppm):
    // for IR and Raman 4000 cm⁻¹ or beyond the highest band that carries
    // intensity (a hundredth of the strongest's) in steps of 500, down to 0.
    double LeftEdge() const;
    double RightEdge() const;
    // For IR and Raman the left end for every band, however weak: how far
    // the plot zooms out. The left edge for the other kinds.
    double FullLeftEdge() const;
    // The axis values at the left and right edges of the plot as zoomed.
    double ShownLeft() const;
    double ShownRight() const;
    // Zooms by factor (below 1: in) about axis value x; ResetZoom shows the
    // whole plot.
    void Zoom(double x, double factor);
    void ResetZoom();
    // The axis values of the labelled ticks in a plot area: round steps,
    // as many as fit without their labels touching.
    std::vector<double> Ticks(const QRect& plot, const QFontMetrics& metrics) const;
    // The broadened curve at axis value x.
    double Curve(double x) const;
    // The band's position on the axis (its wavelength in nm on an nm axis).
    double AxisOf(double position) const;
    // The item (mode, state, atom) whose stick lies within a few pixels of
    // x in a window of this size; -1 for none. ModeAt for IR and Raman.
    int ItemAt(int x) const;
    int ModeAt(int x) const { return ItemAt(x); }
    // The window x of axis value v (with the plot's edges at left and right).
    double XOf(double v, const QRect& plot) const;
    static double XOf(double v, const QRect& plot, double left, double right);
    QRect PlotArea(const QRect& whole) const;
    // The font of the axes' texts for a plot area.
    QFont AxisFont(const QRect& plot) const;
    // The intensity axis: its ends (the tallest stick or curve peak fills
    // nine tenths of the height above 0, the deepest as much below), its
    // step and its ticks.
    struct Intensities {
        double lowest = 0.0;
        double highest = 0.0;
        double step = 1.0;
        std::vector<double> ticks;
    };
    Intensities IntensityScale() const;
    // An intensity label: as many decimals as the step has, no exponent.
    static QString IntensityLabel(double y, double step);
    // Draws the spectrum into rect (the window, a printed page).
    void Paint(QPainter& painter, const QRect& rect) const;
    // Writes the curve over the whole range, "x y" a line under a header
    // naming the kind, units and width; false, after a message, on failure.
    bool WriteCurve(const QString& path) const;
    // What the chosen item is, as the line above the plot says it.
    QString ChosenText() const;

    QComboBox* kindBox = nullptr;
    QSpinBox* halfWidthBox = nullptr;       // IR and Raman, cm⁻¹
    QDoubleSpinBox* scaleBox = nullptr;     // IR and Raman frequency factor
    QDoubleSpinBox* laserBox = nullptr;     // Raman: laser nm, 0 activities
    QSpinBox* temperatureBox = nullptr;     // Raman: K
    QDoubleSpinBox* bandWidthBox = nullptr; // UV-Vis, ECD (eV) and NMR (ppm)
    QComboBox* unitBox = nullptr;           // UV-Vis and ECD: nm or eV
    QComboBox* elementBox = nullptr;        // NMR: the element
    QDoubleSpinBox* referenceBox = nullptr; // NMR: its reference shielding
    QLabel* chosenLabel = nullptr;
    // The item chosen by a click (mode, state or atom index), -1 for none.
    int chosenMode = -1;

signals:
    // A line of a vibrational spectrum was clicked: the molecule windows of
    // the document show mode index.
    void modeChosen(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    MolDocState* GetDocState() const;
    const CMolData* Model() const;
    // The geometry the document has chosen, whose modes the spectrum shows.
    int ChosenFrame() const;
    void SaveCurve();
    void Print(bool preview);
    // Fills the kind and element choices from the document; shows the
    // controls of the kind chosen.
    void RefreshChoices();
    void ShowControlsOfKind();
    void Changed();
    // The window's title names the kind shown.
    void FollowTitle();
    bool Vibrational() const;
    bool Electronic() const;
    bool InNanometres() const;
    // Larger values to the left.
    bool Descending() const;
    // The axis range of the bands; everyBand for every band however weak.
    void WholeRange(double& left, double& right, bool everyBand) const;
    double NarrowestSpan() const;
    QString AxisTitle() const;
    QString IntensityTitle() const;

    CommandTable commands_;
    QFont AxisFontFor(int plotHeight) const;
    QRect PlotArea(const QRect& whole, const Intensities& scale) const;
    bool Zoomed() const;

    Spectrum::Kind kind_ = Spectrum::Kind::kIr;
    // The kind the window's title names; the title follows kind_.
    Spectrum::Kind titledKind_ = Spectrum::Kind::kIr;
    bool refreshing_ = false;
    // The document's load the choices were made in.
    int shownLoad_ = -1; // the choices are being filled in
    QWidget* controls_ = nullptr;
    bool zoomed_ = false;
    // What the zoom belongs to: another geometry, file or kind is shown
    // whole.
    const void* zoomedData_ = nullptr;
    int zoomedKind_ = -1;
    double shownLeft_ = 0.0, shownRight_ = 0.0;
};
