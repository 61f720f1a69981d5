// PDBx/mmCIF files, gzip-compressed files of every format, and ensembles of
// models, on small files written here.

#include "formats/CGauData.h"
#include "formats/CMmcifData.h"
#include "formats/CPDBData.h"
#include "formats/FileKind.h"
#include "formats/NoMoleculeReason.h"
#include "formats/PdbWriter.h"
#include "formats/ReadMolecule.h"
#include "io/Gunzip.h"
#include "io/StdioFile.h"
#include "model/BondLimits.h"
#include "tests/support/GaussianOutputText.h"
#include "tests/support/GeneratedMolecules.h"
#include "tests/unit/ReadText.h"
#include "tests/unit/TempDir.h"

#include <gtest/gtest.h>

#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace {

// An alanine-glycine piece in two models (the second moved 0.5 Å along x),
// with a ligand atom whose coordinates are missing and a covalent link.
std::string Ensemble(bool secondDiffers = false) {
    std::string text = "data_TEST\n_entry.id TEST\n"
                       "loop_\n"
                       "_atom_site.group_PDB\n_atom_site.id\n_atom_site.type_symbol\n"
                       "_atom_site.label_atom_id\n_atom_site.label_alt_id\n"
                       "_atom_site.label_comp_id\n_atom_site.label_asym_id\n"
                       "_atom_site.label_seq_id\n_atom_site.pdbx_PDB_ins_code\n"
                       "_atom_site.Cartn_x\n_atom_site.Cartn_y\n_atom_site.Cartn_z\n"
                       "_atom_site.auth_seq_id\n_atom_site.auth_comp_id\n"
                       "_atom_site.auth_asym_id\n_atom_site.auth_atom_id\n"
                       "_atom_site.pdbx_PDB_model_num\n";
    const char* const rows[] = {
        "ATOM %d N N . ALA A 1 ? %.3f 0.000 0.000 10 ALA AA N %d\n",
        "ATOM %d C CA . ALA A 1 ? %.3f 1.000 0.000 10 ALA AA CA %d\n",
        "ATOM %d C C . ALA A 1 ? %.3f 1.500 1.200 10 ALA AA C %d\n",
        "ATOM %d N N . GLY A 2 A %.3f 1.000 2.300 11 GLY AA N %d\n",
        "ATOM %d H 1HA . GLY A 2 A %.3f 1.000 3.300 11 GLY AA 1HA %d\n",
        "HETATM %d ZN ZN B ZN B . ? %.3f ? ? 201 ZN BB ZN %d\n",
    };
    char row[200];
    int id = 1;
    for (int model = 1; model <= 2; ++model) {
        for (int k = 0; k < 6; ++k) {
            if (model == 2 && secondDiffers && k == 4)
                continue;
            std::snprintf(row, sizeof row, rows[k], id, 0.5 * (model - 1) + 0.1 * k, model);
            text += row;
            ++id;
        }
    }
    text += "loop_\n_struct_conn.id\n_struct_conn.conn_type_id\n"
            "_struct_conn.ptnr1_auth_asym_id\n_struct_conn.ptnr1_auth_seq_id\n"
            "_struct_conn.ptnr1_label_atom_id\n_struct_conn.ptnr2_auth_asym_id\n"
            "_struct_conn.ptnr2_auth_seq_id\n_struct_conn.ptnr2_label_atom_id\n"
            "_struct_conn.pdbx_ptnr1_PDB_ins_code\n_struct_conn.pdbx_ptnr2_PDB_ins_code\n"
            "covale1 covale AA 10 N AA 11 N ? A\nhydrog1 hydrog AA 10 CA AA 11 N ? A\n"
            "covale2 covale AA 10 N AA 11 N ? ?\n"; // no such atom: no bond
    return text;
}

// The atoms each atom of geometry g is bonded to, in ascending order.
std::vector<std::vector<int>> BondLists(CMolData& mol, int g) {
    std::vector<std::vector<int>> lists(static_cast<std::size_t>(mol.AtomCount(g)));
    for (int a = 0; a < mol.AtomCount(g); ++a) {
        auto& list = lists[static_cast<std::size_t>(a)];
        for (int k = 0; k < mol.GetBondCount(g, a); ++k)
            list.push_back(mol.GetBondedAtom(g, a, k));
        std::sort(list.begin(), list.end());
    }
    return lists;
}

