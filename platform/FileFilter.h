#pragma once

#include <QString>
#include <QStringList>

// A file-dialog filter written as "Text|*.a; *.b|Text 2|*.c||": pairs of a
// text shown to the user and its patterns. Each pair becomes one Qt name
// filter that shows the text unchanged and matches its patterns; pairs are
// numbered from 1 in dialog order.
class FileFilter {
public:
    explicit FileFilter(const QString& filterText);

    const QStringList& NameFilters() const { return nameFilters_; }
    int Count() const { return static_cast<int>(nameFilters_.size()); }
    // The 1-based number of a name filter, given whole or as its text alone
    // (as a dialog that hides filter details reports it); 0 when it is none
    // of them.
    int IndexOf(const QString& nameFilter) const;
    // The name filter of a 1-based number; the first one when out of range.
    QString At(int index) const;
    // The text part of a 1-based number.
    QString Text(int index) const;
    // The extension of a 1-based number's first pattern ("bmp" for
    // "*.bmp; *.dib"); empty for one of every file or out of range.
    QString Extension(int index) const;

private:
    QStringList texts_;
    QStringList extensions_;
    QStringList nameFilters_;
};
