// The interface's language: chosen from the command line, the settings and
// the environment as gettext reads it; in English every text the program
// shows (menus, tips, status texts, sheets, dialogs, message boxes, Qt's own
// dialogs) is English, and in Japanese every text is the one the program has
// always shown.

#include "AppHarness.h"

#include "app/CMainFrame.h"
#include "app/UiLanguage.h"
#include "res/CommandIds.h"
#include "res/ControlIds.h"
#include "res/Resources.h"
#include "tests/support/GaussianOutputText.h"
#include "view/CModeListDlg.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLibraryInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabBar>
#include <QTest>
#include <QTranslator>

#include <algorithm>
#include <map>

using namespace CommandIds;

namespace {

const QRegularExpression kJapanese(QStringLiteral("[\\x{3040}-\\x{30ff}\\x{4e00}-\\x{9faf}"
                                                  "\\x{ff00}-\\x{ffef}]"));

void AddAction(QStringList& texts, const QAction* action) {
    texts << action->text() << action->toolTip() << action->statusTip();
    if (action->menu() != nullptr) {
        texts << action->menu()->title();
        for (const QAction* inner : action->menu()->actions())
            AddAction(texts, inner);
    }
}

// Every text a person can read in widget and its children.
QStringList TextsOf(const QWidget* widget) {
    QStringList texts;
    QList<const QWidget*> all{widget};
    for (const QWidget* child : widget->findChildren<QWidget*>())
        all << child;
    for (const QWidget* w : all) {
        texts << w->windowTitle() << w->toolTip() << w->statusTip();
        if (auto* button = qobject_cast<const QAbstractButton*>(w))
            texts << button->text();
        if (auto* label = qobject_cast<const QLabel*>(w))
            texts << label->text();
        if (auto* box = qobject_cast<const QGroupBox*>(w))
            texts << box->title();
        if (auto* tabs = qobject_cast<const QTabBar*>(w)) {
            for (int i = 0; i < tabs->count(); ++i)
                texts << tabs->tabText(i);
        }
        if (auto* combo = qobject_cast<const QComboBox*>(w)) {
            for (int i = 0; i < combo->count(); ++i)
                texts << combo->itemText(i);
        }
        if (auto* spin = qobject_cast<const QDoubleSpinBox*>(w))
            texts << spin->prefix() << spin->suffix();
        if (auto* spin = qobject_cast<const QSpinBox*>(w))
            texts << spin->prefix() << spin->suffix();
        if (auto* header = qobject_cast<const QHeaderView*>(w)) {
            if (header->model() != nullptr) {
                for (int i = 0; i < header->count(); ++i)
                    texts << header->model()
                                 ->headerData(i, header->orientation(), Qt::DisplayRole)
                                 .toString();
            }
        }
        if (auto* bar = qobject_cast<const QStatusBar*>(w))
            texts << bar->currentMessage();
        for (const QAction* action : w->actions())
            AddAction(texts, action);
    }
    texts.removeAll(QString());
    return texts;
}

// The texts of every menu of every window kind.
QStringList MenuTexts(CMainFrame* frame) {
    QStringList texts;
    for (int resource : {ResourceIds::kMainMenu, ResourceIds::kPlaceholder, ResourceIds::kMolecule,
                         ResourceIds::kPlot, ResourceIds::kChart, ResourceIds::kSpectrum}) {
        for (QMenu* menu : frame->Menus(resource)) {
            texts << menu->title();
            for (const QAction* action : menu->actions())
                AddAction(texts, action);
        }
    }
    return texts;
}

// Carbon and oxygen with a block of three normal modes.
QByteArray FrequencyJob() {
    GaussianOutputText out(GaussianOutputText::kBanner16);
    out.Orientation("Input", {{6, 0, 0, 0}, {8, 1.2, 0, 0}});
    out.Modes({{6, 0.7, 0, 0}, {8, 0, 0, 0}}, true);
    return QByteArray::fromStdString(out.Text());
}

// The program as a person goes through it: every menu, both settings
// sheets, the display settings, the about box, the mode list, the chart,
// spectrum and plot windows, a Save As dialog and the message box a name
// without a known extension brings. Returns the texts seen, each with where
// it was seen.
QStringList WalkThrough(AppHarness& h) {
    QStringList seen;
    // The test's own folder differs from run to run.
    const QString folder = QFileInfo(h.Path(QStringLiteral("x"))).absolutePath();
    const auto note = [&seen, folder](const QString& where, const QStringList& texts) {
        for (QString text : texts)
            seen << where + QStringLiteral(": ") + text.replace(folder, QStringLiteral("FOLDER"));
    };
    h.seeEveryDialog = [&note](QWidget* dialog) {
        note(QString::fromLatin1(dialog->metaObject()->className()), TextsOf(dialog));
    };
    const QString opt =
        h.Write(QStringLiteral("opt.log"),
                QByteArray::fromStdString(GaussianOutputText::WaterOptimisation(3, 0.05)));
    const QString freq = h.Write(QStringLiteral("freq.log"), FrequencyJob());
    const QString pdb = h.Write(QStringLiteral("peptide.pdb"), Fixtures::kPeptidePdb);
    if (!h.Start(QStringList{pdb, opt, freq}) || !h.WaitForPicture())
        return {QStringLiteral("start-up failed")};
    note(QStringLiteral("menus"), MenuTexts(h.MainFrame()));

    const QString cancel = UiLanguage::Current() == UiLanguage::kEnglish
                               ? QStringLiteral("Cancel")
                               : QStringLiteral("キャンセル");
    h.QueueDialog([](QDialog&) {}, cancel);
    h.Run(kProgramSettings);
    h.QueueDialog([](QDialog&) {}, cancel);
    h.Run(kDisplaySettings);
    h.QueueDialog([](QDialog&) {}, QStringLiteral("OK"));
    h.Run(kAppAbout);
    // A name the format cannot be told from: the file dialog, then the box.
    h.QueueDialogAnswer(h.Path(QStringLiteral("x.mol2")), 4);
    h.Run(kFileSaveAs);
    note(QStringLiteral("message"), h.TakeMessages());

    h.Run(kNormalModes);
    h.Run(kIrSpectrum);
    note(QStringLiteral("main window with the spectrum"), TextsOf(h.MainFrame()));
    h.MdiActivate(1);
    h.Run(kOptimisationChart);
    note(QStringLiteral("main window with the chart"), TextsOf(h.MainFrame()));
    h.MdiActivate(0);
    h.Run(kPeptideStructure);
    note(QStringLiteral("main window with the plot"), TextsOf(h.MainFrame()));
    for (auto* list : h.MainFrame()->findChildren<CModeListDlg*>())
        note(QStringLiteral("mode list"), TextsOf(list));
    h.seeEveryDialog = nullptr;
    return seen;
}

// The access keys (the letter after "&") that two items of one menu share,
// in menus and every submenu of the menu resources, as "menu: key" lines in
// the language installed.
QStringList SharedAccessKeys(const std::vector<MenuItem>& items, const QString& where) {
    QStringList shared;
    std::map<QChar, QString> taken;
    for (const MenuItem& item : items) {
        if (item.text == nullptr || item.text[0] == 0)
            continue;
        const QString text =
            QCoreApplication::translate("Menu", item.text).section(QLatin1Char('\t'), 0, 0);
        const qsizetype amp = text.indexOf(QRegularExpression(QStringLiteral("&[^&]")));
        if (amp >= 0) {
            const QChar key = text[amp + 1].toUpper();
            const auto [at, fresh] = taken.emplace(key, text);
            if (!fresh)
                shared << QStringLiteral("%1: %2 in %3 and %4").arg(where, key, at->second, text);
        }
        if (!item.items.empty())
            shared << SharedAccessKeys(item.items, where + QStringLiteral(" > ") + text);
    }
    return shared;
}

} // namespace

class LanguageTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() {
        AppHarness::VerifyNothingUnexpected();
        UiLanguage::Install(UiLanguage::kJapanese);
    }
    void theEnvironmentTheSettingAndTheOptionChoose();
    void englishEverywhere();
    void japaneseAsAlwaysUnderJapaneseOrNoLocale();
    void noTwoItemsOfAMenuShareAnAccessKey();
};

void LanguageTest::noTwoItemsOfAMenuShareAnAccessKey() {
    QStringList shared;
    for (const UiLanguage::Kind language : {UiLanguage::kJapanese, UiLanguage::kEnglish}) {
        QVERIFY(UiLanguage::Install(language));
        for (const int menus : {ResourceIds::kMainMenu, ResourceIds::kMolecule, ResourceIds::kPlot,
                                ResourceIds::kSpectrum, ResourceIds::kChart})
            shared << SharedAccessKeys(MenuResource(menus), QString::number(menus));
    }
    QVERIFY2(shared.isEmpty(), qPrintable(shared.join(QLatin1Char('\n'))));
}

void LanguageTest::theEnvironmentTheSettingAndTheOptionChoose() {
    using L = UiLanguage;
    struct Case {
        const char *language, *lcAll, *lcMessages, *lang;
        L::Kind expected;
    };
    const Case cases[] = {
        {"", "", "", "", L::kJapanese},                 // nothing set
        {"", "", "", "C", L::kJapanese},                // the plain locales
        {"", "", "", "POSIX", L::kJapanese},            //
        {"", "", "", "C.UTF-8", L::kJapanese},          //
        {"", "", "", "ja_JP.UTF-8", L::kJapanese},      //
        {"", "", "", "ja_JP.eucJP", L::kJapanese},      //
        {"", "", "", "en_US.UTF-8", L::kEnglish},       //
        {"", "", "", "de_DE.UTF-8", L::kEnglish},       // a language not had
        {"", "", "", "fr_FR@euro", L::kEnglish},        //
        {"", "ja_JP.UTF-8", "", "en_US", L::kJapanese}, // LC_ALL first
        {"", "", "en_GB.UTF-8", "ja_JP", L::kEnglish},  // then LC_MESSAGES
        {"ja", "", "", "en_US.UTF-8", L::kJapanese},    // LANGUAGE before the locale
        {"fr:ja", "", "", "en_US.UTF-8", L::kJapanese}, // the first it has
        {"fr:de", "", "", "ja_JP.UTF-8", L::kJapanese}, // none: the locale's
        {"en", "", "", "C", L::kJapanese},              // C ignores LANGUAGE
        {"en_GB:ja", "", "", "ja_JP.UTF-8", L::kEnglish},
    };
    for (const Case& c : cases) {
        QCOMPARE(L::FromEnvironment(QString::fromLatin1(c.language), QString::fromLatin1(c.lcAll),
                                    QString::fromLatin1(c.lcMessages), QString::fromLatin1(c.lang)),
                 c.expected);
    }
    // The option over the setting; Japanese whatever the environment unless
    // the setting is to follow the desktop.
    QCOMPARE(L::Choose(QStringLiteral("ja"), L::kStoredEnglish, L::kEnglish), L::kJapanese);
    QCOMPARE(L::Choose(QStringLiteral("en"), L::kStoredJapanese, L::kJapanese), L::kEnglish);
    QCOMPARE(L::Choose(QString(), L::kStoredEnglish, L::kJapanese), L::kEnglish);
    QCOMPARE(L::Choose(QString(), L::kStoredJapanese, L::kEnglish), L::kJapanese);
    QCOMPARE(L::Choose(QString(), L::kStoredNone, L::kEnglish), L::kJapanese);
    QCOMPARE(L::Choose(QString(), L::kFollowDesktop, L::kEnglish), L::kEnglish);
    QCOMPARE(L::Choose(QString(), L::kFollowDesktop, L::kJapanese), L::kJapanese);
    QCOMPARE(L::Choose(QString(), 7, L::kEnglish), L::kJapanese); // a stored value not known
}

