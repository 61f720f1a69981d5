#pragma once

#include "model/Point3D.h"

#include <cstddef>
#include <vector>

// Points sorted into cubic cells at least as wide as the distance asked
// about, so that whether any point lies within that distance of a place is
// answered from the 27 cells about it: a selection of every atom near a
// ligand in a structure of millions of atoms takes one pass over them.
class SpatialGrid {
public:
    // The grid of points for questions about distances up to reach (Å).
    SpatialGrid(const std::vector<Point3D>& points, double reach);

    // Whether any point lies within distance reach of p (on it counts).
    bool AnyWithin(const Point3D& p) const;

private:
    bool CellOf(const Point3D& p, long long& x, long long& y, long long& z) const;

    std::vector<Point3D> points_;        // sorted by cell
    std::vector<std::size_t> cellStart_; // cells_ + 1 offsets into points_
    double reach_ = 0.0, reach2_ = 0.0, cell_ = 1.0;
    Point3D low_, high_; // the points' bounding box
    long long nx_ = 0, ny_ = 0, nz_ = 0;
};
