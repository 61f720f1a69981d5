#pragma once

#include "model/Point3D.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

// Values on a grid of points in space (an orbital, a density, a potential),
// as a cube file stores them: positions in bohr, point (i, j, k) at origin +
// i axes[0] + j axes[1] + k axes[2]; the axes need not be orthogonal. The
// values run with k fastest and i slowest.
struct VolumeGrid {
    std::string name;
    std::array<int, 3> points{};
    Point3D origin;
    std::array<Point3D, 3> axes{};
    std::vector<float> values;

    std::size_t Count() const {
        return static_cast<std::size_t>(points[0]) * static_cast<std::size_t>(points[1]) *
               static_cast<std::size_t>(points[2]);
    }
    std::size_t Index(int i, int j, int k) const {
        return (static_cast<std::size_t>(i) * static_cast<std::size_t>(points[1]) +
                static_cast<std::size_t>(j)) *
                   static_cast<std::size_t>(points[2]) +
               static_cast<std::size_t>(k);
    }
    float At(int i, int j, int k) const { return values[Index(i, j, k)]; }
    Point3D PointAt(double i, double j, double k) const;
    // The volume of one cell (bohr³): a sum of values times it integrates.
    double CellVolume() const;
    // Whether the axes lie along x, y and z in that order (the fast path of
    // evaluation needs it).
    bool AxisAligned() const;
    // The smallest and largest value.
    std::array<float, 2> Range() const;
};

// Bohr in ångström (CODATA 2018).
constexpr double kBohrInAngstrom = 0.529177210903;
