// Reading Gaussian output files: geometry tables of every version, normal
// modes, and files that end early.

#include "formats/CGauData.h"
#include "formats/NoMoleculeReason.h"
#include "model/BondLimits.h"
#include "tests/support/GaussianOutputText.h"
#include "tests/unit/ReadText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include <clocale>

namespace {

using Rows = std::vector<OrientationRow>;

// Water at step `step` of a pretend optimisation: the O-H bonds shrink.
Rows Water(int step, double shift = 0.0) {
    const double d = 0.96 + 0.01 * step;
    return {{8, shift, 0.0, 0.0}, {1, shift + d, 0.0, 0.0}, {1, shift, d, 0.0}};
}

void ExpectAtom(CMolData& mol, int g, int a, const OrientationRow& row, const char* label) {
    SCOPED_TRACE(std::string("atom ") + label);
    EXPECT_EQ(mol.GetElement(g, a), row.atomicNumber);
    EXPECT_DOUBLE_EQ(mol.GetAtomCoord(g, a, 0), row.x);
    EXPECT_DOUBLE_EQ(mol.GetAtomCoord(g, a, 1), row.y);
    EXPECT_DOUBLE_EQ(mol.GetAtomCoord(g, a, 2), row.z);
    EXPECT_EQ(mol.GetLabel(g, a), label);
    EXPECT_EQ(mol.GetAtomDescription(g, a), label);
    EXPECT_EQ(mol.GetResidueName(g, a), "NON");
    EXPECT_EQ(mol.GetResidueIndex(g, a), 0);
}

class GaussianOutput : public ::testing::Test {
protected:
    void SetUp() override { BondLimits::instance().ApplyBuiltIn(); }
};

TEST_F(GaussianOutput, OptimisationKeepsInputOrientationsOnly) {
    GaussianOutputText out(GaussianOutputText::kBanner03);
    // A standard table before the first input table still counts; after it
    // standard tables are ignored.
    out.Orientation("Standard", Water(0, 50.0)).Filler(20);
    for (int step = 1; step <= 11; ++step)
        out.Orientation("Input", Water(step))
            .Filler(30)
            .Orientation("Standard", Water(step, 100.0));
    auto mol = ReadText<CGauData>(out.Text());
    EXPECT_EQ(mol->sourceKind, CMolData::SourceKind::kGaussian);
    EXPECT_EQ(mol->gaussianFileType, CMolData::GaussianFileType::kOutput);
    EXPECT_EQ(mol->gaussianVersion, 3);
    EXPECT_EQ(mol->vibrationState, CMolData::kVibrationNone);
    EXPECT_EQ(mol->inputGeometryType, 0);
    EXPECT_EQ(mol->frameCount, 12);
    EXPECT_EQ(mol->atomCount, 3);
    EXPECT_EQ(mol->firstShownFrame, 11);
    ExpectAtom(*mol, 0, 0, Water(0, 50.0)[0], "1O");
    for (int step = 1; step <= 11; ++step) {
        ExpectAtom(*mol, step, 1, Water(step)[1], "2H");
        ExpectAtom(*mol, step, 2, Water(step)[2], "3H");
    }
    // Bonds perceived in every geometry, centres of each.
    EXPECT_EQ(mol->GetBondCount(11, 0), 2);
    Point3D centre;
    centre = mol->GetCentre(11);
    EXPECT_DOUBLE_EQ(centre.x, Water(11)[1].x / 2);
}

TEST_F(GaussianOutput, StandardOnlyOutputsGiveOneGeometryPerTable) {
    for (const char* banner : {GaussianOutputText::kBanner98, GaussianOutputText::kBanner09,
                               GaussianOutputText::kBanner16}) {
        SCOPED_TRACE(banner);
        GaussianOutputText out(banner);
        for (int step = 0; step < 4; ++step)
            out.Orientation("Standard", Water(step)).Filler(10, static_cast<unsigned>(step));
        auto mol = ReadText<CGauData>(out.Text());
        EXPECT_EQ(mol->frameCount, 4);
        EXPECT_EQ(mol->atomCount, 3);
        ExpectAtom(*mol, 3, 1, Water(3)[1], "2H");
    }
    EXPECT_EQ(ReadText<CGauData>(GaussianOutputText(GaussianOutputText::kBanner09).Text())
                  ->gaussianVersion,
              9);
    EXPECT_EQ(ReadText<CGauData>(GaussianOutputText(GaussianOutputText::kBanner16).Text())
                  ->gaussianVersion,
              16);
}

TEST_F(GaussianOutput, Gaussian94ZMatrixOrientationHasFiveFieldRows) {
    GaussianOutputText out(GaussianOutputText::kBanner94);
    out.Orientation("Z-Matrix", Water(0), true)
        .Filler(5)
        .Orientation("Standard", Water(0, 9), true);
    out.Orientation("Z-Matrix", Water(1), true);
    auto mol = ReadText<CGauData>(out.Text());
    EXPECT_EQ(mol->gaussianVersion, 94);
    EXPECT_EQ(mol->frameCount, 2);
    ExpectAtom(*mol, 1, 0, Water(1)[0], "1O");
    ExpectAtom(*mol, 1, 2, Water(1)[2], "3H");
}

TEST_F(GaussianOutput, UnknownBannerTakesTheRowLayoutFromTheFirstRow) {
    for (bool five : {false, true}) {
        GaussianOutputText out("");
        out.Orientation("Input", Water(2), five).Orientation("Input", Water(3), five);
        auto mol = ReadText<CGauData>(out.Text());
        EXPECT_EQ(mol->gaussianVersion, 0);
        EXPECT_EQ(mol->frameCount, 2);
        ExpectAtom(*mol, 1, 1, Water(3)[1], "2H");
    }
}

TEST_F(GaussianOutput, FrequencyJobStoresTheFirstModeOfTheFirstTable) {
    const Rows mode = {{8, 0.0, 0.0, -0.07}, {1, 0.42, 0.0, 0.56}, {1, -0.42, 0.0, 0.56}};
    for (bool twoBlanks : {false, true}) {
        GaussianOutputText out(twoBlanks ? GaussianOutputText::kBanner16
                                         : GaussianOutputText::kBanner03);
        out.Orientation("Input", Water(0)).Filler(40).Modes(mode, twoBlanks).Filler(3);
        out.Modes({{8, 9, 9, 9}, {1, 9, 9, 9}, {1, 9, 9, 9}}, twoBlanks); // later modes: ignored
        auto mol = ReadText<CGauData>(out.Text());
        EXPECT_EQ(mol->vibrationState, CMolData::kVibrationPresent);
        EXPECT_GT(mol->vibrationPosition, 0);
        for (int a = 0; a < 3; ++a) {
            EXPECT_DOUBLE_EQ(mol->GetAtomCoord(0, a, 3), mode[a].x);
            EXPECT_DOUBLE_EQ(mol->GetAtomCoord(0, a, 5), mode[a].z);
        }
        EXPECT_NEAR(mol->GetDistance(0, 1, -1), 0.7, 1e-12);
    }
}

TEST_F(GaussianOutput, OptimisationThenFrequencyPutsTheModeOnTheFrequencyGeometry) {
    const Rows mode = {{8, 0.1, 0.2, 0.3}, {1, 0.4, 0.5, 0.6}, {1, 0.7, 0.8, 0.9}};
    GaussianOutputText out(GaussianOutputText::kBanner16);
    for (int step = 0; step < 3; ++step)
        out.Orientation("Input", Water(step)).Filler(10);
    out.Orientation("Input", Water(2)).Filler(10).Modes(mode, true); // the Link1 frequency job
    auto mol = ReadText<CGauData>(out.Text());
    ASSERT_EQ(mol->frameCount, 4);
    EXPECT_EQ(mol->vibrationState, CMolData::kVibrationPresent);
    EXPECT_DOUBLE_EQ(mol->GetAtomCoord(3, 2, 4), 0.8);
    for (int g = 0; g < 3; ++g)
        EXPECT_EQ(mol->GetDistance(g, 2, -1), 0.0);
}

TEST_F(GaussianOutput, EachGeometryHoldsTheRowsOfItsOwnTable) {
    // A Z-matrix orientation with a dummy centre, then a Link1 job's input
    // orientation without it: no atom is made up for the shorter table.
    GaussianOutputText out(GaussianOutputText::kBanner03);
    Rows bigger = Water(1);
    bigger.push_back({-1, 5, 5, 5});
    out.Orientation("Z-Matrix", bigger).Orientation("Input", Water(2));
    out.Orientation("Input", Water(3)).Line(" (Enter l101.exe)");
    out.Orientation("Input", {}); // a bare header: no geometry
    auto mol = ReadText<CGauData>(out.Text());
    ASSERT_EQ(mol->frameCount, 3);
    EXPECT_EQ(mol->AtomCount(0), 4);
    EXPECT_EQ(mol->AtomCount(1), 3);
    EXPECT_EQ(mol->AtomCount(2), 3);
    EXPECT_EQ(mol->atomCount, 4);
    EXPECT_EQ(mol->firstShownFrame, 2);
    ExpectAtom(*mol, 1, 2, Water(2)[2], "3H");
    // Atom 3 of the last geometry does not exist: it reads as nothing and
    // bonds to nothing.
    EXPECT_FALSE(mol->HasAtom(2, 3));
    EXPECT_EQ(mol->GetLabel(2, 3), "");
    // The water's two O-H bonds (0.99 Å; H-H 1.40 Å is beyond its limit),
    // and none to the atom that is not there.
    std::vector<std::vector<int>> bonded(3);
    for (int a = 0; a < 3; ++a) {
        for (int k = 0; k < mol->GetBondCount(2, a); ++k)
            bonded[static_cast<std::size_t>(a)].push_back(mol->GetBondedAtom(2, a, k));
        std::sort(bonded[static_cast<std::size_t>(a)].begin(),
                  bonded[static_cast<std::size_t>(a)].end());
    }
    EXPECT_EQ(bonded, (std::vector<std::vector<int>>{{1, 2}, {0}, {0}}));
}

TEST_F(GaussianOutput, RowsWithoutNumbersGiveNoAtomAndAreCounted) {
    GaussianOutputText out(GaussianOutputText::kBanner16);
    out.Orientation("Input", Water(0));
    std::string text = out.Text();
    // An atomic number beyond the integers, and a coordinate beyond the
    // doubles: two rows that hold no atom.
    const std::string second = "      2          1";
    text.replace(text.find(second), second.size(), "      2 2147483648");
    const std::size_t third = text.find("      3          1");
    text.replace(text.find("0.000000", third + 30), 8, "1.0e309 ");
    auto mol = ReadText<CGauData>(text);
    ASSERT_EQ(mol->atomCount, 1);
    EXPECT_EQ(mol->skippedLines, 2);
    ExpectAtom(*mol, 0, 0, Water(0)[0], "1O");
}

TEST_F(GaussianOutput, BareHeadersCostNothing) {
    // One table of 1,000 rows and then 10,000 orientation headers without
    // rows: one geometry, and memory for the rows there are.
    GaussianOutputText out(GaussianOutputText::kBanner09);
    Rows rows;
    for (int a = 0; a < 1000; ++a)
        rows.push_back({6, a * 1.5, 0, 0});
    out.Orientation("Input", rows);
    for (int k = 0; k < 10000; ++k)
        out.Orientation("Input", {});
    auto mol = ReadText<CGauData>(out.Text());
    EXPECT_EQ(mol->frameCount, 1);
    EXPECT_EQ(mol->atomCount, 1000);
    EXPECT_EQ(mol->GetFrame(0)->atoms.capacity(), 1000u);
}

TEST_F(GaussianOutput, LabelsAndElementsOutsideTheTable) {
    GaussianOutputText out(GaussianOutputText::kBanner16);
    // Translation vectors of periodic jobs carry atomic number -2.
    out.Orientation("Input", {{17, 0, 0, 0}, {-2, 1, 0, 0}, {200, 2, 0, 0}, {78, 3, 0, 0}});
    auto mol = ReadText<CGauData>(out.Text());
    EXPECT_EQ(mol->GetLabel(0, 0), "1CL");
    EXPECT_EQ(mol->GetElement(0, 1), 0);
    EXPECT_EQ(mol->GetLabel(0, 1), "2DU");
    EXPECT_EQ(mol->GetElement(0, 2), 0);
    EXPECT_EQ(mol->GetElement(0, 3), 78);
    EXPECT_EQ(mol->GetLabel(0, 3), "4PT");
}

TEST_F(GaussianOutput, ManyTablesAreAllRead) {
    GaussianOutputText out(GaussianOutputText::kBanner09);
    for (int step = 0; step < 1200; ++step)
        out.Orientation("Standard", {{6, step * 0.001, 0, 0}});
    auto mol = ReadText<CGauData>(out.Text());
    ASSERT_EQ(mol->frameCount, 1200);
    EXPECT_DOUBLE_EQ(mol->GetAtomCoord(1199, 0, 0), 1.199);
    EXPECT_EQ(mol->firstShownFrame, 1199);
}

TEST_F(GaussianOutput, RunningJobShowsItsLastCompleteGeometry) {
    GaussianOutputText out(GaussianOutputText::kBanner16);
    out.Orientation("Input", Water(0)).Orientation("Input", Water(1));
    const std::string complete = out.Text();
    out.Orientation("Input", Water(2));
    const std::string full = out.Text();
    const std::size_t lastTable = full.rfind("Input orientation:");
    // Cut the third table at every point from its title to its last row.
    const std::size_t lastRow = full.rfind("\n -----");
    for (std::size_t cut = lastTable; cut < lastRow; cut += 7) {
        auto mol = ReadText<CGauData>(full.substr(0, cut));
        ASSERT_EQ(mol->frameCount, 2) << "cut at " << cut;
        EXPECT_EQ(mol->firstShownFrame, 1);
        ExpectAtom(*mol, 1, 2, Water(1)[2], "3H");
    }
    // The table counts once its closing ruler is there.
    EXPECT_EQ(ReadText<CGauData>(full.substr(0, lastRow + 3))->frameCount, 2);
    EXPECT_EQ(ReadText<CGauData>(full.substr(0, lastRow + 40))->frameCount, 3);
    EXPECT_EQ(ReadText<CGauData>(complete)->frameCount, 2);
}

TEST_F(GaussianOutput, FileEndingInsideTheFirstTableHasNoGeometry) {
    GaussianOutputText out(GaussianOutputText::kBanner03);
    out.Orientation("Input", Water(0));
    const std::string text = out.Text();
    auto mol = ReadText<CGauData>(text.substr(0, text.rfind("\n -----")));
    EXPECT_EQ(mol->frameCount, 0);
    EXPECT_EQ(NoMoleculeReasonOf(*mol), NoMoleculeReason::kNoGeometry);
}

TEST_F(GaussianOutput, TruncatedModeTableLeavesTheMissingAtomsAtZero) {
    GaussianOutputText out(GaussianOutputText::kBanner03);
    out.Orientation("Input", Water(0)).Modes({{8, 0.1, 0.2, 0.3}, {1, 0.4, 0.5, 0.6}}, false);
    std::string text = out.Text();
    text.resize(text.size() - 50); // the second row ends mid-way
    auto mol = ReadText<CGauData>(text);
    EXPECT_DOUBLE_EQ(mol->GetAtomCoord(0, 0, 5), 0.3);
    EXPECT_EQ(mol->GetDistance(0, 2, -1), 0.0);
}

TEST_F(GaussianOutput, NoTableMeansNoGeometry) {
    GaussianOutputText out(GaussianOutputText::kBanner16);
    out.Filler(100).Line(" Error termination via Lnk1e");
    auto mol = ReadText<CGauData>(out.Text());
    EXPECT_EQ(mol->frameCount, 0);
    EXPECT_EQ(mol->atomCount, 0);
    EXPECT_EQ(NoMoleculeReasonOf(*mol), NoMoleculeReason::kNoGeometry);
    EXPECT_EQ(ReadText<CGauData>("")->frameCount, 0);
}

TEST_F(GaussianOutput, LongLinesAndWindowsLineEnds) {
    // A title of exactly 255 characters is read whole; one character more
    // and the marker is cut apart and the table is not seen. A 255-character
    // row is read whole too (its line end then reads as one more, empty,
    // line).
    for (int length : {255, 256}) {
        GaussianOutputText out(GaussianOutputText::kBanner03, "\r\n");
        out.Orientation("Input", Water(0));
        std::string text = out.Text();
        const std::size_t title = text.rfind('\n', text.find("Input orientation:")) + 1;
        const std::string marker = "Input orientation:";
        text.replace(title, text.find("\r\n", title) - title,
                     std::string(static_cast<std::size_t>(length) - marker.size(), ' ') + marker);
        const std::string row = " 2 1 0 0.970000 0.000000 0.000000";
        const std::size_t at = text.find("      2          1");
        text.replace(at, text.find("\r\n", at) - at, std::string(255 - row.size(), ' ') + row);
        auto mol = ReadText<CGauData>(text);
        if (length == 256) {
            EXPECT_EQ(mol->frameCount, 0);
            continue;
        }
        ASSERT_EQ(mol->frameCount, 1);
        EXPECT_DOUBLE_EQ(mol->GetAtomCoord(0, 1, 0), 0.97);
    }
}

TEST_F(GaussianOutput, NumbersReadTheSameUnderAGermanLocale) {
    GaussianOutputText out(GaussianOutputText::kBanner16);
    out.Orientation("Input", Water(5)).Modes(Water(5), true);
    const std::string text = out.Text();
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr)
        GTEST_SKIP() << "de_DE.UTF-8 locale not installed";
    auto mol = ReadText<CGauData>(text);
    std::setlocale(LC_ALL, saved.c_str());
    EXPECT_DOUBLE_EQ(mol->GetAtomCoord(0, 1, 0), 1.01);
    EXPECT_DOUBLE_EQ(mol->GetAtomCoord(0, 1, 3), 1.01);
}

