#include "app/UserGuide.h"

#include "app/UiLanguage.h"
#include "io/InstalledFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace {

QString GuideFile(const char* name) {
    return QFile::decodeName(
        InstalledFile(QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString(),
                      RAVEK_DOC_FROM_BIN, name)
            .c_str());
}

} // namespace

QString UserGuidePath() {
    if (UiLanguage::Current() == UiLanguage::kJapanese) {
        const QString japanese = GuideFile("user-guide.ja.md");
        if (QFileInfo::exists(japanese))
            return japanese;
    }
    return GuideFile("user-guide.md");
}
