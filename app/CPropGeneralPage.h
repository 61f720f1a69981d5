#pragma once

#include "platform/PropertyPage.h"

class QCheckBox;
class QComboBox;
class QSlider;

// "一般" of the program settings: start with initial values, maximised
// windows, new files turned to their principal axes, the warning level, the
// interface's language (from the next start).
class CPropGeneralPage : public PropertyPage {
    Q_OBJECT
public:
    CPropGeneralPage();

    bool DoDataExchange(bool save) override;
    void OnInitDialog() override;
    void OnDestroy() override;

    int initStart = 0;
    int childMaxWnd = 0;
    int warningLevel = 1;
    int language = 0; // as UiLanguage::Stored
    int openAlongAxes = 0;

private:
    QCheckBox* initStartBox_;
    QCheckBox* maximisedBox_;
    QCheckBox* axesBox_;
    QSlider* warningSlider_;
    QComboBox* languageCombo_;
};
