#pragma once

#include <cmath>

// Eigenvalues and eigenvectors of a small symmetric matrix by cyclic Jacobi
// rotations (written out because the standard library has no eigen solver
// and three or four dimensions need no library). a is turned into a
// diagonal matrix of the eigenvalues; column k of vectors is the unit
// eigenvector of a[k][k].
template <int N> void SymmetricEigen(double (&a)[N][N], double (&vectors)[N][N]) {
    for (int p = 0; p < N; ++p)
        for (int q = 0; q < N; ++q)
            vectors[p][q] = p == q ? 1.0 : 0.0;
    for (int sweep = 0; sweep < 60; ++sweep) {
        double off = 0.0;
        for (int p = 0; p < N; ++p)
            for (int q = p + 1; q < N; ++q)
                off += a[p][q] * a[p][q];
        if (off < 1e-30)
            break;
        for (int p = 0; p < N; ++p) {
            for (int q = p + 1; q < N; ++q) {
                if (std::abs(a[p][q]) < 1e-300)
                    continue;
                const double theta = (a[q][q] - a[p][p]) / (2.0 * a[p][q]);
                const double t =
                    (theta >= 0 ? 1.0 : -1.0) / (std::abs(theta) + std::sqrt(theta * theta + 1.0));
                const double c = 1.0 / std::sqrt(t * t + 1.0), s = t * c;
                for (int k = 0; k < N; ++k) {
                    const double akp = a[k][p], akq = a[k][q];
                    a[k][p] = c * akp - s * akq;
                    a[k][q] = s * akp + c * akq;
                }
                for (int k = 0; k < N; ++k) {
                    const double apk = a[p][k], aqk = a[q][k];
                    a[p][k] = c * apk - s * aqk;
                    a[q][k] = s * apk + c * aqk;
                }
                for (int k = 0; k < N; ++k) {
                    const double vkp = vectors[k][p], vkq = vectors[k][q];
                    vectors[k][p] = c * vkp - s * vkq;
                    vectors[k][q] = s * vkp + c * vkq;
                }
            }
        }
    }
}
