// The three writers, byte for byte: Gaussian input, PDB in the full and the
// short layout, Ramachandran plot data.

#include "formats/CGauData.h"
#include "formats/CPDBData.h"
#include "formats/GaussianInputWriter.h"
#include "formats/PdbWriter.h"
#include "formats/RamachandranWriter.h"
#include "formats/WrittenGeometry.h"
#include "model/BondLimits.h"
#include "tests/support/GaussianOutputText.h"
#include "tests/unit/ReadText.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <fstream>
#include <functional>
#include <sstream>

namespace {

// What a writer puts into a file.
std::string Written(const std::function<bool(StdioFile*)>& write) {
    TempDir dir;
    if (!WriteFile(dir.File("out"), write))
        return "write error";
    std::ifstream in(dir.File("out"), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

const char* const kRoute = "#P HF/STO-3G Opt(ModRedun) GFInput NoSymm IOp(6/7=3)\n";

class Writers : public ::testing::Test {
protected:
    void SetUp() override { BondLimits::instance().ApplyBuiltIn(); }

    static std::unique_ptr<CMolData> Protein() {
        return ReadText<CPDBData>(
            "ATOM      1  N   ALA A   7      -0.677  -1.230  -0.491  1.00  9.99           N\n"
            "ATOM      2  CA  ALA A   7      -0.001   0.064  -0.491  1.00  9.99           C\n"
            "ATOM      3 HB1 AALA A   7      -0.520   1.212   0.470  0.50  9.99           H\n"
            "ATOM      4 HG21 THR A   8       1.000   2.000   3.000  1.00  9.99           H\n"
            "ATOM      5 2HG1 THR A   8       1.500   2.500   3.500  1.00  9.99           H\n"
            "HETATM    6 FE   HEM B 100     100.000-200.000 -0.0001  1.00  9.99          FE\n"
            "HETATM    7 CA    CA B 101       5.000   5.000   5.000  1.00  9.99          CA\n");
    }
};

TEST_F(Writers, GaussianInputOfTheGeometryOnScreen) {
    GaussianOutputText out(GaussianOutputText::kBanner16);
    out.Orientation("Input", {{6, 9, 9, 9}, {17, 9, 9, 9}, {0, 9, 9, 9}});
    out.Orientation("Input", {{6, 0, 1.5, -2.25}, {17, -0.0000004, 12345.5, 0}, {0, 1, 2, 3}});
    auto mol = ReadText<CGauData>(out.Text());
    const std::string expected = std::string("%Chk=/work/run.1/mol\n") + kRoute +
                                 "\n"
                                 "Comment:\n"
                                 "\n"
                                 "0 1\n"
                                 "   C        0.000000     1.500000    -2.250000\n"
                                 "  CL       -0.000000 12345.500000     0.000000\n"
                                 "  DU        1.000000     2.000000     3.000000\n"
                                 "\n";
    EXPECT_EQ(Written([&](StdioFile* f) {
                  return WriteGaussianInput(*mol, mol->firstShownFrame, f, "/work/run.1/mol.com");
              }),
              expected);
    EXPECT_NE(Written([&](StdioFile* f) {
                  return WriteGaussianInput(*mol, 0, f, "x");
              }).find("   C        9.000000     9.000000     9.000000\n"),
              std::string::npos);
}

// Elements beyond krypton are written as chemists write them and read back
// as the same elements, with the bonds the reader perceives for them.
TEST_F(Writers, GaussianInputHeavyElementsReadBack) {
    auto mol = ReadText<CGauData>("#P HF\n\nt\n\n0 1\n"
                                  "78 0.0 0.0 0.0\n"
                                  "Cl 2.3 0.0 0.0\n"
                                  "Ru 0.0 5.0 0.0\n"
                                  "Cs 0.0 0.0 9.0\n");
    const std::string written = Written(
        [&](StdioFile* f) { return WriteGaussianInput(*mol, mol->firstShownFrame, f, "a"); });
    EXPECT_NE(written.find("\n  Pt        0.000000     0.000000     0.000000\n"),
              std::string::npos);
    EXPECT_NE(written.find("\n  CL        2.300000"), std::string::npos);
    EXPECT_NE(written.find("\n  Ru "), std::string::npos);
    EXPECT_NE(written.find("\n  Cs "), std::string::npos);
    auto again = ReadText<CGauData>(written);
    ASSERT_EQ(again->atomCount, 4);
    const int elements[] = {78, 17, 44, 55};
    for (int a = 0; a < 4; ++a)
        EXPECT_EQ(again->GetElement(0, a), elements[a]);
    EXPECT_EQ(again->GetBondCount(0, 0), 1); // Pt-Cl 2.3 Å
}

TEST_F(Writers, CheckpointNameCutsAtTheLastDot) {
    EXPECT_EQ(CheckpointName("C:\\work\\mol.com"), "C:\\work\\mol");
    EXPECT_EQ(CheckpointName("C:\\my.dir\\mol"), "C:\\my");
    EXPECT_EQ(CheckpointName("/home/a/job.v2.gjf"), "/home/a/job.v2");
    EXPECT_EQ(CheckpointName(".com"), ".com");
    EXPECT_EQ(CheckpointName("plain"), "plain");
    const std::string deep = "/" + std::string(400, 'd') + "/mol.com";
    EXPECT_EQ(CheckpointName(deep), deep.substr(0, deep.size() - 4)); // no length limit
}

TEST_F(Writers, GaussianInputLeavesHiddenAtomsOut) {
    auto mol = Protein();
    const ResidueVisibility hideThr8({1}, ResidueVisibility::kHideSelected);
    const std::string text = Written([&](StdioFile* f) {
        return WriteGaussianInput(*mol, WrittenGeometry(0, hideThr8), f, "p.com");
    });
    EXPECT_NE(text.find("0 1\n   N       -0.677000    -1.230000    -0.491000\n   C  "),
              std::string::npos);
    EXPECT_EQ(text.find("   H        1.000000"), std::string::npos);
    EXPECT_NE(text.find("  FE      100.000000  -200.000000    -0.000100\n  CA  "),
              std::string::npos);
}

TEST_F(Writers, PdbFullLayoutOfAPdbModel) {
    auto mol = Protein();
    const std::string expected =
        "ATOM      1  N   ALA     1      -0.677  -1.230  -0.491  1.00  0.00           N  \n"
        "ATOM      2  CA  ALA     1      -0.001   0.064  -0.491  1.00  0.00           C  \n"
        // A five-character label widens the line by one column; the element
        // keeps columns 77-78.
        "ATOM      3  HB1 AALA     1      -0.520   1.212   0.470  1.00  0.00          H  \n"
        "ATOM      4 1HG2 THR     2       1.000   2.000   3.000  1.00  0.00           H  \n"
        "ATOM      5 2HG1 THR     2       1.500   2.500   3.500  1.00  0.00           H  \n"
        "ATOM      6 FE   HEM     3     100.000-200.000  -0.000  1.00  0.00          FE  \n"
        "ATOM      7 CA    CA     4       5.000   5.000   5.000  1.00  0.00          CA  \n";
    EXPECT_EQ(Written([&](StdioFile* f) { return writePdb(*mol, mol->firstShownFrame, f); }),
              expected);

    // Hidden atoms leave gaps in the serials; more than 99999 residues
    // cannot be numbered.
    const ResidueVisibility hidden({0, 2}, ResidueVisibility::kHideSelected);
    mol->GetFrame(0)->Atom(6).residueIndex = 99999;
    EXPECT_EQ(Written([&](StdioFile* f) { return writePdb(*mol, WrittenGeometry(0, hidden), f); }),
              "ATOM      4 1HG2 THR     2       1.000   2.000   3.000  1.00  0.00           H  \n"
              "ATOM      5 2HG1 THR     2       1.500   2.500   3.500  1.00  0.00           H  \n"
              "ATOM      7 CA    CA *****       5.000   5.000   5.000  1.00  0.00          CA  \n");
}

TEST_F(Writers, PdbFullLayoutOfAGaussianModel) {
    auto mol = ReadText<CGauData>(
        "#P HF\n\nt\n\n0 1\nO 0 0 0.1173\nH 0 0.7572 -0.4692\nCl 0 -0.7572 -0.4692\n\n");
    EXPECT_EQ(Written([&](StdioFile* f) { return writePdb(*mol, mol->firstShownFrame, f); }),
              "ATOM      1  O   RES     1       0.000   0.000   0.117  1.00  0.00           O  \n"
              "ATOM      2  H   RES     1       0.000   0.757  -0.469  1.00  0.00           H  \n"
              "ATOM      3 CL   RES     1       0.000  -0.757  -0.469  1.00  0.00          CL  \n");
}

TEST_F(Writers, PdbShortLayoutWritesGeometryZero) {
    auto mol = Protein();
    const std::string text = Written([&](StdioFile* f) { return writePdbShort(*mol, f); });
    EXPECT_EQ(text.substr(0, 3 * 55 + 1),
              "ATOM      1  N   ALA     1      -0.677  -1.230  -0.491\n"
              "ATOM      2  CA  ALA     1      -0.001   0.064  -0.491\n"
              "ATOM      3  HB1 AALA     1      -0.520   1.212   0.470\n");
    EXPECT_NE(text.find("ATOM      4  HG21THR     2"), std::string::npos);

    GaussianOutputText out(GaussianOutputText::kBanner16);
    out.Orientation("Input", {{6, 1, 2, 3}}).Orientation("Input", {{6, 4, 5, 6}});
    auto opt = ReadText<CGauData>(out.Text());
    EXPECT_EQ(opt->firstShownFrame, 1);
    EXPECT_EQ(Written([&](StdioFile* f) { return writePdbShort(*opt, f); }),
              "ATOM      1  1C  NON     1       1.000   2.000   3.000\n");
}

TEST_F(Writers, RamachandranLinesOfTwentyOneCharacters) {
    auto mol = Protein();
    mol->GetFrame(0)->phiAngles[0] = -57.5;
    mol->GetFrame(0)->psiAngles[0] = -47.0;
    mol->GetFrame(0)->phiAngles[1] = 200.0;
    mol->GetFrame(0)->psiAngles[1] = -179.999999;
    EXPECT_EQ(Written([&](StdioFile* f) {
                  return WriteRamachandranLines(*mol, mol->firstShownFrame, f);
              }),
              " -57.50000  -47.00000\n"
              " 200.00000 -180.00000\n");
    // A Gaussian model writes nothing.
    auto gaussian = ReadText<CGauData>("#P HF\n\nt\n\n0 1\nO 0 0 0\n\n");
    EXPECT_EQ(Written([&](StdioFile* f) {
                  WriteRamachandranData(*gaussian, gaussian->firstShownFrame, f);
                  return true;
              }),
              "");
}

TEST_F(Writers, NumbersAreWrittenWithAPointUnderAGermanLocale) {
    auto mol = Protein();
    const std::string plain =
        Written([&](StdioFile* f) { return writePdb(*mol, mol->firstShownFrame, f); }) +
        Written(
            [&](StdioFile* f) { return WriteGaussianInput(*mol, mol->firstShownFrame, f, "a"); });
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr)
        GTEST_SKIP() << "de_DE.UTF-8 locale not installed";
    const std::string german =
        Written([&](StdioFile* f) { return writePdb(*mol, mol->firstShownFrame, f); }) +
        Written(
            [&](StdioFile* f) { return WriteGaussianInput(*mol, mol->firstShownFrame, f, "a"); });
    std::setlocale(LC_ALL, saved.c_str());
    EXPECT_EQ(german, plain);
}

TEST_F(Writers, EveryFieldStaysInItsColumnsAndReadsBack) {
    // A Gaussian model of 100,001 atoms: the last serials have six digits.
    GaussianOutputText out(GaussianOutputText::kBanner16);
    std::vector<OrientationRow> rows;
    for (int a = 0; a < 100001; ++a)
        rows.push_back(
            {a % 2 == 0 ? 6 : 1, (a % 100) * 2.0, (a / 100 % 100) * 2.0, a / 10000 * 2.0});
    out.Orientation("Input", rows);
    auto big = ReadText<CGauData>(out.Text());
    ASSERT_EQ(big->atomCount, 100001);
    const std::string text =
        Written([&](StdioFile* f) { return writePdb(*big, big->firstShownFrame, f); });
    const std::size_t last = text.rfind("ATOM");
    EXPECT_EQ(text.substr(last, 26), "ATOM 100001  C   RES     1");
    auto again = ReadText<CPDBData>(text);
    ASSERT_EQ(again->atomCount, 100001);
    EXPECT_EQ(again->skippedLines, 0);
    for (int a : {0, 99998, 99999, 100000}) {
        EXPECT_EQ(again->GetElement(0, a), big->GetElement(0, a)) << a;
        EXPECT_EQ(again->GetFrame(0)->SerialOfAtom(a), a + 1);
        EXPECT_DOUBLE_EQ(again->GetAtomCoord(0, a, 0), big->GetAtomCoord(0, a, 0));
    }

    // A name and an alternate location ("HA A") is no name ending in a
    // digit: written as it is, it reads back as hydrogen.
    auto alt = ReadText<CPDBData>(
        "ATOM      1  HA AGLY A   1       1.000   2.000   3.000  1.00  0.00           H\n");
    ASSERT_EQ(alt->GetLabel(0, 0), "HA A");
    const std::string altText =
        Written([&](StdioFile* f) { return writePdb(*alt, alt->firstShownFrame, f); });
    EXPECT_EQ(altText.substr(0, 26), "ATOM      1  HA AGLY     1");
    EXPECT_EQ(ReadText<CPDBData>(altText)->GetElement(0, 0), 1);
}

// Found wrong: a residue name of four letters pushed the element one column
// right, so a silicon written as "SI" read back as sulphur from columns 77-78.
TEST_F(Writers, TheElementStaysInColumns77And78) {
    auto mol = ReadText<CPDBData>(
        "ATOM      1 SI   FINA    1       1.000   2.000   3.000  1.00  0.00\n"
        "HETATM    2 HG    HG A   2       4.000   2.000   3.000  1.00  0.00          HG\n");
    ASSERT_EQ(mol->GetElement(0, 0), 14);
    ASSERT_EQ(mol->GetElement(0, 1), 80);
    const std::string text =
        Written([&](StdioFile* f) { return writePdb(*mol, mol->firstShownFrame, f); });
    const std::size_t second = text.find('\n') + 1;
    EXPECT_EQ(text.substr(76, 2), "SI");
    EXPECT_EQ(text.substr(second + 76, 2), "HG");
    auto again = ReadText<CPDBData>(text);
    EXPECT_EQ(again->GetElement(0, 0), 14);
    EXPECT_EQ(again->GetElement(0, 1), 80);
}

TEST_F(Writers, ValuesThatDoNotFitTheirColumnsAreRefused) {
    auto mol = Protein();
    mol->SetAtomPosXYZ(0, 1, 12345.0, 0.0, 0.0); // 9 characters: too wide for PDB
    std::string why;
    EXPECT_EQ(Written([&](StdioFile* f) { return writePdb(*mol, mol->firstShownFrame, f, &why); }),
              "write error");
    EXPECT_NE(why.find("atom 2"), std::string::npos) << why;
    why.clear();
    EXPECT_EQ(Written([&](StdioFile* f) { return writePdbShort(*mol, f, &why); }), "write error");
    EXPECT_FALSE(why.empty());
    // A Gaussian input's twelve columns hold it; not a value beyond them,
    // nor one that is not a number at all.
    EXPECT_NE(Written([&](StdioFile* f) {
                  return WriteGaussianInput(*mol, mol->firstShownFrame, f, "a");
              }),
              "write error");
    mol->SetAtomPosXYZ(0, 1, std::nan(""), 0.0, 0.0);
    why.clear();
    EXPECT_EQ(Written([&](StdioFile* f) {
                  return WriteGaussianInput(*mol, mol->firstShownFrame, f, "a", &why);
              }),
              "write error");
    EXPECT_NE(why.find("not a finite number"), std::string::npos) << why;
    // A hidden atom is not written, so it is not checked either.
    const ResidueVisibility hidden({0}, ResidueVisibility::kHideSelected);
    EXPECT_NE(Written([&](StdioFile* f) { return writePdb(*mol, WrittenGeometry(0, hidden), f); }),
              "write error");
}

TEST_F(Writers, ALineBreakInThePathNeverReachesTheCheckpointLine) {
    auto mol = Protein();
    std::string why;
    EXPECT_EQ(Written([&](StdioFile* f) {
                  return WriteGaussianInput(*mol, mol->firstShownFrame, f, "/tmp/a\n#P evil.com",
                                            &why);
              }),
              "write error");
    EXPECT_EQ(why, "the file name holds a line break");
}

TEST_F(Writers, WriteErrorsAreReported) {
    auto mol = Protein();
    StdioFile full;
    if (!full.Open("/dev/full", StdioFile::modeWrite))
        GTEST_SKIP() << "/dev/full is not available here";
    // Buffered writes may only fail when the file is closed; either way the
    // failure reaches the caller.
    const bool written = writePdb(*mol, mol->firstShownFrame, &full) &&
                         WriteGaussianInput(*mol, mol->firstShownFrame, &full, "a");
    EXPECT_FALSE(full.Close() && written);
}

} // namespace
