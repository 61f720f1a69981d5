#include "view/CResultsPanel.h"

#include "model/CMolData.h"
#include "model/ElementTable.h"
#include "render/MolDocState.h"
#include "view/CMolView.h"
#include "view/COptChartView.h"
#include "view/COrbitalPanel.h"
#include "view/NmrReference.h"
#include "view/TransitionText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

const JobResults* ResultsOf(const CMolView* view) {
    if (view == nullptr || view->GetDocState() == nullptr || view->GetDocState()->data == nullptr)
        return nullptr;
    return &view->GetDocState()->data->results;
}

// The name a charge scheme is shown by.
QString SchemeName(const std::string& scheme) {
    static const std::pair<const char*, const char*> kNames[] = {
        {"mulliken", "Mulliken"},   {"apt", "APT"}, {"natural", "NBO"},
        {"hirshfeld", "Hirshfeld"}, {"cm5", "CM5"}, {"esp", "ESP"}};
    for (const auto& [key, name] : kNames) {
        if (scheme == key)
            return QString::fromLatin1(name);
    }
    return QString::fromStdString(scheme);
}

QTableWidget* NewTable(QWidget* parent, const QStringList& headers) {
    auto* table = new QTableWidget(0, static_cast<int>(headers.size()), parent);
    table->setHorizontalHeaderLabels(headers);
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    // The table fits its panel: the first column (the names) takes the room
    // the numbers leave and wraps its text, so no scroll bar runs across.
    QHeaderView* header = table->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    header->setStretchLastSection(false);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setWordWrap(true);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->verticalHeader()->setMinimumSectionSize(table->fontMetrics().height() + 6);
    return table;
}

void SetRow(QTableWidget* table, int row, const QStringList& cells) {
    for (int c = 0; c < cells.size(); ++c) {
        auto* item = new QTableWidgetItem(cells[c]);
        if (c > 0)
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        table->setItem(row, c, item);
    }
}

QString Number(double value, int decimals) {
    return std::isfinite(value) ? QString::number(value, 'f', decimals) : QStringLiteral("—");
}

// The names of the thermochemistry items, in their order.
const char* const kThermochemistryRows[JobResults::Thermochemistry::kItems] = {
    QT_TRANSLATE_NOOP("CResultsPanel", "温度 (K)"),
    QT_TRANSLATE_NOOP("CResultsPanel", "圧力 (atm)"),
    QT_TRANSLATE_NOOP("CResultsPanel", "零点補正"),
    QT_TRANSLATE_NOOP("CResultsPanel", "エネルギーの熱補正"),
    QT_TRANSLATE_NOOP("CResultsPanel", "エンタルピーの熱補正"),
    QT_TRANSLATE_NOOP("CResultsPanel", "ギブズ自由エネルギーの熱補正"),
    QT_TRANSLATE_NOOP("CResultsPanel", "電子エネルギー + 零点エネルギー"),
    QT_TRANSLATE_NOOP("CResultsPanel", "電子エネルギー + 熱エネルギー"),
    QT_TRANSLATE_NOOP("CResultsPanel", "電子エネルギー + エンタルピー"),
    QT_TRANSLATE_NOOP("CResultsPanel", "電子エネルギー + 自由エネルギー")};

} // namespace

