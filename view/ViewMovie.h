#pragma once

#include "view/PictureSource.h"

#include <utility>
#include <vector>

class CMolData;
struct NormalMode;

// The movies of a molecule view: what the movie shows and how (the movie
// dialog), then its file, written with a progress bar that can stop it.
class ViewMovie {
public:
    explicit ViewMovie(PictureSource source) : source_(std::move(source)) {}

    // Whether a movie of model has anything to show (several geometries, or
    // modes of the geometry shown).
    static bool CanSave(const CMolData* model, const std::vector<NormalMode>* modes);
    // The movie commands: an animated GIF, or an MP4 movie through ffmpeg.
    // Nothing is left behind when it is stopped or fails.
    void SaveWithDialog(bool gif);

private:
    PictureSource source_;
};
