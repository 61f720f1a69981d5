#include "view/CSpectrumView.h"

#include "model/CMolData.h"
#include "model/ElementTable.h"
#include "platform/Document.h"
#include "render/MolDocState.h"
#include "res/CommandIds.h"
#include "res/SettingsKeys.h"
#include "view/AxisTicks.h"
#include "view/NmrReference.h"
#include "view/PrinterChoice.h"
#include "view/TextExport.h"
#include "view/TransitionText.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDoubleSpinBox>
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
#include <limits>

using namespace CommandIds;
using Kind = Spectrum::Kind;
namespace Constants = SpectrumConstants;

namespace {

// A click chooses a stick this close, in pixels.
constexpr int kPickPixels = 6;
// A band carries intensity when it has this share of the strongest's.
constexpr double kCarriesIntensity = 0.01;

// The plot's left edge for vibrational bands up to highest: 4000 cm⁻¹, or
// beyond the band in steps of 500.
double EdgeFor(double highest) {
    return std::max(4000.0, std::ceil((highest + 200.0) / 500.0) * 500.0);
}

// The highest position among the bands, of those whose height is at least
// minimumShare of the strongest's (imaginary marks too when minimumShare is
// 0); 0 for none.
double HighestBand(const Spectrum& spectrum, double minimumShare) {
    double strongest = 0.0;
    for (const Spectrum::Band& band : spectrum.bands)
        strongest = std::max(strongest, std::abs(band.height));
    double highest = 0.0;
    for (const Spectrum::Band& band : spectrum.bands) {
        if (minimumShare <= 0.0 ||
            (strongest > 0.0 && std::abs(band.height) >= minimumShare * strongest))
            highest = std::max(highest, band.position);
    }
    return highest;
}

// The modes of geometry g, or null when it has no atoms.
const std::vector<NormalMode>* ModesOf(const CMolData* model, int g) {
    if (model == nullptr)
        return nullptr;
    if (!model->HasAtom(g, 0))
        return nullptr;
    return &model->GetFrame(g)->modes;
}

} // namespace

