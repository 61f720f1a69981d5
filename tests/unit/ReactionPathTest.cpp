// Scans and IRCs as paths: the shared outputs read on while their jobs write
// them give at each step the path a fresh reading gives, the point being
// computed not converged; a point a failed job did not reach; a 2-D scan's
// two coordinates; the coordinates Gaussian defines; two IRCs joined about
// their transition state, or not. The points of the shared files are checked
// against Gaussian's own summary tables in tests/cli/path_test.py.

#include "model/ReactionPath.h"
#include "formats/CGauData.h"
#include "model/BondLimits.h"
#include "model/CMolData.h"
#include "model/IrcJoin.h"
#include "model/ScanCoordinate.h"
#include "tests/support/GaussianOutputText.h"
#include "tests/unit/GrowingFile.h"
#include "tests/unit/ReadText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

const std::filesystem::path kGaussianDir = std::filesystem::path(RAVEK_TESTDATA_DIR) / "gaussian";

// printf's layout, as the tables print their numbers.
template <class... Values> std::string Format(const char* layout, Values... values) {
    char line[200];
    std::snprintf(line, sizeof line, layout, values...);
    return line;
}

std::string FileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const std::vector<OrientationRow> kWater = {
    {8, 0, 0, 0.12}, {1, 0, 0.76, -0.47}, {1, 0, -0.76, -0.47}};

// An IRC of water as Gaussian prints one: the transition state, then
// forward points, each a step with its energy and the point's lines.
GaussianOutputText IrcStart(const char* direction) {
    GaussianOutputText out(GaussianOutputText::kBanner16);
    out.Line(std::string(" Rxn path following direction = ") + direction);
    out.Orientation("Input", kWater);
    out.Line(" SCF Done:  E(RHF) =  -76.000000000     A.U. after   9 cycles");
    out.Line(" Point Number:   0          Path Number:   1");
    return out;
}

void IrcPoint(GaussianOutputText& out, int number, double energy, double coordinate) {
    out.Orientation("Input", kWater);
    out.Line(Format(" SCF Done:  E(RHF) =  %.9f     A.U. after   9 cycles", energy));
    out.Line(Format(" Point Number:  %2d          Path Number:   1", number));
    out.Line(Format("   NET REACTION COORDINATE UP TO THIS POINT =    %.5f", coordinate));
}

std::unique_ptr<CMolData> ReadGaussian(const std::string& text) {
    return ReadText<CGauData>(text);
}

} // namespace

TEST(ReactionPath, SharedScansAndIrcsGrowAsFreshReadingsWould) {
    if (!std::filesystem::is_directory(kGaussianDir / "irc"))
        GTEST_SKIP() << kGaussianDir << " is absent";
    BondLimits::instance().ApplyBuiltIn();
    for (const char* name :
         {"irc/oh_chloroform_irc_forward.log", "scan/g16_h2o2_dihedral_scan_wb97xd.out"}) {
        SCOPED_TRACE(name);
        const std::string text = FileText(kGaussianDir / name);
        std::vector<std::size_t> cuts;
        for (int k = 1; k <= 40; ++k)
            cuts.push_back(text.size() * static_cast<std::size_t>(k) / 40);
        bool sawOpen = false;
        ExpectGrowsLikeFreshReadings(text, cuts, [&](CMolData& model, std::size_t cut) {
            if (model.path.Empty())
                return;
            // Only a job still running has a last point not reached yet.
            const bool open = !model.path.points.back().converged;
            sawOpen = sawOpen || open;
            if (cut == text.size()) {
                EXPECT_FALSE(open);
            }
        });
        EXPECT_TRUE(sawOpen);
    }
}