CResultsPanel::CResultsPanel(QWidget* parent) : QDockWidget(tr("計算結果"), parent) {
    setObjectName(QStringLiteral("resultsPanel"));
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    problems_ = new QLabel(body);
    problems_->setObjectName(QStringLiteral("problems"));
    problems_->setWordWrap(true);
    problems_->setStyleSheet(QStringLiteral("color: #a00000"));
    layout->addWidget(problems_);
    tabs_ = new QTabWidget(body);
    layout->addWidget(tabs_);

    // Charges and spins.
    auto* charges = new QWidget(tabs_);
    auto* chargeLayout = new QVBoxLayout(charges);
    valuesBox = new QComboBox(charges);
    valuesBox->setObjectName(QStringLiteral("values"));
    chargeLayout->addWidget(valuesBox);
    auto* checks = new QHBoxLayout;
    colourBox = new QCheckBox(tr("値で色分け(&C)"), charges);
    colourBox->setObjectName(QStringLiteral("colourByValue"));
    labelBox = new QCheckBox(tr("値を表示(&L)"), charges);
    labelBox->setObjectName(QStringLiteral("labelValues"));
    checks->addWidget(colourBox);
    checks->addWidget(labelBox);
    checks->addStretch();
    chargeLayout->addLayout(checks);
    auto* bar = new QHBoxLayout;
    colourBar = new QLabel(charges);
    colourBar->setPixmap(COrbitalPanel::RampBar(120, 12));
    rangeLabel = new QLabel(charges);
    rangeLabel->setObjectName(QStringLiteral("range"));
    bar->addWidget(colourBar);
    bar->addWidget(rangeLabel, 1);
    chargeLayout->addLayout(bar);
    valuesTable = NewTable(charges, {tr("原子"), tr("元素"), tr("値")});
    chargeLayout->addWidget(valuesTable);
    tabs_->addTab(charges, tr("電荷・スピン"));

    thermochemistryTable =
        NewTable(tabs_, {tr("項目"), QStringLiteral("hartree"), QStringLiteral("kcal/mol")});
    tabs_->addTab(thermochemistryTable, tr("熱化学"));
    nmrTable = NewTable(tabs_, {tr("原子"), tr("元素"), tr("遮蔽 σ (ppm)"), tr("異方性 (ppm)"),
                                tr("シフト δ (ppm)")});
    nmrTable->setToolTip(tr("シフトは NMR スペクトルの窓で設定した基準の遮蔽から求めます"));
    tabs_->addTab(nmrTable, QStringLiteral("NMR"));
    statesTable =
        NewTable(tabs_, {tr("状態"), tr("対称"), QStringLiteral("eV"), QStringLiteral("nm"),
                         QStringLiteral("f"), QStringLiteral("R"), tr("主な遷移")});
    tabs_->addTab(statesTable, tr("励起状態"));
    // Every tab's name whole, in either language.
    tabs_->setMinimumWidth(tabs_->tabBar()->sizeHint().width() + 8);
    setWidget(body);

    connect(valuesBox, &QComboBox::currentIndexChanged, this, [this] { Apply(); });
    connect(colourBox, &QCheckBox::toggled, this, [this] { Apply(); });
    connect(labelBox, &QCheckBox::toggled, this, [this] { Apply(); });
}

bool CResultsPanel::HasContent(const CMolView* view) {
    const JobResults* results = ResultsOf(view);
    return results != nullptr && (!results->Empty() || !results->problems.empty());
}

void CResultsPanel::SetView(CMolView* view) {
    const JobResults* results = ResultsOf(view);
    const int load = results != nullptr ? view->GetDocState()->loadCount : -1;
    const int revision = results != nullptr ? results->revision : -1;
    if (view == view_ && results == shownResults_ && load == shownLoad_ &&
        revision == shownRevision_) {
        // The references may have been changed in a spectrum window.
        if (results != nullptr && !results->nmr.empty() && References() != shownReferences_) {
            FillNmr();
            if (valuesBox->currentData().toString() == QStringLiteral("nmr"))
                Apply();
        }
        return;
    }
    view_ = view;
    shownResults_ = results;
    shownLoad_ = load;
    shownRevision_ = revision;
    Refill();
}

QString CResultsPanel::References() const {
    const JobResults* results = ResultsOf(view_);
    QString references;
    if (results == nullptr || results->nmr.empty())
        return references;
    for (const int element : nmrElements_)
        references += QString::number(NmrReference::Shielding(element), 'g', 10) + QLatin1Char(' ');
    return references;
}