CSpectrumView::CSpectrumView(Document* document, QWidget* parent)
    : QWidget(parent), View(document) {
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);

    controls_ = new QWidget(this);
    kindBox = new QComboBox(controls_);
    kindBox->setObjectName(QStringLiteral("kind"));
    halfWidthBox = new QSpinBox(controls_);
    halfWidthBox->setRange(1, 200);
    halfWidthBox->setSuffix(QStringLiteral(" cm⁻¹"));
    halfWidthBox->setValue(std::clamp(Profile::Read(Settings::kSpectrumHalfWidth), 1, 200));
    scaleBox = new QDoubleSpinBox(controls_);
    scaleBox->setObjectName(QStringLiteral("scale"));
    scaleBox->setDecimals(4);
    scaleBox->setRange(0.5, 1.5);
    scaleBox->setSingleStep(0.001);
    scaleBox->setValue(std::clamp(Profile::Read(Settings::kFrequencyScale), 5000, 15000) / 1e4);
    laserBox = new QDoubleSpinBox(controls_);
    laserBox->setObjectName(QStringLiteral("laser"));
    laserBox->setDecimals(1);
    laserBox->setRange(0.0, 2000.0);
    laserBox->setSuffix(QStringLiteral(" nm"));
    laserBox->setSpecialValueText(tr("活性"));
    laserBox->setValue(std::clamp(Profile::Read(Settings::kRamanLaser), 0, 2000));
    temperatureBox = new QSpinBox(controls_);
    temperatureBox->setRange(1, 2000);
    temperatureBox->setSuffix(QStringLiteral(" K"));
    temperatureBox->setValue(std::clamp(Profile::Read(Settings::kRamanTemperature), 1, 2000));
    bandWidthBox = new QDoubleSpinBox(controls_);
    bandWidthBox->setObjectName(QStringLiteral("bandWidth"));
    bandWidthBox->setDecimals(3);
    unitBox = new QComboBox(controls_);
    unitBox->addItem(QStringLiteral("nm"));
    unitBox->addItem(QStringLiteral("eV"));
    unitBox->setCurrentIndex(Profile::Read(Settings::kElectronicAxis) == 1 ? 1 : 0);
    elementBox = new QComboBox(controls_);
    elementBox->setObjectName(QStringLiteral("element"));
    referenceBox = new QDoubleSpinBox(controls_);
    referenceBox->setObjectName(QStringLiteral("reference"));
    referenceBox->setDecimals(4);
    referenceBox->setRange(-100000.0, 100000.0);
    referenceBox->setSuffix(QStringLiteral(" ppm"));
    chosenLabel = new QLabel(this);
    chosenLabel->setObjectName(QStringLiteral("chosen"));
    chosenLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    chosenLabel->setWordWrap(true);

    const auto labelled = [this](const char* text, QWidget* field) {
        auto* label = new QLabel(tr(text), controls_);
        label->setBuddy(field);
        // The label shows and hides with its field.
        label->setObjectName(field->objectName() + QStringLiteral("Label"));
        field->setProperty("label", QVariant::fromValue(static_cast<QObject*>(label)));
        return label;
    };
    // Two rows, so that a narrow window still shows them: the kind and its
    // band width, then what the kind alone has.
    auto* rows = new QVBoxLayout(controls_);
    rows->setContentsMargins(0, 0, 0, 0);
    const std::vector<std::pair<const char*, QWidget*>> fields[] = {
        {{QT_TRANSLATE_NOOP("CSpectrumView", "種類(&K):"), kindBox},
         {QT_TRANSLATE_NOOP("CSpectrumView", "半値半幅(&W):"), halfWidthBox},
         {QT_TRANSLATE_NOOP("CSpectrumView", "半値半幅(&W):"), bandWidthBox}},
        {{QT_TRANSLATE_NOOP("CSpectrumView", "振動数の倍率(&S):"), scaleBox},
         {QT_TRANSLATE_NOOP("CSpectrumView", "レーザー(&L):"), laserBox},
         {QT_TRANSLATE_NOOP("CSpectrumView", "温度(&T):"), temperatureBox},
         {QT_TRANSLATE_NOOP("CSpectrumView", "横軸(&A):"), unitBox},
         {QT_TRANSLATE_NOOP("CSpectrumView", "元素(&E):"), elementBox},
         {QT_TRANSLATE_NOOP("CSpectrumView", "基準の遮蔽(&R):"), referenceBox}}};
    for (const auto& line : fields) {
        auto* row = new QHBoxLayout;
        for (const auto& [text, field] : line) {
            row->addWidget(labelled(text, field));
            row->addWidget(field);
        }
        row->addStretch();
        rows->addLayout(row);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(controls_);
    layout->addWidget(chosenLabel);
    layout->addStretch();

    connect(kindBox, &QComboBox::currentIndexChanged, this, [this] {
        if (refreshing_ || kindBox->currentIndex() < 0)
            return;
        kind_ = static_cast<Kind>(kindBox->currentData().toInt());
        chosenMode = -1;
        ShowControlsOfKind();
        Changed();
    });
    connect(elementBox, &QComboBox::currentIndexChanged, this, [this] {
        if (refreshing_)
            return;
        const double reference = NmrReference::Shielding(elementBox->currentData().toInt());
        const QSignalBlocker quiet(referenceBox);
        referenceBox->setValue(std::isnan(reference) ? 0.0 : reference);
        chosenMode = -1;
        zoomed_ = false;
        Changed();
    });
    connect(referenceBox, &QDoubleSpinBox::valueChanged, this, [this](double ppm) {
        if (!refreshing_ && elementBox->currentIndex() >= 0)
            NmrReference::SetShielding(elementBox->currentData().toInt(), ppm);
        zoomed_ = false;
        Changed();
    });
    connect(bandWidthBox, &QDoubleSpinBox::valueChanged, this, [this](double width) {
        if (refreshing_)
            return;
        if (Electronic())
            Profile::Write(Settings::kElectronicHalfWidth,
                           static_cast<int>(std::lround(width * 1000)));
        else
            Profile::Write(Settings::kNmrHalfWidth, static_cast<int>(std::lround(width * 1000)));
        // The range follows the bands' width.
        zoomed_ = false;
        Changed();
    });
    for (QSpinBox* box : {halfWidthBox, temperatureBox})
        connect(box, &QSpinBox::valueChanged, this, [this] { Changed(); });
    for (QDoubleSpinBox* box : {scaleBox, laserBox})
        connect(box, &QDoubleSpinBox::valueChanged, this, [this] { Changed(); });
    connect(unitBox, &QComboBox::currentIndexChanged, this, [this] {
        zoomed_ = false;
        Changed();
    });
    setToolTip(tr("ホイールで拡大・縮小、ダブルクリックで全体を表示します"));
    commands_.Add(kFilePrint, [this] { Print(false); });
    commands_.Add(kFilePrintPreview, [this] { Print(true); });
    commands_.AddEnabled(
        kSaveSpectrum, [this] { SaveCurve(); }, [this] { return !Current().bands.empty(); });
    RefreshChoices();
}

CSpectrumView::~CSpectrumView() {
    Profile::Write(Settings::kSpectrumHalfWidth, halfWidthBox->value());
    Profile::Write(Settings::kFrequencyScale,
                   static_cast<int>(std::lround(scaleBox->value() * 1e4)));
    Profile::Write(Settings::kRamanLaser, static_cast<int>(std::lround(laserBox->value())));
    Profile::Write(Settings::kRamanTemperature, temperatureBox->value());
    Profile::Write(Settings::kElectronicAxis, unitBox->currentIndex());
}

MolDocState* CSpectrumView::GetDocState() const {
    return dynamic_cast<MolDocState*>(GetDocument());
}

