#include "app/UiLanguage.h"

#include "platform/Profile.h"
#include "res/SettingsKeys.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QTranslator>

UiLanguage::Kind UiLanguage::current_ = UiLanguage::kJapanese;

namespace {

// The language part of a locale name: "ja" of "ja_JP.UTF-8", "en" of "en".
QString LanguageOf(const QString& locale) {
    QString name = locale.section(QLatin1Char('.'), 0, 0).section(QLatin1Char('@'), 0, 0);
    return name.section(QLatin1Char('_'), 0, 0).toLower();
}

bool IsPlainLocale(const QString& locale) {
    const QString language = LanguageOf(locale);
    return language.isEmpty() || language == QLatin1String("c") ||
           language == QLatin1String("posix");
}

} // namespace

UiLanguage::Kind UiLanguage::FromEnvironment(const QString& language, const QString& lcAll,
                                             const QString& lcMessages, const QString& lang) {
    const QString messages = !lcAll.isEmpty() ? lcAll : !lcMessages.isEmpty() ? lcMessages : lang;
    if (IsPlainLocale(messages))
        return kJapanese;
    // The first language of the list the program has, as gettext takes it;
    // the locale's own language after the list.
    QStringList wanted = language.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    wanted.append(messages);
    for (const QString& entry : wanted) {
        const QString code = LanguageOf(entry);
        if (code == QLatin1String("ja"))
            return kJapanese;
        if (code == QLatin1String("en"))
            return kEnglish;
    }
    return kEnglish;
}

UiLanguage::Kind UiLanguage::FromEnvironment() {
    return FromEnvironment(qEnvironmentVariable("LANGUAGE"), qEnvironmentVariable("LC_ALL"),
                           qEnvironmentVariable("LC_MESSAGES"), qEnvironmentVariable("LANG"));
}

UiLanguage::Kind UiLanguage::Choose(const QString& option, int stored, Kind environment) {
    if (option == QLatin1String("ja"))
        return kJapanese;
    if (option == QLatin1String("en"))
        return kEnglish;
    if (stored == kStoredEnglish)
        return kEnglish;
    if (stored == kFollowDesktop)
        return environment;
    return kJapanese;
}

bool UiLanguage::Install(Kind kind) {
    current_ = kind;
    // Translators stay installed for the life of the program.
    static QTranslator program, qt;
    QCoreApplication::removeTranslator(&program);
    QCoreApplication::removeTranslator(&qt);
    // The desktop's font, as the application had it before any language.
    static const QFont desktopFont = QApplication::font();
    const QString qtTexts = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    bool loaded = true;
    if (kind == kJapanese) {
        if (qt.load(QStringLiteral("qtbase_ja"), qtTexts))
            QCoreApplication::installTranslator(&qt);
        QFont font = desktopFont;
        font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic")});
        font.setPointSize(9);
        QApplication::setFont(font);
    } else {
        loaded = program.load(QStringLiteral(":/translations/ravek_en.qm"));
        if (loaded)
            QCoreApplication::installTranslator(&program);
        // Qt's own texts are English already.
        QApplication::setFont(desktopFont);
    }
    return loaded;
}

UiLanguage::Kind UiLanguage::SetUp(const QString& option) {
    const Kind kind = Choose(option, Profile::Read(Settings::kLanguage), FromEnvironment());
    Install(kind);
    return kind;
}
