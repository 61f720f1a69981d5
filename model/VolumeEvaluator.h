#pragma once

#include "model/Point3D.h"
#include "model/VolumeGrid.h"
#include "model/Wavefunction.h"

#include <atomic>
#include <string>
#include <vector>

// What to evaluate on a grid: one orbital (1-based number, of the beta
// set when beta), the density of all electrons, or the spin density (alpha
// minus beta).
struct VolumeRequest {
    enum class Quantity { kOrbital, kDensity, kSpinDensity };
    Quantity quantity = Quantity::kOrbital;
    int orbital = 1;
    bool beta = false;

    // "MO 5 (alpha)", "density", "spin density".
    std::string Name() const;
};

// Shared between the thread that evaluates and the one that waits: the
// slabs of the grid done so far out of all, and a request to stop.
struct EvaluationControl {
    std::atomic<bool> cancel{false};
    std::atomic<int> slabsDone{0};
    std::atomic<int> slabs{0};
};

// The most points a grid the program makes or reads may have (4 bytes
// each): 2 GB of values.
constexpr std::size_t kMaxGridPoints = std::size_t{1} << 29;

// A count of points as a whole number, however large (a damaged file may
// announce 10³⁰).
std::string PointCountText(double count);

// A grid about points (bohr) with margin beyond them on every side, points
// spacing apart along x, y and z (bohr). Empty (no points) with why set
// when the spacing or margin is not positive or the grid would have more
// than kMaxGridPoints points.
VolumeGrid GridAround(const std::vector<Point3D>& centres, double margin, double spacing,
                      std::string* why);

// Fills grid's values with what request names, over all cores, in slabs of
// constant first index. Returns false, with why set, when the request does
// not exist in the wavefunction or control asks to stop (the values are
// then incomplete).
bool EvaluateOnGrid(const Wavefunction& wavefunction, const VolumeRequest& request,
                    VolumeGrid& grid, EvaluationControl* control, std::string* why,
                    int threads = 0);
