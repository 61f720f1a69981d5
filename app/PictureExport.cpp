#include "app/PictureExport.h"

#include "app/CMolDoc.h"
#include "formats/FileKind.h"
#include "formats/ReadMolecule.h"
#include "io/StdioFile.h"
#include "io/WriteFileAtomically.h"
#include "model/ElementData.h"
#include "render/CMolScene.h"
#include "render/OffscreenPicture.h"
#include "render/ViewState.h"
#include "res/SettingsKeys.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <cstdio>

namespace {

int Usage(const QString& message) {
    std::fprintf(stderr,
                 "ravek: %s\nusage: ravek --export-picture OUT [--size WxH] "
                 "[--style wire|ball|ribbon] FILE\n",
                 qPrintable(message));
    return 2;
}

int Fail(const QString& message) {
    std::fprintf(stderr, "ravek: %s\n", qPrintable(message));
    return 1;
}

// The picture kind a name's extension says (checked before anything is read).
OffscreenPicture::Format FormatOf(const QString& suffix) {
    if (suffix == QLatin1String("bmp"))
        return OffscreenPicture::kBmp24;
    return suffix == QLatin1String("png") ? OffscreenPicture::kPng : OffscreenPicture::kTiff;
}

} // namespace

int RunPictureExport(const QStringList& arguments) {
    QString out, file, style;
    int width = 800, height = 600;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (arg == QLatin1String("--export-picture") || arg == QLatin1String("--size") ||
            arg == QLatin1String("--style")) {
            if (i + 1 >= arguments.size())
                return Usage(arg + QStringLiteral(" needs a value"));
            const QString value = arguments[++i];
            if (arg == QLatin1String("--export-picture")) {
                out = value;
            } else if (arg == QLatin1String("--style")) {
                if (value != QLatin1String("wire") && value != QLatin1String("ball") &&
                    value != QLatin1String("ribbon"))
                    return Usage(QStringLiteral("--style must be wire, ball or ribbon"));
                style = value;
            } else {
                const auto match =
                    QRegularExpression(QStringLiteral("^(\\d{1,5})x(\\d{1,5})$")).match(value);
                if (!match.hasMatch() || match.captured(1).toInt() < 1 ||
                    match.captured(2).toInt() < 1)
                    return Usage(
                        QStringLiteral("--size must be WIDTHxHEIGHT, for example 800x600"));
                width = match.captured(1).toInt();
                height = match.captured(2).toInt();
            }
        } else if (file.isEmpty() && !arg.startsWith(QLatin1Char('-'))) {
            file = arg;
        } else {
            return Usage(QStringLiteral("unexpected argument ") + arg);
        }
    }
    if (out.isEmpty() || file.isEmpty())
        return Usage(QStringLiteral("an output picture and a structure file are needed"));
    const QString suffix = QFileInfo(out).suffix().toLower();
    if (suffix != QLatin1String("bmp") && suffix != QLatin1String("png") &&
        suffix != QLatin1String("tif") && suffix != QLatin1String("tiff"))
        return Usage(QStringLiteral("the picture's name must end in .bmp, .tif, .tiff or .png"));

    MolDocState document;
    PdbOptions options;
    CMolDoc::ReadDrawingSettings(document, options);
    LoadElementData();
    const std::string path = file.toStdString();
    MoleculeFile read = ReadMoleculeFile(path, FileKindFromPath(path), options);
    if (read.status != MoleculeFile::Status::kMolecule)
        return Fail(QString::fromStdString(read.Describe(path)));
    if (read.skippedLines > 0)
        std::fprintf(stderr, "ravek: %s: %d lines held no usable atom and were skipped\n",
                     path.c_str(), read.skippedLines);
    document.data = std::move(read.model);
    std::string error;

    ViewState view;
    view.displayFlags = Profile::Read(Settings::kDisplayMode);
    if (style == QLatin1String("wire"))
        view.displayFlags = ViewState::kWireFrame;
    else if (style == QLatin1String("ball"))
        view.displayFlags = ViewState::kBallAndStick;
    else if (style == QLatin1String("ribbon"))
        view.displayFlags = ViewState::kRibbon;
    view.colourMode = Profile::Read(Settings::kColorMode);
    view.showHydrogens = Profile::Read(Settings::kDispHydrogen);

    view.frame = document.data->GetCurrentFrame();
    view.camera.Refit(*document.data, view.frame);
    CMolScene scene(&view, &document);
    scene.slices = std::clamp(document.resolution, 1, 100);
    OffscreenPicture picture;
    if (!OffscreenPicture::Render(scene, view, width, height, picture, error))
        return Fail(QString::fromStdString(error));
    const std::string bytes = picture.Encode(FormatOf(suffix));
    if (bytes.empty())
        return Fail(out + QStringLiteral(": write error (no encoder for this picture kind)"));
    const auto write = [&bytes](StdioFile& target) { return target.WriteString(bytes); };
    if (!WriteFileAtomically(out.toStdString(), write, error))
        return Fail(QStringLiteral("cannot write %1: %2").arg(out, QString::fromStdString(error)));
    return 0;
}
