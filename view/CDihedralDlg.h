#pragma once

#include "view/MeasureDialog.h"

// "二面角": the dihedral angle of four atoms laid out as a zig-zag chain.
class CDihedralDlg : public MeasureDialog {
    Q_OBJECT
public:
    explicit CDihedralDlg(QWidget* parent = nullptr);

    QString dihedral, firstSymbol, secondSymbol, thirdSymbol, fourthSymbol, firstNumber,
        secondNumber, thirdNumber, fourthNumber;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLineEdit* value_;
    AtomTexts first_, second_, third_, fourth_;
};