QString CResultsPanel::ProblemText(const JobResults::Problem& problem) {
    using Kind = JobResults::Problem::Kind;
    switch (problem.kind) {
    case Kind::kStatesCut:
        return tr("励起状態は状態 %1 の後で出力が終わっています "
                  "(最後の遷移が欠けているかもしれません)")
            .arg(problem.count);
    case Kind::kStateLinesUnread:
        return tr("励起状態の行 %1 行を読めませんでした").arg(problem.count);
    case Kind::kThermochemistryLacks:
        return tr("熱化学に「%1」がありません")
            .arg(problem.count >= 0 && problem.count < JobResults::Thermochemistry::kItems
                     ? tr(kThermochemistryRows[problem.count])
                     : QString());
    case Kind::kTableCut: {
        // The tables by the names the reader gives them.
        static const std::pair<const char*, const char*> kTables[] = {
            {"charge", QT_TRANSLATE_NOOP("CResultsPanel", "電荷")},
            {"Hirshfeld charge", QT_TRANSLATE_NOOP("CResultsPanel", "Hirshfeld 電荷")},
            {"natural population", QT_TRANSLATE_NOOP("CResultsPanel", "自然電荷")},
            {"shielding", QT_TRANSLATE_NOOP("CResultsPanel", "遮蔽定数")},
            {"rotatory strength", QT_TRANSLATE_NOOP("CResultsPanel", "回転強度")}};
        QString table = QString::fromStdString(problem.what);
        for (const auto& [name, shown] : kTables) {
            if (problem.what == name)
                table = tr(shown);
        }
        return tr("%1 の表の途中で出力が終わっています").arg(table);
    }
    case Kind::kChargesLength:
        return tr("%1 電荷は %2 個で、原子 %3 個と合わないため使いません")
            .arg(SchemeName(problem.what))
            .arg(problem.count)
            .arg(problem.atoms);
    case Kind::kSpinsLength:
        return tr("%1 スピン密度は %2 個で、原子 %3 個と合わないため使いません")
            .arg(SchemeName(problem.what))
            .arg(problem.count)
            .arg(problem.atoms);
    case Kind::kShieldingsLength:
        return tr("遮蔽定数は %1 個で、原子 %2 個と合わないため使いません")
            .arg(problem.count)
            .arg(problem.atoms);
    }
    return QString();
}

void CResultsPanel::Refill() {
    filling_ = true;
    const JobResults* results = ResultsOf(view_);
    // The elements whose references the shifts take, once for the results
    // (looked at again on every refresh).
    nmrElements_.clear();
    if (results != nullptr && !results->nmr.empty()) {
        nmrElements_ = view_->GetDocState()->data->ResultElements();
        std::sort(nmrElements_.begin(), nmrElements_.end());
        nmrElements_.erase(std::unique(nmrElements_.begin(), nmrElements_.end()),
                           nmrElements_.end());
    }
    static const JobResults kNone;
    const JobResults& shown = results != nullptr ? *results : kNone;
    QStringList said;
    for (const JobResults::Problem& problem : shown.problems)
        said << ProblemText(problem);
    problems_->setText(
        said.isEmpty() ? QString()
                       : tr("出力の一部が欠けています: %1").arg(said.join(QStringLiteral("; "))));
    problems_->setVisible(!said.isEmpty());
    FillValues(shown);
    FillThermochemistry(shown);
    FillNmr();
    FillStates(shown);
    // Only the tabs that have something to show can be chosen.
    const bool has[] = {valuesBox->count() > 0, shown.thermochemistry.Any(), !shown.nmr.empty(),
                        !shown.excitedStates.empty()};
    for (int k = 0; k < 4; ++k)
        tabs_->setTabEnabled(k, has[k]);
    if (!tabs_->isTabEnabled(tabs_->currentIndex())) {
        for (int k = 0; k < 4; ++k) {
            if (has[k]) {
                tabs_->setCurrentIndex(k);
                break;
            }
        }
    }
    // The values the view already shows stay chosen.
    filling_ = false;
}

