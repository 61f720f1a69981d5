#include "app/UserGuide.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString UserGuidePath() {
    const QString folder = QCoreApplication::applicationDirPath();
    const QString beside = folder + QStringLiteral("/README.md");
    const QString installed = QDir::cleanPath(folder + QStringLiteral("/" RAVEK_DOC_FROM_BIN) +
                                              QStringLiteral("/README.md"));
    if (!QFileInfo::exists(beside) && QFileInfo::exists(installed))
        return installed;
    return beside;
}
