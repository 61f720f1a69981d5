#include "render/RibbonPlan.h"

std::vector<int> RibbonSegmentEnds(const std::vector<Point3D>& backbone) {
    std::vector<int> ends;
    const int n = static_cast<int>(backbone.size()) - 2;
    for (int c = 0; c < n; ++c) {
        const Point3D& p1 = backbone[static_cast<std::size_t>(c + 1)];
        const Point3D& p2 = backbone[static_cast<std::size_t>(c + 2)];
        const double dx = p1.x - p2.x, dy = p1.y - p2.y, dz = p1.z - p2.z;
        if (dx * dx + dy * dy + dz * dz > kRibbonGapSquared)
            ends.push_back(c - 1);
    }
    if (n >= 1)
        ends.push_back(n - 1);
    return ends;
}

std::vector<RibbonPiece> PlanRibbonPieces(const std::vector<int>& segmentEnds) {
    std::vector<RibbonPiece> pieces;
    int start = 0;
    for (int end : segmentEnds) {
        for (;;) {
            const int degree = end < start + 7 ? end - start - 1 : 7;
            if (degree >= 1)
                pieces.push_back({start, degree});
            start += degree;
            if (end > start + 1)
                continue;
            start += 4;
            break;
        }
    }
    return pieces;
}
