// The reader a file's name chooses.

#include "formats/FileKind.h"
#include "formats/DialogFilter.h"
#include "formats/FileFormat.h"
#include "formats/ReadMolecule.h"
#include "io/StdioFile.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

namespace {

// The names the desktop associates with the program's chemical types (the
// globs of chemical-mime-data) must each choose a reader, in any case and
// under gzip; near misses choose none.
TEST(FileKind, EveryNameOfTheDesktopsChemicalTypesChoosesAReader) {
    for (const char* gaussian :
         {"a.log", "a.com", "a.out", "a.gjf", "a.gau", "a.gjc", "a.gal", "a.g92", "a.g94", "a.g98",
          "a.G03", "a.g98.gz", "a.g09", "a.G16", "a.g16.gz"})
        EXPECT_EQ(FileKindFromPath(gaussian), FileKind::kGaussian) << gaussian;
    for (const char* pdb : {"a.pdb", "a.ENT", "a.pdb.GZ"})
        EXPECT_EQ(FileKindFromPath(pdb), FileKind::kPdb) << pdb;
    for (const char* mmcif : {"a.cif", "a.mmcif", "a.cif.gz"})
        EXPECT_EQ(FileKindFromPath(mmcif), FileKind::kMmcif) << mmcif;
    for (const char* xyz : {"a.xyz", "A.XYZ", "a.xyz.gz"})
        EXPECT_EQ(FileKindFromPath(xyz), FileKind::kXyz) << xyz;
    // The longer endings need their dot; the short ones are three letters.
    for (const char* cube : {"a.cube", "A.CUBE", "a.cub", "a.cube.gz"})
        EXPECT_EQ(FileKindFromPath(cube), FileKind::kCube) << cube;
    for (const char* fchk : {"a.fchk", "a.FCh", "a.fchk.gz"})
        EXPECT_EQ(FileKindFromPath(fchk), FileKind::kFchk) << fchk;
    // Molden files, as ORCA's orca_2mkl names them too.
    for (const char* molden : {"a.molden", "A.MOLDEN", "h2o.molden.input", "a.molden.gz",
                               "nh3.4711.molden_normal_modes"})
        EXPECT_EQ(FileKindFromPath(molden), FileKind::kMolden) << molden;
    for (const char* unknown : {"a.g10", "a.g1", "a.txt", "gz", ".gz", "a.gz", "a.xy", "og",
                                "acube", "fchk", "a.chk", "amolden", "a.input", "molden"})
        EXPECT_EQ(FileKindFromPath(unknown), FileKind::kUnknown) << unknown;
}

// The filters the dialogs show: their 1-based positions are stored in the
// settings, so the ones there before keep their place and their text; each
// format a filter names reads (Open) or writes (Save) files.
TEST(FileFormats, DialogFiltersKeepTheirStoredPositions) {
    EXPECT_EQ(FilterString(OpenFilters()),
              "Gaussian Data (*.log; *.com; *.out; *.gjf)|*.log; *.com; *.out; *.gjf; *.g03; "
              "*.g09; *.g16; *.log.gz; *.out.gz|PDB Data (*.pdb; *.ent; *.cif; *.mmcif; *.pdb.gz; "
              "*.ent.gz; *.cif.gz; "
              "*.mmcif.gz)|*.pdb; *.ent; *.cif; *.mmcif; *.pdb.gz; *.ent.gz; *.cif.gz; "
              "*.mmcif.gz|All Files (*.*)|*.*|XYZ Files (*.xyz; *.xyz.gz)|*.xyz; *.xyz.gz|"
              "Cube and Checkpoint Files (*.cube; *.cub; *.fchk; *.fch)|*.cube; *.cub; *.fchk; "
              "*.fch; *.cube.gz; *.cub.gz; *.fchk.gz|All Molecule Files (*.*)|*|"
              "RAVEK Sessions (*.ravek)|*.ravek|Molden Files (*.molden; *.molden.input; "
              "*.molden_normal_modes)|*.molden; *.molden.input; *.molden_normal_modes; "
              "*.molden.gz|ORCA Output Files (*.out; *.log)|"
              "*.out; *.log; *.out.gz; *.log.gz||");
    EXPECT_EQ(FilterString(SaveFilters()),
              "Gaussian Input Files (*.com)|*.com|Protein Data Bank Files (*.pdb; *.ent)|*.pdb; "
              "*.ent|Ramachandran Plot Data (*.rpd)|*.rpd|All Files (*.*)|*.*|XYZ Files "
              "(*.xyz)|*.xyz|RAVEK Sessions (*.ravek)|*.ravek|PDB Files with Chains and Models "
              "(*.pdb; *.ent)|*.pdb; *.ent|PDBx/mmCIF Files (*.cif)|*.cif; *.mmcif|"
              "ORCA Input Files (*.inp)|*.inp||");
    for (const DialogFilter& filter : OpenFilters())
        for (const char* name : filter.formats)
            EXPECT_NE(FormatNamed(name)->read, nullptr) << name;
    for (const DialogFilter& filter : SaveFilters())
        for (const char* name : filter.formats)
            EXPECT_NE(FormatNamed(name)->write, nullptr) << name;
    EXPECT_EQ(FilterAt(OpenFilters(), 0), nullptr);
    EXPECT_EQ(FilterAt(SaveFilters(), 10), nullptr);
    // Sessions are no molecule format: their filters name none.
    EXPECT_TRUE(FilterAt(OpenFilters(), 7)->session);
    EXPECT_TRUE(FilterAt(SaveFilters(), 6)->session);
    EXPECT_TRUE(FilterAt(SaveFilters(), 6)->formats.empty());
}

// Files whose names say nothing: the first lines choose the reader, and
// what they cannot place is unknown rather than guessed.
TEST(FileKind, ContentChoosesTheReaderWhereTheNameSaysNothing) {
    EXPECT_EQ(FileKindFromContent("%chk=a.chk\n%mem=1GB\n\n#p b3lyp opt\n\ntitle\n"),
              FileKind::kGaussian);
    EXPECT_EQ(FileKindFromContent(" Entering Gaussian System, Link 0=g16\n"), FileKind::kGaussian);
    EXPECT_EQ(FileKindFromContent("# generated\ndata_1ABC\n_atom_site.id\n"), FileKind::kMmcif);
    EXPECT_EQ(FileKindFromContent("3\nwater\nO 0 0 0.1\nH 0 0.7 -0.4\nH 0 -0.7 -0.4\n"),
              FileKind::kXyz);
    EXPECT_EQ(FileKindFromContent("3\n\n8 0.0 0.0 0.1\n"), FileKind::kXyz);
    // Rows of atomic numbers look like a cube's header lines.
    EXPECT_EQ(FileKindFromContent("4\nmethane\n6 0 0 0\n1 0.6 0.6 0.6\n1 -0.6 -0.6 0.6\n"
                                  "1 -0.6 0.6 -0.6\n"),
              FileKind::kXyz);
    EXPECT_EQ(FileKindFromContent("cube\nSCF density\n    3   -5.0 -5.0 -5.0\n"
                                  "   40  0.25 0 0\n   40 0 0.25 0\n   40 0 0 0.25\n"),
              FileKind::kCube);
    EXPECT_EQ(FileKindFromContent("water\nSP RB3LYP 6-31G\nNumber of atoms                 "
                                  "           I                3\n"),
              FileKind::kFchk);
    EXPECT_EQ(FileKindFromContent("REMARK 1\r\nATOM      1  N   ALA A   1      -0.677  -1.230  "
                                  "-0.491  1.00  0.00           N\r\n"),
              FileKind::kPdb);
    // ORCA's banner, before the input it echoes (here a line that would
    // make a Gaussian input); a Molden file's first line in any case.
    const std::string orca = "\n                                 *****************\n"
                             "                                 * O   R   C   A *\n"
                             "                                 *****************\n"
                             "|  1> # a comment of the input\n|  2> ! B3LYP def2-SVP\n";
    EXPECT_EQ(FileKindFromContent(orca), FileKind::kOrca);
    EXPECT_EQ(FileKindFromContent("\n[Molden Format]\n[Atoms] AU\n"), FileKind::kMolden);
    EXPECT_EQ(FileKindFromContent("[MOLDEN FORMAT]\r\n[Title]\r\n"), FileKind::kMolden);
    EXPECT_EQ(FileKindFromContent("[Atoms] AU\n[Molden Format]\n"), FileKind::kUnknown);
    // An ORCA output under a Gaussian name is an ORCA output; the name
    // decides everywhere else.
    EXPECT_EQ(KindOfNamedFile(FileKind::kGaussian, FileKind::kOrca), FileKind::kOrca);
    EXPECT_EQ(KindOfNamedFile(FileKind::kGaussian, FileKind::kPdb), FileKind::kGaussian);
    EXPECT_EQ(KindOfNamedFile(FileKind::kPdb, FileKind::kOrca), FileKind::kPdb);
    for (const char* unknown : {"", "milk\neggs\n", "3\nthree\nnot an atom\n", "#\n", "ATOM"})
        EXPECT_EQ(FileKindFromContent(unknown), FileKind::kUnknown) << unknown;
    // The all-files filter that reads by content asks for it only when the
    // name says nothing.
    const DialogFilter* all = FilterAt(OpenFilters(), 6);
    ASSERT_NE(all, nullptr);
    EXPECT_EQ(KindToOpen(all, FileKind::kUnknown), FileKind::kByContent);
    EXPECT_EQ(KindToOpen(all, FileKind::kPdb), FileKind::kPdb);
    EXPECT_EQ(KindToOpen(FilterAt(OpenFilters(), 3), FileKind::kUnknown), FileKind::kUnknown);
}

// Every shared file whose name says its kind is placed by its content alone
// as its name places it (compressed ones through gzip).
TEST(FileKind, ContentAgreesWithTheNameOnEverySharedFile) {
    const std::filesystem::path dir = RAVEK_TESTDATA_DIR;
    if (!std::filesystem::is_directory(dir))
        GTEST_SKIP() << "test data folder " << dir << " is absent";
    int checked = 0, orca = 0, molden = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir)) {
        const std::string path = entry.path().string();
        // The folder a file lies in says what wrote it: ORCA outputs are
        // named as Gaussian's are (.out), Molden files by their own names.
        const bool inOrca = path.find("/orca/") != std::string::npos;
        const bool inMolden = path.find("/molden/") != std::string::npos;
        const FileKind named = FileKindFromPath(path);
        // Damaged files are another program's output under a Gaussian name.
        if (!entry.is_regular_file() || named == FileKind::kUnknown ||
            path.find("/malformed/") != std::string::npos)
            continue;
        const FileKind expected = inOrca ? FileKind::kOrca : inMolden ? FileKind::kMolden : named;
        StdioFile file;
        ASSERT_TRUE(file.Open(path, StdioFile::modeRead)) << path;
        std::size_t available = 0;
        const char* head = file.Peek(available);
        const FileKind content = FileKindFromContent(std::string_view(head, available));
        EXPECT_EQ(content, expected) << path;
        EXPECT_EQ(KindOfNamedFile(named, content), expected) << path;
        ++checked;
        orca += inOrca;
        molden += inMolden;
    }
    EXPECT_GT(checked, 20);
    EXPECT_GE(orca, 8);
    EXPECT_GE(molden, 2);
}

