#include "view/JobSetChart.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kSamples = 600;

void Widen(double& low, double& high) {
    const double spread = std::max(high - low, std::max(std::abs(high), 1.0) * 1e-6);
    low -= spread * 0.08;
    high += spread * 0.08;
}

} // namespace

JobSetChart::JobSetChart(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setMinimumSize(320, 260);
}

void JobSetChart::SetProfile(const QStringList& names, const std::vector<double>& energies,
                             const QString& unit, int marked) {
    names_ = names;
    energies_ = energies;
    unit_ = unit;
    marked_ = marked;
    update();
}

void JobSetChart::SetSpectrum(const Spectrum& spectrum, const QString& axis) {
    spectrum_ = spectrum;
    spectrumAxis_ = axis;
    update();
}

void JobSetChart::SetExperiment(const ExperimentalSpectrum* experiment, double shift,
                                double scale) {
    experiment_ = experiment;
    shift_ = shift;
    scale_ = scale;
    update();
}

QRect JobSetChart::ProfileArea(const QRect& rect) const {
    const int line = fontMetrics().height() + 2;
    const int bottom = spectrum_.bands.empty() ? rect.bottom() - 2 * line
                                               : rect.top() + (rect.height() - 4 * line) / 2;
    return QRect(rect.left() + 6 * line, rect.top() + 2 * line, rect.width() - 7 * line,
                 std::max(10, bottom - rect.top() - 2 * line));
}

QRect JobSetChart::SpectrumArea(const QRect& rect) const {
    if (spectrum_.bands.empty())
        return {};
    const int line = fontMetrics().height() + 2;
    const QRect profile = ProfileArea(rect);
    const int top = profile.bottom() + 3 * line;
    return QRect(profile.left(), top, profile.width(),
                 std::max(10, rect.bottom() - 2 * line - top));
}

QRectF JobSetChart::LevelOf(int k, const QRect& rect) const {
    const QRect area = ProfileArea(rect);
    const int n = static_cast<int>(energies_.size());
    if (k < 0 || k >= n || !std::isfinite(energies_[static_cast<std::size_t>(k)]))
        return {};
    double low = 0.0, high = 0.0;
    EnergyRange(low, high);
    const double slot = area.width() / static_cast<double>(n);
    const double y = area.bottom() -
                     (energies_[static_cast<std::size_t>(k)] - low) / (high - low) * area.height();
    return QRectF(area.left() + slot * (k + 0.2), y - 3, slot * 0.6, 6);
}

// The energies' ends with zero (the reference) among them, widened a little.
void JobSetChart::EnergyRange(double& low, double& high) const {
    low = high = 0.0;
    for (const double e : energies_) {
        if (std::isfinite(e)) {
            low = std::min(low, e);
            high = std::max(high, e);
        }
    }
    Widen(low, high);
}

void JobSetChart::SpectrumRange(double& low, double& high) const {
    low = high = 0.0;
    bool any = false;
    for (const Spectrum::Band& band : spectrum_.bands) {
        low = any ? std::min(low, band.position) : band.position;
        high = any ? std::max(high, band.position) : band.position;
        any = true;
    }
    const double margin = std::max(4.0 * spectrum_.halfWidth, (high - low) * 0.05);
    low -= margin;
    high += margin;
    if (spectrum_.kind == Spectrum::Kind::kIr || spectrum_.kind == Spectrum::Kind::kRaman)
        low = std::max(low, 0.0);
}

double JobSetChart::SpectrumX(double position, const QRect& rect) const {
    const QRect area = SpectrumArea(rect);
    double low = 0.0, high = 1.0;
    SpectrumRange(low, high);
    // Wavenumbers fall from left to right, as spectra are drawn.
    const bool falling =
        spectrum_.kind == Spectrum::Kind::kIr || spectrum_.kind == Spectrum::Kind::kRaman;
    const double t = (position - low) / (high - low);
    return area.left() + (falling ? 1.0 - t : t) * area.width();
}

