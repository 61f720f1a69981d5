#include "view/CAngleDlg.h"

#include "res/ControlIds.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>

CAngleDlg::CAngleDlg(QWidget* parent)
    : MeasureDialog(parent, QCoreApplication::translate("CAngleDlg", "角度"), 120, 96) {
    first_ = AddAtom(ControlIds::kFirstSymbol, ControlIds::kFirstNumber, 7, 7, 21);
    second_ = AddAtom(ControlIds::kSecondSymbol, ControlIds::kSecondNumber, 7, 27, 22);
    third_ = AddAtom(ControlIds::kThirdSymbol, ControlIds::kThirdNumber, 7, 47, 22);
    value_ = AddValue(ControlIds::kAngle, 63, 27, QStringLiteral("°"));
    AddButtons(19, 35, 66, 35, 75);
}

void CAngleDlg::showEvent(QShowEvent* event) {
    first_.symbol->setText(firstSymbol);
    second_.symbol->setText(secondSymbol);
    third_.symbol->setText(thirdSymbol);
    first_.number->setText(firstNumber);
    second_.number->setText(secondNumber);
    third_.number->setText(thirdNumber);
    value_->setText(angle);
    MeasureDialog::showEvent(event);
}