void CResultsPanel::FillValues(const JobResults& results) {
    const QString before = valuesBox->currentData().toString();
    valuesBox->clear();
    for (const auto& entry : results.charges)
        valuesBox->addItem(tr("%1 電荷").arg(SchemeName(entry.first)),
                           QStringLiteral("c:") + QString::fromStdString(entry.first));
    for (const auto& entry : results.spins)
        valuesBox->addItem(tr("%1 スピン密度").arg(SchemeName(entry.first)),
                           QStringLiteral("s:") + QString::fromStdString(entry.first));
    if (!results.nmr.empty())
        valuesBox->addItem(tr("NMR 化学シフト (ppm)"), QStringLiteral("nmr"));
    // What was shown stays; else Mulliken's, the scheme every job prints.
    int index = valuesBox->findData(before);
    if (index < 0)
        index = std::max(0, valuesBox->findData(QStringLiteral("c:mulliken")));
    valuesBox->setCurrentIndex(index);
    // A view keeps the colouring and labels it was given.
    const bool shows = view_ != nullptr && !view_->state.atomValues.values.empty();
    {
        const QSignalBlocker quietColour(colourBox), quietLabel(labelBox);
        colourBox->setChecked(shows && view_->state.atomValues.colour);
        labelBox->setChecked(shows && view_->state.atomValues.label);
    }
    const bool any = valuesBox->count() > 0;
    for (QWidget* widget : {static_cast<QWidget*>(colourBox), static_cast<QWidget*>(labelBox),
                            static_cast<QWidget*>(valuesBox)})
        widget->setEnabled(any);
    filling_ = false;
    Apply();
    filling_ = true;
}

std::vector<double> CResultsPanel::ChosenValues() const {
    std::vector<double> values;
    const JobResults* results = ResultsOf(view_);
    if (results == nullptr || valuesBox->currentIndex() < 0)
        return values;
    const QString key = valuesBox->currentData().toString();
    const std::string scheme = key.mid(2).toStdString();
    if (key.startsWith(QStringLiteral("c:")) && results->charges.count(scheme) != 0)
        return results->charges.at(scheme);
    if (key.startsWith(QStringLiteral("s:")) && results->spins.count(scheme) != 0)
        return results->spins.at(scheme);
    if (key == QStringLiteral("nmr")) {
        const std::vector<int> elements = view_->GetDocState()->data->ResultElements();
        for (std::size_t a = 0; a < results->nmr.size() && a < elements.size(); ++a)
            values.push_back(NmrReference::Shielding(elements[a]) - results->nmr[a].isotropic);
    }
    return values;
}

void CResultsPanel::Apply() {
    if (filling_)
        return;
    const std::vector<double> values = ChosenValues();
    double range = 0.0;
    for (const double v : values) {
        if (std::isfinite(v))
            range = std::max(range, std::abs(v));
    }
    const bool nmr = valuesBox->currentData().toString() == QStringLiteral("nmr");
    const int decimals = nmr ? 1 : 3;
    rangeLabel->setText(
        values.empty()
            ? QString()
            : QStringLiteral("%1 … %2").arg(-range, 0, 'f', decimals).arg(range, 0, 'f', decimals));
    valuesTable->setRowCount(static_cast<int>(values.size()));
    const CMolData* model = view_ != nullptr && view_->GetDocState() != nullptr
                                ? view_->GetDocState()->data.get()
                                : nullptr;
    const std::vector<int> elements =
        model != nullptr ? model->ResultElements() : std::vector<int>();
    for (std::size_t a = 0; a < values.size() && a < elements.size(); ++a)
        SetRow(valuesTable, static_cast<int>(a),
               {QString::number(a + 1),
                QString::fromStdString(ElementTable::ChemistsSymbol(elements[a])),
                Number(values[a], nmr ? 2 : 6)});
    if (view_ == nullptr)
        return;
    ViewState::AtomValues& shown = view_->state.atomValues;
    shown.values = values;
    shown.range = range > 0.0 ? range : 1.0;
    shown.decimals = decimals;
    // Shifts of different elements on one ramp say little: labels only.
    colourBox->setEnabled(!nmr && !values.empty());
    shown.colour = colourBox->isChecked() && !nmr && !values.empty();
    shown.label = labelBox->isChecked() && !values.empty();
    view_->update();
}

