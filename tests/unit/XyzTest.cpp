// XYZ files: frames read as geometries, and every geometry written back.

#include "formats/ReadMolecule.h"
#include "formats/XyzWriter.h"
#include "model/BondLimits.h"
#include "model/ResidueVisibility.h"
#include "tests/unit/ReadText.h"
#include "tests/unit/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

namespace {

MoleculeFile ReadXyzText(TempDir& dir, const std::string& text) {
    return ReadMoleculeFile(dir.Write("input.xyz", text), FileKind::kXyz, PdbOptions());
}

// Two steps of an optimisation as xtb and ORCA write them: symbols in any
// case or atomic numbers, columns after z, the energy in the comment.
TEST(XyzReader, FramesAreStepsWithTheirEnergies) {
    BondLimits::instance().ApplyBuiltIn();
    TempDir dir;
    const MoleculeFile read = ReadXyzText(dir, "3\n"
                                               " energy: -76.409123 gnorm: 0.02\n"
                                               "O   0.000000   0.000000   0.117000\n"
                                               "h   0.000000   0.757000  -0.468000 0.1\n"
                                               "1   0.000000  -0.757000  -0.468000\n"
                                               "\n"
                                               "3\r\n"
                                               "Coordinates from ORCA-job water E -76.5\r\n"
                                               "O 0 0 0.1\r\n"
                                               "H 0 0.76 -0.47\r\n"
                                               "H 0 -0.76 -0.47\r\n");
    ASSERT_EQ(read.status, MoleculeFile::Status::kMolecule);
    const CMolData& mol = *read.model;
    EXPECT_EQ(mol.sourceKind, CMolData::SourceKind::kXyz);
    ASSERT_EQ(mol.frameCount, 2);
    EXPECT_EQ(mol.firstShownFrame, 1); // the last step shown, as for an output
    EXPECT_EQ(mol.atomCount, 3);
    EXPECT_EQ(mol.GetElement(0, 0), 8);
    EXPECT_EQ(mol.GetElement(0, 1), 1);
    EXPECT_EQ(mol.GetElement(0, 2), 1);
    EXPECT_EQ(mol.GetLabel(0, 2), "3H");
    EXPECT_DOUBLE_EQ(mol.GetAtomCoord(0, 1, 1), 0.757);
    EXPECT_DOUBLE_EQ(mol.GetAtomCoord(1, 2, 2), -0.47);
    EXPECT_DOUBLE_EQ(mol.GetFrame(0)->energy, -76.409123);
    EXPECT_DOUBLE_EQ(mol.GetFrame(1)->energy, -76.5);
    // Bonds from distances: the oxygen holds both hydrogens.
    EXPECT_EQ(mol.GetBondCount(1, 0), 2);
    EXPECT_EQ(mol.skippedLines, 0);
}

// What a damaged or unfinished file gives: lines without a name and three
// numbers are skipped and counted; a frame the file ends inside (a
// trajectory still being written) is no geometry; a count line that is no
// number ends the reading with the frames before it; a huge count on a
// short file is a cut frame, not a huge allocation.
TEST(XyzReader, DamagedAndUnfinishedFiles) {
    TempDir dir;
    const MoleculeFile cut = ReadXyzText(dir, "2\n\nC12 0 0 0\nQq 1.5 x 0\n"
                                              "2\nx.out\tEnergy: -239902.0573559\n"
                                              "C 0 0 0\nN 1.1 0 0\n"
                                              "3\nthird, cut\nC 0 0 0\n");
    ASSERT_EQ(cut.status, MoleculeFile::Status::kMolecule);
    EXPECT_EQ(cut.model->frameCount, 2);
    EXPECT_EQ(cut.model->AtomCount(0), 1); // the line with "x" gave no atom
    EXPECT_EQ(cut.model->GetElement(0, 0), 6);
    EXPECT_EQ(cut.model->skippedLines, 1);
    // Open Babel's energy is in kcal/mol: not taken for hartree.
    EXPECT_TRUE(std::isnan(cut.model->GetFrame(1)->energy));

    const MoleculeFile ended = ReadXyzText(dir, "1\n\nXx 0 0 0\nnot a count\n1\n\nC 0 0 0\n");
    ASSERT_EQ(ended.status, MoleculeFile::Status::kMolecule);
    EXPECT_EQ(ended.model->frameCount, 1);
    EXPECT_EQ(ended.model->GetElement(0, 0), 0); // no element of that name

    // Lines longer than the line reader's pieces are read whole.
    const std::string longComment(5000, 'x');
    const MoleculeFile longLines = ReadXyzText(
        dir, "1\n" + longComment + "\nC 0 0 0 " + std::string(3000, '9') + "\n1\n\nN 1 2 3\n");
    ASSERT_EQ(longLines.status, MoleculeFile::Status::kMolecule);
    EXPECT_EQ(longLines.model->frameCount, 2);
    EXPECT_EQ(longLines.model->GetElement(1, 0), 7);

    const MoleculeFile huge = ReadXyzText(dir, "2000000000\n\nC 0 0 0\n");
    EXPECT_EQ(huge.status, MoleculeFile::Status::kNoMolecule);
    for (const char* empty : {"", "\n\n", "hello\n", "-3\n\nC 0 0 0\n"})
        EXPECT_EQ(ReadXyzText(dir, empty).status, MoleculeFile::Status::kNoMolecule) << empty;
}

std::string WrittenXyz(CMolData& mol, const ResidueVisibility* shown = nullptr) {
    TempDir dir;
    const std::string path = dir.File("out.xyz");
    EXPECT_TRUE(WriteFile(path, [&](StdioFile* f) { return WriteXyz(mol, f, nullptr, shown); }));
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Written and read again, a trajectory keeps its steps, elements, positions
// (six decimals) and energies; hidden atoms stay out; a coordinate that is
// not finite is refused, naming the atom.
TEST(XyzWriter, RoundTripAndRefusals) {
    TempDir dir;
    MoleculeFile read = ReadXyzText(dir, "2\nenergy -1.5 hartree\nCl 0.1234567 -2 3\nPt 1 1 1\n"
                                         "2\n\nCl 0 0 0\nPt 2.5 0 0\n");
    ASSERT_EQ(read.status, MoleculeFile::Status::kMolecule);
    CMolData& mol = *read.model;
    const std::string text = WrittenXyz(mol);
    EXPECT_EQ(text, "2\n"
                    "geometry 1 of 2, energy -1.50000000 hartree\n"
                    "Cl       0.123457      -2.000000       3.000000\n"
                    "Pt       1.000000       1.000000       1.000000\n"
                    "2\n"
                    "geometry 2 of 2\n"
                    "Cl       0.000000       0.000000       0.000000\n"
                    "Pt       2.500000       0.000000       0.000000\n");
    const MoleculeFile again = ReadXyzText(dir, text);
    ASSERT_EQ(again.status, MoleculeFile::Status::kMolecule);
    EXPECT_EQ(again.model->frameCount, 2);
    EXPECT_EQ(again.model->GetElement(1, 1), mol.GetElement(1, 1));
    EXPECT_DOUBLE_EQ(again.model->GetFrame(0)->energy, -1.5);
    EXPECT_NEAR(again.model->GetAtomCoord(0, 0, 0), 0.1234567, 5e-7);

    // Atoms of a hidden residue are left out of each geometry.
    CMolFrame& second = *mol.GetFrame(1);
    second.residueCount = 2;
    second.Atom(1).residueIndex = 1;
    const ResidueVisibility hideFirst({0}, ResidueVisibility::kHideSelected);
    EXPECT_NE(WrittenXyz(mol, &hideFirst).find("1\ngeometry 2 of 2\nPt"), std::string::npos);

    mol.SetAtomPosXYZ(1, 1, std::nan(""), 0, 0);
    StdioFile sink;
    ASSERT_TRUE(sink.Open(dir.File("refused.xyz"), StdioFile::modeWrite));
    std::string refusal;
    EXPECT_FALSE(WriteXyz(mol, &sink, &refusal));
    EXPECT_NE(refusal.find("atom 2"), std::string::npos) << refusal;
}

} // namespace
