#pragma once

#include "render/Camera.h"

#include <QPoint>

#include <cmath>

// Where the scene puts model point (x, y, z) in a picture of width × height
// pixels (y downwards), while its orientation is still the fresh one of a
// refit: the scene point through the perspective of the camera.
inline QPoint ProjectAtom(const Camera& camera, int width, int height, double x, double y,
                          double z) {
    const Point3D c = camera.centre;
    const double s = camera.Scale();
    const double px = (x - c.x) * s, py = (y - c.y) * s, pz = (z - c.z) * s;
    const double f =
        1.0 /
        std::tan(camera.VerticalFieldOfView(static_cast<double>(width) / height) * M_PI / 360.0);
    const double depth = camera.eyeDistance - pz;
    const double ndcX = f * px / depth * height / width;
    const double ndcY = f * py / depth;
    return {static_cast<int>((ndcX + 1) * width / 2), static_cast<int>((1 - ndcY) * height / 2)};
}
