// Backbone dihedral angles of PDB models and the plot data written from them.

#include "formats/CGauData.h"
#include "formats/CPDBData.h"
#include "model/BondLimits.h"
#include "model/CGraphAlgorithm.h"
#include "tests/unit/ReadText.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace {

// Residues of N, CA, C, O along a bent chain (no three backbone atoms on a
// line), numbered from 1.
std::string Peptide(const std::vector<std::string>& residues) {
    std::string text;
    int serial = 1;
    char line[100];
    for (std::size_t i = 0; i < residues.size(); ++i) {
        const double base = 3.8 * static_cast<double>(i);
        const double wobble = (i % 2 == 0) ? 0.4 : -0.3;
        const struct {
            const char* name;
            double x, y, z;
        } atoms[] = {{" N  ", base, 0.0, wobble},
                     {" CA ", base + 1.2, 1.0, 0.2},
                     {" C  ", base + 2.5, 0.3, -0.4 * wobble},
                     {" O  ", base + 2.7, -0.9, 0.5}};
        for (const auto& atom : atoms) {
            std::snprintf(line, sizeof line,
                          "ATOM  %5d %-4s %-3s A%4zu    %8.3f%8.3f%8.3f  1.00  0.00\n", serial++,
                          atom.name, residues[i].c_str(), i + 1, atom.x, atom.y, atom.z);
            text += line;
        }
    }
    return text;
}

class BackboneAngles : public ::testing::Test {
protected:
    void SetUp() override { BondLimits::instance().ApplyBuiltIn(); }
};

TEST_F(BackboneAngles, TripeptideGivesOnePairForItsMiddleResidue) {
    auto mol = ReadText<CPDBData>(Peptide({"ALA", "GLY", "SER"}));
    ASSERT_TRUE(mol->ComputeBackboneAngles(0));
    const auto& phi = *mol->GetPhiAngles(0);
    ASSERT_EQ(phi.size(), 1u);
    CGraphAlgorithm graph;
    CMolFrame& f = *mol->GetFrame(0);
    // phi from C of ALA (atom 2) over GLY's N, CA, C; psi on to N of SER (atom 8).
    EXPECT_DOUBLE_EQ(phi.at(0),
                     graph.Dihedral(f.Position(2), f.Position(4), f.Position(5), f.Position(6)));
    EXPECT_DOUBLE_EQ(mol->GetPsiAngles(0)->at(0),
                     graph.Dihedral(f.Position(4), f.Position(5), f.Position(6), f.Position(8)));
    // The backbone list runs over all three residues.
    EXPECT_EQ(*mol->GetBackboneAtoms(0),
              (std::map<int, int>{
                  {0, 0}, {1, 1}, {2, 2}, {3, 4}, {4, 5}, {5, 6}, {6, 8}, {7, 9}, {8, 10}}));
}

TEST_F(BackboneAngles, FirstAndLastResiduesAndNonAminoAcidsAreNeverCentres) {
    auto five = ReadText<CPDBData>(Peptide({"ALA", "GLY", "SER", "LYS", "VAL"}));
    EXPECT_TRUE(five->ComputeBackboneAngles(0));
    EXPECT_EQ(five->GetPhiAngles(0)->size(), 3u);
    EXPECT_EQ(five->GetBackboneAtoms(0)->size(), 15u);

    // A water-named residue with backbone-named atoms: not a centre, but a
    // neighbour all the same.
    auto water = ReadText<CPDBData>(Peptide({"ALA", "GLY", "HOH", "SER", "VAL"}));
    water->ComputeBackboneAngles(0);
    EXPECT_EQ(water->GetPhiAngles(0)->size(), 2u);
}

