#include "app/PictureExport.h"

#include "app/CMolDoc.h"
#include "app/CommandLine.h"
#include "formats/FileKind.h"
#include "formats/ReadMolecule.h"
#include "model/CMolData.h"
#include "model/ElementData.h"
#include "model/ResidueSummary.h"
#include "platform/LocalPath.h"
#include "render/CMolScene.h"
#include "render/OffscreenPicture.h"
#include "render/ViewScript.h"
#include "render/ViewState.h"
#include "res/SettingsKeys.h"
#include "view/MovieRequest.h"
#include "view/MovieWriter.h"
#include "view/ViewPicture.h"
#include "view/ViewSettings.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>

namespace {

int Fail(const QString& message, int code = 1) {
    std::fprintf(stderr, "ravek: %s\n", qPrintable(message));
    return code;
}

// The picture kind a name's extension says (checked before anything is read).
OffscreenPicture::Format FormatOf(const QString& suffix) {
    if (suffix == QLatin1String("bmp"))
        return OffscreenPicture::kBmp24;
    return suffix == QLatin1String("png") ? OffscreenPicture::kPng : OffscreenPicture::kTiff;
}

bool SizeFits(long long width, long long height) {
    return width <= OffscreenPicture::kLargestSide && height <= OffscreenPicture::kLargestSide &&
           width * height <= OffscreenPicture::kLargestArea;
}

int TooLarge() {
    return Fail(QStringLiteral("a picture is at most %1 pixels wide and high and 100 million "
                               "pixels in all")
                    .arg(OffscreenPicture::kLargestSide),
                2);
}

// FILE read with the stored settings and a view of it as a new window would
// show it (the style from --style when given), with the view's stored
// vibration in settings. Exit code 0, or that of the failure, said on
// stderr.
int ReadForDrawing(const CommandLine& line, MolDocState& document, ViewState& view,
                   ViewSettings& settings) {
    PdbOptions options;
    CMolDoc::ReadDrawingSettings(document, options);
    LoadElementData();
    const std::string path = LocalPath::Bytes(line.file);
    MoleculeFile read = ReadMoleculeFile(path, FileKindFromPath(path), options);
    if (read.status != MoleculeFile::Status::kMolecule)
        return Fail(QString::fromStdString(read.Describe(path)));
    if (read.skippedLines > 0)
        std::fprintf(stderr, "ravek: %s: %d lines held no usable atom and were skipped\n",
                     path.c_str(), read.skippedLines);
    document.data = std::move(read.model);
    document.chosenFrame = document.data->firstShownFrame;
    const QString& style = line.style;
    settings = ViewSettings::Read(view);
    if (style == QLatin1String("wire"))
        view.displayFlags = ViewState::kWireFrame;
    else if (style == QLatin1String("ball"))
        view.displayFlags = ViewState::kBallAndStick;
    else if (style == QLatin1String("ribbon"))
        view.displayFlags = ViewState::kRibbon;
    else if (style == QLatin1String("cartoon"))
        view.displayFlags = ViewState::kCartoon;
    if (line.colourScheme >= 0)
        view.colourMode = line.colourScheme;
    view.frame = document.chosenFrame;
    view.camera.Refit(*document.data, view.frame);
    if (line.script.isEmpty())
        return 0;
    QFile file(line.script);
    if (!file.open(QIODevice::ReadOnly))
        return Fail(QStringLiteral("cannot read %1: %2").arg(line.script, file.errorString()));
    std::string said;
    if (!ViewScript(view, document).RunScript(file.readAll().toStdString(), said))
        return Fail(line.script + QStringLiteral(": ") + QString::fromStdString(said));
    return 0;
}

} // namespace