TEST(Mmcif, AtomSiteGivesThePdbModelModelByModel) {
    BondLimits::instance().ApplyBuiltIn();
    auto mol = ReadText<CMmcifData>(Ensemble());
    EXPECT_EQ(mol->sourceKind, CMolData::SourceKind::kPdb);
    ASSERT_EQ(mol->frameCount, 2);
    EXPECT_EQ(mol->fileModels, 2);
    EXPECT_EQ(mol->firstShownFrame, 0);
    EXPECT_EQ(mol->skippedLines, 2); // the zinc of each model: no coordinates
    for (int g = 0; g < 2; ++g) {
        ASSERT_EQ(mol->AtomCount(g), 5);
        const CMolFrame& frame = *mol->GetFrame(g);
        EXPECT_EQ(frame.residueCount, 2);
        EXPECT_EQ(frame.residueLabels.at(0), "ALA10"); // the author's numbers
        EXPECT_EQ(frame.residueLabels.at(1), "GLY11A");
        EXPECT_EQ(mol->GetLabel(g, 4), "HA1");
        EXPECT_EQ(mol->GetElement(g, 4), 1);
        EXPECT_EQ(mol->GetResidueName(g, 3), "GLY");
        // Bonds within the model only, by distance: N-CA 1.00 Å, CA-C
        // 1.30 Å, C-N 1.21 Å, N-HA1 1.00 Å; no others (N-C 1.93 Å is beyond
        // the C-N limit, and each atom of the other model is 0.5 Å off its
        // twin here).
        EXPECT_EQ(BondLists(*mol, g),
                  (std::vector<std::vector<int>>{{1}, {0, 2}, {1, 3}, {2, 4}, {3}}));
    }
    EXPECT_NEAR(mol->GetAtomCoord(1, 0, 0) - mol->GetAtomCoord(0, 0, 0), 0.5, 1e-9);
    EXPECT_EQ(mol->GetAtomDescription(1, 1), "8 CA ALA1");
    // The author's chain and numbers, and the insertion code.
    EXPECT_EQ(mol->GetFrame(1)->residueIds,
              (std::vector<ResidueId>{{"AA", 10, "", "ALA"}, {"AA", 11, "A", "GLY"}}));

    // Models of other atoms: the first one, and how many there were.
    auto first = ReadText<CMmcifData>(Ensemble(true));
    EXPECT_EQ(first->frameCount, 1);
    EXPECT_EQ(first->fileModels, 2);
    EXPECT_EQ(first->AtomCount(0), 5);

    // As many rows in each model but another atom: the first model.
    std::string renamed = Ensemble();
    const std::size_t second = renamed.find("ALA AA CA 2");
    ASSERT_NE(second, std::string::npos);
    renamed.replace(second, 11, "ALA AA CB 2");
    auto other = ReadText<CMmcifData>(renamed);
    EXPECT_EQ(other->frameCount, 1);
    EXPECT_EQ(other->fileModels, 2);

    // With the file's bonds asked for: the covalent link, not the hydrogen
    // bond, in every model.
    PdbOptions links;
    links.conect = 1;
    auto linked = ReadText<CMmcifData>(Ensemble(), links);
    for (int g = 0; g < 2; ++g) {
        EXPECT_EQ(linked->GetBondCount(g, 0), 1);
        EXPECT_EQ(linked->GetBondedAtom(g, 0, 0), 3);
        EXPECT_EQ(linked->GetBondCount(g, 1), 0);
    }
}

// Past the PDB format's limits: 120,000 atoms, chain ids of several
// characters, residue numbers past 9999; saved in the full PDB layout and
// read back whole.
// A disulfide between cysteines whose sulphur has two alternate locations:
// the link names none, and joins the first ones.
TEST(Mmcif, TemperatureFactorsAndLabelChainsWhereTheAuthorGivesNone) {
    auto mol = ReadText<CMmcifData>("data_B\nloop_\n_atom_site.group_PDB\n_atom_site.type_symbol\n"
                                    "_atom_site.label_atom_id\n_atom_site.label_comp_id\n"
                                    "_atom_site.label_asym_id\n_atom_site.label_seq_id\n"
                                    "_atom_site.Cartn_x\n_atom_site.Cartn_y\n_atom_site.Cartn_z\n"
                                    "_atom_site.B_iso_or_equiv\n"
                                    "ATOM N N ALA C 5 0 0 0 15.3\n"
                                    "ATOM C CA ALA C 5 1 0 0 ?\n");
    ASSERT_EQ(mol->AtomCount(0), 2);
    EXPECT_DOUBLE_EQ(mol->Atom(0, 0).bFactor, 15.3);
    EXPECT_DOUBLE_EQ(mol->Atom(0, 1).bFactor, 0.0);
    EXPECT_EQ(mol->GetFrame(0)->residueIds, (std::vector<ResidueId>{{"C", 5, "", "ALA"}}));
}

