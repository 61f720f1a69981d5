// Reading PDB files: elements and labels from the atom-name columns,
// residues, overflowed residue numbers, CONECT records and odd layouts.

#include "formats/CPDBData.h"
#include "formats/NoMoleculeReason.h"
#include "model/BondLimits.h"
#include "tests/unit/ReadText.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>

namespace {

struct PdbAtom {
    const char* name; // columns 13-16 exactly, e.g. " CA ", "CA  ", "HG21"
    const char* residue;
    int number;
    double x, y, z;
    char chain = 'A';
    char altLoc = ' ';
    char insertion = ' ';
    const char* record = "ATOM";
};

// One record in the published column layout.
std::string Record(int serial, const PdbAtom& a) {
    char line[100];
    std::snprintf(line, sizeof line, "%-6s%5d %-4s%c%-3s %c%4d%c   %8.3f%8.3f%8.3f  1.00  0.00\n",
                  a.record, serial, a.name, a.altLoc, a.residue, a.chain, a.number, a.insertion,
                  a.x, a.y, a.z);
    return line;
}

std::string Records(const std::vector<PdbAtom>& atoms, int firstSerial = 1) {
    std::string text;
    for (std::size_t i = 0; i < atoms.size(); ++i)
        text += Record(firstSerial + static_cast<int>(i), atoms[i]);
    return text;
}

class PdbReader : public ::testing::Test {
protected:
    void SetUp() override { BondLimits::instance().ApplyBuiltIn(); }
};

TEST_F(PdbReader, HeaderValuesAndOneGeometry) {
    auto mol = ReadText<CPDBData>(
        "HEADER    TEST\nREMARK 1\n" +
        Records({{" N  ", "ALA", 1, 0, 0, 0}, {" CA ", "ALA", 1, 1.46, 0, 0}}) + "TER\nEND\n");
    EXPECT_EQ(mol->sourceKind, CMolData::SourceKind::kPdb);
    EXPECT_EQ(mol->gaussianFileType, CMolData::GaussianFileType::kPdb);
    EXPECT_EQ(mol->gaussianVersion, 0);
    EXPECT_EQ(mol->vibrationState, CMolData::kVibrationNone);
    EXPECT_EQ(mol->inputGeometryType, CMolData::kGeometryCartesian);
    EXPECT_EQ(mol->frameCount, 1);
    EXPECT_EQ(mol->atomCount, 2);
    EXPECT_EQ(mol->firstShownFrame, 0);
    EXPECT_EQ(mol->bondsFromFile, 0);
    EXPECT_EQ(mol->GetBondCount(0, 0), 1);
    EXPECT_DOUBLE_EQ(mol->GetCentre(0).x, 0.73);
}

TEST_F(PdbReader, ElementsAndLabelsFromTheNameColumns) {
    auto mol = ReadText<CPDBData>(Records({
        {" CA ", "ALA", 1, 0, 0, 0},                         // alpha carbon: C
        {"CA  ", "CA", 2, 5, 0, 0, 'A', ' ', ' ', "HETATM"}, // calcium ion
        {"1HB ", "ALA", 1, 0, 1, 0},                         // hydrogen, label HB1
        {"HG21", "THR", 3, 0, 2, 0},                         // H in column 13
        {" NE2", "GLN", 4, 0, 3, 0},
        {" SG ", "CYS", 5, 0, 4, 0},
        {" BR ", "BRX", 6, 0, 5, 0}, // B comes before BR
        {"BR  ", "BRX", 6, 0, 6, 0}, // bromine in column 13
        {"FE  ", "HEM", 7, 0, 7, 0, 'A', ' ', ' ', "HETATM"},
        {" CA ", "SER", 8, 0, 8, 0, 'A', 'A'}, // alternate location A
        {" ca ", "SER", 8, 0, 9, 0},           // lower case matches nothing
        {" XX ", "UNK", 9, 0, 9, 5},
    }));
    ASSERT_EQ(mol->atomCount, 12);
    const int elements[] = {6, 20, 1, 1, 7, 16, 5, 35, 26, 6, 0, 0};
    const char* labels[] = {"CA", "CA", "HB1", "HG21", "NE2", "SG",
                            "BR", "BR", "FE",  "CA A", "ca",  "XX"};
    for (int a = 0; a < 12; ++a) {
        EXPECT_EQ(mol->GetElement(0, a), elements[a]) << "atom " << a;
        EXPECT_EQ(mol->GetLabel(0, a), labels[a]) << "atom " << a;
    }
    EXPECT_EQ(mol->GetAtomDescription(0, 0), "1 CA ALA1");
    EXPECT_EQ(mol->GetAtomDescription(0, 9), "10 CA A SER9");
}

// Found wrong: a GROMACS file of water and ions read 18,522 of its 51,983
// atoms as dummies and its mercury as hydrogen, though columns 77-78 named
// every element.
TEST_F(PdbReader, TheElementColumnsDecideWhenTheyNameAnElement) {
    const auto withElement = [](std::string record, const char* element) {
        record.pop_back(); // the line end
        record.resize(76, ' ');
        return record + element + "\n";
    };
    auto mol = ReadText<CPDBData>(
        withElement(Record(1, {"HG  ", "HG", 1, 0, 0, 0, 'A', ' ', ' ', "HETATM"}), "HG") +
        withElement(Record(2, {" OW ", "SOL", 2, 1, 0, 0}), " O") +
        withElement(Record(3, {"OW1 ", "SOL", 3, 2, 0, 0}), "O ") +
        withElement(Record(4, {" HE ", "ARG", 4, 3, 0, 0}), " H") + // Arg's HE: hydrogen
        withElement(Record(5, {"HE  ", "HE", 5, 4, 0, 0, 'A', ' ', ' ', "HETATM"}), "He") +
        withElement(Record(6, {" CA ", "ALA", 6, 5, 0, 0}), "XX") + // not an element
        withElement(Record(7, {" CA ", "ALA", 7, 6, 0, 0}), "  ") +
        Record(8, {"CL  ", "CL", 8, 7, 0, 0, 'A', ' ', ' ', "HETATM"})); // no columns
    ASSERT_EQ(mol->atomCount, 8);
    const int elements[] = {80, 8, 8, 1, 2, 6, 6, 17};
    for (int a = 0; a < 8; ++a)
        EXPECT_EQ(mol->GetElement(0, a), elements[a]) << "atom " << a;
}

TEST_F(PdbReader, ResiduesFollowChainNameAndNumber) {
    auto mol = ReadText<CPDBData>(Records({
        {" N  ", "GLY", 10, 0, 0, 0, 'A'},
        {" CA ", "GLY", 10, 1, 0, 0, 'A'},
        {" N  ", "GLY", 10, 2, 0, 0, 'B'}, // same name and number, other chain: new residue
        {" N  ", "GLY", 11, 3, 0, 0, 'B'},
        {" N  ", "GLY", 1, 4, 0, 0, 'C'}, // chain break, new number: new residue
        {" O  ", "HOH", 1, 5, 0, 0, 'C', ' ', ' ', "HETATM"},
    }));
    CMolFrame* frame = mol->GetFrame(0);
    EXPECT_EQ(frame->residueCount, 5);
    EXPECT_EQ(mol->GetResidueLabels(0),
              (std::map<int, std::string>{
                  {0, "GLY10"}, {1, "GLY10"}, {2, "GLY11"}, {3, "GLY1"}, {4, "HOH1"}}));
    EXPECT_EQ(frame->residueAtoms.at(0), (std::vector<int>{0, 1}));
    EXPECT_EQ(mol->GetResidueIndex(0, 2), 1);
    EXPECT_EQ(mol->GetResidueIndex(0, 4), 3);
    EXPECT_EQ(mol->GetResidueName(0, 5), "HOH");
    EXPECT_EQ(mol->GetAtomDescription(0, 5), "6 O HOH5");
}

TEST_F(PdbReader, ResiduesKeepChainNumberInsertionCodeAndAtomsTheirTemperatureFactors) {
    std::string text = Records({{" N  ", "SER", 52, 0, 0, 0, 'H', ' ', 'A'},
                                {" N  ", "GLY", -3, 1, 0, 0, 'B'},
                                {" O  ", "HOH", 7, 2, 0, 0, ' ', ' ', ' ', "HETATM"}});
    // Temperature factors in columns 61-66; none in the last record.
    text.replace(60, 6, " 12.50");
    text.replace(text.find('\n') + 1 + 60, 6, "107.25");
    text += "ATOM      4  CA  ALA A   1       1.000   2.000   3.000\n";
    auto mol = ReadText<CPDBData>(text);
    const CMolFrame& frame = *mol->GetFrame(0);
    ASSERT_EQ(frame.residueIds.size(), 4U);
    EXPECT_EQ(frame.residueIds[0], (ResidueId{"H", 52, "A", "SER"}));
    EXPECT_EQ(frame.residueIds[1], (ResidueId{"B", -3, "", "GLY"}));
    EXPECT_EQ(frame.residueIds[2], (ResidueId{"", 7, "", "HOH"}));
    EXPECT_EQ(frame.residueIds[3], (ResidueId{"A", 1, "", "ALA"}));
    EXPECT_DOUBLE_EQ(frame.Atom(0).bFactor, 12.5);
    EXPECT_DOUBLE_EQ(frame.Atom(1).bFactor, 107.25);
    EXPECT_DOUBLE_EQ(frame.Atom(2).bFactor, 0.0);
    EXPECT_DOUBLE_EQ(frame.Atom(3).bFactor, 0.0);
}

TEST_F(PdbReader, InsertionCodesSeparateResiduesAndFixedColumnsFillBlankFields) {
    std::string text = Records({
        {" N  ", "SER", 52, 1.5, 2.5, 3.5},
        {" N  ", "SER", 52, 4.5, 5.5, 6.5, 'H', ' ', 'A'},
        {" CA ", "SER", 52, 7.5, 8.5, 9.5, 'H', ' ', 'A'},
    });
    // No chain and a residue number that outgrew its field into column 27,
    // pushing the coordinates one column to the right.
    text += "ATOM     10  OW  SOL  10000      14.195  58.650 112.800  1.00  0.00           O\n";
    // Blank residue name and number.
    text += "ATOM     11  C              1.000   2.000   3.000\n";
    auto mol = ReadText<CPDBData>(text);
    EXPECT_EQ(mol->GetFrame(0)->residueCount, 4);
    EXPECT_EQ(mol->GetResidueLabels(0).at(1), "SER52A");
    EXPECT_DOUBLE_EQ(mol->GetAtomCoord(0, 2, 0), 7.5);
    EXPECT_DOUBLE_EQ(mol->GetAtomCoord(0, 2, 2), 9.5);
    EXPECT_EQ(mol->GetResidueLabels(0).at(2), "SOL10000");
    EXPECT_DOUBLE_EQ(mol->GetAtomCoord(0, 3, 0), 14.195);
    EXPECT_DOUBLE_EQ(mol->GetAtomCoord(0, 3, 2), 112.8);
    EXPECT_EQ(mol->GetResidueLabels(0).at(3), "0");
    EXPECT_DOUBLE_EQ(mol->GetAtomCoord(0, 4, 1), 2.0);
}

TEST_F(PdbReader, OverflowedResidueNumbersCountOnFromTheFirstLabel) {
    for (const auto& [stars, first] :
         {std::pair<std::string, int>{"****", 10000}, {"*****", 100000}, {"******", 1000000}}) {
        SCOPED_TRACE(stars);
        std::string text =
            Records({{" N  ", "ALA", 9998, 0, 0, 0}, {" CA ", "ALA", 9998, 1, 0, 0}});
        const char* names[] = {" N  ", " CA ", " C  ", " N  ", " CA ", " N  "};
        for (int i = 0; i < 6; ++i) {
            std::string line = Record(3 + i, {names[i], "GLY", 0, 2.0 + i, 0, 0, ' '});
            line.replace(22 - (stars.size() > 4 ? 1 : 0), stars.size(), stars);
            text += line;
        }
        auto mol = ReadText<CPDBData>(text);
        const auto& labels = mol->GetResidueLabels(0);
        ASSERT_EQ(labels.size(), 4u);
        EXPECT_EQ(labels.at(1), "GLY" + std::to_string(first));
        EXPECT_EQ(labels.at(3), "GLY" + std::to_string(first + 2));
        EXPECT_EQ(mol->GetResidueIndex(0, 4), 1);
        EXPECT_EQ(mol->GetResidueIndex(0, 5), 2);
        EXPECT_DOUBLE_EQ(mol->GetAtomCoord(0, 7, 0), 7.0);
    }
}

// An NMR ensemble: each model a geometry of its own atoms when the models
// hold the same atoms; the first model alone when they do not.
TEST_F(PdbReader, EnsembleModelsAreGeometriesWhenTheyHoldTheSameAtoms) {
    const std::vector<PdbAtom> model = {{" N  ", "ALA", 1, 0, 0, 0}, {" CA ", "ALA", 1, 1.4, 0, 0}};
    std::vector<PdbAtom> moved = model;
    moved[1].x = 1.5;
    auto mol = ReadText<CPDBData>("MODEL        1\n" + Records(model) + "ENDMDL\nMODEL        2\n" +
                                  Records(moved) + "ENDMDL\nEND\n");
    EXPECT_EQ(mol->frameCount, 2);
    EXPECT_EQ(mol->fileModels, 2);
    EXPECT_EQ(mol->atomCount, 2);
    EXPECT_EQ(mol->firstShownFrame, 0);
    EXPECT_EQ(mol->GetFrame(1)->residueCount, 1);
    EXPECT_DOUBLE_EQ(mol->GetAtomCoord(1, 1, 0), 1.5);
    EXPECT_EQ(mol->GetAtomDescription(1, 1), "2 CA ALA1");
    EXPECT_EQ(mol->GetBondCount(0, 0), 1);
    EXPECT_EQ(mol->GetBondedAtom(1, 1, 0), 0);

    // Another atom name, or another count, in a later model: the first only.
    std::vector<PdbAtom> renamed = model;
    renamed[1].name = " CB ";
    for (const std::string& second : {Records(renamed), Records({model[0]})}) {
        auto first = ReadText<CPDBData>("MODEL        1\n" + Records(model) +
                                        "ENDMDL\nMODEL        2\n" + second + "ENDMDL\n");
        EXPECT_EQ(first->frameCount, 1);
        EXPECT_EQ(first->fileModels, 2);
        EXPECT_EQ(first->atomCount, 2);
        EXPECT_EQ(first->GetAtomDescription(0, 1), "2 CA ALA1");
    }
    // CONECT records bond every model's atoms alike.
    PdbOptions conect;
    conect.conect = 1;
    auto linked =
        ReadText<CPDBData>("MODEL        1\n" + Records(model) + "ENDMDL\nMODEL        2\n" +
                               Records(moved) + "ENDMDL\nCONECT    1    2\n",
                           conect);
    EXPECT_EQ(linked->GetBondCount(1, 0), 1);
    EXPECT_EQ(linked->GetBondCount(1, 1), 0);
}

TEST_F(PdbReader, ConectRecordsReplaceBondsAndSkipUnknownSerials) {
    const std::string atoms = Records({{" C1 ", "LIG", 1, 0, 0, 0},
                                       {" C2 ", "LIG", 1, 1.5, 0, 0},
                                       {" C3 ", "LIG", 1, 0, 1.5, 0},
                                       {" C4 ", "LIG", 1, 9, 9, 9}});
    const std::string conect = "CONECT    1    2    3\n"
                               "CONECT    4    1\n"
                               "CONECT    4    3 9999    2\n" // replaces; 9999 names no atom
                               "CONECT 8888    1\n"           // no such atom: skipped
                               "CONECT    2\n";
    PdbOptions options;
    options.conect = 1;
    auto mol = ReadText<CPDBData>(atoms + conect, options);
    EXPECT_EQ(mol->bondsFromFile, 1);
    EXPECT_EQ(mol->GetBondCount(0, 0), 2);
    EXPECT_EQ(mol->GetBondedAtom(0, 0, 1), 2);
    EXPECT_EQ(mol->GetBondCount(0, 3), 2);
    EXPECT_EQ(mol->GetBondedAtom(0, 3, 0), 2);
    EXPECT_EQ(mol->GetBondedAtom(0, 3, 1), 1);
    EXPECT_EQ(mol->GetBondCount(0, 1), 0); // partners' own lists untouched
    EXPECT_EQ(mol->GetBondCount(0, 2), 0);

    // Without the option CONECT records are ignored and distances decide.
    auto perceived = ReadText<CPDBData>(atoms + conect);
    EXPECT_EQ(perceived->GetBondCount(0, 3), 0);
    options.bondMode = 0;
    EXPECT_EQ(ReadText<CPDBData>(atoms + conect, {0, 0})->GetBondCount(0, 0), 2);
}

TEST_F(PdbReader, LongLinesNeverAddAtoms) {
    // The counting pass reads pieces of 255 characters, the reading pass
    // pieces of 79: a record name at character 80 of a long line is seen by
    // the second only.
    std::string trap = "REMARK" + std::string(73, ' ') + Record(5, {" O  ", "HOH", 2, 0, 0, 0});
    trap.pop_back();
    trap += std::string(300, ' ') + "\n";
    auto mol = ReadText<CPDBData>(Records({{" N  ", "ALA", 1, 1, 2, 3}}) + trap);
    EXPECT_EQ(mol->atomCount, 1);
    EXPECT_EQ(mol->GetLabel(0, 0), "N");
    EXPECT_DOUBLE_EQ(mol->GetAtomCoord(0, 0, 2), 3.0);

    // The other way round: a record name at character 256 is counted but
    // never read; the model holds only the atoms read.
    std::string counted = "REMARK" + std::string(249, ' ') + "ATOM      9  O   HOH" + "\n";
    auto fewer = ReadText<CPDBData>(Records({{" N  ", "ALA", 1, 1, 2, 3}}) + counted +
                                    Records({{" CA ", "ALA", 1, 2, 2, 3}}, 2));
    ASSERT_EQ(fewer->atomCount, 2);
    EXPECT_EQ(fewer->GetFrame(0)->atomCount, 2);
    EXPECT_EQ(fewer->GetBondCount(0, 1), 1);
    EXPECT_EQ(fewer->GetAtomDescription(0, 1), "2 CA ALA1");
}

TEST_F(PdbReader, RecordsWithoutCoordinatesGiveNoAtom) {
    std::string text = Records({{" N  ", "ALA", 1, 1, 2, 3}});
    text += "ATOM\n";
    text += "ATOM      2  CA  ALA A   1     ******** 2.000   3.000  1.00  0.00           C\n";
    text += std::string("ATOM      3  C   ALA A   1   ") + '\0' + "    2.000   3.000   4.000\n";
    text += Records({{" O  ", "ALA", 1, 4, 5, 6}}, 4);
    auto mol = ReadText<CPDBData>(text);
    ASSERT_EQ(mol->atomCount, 2);
    EXPECT_EQ(mol->skippedLines, 3);
    EXPECT_EQ(mol->GetAtomDescription(0, 1), "4 O ALA1");
    EXPECT_DOUBLE_EQ(mol->GetAtomCoord(0, 1, 0), 4.0);
    EXPECT_EQ(mol->GetFrame(0)->residueAtoms.at(0).size(), 2u);
    // Only such records: no molecule, and the reason says so.
    auto none = ReadText<CPDBData>("ATOM\nHETATM    1 FE   HEM     1     nan     inf    0.0\n");
    EXPECT_EQ(none->frameCount, 0);
    EXPECT_EQ(none->skippedLines, 2);
    EXPECT_EQ(NoMoleculeReasonOf(*none), NoMoleculeReason::kNoReadableAtoms);
}

TEST_F(PdbReader, SixDigitSerialsPushTheRestOfTheLineOneColumnRight) {
    // As simulation tools write atom 100,000 on: the serial fills columns
    // 7-12 and every later field sits one column further right.
    std::string text = Records({{" N  ", "ALA", 1, 1, 2, 3}}, 99999);
    text += "ATOM  100000  CA  ALA A   1       2.000   2.000   3.000  1.00  0.00           C\n";
    text += "HETATM100001 FE   HEM B   2       9.000   9.000   9.000  1.00  0.00          FE\n";
    auto mol = ReadText<CPDBData>(text);
    ASSERT_EQ(mol->atomCount, 3);
    EXPECT_EQ(mol->GetAtomDescription(0, 1), "100000 CA ALA1");
    EXPECT_EQ(mol->GetElement(0, 1), 6);
    EXPECT_EQ(mol->GetElement(0, 2), 26);
    EXPECT_EQ(mol->GetAtomDescription(0, 2), "100001 FE HEM2");
    EXPECT_DOUBLE_EQ(mol->GetAtomCoord(0, 2, 2), 9.0);
    EXPECT_EQ(mol->GetFrame(0)->residueCount, 2);
}

TEST_F(PdbReader, ADigitChainIdentifierIsNotTheResidueNumber) {
    auto mol = ReadText<CPDBData>(Records({{" N  ", "MET", 1, 0, 0, 0, '1'},
                                           {" N  ", "GLN", 2, 3, 0, 0, '1'},
                                           {" N  ", "ILE", 3, 6, 0, 0, '1'}}));
    ASSERT_EQ(mol->GetFrame(0)->residueCount, 3);
    EXPECT_EQ(mol->GetFrame(0)->residueLabels.at(1), "GLN2");
    EXPECT_EQ(mol->GetFrame(0)->residueLabels.at(2), "ILE3");
}

TEST_F(PdbReader, FileWithoutAtomsHoldsNoMolecule) {
    auto mol = ReadText<CPDBData>("HEADER    NOTHING\nREMARK 2\nEND\n");
    EXPECT_EQ(mol->atomCount, 0);
    EXPECT_EQ(NoMoleculeReasonOf(*mol), NoMoleculeReason::kNoGeometry);
    EXPECT_EQ(NoMoleculeReasonOf(*ReadText<CPDBData>("")), NoMoleculeReason::kNoGeometry);
}

TEST_F(PdbReader, NumbersReadTheSameUnderAGermanLocale) {
    const std::string text = Records({{" N  ", "ALA", 1, 1.25, -2.5, 3.75}});
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr)
        GTEST_SKIP() << "de_DE.UTF-8 locale not installed";
    auto mol = ReadText<CPDBData>(text);
    std::setlocale(LC_ALL, saved.c_str());
    EXPECT_DOUBLE_EQ(mol->GetAtomCoord(0, 0, 0), 1.25);
    EXPECT_DOUBLE_EQ(mol->GetAtomCoord(0, 0, 1), -2.5);
}

} // namespace
