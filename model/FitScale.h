#pragma once

#include "model/Point3D.h"

#include <vector>

class CMolData;

// The smallest and the largest distance between two of the points.
struct PairDistanceRange {
    double smallest = 0.0;
    double largest = 0.0;
};

// Exact smallest and largest pair distances without visiting every pair: the
// smallest from a grid whose cells grow until the closest pair found lies
// within a cell's width, the largest by taking points in order of their
// distance from the centroid and stopping once no remaining pair can be
// longer. Points with coordinates that are not finite are left out. Needs at
// least two points.
PairDistanceRange FindPairDistanceRange(const std::vector<Point3D>& points);

// The scene's fit factor for points: 3.0 / (largest - smallest pair
// distance), at most 1.0; 1.0 with fewer than two points or when the two
// distances are equal.
double FitScaleOf(const std::vector<Point3D>& points);
// The fit factor of the atoms of geometry g of model.
double FitScaleOf(const CMolData& model, int g);