// Helices of struct_conf (a loop: the helix class tells 3₁₀ from α, turns
// are no helices, label ids stand in for missing author ids) and strands of
// struct_sheet_range (one row, written as pairs).
TEST(Mmcif, HelicesAndStrandsOfTheFileAreKept) {
    auto mol = ReadText<CMmcifData>(
        "data_R\nloop_\n_atom_site.group_PDB\n_atom_site.type_symbol\n"
        "_atom_site.label_atom_id\n_atom_site.label_comp_id\n_atom_site.label_asym_id\n"
        "_atom_site.label_seq_id\n_atom_site.Cartn_x\n_atom_site.Cartn_y\n_atom_site.Cartn_z\n"
        "ATOM C CA ALA A 1 0 0 0\n"
        "loop_\n_struct_conf.conf_type_id\n_struct_conf.id\n_struct_conf.beg_label_asym_id\n"
        "_struct_conf.beg_label_seq_id\n_struct_conf.beg_auth_asym_id\n"
        "_struct_conf.beg_auth_seq_id\n_struct_conf.pdbx_beg_PDB_ins_code\n"
        "_struct_conf.end_label_asym_id\n_struct_conf.end_label_seq_id\n"
        "_struct_conf.end_auth_asym_id\n_struct_conf.end_auth_seq_id\n"
        "_struct_conf.pdbx_end_PDB_ins_code\n_struct_conf.pdbx_PDB_helix_class\n"
        "HELX_P HELX_P1 A 3 C 13 ? A 9 C 19 B 1\n"
        "HELX_P HELX_P2 A 12 ? ? ? A 15 ? ? ? 5\n"
        "TURN_TY1_P TURN1 A 20 C 30 ? A 22 C 32 ? ?\n"
        "_struct_sheet_range.sheet_id S1\n_struct_sheet_range.id 1\n"
        "_struct_sheet_range.beg_auth_asym_id D\n_struct_sheet_range.beg_auth_seq_id 40\n"
        "_struct_sheet_range.end_auth_asym_id D\n_struct_sheet_range.end_auth_seq_id 44\n");
    ASSERT_EQ(mol->secondaryRecords.size(), 3U);
    const SecondaryRecord& alpha = mol->secondaryRecords[0];
    EXPECT_EQ(alpha.code, 'H');
    EXPECT_EQ(alpha.chain, "C");
    EXPECT_EQ(alpha.firstNumber, 13);
    EXPECT_EQ(alpha.firstInsertion, "");
    EXPECT_EQ(alpha.lastNumber, 19);
    EXPECT_EQ(alpha.lastInsertion, "B");
    const SecondaryRecord& three = mol->secondaryRecords[1];
    EXPECT_EQ(three.code, 'G');
    EXPECT_EQ(three.chain, "A");
    EXPECT_EQ(three.firstNumber, 12);
    EXPECT_EQ(three.lastNumber, 15);
    const SecondaryRecord& strand = mol->secondaryRecords[2];
    EXPECT_EQ(strand.code, 'E');
    EXPECT_EQ(strand.chain, "D");
    EXPECT_EQ(strand.firstNumber, 40);
    EXPECT_EQ(strand.lastNumber, 44);
}