const CMolData* CSpectrumView::Model() const {
    const MolDocState* document = GetDocState();
    return document == nullptr ? nullptr : document->data.get();
}

int CSpectrumView::ChosenFrame() const {
    const MolDocState* document = GetDocState();
    return document == nullptr ? 0 : document->chosenFrame;
}

void CSpectrumView::OnUpdate(View*) {
    // Another file read into the document: what was chosen in the last one
    // (a mode, a state, an atom) means nothing in it.
    const MolDocState* document = GetDocState();
    const int load = document != nullptr ? document->loadCount : -1;
    if (load != shownLoad_) {
        shownLoad_ = load;
        chosenMode = -1;
    }
    RefreshChoices();
    FollowTitle();
    update();
}

bool CSpectrumView::OnCmdMsg(int id, CommandUpdate* update) {
    return commands_.Dispatch(id, update);
}

std::vector<Kind> CSpectrumView::KindsOf(const CMolData* model, int g) {
    std::vector<Kind> kinds;
    if (model == nullptr)
        return kinds;
    if (const std::vector<NormalMode>* modes = ModesOf(model, g)) {
        const auto has = [&](auto test) { return std::any_of(modes->begin(), modes->end(), test); };
        if (has([](const NormalMode& m) {
                return m.frequency > 0.0 && std::isfinite(m.frequency) &&
                       std::isfinite(m.irIntensity);
            }))
            kinds.push_back(Kind::kIr);
        if (has([](const NormalMode& m) {
                return m.frequency > 0.0 && std::isfinite(m.frequency) &&
                       std::isfinite(m.ramanActivity);
            }))
            kinds.push_back(Kind::kRaman);
    }
    const std::vector<JobResults::ExcitedState>& states = model->results.excitedStates;
    if (!states.empty())
        kinds.push_back(Kind::kUvVis);
    if (std::any_of(states.begin(), states.end(), [](const JobResults::ExcitedState& s) {
            return std::isfinite(s.rotatoryStrength) && s.rotatoryStrength != 0.0;
        }))
        kinds.push_back(Kind::kEcd);
    if (!model->results.nmr.empty())
        kinds.push_back(Kind::kNmr);
    return kinds;
}

Spectrum::Kind CSpectrumView::ShownKind() const {
    return kind_;
}

void CSpectrumView::SetKind(Spectrum::Kind kind) {
    const int index = kindBox->findData(static_cast<int>(kind));
    if (index >= 0)
        kindBox->setCurrentIndex(index);
}

void CSpectrumView::RefreshChoices() {
    refreshing_ = true;
    const CMolData* model = Model();
    const std::vector<Kind> kinds = KindsOf(model, ChosenFrame());
    static const char* const kNames[] = {
        QT_TRANSLATE_NOOP("CSpectrumView", "IR"), QT_TRANSLATE_NOOP("CSpectrumView", "ラマン"),
        QT_TRANSLATE_NOOP("CSpectrumView", "UV-Vis"), QT_TRANSLATE_NOOP("CSpectrumView", "ECD"),
        QT_TRANSLATE_NOOP("CSpectrumView", "NMR")};
    std::vector<int> listed;
    for (int k = 0; k < kindBox->count(); ++k)
        listed.push_back(kindBox->itemData(k).toInt());
    std::vector<int> wanted;
    for (const Kind kind : kinds)
        wanted.push_back(static_cast<int>(kind));
    if (listed != wanted) {
        kindBox->clear();
        for (const Kind kind : kinds)
            kindBox->addItem(tr(kNames[static_cast<int>(kind)]), static_cast<int>(kind));
    }
    // The kind shown stays while the document has it.
    if (!kinds.empty() && std::find(kinds.begin(), kinds.end(), kind_) == kinds.end())
        kind_ = kinds.front();
    kindBox->setCurrentIndex(kindBox->findData(static_cast<int>(kind_)));
    // The elements that have shieldings, the reference of the one chosen.
    std::vector<int> elements;
    if (model != nullptr && !model->results.nmr.empty()) {
        for (const int element : model->ResultElements()) {
            if (std::find(elements.begin(), elements.end(), element) == elements.end())
                elements.push_back(element);
        }
        std::sort(elements.begin(), elements.end());
    }
    std::vector<int> listedElements;
    for (int k = 0; k < elementBox->count(); ++k)
        listedElements.push_back(elementBox->itemData(k).toInt());
    if (listedElements != elements) {
        const int chosen = elementBox->currentData().toInt();
        elementBox->clear();
        for (const int element : elements)
            elementBox->addItem(QString::fromStdString(ElementTable::ChemistsSymbol(element)),
                                element);
        // What was chosen while it is there, else hydrogen, else the first.
        int index = elementBox->findData(chosen != 0 ? chosen : 1);
        elementBox->setCurrentIndex(index >= 0 ? index : 0);
        const double reference = NmrReference::Shielding(elementBox->currentData().toInt());
        referenceBox->setValue(std::isnan(reference) ? 0.0 : reference);
    }
    refreshing_ = false;
    ShowControlsOfKind();
}

