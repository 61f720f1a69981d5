#include "view/COrbitalPanel.h"

#include "formats/CubeWriter.h"
#include "io/StdioFile.h"
#include "io/WriteFileAtomically.h"
#include "model/Wavefunction.h"
#include "platform/FileDialog.h"
#include "platform/FileFilter.h"
#include "platform/LocalPath.h"
#include "platform/MessageBox.h"
#include "render/MolDocState.h"
#include "view/GridSources.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <QTableWidget>
#include <QVBoxLayout>
#include <functional>

#include <cmath>

namespace {

// Hartree in electronvolts (CODATA 2018).
constexpr double kHartreeInEv = 27.211386245988;
// The slider runs over levels 10⁻⁴ ... 1 in hundredths of a decade.
constexpr int kSliderSteps = 400;

int SliderOf(double level) {
    return std::clamp(
        static_cast<int>(std::lround((std::log10(std::max(level, 1e-4)) + 4.0) * 100.0)), 0,
        kSliderSteps);
}

} // namespace

COrbitalPanel::COrbitalPanel(QWidget* parent) : QDockWidget(tr("軌道と密度"), parent) {
    setObjectName(QStringLiteral("orbitalPanel"));
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    summary_ = new QLabel(body);
    summary_->setWordWrap(true);
    layout->addWidget(summary_);

    orbitals_ = new QTableWidget(0, 5, body);
    orbitals_->setObjectName(QStringLiteral("orbitalTable"));
    orbitals_->setHorizontalHeaderLabels({tr("番号"), tr("スピン"), tr("エネルギー (hartree)"),
                                          tr("エネルギー (eV)"), tr("占有数")});
    orbitals_->setSelectionBehavior(QAbstractItemView::SelectRows);
    orbitals_->setSelectionMode(QAbstractItemView::SingleSelection);
    orbitals_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    orbitals_->verticalHeader()->setVisible(false);
    orbitals_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // At least eight orbitals in sight; the list takes whatever the panel
    // has beyond its controls.
    orbitals_->setMinimumHeight(orbitals_->horizontalHeader()->sizeHint().height() +
                                8 * orbitals_->verticalHeader()->defaultSectionSize() +
                                2 * orbitals_->frameWidth());
    orbitals_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    layout->addWidget(orbitals_, 1);
    connect(orbitals_, &QTableWidget::cellDoubleClicked, this, [this] { ComputeSelected(); });

    auto* buttons = new QHBoxLayout;
    showOrbital_ = new QPushButton(tr("軌道を表示"), body);
    showOrbital_->setObjectName(QStringLiteral("showOrbital"));
    density_ = new QPushButton(tr("全電子密度"), body);
    density_->setObjectName(QStringLiteral("showDensity"));
    spinDensity_ = new QPushButton(tr("スピン密度"), body);
    spinDensity_->setObjectName(QStringLiteral("showSpinDensity"));
    buttons->addWidget(showOrbital_);
    buttons->addWidget(density_);
    buttons->addWidget(spinDensity_);
    layout->addLayout(buttons);
    connect(showOrbital_, &QPushButton::clicked, this, [this] { ComputeSelected(); });
    connect(density_, &QPushButton::clicked, this, [this] {
        VolumeRequest request;
        request.quantity = VolumeRequest::Quantity::kDensity;
        Compute(request);
    });
    connect(spinDensity_, &QPushButton::clicked, this, [this] {
        VolumeRequest request;
        request.quantity = VolumeRequest::Quantity::kSpinDensity;
        Compute(request);
    });

    auto* form = new QFormLayout;
    spacing_ = new QDoubleSpinBox(body);
    spacing_->setObjectName(QStringLiteral("gridSpacing"));
    spacing_->setRange(0.02, 2.0);
    spacing_->setDecimals(3);
    spacing_->setSingleStep(0.05);
    spacing_->setValue(0.25);
    margin_ = new QDoubleSpinBox(body);
    margin_->setObjectName(QStringLiteral("gridMargin"));
    margin_->setRange(0.0, 30.0);
    margin_->setValue(4.0);
    form->addRow(tr("格子間隔 (bohr)"), spacing_);
    form->addRow(tr("余白 (bohr)"), margin_);

    volumes_ = new QComboBox(body);
    volumes_->setObjectName(QStringLiteral("shownVolume"));
    form->addRow(tr("表示する格子"), volumes_);
    connect(volumes_, qOverload<int>(&QComboBox::activated), this,
            [this](int index) { ShowVolume(index - 1); });

    auto* level = new QHBoxLayout;
    slider_ = new QSlider(Qt::Horizontal, body);
    slider_->setObjectName(QStringLiteral("isovalueSlider"));
    slider_->setRange(0, kSliderSteps);
    isovalue_ = new QDoubleSpinBox(body);
    isovalue_->setObjectName(QStringLiteral("isovalue"));
    isovalue_->setDecimals(5);
    isovalue_->setRange(0.00001, 1000.0);
    isovalue_->setSingleStep(0.001);
    level->addWidget(slider_, 1);
    level->addWidget(isovalue_);
    form->addRow(tr("等値面の値"), level);
    connect(slider_, &QSlider::valueChanged, this, [this](int step) {
        if (!filling_)
            SetIsovalue(std::pow(10.0, step / 100.0 - 4.0), true);
    });
    connect(isovalue_, qOverload<double>(&QDoubleSpinBox::valueChanged), this, [this](double v) {
        if (!filling_)
            SetIsovalue(v, false);
    });

    translucent_ = new QCheckBox(tr("半透明"), body);
    translucent_->setObjectName(QStringLiteral("translucent"));
    form->addRow(QString(), translucent_);
    connect(translucent_, &QCheckBox::toggled, this, [this] {
        if (!filling_)
            ApplySurface();
    });

    colourBy_ = new QComboBox(body);
    colourBy_->setObjectName(QStringLiteral("colourVolume"));
    form->addRow(tr("色付けする格子"), colourBy_);
    connect(colourBy_, qOverload<int>(&QComboBox::activated), this,
            [this](int index) { ColourBy(index - 1); });
    colourBar_ = new QLabel(body);
    colourBar_->setObjectName(QStringLiteral("colourBar"));
    colourRange_ = new QLabel(body);
    colourRange_->setObjectName(QStringLiteral("colourRange"));
    auto* bar = new QHBoxLayout;
    bar->addWidget(colourBar_);
    bar->addWidget(colourRange_, 1);
    form->addRow(QString(), bar);
    // The values the bar's ends stand for, as chosen.
    auto* ends = new QHBoxLayout;
    for (QDoubleSpinBox*& box : {std::ref(colourLow_), std::ref(colourHigh_)}) {
        box = new QDoubleSpinBox(body);
        box->setDecimals(5);
        box->setRange(-1e6, 1e6);
        box->setSingleStep(0.001);
        box->setKeyboardTracking(false);
        ends->addWidget(box);
        connect(box, qOverload<double>(&QDoubleSpinBox::valueChanged), this, [this] {
            if (filling_ || state_ == nullptr || state_->surface.colourVolume == nullptr)
                return;
            state_->surface.colourRange = {static_cast<float>(colourLow_->value()),
                                           static_cast<float>(colourHigh_->value())};
            ApplySurface();
        });
    }
    colourLow_->setObjectName(QStringLiteral("colourLow"));
    colourHigh_->setObjectName(QStringLiteral("colourHigh"));
    form->addRow(tr("色の範囲"), ends);
    layout->addLayout(form);

    auto* files = new QHBoxLayout;
    addCube_ = new QPushButton(tr("キューブファイルを追加..."), body);
    addCube_->setObjectName(QStringLiteral("addCube"));
    connect(addCube_, &QPushButton::clicked, this, [this] { OnAddCube(); });
    saveCube_ = new QPushButton(tr("キューブファイルに保存..."), body);
    saveCube_->setObjectName(QStringLiteral("saveCube"));
    connect(saveCube_, &QPushButton::clicked, this, [this] { OnSaveCube(); });
    files->addWidget(addCube_);
    files->addWidget(saveCube_);
    layout->addLayout(files);
    setWidget(body);
    Refill();
}

