#pragma once

#include "model/Point3D.h"
#include "render/Camera.h"
#include "render/SceneContent.h"

class Mesh;

// Where a picture was drawn from: enough to follow the ray through a pixel.
struct PickView {
    // Model coordinates (Å) to the eye's: the eye at the origin, looking
    // down -z.
    Matrix4 modelToEye = IdentityMatrix();
    double fieldOfView = 30.0;
    double nearPlane = 1.0;
    double farPlane = 100.0;
    int width = 1;
    int height = 1;

    static PickView Of(const Camera& camera, int width, int height);
};

// The atom under the window point (x, y), y downwards, among what content
// shows; -1 for none. An atom's sphere or arrow counts where it reaches into
// the 5 × 5 pixel square about the point, at its depth nearest the eye within
// that square; its wire-frame mark counts when the mark's centre lies in the
// square. The nearest atom wins, the earlier one on equal depths. Bonds,
// ribbons and labels are never picked.
int PickAtom(const SceneContent& content, const PickView& view, double x, double y);

// The arrow cone in model coordinates: a vertex or normal of the unit cone
// mesh (base radius 1 about z = 0, tip at z = 1) placed on cone.
Point3D ConeVertex(const SceneCone& cone, const float* unit);
Point3D ConeNormal(const SceneCone& cone, const float* unit);
