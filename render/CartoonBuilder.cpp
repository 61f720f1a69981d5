#include "render/CartoonBuilder.h"

#include "model/CMolFrame.h"
#include "model/Isosurface.h"
#include "model/SecondaryStructure.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

// Half-widths and half-thicknesses of the cross-sections, ångström.
constexpr double kTubeRadius = 0.3;
constexpr double kHelixWidth = 1.3, kHelixThickness = 0.25;
constexpr double kStrandWidth = 1.1, kStrandThickness = 0.3;
constexpr double kArrowWidth = 1.8;
constexpr double kCylinderRadius = 2.2;
// A run of helix residues shorter than this is drawn as a ribbon even when
// cylinders are asked for: its axis is not defined.
constexpr int kShortestCylinder = 4;

enum class Shape { kTube, kHelix, kStrand };

Shape ShapeOf(char code) {
    if (code == 'H' || code == 'G' || code == 'I')
        return Shape::kHelix;
    if (code == 'E')
        return Shape::kStrand;
    return Shape::kTube;
}

Point3D Unit(const Point3D& v) {
    const double length = Length(v);
    return length > 0.0 ? Scaled(v, 1.0 / length) : Point3D{1.0, 0.0, 0.0};
}

// Any unit vector square to v.
Point3D Square(const Point3D& v) {
    const Point3D axis = std::fabs(v.x) < 0.9 ? Point3D{1.0, 0.0, 0.0} : Point3D{0.0, 1.0, 0.0};
    return Unit(Cross(v, axis));
}

Point3D CatmullRom(const Point3D& p0, const Point3D& p1, const Point3D& p2, const Point3D& p3,
                   double t) {
    const double t2 = t * t, t3 = t2 * t;
    const double a = -0.5 * t3 + t2 - 0.5 * t;
    const double b = 1.5 * t3 - 2.5 * t2 + 1.0;
    const double c = -1.5 * t3 + 2.0 * t2 + 0.5 * t;
    const double d = 0.5 * t3 - 0.5 * t2;
    return Plus(Plus(Scaled(p0, a), Scaled(p1, b)), Plus(Scaled(p2, c), Scaled(p3, d)));
}

class MeshWriter {
public:
    MeshWriter()
        : mesh_(std::make_shared<IsoMesh>()), colours_(std::make_shared<std::vector<float>>()) {
        mesh_->closed = false;
    }

    std::uint32_t Vertex(const Point3D& p, const Point3D& normal, const Rgba& colour) {
        const auto index = static_cast<std::uint32_t>(mesh_->VertexCount());
        mesh_->positions.insert(
            mesh_->positions.end(),
            {static_cast<float>(p.x), static_cast<float>(p.y), static_cast<float>(p.z)});
        const Point3D n = Unit(normal);
        mesh_->normals.insert(
            mesh_->normals.end(),
            {static_cast<float>(n.x), static_cast<float>(n.y), static_cast<float>(n.z)});
        colours_->insert(colours_->end(), colour.begin(), colour.end());
        return index;
    }
    void Triangle(std::uint32_t a, std::uint32_t b, std::uint32_t c) {
        mesh_->triangles.insert(mesh_->triangles.end(), {a, b, c});
    }
    // Joins two rings of sides vertices each, starting at first and second.
    void JoinRings(std::uint32_t first, std::uint32_t second, int sides) {
        for (int k = 0; k < sides; ++k) {
            const auto k1 = static_cast<std::uint32_t>((k + 1) % sides);
            const auto k0 = static_cast<std::uint32_t>(k);
            // Counter-clockwise seen from outside: the rings turn
            // counter-clockwise about the direction from first to second.
            Triangle(first + k0, second + k1, second + k0);
            Triangle(first + k0, first + k1, second + k1);
        }
    }
    // A flat disc closing a ring (its centre, the ring's points again with
    // the disc's normal).
    void Cap(const Point3D& centre, const Point3D& normal, std::uint32_t ring, int sides,
             const Rgba& colour, bool reversed) {
        const std::uint32_t middle = Vertex(centre, normal, colour);
        const std::uint32_t first = static_cast<std::uint32_t>(mesh_->VertexCount());
        for (int k = 0; k < sides; ++k) {
            const std::size_t at = 3 * (ring + static_cast<std::uint32_t>(k));
            Vertex({mesh_->positions[at], mesh_->positions[at + 1], mesh_->positions[at + 2]},
                   normal, colour);
        }
        for (int k = 0; k < sides; ++k) {
            const auto a = first + static_cast<std::uint32_t>(k);
            const auto b = first + static_cast<std::uint32_t>((k + 1) % sides);
            if (reversed)
                Triangle(middle, b, a);
            else
                Triangle(middle, a, b);
        }
    }
    SceneSurface Surface() {
        SceneSurface surface;
        surface.mesh = mesh_;
        surface.vertexColours = colours_;
        surface.colour = {1.0F, 1.0F, 1.0F, 1.0F};
        surface.scale = 1.0;
        surface.closed = false;
        return surface;
    }
    IsoMesh& Mesh() { return *mesh_; }

private:
    std::shared_ptr<IsoMesh> mesh_;
    std::shared_ptr<std::vector<float>> colours_;
};

