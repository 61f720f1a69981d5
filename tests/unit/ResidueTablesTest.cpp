// Residue name ids and residue colours.

#include "model/ResidueColourTable.h"
#include "model/ResidueNameTable.h"
#include "tests/support/TestMolData.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>

namespace {

TEST(ResidueNameTable, AminoAcidsFirstThenNewNamesInOrder) {
    ResidueNameTable table;
    EXPECT_EQ(table.Id("ALA"), 1);
    EXPECT_EQ(table.Id("GLY"), 20);
    EXPECT_EQ(table.Id("GLX"), 22);
    EXPECT_EQ(table.Id("NON"), 0);
    EXPECT_EQ(table.Id("HOH"), 23);
    EXPECT_EQ(table.Id("NON"), 0);
    EXPECT_EQ(table.Name(23), "HOH");
    EXPECT_EQ(table.Name(0), "NON");
    EXPECT_EQ(table.Name(99), "NON");
    EXPECT_TRUE(ResidueNameTable::IsAminoAcid(22));
    EXPECT_FALSE(ResidueNameTable::IsAminoAcid(23));
}

TEST(ResidueNameTable, EachModelHoldsItsOwnNames) {
    TestMolData mol({{"C", 0, 0, 0, 0, "NON"}, {"O", 1, 0, 0, 1, "SER"}, {"N", 2, 0, 0, 2, "LIG"}});
    EXPECT_EQ(mol.GetFrame(0)->Atom(0).residueNameId, 0);
    EXPECT_EQ(mol.GetFrame(0)->Atom(1).residueNameId, 16);
    EXPECT_EQ(mol.GetFrame(0)->Atom(2).residueNameId, 23);
    EXPECT_EQ(mol.GetResidueName(0, 0), "NON");
    EXPECT_EQ(mol.GetResidueName(0, 1), "SER");
    EXPECT_EQ(mol.GetResidueName(0, 2), "LIG");
    EXPECT_EQ(mol.GetResidueIndex(0, 1), 1);
    // Another model's first new name takes the same id for its own name.
    TestMolData other({{"N", 0, 0, 0, 0, "HEM"}});
    EXPECT_EQ(other.GetFrame(0)->Atom(0).residueNameId, 23);
    EXPECT_EQ(other.GetResidueName(0, 0), "HEM");
    EXPECT_EQ(mol.GetResidueName(0, 2), "LIG");
    // A geometry made apart with names of its own keeps them when appended;
    // a copy keeps its names when the original goes.
    mol.AppendFrame(MakeTestFrame({{"C", 0, 0, 0, 0, "HEM"}, {"N", 1, 0, 0, 1, "LIG"}}));
    mol.frameCount = 2;
    EXPECT_EQ(mol.GetResidueName(1, 0), "HEM");
    EXPECT_EQ(mol.GetResidueName(1, 1), "LIG");
    EXPECT_EQ(mol.GetFrame(1)->Atom(1).residueNameId, mol.GetFrame(0)->Atom(2).residueNameId);
    auto original = std::make_unique<CMolData>(mol);
    const CMolData copy(*original);
    original.reset();
    EXPECT_EQ(copy.GetResidueName(1, 0), "HEM");
    EXPECT_EQ(copy.GetResidueName(0, 2), "LIG");
}

TEST(ResidueColour, BytesAreRedGreenBlueFromTheLowEnd) {
    TestMolData mol({{"C", 0, 0, 0}});
    const std::array<double, 3> alanine = mol.GetResidueColour("ALA");
    EXPECT_DOUBLE_EQ(alanine[0], 70 / 255.0);
    EXPECT_DOUBLE_EQ(alanine[1], 0.0);
    EXPECT_DOUBLE_EQ(alanine[2], 0.0);
    const std::array<double, 3> serine = mol.GetResidueColour("SER");
    EXPECT_DOUBLE_EQ(serine[2], 140 / 255.0);
    EXPECT_DOUBLE_EQ(serine[0], 70 / 255.0);
    const std::array<double, 3> white = mol.GetResidueColour("GR1");
    EXPECT_DOUBLE_EQ(white[0] + white[1] + white[2], 3.0);
}

TEST(ResidueColour, UnknownNameGetsGreyAndIsEntered) {
    EXPECT_FALSE(ResidueColourTable::instance().Contains("ZZQ"));
    TestMolData mol({{"C", 0, 0, 0}});
    const std::array<double, 3> grey = mol.GetResidueColour("ZZQ");
    for (int k = 0; k < 3; ++k)
        EXPECT_DOUBLE_EQ(grey[k], 0.27450980392156865);
    EXPECT_TRUE(ResidueColourTable::instance().Contains("ZZQ"));
}

} // namespace