void JobSetChart::Paint(QPainter& painter, const QRect& rect) const {
    painter.setRenderHint(QPainter::Antialiasing);
    const QFontMetrics metrics(painter.font());
    const QRect area = ProfileArea(rect);
    const int tick = 5;
    painter.setPen(QPen(Qt::black, 0));
    painter.drawRect(area);
    painter.drawText(QRect(area.left(), rect.top() + 2, area.width(), 2 * metrics.height()),
                     Qt::AlignHCenter | Qt::AlignVCenter,
                     QCoreApplication::translate("JobSetChart", "相対エネルギー (%1)").arg(unit_));
    if (energies_.empty()) {
        painter.drawText(area, Qt::AlignCenter,
                         QCoreApplication::translate("JobSetChart", "ジョブを追加してください"));
        return;
    }
    double low = 0.0, high = 0.0;
    EnergyRange(low, high);
    const AxisTicks ticks =
        AxisTicks::Between(low, high, std::max(2, area.height() * 2 / (3 * metrics.height())));
    for (const double v : ticks.values) {
        const double y = area.bottom() - (v - low) / (high - low) * area.height();
        const QString text = QString::number(v, 'f', ticks.decimals);
        painter.drawLine(QPointF(area.left() - tick, y), QPointF(area.left(), y));
        painter.drawText(QPointF(area.left() - tick - 2 - metrics.horizontalAdvance(text),
                                 y + (metrics.ascent() - metrics.descent()) / 2.0),
                         text);
    }
    QRectF previous;
    for (int k = 0; k < static_cast<int>(energies_.size()); ++k) {
        const QRectF level = LevelOf(k, rect);
        const double slot = area.width() / static_cast<double>(energies_.size());
        const QString name = names_.value(k);
        const QString shown = metrics.elidedText(name, Qt::ElideMiddle, static_cast<int>(slot));
        painter.setPen(QPen(Qt::black, 0));
        painter.drawText(
            QPointF(area.left() + slot * (k + 0.5) - metrics.horizontalAdvance(shown) / 2.0,
                    area.bottom() + tick + metrics.ascent()),
            shown);
        if (level.isNull())
            continue;
        if (!previous.isNull()) {
            painter.setPen(QPen(Qt::gray, 1, Qt::DashLine));
            painter.drawLine(QPointF(previous.right(), previous.center().y()),
                             QPointF(level.left(), level.center().y()));
        }
        painter.setPen(QPen(k == marked_ ? QColor(0, 0, 220) : Qt::black, 3));
        painter.drawLine(QPointF(level.left(), level.center().y()),
                         QPointF(level.right(), level.center().y()));
        const QString value =
            QString::number(energies_[static_cast<std::size_t>(k)], 'f', ticks.decimals + 1);
        painter.setPen(QPen(Qt::black, 0));
        painter.drawText(
            QPointF(level.center().x() - metrics.horizontalAdvance(value) / 2.0, level.top() - 3),
            value);
        previous = level;
    }
    if (spectrum_.bands.empty())
        return;
    const QRect below = SpectrumArea(rect);
    painter.setPen(QPen(Qt::black, 0));
    painter.drawRect(below);
    painter.drawText(QRect(below.left(), below.bottom() + tick + metrics.height(), below.width(),
                           metrics.height() + 2),
                     Qt::AlignHCenter, spectrumAxis_);
    double xLow = 0.0, xHigh = 1.0;
    SpectrumRange(xLow, xHigh);
    std::vector<double> curve(kSamples + 1);
    double top = 0.0, bottom = 0.0;
    for (int s = 0; s <= kSamples; ++s) {
        curve[static_cast<std::size_t>(s)] = spectrum_.Curve(xLow + (xHigh - xLow) * s / kSamples);
        top = std::max(top, curve[static_cast<std::size_t>(s)]);
        bottom = std::min(bottom, curve[static_cast<std::size_t>(s)]);
    }
    if (experiment_ != nullptr) {
        for (std::size_t k = 0; k < experiment_->y.size(); ++k) {
            if (std::isfinite(experiment_->y[k])) {
                top = std::max(top, experiment_->y[k] * scale_);
                bottom = std::min(bottom, experiment_->y[k] * scale_);
            }
        }
    }
    if (top <= bottom)
        top = bottom + 1.0;
    const auto yOf = [&](double v) {
        return below.bottom() - (v - bottom) / (top - bottom) * below.height();
    };
    const AxisTicks xTicks = AxisTicks::Between(xLow, xHigh, std::max(2, below.width() / 60));
    for (const double v : xTicks.values) {
        const double x = SpectrumX(v, rect);
        const QString text = QString::number(v, 'f', xTicks.decimals);
        painter.drawLine(QPointF(x, below.bottom()), QPointF(x, below.bottom() + tick));
        painter.drawText(QPointF(x - metrics.horizontalAdvance(text) / 2.0,
                                 below.bottom() + tick + metrics.ascent()),
                         text);
    }
    QPainterPath computed;
    for (int s = 0; s <= kSamples; ++s) {
        const QPointF at(SpectrumX(xLow + (xHigh - xLow) * s / kSamples, rect),
                         yOf(curve[static_cast<std::size_t>(s)]));
        s == 0 ? computed.moveTo(at) : computed.lineTo(at);
    }
    painter.setClipRect(below);
    painter.setPen(QPen(QColor(0, 0, 200), 1.5));
    painter.drawPath(computed);
    if (experiment_ != nullptr) {
        // The measured points moved by the shift onto the computed curve.
        QPainterPath measured;
        bool on = false;
        for (std::size_t k = 0; k < experiment_->x.size(); ++k) {
            const double x = experiment_->x[k] - shift_, y = experiment_->y[k];
            if (!std::isfinite(x) || !std::isfinite(y)) {
                on = false;
                continue;
            }
            const QPointF at(SpectrumX(x, rect), yOf(y * scale_));
            on ? measured.lineTo(at) : measured.moveTo(at);
            on = true;
        }
        painter.setPen(QPen(QColor(200, 0, 0), 1.2));
        painter.drawPath(measured);
    }
    painter.setClipping(false);
    // Which curve is which, and how the measured one was moved.
    const bool electronic =
        spectrum_.kind == Spectrum::Kind::kUvVis || spectrum_.kind == Spectrum::Kind::kEcd;
    QStringList legend{QCoreApplication::translate("JobSetChart", "計算 (重み付き)")};
    if (experiment_ != nullptr)
        legend << QCoreApplication::translate("JobSetChart", "実測 (%1 %2, ×%3)")
                      .arg(-shift_, 0, 'f', electronic ? 3 : 1)
                      .arg(electronic ? QStringLiteral("eV") : QStringLiteral("cm⁻¹"))
                      .arg(scale_, 0, 'g', 3);
    const QColor colours[] = {QColor(0, 0, 200), QColor(200, 0, 0)};
    for (int k = 0; k < legend.size(); ++k) {
        const double y = below.top() + 4 + metrics.ascent() + k * metrics.height();
        painter.setPen(QPen(colours[k], 2));
        painter.drawLine(QPointF(below.left() + 6, y - metrics.ascent() / 3.0),
                         QPointF(below.left() + 26, y - metrics.ascent() / 3.0));
        painter.setPen(QPen(Qt::black, 0));
        painter.drawText(QPointF(below.left() + 30, y), legend[k]);
    }
}

void JobSetChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    Paint(painter, rect());
}

void JobSetChart::mousePressEvent(QMouseEvent* event) {
    const QRect area = ProfileArea(rect());
    const int n = static_cast<int>(energies_.size());
    if (n == 0 || !area.contains(event->position().toPoint()))
        return;
    const int k = static_cast<int>((event->position().x() - area.left()) * n / area.width());
    if (k >= 0 && k < n)
        emit jobClicked(k);
}