TEST_F(BackboneAngles, AlternateLocationsAndDoubledAtomsSpoilThreeWindows) {
    std::string text = Peptide({"ALA", "GLY", "SER", "LYS", "VAL", "THR", "ASP"});
    // Residue 4 (LYS): CA with an alternate location.
    const std::size_t at = text.find(" CA  LYS");
    text[at + 4] = 'A';
    auto alt = ReadText<CPDBData>(text);
    alt->ComputeBackboneAngles(0);
    EXPECT_EQ(alt->GetPhiAngles(0)->size(), 2u); // 5 centres less SER, LYS, VAL

    std::string doubled = Peptide({"ALA", "GLY", "SER", "LYS", "VAL", "THR", "ASP"});
    doubled.replace(doubled.find(" O   LYS"), 4, " CA ");
    auto twice = ReadText<CPDBData>(doubled);
    twice->ComputeBackboneAngles(0);
    EXPECT_EQ(twice->GetPhiAngles(0)->size(), 2u);
}

TEST_F(BackboneAngles, ComputedOncePerGeometry) {
    auto mol = ReadText<CPDBData>(Peptide({"ALA", "GLY", "SER", "LYS"}));
    EXPECT_TRUE(mol->ComputeBackboneAngles(0));
    const std::map<int, double> first = *mol->GetPhiAngles(0);
    mol->SetAtomPosXYZ(0, 4, 50, 50, 50);
    EXPECT_TRUE(mol->ComputeBackboneAngles(0));
    EXPECT_EQ(*mol->GetPhiAngles(0), first);

    auto none = ReadText<CPDBData>(Peptide({"HOH", "HOH", "HOH"}));
    EXPECT_FALSE(none->ComputeBackboneAngles(0));
    EXPECT_FALSE(none->ComputeBackboneAngles(0));
    EXPECT_TRUE(none->GetBackboneAtoms(0)->empty());
}

TEST_F(BackboneAngles, PlotDataLinesOfTwentyOneCharacters) {
    auto mol = ReadText<CPDBData>(Peptide({"ALA", "GLY", "SER", "LYS", "VAL"}));
    TempDir dir;
    StdioFile out;
    ASSERT_TRUE(out.Open(dir.File("plot.rpd"), StdioFile::modeWrite));
    mol->WriteRamachandranData(&out);
    ASSERT_TRUE(out.Close());
    std::ifstream in(dir.File("plot.rpd"));
    std::string line;
    int k = 0;
    while (std::getline(in, line)) {
        EXPECT_EQ(line.size(), 21u);
        char expected[32];
        std::snprintf(expected, sizeof expected, "%10.5f %10.5f", mol->GetPhiAngles(0)->at(k),
                      mol->GetPsiAngles(0)->at(k));
        EXPECT_EQ(line, expected);
        ++k;
    }
    EXPECT_EQ(k, 3);
}

TEST_F(BackboneAngles, ChainBreakDoesNotStopTheAnalysis) {
    std::string text = Peptide({"ALA", "GLY", "SER", "LYS", "VAL"});
    // Move the last two residues 40 Å away: psi of SER still uses N of LYS.
    std::string moved;
    std::istringstream lines(text);
    std::string line;
    int n = 0;
    while (std::getline(lines, line)) {
        if (n++ >= 12) {
            char x[16];
            std::snprintf(x, sizeof x, "%8.3f", std::stod(line.substr(30, 8)) + 40.0);
            line.replace(30, 8, x);
        }
        moved += line + "\n";
    }
    auto mol = ReadText<CPDBData>(moved);
    ASSERT_TRUE(mol->ComputeBackboneAngles(0));
    EXPECT_EQ(mol->GetPhiAngles(0)->size(), 3u);
    CGraphAlgorithm graph;
    CMolFrame& f = *mol->GetFrame(0);
    EXPECT_DOUBLE_EQ(mol->GetPsiAngles(0)->at(1),
                     graph.Dihedral(f.Position(8), f.Position(9), f.Position(10), f.Position(12)));
}

