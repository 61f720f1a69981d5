#include "view/CMovieDlg.h"

#include "platform/Profile.h"
#include "render/OffscreenPicture.h"
#include "res/SettingsKeys.h"

#include <QCheckBox>
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

namespace {

QSpinBox* Spin(int low, int high, int value, QWidget* parent) {
    auto* box = new QSpinBox(parent);
    box->setRange(low, high);
    box->setValue(std::clamp(value, low, high));
    return box;
}

} // namespace

CMovieDlg::CMovieDlg(int geometries, const std::vector<double>& frequencies, int mode, QSize window,
                     bool gif, QWidget* parent, std::vector<int> path)
    : QDialog(parent), path_(std::move(path)) {
    const int modes = static_cast<int>(frequencies.size());
    setWindowTitle(gif ? QCoreApplication::translate("CMovieDlg", "GIF 動画保存")
                       : QCoreApplication::translate("CMovieDlg", "MP4 動画保存"));
    auto* content = new QGroupBox(QCoreApplication::translate("CMovieDlg", "内容"), this);
    optimisation = new QRadioButton(
        QCoreApplication::translate("CMovieDlg", "最適化の経過: ステップ"), content);
    vibration =
        new QRadioButton(QCoreApplication::translate("CMovieDlg", "基準振動: 番号"), content);
    const int last = std::max(1, geometries);
    firstBox = Spin(1, last, 1, content);
    lastBox = Spin(1, last, last, content);
    modeBox = Spin(1, std::max(1, modes), mode + 1, content);
    framesBox = Spin(2, 200, Profile::Read(Settings::kMovieFramesPerPeriod), content);
    auto* grid = new QGridLayout(content);
    grid->addWidget(optimisation, 0, 0);
    grid->addWidget(firstBox, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("–"), content), 0, 2);
    grid->addWidget(lastBox, 0, 3);
    grid->addWidget(vibration, 1, 0);
    grid->addWidget(modeBox, 1, 1);
    // The mode's frequency beside its number.
    frequencyLabel = new QLabel(content);
    frequencyLabel->setObjectName(QStringLiteral("modeFrequency"));
    // An imaginary frequency (printed negative) with an i, as the mode list
    // shows it.
    const auto name = [this, frequencies](int number) {
        const std::size_t k = static_cast<std::size_t>(number - 1);
        if (k >= frequencies.size()) {
            frequencyLabel->clear();
            return;
        }
        const double f = frequencies[k];
        frequencyLabel->setText(f < 0.0 ? QStringLiteral("%1i cm⁻¹").arg(-f, 0, 'f', 1)
                                        : QStringLiteral("%1 cm⁻¹").arg(f, 0, 'f', 1));
    };
    name(modeBox->value());
    connect(modeBox, qOverload<int>(&QSpinBox::valueChanged), this, name);
    grid->addWidget(frequencyLabel, 1, 2, 1, 2);
    grid->addWidget(new QLabel(QCoreApplication::translate("CMovieDlg", "1 周期のコマ数"), content),
                    2, 0, Qt::AlignRight);
    grid->addWidget(framesBox, 2, 1);
    alongPath = new QRadioButton(
        QCoreApplication::translate("CMovieDlg", "反応経路: 反応の順に %1 点").arg(path_.size()),
        content);
    alongPath->setVisible(!path_.empty());
    grid->addWidget(alongPath, 3, 0, 1, 4);
    grid->setColumnStretch(4, 1);
    optimisation->setEnabled(geometries > 0);
    vibration->setEnabled(modes > 0);
    (modes > 0 && geometries < 2 ? vibration : optimisation)->setChecked(true);
    const auto follow = [this] {
        firstBox->setEnabled(optimisation->isChecked());
        lastBox->setEnabled(optimisation->isChecked());
        modeBox->setEnabled(vibration->isChecked());
        framesBox->setEnabled(vibration->isChecked());
    };
    connect(optimisation, &QRadioButton::toggled, this, follow);
    follow();

    widthBox = Spin(16, OffscreenPicture::kLargestSide, window.width(), this);
    heightBox = Spin(16, OffscreenPicture::kLargestSide, window.height(), this);
    for (QSpinBox* box : {widthBox, heightBox})
        box->setSuffix(QStringLiteral(" px"));
    fpsBox = Spin(1, 60, Profile::Read(Settings::kMovieFps), this);
    loopBox = new QCheckBox(QCoreApplication::translate("CMovieDlg", "繰り返し再生する"), this);
    loopBox->setChecked(Profile::Read(Settings::kMovieLoop) != 0);
    loopBox->setEnabled(gif);
    auto* sizeRow = new QHBoxLayout;
    sizeRow->addWidget(widthBox);
    sizeRow->addWidget(new QLabel(QStringLiteral("×"), this));
    sizeRow->addWidget(heightBox);
    auto* form = new QFormLayout;
    form->addRow(QCoreApplication::translate("CMovieDlg", "コマの大きさ"), sizeRow);
    form->addRow(QCoreApplication::translate("CMovieDlg", "コマ/秒"), fpsBox);
    form->addRow(loopBox);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(content);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

MovieRequest CMovieDlg::Request(double amplitude) const {
    MovieRequest request;
    request.amplitude = amplitude;
    if (alongPath->isChecked()) {
        request.kind = MovieRequest::kPath;
        request.geometries = path_;
    } else if (vibration->isChecked()) {
        request.kind = MovieRequest::kVibration;
        request.mode = modeBox->value() - 1;
        request.framesPerPeriod = framesBox->value();
    } else {
        request.first = std::min(firstBox->value(), lastBox->value()) - 1;
        request.last = std::max(firstBox->value(), lastBox->value()) - 1;
    }
    return request;
}

QSize CMovieDlg::FrameSize() const {
    return {widthBox->value(), heightBox->value()};
}

int CMovieDlg::Fps() const {
    return fpsBox->value();
}

bool CMovieDlg::Loop() const {
    return !loopBox->isEnabled() || loopBox->isChecked();
}

void CMovieDlg::accept() {
    Profile::Write(Settings::kMovieFps, fpsBox->value());
    Profile::Write(Settings::kMovieFramesPerPeriod, framesBox->value());
    if (loopBox->isEnabled())
        Profile::Write(Settings::kMovieLoop, loopBox->isChecked() ? 1 : 0);
    QDialog::accept();
}
