#include "app/CPropGeneralPage.h"

#include "platform/DataExchange.h"
#include "res/ControlIds.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QSlider>
#include <QVBoxLayout>

CPropGeneralPage::CPropGeneralPage() : PropertyPage(QStringLiteral("一般")) {
    initStartBox_ = new QCheckBox(QStringLiteral("初期設定値で起動"), this);
    initStartBox_->setObjectName(QString::number(ControlIds::kInitStart));
    maximisedBox_ = new QCheckBox(QStringLiteral("起動時最大化"), this);
    maximisedBox_->setObjectName(QString::number(ControlIds::kOpenMaximised));
    auto* warning = new QGroupBox(QStringLiteral("警告レベル"), this);
    warningSlider_ = new QSlider(Qt::Horizontal, warning);
    warningSlider_->setObjectName(QString::number(ControlIds::kWarningLevel));
    warningSlider_->setTickPosition(QSlider::TicksBelow);
    auto* row = new QGridLayout(warning);
    row->addWidget(new QLabel(QStringLiteral("低"), warning), 0, 0);
    row->addWidget(warningSlider_, 0, 1);
    row->addWidget(new QLabel(QStringLiteral("高"), warning), 0, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(initStartBox_);
    layout->addWidget(maximisedBox_);
    layout->addWidget(warning);
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
    return true;
}

void CPropGeneralPage::OnDestroy() {
    warningLevel = warningSlider_->value();
}