void CResultsPanel::FillThermochemistry(const JobResults& results) {
    using T = JobResults::Thermochemistry;

    const bool any = results.thermochemistry.Any();
    thermochemistryTable->setRowCount(any ? T::kItems : 0);
    for (int k = 0; any && k < T::kItems; ++k) {
        const double value = results.thermochemistry.value[static_cast<std::size_t>(k)];
        if (k == T::kTemperature || k == T::kPressure)
            SetRow(thermochemistryTable, k,
                   {tr(kThermochemistryRows[k]), Number(value, k == T::kTemperature ? 3 : 5),
                    QString()});
        else
            SetRow(thermochemistryTable, k,
                   {tr(kThermochemistryRows[k]), Number(value, 6),
                    Number(value * COptChartView::kKcalPerHartree, 2)});
    }
    // Wide enough for its names and both units: the panel widens with it.
    thermochemistryTable->resizeColumnsToContents();
    thermochemistryTable->setMinimumWidth(
        any ? thermochemistryTable->horizontalHeader()->length() +
                  thermochemistryTable->verticalScrollBar()->sizeHint().width() +
                  2 * thermochemistryTable->frameWidth()
            : 0);
}

void CResultsPanel::FillNmr() {
    const JobResults* results = ResultsOf(view_);
    const std::vector<int> elements =
        results != nullptr ? view_->GetDocState()->data->ResultElements() : std::vector<int>();
    const int rows =
        results != nullptr ? static_cast<int>(std::min(results->nmr.size(), elements.size())) : 0;
    shownReferences_ = References();
    nmrTable->setRowCount(rows);
    for (int a = 0; a < rows; ++a) {
        const int element = elements[static_cast<std::size_t>(a)];
        const JobResults::Shielding& s = results->nmr[static_cast<std::size_t>(a)];
        SetRow(nmrTable, a,
               {QString::number(a + 1),
                QString::fromStdString(ElementTable::ChemistsSymbol(element)),
                Number(s.isotropic, 4), Number(s.anisotropy, 4),
                Number(NmrReference::Shielding(element) - s.isotropic, 2)});
    }
}

void CResultsPanel::FillStates(const JobResults& results) {
    const int rows = static_cast<int>(results.excitedStates.size());
    statesTable->setRowCount(rows);
    for (int k = 0; k < rows; ++k) {
        const JobResults::ExcitedState& s = results.excitedStates[static_cast<std::size_t>(k)];
        QStringList transitions;
        for (const JobResults::Transition& t : s.transitions)
            transitions << TransitionText(t);
        static const char* const kMultiplicity[] = {"",
                                                    QT_TRANSLATE_NOOP("CResultsPanel", "一重項"),
                                                    QT_TRANSLATE_NOOP("CResultsPanel", "二重項"),
                                                    QT_TRANSLATE_NOOP("CResultsPanel", "三重項"),
                                                    QT_TRANSLATE_NOOP("CResultsPanel", "四重項"),
                                                    QT_TRANSLATE_NOOP("CResultsPanel", "五重項")};
        const QString multiplicity = s.multiplicity > 0 && s.multiplicity <= 5
                                         ? tr(kMultiplicity[s.multiplicity])
                                         : QString();
        SetRow(statesTable, k,
               {QString::number(s.number),
                (multiplicity + QStringLiteral(" ") + QString::fromStdString(s.symmetry)).trimmed(),
                Number(s.energyEv, 4), Number(s.wavelengthNm, 2), Number(s.oscillatorStrength, 4),
                Number(s.rotatoryStrength, 4), transitions.join(QStringLiteral(", "))});
    }
}
