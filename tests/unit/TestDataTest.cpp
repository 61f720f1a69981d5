// Every real file of the shared test-data folder, read by the program's
// readers and, independently, by a few lines of plain parsing here.

#include "formats/CGauData.h"
#include "formats/CPDBData.h"
#include "formats/GaussianInputWriter.h"
#include "formats/NoMoleculeReason.h"
#include "formats/PdbOptions.h"
#include "formats/PdbWriter.h"
#include "io/StdioFile.h"
#include "model/BondLimits.h"
#include "model/ElementTable.h"
#include "tests/unit/ReadText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

namespace {

const std::filesystem::path kDataDir = RAVEK_TESTDATA_DIR;

// Files named in MANIFEST.tsv (first column), relative to the folder.
std::vector<std::string> ManifestFiles(const std::string& prefix) {
    std::vector<std::string> files;
    std::ifstream in(kDataDir / "MANIFEST.tsv");
    std::string line;
    std::getline(in, line); // column names
    while (std::getline(in, line)) {
        const std::string path = line.substr(0, line.find('\t'));
        if (path.rfind(prefix, 0) == 0)
            files.push_back(path);
    }
    return files;
}

std::vector<std::string> Lines(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> Words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    std::string word;
    while (in >> word)
        words.push_back(word);
    return words;
}

bool Contains(const std::string& line, const char* text) {
    return line.find(text) != std::string::npos;
}

bool IsRuler(const std::string& line) {
    return Contains(line, "--------------------------");
}

std::string TestName(const ::testing::TestParamInfo<std::string>& info) {
    std::string name = info.param;
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    }
    return name;
}

// ---------------------------------------------------------------- Gaussian

struct Table {
    std::vector<std::vector<std::string>> rows;
    bool complete = false;
};

// The geometry tables an output prints: input (or Z-matrix) orientations,
// and standard orientations until the first of those.
std::vector<Table> OrientationTables(const std::vector<std::string>& lines) {
    std::vector<Table> tables;
    bool inputSeen = false, pending = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (Contains(line, "Input orientation:") || Contains(line, "Z-Matrix orientation:"))
            inputSeen = pending = true;
        else if (!inputSeen && Contains(line, "Standard orientation:"))
            pending = true;
        if (!pending || !Contains(line, "Coordinates (Angstroms)"))
            continue;
        pending = false;
        Table table;
        std::size_t k = i + 1;
        while (k < lines.size() && !IsRuler(lines[k]))
            ++k;
        for (++k; k < lines.size(); ++k) {
            if (IsRuler(lines[k])) {
                table.complete = true;
                break;
            }
            table.rows.push_back(Words(lines[k]));
        }
        tables.push_back(table);
    }
    if (!tables.empty() && !tables.back().complete)
        tables.pop_back(); // a running job's last table
    return tables;
}

class GaussianOutputFile : public ::testing::TestWithParam<std::string> {};

TEST_P(GaussianOutputFile, MatchesAnIndependentReading) {
    BondLimits::instance().ApplyBuiltIn();
    const std::filesystem::path path = kDataDir / GetParam();
    const std::vector<Table> tables = OrientationTables(Lines(path));
    auto mol = ReadFile<CGauData>(path.string());
    ASSERT_NE(mol, nullptr);
    ASSERT_EQ(mol->frameCount, static_cast<int>(tables.size()));
    if (tables.empty()) {
        EXPECT_NE(NoMoleculeReasonOf(*mol), NoMoleculeReason::kNone);
        return;
    }
    // Each geometry holds the rows of its own table.
    std::size_t largest = 0;
    for (std::size_t t = 0; t < tables.size(); ++t) {
        EXPECT_EQ(mol->AtomCount(static_cast<int>(t)), static_cast<int>(tables[t].rows.size()))
            << "table " << t;
        largest = std::max(largest, tables[t].rows.size());
    }
    ASSERT_EQ(mol->atomCount, static_cast<int>(largest));
    EXPECT_EQ(mol->GetCurrentFrame(), mol->frameCount - 1);
    const Table& last = tables.back();
    const int g = mol->frameCount - 1;
    const int atoms = mol->AtomCount(g);
    for (int a = 0; a < atoms && a < static_cast<int>(last.rows.size()); ++a) {
        const std::vector<std::string>& row = last.rows[static_cast<std::size_t>(a)];
        ASSERT_GE(row.size(), 5u) << "row " << a;
        const int element = ElementTable::Clamp(std::stoi(row[1]));
        EXPECT_EQ(mol->GetElement(g, a), element) << "atom " << a;
        EXPECT_EQ(mol->GetLabel(g, a), std::to_string(a + 1) + ElementTable::Symbol(element));
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(mol->GetAtomCoord(g, a, k), std::stod(row[row.size() - 3 + k]))
                << "atom " << a << " coordinate " << k;
    }
}

