#include "render/ScenePick.h"

#include "render/Mesh.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <vector>

namespace {

constexpr double kHalfWindow = 2.5; // pixels either side of the point picked

// A half-space of the eye's coordinates: n · p + d ≥ 0.
struct Plane {
    Point3D n;
    double d = 0.0;
    double Of(const Point3D& p) const { return Dot(n, p) + d; }
};

// The pick square as a frustum: four side planes through the eye, the near
// and the far plane; and the four rays along its edges.
struct Frustum {
    std::array<Plane, 6> planes;
    std::array<Point3D, 4> edges;
    double nearPlane = 1.0, farPlane = 100.0;
    // The square's sides at the near plane, x0 ≤ x ≤ x1, y0 ≤ y ≤ y1.
    double x0 = 0, x1 = 0, y0 = 0, y1 = 0;

    bool Holds(const Point3D& p) const {
        for (const Plane& plane : planes)
            if (plane.Of(p) < -1e-9 * (1.0 + Length(p)))
                return false;
        return true;
    }
};

Frustum MakeFrustum(const PickView& view, double x, double y) {
    // Normalised device coordinates of the square's sides; y upwards.
    const double wx = x, wy = view.height - y;
    const double nx0 = 2.0 * (wx - kHalfWindow) / view.width - 1.0;
    const double nx1 = 2.0 * (wx + kHalfWindow) / view.width - 1.0;
    const double ny0 = 2.0 * (wy - kHalfWindow) / view.height - 1.0;
    const double ny1 = 2.0 * (wy + kHalfWindow) / view.height - 1.0;
    const double f = 1.0 / std::tan(view.fieldOfView * M_PI / 360.0);
    const double fx = f * view.height / view.width;
    Frustum frustum;
    // x_ndc = fx·X / -Z ≥ nx0  ⇔  fx·X + nx0·Z ≥ 0, and so on.
    frustum.planes = {Plane{{fx, 0.0, nx0}, 0.0},
                      Plane{{-fx, 0.0, -nx1}, 0.0},
                      Plane{{0.0, f, ny0}, 0.0},
                      Plane{{0.0, -f, -ny1}, 0.0},
                      Plane{{0.0, 0.0, -1.0}, -view.nearPlane},
                      Plane{{0.0, 0.0, 1.0}, view.farPlane}};
    for (std::size_t i = 0; i < 4; ++i) {
        const double length = Length(frustum.planes[i].n);
        frustum.planes[i].n = Scaled(frustum.planes[i].n, 1.0 / length);
    }
    frustum.edges = {Point3D{nx0 / fx, ny0 / f, -1.0}, Point3D{nx1 / fx, ny0 / f, -1.0},
                     Point3D{nx1 / fx, ny1 / f, -1.0}, Point3D{nx0 / fx, ny1 / f, -1.0}};
    frustum.nearPlane = view.nearPlane;
    frustum.farPlane = view.farPlane;
    frustum.x0 = nx0 / fx * view.nearPlane;
    frustum.x1 = nx1 / fx * view.nearPlane;
    frustum.y0 = ny0 / f * view.nearPlane;
    frustum.y1 = ny1 / f * view.nearPlane;
    return frustum;
}

constexpr double kNone = std::numeric_limits<double>::infinity();

// The depth (distance along the view, -Z) nearest the eye of the ball about
// c of radius r within the frustum; kNone when they do not meet. The least
// of a linear function over the meeting of two convex sets lies where the
// ball's front point is, on a circle where the ball meets one side plane, on
// an edge ray, or on the near plane.
double BallDepth(const Frustum& frustum, const Point3D& c, double r) {
    double best = kNone;
    const auto consider = [&](const Point3D& p) {
        if (frustum.Holds(p))
            best = std::min(best, -p.z);
    };
    consider({c.x, c.y, c.z + r});
    for (std::size_t i = 0; i < 4; ++i) {
        const Point3D& n = frustum.planes[i].n;
        const double s = Dot(n, c);
        if (std::abs(s) > r)
            continue;
        const Point3D centre = Minus(c, Scaled(n, s));
        const double rho = std::sqrt(r * r - s * s);
        Point3D up = Minus(Point3D{0.0, 0.0, 1.0}, Scaled(n, n.z));
        const double length = Length(up);
        if (!(length > 0.0))
            continue;
        consider(Plus(centre, Scaled(up, rho / length)));
    }
    for (const Point3D& edge : frustum.edges) {
        // The first meeting of the ray t·edge, t > 0, with the sphere.
        const double a = Dot(edge, edge), b = Dot(edge, c), q = Dot(c, c) - r * r;
        const double discriminant = b * b - a * q;
        if (discriminant < 0.0)
            continue;
        const double root = std::sqrt(discriminant);
        for (const double t : {(b - root) / a, (b + root) / a}) {
            if (t > 0.0) {
                consider(Scaled(edge, t));
                break;
            }
        }
    }
    // The near plane's square within the ball: nothing is nearer.
    const double dz = c.z + frustum.nearPlane;
    if (std::abs(dz) <= r) {
        const double rho2 = r * r - dz * dz;
        const double px = std::clamp(c.x, frustum.x0, frustum.x1);
        const double py = std::clamp(c.y, frustum.y0, frustum.y1);
        if ((px - c.x) * (px - c.x) + (py - c.y) * (py - c.y) <= rho2)
            best = std::min(best, frustum.nearPlane);
    }
    return best;
}

// The depth nearest the eye of the triangle's part within the frustum (as
// OpenGL's selection clips it); kNone when none is.
double TriangleDepth(const Frustum& frustum, const std::array<Point3D, 3>& triangle) {
    std::vector<Point3D> polygon(triangle.begin(), triangle.end()), next;
    for (const Plane& plane : frustum.planes) {
        next.clear();
        for (std::size_t i = 0; i < polygon.size(); ++i) {
            const Point3D& p = polygon[i];
            const Point3D& q = polygon[(i + 1) % polygon.size()];
            const double dp = plane.Of(p), dq = plane.Of(q);
            if (dp >= 0.0)
                next.push_back(p);
            if ((dp >= 0.0) != (dq >= 0.0))
                next.push_back(Plus(p, Scaled(Minus(q, p), dp / (dp - dq))));
        }
        polygon.swap(next);
        if (polygon.empty())
            return kNone;
    }
    double best = kNone;
    for (const Point3D& p : polygon)
        best = std::min(best, -p.z);
    return best;
}

// The half turn that takes +z onto the direction of v, applied to u.
Point3D HalfTurn(const Point3D& v, const Point3D& u) {
    Point3D k = HalfTurnAxis(v);
    const double length = Length(k);
    if (!(length > 0.0))
        return {u.x, -u.y, -u.z}; // v along -z: a half turn about x
    k = Scaled(k, 1.0 / length);
    return Minus(Scaled(k, 2.0 * Dot(k, u)), u);
}

Point3D EyePoint(const Matrix4& m, const Point3D& p) {
    return {m[0] * p.x + m[4] * p.y + m[8] * p.z + m[12],
            m[1] * p.x + m[5] * p.y + m[9] * p.z + m[13],
            m[2] * p.x + m[6] * p.y + m[10] * p.z + m[14]};
}

} // namespace

