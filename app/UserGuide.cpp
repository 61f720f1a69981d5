#include "app/UserGuide.h"

#include "io/InstalledFile.h"

#include <QCoreApplication>
#include <QFile>

QString UserGuidePath() {
    return QFile::decodeName(
        InstalledFile(QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString(),
                      RAVEK_DOC_FROM_BIN, "README.md")
            .c_str());
}
