#include "view/CSpectrumView.h"

#include "model/CMolData.h"
#include "platform/Document.h"
#include "render/MolDocState.h"
#include "res/CommandIds.h"
#include "res/SettingsKeys.h"
#include "view/CMolView.h"
#include "view/PrinterChoice.h"
#include "view/TextExport.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPrinter>
#include <QSpinBox>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

using namespace CommandIds;

namespace {

// A click chooses a stick this close, in pixels.
constexpr int kPickPixels = 6;
// A band carries intensity when it has this share of the strongest's.
constexpr double kCarriesIntensity = 0.01;
// The narrowest range the plot zooms in to, in cm⁻¹.
constexpr double kNarrowestSpan = 20.0;

// The plot's left edge for bands up to highest: 4000 cm⁻¹, or beyond the
// band in steps of 500.
double EdgeFor(double highest) {
    return std::max(4000.0, std::ceil((highest + 200.0) / 500.0) * 500.0);
}

// Whether the mode has a place in an IR spectrum: a real frequency and a
// printed intensity.
bool Drawn(const NormalMode& mode) {
    return mode.frequency > 0.0 && std::isfinite(mode.frequency) && std::isfinite(mode.irIntensity);
}

} // namespace

CSpectrumView::CSpectrumView(Document* document, QWidget* parent)
    : QWidget(parent), View(document) {
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    halfWidthBox = new QSpinBox(this);
    halfWidthBox->setRange(1, 200);
    halfWidthBox->setSuffix(QStringLiteral(" cm⁻¹"));
    halfWidthBox->setValue(std::clamp(Profile::Read(Settings::kSpectrumHalfWidth), 1, 200));
    auto* label = new QLabel(QCoreApplication::translate("CSpectrumView", "半値半幅(&W):"), this);
    label->setBuddy(halfWidthBox);
    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(halfWidthBox);
    row->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addStretch();
    connect(halfWidthBox, &QSpinBox::valueChanged, this, [this] { update(); });
    setToolTip(QCoreApplication::translate(
        "CSpectrumView", "ホイールで拡大・縮小、ダブルクリックで全体を表示します"));
    commands_.Add(kFilePrint, [this] { Print(false); });
    commands_.Add(kFilePrintPreview, [this] { Print(true); });
    commands_.AddEnabled(
        kSaveSpectrum, [this] { SaveCurve(); }, [this] { return Modes() != nullptr; });
}

CSpectrumView::~CSpectrumView() {
    Profile::Write(Settings::kSpectrumHalfWidth, halfWidthBox->value());
}

MolDocState* CSpectrumView::GetDocState() const {
    return dynamic_cast<MolDocState*>(GetDocument());
}

void CSpectrumView::OnUpdate(View*) {
    update();
}

bool CSpectrumView::OnCmdMsg(int id, CommandUpdate* update) {
    return commands_.Dispatch(id, update);
}

const std::vector<NormalMode>* CSpectrumView::Modes() const {
    const MolDocState* document = GetDocState();
    if (document == nullptr || document->data == nullptr)
        return nullptr;
    CMolData& model = *document->data;
    const int g = model.GetCurrentFrame();
    if (!model.HasAtom(g, 0))
        return nullptr;
    const std::vector<NormalMode>& modes = model.GetFrame(g)->modes;
    return std::any_of(modes.begin(), modes.end(), Drawn) ? &modes : nullptr;
}

double CSpectrumView::HalfWidth() const {
    return halfWidthBox->value();
}

void CSpectrumView::SetHalfWidth(int wavenumbers) {
    halfWidthBox->setValue(wavenumbers);
}

double CSpectrumView::HighestBand(double minimumShare) const {
    const std::vector<NormalMode>* modes = Modes();
    if (modes == nullptr)
        return 0.0;
    double strongest = 0.0;
    for (const NormalMode& mode : *modes) {
        if (Drawn(mode))
            strongest = std::max(strongest, mode.irIntensity);
    }
    double highest = 0.0;
    for (const NormalMode& mode : *modes) {
        if (Drawn(mode) && (minimumShare <= 0.0 ||
                            (strongest > 0.0 && mode.irIntensity >= minimumShare * strongest)))
            highest = std::max(highest, mode.frequency);
    }
    return highest;
}