struct Sample {
    Point3D at, tangent, side; // side: unit, square to the tangent
    double width = kTubeRadius, thickness = kTubeRadius;
    Rgba colour{};
};

// The secondary structure code of a chain residue among codes (by residue
// index).
char CodeOf(const std::vector<char>& codes, const SecondaryStructure::ChainResidue& residue) {
    return residue.residue < static_cast<int>(codes.size())
               ? codes[static_cast<std::size_t>(residue.residue)]
               : ' ';
}

std::vector<Point3D> PointsOf(const CMolFrame& frame, const std::vector<char>& codes,
                              const std::vector<SecondaryStructure::ChainResidue>& residues) {
    std::vector<Point3D> points;
    points.reserve(residues.size());
    for (std::size_t k = 0; k < residues.size(); ++k) {
        const Point3D ca = frame.Position(residues[k].ca);
        const auto strand = [&](std::size_t at) {
            return ShapeOf(CodeOf(codes, residues[at])) == Shape::kStrand;
        };
        if (k > 0 && k + 1 < residues.size() && !residues[k].chainBreak &&
            !residues[k + 1].chainBreak && strand(k - 1) && strand(k) && strand(k + 1)) {
            const Point3D sides =
                Plus(frame.Position(residues[k - 1].ca), frame.Position(residues[k + 1].ca));
            points.push_back(Scaled(Plus(Scaled(ca, 2.0), sides), 0.25));
        } else {
            points.push_back(ca);
        }
    }
    return points;
}

// One stretch of a chain without a break.
class Segment {
public:
    Segment(const CMolFrame& frame, const std::vector<SecondaryStructure::ChainResidue>& residues,
            const std::vector<Point3D>& points, std::size_t first, std::size_t last,
            const std::function<Rgba(int)>& colourOf, const CartoonBuilder::Options& options)
        : frame_(frame), codes_(frame.Secondary(options.fileSecondary)), residues_(residues),
          points_(points), first_(first), last_(last), colourOf_(colourOf), options_(options) {}

    void Write(MeshWriter& mesh) {
        const int count = static_cast<int>(last_ - first_ + 1);
        if (count < 2)
            return;
        Guides();
        std::vector<bool> cylinder(static_cast<std::size_t>(count), false);
        if (options_.helixCylinders)
            Cylinders(mesh, cylinder);
        std::vector<Sample> samples;
        const int steps = std::max(options_.stepsPerResidue, 1);
        for (int i = 0; i + 1 < count; ++i) {
            for (int s = 0; s < steps; ++s)
                samples.push_back(SampleAt(i, static_cast<double>(s) / steps, cylinder));
        }
        samples.push_back(SampleAt(count - 2, 1.0, cylinder));
        Tube(mesh, samples);
    }

private:
    // The curve's point at residue i (see CurvePoints), the ends repeated
    // beyond the segment.
    Point3D Ca(int i) const {
        const int at = std::clamp(i, 0, static_cast<int>(last_ - first_));
        return points_[first_ + static_cast<std::size_t>(at)];
    }
    char Code(int i) const {
        return CodeOf(codes_, residues_[first_ + static_cast<std::size_t>(i)]);
    }
    int Count() const { return static_cast<int>(last_ - first_ + 1); }

