#include "view/CPictureOptionsDlg.h"

#include "platform/Profile.h"
#include "render/OffscreenPicture.h"
#include "res/SettingsKeys.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

CPictureOptionsDlg::CPictureOptionsDlg(QSize window, bool withAlpha, QWidget* parent)
    : QDialog(parent), window_(window) {
    setWindowTitle(QCoreApplication::translate("CPictureOptionsDlg", "画像の設定"));
    auto* size = new QGroupBox(QCoreApplication::translate("CPictureOptionsDlg", "大きさ"), this);
    sizeModes = new QButtonGroup(this);
    auto* windowButton = new QRadioButton(
        QCoreApplication::translate("CPictureOptionsDlg", "ウィンドウと同じ (%1 × %2)")
            .arg(window.width())
            .arg(window.height()),
        size);
    auto* scaledButton =
        new QRadioButton(QCoreApplication::translate("CPictureOptionsDlg", "ウィンドウの"), size);
    auto* pixelsButton =
        new QRadioButton(QCoreApplication::translate("CPictureOptionsDlg", "幅 × 高さ"), size);
    sizeModes->addButton(windowButton, kWindowSize);
    sizeModes->addButton(scaledButton, kScaled);
    sizeModes->addButton(pixelsButton, kPixels);
    scaleBox = new QComboBox(size);
    for (int n : {2, 3, 4})
        scaleBox->addItem(QCoreApplication::translate("CPictureOptionsDlg", "%1 倍").arg(n), n);
    widthBox = new QSpinBox(size);
    heightBox = new QSpinBox(size);
    for (QSpinBox* box : {widthBox, heightBox}) {
        box->setRange(16, OffscreenPicture::kLargestSide);
        box->setSuffix(QStringLiteral(" px"));
    }
    auto* grid = new QGridLayout(size);
    grid->addWidget(windowButton, 0, 0, 1, 4);
    grid->addWidget(scaledButton, 1, 0);
    grid->addWidget(scaleBox, 1, 1);
    grid->addWidget(pixelsButton, 2, 0);
    grid->addWidget(widthBox, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("×"), size), 2, 2);
    grid->addWidget(heightBox, 2, 3);

    dpiBox = new QSpinBox(this);
    dpiBox->setRange(0, 10000);
    dpiBox->setSpecialValueText(QCoreApplication::translate("CPictureOptionsDlg", "書き込まない"));
    dpiBox->setSuffix(QStringLiteral(" dpi"));
    transparentBox =
        new QCheckBox(QCoreApplication::translate("CPictureOptionsDlg", "背景を透明にする"), this);
    auto* file = new QFormLayout;
    file->addRow(QCoreApplication::translate("CPictureOptionsDlg", "解像度"), dpiBox);
    file->addRow(transparentBox);
    dpiBox->setEnabled(withAlpha);
    transparentBox->setEnabled(withAlpha);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(size);
    layout->addLayout(file);
    layout->addWidget(buttons);

    // The window's size each time; the resolution and background as last
    // chosen.
    sizeModes->button(kWindowSize)->setChecked(true);
    widthBox->setValue(window.width());
    heightBox->setValue(window.height());
    dpiBox->setValue(withAlpha ? Profile::Read(Settings::kPictureDpi) : 0);
    transparentBox->setChecked(withAlpha && Profile::Read(Settings::kPictureTransparent) != 0);
}

QSize CPictureOptionsDlg::PictureSize() const {
    switch (sizeModes->checkedId()) {
    case kScaled: {
        const int n = scaleBox->currentData().toInt();
        return {std::min(window_.width() * n, OffscreenPicture::kLargestSide),
                std::min(window_.height() * n, OffscreenPicture::kLargestSide)};
    }
    case kPixels:
        return {widthBox->value(), heightBox->value()};
    default:
        return window_;
    }
}

double CPictureOptionsDlg::Scale() const {
    // The view's field of view is fixed in height: the molecule, and so its
    // lines and labels, grow with the picture's height against the window's.
    if (sizeModes->checkedId() == kWindowSize || window_.height() <= 0)
        return 1.0;
    return static_cast<double>(PictureSize().height()) / window_.height();
}

int CPictureOptionsDlg::DotsPerInch() const {
    return dpiBox->isEnabled() ? dpiBox->value() : 0;
}

bool CPictureOptionsDlg::Transparent() const {
    return transparentBox->isEnabled() && transparentBox->isChecked();
}

void CPictureOptionsDlg::accept() {
    if (dpiBox->isEnabled()) {
        Profile::Write(Settings::kPictureDpi, dpiBox->value());
        Profile::Write(Settings::kPictureTransparent, transparentBox->isChecked() ? 1 : 0);
    }
    QDialog::accept();
}
