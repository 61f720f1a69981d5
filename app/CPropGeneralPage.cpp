#include "app/CPropGeneralPage.h"
#include "app/UiLanguage.h"

#include "platform/DataExchange.h"
#include "res/ControlIds.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>

CPropGeneralPage::CPropGeneralPage()
    : PropertyPage(QCoreApplication::translate("CPropGeneralPage", "一般")) {
    initStartBox_ =
        new QCheckBox(QCoreApplication::translate("CPropGeneralPage", "初期設定値で起動"), this);
    initStartBox_->setObjectName(QString::number(ControlIds::kInitStart));
    maximisedBox_ =
        new QCheckBox(QCoreApplication::translate("CPropGeneralPage", "起動時最大化"), this);
    maximisedBox_->setObjectName(QString::number(ControlIds::kOpenMaximised));
    axesBox_ = new QCheckBox(
        QCoreApplication::translate("CPropGeneralPage", "新しいファイルを主軸の向きで開く"), this);
    axesBox_->setObjectName(QString::number(ControlIds::kOpenAlongAxes));
    auto* warning =
        new QGroupBox(QCoreApplication::translate("CPropGeneralPage", "警告レベル"), this);
    warningSlider_ = new QSlider(Qt::Horizontal, warning);
    warningSlider_->setObjectName(QString::number(ControlIds::kWarningLevel));
    warningSlider_->setTickPosition(QSlider::TicksBelow);
    auto* row = new QGridLayout(warning);
    row->addWidget(new QLabel(QCoreApplication::translate("CPropGeneralPage", "低"), warning), 0,
                   0);
    row->addWidget(warningSlider_, 0, 1);
    row->addWidget(new QLabel(QCoreApplication::translate("CPropGeneralPage", "高"), warning), 0,
                   2);
    // Each language named in itself, with the value stored for it.
    languageCombo_ = new QComboBox(this);
    languageCombo_->setObjectName(QString::number(ControlIds::kLanguage));
    languageCombo_->addItem(QStringLiteral("日本語"), int(UiLanguage::kStoredJapanese));
    languageCombo_->addItem(QStringLiteral("English"), int(UiLanguage::kStoredEnglish));
    languageCombo_->addItem(
        QCoreApplication::translate("CPropGeneralPage", "デスクトップに合わせる"),
        int(UiLanguage::kFollowDesktop));
    auto* languageRow = new QFormLayout;
    languageRow->addRow(QCoreApplication::translate("CPropGeneralPage", "言語 (次回の起動から)"),
                        languageCombo_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(initStartBox_);
    layout->addWidget(maximisedBox_);
    layout->addWidget(axesBox_);
    layout->addWidget(warning);
    layout->addLayout(languageRow);
    layout->addStretch();
}

void CPropGeneralPage::OnInitDialog() {
    // Position first, then the range, as the slider was always set up.
    warningSlider_->setRange(0, std::max(3, warningLevel));
    warningSlider_->setValue(warningLevel);
    warningSlider_->setRange(0, 3);
    DoDataExchange(false);
}

bool CPropGeneralPage::DoDataExchange(bool save) {
    DataExchange::Check(save, initStartBox_, initStart);
    DataExchange::Check(save, maximisedBox_, childMaxWnd);
    DataExchange::Check(save, axesBox_, openAlongAxes);
    if (save)
        language = languageCombo_->currentData().toInt();
    else // no choice made, or one not known: Japanese
        languageCombo_->setCurrentIndex(std::max(0, languageCombo_->findData(language)));
    return true;
}

void CPropGeneralPage::OnDestroy() {
    warningLevel = warningSlider_->value();
}
