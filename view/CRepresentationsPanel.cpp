#include "view/CRepresentationsPanel.h"

#include "model/CMolData.h"
#include "model/SelectionParser.h"
#include "platform/Profile.h"
#include "render/ViewScript.h"
#include "res/SettingsKeys.h"
#include "view/CMolView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <iterator>

namespace {

using Style = Representation::Style;
using Colouring = Representation::Colouring;

// In Style and Colouring order.
const char* const kStyleNames[] = {QT_TRANSLATE_NOOP("CRepresentationsPanel", "ワイヤーフレーム"),
                                   QT_TRANSLATE_NOOP("CRepresentationsPanel", "スティック"),
                                   QT_TRANSLATE_NOOP("CRepresentationsPanel", "ボール&スティック"),
                                   QT_TRANSLATE_NOOP("CRepresentationsPanel", "空間充填"),
                                   QT_TRANSLATE_NOOP("CRepresentationsPanel", "リボン"),
                                   QT_TRANSLATE_NOOP("CRepresentationsPanel", "カートゥーン"),
                                   QT_TRANSLATE_NOOP("CRepresentationsPanel", "ラベル")};
const char* const kColouringNames[] = {QT_TRANSLATE_NOOP("CRepresentationsPanel", "元素"),
                                       QT_TRANSLATE_NOOP("CRepresentationsPanel", "元素(結合も)"),
                                       QT_TRANSLATE_NOOP("CRepresentationsPanel", "残基"),
                                       QT_TRANSLATE_NOOP("CRepresentationsPanel", "鎖"),
                                       QT_TRANSLATE_NOOP("CRepresentationsPanel", "二次構造"),
                                       QT_TRANSLATE_NOOP("CRepresentationsPanel", "温度因子"),
                                       QT_TRANSLATE_NOOP("CRepresentationsPanel", "虹色"),
                                       QT_TRANSLATE_NOOP("CRepresentationsPanel", "値"),
                                       QT_TRANSLATE_NOOP("CRepresentationsPanel", "単色")};
static_assert(std::size(kStyleNames) == static_cast<std::size_t>(Style::kLabels) + 1);
static_assert(std::size(kColouringNames) == static_cast<std::size_t>(Colouring::kFixed) + 1);

enum Column { kShown, kSelection, kStyle, kColouring, kColumns };

} // namespace

CRepresentationsPanel::CRepresentationsPanel(QWidget* parent) : QDockWidget(tr("表示"), parent) {
    setObjectName(QStringLiteral("representationsPanel"));
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    table = new QTableWidget(0, kColumns, body);
    table->setObjectName(QStringLiteral("representations"));
    table->setHorizontalHeaderLabels({tr("見える"), tr("選択"), tr("スタイル"), tr("色")});
    table->verticalHeader()->hide();
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setSectionResizeMode(kSelection, QHeaderView::Stretch);
    // The selection column keeps room for a selection's words in either
    // language; a longer one reads whole in its tooltip.
    table->setMinimumWidth(420);
    table->horizontalHeader()->setMinimumSectionSize(40);
    layout->addWidget(table);
    auto* buttons = new QHBoxLayout;
    addButton = new QPushButton(tr("追加"), body);
    removeButton = new QPushButton(tr("削除"), body);
    upButton = new QPushButton(tr("上へ"), body);
    downButton = new QPushButton(tr("下へ"), body);
    for (QPushButton* button : {addButton, removeButton, upButton, downButton})
        buttons->addWidget(button);
    buttons->addStretch();
    layout->addLayout(buttons);
    commandBox = new QLineEdit(body);
    commandBox->setObjectName(QStringLiteral("commandBox"));
    commandBox->setPlaceholderText(QStringLiteral("show sticks, byres (within 5 of ligand)"));
    layout->addWidget(commandBox);
    said = new QLabel(body);
    said->setWordWrap(true);
    said->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(said);
    openAsCartoon = new QCheckBox(
        tr("タンパク質はカートゥーンで開く (リガンドはボール&スティック、水は隠す)"), body);
    openAsCartoon->setChecked(Profile::Read(Settings::kOpenProteinsAsCartoon) != 0);
    layout->addWidget(openAsCartoon);
    connect(openAsCartoon, &QCheckBox::toggled, this,
            [](bool on) { Profile::Write(Settings::kOpenProteinsAsCartoon, on ? 1 : 0); });
    setWidget(body);

    connect(commandBox, &QLineEdit::returnPressed, this, [this] {
        if (RunCommand(commandBox->text()))
            commandBox->clear();
    });
    connect(addButton, &QPushButton::clicked, this, [this] {
        std::vector<Representation>* rows = Rows();
        if (rows == nullptr)
            return;
        Representation row;
        row.selection = view_->state.namedSelections.count("sele") != 0 ? "sele" : "all";
        row.style = Style::kSticks;
        rows->push_back(row);
        Changed();
        table->selectRow(table->rowCount() - 1);
    });
    connect(removeButton, &QPushButton::clicked, this, [this] {
        std::vector<Representation>* rows = Rows();
        const int row = table->currentRow();
        if (rows == nullptr || row < 0 || row >= static_cast<int>(rows->size()))
            return;
        rows->erase(rows->begin() + row);
        Changed();
    });
    connect(upButton, &QPushButton::clicked, this, [this] { Move(-1); });
    connect(downButton, &QPushButton::clicked, this, [this] { Move(1); });
    connect(table, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        std::vector<Representation>* rows = Rows();
        if (rows == nullptr || item->row() >= static_cast<int>(rows->size()))
            return;
        Representation& row = (*rows)[static_cast<std::size_t>(item->row())];
        if (item->column() == kShown) {
            row.visible = item->checkState() == Qt::Checked;
        } else if (item->column() == kSelection) {
            const std::string text = item->text().trimmed().toStdString();
            const SelectionParser::Result parsed = SelectionParser::Parse(text);
            said->setText(parsed.ok() ? QString() : QString::fromStdString(parsed.error));
            if (!parsed.ok()) {
                shown_.clear(); // the table shows the row as it stands again
                Refresh();
                return;
            }
            row.selection = text;
        }
        Changed();
    });
    connect(table, &QTableWidget::currentCellChanged, this, [this] {
        const int row = table->currentRow();
        removeButton->setEnabled(row >= 0);
        upButton->setEnabled(row > 0);
        downButton->setEnabled(row >= 0 && row + 1 < table->rowCount());
    });
}

