#pragma once

// A position or vector in ångström.
struct Point3D {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

// The axis about which a half turn takes +z onto the direction of v: the
// bisector of +z and v, (v.x / 2, v.y / 2, (v.z + |v|) / 2).
Point3D HalfTurnAxis(const Point3D& v);
