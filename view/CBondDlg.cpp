#include "view/CBondDlg.h"

#include <QLabel>
#include <QLineEdit>

CBondDlg::CBondDlg(QWidget* parent) : MeasureDialog(parent, QStringLiteral("距離"), 133, 73) {
    first_ = AddAtom(1004, 1003, 14, 7, 21);
    second_ = AddAtom(1006, 1005, 71, 7, 22);
    value_ = AddValue(1002, 47, 30, QStringLiteral("Å"));
    AddButtons(25, 34, 76, 33, 52);
}

void CBondDlg::showEvent(QShowEvent* event) {
    first_.symbol->setText(firstSymbol);
    second_.symbol->setText(secondSymbol);
    first_.number->setText(firstNumber);
    second_.number->setText(secondNumber);
    value_->setText(distance);
    MeasureDialog::showEvent(event);
}