TEST(ReactionPath, IrcPointsInOrderAndTheOneAFailedJobDidNotReach) {
    GaussianOutputText out = IrcStart("Reverse");
    IrcPoint(out, 1, -76.001, 0.1);
    IrcPoint(out, 2, -76.003, 0.2);
    // A third point begun: a step with its energy, then the job fails.
    out.Orientation("Input", kWater);
    out.Line(" SCF Done:  E(RHF) =  -76.004000000     A.U. after   9 cycles");
    out.Line(" Error termination via Lnk1e in /opt/g16/l123.exe");
    const auto model = ReadGaussian(out.Text());
    const ReactionPath& path = model->path;
    ASSERT_EQ(path.kind, ReactionPath::Kind::kIrc);
    ASSERT_EQ(path.points.size(), 4U);
    // A reverse job: the failed point first, then 2, 1 and the transition
    // state, the coordinates negative.
    EXPECT_FALSE(path.points[0].converged);
    EXPECT_EQ(path.points[0].number, 3);
    EXPECT_EQ(path.points[0].geometry, 3);
    EXPECT_TRUE(std::isnan(path.points[0].coordinate));
    EXPECT_EQ(path.points[1].number, 2);
    EXPECT_DOUBLE_EQ(path.points[1].coordinate, -0.2);
    EXPECT_DOUBLE_EQ(path.points[2].energy, -76.001);
    EXPECT_EQ(path.points[3].direction, 0);
    EXPECT_EQ(path.points[3].geometry, 0);
    EXPECT_EQ(path.Lowest(), 0);
    EXPECT_NEAR(path.Relative(3, ReactionPath::Unit::kKcalPerMol), 0.004 * 627.509474, 1e-9);

    // Ended normally, the last steps after the last point are no point.
    GaussianOutputText normal = IrcStart("Forward");
    IrcPoint(normal, 1, -76.001, 0.1);
    normal.Orientation("Input", kWater);
    normal.Line(" SCF Done:  E(RHF) =  -76.002000000     A.U. after   9 cycles");
    normal.Line(" Normal termination of Gaussian 16");
    EXPECT_EQ(ReadGaussian(normal.Text())->path.points.size(), 2U);

    // MP2's energy above the SCF energy is the point's.
    GaussianOutputText mp2 = IrcStart("Forward");
    mp2.Line(" E2 =    -0.2000000000D+00 EUMP2 =    -0.76200000000000D+02");
    IrcPoint(mp2, 1, -76.001, 0.1);
    const auto correlated = ReadGaussian(mp2.Text());
    EXPECT_DOUBLE_EQ(correlated->path.points[0].energy, -76.2);
    EXPECT_DOUBLE_EQ(correlated->path.points[1].energy, -76.001);
    // The step's own energy stays the SCF energy.
    EXPECT_DOUBLE_EQ(correlated->Frame(0).energy, -76.0);
}

TEST(ReactionPath, ATwoDimensionalScanHasBothCoordinatesAtEveryPoint) {
    GaussianOutputText out(GaussianOutputText::kBanner16);
    out.Line(" ! R1    R(1,2)                  0.96             Scan                 !");
    out.Line(" ! R2    R(1,3)                  0.96             Scan                 !");
    out.Line(" ! A1    A(2,1,3)              104.5            -DE/DX =    0.0        !");
    int point = 0;
    for (const double r1 : {0.9, 1.0}) {
        for (const double r2 : {0.9, 1.0}) {
            out.Orientation("Input", {{8, 0, 0, 0}, {1, r1, 0, 0}, {1, 0, r2, 0}});
            out.Line(" SCF Done:  E(RHF) =  -76.000000000     A.U. after   9 cycles");
            out.Line(Format(" Step number   1 out of a maximum of   20 on scan point"
                            "     %d out of     4",
                            ++point));
            out.Line("    Optimization completed.");
        }
    }
    out.Line(" Normal termination of Gaussian 16");
    const auto model = ReadGaussian(out.Text());
    const ReactionPath& path = model->path;
    ASSERT_EQ(path.kind, ReactionPath::Kind::kScan);
    ASSERT_EQ(path.coordinates.size(), 2U);
    EXPECT_EQ(path.coordinates[1].definition, "R(1,3)");
    EXPECT_EQ(path.plannedPoints, 4);
    ASSERT_EQ(path.points.size(), 4U);
    EXPECT_NEAR(path.points[2].values[0], 1.0, 1e-9);
    EXPECT_NEAR(path.points[2].values[1], 0.9, 1e-9);
    EXPECT_TRUE(std::all_of(path.points.begin(), path.points.end(),
                            [](const ReactionPath::Point& p) { return p.converged; }));
}

