// Secondary structure of backbones of ideal geometry, read from PDB text:
// helices, both kinds of sheet, chain ends and alternate residues. (The
// assignment on real proteins is compared with mkdssp's by a test of the
// command-line program.)

#include "model/SecondaryStructure.h"
#include "formats/CPDBData.h"
#include "model/ResidueSummary.h"
#include "tests/support/IdealBackbone.h"
#include "tests/unit/ReadText.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

std::vector<std::pair<double, double>> Repeat(double phi, double psi, int count) {
    return std::vector<std::pair<double, double>>(static_cast<std::size_t>(count), {phi, psi});
}

// The codes of the residues analysed, one character each, "-" for none.
std::string Codes(const std::string& pdb) {
    auto model = ReadText<CPDBData>(pdb);
    const SecondaryStructure structure = SecondaryStructure::Assign(*model->GetFrame(0));
    std::string codes;
    for (const int r : structure.residues)
        codes += structure.Code(r) == ' ' ? '-' : structure.Code(r);
    return codes;
}

Point3D Unit(const Point3D& v) {
    return Scaled(v, 1.0 / Length(v));
}

// The direction across strand, square to its run (from the CA of residue
// first to that of last), on the side the C=O of residue at points to.
Point3D Across(const std::vector<BackboneResidue>& strand, int at, int first, int last) {
    const Point3D run = Unit(Minus(strand[static_cast<std::size_t>(last)].ca,
                                   strand[static_cast<std::size_t>(first)].ca));
    const BackboneResidue& r = strand[static_cast<std::size_t>(at)];
    const Point3D co = Minus(r.o, r.c);
    return Unit(Minus(co, Scaled(run, Dot(co, run))));
}

// The hydrogen bond energy of hand-placed N-H and C=O pairs, against the
// method's formula worked out by hand: 0.42 × 0.20 × 332 = 27.888 kcal Å/mol
// times 1/r(ON) + 1/r(CH) - 1/r(OH) - 1/r(CN). N at the origin, H 1 Å along
// x, the C=O (1.23 Å) along x beyond it: O at 2.9 Å gives -2.904; bent
// (O at (2.9, 0.8), C at (3.9, 1.5)) -2.390; O at 5.0 Å -0.538, still a bond,
// at 5.3 Å -0.451, none; the C=O turned round repels (+2.904); atoms on top
// of each other take the lowest energy, -9.9.
TEST(SecondaryStructure, HydrogenBondEnergyOfHandPlacedPairs) {
    const Point3D n{0.0, 0.0, 0.0}, h{1.0, 0.0, 0.0};
    const auto along = [&](double o) {
        return SecondaryStructure::HydrogenBondEnergy(n, h, {o + 1.23, 0.0, 0.0}, {o, 0.0, 0.0});
    };
    EXPECT_DOUBLE_EQ(along(2.9), -2.904);
    EXPECT_DOUBLE_EQ(SecondaryStructure::HydrogenBondEnergy(n, h, {3.9, 1.5, 0.0}, {2.9, 0.8, 0.0}),
                     -2.390);
    EXPECT_DOUBLE_EQ(along(5.0), -0.538);
    EXPECT_DOUBLE_EQ(along(5.3), -0.451);
    EXPECT_DOUBLE_EQ(
        SecondaryStructure::HydrogenBondEnergy(n, h, {2.9, 0.0, 0.0}, {4.13, 0.0, 0.0}), 2.904);
    EXPECT_DOUBLE_EQ(along(1.2), -9.9);
}

TEST(SecondaryStructure, AlphaHelixIsHelixFromItsSecondResidueToItsLastButOne) {
    EXPECT_EQ(Codes(BackbonePdb({{'A', IdealBackbone(Repeat(-57.8, -47.0, 14))}})),
              "-HHHHHHHHHHHH-");
    // The same helix cut into two chains: no turn crosses from one to the
    // other, so each half is a shorter helix of its own.
    const std::vector<BackboneResidue> helix = IdealBackbone(Repeat(-57.8, -47.0, 14));
    const std::string cut = Codes(BackbonePdb({{'A', {helix.begin(), helix.begin() + 7}},
                                               {'B', {helix.begin() + 7, helix.end()}, "ALA", 8}}));
    EXPECT_EQ(cut.substr(1, 5), "HHHHH") << cut;
    EXPECT_EQ(cut.substr(8, 5), "HHHHH") << cut;
    EXPECT_NE(cut[6], 'H') << cut;
    EXPECT_NE(cut[7], 'H') << cut;
    // A gap in the chain (the second half moved 3 Å away) ends it too.
    std::vector<BackboneResidue> gapped = helix;
    for (std::size_t k = 7; k < gapped.size(); ++k) {
        for (Point3D* p : {&gapped[k].n, &gapped[k].ca, &gapped[k].c, &gapped[k].o})
            p->z += 3.0;
    }
    const std::string apart = Codes(BackbonePdb({{'A', gapped}}));
    EXPECT_NE(apart[6], 'H') << apart;
    EXPECT_NE(apart[7], 'H') << apart;
}

