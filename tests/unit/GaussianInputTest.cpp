// Reading Gaussian input files: finding the geometry after the route line,
// Cartesian lines, symbols, and the inputs that give no molecule.

#include "formats/CGauData.h"
#include "formats/NoMoleculeReason.h"
#include "model/BondLimits.h"
#include "tests/support/SmallFiles.h"
#include "tests/unit/ReadText.h"

#include <gtest/gtest.h>

#include <array>
#include <clocale>
#include <cmath>

namespace {

const char* const kWater = SmallFiles::kWaterInput;

class GaussianInput : public ::testing::Test {
protected:
    void SetUp() override { BondLimits::instance().ApplyBuiltIn(); }
};

TEST_F(GaussianInput, CartesianGeometryWithLabelsAndBonds) {
    auto mol = ReadText<CGauData>(kWater);
    EXPECT_EQ(mol->gaussianFileType, CMolData::GaussianFileType::kInput);
    EXPECT_EQ(mol->inputGeometryType, CMolData::kGeometryCartesian);
    EXPECT_EQ(mol->frameCount, 1);
    EXPECT_EQ(mol->atomCount, 3);
    EXPECT_EQ(mol->firstShownFrame, 0);
    EXPECT_EQ(mol->framePositions[0], 29); // the first atom line
    EXPECT_EQ(mol->GetLabel(0, 0), "1O");
    EXPECT_EQ(mol->GetLabel(0, 2), "3H");
    EXPECT_EQ(mol->GetElement(0, 1), 1);
    EXPECT_DOUBLE_EQ(mol->GetAtomCoord(0, 2, 1), -0.7572);
    EXPECT_EQ(mol->GetResidueName(0, 2), "NON");
    EXPECT_EQ(mol->GetBondCount(0, 0), 2);
    EXPECT_EQ(NoMoleculeReasonOf(*mol), NoMoleculeReason::kNone);
}

TEST_F(GaussianInput, RouteAmongTheFirstNineLinesOrAfterLinkZeroLinesOnly) {
    auto twoLinkLines = ReadText<CGauData>("%chk=water.chk\n%mem=1GB\n   " + std::string(kWater));
    EXPECT_EQ(twoLinkLines->atomCount, 3);
    EXPECT_DOUBLE_EQ(twoLinkLines->GetAtomCoord(0, 0, 2), 0.1173);

    std::string linkZero = "! written by a script\n\n";
    for (int i = 0; i < 9; ++i)
        linkZero += "%nproc=4\n";
    auto late = ReadText<CGauData>(linkZero + kWater);
    EXPECT_EQ(late->gaussianFileType, CMolData::GaussianFileType::kInput);
    EXPECT_EQ(late->atomCount, 3);

    // After nine lines of anything else a '#' line is no route.
    std::string text;
    for (int i = 0; i < 9; ++i)
        text += "some text\n";
    auto notInput = ReadText<CGauData>(text + kWater);
    EXPECT_EQ(notInput->gaussianFileType, CMolData::GaussianFileType::kOutput);
    EXPECT_EQ(NoMoleculeReasonOf(*notInput), NoMoleculeReason::kNoGeometry);
}

TEST_F(GaussianInput, SectionsAsGaussianReadsThem) {
    // A route of three lines, a title of two, three charge pairs with a
    // comment, comment lines, CR LF line ends and a line of blanks.
    auto mol = ReadText<CGauData>("%chk=a.chk\r\n#p gfinput\r\n#B3LYP/Gen\r\n#SP\r\n \r\n"
                                  "title one\r\ntitle two\r\n\t\r\n"
                                  "0 1 0 1 0 1 ! fragments\r\n"
                                  "! a comment line\r\n"
                                  "O(Fragment=1)  0.0 0.0 0.0\r\n"
                                  "H(Fragment=2)  0.0 0.0 0.96\r\n"
                                  "   \r\n"
                                  "C 0\r\n6-31G*\r\n****\r\n\r\n");
    ASSERT_EQ(mol->atomCount, 2);
    EXPECT_EQ(mol->skippedLines, 0);
    EXPECT_EQ(mol->GetLabel(0, 1), "2H");
    EXPECT_DOUBLE_EQ(mol->GetAtomCoord(0, 1, 2), 0.96);

    // Several jobs: the first with atoms counts, jobs reading the checkpoint
    // add nothing.
    const std::string secondJob = "--Link1--\n%chk=a.chk\n#p freq geom=check guess=read\n\n"
                                  "freq\n\n0 1\n\n";
    auto link1 = ReadText<CGauData>(std::string(kWater) + secondJob);
    EXPECT_EQ(link1->atomCount, 3);
    auto checkFirst =
        ReadText<CGauData>("#p sp Geom=AllCheck\n\n--Link1--\n" + std::string(kWater) + secondJob);
    ASSERT_EQ(checkFirst->atomCount, 3);
    EXPECT_EQ(checkFirst->GetLabel(0, 0), "1O");

    // geom=check: the file ends after the route line, or the charge line is
    // all there is.
    auto noGeometry = ReadText<CGauData>("%chk=x\r\n#P HF geom=check guess=read\r\n\r\n");
    EXPECT_EQ(NoMoleculeReasonOf(*noGeometry), NoMoleculeReason::kNoGeometry);
    auto chargeOnly = ReadText<CGauData>("#P HF geom(check)\n\nt\n\n0 1\n\n");
    EXPECT_EQ(NoMoleculeReasonOf(*chargeOnly), NoMoleculeReason::kNoGeometry);
    auto noAtoms = ReadText<CGauData>("#P HF\n\nt\n\n0 1\n\n");
    EXPECT_NE(NoMoleculeReasonOf(*noAtoms), NoMoleculeReason::kNone);
}

TEST_F(GaussianInput, ElementsAndLabelsOfAtomLines) {
    auto mol = ReadText<CGauData>("#P HF\n\nt\n\n0 1\n"
                                  "6 0.0 0.0 0.0\n"            // atomic number
                                  "17(Iso=37) 1.5 0.0 0.0\n"   // with parameters
                                  "C1 3.0 0.0 0.0\n"           // C
                                  "Cl2 4.5 0.0 0.0\n"          // Cl, label keeps the case
                                  "1H -1.0 0.0 0.0\n"          // H
                                  "Pt 0.0 9.0 0.0\n"           // beyond krypton
                                  "Fe(Iso=56,Spin=2) 0 0 8\n"  // comma inside parameters
                                  "C-CA-0.1 0 1.0 1.0 1.0 H\n" // MM type, freeze code, layer
                                  "C-Bq 0.0 0.0 -5.0\n"        // ghost
                                  "Xx 0.0 0.0 9.0\n"           // no such element
                                  "119 0.0 7.0 7.0\n"          // no such atomic number
                                  "N,0,2.0,2.0,2.0\n");        // commas
    ASSERT_EQ(mol->atomCount, 12);
    const int elements[] = {6, 17, 6, 17, 1, 78, 26, 6, 0, 0, 0, 7};
    const char* const labels[] = {"1C",  "2CL", "3C", "4Cl",  "5H",   "6Pt",
                                  "7Fe", "8C",  "9C", "10Xx", "11DU", "12N"};
    for (int a = 0; a < 12; ++a) {
        EXPECT_EQ(mol->GetElement(0, a), elements[a]) << a;
        EXPECT_EQ(mol->GetLabel(0, a), labels[a]) << a;
    }
    EXPECT_DOUBLE_EQ(mol->GetAtomCoord(0, 1, 0), 1.5);
    EXPECT_DOUBLE_EQ(mol->GetAtomCoord(0, 6, 2), 8.0);
    EXPECT_DOUBLE_EQ(mol->GetAtomCoord(0, 7, 0), 1.0);
    EXPECT_DOUBLE_EQ(mol->GetAtomCoord(0, 11, 1), 2.0);
    EXPECT_EQ(mol->inputGeometryType, CMolData::kGeometryCartesian);
}

TEST_F(GaussianInput, LinesWithoutThreeCoordinatesGiveNoAtom) {
    // A line that lacks a coordinate is counted, never filled in from the
    // line before; a line of blanks ends the geometry as an empty one does.
    auto mol = ReadText<CGauData>("#P HF\n\nt\n\n0 1\n"
                                  "C 1.0 2.0 3.0\n"
                                  "N 4.0\n"
                                  "O 7.0 8.0 9.0\n"
                                  "Cl 1.0e309 0 0\n"
                                  "   \t\n"
                                  "O 9.0 9.0 9.0\n");
    ASSERT_EQ(mol->atomCount, 2);
    EXPECT_EQ(mol->skippedLines, 2);
    EXPECT_EQ(mol->GetElement(0, 1), 8);
    EXPECT_EQ(mol->GetLabel(0, 1), "2O");
    EXPECT_DOUBLE_EQ(mol->GetAtomCoord(0, 1, 2), 9.0);
    // Nothing but such lines: no molecule.
    auto none = ReadText<CGauData>("#P HF\n\nt\n\n0 1\nC 1.0\nN 1.0 2.0\n\n");
    EXPECT_NE(NoMoleculeReasonOf(*none), NoMoleculeReason::kNone);
    // A bare symbol as the first atom is an atom at the origin: one atom of
    // an atomic calculation, or one before Cartesian lines.
    auto helium = ReadText<CGauData>("#P HF\n\nhelium atom\n\n0 1\nHe\n\n");
    ASSERT_EQ(helium->atomCount, 1);
    EXPECT_EQ(helium->GetElement(0, 0), 2);
    auto mixed = ReadText<CGauData>("#P HF\n\nt\n\n0 1\nO\nH 0.0 0.0 0.96\n\n");
    ASSERT_EQ(mixed->atomCount, 2);
    EXPECT_EQ(mixed->inputGeometryType, CMolData::kGeometryCartesian);
    EXPECT_DOUBLE_EQ(mixed->GetAtomCoord(0, 1, 2), 0.96);
    // A variable nobody defines, in Cartesian lines only: that line alone.
    auto variable = ReadText<CGauData>("#P HF\n\nt\n\n0 1\nC 0 0 0\nN x 0 0\nO 0 0 1.2\n\n");
    ASSERT_EQ(variable->atomCount, 2);
    EXPECT_EQ(variable->skippedLines, 1);
    EXPECT_EQ(variable->GetLabel(0, 1), "2O");
}

TEST_F(GaussianInput, FreezeCodesDoNotShiftTheCoordinates) {
    auto mol = ReadText<CGauData>("#P opt\n\nt\n\n0 1\n"
                                  "C  0  0.000000  0.000000 -0.643075\n"
                                  "O -1  0.000000  0.000000  0.482306 H\n"
                                  "N     1.0       2.0       3.0     4.0\n");
    ASSERT_EQ(mol->atomCount, 3);
    EXPECT_DOUBLE_EQ(mol->GetAtomCoord(0, 0, 2), -0.643075);
    EXPECT_DOUBLE_EQ(mol->GetAtomCoord(0, 1, 2), 0.482306);
    // Decimal numbers are coordinates, whatever follows them.
    EXPECT_DOUBLE_EQ(mol->GetAtomCoord(0, 2, 0), 1.0);
    EXPECT_DOUBLE_EQ(mol->GetAtomCoord(0, 2, 2), 3.0);
}

// Internal coordinates measured on the Cartesian result, computed here
// rather than with the model's own geometry functions.
struct Geometry {
    CMolData& mol;
    std::array<double, 3> At(int a) const {
        return {mol.GetAtomCoord(0, a, 0), mol.GetAtomCoord(0, a, 1), mol.GetAtomCoord(0, a, 2)};
    }
    static std::array<double, 3> Sub(std::array<double, 3> p, std::array<double, 3> q) {
        return {p[0] - q[0], p[1] - q[1], p[2] - q[2]};
    }
    static double Dot(std::array<double, 3> p, std::array<double, 3> q) {
        return p[0] * q[0] + p[1] * q[1] + p[2] * q[2];
    }
    static std::array<double, 3> Cross(std::array<double, 3> p, std::array<double, 3> q) {
        return {p[1] * q[2] - p[2] * q[1], p[2] * q[0] - p[0] * q[2], p[0] * q[1] - p[1] * q[0]};
    }
    double Distance(int a, int b) const {
        return std::sqrt(Dot(Sub(At(a), At(b)), Sub(At(a), At(b))));
    }
    double Angle(int a, int b, int c) const {
        const auto u = Sub(At(a), At(b)), v = Sub(At(c), At(b));
        return std::acos(Dot(u, v) / std::sqrt(Dot(u, u) * Dot(v, v))) * 180.0 / M_PI;
    }
    // Dihedral a-b-c-d, positive clockwise looking from b to c.
    double Dihedral(int a, int b, int c, int d) const {
        const auto b1 = Sub(At(b), At(a)), b2 = Sub(At(c), At(b)), b3 = Sub(At(d), At(c));
        const auto n1 = Cross(b1, b2), n2 = Cross(b2, b3);
        return std::atan2(std::sqrt(Dot(b2, b2)) * Dot(b1, n2), Dot(n1, n2)) * 180.0 / M_PI;
    }
};

TEST_F(GaussianInput, ZMatrixPlacedTheWayGaussianPlacesIt) {
    // Hydrogen peroxide with a dummy atom, references by label and number,
    // variables after a blank line, a negated one and constants after a
    // second blank line.
    auto mol = ReadText<CGauData>("#P HF\n\nH2O2\n\n0 1\n"
                                  "O1\n"
                                  "O2 O1 roo\n"
                                  "X3 2 1.0 1 90.\n"
                                  "H4,1,roh,2,aooh,3,-dx,0\n"
                                  "H5 O2 roh O1 aooh 4 dhooh\n"
                                  "\n"
                                  " roo 1.45\n"
                                  " roh=0.97 \n"
                                  " aooh = 100.0\n"
                                  "\n"
                                  "Constants:\n"
                                  " dhooh 120.0\n"
                                  " dx 80.0\n");
    ASSERT_EQ(NoMoleculeReasonOf(*mol), NoMoleculeReason::kNone);
    ASSERT_EQ(mol->atomCount, 5);
    EXPECT_EQ(mol->inputGeometryType, CMolData::kGeometryZMatrix);
    EXPECT_EQ(mol->GetElement(0, 2), 0); // the dummy is kept
    EXPECT_EQ(mol->GetLabel(0, 2), "3X");
    const Geometry geometry{*mol};
    // First at the origin, second on +z, third in the xz plane on +x.
    EXPECT_DOUBLE_EQ(geometry.At(0)[0], 0.0);
    EXPECT_DOUBLE_EQ(geometry.At(1)[2], 1.45);
    EXPECT_NEAR(geometry.At(2)[0], 1.0, 1e-12);
    EXPECT_NEAR(geometry.At(2)[1], 0.0, 1e-12);
    EXPECT_NEAR(geometry.Distance(3, 0), 0.97, 1e-9);
    EXPECT_NEAR(geometry.Angle(3, 0, 1), 100.0, 1e-9);
    EXPECT_NEAR(geometry.Dihedral(3, 0, 1, 2), -80.0, 1e-9);
    EXPECT_NEAR(geometry.Distance(4, 1), 0.97, 1e-9);
    EXPECT_NEAR(geometry.Angle(4, 1, 0), 100.0, 1e-9);
    EXPECT_NEAR(geometry.Dihedral(4, 1, 0, 3), 120.0, 1e-9);
    // Bonds follow the placed atoms.
    EXPECT_EQ(mol->GetBondCount(0, 3), 1);
}

TEST_F(GaussianInput, ZMatrixWithTwoBondAnglesAndCartesianLines) {
    // Ammonia-like: the fourth atom by two bond angles, once on each side;
    // a Cartesian line among the Z-matrix lines; "Variables:" in the
    // molecule section itself.
    auto mol = ReadText<CGauData>("#P HF\n\nt\n\n0 1\n"
                                  "N\n"
                                  "H 1 r\n"
                                  "H 1 r 2 a\n"
                                  "H 1 r 2 a 3 a 1\n"
                                  "H 1 r 2 a 3 a -1\n"
                                  "Cl 0 5.0 5.0 5.0\n"
                                  "Variables:\n"
                                  "r 1.01\n"
                                  "a 107.0\n");
    ASSERT_EQ(mol->atomCount, 6);
    const Geometry geometry{*mol};
    for (int h = 3; h <= 4; ++h) {
        EXPECT_NEAR(geometry.Distance(h, 0), 1.01, 1e-9);
        EXPECT_NEAR(geometry.Angle(h, 0, 1), 107.0, 1e-9);
        EXPECT_NEAR(geometry.Angle(h, 0, 2), 107.0, 1e-9);
    }
    // Form 1: (bonded − new) · ((bonded − angle atom) × (bonded − second)) > 0.
    const auto side = [&](int h) {
        return Geometry::Dot(Geometry::Sub(geometry.At(0), geometry.At(h)),
                             Geometry::Cross(Geometry::Sub(geometry.At(0), geometry.At(1)),
                                             Geometry::Sub(geometry.At(0), geometry.At(2))));
    };
    EXPECT_GT(side(3), 0.0);
    EXPECT_LT(side(4), 0.0);
    EXPECT_DOUBLE_EQ(geometry.At(5)[1], 5.0);
    EXPECT_EQ(mol->GetElement(0, 5), 17);
}

TEST_F(GaussianInput, ZMatricesThatCannotBeResolvedNameTheirLine) {
    struct Case {
        const char* body; // from line 6 on
        ZMatrixProblem::Kind kind;
        int line;
        const char* name;
    };
    const Case cases[] = {
        {"O\nH 1 r\nH 1 r 2 a\n\nr 0.96\n", ZMatrixProblem::Kind::kUndefinedVariable, 8, "a"},
        {"O\nH 1 0.96\nH 3 0.96 2 104.5\n", ZMatrixProblem::Kind::kLaterAtom, 8, "3"},
        // An unknown reference reads as a Cartesian line naming a variable.
        {"O\nH 1 0.96\nH 1 0.96 2 104.5\nC 1 1.4 Q 104.5 2 60.0\n",
         ZMatrixProblem::Kind::kUndefinedVariable, 9, "Q"},
        // A linear arrangement makes the dihedral undefined.
        {"C\nC 1 1.2\nH 2 1.0 1 180.0\nH 3 1.0 2 109.0 1 60.0\n",
         ZMatrixProblem::Kind::kUndefinedPosition, 9, "1"},
        // The fourth atom needs a dihedral.
        {"O\nH 1 0.96\nH 1 0.96 2 104.5\nH 2 1.0 1 90.0\n", ZMatrixProblem::Kind::kUnreadableLine,
         9, ""},
        // A line that is no atom in a Z-matrix would shift every reference.
        {"O\nH 1 0.96\n???\nH 1 0.96 2 104.5\n", ZMatrixProblem::Kind::kUnreadableLine, 8, ""},
        {"O\nH 1 -0.96\n", ZMatrixProblem::Kind::kUndefinedPosition, 7, ""},
    };
    for (const Case& c : cases) {
        auto mol = ReadText<CGauData>(std::string("#P HF\n\nt\n\n0 1\n") + c.body);
        EXPECT_EQ(NoMoleculeReasonOf(*mol), NoMoleculeReason::kUnresolvedZMatrix) << c.body;
        EXPECT_EQ(mol->zMatrixProblem.kind, c.kind) << c.body;
        EXPECT_EQ(mol->zMatrixProblem.line, c.line) << c.body;
        EXPECT_EQ(mol->zMatrixProblem.name, c.name) << c.body;
        EXPECT_EQ(mol->frameCount, 0);
    }
}

TEST_F(GaussianInput, NumbersReadTheSameUnderAGermanLocale) {
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr)
        GTEST_SKIP() << "de_DE.UTF-8 locale not installed";
    auto mol = ReadText<CGauData>(kWater);
    std::setlocale(LC_ALL, saved.c_str());
    EXPECT_DOUBLE_EQ(mol->GetAtomCoord(0, 1, 1), 0.7572);
    EXPECT_EQ(mol->inputGeometryType, CMolData::kGeometryCartesian);
}

} // namespace
