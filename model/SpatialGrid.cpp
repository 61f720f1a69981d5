#include "model/SpatialGrid.h"

#include <algorithm>
#include <cmath>

namespace {

// At most this many cells: wider cells where the points spread far for the
// reach asked (each still holds the reach, so the answers stay exact).
constexpr double kMaxCells = 1 << 22;

} // namespace

SpatialGrid::SpatialGrid(const std::vector<Point3D>& points, double reach)
    : reach_(reach), reach2_(reach * reach) {
    for (const Point3D& p : points) {
        if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z))
            continue;
        if (points_.empty()) {
            low_ = high_ = p;
        } else {
            low_ = {std::min(low_.x, p.x), std::min(low_.y, p.y), std::min(low_.z, p.z)};
            high_ = {std::max(high_.x, p.x), std::max(high_.y, p.y), std::max(high_.z, p.z)};
        }
        points_.push_back(p);
    }
    if (points_.empty())
        return;
    // Counted in doubles: positions far apart need no integer overflow.
    const auto cellsAcross = [this](double extent) { return std::floor(extent / cell_) + 1.0; };
    const auto cells = [&] {
        return cellsAcross(high_.x - low_.x) * cellsAcross(high_.y - low_.y) *
               cellsAcross(high_.z - low_.z);
    };
    cell_ = std::max(reach, 1e-3);
    while (cells() > kMaxCells)
        cell_ *= 2.0;
    nx_ = static_cast<long long>(cellsAcross(high_.x - low_.x));
    ny_ = static_cast<long long>(cellsAcross(high_.y - low_.y));
    nz_ = static_cast<long long>(cellsAcross(high_.z - low_.z));
    // A counting sort of the points by cell.
    std::vector<std::size_t> cellOf(points_.size());
    cellStart_.assign(static_cast<std::size_t>(nx_ * ny_ * nz_) + 1, 0);
    for (std::size_t i = 0; i < points_.size(); ++i) {
        long long x = 0, y = 0, z = 0;
        CellOf(points_[i], x, y, z);
        cellOf[i] = static_cast<std::size_t>((x * ny_ + y) * nz_ + z);
        ++cellStart_[cellOf[i] + 1];
    }
    for (std::size_t c = 1; c < cellStart_.size(); ++c)
        cellStart_[c] += cellStart_[c - 1];
    std::vector<std::size_t> fill(cellStart_.begin(), cellStart_.end() - 1);
    std::vector<Point3D> sorted(points_.size());
    for (std::size_t i = 0; i < points_.size(); ++i)
        sorted[fill[cellOf[i]]++] = points_[i];
    points_ = std::move(sorted);
}

bool SpatialGrid::CellOf(const Point3D& p, long long& x, long long& y, long long& z) const {
    x = static_cast<long long>(std::floor((p.x - low_.x) / cell_));
    y = static_cast<long long>(std::floor((p.y - low_.y) / cell_));
    z = static_cast<long long>(std::floor((p.z - low_.z) / cell_));
    return x >= 0 && x < nx_ && y >= 0 && y < ny_ && z >= 0 && z < nz_;
}

bool SpatialGrid::AnyWithin(const Point3D& p) const {
    if (points_.empty() ||
        !(p.x >= low_.x - reach_ && p.x <= high_.x + reach_ && p.y >= low_.y - reach_ &&
          p.y <= high_.y + reach_ && p.z >= low_.z - reach_ && p.z <= high_.z + reach_))
        return false;
    long long cx = 0, cy = 0, cz = 0;
    CellOf(p, cx, cy, cz);
    for (long long x = std::max(cx - 1, 0LL); x <= std::min(cx + 1, nx_ - 1); ++x) {
        for (long long y = std::max(cy - 1, 0LL); y <= std::min(cy + 1, ny_ - 1); ++y) {
            const auto row = static_cast<std::size_t>((x * ny_ + y) * nz_);
            const auto first = row + static_cast<std::size_t>(std::max(cz - 1, 0LL));
            const auto last = row + static_cast<std::size_t>(std::min(cz + 1, nz_ - 1));
            for (std::size_t i = cellStart_[first]; i < cellStart_[last + 1]; ++i) {
                const Point3D& q = points_[i];
                const double dx = q.x - p.x, dy = q.y - p.y, dz = q.z - p.z;
                if (dx * dx + dy * dy + dz * dz <= reach2_)
                    return true;
            }
        }
    }
    return false;
}
