#pragma once

#include <QColor>
#include <QImage>

#include <functional>

// The pixels of a picture that pass a test: how many, and their mean place.
struct Cluster {
    int count = 0;
    double x = 0.0, y = 0.0;
};

inline Cluster Pixels(const QImage& picture, const std::function<bool(const QColor&)>& passes) {
    Cluster cluster;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (passes(picture.pixelColor(x, y))) {
                ++cluster.count;
                cluster.x += x;
                cluster.y += y;
            }
        }
    }
    if (cluster.count > 0) {
        cluster.x /= cluster.count;
        cluster.y /= cluster.count;
    }
    return cluster;
}