bool COrbitalPanel::HasContent(const MolDocState* state) {
    return state != nullptr && state->data != nullptr &&
           (state->data->wavefunction != nullptr || !state->grids.empty());
}

void COrbitalPanel::SetDocument(QObject* owner, MolDocState* state) {
    if (owner == nullptr)
        state = nullptr;
    const void* model = state != nullptr ? state->data.get() : nullptr;
    const int load = state != nullptr ? state->loadCount : -1;
    // Grids put into the document from outside the panel (a session opened)
    // show too.
    const std::size_t grids = state != nullptr ? state->grids.size() : 0;
    const void* surface = state != nullptr ? state->surface.volume.get() : nullptr;
    if (owner_ == owner && state_ == state && shownModel_ == model && shownLoad_ == load &&
        shownGrids_ == grids && shownSurface_ == surface)
        return;
    owner_ = owner;
    state_ = state;
    shownModel_ = model;
    shownLoad_ = load;
    shownGrids_ = grids;
    shownSurface_ = surface;
    Refill();
}

void COrbitalPanel::Refill() {
    filling_ = true;
    const bool live = owner_ != nullptr && state_ != nullptr && state_->data != nullptr;
    const Wavefunction* w = live ? state_->data->wavefunction.get() : nullptr;
    orbitals_->setRowCount(0);
    if (w != nullptr) {
        const int spins = w->Unrestricted() ? 2 : 1;
        for (int spin = 0; spin < spins; ++spin) {
            const OrbitalSet& set = w->Orbitals(spin == 1);
            const int homo = w->Homo(spin == 1), lumo = w->Lumo(spin == 1);
            for (int o = 0; o < set.Count(); ++o) {
                const int row = orbitals_->rowCount();
                orbitals_->insertRow(row);
                QString number = QString::number(o + 1);
                if (o + 1 == homo)
                    number += QStringLiteral(" HOMO");
                if (o + 1 == lumo)
                    number += QStringLiteral(" LUMO");
                const double e = set.energies[static_cast<std::size_t>(o)];
                const QString cells[] = {number,
                                         !w->Unrestricted() ? QString()
                                         : spin == 0        ? QStringLiteral("α")
                                                            : QStringLiteral("β"),
                                         QString::number(e, 'f', 5),
                                         QString::number(e * kHartreeInEv, 'f', 3),
                                         QString::number(w->Occupation(spin == 1, o), 'g', 3)};
                for (int c = 0; c < 5; ++c) {
                    auto* item = new QTableWidgetItem(cells[c]);
                    item->setData(Qt::UserRole, (o + 1) * (spin == 1 ? -1 : 1));
                    orbitals_->setItem(row, c, item);
                }
                if (o + 1 == homo && spin == 0)
                    orbitals_->selectRow(row);
            }
        }
        summary_->setText(tr("基底関数 %1 個、電荷 %2、多重度 %3")
                              .arg(w->basis.FunctionCount())
                              .arg(w->charge)
                              .arg(w->multiplicity));
    } else if (live && !state_->data->wavefunctionProblem.empty()) {
        summary_->setText(tr("軌道を読めませんでした: %1")
                              .arg(QString::fromStdString(state_->data->wavefunctionProblem)));
    } else {
        // A checkpoint file of a geometry alone says why there is nothing
        // to choose.
        const bool checkpoint = live && state_->data->sourceKind == CMolData::SourceKind::kFchk;
        summary_->setText(!live ? QString()
                          : checkpoint ? tr("このファイルには軌道係数がありません。軌道と密度は"
                                            "表示できません")
                          : !state_->grids.empty() ? tr("軌道はありません")
                                                   : tr("このファイルには軌道も格子もありません"));
    }
    for (QWidget* button : {static_cast<QWidget*>(showOrbital_), static_cast<QWidget*>(density_),
                            static_cast<QWidget*>(spinDensity_), static_cast<QWidget*>(spacing_),
                            static_cast<QWidget*>(margin_)})
        button->setEnabled(w != nullptr);
    spinDensity_->setEnabled(w != nullptr && (w->Unrestricted() || !w->spinDensity.empty() ||
                                              w->alphaElectrons != w->betaElectrons));
    FillVolumes();
    filling_ = false;
}