// ORCA outputs under Gaussian's names, and Molden files, are read by their
// own readers through the one reading path every program part uses, the
// ORCA output with the follower of a running job.
TEST(FileKind, OrcaAndMoldenFilesAreReadByTheirOwnReaders) {
    const std::filesystem::path dir = RAVEK_TESTDATA_DIR;
    if (!std::filesystem::is_directory(dir / "orca") ||
        !std::filesystem::is_directory(dir / "molden"))
        GTEST_SKIP() << "the orca/ and molden/ folders of " << dir << " are absent";
    const std::string out = (dir / "orca/orca42_dvb_gopt.out").string();
    for (const FileKind asked : {FileKindFromPath(out), FileKind::kByContent}) {
        const MoleculeFile read = ReadMoleculeFile(out, asked, PdbOptions());
        EXPECT_EQ(read.status, MoleculeFile::Status::kMolecule);
        EXPECT_EQ(read.kind, FileKind::kOrca);
        ASSERT_NE(read.model, nullptr);
        EXPECT_EQ(read.model->sourceKind, CMolData::SourceKind::kOrca);
        EXPECT_NE(read.follower, nullptr);
        EXPECT_EQ(read.Describe("dvb.out"), "");
    }
    const std::string molden = (dir / "molden/orca_h2o.molden.input").string();
    const MoleculeFile read = ReadMoleculeFile(molden, FileKindFromPath(molden), PdbOptions());
    EXPECT_EQ(read.status, MoleculeFile::Status::kMolecule);
    EXPECT_EQ(read.kind, FileKind::kMolden);
}

