#pragma once

#include "model/NormalMode.h"

#include <QDialog>

#include <vector>

class QDoubleSpinBox;
class QPushButton;
class QTableWidget;

// The normal modes of the geometry a molecule window draws: number,
// symmetry, frequency (imaginary ones marked "i" and red) and IR intensity,
// with the mode chosen, the vibration's amplitude and period, the arrow
// scale and a play/stop button. Modeless; each molecule window has its own.
class CModeListDlg : public QDialog {
    Q_OBJECT
public:
    explicit CModeListDlg(QWidget* parent);

    // Lists modes (none when null) with row chosen selected (-1: none).
    void SetModes(const std::vector<NormalMode>* modes, int chosen);
    void SetValues(double amplitude, double period, double arrowScale);
    void SetPlaying(bool playing);

    // The frequency as the list shows it: "1668.23", or "1407.96i" for an
    // imaginary one.
    static QString FrequencyText(double frequency);

    QTableWidget* table = nullptr;
    QDoubleSpinBox* amplitude = nullptr;  // Å per unit of displacement
    QDoubleSpinBox* period = nullptr;     // seconds a vibration takes
    QDoubleSpinBox* arrowScale = nullptr; // arrow length per unit of displacement
    QPushButton* play = nullptr;

signals:
    void modeChosen(int index);
    void valuesChanged(double amplitude, double period, double arrowScale);
    void playToggled();
};
