#include "render/OffscreenPicture.h"

#include "picture/BmpFile.h"
#include "render/CMolScene.h"
#include "render/OffscreenBuffer.h"
#include "render/ViewState.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <new>

namespace {

constexpr double kInchesPerMetre = 39.37007874015748;

// Draws the region (x, y, w, h) of a full picture of fullWidth × fullHeight
// on background into the current buffer of w × h and reads it back.
void DrawRegion(CMolScene& scene, const float background[3], int fullWidth, int fullHeight, int x,
                int y, int w, int h, std::vector<std::uint8_t>& bgr) {
    if (x == 0 && y == 0 && w == fullWidth && h == fullHeight)
        scene.reshape(w, h);
    else
        scene.reshapeRegion(fullWidth, fullHeight, x, y, w, h);
    glClearColor(background[0], background[1], background[2], 0.0F);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    scene.render();
    bgr.assign(static_cast<std::size_t>(w) * h * 3, 0);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, w, h, GL_BGR, GL_UNSIGNED_BYTE, bgr.data());
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    // No tile left behind for the next drawing of this scene (the window's).
    scene.reshape(w, h);
}

// The whole picture on background: in one buffer when it fits the limit,
// else in tiles drawn with a margin around them (points and labels that
// reach in from outside), each tile's inside copied into place.
bool DrawWhole(CMolScene& scene, const float background[3], int width, int height, int limit,
               std::vector<std::uint8_t>& bgr, std::string& error) {
    if (width <= limit && height <= limit) {
        OffscreenBuffer buffer;
        if (!buffer.Create(width, height, error))
            return false;
        DrawRegion(scene, background, width, height, 0, 0, width, height, bgr);
        return true;
    }
    const int margin = scene.TileMargin();
    const int inside = limit - 2 * margin;
    if (inside < 16) {
        error = "Picture too large for the drawing buffer";
        return false;
    }
    bgr.assign(static_cast<std::size_t>(width) * height * 3, 0);
    OffscreenBuffer buffer;
    if (!buffer.Create(std::min(limit, width + 2 * margin), std::min(limit, height + 2 * margin),
                       error))
        return false;
    std::vector<std::uint8_t> tile;
    for (int y0 = 0; y0 < height; y0 += inside) {
        for (int x0 = 0; x0 < width; x0 += inside) {
            const int w = std::min(inside, width - x0), h = std::min(inside, height - y0);
            const int bw = w + 2 * margin, bh = h + 2 * margin;
            DrawRegion(scene, background, width, height, x0 - margin, y0 - margin, bw, bh, tile);
            for (int row = 0; row < h; ++row) {
                const auto from =
                    tile.begin() + (static_cast<std::ptrdiff_t>(row + margin) * bw + margin) * 3;
                std::copy(from, from + static_cast<std::ptrdiff_t>(w) * 3,
                          bgr.begin() + (static_cast<std::ptrdiff_t>(y0 + row) * width + x0) * 3);
            }
        }
    }
    return true;
}

} // namespace

QImage OffscreenPicture::ToImage() const {
    const QImage bottomUp(bgrBottomUp.data(), width, height, width * 3, QImage::Format_BGR888);
    QImage image;
    if (alphaBottomUp.empty()) {
        image = bottomUp.mirrored(false, true).convertToFormat(QImage::Format_RGB32);
    } else {
        image = bottomUp.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < height; ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            const std::uint8_t* alpha = alphaBottomUp.data() + static_cast<std::size_t>(y) * width;
            for (int x = 0; x < width; ++x)
                line[x] = (line[x] & 0x00FFFFFFU) | (static_cast<QRgb>(alpha[x]) << 24);
        }
        image = image.mirrored(false, true);
    }
    if (dotsPerInch > 0) {
        const int perMetre = static_cast<int>(std::lround(dotsPerInch * kInchesPerMetre));
        image.setDotsPerMeterX(perMetre);
        image.setDotsPerMeterY(perMetre);
    }
    return image;
}

void OffscreenPicture::PaintOver(const std::function<void(QPainter&)>& paint) {
    QImage image = ToImage().convertToFormat(QImage::Format_ARGB32);
    {
        QPainter painter(&image);
        paint(painter);
    }
    for (int y = 0; y < height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(height - 1 - y));
        std::uint8_t* bgr = bgrBottomUp.data() + static_cast<std::size_t>(y) * width * 3;
        for (int x = 0; x < width; ++x) {
            bgr[3 * x] = static_cast<std::uint8_t>(qBlue(line[x]));
            bgr[3 * x + 1] = static_cast<std::uint8_t>(qGreen(line[x]));
            bgr[3 * x + 2] = static_cast<std::uint8_t>(qRed(line[x]));
            if (!alphaBottomUp.empty())
                alphaBottomUp[static_cast<std::size_t>(y) * width + x] =
                    static_cast<std::uint8_t>(qAlpha(line[x]));
        }
    }
}

