#include "app/CDispGeneralPage.h"

#include "platform/DataExchange.h"
#include "res/ControlIds.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QSlider>

#include <algorithm>

namespace {

QLineEdit* NumberEdit(int id, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::number(id));
    edit->setAlignment(Qt::AlignRight);
    return edit;
}

} // namespace

QSlider* CDispGeneralPage::AddSlider(int id) {
    auto* slider = new QSlider(Qt::Horizontal, this);
    slider->setObjectName(QString::number(id));
    slider->setTickPosition(QSlider::TicksBelow);
    return slider;
}

CDispGeneralPage::CDispGeneralPage()
    : PropertyPage(QCoreApplication::translate("CDispGeneralPage", "一般")) {
    auto* quality = new QGroupBox(QCoreApplication::translate("CDispGeneralPage", "画質"), this);
    antialiasingBox_ = new QCheckBox(
        QCoreApplication::translate("CDispGeneralPage", "アンチエイリアス処理"), quality);
    antialiasingBox_->setObjectName(QString::number(ControlIds::kAntialiasing));
    resolutionEdit_ = NumberEdit(ControlIds::kResolution, quality);
    auto* qualityLayout = new QFormLayout(quality);
    qualityLayout->addRow(antialiasingBox_);
    qualityLayout->addRow(QCoreApplication::translate("CDispGeneralPage", "解像度"),
                          resolutionEdit_);

    auto* animation =
        new QGroupBox(QCoreApplication::translate("CDispGeneralPage", "アニメーション"), this);
    saveImagesBox_ = new QCheckBox(
        QCoreApplication::translate("CDispGeneralPage", "アニメーション画像を保存"), animation);
    saveImagesBox_->setObjectName(QString::number(ControlIds::kSaveImages));
    titleEdit_ = new QLineEdit(animation);
    titleEdit_->setObjectName(QString::number(ControlIds::kAnimationTitle));
    startEdit_ = NumberEdit(ControlIds::kAnimationStart, animation);
    auto* animationLayout = new QFormLayout(animation);
    animationLayout->addRow(saveImagesBox_);
    animationLayout->addRow(QCoreApplication::translate("CDispGeneralPage", "タイトル"),
                            titleEdit_);
    animationLayout->addRow(QCoreApplication::translate("CDispGeneralPage", "初期カウント"),
                            startEdit_);

    auto* molecule = new QGroupBox(QCoreApplication::translate("CDispGeneralPage", "分子"), this);
    frameCombo_ = new QComboBox(molecule);
    frameCombo_->setObjectName(QString::number(ControlIds::kGeometry));
    frameCombo_->setEditable(true);
    frameCombo_->setInsertPolicy(QComboBox::NoInsert);
    hideAtomsBox_ =
        new QCheckBox(QCoreApplication::translate("CDispGeneralPage", "原子を非表示"), molecule);
    hideAtomsBox_->setObjectName(QString::number(ControlIds::kHideAtoms));
    auto* moleculeLayout = new QFormLayout(molecule);
    moleculeLayout->addRow(QCoreApplication::translate("CDispGeneralPage", "表示分子番号"),
                           frameCombo_);
    moleculeLayout->addRow(hideAtomsBox_);

    const int ids[4] = {ControlIds::kWireAtomSize, ControlIds::kWireBondWidth,
                        ControlIds::kBallAtomSize, ControlIds::kBallBondWidth};
    for (int i = 0; i < 4; ++i)
        sizeSliders_[i] = AddSlider(ids[i]);
    const auto sizes = [this](const QString& title, QSlider* atom, QSlider* bond) {
        auto* box = new QGroupBox(title, this);
        auto* form = new QFormLayout(box);
        form->addRow(QCoreApplication::translate("CDispGeneralPage", "原子の大きさ"), atom);
        form->addRow(QCoreApplication::translate("CDispGeneralPage", "結合の太さ"), bond);
        return box;
    };
    auto* layout = new QGridLayout(this);
    layout->addWidget(quality, 0, 0);
    layout->addWidget(animation, 0, 1);
    layout->addWidget(molecule, 1, 0);
    layout->addWidget(sizes(QCoreApplication::translate("CDispGeneralPage", "ワイヤーフレーム"),
                            sizeSliders_[0], sizeSliders_[1]),
                      2, 0);
    layout->addWidget(sizes(QCoreApplication::translate("CDispGeneralPage", "ボール＆スティック"),
                            sizeSliders_[2], sizeSliders_[3]),
                      2, 1);
}

void CDispGeneralPage::OnInitDialog() {
    for (int g = 1; g <= frameCount; ++g)
        frameCombo_->addItem(QString::number(g));
    frameCombo_->setCurrentIndex(currentFrame);
    // Each slider: its position, then the range, which clamps a stored
    // position outside it.
    const int values[4] = {wireAtomSize, wireBondWidth, ballAtomSize, ballBondWidth};
    for (int i = 0; i < 4; ++i) {
        sizeSliders_[i]->setRange(std::min(2, values[i]), std::max(18, values[i]));
        sizeSliders_[i]->setValue(values[i]);
        sizeSliders_[i]->setRange(2, 18);
        sizeSliders_[i]->setTickInterval(2);
    }
    DoDataExchange(false);
}

bool CDispGeneralPage::DoDataExchange(bool save) {
    DataExchange::Check(save, antialiasingBox_, antialiasing);
    if (!DataExchange::Number(save, resolutionEdit_, resolution, 1, 100))
        return false;
    DataExchange::Check(save, saveImagesBox_, saveAnimationImages);
    if (!DataExchange::Text(save, titleEdit_, animationTitle, 100))
        return false;
    if (!DataExchange::Number(save, startEdit_, animationStartNumber, 0, 9999))
        return false;
    DataExchange::Check(save, hideAtomsBox_, hideAtoms);
    return true;
}

void CDispGeneralPage::OnDestroy() {
    // Text that names no geometry keeps the current one.
    const int chosen = frameCombo_->findText(frameCombo_->currentText().trimmed());
    if (chosen >= 0)
        currentFrame = chosen;
    int* sizes[4] = {&wireAtomSize, &wireBondWidth, &ballAtomSize, &ballBondWidth};
    for (int i = 0; i < 4; ++i)
        *sizes[i] = sizeSliders_[i]->value();
}