void COrbitalPanel::FillVolumes() {
    const bool wasFilling = filling_;
    filling_ = true;
    volumes_->clear();
    colourBy_->clear();
    volumes_->addItem(tr("なし"));
    colourBy_->addItem(tr("なし"));
    const bool live = owner_ != nullptr && state_ != nullptr && state_->data != nullptr;
    int shown = 0, colour = 0;
    if (live) {
        const auto& list = state_->grids;
        for (std::size_t v = 0; v < list.size(); ++v) {
            const QString name = QString::fromStdString(list[v].grid->name);
            volumes_->addItem(name);
            colourBy_->addItem(name);
            if (list[v].grid == state_->surface.volume)
                shown = static_cast<int>(v) + 1;
            if (list[v].grid == state_->surface.colourVolume)
                colour = static_cast<int>(v) + 1;
        }
        isovalue_->setValue(state_->surface.isovalue);
        slider_->setValue(SliderOf(state_->surface.isovalue));
        translucent_->setChecked(state_->surface.translucent);
    }
    volumes_->setCurrentIndex(shown);
    colourBy_->setCurrentIndex(colour);
    for (QWidget* widget : {static_cast<QWidget*>(volumes_), static_cast<QWidget*>(slider_),
                            static_cast<QWidget*>(isovalue_), static_cast<QWidget*>(translucent_),
                            static_cast<QWidget*>(colourBy_)})
        widget->setEnabled(live && !state_->grids.empty());
    saveCube_->setEnabled(live && state_->surface.volume != nullptr);
    addCube_->setEnabled(live);
    // The colour bar: the ramp, and the values its ends stand for.
    const bool coloured = live && state_->surface.colourVolume != nullptr;
    if (coloured) {
        colourBar_->setPixmap(RampBar(160, 14));
        colourRange_->setText(QStringLiteral("%1 … %2")
                                  .arg(state_->surface.colourRange[0], 0, 'g', 4)
                                  .arg(state_->surface.colourRange[1], 0, 'g', 4));
        colourLow_->setValue(state_->surface.colourRange[0]);
        colourHigh_->setValue(state_->surface.colourRange[1]);
    } else {
        colourBar_->clear();
        colourRange_->clear();
    }
    colourLow_->setEnabled(coloured);
    colourHigh_->setEnabled(coloured);
    shownGrids_ = live ? state_->grids.size() : 0;
    shownSurface_ = live ? state_->surface.volume.get() : nullptr;
    filling_ = wasFilling;
}

