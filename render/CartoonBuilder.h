#pragma once

#include "render/SceneContent.h"

#include "model/Point3D.h"

#include <functional>
#include <vector>

class CMolFrame;

// The cartoon of a protein geometry as one triangle mesh in ångström with a
// colour per vertex: each chain a smooth curve through its CA atoms (a
// Catmull-Rom spline), turned about itself by guide vectors from the
// carbonyl oxygens; helices (H, G, I) as wide flat ribbons or, as a choice,
// as cylinders along their axes; strands (E) as flat arrows; the rest as a
// round tube. Within a strand the curve runs through points between the CA
// atoms, which zigzag across the strand's course.
class CartoonBuilder {
public:
    struct Options {
        bool helixCylinders = false;
        // Points along the curve per residue, and around it.
        int stepsPerResidue = 6;
        int sides = 10;
        // The chain residues drawn, by the atom index of their CA; all when
        // empty. A run of residues drawn ends at one left out.
        std::function<bool(int ca)> keep;
        // The secondary structure the file's records give instead of the
        // one assigned from the backbone (see CMolFrame::Secondary).
        bool fileSecondary = false;
    };

    // colourOf(a) gives the colour of the residue whose CA is atom a.
    static SceneSurface Build(const CMolFrame& frame, const std::function<Rgba(int)>& colourOf,
                              const Options& options);

    // The points the curve runs through, one for each chain residue in the
    // order SecondaryStructure::ChainResidues lists them: its CA, or for a
    // strand residue between two more of its strand (within the chain) the
    // mean of its CA weighted twice and its neighbours' once, which cancels
    // the strand's pleat.
    static std::vector<Point3D> CurvePoints(const CMolFrame& frame, bool fileSecondary = false);
};