// phi and psi of a real protein against a reading of its own: N, CA and C
// picked from the records by name, the dihedral by the atan2 formula.
TEST_F(BackboneAngles, RealProteinMatchesAnIndependentCalculation) {
    const std::string path = std::string(RAVEK_TESTDATA_DIR) + "/pdb/1crn.pdb";
    std::ifstream in(path);
    if (!in)
        GTEST_SKIP() << path << " is absent";
    struct Backbone {
        std::array<double, 3> n{}, ca{}, c{};
        int found = 0;
    };
    std::vector<Backbone> residues;
    std::string line, lastKey;
    while (std::getline(in, line)) {
        if (line.rfind("ATOM", 0) != 0)
            continue;
        if (line.substr(17, 10) != lastKey)
            residues.emplace_back();
        lastKey = line.substr(17, 10);
        const std::string name = line.substr(12, 4);
        const std::array<double, 3> p = {std::stod(line.substr(30, 8)),
                                         std::stod(line.substr(38, 8)),
                                         std::stod(line.substr(46, 8))};
        Backbone& r = residues.back();
        if (name == " N  ")
            r.n = p, r.found |= 1;
        else if (name == " CA ")
            r.ca = p, r.found |= 2;
        else if (name == " C  ")
            r.c = p, r.found |= 4;
    }
    auto dihedral = [](const std::array<double, 3>& p0, const std::array<double, 3>& p1,
                       const std::array<double, 3>& p2, const std::array<double, 3>& p3) {
        auto sub = [](const std::array<double, 3>& a, const std::array<double, 3>& b) {
            return std::array<double, 3>{a[0] - b[0], a[1] - b[1], a[2] - b[2]};
        };
        auto cross = [](const std::array<double, 3>& a, const std::array<double, 3>& b) {
            return std::array<double, 3>{a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2],
                                         a[0] * b[1] - a[1] * b[0]};
        };
        auto dot = [](const std::array<double, 3>& a, const std::array<double, 3>& b) {
            return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
        };
        const auto b1 = sub(p1, p0), b2 = sub(p2, p1), b3 = sub(p3, p2);
        const auto n1 = cross(b1, b2), n2 = cross(b2, b3);
        const double y = dot(cross(n1, n2), b2) / std::sqrt(dot(b2, b2));
        return std::atan2(y, dot(n1, n2)) * 180.0 / M_PI;
    };
    std::vector<double> phi, psi;
    for (std::size_t i = 1; i + 1 < residues.size(); ++i) {
        if (residues[i - 1].found != 7 || residues[i].found != 7 || residues[i + 1].found != 7)
            continue;
        phi.push_back(dihedral(residues[i - 1].c, residues[i].n, residues[i].ca, residues[i].c));
        psi.push_back(dihedral(residues[i].n, residues[i].ca, residues[i].c, residues[i + 1].n));
    }
    ASSERT_EQ(phi.size(), residues.size() - 2);

    StdioFile file;
    ASSERT_TRUE(file.Open(path, StdioFile::modeRead));
    const PdbOptions options;
    CPDBData mol(&file, &options);
    ASSERT_TRUE(mol.ComputeBackboneAngles(0));
    ASSERT_EQ(mol.GetPhiAngles(0)->size(), phi.size());
    for (std::size_t k = 0; k < phi.size(); ++k) {
        EXPECT_NEAR(mol.GetPhiAngles(0)->at(static_cast<int>(k)), phi[k], 1e-6)
            << "residue " << k + 1;
        EXPECT_NEAR(mol.GetPsiAngles(0)->at(static_cast<int>(k)), psi[k], 1e-6)
            << "residue " << k + 1;
    }
}

TEST_F(BackboneAngles, GaussianModelsHaveNone) {
    auto mol = ReadText<CGauData>("#P HF\n\nt\n\n0 1\nN 0 0 0\nC 1.4 0 0\nC 2 1.4 0\n\n");
    EXPECT_FALSE(mol->ComputeBackboneAngles(0));
    EXPECT_TRUE(mol->GetPhiAngles(0)->empty());
}

} // namespace
