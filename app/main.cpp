// RAVEK, the molecular-structure viewer.
//
//   ravek [FILE]                      opens FILE, or one empty molecule window
//   ravek --screenshot OUT.png [FILE] saves a picture of the main window once
//                                     the first picture is drawn, then exits
//   ravek --export-picture OUT [--size WxH] [--style wire|ball|ribbon] FILE
//                                     draws FILE off-screen into OUT, no window

#include "app/AppIcon.h"
#include "app/CMainFrame.h"
#include "app/CMolDoc.h"
#include "app/CRavekApp.h"
#include "app/PictureExport.h"
#include "app/ScreenshotRun.h"
#include "platform/ChildFrame.h"
#include "platform/MessageBox.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QSurfaceFormat>
#include <QTranslator>

#include <clocale>
#include <cstdio>
#include <memory>

namespace {

int Usage(const char* message) {
    std::fprintf(stderr, "ravek: %s\nusage: ravek [--screenshot OUT.png] [FILE]\n", message);
    return 2;
}

void SetUpFormat() {
    // Immediate-mode drawing needs a compatibility context; depth for the
    // model, no alpha.
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setDepthBufferSize(24);
    format.setAlphaBufferSize(0);
    QSurfaceFormat::setDefaultFormat(format);
    QApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

void SetUpLanguage(QApplication& app, QTranslator& translator) {
    // Qt's own dialogs in Japanese, like the rest of the program.
    if (translator.load(QStringLiteral("qtbase_ja"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&translator);
    QApplication::setWindowIcon(AppIcon());
    // Toolbar icons from the desktop's theme, else from the common one.
    QIcon::setFallbackThemeName(QStringLiteral("Adwaita"));
    QFont font = app.font();
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic")});
    font.setPointSize(9);
    app.setFont(font);
}

} // namespace

int main(int argc, char** argv) {
    SetUpFormat();
    // Batch pictures take their arguments before Qt sees them, since Qt
    // would take --style for itself.
    QStringList ownArguments;
    for (int i = 1; i < argc; ++i)
        ownArguments << QString::fromLocal8Bit(argv[i]);
    const bool exportPicture = ownArguments.contains(QStringLiteral("--export-picture"));
    int qtArgc = exportPicture ? 1 : argc;
    QApplication app(qtArgc, argv);
    QApplication::setApplicationName(QStringLiteral("RAVEK"));
    QApplication::setApplicationVersion(QStringLiteral(RAVEK_VERSION));
    // Qt takes the C library's locale from the environment; numbers in
    // structure files are read and written in the C locale all the same.
    std::setlocale(LC_NUMERIC, "C");
    QTranslator translator;
    SetUpLanguage(app, translator);

    if (exportPicture) {
        QCoreApplication::setOrganizationName(QStringLiteral("Pralt Software"));
        return RunPictureExport(ownArguments);
    }
    const QStringList args = QApplication::arguments();
    QString screenshot;
    QString file;
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--screenshot")) {
            if (i + 1 >= args.size())
                return Usage("--screenshot needs a file name");
            screenshot = args[++i];
        } else if (args[i].startsWith(QLatin1Char('-')) && args[i] != QLatin1String("-")) {
            return Usage(qPrintable(QStringLiteral("unknown option ") + args[i]));
        } else if (file.isEmpty()) {
            file = args[i];
        } else {
            return Usage("only one file can be opened from the command line");
        }
    }

    // A picture taken without a person: no box may wait for an answer.
    if (!screenshot.isEmpty())
        MessageBox::SetBatchMode(true);
    CRavekApp ravek;
    if (!ravek.InitInstance(file))
        return 1;
    std::unique_ptr<ScreenshotRun> run;
    bool noMolecule = false;
    QString why;
    if (!screenshot.isEmpty()) {
        if (!file.isEmpty()) {
            ChildFrame* frame = ravek.MainFrame()->ActiveChildFrame();
            auto* document =
                frame != nullptr ? dynamic_cast<CMolDoc*>(frame->GetActiveDocument()) : nullptr;
            noMolecule = document == nullptr || document->data == nullptr;
            if (document != nullptr)
                why = document->GetLoadMessage();
        }
        run = std::make_unique<ScreenshotRun>(ravek, screenshot);
    }
    const int code = QApplication::exec();
    if (run != nullptr) {
        if (noMolecule)
            std::fprintf(stderr, "ravek: %s\n",
                         why.isEmpty() ? qPrintable(file + QStringLiteral(" gave no molecule"))
                                       : why.toLocal8Bit().constData());
        if (run->ExitCode() != 0)
            return run->ExitCode();
        return noMolecule || MessageBox::ErrorWasReported() ? 1 : code;
    }
    return code;
}
