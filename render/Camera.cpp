#include "render/Camera.h"

#include "model/CMolData.h"
#include "model/FitScale.h"

#include <algorithm>
#include <cmath>

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

void Camera::Refit(CMolData& model, int frame) {
    orientation = IdentityMatrix();
    zoom = 1.0;
    fitScale = FitScaleOf(model, frame);
    centre = model.GetCentre(frame);
}
