#include "model/VolumeEvaluator.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <new>
#include <thread>

std::string VolumeRequest::Name() const {
    switch (quantity) {
    case Quantity::kOrbital:
        return "MO " + std::to_string(orbital) + (beta ? " (beta)" : " (alpha)");
    case Quantity::kDensity:
        return "density";
    case Quantity::kSpinDensity:
        return "spin density";
    }
    return {};
}

std::string PointCountText(double count) {
    char text[400];
    std::snprintf(text, sizeof text, "%.0f", count);
    return text;
}

VolumeGrid GridAround(const std::vector<Point3D>& centres, double margin, double spacing,
                      std::string* why) {
    VolumeGrid grid;
    if (!(spacing > 0.0) || !(margin >= 0.0) || !std::isfinite(spacing) || !std::isfinite(margin)) {
        if (why != nullptr)
            *why = "the spacing must be above 0 and the margin 0 or more";
        return grid;
    }
    Point3D low{0, 0, 0}, high{0, 0, 0};
    for (std::size_t a = 0; a < centres.size(); ++a) {
        const Point3D& c = centres[a];
        low =
            a == 0 ? c : Point3D{std::min(low.x, c.x), std::min(low.y, c.y), std::min(low.z, c.z)};
        high = a == 0
                   ? c
                   : Point3D{std::max(high.x, c.x), std::max(high.y, c.y), std::max(high.z, c.z)};
    }
    const double extent[3] = {high.x - low.x, high.y - low.y, high.z - low.z};
    double total = 1.0;
    for (int axis = 0; axis < 3; ++axis) {
        const double points = std::ceil((extent[axis] + 2.0 * margin) / spacing) + 1.0;
        grid.points[static_cast<std::size_t>(axis)] = static_cast<int>(std::min(points, 2.0e9));
        total *= points;
    }
    if (total > static_cast<double>(kMaxGridPoints)) {
        if (why != nullptr)
            *why = "the grid would have " + PointCountText(total) + " points, more than " +
                   std::to_string(kMaxGridPoints);
        grid.points = {0, 0, 0};
        return grid;
    }
    // The box is centred on the atoms: the points overshoot the margin
    // equally on both sides.
    for (int axis = 0; axis < 3; ++axis) {
        const double span = (grid.points[static_cast<std::size_t>(axis)] - 1) * spacing;
        const double centre = axis == 0   ? (low.x + high.x) / 2
                              : axis == 1 ? (low.y + high.y) / 2
                                          : (low.z + high.z) / 2;
        (axis == 0 ? grid.origin.x : axis == 1 ? grid.origin.y : grid.origin.z) = centre - span / 2;
    }
    grid.axes = {Point3D{spacing, 0, 0}, Point3D{0, spacing, 0}, Point3D{0, 0, spacing}};
    return grid;
}

namespace {

constexpr double kFloatMax = std::numeric_limits<float>::max();

// One line of a grid, (i, j, k) for k = 0 ... n - 1: the values of a
// shell's functions along it, through the grid's axis factors when it has
// them.
struct GridLine {
    const GaussianBasis& basis;
    const VolumeGrid& grid;
    const GaussianBasis::AxisFactors* factors;
    int i, j;

    std::pair<int, int> Shell(int s, double* values, int stride) const {
        if (factors != nullptr)
            return basis.EvaluateGridLine(s, *factors, i, j, values, stride);
        return basis.EvaluateLine(s, grid.PointAt(i, j, 0), grid.axes[2], grid.points[2], values,
                                  stride);
    }
};

// Values along one line of the grid of an orbital with coefficients c.
void OrbitalLine(const GaussianBasis& basis, const double* c, const GridLine& line, int n,
                 double* out, std::vector<double>& phi) {
    std::fill(out, out + n, 0.0);
    for (int s = 0; s < static_cast<int>(basis.Shells().size()); ++s) {
        const int functions = basis.Shells()[static_cast<std::size_t>(s)].FunctionCount();
        phi.resize(static_cast<std::size_t>(functions) * static_cast<std::size_t>(n));
        const auto [first, last] = line.Shell(s, phi.data(), n);
        const double* coefficients = c + basis.FirstFunction(s);
        for (int f = 0; f < functions; ++f) {
            const double cf = coefficients[f];
            if (cf == 0.0)
                continue;
            const double* row =
                phi.data() + static_cast<std::size_t>(f) * static_cast<std::size_t>(n);
            for (int k = first; k < last; ++k)
                out[k] += cf * row[k];
        }
    }
}

// Values along one line of the density of the symmetric matrix p (full,
// n functions square): the functions of the shells in reach of the line,
// then their quadratic form at each point.
void DensityLine(const GaussianBasis& basis, const std::vector<double>& p, const GridLine& line,
                 int n, double* out, std::vector<double>& phi, std::vector<int>& active) {
    const std::size_t nbf = static_cast<std::size_t>(basis.FunctionCount());
    phi.assign(nbf * static_cast<std::size_t>(n), 0.0);
    active.clear();
    for (int s = 0; s < static_cast<int>(basis.Shells().size()); ++s) {
        const int first = basis.FirstFunction(s);
        const auto [begin, end] =
            line.Shell(s, phi.data() + static_cast<std::size_t>(first) * n, n);
        if (begin < end) {
            for (int f = 0; f < basis.Shells()[static_cast<std::size_t>(s)].FunctionCount(); ++f)
                active.push_back(first + f);
        }
    }
    std::fill(out, out + n, 0.0);
    for (std::size_t a = 0; a < active.size(); ++a) {
        const std::size_t mu = static_cast<std::size_t>(active[a]);
        const double* rowMu = phi.data() + mu * n;
        const double* pMu = p.data() + mu * nbf;
        for (std::size_t b = 0; b <= a; ++b) {
            const std::size_t nu = static_cast<std::size_t>(active[b]);
            const double weight = (a == b ? 1.0 : 2.0) * pMu[nu];
            if (weight == 0.0)
                continue;
            const double* rowNu = phi.data() + nu * n;
            for (int k = 0; k < n; ++k)
                out[k] += weight * rowMu[k] * rowNu[k];
        }
    }
}

} // namespace