void LanguageTest::englishEverywhere() {
    AppHarness h;
    qputenv("LANG", "en_US.UTF-8");
    qunsetenv("LANGUAGE");
    qunsetenv("LC_ALL");
    qunsetenv("LC_MESSAGES");
    QCOMPARE(UiLanguage::SetUp(QStringLiteral("en")), UiLanguage::kEnglish);
    const QStringList seen = WalkThrough(h);
    QVERIFY2(seen.size() > 300, qPrintable(QString::number(seen.size())));
    QStringList japanese;
    for (const QString& text : seen) {
        // The language picker names Japanese in Japanese, as pickers do.
        if (kJapanese.match(text).hasMatch() && !text.endsWith(QStringLiteral(": 日本語")))
            japanese << text;
    }
    QVERIFY2(japanese.isEmpty(), qPrintable(japanese.join(QLatin1Char('\n'))));
    // What was seen is the program's English and Qt's.
    for (const char* expected :
         {"&File", "&Analysis", "Reset &View\tHome",
          "Show the window on the whole screen; again to return", "Language (from the next start)",
          "Residues", "About RAVEK", "Save As", "&Save", "The format to save", "Normal Modes",
          "Symmetry", "Ready"}) {
        const QString wanted = QStringLiteral(": ") + QString::fromUtf8(expected);
        QVERIFY2(std::any_of(seen.begin(), seen.end(),
                             [&wanted](const QString& text) { return text.contains(wanted); }),
                 expected);
    }
    // The desktop's font, not the Japanese interface's.
    QVERIFY(!QApplication::font().families().contains(QStringLiteral("IPAPGothic")));
}

