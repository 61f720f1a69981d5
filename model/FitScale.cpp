#include "model/FitScale.h"

#include "model/CMolData.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numeric>

namespace {

double Distance(const Point3D& a, const Point3D& b) {
    return std::sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y) +
                     (a.z - b.z) * (a.z - b.z));
}

// The smallest pair distance, searching neighbouring cells of a grid of cell
// width h over the box [low, high]. Returns infinity when no two points share
// a cell or neighbouring cells; a result <= h is exact, since any closer pair
// would be neighbours. The cells are one array, filled by a counting sort.
double SmallestWithin(const std::vector<Point3D>& points, const Point3D& low, const Point3D& high,
                      double h) {
    const auto cells = [h](double extent) {
        return static_cast<std::size_t>(std::floor(extent / h)) + 1;
    };
    const std::size_t nx = cells(high.x - low.x), ny = cells(high.y - low.y),
                      nz = cells(high.z - low.z);
    const auto cellOf = [&](const Point3D& p, std::size_t& x, std::size_t& y, std::size_t& z) {
        x = std::min(nx - 1, static_cast<std::size_t>((p.x - low.x) / h));
        y = std::min(ny - 1, static_cast<std::size_t>((p.y - low.y) / h));
        z = std::min(nz - 1, static_cast<std::size_t>((p.z - low.z) / h));
        return (z * ny + y) * nx + x;
    };
    std::vector<std::size_t> start(nx * ny * nz + 1, 0);
    std::vector<std::size_t> cellIndex(points.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        std::size_t x, y, z;
        cellIndex[i] = cellOf(points[i], x, y, z);
        ++start[cellIndex[i] + 1];
    }
    for (std::size_t c = 1; c < start.size(); ++c)
        start[c] += start[c - 1];
    std::vector<std::size_t> members(points.size());
    std::vector<std::size_t> fill(start.begin(), start.end() - 1);
    for (std::size_t i = 0; i < points.size(); ++i)
        members[fill[cellIndex[i]]++] = i;

    double best = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < points.size(); ++i) {
        std::size_t x, y, z;
        cellOf(points[i], x, y, z);
        for (std::size_t cz = z > 0 ? z - 1 : 0; cz <= std::min(nz - 1, z + 1); ++cz)
            for (std::size_t cy = y > 0 ? y - 1 : 0; cy <= std::min(ny - 1, y + 1); ++cy)
                for (std::size_t cx = x > 0 ? x - 1 : 0; cx <= std::min(nx - 1, x + 1); ++cx) {
                    const std::size_t c = (cz * ny + cy) * nx + cx;
                    for (std::size_t k = start[c]; k < start[c + 1]; ++k) {
                        if (members[k] > i)
                            best = std::min(best, Distance(points[i], points[members[k]]));
                    }
                }
    }
    return best;
}

double Smallest(const std::vector<Point3D>& points) {
    Point3D low = points.front(), high = points.front();
    for (const Point3D& p : points) {
        low = {std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z)};
        high = {std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z)};
    }
    const double extent = std::max({high.x - low.x, high.y - low.y, high.z - low.z});
    if (extent <= 0.0)
        return 0.0;
    // About one point a cell to begin with, but never more than 16 cells a
    // point (a flat or sparse box); wider cells until the answer is known to
    // be exact.
    const double n = static_cast<double>(points.size());
    double h = extent / std::max(1.0, std::cbrt(n));
    const double volume =
        std::max(high.x - low.x, h) * std::max(high.y - low.y, h) * std::max(high.z - low.z, h);
    h = std::max(h, std::cbrt(volume / (16.0 * n)));
    for (;;) {
        const double best = SmallestWithin(points, low, high, h);
        if (best <= h)
            return best;
        h *= 2.0;
    }
}

double Largest(const std::vector<Point3D>& points) {
    Point3D c{0.0, 0.0, 0.0};
    for (const Point3D& p : points) {
        c.x += p.x;
        c.y += p.y;
        c.z += p.z;
    }
    const double n = static_cast<double>(points.size());
    c = {c.x / n, c.y / n, c.z / n};
    std::vector<double> radius(points.size());
    std::vector<int> order(points.size());
    for (std::size_t i = 0; i < points.size(); ++i)
        radius[i] = Distance(points[i], c);
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](int a, int b) { return radius[a] > radius[b]; });
    // A long pair to start from, so that the bound below prunes early: the
    // point farthest from a point, then the one farthest from that, a few
    // times over.
    double best = 0.0;
    std::size_t from = static_cast<std::size_t>(order.front());
    for (int round = 0; round < 4; ++round) {
        std::size_t farthest = from;
        double length = 0.0;
        for (std::size_t j = 0; j < points.size(); ++j) {
            const double d = Distance(points[from], points[j]);
            if (d > length) {
                length = d;
                farthest = j;
            }
        }
        best = std::max(best, length);
        from = farthest;
    }
    // |pi - pj| <= ri + rj: once that bound cannot beat the best, no later
    // pair can either, as the radii only shrink. For a molecule the bound
    // stops the search within a few pairs an atom; points it cannot prune
    // (all on one spot, whose radii are rounding, or all on one sphere) would
    // take every pair, so the search ends after a budget of pairs with the
    // longest found, the rounds above having found one within a
    // hundred-thousandth of the longest there.
    std::size_t budget = std::max<std::size_t>(64 * points.size(), std::size_t{1} << 20);
    for (std::size_t i = 0; i < order.size() && budget > 0; ++i) {
        const double ri = radius[order[i]];
        if (2.0 * ri <= best)
            break;
        for (std::size_t j = i + 1; j < order.size() && budget > 0; ++j, --budget) {
            if (ri + radius[order[j]] <= best)
                break;
            best = std::max(best, Distance(points[order[i]], points[order[j]]));
        }
    }
    return best;
}

} // namespace

PairDistanceRange FindPairDistanceRange(const std::vector<Point3D>& points) {
    std::vector<Point3D> finite;
    finite.reserve(points.size());
    for (const Point3D& p : points) {
        if (std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z))
            finite.push_back(p);
    }
    if (finite.size() < 2)
        return {};
    return {Smallest(finite), Largest(finite)};
}

double FitScaleOf(const CMolData& model, int g) {
    const int atoms = model.AtomCount(g);
    std::vector<Point3D> points(static_cast<std::size_t>(atoms));
    for (int a = 0; a < atoms; ++a)
        points[static_cast<std::size_t>(a)] = model.GetAtomPos(g, a);
    return FitScaleOf(points);
}

double FitScaleOf(const std::vector<Point3D>& points) {
    if (points.size() < 2)
        return 1.0;
    const PairDistanceRange range = FindPairDistanceRange(points);
    const double spread = range.largest - range.smallest;
    if (!(spread > 0.0))
        return 1.0;
    return std::min(3.0 / spread, 1.0);
}
