#pragma once

#include <QString>

class CMolScene;
class QProgressDialog;
struct MovieRequest;
struct ViewState;

// Writes a movie: an animated GIF (giflib, built in memory) or an MP4
// (H.264) made by the ffmpeg program from the frames piped to it. Nothing is
// left at the path unless the whole movie was written: the movie goes to a
// hidden scratch file beside it that takes the path's place only when
// complete, and a cancelled or failed movie removes it.
class MovieWriter {
public:
    enum Format { kGif, kMp4 };

    // The format a name's extension says (.gif, .mp4); false for others.
    static bool FormatOf(const QString& path, Format& format);
    // The ffmpeg program on the PATH; empty when there is none.
    static QString Ffmpeg();

    // How a movie is drawn: the frame size, the scale of lines, points and
    // labels (as for a picture), frames per second, and whether a GIF plays
    // again and again.
    struct Frames {
        int width = 0, height = 0;
        double scale = 1.0;
        int fps = 10;
        bool loop = true;
    };

    // The whole movie of request drawn by scene from base, each frame
    // off-screen. With progress, its bar follows and its cancel button stops
    // the movie (false with an empty error). A model replaced while the movie
    // is drawn (a file read again) ends it with an error.
    static bool Write(CMolScene& scene, const ViewState& base, const MovieRequest& request,
                      const QString& path, const Frames& frames, QProgressDialog* progress,
                      QString& error);
};
