#include "view/JobSetWindow.h"

#include "formats/DialogFilter.h"
#include "formats/FileKind.h"
#include "formats/ReadMolecule.h"
#include "model/ReactionPath.h"
#include "model/SpectrumFit.h"
#include "platform/FileDialog.h"
#include "platform/FileFilter.h"
#include "platform/LocalPath.h"
#include "platform/MessageBox.h"
#include "platform/Profile.h"
#include "res/SettingsKeys.h"
#include "view/JobSetChart.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QDoubleSpinBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

QString Tr(const char* text) {
    return QCoreApplication::translate("JobSetWindow", text);
}

const ReactionPath::Unit kUnits[] = {ReactionPath::Unit::kKjPerMol, ReactionPath::Unit::kKcalPerMol,
                                     ReactionPath::Unit::kHartree};
const Spectrum::Kind kSpectra[] = {Spectrum::Kind::kIr, Spectrum::Kind::kRaman,
                                   Spectrum::Kind::kUvVis, Spectrum::Kind::kEcd};

QString Number(double value, int decimals) {
    return std::isfinite(value) ? QString::number(value, 'f', decimals) : QStringLiteral("-");
}

} // namespace

JobSetWindow::JobSetWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setWindowTitle(Tr(QT_TRANSLATE_NOOP("JobSetWindow", "ジョブの比較")));
    setAcceptDrops(true);
    auto* add =
        new QPushButton(Tr(QT_TRANSLATE_NOOP("JobSetWindow", "ファイルを追加(&A)...")), this);
    auto* remove = new QPushButton(Tr(QT_TRANSLATE_NOOP("JobSetWindow", "除く(&R)")), this);
    energyBox_ = new QComboBox(this);
    energyBox_->addItems({Tr(QT_TRANSLATE_NOOP("JobSetWindow", "電子エネルギー")),
                          Tr(QT_TRANSLATE_NOOP("JobSetWindow", "エンタルピー")),
                          Tr(QT_TRANSLATE_NOOP("JobSetWindow", "自由エネルギー"))});
    energyBox_->setCurrentIndex(2);
    referenceBox_ = new QComboBox(this);
    unitBox_ = new QComboBox(this);
    for (const ReactionPath::Unit unit : kUnits)
        unitBox_->addItem(QString::fromUtf8(ReactionPath::UnitName(unit)));
    temperatureBox_ = new QDoubleSpinBox(this);
    temperatureBox_->setRange(1.0, 5000.0);
    temperatureBox_->setDecimals(2);
    temperatureBox_->setSuffix(QStringLiteral(" K"));
    temperatureBox_->setValue(
        std::clamp(Profile::Read(Settings::kEnsembleTemperature), 100, 500000) / 100.0);
    spectrumBox_ = new QComboBox(this);
    spectrumBox_->addItems({Tr(QT_TRANSLATE_NOOP("JobSetWindow", "スペクトルなし")),
                            Tr(QT_TRANSLATE_NOOP("JobSetWindow", "IR")),
                            Tr(QT_TRANSLATE_NOOP("JobSetWindow", "ラマン")),
                            Tr(QT_TRANSLATE_NOOP("JobSetWindow", "UV-Vis")),
                            Tr(QT_TRANSLATE_NOOP("JobSetWindow", "ECD"))});
    auto* experiment =
        new QPushButton(Tr(QT_TRANSLATE_NOOP("JobSetWindow", "実測スペクトル(&E)...")), this);
    fitBox_ = new QCheckBox(Tr(QT_TRANSLATE_NOOP("JobSetWindow", "ずらして合わせる(&F)")), this);
    fitBox_->setChecked(true);
    warning_ = new QLabel(this);
    warning_->setStyleSheet(QStringLiteral("color: #c00000"));
    warning_->setWordWrap(true);
    table_ = new QTableWidget(0, 7, this);
    table_->setHorizontalHeaderLabels({Tr(QT_TRANSLATE_NOOP("JobSetWindow", "ジョブ")),
                                       Tr(QT_TRANSLATE_NOOP("JobSetWindow", "計算レベル")),
                                       Tr(QT_TRANSLATE_NOOP("JobSetWindow", "E (hartree)")),
                                       Tr(QT_TRANSLATE_NOOP("JobSetWindow", "H (hartree)")),
                                       Tr(QT_TRANSLATE_NOOP("JobSetWindow", "G (hartree)")),
                                       Tr(QT_TRANSLATE_NOOP("JobSetWindow", "相対")),
                                       Tr(QT_TRANSLATE_NOOP("JobSetWindow", "重み"))});
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->horizontalHeader()->setStretchLastSection(true);
    chart_ = new JobSetChart(this);

    auto* controls = new QHBoxLayout;
    controls->addWidget(add);
    controls->addWidget(remove);
    controls->addWidget(energyBox_);
    controls->addWidget(new QLabel(Tr(QT_TRANSLATE_NOOP("JobSetWindow", "基準:")), this));
    controls->addWidget(referenceBox_);
    controls->addWidget(unitBox_);
    controls->addWidget(new QLabel(Tr(QT_TRANSLATE_NOOP("JobSetWindow", "温度:")), this));
    controls->addWidget(temperatureBox_);
    controls->addStretch();
    auto* spectra = new QHBoxLayout;
    spectra->addWidget(spectrumBox_);
    spectra->addWidget(experiment);
    spectra->addWidget(fitBox_);
    spectra->addStretch();
    auto* split = new QSplitter(Qt::Vertical, this);
    split->addWidget(table_);
    split->addWidget(chart_);
    split->setStretchFactor(1, 3);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(controls);
    layout->addLayout(spectra);
    layout->addWidget(warning_);
    layout->addWidget(split, 1);
    resize(760, 680);

    connect(add, &QPushButton::clicked, this, &JobSetWindow::AskFiles);
    connect(remove, &QPushButton::clicked, this, &JobSetWindow::RemoveSelected);
    connect(experiment, &QPushButton::clicked, this, &JobSetWindow::AskExperiment);
    for (QComboBox* box : {energyBox_, referenceBox_, unitBox_, spectrumBox_})
        connect(box, qOverload<int>(&QComboBox::currentIndexChanged), this, &JobSetWindow::Refresh);
    connect(temperatureBox_, qOverload<double>(&QDoubleSpinBox::valueChanged), this, [this] {
        Profile::Write(Settings::kEnsembleTemperature,
                       static_cast<int>(std::lround(temperatureBox_->value() * 100.0)));
        Refresh();
    });
    connect(fitBox_, &QCheckBox::toggled, this, &JobSetWindow::Refresh);
    connect(chart_, &JobSetChart::jobClicked, this, [this](int k) {
        table_->selectRow(k);
        emit openRequested(files_.value(k));
    });
    connect(table_, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int) { emit openRequested(files_.value(row)); });
    Refresh();
}

