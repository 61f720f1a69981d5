// RAVEK, the molecular-structure viewer (the command line: see CommandLine.h).

#include "app/AppIcon.h"
#include "app/CMainFrame.h"
#include "app/CMolDoc.h"
#include "app/CRavekApp.h"
#include "app/CommandLine.h"
#include "app/PictureExport.h"
#include "app/ScreenshotRun.h"
#include "app/SingleInstance.h"
#include "app/UiLanguage.h"
#include "platform/ChildFrame.h"
#include "platform/LocalPath.h"
#include "platform/MessageBox.h"
#include "render/OffscreenBuffer.h"

#include <QApplication>

#include <clocale>
#include <cstdio>
#include <memory>

namespace {

void SetUpFormat() {
    OffscreenBuffer::UseDefaultFormat();
    // Windows and off-screen pictures share display lists and glyphs.
    QApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

void SetUpLanguage(const CommandLine& line) {
    // The user's choice in the settings; the command line's over it.
    QCoreApplication::setOrganizationName(QStringLiteral("Pralt Software"));
    UiLanguage::SetUp(line.language);
    QApplication::setWindowIcon(AppIcon());
    // Toolbar icons from the desktop's theme, else from the common one.
    QIcon::setFallbackThemeName(QStringLiteral("Adwaita"));
}

// The program with its windows, until File > Exit; with --screenshot, until
// the picture of the first drawing is saved.
int RunWindows(const CommandLine& line) {
    const QString& screenshot = line.screenshot;
    const QString& file = line.file;
    // A picture taken without a person: no box may wait for an answer.
    if (!screenshot.isEmpty())
        MessageBox::SetBatchMode(true);
    // One program per user and display: the files go to the one running; a
    // start without files is a program of its own. A batch picture neither
    // hands over nor takes files.
    const bool shared = screenshot.isEmpty() && !line.newInstance;
    if (shared && !line.files.isEmpty() && SingleInstance::HandOver(line.files))
        return 0;
    CRavekApp ravek;
    if (!ravek.InitInstance(line.files))
        return 1;
    SingleInstance instance;
    if (shared && instance.Listen()) {
        QObject::connect(&instance, &SingleInstance::filesHanded, &ravek,
                         &CRavekApp::OpenHandedFiles);
    }
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

} // namespace

int main(int argc, char** argv) {
    SetUpFormat();
    // Batch pictures take their arguments before Qt sees them, since Qt
    // would take --style for itself; a window run leaves Qt its own options
    // (-platform, -display, ...) and reads what Qt left.
    // File names are bytes: those that are not UTF-8 are kept as they are
    // (see LocalPath), which QApplication::arguments() would not do.
    QStringList rawArguments;
    for (int i = 0; i < argc; ++i)
        rawArguments << LocalPath::FromBytes(argv[i]);
    QCoreApplication::setApplicationName(QStringLiteral("RAVEK"));
    QCoreApplication::setApplicationVersion(QStringLiteral(RAVEK_VERSION));
    // Help and version need no display.
    for (const char* textOnly : {"help", "h", "help-all", "version", "v"}) {
        if (CommandLine::Mentions(rawArguments, QLatin1String(textOnly))) {
            QCoreApplication core(argc, argv);
            return CommandLine::Parse(rawArguments).outcome == CommandLine::Outcome::kUsage ? 2 : 0;
        }
    }
    const bool batchExport =
        CommandLine::Mentions(rawArguments, QStringLiteral("export-picture")) ||
        CommandLine::Mentions(rawArguments, QStringLiteral("export-movie"));
    int qtArgc = batchExport ? 1 : argc;
    QApplication app(qtArgc, argv);
    // The desktop entry the windows belong to (its name and icon).
    QGuiApplication::setDesktopFileName(QStringLiteral("org.ravek.Ravek"));
    // Qt takes the C library's locale from the environment; numbers in
    // structure files are read and written in the C locale all the same.
    std::setlocale(LC_NUMERIC, "C");
    // Parsed before the interface's texts are installed: the command line
    // speaks English.
    QStringList leftByQt;
    for (int i = 0; i < qtArgc; ++i)
        leftByQt << LocalPath::FromBytes(argv[i]);
    const CommandLine line = CommandLine::Parse(batchExport ? rawArguments : leftByQt);
    if (line.outcome == CommandLine::Outcome::kDone)
        return 0;
    if (line.outcome == CommandLine::Outcome::kUsage)
        return 2;
    SetUpLanguage(line);
    if (!line.exportMovie.isEmpty())
        return RunMovieExport(line);
    if (batchExport)
        return RunPictureExport(line);
    return RunWindows(line);
}
