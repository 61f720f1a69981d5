#include "view/Animator.h"

#include "render/MolDocState.h"

#include <cmath>
#include <utility>

Animator::Animator(std::function<MolDocState*()> document,
                   std::function<bool(const QString&)> writePicture)
    : document_(std::move(document)), writePicture_(std::move(writePicture)) {
    animationTimer.setInterval(200);
    connect(&animationTimer, &QTimer::timeout, this, &Animator::OnTimer);
    vibrationTimer.setInterval(40);
    connect(&vibrationTimer, &QTimer::timeout, this, &Animator::OnVibrationTimer);
}

Animator::~Animator() {
    animationTimer.stop();
    vibrationTimer.stop();
}

QString Animator::NextPicturePath(const MolDocState& document) {
    // The title is used as it stands, so it may name a folder.
    return QString::fromStdString(document.animationTitle) +
           QString::asprintf("%04d.bmp", pictureNumber_++);
}

void Animator::StartAnimation(std::vector<int> sequence) {
    MolDocState* document = document_();
    if (document == nullptr || document->data == nullptr)
        return;
    pictureNumber_ = document->animationStartNumber;
    sequence_ = std::move(sequence);
    step_ = 0;
    document->animationFrame = sequence_.empty() ? 0 : sequence_.front();
    document->animating = 1;
    animationTimer.start();
    emit geometryStepped();
}

void Animator::OnTimer() {
    MolDocState* document = document_();
    if (document == nullptr)
        return;
    if (document->data == nullptr) {
        animationTimer.stop();
        document->animating = 0;
        return;
    }
    if (document->saveAnimationImages != 0 && step_ > 0) {
        // The timer waits while the picture is written; a picture that cannot
        // be written (after its message) ends the animation.
        animationTimer.stop();
        if (!writePicture_(NextPicturePath(*document)))
            document->animating = 0;
        else if (document->animating != 0)
            animationTimer.start();
    }
    ++step_;
    const int steps =
        sequence_.empty() ? document->data->frameCount : static_cast<int>(sequence_.size());
    if (sequence_.empty())
        document->animationFrame = step_;
    else if (step_ < steps)
        document->animationFrame = sequence_[static_cast<std::size_t>(step_)];
    if (step_ >= steps || document->animationFrame >= document->data->frameCount ||
        document->animating == 0) {
        animationTimer.stop();
        document->animating = 0;
    }
    emit geometryStepped();
}

void Animator::FollowDocument() {
    const MolDocState* document = document_();
    if (document != nullptr && document->animating == 0 && animationTimer.isActive())
        animationTimer.stop();
}

void Animator::StartVibration() {
    const MolDocState* document = document_();
    vibrationPicturesLeft_ =
        document != nullptr && document->saveAnimationImages != 0 ? kVibrationFrames : 0;
    pictureNumber_ = document != nullptr ? document->animationStartNumber : 0;
    vibrationClock_.start();
    vibrating_ = true;
    vibrationTimer.start();
}

void Animator::StopVibration() {
    vibrating_ = false;
    vibrationTimer.stop();
    vibrationPicturesLeft_ = 0;
    emit vibrationMoved(0.0);
    emit vibrationStopped();
}

void Animator::VibrationStep(double t) {
    emit vibrationMoved(vibrationAmplitude * std::sin(2.0 * M_PI * t / vibrationPeriod));
}

void Animator::OnVibrationTimer() {
    const MolDocState* document = document_();
    if (document == nullptr || document->data == nullptr) {
        StopVibration();
        return;
    }
    if (vibrationPicturesLeft_ > 0) {
        // The first period in equal steps, each saved as it is drawn. The
        // timer waits while a picture is written (a failure's message must
        // not be followed by the next step's), and saving ends at the first
        // failure.
        const int step = kVibrationFrames - vibrationPicturesLeft_;
        VibrationStep(vibrationPeriod * step / kVibrationFrames);
        vibrationTimer.stop();
        const bool written = writePicture_(NextPicturePath(*document));
        vibrationPicturesLeft_ = written ? vibrationPicturesLeft_ - 1 : 0;
        if (vibrationPicturesLeft_ == 0)
            vibrationClock_.start();
        if (vibrating_)
            vibrationTimer.start();
        return;
    }
    VibrationStep(static_cast<double>(vibrationClock_.elapsed()) / 1000.0);
}