void CSpectrumView::ShowControlsOfKind() {
    const bool vibrational = Vibrational();
    const bool raman = kind_ == Kind::kRaman;
    const bool electronic = Electronic();
    const bool nmr = kind_ == Kind::kNmr;
    const auto show = [](QWidget* field, bool shown) {
        field->setVisible(shown);
        if (auto* label = qobject_cast<QWidget*>(field->property("label").value<QObject*>()))
            label->setVisible(shown);
    };
    show(halfWidthBox, vibrational);
    show(scaleBox, vibrational);
    show(laserBox, raman);
    show(temperatureBox, raman && laserBox->value() > 0.0);
    show(bandWidthBox, electronic || nmr);
    show(unitBox, electronic);
    show(elementBox, nmr);
    show(referenceBox, nmr);
    const bool wasRefreshing = refreshing_;
    refreshing_ = true;
    if (electronic) {
        bandWidthBox->setRange(0.01, 2.0);
        bandWidthBox->setSingleStep(0.01);
        bandWidthBox->setSuffix(QStringLiteral(" eV"));
        bandWidthBox->setValue(std::clamp(Profile::Read(Settings::kElectronicHalfWidth), 10, 2000) /
                               1000.0);
    } else if (nmr) {
        bandWidthBox->setRange(0.001, 10.0);
        bandWidthBox->setSingleStep(0.005);
        bandWidthBox->setSuffix(QStringLiteral(" ppm"));
        bandWidthBox->setValue(std::clamp(Profile::Read(Settings::kNmrHalfWidth), 1, 10000) /
                               1000.0);
    }
    refreshing_ = wasRefreshing;
    chosenLabel->setText(ChosenText());
}

void CSpectrumView::Changed() {
    ShowControlsOfKind();
    FollowTitle();
    update();
}

void CSpectrumView::FollowTitle() {
    if (kind_ != titledKind_ && GetDocument() != nullptr) {
        titledKind_ = kind_;
        GetDocument()->UpdateFrameTitles();
    }
}

QString CSpectrumView::KindName() const {
    static const char* const kNames[] = {QT_TRANSLATE_NOOP("CSpectrumView", "IR スペクトル"),
                                         QT_TRANSLATE_NOOP("CSpectrumView", "ラマンスペクトル"),
                                         QT_TRANSLATE_NOOP("CSpectrumView", "UV-Vis スペクトル"),
                                         QT_TRANSLATE_NOOP("CSpectrumView", "ECD スペクトル"),
                                         QT_TRANSLATE_NOOP("CSpectrumView", "NMR スペクトル")};
    return tr(kNames[static_cast<int>(titledKind_)]);
}

bool CSpectrumView::Vibrational() const {
    return kind_ == Kind::kIr || kind_ == Kind::kRaman;
}

bool CSpectrumView::Electronic() const {
    return kind_ == Kind::kUvVis || kind_ == Kind::kEcd;
}

bool CSpectrumView::InNanometres() const {
    return Electronic() && unitBox->currentIndex() == 0;
}

bool CSpectrumView::Descending() const {
    return !Electronic();
}

Spectrum CSpectrumView::Current() const {
    const CMolData* model = Model();
    if (model == nullptr)
        return Spectrum();
    const double scale = scaleBox->value();
    switch (kind_) {
    case Kind::kIr:
    case Kind::kRaman: {
        const std::vector<NormalMode>* modes = ModesOf(model, ChosenFrame());
        if (modes == nullptr)
            return Spectrum();
        Spectrum spectrum = kind_ == Kind::kIr
                                ? IrSpectrum(*modes, scale, HalfWidth())
                                : RamanSpectrum(*modes, scale, HalfWidth(), laserBox->value(),
                                                temperatureBox->value());
        // Marks alone make no spectrum.
        if (!std::any_of(spectrum.bands.begin(), spectrum.bands.end(),
                         [](const Spectrum::Band& band) { return !band.imaginary; }))
            spectrum.bands.clear();
        return spectrum;
    }
    case Kind::kUvVis:
        return UvVisSpectrum(model->results.excitedStates, bandWidthBox->value());
    case Kind::kEcd:
        return EcdSpectrum(model->results.excitedStates, bandWidthBox->value());
    case Kind::kNmr: {
        const int element = elementBox->currentData().toInt();
        // Shifts need the element's reference.
        if (elementBox->currentIndex() < 0 || std::isnan(NmrReference::Shielding(element)))
            return Spectrum();
        return NmrSpectrum(model->results.nmr, model->ResultElements(), element,
                           referenceBox->value(), bandWidthBox->value());
    }
    }
    return Spectrum();
}

double CSpectrumView::HalfWidth() const {
    return halfWidthBox->value();
}

double CSpectrumView::AxisOf(double position) const {
    return InNanometres() ? Constants::kEvNanometres / position : position;
}