// Written as a Gaussian input and read again: the same atoms.
TEST_P(GaussianOutputFile, GaussianInputRoundTrip) {
    BondLimits::instance().ApplyBuiltIn();
    auto mol = ReadFile<CGauData>((kDataDir / GetParam()).string());
    ASSERT_NE(mol, nullptr);
    if (NoMoleculeReasonOf(*mol) != NoMoleculeReason::kNone)
        GTEST_SKIP() << "no molecule in this file";
    TempDir dir;
    const std::string path = dir.File("again.com");
    ASSERT_TRUE(
        WriteFile(path, [&](StdioFile* out) { return WriteGaussianInput(*mol, out, path); }));
    auto again = ReadFile<CGauData>(path);
    const int g = mol->GetCurrentFrame();
    ASSERT_EQ(again->atomCount, mol->AtomCount(g));
    for (int a = 0; a < mol->AtomCount(g); ++a) {
        EXPECT_EQ(again->GetElement(0, a), mol->GetElement(g, a)) << "atom " << a;
        for (int k = 0; k < 3; ++k)
            EXPECT_NEAR(again->GetAtomCoord(0, a, k), mol->GetAtomCoord(g, a, k), 1e-6);
    }
}

// ------------------------------------------------------------------ inputs

class GaussianInputFile : public ::testing::TestWithParam<std::string> {};

TEST_P(GaussianInputFile, MatchesAnIndependentReading) {
    BondLimits::instance().ApplyBuiltIn();
    const std::filesystem::path path = kDataDir / GetParam();
    const std::vector<std::string> lines = Lines(path);
    // The route line among the first nine, then blank, title, blank, charge.
    std::size_t route = 0;
    while (route < lines.size() && route < 9) {
        const std::size_t first = lines[route].find_first_not_of(" \t");
        if (first != std::string::npos && lines[route][first] == '#')
            break;
        ++route;
    }
    auto mol = ReadFile<CGauData>(path.string());
    ASSERT_NE(mol, nullptr);
    if (route == lines.size() || route == 9) {
        EXPECT_EQ(mol->frameCount, 0);
        return;
    }
    std::size_t end = route + 5;
    while (end < lines.size() && !lines[end].empty())
        ++end;
    const int atoms = static_cast<int>(end - std::min(end, route + 5));
    bool cartesian = false;
    if (atoms > 0) {
        const std::vector<std::string> first = Words(lines[route + 5]);
        cartesian = first.size() >= 4;
        for (std::size_t k = 1; k < 4 && cartesian; ++k) {
            char* stop = nullptr;
            std::strtod(first[k].c_str(), &stop);
            cartesian = stop != first[k].c_str();
        }
    }
    if (!cartesian) {
        EXPECT_NE(NoMoleculeReasonOf(*mol), NoMoleculeReason::kNone);
        return;
    }
    EXPECT_EQ(NoMoleculeReasonOf(*mol), NoMoleculeReason::kNone);
    EXPECT_EQ(mol->atomCount, atoms);
    // The last atom: its coordinates are the last three numbers of the line
    // unless something follows them (layer letters); check the symbol only.
    const std::vector<std::string> last = Words(lines[end - 1]);
    std::string letters;
    for (std::size_t k = 0; k < 2 && k < last[0].size(); ++k) {
        if (std::isalpha(static_cast<unsigned char>(last[0][k])))
            letters += last[0][k];
    }
    EXPECT_EQ(mol->GetLabel(0, atoms - 1), std::to_string(atoms) + letters);
}

// --------------------------------------------------------------------- PDB

class PdbFile : public ::testing::TestWithParam<std::string> {};