// What each optimisation step prints after its geometry, and how the job
// ended.
TEST_F(GaussianOutput, StepEnergiesConvergenceAndTermination) {
    const std::vector<OrientationRow> water = {
        {8, 0, 0, 0.12}, {1, 0, 0.76, -0.47}, {1, 0, -0.76, -0.47}};
    GaussianOutputText out(GaussianOutputText::kBanner16);
    out.Orientation("Input", water);
    out.Line(" SCF Done:  E(RB3LYP) =  -76.3000000000     A.U. after   10 cycles");
    out.Line(" SCF Done:  E(RHF) =  -75.9000000000     A.U. after   8 cycles");
    out.Line(" ONIOM: extrapolated energy =    -76.4123456789");
    out.Line("         Item               Value     Threshold  Converged?");
    out.Line(" Maximum Force            ********     0.000450     NO ");
    out.Line(" RMS     Force            0.000200     0.000300     YES");
    out.Line(" Maximum Displacement     0.002000     0.001800     NO ");
    out.Line(" RMS     Displacement     0.000900     0.001200     YES");
    out.Line(" Predicted change in Energy=-1.893648D-02");
    out.Orientation("Input", water);
    out.Line(" Energy=    0.056789607184 NIter=   0.");
    out.Line(" Energy=    0.018000000000 NIter=  15.");
    out.Orientation("Input", water); // no number after it
    out.Line(" Normal termination of Gaussian 16 at Wed Apr  4 10:19:28 2018.");
    auto mol = ReadText<CGauData>(out.Text());
    ASSERT_EQ(mol->frameCount, 3);
    const CMolFrame& first = *mol->GetFrame(0);
    EXPECT_DOUBLE_EQ(first.energy, -76.4123456789); // the extrapolation, printed last
    EXPECT_TRUE(first.convergence.present[StepConvergence::kMaximumForce]);
    EXPECT_TRUE(std::isnan(first.convergence.value[StepConvergence::kMaximumForce]));
    EXPECT_DOUBLE_EQ(first.convergence.threshold[StepConvergence::kRmsDisplacement], 0.0012);
    EXPECT_TRUE(first.convergence.converged[StepConvergence::kRmsForce]);
    EXPECT_FALSE(first.convergence.AllConverged());
    EXPECT_DOUBLE_EQ(mol->GetFrame(1)->energy, 0.018);
    EXPECT_FALSE(mol->GetFrame(1)->convergence.Any());
    EXPECT_TRUE(std::isnan(mol->GetFrame(2)->energy)); // never 0
    EXPECT_EQ(mol->termination, CMolData::Termination::kNormal);

    // A second job after the termination line: running again; an error
    // termination last: error; a file cut inside a step's table: that step
    // is not there, its energy neither.
    GaussianOutputText link1 = out;
    link1.Orientation("Input", water);
    EXPECT_EQ(ReadText<CGauData>(link1.Text())->termination, CMolData::Termination::kRunning);
    link1.Line(" Error termination via Lnk1e in /opt/g16/l9999.exe");
    EXPECT_EQ(ReadText<CGauData>(link1.Text())->termination, CMolData::Termination::kError);
    GaussianOutputText partial(GaussianOutputText::kBanner16);
    partial.Orientation("Input", water);
    partial.Line(" SCF Done:  E(RB3LYP) =  -76.3000000000     A.U. after   10 cycles");
    std::string text = partial.Text();
    text += "                          Input orientation:\n"
            " ---------------------------------------------------------------------\n"
            " Center     Atomic      Atomic             Coordinates (Angstroms)\n";
    auto running = ReadText<CGauData>(text);
    ASSERT_EQ(running->frameCount, 1);
    EXPECT_DOUBLE_EQ(running->GetFrame(0)->energy, -76.3);
    EXPECT_EQ(running->termination, CMolData::Termination::kRunning);
    // Inputs are no job at all.
    EXPECT_EQ(ReadText<CGauData>("#P HF\n\nt\n\n0 1\nHe\n\n")->termination,
              CMolData::Termination::kNotAnOutput);
}

} // namespace
