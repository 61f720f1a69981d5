#pragma once

#include "formats/ExperimentalSpectrum.h"
#include "model/JobEnsemble.h"

#include <QStringList>
#include <QWidget>

#include <memory>

class JobSetChart;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QTableWidget;

// Several jobs in one window: the outputs of a reaction's stationary points
// or of conformers, added together from the Open dialog or dropped on it.
// Their electronic energies, enthalpies or free energies relative to a
// chosen job are drawn as an energy profile and listed with their
// Boltzmann weights at a temperature (a setting, 298.15 K); the level of
// theory each job names is compared, and a difference said. The weighted
// IR, Raman, UV-Vis or ECD spectrum of the set is drawn below, with a
// measured spectrum (two-column text, CSV or JCAMP-DX) over it, shifted and
// scaled to fit. A click on a job opens its molecule.
class JobSetWindow : public QWidget {
    Q_OBJECT
public:
    explicit JobSetWindow(QWidget* parent);
    ~JobSetWindow() override;

    // Reads the files and adds the jobs they hold; a file that gives no job
    // is said in one message, the others kept. Returns the jobs added.
    int AddFiles(const QStringList& paths);
    // Reads a measured spectrum; false, after a message, when it cannot.
    bool LoadExperiment(const QString& path);
    // The Open dialog for several files at once, whose jobs are added.
    void AskFiles();

    const JobEnsemble& Ensemble() const { return ensemble_; }
    const QStringList& Files() const { return files_; }
    JobSetChart* Chart() const { return chart_; }
    QTableWidget* Table() const { return table_; }
    QComboBox* EnergyBox() const { return energyBox_; }
    QComboBox* ReferenceBox() const { return referenceBox_; }
    QComboBox* SpectrumBox() const { return spectrumBox_; }
    QDoubleSpinBox* TemperatureBox() const { return temperatureBox_; }
    QCheckBox* FitBox() const { return fitBox_; }
    QLabel* WarningLabel() const { return warning_; }
    // The weights shown, and the fit of the measured spectrum (shift,
    // scale) drawn.
    std::vector<double> Weights() const;
    double Shift() const { return shift_; }
    double Scale() const { return scale_; }

signals:
    // The user asked to see job's molecule.
    void openRequested(const QString& path);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void Refresh();
    void AskExperiment();
    void RemoveSelected();
    JobEnsemble::Energy Kind() const;
    int Reference() const;

    JobEnsemble ensemble_;
    QStringList files_;
    std::unique_ptr<ExperimentalSpectrum> experiment_;
    double shift_ = 0.0, scale_ = 1.0;
    JobSetChart* chart_ = nullptr;
    QTableWidget* table_ = nullptr;
    QComboBox* energyBox_ = nullptr;
    QComboBox* referenceBox_ = nullptr;
    QComboBox* unitBox_ = nullptr;
    QComboBox* spectrumBox_ = nullptr;
    QDoubleSpinBox* temperatureBox_ = nullptr;
    QCheckBox* fitBox_ = nullptr;
    QLabel* warning_ = nullptr;
};
