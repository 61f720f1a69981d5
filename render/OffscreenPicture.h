#pragma once

#include <QImage>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class CMolScene;
class QPainter;
struct ViewState;

// The scene drawn again into an off-screen buffer of its own, for picture
// files, movies and printing.
struct OffscreenPicture {
    // The largest side of a picture or movie frame the program draws, in
    // pixels (beyond what one buffer holds it is drawn in tiles).
    static constexpr int kLargestSide = 20000;
    // And the most pixels in all: the drawing and its file in memory.
    static constexpr long long kLargestArea = 100'000'000;

    int width = 0;
    int height = 0;
    // Blue, green, red bytes, rows bottom-up without padding, as read back.
    std::vector<std::uint8_t> bgrBottomUp;
    // Opacity of each pixel, rows bottom-up, for a picture drawn with a
    // transparent background; empty for an opaque one. The colours of
    // bgrBottomUp are then not premultiplied.
    std::vector<std::uint8_t> alphaBottomUp;
    // The resolution written into TIFF and PNG files; 0 writes none.
    int dotsPerInch = 0;

    // The picture as an image, top row first (with alpha when it has any).
    QImage ToImage() const;
    // Lets paint draw over the picture with a painter on it (top row first).
    void PaintOver(const std::function<void(QPainter&)>& paint);

    enum Format { kBmp24, kTiff, kPng };
    // The bytes of a picture file of the given kind; empty when the kind's
    // encoder is missing or fails. A BMP file has no alpha.
    std::string Encode(Format format) const;

    // How a picture larger than the window is drawn.
    struct Options {
        // Point sizes, line widths and label heights times this, so that a
        // picture N times the window's size looks like the window.
        double scale = 1.0;
        // The background left transparent: the scene is drawn on black and
        // on white, and the two give each pixel's opacity and colour, so
        // antialiased edges keep their partial opacity.
        bool transparent = false;
        // The largest buffer side to draw in; 0 for what the OpenGL
        // implementation allows. Larger pictures are drawn in tiles.
        int tileLimit = 0;
    };

    // Renders scene at width × height with the view's camera and background
    // into a new context and buffer; the caller's context is no longer
    // current afterwards. On failure returns false with the short English
    // message of the step that failed in error.
    static bool Render(CMolScene& scene, const ViewState& view, int width, int height,
                       OffscreenPicture& picture, std::string& error);
    static bool Render(CMolScene& scene, const ViewState& view, int width, int height,
                       const Options& options, OffscreenPicture& picture, std::string& error);

    // The largest side of a buffer the OpenGL implementation draws into.
    static int LargestBufferSide();

private:
    static bool RenderInto(CMolScene& scene, const ViewState& view, int width, int height,
                           const Options& options, OffscreenPicture& picture, std::string& error);
};
