#pragma once

#include <QDialog>
#include <QSize>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QSpinBox;

// The picture's size and, for TIFF and PNG, its resolution and a
// transparent background, asked after the picture's name is chosen. The size
// offered is the window's each time; the resolution and background are the
// last ones chosen, stored again on OK.
class CPictureOptionsDlg : public QDialog {
    Q_OBJECT
public:
    enum SizeMode { kWindowSize = 0, kScaled = 1, kPixels = 2 };

    // window: the window's picture size; withAlpha: the kind holds a
    // resolution and transparency (TIFF, PNG).
    CPictureOptionsDlg(QSize window, bool withAlpha, QWidget* parent);

    // The picture's size and the scale of its lines, points and labels (its
    // height against the window's, as the molecule's size goes).
    QSize PictureSize() const;
    double Scale() const;
    int DotsPerInch() const;
    bool Transparent() const;

    void accept() override;

    QButtonGroup* sizeModes;
    QComboBox* scaleBox;
    QSpinBox* widthBox;
    QSpinBox* heightBox;
    QSpinBox* dpiBox;
    QCheckBox* transparentBox;

private:
    QSize window_;
};