JobSetWindow::~JobSetWindow() = default;

JobEnsemble::Energy JobSetWindow::Kind() const {
    return static_cast<JobEnsemble::Energy>(std::clamp(energyBox_->currentIndex(), 0, 2));
}

int JobSetWindow::Reference() const {
    // 0: the lowest job; k: job k.
    const int chosen = referenceBox_->currentIndex();
    if (chosen > 0)
        return chosen - 1;
    int lowest = -1;
    const auto& members = ensemble_.Members();
    for (std::size_t k = 0; k < members.size(); ++k) {
        const double e = members[k].Of(Kind());
        if (std::isfinite(e) &&
            (lowest < 0 || e < members[static_cast<std::size_t>(lowest)].Of(Kind())))
            lowest = static_cast<int>(k);
    }
    return lowest;
}

std::vector<double> JobSetWindow::Weights() const {
    return ensemble_.Weights(Kind(), temperatureBox_->value());
}

int JobSetWindow::AddFiles(const QStringList& paths) {
    int added = 0;
    QStringList unread;
    for (const QString& path : paths) {
        const std::string bytes = LocalPath::Bytes(path);
        MoleculeFile read = ReadMoleculeFile(bytes, FileKindFromPath(bytes), PdbOptions());
        if (read.status != MoleculeFile::Status::kMolecule || read.model == nullptr) {
            unread << QFileInfo(path).fileName();
            continue;
        }
        // Named by the file, and by its folder too where another job has
        // the same name.
        const QFileInfo info(path);
        QString name = info.fileName();
        for (const auto& m : ensemble_.Members()) {
            if (QString::fromStdString(m.name) == name)
                name = info.dir().dirName() + QLatin1Char('/') + name;
        }
        ensemble_.Add(name.toStdString(), *read.model);
        files_ << path;
        ++added;
    }
    if (!unread.isEmpty())
        MessageBox::Show(
            this,
            Tr(QT_TRANSLATE_NOOP("JobSetWindow", "次のファイルからはジョブを読めませんでした:\n%1"))
                .arg(unread.join(QLatin1Char('\n'))),
            MessageBox::kWarning);
    Refresh();
    return added;
}

