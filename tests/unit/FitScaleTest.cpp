#include "model/FitScale.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

namespace {

// The plain loop over every pair, as the fit was first written.
PairDistanceRange AllPairs(const std::vector<Point3D>& p) {
    const auto distance = [&](std::size_t i, std::size_t j) {
        return std::sqrt((p[i].x - p[j].x) * (p[i].x - p[j].x) +
                         (p[i].y - p[j].y) * (p[i].y - p[j].y) +
                         (p[i].z - p[j].z) * (p[i].z - p[j].z));
    };
    PairDistanceRange range{distance(0, 1), distance(0, 1)};
    for (std::size_t i = 0; i < p.size(); ++i)
        for (std::size_t j = i + 1; j < p.size(); ++j) {
            range.smallest = std::min(range.smallest, distance(i, j));
            range.largest = std::max(range.largest, distance(i, j));
        }
    return range;
}

} // namespace

TEST(FitScale, AgreesWithEveryPairOnRandomSets) {
    std::mt19937 random(7);
    for (int trial = 0; trial < 60; ++trial) {
        const int count = 2 + static_cast<int>(random() % 400);
        // Blobs, rods and flat sheets, dense and sparse.
        std::uniform_real_distribution<double> x(-50.0 * (trial % 3 + 1), 50.0);
        std::uniform_real_distribution<double> y(-5.0, 5.0 * (trial % 5 + 1));
        std::uniform_real_distribution<double> z(0.0, trial % 4 == 0 ? 0.0 : 30.0);
        std::vector<Point3D> points;
        for (int i = 0; i < count; ++i)
            points.push_back({x(random), y(random), z(random)});
        if (trial % 7 == 0)
            points.push_back(points.front()); // two atoms in one place
        const PairDistanceRange fast = FindPairDistanceRange(points);
        const PairDistanceRange plain = AllPairs(points);
        EXPECT_DOUBLE_EQ(fast.smallest, plain.smallest) << "trial " << trial;
        EXPECT_DOUBLE_EQ(fast.largest, plain.largest) << "trial " << trial;
    }
}

// Points the radius bound cannot prune: a million on one spot (their radii
// about the centroid are rounding, which once made the search take every
// pair: the first drawing of such a file waited for hours), and a hundred
// thousand on one sphere (every pair too: 15 s).
TEST(FitScale, PointsTheBoundCannotPruneEndSoon) {
    const std::vector<Point3D> spot(1000000, Point3D{1.234, -0.0, 0.1});
    const PairDistanceRange none = FindPairDistanceRange(spot);
    EXPECT_EQ(none.smallest, 0.0);
    EXPECT_EQ(none.largest, 0.0);
    EXPECT_EQ(FitScaleOf(spot), 1.0);

    std::mt19937 random(3);
    std::normal_distribution<double> normal(0.0, 1.0);
    std::vector<Point3D> shell;
    for (int i = 0; i < 100000; ++i) {
        const double x = normal(random), y = normal(random), z = normal(random);
        const double r = std::sqrt(x * x + y * y + z * z);
        shell.push_back({150.0 * x / r, 150.0 * y / r, 150.0 * z / r});
    }
    const PairDistanceRange range = FindPairDistanceRange(shell);
    EXPECT_LE(range.largest, 300.0 * (1 + 1e-12));
    EXPECT_GT(range.largest, 300.0 * (1 - 1e-5));
}

TEST(FitScale, FactorAndItsLimits) {
    EXPECT_EQ(FitScaleOf({}), 1.0);
    EXPECT_EQ(FitScaleOf({{1, 2, 3}}), 1.0);
    EXPECT_EQ(FitScaleOf({{0, 0, 0}, {5, 0, 0}}), 1.0); // largest equals smallest
    // Spread 6 Å: half size.
    EXPECT_DOUBLE_EQ(FitScaleOf({{0, 0, 0}, {1, 0, 0}, {7, 0, 0}}), 0.5);
    // A spread of 3 Å or less never enlarges.
    EXPECT_EQ(FitScaleOf({{0, 0, 0}, {1, 0, 0}, {3, 0, 0}}), 1.0);
    // Coordinates that are not numbers are left out.
    const double nan = std::nan("");
    EXPECT_DOUBLE_EQ(FitScaleOf({{0, 0, 0}, {nan, 0, 0}, {1, 0, 0}, {7, 0, 0}}), 0.5);
}
