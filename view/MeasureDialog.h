#pragma once

#include "platform/DialogUnits.h"

#include <QDialog>
#include <QString>

#include <vector>

class QLabel;
class QLineEdit;

// The measurement dialog of two, three or four atoms ("距離", "角度",
// "二面角"): each atom shown as an element symbol and an atom number in a
// sunken box, the value in a box with its unit, OK and Cancel, all placed
// in dialog units as each of the three lays them out. It only shows:
// nothing typed into the value box is read back.
class MeasureDialog : public QDialog {
    Q_OBJECT
public:
    // atoms: 2 (distance), 3 (angle) or 4 (dihedral).
    MeasureDialog(QWidget* parent, int atoms);

    // What the dialog shows, set before it is: the atoms' symbols and
    // numbers in order, and the value.
    std::vector<QString> symbols, numbers;
    QString value;

protected:
    // Every text fits as the dialog shows: a label grows to its text, and a
    // value wider than its box widens the box (and the dialog with it).
    void showEvent(QShowEvent* event) override;

private:
    DialogUnits units_;
    std::vector<QLabel*> symbolTexts_, numberTexts_;
    QLineEdit* value_ = nullptr;
    QLabel* unit_ = nullptr;
};