PickView PickView::Of(const Camera& camera, int width, int height) {
    PickView view;
    view.modelToEye =
        Multiply(TranslationMatrix(0.0, 0.0, -camera.eyeDistance), camera.ModelView());
    view.nearPlane = camera.nearPlane;
    view.farPlane = camera.farPlane;
    view.width = std::max(width, 1);
    view.height = std::max(height, 1);
    view.fieldOfView = camera.VerticalFieldOfView(static_cast<double>(view.width) /
                                                  static_cast<double>(view.height));
    return view;
}

Point3D ConeVertex(const SceneCone& cone, const float* unit) {
    const Point3D axis = Minus(cone.tip, cone.base);
    const Point3D local{unit[0] * cone.radius, unit[1] * cone.radius, unit[2] * Length(axis)};
    return Plus(cone.base, HalfTurn(axis, local));
}

Point3D ConeNormal(const SceneCone& cone, const float* unit) {
    // Normals of a stretched shape: the inverse of the stretch, made unit.
    const Point3D axis = Minus(cone.tip, cone.base);
    const Point3D local{unit[0] / cone.radius, unit[1] / cone.radius, unit[2] / Length(axis)};
    const Point3D n = HalfTurn(axis, local);
    return Scaled(n, 1.0 / Length(n));
}

int PickAtom(const SceneContent& content, const PickView& view, double x, double y) {
    const Frustum frustum = MakeFrustum(view, x, y);
    const Matrix4& m = view.modelToEye;
    // The uniform scale of model to eye (a turn times a scale).
    const double scale = std::sqrt(m[0] * m[0] + m[1] * m[1] + m[2] * m[2]);
    int winner = -1;
    double winnerDepth = kNone;
    const auto offer = [&](int atom, double depth) {
        if (depth < winnerDepth || (depth == winnerDepth && atom < winner)) {
            winner = atom;
            winnerDepth = depth;
        }
    };
    for (const ScenePoint& point : content.points) {
        const Point3D p = EyePoint(m, point.at);
        if (frustum.Holds(p))
            offer(point.atom, -p.z);
    }
    for (const SceneSphere& sphere : content.spheres)
        offer(sphere.atom, BallDepth(frustum, EyePoint(m, sphere.centre), sphere.radius * scale));
    if (!content.cones.empty()) {
        const Mesh mesh = Mesh::Tube(content.slices, 0.0);
        const std::vector<GLfloat>& unit = mesh.Positions();
        const std::vector<GLuint>& indices = mesh.Indices();
        for (const SceneCone& cone : content.cones) {
            // Only a cone whose bounding ball meets the frustum is cut up.
            const Point3D middle = Scaled(Plus(cone.base, cone.tip), 0.5);
            const double reach = (0.5 * Length(Minus(cone.tip, cone.base)) + cone.radius) * scale;
            if (BallDepth(frustum, EyePoint(m, middle), reach) == kNone)
                continue;
            double depth = kNone;
            for (std::size_t i = 0; i + 2 < indices.size(); i += 3) {
                std::array<Point3D, 3> triangle;
                for (std::size_t k = 0; k < 3; ++k)
                    triangle[k] = EyePoint(m, ConeVertex(cone, &unit[indices[i + k] * 3]));
                depth = std::min(depth, TriangleDepth(frustum, triangle));
            }
            offer(cone.atom, depth);
        }
    }
    return winnerDepth == kNone ? -1 : winner;
}