void CSpectrumView::WholeRange(double& left, double& right, bool everyBand) const {
    const Spectrum spectrum = Current();
    if (Vibrational() || spectrum.bands.empty()) {
        left = EdgeFor(HighestBand(spectrum, everyBand ? 0.0 : kCarriesIntensity));
        right = 0.0;
        return;
    }
    double low = std::numeric_limits<double>::max(), high = -low;
    for (const Spectrum::Band& band : spectrum.bands) {
        low = std::min(low, band.position);
        high = std::max(high, band.position);
    }
    if (kind_ == Kind::kNmr) {
        left = std::ceil(high + 1.0);
        right = std::floor(low - 1.0);
        return;
    }
    // The bands and four half-widths on either side, from whole steps.
    const double margin = 4.0 * spectrum.halfWidth;
    const double lowEnergy = std::max(low - margin, low * 0.5);
    const double highEnergy = high + margin;
    if (InNanometres()) {
        left = std::floor(Constants::kEvNanometres / highEnergy / 50.0) * 50.0;
        right = std::ceil(Constants::kEvNanometres / lowEnergy / 50.0) * 50.0;
    } else {
        left = std::floor(lowEnergy * 2.0) / 2.0;
        right = std::ceil(highEnergy * 2.0) / 2.0;
    }
}

double CSpectrumView::LeftEdge() const {
    double left = 0.0, right = 0.0;
    WholeRange(left, right, false);
    return left;
}

double CSpectrumView::RightEdge() const {
    double left = 0.0, right = 0.0;
    WholeRange(left, right, false);
    return right;
}

double CSpectrumView::FullLeftEdge() const {
    double left = 0.0, right = 0.0;
    WholeRange(left, right, true);
    return left;
}

double CSpectrumView::NarrowestSpan() const {
    switch (kind_) {
    case Kind::kIr:
    case Kind::kRaman:
        return 20.0;
    case Kind::kNmr:
        return 0.1;
    default:
        return InNanometres() ? 5.0 : 0.05;
    }
}

bool CSpectrumView::Zoomed() const {
    // Zoomed into the spectrum it was zoomed into: another geometry's,
    // file's or kind's is shown whole.
    const CMolData* model = Model();
    const void* shown = model == nullptr ? nullptr
                        : Vibrational()  ? static_cast<const void*>(ModesOf(model, ChosenFrame()))
                                         : static_cast<const void*>(&model->results);
    return zoomed_ && shown == zoomedData_ && static_cast<int>(kind_) == zoomedKind_;
}

double CSpectrumView::ShownLeft() const {
    return Zoomed() ? shownLeft_ : LeftEdge();
}

double CSpectrumView::ShownRight() const {
    return Zoomed() ? shownRight_ : RightEdge();
}

void CSpectrumView::Zoom(double x, double factor) {
    const double fullLeft = FullLeftEdge(), fullRight = RightEdge();
    const double low = std::min(fullLeft, fullRight), high = std::max(fullLeft, fullRight);
    const double left = ShownLeft(), right = ShownRight();
    const double span = std::clamp(std::abs(left - right) * factor,
                                   std::min(NarrowestSpan(), high - low), high - low);
    // x stays where it is on the axis, the range within the whole one.
    const double share = left != right ? (left - x) / (left - right) : 0.5;
    const double toRight = Descending() ? -1.0 : 1.0; // how the axis runs
    double newLeft = x - toRight * share * span;
    double newRight = newLeft + toRight * span;
    const double shift = std::max(0.0, low - std::min(newLeft, newRight)) -
                         std::max(0.0, std::max(newLeft, newRight) - high);
    shownLeft_ = newLeft + shift;
    shownRight_ = newRight + shift;
    zoomed_ = true;
    const CMolData* model = Model();
    zoomedData_ = model == nullptr ? nullptr
                  : Vibrational()  ? static_cast<const void*>(ModesOf(model, ChosenFrame()))
                                   : static_cast<const void*>(&model->results);
    zoomedKind_ = static_cast<int>(kind_);
    update();
}

void CSpectrumView::ResetZoom() {
    zoomed_ = false;
    update();
}

std::vector<double> CSpectrumView::Ticks(const QRect& plot, const QFontMetrics& metrics) const {
    const double left = ShownLeft(), right = ShownRight();
    const double low = std::min(left, right), high = std::max(left, right);
    // Round steps that leave room for their labels: the labels' width
    // depends on the step's decimals, so the step is found twice.
    AxisTicks ticks;
    for (int round = 0; round < 2; ++round) {
        const double room =
            std::max(metrics.horizontalAdvance(QString::number(high, 'f', ticks.decimals)),
                     metrics.horizontalAdvance(QString::number(low, 'f', ticks.decimals))) +
            12.0;
        ticks = AxisTicks::Between(low, high, std::max(2, static_cast<int>(plot.width() / room)));
    }
    return ticks.values;
}

double CSpectrumView::Curve(double x) const {
    const Spectrum spectrum = Current();
    return spectrum.Curve(AxisOf(x));
}

