#include "model/PrincipalAxes.h"

#include "model/SymmetricEigen.h"

#include <algorithm>
#include <cmath>

std::array<Point3D, 3> PrincipalAxesOf(const std::vector<Point3D>& points) {
    std::array<Point3D, 3> axes = {Point3D{1, 0, 0}, Point3D{0, 1, 0}, Point3D{0, 0, 1}};
    double sum[3] = {}, n = 0.0;
    const auto finite = [](const Point3D& p) {
        return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
    };
    for (const Point3D& p : points) {
        if (!finite(p))
            continue;
        sum[0] += p.x;
        sum[1] += p.y;
        sum[2] += p.z;
        n += 1.0;
    }
    if (n < 2.0)
        return axes;
    double covariance[3][3] = {};
    for (const Point3D& p : points) {
        if (!finite(p))
            continue;
        const double d[3] = {p.x - sum[0] / n, p.y - sum[1] / n, p.z - sum[2] / n};
        for (int a = 0; a < 3; ++a)
            for (int b = 0; b < 3; ++b)
                covariance[a][b] += d[a] * d[b];
    }
    if (!(covariance[0][0] + covariance[1][1] + covariance[2][2] > 0.0))
        return axes;
    double vectors[3][3];
    SymmetricEigen(covariance, vectors);
    int order[3] = {0, 1, 2};
    std::sort(order, order + 3,
              [&covariance](int i, int j) { return covariance[i][i] > covariance[j][j]; });
    for (int k = 0; k < 2; ++k) {
        const int c = order[k];
        Point3D axis{vectors[0][c], vectors[1][c], vectors[2][c]};
        const double* largest = &axis.x;
        for (const double* component : {&axis.y, &axis.z}) {
            if (std::abs(*component) > std::abs(*largest) + 1e-12)
                largest = component;
        }
        if (*largest < 0.0)
            axis = {-axis.x, -axis.y, -axis.z};
        axes[static_cast<std::size_t>(k)] = axis;
    }
    axes[2] = Cross(axes[0], axes[1]);
    return axes;
}
