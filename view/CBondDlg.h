#pragma once

#include "view/MeasureDialog.h"

// "距離": the distance between two atoms.
class CBondDlg : public MeasureDialog {
    Q_OBJECT
public:
    explicit CBondDlg(QWidget* parent = nullptr);

    QString firstSymbol, secondSymbol, firstNumber, secondNumber, distance;

protected:
    void showEvent(QShowEvent* event) override;

private:
    AtomTexts first_, second_;
    QLineEdit* value_;
};
