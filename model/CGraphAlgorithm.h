#pragma once

#include "model/Point3D.h"

// The angle formulas every geometry shares. It has no state.
class CGraphAlgorithm {
public:
    virtual ~CGraphAlgorithm() = default;

    // Degrees per radian, as the angle formulas use it.
    static constexpr double kDegreesPerRadian = 57.29577951308232;
    // The dihedral of three collinear points: outside the range of real angles.
    static constexpr double kUndefinedDihedral = 200.0;

    // Angle a-b-c at b, degrees in 0...180. 0 when a or c coincides with b.
    double Angle(const Point3D& a, const Point3D& b, const Point3D& c) const;
    // Dihedral a-b-c-d, degrees in -180...180, or 200 when three points are
    // collinear.
    double Dihedral(const Point3D& a, const Point3D& b, const Point3D& c, const Point3D& d) const;
};