    // The guide vector of each residue: its C=O direction, turned over where
    // it points against the one before (strands flip every residue).
    void Guides() {
        guides_.clear();
        for (int i = 0; i < Count(); ++i) {
            const auto& r = residues_[first_ + static_cast<std::size_t>(i)];
            Point3D guide = Unit(Minus(frame_.Position(r.o), frame_.Position(r.c)));
            if (!guides_.empty() && Dot(guide, guides_.back()) < 0.0)
                guide = Scaled(guide, -1.0);
            guides_.push_back(guide);
        }
    }

    // The shape at residue i, an arrow where a strand ends.
    void Section(int i, double along, Sample& sample, const std::vector<bool>& cylinder) const {
        const Shape shape = cylinder[static_cast<std::size_t>(i)] ? Shape::kTube : ShapeOf(Code(i));
        if (shape == Shape::kHelix) {
            sample.width = kHelixWidth;
            sample.thickness = kHelixThickness;
        } else if (shape == Shape::kStrand) {
            const bool end = i + 1 >= Count() || ShapeOf(Code(i + 1)) != Shape::kStrand;
            sample.width = end ? kArrowWidth * (1.0 - along) + kTubeRadius * along : kStrandWidth;
            sample.thickness = kStrandThickness;
        }
    }

    // The sample at fraction t of the way from residue i to residue i + 1.
    Sample SampleAt(int i, double t, const std::vector<bool>& cylinder) const {
        Sample sample;
        sample.at = CatmullRom(Ca(i - 1), Ca(i), Ca(i + 1), Ca(i + 2), t);
        const double dt = 1e-3;
        const Point3D ahead =
            CatmullRom(Ca(i - 1), Ca(i), Ca(i + 1), Ca(i + 2), std::min(t + dt, 1.0));
        const Point3D behind =
            CatmullRom(Ca(i - 1), Ca(i), Ca(i + 1), Ca(i + 2), std::max(t - dt, 0.0));
        sample.tangent = Unit(Minus(ahead, behind));
        const Point3D guide = Plus(Scaled(guides_[static_cast<std::size_t>(i)], 1.0 - t),
                                   Scaled(guides_[static_cast<std::size_t>(i + 1)], t));
        Point3D side = Minus(guide, Scaled(sample.tangent, Dot(guide, sample.tangent)));
        sample.side = Length(side) > 1e-6 ? Unit(side) : Square(sample.tangent);
        // The first half of the way belongs to residue i, the second to i + 1;
        // an arrow spans the last strand residue and the way on from it.
        const int owner = t < 0.5 ? i : i + 1;
        const bool arrowOn = ShapeOf(Code(i)) == Shape::kStrand &&
                             (i + 1 >= Count() || ShapeOf(Code(i + 1)) != Shape::kStrand) &&
                             !cylinder[static_cast<std::size_t>(i)];
        if (arrowOn)
            Section(i, t, sample, cylinder);
        else
            Section(owner, 0.0, sample, cylinder);
        sample.colour = colourOf_(residues_[first_ + static_cast<std::size_t>(owner)].ca);
        return sample;
    }

    void Tube(MeshWriter& mesh, const std::vector<Sample>& samples) const {
        const int sides = std::max(options_.sides, 4);
        std::uint32_t before = 0;
        for (std::size_t k = 0; k < samples.size(); ++k) {
            const Sample& s = samples[k];
            const Point3D up = Cross(s.tangent, s.side);
            const std::uint32_t ring = static_cast<std::uint32_t>(mesh.Mesh().VertexCount());
            for (int j = 0; j < sides; ++j) {
                const double angle = 2.0 * M_PI * j / sides;
                const double c = std::cos(angle), n = std::sin(angle);
                const Point3D offset =
                    Plus(Scaled(s.side, s.width * c), Scaled(up, s.thickness * n));
                const Point3D normal =
                    Plus(Scaled(s.side, c / s.width), Scaled(up, n / s.thickness));
                mesh.Vertex(Plus(s.at, offset), normal, s.colour);
            }
            if (k == 0)
                mesh.Cap(s.at, Scaled(s.tangent, -1.0), ring, sides, s.colour, true);
            else
                mesh.JoinRings(before, ring, sides);
            if (k + 1 == samples.size())
                mesh.Cap(s.at, s.tangent, ring, sides, s.colour, false);
            before = ring;
        }
    }