bool JobSetWindow::LoadExperiment(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        MessageBox::ShowCannotOpen(this, path, file.errorString());
        return false;
    }
    auto read = std::make_unique<ExperimentalSpectrum>();
    std::string why;
    if (!ExperimentalSpectrum::Parse(file.readAll().toStdString(), *read, why)) {
        MessageBox::Show(
            this, Tr(QT_TRANSLATE_NOOP("JobSetWindow", "%1\nスペクトルを読めませんでした: %2"))
                      .arg(QFileInfo(path).fileName(), QString::fromStdString(why)));
        return false;
    }
    if (read->xUnits.find("NANOMETER") != std::string::npos)
        read->NanometresToEv();
    experiment_ = std::move(read);
    Refresh();
    return true;
}

void JobSetWindow::AskFiles() {
    const FileFilter filter(QString::fromStdString(FilterString(OpenFilters())));
    const FileDialog::Result chosen = FileDialog::Run(this, FileDialog::kOpenMany, filter, 1);
    if (chosen.accepted)
        AddFiles(chosen.paths);
}

void JobSetWindow::AskExperiment() {
    const FileFilter filter(Tr(QT_TRANSLATE_NOOP(
        "JobSetWindow", "スペクトル (*.txt; *.csv; *.dat; *.jdx; "
                        "*.dx)|*.txt;*.csv;*.dat;*.jdx;*.dx|すべてのファイル (*.*)|*.*||")));
    const FileDialog::Result chosen = FileDialog::Run(this, FileDialog::kOpen, filter, 1);
    if (chosen.accepted)
        LoadExperiment(chosen.path);
}

void JobSetWindow::RemoveSelected() {
    const int row = table_->currentRow();
    if (row < 0 || row >= files_.size())
        return;
    ensemble_.Remove(row);
    files_.removeAt(row);
    Refresh();
}