int RunPictureExport(const CommandLine& line) {
    const QString& out = line.exportPicture;
    const QString suffix = QFileInfo(out).suffix().toLower();
    if (suffix != QLatin1String("bmp") && suffix != QLatin1String("png") &&
        suffix != QLatin1String("tif") && suffix != QLatin1String("tiff"))
        return Fail(QStringLiteral("the picture's name must end in .bmp, .tif, .tiff or .png"), 2);
    if (suffix == QLatin1String("bmp") && (line.transparent || line.dpi > 0))
        return Fail(QStringLiteral("--transparent and --dpi need a .png, .tif or .tiff picture"),
                    2);
    const long long width = static_cast<long long>(line.size.width()) * line.scale;
    const long long height = static_cast<long long>(line.size.height()) * line.scale;
    if (!SizeFits(width, height))
        return TooLarge();

    MolDocState document;
    ViewState view;
    ViewSettings settings;
    if (const int code = ReadForDrawing(line, document, view, settings); code != 0)
        return code;
    CMolScene scene(&view, &document);
    OffscreenPicture::Options options;
    options.scale = line.scale;
    options.transparent = line.transparent;
    std::string error;
    switch (ViewPicture::WriteFile(scene, view,
                                   QSize(static_cast<int>(width), static_cast<int>(height)),
                                   options, line.dpi, FormatOf(suffix), out, error)) {
    case ViewPicture::Failure::kNone:
        return 0;
    case ViewPicture::Failure::kDrawing:
        return Fail(QString::fromStdString(error));
    case ViewPicture::Failure::kEncoding:
        return Fail(out + QStringLiteral(": the picture could not be encoded (no encoder for "
                                         "this kind, or not enough memory)"));
    case ViewPicture::Failure::kWriting:
        break;
    }
    return Fail(QStringLiteral("cannot write %1: %2").arg(out, QString::fromStdString(error)));
}

int RunMovieExport(const CommandLine& line) {
    const QString& out = line.exportMovie;
    MovieWriter::Format format = MovieWriter::kGif;
    if (!MovieWriter::FormatOf(out, format))
        return Fail(QStringLiteral("the movie's name must end in .gif or .mp4"), 2);
    if (format == MovieWriter::kMp4 && MovieWriter::Ffmpeg().isEmpty())
        return Fail(QStringLiteral("MP4 movies need the ffmpeg program, which is not on the "
                                   "PATH (install ffmpeg, or write a .gif)"));
    if (!SizeFits(line.size.width(), line.size.height()))
        return TooLarge();
    MolDocState document;
    ViewState view;
    ViewSettings settings;
    if (const int code = ReadForDrawing(line, document, view, settings); code != 0)
        return code;
    MovieRequest request;
    if (line.movieFrames == CommandLine::MovieFrames::kVibration) {
        request.kind = MovieRequest::kVibration;
        request.mode = line.movieFirst - 1;
        // The stored values within the ranges the windows keep them in.
        request.framesPerPeriod =
            std::clamp(Profile::Read(Settings::kMovieFramesPerPeriod), 2, 200);
        request.amplitude = settings.vibrationAmplitude;
        view.displayFlags &= ~ViewState::kVibration; // the motion, not the arrows
    } else {
        request.first = line.movieFirst - 1;
        request.last = line.movieLast > 0 ? line.movieLast - 1 : document.data->frameCount - 1;
    }
    const char* why = nullptr;
    if (!request.Fits(*document.data, view, &why))
        return Fail(line.file + QStringLiteral(": ") + QString::fromLatin1(why));
    CMolScene scene(&view, &document);
    MovieWriter::Frames frames;
    frames.width = line.size.width();
    frames.height = line.size.height();
    frames.fps = std::clamp(line.fps > 0 ? line.fps : Profile::Read(Settings::kMovieFps), 1, 60);
    frames.loop = Profile::Read(Settings::kMovieLoop) != 0;
    QString error;
    if (!MovieWriter::Write(scene, view, request, out, frames, nullptr, error))
        return Fail(QStringLiteral("cannot write %1: %2").arg(out, error));
    return 0;
}
