#include "view/ViewPicture.h"

#include "io/StdioFile.h"
#include "io/WriteFileAtomically.h"
#include "platform/Document.h"
#include "platform/FileDialog.h"
#include "platform/FileFilter.h"
#include "platform/MessageBox.h"
#include "render/CImage.h"
#include "view/CMolView.h"
#include "view/CPictureOptionsDlg.h"

#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>

namespace {

QSize WindowPixels(const CMolView& view) {
    const double ratio = view.devicePixelRatioF();
    return {static_cast<int>(view.width() * ratio), static_cast<int>(view.height() * ratio)};
}

} // namespace

void ViewPicture::SaveWithDialog(bool choosingSize) {
    const FileFilter filter(QStringLiteral(
        "24bit BMP file (*.bmp; *.dib)|*.bmp; *.dib|32bit BMP file (*.bmp)|*.bmp|TIFF file "
        "(*.tif; *.tiff)|*.tif; *.tiff|PNG file (*.png)|*.png||"));
    const QString baseName =
        view_.GetDocument() != nullptr ? view_.GetDocument()->DefaultFileName() : QString();
    const FileDialog::Result chosen =
        FileDialog::Run(&view_, FileDialog::kSave, filter, kBmp24, baseName);
    if (!chosen.accepted)
        return;
    int kind = chosen.filterIndex;
    if (kind == 0) {
        // A dialog that named no filter of the list: the name's extension.
        const QString suffix = QFileInfo(chosen.path).suffix().toLower();
        kind = suffix == QLatin1String("png")                                      ? kPng
               : suffix == QLatin1String("tif") || suffix == QLatin1String("tiff") ? kTiff
                                                                                   : kBmp24;
    }
    // The window's own picture, or (the 32-bit BMP being the window's own
    // buffer) one of a size, resolution and background chosen.
    if (!choosingSize || kind == kBmp32) {
        Write(chosen.path, kind);
        return;
    }
    CPictureOptionsDlg options(WindowPixels(view_), kind == kTiff || kind == kPng, &view_);
    if (options.exec() != QDialog::Accepted)
        return;
    Write(chosen.path, kind, options.PictureSize(), options.Scale(), options.DotsPerInch(),
          options.Transparent());
}

bool ViewPicture::Write(const QString& path, int kind, QSize size, double scale, int dotsPerInch,
                        bool transparent) {
    view_.PrepareToDraw();
    std::string error;
    if (kind == kBmp32) {
        // What the window drew last, read back from its buffer (drawn whole
        // in the middle of a drag).
        view_.makeCurrent();
        view_.DrawWhole();
        const std::string bytes = CImage().writeBitmap32();
        view_.doneCurrent();
        const auto write = [&bytes](StdioFile& file) { return file.WriteString(bytes); };
        if (WriteFileAtomically(path.toStdString(), write, error))
            return true;
        MessageBox::Show(&view_, QStringLiteral("write error"));
        return false;
    }
    if (size.isEmpty())
        size = WindowPixels(view_);
    OffscreenPicture::Options options;
    options.scale = scale;
    options.transparent = transparent;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const Failure failure = WriteFile(*view_.scene, view_.state, size, options, dotsPerInch,
                                      kind == kBmp24  ? OffscreenPicture::kBmp24
                                      : kind == kTiff ? OffscreenPicture::kTiff
                                                      : OffscreenPicture::kPng,
                                      path, error);
    QApplication::restoreOverrideCursor();
    if (failure == Failure::kNone)
        return true;
    MessageBox::Show(&view_, failure == Failure::kDrawing ? QString::fromStdString(error)
                                                          : QStringLiteral("write error"));
    return false;
}

void ViewPicture::CopyToClipboard() {
    QGuiApplication::clipboard()->setImage(view_.grabFramebuffer());
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
    const std::string bytes = picture.Encode(format);
    if (bytes.empty())
        return Failure::kEncoding;
    const auto write = [&bytes](StdioFile& target) { return target.WriteString(bytes); };
    if (!WriteFileAtomically(path.toStdString(), write, error))
        return Failure::kWriting;
    return Failure::kNone;
}
