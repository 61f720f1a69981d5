#pragma once

#include "render/ColourScheme.h"
#include "render/OffscreenPicture.h"
#include "view/PictureSource.h"

#include <QSize>
#include <QString>

#include <utility>

class CMolData;
struct MolDocState;
class CMolScene;
struct ViewState;

// The pictures of a molecule view: saving one (the window's own, or one of a
// size, resolution and background chosen) and copying the window's to the
// clipboard. The file a picture goes to is written the same way for the
// pictures drawn without a window (WriteFile).
class ViewPicture {
public:
    explicit ViewPicture(PictureSource source) : source_(std::move(source)) {}

    // Picture file kinds, in the order of the picture dialog's filters.
    enum Kind { kBmp24 = 1, kBmp32 = 2, kTiff = 3, kPng = 4 };

    // Where a picture named path, chosen with the dialog's filterIndex, is
    // written and as which kind: an extension that names a picture kind
    // decides it (a .bmp with the 32-bit filter stays 32-bit); without one,
    // the filter's kind, its extension added.
    struct Target {
        QString path;
        int kind;
    };
    static Target TargetOf(const QString& path, int filterIndex);

    // The picture commands: ask for a file and write the window's picture
    // there. Without choosingSize (画像保存) the name is used as typed and
    // the filter chosen (24-bit BMP, 32-bit BMP, TIFF) decides the kind;
    // with it the dialog offers PNG too, the kind and extension follow
    // TargetOf, and then (for every kind but the window's own 32-bit bitmap)
    // the picture's size, resolution and background are asked.
    void SaveWithDialog(bool choosingSize);
    // Writes the picture as kind to path, replacing a file there only when
    // all of it was written; false, after a message, on failure. size: the
    // picture's pixels (empty: the window's), scale: of its lines, points and
    // labels; dotsPerInch 0 writes none.
    bool Write(const QString& path, int kind, QSize size = QSize(), double scale = 1.0,
               int dotsPerInch = 0, bool transparent = false);
    // The window's picture on the clipboard.
    void CopyToClipboard();

    // Where writing a picture file stopped.
    enum class Failure { kNone, kDrawing, kEncoding, kWriting };
    // Draws scene as view shows it at size into a buffer of its own, encodes
    // it as format with dotsPerInch (0: none) and writes it to path, which is
    // replaced only when all of it was written. On failure says at which step
    // and, for drawing and writing, why (in English) in error.
    // What the colours of a view mean: the colour bar of its atom values
    // when it colours by them, else the legend of its colour scheme.
    static std::vector<ColourSchemes::LegendEntry> LegendOf(const ViewState& view,
                                                            const MolDocState& document);
    // The colour legend of the view (see LegendOf) over a picture drawn at
    // scale times the window's size (nothing when the colours need none).
    static void PaintLegend(const CMolScene& scene, const ViewState& view, double scale,
                            OffscreenPicture& picture);
    static Failure WriteFile(CMolScene& scene, const ViewState& view, QSize size,
                             const OffscreenPicture::Options& options, int dotsPerInch,
                             OffscreenPicture::Format format, const QString& path,
                             std::string& error);

private:
    PictureSource source_;
};
