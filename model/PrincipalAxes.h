#pragma once

#include "model/Point3D.h"

#include <array>
#include <vector>

// The directions in which points spread most, next most and least about
// their centroid (the eigenvectors of their covariance, largest eigenvalue
// first), as the rows of a proper rotation: turning a point by it gives its
// coordinates along the three. Each of the first two points so that its
// largest component is positive, the third completes a right-handed set.
// Points that are not finite are left out; with fewer than two left, or
// all in one place, the coordinate axes.
std::array<Point3D, 3> PrincipalAxesOf(const std::vector<Point3D>& points);
