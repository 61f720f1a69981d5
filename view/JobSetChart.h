#pragma once

#include "formats/ExperimentalSpectrum.h"
#include "model/Spectrum.h"
#include "view/AxisTicks.h"

#include <QString>
#include <QStringList>
#include <QWidget>

#include <vector>

class QPainter;

// The pictures of a set of jobs: above, the energy profile, each job a
// level at its energy relative to the reference job, the levels joined
// in order by dashed lines and named below; under it, when a spectrum is
// chosen, the ensemble's weighted spectrum with a measured one drawn over it
// (shifted and scaled as the window says). A click on a level names its job.
class JobSetChart : public QWidget {
    Q_OBJECT
public:
    explicit JobSetChart(QWidget* parent);

    // What to draw: the jobs' names and relative energies (NaN for none) in
    // unit; the job marked; the spectrum (no bands: none) and the measured
    // points with their shift and scale.
    void SetProfile(const QStringList& names, const std::vector<double>& energies,
                    const QString& unit, int marked);
    void SetSpectrum(const Spectrum& spectrum, const QString& axis);
    void SetExperiment(const ExperimentalSpectrum* experiment, double shift, double scale);

    // The window rect of job k's level, in a picture of rect.
    QRectF LevelOf(int k, const QRect& rect) const;
    QRect ProfileArea(const QRect& rect) const;
    QRect SpectrumArea(const QRect& rect) const;
    // The x the spectrum panel puts position at; and the spectrum drawn.
    double SpectrumX(double position, const QRect& rect) const;
    const Spectrum& Shown() const { return spectrum_; }
    void Paint(QPainter& painter, const QRect& rect) const;

signals:
    void jobClicked(int k);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void EnergyRange(double& low, double& high) const;
    void SpectrumRange(double& low, double& high) const;

    QStringList names_;
    std::vector<double> energies_;
    QString unit_;
    int marked_ = -1;
    Spectrum spectrum_;
    QString spectrumAxis_;
    const ExperimentalSpectrum* experiment_ = nullptr;
    double shift_ = 0.0, scale_ = 1.0;
};
