#include "view/CBondDlg.h"

#include "res/ControlIds.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>

CBondDlg::CBondDlg(QWidget* parent)
    : MeasureDialog(parent, QCoreApplication::translate("CBondDlg", "距離"), 133, 73) {
    first_ = AddAtom(ControlIds::kFirstSymbol, ControlIds::kFirstNumber, 14, 7, 21);
    second_ = AddAtom(ControlIds::kSecondSymbol, ControlIds::kSecondNumber, 71, 7, 22);
    value_ = AddValue(ControlIds::kDistance, 47, 30, QStringLiteral("Å"));
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
