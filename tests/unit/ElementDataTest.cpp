// The element table, its symbol look-ups, the built-in bond limits and the
// element data file that overrides limits and residue colours.

#include "model/ElementData.h"
#include "model/BondLimits.h"
#include "model/ElementTable.h"
#include "model/ResidueColourTable.h"
#include "tests/unit/TempDir.h"

#include <gtest/gtest.h>

#include <clocale>
#include <fstream>

namespace {

TEST(ElementTable, RowsAndSymbols) {
    EXPECT_STREQ(ElementTable::Symbol(0), "DU");
    EXPECT_STREQ(ElementTable::Symbol(17), "CL");
    EXPECT_STREQ(ElementTable::Symbol(37), "LP");
    EXPECT_STREQ(ElementTable::Symbol(46), "PD");
    EXPECT_STREQ(ElementTable::Symbol(118), "OG");
    EXPECT_DOUBLE_EQ(ElementTable::Row(8).red, 0.8);
    EXPECT_DOUBLE_EQ(ElementTable::Row(7).green, 0.7);
    EXPECT_DOUBLE_EQ(ElementTable::Row(1).radius, 0.7);
    EXPECT_DOUBLE_EQ(ElementTable::Row(12).blue, 0.7);
    EXPECT_DOUBLE_EQ(ElementTable::Row(78).mass, 195.08);
    EXPECT_DOUBLE_EQ(ElementTable::Row(78).radius, 1.2);
    for (int n = 0; n < ElementTable::kRowCount; ++n)
        EXPECT_EQ(ElementTable::Row(n).number, n);
    // Numbers without a row fall back to the dummy atom.
    EXPECT_STREQ(ElementTable::Symbol(119), "DU");
    EXPECT_STREQ(ElementTable::Symbol(-2), "DU");
}

TEST(ElementTable, SymbolLookUps) {
    EXPECT_EQ(ElementTable::NumberOfSymbol("CL"), 17);
    EXPECT_EQ(ElementTable::NumberOfSymbol("Cl"), 0);
    EXPECT_EQ(ElementTable::NumberOfSymbol("LP"), 37);
    EXPECT_EQ(ElementTable::NumberOfSymbol("RU"), 44);
    EXPECT_EQ(ElementTable::NumberOfSymbol("XX"), 0);
    EXPECT_EQ(ElementTable::NumberOfSymbolNoCase("Cl"), 17);
    EXPECT_EQ(ElementTable::NumberOfSymbolNoCase("cl"), 17);
    EXPECT_EQ(ElementTable::NumberOfSymbolNoCase("c"), 6);
    EXPECT_EQ(ElementTable::NumberOfSymbolNoCase("Ir"), 77);
    EXPECT_EQ(ElementTable::NumberOfSymbolNoCase("i"), 53);
    EXPECT_EQ(ElementTable::NumberOfSymbolNoCase(""), 0);
    EXPECT_EQ(ElementTable::NumberOfSymbolNoCase("C1"), 0);
    EXPECT_EQ(ElementTable::NumberOfSymbolNoCase("Cla"), 0);
}

TEST(BondLimits, DefaultsAndBuiltInPairs) {
    BondLimits limits;
    EXPECT_DOUBLE_EQ(limits.Squared(6, 6), 2.89);
    limits.ApplyBuiltIn();
    EXPECT_DOUBLE_EQ(limits.Squared(6, 6), 1.726 * 1.726);
    EXPECT_DOUBLE_EQ(limits.Squared(1, 7), 1.21 * 1.21);
    EXPECT_DOUBLE_EQ(limits.Squared(7, 1), 1.21 * 1.21);
    EXPECT_DOUBLE_EQ(limits.Squared(16, 35), 2.41 * 2.41);
    // Pairs without a built-in limit: covalent radii (Fe 1.32, O 0.66) plus
    // the tolerance, never below 1.7; none without radii.
    EXPECT_DOUBLE_EQ(limits.Squared(26, 8), (1.32 + 0.66 + 0.4) * (1.32 + 0.66 + 0.4));
    EXPECT_TRUE(limits.IsFromRadii(8, 26));
    EXPECT_FALSE(limits.IsFromRadii(6, 6));
    EXPECT_DOUBLE_EQ(limits.Squared(1, 5), 2.89); // H-B: 0.31 + 0.84 + 0.4 < 1.7
    EXPECT_DOUBLE_EQ(limits.Squared(118, 118), 2.89);
    EXPECT_DOUBLE_EQ(limits.Squared(0, 26), 2.89);
    EXPECT_DOUBLE_EQ(limits.Squared(37, 26), 2.89);
}

class ElementDataFile : public testing::Test {
protected:
    bool Load(const std::string& bytes) {
        return LoadElementData(limits, colours, dir.Write("ravek.dat", bytes));
    }
    TempDir dir;
    BondLimits limits;
    ResidueColourTable colours;
};

TEST_F(ElementDataFile, BothSectionsWithComments) {
    ASSERT_TRUE(Load("# bond limits\nC C 1.60\nH O 1.00\n\n# colours\nALA FF0000\nHOH 00FF00\n"
                     "HEM 123456\n"));
    EXPECT_DOUBLE_EQ(limits.Squared(6, 6), 1.6 * 1.6);
    EXPECT_DOUBLE_EQ(limits.Squared(1, 8), 1.0);
    EXPECT_DOUBLE_EQ(limits.Squared(6, 7), 1.67 * 1.67); // built-in kept
    EXPECT_EQ(colours.Value("ALA"), 0xFF0000u);
    EXPECT_EQ(colours.Value("HOH"), 0x00FF00u);
    EXPECT_EQ(colours.Value("HEM"), 0x123456u);
    EXPECT_EQ(colours.Value("GLY"), 0x468C8Cu);
}

TEST_F(ElementDataFile, SymbolsInEitherOrderAndCase) {
    ASSERT_TRUE(Load("O H 0.95\r\nCl C 1.9\r\nCL BR 2.5\r\n"));
    EXPECT_DOUBLE_EQ(limits.Squared(1, 8), 0.95 * 0.95);
    // Lower case is not recognised: the limit goes to the dummy row.
    EXPECT_DOUBLE_EQ(limits.Squared(6, 17), 2.0 * 2.0);
    EXPECT_DOUBLE_EQ(limits.Squared(0, 6), 1.9 * 1.9);
    EXPECT_DOUBLE_EQ(limits.Squared(17, 35), 2.5 * 2.5);
}

TEST_F(ElementDataFile, FirstSectionRunningToTheEndSetsLimitsOnly) {
    ASSERT_TRUE(Load("C C 1.5\nALA FF0000\nN N"));
    EXPECT_DOUBLE_EQ(limits.Squared(6, 6), 2.25);
    EXPECT_EQ(colours.Value("ALA"), 0x000046u);
    EXPECT_DOUBLE_EQ(limits.Squared(7, 7), 1.641 * 1.641);
}

TEST_F(ElementDataFile, SectionsEndAtBlankLinesAndBadLinesAreSkipped) {
    ASSERT_TRUE(Load("C C abc\nN N 1.5 extra\n   \nALA zz\nGLY 0x0000FF\n\nSER 000001\n"));
    EXPECT_DOUBLE_EQ(limits.Squared(6, 6), 1.726 * 1.726);
    EXPECT_DOUBLE_EQ(limits.Squared(7, 7), 2.25);
    EXPECT_EQ(colours.Value("ALA"), 0x000046u);
    EXPECT_EQ(colours.Value("GLY"), 0x0000FFu);
    EXPECT_EQ(colours.Value("SER"), 0x8C4646u); // after the second section
}

TEST_F(ElementDataFile, MissingFileKeepsBuiltInsAndEarlierValues) {
    ASSERT_TRUE(Load("C C 1.5\n\nALA FF0000\n"));
    EXPECT_FALSE(LoadElementData(limits, colours, dir.File("absent.dat")));
    // The built-in limits come back; colours read earlier stay.
    EXPECT_DOUBLE_EQ(limits.Squared(6, 6), 1.726 * 1.726);
    EXPECT_EQ(colours.Value("ALA"), 0xFF0000u);
}

TEST_F(ElementDataFile, NumbersDoNotDependOnTheLocale) {
    const char* german = std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    const bool loaded = Load("C C 1.55\n");
    std::setlocale(LC_NUMERIC, "C");
    ASSERT_TRUE(loaded);
    EXPECT_DOUBLE_EQ(limits.Squared(6, 6), 1.55 * 1.55);
    if (german == nullptr)
        GTEST_SKIP() << "de_DE.UTF-8 is not installed; read in the C locale only";
}

// The file an installed program reads states the built-in values, so that a
// user has them to edit: reading it changes no limit and no colour.
TEST(ElementDataPath, TheInstalledFileHoldsTheBuiltInValues) {
    BondLimits builtIn, read;
    builtIn.ApplyBuiltIn();
    ResidueColourTable colours, builtInColours;
    ASSERT_TRUE(LoadElementData(read, colours, RAVEK_INSTALLED_ELEMENT_DATA));
    for (int a = 0; a < ElementTable::kRowCount; ++a) {
        for (int b = 0; b < ElementTable::kRowCount; ++b)
            ASSERT_EQ(read.Squared(a, b), builtIn.Squared(a, b)) << a << " " << b;
    }
    std::ifstream in(RAVEK_INSTALLED_ELEMENT_DATA);
    std::string line;
    int section = 0, names = 0;
    while (std::getline(in, line)) {
        if (line.empty())
            ++section;
        else if (section == 1 && line.front() != '#') {
            const std::string name = line.substr(0, line.find(' '));
            EXPECT_TRUE(builtInColours.Contains(name)) << name;
            EXPECT_EQ(colours.Value(name), builtInColours.Value(name)) << name;
            ++names;
        }
    }
    EXPECT_EQ(names, 29);
}

// Beside the program first, then the data folder of the tree it is
// installed in; neither there: the path beside it.
TEST(ElementDataPath, BesideTheProgramThenTheInstalledTree) {
    TempDir prefix;
    const std::string bin = prefix.File("bin");
    std::filesystem::create_directories(bin);
    EXPECT_EQ(ElementDataPath(bin), bin + "/ravek.dat");
    std::filesystem::create_directories(prefix.File("share/ravek"));
    const std::string installed = prefix.Write("share/ravek/ravek.dat", "C C 1.0\n");
    EXPECT_EQ(ElementDataPath(bin), installed);
    const std::string beside = prefix.Write("bin/ravek.dat", "C C 1.2\n");
    EXPECT_EQ(ElementDataPath(bin), beside);
}

TEST(ElementDataPath, LiesBesideTheExecutable) {
    const std::string path = ElementDataPath();
    ASSERT_FALSE(path.empty());
    EXPECT_NE(path.find("/tests/unit/ravek.dat"), std::string::npos) << path;
}

} // namespace