bool CSpectrumView::Zoomed() const {
    // Zoomed into the bands it was zoomed into: another geometry's or file's
    // are shown whole.
    return zoomed_ && Modes() == zoomedModes_;
}

double CSpectrumView::ShownLeft() const {
    return Zoomed() ? shownLeft_ : LeftEdge();
}

double CSpectrumView::ShownRight() const {
    return Zoomed() ? shownRight_ : 0.0;
}

double CSpectrumView::LeftEdge() const {
    return EdgeFor(HighestBand(kCarriesIntensity));
}

double CSpectrumView::FullLeftEdge() const {
    return EdgeFor(HighestBand(0.0));
}

void CSpectrumView::Zoom(double nu, double factor) {
    const double full = FullLeftEdge();
    const double left = ShownLeft(), right = ShownRight();
    const double span = std::clamp((left - right) * factor, kNarrowestSpan, full);
    // nu stays where it is on the axis, the range within 0 and the full edge.
    const double share = left > right ? (left - nu) / (left - right) : 0.5;
    double newLeft = nu + share * span;
    newLeft = std::clamp(newLeft, span, full);
    shownLeft_ = newLeft;
    shownRight_ = newLeft - span;
    zoomed_ = true;
    zoomedModes_ = Modes();
    update();
}

void CSpectrumView::ResetZoom() {
    zoomed_ = false;
    update();
}

std::vector<double> CSpectrumView::Ticks(const QRect& plot, const QFontMetrics& metrics) const {
    const double left = ShownLeft(), right = ShownRight();
    const double room = metrics.horizontalAdvance(QString::number(left, 'f', 0)) + 12.0;
    double step = 10.0;
    for (const double candidate :
         {1.0, 2.0, 5.0, 10.0, 20.0, 50.0, 100.0, 200.0, 250.0, 500.0, 1000.0, 2000.0, 5000.0,
          10000.0, 20000.0, 50000.0, 100000.0, 200000.0, 500000.0}) {
        step = candidate;
        if ((left - right) / step * room <= plot.width())
            break;
    }
    std::vector<double> ticks;
    for (double nu = std::ceil(right / step) * step; nu <= left + 1e-9; nu += step)
        ticks.push_back(nu);
    return ticks;
}

double CSpectrumView::Curve(double nu) const {
    const std::vector<NormalMode>* modes = Modes();
    if (modes == nullptr)
        return 0.0;
    const double w2 = HalfWidth() * HalfWidth();
    double sum = 0.0;
    for (const NormalMode& mode : *modes) {
        if (Drawn(mode)) {
            const double d = nu - mode.frequency;
            sum += mode.irIntensity * w2 / (d * d + w2);
        }
    }
    return sum;
}

QRect CSpectrumView::PlotArea(const QRect& whole) const {
    return PlotArea(whole, IntensityScale());
}

QRect CSpectrumView::PlotArea(const QRect& whole, const Intensities& scale) const {
    // Room for the half-width box above and the axis texts around; on the
    // left for the widest intensity label and the axis's title beside it.
    const int top = std::max(40, whole.height() / 12);
    const int bottom = std::max(40, whole.height() / 10);
    const QFontMetrics metrics(AxisFontFor(whole.height() - top - bottom));
    int widest = 0;
    for (const double y : scale.ticks)
        widest = std::max(widest, metrics.horizontalAdvance(IntensityLabel(y, scale.step)));
    const int left = std::max({60, whole.width() / 10, widest + 2 * metrics.height() + 20});
    return whole.adjusted(left, top, -std::max(20, whole.width() / 30), -bottom);
}

