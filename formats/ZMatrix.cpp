// Internal coordinates to Cartesian ones.
//
// The dihedral follows the usual sign convention (positive clockwise looking
// from the angle atom to the bonded atom), the one Gaussian's Z-matrix
// orientation tables show. In the form with two bond angles, 1 puts the new
// atom on the side where (bonded − new) · ((bonded − angle atom) ×
// (bonded − second angle atom)) is positive, −1 on the other side.

#include "formats/ZMatrix.h"
#include "model/TextScanner.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace {

constexpr double kDegree = 3.14159265358979323846 / 180.0;
// Below this length (Å) a vector has no direction to build on.
constexpr double kTiny = 1e-8;

// a scaled to length 1; false when it is too short to have a direction.
bool Unit(const Point3D& a, Point3D& unit) {
    const double length = Length(a);
    if (!(length > kTiny))
        return false;
    unit = Scaled(a, 1.0 / length);
    return true;
}

// The variables by name as written, and in lower case for names written in
// another case than they were defined in (the first definition counts).
class VariableTable {
public:
    explicit VariableTable(const std::map<std::string, double>& variables)
        : variables_(variables) {}

    bool Lookup(const ZMatrix::Value& value, double& result) {
        if (value.name.empty()) {
            result = value.number;
            return true;
        }
        auto it = variables_.find(value.name);
        if (it == variables_.end()) {
            if (folded_.empty()) {
                for (const auto& [name, number] : variables_)
                    folded_.emplace(TextScanner::Lower(name), number);
            }
            auto other = folded_.find(TextScanner::Lower(value.name));
            if (other == folded_.end())
                return false;
            result = value.negated ? -other->second : other->second;
            return true;
        }
        result = value.negated ? -it->second : it->second;
        return true;
    }

private:
    const std::map<std::string, double>& variables_;
    std::map<std::string, double> folded_;
};

// The unit vector at right angles to axis in the plane of axis and +x (+y
// when axis lies along x): where the third atom goes.
Point3D Perpendicular(const Point3D& axis) {
    Point3D unit;
    const Point3D x{1.0, 0.0, 0.0};
    if (Unit(Minus(x, Scaled(axis, Dot(x, axis))), unit))
        return unit;
    const Point3D y{0.0, 1.0, 0.0};
    Unit(Minus(y, Scaled(axis, Dot(y, axis))), unit);
    return unit;
}

} // namespace

bool ZMatrix::HasInternalLines() const {
    for (const Line& line : lines_) {
        if (line.kind == Line::Kind::kInternal)
            return true;
    }
    return false;
}

bool ZMatrix::UsesVariables() const {
    for (const Line& line : lines_) {
        for (const Value& value : line.values) {
            if (!value.name.empty())
                return true;
        }
    }
    return false;
}

