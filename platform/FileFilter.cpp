#include "platform/FileFilter.h"

FileFilter::FileFilter(const QString& filterText) {
    const QStringList parts = filterText.split(QLatin1Char('|'));
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty())
            break;
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& pattern : patterns) {
            pattern = pattern.trimmed();
            // "*.*" means every file, also those without a dot in their name.
            if (pattern == QLatin1String("*.*"))
                pattern = QStringLiteral("*");
        }
        texts_.append(parts[i]);
        const QString first = patterns.isEmpty() ? QString() : patterns.front();
        extensions_.append(first.startsWith(QLatin1String("*.")) &&
                                   first.indexOf(QLatin1Char('*'), 1) < 0
                               ? first.mid(2)
                               : QString());
        // Qt takes the patterns from the last parentheses and, with filter
        // details hidden, shows what stands before them: the text as given.
        nameFilters_.append(parts[i] + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                            QLatin1Char(')'));
    }
}

int FileFilter::IndexOf(const QString& nameFilter) const {
    // Qt's own dialog hands back the name filter whole, or, with its details
    // hidden, only the text shown; a platform dialog may trim either.
    const QString wanted = nameFilter.trimmed();
    for (int i = 0; i < Count(); ++i) {
        if (nameFilters_[i].trimmed() == wanted || texts_[i].trimmed() == wanted)
            return i + 1;
    }
    return 0;
}

QString FileFilter::At(int index) const {
    if (nameFilters_.isEmpty())
        return QString();
    return index >= 1 && index <= Count() ? nameFilters_[index - 1] : nameFilters_.front();
}

QString FileFilter::Text(int index) const {
    return index >= 1 && index <= Count() ? texts_[index - 1] : QString();
}

QString FileFilter::Extension(int index) const {
    return index >= 1 && index <= Count() ? extensions_[index - 1] : QString();
}
