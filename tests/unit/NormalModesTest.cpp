// Every normal mode of a Gaussian output: both layouts, the geometry each
// table belongs to, several frequency jobs, and tables cut short or damaged.

#include "formats/CGauData.h"
#include "model/BondLimits.h"
#include "tests/support/GaussianOutputText.h"
#include "tests/unit/ReadText.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const std::vector<OrientationRow> kWater = {
    {8, 0, 0, 0.12}, {1, 0, 0.76, -0.47}, {1, 0, -0.76, -0.47}};

// A block of three modes in the usual layout, numbered from first.
void ThreeModes(GaussianOutputText& out, int first, const char* frequencies,
                const std::vector<std::string>& rows) {
    char numbers[120];
    std::snprintf(numbers, sizeof numbers, "%23d%23d%23d", first, first + 1, first + 2);
    out.Line(numbers);
    out.Line("                     A1                     A1                     B2");
    out.Line(frequencies);
    out.Line(" Red. masses --      1.0820                 1.0458                 1.0810");
    out.Line(" Frc consts  --      1.7741                 9.2101                10.0711");
    out.Line(" IR Inten    --     89.6988                 8.4803                44.2991");
    out.Line("  Atom  AN      X      Y      Z        X      Y      Z        X      Y      Z");
    for (const std::string& row : rows)
        out.Line(row);
}

const std::vector<std::string> kRows = {
    "     1   8    -0.00  -0.00  -0.07     0.00  -0.00   0.05    -0.00  -0.07  -0.00",
    "     2   1     0.00   0.43   0.56     0.00   0.58  -0.40    -0.00   0.55  -0.44",
    "     3   1     0.00  -0.43   0.56    -0.00  -0.58  -0.40     0.00   0.55   0.44"};
const char* const kFrequencies =
    " Frequencies --  -1668.2293              3866.1598              3976.5311";

class NormalModes : public ::testing::Test {
protected:
    void SetUp() override { BondLimits::instance().ApplyBuiltIn(); }
};

TEST_F(NormalModes, EveryModeWithItsValuesOnItsGeometry) {
    GaussianOutputText out(GaussianOutputText::kBanner16);
    out.Orientation("Input", kWater);
    out.Orientation("Input", kWater); // the optimised geometry, the freq job's
    out.Line(" Harmonic frequencies (cm**-1), IR intensities (KM/Mole), Raman scattering");
    ThreeModes(out, 1, kFrequencies, kRows);
    out.Line(" - Thermochemistry -");
    auto mol = ReadText<CGauData>(out.Text());
    ASSERT_EQ(mol->frameCount, 2);
    EXPECT_TRUE(mol->GetFrame(0)->modes.empty());
    const std::vector<NormalMode>& modes = mol->GetFrame(1)->modes;
    ASSERT_EQ(modes.size(), 3u);
    EXPECT_EQ(modes[0].number, 1);
    EXPECT_EQ(modes[2].symmetry, "B2");
    EXPECT_DOUBLE_EQ(modes[0].frequency, -1668.2293); // imaginary stays negative
    EXPECT_DOUBLE_EQ(modes[1].reducedMass, 1.0458);
    EXPECT_DOUBLE_EQ(modes[2].forceConstant, 10.0711);
    EXPECT_DOUBLE_EQ(modes[0].irIntensity, 89.6988);
    EXPECT_TRUE(std::isnan(modes[0].ramanActivity)); // not printed
    ASSERT_EQ(modes[1].displacements.size(), 3u);
    EXPECT_DOUBLE_EQ(modes[1].displacements[1].y, 0.58);
    EXPECT_DOUBLE_EQ(modes[2].displacements[2].z, 0.44);
    // The first mode still fills dx, dy, dz of the frequency geometry.
    EXPECT_DOUBLE_EQ(mol->GetAtomCoord(1, 1, 4), 0.43);
}

