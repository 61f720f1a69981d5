#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <vector>

struct MolDocState;

// The moving pictures of a molecule window: the animation through its
// document's geometries (a step every 200 ms) and the vibration along the
// mode shown (x = x0 + A sin(2πt/T) d, about every 40 ms), each saving
// numbered pictures when the document asks. It signals what it shows; the
// window draws it.
class Animator : public QObject {
    Q_OBJECT
public:
    // document gives the document state the animation steps through (null
    // while there is none); writePicture saves the picture shown now as a
    // 24-bit bitmap at path, false (after its message) when it cannot.
    Animator(std::function<MolDocState*()> document,
             std::function<bool(const QString&)> writePicture);
    ~Animator() override;

    // From the first geometry on, in every window of the document; or
    // through the geometries of sequence in its order (a reaction path's
    // points) when it is not empty.
    void StartAnimation(std::vector<int> sequence = {});
    // One step of the animation; the timer calls it.
    void OnTimer();
    // Stops stepping when the document's animation ended elsewhere (a new
    // model read).
    void FollowDocument();

    // The vibration starts at rest; with the document's animation pictures
    // switched on, its first period is saved as kVibrationFrames numbered
    // pictures. Stopping returns the atoms to rest.
    void StartVibration();
    void StopVibration();
    bool IsVibrating() const { return vibrating_; }
    // One step of the vibration at time t seconds since it started.
    void VibrationStep(double t);

    QTimer animationTimer;
    QTimer vibrationTimer;
    double vibrationAmplitude = 0.5; // Å per unit of displacement
    double vibrationPeriod = 1.0;    // seconds
    static constexpr int kVibrationFrames = 20;

signals:
    // The animation showed the document's next geometry (or ended): every
    // window of the document is to show it.
    void geometryStepped();
    // The atoms' offset along the mode (Å per unit of displacement), 0 at
    // rest.
    void vibrationMoved(double offset);
    // The vibration stopped (asked, or its model went).
    void vibrationStopped();

private:
    void OnVibrationTimer();
    // The next numbered picture's path for the document's title.
    QString NextPicturePath(const MolDocState& document);

    std::function<MolDocState*()> document_;
    std::function<bool(const QString&)> writePicture_;
    QElapsedTimer vibrationClock_;
    int vibrationPicturesLeft_ = 0; // of the first period, while saving
    int pictureNumber_ = 0;
    bool vibrating_ = false;
    // The geometries of a sequence animation, and the step it is at.
    std::vector<int> sequence_;
    int step_ = 0;
};
