#pragma once

#include "view/MovieRequest.h"

#include <QDialog>
#include <QSize>

#include <vector>

class QCheckBox;
class QLabel;
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
    // geometries: the model's count; frequencies: those of the shown
    // geometry's modes (cm⁻¹; none: no modes), each named beside the mode's
    // number; mode: the one to offer first (from 0); window: the frame size
    // offered.
    // path: the geometries of a reaction path's points in reaction order
    // (none: the file has no path), offered as a third content.
    CMovieDlg(int geometries, const std::vector<double>& frequencies, int mode, QSize window,
              bool gif, QWidget* parent, std::vector<int> path = {});

    MovieRequest Request(double amplitude) const;
    QSize FrameSize() const;
    int Fps() const;
    bool Loop() const;

    void accept() override;

    QRadioButton* optimisation;
    QRadioButton* vibration;
    QRadioButton* alongPath;
    QSpinBox* firstBox;
    QSpinBox* lastBox;
    QSpinBox* modeBox;
    QLabel* frequencyLabel;
    QSpinBox* framesBox;
    QSpinBox* widthBox;
    QSpinBox* heightBox;
    QSpinBox* fpsBox;
    QCheckBox* loopBox;

private:
    std::vector<int> path_;
};
