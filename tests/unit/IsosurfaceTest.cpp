// Isosurfaces: closed and consistently turned where the level set is
// closed, and enclosing the volume the level set does.

#include "model/Isosurface.h"
#include "model/VolumeEvaluator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <utility>

namespace {

VolumeGrid Sampled(double half, double h, const std::function<double(const Point3D&)>& f) {
    VolumeGrid grid = GridAround({Point3D{}}, half, h, nullptr);
    grid.values.resize(grid.Count());
    for (int i = 0; i < grid.points[0]; ++i)
        for (int j = 0; j < grid.points[1]; ++j)
            for (int k = 0; k < grid.points[2]; ++k)
                grid.values[grid.Index(i, j, k)] = static_cast<float>(f(grid.PointAt(i, j, k)));
    return grid;
}

// V - E + F of the mesh, and whether every edge is met by exactly two
// triangles running along it in opposite directions (closed and oriented).
std::pair<long, bool> EulerAndOriented(const IsoMesh& mesh) {
    std::map<std::pair<std::uint32_t, std::uint32_t>, int> directed;
    for (std::size_t t = 0; t < mesh.TriangleCount(); ++t) {
        for (int e = 0; e < 3; ++e)
            ++directed[{mesh.triangles[3 * t + e], mesh.triangles[3 * t + (e + 1) % 3]}];
    }
    bool oriented = true;
    long edges = 0;
    for (const auto& [edge, count] : directed) {
        const auto back = directed.find({edge.second, edge.first});
        oriented = oriented && count == 1 && back != directed.end() && back->second == 1;
        if (edge.first < edge.second)
            ++edges;
    }
    return {static_cast<long>(mesh.VertexCount()) - edges + static_cast<long>(mesh.TriangleCount()),
            oriented};
}

// The volume a closed, outward-turned mesh encloses (divergence theorem).
double Enclosed(const IsoMesh& mesh) {
    double volume = 0.0;
    for (std::size_t t = 0; t < mesh.TriangleCount(); ++t) {
        Point3D p[3];
        for (int v = 0; v < 3; ++v) {
            const float* at = &mesh.positions[3 * mesh.triangles[3 * t + v]];
            p[v] = {at[0], at[1], at[2]};
        }
        volume += Dot(p[0], Cross(p[1], p[2])) / 6.0;
    }
    return volume;
}

} // namespace

// The hydrogen 1s density exp(-2r)/π at 0.002 bohr⁻³: a sphere of radius
// -ln(0.002π)/2.
TEST(Isosurface, HydrogenDensityGivesAClosedSphereOfTheRightVolume) {
    const VolumeGrid grid = Sampled(
        4.0, 0.1, [](const Point3D& p) { return std::exp(-2.0 * Length(p)) / 3.141592653589793; });
    const IsoMesh mesh = ExtractIsosurface(grid, 0.002);
    const auto [euler, oriented] = EulerAndOriented(mesh);
    EXPECT_EQ(euler, 2);
    EXPECT_TRUE(oriented);
    EXPECT_TRUE(mesh.closed);
    // A level whose sphere the grid cuts: open, and said to be.
    const IsoMesh cut = ExtractIsosurface(grid, 0.0001);
    EXPECT_FALSE(cut.closed);
    EXPECT_NE(EulerAndOriented(cut).first, 2);
    const double r = -std::log(0.002 * 3.141592653589793) / 2.0;
    EXPECT_NEAR(Enclosed(mesh) / (4.0 / 3.0 * 3.141592653589793 * r * r * r), 1.0, 0.01);
    // Normals point outwards, along the position here.
    for (std::size_t v = 0; v < mesh.VertexCount(); v += 97) {
        const Point3D n{mesh.normals[3 * v], mesh.normals[3 * v + 1], mesh.normals[3 * v + 2]};
        const Point3D p{mesh.positions[3 * v], mesh.positions[3 * v + 1],
                        mesh.positions[3 * v + 2]};
        EXPECT_GT(Dot(n, p) / Length(p), 0.99);
    }
}

// A p orbital's two lobes: each sign gives one closed sphere-like surface on
// its own side, on a skewed grid too; a torus has Euler characteristic 0.
TEST(Isosurface, LobesOfEachSignAndSkewedGridsAndATorus) {
    VolumeGrid p = Sampled(5.0, 0.15, [](const Point3D& q) { return q.z * std::exp(-Length(q)); });
    for (int sign : {1, -1}) {
        const IsoMesh lobe = ExtractIsosurface(p, 0.05, sign);
        const auto [euler, oriented] = EulerAndOriented(lobe);
        EXPECT_EQ(euler, 2) << sign;
        EXPECT_TRUE(oriented) << sign;
        EXPECT_GT(Enclosed(lobe), 0.0);
        for (std::size_t v = 2; v < lobe.positions.size(); v += 3)
            EXPECT_GT(static_cast<float>(sign) * lobe.positions[v], 0.0F);
    }
    VolumeGrid skewed = p;
    skewed.axes[1] = Plus(skewed.axes[1], Scaled(skewed.axes[0], 0.5));
    skewed.origin.x -= skewed.axes[0].x * skewed.points[1] * 0.25;
    for (int i = 0; i < skewed.points[0]; ++i)
        for (int j = 0; j < skewed.points[1]; ++j)
            for (int k = 0; k < skewed.points[2]; ++k) {
                const Point3D q = skewed.PointAt(i, j, k);
                skewed.values[skewed.Index(i, j, k)] =
                    static_cast<float>(q.z * std::exp(-Length(q)));
            }
    const IsoMesh lobe = ExtractIsosurface(skewed, 0.05);
    EXPECT_EQ(EulerAndOriented(lobe).first, 2);
    EXPECT_NEAR(Enclosed(lobe) / Enclosed(ExtractIsosurface(p, 0.05)), 1.0, 0.02);

    const VolumeGrid torus = Sampled(3.0, 0.1, [](const Point3D& q) {
        const double ring = std::hypot(q.x, q.y) - 1.5;
        return 1.0 - (ring * ring + q.z * q.z) / 0.25;
    });
    const auto [euler, oriented] = EulerAndOriented(ExtractIsosurface(torus, 0.0));
    EXPECT_EQ(euler, 0);
    EXPECT_TRUE(oriented);
}