TEST_P(PdbFile, CountsResiduesAndBondsAreSane) {
    BondLimits::instance().ApplyBuiltIn();
    const std::filesystem::path path = kDataDir / GetParam();
    int records = 0, residues = 0;
    std::string lastKey;
    for (const std::string& line : Lines(path)) {
        if (line.rfind("ATOM", 0) != 0 && line.rfind("HETATM", 0) != 0)
            continue;
        ++records;
        // Residue name, number and insertion code; the chain is not part of it.
        std::string key = line.substr(17, 4) + "|" + line.substr(22, 5);
        if (records == 1 || key != lastKey)
            ++residues;
        lastKey = key;
    }
    for (int mode : {0, 1}) {
        SCOPED_TRACE("bond mode " + std::to_string(mode));
        auto mol = ReadFile<CPDBData>(path.string(), PdbOptions{0, mode});
        ASSERT_NE(mol, nullptr);
        ASSERT_EQ(mol->atomCount, records);
        CMolFrame& frame = *mol->GetFrame(0);
        EXPECT_EQ(frame.residueCount, residues);
        EXPECT_EQ(static_cast<int>(frame.residueLabels.size()), residues);
        int inResidues = 0;
        for (const auto& [r, list] : frame.residueAtoms)
            inResidues += static_cast<int>(list.size());
        EXPECT_EQ(inResidues, records);
        int bonded = 0;
        for (int a = 0; a < mol->atomCount; ++a) {
            bonded += mol->GetBondCount(0, a) > 0;
            for (int k = 0; k < mol->GetBondCount(0, a); ++k)
                ASSERT_LE(mol->GetDistance(0, a, mol->GetBondedAtom(0, a, k)), 2.6)
                    << mol->GetAtomDescription(0, a);
        }
        if (records > 100) {
            EXPECT_GT(bonded, records / 2);
        }
    }
    // With CONECT records, only the atoms they name have bonds.
    auto conect = ReadFile<CPDBData>(path.string(), PdbOptions{1, 1});
    std::set<int> named;
    for (const std::string& line : Lines(path)) {
        if (line.rfind("CONECT", 0) == 0 && line.size() >= 11)
            named.insert(std::atoi(line.substr(6, 5).c_str()));
    }
    // (An earlier model's atom whose serial a later model took has none.)
    for (int a = 0; a < conect->atomCount; ++a) {
        const int serial = conect->GetFrame(0)->SerialOfAtom(a);
        if (conect->GetBondCount(0, a) > 0 && serial >= 0) {
            EXPECT_TRUE(named.count(serial) > 0) << "serial " << serial;
        }
    }
}

// Written in the full PDB layout and read again: the same atoms, residues
// and residue names, and the same names where they fit their columns (a
// longer name, such as one with an alternate location, runs into the
// residue name).
TEST_P(PdbFile, FullLayoutRoundTrip) {
    BondLimits::instance().ApplyBuiltIn();
    auto mol = ReadFile<CPDBData>((kDataDir / GetParam()).string());
    ASSERT_NE(mol, nullptr);
    if (NoMoleculeReasonOf(*mol) != NoMoleculeReason::kNone)
        GTEST_SKIP() << "no molecule in this file";
    TempDir dir;
    const std::string path = dir.File("again.pdb");
    {
        StdioFile out;
        ASSERT_TRUE(out.Open(path, StdioFile::modeWrite));
        ASSERT_TRUE(writePdb(*mol, &out));
        ASSERT_TRUE(out.Close());
    }
    auto again = ReadFile<CPDBData>(path);
    ASSERT_EQ(again->atomCount, mol->atomCount);
    EXPECT_EQ(again->GetFrame(0)->residueCount, mol->GetFrame(0)->residueCount);
    int compared = 0;
    for (int a = 0; a < mol->atomCount; ++a) {
        SCOPED_TRACE(mol->GetAtomDescription(0, a));
        // A dummy atom (a name no symbol matched, such as the right-aligned
        // "  CA" some programs write) gets its name written from column 13,
        // where a letter pair reads as a two-letter element.
        if (mol->GetElement(0, a) != 0) {
            EXPECT_EQ(again->GetElement(0, a), mol->GetElement(0, a));
        }
        for (int k = 0; k < 3; ++k)
            EXPECT_NEAR(again->GetAtomCoord(0, a, k), mol->GetAtomCoord(0, a, k), 0.0005 + 1e-9);
        const std::string label = mol->GetLabel(0, a);
        const std::size_t w = std::strlen(ElementTable::Symbol(mol->GetElement(0, a)));
        if (label.size() > w + 3 || label.find(' ') != std::string::npos)
            continue;
        EXPECT_EQ(again->GetLabel(0, a), label);
        EXPECT_EQ(again->GetResidueName(0, a), mol->GetResidueName(0, a));
        ++compared;
    }
    EXPECT_GT(compared, mol->atomCount / 3);
}

// ----------------------------------------------------------------------

std::vector<std::string> OutputFiles() {
    std::vector<std::string> files;
    for (const std::string& file : ManifestFiles("gaussian/")) {
        if (file.rfind("gaussian/input/", 0) != 0)
            files.push_back(file);
    }
    return files;
}

INSTANTIATE_TEST_SUITE_P(Shared, GaussianOutputFile, ::testing::ValuesIn(OutputFiles()), TestName);
INSTANTIATE_TEST_SUITE_P(Shared, GaussianInputFile,
                         ::testing::ValuesIn(ManifestFiles("gaussian/input/")), TestName);
INSTANTIATE_TEST_SUITE_P(Shared, PdbFile, ::testing::ValuesIn(ManifestFiles("pdb/")), TestName);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(GaussianOutputFile);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(GaussianInputFile);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(PdbFile);

TEST(SharedTestData, FolderIsPresent) {
    if (!std::filesystem::is_regular_file(kDataDir / "MANIFEST.tsv"))
        GTEST_SKIP() << "test data folder " << kDataDir
                     << " is absent: the tests over real files did not run";
    EXPECT_GT(ManifestFiles("").size(), 50u);
}

} // namespace
