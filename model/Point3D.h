#pragma once

#include <cmath>

// A position or vector in ångström.
struct Point3D {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

// Vector arithmetic, written here once for the geometry code of every layer.
inline Point3D Plus(const Point3D& p, const Point3D& q) {
    return {p.x + q.x, p.y + q.y, p.z + q.z};
}
inline Point3D Minus(const Point3D& p, const Point3D& q) {
    return {p.x - q.x, p.y - q.y, p.z - q.z};
}
inline Point3D Scaled(const Point3D& p, double f) {
    return {p.x * f, p.y * f, p.z * f};
}
inline double Dot(const Point3D& p, const Point3D& q) {
    return p.x * q.x + p.y * q.y + p.z * q.z;
}
inline Point3D Cross(const Point3D& p, const Point3D& q) {
    return {p.y * q.z - p.z * q.y, p.z * q.x - p.x * q.z, p.x * q.y - p.y * q.x};
}
inline double Length(const Point3D& p) {
    return std::sqrt(Dot(p, p));
}

// The axis about which a half turn takes +z onto the direction of v: the
// bisector of +z and v, (v.x / 2, v.y / 2, (v.z + |v|) / 2).
Point3D HalfTurnAxis(const Point3D& v);