void CRepresentationsPanel::SetView(CMolView* view) {
    // No active molecule window (the main window inactive a moment, a chart
    // window active): the panel stays with the last one while it exists, so
    // that typing into its box is never cut off.
    if (view == nullptr && view_ != nullptr) {
        Refresh();
        return;
    }
    if (view != view_) {
        disconnect(shownConnection_);
        view_ = view;
        if (view != nullptr)
            shownConnection_ =
                connect(view, &CMolView::shownChanged, this, &CRepresentationsPanel::Refresh);
    }
    Refresh();
}

std::vector<Representation>* CRepresentationsPanel::Rows() {
    if (view_ == nullptr)
        return nullptr;
    std::vector<Representation>& rows = view_->state.representations;
    if (rows.empty()) {
        Representation menus;
        menus.followsMenus = true;
        rows.push_back(menus);
    }
    return &rows;
}

void CRepresentationsPanel::Changed() {
    if (view_ != nullptr)
        view_->update();
    Refresh();
}

void CRepresentationsPanel::Move(int by) {
    std::vector<Representation>* rows = Rows();
    const int row = table->currentRow();
    const int to = row + by;
    if (rows == nullptr || row < 0 || to < 0 || to >= static_cast<int>(rows->size()))
        return;
    std::swap((*rows)[static_cast<std::size_t>(row)], (*rows)[static_cast<std::size_t>(to)]);
    Changed();
    table->selectRow(to);
}

bool CRepresentationsPanel::RunCommand(const QString& command) {
    const CMolData* model = view_ != nullptr && view_->HasFittedModel() ? view_->Model() : nullptr;
    if (model == nullptr) {
        said->setText(tr("分子のウィンドウがありません"));
        return false;
    }
    std::string message;
    const bool ran =
        ViewScript(view_->state, *view_->GetDocState()).Run(command.toStdString(), message);
    said->setText(QString::fromStdString(message));
    view_->update();
    Refresh();
    return ran;
}

void CRepresentationsPanel::Refresh() {
    std::vector<Representation> rows;
    if (view_ != nullptr) {
        rows = view_->state.representations;
        if (rows.empty()) {
            Representation menus;
            menus.followsMenus = true;
            rows.push_back(menus);
        }
    }
    setEnabled(view_ != nullptr);
    if (rows == shown_ && view_ == shownView_)
        return;
    shown_ = rows;
    shownView_ = view_;
    const QSignalBlocker quiet(table);
    const int current = table->currentRow();
    table->setRowCount(static_cast<int>(rows.size()));
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const Representation& row = rows[k];
        const int r = static_cast<int>(k);
        auto* shown = new QTableWidgetItem;
        shown->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        shown->setCheckState(row.visible ? Qt::Checked : Qt::Unchecked);
        table->setItem(r, kShown, shown);
        auto* selection = new QTableWidgetItem(QString::fromStdString(row.selection));
        selection->setToolTip(selection->text());
        table->setItem(r, kSelection, selection);
        if (row.followsMenus) {
            for (const int column : {kStyle, kColouring}) {
                table->removeCellWidget(r, column);
                auto* item = new QTableWidgetItem(tr("メニューのとおり"));
                item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
                table->setItem(r, column, item);
            }
            continue;
        }
        auto* style = new QComboBox;
        for (const char* name : kStyleNames)
            style->addItem(tr(name));
        style->setCurrentIndex(static_cast<int>(row.style));
        auto* colouring = new QComboBox;
        for (const char* name : kColouringNames)
            colouring->addItem(tr(name));
        colouring->setCurrentIndex(static_cast<int>(row.colouring));
        table->setCellWidget(r, kStyle, style);
        table->setCellWidget(r, kColouring, colouring);
        connect(style, qOverload<int>(&QComboBox::activated), this, [this, k](int index) {
            std::vector<Representation>* all = Rows();
            if (all != nullptr && k < all->size()) {
                (*all)[k].style = static_cast<Style>(index);
                Changed();
            }
        });
        connect(colouring, qOverload<int>(&QComboBox::activated), this, [this, k](int index) {
            std::vector<Representation>* all = Rows();
            if (all != nullptr && k < all->size()) {
                (*all)[k].colouring = static_cast<Colouring>(index);
                Changed();
            }
        });
    }
    if (current >= 0 && current < table->rowCount())
        table->selectRow(current);
    removeButton->setEnabled(table->currentRow() >= 0);
    upButton->setEnabled(table->currentRow() > 0);
    downButton->setEnabled(table->currentRow() >= 0 && table->currentRow() + 1 < table->rowCount());
}
