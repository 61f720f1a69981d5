// The favoured and allowed regions of the Ramachandran plot: where the
// reference distributions put the well-known conformations of each kind of
// residue, residues judged by their own kind, and real proteins.

#include "model/RamachandranRegions.h"
#include "formats/CMmcifData.h"
#include "formats/CPDBData.h"
#include "model/BackboneAngles.h"
#include "tests/support/IdealBackbone.h"
#include "tests/unit/ReadText.h"

#include <clipper/core/ramachandran.h>
#include <gtest/gtest.h>

#include <cmath>

#include <fstream>
#include <optional>
#include <set>

namespace {

using Kind = RamachandranRegions::Kind;
using Zone = RamachandranRegions::Zone;

Zone ZoneAt(Kind kind, double phi, double psi) {
    return RamachandranRegions::Of(kind).ZoneAt(phi, psi);
}

// The zone of each analysed residue by residue index.
std::map<int, Zone> Zones(CMolData& model) {
    ComputeBackboneAngles(model, 0);
    const CMolFrame& frame = *model.GetFrame(0);
    std::map<int, Zone> zones;
    for (const auto& [k, r] : frame.angleResidues)
        zones[r] = RamachandranRegions::ZoneOfResidue(frame, k);
    return zones;
}

} // namespace

TEST(RamachandranRegions, WellKnownConformationsLieWhereEachKindAllowsThem) {
    // The α-helix, β-strand and polyproline II regions are favoured for
    // every kind but proline.
    for (const Kind kind : {Kind::kGeneral, Kind::kGlycine, Kind::kPreProline, Kind::kIleVal}) {
        EXPECT_EQ(ZoneAt(kind, -63, -43), Zone::kFavoured) << static_cast<int>(kind);
        EXPECT_EQ(ZoneAt(kind, -120, 130), Zone::kFavoured) << static_cast<int>(kind);
        EXPECT_EQ(ZoneAt(kind, -65, 145), Zone::kFavoured) << static_cast<int>(kind);
    }
    // φ near 0 puts the carbonyl O onto the next residue's N: nothing has it.
    for (int k = 0; k < RamachandranRegions::kKindCount; ++k)
        EXPECT_EQ(ZoneAt(static_cast<Kind>(k), 0, 180), Zone::kOutlier) << k;
    // Glycine, without a side chain, has the mirror-image region of
    // positive φ to itself.
    EXPECT_EQ(ZoneAt(Kind::kGlycine, 100, -170), Zone::kFavoured);
    EXPECT_EQ(ZoneAt(Kind::kGeneral, 100, -170), Zone::kOutlier);
    EXPECT_EQ(ZoneAt(Kind::kGlycine, 80, 0), Zone::kFavoured);
    EXPECT_NE(ZoneAt(Kind::kGeneral, 80, 0), Zone::kFavoured);
    // Proline's ring holds φ near -65°: the helix and polyproline regions
    // only, not the extended strand or positive φ.
    EXPECT_EQ(ZoneAt(Kind::kProline, -63, -40), Zone::kFavoured);
    EXPECT_EQ(ZoneAt(Kind::kProline, -65, 145), Zone::kFavoured);
    EXPECT_EQ(ZoneAt(Kind::kProline, -140, 150), Zone::kOutlier);
    EXPECT_EQ(ZoneAt(Kind::kProline, 60, 45), Zone::kOutlier);
}

// The regions hold the shares of the reference residues they are defined
// by: the reference density itself (Clipper's tables, read here directly),
// summed over a grid twice as fine as the one the regions were made on,
// lies 98 % in the favoured region and 99.95 % (general case) or 99.8 %
// (the other kinds) in the favoured and allowed regions together.
TEST(RamachandranRegions, RegionsHoldTheirSharesOfTheReferenceDensity) {
    const std::pair<Kind, clipper::Ramachandran::TYPE> kinds[] = {
        {Kind::kGeneral, clipper::Ramachandran::NoGPIVpreP2},
        {Kind::kGlycine, clipper::Ramachandran::Gly2},
        {Kind::kProline, clipper::Ramachandran::Pro2},
        {Kind::kPreProline, clipper::Ramachandran::PrePro2},
        {Kind::kIleVal, clipper::Ramachandran::IleVal2}};
    constexpr double kRadian = 3.14159265358979323846 / 180.0;
    for (const auto& [kind, type] : kinds) {
        const clipper::Ramachandran density(type);
        double total = 0.0, favoured = 0.0, allowed = 0.0;
        for (int i = 0; i < 720; ++i) {
            for (int j = 0; j < 720; ++j) {
                const double phi = -180.0 + 0.5 * (i + 0.5), psi = -180.0 + 0.5 * (j + 0.5);
                const double p = density.probability(phi * kRadian, psi * kRadian);
                total += p;
                const Zone zone = ZoneAt(kind, phi, psi);
                favoured += zone == Zone::kFavoured ? p : 0.0;
                allowed += zone != Zone::kOutlier ? p : 0.0;
            }
        }
        const double allowedShare = kind == Kind::kGeneral ? 0.9995 : 0.998;
        EXPECT_NEAR(favoured / total, 0.98, 0.002) << static_cast<int>(kind);
        EXPECT_NEAR(allowed / total, allowedShare, 0.0002) << static_cast<int>(kind);
    }
}

