#include "model/Isosurface.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace {

// Corners of a cell by bits: x 1, y 2, z 4. The six tetrahedra each run
// 0 → one axis → two axes → 7.
constexpr int kTetrahedra[6][4] = {{0, 1, 3, 7}, {0, 1, 5, 7}, {0, 2, 3, 7},
                                   {0, 2, 6, 7}, {0, 4, 5, 7}, {0, 4, 6, 7}};

class Extractor {
public:
    Extractor(const VolumeGrid& grid, double level, int sign)
        : grid_(grid), level_(level), sign_(sign >= 0 ? 1.0 : -1.0) {
        const std::size_t layer =
            static_cast<std::size_t>(grid.points[1]) * static_cast<std::size_t>(grid.points[2]) * 8;
        layers_[0].assign(layer, -1);
        layers_[1].assign(layer, -1);
        // Gradients by index turn into gradients in space through the
        // inverse transpose of the matrix whose columns are the axes.
        const Point3D& a = grid.axes[0];
        const Point3D& b = grid.axes[1];
        const Point3D& c = grid.axes[2];
        const double det = Dot(a, Cross(b, c));
        if (det != 0.0) {
            inverseT_[0] = Scaled(Cross(b, c), 1.0 / det);
            inverseT_[1] = Scaled(Cross(c, a), 1.0 / det);
            inverseT_[2] = Scaled(Cross(a, b), 1.0 / det);
        }
    }

    IsoMesh Run() {
        const int nx = grid_.points[0], ny = grid_.points[1], nz = grid_.points[2];
        for (int i = 0; i < nx && mesh_.closed; ++i) {
            const bool face = i == 0 || i == nx - 1;
            for (int j = 0; j < ny && mesh_.closed; ++j) {
                const bool edge = face || j == 0 || j == ny - 1;
                // Inside the grid only the two ends of a line lie on a face.
                for (int k = 0; k < nz; k += edge ? 1 : std::max(nz - 1, 1)) {
                    if (Value(i, j, k) > level_) {
                        mesh_.closed = false;
                        break;
                    }
                }
            }
        }
        for (int i = 0; i + 1 < nx; ++i) {
            for (int j = 0; j + 1 < ny; ++j) {
                for (int k = 0; k + 1 < nz; ++k)
                    Cell(i, j, k);
            }
            std::swap(layers_[0], layers_[1]);
            std::fill(layers_[1].begin(), layers_[1].end(), -1);
        }
        return std::move(mesh_);
    }

private:
    double Value(int i, int j, int k) const { return sign_ * grid_.At(i, j, k); }

    void Cell(int i, int j, int k) {
        std::array<double, 8> v;
        int inside = 0;
        for (int c = 0; c < 8; ++c) {
            v[static_cast<std::size_t>(c)] = Value(i + (c & 1), j + ((c >> 1) & 1), k + (c >> 2));
            inside += v[static_cast<std::size_t>(c)] > level_ ? 1 : 0;
        }
        if (inside == 0 || inside == 8)
            return;
        for (const auto& tet : kTetrahedra) {
            int in[4], out[4], nin = 0, nout = 0;
            for (int c : tet)
                (v[static_cast<std::size_t>(c)] > level_ ? in[nin++] : out[nout++]) = c;
            if (nin == 0 || nout == 0)
                continue;
            if (nin == 1) {
                Triangle(i, j, k, {in[0], out[0]}, {in[0], out[1]}, {in[0], out[2]}, in[0], out[0]);
            } else if (nin == 3) {
                Triangle(i, j, k, {in[0], out[0]}, {in[1], out[0]}, {in[2], out[0]}, in[0], out[0]);
            } else {
                const std::pair<int, int> ac{in[0], out[0]}, ad{in[0], out[1]}, bd{in[1], out[1]},
                    bc{in[1], out[0]};
                Triangle(i, j, k, ac, ad, bd, in[0], out[0]);
                Triangle(i, j, k, ac, bd, bc, in[0], out[0]);
            }
        }
    }

    // A triangle on the edges (inside corner, outside corner) given, turned
    // so its normal points from inside towards outside. The turn is judged
    // on the edges' midpoints, whose triangle separates the tetrahedron's
    // inside corners from its outside ones as the real one does but never
    // collapses when a value lies on the level.
    void Triangle(int i, int j, int k, std::pair<int, int> e0, std::pair<int, int> e1,
                  std::pair<int, int> e2, int inCorner, int outCorner) {
        std::uint32_t ids[3] = {Vertex(i, j, k, e0), Vertex(i, j, k, e1), Vertex(i, j, k, e2)};
        const Point3D m0 = Midpoint(i, j, k, e0), m1 = Midpoint(i, j, k, e1),
                      m2 = Midpoint(i, j, k, e2);
        const Point3D normal = Cross(Minus(m1, m0), Minus(m2, m0));
        const Point3D outward = Minus(Corner(i, j, k, outCorner), Corner(i, j, k, inCorner));
        if (Dot(normal, outward) < 0.0)
            std::swap(ids[1], ids[2]);
        mesh_.triangles.insert(mesh_.triangles.end(), ids, ids + 3);
    }

