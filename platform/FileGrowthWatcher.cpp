#include "platform/FileGrowthWatcher.h"

#include <QFileInfo>

FileGrowthWatcher::FileGrowthWatcher(QObject* parent) : QObject(parent) {
    settle_.setSingleShot(true);
    settle_.setInterval(kSettleMs);
    poll_.setInterval(kPollMs);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &FileGrowthWatcher::Noticed);
    connect(&settle_, &QTimer::timeout, this, &FileGrowthWatcher::Look);
    connect(&poll_, &QTimer::timeout, this, &FileGrowthWatcher::Look);
}

void FileGrowthWatcher::Watch(const QString& path) {
    Stop();
    if (path.isEmpty())
        return;
    path_ = path;
    const QFileInfo info(path);
    size_ = info.size();
    modified_ = info.lastModified();
    watcher_.addPath(path);
    poll_.start();
}

void FileGrowthWatcher::Stop() {
    if (!watcher_.files().isEmpty())
        watcher_.removePaths(watcher_.files());
    settle_.stop();
    poll_.stop();
    path_.clear();
}

void FileGrowthWatcher::Noticed() {
    if (!settle_.isActive())
        settle_.start();
}

void FileGrowthWatcher::Look() {
    if (path_.isEmpty())
        return;
    // A file replaced by renaming another onto its name, or deleted and
    // written anew, is no longer the one the system watches.
    if (watcher_.files().isEmpty() && QFileInfo::exists(path_))
        watcher_.addPath(path_);
    const QFileInfo info(path_);
    const qint64 size = info.exists() ? info.size() : -1;
    const QDateTime modified = info.lastModified();
    if (size == size_ && modified == modified_)
        return;
    size_ = size;
    modified_ = modified;
    emit changed();
}
