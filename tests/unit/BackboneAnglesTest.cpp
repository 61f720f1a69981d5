// Backbone dihedral angles of PDB models and the plot data written from them.

#include "model/BackboneAngles.h"
#include "formats/CGauData.h"
#include "formats/CPDBData.h"
#include "formats/RamachandranWriter.h"
#include "model/BondLimits.h"
#include "tests/support/IdealBackbone.h"
#include "tests/unit/ReadText.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace {

using Vec3 = std::array<double, 3>;

// Atom k (0 N, 1 CA, 2 C, 3 O) of residue i (from 0) along a bent chain (no
// three backbone atoms on a line), as Peptide writes it.
Vec3 PeptideAtom(std::size_t i, int k) {
    const double base = 3.8 * static_cast<double>(i);
    const double wobble = (i % 2 == 0) ? 0.4 : -0.3;
    const Vec3 atoms[] = {{base, 0.0, wobble},
                          {base + 1.2, 1.0, 0.2},
                          {base + 2.5, 0.3, -0.4 * wobble},
                          {base + 2.7, -0.9, 0.5}};
    return atoms[k];
}

std::string AtomLine(int serial, const char* name, const std::string& residue, std::size_t number,
                     const Vec3& p) {
    char line[100];
    std::snprintf(line, sizeof line, "ATOM  %5d %-4s %-3s A%4zu    %8.3f%8.3f%8.3f  1.00  0.00\n",
                  serial, name, residue.c_str(), number, p[0], p[1], p[2]);
    return line;
}

// Residues of N, CA, C, O at PeptideAtom, numbered from 1.
std::string Peptide(const std::vector<std::string>& residues) {
    static const char* const names[] = {" N  ", " CA ", " C  ", " O  "};
    std::string text;
    int serial = 1;
    for (std::size_t i = 0; i < residues.size(); ++i) {
        for (int k = 0; k < 4; ++k)
            text += AtomLine(serial++, names[k], residues[i], i + 1, PeptideAtom(i, k));
    }
    return text;
}

// The dihedral p0-p1-p2-p3 in degrees, worked out here apart from the
// model's formula: the normals n1 = b1 × b2 and n2 = b2 × b3 of the two
// planes, the angle atan2((n1 × n2) · b2 / |b2|, n1 · n2).
double DihedralDegrees(const Vec3& p0, const Vec3& p1, const Vec3& p2, const Vec3& p3) {
    const auto sub = [](const Vec3& a, const Vec3& b) {
        return Vec3{a[0] - b[0], a[1] - b[1], a[2] - b[2]};
    };
    const auto cross = [](const Vec3& a, const Vec3& b) {
        return Vec3{a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2],
                    a[0] * b[1] - a[1] * b[0]};
    };
    const auto dot = [](const Vec3& a, const Vec3& b) {
        return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
    };
    const Vec3 b1 = sub(p1, p0), b2 = sub(p2, p1), b3 = sub(p3, p2);
    const Vec3 n1 = cross(b1, b2), n2 = cross(b2, b3);
    const double y = dot(cross(n1, n2), b2) / std::sqrt(dot(b2, b2));
    return std::atan2(y, dot(n1, n2)) * 180.0 / M_PI;
}

// The formula above against arrangements whose angle is known by
// construction: the middle bond along +x, the first atom on the +y side.
// Looking along the bond (+x) with +y up, +z lies to the right, so a last
// atom turned from +y towards +z is turned clockwise: a positive angle.
TEST(IndependentDihedral, GivesTheKnownAnglesOfHandMadeArrangements) {
    const Vec3 a{-0.5, 1.0, 0.0}, b{0.0, 0.0, 0.0}, c{1.5, 0.0, 0.0};
    const double s = std::sqrt(3.0) / 2.0;
    EXPECT_NEAR(DihedralDegrees(a, b, c, {2.0, 1.0, 0.0}), 0.0, 1e-12);              // cis
    EXPECT_NEAR(std::abs(DihedralDegrees(a, b, c, {2.0, -1.0, 0.0})), 180.0, 1e-12); // trans
    EXPECT_NEAR(DihedralDegrees(a, b, c, {2.0, 0.5, s}), 60.0, 1e-12);               // gauche +
    EXPECT_NEAR(DihedralDegrees(a, b, c, {2.0, 0.5, -s}), -60.0, 1e-12);             // gauche -
    EXPECT_NEAR(DihedralDegrees(a, b, c, {2.0, 0.0, 1.0}), 90.0, 1e-12);
    EXPECT_NEAR(DihedralDegrees(a, b, c, {2.0, -0.5, -s}), -120.0, 1e-12);
    // The bond lengths do not matter, the order of the atoms does not turn
    // the sign (d-c-b-a views the same turn from the other end).
    EXPECT_NEAR(DihedralDegrees({-2.0, 3.0, 0.0}, b, {0.4, 0.0, 0.0}, {9.0, 1.0, 2.0 * s}), 60.0,
                1e-12);
    EXPECT_NEAR(DihedralDegrees({2.0, 0.5, s}, c, b, a), 60.0, 1e-12);
}

