#pragma once

#include "model/Point3D.h"

#include <vector>

// The proper rotation that best turns one set of points onto another of the
// same atoms in another orientation, each about its own centroid, in the
// least-squares sense (Horn's unit-quaternion method: the eigenvector of the
// largest eigenvalue of a 4 × 4 symmetric matrix built from the points).
class BestRotation {
public:
    // Fits the rotation taking from onto to; false when the sets differ in
    // size or hold fewer than two points.
    bool Fit(const std::vector<Point3D>& from, const std::vector<Point3D>& to);
    // The rotated vector (directions only: no translation). A rotation that
    // is the identity or only swaps and flips axes (within 1e-9) is applied
    // exactly; otherwise a component within 1e-12 of zero is zero.
    Point3D Apply(const Point3D& v) const;
    // Root mean square distance of the rotated points from theirs.
    double Rmsd() const { return rmsd_; }

private:
    double m_[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1}; // row-major
    bool permutation_ = true;                   // m_ holds only 0 and ±1
    double rmsd_ = 0.0;
};
