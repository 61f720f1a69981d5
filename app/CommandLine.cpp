#include "app/CommandLine.h"
#include "app/UserGuide.h"
#include "render/OffscreenPicture.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>

#include <cstdio>
#include <limits>

namespace {

CommandLine UsageError(const QString& message) {
    std::fprintf(stderr,
                 "ravek: %s\nusage: ravek [--screenshot OUT.png] [FILE]\n"
                 "       ravek --export-picture OUT [--size WxH] [--scale N] [--dpi N] "
                 "[--transparent] [--style wire|ball|ribbon|cartoon] [--colour SCHEME]\n"
                 "                [--script CMDS] FILE\n"
                 "       ravek --export-movie OUT.gif|OUT.mp4 --frames opt|opt:FIRST-LAST|vib:MODE "
                 "[--fps N] [--size WxH] [--style wire|ball|ribbon|cartoon] [--colour SCHEME] "
                 "[--script CMDS] FILE\n",
                 qPrintable(message));
    CommandLine line;
    line.outcome = CommandLine::Outcome::kUsage;
    return line;
}

} // namespace

const QStringList& CommandLine::ColourSchemeNames() {
    static const QStringList names = {QStringLiteral("element"), QStringLiteral("residue"),
                                      QStringLiteral("chain"),   QStringLiteral("secondary"),
                                      QStringLiteral("bfactor"), QStringLiteral("rainbow")};
    return names;
}

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
        QStringLiteral("Drawing style for --export-picture: wire, ball, ribbon or cartoon."),
        QStringLiteral("STYLE"));
    const QCommandLineOption colour(
        QStringLiteral("colour"),
        QStringLiteral("Colour scheme for --export-picture: %1.")
            .arg(CommandLine::ColourSchemeNames().join(QStringLiteral(", "))),
        QStringLiteral("SCHEME"));
    const QCommandLineOption newInstance(
        QStringLiteral("new-instance"),
        QStringLiteral("Start a program of its own instead of handing the files to the one "
                       "running."));
    const QCommandLineOption language(
        QStringLiteral("lang"),
        QStringLiteral("The interface's language for this run: ja (Japanese) or en (English); "
                       "without it, as the settings or the locale say."),
        QStringLiteral("LANG"));
    const QCommandLineOption scale(
        QStringLiteral("scale"),
        QStringLiteral("Picture --size times N (1 to 16); lines, points and labels grow alike."),
        QStringLiteral("N"));
    const QCommandLineOption dpi(QStringLiteral("dpi"),
                                 QStringLiteral("Resolution written into a TIFF or PNG picture."),
                                 QStringLiteral("N"));
    const QCommandLineOption transparent(
        QStringLiteral("transparent"),
        QStringLiteral("A TIFF or PNG picture with a transparent background."));
    const QCommandLineOption exportMovie(
        QStringLiteral("export-movie"),
        QStringLiteral("Draw FILE's optimisation or a normal mode off-screen into a movie OUT "
                       "(.gif, or .mp4 with the ffmpeg program), no window."),
        QStringLiteral("OUT"));
    const QCommandLineOption frames(
        QStringLiteral("frames"),
        QStringLiteral("The movie's frames: opt (every geometry), opt:FIRST-LAST (geometries "
                       "from 1), vib:MODE (one period of normal mode MODE, from 1)."),
        QStringLiteral("WHICH"));
    const QCommandLineOption fps(QStringLiteral("fps"),
                                 QStringLiteral("Frames per second of the movie (1 to 60, 10)."),
                                 QStringLiteral("N"));
    const QCommandLineOption script(
        QStringLiteral("script"),
        QStringLiteral("View commands (show, hide, color, label, select, zoom, orient; a line "
                       "each) run on FILE before --export-picture or --export-movie draws it."),
        QStringLiteral("CMDS"));
    parser.addOptions({screenshot, exportPicture, size, style, colour, newInstance, language, scale,
                       dpi, transparent, exportMovie, frames, fps, script});
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
    line.exportMovie = parser.value(exportMovie);
    const bool picture = parser.isSet(exportPicture), movie = parser.isSet(exportMovie);
    const bool exporting = picture || movie;
    if (files.size() > 1 && (exporting || parser.isSet(screenshot)))
        return UsageError(QStringLiteral("a batch picture takes one file"));
    // (--style never arrives here in a window run: Qt takes it as its own.)
    if (!exporting && parser.isSet(size))
        return UsageError(QStringLiteral("--size goes with --export-picture or --export-movie"));
    if (!exporting && parser.isSet(script))
        return UsageError(QStringLiteral("--script goes with --export-picture or --export-movie"));
    line.script = parser.value(script);
    if (exporting && parser.isSet(screenshot))
        return UsageError(
            picture ? QStringLiteral("--screenshot and --export-picture exclude each other")
                    : QStringLiteral("--screenshot and --export-movie exclude each other"));
    if (picture && movie)
        return UsageError(QStringLiteral("--export-picture and --export-movie exclude each other"));
    if (!picture && (parser.isSet(scale) || parser.isSet(dpi) || parser.isSet(transparent)))
        return UsageError(
            QStringLiteral("--scale, --dpi and --transparent go with --export-picture"));
    if (!movie && (parser.isSet(frames) || parser.isSet(fps)))
        return UsageError(QStringLiteral("--frames and --fps go with --export-movie"));
    const auto number = [&parser](const QCommandLineOption& option, int low, int high, int& to) {
        bool ok = false;
        const int value = parser.value(option).toInt(&ok);
        if (!ok || value < low || value > high)
            return false;
        to = value;
        return true;
    };
    if (parser.isSet(scale) && !number(scale, 1, 16, line.scale))
        return UsageError(QStringLiteral("--scale must be a whole number from 1 to 16"));
    if (parser.isSet(dpi) && !number(dpi, 1, 100000, line.dpi))
        return UsageError(QStringLiteral("--dpi must be a whole number from 1 to 100000"));
    line.transparent = parser.isSet(transparent);
    if (parser.isSet(fps) && !number(fps, 1, 60, line.fps))
        return UsageError(QStringLiteral("--fps must be a whole number from 1 to 60"));
    if (movie) {
        const auto match =
            QRegularExpression(QStringLiteral("^(opt|vib)(?::(\\d{1,6})(?:-(\\d{1,6}))?)?$"))
                .match(parser.value(frames));
        const bool vibration = match.captured(1) == QLatin1String("vib");
        if (!match.hasMatch() ||
            (vibration && (match.captured(2).isEmpty() || !match.captured(3).isEmpty())) ||
            (!vibration && !match.captured(2).isEmpty() && match.captured(3).isEmpty()))
            return UsageError(QStringLiteral("--frames must be opt, opt:FIRST-LAST or vib:MODE"));
        line.movieFrames = vibration ? CommandLine::MovieFrames::kVibration
                                     : CommandLine::MovieFrames::kOptimisation;
        line.movieFirst = match.captured(2).isEmpty() ? 1 : match.captured(2).toInt();
        line.movieLast = match.captured(3).isEmpty() ? 0 : match.captured(3).toInt();
        if (line.movieFirst < 1 || (!match.captured(3).isEmpty() && line.movieLast < 1))
            return UsageError(QStringLiteral("--frames counts geometries and modes from 1"));
        if (line.movieLast != 0 && line.movieLast < line.movieFirst)
            return UsageError(QStringLiteral("--frames %1: the range is reversed (FIRST must not "
                                             "come after LAST)")
                                  .arg(parser.value(frames)));
    }
    if (parser.isSet(style)) {
        line.style = parser.value(style);
        if (line.style != QLatin1String("wire") && line.style != QLatin1String("ball") &&
            line.style != QLatin1String("ribbon") && line.style != QLatin1String("cartoon"))
            return UsageError(QStringLiteral("--style must be wire, ball, ribbon or cartoon"));
    }
    if (parser.isSet(colour)) {
        line.colourScheme = static_cast<int>(ColourSchemeNames().indexOf(parser.value(colour)));
        if (line.colourScheme < 0)
            return UsageError(QStringLiteral("--colour must be one of %1")
                                  .arg(ColourSchemeNames().join(QStringLiteral(", "))));
    }
    if (parser.isSet(language)) {
        line.language = parser.value(language);
        if (line.language != QLatin1String("ja") && line.language != QLatin1String("en"))
            return UsageError(QStringLiteral("--lang must be ja or en"));
    }
    if (parser.isSet(size)) {
        const auto match =
            QRegularExpression(QStringLiteral("^(\\d+)x(\\d+)$")).match(parser.value(size));
        if (!match.hasMatch())
            return UsageError(QStringLiteral("--size must be WIDTHxHEIGHT, for example 800x600"));
        // Digits beyond what a number holds are a side beyond the limit.
        const auto side = [](const QString& digits) {
            bool ok = false;
            const qlonglong value = digits.toLongLong(&ok);
            return ok ? value : std::numeric_limits<qlonglong>::max();
        };
        const qlonglong width = side(match.captured(1)), height = side(match.captured(2));
        if (width < 1 || height < 1)
            return UsageError(QStringLiteral("--size: a side is at least 1 pixel"));
        if (width > OffscreenPicture::kLargestSide || height > OffscreenPicture::kLargestSide)
            return UsageError(QStringLiteral("--size %1: a side is at most %2 pixels")
                                  .arg(parser.value(size))
                                  .arg(OffscreenPicture::kLargestSide));
        line.size = QSize(static_cast<int>(width), static_cast<int>(height));
    }
    if (picture && (line.exportPicture.isEmpty() || line.file.isEmpty()))
        return UsageError(QStringLiteral("an output picture and a structure file are needed"));
    if (movie && (line.exportMovie.isEmpty() || line.file.isEmpty() || !parser.isSet(frames)))
        return UsageError(
            QStringLiteral("an output movie, --frames and a structure file are needed"));
    if (parser.isSet(screenshot) && line.screenshot.isEmpty())
        return UsageError(QStringLiteral("--screenshot needs a file name"));
    return line;
}