QRect CSpectrumView::PlotArea(const QRect& whole) const {
    return PlotArea(whole, IntensityScale());
}

QRect CSpectrumView::PlotArea(const QRect& whole, const Intensities& scale) const {
    // Room for the controls above (in the window) and the axis texts
    // around; on the left for the widest intensity label and the axis's
    // title beside it.
    const int controls = whole == rect() ? chosenLabel->geometry().bottom() + 12 : 0;
    const int top = std::max({40, whole.height() / 12, controls});
    const int bottom = std::max(40, whole.height() / 10);
    const QFontMetrics metrics(AxisFontFor(whole.height() - top - bottom));
    int widest = 0;
    for (const double y : scale.ticks)
        widest = std::max(widest, metrics.horizontalAdvance(IntensityLabel(y, scale.step)));
    const int left = std::max({60, whole.width() / 10, widest + 2 * metrics.height() + 20});
    // The label of a tick at the right edge stands half beyond it.
    const int edgeLabel =
        std::max(metrics.horizontalAdvance(QString::number(ShownLeft(), 'f', 2)),
                 metrics.horizontalAdvance(QString::number(ShownRight(), 'f', 2)));
    return whole.adjusted(left, top, -std::max({20, whole.width() / 30, edgeLabel / 2 + 4}),
                          -bottom);
}

CSpectrumView::Intensities CSpectrumView::IntensityScale() const {
    // The tallest stick or curve peak fills nine tenths of the height above
    // 0, the deepest (ECD) as much below.
    Intensities scale;
    const Spectrum spectrum = Current();
    for (const Spectrum::Band& band : spectrum.bands) {
        const double peak = spectrum.Curve(band.position);
        scale.highest = std::max({scale.highest, band.height, peak});
        scale.lowest = std::min({scale.lowest, band.height, peak});
    }
    if (!std::isfinite(scale.highest) || !std::isfinite(scale.lowest))
        scale.highest = scale.lowest = 0.0;
    if (!(scale.highest - scale.lowest > 1e-6))
        scale.highest = 1.0;
    const double top = scale.highest / 0.9, bottom = scale.lowest / 0.9;
    // Round steps, at most six of them.
    const AxisTicks ticks = AxisTicks::Between(bottom, top, 6);
    scale.step = ticks.step;
    scale.ticks = ticks.values;
    return scale;
}

QString CSpectrumView::IntensityLabel(double y, double step) {
    // As many decimals as the step has, never an exponent.
    return QString::number(y, 'f', AxisTicks::DecimalsOf(step));
}

double CSpectrumView::XOf(double v, const QRect& plot) const {
    return XOf(v, plot, ShownLeft(), ShownRight());
}

double CSpectrumView::XOf(double v, const QRect& plot, double left, double right) {
    return plot.left() + (left - v) / (left - right) * plot.width();
}

QFont CSpectrumView::AxisFont(const QRect& plot) const {
    return AxisFontFor(plot.height());
}

QFont CSpectrumView::AxisFontFor(int plotHeight) const {
    QFont axis = font();
    axis.setPixelSize(std::max(10, plotHeight / 28));
    return axis;
}

int CSpectrumView::ItemAt(int x) const {
    const Spectrum spectrum = Current();
    const QRect plot = PlotArea(rect());
    const double left = ShownLeft(), right = ShownRight();
    int best = -1;
    double nearest = kPickPixels + 0.5;
    for (const Spectrum::Band& band : spectrum.bands) {
        const double v = AxisOf(band.position);
        if (v > std::max(left, right) || v < std::min(left, right))
            continue;
        const double distance = std::abs(XOf(v, plot, left, right) - x);
        if (distance < nearest) {
            nearest = distance;
            best = band.item;
        }
    }
    return best;
}

QString CSpectrumView::AxisTitle() const {
    switch (kind_) {
    case Kind::kIr:
    case Kind::kRaman:
        return scaleBox->value() == 1.0
                   ? tr("波数 (cm⁻¹)")
                   : tr("波数 (cm⁻¹、倍率 %1)").arg(scaleBox->value(), 0, 'f', 4);
    case Kind::kNmr:
        return tr("化学シフト δ (ppm)");
    default:
        return InNanometres() ? tr("波長 (nm)") : tr("励起エネルギー (eV)");
    }
}

QString CSpectrumView::IntensityTitle() const {
    switch (kind_) {
    case Kind::kIr:
        return tr("IR 強度 (km/mol)");
    case Kind::kRaman:
        return laserBox->value() > 0.0 ? tr("ラマン強度 (最大を 100)") : tr("ラマン活性 (Å⁴/amu)");
    case Kind::kUvVis:
        return tr("ε (L mol⁻¹ cm⁻¹)");
    case Kind::kEcd:
        return tr("Δε (L mol⁻¹ cm⁻¹)");
    case Kind::kNmr:
        return tr("原子数");
    }
    return QString();
}