TEST(SecondaryStructure, ThreeTenAndPiHelices) {
    // A 3₁₀-helix (φ −49°, ψ −26°) bonds each C=O to the N-H three on.
    const std::string threeTen = Codes(BackbonePdb({{'A', IdealBackbone(Repeat(-49, -26, 10))}}));
    EXPECT_EQ(threeTen.substr(1, 8), "GGGGGGGG") << threeTen;
    // A π-helix (φ −57°, ψ −70°) bonds five on.
    const std::string pi = Codes(BackbonePdb({{'A', IdealBackbone(Repeat(-57, -70, 12))}}));
    EXPECT_NE(pi.find("IIIII"), std::string::npos) << pi;
}

TEST(SecondaryStructure, AntiparallelAndParallelStrandsFormASheet) {
    // Antiparallel: the strand and its copy turned half a turn about an axis
    // square to the sheet, 2.7 Å out from a CA (N–O 2.8 Å across).
    const std::vector<BackboneResidue> strand = IdealBackbone(Repeat(-139, 135, 8));
    const Point3D across = Across(strand, 3, 0, 7);
    const Point3D run = Unit(Minus(strand[7].ca, strand[0].ca));
    const std::vector<BackboneResidue> partner =
        HalfTurn(strand, Plus(strand[3].ca, Scaled(across, 2.7)), Unit(Cross(run, across)));
    const std::string antiparallel = Codes(BackbonePdb({{'A', strand}, {'B', partner}}));
    EXPECT_EQ(antiparallel.substr(1, 5), "EEEEE") << antiparallel;
    EXPECT_EQ(antiparallel.substr(9, 5), "EEEEE") << antiparallel;

    // Parallel: the copy moved 4.7 Å across, its residue i beside residue i.
    const std::vector<BackboneResidue> flatter = IdealBackbone(Repeat(-119, 113, 10));
    const Point3D shift = Scaled(Across(flatter, 4, 1, 9), -4.7);
    std::vector<BackboneResidue> beside = flatter;
    for (BackboneResidue& r : beside) {
        for (Point3D* p : {&r.n, &r.ca, &r.c, &r.o})
            *p = Plus(*p, shift);
    }
    const std::string parallel = Codes(BackbonePdb({{'A', flatter}, {'B', beside}}));
    EXPECT_NE(parallel.substr(0, 10).find("EEEE"), std::string::npos) << parallel;
    EXPECT_NE(parallel.substr(10).find("EEEE"), std::string::npos) << parallel;
    // Twice as far apart, the strands form no sheet.
    for (BackboneResidue& r : beside) {
        for (Point3D* p : {&r.n, &r.ca, &r.c, &r.o})
            *p = Plus(*p, shift);
    }
    const std::string apart = Codes(BackbonePdb({{'A', flatter}, {'B', beside}}));
    EXPECT_EQ(apart.find_first_of("EB"), std::string::npos) << apart;
}

