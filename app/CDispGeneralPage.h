#pragma once

#include "platform/PropertyPage.h"

#include <QString>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSlider;

// "一般" of the display settings: picture quality, animation pictures, the
// geometry shown, the drawing sizes.
class CDispGeneralPage : public PropertyPage {
    Q_OBJECT
public:
    CDispGeneralPage();

    bool DoDataExchange(bool save) override;
    void OnInitDialog() override;
    void OnDestroy() override;

    int antialiasing = 1;
    int resolution = 10;
    int saveAnimationImages = 0;
    QString animationTitle;
    int animationStartNumber = 0;
    int hideAtoms = 0;
    int frameCount = 1;
    // The geometry chosen: the current one when nothing else is picked.
    int currentFrame = 0;
    int wireAtomSize = 10, wireBondWidth = 10, ballAtomSize = 10, ballBondWidth = 10;

private:
    QSlider* AddSlider(int id);

    QCheckBox* antialiasingBox_;
    QLineEdit* resolutionEdit_;
    QCheckBox* saveImagesBox_;
    QLineEdit* titleEdit_;
    QLineEdit* startEdit_;
    QComboBox* frameCombo_;
    QCheckBox* hideAtomsBox_;
    QSlider* sizeSliders_[4];
};
