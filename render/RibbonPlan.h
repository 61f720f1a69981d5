#pragma once

#include "model/Point3D.h"

#include <vector>

// The planning of the backbone ribbon, apart from any drawing.
//
// Control point c is the mean of backbone atoms c, c + 1, c + 2. A gap
// follows backbone atom c + 1 when the squared distance from it to atom c + 2
// exceeds kRibbonGapSquared; its segment end is c - 1, the last control point
// whose atoms all lie before the gap. The end of the data closes the list.
constexpr double kRibbonGapSquared = 20.0;
// The segment ends for the positions of the backbone atoms, in order; the
// list grows with the number of gaps.
std::vector<int> RibbonSegmentEnds(const std::vector<Point3D>& backbone);

// One Bézier piece: control points start ... start + degree.
struct RibbonPiece {
    int start;
    int degree;
    bool operator==(const RibbonPiece& o) const { return start == o.start && degree == o.degree; }
};
// The pieces that trace the segments: at most 8 control points a piece, the
// next piece beginning where the last ended; after a segment the next one
// begins three control points past the recorded end, skipping the points
// whose atoms straddle the gap. Segments too short for a piece draw nothing.
std::vector<RibbonPiece> PlanRibbonPieces(const std::vector<int>& segmentEnds);
