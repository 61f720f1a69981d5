#pragma once

#include "view/MovieRequest.h"

#include <QDialog>
#include <QSize>

class QCheckBox;
class QRadioButton;
class QSpinBox;

// What a movie shows and how: the optimisation's geometries from one to
// another, or one period of a normal mode of the geometry shown in so many
// frames; the frame size, frames per second and, for a GIF, whether it
// plays again and again. Rates and looping are the stored ones and are
// stored again on OK.
class CMovieDlg : public QDialog {
    Q_OBJECT
public:
    // geometries: the model's count; modes: the shown geometry's (0: none);
    // mode: the one to offer first (from 0); window: the frame size offered.
    CMovieDlg(int geometries, int modes, int mode, QSize window, bool gif, QWidget* parent);

    MovieRequest Request(double amplitude) const;
    QSize FrameSize() const;
    int Fps() const;
    bool Loop() const;

    void accept() override;

    QRadioButton* optimisation;
    QRadioButton* vibration;
    QSpinBox* firstBox;
    QSpinBox* lastBox;
    QSpinBox* modeBox;
    QSpinBox* framesBox;
    QSpinBox* widthBox;
    QSpinBox* heightBox;
    QSpinBox* fpsBox;
    QCheckBox* loopBox;
};