TEST(ReactionPath, CoordinatesAreDefinedAsGaussianNamesThem) {
    ScanCoordinate c;
    EXPECT_TRUE(c.Define("D(3,1,2,4)"));
    EXPECT_EQ(c.kind, ScanCoordinate::Kind::kDihedral);
    EXPECT_EQ(c.atoms, (std::vector<int>{2, 0, 1, 3}));
    EXPECT_TRUE(c.Define("A(1,2,3)"));
    EXPECT_EQ(c.kind, ScanCoordinate::Kind::kAngle);
    // Linear bends, wrong counts, atom 0 and stray text define nothing and
    // keep what was defined.
    for (const char* bad :
         {"L(1,2,3,0,-1)", "D(1,2,3)", "R(0,1)", "R(1,2", "R(1,2)x", "X(1,2)", "R(1,,2)", ""})
        EXPECT_FALSE(c.Define(bad)) << bad;
    EXPECT_EQ(c.definition, "A(1,2,3)");
    // A missing atom gives no value.
    const std::vector<Point3D> square = {{0, 0, 0}, {0.96, 0, 0}, {0, 0.96, 0}, {0.96, 0.96, 0}};
    using Kind = ScanCoordinate::Kind;
    const auto value = [](Kind kind, std::vector<int> atoms, const std::vector<Point3D>& at) {
        return ScanCoordinate{"", "", kind, std::move(atoms)}.ValueAmong(at);
    };
    EXPECT_TRUE(std::isnan(value(Kind::kDistance, {0, 8}, square)));
    EXPECT_NEAR(value(Kind::kAngle, {1, 0, 2}, square), 90.0, 1e-12);
    // Gaussian's sign: 3-1-2-4 of the square is 0; with atom 4 lifted out of
    // the plane, +90 (clockwise seen along 1→2).
    EXPECT_NEAR(value(Kind::kDihedral, {2, 0, 1, 3}, square), 0.0, 1e-9);
    EXPECT_NEAR(value(Kind::kDihedral, {2, 0, 1, 3}, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 0, 1}}),
                90.0, 1e-9);
    // Three atoms in a line: no dihedral.
    EXPECT_TRUE(std::isnan(
        value(Kind::kDihedral, {0, 1, 2, 3}, {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {2, 1, 0}})));
}

TEST(ReactionPath, TwoHalvesOfOneTransitionStateJoinAndOthersDoNot) {
    GaussianOutputText forward = IrcStart("Forward");
    IrcPoint(forward, 1, -76.001, 0.1);
    IrcPoint(forward, 2, -76.002, 0.2);
    GaussianOutputText reverse = IrcStart("Reverse");
    IrcPoint(reverse, 1, -76.003, 0.15);
    const auto f = ReadGaussian(forward.Text());
    const auto r = ReadGaussian(reverse.Text());
    ReactionPath joined;
    std::string why;
    ASSERT_TRUE(IrcJoin::Join(f->path, *f, r->path, *r, joined, why)) << why;
    ASSERT_EQ(joined.points.size(), 4U);
    EXPECT_DOUBLE_EQ(joined.points[0].coordinate, -0.15);
    EXPECT_EQ(joined.points[0].file, 1);
    EXPECT_EQ(joined.points[1].direction, 0);
    EXPECT_EQ(joined.points[1].file, 0);
    EXPECT_DOUBLE_EQ(joined.points[3].coordinate, 0.2);
    // Two forward halves, and a path that is no IRC, do not join.
    EXPECT_FALSE(IrcJoin::Join(f->path, *f, f->path, *f, joined, why));
    EXPECT_EQ(why, "both are the same half of the path");
    ReactionPath scan = f->path;
    scan.kind = ReactionPath::Kind::kScan;
    EXPECT_FALSE(IrcJoin::Join(scan, *f, r->path, *r, joined, why));
    // Another transition state: the hydrogen moved 0.1 Å.
    GaussianOutputText other(GaussianOutputText::kBanner16);
    other.Line(" Rxn path following direction = Reverse");
    other.Orientation("Input", {{8, 0, 0, 0.12}, {1, 0, 0.86, -0.47}, {1, 0, -0.76, -0.47}});
    other.Line(" SCF Done:  E(RHF) =  -76.000000000     A.U. after   9 cycles");
    other.Line(" Point Number:   0          Path Number:   1");
    IrcPoint(other, 1, -76.003, 0.15);
    const auto o = ReadGaussian(other.Text());
    EXPECT_FALSE(IrcJoin::Join(f->path, *f, o->path, *o, joined, why));
    EXPECT_EQ(why, "the transition states differ");
    // Rotated as a whole, the same transition state.
    GaussianOutputText turned(GaussianOutputText::kBanner16);
    turned.Line(" Rxn path following direction = Reverse");
    turned.Orientation("Input", {{8, 0.12, 0, 0}, {1, -0.47, 0, 0.76}, {1, -0.47, 0, -0.76}});
    turned.Line(" SCF Done:  E(RHF) =  -76.000000000     A.U. after   9 cycles");
    turned.Line(" Point Number:   0          Path Number:   1");
    IrcPoint(turned, 1, -76.003, 0.15);
    const auto t = ReadGaussian(turned.Text());
    EXPECT_TRUE(IrcJoin::Join(f->path, *f, t->path, *t, joined, why)) << why;
}
