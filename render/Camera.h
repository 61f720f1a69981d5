#pragma once

#include "model/Point3D.h"

#include <array>

class CMolData;

// A 4 × 4 matrix in OpenGL's column-major order.
using Matrix4 = std::array<double, 16>;

Matrix4 IdentityMatrix();
// a × b: b applied first, as glMultMatrix multiplies onto the current matrix.
Matrix4 Multiply(const Matrix4& a, const Matrix4& b);
// The matrices glRotated(degrees, x, y, z) and glTranslated(x, y, z) build.
Matrix4 RotationMatrix(double degrees, double x, double y, double z);
Matrix4 TranslationMatrix(double x, double y, double z);
Matrix4 ScaleMatrix(double s);
// The matrices gluPerspective(fieldOfView, aspect, near, far) builds.
Matrix4 PerspectiveMatrix(double fieldOfView, double aspect, double near, double far);
// m · (x, y, z, 1), divided by its w.
Point3D TransformPoint(const Matrix4& m, const Point3D& p);

// Where a molecule view looks from and how far it is turned, moved and
// zoomed: plain state the view owns and the scene only reads. A drag step
// changes it once, however often the picture is drawn afterwards.
struct Camera {
    // Turns and moves collected from every drag so far, applied to the
    // model (already centred and scaled) before the eye's view.
    Matrix4 orientation = IdentityMatrix();
    double zoom = 1.0;
    // Scales the model so its longest extent fits the picture.
    double fitScale = 1.0;
    // The model point drawn at the origin.
    Point3D centre{0.0, 0.0, 0.0};

    // The lens and the eye.
    double fieldOfView = 30.0;
    double nearPlane = 1.0;
    double farPlane = 100.0;
    double eyeDistance = 7.0;
    double zoomMin = 0.0;
    double zoomMax = 30.0;

    // Model units to scene units.
    double Scale() const { return zoom * fitScale; }
    bool operator==(const Camera& o) const;
    bool operator!=(const Camera& o) const { return !(*this == o); }
    // Model coordinates (Å) to those the light is given in: centred,
    // scaled, then turned and moved. The eye looks from (0, 0, eyeDistance)
    // down -z there.
    Matrix4 ModelView() const;
    // The vertical field of view of a picture of the given aspect (width /
    // height): fieldOfView spans the picture's shorter side, so a model
    // fitted to it is whole in a tall picture as in a wide one.
    double VerticalFieldOfView(double aspect) const;
    // The lens and the eye, for a picture of the given aspect; ModelView's
    // coordinates to clip coordinates.
    Matrix4 Projection(double aspect) const;
    // One step of a rotating drag: down pixels turn about the screen's x
    // axis, right pixels about its y axis, by a degree each; the turn is
    // applied after everything before it.
    void Turn(int down, int right);
    // One step of a moving drag: 0.01 scene units per pixel, y upwards.
    void Pan(int right, int down);
    // Sets the zoom, kept within zoomMin … zoomMax.
    void SetZoom(double value);
    // Fits geometry frame of model: zoom 1, the model's centre at the
    // origin and its longest extent within the picture; no turn, or with
    // principalAxes turned so that the model spreads most across the
    // picture and least along the line of sight.
    void Refit(const CMolData& model, int frame, bool principalAxes = false);
    // Makes room for something drawn beyond the atoms (a surface) that
    // reaches radius from the centre: the fit shrinks until its diameter
    // fits as the atoms' extent does; a smaller one changes nothing.
    void FitAlso(double radius);
};