TEST(Mmcif, LinksWithoutAnAlternateLocationJoinTheFirstOnes) {
    const std::string text =
        "data_SS\nloop_\n_atom_site.id\n_atom_site.type_symbol\n_atom_site.label_atom_id\n"
        "_atom_site.label_alt_id\n_atom_site.label_comp_id\n_atom_site.auth_asym_id\n"
        "_atom_site.auth_seq_id\n_atom_site.Cartn_x\n_atom_site.Cartn_y\n_atom_site.Cartn_z\n"
        "1 S SG A CYS A 3 0 0 0\n2 S SG B CYS A 3 0 0.3 0\n"
        "3 S SG A CYS A 40 2.05 0 0\n4 S SG B CYS A 40 2.05 0.3 0\n"
        "_struct_conn.id disulf1\n_struct_conn.conn_type_id disulf\n"
        "_struct_conn.ptnr1_auth_asym_id A\n_struct_conn.ptnr1_auth_seq_id 3\n"
        "_struct_conn.ptnr1_label_atom_id SG\n_struct_conn.pdbx_ptnr1_label_alt_id ?\n"
        "_struct_conn.ptnr2_auth_asym_id A\n_struct_conn.ptnr2_auth_seq_id 40\n"
        "_struct_conn.ptnr2_label_atom_id SG\n_struct_conn.pdbx_ptnr2_label_alt_id ?\n";
    PdbOptions links;
    links.conect = 1;
    auto mol = ReadText<CMmcifData>(text, links);
    ASSERT_EQ(mol->atomCount, 4);
    EXPECT_EQ(mol->GetLabel(0, 0), "SG A");
    ASSERT_EQ(mol->GetBondCount(0, 0), 1);
    EXPECT_EQ(mol->GetBondedAtom(0, 0, 0), 2);
    EXPECT_EQ(mol->GetBondCount(0, 1), 0);
}

TEST(Mmcif, StructuresPastThePdbLimitsReadWhole) {
    auto mol = ReadText<CMmcifData>(ProteinLikeMmcif(120000, 60, 5));
    ASSERT_EQ(mol->atomCount, 120000);
    EXPECT_EQ(mol->GetFrame(0)->residueCount, 15000);
    EXPECT_EQ(mol->GetFrame(0)->residueLabels.at(14999), "GLU15000");
    EXPECT_EQ(mol->GetFrame(0)->SerialOfAtom(119999), 120000);
    TempDir dir;
    {
        StdioFile out;
        ASSERT_TRUE(out.Open(dir.File("big.pdb"), StdioFile::modeWrite));
        ASSERT_TRUE(writePdb(*mol, mol->firstShownFrame, &out));
        ASSERT_TRUE(out.Close());
    }
    auto again = ReadFile<CPDBData>(dir.File("big.pdb"));
    ASSERT_EQ(again->atomCount, 120000);
    EXPECT_NEAR(again->GetAtomCoord(0, 119999, 2), mol->GetAtomCoord(0, 119999, 2), 1e-3);
}

TEST(Mmcif, WhatIsNoMmcifGivesAReasonNotAMolecule) {
    TempDir dir;
    struct Case {
        const char* text;
        NoMoleculeReason reason;
    };
    const Case cases[] = {
        {"data_X\nloop_\n_atom_site.id\n_atom_site.Cartn_x\n1 2.0\n",
         NoMoleculeReason::kNoGeometry}, // no y and z columns
        {"data_X\n_cell.length_a 10\n", NoMoleculeReason::kNoGeometry},
        {"data_X\nloop_\n_atom_site.Cartn_x\n_atom_site.Cartn_y\n_atom_site.Cartn_z\n"
         "? . 1e999\n",
         NoMoleculeReason::kNoReadableAtoms},
        {"data_X\nloop_\n_atom_site.Cartn_x\n_atom_site.Cartn_y\n1 2 3\n",
         NoMoleculeReason::kUnreadableFormat}, // a loop one value short
        {"ATOM      1  N   ALA A   1       1.234  -0.000   0.100\n",
         NoMoleculeReason::kUnreadableFormat},
        {"", NoMoleculeReason::kNoGeometry},
        {"data_X\nloop_\n_atom_site.Cartn_x\n_atom_site.Cartn_y\n_atom_site.Cartn_z\n"
         "_atom_site.pdbx_PDB_model_num\n_atom_site.id\n1 2 3 99999999999 x\n",
         NoMoleculeReason::kNone}, // a model number and id beyond the integers
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const MoleculeFile read =
            ReadMoleculeFile(dir.Write("x.cif", c.text), FileKind::kMmcif, PdbOptions{});
        EXPECT_EQ(read.reason, c.reason);
        if (c.reason == NoMoleculeReason::kUnreadableFormat) {
            EXPECT_NE(read.Describe("x.cif").find("not valid mmCIF ("), std::string::npos)
                << read.Describe("x.cif");
        }
    }
}

