#include "view/MovieRequest.h"

#include "model/CMolData.h"

#include <algorithm>
#include <cmath>

int MovieRequest::FrameCount() const {
    if (kind == kPath)
        return static_cast<int>(geometries.size());
    return kind == kOptimisation ? last - first + 1 : framesPerPeriod;
}

ViewState MovieRequest::StateOf(const ViewState& base, int k) const {
    ViewState state = base;
    if (kind == kOptimisation || kind == kPath) {
        state.frame = kind == kPath ? geometries[static_cast<std::size_t>(k)] : first + k;
        state.vibrationOffset = 0.0;
        return state;
    }
    state.mode = mode;
    state.modeFrame = base.frame;
    state.vibrationOffset = amplitude * std::sin(2.0 * M_PI * k / framesPerPeriod);
    return state;
}

bool MovieRequest::Fits(const CMolData& model, const ViewState& base, const char** why) const {
    if (kind == kPath) {
        const bool all = std::all_of(geometries.begin(), geometries.end(),
                                     [&](int g) { return g >= 0 && g < model.frameCount; });
        if (geometries.empty() || !all) {
            *why = "no such geometries";
            return false;
        }
        return true;
    }
    if (kind == kOptimisation) {
        if (first < 0 || last < first || last >= model.frameCount) {
            *why = "no such geometries";
            return false;
        }
        return true;
    }
    if (framesPerPeriod < 2) {
        *why = "a period needs two frames or more";
        return false;
    }
    const int modes = model.HasAtom(base.frame, 0)
                          ? static_cast<int>(model.GetFrame(base.frame)->modes.size())
                          : 0;
    if (mode < 0 || mode >= modes) {
        *why = modes == 0 ? "the geometry shown has no normal modes" : "no such normal mode";
        return false;
    }
    return true;
}
