#include "model/BestRotation.h"

#include "model/SymmetricEigen.h"

#include <cmath>
#include <utility>

namespace {

// Eigenvector of the largest eigenvalue of a symmetric 4 × 4 matrix.
void LargestEigenvector(double (&a)[4][4], double vector[4]) {
    double v[4][4];
    SymmetricEigen(a, v);
    int best = 0;
    for (int k = 1; k < 4; ++k) {
        if (a[k][k] > a[best][best])
            best = k;
    }
    for (int k = 0; k < 4; ++k)
        vector[k] = v[k][best];
}

Point3D Centroid(const std::vector<Point3D>& points) {
    Point3D c;
    for (const Point3D& p : points) {
        c.x += p.x;
        c.y += p.y;
        c.z += p.z;
    }
    const double n = static_cast<double>(points.size());
    return {c.x / n, c.y / n, c.z / n};
}

} // namespace

bool BestRotation::Fit(const std::vector<Point3D>& from, const std::vector<Point3D>& to) {
    if (from.size() != to.size() || from.size() < 2)
        return false;
    const Point3D cf = Centroid(from), ct = Centroid(to);
    double s[3][3] = {};
    for (std::size_t i = 0; i < from.size(); ++i) {
        const double f[3] = {from[i].x - cf.x, from[i].y - cf.y, from[i].z - cf.z};
        const double t[3] = {to[i].x - ct.x, to[i].y - ct.y, to[i].z - ct.z};
        for (int a = 0; a < 3; ++a)
            for (int b = 0; b < 3; ++b)
                s[a][b] += f[a] * t[b];
    }
    const double xx = s[0][0], xy = s[0][1], xz = s[0][2], yx = s[1][0], yy = s[1][1], yz = s[1][2],
                 zx = s[2][0], zy = s[2][1], zz = s[2][2];
    double n[4][4] = {{xx + yy + zz, yz - zy, zx - xz, xy - yx},
                      {yz - zy, xx - yy - zz, xy + yx, zx + xz},
                      {zx - xz, xy + yx, -xx + yy - zz, yz + zy},
                      {xy - yx, zx + xz, yz + zy, -xx - yy + zz}};
    double q[4];
    LargestEigenvector(n, q);
    const double q0 = q[0], q1 = q[1], q2 = q[2], q3 = q[3];
    const double m[9] = {q0 * q0 + q1 * q1 - q2 * q2 - q3 * q3,
                         2 * (q1 * q2 - q0 * q3),
                         2 * (q1 * q3 + q0 * q2),
                         2 * (q1 * q2 + q0 * q3),
                         q0 * q0 - q1 * q1 + q2 * q2 - q3 * q3,
                         2 * (q2 * q3 - q0 * q1),
                         2 * (q1 * q3 - q0 * q2),
                         2 * (q2 * q3 + q0 * q1),
                         q0 * q0 - q1 * q1 - q2 * q2 + q3 * q3};
    for (int k = 0; k < 9; ++k)
        m_[k] = m[k];
    // The identity, or a turn that only swaps and flips axes, within 1e-9:
    // taken as exactly that, so that a displacement printed as 0.00 stays 0.
    permutation_ = true;
    for (int row = 0; row < 3 && permutation_; ++row) {
        int ones = 0;
        for (int column = 0; column < 3; ++column) {
            const double value = m_[3 * row + column];
            if (std::abs(std::abs(value) - 1.0) <= 1e-9)
                ++ones;
            else if (std::abs(value) > 1e-9)
                permutation_ = false;
        }
        permutation_ = permutation_ && ones == 1;
    }
    if (permutation_) {
        for (double& value : m_)
            value = std::abs(value) > 0.5 ? std::copysign(1.0, value) : 0.0;
    }
    double sum = 0.0;
    for (std::size_t i = 0; i < from.size(); ++i) {
        const Point3D r = Apply({from[i].x - cf.x, from[i].y - cf.y, from[i].z - cf.z});
        const double dx = r.x - (to[i].x - ct.x), dy = r.y - (to[i].y - ct.y),
                     dz = r.z - (to[i].z - ct.z);
        sum += dx * dx + dy * dy + dz * dz;
    }
    rmsd_ = std::sqrt(sum / static_cast<double>(from.size()));
    return std::isfinite(rmsd_);
}

Point3D BestRotation::Apply(const Point3D& v) const {
    const double in[3] = {v.x, v.y, v.z};
    double out[3];
    for (int row = 0; row < 3; ++row) {
        double sum = 0.0;
        for (int column = 0; column < 3; ++column) {
            const double factor = m_[3 * row + column];
            // Axes swapped and flipped take each value exactly as it was.
            if (!permutation_ || factor != 0.0)
                sum += factor * in[column];
        }
        // What rounding leaves of a zero is zero (and never -0).
        out[row] = std::abs(sum) <= (permutation_ ? 0.0 : 1e-12) ? 0.0 : sum;
    }
    return {out[0], out[1], out[2]};
}