class BackboneAngles : public ::testing::Test {
protected:
    void SetUp() override { BondLimits::instance().ApplyBuiltIn(); }
};

TEST_F(BackboneAngles, TripeptideGivesOnePairForItsMiddleResidue) {
    auto mol = ReadText<CPDBData>(Peptide({"ALA", "GLY", "SER"}));
    ASSERT_TRUE(ComputeBackboneAngles(*mol, 0));
    const auto& phi = mol->GetPhiAngles(0);
    ASSERT_EQ(phi.size(), 1u);
    // phi from C of ALA over GLY's N, CA, C; psi on to N of SER.
    EXPECT_NEAR(
        phi.at(0),
        DihedralDegrees(PeptideAtom(0, 2), PeptideAtom(1, 0), PeptideAtom(1, 1), PeptideAtom(1, 2)),
        1e-9);
    EXPECT_NEAR(
        mol->GetPsiAngles(0).at(0),
        DihedralDegrees(PeptideAtom(1, 0), PeptideAtom(1, 1), PeptideAtom(1, 2), PeptideAtom(2, 0)),
        1e-9);
    // The backbone list runs over all three residues.
    EXPECT_EQ(mol->GetBackboneAtoms(0),
              (std::map<int, int>{
                  {0, 0}, {1, 1}, {2, 2}, {3, 4}, {4, 5}, {5, 6}, {6, 8}, {7, 9}, {8, 10}}));
}

// A tripeptide built around its middle residue so that its angles are known
// without any formula: N at the origin, CA along +x, C of the first residue
// on the +y side; C of GLY straight down (-z) from CA's side gives phi -90°
// (looking along N→CA, +z is to the right of +y, -z to the left), and N of
// SER along +y from that C gives psi +90°.
TEST_F(BackboneAngles, BuiltGeometryGivesItsAngles) {
    struct Atom {
        const char* name;
        const char* residue;
        std::size_t number;
        Vec3 p;
    };
    const Atom atoms[] = {
        {" N  ", "ALA", 1, {-1.9, 1.6, 0.4}}, {" CA ", "ALA", 1, {-1.6, 2.4, -0.8}},
        {" C  ", "ALA", 1, {-0.5, 1.3, 0.0}}, {" O  ", "ALA", 1, {-1.3, 0.6, 1.1}},
        {" N  ", "GLY", 2, {0.0, 0.0, 0.0}},  {" CA ", "GLY", 2, {1.5, 0.0, 0.0}},
        {" C  ", "GLY", 2, {2.0, 0.0, -1.3}}, {" O  ", "GLY", 2, {1.4, -0.9, -2.0}},
        {" N  ", "SER", 3, {2.0, 1.3, -1.3}}, {" CA ", "SER", 3, {2.6, 2.3, -2.1}},
        {" C  ", "SER", 3, {3.9, 2.7, -1.5}}, {" O  ", "SER", 3, {4.6, 3.3, -2.3}},
    };
    std::string text;
    int serial = 1;
    for (const Atom& atom : atoms)
        text += AtomLine(serial++, atom.name, atom.residue, atom.number, atom.p);
    auto mol = ReadText<CPDBData>(text);
    ASSERT_TRUE(ComputeBackboneAngles(*mol, 0));
    ASSERT_EQ(mol->GetPhiAngles(0).size(), 1u);
    EXPECT_NEAR(mol->GetPhiAngles(0).at(0), -90.0, 1e-9);
    EXPECT_NEAR(mol->GetPsiAngles(0).at(0), 90.0, 1e-9);
}