std::string OffscreenPicture::Encode(Format format) const {
    if (format == kBmp24)
        return BmpFile::Encode24(width, height, bgrBottomUp);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format == kTiff ? "tiff" : "png");
    if (!writer.write(ToImage()))
        return {};
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

int OffscreenPicture::LargestBufferSide() {
    static const int side = [] {
        OffscreenBuffer probe;
        std::string error;
        if (!probe.Create(1, 1, error))
            return 4096;
        GLint renderbuffer = 0, viewport[2] = {0, 0};
        glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &renderbuffer);
        glGetIntegerv(GL_MAX_VIEWPORT_DIMS, viewport);
        const int largest = std::min({renderbuffer, viewport[0], viewport[1]});
        return largest > 0 ? largest : 4096;
    }();
    return side;
}

bool OffscreenPicture::Render(CMolScene& scene, const ViewState& view, int width, int height,
                              OffscreenPicture& picture, std::string& error) {
    return Render(scene, view, width, height, Options(), picture, error);
}

bool OffscreenPicture::Render(CMolScene& scene, const ViewState& view, int width, int height,
                              const Options& options, OffscreenPicture& picture,
                              std::string& error) {
    if (width <= 0 || height <= 0) {
        error = "CreateDIBSection Error";
        return false;
    }
    if (static_cast<long long>(width) * height > kLargestArea) {
        error = "Picture too large (at most 100 million pixels)";
        return false;
    }
    try {
        return RenderInto(scene, view, width, height, options, picture, error);
    } catch (const std::bad_alloc&) {
        error = "Not enough memory for a picture this large";
        return false;
    }
}

bool OffscreenPicture::RenderInto(CMolScene& scene, const ViewState& view, int width, int height,
                                  const Options& options, OffscreenPicture& picture,
                                  std::string& error) {
    // The scene reads the state through its pointer: a scaled copy for the
    // time of the drawing.
    ViewState scaled = view;
    scaled.printScale *= options.scale;
    scaled.lineScale *= options.scale;
    const ViewState* own = scene.view;
    scene.view = &scaled;
    // Put back however the drawing ends (a failed allocation included).
    struct Restore {
        CMolScene& scene;
        const ViewState* own;
        ~Restore() { scene.view = own; }
    } restore{scene, own};
    const int limit = options.tileLimit > 0 ? options.tileLimit : LargestBufferSide();
    bool drawn = false;
    if (!options.transparent) {
        drawn = DrawWhole(scene, view.backgroundColour, width, height, limit, picture.bgrBottomUp,
                          error);
        picture.alphaBottomUp.clear();
    } else {
        // On black a pixel is a·c, on white a·c + (1 - a): their difference
        // gives the opacity a, the black one the colour c.
        const float black[3] = {0.0F, 0.0F, 0.0F}, white[3] = {1.0F, 1.0F, 1.0F};
        std::vector<std::uint8_t> onWhite;
        drawn = DrawWhole(scene, black, width, height, limit, picture.bgrBottomUp, error) &&
                DrawWhole(scene, white, width, height, limit, onWhite, error);
        if (drawn) {
            const std::size_t pixels = static_cast<std::size_t>(width) * height;
            picture.alphaBottomUp.assign(pixels, 0);
            for (std::size_t i = 0; i < pixels; ++i) {
                int through = 0;
                for (int c = 0; c < 3; ++c)
                    through += onWhite[i * 3 + c] - picture.bgrBottomUp[i * 3 + c];
                const int alpha = std::clamp(255 - (through + 1) / 3, 0, 255);
                picture.alphaBottomUp[i] = static_cast<std::uint8_t>(alpha);
                for (int c = 0; c < 3; ++c) {
                    std::uint8_t& value = picture.bgrBottomUp[i * 3 + c];
                    value = alpha == 0 ? 0
                                       : static_cast<std::uint8_t>(
                                             std::min(255, (value * 255 + alpha / 2) / alpha));
                }
            }
        }
    }
    if (!drawn)
        return false;
    picture.width = width;
    picture.height = height;
    return true;
}