QPixmap COrbitalPanel::RampBar(int width, int height) {
    QPixmap bar(width, height);
    QPainter painter(&bar);
    QLinearGradient ramp(0, 0, width, 0);
    for (int k = 0; k <= 10; ++k) {
        const std::array<float, 3> c =
            SurfaceState::RampColour(static_cast<float>(k) / 10.0F, {0.0F, 1.0F});
        ramp.setColorAt(k / 10.0, QColor::fromRgbF(c[0], c[1], c[2]));
    }
    painter.fillRect(bar.rect(), ramp);
    return bar;
}

void COrbitalPanel::ShowVolume(int index) {
    if (owner_ == nullptr || state_ == nullptr || state_->data == nullptr)
        return;
    const auto& list = state_->grids;
    SurfaceState& surface = state_->surface;
    if (index < 0 || index >= static_cast<int>(list.size())) {
        surface.volume.reset();
    } else if (surface.volume != list[static_cast<std::size_t>(index)].grid) {
        surface.volume = list[static_cast<std::size_t>(index)].grid;
        // A grid chosen starts at its own default level.
        filling_ = true;
        isovalue_->setValue(SurfaceState::DefaultIsovalue(*surface.volume));
        filling_ = false;
    }
    ApplySurface();
}

void COrbitalPanel::SetIsovalue(double value, bool fromSlider) {
    if (state_ == nullptr || owner_ == nullptr)
        return;
    filling_ = true;
    if (fromSlider)
        isovalue_->setValue(value);
    else
        slider_->setValue(SliderOf(value));
    filling_ = false;
    ApplySurface();
}

void COrbitalPanel::ColourBy(int index) {
    if (owner_ == nullptr || state_ == nullptr || state_->data == nullptr)
        return;
    const auto& list = state_->grids;
    SurfaceState& surface = state_->surface;
    surface.colourVolume = index >= 0 && index < static_cast<int>(list.size())
                               ? list[static_cast<std::size_t>(index)].grid
                               : nullptr;
    if (surface.colourVolume != nullptr) {
        // The range of the values on the surface, not of the whole grid (a
        // potential near the nuclei dwarfs what the surface meets);
        // symmetric about zero for values of both signs, so white is zero.
        // The boxes below the bar change it.
        surface.Update();
        const std::array<float, 2> range = surface.ColouringRangeOnSurface();
        const float bound = std::max(std::fabs(range[0]), std::fabs(range[1]));
        surface.colourRange =
            range[0] < 0.0F && range[1] > 0.0F ? std::array<float, 2>{-bound, bound} : range;
    }
    ApplySurface();
}

void COrbitalPanel::ApplySurface() {
    if (owner_ == nullptr || state_ == nullptr)
        return;
    SurfaceState& surface = state_->surface;
    surface.isovalue = isovalue_->value();
    surface.translucent = translucent_->isChecked();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    surface.Update();
    QApplication::restoreOverrideCursor();
    FillVolumes();
    emit surfaceChanged();
}