CSpectrumView::Intensities CSpectrumView::IntensityScale() const {
    // The tallest stick or curve peak fills nine tenths of the height.
    Intensities scale;
    if (const std::vector<NormalMode>* modes = Modes()) {
        for (const NormalMode& mode : *modes) {
            if (Drawn(mode))
                scale.highest = std::max({scale.highest, mode.irIntensity, Curve(mode.frequency)});
        }
    }
    if (!(scale.highest > 1e-6) || !std::isfinite(scale.highest))
        scale.highest = 1.0;
    // Round steps: a power of ten, doubled when there would be more than
    // six.
    scale.step = std::pow(10.0, std::floor(std::log10(scale.highest / 0.9 / 2.0)));
    if (scale.highest / 0.9 / scale.step > 6)
        scale.step *= 2;
    for (int tick = 0; tick * scale.step <= scale.highest / 0.9 && tick <= 20; ++tick)
        scale.ticks.push_back(tick * scale.step);
    return scale;
}

QString CSpectrumView::IntensityLabel(double y, double step) {
    // As many decimals as the step has, never an exponent.
    const int decimals = step >= 1.0 ? 0 : static_cast<int>(std::ceil(-std::log10(step) - 1e-9));
    return QString::number(y, 'f', decimals);
}

double CSpectrumView::XOf(double nu, const QRect& plot) const {
    return XOf(nu, plot, ShownLeft(), ShownRight());
}

double CSpectrumView::XOf(double nu, const QRect& plot, double left, double right) {
    return plot.left() + (left - nu) / (left - right) * plot.width();
}

QFont CSpectrumView::AxisFont(const QRect& plot) const {
    return AxisFontFor(plot.height());
}

QFont CSpectrumView::AxisFontFor(int plotHeight) const {
    QFont axis = font();
    axis.setPixelSize(std::max(10, plotHeight / 28));
    return axis;
}

int CSpectrumView::ModeAt(int x) const {
    const std::vector<NormalMode>* modes = Modes();
    if (modes == nullptr)
        return -1;
    const QRect plot = PlotArea(rect());
    const double left = ShownLeft(), right = ShownRight();
    int best = -1;
    double nearest = kPickPixels + 0.5;
    for (std::size_t k = 0; k < modes->size(); ++k) {
        const NormalMode& mode = (*modes)[k];
        if (!Drawn(mode) || mode.frequency > left || mode.frequency < right)
            continue;
        const double distance = std::abs(XOf(mode.frequency, plot, left, right) - x);
        if (distance < nearest) {
            nearest = distance;
            best = static_cast<int>(k);
        }
    }
    return best;
}

