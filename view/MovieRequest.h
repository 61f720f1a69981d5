#pragma once

#include "render/ViewState.h"

#include <vector>

class CMolData;

// What a movie shows, frame by frame: the geometries of an optimisation
// from first to last, the points of a reaction path in reaction order (the
// geometries listed), or one period of a normal mode of the geometry shown,
// in framesPerPeriod steps (a movie that loops plays the vibration on).
struct MovieRequest {
    enum Kind { kOptimisation, kVibration, kPath };
    Kind kind = kOptimisation;
    int first = 0; // geometries, from 0, both included
    int last = 0;
    std::vector<int> geometries; // of a path, in the order shown
    int mode = 0;                // index into the shown geometry's modes
    int framesPerPeriod = 20;
    double amplitude = 0.5; // Å per unit of displacement at the turning points

    int FrameCount() const;
    // The view of frame k: base with the geometry or the vibration's offset
    // of that frame (a sine over the period, starting at rest).
    ViewState StateOf(const ViewState& base, int k) const;
    // Whether model has what the request asks for: the geometries, or the
    // mode on base's geometry. False with a short English reason.
    bool Fits(const CMolData& model, const ViewState& base, const char** why) const;
};
