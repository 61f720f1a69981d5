#include "platform/FileGrowthWatcher.h"

#include "platform/LocalPath.h"

#include <sys/stat.h>

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
    Stat(size_, modified_);
    // The system's notices need a name Qt can pass on (UTF-8); any other
    // is looked at by the poll alone.
    notices_ = LocalPath::IsUtf8(path);
    if (notices_)
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

void FileGrowthWatcher::Stat(qint64& size, qint64& modified) const {
    struct stat info {};
    if (::stat(LocalPath::Bytes(path_).c_str(), &info) != 0) {
        size = -1;
        modified = 0;
        return;
    }
    size = static_cast<qint64>(info.st_size);
    modified = static_cast<qint64>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
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
    if (notices_ && watcher_.files().isEmpty() && LocalPath::Exists(path_))
        watcher_.addPath(path_);
    qint64 size = -1;
    qint64 modified = 0;
    Stat(size, modified);
    if (size == size_ && modified == modified_)
        return;
    size_ = size;
    modified_ = modified;
    emit changed();
}