void CSpectrumView::Paint(QPainter& painter, const QRect& rect) const {
    const Intensities scale = IntensityScale();
    const QRect plot = PlotArea(rect, scale);
    const std::vector<NormalMode>* modes = Modes();
    const double left = ShownLeft(), right = ShownRight();
    painter.setRenderHint(QPainter::Antialiasing);
    const QFont font = AxisFont(plot);
    painter.setFont(font);
    painter.setPen(QPen(Qt::black, 0));
    painter.drawRect(plot);
    if (modes == nullptr) {
        painter.drawText(
            plot, Qt::AlignCenter,
            QCoreApplication::translate("CSpectrumView", "IR 強度のある振動がありません"));
        return;
    }
    const double yScale = plot.height() * 0.9 / scale.highest;
    const auto yOf = [&](double intensity) { return plot.bottom() - intensity * yScale; };
    // Axes: wavenumber ticks at round steps that leave room for their
    // labels, intensity ticks at round values.
    const QFontMetrics metrics(font);
    for (const double nu : Ticks(plot, metrics)) {
        const double x = XOf(nu, plot, left, right);
        painter.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + 5));
        const QString text = QString::number(nu, 'f', 0);
        painter.drawText(QPointF(x - metrics.horizontalAdvance(text) / 2.0,
                                 plot.bottom() + 7 + metrics.ascent()),
                         text);
    }
    for (const double y : scale.ticks) {
        const double py = yOf(y);
        painter.drawLine(QPointF(plot.left() - 5, py), QPointF(plot.left(), py));
        const QString text = IntensityLabel(y, scale.step);
        painter.drawText(
            QPointF(plot.left() - 8 - metrics.horizontalAdvance(text), py + metrics.ascent() / 2.0),
            text);
    }
    painter.drawText(QRect(plot.left(), plot.bottom() + 10 + metrics.height(), plot.width(),
                           metrics.height() + 4),
                     Qt::AlignHCenter, QCoreApplication::translate("CSpectrumView", "波数 (cm⁻¹)"));
    painter.save();
    painter.translate(rect.left() + metrics.height() * 1.2, plot.center().y());
    painter.rotate(-90);
    painter.drawText(
        QRect(-plot.height() / 2, -metrics.height(), plot.height(), metrics.height() + 4),
        Qt::AlignHCenter, QCoreApplication::translate("CSpectrumView", "IR 強度 (km/mol)"));
    painter.restore();
    painter.setClipRect(plot);
    // The broadened curve, one point a pixel.
    QPainterPath curve;
    for (int px = plot.left(); px <= plot.right(); ++px) {
        const double nu = left - (px - plot.left()) * (left - right) / plot.width();
        const QPointF point(px, yOf(Curve(nu)));
        if (px == plot.left())
            curve.moveTo(point);
        else
            curve.lineTo(point);
    }
    painter.setPen(QPen(QColor(200, 0, 0), std::max(1, plot.width() / 600)));
    painter.drawPath(curve);
    // The sticks, the chosen mode's thicker and blue.
    for (std::size_t k = 0; k < modes->size(); ++k) {
        const NormalMode& mode = (*modes)[k];
        if (!Drawn(mode))
            continue;
        const bool chosen = static_cast<int>(k) == chosenMode;
        painter.setPen(QPen(chosen ? QColor(0, 0, 255) : Qt::black,
                            std::max(1, plot.width() / 600) * (chosen ? 3 : 1)));
        // On a pixel's middle: a stick one pixel wide stays sharp.
        const double x = std::round(XOf(mode.frequency, plot, left, right)) + 0.5;
        painter.drawLine(QPointF(x, plot.bottom()), QPointF(x, yOf(mode.irIntensity)));
    }
}

void CSpectrumView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    Paint(painter, rect());
}

void CSpectrumView::wheelEvent(QWheelEvent* event) {
    const QRect plot = PlotArea(rect());
    const double x = std::clamp(event->position().x(), double(plot.left()), double(plot.right()));
    const double nu = ShownLeft() - (x - plot.left()) * (ShownLeft() - ShownRight()) / plot.width();
    // One notch of a wheel (120) zooms by a fifth.
    Zoom(nu, std::pow(0.8, event->angleDelta().y() / 120.0));
    event->accept();
}

void CSpectrumView::mouseDoubleClickEvent(QMouseEvent*) {
    ResetZoom();
}

void CSpectrumView::mousePressEvent(QMouseEvent* event) {
    const int mode = ModeAt(event->position().toPoint().x());
    if (mode < 0)
        return;
    chosenMode = mode;
    // Every molecule window of the document shows the mode.
    for (View* view : GetDocument()->GetViews()) {
        if (auto* molecule = dynamic_cast<CMolView*>(view))
            molecule->ChooseMode(mode);
    }
    update();
}

bool CSpectrumView::WriteCurve(const QString& path) const {
    std::string text = "# wavenumber/cm-1  IR intensity/(km/mol), Lorentzian half-width " +
                       std::to_string(static_cast<int>(HalfWidth())) + " cm-1\n";
    char line[64];
    for (int nu = static_cast<int>(FullLeftEdge()); nu >= 0; --nu) {
        std::snprintf(line, sizeof line, "%d %.6f\n", nu, Curve(nu));
        text += line;
    }
    return TextExport::Write(window(), path, text);
}

void CSpectrumView::SaveCurve() {
    const QString path = TextExport::AskPath(window(), QStringLiteral("spectrum.txt"));
    if (!path.isEmpty())
        WriteCurve(path);
}

void CSpectrumView::Print(bool preview) {
    PrinterChoice::Print(this, preview, [this](QPrinter* target) {
        QPainter painter(target);
        const QRect page = target->pageLayout().paintRectPixels(target->resolution());
        Paint(painter, QRect(0, 0, page.width(), page.width() * 2 / 3));
    });
}
