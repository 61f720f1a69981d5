#pragma once

#include "view/MeasureDialog.h"

// "距離": the distance between two atoms.
class CBondDlg : public MeasureDialog {
    Q_OBJECT
public:
    explicit CBondDlg(QWidget* parent = nullptr) : MeasureDialog(parent, 2) {}
};
