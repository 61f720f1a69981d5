// The turn from Gaussian's standard orientation to the geometry drawn:
// exact where it only swaps and flips axes, no rounding dust elsewhere.

#include "model/BestRotation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

const std::vector<Point3D> kPoints = {
    {0.0, 0.0, 0.1173}, {0.0, 0.7572, -0.4692}, {0.0, -0.7572, -0.4692}, {1.3, 0.2, 0.4}};

// A component that is zero is +0: printed "0.000000", never "-0.000000".
void ExpectPlainZero(double value) {
    EXPECT_EQ(value, 0.0);
    EXPECT_FALSE(std::signbit(value));
}

// The same points (identity), and with x and y swapped and z flipped: the
// displacements come out exactly as printed, zeros as zeros (the fitted
// matrix once left -6.6e-17 where 0.00 was printed).
TEST(BestRotation, AxesOnlySwappedOrFlippedAreTurnedExactly) {
    BestRotation same;
    ASSERT_TRUE(same.Fit(kPoints, kPoints));
    const Point3D d = same.Apply({0.0, 0.43, 0.56});
    ExpectPlainZero(d.x);
    EXPECT_EQ(d.y, 0.43);
    EXPECT_EQ(d.z, 0.56);

    // x → y, y → -x, z → -z: a proper rotation (180° about the line x = y).
    std::vector<Point3D> turned;
    for (const Point3D& p : kPoints)
        turned.push_back({p.y, p.x, -p.z});
    BestRotation swap;
    ASSERT_TRUE(swap.Fit(kPoints, turned));
    const Point3D e = swap.Apply({0.0, -0.07, 0.0});
    EXPECT_EQ(e.x, -0.07);
    ExpectPlainZero(e.y);
    ExpectPlainZero(e.z);
    const Point3D f = swap.Apply({0.43, 0.0, 0.56});
    ExpectPlainZero(f.x);
    EXPECT_EQ(f.y, 0.43);
    EXPECT_EQ(f.z, -0.56);
}

// Any other turn: a component within 1e-12 of zero is zero, the others as
// the rotation gives them.
TEST(BestRotation, OtherTurnsLeaveNoRoundingDust) {
    const double angle = 30.0 * std::acos(-1.0) / 180.0, c = std::cos(angle), s = std::sin(angle);
    std::vector<Point3D> turned;
    for (const Point3D& p : kPoints)
        turned.push_back({c * p.x - s * p.y, s * p.x + c * p.y, p.z});
    BestRotation rotation;
    ASSERT_TRUE(rotation.Fit(kPoints, turned));
    EXPECT_LT(rotation.Rmsd(), 1e-12);
    const Point3D up = rotation.Apply({0.0, 0.0, 0.56});
    ExpectPlainZero(up.x);
    ExpectPlainZero(up.y);
    EXPECT_NEAR(up.z, 0.56, 1e-15);
    const Point3D side = rotation.Apply({1.0, 0.0, 0.0});
    EXPECT_NEAR(side.x, c, 1e-12);
    EXPECT_NEAR(side.y, s, 1e-12);
    ExpectPlainZero(side.z);
}

} // namespace