// Model numbers are numbers of any size: one beyond the integers keeps its
// model apart (it was once merged into model 1), and a row whose number is
// none is not read but counted.
TEST(Mmcif, ModelNumbersOfAnySizeKeepTheirModelsApart) {
    const std::string head = "data_M\nloop_\n_atom_site.id\n_atom_site.type_symbol\n"
                             "_atom_site.label_atom_id\n_atom_site.Cartn_x\n"
                             "_atom_site.Cartn_y\n_atom_site.Cartn_z\n"
                             "_atom_site.pdbx_PDB_model_num\n";
    auto two = ReadText<CMmcifData>(head + "1 C CA 0 0 0 1\n2 O O 1.2 0 0 1\n"
                                           "3 C CA 0 0 1 99999999999\n4 O O 1.2 0 1 99999999999\n");
    ASSERT_EQ(two->frameCount, 2);
    EXPECT_EQ(two->AtomCount(0), 2);
    EXPECT_EQ(two->GetAtomCoord(1, 0, 2), 1.0);
    EXPECT_EQ(two->skippedLines, 0);

    auto refused =
        ReadText<CMmcifData>(head + "1 C CA 0 0 0 1\n2 O O 1.2 0 0 1\n"
                                    "3 C CA 0 0 1 99999999999999999999\n4 O O 1.2 0 1 two\n");
    ASSERT_EQ(refused->frameCount, 1);
    EXPECT_EQ(refused->AtomCount(0), 2);
    EXPECT_EQ(refused->GetAtomCoord(0, 1, 0), 1.2);
    EXPECT_EQ(refused->skippedLines, 2);
}

// Reads path with the file's bonds asked for or not, the process allowed
// room bytes of memory more than it has: 0 for a molecule whose first atom
// has its bond exactly when bonds were asked for.
int ReadWithRoomFor(const std::string& path, int conect, rlim_t room) {
    std::ifstream statm("/proc/self/statm");
    rlim_t pages = 0;
    statm >> pages;
    const rlim_t most = pages * static_cast<rlim_t>(sysconf(_SC_PAGESIZE)) + room;
    const rlimit limit{most, most};
    setrlimit(RLIMIT_AS, &limit);
    PdbOptions options;
    options.conect = conect;
    const MoleculeFile read = ReadMoleculeFile(path, FileKind::kMmcif, options);
    const bool bonded = read.model != nullptr && read.model->GetBondCount(0, 0) == 1;
    return read.status == MoleculeFile::Status::kMolecule && bonded == (conect == 1) ? 0 : 1;
}

// A struct_conn row is kept only while it can become a bond: when the
// file's bonds are asked for and it is a disulfide or covalent link, and
// then only as its two atoms. Rows of every kind were once kept whole, 15
// strings each: under a limit of memory a file of many hydrogen bonds could
// no longer be read.
TEST(Mmcif, StructConnRowsCostNothingUnlessTheyAreBonds) {
    std::string text = "data_C\nloop_\n_atom_site.id\n_atom_site.type_symbol\n"
                       "_atom_site.label_atom_id\n_atom_site.auth_asym_id\n"
                       "_atom_site.auth_seq_id\n_atom_site.Cartn_x\n_atom_site.Cartn_y\n"
                       "_atom_site.Cartn_z\n"
                       "1 S SG A 3 0 0 0\n2 S SG A 40 2.05 0 0\n"
                       "loop_\n_struct_conn.id\n_struct_conn.conn_type_id\n"
                       "_struct_conn.ptnr1_auth_asym_id\n_struct_conn.ptnr1_auth_seq_id\n"
                       "_struct_conn.ptnr1_label_atom_id\n_struct_conn.ptnr2_auth_asym_id\n"
                       "_struct_conn.ptnr2_auth_seq_id\n_struct_conn.ptnr2_label_atom_id\n";
    for (int k = 0; k < 300000; ++k)
        text += "hbond" + std::to_string(k) + " hydrog A " + std::to_string(k % 9000) + " N A " +
                std::to_string(k % 7000) + " O\n";
    text += "disulf1 disulf A 3 SG A 40 SG\n";
    TempDir dir;
    const std::string path = dir.Write("many.cif", text);
    // Each reading in a process of its own, started afresh: what tests
    // before this one left mapped must not count against the limit.
    const std::string style = GTEST_FLAG_GET(death_test_style);
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    for (const int conect : {0, 1}) {
        SCOPED_TRACE(conect);
        EXPECT_EXIT(std::exit(ReadWithRoomFor(path, conect, 80u << 20)),
                    ::testing::ExitedWithCode(0), "");
    }
    GTEST_FLAG_SET(death_test_style, style);
}