void JobSetWindow::Refresh() {
    const auto& members = ensemble_.Members();
    // The reference list follows the jobs, keeping the choice when it can.
    const int chosen = referenceBox_->currentIndex();
    {
        const QSignalBlocker quiet(referenceBox_);
        referenceBox_->clear();
        referenceBox_->addItem(Tr(QT_TRANSLATE_NOOP("JobSetWindow", "最も低いジョブ")));
        for (const auto& m : members)
            referenceBox_->addItem(QString::fromStdString(m.name));
        referenceBox_->setCurrentIndex(chosen >= 0 && chosen < referenceBox_->count() ? chosen : 0);
    }
    const ReactionPath::Unit unit = kUnits[std::clamp(unitBox_->currentIndex(), 0, 2)];
    const int reference = Reference();
    const std::vector<double> relative = ensemble_.Relative(Kind(), reference);
    const std::vector<double> weights = Weights();
    table_->setRowCount(static_cast<int>(members.size()));
    QStringList names;
    std::vector<double> shown;
    for (std::size_t k = 0; k < members.size(); ++k) {
        const auto& m = members[k];
        const double r = ReactionPath::InUnit(relative[k], unit);
        const QString cells[7] = {QString::fromStdString(m.name),
                                  QString::fromStdString(m.levelOfTheory),
                                  Number(m.electronic, 6),
                                  Number(m.enthalpy, 6),
                                  Number(m.freeEnergy, 6),
                                  Number(r, unit == ReactionPath::Unit::kHartree ? 6 : 2),
                                  std::isfinite(m.Of(Kind())) ? Number(weights[k], 4)
                                                              : QStringLiteral("-")};
        for (int c = 0; c < 7; ++c)
            table_->setItem(static_cast<int>(k), c, new QTableWidgetItem(cells[c]));
        names << QString::fromStdString(m.name);
        shown.push_back(r);
    }
    chart_->SetProfile(names, shown, QString::fromUtf8(ReactionPath::UnitName(unit)), reference);
    // What the numbers rest on, said where it is not what they assume.
    QStringList said;
    if (!ensemble_.SameLevelOfTheory()) {
        QStringList levels;
        for (const auto& m : members) {
            if (!m.levelOfTheory.empty() &&
                !levels.contains(QString::fromStdString(m.levelOfTheory)))
                levels << QString::fromStdString(m.levelOfTheory);
        }
        said << Tr(QT_TRANSLATE_NOOP("JobSetWindow", "計算レベルが揃っていません: %1"))
                    .arg(levels.join(QStringLiteral(", ")));
    }
    if (Kind() != JobEnsemble::Energy::kElectronic &&
        !ensemble_.ThermochemistryAt(temperatureBox_->value()))
        said << Tr(QT_TRANSLATE_NOOP(
            "JobSetWindow",
            "熱化学は別の温度で計算されています (重みはその自由エネルギーによります)"));
    const int lacking =
        static_cast<int>(std::count_if(members.begin(), members.end(), [this](const auto& m) {
            return !std::isfinite(m.Of(Kind()));
        }));
    if (lacking > 0)
        said << Tr(QT_TRANSLATE_NOOP("JobSetWindow", "%1 個のジョブにはこのエネルギーがありません"))
                    .arg(lacking);
    warning_->setText(said.join(QLatin1Char('\n')));
    warning_->setVisible(!said.isEmpty());

    const int kind = spectrumBox_->currentIndex();
    Spectrum spectrum;
    QString axis;
    if (kind > 0) {
        const Spectrum::Kind which = kSpectra[kind - 1];
        const bool electronic = which == Spectrum::Kind::kUvVis || which == Spectrum::Kind::kEcd;
        const double halfWidth =
            electronic ? std::clamp(Profile::Read(Settings::kElectronicHalfWidth), 1, 5000) / 1000.0
                       : std::clamp(Profile::Read(Settings::kSpectrumHalfWidth), 1, 200);
        const double scale =
            electronic ? 1.0
                       : std::clamp(Profile::Read(Settings::kFrequencyScale), 5000, 15000) / 1e4;
        spectrum = ensemble_.Weighted(which, weights, scale, halfWidth);
        axis = electronic ? Tr(QT_TRANSLATE_NOOP("JobSetWindow", "エネルギー (eV)"))
                          : Tr(QT_TRANSLATE_NOOP("JobSetWindow", "波数 (cm⁻¹)"));
    }
    chart_->SetSpectrum(spectrum, axis);
    shift_ = 0.0;
    scale_ = 1.0;
    if (experiment_ != nullptr && !spectrum.bands.empty()) {
        if (fitBox_->isChecked()) {
            const bool electronic =
                spectrum.kind == Spectrum::Kind::kUvVis || spectrum.kind == Spectrum::Kind::kEcd;
            const SpectrumFit fit =
                SpectrumFit::Of(spectrum, experiment_->x, experiment_->y, electronic ? 1.0 : 200.0);
            shift_ = fit.shift;
            scale_ = fit.scale;
        } else {
            // Unshifted, brought to the computed curve's height.
            double top = 0.0, measured = 0.0;
            for (const Spectrum::Band& band : spectrum.bands)
                top = std::max(top, spectrum.Curve(band.position));
            for (const double v : experiment_->y)
                measured = std::isfinite(v) ? std::max(measured, v) : measured;
            scale_ = measured > 0.0 ? top / measured : 1.0;
        }
    }
    chart_->SetExperiment(spectrum.bands.empty() ? nullptr : experiment_.get(), shift_, scale_);
}

void JobSetWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void JobSetWindow::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            paths << url.toLocalFile();
    }
    if (!paths.isEmpty())
        AddFiles(paths);
}