// Gaussian prints the modes in the standard orientation; they are turned
// into the orientation of the geometry they are drawn on.
TEST_F(NormalModes, DisplacementsAreTurnedIntoTheDrawnOrientation) {
    // The standard orientation is the input one turned 90° about z:
    // (x, y, z) → (−y, x, z).
    std::vector<OrientationRow> turned;
    for (const OrientationRow& row : kWater)
        turned.push_back({row.atomicNumber, -row.y + 1.0, row.x - 2.0, row.z});
    GaussianOutputText out(GaussianOutputText::kBanner16);
    out.Orientation("Input", kWater);
    out.Orientation("Standard", turned);
    ThreeModes(out, 1, kFrequencies,
               {"     1   8     0.00   0.70   0.00     0.00   0.00   0.50    -0.30   0.00   0.00",
                kRows[1], kRows[2]});
    auto mol = ReadText<CGauData>(out.Text());
    const std::vector<NormalMode>& modes = mol->GetFrame(0)->modes;
    ASSERT_EQ(modes.size(), 3u);
    // Standard +y is input +x; standard −x is input +y; z stays.
    EXPECT_NEAR(modes[0].displacements[0].x, 0.70, 1e-9);
    EXPECT_NEAR(modes[0].displacements[0].y, 0.0, 1e-9);
    EXPECT_NEAR(modes[1].displacements[0].z, 0.50, 1e-9);
    EXPECT_NEAR(modes[2].displacements[0].y, 0.30, 1e-9);
    EXPECT_NEAR(mol->GetAtomCoord(0, 0, 3), 0.70, 1e-9); // the first mode's dx too

    // A standard table that is no rigid turn of the input (here sheared)
    // leaves the modes as printed.
    std::vector<OrientationRow> mirrored = kWater;
    for (OrientationRow& row : mirrored)
        row.x = -row.x + 0.3 * row.y;
    GaussianOutputText mirror(GaussianOutputText::kBanner16);
    mirror.Orientation("Input", kWater);
    mirror.Orientation("Standard", mirrored);
    ThreeModes(mirror, 1, kFrequencies, kRows);
    auto asPrinted = ReadText<CGauData>(mirror.Text());
    EXPECT_DOUBLE_EQ(asPrinted->GetFrame(0)->modes[1].displacements[1].y, 0.58);
}

TEST_F(NormalModes, HighPrecisionBlocksComeFirstAndWin) {
    GaussianOutputText out(GaussianOutputText::kBanner16);
    out.Orientation("Input", {{1, 0, 0, 0}, {1, 0, 0, 0.74}});
    out.Line("                           1");
    out.Line("                          SGG");
    out.Line("       Frequencies --- -1407.9574");
    out.Line("    Reduced masses ---     1.0078");
    out.Line("   Force constants ---     1.1771");
    out.Line("    IR Intensities ---     0.0000");
    out.Line("  Raman Activities ---   445.3520");
    out.Line("   Depolarizations ---     0.3333");
    out.Line(" Coord Atom Element:");
    out.Line("   1     1     1          0.00000");
    out.Line("   2     1     1          0.00000");
    out.Line("   3     1     1          0.70711");
    out.Line("   1     2     1          0.00000");
    out.Line("   2     2     1          0.00000");
    out.Line("   3     2     1         -0.70711");
    out.Line("                     1");
    out.Line("                    SGG");
    out.Line(" Frequencies -- -1407.9574");
    out.Line(" Raman Activ --   445.3520");
    out.Line(" Atom AN      X      Y      Z");
    out.Line("   1   1     0.00   0.00   0.71");
    out.Line("   2   1     0.00   0.00  -0.71");
    auto mol = ReadText<CGauData>(out.Text());
    const std::vector<NormalMode>& modes = mol->GetFrame(0)->modes;
    ASSERT_EQ(modes.size(), 1u);
    EXPECT_DOUBLE_EQ(modes[0].displacements[0].z, 0.70711);
    EXPECT_DOUBLE_EQ(modes[0].displacements[1].z, -0.70711);
    EXPECT_DOUBLE_EQ(modes[0].ramanActivity, 445.352);
    EXPECT_EQ(modes[0].symmetry, "SGG");
}

TEST_F(NormalModes, TwoFrequencyJobsEachOnItsOwnGeometry) {
    GaussianOutputText out(GaussianOutputText::kBanner16);
    out.Orientation("Input", kWater);
    ThreeModes(out, 1, kFrequencies, kRows);
    out.Line(" Normal termination of Gaussian 16");
    out.Orientation("Input", kWater);
    ThreeModes(out, 1, " Frequencies --   1600.0000              3800.0000              3900.0000",
               kRows);
    auto mol = ReadText<CGauData>(out.Text());
    ASSERT_EQ(mol->frameCount, 2);
    ASSERT_EQ(mol->GetFrame(0)->modes.size(), 3u);
    ASSERT_EQ(mol->GetFrame(1)->modes.size(), 3u);
    EXPECT_DOUBLE_EQ(mol->GetFrame(0)->modes[0].frequency, -1668.2293);
    EXPECT_DOUBLE_EQ(mol->GetFrame(1)->modes[0].frequency, 1600.0);
}