// Writes bytes gzip-compressed to path.
void WriteGzip(const std::string& path, const std::string& bytes) {
    gzFile out = gzopen(path.c_str(), "wb");
    ASSERT_NE(out, nullptr);
    ASSERT_EQ(gzwrite(out, bytes.data(), static_cast<unsigned>(bytes.size())),
              static_cast<int>(bytes.size()));
    ASSERT_EQ(gzclose(out), Z_OK);
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(Gzip, EveryFormatReadsAsItsPlainFile) {
    BondLimits::instance().ApplyBuiltIn();
    TempDir dir;
    const std::string pdb = "ATOM      1  N   ALA A   1       1.234  -0.000   0.100\n"
                            "ATOM      2  CA  ALA A   1       2.680   0.000   0.100\n";
    const std::string output = GaussianOutputText::WaterOptimisation(3, 0.1);
    struct Case {
        std::string name, text;
    };
    const Case cases[] = {{"a.pdb", pdb}, {"b.LOG", output}, {"c.cif", Ensemble()}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteGzip(dir.File(c.name + ".gz"), c.text);
        const FileKind kind = FileKindFromPath(c.name + ".Gz");
        ASSERT_NE(kind, FileKind::kUnknown);
        const MoleculeFile plain = ReadMoleculeFile(dir.Write(c.name, c.text), kind, {});
        const MoleculeFile packed = ReadMoleculeFile(dir.File(c.name + ".gz"), kind, {});
        ASSERT_EQ(packed.status, MoleculeFile::Status::kMolecule) << packed.error;
        ASSERT_EQ(packed.model->frameCount, plain.model->frameCount);
        for (int g = 0; g < plain.model->frameCount; ++g) {
            ASSERT_EQ(packed.model->AtomCount(g), plain.model->AtomCount(g));
            for (int a = 0; a < plain.model->AtomCount(g); ++a) {
                EXPECT_EQ(packed.model->GetAtomCoord(g, a, 2), plain.model->GetAtomCoord(g, a, 2));
                EXPECT_EQ(packed.model->GetBondCount(g, a), plain.model->GetBondCount(g, a));
            }
        }
    }
    // Two members one after the other, as gzip allows.
    WriteGzip(dir.File("one.gz"), pdb.substr(0, 55));
    WriteGzip(dir.File("two.gz"), pdb.substr(55));
    dir.Write("both.pdb.gz", ReadAll(dir.File("one.gz")) + ReadAll(dir.File("two.gz")));
    const MoleculeFile both = ReadMoleculeFile(dir.File("both.pdb.gz"), FileKind::kPdb, {});
    ASSERT_EQ(both.status, MoleculeFile::Status::kMolecule) << both.error;
    EXPECT_EQ(both.model->atomCount, 2);

    // The limit: a file of exactly that size inflates, one byte more does not.
    WriteGzip(dir.File("limit.gz"), pdb);
    const std::string limitBytes = ReadAll(dir.File("limit.gz"));
    const std::vector<char> packedBytes(limitBytes.begin(), limitBytes.end());
    std::vector<char> inflated;
    std::string why;
    EXPECT_TRUE(Gunzip(packedBytes, inflated, pdb.size(), why)) << why;
    EXPECT_EQ(std::string(inflated.begin(), inflated.end()), pdb);
    EXPECT_FALSE(Gunzip(packedBytes, inflated, pdb.size() - 1, why));
    EXPECT_NE(why.find("more than"), std::string::npos) << why;

    // Cut short or damaged: a reason, no molecule, no crash.
    WriteGzip(dir.File("whole.gz"), output);
    const std::string whole = ReadAll(dir.File("whole.gz"));
    std::string damaged = whole;
    damaged[whole.size() / 2] = static_cast<char>(damaged[whole.size() / 2] ^ 0x55);
    damaged[whole.size() / 2 + 1] = static_cast<char>(damaged[whole.size() / 2 + 1] ^ 0x55);
    const struct {
        std::string bytes;
        const char* why;
    } broken[] = {{whole.substr(0, whole.size() / 2), "cut short"},
                  {whole.substr(0, 10), "cut short"},
                  {damaged, "corrupt"}};
    for (const auto& b : broken) {
        const MoleculeFile read =
            ReadMoleculeFile(dir.Write("bad.log.gz", b.bytes), FileKind::kGaussian, {});
        EXPECT_EQ(read.status, MoleculeFile::Status::kCannotOpen);
        EXPECT_NE(read.error.find(b.why), std::string::npos) << read.error;
    }
}

} // namespace
