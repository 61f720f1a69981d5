#include "view/CMeasurementsPanel.h"

#include "model/CMolData.h"
#include "view/CMolView.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <set>

CMeasurementsPanel::CMeasurementsPanel(QWidget* parent) : QDockWidget(tr("計測"), parent) {
    setObjectName(QStringLiteral("measurementsPanel"));
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    table = new QTableWidget(0, 3, body);
    table->setObjectName(QStringLiteral("measurements"));
    table->setHorizontalHeaderLabels({tr("種類"), tr("原子"), tr("値")});
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    // The kind and the value as wide as they need, the atoms the rest: the
    // value is never pushed out of the panel.
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    table->horizontalHeader()->setStretchLastSection(false);
    layout->addWidget(table);
    auto* buttons = new QHBoxLayout;
    copyButton = new QPushButton(tr("コピー"), body);
    removeButton = new QPushButton(tr("削除"), body);
    clearButton = new QPushButton(tr("すべて削除"), body);
    for (QPushButton* button : {copyButton, removeButton, clearButton})
        buttons->addWidget(button);
    buttons->addStretch();
    layout->addLayout(buttons);
    setWidget(body);
    connect(copyButton, &QPushButton::clicked, this,
            [this] { QApplication::clipboard()->setText(Text()); });
    connect(removeButton, &QPushButton::clicked, this, [this] { RemoveChosen(); });
    connect(clearButton, &QPushButton::clicked, this, [this] {
        if (view_ == nullptr)
            return;
        view_->state.measurements.clear();
        view_->update();
        Refresh();
    });
}

bool CMeasurementsPanel::HasContent(const CMolView* view) {
    return view != nullptr && view->HasFittedModel() && !view->state.measurements.empty();
}

void CMeasurementsPanel::SetView(CMolView* view) {
    if (view != view_) {
        disconnect(shownConnection_);
        view_ = view;
        // Another geometry or model shown changes the values.
        if (view != nullptr)
            shownConnection_ =
                connect(view, &CMolView::shownChanged, this, &CMeasurementsPanel::Refresh);
    }
    Refresh();
}

void CMeasurementsPanel::Refresh() {
    // Until the window has taken a new model in, its measurements are the
    // old model's.
    const CMolData* model = view_ != nullptr && view_->HasFittedModel() ? view_->Model() : nullptr;
    const std::vector<Measurement> none;
    const std::vector<Measurement>& measurements =
        model != nullptr ? view_->state.measurements : none;
    const int frame = view_ != nullptr ? view_->state.frame : -1;
    if (measurements == shown_ && model == shownData_ && frame == shownFrame_)
        return;
    shown_ = measurements;
    shownData_ = model;
    shownFrame_ = frame;
    table->setRowCount(static_cast<int>(measurements.size()));
    static const char* const kKinds[] = {QT_TRANSLATE_NOOP("CMeasurementsPanel", "距離"),
                                         QT_TRANSLATE_NOOP("CMeasurementsPanel", "角度"),
                                         QT_TRANSLATE_NOOP("CMeasurementsPanel", "二面角")};
    for (std::size_t row = 0; row < measurements.size(); ++row) {
        const Measurement& measurement = measurements[row];
        QStringList atoms;
        for (const int a : measurement.atoms)
            atoms << QString::fromStdString(model->GetAtomDescription(frame, a));
        const QString value = QString::fromStdString(measurement.Text(*model, frame));
        const QString texts[] = {tr(kKinds[measurement.atoms.size() - 2]),
                                 atoms.join(QStringLiteral(" – ")),
                                 value.isEmpty() ? tr("なし") : value};
        for (int column = 0; column < 3; ++column) {
            auto* item = new QTableWidgetItem(texts[column]);
            if (column == 2)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table->setItem(static_cast<int>(row), column, item);
        }
    }
    table->resizeColumnsToContents();
    removeButton->setEnabled(!measurements.empty());
    clearButton->setEnabled(!measurements.empty());
    copyButton->setEnabled(!measurements.empty());
}

QString CMeasurementsPanel::Text() const {
    QString text;
    for (int row = 0; row < table->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < 3; ++column)
            cells << table->item(row, column)->text();
        text += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    return text;
}

void CMeasurementsPanel::RemoveChosen() {
    if (view_ == nullptr)
        return;
    std::set<int> rows;
    for (const QModelIndex& index : table->selectionModel()->selectedRows())
        rows.insert(index.row());
    std::vector<Measurement>& measurements = view_->state.measurements;
    // From the last, so that the rows before keep their places.
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
        if (*row < static_cast<int>(measurements.size()))
            measurements.erase(measurements.begin() + *row);
    }
    view_->update();
    Refresh();
}