TEST_F(NormalModes, DamagedTablesKeepWhatIsComplete) {
    // A second block cut short by the end of the file: its modes are left
    // out, the first block's kept.
    GaussianOutputText cut(GaussianOutputText::kBanner16);
    cut.Orientation("Input", kWater);
    ThreeModes(cut, 1, kFrequencies, kRows);
    ThreeModes(cut, 4, kFrequencies, {kRows[0], kRows[1]});
    auto truncated = ReadText<CGauData>(cut.Text());
    ASSERT_EQ(truncated->GetFrame(0)->modes.size(), 3u);
    EXPECT_EQ(truncated->GetFrame(0)->modes[2].number, 3);

    // Fewer frequencies than modes, a row missing a column, a NaN: each
    // mode missing something is left out, the others kept.
    GaussianOutputText bad(GaussianOutputText::kBanner16);
    bad.Orientation("Input", kWater);
    ThreeModes(bad, 1, " Frequencies --   1668.2293              3866.1598", kRows);
    ThreeModes(bad, 4, kFrequencies,
               {kRows[0], "     2   1     0.00   0.43   0.56     0.00   0.58", kRows[2]});
    ThreeModes(bad, 7, kFrequencies,
               {kRows[0], kRows[1],
                "     3   1     0.00  -0.43   nan    -0.00  -0.58  -0.40     0.00   0.55   0.44"});
    auto damaged = ReadText<CGauData>(bad.Text());
    std::vector<int> numbers;
    for (const NormalMode& mode : damaged->GetFrame(0)->modes)
        numbers.push_back(mode.number);
    EXPECT_EQ(numbers, (std::vector<int>{1, 2, 4, 8, 9}));

    // A row printed twice leaves another row unread: the block is left out.
    GaussianOutputText twice(GaussianOutputText::kBanner16);
    twice.Orientation("Input", kWater);
    ThreeModes(twice, 1, kFrequencies, {kRows[0], kRows[0], kRows[2]});
    EXPECT_TRUE(ReadText<CGauData>(twice.Text())->GetFrame(0)->modes.empty());

    // High-precision values that fill their ten columns touch the one
    // before; each is still its own mode's.
    GaussianOutputText wide(GaussianOutputText::kBanner16);
    wide.Orientation("Input", {{1, 0, 0, 0}, {1, 0, 0, 0.74}});
    wide.Line("                           1         2");
    wide.Line("                          SGG       SGU");
    wide.Line("       Frequencies ---  4401.2345 4402.3456");
    wide.Line("  Raman Activities ---   445.352012345.6789");
    wide.Line(" Coord Atom Element:");
    for (const char* row : {"   1     1     1          0.00000   0.10000",
                            "   2     1     1          0.00000   0.20000",
                            "   3     1     1          0.70711   0.30000",
                            "   1     2     1          0.00000   0.40000",
                            "   2     2     1          0.00000   0.50000",
                            "   3     2     1         -0.70711   0.60000"})
        wide.Line(row);
    auto fields = ReadText<CGauData>(wide.Text());
    const std::vector<NormalMode>& hp = fields->GetFrame(0)->modes;
    ASSERT_EQ(hp.size(), 2u);
    EXPECT_DOUBLE_EQ(hp[0].ramanActivity, 445.352);
    EXPECT_DOUBLE_EQ(hp[1].ramanActivity, 12345.6789);
    EXPECT_DOUBLE_EQ(hp[1].displacements[1].y, 0.5);

    // Neither a header without rows nor a line of many numbers is a block.
    GaussianOutputText odd(GaussianOutputText::kBanner16);
    odd.Orientation("Input", kWater);
    odd.Line(" 1 2 3 4 5 6 7 8 9 10 11 12");
    odd.Line(" A A A");
    odd.Line(" Frequencies --   1 2 3 4 5 6 7 8 9 10 11 12");
    odd.Line(" Frequencies --   1 2 3");
    auto none = ReadText<CGauData>(odd.Text());
    EXPECT_TRUE(none->GetFrame(0)->modes.empty());
}

} // namespace