TEST(SecondaryStructure, ResiduesWithoutAWholeBackboneOrAtTheSamePlaceAreLeftOut) {
    const std::vector<BackboneResidue> helix = IdealBackbone(Repeat(-57.8, -47.0, 12));
    std::string pdb = BackbonePdb({{'A', helix}});
    // A water, a residue without its O and a second residue type at the
    // place of residue 12 (another alternate location).
    pdb.insert(pdb.find("TER"),
               "ATOM    100  N  BGLY A  12      50.000  50.000  50.000  0.50 20.00           N\n"
               "ATOM    101  CA BGLY A  12      51.000  50.000  50.000  0.50 20.00           C\n"
               "ATOM    102  C  BGLY A  12      52.000  50.000  50.000  0.50 20.00           C\n"
               "ATOM    103  O  BGLY A  12      53.000  50.000  50.000  0.50 20.00           O\n"
               "HETATM  104  O   HOH A 201      60.000  60.000  60.000  1.00 30.00           O\n"
               "ATOM    105  N   GLY A 202      70.000  70.000  70.000  1.00 30.00           N\n"
               "ATOM    106  CA  GLY A 202      71.000  70.000  70.000  1.00 30.00           C\n"
               "ATOM    107  C   GLY A 202      72.000  70.000  70.000  1.00 30.00           C\n");
    auto model = ReadText<CPDBData>(pdb);
    const CMolFrame& frame = *model->GetFrame(0);
    const SecondaryStructure structure = SecondaryStructure::Assign(frame);
    ASSERT_EQ(structure.residues.size(), 12U);
    EXPECT_EQ(structure.residues.back(), 11);
    EXPECT_EQ(frame.residueCount, 15);
    for (const int r : {12, 13, 14})
        EXPECT_FALSE(structure.Analysed(r)) << r;
    EXPECT_EQ(structure.Code(5), 'H');
}

// A HELIX or SHEET record in its fixed columns.
std::string Record(bool helix, char chain, int first, char firstInsertion, int last,
                   char lastInsertion, int helixClass = 1) {
    char line[100];
    if (helix)
        std::snprintf(line, sizeof line, "HELIX  %3d %3d ALA %c %4d%c ALA %c %4d%c%2d\n", 1, 1,
                      chain, first, firstInsertion, chain, last, lastInsertion, helixClass);
    else
        std::snprintf(line, sizeof line, "SHEET  %3d %3s 2 ALA %c%4d%c ALA %c%4d%c  0\n", 1, "S1",
                      chain, first, firstInsertion, chain, last, lastInsertion);
    return line;
}

// The file's own records mark their residues, from the first to the last
// they name (insertion codes included), each with its kind; a record that
// names a residue not in the file marks nothing. Either source can be
// shown.
TEST(SecondaryStructure, FileRecordsMarkTheResiduesTheyName) {
    std::string pdb = BackbonePdb({{'A', IdealBackbone(Repeat(-57.8, -47.0, 12))}});
    // Residue 6 is written as 5A: the chain reads 1 2 3 4 5 5A 7 ...
    const std::size_t six = pdb.find("ALA A   6 ");
    ASSERT_NE(six, std::string::npos);
    for (std::size_t at = pdb.find("ALA A   6 "); at != std::string::npos;
         at = pdb.find("ALA A   6 ", at))
        pdb.replace(at, 10, "ALA A   5A");
    pdb = Record(true, 'A', 2, ' ', 5, 'A', 5) + Record(false, 'A', 8, ' ', 10, ' ') +
          Record(true, 'A', 11, ' ', 50, ' ') + Record(true, 'B', 1, ' ', 3, ' ') + pdb;
    auto model = ReadText<CPDBData>(pdb);
    ASSERT_EQ(model->secondaryRecords.size(), 4U);
    EXPECT_EQ(model->secondaryRecords[0].code, 'G');
    EXPECT_EQ(model->secondaryRecords[0].lastInsertion, "A");
    const CMolFrame& frame = *model->GetFrame(0);
    const auto text = [](const std::vector<char>& codes) {
        std::string written;
        for (const char c : codes)
            written += c == ' ' ? '-' : c == 0 ? '.' : c;
        return written;
    };
    EXPECT_EQ(text(frame.fileSecondary), "-GGGGG-EEE--");
    EXPECT_EQ(text(frame.assignedSecondary), "-HHHHHHHHHH-");
    EXPECT_EQ(&frame.Secondary(false), &frame.assignedSecondary);
    EXPECT_EQ(&frame.Secondary(true), &frame.fileSecondary);
    // Without records, asking for the file's gives the assigned codes.
    auto plain = ReadText<CPDBData>(BackbonePdb({{'A', IdealBackbone(Repeat(-57.8, -47.0, 12))}}));
    EXPECT_TRUE(plain->secondaryRecords.empty());
    EXPECT_EQ(text(plain->GetFrame(0)->Secondary(true)), "-HHHHHHHHHH-");
}

} // namespace
