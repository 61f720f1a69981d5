#include "model/VolumeGrid.h"

#include <algorithm>
#include <cmath>

Point3D VolumeGrid::PointAt(double i, double j, double k) const {
    return Plus(origin, Plus(Scaled(axes[0], i), Plus(Scaled(axes[1], j), Scaled(axes[2], k))));
}

double VolumeGrid::CellVolume() const {
    return std::fabs(Dot(axes[0], Cross(axes[1], axes[2])));
}

bool VolumeGrid::AxisAligned() const {
    return axes[0].y == 0.0 && axes[0].z == 0.0 && axes[1].x == 0.0 && axes[1].z == 0.0 &&
           axes[2].x == 0.0 && axes[2].y == 0.0;
}

std::array<float, 2> VolumeGrid::Range() const {
    if (values.empty())
        return {0.0F, 0.0F};
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    return {*low, *high};
}
