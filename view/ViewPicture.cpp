#include "view/ViewPicture.h"

#include "io/StdioFile.h"
#include "io/WriteFileAtomically.h"
#include "platform/FileDialog.h"
#include "platform/FileFilter.h"
#include "platform/LocalPath.h"
#include "platform/MessageBox.h"
#include "render/CMolScene.h"
#include "render/ColourLegend.h"
#include "render/MolDocState.h"
#include "render/ViewState.h"
#include "view/CPictureOptionsDlg.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>

ViewPicture::Target ViewPicture::TargetOf(const QString& path, int filterIndex) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    const int chosen = filterIndex >= kBmp24 && filterIndex <= kPng ? filterIndex : kBmp24;
    if (suffix == QLatin1String("png"))
        return {path, kPng};
    if (suffix == QLatin1String("tif") || suffix == QLatin1String("tiff"))
        return {path, kTiff};
    if (suffix == QLatin1String("bmp") || suffix == QLatin1String("dib"))
        return {path, chosen == kBmp32 ? kBmp32 : kBmp24};
    // No picture extension: the chosen kind's is added.
    static const char* const kExtensions[] = {"", ".bmp", ".bmp", ".tif", ".png"};
    return {path + QLatin1String(kExtensions[chosen]), chosen};
}

void ViewPicture::SaveWithDialog(bool choosingSize) {
    // 画像保存 keeps the name as typed and writes the kind of the filter
    // chosen; the sized pictures offer PNG too and go by a typed extension.
    const FileFilter filter(
        choosingSize ? QStringLiteral("24bit BMP file (*.bmp; *.dib)|*.bmp; *.dib|32bit BMP file "
                                      "(*.bmp)|*.bmp|TIFF file (*.tif; *.tiff)|*.tif; *.tiff|PNG "
                                      "file (*.png)|*.png||")
                     : QStringLiteral("24bit BMP file (*.bmp; *.dib)|*.bmp; *.dib|32bit BMP file "
                                      "(*.bmp)|*.bmp|TIFF file (*.tif; *.tiff)|*.tif; *.tiff||"));
    const FileDialog::Result chosen =
        FileDialog::Run(source_.parent, FileDialog::kSave, filter, kBmp24, source_.baseName,
                        QString(), choosingSize);
    if (!chosen.accepted)
        return;
    if (!choosingSize) {
        const int kind = chosen.filterIndex >= kBmp24 && chosen.filterIndex <= kTiff
                             ? chosen.filterIndex
                             : kBmp24;
        Write(chosen.path, kind);
        return;
    }
    // A picture extension typed decides the kind; a name with another one
    // gets the chosen kind's, and the question the dialog could not ask.
    const Target target = TargetOf(chosen.path, chosen.filterIndex);
    if (target.path != chosen.path && LocalPath::Exists(target.path) &&
        !MessageBox::AskYesNo(
            source_.parent,
            QCoreApplication::translate("CMolView", "%1 は既に存在します。\n上書きしますか?")
                .arg(LocalPath::DisplayName(target.path))))
        return;
    const int kind = target.kind;
    // The window's own picture (the 32-bit BMP being the window's own
    // buffer), or one of a size, resolution and background chosen.
    if (kind == kBmp32) {
        Write(target.path, kind);
        return;
    }
    CPictureOptionsDlg options(source_.windowPixels, kind == kTiff || kind == kPng, source_.parent);
    if (options.exec() != QDialog::Accepted)
        return;
    Write(target.path, kind, options.PictureSize(), options.Scale(), options.DotsPerInch(),
          options.Transparent());
}

bool ViewPicture::Write(const QString& path, int kind, QSize size, double scale, int dotsPerInch,
                        bool transparent) {
    source_.prepare();
    std::string error;
    if (kind == kBmp32) {
        // What the window drew last, read back from its buffer.
        const std::string bytes = source_.windowBitmap32();
        if (WriteFileAtomically(LocalPath::Bytes(path), bytes, error))
            return true;
        MessageBox::Show(source_.parent, QStringLiteral("write error"));
        return false;
    }
    if (size.isEmpty())
        size = source_.windowPixels;
    OffscreenPicture::Options options;
    options.scale = scale;
    options.transparent = transparent;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const Failure failure = WriteFile(*source_.scene, *source_.state, size, options, dotsPerInch,
                                      kind == kBmp24  ? OffscreenPicture::kBmp24
                                      : kind == kTiff ? OffscreenPicture::kTiff
                                                      : OffscreenPicture::kPng,
                                      path, error);
    QApplication::restoreOverrideCursor();
    if (failure == Failure::kNone)
        return true;
    MessageBox::Show(source_.parent, failure == Failure::kDrawing ? QString::fromStdString(error)
                                                                  : QStringLiteral("write error"));
    return false;
}

void ViewPicture::CopyToClipboard() {
    QGuiApplication::clipboard()->setImage(source_.windowImage());
}

std::vector<ColourSchemes::LegendEntry> ViewPicture::LegendOf(const ViewState& view,
                                                              const MolDocState& document) {
    if (view.atomValues.colour)
        return ColourSchemes::ValueLegend(view.atomValues.range, view.atomValues.decimals);
    return ColourSchemes::Legend(view.colourMode, *document.data, view.frame,
                                 document.secondaryFromFile);
}

void ViewPicture::PaintLegend(const CMolScene& scene, const ViewState& view, double scale,
                              OffscreenPicture& picture) {
    if (scene.document == nullptr || scene.document->data == nullptr)
        return;
    const auto legend = LegendOf(view, *scene.document);
    if (legend.empty())
        return;
    picture.PaintOver([&](QPainter& painter) {
        ColourLegend::Paint(painter, legend, QRect(0, 0, picture.width, picture.height), scale);
    });
}

ViewPicture::Failure ViewPicture::WriteFile(CMolScene& scene, const ViewState& view, QSize size,
                                            const OffscreenPicture::Options& options,
                                            int dotsPerInch, OffscreenPicture::Format format,
                                            const QString& path, std::string& error) {
    OffscreenPicture picture;
    if (!OffscreenPicture::Render(scene, view, size.width(), size.height(), options, picture,
                                  error))
        return Failure::kDrawing;
    picture.dotsPerInch = dotsPerInch;
    PaintLegend(scene, view, options.scale, picture);
    const std::string bytes = picture.Encode(format);
    if (bytes.empty())
        return Failure::kEncoding;
    if (!WriteFileAtomically(LocalPath::Bytes(path), bytes, error))
        return Failure::kWriting;
    return Failure::kNone;
}
