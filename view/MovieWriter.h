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

    // The whole movie of request drawn by scene from base at width × height,
    // each frame off-screen. With progress, its bar follows and its cancel
    // button stops the movie (false with an empty error).
    static bool Write(CMolScene& scene, const ViewState& base, const MovieRequest& request,
                      const QString& path, int width, int height, int fps, bool loop,
                      QProgressDialog* progress, QString& error);
};
