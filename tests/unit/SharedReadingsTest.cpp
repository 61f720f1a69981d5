// Every shared file's reading compared with a recorded one: the geometries
// (labels, elements, coordinates) and the bonds between the elements of the
// built-in bond limits. A change of the readers or of the bond limits that
// alters either shows up here by file; changes made on purpose are listed
// with their reason.
//
// RAVEK_RECORD_READINGS=<file> writes the current readings instead of
// comparing them.

#include "formats/CGauData.h"
#include "formats/CPDBData.h"
#include "model/BondLimits.h"
#include "model/ElementTable.h"
#include "tests/unit/ReadText.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

namespace {

const std::filesystem::path kDataDir = RAVEK_TESTDATA_DIR;
const std::filesystem::path kRecorded = RAVEK_READINGS_FILE;

// 64-bit FNV-1a over the text fed to it.
class Digest {
public:
    void Add(const std::string& text) {
        for (unsigned char c : text) {
            hash_ ^= c;
            hash_ *= 1099511628211ULL;
        }
    }
    std::string Hex() const {
        char text[17];
        std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash_));
        return text;
    }

private:
    std::uint64_t hash_ = 14695981039346656037ULL;
};

// The elements of the built-in bond limits.
bool IsOrganic(int element) {
    static const std::set<std::string> kSymbols = {"H", "C", "N", "O", "F", "P", "S", "CL", "BR"};
    return kSymbols.count(ElementTable::Symbol(element)) > 0;
}

struct Reading {
    int geometries = 0;
    int atoms = 0;
    std::string geometry; // digest of labels, elements and coordinates
    std::string organicBonds;
    int otherBonds = 0;

    std::string Line(const std::string& file) const {
        std::ostringstream out;
        out << file << '\t' << geometries << '\t' << atoms << '\t' << geometry << '\t'
            << organicBonds << '\t' << otherBonds;
        return out.str();
    }
};

Reading ReadingOf(const std::string& file) {
    BondLimits::instance().ApplyBuiltIn();
    const std::string path = (kDataDir / file).string();
    std::unique_ptr<CMolData> mol;
    if (file.rfind("pdb/", 0) == 0)
        mol = ReadFile<CPDBData>(path);
    else
        mol = ReadFile<CGauData>(path);
    Reading reading;
    if (mol == nullptr)
        return reading;
    reading.geometries = mol->frameCount;
    Digest geometry, organic;
    for (int g = 0; g < mol->frameCount; ++g) {
        const int atoms = mol->AtomCount(g);
        reading.atoms += atoms;
        for (int a = 0; a < atoms; ++a) {
            char text[160];
            std::snprintf(text, sizeof text, "%s|%d|%.6f|%.6f|%.6f\n", mol->Atom(g, a).label,
                          mol->GetElement(g, a), mol->GetAtomCoord(g, a, 0),
                          mol->GetAtomCoord(g, a, 1), mol->GetAtomCoord(g, a, 2));
            geometry.Add(text);
            for (int k = 0; k < mol->GetBondCount(g, a); ++k) {
                const int b = mol->GetBondedAtom(g, a, k);
                if (b <= a)
                    continue;
                if (IsOrganic(mol->GetElement(g, a)) && IsOrganic(mol->GetElement(g, b)))
                    organic.Add(std::to_string(g) + ':' + std::to_string(a) + '-' +
                                std::to_string(b) + '\n');
                else
                    ++reading.otherBonds;
            }
        }
    }
    reading.geometry = geometry.Hex();
    reading.organicBonds = organic.Hex();
    return reading;
}

std::vector<std::string> ManifestFiles() {
    std::vector<std::string> files;
    std::ifstream in(kDataDir / "MANIFEST.tsv");
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line)) {
        const std::string file = line.substr(0, line.find('\t'));
        if (file.rfind("gaussian/", 0) == 0 || file.rfind("pdb/", 0) == 0)
            files.push_back(file);
    }
    return files;
}

// Readings that differ from the recorded ones on purpose, and why.
const std::map<std::string, std::string> kChangedOnPurpose = {
    {"gaussian/input/water_multi_route.com", "a route of three lines is read (was empty)"},
    {"gaussian/input/water_z.com", "Z-matrix read (was refused)"},
    {"gaussian/input/water_mp2.com", "Z-matrix read (was refused)"},
    {"gaussian/input/dvb_gopt.gjf", "Z-matrix read (was refused)"},
    {"gaussian/input/dvb_raman.gjf", "Z-matrix read (was refused)"},
    {"gaussian/input/dvb_bomd.in", "comma-separated fields read (was 20 dummies at the origin)"},
    {"gaussian/input/gaussian_file.gjf", "atomic numbers give elements (were 31 dummies)"},
    {"pdb/1CKV.pdb", "14 models as 14 geometries (were one geometry of all models' atoms)"},
    {"pdb/nmr_neopetrosiamide.pdb", "24 models as 24 geometries (were one geometry)"},
    {"pdb/WIN_nmr_neopetrosiamide.pdb", "24 models as 24 geometries (were one geometry)"},
    {"pdb/end-endmdl.pdb", "models of other atoms: the first model only (were both in one)"},
};

TEST(SharedReadings, MatchTheRecordedOnes) {
    if (!std::filesystem::exists(kDataDir / "MANIFEST.tsv"))
        GTEST_SKIP() << "shared test data not present";
    const std::vector<std::string> files = ManifestFiles();
    if (const char* record = std::getenv("RAVEK_RECORD_READINGS")) {
        std::ofstream out(record);
        for (const std::string& file : files)
            out << ReadingOf(file).Line(file) << '\n';
        GTEST_SKIP() << "recorded " << files.size() << " readings in " << record;
    }
    std::map<std::string, std::string> recorded;
    std::ifstream in(kRecorded);
    std::string line;
    while (std::getline(in, line))
        recorded[line.substr(0, line.find('\t'))] = line;
    ASSERT_FALSE(recorded.empty()) << "no recorded readings in " << kRecorded;
    for (const std::string& file : files) {
        auto it = recorded.find(file);
        if (it == recorded.end() || kChangedOnPurpose.count(file) > 0)
            continue;
        // Bonds that involve other elements may only have been added (the
        // limits from covalent radii are never below the old 1.7 Å).
        const std::string now = ReadingOf(file).Line(file);
        const std::size_t cut = now.rfind('\t'), recordedCut = it->second.rfind('\t');
        EXPECT_EQ(now.substr(0, cut), it->second.substr(0, recordedCut));
        EXPECT_GE(std::stoi(now.substr(cut + 1)), std::stoi(it->second.substr(recordedCut + 1)))
            << file;
    }
}

} // namespace