bool EvaluateOnGrid(const Wavefunction& wavefunction, const VolumeRequest& request,
                    VolumeGrid& grid, EvaluationControl* control, std::string* why, int threads) {
    const GaussianBasis& basis = wavefunction.basis;
    const std::size_t nbf = static_cast<std::size_t>(basis.FunctionCount());
    const auto fail = [&](const std::string& text) {
        if (why != nullptr)
            *why = text;
        return false;
    };
    if (nbf == 0)
        return fail("the file holds no basis functions");
    if (grid.Count() == 0 || grid.Count() > kMaxGridPoints)
        return fail("the grid has no points or too many");
    const bool orbital = request.quantity == VolumeRequest::Quantity::kOrbital;
    const OrbitalSet& set = wavefunction.Orbitals(request.beta);
    if (orbital && (request.orbital < 1 || request.orbital > set.Count() ||
                    set.coefficients.size() < static_cast<std::size_t>(set.Count()) * nbf))
        return fail("there is no orbital " + std::to_string(request.orbital) + " (the file has " +
                    std::to_string(set.Count()) + ")");
    std::vector<double> full;
    if (!orbital) {
        const std::vector<double> lower =
            wavefunction.DensityMatrix(request.quantity == VolumeRequest::Quantity::kSpinDensity);
        full.assign(nbf * nbf, 0.0);
        std::size_t at = 0;
        for (std::size_t i = 0; i < nbf; ++i) {
            for (std::size_t j = 0; j <= i; ++j, ++at)
                full[i * nbf + j] = full[j * nbf + i] = lower[at];
        }
    }
    const double* coefficients =
        orbital ? set.coefficients.data() + static_cast<std::size_t>(request.orbital - 1) * nbf
                : nullptr;
    EvaluationControl own;
    EvaluationControl& c = control != nullptr ? *control : own;
    const int nx = grid.points[0], ny = grid.points[1], nz = grid.points[2];
    c.slabs = nx;
    c.slabsDone = 0;
    if (c.cancel)
        return fail("cancelled");
    // An axis-aligned grid (every grid the program makes) takes its
    // exponentials once per primitive and axis point.
    GaussianBasis::AxisFactors factors;
    bool separable = false;
    try {
        grid.values.assign(grid.Count(), 0.0F);
        separable = basis.PrepareAxisFactors(grid, factors);
    } catch (const std::bad_alloc&) {
        grid.values.clear();
        return fail("the grid does not fit into the memory available");
    }
    std::atomic<int> next{0};
    std::atomic<bool> outOfMemory{false};
    const auto slabs = [&] {
        std::vector<double> phi, line(static_cast<std::size_t>(nz));
        std::vector<int> active;
        for (int i = next++; i < nx && !c.cancel; i = next++) {
            for (int j = 0; j < ny; ++j) {
                const GridLine at{basis, grid, separable ? &factors : nullptr, i, j};
                if (orbital)
                    OrbitalLine(basis, coefficients, at, nz, line.data(), phi);
                else
                    DensityLine(basis, full, at, nz, line.data(), phi, active);
                float* out = grid.values.data() + grid.Index(i, j, 0);
                // Values beyond a float's range (a damaged file's
                // coefficients) keep the largest; values that are no
                // number are 0.
                for (int k = 0; k < nz; ++k) {
                    const double v = line[static_cast<std::size_t>(k)];
                    out[k] = std::isfinite(v)
                                 ? static_cast<float>(std::clamp(v, -kFloatMax, kFloatMax))
                                 : 0.0F;
                }
            }
            ++c.slabsDone;
        }
    };
    // Memory that runs out in a thread stops them all and is said, not an
    // abort.
    const auto work = [&] {
        try {
            slabs();
        } catch (const std::bad_alloc&) {
            outOfMemory = true;
            c.cancel = true;
        }
    };
    if (threads <= 0)
        threads = static_cast<int>(std::max(1U, std::thread::hardware_concurrency()));
    std::vector<std::thread> pool;
    for (int t = 1; t < threads; ++t)
        pool.emplace_back(work);
    work();
    for (std::thread& thread : pool)
        thread.join();
    if (outOfMemory)
        return fail("the grid does not fit into the memory available");
    if (c.cancel)
        return fail("cancelled");
    grid.name = request.Name();
    return true;
}
