#pragma once

#include <cstdint>
#include <string>
#include <vector>

// An animated GIF built in memory, frame by frame, with giflib. Each frame
// gets a colour table of its own: exactly the colours it uses when they are
// 256 or fewer, else 256 chosen by median cut (giflib's quantiser), with no
// dithering, so flat backgrounds stay flat.
class GifMovie {
public:
    // delayCentiseconds between frames; loop: play again and again (the
    // NETSCAPE2.0 extension), else once.
    GifMovie(int width, int height, int delayCentiseconds, bool loop);
    ~GifMovie();
    GifMovie(const GifMovie&) = delete;
    GifMovie& operator=(const GifMovie&) = delete;

    // A frame of width × height pixels, blue, green, red bytes, rows
    // bottom-up without padding. False when giflib fails (see Error).
    bool AddFrame(const std::vector<std::uint8_t>& bgrBottomUp);
    // Ends the file; its bytes, or empty on failure.
    std::string Finish();
    const std::string& Error() const { return error_; }
    int FrameCount() const { return frames_; }

private:
    bool Fail(int code);

    int width_, height_, delay_;
    bool loop_;
    int frames_ = 0;
    std::string bytes_;
    std::string error_;
    void* gif_ = nullptr; // GifFileType, kept out of this header
};
