// Reading Gaussian input files: finding the geometry after the route line,
// Cartesian lines, symbols, and the inputs that give no molecule.

#include "formats/CGauData.h"
#include "formats/NoMoleculeReason.h"
#include "model/BondLimits.h"
#include "tests/support/SmallFiles.h"
#include "tests/unit/ReadText.h"

#include <gtest/gtest.h>

#include <clocale>

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
    EXPECT_EQ(mol->GetCurrentFrame(), 0);
    EXPECT_EQ(mol->framePositions[0], 29); // the first atom line
    EXPECT_STREQ(mol->GetLabel(0, 0), "1O");
    EXPECT_STREQ(mol->GetLabel(0, 2), "3H");
    EXPECT_EQ(mol->GetElement(0, 1), 1);
    EXPECT_DOUBLE_EQ(mol->GetAtomCoord(0, 2, 1), -0.7572);
    EXPECT_EQ(mol->GetResidueName(0, 2), "NON");
    EXPECT_EQ(mol->GetBondCount(0, 0), 2);
    EXPECT_EQ(NoMoleculeReasonOf(*mol), NoMoleculeReason::kNone);
}

TEST_F(GaussianInput, RouteLineMustBeAmongTheFirstNineLines) {
    auto twoLinkLines = ReadText<CGauData>("%chk=water.chk\n%mem=1GB\n   " + std::string(kWater));
    EXPECT_EQ(twoLinkLines->atomCount, 3);
    EXPECT_DOUBLE_EQ(twoLinkLines->GetAtomCoord(0, 0, 2), 0.1173);

    std::string nineLines;
    for (int i = 0; i < 9; ++i)
        nineLines += "%nproc=4\n";
    auto late = ReadText<CGauData>(nineLines + kWater);
    EXPECT_EQ(late->gaussianFileType,
              CMolData::GaussianFileType::kOutput); // read as an output: no geometry
    EXPECT_EQ(NoMoleculeReasonOf(*late), NoMoleculeReason::kNoGeometry);
}

TEST_F(GaussianInput, InputsThatGiveNoMolecule) {
    // A two-line title puts the charge line where the geometry should start.
    auto twoTitles = ReadText<CGauData>("#P HF\n\ntitle one\ntitle two\n\n0 1\nO 0 0 0\n\n");
    EXPECT_EQ(twoTitles->inputGeometryType, CMolData::kGeometryZMatrix);
    EXPECT_EQ(NoMoleculeReasonOf(*twoTitles), NoMoleculeReason::kZMatrixInput);

    auto zMatrix = ReadText<CGauData>("#P HF\n\nwater\n\n0 1\nO\nH 1 0.96\nH 1 0.96 2 104.5\n\n");
    EXPECT_EQ(zMatrix->inputGeometryType, CMolData::kGeometryZMatrix);
    EXPECT_EQ(zMatrix->frameCount, 1);
    EXPECT_EQ(NoMoleculeReasonOf(*zMatrix), NoMoleculeReason::kZMatrixInput);

    // geom=check: the file ends after the route line.
    auto noGeometry = ReadText<CGauData>("%chk=x\r\n#P HF geom=check guess=read\r\n\r\n");
    EXPECT_EQ(NoMoleculeReasonOf(*noGeometry), NoMoleculeReason::kNoGeometry);

    auto noAtoms = ReadText<CGauData>("#P HF\n\nt\n\n0 1\n\n");
    EXPECT_EQ(NoMoleculeReasonOf(*noAtoms), NoMoleculeReason::kNoAtoms);
}

TEST_F(GaussianInput, SymbolsFromTheFirstTwoCharacters) {
    auto mol = ReadText<CGauData>("#P HF\n\nt\n\n0 1\n"
                                  "6 0.0 0.0 0.0\n"    // a number: no letters
                                  "C1 1.5 0.0 0.0\n"   // C
                                  "Cl2 3.2 0.0 0.0\n"  // CL, label keeps the case
                                  "1H -1.0 0.0 0.0\n"  // H
                                  "Pt 0.0 9.0 0.0\n"   // beyond krypton
                                  "Xx 0.0 0.0 9.0\n"); // no such element
    ASSERT_EQ(mol->atomCount, 6);
    EXPECT_EQ(mol->GetElement(0, 0), 0);
    EXPECT_STREQ(mol->GetLabel(0, 0), "1");
    EXPECT_EQ(mol->GetElement(0, 1), 6);
    EXPECT_STREQ(mol->GetLabel(0, 1), "2C");
    EXPECT_EQ(mol->GetElement(0, 2), 17);
    EXPECT_STREQ(mol->GetLabel(0, 2), "3Cl");
    EXPECT_EQ(mol->GetElement(0, 3), 1);
    EXPECT_STREQ(mol->GetLabel(0, 3), "4H");
    EXPECT_EQ(mol->GetElement(0, 4), 78);
    EXPECT_EQ(mol->GetElement(0, 5), 0);
    EXPECT_STREQ(mol->GetLabel(0, 5), "6Xx");
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
    EXPECT_STREQ(mol->GetLabel(0, 1), "2O");
    EXPECT_DOUBLE_EQ(mol->GetAtomCoord(0, 1, 2), 9.0);
    // Nothing but such lines: no molecule.
    auto none = ReadText<CGauData>("#P HF\n\nt\n\n0 1\nC 1.0\nN\n\n");
    EXPECT_NE(NoMoleculeReasonOf(*none), NoMoleculeReason::kNone);
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
