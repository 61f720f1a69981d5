#include "view/MeasureDialog.h"

#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

MeasureDialog::MeasureDialog(QWidget* parent, const QString& caption, int width, int height)
    : QDialog(parent), units(this) {
    setWindowTitle(caption);
    setFixedSize(units.Rect(0, 0, width, height).size());
}

MeasureDialog::AtomTexts MeasureDialog::AddAtom(int symbolId, int numberId, int frameX, int frameY,
                                                int numberOffset) {
    auto* frame = new QFrame(this);
    frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    units.Place(frame, frameX, frameY, 48, 15);
    auto* symbol = new QLabel(QStringLiteral("MM"), this);
    symbol->setObjectName(QString::number(symbolId));
    units.Place(symbol, frameX + 3, frameY + 3, 12, 8);
    auto* number = new QLabel(QStringLiteral("12345"), this);
    number->setObjectName(QString::number(numberId));
    units.Place(number, frameX + numberOffset, frameY + 3, 21, 8);
    return {symbol, number};
}

QLineEdit* MeasureDialog::AddValue(int id, int x, int y, const QString& unit) {
    auto* value = new QLineEdit(this);
    value->setObjectName(QString::number(id));
    value->setAlignment(Qt::AlignRight);
    units.Place(value, x, y, 40, 14);
    auto* unitText = new QLabel(unit, this);
    units.Place(unitText, x + 41, y + 2, 9, 8);
    value_ = value;
    unit_ = unitText;
    return value;
}

void MeasureDialog::AddButtons(int okX, int okWidth, int cancelX, int cancelWidth, int y) {
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("1"));
    ok->setDefault(true);
    units.Place(ok, okX, y, okWidth, 14);
    auto* cancel = new QPushButton(QCoreApplication::translate("MeasureDialog", "ｷｬﾝｾﾙ"), this);
    cancel->setObjectName(QStringLiteral("2"));
    units.Place(cancel, cancelX, y, cancelWidth, 14);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void MeasureDialog::showEvent(QShowEvent* event) {
    for (QLabel* label : findChildren<QLabel*>()) {
        if (label->sizeHint().width() > label->width())
            label->resize(label->sizeHint().width(), label->height());
    }
    if (value_ != nullptr) {
        // The text, the edit's own margins (2 pixels a side), its frame and
        // room for the cursor.
        const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, value_);
        const QMargins margins = value_->textMargins();
        const int needed = value_->fontMetrics().horizontalAdvance(value_->text()) + 2 * 2 +
                           2 * frame + margins.left() + margins.right() + 2;
        const int grow = needed - value_->width();
        if (grow > 0) {
            value_->resize(needed, value_->height());
            unit_->move(unit_->x() + grow, unit_->y());
            setFixedSize(width() + grow, height());
        }
        value_->setCursorPosition(0);
    }
    QDialog::showEvent(event);
}
