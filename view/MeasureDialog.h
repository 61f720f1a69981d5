#pragma once

#include "platform/DialogUnits.h"

#include <QDialog>

class QLabel;
class QLineEdit;

// The frame of the three measurement dialogs: atoms shown as an element
// symbol and an atom number in a sunken box, a value box with its unit, OK
// and Cancel, all placed in dialog units. The dialogs only show: nothing
// typed into the value box is read back.
class MeasureDialog : public QDialog {
    Q_OBJECT
protected:
    MeasureDialog(QWidget* parent, const QString& caption, int width, int height);

    // The two texts of one atom (control ids for symbol and number) and the
    // sunken frame around them; x and y of the frame, the texts inside.
    struct AtomTexts {
        QLabel* symbol;
        QLabel* number;
    };
    AtomTexts AddAtom(int symbolId, int numberId, int frameX, int frameY, int numberOffset);
    QLineEdit* AddValue(int id, int x, int y, const QString& unit);
    void AddButtons(int okX, int okWidth, int cancelX, int cancelWidth, int y);

    // Every text fits as the dialog shows: a label grows to its text, and a
    // value wider than its box widens the box (and the dialog with it).
    void showEvent(QShowEvent* event) override;

    DialogUnits units;

private:
    QLineEdit* value_ = nullptr;
    QLabel* unit_ = nullptr;
};