void COrbitalPanel::ComputeSelected() {
    const QList<QTableWidgetItem*> chosen = orbitals_->selectedItems();
    if (chosen.isEmpty())
        return;
    const int code = chosen.front()->data(Qt::UserRole).toInt();
    VolumeRequest request;
    request.orbital = std::abs(code);
    request.beta = code < 0;
    Compute(request);
}

bool COrbitalPanel::Compute(const VolumeRequest& request) {
    if (owner_ == nullptr || state_ == nullptr || state_->data == nullptr ||
        state_->data->wavefunction == nullptr)
        return false;
    // Held here: the document may close while the evaluation runs.
    const std::shared_ptr<const Wavefunction> w = state_->data->wavefunction;
    // The document it is for: the panel may follow another window, or the
    // window close, while the evaluation runs.
    const QPointer<QObject> owner = owner_;
    MolDocState* const state = state_;
    const double spacing = spacing_->value(), margin = margin_->value();
    const GridSources::Made made = GridSources::Evaluate(this, w, request, spacing, margin);
    if (made.grid == nullptr) {
        if (!made.why.isEmpty())
            MessageBox::Show(this, made.why);
        return false;
    }
    if (owner == nullptr || owner_ != owner || state_ != state || state->data == nullptr ||
        state->data->wavefunction != w)
        return false;
    state_->grids.push_back(DocumentGrid::OfRequest(made.grid, request, spacing, margin));
    state_->surface.volume = made.grid;
    state_->surface.isovalue = SurfaceState::DefaultIsovalue(*made.grid);
    filling_ = true;
    isovalue_->setValue(state_->surface.isovalue);
    filling_ = false;
    ApplySurface();
    return true;
}

bool COrbitalPanel::SaveCube(const QString& path) {
    if (owner_ == nullptr || state_ == nullptr || state_->data == nullptr ||
        state_->surface.volume == nullptr)
        return false;
    const CMolData& model = *state_->data;
    const VolumeGrid& grid = *state_->surface.volume;
    std::string error;
    const auto write = [&](StdioFile& file) {
        return WriteCube(model, state_->chosenFrame, grid, "RAVEK", &file);
    };
    if (!WriteFileAtomically(LocalPath::Bytes(path), write, error)) {
        MessageBox::ShowCannotSave(this, path, QString::fromStdString(error));
        return false;
    }
    return true;
}

bool COrbitalPanel::AddCube(const QString& path) {
    if (owner_ == nullptr || state_ == nullptr || state_->data == nullptr)
        return false;
    // The document it is for: the panel may follow another window while a
    // pipe is read.
    const QPointer<QObject> owner = owner_;
    MolDocState* const state = state_;
    const GridSources::Read read = GridSources::ReadCube(this, path);
    if (owner == nullptr || owner_ != owner || state_ != state || state->data == nullptr ||
        read.cancelled)
        return false;
    if (!read.openError.isEmpty()) {
        MessageBox::ShowCannotOpen(this, path, read.openError);
        return false;
    }
    if (read.grids.empty()) {
        MessageBox::Show(this, read.why);
        return false;
    }
    // Kept by its absolute path, so that a session finds it again.
    const std::string kept = QFileInfo(path).absoluteFilePath().toStdString();
    for (std::size_t g = 0; g < read.grids.size(); ++g)
        state_->grids.push_back(DocumentGrid::OfCube(read.grids[g], kept, static_cast<int>(g)));
    FillVolumes();
    return true;
}

void COrbitalPanel::OnAddCube() {
    const FileFilter filter(
        QStringLiteral("Cube Files (*.cube; *.cub)|*.cube; *.cub; *.cube.gz||"));
    const FileDialog::Result chosen = FileDialog::Run(this, FileDialog::kOpen, filter, 1);
    if (chosen.accepted)
        AddCube(chosen.path);
}

void COrbitalPanel::OnSaveCube() {
    const FileFilter filter(QStringLiteral("Cube Files (*.cube)|*.cube||"));
    const FileDialog::Result chosen = FileDialog::Run(this, FileDialog::kSave, filter, 1);
    if (!chosen.accepted)
        return;
    QString path = chosen.path;
    if (!path.endsWith(QStringLiteral(".cube"), Qt::CaseInsensitive) &&
        !path.endsWith(QStringLiteral(".cub"), Qt::CaseInsensitive))
        path += QStringLiteral(".cube");
    SaveCube(path);
}