    // Each run of helix residues long enough as a closed cylinder along its
    // axis (through the means of four CA atoms running on); marks its
    // residues, whose curve becomes a thin tube inside it.
    void Cylinders(MeshWriter& mesh, std::vector<bool>& cylinder) const {
        int start = 0;
        while (start < Count()) {
            if (ShapeOf(Code(start)) != Shape::kHelix) {
                ++start;
                continue;
            }
            int end = start;
            while (end + 1 < Count() && ShapeOf(Code(end + 1)) == Shape::kHelix)
                ++end;
            if (end - start + 1 >= kShortestCylinder) {
                const auto mean = [this](int i) {
                    return Scaled(Plus(Plus(Ca(i), Ca(i + 1)), Plus(Ca(i + 2), Ca(i + 3))), 0.25);
                };
                const Point3D from = mean(start), to = mean(end - 3);
                Point3D axis = Minus(to, from);
                if (Length(axis) < 1e-6)
                    axis = Minus(Ca(end), Ca(start));
                const Point3D unit = Unit(axis);
                // Reach out to the run's first and last CA along the axis.
                const Point3D bottom = Plus(from, Scaled(unit, Dot(Minus(Ca(start), from), unit)));
                const Point3D top = Plus(from, Scaled(unit, Dot(Minus(Ca(end), from), unit)));
                const Rgba colour =
                    colourOf_(residues_[first_ + static_cast<std::size_t>(start)].ca);
                Cylinder(mesh, bottom, top, colour);
                for (int i = start; i <= end; ++i)
                    cylinder[static_cast<std::size_t>(i)] = true;
            }
            start = end + 1;
        }
    }

    void Cylinder(MeshWriter& mesh, const Point3D& from, const Point3D& to,
                  const Rgba& colour) const {
        const int sides = std::max(options_.sides, 4) * 2;
        const Point3D axis = Unit(Minus(to, from));
        const Point3D u = Square(axis), v = Cross(axis, u);
        std::uint32_t rings[2] = {};
        for (int end = 0; end < 2; ++end) {
            rings[end] = static_cast<std::uint32_t>(mesh.Mesh().VertexCount());
            for (int j = 0; j < sides; ++j) {
                const double angle = 2.0 * M_PI * j / sides;
                const Point3D out = Plus(Scaled(u, std::cos(angle)), Scaled(v, std::sin(angle)));
                mesh.Vertex(Plus(end == 0 ? from : to, Scaled(out, kCylinderRadius)), out, colour);
            }
        }
        mesh.JoinRings(rings[0], rings[1], sides);
        mesh.Cap(from, Scaled(axis, -1.0), rings[0], sides, colour, true);
        mesh.Cap(to, axis, rings[1], sides, colour, false);
    }

    const CMolFrame& frame_;
    const std::vector<char>& codes_;
    const std::vector<SecondaryStructure::ChainResidue>& residues_;
    const std::vector<Point3D>& points_;
    std::size_t first_, last_;
    const std::function<Rgba(int)>& colourOf_;
    const CartoonBuilder::Options& options_;
    std::vector<Point3D> guides_;
};

} // namespace

SceneSurface CartoonBuilder::Build(const CMolFrame& frame, const std::function<Rgba(int)>& colourOf,
                                   const Options& options) {
    MeshWriter mesh;
    const std::vector<SecondaryStructure::ChainResidue> residues =
        SecondaryStructure::ChainResidues(frame);
    const std::vector<Point3D> points =
        PointsOf(frame, frame.Secondary(options.fileSecondary), residues);
    const auto kept = [&](std::size_t k) { return !options.keep || options.keep(residues[k].ca); };
    std::size_t first = 0;
    while (first < residues.size() && !kept(first))
        ++first;
    for (std::size_t k = first + 1; first < residues.size() && k <= residues.size(); ++k) {
        if (k == residues.size() || residues[k].chainBreak || !kept(k)) {
            Segment(frame, residues, points, first, k - 1, colourOf, options).Write(mesh);
            first = k;
            while (first < residues.size() && !kept(first))
                ++first;
            k = first;
        }
    }
    return mesh.Surface();
}

std::vector<Point3D> CartoonBuilder::CurvePoints(const CMolFrame& frame, bool fileSecondary) {
    return PointsOf(frame, frame.Secondary(fileSecondary),
                    SecondaryStructure::ChainResidues(frame));
}
