#include "picture/GifMovie.h"

#include <gif_lib.h>

#include <algorithm>
#include <unordered_map>

namespace {

int Append(GifFileType* gif, const GifByteType* data, int length) {
    static_cast<std::string*>(gif->UserData)
        ->append(reinterpret_cast<const char*>(data), static_cast<std::size_t>(length));
    return length;
}

// The frame's colours and each pixel's index in them, rows top-down as GIF
// stores them: exact when the frame has at most 256 colours, else by
// giflib's median cut. False when quantisation fails.
bool ColourTable(int width, int height, const std::vector<std::uint8_t>& bgrBottomUp,
                 std::vector<GifColorType>& colours, std::vector<GifByteType>& indices) {
    const std::size_t pixels = static_cast<std::size_t>(width) * height;
    indices.assign(pixels, 0);
    colours.clear();
    std::unordered_map<std::uint32_t, GifByteType> seen;
    bool few = true;
    for (int y = 0; y < height && few; ++y) {
        const std::uint8_t* row = bgrBottomUp.data() + static_cast<std::size_t>(height - 1 - y) *
                                                           static_cast<std::size_t>(width) * 3;
        for (int x = 0; x < width; ++x) {
            const std::uint32_t rgb = (static_cast<std::uint32_t>(row[x * 3 + 2]) << 16) |
                                      (static_cast<std::uint32_t>(row[x * 3 + 1]) << 8) |
                                      row[x * 3];
            auto it = seen.find(rgb);
            if (it == seen.end()) {
                if (colours.size() == 256) {
                    few = false;
                    break;
                }
                it = seen.emplace(rgb, static_cast<GifByteType>(colours.size())).first;
                colours.push_back({row[x * 3 + 2], row[x * 3 + 1], row[x * 3]});
            }
            indices[static_cast<std::size_t>(y) * width + x] = it->second;
        }
    }
    if (few)
        return true;
    std::vector<GifByteType> red(pixels), green(pixels), blue(pixels);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = bgrBottomUp.data() + static_cast<std::size_t>(height - 1 - y) *
                                                           static_cast<std::size_t>(width) * 3;
        for (int x = 0; x < width; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * width + x;
            red[i] = row[x * 3 + 2];
            green[i] = row[x * 3 + 1];
            blue[i] = row[x * 3];
        }
    }
    int size = 256;
    colours.assign(256, GifColorType{0, 0, 0});
    if (GifQuantizeBuffer(static_cast<unsigned>(width), static_cast<unsigned>(height), &size,
                          red.data(), green.data(), blue.data(), indices.data(),
                          colours.data()) == GIF_ERROR)
        return false;
    colours.resize(static_cast<std::size_t>(std::clamp(size, 1, 256)));
    return true;
}

} // namespace

GifMovie::GifMovie(int width, int height, int delayCentiseconds, bool loop)
    : width_(width), height_(height), delay_(delayCentiseconds), loop_(loop) {}

GifMovie::~GifMovie() {
    if (gif_ != nullptr)
        EGifCloseFile(static_cast<GifFileType*>(gif_), nullptr);
}

bool GifMovie::Fail(int code) {
    error_ = GifErrorString(code) != nullptr ? GifErrorString(code) : "GIF error";
    return false;
}

bool GifMovie::AddFrame(const std::vector<std::uint8_t>& bgrBottomUp) {
    if (!error_.empty())
        return false;
    if (bgrBottomUp.size() != static_cast<std::size_t>(width_) * height_ * 3) {
        error_ = "frame of another size";
        return false;
    }
    int code = 0;
    if (gif_ == nullptr) {
        GifFileType* gif = EGifOpen(&bytes_, Append, &code);
        if (gif == nullptr)
            return Fail(code);
        gif_ = gif;
        EGifSetGifVersion(gif, true);
        // No global table: every frame brings its own.
        if (EGifPutScreenDesc(gif, width_, height_, 8, 0, nullptr) == GIF_ERROR)
            return Fail(gif->Error);
        if (loop_) {
            GifByteType netscape[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
            GifByteType repeat[] = {1, 0, 0}; // loop for ever
            if (EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_ERROR ||
                EGifPutExtensionBlock(gif, sizeof netscape, netscape) == GIF_ERROR ||
                EGifPutExtensionBlock(gif, sizeof repeat, repeat) == GIF_ERROR ||
                EGifPutExtensionTrailer(gif) == GIF_ERROR)
                return Fail(gif->Error);
        }
    }
    auto* gif = static_cast<GifFileType*>(gif_);
    std::vector<GifColorType> colours;
    std::vector<GifByteType> indices;
    if (!ColourTable(width_, height_, bgrBottomUp, colours, indices)) {
        error_ = "colour quantisation failed";
        return false;
    }
    // A GIF colour table holds a power of two entries, at least two.
    int tableSize = 2;
    while (tableSize < static_cast<int>(colours.size()))
        tableSize *= 2;
    colours.resize(static_cast<std::size_t>(tableSize), GifColorType{0, 0, 0});
    ColorMapObject* map = GifMakeMapObject(tableSize, colours.data());
    if (map == nullptr) {
        error_ = "out of memory";
        return false;
    }
    GraphicsControlBlock control{};
    control.DisposalMode = DISPOSE_DO_NOT;
    control.DelayTime = delay_;
    control.TransparentColor = NO_TRANSPARENT_COLOR;
    GifByteType extension[4];
    const std::size_t length = EGifGCBToExtension(&control, extension);
    bool ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension) !=
                  GIF_ERROR &&
              EGifPutImageDesc(gif, 0, 0, width_, height_, false, map) != GIF_ERROR;
    for (int y = 0; ok && y < height_; ++y)
        ok = EGifPutLine(gif, indices.data() + static_cast<std::size_t>(y) * width_, width_) !=
             GIF_ERROR;
    GifFreeMapObject(map);
    if (!ok)
        return Fail(gif->Error);
    ++frames_;
    return true;
}

std::string GifMovie::Finish() {
    if (gif_ == nullptr || !error_.empty()) {
        if (error_.empty())
            error_ = "no frames";
        return {};
    }
    int code = 0;
    const int closed = EGifCloseFile(static_cast<GifFileType*>(gif_), &code);
    gif_ = nullptr;
    if (closed == GIF_ERROR) {
        Fail(code);
        return {};
    }
    return std::move(bytes_);
}
