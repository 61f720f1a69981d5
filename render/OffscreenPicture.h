#pragma once

#include <QImage>

#include <cstdint>
#include <string>
#include <vector>

class CMolScene;
struct ViewState;

// The scene drawn again into an off-screen buffer of its own, for picture
// files and printing.
struct OffscreenPicture {
    int width = 0;
    int height = 0;
    // Blue, green, red bytes, rows bottom-up without padding, as read back.
    std::vector<std::uint8_t> bgrBottomUp;

    // The picture as an image, top row first.
    QImage ToImage() const;

    enum Format { kBmp24, kTiff, kPng };
    // The bytes of a picture file of the given kind; empty when the kind's
    // encoder is missing or fails.
    std::string Encode(Format format) const;

    // Renders scene at width × height with the view's camera and background
    // into a new context and buffer; the caller's context is no longer
    // current afterwards. On failure returns false with the short English
    // message of the step that failed in error.
    static bool Render(CMolScene& scene, const ViewState& view, int width, int height,
                       OffscreenPicture& picture, std::string& error);
};
