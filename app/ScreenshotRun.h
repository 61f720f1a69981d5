#pragma once

#include <QObject>
#include <QString>

class CRavekApp;

// The --screenshot mode: once the active molecule window has drawn its first
// picture, saves a picture of the whole main window and leaves the program
// the way File > Exit does.
class ScreenshotRun : public QObject {
    Q_OBJECT
public:
    ScreenshotRun(CRavekApp& app, const QString& outPath);

    // The exit code: 0, or 1 when the picture could not be written.
    int ExitCode() const { return exitCode_; }

private:
    void Capture();

    CRavekApp& app_;
    QString outPath_;
    bool done_ = false;
    int exitCode_ = 0;
};