TEST_F(BackboneAngles, FirstAndLastResiduesAndNonAminoAcidsAreNeverCentres) {
    auto five = ReadText<CPDBData>(Peptide({"ALA", "GLY", "SER", "LYS", "VAL"}));
    EXPECT_TRUE(ComputeBackboneAngles(*five, 0));
    EXPECT_EQ(five->GetPhiAngles(0).size(), 3u);
    EXPECT_EQ(five->GetBackboneAtoms(0).size(), 15u);

    // A water-named residue with backbone-named atoms: not a centre, but a
    // neighbour all the same.
    auto water = ReadText<CPDBData>(Peptide({"ALA", "GLY", "HOH", "SER", "VAL"}));
    ComputeBackboneAngles(*water, 0);
    EXPECT_EQ(water->GetPhiAngles(0).size(), 2u);
}

TEST_F(BackboneAngles, AlternateLocationsAndDoubledAtomsSpoilThreeWindows) {
    std::string text = Peptide({"ALA", "GLY", "SER", "LYS", "VAL", "THR", "ASP"});
    // Residue 4 (LYS): CA with an alternate location.
    const std::size_t at = text.find(" CA  LYS");
    text[at + 4] = 'A';
    auto alt = ReadText<CPDBData>(text);
    ComputeBackboneAngles(*alt, 0);
    EXPECT_EQ(alt->GetPhiAngles(0).size(), 2u); // 5 centres less SER, LYS, VAL

    std::string doubled = Peptide({"ALA", "GLY", "SER", "LYS", "VAL", "THR", "ASP"});
    doubled.replace(doubled.find(" O   LYS"), 4, " CA ");
    auto twice = ReadText<CPDBData>(doubled);
    ComputeBackboneAngles(*twice, 0);
    EXPECT_EQ(twice->GetPhiAngles(0).size(), 2u);
}

TEST_F(BackboneAngles, ComputedOncePerGeometry) {
    auto mol = ReadText<CPDBData>(Peptide({"ALA", "GLY", "SER", "LYS"}));
    EXPECT_TRUE(ComputeBackboneAngles(*mol, 0));
    const std::map<int, double> first = mol->GetPhiAngles(0);
    mol->SetAtomPosXYZ(0, 4, 50, 50, 50);
    EXPECT_TRUE(ComputeBackboneAngles(*mol, 0));
    EXPECT_EQ(mol->GetPhiAngles(0), first);

    auto none = ReadText<CPDBData>(Peptide({"HOH", "HOH", "HOH"}));
    EXPECT_FALSE(ComputeBackboneAngles(*none, 0));
    EXPECT_FALSE(ComputeBackboneAngles(*none, 0));
    EXPECT_TRUE(none->GetBackboneAtoms(0).empty());
}

// The plot data of an ensemble are those of the model shown, as the plot's.
TEST_F(BackboneAngles, PlotDataOfTheModelShown) {
    std::string text = "HEADER    TWO MODELS\n";
    for (const double phi : {-60.0, -120.0}) {
        std::string records = BackbonePdb(
            {{'A', IdealBackbone(std::vector<std::pair<double, double>>(4, {phi, 130.0}))}});
        records = records.substr(records.find('\n') + 1);
        text += "MODEL\n" + records.substr(0, records.rfind("END")) + "ENDMDL\n";
    }
    auto mol = ReadText<CPDBData>(text + "END\n");
    ASSERT_EQ(mol->frameCount, 2);
    TempDir dir;
    // The phi of each line written (coordinates in the file's three decimals
    // move the angles a little from the ideal ones).
    const auto written = [&](int g) {
        StdioFile out;
        EXPECT_TRUE(out.Open(dir.File("plot.rpd"), StdioFile::modeWrite));
        EXPECT_TRUE(WriteRamachandranData(*mol, g, &out));
        EXPECT_TRUE(out.Close());
        std::ifstream in(dir.File("plot.rpd"));
        std::vector<double> phis;
        double phi = 0.0, psi = 0.0;
        while (in >> phi >> psi)
            phis.push_back(phi);
        return phis;
    };
    const auto near = [](const std::vector<double>& phis, double expected) {
        return phis.size() == 2 && std::abs(phis[0] - expected) < 0.2 &&
               std::abs(phis[1] - expected) < 0.2;
    };
    EXPECT_TRUE(near(written(0), -60.0));
    EXPECT_TRUE(near(written(1), -120.0));
}

