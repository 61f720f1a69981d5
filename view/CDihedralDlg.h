#pragma once

#include "view/MeasureDialog.h"

// "二面角": the dihedral about the middle two of four atoms.
class CDihedralDlg : public MeasureDialog {
    Q_OBJECT
public:
    explicit CDihedralDlg(QWidget* parent = nullptr) : MeasureDialog(parent, 4) {}
};
