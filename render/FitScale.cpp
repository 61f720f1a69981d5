#include "render/FitScale.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numeric>
#include <unordered_map>

namespace {

double Distance(const Point3D& a, const Point3D& b) {
    return std::sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y) +
                     (a.z - b.z) * (a.z - b.z));
}

// The smallest pair distance, searching neighbouring cells of a grid of cell
// width h. Returns infinity when no two points share a cell or neighbouring
// cells; a result <= h is exact, since any closer pair would be neighbours.
double SmallestWithin(const std::vector<Point3D>& points, double h) {
    struct Key {
        std::int64_t x, y, z;
        bool operator==(const Key& o) const { return x == o.x && y == o.y && z == o.z; }
    };
    struct Hash {
        std::size_t operator()(const Key& k) const {
            const auto u = [](std::int64_t v) { return static_cast<std::uint64_t>(v); };
            return static_cast<std::size_t>(u(k.x) * 73856093U ^ u(k.y) * 19349663U ^
                                            u(k.z) * 83492791U);
        }
    };
    const auto cell = [h](double v) {
        // Cells far beyond any real coordinate are folded together; that
        // only puts more points in a cell, never leaves a pair out.
        const double index = std::clamp(std::floor(v / h), -4.0e18, 4.0e18);
        return static_cast<std::int64_t>(index);
    };
    std::unordered_map<Key, std::vector<int>, Hash> grid;
    grid.reserve(points.size());
    for (std::size_t i = 0; i < points.size(); ++i)
        grid[{cell(points[i].x), cell(points[i].y), cell(points[i].z)}].push_back(
            static_cast<int>(i));
    double best = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < points.size(); ++i) {
        const Key home{cell(points[i].x), cell(points[i].y), cell(points[i].z)};
        for (std::int64_t dx = -1; dx <= 1; ++dx)
            for (std::int64_t dy = -1; dy <= 1; ++dy)
                for (std::int64_t dz = -1; dz <= 1; ++dz) {
                    const auto it = grid.find({home.x + dx, home.y + dy, home.z + dz});
                    if (it == grid.end())
                        continue;
                    for (int j : it->second) {
                        if (static_cast<std::size_t>(j) > i)
                            best = std::min(best, Distance(points[i], points[j]));
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
    // About one point a cell to begin with; wider cells until the answer is
    // known to be exact.
    double h = extent / std::max(1.0, std::cbrt(static_cast<double>(points.size())));
    for (;;) {
        const double best = SmallestWithin(points, h);
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
    // |pi - pj| <= ri + rj: once that bound cannot beat the best, no later
    // pair can either, as the radii only shrink.
    double best = 0.0;
    for (std::size_t i = 0; i < order.size(); ++i) {
        const double ri = radius[order[i]];
        if (2.0 * ri <= best)
            break;
        for (std::size_t j = i + 1; j < order.size(); ++j) {
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

double FitScaleOf(const std::vector<Point3D>& points) {
    if (points.size() < 2)
        return 1.0;
    const PairDistanceRange range = FindPairDistanceRange(points);
    const double spread = range.largest - range.smallest;
    if (!(spread > 0.0))
        return 1.0;
    return std::min(3.0 / spread, 1.0);
}
