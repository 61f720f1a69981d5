#include "model/CGraphAlgorithm.h"

#include <algorithm>
#include <cmath>

namespace {

// Cosine of the angle between u and v, each normalised first.
double UnitCosine(const Point3D& u, double lu, const Point3D& v, double lv) {
    return Dot(Scaled(u, 1.0 / lu), Scaled(v, 1.0 / lv));
}

// Rounding can push the cosine of two unit vectors just outside [-1, 1], where
// acos gives NaN (a straight angle would then show as "nan").
double AcosDegrees(double cosine) {
    return std::acos(std::clamp(cosine, -1.0, 1.0)) * CGraphAlgorithm::kDegreesPerRadian;
}

} // namespace

double CGraphAlgorithm::Angle(const Point3D& a, const Point3D& b, const Point3D& c) const {
    const Point3D u = Minus(a, b);
    const Point3D v = Minus(c, b);
    const double lu = Length(u);
    const double lv = Length(v);
    if (lu == 0.0 || lv == 0.0)
        return 0.0;
    return AcosDegrees(UnitCosine(u, lu, v, lv));
}

double CGraphAlgorithm::Dihedral(const Point3D& a, const Point3D& b, const Point3D& c,
                                 const Point3D& d) const {
    const Point3D p = Cross(Minus(b, a), Minus(b, c));
    const Point3D q = Cross(Minus(b, c), Minus(d, c));
    const double lp = Length(p);
    const double lq = Length(q);
    if (lp < 1e-12 || lq < 1e-12)
        return kUndefinedDihedral;
    const double angle = AcosDegrees(UnitCosine(p, lp, q, lq));
    const Point3D w = Minus(d, c);
    const Point3D wMinusP = Minus(w, p);
    const Point3D wPlusP = Plus(w, p);
    return Dot(wMinusP, wMinusP) < Dot(wPlusP, wPlusP) ? -angle : angle;
}