TEST_F(BackboneAngles, PlotDataLinesOfTwentyOneCharacters) {
    auto mol = ReadText<CPDBData>(Peptide({"ALA", "GLY", "SER", "LYS", "VAL"}));
    TempDir dir;
    StdioFile out;
    ASSERT_TRUE(out.Open(dir.File("plot.rpd"), StdioFile::modeWrite));
    WriteRamachandranData(*mol, mol->firstShownFrame, &out);
    ASSERT_TRUE(out.Close());
    std::ifstream in(dir.File("plot.rpd"));
    std::string line;
    int k = 0;
    while (std::getline(in, line)) {
        EXPECT_EQ(line.size(), 21u);
        // Residue k + 1 is the k-th centre.
        const std::size_t r = static_cast<std::size_t>(k) + 1;
        const double phi = DihedralDegrees(PeptideAtom(r - 1, 2), PeptideAtom(r, 0),
                                           PeptideAtom(r, 1), PeptideAtom(r, 2));
        const double psi = DihedralDegrees(PeptideAtom(r, 0), PeptideAtom(r, 1), PeptideAtom(r, 2),
                                           PeptideAtom(r + 1, 0));
        char expected[32];
        std::snprintf(expected, sizeof expected, "%10.5f %10.5f", phi, psi);
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
    ASSERT_TRUE(ComputeBackboneAngles(*mol, 0));
    EXPECT_EQ(mol->GetPhiAngles(0).size(), 3u);
    Vec3 movedN = PeptideAtom(3, 0);
    movedN[0] += 40.0;
    EXPECT_NEAR(mol->GetPsiAngles(0).at(1),
                DihedralDegrees(PeptideAtom(2, 0), PeptideAtom(2, 1), PeptideAtom(2, 2), movedN),
                1e-9);
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
    std::vector<double> phi, psi;
    for (std::size_t i = 1; i + 1 < residues.size(); ++i) {
        if (residues[i - 1].found != 7 || residues[i].found != 7 || residues[i + 1].found != 7)
            continue;
        phi.push_back(
            DihedralDegrees(residues[i - 1].c, residues[i].n, residues[i].ca, residues[i].c));
        psi.push_back(
            DihedralDegrees(residues[i].n, residues[i].ca, residues[i].c, residues[i + 1].n));
    }
    ASSERT_EQ(phi.size(), residues.size() - 2);

    StdioFile file;
    ASSERT_TRUE(file.Open(path, StdioFile::modeRead));
    const std::unique_ptr<CMolData> read = CPDBData::Read(&file, PdbOptions{});
    CMolData& mol = *read;
    ASSERT_TRUE(ComputeBackboneAngles(mol, 0));
    ASSERT_EQ(mol.GetPhiAngles(0).size(), phi.size());
    for (std::size_t k = 0; k < phi.size(); ++k) {
        EXPECT_NEAR(mol.GetPhiAngles(0).at(static_cast<int>(k)), phi[k], 1e-6)
            << "residue " << k + 1;
        EXPECT_NEAR(mol.GetPsiAngles(0).at(static_cast<int>(k)), psi[k], 1e-6)
            << "residue " << k + 1;
    }
}

TEST_F(BackboneAngles, GaussianModelsHaveNone) {
    auto mol = ReadText<CGauData>("#P HF\n\nt\n\n0 1\nN 0 0 0\nC 1.4 0 0\nC 2 1.4 0\n\n");
    EXPECT_FALSE(ComputeBackboneAngles(*mol, 0));
    EXPECT_TRUE(mol->GetPhiAngles(0).empty());
}

} // namespace