TEST(RamachandranRegions, KindFollowsTheResidueAndTheOneAfterIt) {
    EXPECT_EQ(RamachandranRegions::KindOf("GLY", "PRO"), Kind::kGlycine);
    EXPECT_EQ(RamachandranRegions::KindOf("PRO", "PRO"), Kind::kProline);
    EXPECT_EQ(RamachandranRegions::KindOf("ALA", "PRO"), Kind::kPreProline);
    EXPECT_EQ(RamachandranRegions::KindOf("VAL", "PRO"), Kind::kPreProline);
    EXPECT_EQ(RamachandranRegions::KindOf("ILE", "ALA"), Kind::kIleVal);
    EXPECT_EQ(RamachandranRegions::KindOf("VAL", ""), Kind::kIleVal);
    EXPECT_EQ(RamachandranRegions::KindOf("SER", "GLY"), Kind::kGeneral);
}

// One backbone read twice, as alanine and as glycine: the middle residue's
// (100°, -170°) is an outlier for alanine and favoured for glycine, and the
// helical residues around it are favoured for both.
TEST(RamachandranRegions, ResiduesAreJudgedByTheirOwnKind) {
    const std::vector<BackboneResidue> backbone =
        IdealBackbone({{-60, -45}, {-60, -45}, {-60, -45}, {100, -170}, {-60, -45}, {-60, -45}});
    for (const char* name : {"ALA", "GLY"}) {
        auto model = ReadText<CPDBData>(BackbonePdb({{'A', backbone, name}}));
        const std::map<int, Zone> zones = Zones(*model);
        ASSERT_EQ(zones.size(), 4U) << name;
        for (const auto& [r, zone] : zones) {
            const Zone expected =
                r == 3 && name == std::string("ALA") ? Zone::kOutlier : Zone::kFavoured;
            EXPECT_EQ(zone, expected) << name << " residue " << r;
        }
    }
}

// The share of the analysed residues of a structure file that are
// favoured and that are outliers; none when the file is absent.
struct Shares {
    double favoured = 0.0, outliers = 0.0;
    std::size_t residues = 0;
};
template <class Reader> std::optional<Shares> SharesOf(const std::string& name) {
    const std::string path = std::string(RAVEK_TESTDATA_DIR) + name;
    if (!std::ifstream(path))
        return std::nullopt;
    auto model = ReadFile<Reader>(path);
    const std::map<int, Zone> zones = Zones(*model);
    Shares shares;
    shares.residues = zones.size();
    for (const auto& [r, zone] : zones) {
        shares.favoured += zone == Zone::kFavoured ? 1.0 / static_cast<double>(zones.size()) : 0.0;
        shares.outliers += zone == Zone::kOutlier ? 1.0 / static_cast<double>(zones.size()) : 0.0;
    }
    return shares;
}

// Angles measured across a break in the chain, from one chain to the next
// or over a gap, are marked as such; the others are not.
TEST(RamachandranRegions, AnglesAcrossChainBreaksAreMarked) {
    const std::vector<BackboneResidue> helix =
        IdealBackbone(std::vector<std::pair<double, double>>(12, {-57.8, -47.0}));
    // Chain A: residues 0-5; chain B: 6-11, its last three moved 5 Å off.
    std::vector<BackboneResidue> second(helix.begin() + 6, helix.end());
    for (std::size_t k = 3; k < second.size(); ++k) {
        for (Point3D* p : {&second[k].n, &second[k].ca, &second[k].c, &second[k].o})
            p->x += 5.0;
    }
    auto model = ReadText<CPDBData>(
        BackbonePdb({{'A', {helix.begin(), helix.begin() + 6}}, {'B', second, "ALA", 7}}));
    ASSERT_TRUE(ComputeBackboneAngles(*model, 0));
    const CMolFrame& frame = *model->GetFrame(0);
    std::set<int> broken;
    for (const int k : frame.anglesAcrossBreaks)
        broken.insert(frame.angleResidues.at(k));
    // The ends of A and B (5, 6) and the residues beside the gap (8, 9).
    EXPECT_EQ(broken, (std::set<int>{5, 6, 8, 9}));
    for (const auto& [k, r] : frame.angleResidues) {
        if (broken.count(r) == 0) {
            EXPECT_NEAR(frame.phiAngles.at(k), -57.8, 0.1) << r;
        }
    }
}

// Well-refined crystal structures (1.5 to 2 Å) have nearly all residues
// favoured and hardly any outliers; a structure at 4.35 Å has many.
TEST(RamachandranRegions, WellRefinedProteinsAreNearlyAllFavoured) {
    const std::optional<Shares> refined[] = {SharesOf<CPDBData>("/pdb/1ubq.pdb"),
                                             SharesOf<CPDBData>("/pdb/1crn.pdb"),
                                             SharesOf<CMmcifData>("/mmcif/1ake.cif.gz")};
    const std::optional<Shares> coarse = SharesOf<CPDBData>("/pdb/3G61.pdb");
    if (!coarse)
        GTEST_SKIP() << "shared test data not present";
    for (const std::optional<Shares>& shares : refined) {
        ASSERT_TRUE(shares);
        ASSERT_GT(shares->residues, 40U);
        EXPECT_GE(shares->favoured, 0.95);
        EXPECT_LE(shares->outliers, 0.01);
    }
    EXPECT_GE(coarse->outliers, 0.05);
}
