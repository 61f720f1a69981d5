#include "platform/RecentFileList.h"
#include "platform/LocalPath.h"

#include "platform/Profile.h"

#include <QDir>
#include <QFileInfo>

RecentFileList::RecentFileList(const QString& section, const QString& entryFormat, int size,
                               int maxDisplayLength)
    : section_(section), entryFormat_(entryFormat), size_(size),
      maxDisplayLength_(maxDisplayLength) {}

QString RecentFileList::EntryName(int index) const {
    return entryFormat_.arg(index + 1);
}

void RecentFileList::ReadList() {
    paths_.clear();
    for (int i = 0; i < size_; ++i) {
        const QString path = Profile::GetPath(section_, EntryName(i));
        if (!path.isEmpty() && !paths_.contains(path))
            paths_.append(path);
    }
}

void RecentFileList::WriteList() const {
    for (int i = 0; i < size_; ++i)
        Profile::WritePath(section_, EntryName(i), (*this)[i]);
}

void RecentFileList::Add(const QString& path) {
    const QString absolute = LocalPath::Absolute(path);
    paths_.removeAll(absolute);
    paths_.prepend(absolute);
    while (paths_.size() > size_)
        paths_.removeLast();
}

void RecentFileList::Remove(int index) {
    if (index >= 0 && index < paths_.size())
        paths_.removeAt(index);
}

void RecentFileList::Remove(const QString& path) {
    paths_.removeAll(path);
}

QString RecentFileList::operator[](int index) const {
    return index >= 0 && index < paths_.size() ? paths_[index] : QString();
}

QString RecentFileList::GetDisplayName(int index) const {
    const QString path = QDir::toNativeSeparators(LocalPath::Display((*this)[index]));
    if (path.size() <= maxDisplayLength_)
        return path;
    const QChar separator = QDir::separator();
    const QStringList parts = path.split(separator);
    QString shown = parts.last();
    const QString ellipsis = QStringLiteral("...");
    // Folders are taken from the end while the result, with the first
    // component and the ellipsis in front, still fits.
    const QString head = parts.first() + separator + ellipsis + separator;
    for (int i = static_cast<int>(parts.size()) - 2; i > 0; --i) {
        const QString longer = parts[i] + separator + shown;
        if (head.size() + longer.size() > maxDisplayLength_)
            break;
        shown = longer;
    }
    return head.size() + shown.size() <= maxDisplayLength_ ? head + shown : shown;
}