bool ZMatrix::ToCartesian(const std::map<std::string, double>& variables, std::vector<Point3D>& out,
                          ZMatrixProblem& problem, std::vector<std::size_t>* skipped) const {
    const bool maySkip = skipped != nullptr && !HasInternalLines();
    VariableTable table(variables);
    out.clear();
    out.reserve(lines_.size());
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const Line& line = lines_[i];
        auto fail = [&](ZMatrixProblem::Kind kind, const std::string& name) {
            problem.kind = kind;
            problem.line = line.fileLine;
            problem.name = name;
            return false;
        };
        double v[3] = {0.0, 0.0, 0.0};
        const int valueCount = line.kind == Line::Kind::kCartesian  ? 3
                               : line.kind == Line::Kind::kInternal ? line.refCount
                                                                    : 0;
        for (int k = 0; k < valueCount; ++k) {
            if (!table.Lookup(line.values[k], v[k])) {
                if (!maySkip)
                    return fail(ZMatrixProblem::Kind::kUndefinedVariable, line.values[k].name);
                skipped->push_back(i);
                v[0] = v[1] = v[2] = 0.0;
                break;
            }
        }
        Point3D p;
        if (line.kind == Line::Kind::kOrigin) {
            if (i != 0)
                return fail(ZMatrixProblem::Kind::kUnreadableLine, std::string());
        } else if (line.kind == Line::Kind::kCartesian) {
            p = {v[0], v[1], v[2]};
        } else {
            // Each reference names an earlier atom, no atom twice.
            for (int k = 0; k < line.refCount; ++k) {
                if (line.refs[k] < 0 || static_cast<std::size_t>(line.refs[k]) >= i)
                    return fail(ZMatrixProblem::Kind::kLaterAtom, line.refText[k]);
                for (int j = 0; j < k; ++j) {
                    if (line.refs[j] == line.refs[k])
                        return fail(ZMatrixProblem::Kind::kUndefinedPosition, line.refText[k]);
                }
            }
            // An atom after the third needs all three references; the
            // second and third may have fewer.
            if (line.refCount < 3 && static_cast<int>(i) > line.refCount)
                return fail(ZMatrixProblem::Kind::kUnreadableLine, std::string());
            const double distance = v[0];
            if (!(distance > 0.0))
                return fail(ZMatrixProblem::Kind::kUndefinedPosition, line.values[0].name);
            const Point3D& bonded = out[static_cast<std::size_t>(line.refs[0])];
            Point3D direction{0.0, 0.0, 1.0}; // the second atom: on +z
            if (line.refCount > 1) {
                Point3D toAngle;
                if (!Unit(Minus(out[static_cast<std::size_t>(line.refs[1])], bonded), toAngle))
                    return fail(ZMatrixProblem::Kind::kUndefinedPosition, line.refText[1]);
                const double angle = v[1] * kDegree;
                if (line.refCount == 2) {
                    direction = Plus(Scaled(toAngle, std::cos(angle)),
                                     Scaled(Perpendicular(toAngle), std::sin(angle)));
                } else if (line.form == 0) {
                    // Dihedral: build on the frame of bonded, angle atom and
                    // dihedral atom.
                    const Point3D& third = out[static_cast<std::size_t>(line.refs[2])];
                    const Point3D axis = Scaled(toAngle, -1.0); // angle atom → bonded
                    Point3D normal;
                    if (!Unit(
                            Cross(Minus(out[static_cast<std::size_t>(line.refs[1])], third), axis),
                            normal))
                        return fail(ZMatrixProblem::Kind::kUndefinedPosition, line.refText[2]);
                    const Point3D inPlane = Cross(normal, axis);
                    const double dihedral = v[2] * kDegree;
                    direction = Plus(Scaled(axis, -std::cos(angle)),
                                     Plus(Scaled(inPlane, std::sin(angle) * std::cos(dihedral)),
                                          Scaled(normal, std::sin(angle) * std::sin(dihedral))));
                } else {
                    // Two bond angles: the direction d with d·toAngle = cos α
                    // and d·toSecond = cos β, on the side the form chooses.
                    Point3D toSecond;
                    if (!Unit(Minus(out[static_cast<std::size_t>(line.refs[2])], bonded), toSecond))
                        return fail(ZMatrixProblem::Kind::kUndefinedPosition, line.refText[2]);
                    const double g = Dot(toAngle, toSecond);
                    const double cosA = std::cos(angle), cosB = std::cos(v[2] * kDegree);
                    Point3D normal;
                    if (!Unit(Cross(toAngle, toSecond), normal) || 1.0 - g * g < 1e-10)
                        return fail(ZMatrixProblem::Kind::kUndefinedPosition, line.refText[2]);
                    const double a = (cosA - g * cosB) / (1.0 - g * g);
                    const double b = (cosB - g * cosA) / (1.0 - g * g);
                    const double square = 1.0 - (a * a + b * b + 2.0 * a * b * g);
                    if (square < -1e-9)
                        return fail(ZMatrixProblem::Kind::kUndefinedPosition, line.values[2].name);
                    const double c = std::sqrt(std::max(square, 0.0)) * (line.form > 0 ? -1 : 1);
                    direction =
                        Plus(Plus(Scaled(toAngle, a), Scaled(toSecond, b)), Scaled(normal, c));
                }
            }
            p = Plus(bonded, Scaled(direction, distance));
        }
        if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z))
            return fail(ZMatrixProblem::Kind::kUndefinedPosition, std::string());
        out.push_back(p);
    }
    return true;
}
