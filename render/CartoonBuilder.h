#pragma once

#include "render/SceneContent.h"

#include <functional>

class CMolFrame;

// The cartoon of a protein geometry as one triangle mesh in ångström with a
// colour per vertex: each chain a smooth curve through its CA atoms (a
// Catmull-Rom spline), turned about itself by guide vectors from the
// carbonyl oxygens; helices (H, G, I) as wide flat ribbons or, as a choice,
// as cylinders along their axes; strands (E) as flat arrows; the rest as a
// round tube.
class CartoonBuilder {
public:
    struct Options {
        bool helixCylinders = false;
        // Points along the curve per residue, and around it.
        int stepsPerResidue = 6;
        int sides = 10;
    };

    // colourOf(a) gives the colour of the residue whose CA is atom a.
    static SceneSurface Build(const CMolFrame& frame, const std::function<Rgba(int)>& colourOf,
                              const Options& options);
};
