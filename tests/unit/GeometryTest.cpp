// The angle formulas, bond axis, distance and centre of the model.

#include "model/CGraphAlgorithm.h"
#include "tests/support/TestMolData.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const CGraphAlgorithm kGraph;

TEST(Dihedral, SignFollowsTheUsualConvention) {
    const Point3D a{0, 1, 0}, b{0, 0, 0}, c{1, 0, 0};
    EXPECT_DOUBLE_EQ(kGraph.Dihedral(a, b, c, {1, 0, 1}), 90.0);
    EXPECT_DOUBLE_EQ(kGraph.Dihedral(a, b, c, {1, 0, -1}), -90.0);
    EXPECT_DOUBLE_EQ(kGraph.Dihedral(a, b, c, {1, -1, 0}), 180.0);
    EXPECT_NEAR(kGraph.Dihedral(a, b, c, {1, 1, 0}), 0.0, 1e-12);
    EXPECT_NEAR(kGraph.Dihedral(a, b, c, {1, 1, 1}), 45.0, 1e-12);
}

TEST(Dihedral, CollinearPointsAreUndefined) {
    // A, B, C on one line, then B, C, D on one line.
    EXPECT_EQ(kGraph.Dihedral({0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {2, 1, 0}), 200.0);
    EXPECT_EQ(kGraph.Dihedral({0, 1, 0}, {0, 0, 0}, {1, 0, 0}, {3, 0, 0}), 200.0);
    // Coincident points are collinear too.
    EXPECT_EQ(kGraph.Dihedral({0, 1, 0}, {0, 0, 0}, {0, 0, 0}, {1, 0, 0}), 200.0);
}

TEST(Angle, RightStraightAndRoundedAngles) {
    EXPECT_DOUBLE_EQ(kGraph.Angle({1, 0, 0}, {0, 0, 0}, {0, 2, 0}), 90.0);
    EXPECT_NEAR(kGraph.Angle({1, 0, 0}, {0, 0, 0}, {0.5, std::sqrt(3.0) / 2, 0}), 60.0, 1e-12);
    // A straight angle whose cosine rounds just below -1 must still be 180.
    // (These vectors give a cosine of -1.0000000000000002 and 1.0000000000000002.)
    const double angle = kGraph.Angle({-1.3, -0.7, -0.3}, {0, 0, 0}, {1.3 * 7, 0.7 * 7, 0.3 * 7});
    EXPECT_FALSE(std::isnan(angle));
    EXPECT_NEAR(angle, 180.0, 1e-6);
    const double zero = kGraph.Angle({1.3, 0.7, 0.3}, {0, 0, 0}, {1.3 * 7, 0.7 * 7, 0.3 * 7});
    EXPECT_FALSE(std::isnan(zero));
    EXPECT_NEAR(zero, 0.0, 1e-6);
}

TEST(Angle, CoincidentPointGivesZero) {
    EXPECT_EQ(kGraph.Angle({0, 0, 0}, {0, 0, 0}, {1, 0, 0}), 0.0);
    EXPECT_EQ(kGraph.Angle({1, 0, 0}, {0, 0, 0}, {0, 0, 0}), 0.0);
}

TEST(MolDataGeometry, DistanceAngleDihedralThroughTheModel) {
    TestMolData mol({{"C", 0, 1, 0}, {"C", 0, 0, 0}, {"C", 1, 0, 0}, {"C", 1, 0, 1}});
    EXPECT_DOUBLE_EQ(mol.GetDistance(0, 0, 2), std::sqrt(2.0));
    EXPECT_DOUBLE_EQ(mol.GetAngle(0, 0, 1, 2), 90.0);
    EXPECT_DOUBLE_EQ(mol.GetDihedral(0, 0, 1, 2, 3), 90.0);
    // Without vibration data the displacement has length 0.
    EXPECT_EQ(mol.GetDistance(0, 1, -1), 0.0);
    mol.GetFrame(0)->Atom(1).dx = 3.0;
    mol.GetFrame(0)->Atom(1).dz = 4.0;
    EXPECT_DOUBLE_EQ(mol.GetDistance(0, 1, -1), 5.0);
    EXPECT_EQ(mol.GetAtomCoord(0, 1, 3), 3.0);
    EXPECT_EQ(mol.GetAtomCoord(0, 1, 5), 4.0);
    EXPECT_EQ(mol.GetAtomCoord(0, 2, 0), 1.0);
}

// The axis is the bisector of +z and the bond: a half turn about it maps +z
// onto the bond direction.
TEST(MolDataGeometry, BondAxisTurnsZOntoTheBond) {
    TestMolData mol({{"C", 1, 1, 1}, {"O", 1, 3, 1}, {"N", 1, 1, 4}, {"H", 1, 1, -1}});
    Point3D axis;
    axis = mol.GetBondAxis(0, 0, 1);
    EXPECT_DOUBLE_EQ(axis.x, 0.0);
    EXPECT_DOUBLE_EQ(axis.y, 1.0);
    EXPECT_DOUBLE_EQ(axis.z, 1.0);
    axis = mol.GetBondAxis(0, 0, 2); // already along +z
    EXPECT_DOUBLE_EQ(axis.z, 3.0);
    axis = mol.GetBondAxis(0, 0, 3); // along -z: the axis degenerates to zero
    EXPECT_DOUBLE_EQ(axis.x, 0.0);
    EXPECT_DOUBLE_EQ(axis.z, 0.0);
    mol.GetFrame(0)->Atom(0).dx = 2.0;
    axis = mol.GetBondAxis(0, 0, -1);
    EXPECT_DOUBLE_EQ(axis.x, 1.0);
    EXPECT_DOUBLE_EQ(axis.z, 1.0);
}

TEST(MolDataGeometry, CentreIsTheMiddleOfTheBoundingBox) {
    TestMolData one({{"C", 1.5, -2, 3}});
    Point3D centre;
    centre = one.GetCentre(0);
    EXPECT_EQ(centre.x, 1.5);
    EXPECT_EQ(centre.y, -2.0);
    EXPECT_EQ(centre.z, 3.0);

    TestMolData three({{"C", 0, 0, 0}, {"C", 10, -4, 1}, {"C", 2, 8, 5}});
    centre = three.GetCentre(0);
    EXPECT_EQ(centre.x, 5.0);
    EXPECT_EQ(centre.y, 2.0);
    EXPECT_EQ(centre.z, 2.5);
}

} // namespace
