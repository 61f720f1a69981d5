#include "app/PictureExport.h"

#include "app/CMolDoc.h"
#include "app/CommandLine.h"
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

} // namespace

int RunPictureExport(const CommandLine& line) {
    const QString& out = line.exportPicture;
    const QString& file = line.file;
    const QString& style = line.style;
    const QString suffix = QFileInfo(out).suffix().toLower();
    if (suffix != QLatin1String("bmp") && suffix != QLatin1String("png") &&
        suffix != QLatin1String("tif") && suffix != QLatin1String("tiff"))
        return Fail(QStringLiteral("the picture's name must end in .bmp, .tif, .tiff or .png"), 2);

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
    if (!OffscreenPicture::Render(scene, view, line.size.width(), line.size.height(), picture,
                                  error))
        return Fail(QString::fromStdString(error));
    const std::string bytes = picture.Encode(FormatOf(suffix));
    if (bytes.empty())
        return Fail(out + QStringLiteral(": write error (no encoder for this picture kind)"));
    const auto write = [&bytes](StdioFile& target) { return target.WriteString(bytes); };
    if (!WriteFileAtomically(out.toStdString(), write, error))
        return Fail(QStringLiteral("cannot write %1: %2").arg(out, QString::fromStdString(error)));
    return 0;
}
