#include "app/CommandLine.h"
#include "app/UserGuide.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>

#include <cstdio>

namespace {

CommandLine UsageError(const QString& message) {
    std::fprintf(stderr,
                 "ravek: %s\nusage: ravek [--screenshot OUT.png] [FILE]\n"
                 "       ravek --export-picture OUT [--size WxH] [--style wire|ball|ribbon] FILE\n",
                 qPrintable(message));
    CommandLine line;
    line.outcome = CommandLine::Outcome::kUsage;
    return line;
}

} // namespace

bool CommandLine::Mentions(const QStringList& arguments, const QString& name) {
    const QRegularExpression spelling(QStringLiteral("^--?%1(=.*)?$").arg(name));
    for (const QString& argument : arguments) {
        if (argument == QLatin1String("--"))
            return false; // only files follow
        if (spelling.match(argument).hasMatch())
            return true;
    }
    return false;
}

CommandLine CommandLine::Parse(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("RAVEK, the molecular-structure viewer\nUser guide: %1")
            .arg(QDir::toNativeSeparators(UserGuidePath())));
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption screenshot(
        QStringLiteral("screenshot"),
        QStringLiteral("Save a picture of the main window once the first picture is drawn, "
                       "then exit."),
        QStringLiteral("OUT.png"));
    const QCommandLineOption exportPicture(
        QStringLiteral("export-picture"),
        QStringLiteral("Draw FILE off-screen into OUT (.bmp, .tif, .tiff or .png), no window."),
        QStringLiteral("OUT"));
    const QCommandLineOption size(QStringLiteral("size"),
                                  QStringLiteral("Picture size for --export-picture (800x600)."),
                                  QStringLiteral("WxH"));
    const QCommandLineOption style(
        QStringLiteral("style"),
        QStringLiteral("Drawing style for --export-picture: wire, ball or ribbon."),
        QStringLiteral("STYLE"));
    const QCommandLineOption newInstance(
        QStringLiteral("new-instance"),
        QStringLiteral("Start a program of its own instead of handing the files to the one "
                       "running."));
    const QCommandLineOption language(
        QStringLiteral("lang"),
        QStringLiteral("The interface's language for this run: ja (Japanese) or en (English); "
                       "without it, as the settings or the locale say."),
        QStringLiteral("LANG"));
    parser.addOptions({screenshot, exportPicture, size, style, newInstance, language});
    parser.addPositionalArgument(
        QStringLiteral("FILE"),
        QStringLiteral("Gaussian outputs or inputs, PDB or PDBx/mmCIF files (also .gz), each "
                       "opened in a window of its own."),
        QStringLiteral("[FILE...]"));
    // Help and version win over everything else on the line, Qt's own
    // options included.
    const bool parsed = parser.parse(arguments);
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        CommandLine done;
        done.outcome = Outcome::kDone;
        return done;
    }
    if (parser.isSet(version)) {
        std::printf("%s %s\n", qPrintable(QCoreApplication::applicationName()),
                    qPrintable(QCoreApplication::applicationVersion()));
        CommandLine done;
        done.outcome = Outcome::kDone;
        return done;
    }
    if (!parsed)
        return UsageError(parser.errorText());

    CommandLine line;
    const QStringList files = parser.positionalArguments();
    line.files = files;
    line.file = files.value(0);
    line.screenshot = parser.value(screenshot);
    line.newInstance = parser.isSet(newInstance);
    line.exportPicture = parser.value(exportPicture);
    const bool exporting = parser.isSet(exportPicture);
    if (files.size() > 1 && (exporting || parser.isSet(screenshot)))
        return UsageError(QStringLiteral("a batch picture takes one file"));
    // (--style never arrives here in a window run: Qt takes it as its own.)
    if (!exporting && parser.isSet(size))
        return UsageError(QStringLiteral("--size goes with --export-picture"));
    if (exporting && parser.isSet(screenshot))
        return UsageError(QStringLiteral("--screenshot and --export-picture exclude each other"));
    if (parser.isSet(style)) {
        line.style = parser.value(style);
        if (line.style != QLatin1String("wire") && line.style != QLatin1String("ball") &&
            line.style != QLatin1String("ribbon"))
            return UsageError(QStringLiteral("--style must be wire, ball or ribbon"));
    }
    if (parser.isSet(language)) {
        line.language = parser.value(language);
        if (line.language != QLatin1String("ja") && line.language != QLatin1String("en"))
            return UsageError(QStringLiteral("--lang must be ja or en"));
    }
    if (parser.isSet(size)) {
        const auto match =
            QRegularExpression(QStringLiteral("^(\\d{1,5})x(\\d{1,5})$")).match(parser.value(size));
        if (!match.hasMatch() || match.captured(1).toInt() < 1 || match.captured(2).toInt() < 1)
            return UsageError(QStringLiteral("--size must be WIDTHxHEIGHT, for example 800x600"));
        line.size = QSize(match.captured(1).toInt(), match.captured(2).toInt());
    }
    if (exporting && (line.exportPicture.isEmpty() || line.file.isEmpty()))
        return UsageError(QStringLiteral("an output picture and a structure file are needed"));
    if (parser.isSet(screenshot) && line.screenshot.isEmpty())
        return UsageError(QStringLiteral("--screenshot needs a file name"));
    return line;
}