// Saving by name: every written format is found by its endings in any case;
// a name no writer has finds none.
TEST(FileFormats, SavedFormatsFollowTheExtension) {
    EXPECT_STREQ(FormatSavedAs("GJF")->name, "com");
    EXPECT_STREQ(FormatSavedAs("ent")->name, "pdb");
    EXPECT_STREQ(FormatSavedAs("rpd")->name, "rpd");
    EXPECT_STREQ(FormatSavedAs("xyz")->name, "xyz");
    EXPECT_EQ(FormatSavedAs("log"), nullptr); // read, never written
    EXPECT_EQ(FormatSavedAs(""), nullptr);
    EXPECT_EQ(FormatNames(false, true), "gaussian|pdb|mmcif|xyz|cube|fchk|orca|molden");
    EXPECT_EQ(FormatNames(true, false),
              "com, pdb, pdb-short, pdb-full, mmcif, rpd, xyz or orca-input");
    EXPECT_STREQ(FormatSavedAs("INP")->name, "orca-input");
    EXPECT_STREQ(FormatSavedAs("cif")->name, "mmcif");
}

std::string ReadWhole(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The desktop's files name the types and the command line's names the
// table gives, so that a format added to the table cannot be forgotten
// there.
TEST(FileFormats, DesktopFilesAndManualNameEveryFormat) {
    const std::string dist = RAVEK_DIST_DIR;
    const std::string desktop = ReadWhole(dist + "/org.ravek.Ravek.desktop");
    EXPECT_NE(desktop.find("\nMimeType=" + MimeTypeList() + "\n"), std::string::npos) << desktop;
    const std::string metainfo = ReadWhole(dist + "/org.ravek.Ravek.metainfo.xml");
    for (const FileFormat& format : FileFormats())
        for (const char* type : format.mimeTypes)
            EXPECT_NE(metainfo.find(std::string("<mediatype>") + type + "</mediatype>"),
                      std::string::npos)
                << type;
    const std::string manual = ReadWhole(dist + "/ravek-cli.1");
    // roff writes a hyphen as "\-".
    const auto roff = [](std::string text) {
        for (std::size_t at = text.find('-'); at != std::string::npos; at = text.find('-', at + 2))
            text.insert(at, "\\");
        return text;
    };
    EXPECT_NE(manual.find(".RB [ \\-\\-type \" " + FormatNames(false, true) + "]\""),
              std::string::npos);
    std::string written;
    for (const FileFormat& format : FileFormats())
        if (format.write != nullptr)
            written += (written.empty() ? "" : " | ") + roff(format.name);
    EXPECT_NE(manual.find(".BR " + written + "\n"), std::string::npos) << written;
}

} // namespace