QString CSpectrumView::ChosenText() const {
    const CMolData* model = Model();
    if (model == nullptr || chosenMode < 0)
        return QString();
    const auto k = static_cast<std::size_t>(chosenMode);
    if (Vibrational()) {
        const std::vector<NormalMode>* modes = ModesOf(model, ChosenFrame());
        if (modes == nullptr || k >= modes->size())
            return QString();
        const NormalMode& mode = (*modes)[k];
        const QString frequency = mode.frequency < 0.0
                                      ? tr("%1i cm⁻¹ (虚数)").arg(-mode.frequency, 0, 'f', 2)
                                      : tr("%1 cm⁻¹").arg(mode.frequency, 0, 'f', 2);
        return tr("振動 %1 (%2): %3")
            .arg(mode.number)
            .arg(QString::fromStdString(mode.symmetry), frequency);
    }
    if (Electronic()) {
        const std::vector<JobResults::ExcitedState>& states = model->results.excitedStates;
        if (k >= states.size())
            return QString();
        const JobResults::ExcitedState& s = states[k];
        QString text = tr("励起状態 %1 (%2): %3 eV, %4 nm, f = %5")
                           .arg(s.number)
                           .arg(QString::fromStdString(s.symmetry))
                           .arg(s.energyEv, 0, 'f', 4)
                           .arg(s.wavelengthNm, 0, 'f', 2)
                           .arg(s.oscillatorStrength, 0, 'f', 4);
        if (std::isfinite(s.rotatoryStrength))
            text += QStringLiteral(", R = %1").arg(s.rotatoryStrength, 0, 'f', 4);
        // The three largest contributions.
        std::vector<JobResults::Transition> main = s.transitions;
        std::sort(main.begin(), main.end(), [](const auto& a, const auto& b) {
            return std::abs(a.coefficient) > std::abs(b.coefficient);
        });
        main.resize(std::min<std::size_t>(main.size(), 3));
        for (const JobResults::Transition& t : main)
            text += QStringLiteral("; ") + TransitionText(t);
        return text;
    }
    const std::vector<int> elements = model->ResultElements();
    if (k >= model->results.nmr.size() || k >= elements.size())
        return QString();
    const double shielding = model->results.nmr[k].isotropic;
    return tr("原子 %1 (%2): δ = %3 ppm, σ = %4 ppm")
        .arg(chosenMode + 1)
        .arg(QString::fromStdString(ElementTable::ChemistsSymbol(elements[k])))
        .arg(referenceBox->value() - shielding, 0, 'f', 2)
        .arg(shielding, 0, 'f', 4);
}

void CSpectrumView::Paint(QPainter& painter, const QRect& rect) const {
    const Intensities scale = IntensityScale();
    const QRect plot = PlotArea(rect, scale);
    const Spectrum spectrum = Current();
    const double left = ShownLeft(), right = ShownRight();
    painter.setRenderHint(QPainter::Antialiasing);
    const QFont font = AxisFont(plot);
    painter.setFont(font);
    painter.setPen(QPen(Qt::black, 0));
    painter.drawRect(plot);
    if (spectrum.bands.empty()) {
        painter.drawText(plot, Qt::AlignCenter,
                         kind_ == Kind::kIr ? tr("IR 強度のある振動がありません")
                         : kind_ == Kind::kNmr ? tr("この元素の基準の遮蔽を設定してください")
                                               : tr("このスペクトルのデータがありません"));
        return;
    }
    const double top = scale.highest / 0.9, bottom = scale.lowest / 0.9;
    const auto yOf = [&](double intensity) {
        return plot.bottom() - (intensity - bottom) / (top - bottom) * plot.height();
    };
    // Axes: ticks at round steps that leave room for their labels,
    // intensity ticks at round values.
    const QFontMetrics metrics(font);
    const std::vector<double> ticks = Ticks(plot, metrics);
    const int decimals = ticks.size() > 1 ? AxisTicks::DecimalsOf(ticks[1] - ticks[0]) : 0;
    for (const double v : ticks) {
        const double x = XOf(v, plot, left, right);
        painter.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + 5));
        const QString text = QString::number(v, 'f', decimals);
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
                     Qt::AlignHCenter, AxisTitle());
    painter.save();
    painter.translate(rect.left() + metrics.height() * 1.2, plot.center().y());
    painter.rotate(-90);
    painter.drawText(
        QRect(-plot.height() / 2, -metrics.height(), plot.height(), metrics.height() + 4),
        Qt::AlignHCenter, IntensityTitle());
    painter.restore();
    painter.setClipRect(plot);
    const int thin = std::max(1, plot.width() / 600);
    if (bottom < 0.0) {
        painter.setPen(QPen(Qt::gray, 0));
        painter.drawLine(QPointF(plot.left(), yOf(0.0)), QPointF(plot.right(), yOf(0.0)));
    }
    // The broadened curve, one point a pixel.
    QPainterPath curve;
    for (int px = plot.left(); px <= plot.right(); ++px) {
        const double v = left - (px - plot.left()) * (left - right) / plot.width();
        const QPointF point(px, yOf(spectrum.Curve(AxisOf(v))));
        if (px == plot.left())
            curve.moveTo(point);
        else
            curve.lineTo(point);
    }
    painter.setPen(QPen(QColor(200, 0, 0), thin));
    painter.drawPath(curve);
    // The sticks, the chosen one thicker and blue; imaginary modes as red
    // dashed lines.
    for (const Spectrum::Band& band : spectrum.bands) {
        // On a pixel's middle: a stick one pixel wide stays sharp.
        const double x = std::round(XOf(AxisOf(band.position), plot, left, right)) + 0.5;
        if (band.imaginary) {
            // A dashed red line over the whole height, named by its
            // wavenumber with an i.
            painter.setPen(QPen(QColor(220, 0, 0), thin, Qt::DashLine));
            painter.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.top()));
            const QString name = QStringLiteral("%1i").arg(band.position, 0, 'f', 0);
            const double width = metrics.horizontalAdvance(name);
            painter.drawText(QPointF(std::min(x + 3, plot.right() - width - 2),
                                     plot.top() + metrics.ascent() + 2),
                             name);
            continue;
        }
        const bool chosen = band.item == chosenMode;
        painter.setPen(QPen(chosen ? QColor(0, 0, 255) : Qt::black, thin * (chosen ? 3 : 1)));
        painter.drawLine(QPointF(x, yOf(0.0)), QPointF(x, yOf(band.height)));
    }
}

