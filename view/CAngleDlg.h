#pragma once

#include "view/MeasureDialog.h"

// "角度": the angle at the second of three atoms, stacked in a column.
class CAngleDlg : public MeasureDialog {
    Q_OBJECT
public:
    explicit CAngleDlg(QWidget* parent = nullptr) : MeasureDialog(parent, 3) {}
};
