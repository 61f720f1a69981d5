#include "render/SurfaceState.h"

#include <algorithm>
#include <cmath>

double SurfaceState::DefaultIsovalue(const VolumeGrid& grid) {
    return grid.Range()[0] < 0.0F ? 0.02 : 0.002;
}

std::array<float, 3> SurfaceState::RampColour(float value, const std::array<float, 2>& range) {
    const float span = range[1] - range[0];
    const float t = span > 0.0F ? std::clamp((value - range[0]) / span, 0.0F, 1.0F) : 0.5F;
    if (t < 0.5F) {
        const float w = t * 2.0F; // blue to white
        return {w, w, 1.0F};
    }
    const float w = (1.0F - t) * 2.0F; // white to red
    return {1.0F, w, w};
}

float SurfaceState::Sample(const VolumeGrid& grid, const Point3D& p) {
    if (grid.Count() == 0 || grid.values.size() != grid.Count())
        return 0.0F;
    // Index coordinates by the inverse of the axes' matrix.
    const Point3D& a = grid.axes[0];
    const Point3D& b = grid.axes[1];
    const Point3D& c = grid.axes[2];
    const double det = Dot(a, Cross(b, c));
    if (det == 0.0)
        return 0.0F;
    const Point3D d = Minus(p, grid.origin);
    const double u[3] = {Dot(d, Cross(b, c)) / det, Dot(d, Cross(c, a)) / det,
                         Dot(d, Cross(a, b)) / det};
    if (!std::isfinite(u[0]) || !std::isfinite(u[1]) || !std::isfinite(u[2]))
        return 0.0F;
    int base[3];
    double f[3];
    for (int axis = 0; axis < 3; ++axis) {
        const int n = grid.points[static_cast<std::size_t>(axis)];
        const double clamped = std::clamp(u[axis], 0.0, static_cast<double>(n - 1));
        base[axis] = std::min(static_cast<int>(clamped), std::max(n - 2, 0));
        f[axis] = n > 1 ? clamped - base[axis] : 0.0;
    }
    double value = 0.0;
    for (int corner = 0; corner < 8; ++corner) {
        const int di = corner & 1, dj = (corner >> 1) & 1, dk = corner >> 2;
        const double w = (di != 0 ? f[0] : 1.0 - f[0]) * (dj != 0 ? f[1] : 1.0 - f[1]) *
                         (dk != 0 ? f[2] : 1.0 - f[2]);
        if (w == 0.0)
            continue;
        value += w * grid.At(std::min(base[0] + di, grid.points[0] - 1),
                             std::min(base[1] + dj, grid.points[1] - 1),
                             std::min(base[2] + dk, grid.points[2] - 1));
    }
    return static_cast<float>(value);
}

void SurfaceState::Update() {
    if (volume == nullptr) {
        positive.reset();
        negative.reset();
        positiveColours.reset();
        negativeColours.reset();
        madeFrom_ = nullptr;
        return;
    }
    const bool remesh = madeFrom_ != volume.get() || madeAt_ != isovalue;
    if (remesh) {
        positive = std::make_shared<IsoMesh>(ExtractIsosurface(*volume, isovalue, 1));
        negative = volume->Range()[0] < 0.0F
                       ? std::make_shared<IsoMesh>(ExtractIsosurface(*volume, isovalue, -1))
                       : nullptr;
        madeFrom_ = volume.get();
        madeAt_ = isovalue;
    }
    if (!remesh && colouredBy_ == colourVolume.get() && colouredOver_ == colourRange &&
        colouredTranslucent_ == translucent)
        return;
    colouredBy_ = colourVolume.get();
    colouredOver_ = colourRange;
    colouredTranslucent_ = translucent;
    const float alpha = translucent ? kTranslucentAlpha : 1.0F;
    const auto colours = [&](const std::shared_ptr<const IsoMesh>& mesh)
        -> std::shared_ptr<const std::vector<float>> {
        if (mesh == nullptr || colourVolume == nullptr)
            return nullptr;
        auto rgb = std::make_shared<std::vector<float>>();
        rgb->reserve(mesh->VertexCount() * 4);
        for (std::size_t v = 0; v < mesh->VertexCount(); ++v) {
            const Point3D p{mesh->positions[3 * v], mesh->positions[3 * v + 1],
                            mesh->positions[3 * v + 2]};
            const std::array<float, 3> c = RampColour(Sample(*colourVolume, p), colourRange);
            rgb->insert(rgb->end(), {c[0], c[1], c[2], alpha});
        }
        return rgb;
    };
    positiveColours = colours(positive);
    negativeColours = colours(negative);
}

double SurfaceState::ReachFrom(const Point3D& centre) const {
    // The meshes are in bohr, as the grids they come from.
    double farthest = 0.0;
    for (const auto* mesh : {positive.get(), negative.get()}) {
        if (mesh == nullptr)
            continue;
        const std::vector<float>& p = mesh->positions;
        for (std::size_t k = 0; k + 2 < p.size(); k += 3) {
            const double dx = p[k] * kBohrInAngstrom - centre.x;
            const double dy = p[k + 1] * kBohrInAngstrom - centre.y;
            const double dz = p[k + 2] * kBohrInAngstrom - centre.z;
            farthest = std::max(farthest, dx * dx + dy * dy + dz * dz);
        }
    }
    return std::sqrt(farthest);
}

std::array<float, 2> SurfaceState::ColouringRangeOnSurface() const {
    if (colourVolume == nullptr)
        return {0.0F, 0.0F};
    bool any = false;
    std::array<float, 2> range{0.0F, 0.0F};
    for (const auto* mesh : {positive.get(), negative.get()}) {
        if (mesh == nullptr)
            continue;
        for (std::size_t v = 0; v < mesh->VertexCount(); ++v) {
            const float value =
                Sample(*colourVolume, {mesh->positions[3 * v], mesh->positions[3 * v + 1],
                                       mesh->positions[3 * v + 2]});
            if (!std::isfinite(value))
                continue;
            range = any ? std::array<float, 2>{std::min(range[0], value), std::max(range[1], value)}
                        : std::array<float, 2>{value, value};
            any = true;
        }
    }
    return range;
}