void CSpectrumView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    Paint(painter, rect());
}

void CSpectrumView::wheelEvent(QWheelEvent* event) {
    const QRect plot = PlotArea(rect());
    const double x = std::clamp(event->position().x(), double(plot.left()), double(plot.right()));
    const double v = ShownLeft() - (x - plot.left()) * (ShownLeft() - ShownRight()) / plot.width();
    // One notch of a wheel (120) zooms by a fifth.
    Zoom(v, std::pow(0.8, event->angleDelta().y() / 120.0));
    event->accept();
}

void CSpectrumView::mouseDoubleClickEvent(QMouseEvent*) {
    ResetZoom();
}

void CSpectrumView::mousePressEvent(QMouseEvent* event) {
    const int item = ItemAt(event->position().toPoint().x());
    if (item < 0)
        return;
    chosenMode = item;
    chosenLabel->setText(ChosenText());
    // Every molecule window of the document shows the mode.
    if (Vibrational())
        emit modeChosen(item);
    update();
}

bool CSpectrumView::WriteCurve(const QString& path) const {
    const Spectrum spectrum = Current();
    char line[160];
    std::string text;
    const auto add = [&](double v, int decimals) {
        std::snprintf(line, sizeof line, "%.*f %.6f\n", decimals, v, spectrum.Curve(AxisOf(v)));
        text += line;
    };
    switch (kind_) {
    case Kind::kIr:
    case Kind::kRaman: {
        std::snprintf(line, sizeof line,
                      "# wavenumber/cm-1 (frequencies times %.4f)  %s, Lorentzian half-width %d "
                      "cm-1\n",
                      scaleBox->value(),
                      kind_ == Kind::kIr        ? "IR intensity/(km/mol)"
                      : laserBox->value() > 0.0 ? "Raman intensity (strongest 100)"
                                                : "Raman activity/(A^4/amu)",
                      static_cast<int>(HalfWidth()));
        text = line;
        for (int nu = static_cast<int>(FullLeftEdge()); nu >= 0; --nu)
            add(nu, 0);
        break;
    }
    case Kind::kUvVis:
    case Kind::kEcd: {
        std::snprintf(line, sizeof line, "# %s  %s/(L mol-1 cm-1), Gaussian half-width %.3f eV\n",
                      InNanometres() ? "wavelength/nm" : "energy/eV",
                      kind_ == Kind::kUvVis ? "epsilon" : "delta-epsilon", spectrum.halfWidth);
        text = line;
        const double low = std::min(LeftEdge(), RightEdge());
        const double high = std::max(LeftEdge(), RightEdge());
        const double step = InNanometres() ? 1.0 : 0.01;
        for (int k = 0; low + k * step <= high + 1e-9; ++k)
            add(low + k * step, InNanometres() ? 0 : 2);
        break;
    }
    case Kind::kNmr: {
        std::snprintf(line, sizeof line,
                      "# shift/ppm (%s, reference shielding %.4f ppm)  atoms, Lorentzian "
                      "half-width %.3f ppm\n",
                      ElementTable::Symbol(elementBox->currentData().toInt()),
                      referenceBox->value(), spectrum.halfWidth);
        text = line;
        const double left = LeftEdge(), right = RightEdge();
        for (int k = 0; left - k * 0.01 >= right - 1e-9; ++k)
            add(left - k * 0.01, 2);
        break;
    }
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
