#pragma once

#include "view/MeasureDialog.h"

// "角度": the angle at the second of three atoms, stacked in a column.
class CAngleDlg : public MeasureDialog {
    Q_OBJECT
public:
    explicit CAngleDlg(QWidget* parent = nullptr);

    QString firstSymbol, secondSymbol, thirdSymbol, firstNumber, secondNumber, thirdNumber, angle;

protected:
    void showEvent(QShowEvent* event) override;

private:
    AtomTexts first_, second_, third_;
    QLineEdit* value_;
};
