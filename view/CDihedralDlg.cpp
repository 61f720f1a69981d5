#include "view/CDihedralDlg.h"

#include "res/ControlIds.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>

CDihedralDlg::CDihedralDlg(QWidget* parent)
    : MeasureDialog(parent, QCoreApplication::translate("CDihedralDlg", "二面角"), 162, 89) {
    first_ = AddAtom(ControlIds::kFirstSymbol, ControlIds::kFirstNumber, 7, 7, 21);
    second_ = AddAtom(ControlIds::kSecondSymbol, ControlIds::kSecondNumber, 57, 7, 22);
    third_ = AddAtom(ControlIds::kThirdSymbol, ControlIds::kThirdNumber, 57, 27, 22);
    fourth_ = AddAtom(ControlIds::kFourthSymbol, ControlIds::kFourthNumber, 107, 27, 22);
    value_ = AddValue(ControlIds::kDihedral, 57, 47, QStringLiteral("°"));
    AddButtons(39, 35, 88, 35, 68);
}

void CDihedralDlg::showEvent(QShowEvent* event) {
    value_->setText(dihedral);
    first_.symbol->setText(firstSymbol);
    second_.symbol->setText(secondSymbol);
    third_.symbol->setText(thirdSymbol);
    fourth_.symbol->setText(fourthSymbol);
    first_.number->setText(firstNumber);
    second_.number->setText(secondNumber);
    third_.number->setText(thirdNumber);
    fourth_.number->setText(fourthNumber);
    MeasureDialog::showEvent(event);
}
