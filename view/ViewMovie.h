#pragma once

#include "view/PictureSource.h"

#include <utility>

// The movies of a molecule view: what the movie shows and how (the movie
// dialog), then its file, written with a progress bar that can stop it.
class ViewMovie {
public:
    explicit ViewMovie(PictureSource source) : source_(std::move(source)) {}

    // Whether a movie has anything to show (geometries or the shown modes).
    bool CanSave() const;
    // The movie commands: an animated GIF, or an MP4 movie through ffmpeg.
    // Nothing is left behind when it is stopped or fails.
    void SaveWithDialog(bool gif);

private:
    PictureSource source_;
};
