#include "render/Camera.h"

#include "model/CMolData.h"
#include "model/FitScale.h"
#include "model/PrincipalAxes.h"

#include <algorithm>
#include <cmath>
#include <vector>

Matrix4 IdentityMatrix() {
    return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
}

Matrix4 Multiply(const Matrix4& a, const Matrix4& b) {
    Matrix4 product{};
    for (int column = 0; column < 4; ++column)
        for (int row = 0; row < 4; ++row) {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k)
                sum += a[k * 4 + row] * b[column * 4 + k];
            product[column * 4 + row] = sum;
        }
    return product;
}

Matrix4 RotationMatrix(double degrees, double x, double y, double z) {
    const double length = std::sqrt(x * x + y * y + z * z);
    if (!(length > 0.0))
        return IdentityMatrix();
    x /= length;
    y /= length;
    z /= length;
    const double radians = degrees * M_PI / 180.0;
    const double c = std::cos(radians);
    const double s = std::sin(radians);
    const double t = 1.0 - c;
    return {x * x * t + c,
            y * x * t + z * s,
            x * z * t - y * s,
            0,
            x * y * t - z * s,
            y * y * t + c,
            y * z * t + x * s,
            0,
            x * z * t + y * s,
            y * z * t - x * s,
            z * z * t + c,
            0,
            0,
            0,
            0,
            1};
}

Matrix4 TranslationMatrix(double x, double y, double z) {
    Matrix4 m = IdentityMatrix();
    m[12] = x;
    m[13] = y;
    m[14] = z;
    return m;
}

Matrix4 ScaleMatrix(double s) {
    Matrix4 m = IdentityMatrix();
    m[0] = m[5] = m[10] = s;
    return m;
}

Matrix4 PerspectiveMatrix(double fieldOfView, double aspect, double near, double far) {
    const double f = 1.0 / std::tan(fieldOfView * M_PI / 360.0);
    Matrix4 m{};
    m[0] = f / aspect;
    m[5] = f;
    m[10] = (far + near) / (near - far);
    m[11] = -1.0;
    m[14] = 2.0 * far * near / (near - far);
    return m;
}

Point3D TransformPoint(const Matrix4& m, const Point3D& p) {
    const double w = m[3] * p.x + m[7] * p.y + m[11] * p.z + m[15];
    return {(m[0] * p.x + m[4] * p.y + m[8] * p.z + m[12]) / w,
            (m[1] * p.x + m[5] * p.y + m[9] * p.z + m[13]) / w,
            (m[2] * p.x + m[6] * p.y + m[10] * p.z + m[14]) / w};
}

Matrix4 Camera::ModelView() const {
    return Multiply(orientation, Multiply(ScaleMatrix(Scale()),
                                          TranslationMatrix(-centre.x, -centre.y, -centre.z)));
}

double Camera::VerticalFieldOfView(double aspect) const {
    if (!(aspect > 0.0) || aspect >= 1.0)
        return fieldOfView;
    // A tall picture: the field of view is the width's, so that a fitted
    // model stays whole across it.
    return 2.0 * std::atan(std::tan(fieldOfView * M_PI / 360.0) / aspect) * 180.0 / M_PI;
}

Matrix4 Camera::Projection(double aspect) const {
    return Multiply(PerspectiveMatrix(VerticalFieldOfView(aspect), aspect, nearPlane, farPlane),
                    TranslationMatrix(0.0, 0.0, -eyeDistance));
}

void Camera::Turn(int down, int right) {
    const Matrix4 step =
        Multiply(RotationMatrix(down, 1.0, 0.0, 0.0), RotationMatrix(right, 0.0, 1.0, 0.0));
    orientation = Multiply(step, orientation);
}

void Camera::Pan(int right, int down) {
    orientation = Multiply(TranslationMatrix(right * 0.01, down * -0.01, 0.0), orientation);
}

void Camera::SetZoom(double value) {
    zoom = std::clamp(value, zoomMin, zoomMax);
}

bool Camera::operator==(const Camera& o) const {
    return orientation == o.orientation && zoom == o.zoom && fitScale == o.fitScale &&
           centre.x == o.centre.x && centre.y == o.centre.y && centre.z == o.centre.z &&
           fieldOfView == o.fieldOfView && nearPlane == o.nearPlane && farPlane == o.farPlane &&
           eyeDistance == o.eyeDistance && zoomMin == o.zoomMin && zoomMax == o.zoomMax;
}

void Camera::FitAlso(double radius) {
    // The atoms' largest extent is fitted to 3 scene units.
    constexpr double kFittedExtent = 3.0;
    if (radius > 0.0 && std::isfinite(radius) && 2.0 * radius * fitScale > kFittedExtent)
        fitScale = kFittedExtent / (2.0 * radius);
}

void Camera::Refit(const CMolData& model, int frame, bool principalAxes) {
    orientation = IdentityMatrix();
    zoom = 1.0;
    fitScale = FitScaleOf(model, frame);
    centre = model.GetCentre(frame);
    if (!principalAxes)
        return;
    const int atoms = model.AtomCount(frame);
    std::vector<Point3D> points(static_cast<std::size_t>(atoms));
    for (int a = 0; a < atoms; ++a)
        points[static_cast<std::size_t>(a)] = model.GetAtomPos(frame, a);
    // The rows of the turn are the axes: the largest spread across the
    // picture, the next upwards, the smallest along the line of sight.
    const std::array<Point3D, 3> axes = PrincipalAxesOf(points);
    for (int row = 0; row < 3; ++row) {
        const Point3D& axis = axes[static_cast<std::size_t>(row)];
        orientation[static_cast<std::size_t>(row)] = axis.x;
        orientation[static_cast<std::size_t>(4 + row)] = axis.y;
        orientation[static_cast<std::size_t>(8 + row)] = axis.z;
    }
}
