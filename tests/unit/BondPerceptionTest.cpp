// Bond perception: the strict limit, the 10-partner cut-off, the protein
// window, and the grid search against the plain pair scan.

#include "model/BondPerception.h"
#include "model/BondLimits.h"
#include "model/CMolFrame.h"
#include "model/ElementTable.h"
#include "tests/support/GeneratedMolecules.h"
#include "tests/support/PairScanBonds.h"
#include "tests/support/TestMolData.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

namespace {

std::vector<int> Bonds(const CMolFrame& frame, int a) {
    const MolAtom& atom = frame.Atom(a);
    return {atom.bonded, atom.bonded + atom.bondCount};
}

TEST(BondPerception, LimitIsStrictAndPerElementPair) {
    auto frame = MakeTestFrame({{"C", 0, 0, 0},
                                {"C", 1.726, 0, 0},
                                {"C", 0, 1.725, 0},
                                {"N", 0, 0, 1.6},
                                {"H", 0, 0, 2.82}});
    PerceiveFrameBonds(*frame, 0, BuiltInBondLimits());
    // C-C 1.726 Å: exactly at the limit, not bonded; 1.725 Å bonded.
    EXPECT_EQ(Bonds(*frame, 0), (std::vector<int>{2, 3}));
    EXPECT_EQ(Bonds(*frame, 1), std::vector<int>{});
    // N-H 1.22 Å is beyond the 1.21 Å limit.
    EXPECT_EQ(Bonds(*frame, 4), std::vector<int>{});

    auto nh = MakeTestFrame({{"N", 0, 0, 0}, {"H", 1.2, 0, 0}});
    PerceiveFrameBonds(*nh, 0, BuiltInBondLimits());
    EXPECT_EQ(Bonds(*nh, 0), std::vector<int>{1});
}

// Metal-ligand pairs: bonds at the lengths of real complexes, none at van der
// Waals contact (the sum of Bondi's radii less 0.1 Å; uranium-bromine comes
// closest: limit 3.56 Å, contact 3.61 Å).
TEST(BondPerception, MetalLigandBondsButNoContacts) {
    struct Radius {
        const char* symbol;
        double vanDerWaals;
    };
    const Radius metals[] = {{"LI", 1.82}, {"NA", 2.27}, {"K", 2.75},  {"MG", 1.73}, {"NI", 1.63},
                             {"CU", 1.40}, {"ZN", 1.39}, {"GA", 1.87}, {"PD", 1.63}, {"AG", 1.72},
                             {"CD", 1.58}, {"IN", 1.93}, {"SN", 2.17}, {"PT", 1.72}, {"AU", 1.66},
                             {"HG", 1.55}, {"TL", 1.96}, {"PB", 2.02}, {"U", 1.86},  {"SI", 2.10},
                             {"SE", 1.90}};
    const Radius ligands[] = {{"H", 1.20}, {"C", 1.70}, {"N", 1.55},  {"O", 1.52}, {"F", 1.47},
                              {"P", 1.80}, {"S", 1.80}, {"CL", 1.75}, {"BR", 1.85}};
    for (const Radius& m : metals) {
        for (const Radius& l : ligands) {
            const double contact = m.vanDerWaals + l.vanDerWaals - 0.1;
            auto frame = MakeTestFrame({{m.symbol, 0, 0, 0}, {l.symbol, contact, 0, 0}});
            PerceiveFrameBonds(*frame, 0, BuiltInBondLimits());
            EXPECT_EQ(frame->Atom(0).bondCount, 0) << m.symbol << "-" << l.symbol << " " << contact;
        }
    }
    // Bond lengths of real complexes (Å).
    const struct {
        const char* metal;
        const char* ligand;
        double length;
    } bonds[] = {{"FE", "CL", 2.29}, {"FE", "P", 2.48}, {"RU", "N", 2.22},  {"MO", "O", 2.30},
                 {"CU", "N", 2.40},  {"ZN", "O", 2.20}, {"PT", "CL", 2.32}, {"CO", "N", 2.18},
                 {"CA", "O", 2.60},  {"MN", "N", 2.40}, {"CU", "CU", 2.50}, {"SI", "C", 1.90}};
    for (const auto& bond : bonds) {
        auto frame = MakeTestFrame({{bond.metal, 0, 0, 0}, {bond.ligand, bond.length, 0, 0}});
        PerceiveFrameBonds(*frame, 0, BuiltInBondLimits());
        EXPECT_EQ(frame->Atom(0).bondCount, 1) << bond.metal << "-" << bond.ligand;
    }
    // Metal neighbours in salts and bridged complexes are not bonded: Cs-Cs
    // 4.12 Å in CsCl, K-K 4.45 Å in KCl, Na-Na 3.99 Å in NaCl, Ca-Ca 3.8 Å,
    // Ru···Ru 3.1 Å across two bridges, Fe···Fe 3.0 Å.
    const struct {
        const char* first;
        const char* second;
        double distance;
    } apart[] = {{"CS", "CS", 4.12}, {"K", "K", 4.45},  {"NA", "NA", 3.99},
                 {"CA", "CA", 3.8},  {"RU", "RU", 3.1}, {"FE", "FE", 3.0}};
    for (const auto& pair : apart) {
        auto frame = MakeTestFrame({{pair.first, 0, 0, 0}, {pair.second, pair.distance, 0, 0}});
        PerceiveFrameBonds(*frame, 0, BuiltInBondLimits());
        EXPECT_EQ(frame->Atom(0).bondCount, 0) << pair.first << "-" << pair.second;
    }
}

// A carboxylate bound by both oxygens: its carbon is no partner of the
// metal; the carbons of a ring bound side-on all are.
TEST(BondPerception, ChelateCarbonsDroppedRingCarbonsKept) {
    auto acetate = MakeTestFrame({{"PD", 0, 0, 0},
                                  {"O", 1.709, -1.077, 0},
                                  {"O", 1.709, 1.077, 0},
                                  {"C", 2.384, 0, 0},
                                  {"C", 3.873, 0, 0}});
    PerceiveFrameBonds(*acetate, 0, BuiltInBondLimits());
    EXPECT_EQ(Bonds(*acetate, 0), (std::vector<int>{1, 2}));
    EXPECT_EQ(Bonds(*acetate, 3), (std::vector<int>{1, 2, 4}));

    std::vector<TestAtom> ring{{"FE", 0, 0, 0}};
    for (int k = 0; k < 5; ++k) {
        const double angle = 2 * M_PI * k / 5;
        ring.push_back({"C", 1.2 * std::cos(angle), 1.2 * std::sin(angle), 1.65});
    }
    auto ferrocene = MakeTestFrame(ring);
    PerceiveFrameBonds(*ferrocene, 0, BuiltInBondLimits());
    EXPECT_EQ(Bonds(*ferrocene, 0), (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(ferrocene->Atom(1).bondCount, 3); // the metal and two ring neighbours

    // A limit from the element data file is taken as it stands.
    BondLimits file = BuiltInBondLimits();
    file.SetDistance(46, 6, 2.5);
    PerceiveFrameBonds(*acetate, 0, file);
    EXPECT_EQ(Bonds(*acetate, 0), (std::vector<int>{1, 2, 3}));
}

TEST(BondPerception, HydrogenBetweenTwoCarbonsBondsToBoth) {
    auto frame = MakeTestFrame({{"C", -1, 0, 0}, {"H", 0, 0, 0}, {"C", 1, 0, 0}});
    PerceiveFrameBonds(*frame, 0, BuiltInBondLimits());
    EXPECT_EQ(Bonds(*frame, 1), (std::vector<int>{0, 2}));
    EXPECT_EQ(Bonds(*frame, 0), std::vector<int>{1});
    EXPECT_EQ(Bonds(*frame, 2), std::vector<int>{1});
}

// A carbon inside an icosahedron of 12 hydrogens 1.2 Å away (1.26 Å from
// each other, too far to bond) keeps the first 10 found; the last two still
// list it.
TEST(BondPerception, TenPartnerCutOffIsOneSided) {
    const double phi = (1 + std::sqrt(5.0)) / 2;
    const double scale = 1.2 / std::sqrt(1 + phi * phi);
    std::vector<TestAtom> atoms{{"C", 0, 0, 0}};
    for (double s1 : {-1.0, 1.0}) {
        for (double s2 : {-1.0, 1.0}) {
            atoms.push_back({"H", 0, s1 * scale, s2 * phi * scale});
            atoms.push_back({"H", s1 * scale, s2 * phi * scale, 0});
            atoms.push_back({"H", s2 * phi * scale, 0, s1 * scale});
        }
    }
    auto frame = MakeTestFrame(atoms);
    PerceiveFrameBonds(*frame, 0, BuiltInBondLimits());
    EXPECT_EQ(Bonds(*frame, 0), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    for (int a = 1; a <= 12; ++a)
        EXPECT_EQ(Bonds(*frame, a), std::vector<int>{0}) << "hydrogen " << a;
}

// Protein mode pairs an atom with later atoms of its own residue and the
// atoms of the next residue only.
TEST(BondPerception, ProteinModeWindow) {
    // Residues 0..3; sulfurs 2.05 Å apart in residues 0 and 3 (a disulfide).
    auto frame = MakeTestFrame({{"C", 0, 0, 0, 0},
                                {"S", 0, 1.8, 0, 0},
                                {"C", 1.5, 0, 0, 1},
                                {"C", 3.0, 0, 0, 2},
                                {"S", 0, 3.85, 0, 3},
                                {"C", 1.5, 3.85, 0, 3}});
    PerceiveFrameBonds(*frame, 1, BuiltInBondLimits());
    EXPECT_EQ(Bonds(*frame, 1), std::vector<int>{0});
    EXPECT_EQ(Bonds(*frame, 4), std::vector<int>{5}); // no S-S in protein mode
    EXPECT_EQ(Bonds(*frame, 2), (std::vector<int>{0, 3}));

    PerceiveFrameBonds(*frame, 0, BuiltInBondLimits());
    EXPECT_EQ(Bonds(*frame, 1), (std::vector<int>{0, 4}));
    EXPECT_EQ(Bonds(*frame, 4), (std::vector<int>{1, 5}));
}

TEST(BondPerception, ProteinModeLastResidueAndMissingResidues) {
    // Residue 1 is the last: its atoms pair only among themselves.
    auto frame = MakeTestFrame({{"C", 0, 0, 0, 0}, {"C", 1.5, 0, 0, 1}, {"C", 3, 0, 0, 1}});
    PerceiveFrameBonds(*frame, 1, BuiltInBondLimits());
    EXPECT_EQ(Bonds(*frame, 1), (std::vector<int>{0, 2}));

    // A geometry without residues gets no bonds in protein mode.
    frame->residueCount = 0;
    frame->residueAtoms.clear();
    PerceiveFrameBonds(*frame, 1, BuiltInBondLimits());
    for (int a = 0; a < 3; ++a)
        EXPECT_EQ(frame->Atom(a).bondCount, 0);
}

TEST(BondPerception, OtherModesChangeNothingAndRerunsStartAfresh) {
    auto frame = MakeTestFrame({{"C", 0, 0, 0}, {"C", 1.5, 0, 0}});
    PerceiveFrameBonds(*frame, 0, BuiltInBondLimits());
    PerceiveFrameBonds(*frame, 0, BuiltInBondLimits());
    EXPECT_EQ(Bonds(*frame, 0), std::vector<int>{1});
    PerceiveFrameBonds(*frame, 2, BuiltInBondLimits());
    EXPECT_EQ(Bonds(*frame, 0), std::vector<int>{1});
    frame->Atom(1).x = 5.0;
    PerceiveFrameBonds(*frame, 0, BuiltInBondLimits());
    EXPECT_EQ(Bonds(*frame, 0), std::vector<int>{});
}

TEST(BondPerception, OddInputNeitherCrashesNorBonds) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    auto frame = MakeTestFrame({{"C", nan, 0, 0},
                                {"C", 0.5, 0, 0},
                                {"C", inf, 0, 0},
                                {"C", 1.2, 0, 0},
                                {"C", 1e300, 0, 0},
                                {"C", -1e300, 0, 0},
                                {"C", 1e300, 1, 0}});
    frame->Atom(3).element = 500; // no such element: taken as the dummy
    PerceiveFrameBonds(*frame, 0, BuiltInBondLimits());
    EXPECT_EQ(Bonds(*frame, 0), std::vector<int>{});
    EXPECT_EQ(Bonds(*frame, 1), std::vector<int>{3}); // DU-C default 1.7 Å
    EXPECT_EQ(Bonds(*frame, 2), std::vector<int>{});
    EXPECT_EQ(Bonds(*frame, 4), std::vector<int>{6});
    EXPECT_EQ(Bonds(*frame, 5), std::vector<int>{});
}

void ExpectSameBonds(const CMolFrame& grid, const CMolFrame& plain) {
    for (int a = 0; a < grid.atomCount; ++a) {
        ASSERT_EQ(Bonds(grid, a), Bonds(plain, a)) << "atom " << a;
    }
}

void CompareWithPairScan(const CMolFrame& source, const BondLimits& limits) {
    for (int mode : {0, 1}) {
        CMolFrame grid(source.atomCount), plain(source.atomCount);
        grid.CopyFrom(source);
        plain.CopyFrom(source);
        PerceiveFrameBonds(grid, mode, limits);
        PairScanBonds(plain, mode, limits);
        SCOPED_TRACE("mode " + std::to_string(mode));
        ExpectSameBonds(grid, plain);
    }
}

// Random clouds from sparse to so crowded that most atoms hit the cut-off.
TEST(BondPerception, GridEqualsPairScanOnRandomSets) {
    unsigned seed = 1;
    for (int atoms : {10, 57, 300, 1000, 5000}) {
        for (double density : {0.01, 0.1, 0.5, 3.0}) {
            SCOPED_TRACE(std::to_string(atoms) + " atoms, density " + std::to_string(density));
            CompareWithPairScan(*MakeRandomCloud(atoms, density, seed++), BuiltInBondLimits());
        }
    }
    // A chain with one huge residue: the protein window is long.
    auto chain = MakeProteinLike(3000, 7);
    for (int a = 0; a < chain->atomCount; ++a)
        chain->Atom(a).residueIndex = 0;
    chain->residueAtoms.clear();
    chain->residueAtoms[0].push_back(chain->atomCount - 1);
    chain->residueCount = 1;
    CompareWithPairScan(*chain, BuiltInBondLimits());
}

// Atoms piled on a few spots: every pair is in reach, and most atoms have
// their 10 partners long before the scan reaches them. The same bonds as the
// pair scan, and 100,000 atoms on one spot finish (the full scan would
// compare five billion pairs).
TEST(BondPerception, AtomsOnOneSpotCostTheirPartnerLimit) {
    std::vector<TestAtom> piled;
    for (int a = 0; a < 3000; ++a)
        piled.push_back({a % 3 == 0 ? "O" : "C", static_cast<double>(a % 2), 0.0, 0.0});
    CompareWithPairScan(*MakeTestFrame(piled), BuiltInBondLimits());

    std::vector<TestAtom> one(100000, TestAtom{"C", 5.0, 5.0, 5.0});
    one.push_back({"C", 50.0, 0.0, 0.0}); // a long window: the grid is used
    auto frame = MakeTestFrame(one);
    PerceiveFrameBonds(*frame, 0, BuiltInBondLimits());
    EXPECT_EQ(Bonds(*frame, 0), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(Bonds(*frame, 99999), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(Bonds(*frame, 100000), std::vector<int>{});
}

TEST(BondPerception, GridHandlesUnusualLimits) {
    auto cloud = MakeRandomCloud(800, 0.2, 99);
    BondLimits wide = BuiltInBondLimits();
    wide.SetDistance(6, 8, 4.5); // a long C-O limit widens every cell
    CompareWithPairScan(*cloud, wide);
    BondLimits none;
    for (int p = 0; p < ElementTable::kRowCount; ++p)
        for (int q = p; q < ElementTable::kRowCount; ++q)
            none.SetDistance(p, q, 0.0);
    CompareWithPairScan(*cloud, none);
    BondLimits endless = BuiltInBondLimits();
    endless.SetDistance(1, 1, std::numeric_limits<double>::infinity());
    CompareWithPairScan(*MakeRandomCloud(300, 0.2, 5), endless);
}

// Coordinates of ATOM and HETATM records from a real file, read here in a
// few lines (columns 31-54, element from columns 77-78, residues from the
// residue number changing) rather than through any reader of the program.
std::unique_ptr<CMolFrame> ReadPdbAtoms(const std::string& path) {
    std::ifstream in(path);
    std::vector<TestAtom> atoms;
    std::string line, lastResidue;
    int residue = -1;
    while (std::getline(in, line)) {
        if (line.rfind("ENDMDL", 0) == 0)
            break;
        if ((line.rfind("ATOM", 0) != 0 && line.rfind("HETATM", 0) != 0) || line.size() < 54)
            continue;
        std::string element = line.size() >= 78 ? line.substr(76, 2) : line.substr(12, 2);
        element.erase(0, element.find_first_not_of(' '));
        for (char& c : element)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        const std::string residueKey = line.substr(17, 10);
        if (residueKey != lastResidue)
            ++residue, lastResidue = residueKey;
        atoms.push_back({element, std::stod(line.substr(30, 8)), std::stod(line.substr(38, 8)),
                         std::stod(line.substr(46, 8)), residue});
    }
    return MakeTestFrame(atoms);
}

TEST(BondPerception, GridEqualsPairScanOnRealProteins) {
    const std::filesystem::path dir = std::filesystem::path(RAVEK_TESTDATA_DIR) / "pdb";
    if (!std::filesystem::is_directory(dir))
        GTEST_SKIP() << "test data folder " << dir << " is absent";
    for (const char* name : {"1crn.pdb", "1ubq.pdb", "2BEG.pdb", "1DRF.pdb", "d1h4vb1.ent"}) {
        SCOPED_TRACE(name);
        auto frame = ReadPdbAtoms((dir / name).string());
        ASSERT_GT(frame->atomCount, 300);
        CompareWithPairScan(*frame, BuiltInBondLimits());
        // Sanity: most atoms of a protein are bonded (waters and ions are not).
        PerceiveFrameBonds(*frame, 0, BuiltInBondLimits());
        int bonded = 0;
        for (const MolAtom& atom : frame->atoms)
            bonded += atom.bondCount > 0;
        EXPECT_GT(bonded, frame->atomCount * 3 / 4);
    }
}

TEST(BondPerception, ModelPerceivesEveryGeometry) {
    TestMolData mol({{"C", 0, 0, 0}, {"O", 1.2, 0, 0}});
    EXPECT_EQ(mol.PerceiveBonds(7), 0);
    EXPECT_EQ(mol.GetBondCount(0, 0), 0);
    BondLimits::instance().ApplyBuiltIn();
    EXPECT_NE(mol.PerceiveBonds(0), 0);
    EXPECT_EQ(mol.GetBondCount(0, 0), 1);
    EXPECT_EQ(mol.GetBondedAtom(0, 1, 0), 0);
}

} // namespace