    Point3D Midpoint(int i, int j, int k, std::pair<int, int> edge) const {
        return Scaled(Plus(Corner(i, j, k, edge.first), Corner(i, j, k, edge.second)), 0.5);
    }
    Point3D Corner(int i, int j, int k, int c) const {
        return grid_.PointAt(i + (c & 1), j + ((c >> 1) & 1), k + (c >> 2));
    }
    // The vertex on the edge between corners of cell (i, j, k), made once
    // and shared by every tetrahedron that has the edge.
    std::uint32_t Vertex(int i, int j, int k, std::pair<int, int> edge) {
        const int low = edge.first & edge.second;
        const int high = edge.first | edge.second;
        const int si = i + (low & 1), sj = j + ((low >> 1) & 1), sk = k + (low >> 2);
        const int direction = high ^ low;
        std::vector<std::int64_t>& layer = layers_[static_cast<std::size_t>(si - i)];
        const std::size_t slot =
            (static_cast<std::size_t>(sj) * static_cast<std::size_t>(grid_.points[2]) +
             static_cast<std::size_t>(sk)) *
                8 +
            static_cast<std::size_t>(direction);
        if (layer[slot] >= 0)
            return static_cast<std::uint32_t>(layer[slot]);
        const int ei = si + (direction & 1), ej = sj + ((direction >> 1) & 1),
                  ek = sk + (direction >> 2);
        const double v0 = Value(si, sj, sk), v1 = Value(ei, ej, ek);
        const double t = (level_ - v0) / (v1 - v0);
        const Point3D p = grid_.PointAt(si + t * (ei - si), sj + t * (ej - sj), sk + t * (ek - sk));
        const Point3D g0 = Gradient(si, sj, sk), g1 = Gradient(ei, ej, ek);
        Point3D n = Scaled(Plus(Scaled(g0, 1.0 - t), Scaled(g1, t)), -1.0);
        const double length = Length(n);
        n = length > 0.0 ? Scaled(n, 1.0 / length) : Point3D{0, 0, 1};
        const std::uint32_t id = static_cast<std::uint32_t>(mesh_.VertexCount());
        mesh_.positions.insert(
            mesh_.positions.end(),
            {static_cast<float>(p.x), static_cast<float>(p.y), static_cast<float>(p.z)});
        mesh_.normals.insert(mesh_.normals.end(), {static_cast<float>(n.x), static_cast<float>(n.y),
                                                   static_cast<float>(n.z)});
        layer[slot] = id;
        return id;
    }

    // The gradient in space of sign × value at a grid point: central
    // differences inside, one-sided ones at the grid's faces.
    Point3D Gradient(int i, int j, int k) const {
        double d[3];
        const int at[3] = {i, j, k};
        for (int axis = 0; axis < 3; ++axis) {
            int lo[3] = {i, j, k}, hi[3] = {i, j, k};
            if (at[axis] > 0)
                --lo[axis];
            if (at[axis] + 1 < grid_.points[static_cast<std::size_t>(axis)])
                ++hi[axis];
            const int span = hi[axis] - lo[axis];
            d[axis] =
                span == 0 ? 0.0 : (Value(hi[0], hi[1], hi[2]) - Value(lo[0], lo[1], lo[2])) / span;
        }
        return Plus(Scaled(inverseT_[0], d[0]),
                    Plus(Scaled(inverseT_[1], d[1]), Scaled(inverseT_[2], d[2])));
    }

    const VolumeGrid& grid_;
    double level_;
    double sign_;
    std::array<Point3D, 3> inverseT_{};
    // Vertex ids of the edges starting at the points of the cell layer's
    // first index (0) and the next (1), by point and direction bits.
    std::array<std::vector<std::int64_t>, 2> layers_;
    IsoMesh mesh_;
};

} // namespace

IsoMesh ExtractIsosurface(const VolumeGrid& grid, double level, int sign) {
    if (grid.Count() == 0 || grid.values.size() != grid.Count())
        return {};
    return Extractor(grid, level, sign).Run();
}
