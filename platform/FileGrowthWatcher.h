#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

// Tells when a file has been written to: the file system's notice, and a
// look at its size and time every poll interval for file systems whose
// notices do not come (network drives). Notices close together are taken
// as one, so a program writing a step in many small pieces wakes the reader
// once.
class FileGrowthWatcher : public QObject {
    Q_OBJECT
public:
    explicit FileGrowthWatcher(QObject* parent = nullptr);

    // Watches path from now on (an empty path: nothing).
    void Watch(const QString& path);
    void Stop();
    const QString& Path() const { return path_; }

    static constexpr int kSettleMs = 150;
    static constexpr int kPollMs = 2000;

signals:
    // The file's size or time is not what it was at the last notice.
    void changed();

private:
    void Look();
    void Noticed();
    // The file's size (-1 when it is not there) and time of change, in ns.
    void Stat(qint64& size, qint64& modified) const;

    QString path_;
    QFileSystemWatcher watcher_;
    QTimer settle_;
    QTimer poll_;
    qint64 size_ = -1;
    qint64 modified_ = 0;
    bool notices_ = false; // the system tells of changes (a name Qt can pass on)
};