void LanguageTest::japaneseAsAlwaysUnderJapaneseOrNoLocale() {
    // The program as it has always spoken: its own texts untranslated and
    // Qt's in Japanese.
    QStringList always;
    {
        QTranslator qt;
        QVERIFY(qt.load(QStringLiteral("qtbase_ja"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
        QCoreApplication::installTranslator(&qt);
        AppHarness h;
        always = WalkThrough(h);
        h.Exit();
        QCoreApplication::removeTranslator(&qt);
    }
    QVERIFY(always.contains(QStringLiteral("menus: ファイル(&F)")));
    // Japanese whatever the locale, an English one too.
    for (const char* lang : {"ja_JP.UTF-8", "", "C", "en_US.UTF-8", "de_DE.UTF-8"}) {
        qputenv("LANG", lang);
        qunsetenv("LANGUAGE");
        qunsetenv("LC_ALL");
        qunsetenv("LC_MESSAGES");
        AppHarness h;
        QCOMPARE(UiLanguage::SetUp(QString()), UiLanguage::kJapanese);
        const QStringList seen = WalkThrough(h);
        h.Exit();
        QCOMPARE(seen, always);
        QVERIFY(QApplication::font().families().contains(QStringLiteral("IPAPGothic")));
    }
    // English chosen in the settings sheet's own box is stored, and chooses
    // over a Japanese desktop; --lang chooses over the setting; following the
    // desktop is a choice of its own.
    qputenv("LANG", "ja_JP.UTF-8");
    AppHarness h;
    QVERIFY(h.Start(h.Write(QStringLiteral("a.pdb"), Fixtures::kPeptidePdb)));
    const auto choose = [&h](const QString& entry) {
        h.QueueDialog([entry](QDialog& sheet) {
            auto* box = sheet.findChild<QComboBox*>(QString::number(ControlIds::kLanguage));
            QVERIFY(box != nullptr);
            const int index = box->findText(entry);
            QVERIFY(index >= 0);
            box->setCurrentIndex(index);
        });
        h.Run(kProgramSettings);
    };
    h.QueueDialog([](QDialog& sheet) {
        auto* box = sheet.findChild<QComboBox*>(QString::number(ControlIds::kLanguage));
        QVERIFY(box != nullptr);
        QCOMPARE(box->currentText(), QStringLiteral("日本語")); // none chosen yet
    });
    h.Run(kProgramSettings);
    choose(QStringLiteral("デスクトップに合わせる"));
    QCOMPARE(h.Stored("Language"), static_cast<int>(UiLanguage::kFollowDesktop));
    qputenv("LANG", "en_US.UTF-8");
    QCOMPARE(UiLanguage::SetUp(QString()), UiLanguage::kEnglish);
    UiLanguage::Install(UiLanguage::kJapanese);
    qputenv("LANG", "ja_JP.UTF-8");
    choose(QStringLiteral("English"));
    QCOMPARE(h.Stored("Language"), static_cast<int>(UiLanguage::kStoredEnglish));
    QCOMPARE(UiLanguage::SetUp(QString()), UiLanguage::kEnglish);
    QCOMPARE(QCoreApplication::translate("Menu", "ファイル(&F)"), QStringLiteral("&File"));
    QCOMPARE(UiLanguage::SetUp(QStringLiteral("ja")), UiLanguage::kJapanese);
    QCOMPARE(QCoreApplication::translate("Menu", "ファイル(&F)"), QStringLiteral("ファイル(&F)"));
}

#include "GuiTestMain.h"
RAVEK_GUI_TEST_MAIN(LanguageTest)
#include "LanguageTest.moc"
