#pragma once

#include <QString>
#include <QStringList>

// The most recently opened files, newest first and without duplicates, kept
// in a section of the settings store as entries "File1", "File2", ...
class RecentFileList {
public:
    RecentFileList(const QString& section, const QString& entryFormat, int size,
                   int maxDisplayLength);

    // Replaces the list with the stored one.
    void ReadList();
    // Stores the list; entries past its end are removed from the store.
    void WriteList() const;
    // Puts path (made absolute) at the front, dropping an equal older entry
    // and the oldest one when the list is full.
    void Add(const QString& path);
    void Remove(int index);
    void Remove(const QString& path);

    int Count() const { return static_cast<int>(paths_.size()); }
    // The entry at index, or an empty text past the end.
    QString operator[](int index) const;
    // The entry shortened for a menu to at most the display length: the file
    // name with as many of its last folders as fit, "..." standing for the rest.
    QString GetDisplayName(int index) const;

private:
    QString EntryName(int index) const;

    QString section_;
    QString entryFormat_;
    int size_;
    int maxDisplayLength_;
    QStringList paths_;
};
