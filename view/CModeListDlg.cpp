#include "view/CModeListDlg.h"

#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cmath>

namespace {

QDoubleSpinBox* SpinBox(double low, double high, double step, const QString& suffix) {
    auto* box = new QDoubleSpinBox;
    box->setRange(low, high);
    box->setSingleStep(step);
    box->setDecimals(2);
    box->setSuffix(suffix);
    return box;
}

QTableWidgetItem* Cell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    return item;
}

} // namespace

CModeListDlg::CModeListDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QCoreApplication::translate("CModeListDlg", "基準振動"));
    table = new QTableWidget(0, 4, this);
    table->setHorizontalHeaderLabels(
        {QCoreApplication::translate("CModeListDlg", "番号"),
         QCoreApplication::translate("CModeListDlg", "対称性"),
         QCoreApplication::translate("CModeListDlg", "振動数 (cm⁻¹)"),
         QCoreApplication::translate("CModeListDlg", "IR 強度 (km/mol)")});
    table->verticalHeader()->hide();
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    amplitude = SpinBox(0.05, 3.0, 0.05, QStringLiteral(" Å"));
    period = SpinBox(0.2, 10.0, 0.1, QCoreApplication::translate("CModeListDlg", " 秒"));
    arrowScale = SpinBox(0.1, 50.0, 0.5, QCoreApplication::translate("CModeListDlg", " 倍"));
    play = new QPushButton(QCoreApplication::translate("CModeListDlg", "再生"), this);
    auto* form = new QFormLayout;
    form->addRow(QCoreApplication::translate("CModeListDlg", "振幅(&A):"), amplitude);
    form->addRow(QCoreApplication::translate("CModeListDlg", "周期(&P):"), period);
    form->addRow(QCoreApplication::translate("CModeListDlg", "矢印の倍率(&S):"), arrowScale);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(play);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table);
    layout->addLayout(form);
    layout->addLayout(buttons);
    resize(420, 480);

    connect(table, &QTableWidget::itemSelectionChanged, this, [this] {
        const QList<QTableWidgetItem*> selected = table->selectedItems();
        if (!selected.isEmpty())
            emit modeChosen(selected.front()->row());
    });
    const auto changed = [this] {
        emit valuesChanged(amplitude->value(), period->value(), arrowScale->value());
    };
    for (QDoubleSpinBox* box : {amplitude, period, arrowScale})
        connect(box, &QDoubleSpinBox::valueChanged, this, changed);
    connect(play, &QPushButton::clicked, this, &CModeListDlg::playToggled);
}

QString CModeListDlg::FrequencyText(double frequency) {
    if (frequency < 0.0)
        return QString::number(-frequency, 'f', 2) + QLatin1Char('i');
    return QString::number(frequency, 'f', 2);
}

void CModeListDlg::SetModes(const std::vector<NormalMode>* modes, int chosen) {
    const QSignalBlocker blocker(table);
    table->clearContents();
    const int rows = modes != nullptr ? static_cast<int>(modes->size()) : 0;
    table->setRowCount(rows);
    for (int r = 0; r < rows; ++r) {
        const NormalMode& mode = (*modes)[static_cast<std::size_t>(r)];
        table->setItem(r, 0, Cell(QString::number(mode.number)));
        table->setItem(r, 1, Cell(QString::fromStdString(mode.symmetry)));
        QTableWidgetItem* frequency = Cell(FrequencyText(mode.frequency));
        if (mode.frequency < 0.0)
            frequency->setForeground(Qt::red);
        table->setItem(r, 2, frequency);
        table->setItem(r, 3,
                       Cell(std::isfinite(mode.irIntensity)
                                ? QString::number(mode.irIntensity, 'f', 4)
                                : QStringLiteral("-")));
    }
    if (chosen >= 0 && chosen < rows)
        table->selectRow(chosen);
    else
        table->clearSelection();
}

void CModeListDlg::SetValues(double amplitudeValue, double periodValue, double scale) {
    const QSignalBlocker a(amplitude), p(period), s(arrowScale);
    amplitude->setValue(amplitudeValue);
    period->setValue(periodValue);
    arrowScale->setValue(scale);
}

void CModeListDlg::SetPlaying(bool playing) {
    play->setText(playing ? QCoreApplication::translate("CModeListDlg", "停止")
                          : QCoreApplication::translate("CModeListDlg", "再生"));
}
