// Every real file of the shared test-data folder, read by the program's
// readers and, independently, by a few lines of plain parsing here.

#include "formats/CGauData.h"
#include "formats/CMmcifData.h"
#include "formats/CPDBData.h"
#include "formats/GaussianInputWriter.h"
#include "formats/NoMoleculeReason.h"
#include "formats/PdbOptions.h"
#include "formats/PdbWriter.h"
#include "io/StdioFile.h"
#include "model/BackboneAngles.h"
#include "model/BondLimits.h"
#include "model/ElementTable.h"
#include "tests/support/PairScanBonds.h"
#include "tests/unit/GrowingFile.h"
#include "tests/unit/ReadText.h"
#include "tests/unit/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
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

std::vector<std::string> Lines(std::istream& in) {
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> Lines(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Lines(in);
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

// Points at which a running job's file may end: inside geometry tables and
// at their ends, inside energy and convergence lines, frequency blocks and
// termination lines; at most about 40 of them, spread over the file.
std::vector<std::size_t> GrowthCuts(const std::string& text) {
    std::vector<std::size_t> cuts;
    const char* const kMarks[] = {"orientation:",   "--------------------------",
                                  "SCF Done:",      "Maximum Force",
                                  "Frequencies --", "  AN  ",
                                  "termination"};
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        end = end == std::string::npos ? text.size() : end + 1;
        const std::string_view line(text.data() + start, end - start);
        for (const char* mark : kMarks) {
            if (line.find(mark) != std::string_view::npos) {
                cuts.push_back(start);
                cuts.push_back(start + line.size() / 2);
                cuts.push_back(end);
            }
        }
        start = end;
    }
    std::vector<std::size_t> some;
    const std::size_t every = cuts.size() / 40 + 1;
    for (std::size_t k = 0; k < cuts.size(); k += every)
        some.push_back(cuts[k]);
    some.push_back(text.size());
    return some;
}

TEST_P(GaussianOutputFile, GrowsStepByStepAsAFreshReadingWould) {
    BondLimits::instance().ApplyBuiltIn();
    std::ifstream in(kDataDir / GetParam(), std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const std::vector<std::size_t> cuts = GrowthCuts(text);
    if (cuts.size() < 3)
        GTEST_SKIP() << "no step to cut at";
    ExpectGrowsLikeFreshReadings(text, cuts, [&](CMolData& model, std::size_t cut) {
        // Exactly the complete tables, as a plain reading counts them.
        std::istringstream prefix(text.substr(0, cut));
        EXPECT_EQ(model.frameCount, static_cast<int>(OrientationTables(Lines(prefix)).size()));
    });
}

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
    EXPECT_EQ(mol->firstShownFrame, mol->frameCount - 1);
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

// The molecule section an output echoes under "Symbolic Z-matrix:",
// read as an input, against the first input or Z-matrix orientation table
// after it: the coordinates Gaussian itself computed from the same lines.
TEST_P(GaussianOutputFile, EchoedMoleculeSectionPlacesAtomsAsGaussianDid) {
    const std::vector<std::string> lines = Lines(kDataDir / GetParam());
    std::size_t at = 0;
    while (at < lines.size() && !Contains(lines[at], "Symbolic Z-matrix:"))
        ++at;
    if (at == lines.size())
        GTEST_SKIP() << "no echoed molecule section";
    std::string input = "#p\n\ntitle\n\n0 1\n";
    std::size_t k = at + 1;
    while (k < lines.size() && Contains(lines[k], "Charge ="))
        ++k;
    for (; k < lines.size(); ++k) {
        const std::string& line = lines[k];
        if (Words(line).empty() || Contains(line, "Leave Link") || Contains(line, "ITRead") ||
            Contains(line, "NAtoms") || Contains(line, "(Enter") || Contains(line, "GradGrad"))
            break;
        if (Words(line)[0] == "Tv" || Words(line)[0] == "TV")
            GTEST_SKIP() << "translation vectors are no positions";
        input += line + "\n";
    }
    std::vector<Table> tables = OrientationTables(
        std::vector<std::string>(lines.begin() + static_cast<std::ptrdiff_t>(k), lines.end()));
    if (tables.empty())
        GTEST_SKIP() << "no input or Z-matrix orientation after the echo";
    bool inputOrientation = false;
    for (std::size_t i = k; i < lines.size(); ++i) {
        if (Contains(lines[i], "Input orientation:") || Contains(lines[i], "Z-Matrix orientation:"))
            inputOrientation = true;
        if (Contains(lines[i], "orientation:"))
            break;
    }
    if (!inputOrientation)
        GTEST_SKIP() << "only a standard orientation follows";
    BondLimits::instance().ApplyBuiltIn();
    auto mol = ReadText<CGauData>(input);
    ASSERT_EQ(NoMoleculeReasonOf(*mol), NoMoleculeReason::kNone) << input;
    // Input orientation tables leave dummy atoms out.
    std::vector<int> atoms;
    for (int a = 0; a < mol->atomCount; ++a) {
        if (tables[0].rows.size() == static_cast<std::size_t>(mol->atomCount) ||
            mol->GetElement(0, a) != 0)
            atoms.push_back(a);
    }
    ASSERT_EQ(atoms.size(), tables[0].rows.size());
    using Vec = std::array<double, 3>;
    std::vector<Vec> ours, theirs;
    for (std::size_t i = 0; i < atoms.size(); ++i) {
        const std::vector<std::string>& row = tables[0].rows[i];
        const int element = std::stoi(row[1]);
        EXPECT_EQ(mol->GetElement(0, atoms[i]), element < 0 ? 0 : ElementTable::Clamp(element));
        Vec p, q;
        for (int c = 0; c < 3; ++c) {
            p[static_cast<std::size_t>(c)] = mol->GetAtomCoord(0, atoms[i], c);
            q[static_cast<std::size_t>(c)] = std::stod(row[row.size() - 3 + c]);
        }
        ours.push_back(p);
        theirs.push_back(q);
    }
    // Gaussian may move and turn the input before it prints the table: the
    // same shape means the same distances between all atoms and the same
    // signed volumes of successive quadruples (a mirror image changes their
    // sign). The echo and the table print five or six figures.
    const auto minus = [](const Vec& a, const Vec& b) {
        return Vec{a[0] - b[0], a[1] - b[1], a[2] - b[2]};
    };
    const auto length = [](const Vec& a) {
        return std::sqrt(a[0] * a[0] + a[1] * a[1] + a[2] * a[2]);
    };
    const auto volume = [&](const std::vector<Vec>& p, std::size_t i) {
        const Vec a = minus(p[i], p[i + 3]), b = minus(p[i + 1], p[i + 3]),
                  c = minus(p[i + 2], p[i + 3]);
        return a[0] * (b[1] * c[2] - b[2] * c[1]) - a[1] * (b[0] * c[2] - b[2] * c[0]) +
               a[2] * (b[0] * c[1] - b[1] * c[0]);
    };
    for (std::size_t i = 0; i < ours.size(); ++i) {
        for (std::size_t j = 0; j < i; ++j)
            EXPECT_NEAR(length(minus(ours[i], ours[j])), length(minus(theirs[i], theirs[j])), 2e-4)
                << "atoms " << i + 1 << " and " << j + 1;
        if (i + 3 < ours.size()) {
            const double expected = volume(theirs, i);
            EXPECT_NEAR(volume(ours, i), expected, 1e-3 + 1e-3 * std::abs(expected))
                << "atoms " << i + 1 << " to " << i + 4;
        }
    }
}

// Every normal mode against a reading here: each block's mode numbers two
// lines above its frequencies, its displacement rows (atom rows, or
// coordinate rows in the high-precision layout, which the reader prefers),
// the geometry being the last orientation table before the block.
TEST_P(GaussianOutputFile, NormalModesMatchAnIndependentReading) {
    const std::vector<std::string> lines = Lines(kDataDir / GetParam());
    struct Mode {
        int number = 0;
        double frequency = 0.0;
        std::vector<double> values; // x, y, z per atom
    };
    std::map<int, std::map<int, Mode>> standard, precise; // geometry → number → mode
    for (std::size_t i = 2; i < lines.size(); ++i) {
        const std::vector<std::string> w = Words(lines[i]);
        if (w.size() < 3 || w[0] != "Frequencies" || (w[1] != "--" && w[1] != "---"))
            continue;
        const bool hp = w[1] == "---";
        const std::vector<std::string> numbers = Words(lines[i - 2]);
        const int g =
            static_cast<int>(OrientationTables(
                                 std::vector<std::string>(
                                     lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(i)))
                                 .size()) -
            1;
        if (g < 0)
            continue;
        const int atoms = static_cast<int>(
            OrientationTables(std::vector<std::string>(
                                  lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(i)))
                .back()
                .rows.size());
        std::size_t k = i;
        while (k < lines.size() && !Contains(lines[k], hp ? "Coord Atom Element:" : "Atom  AN") &&
               !Contains(lines[k], "Atom AN"))
            ++k;
        std::vector<Mode> block(numbers.size());
        for (std::size_t j = 0; j < numbers.size(); ++j) {
            block[j].number = std::stoi(numbers[j]);
            block[j].frequency = std::stod(w[2 + j]);
            block[j].values.assign(static_cast<std::size_t>(3 * atoms), 0.0);
        }
        const int rows = hp ? 3 * atoms : atoms;
        for (int r = 0; r < rows; ++r) {
            const std::vector<std::string> v = Words(lines[k + 1 + static_cast<std::size_t>(r)]);
            for (std::size_t j = 0; j < block.size(); ++j) {
                if (hp) {
                    const int index = (std::stoi(v[1]) - 1) * 3 + std::stoi(v[0]) - 1;
                    block[j].values[static_cast<std::size_t>(index)] = std::stod(v[3 + j]);
                } else {
                    for (int c = 0; c < 3; ++c)
                        block[j].values[static_cast<std::size_t>((std::stoi(v[0]) - 1) * 3 + c)] =
                            std::stod(v[2 + 3 * j + static_cast<std::size_t>(c)]);
                }
            }
        }
        for (const Mode& mode : block)
            (hp ? precise : standard)[g].emplace(mode.number, mode);
    }
    BondLimits::instance().ApplyBuiltIn();
    auto mol = ReadFile<CGauData>((kDataDir / GetParam()).string());
    ASSERT_NE(mol, nullptr);
    // Gaussian prints modes in the standard orientation; the reader turns
    // them into the orientation of the geometry drawn. A turn keeps every
    // length and angle between the displacement vectors, and in the right
    // orientation a mode carries no rotation: Σ m (r − r_cm) × d is about 0
    // (Eckart), measured against Σ m |r − r_cm| |d|.
    int compared = 0;
    for (int g = 0; g < mol->frameCount; ++g) {
        const std::map<int, Mode>& expected = precise.count(g) > 0 ? precise[g] : standard[g];
        const std::vector<NormalMode>& modes = mol->GetFrame(g)->modes;
        ASSERT_EQ(modes.size(), expected.size()) << "geometry " << g;
        const int atoms = mol->AtomCount(g);
        double total = 0.0, centre[3] = {0, 0, 0};
        for (int a = 0; a < atoms; ++a) {
            const double m = ElementTable::Row(mol->GetElement(g, a)).mass;
            total += m;
            for (int k = 0; k < 3; ++k)
                centre[k] += m * mol->GetAtomCoord(g, a, k);
        }
        for (double& c : centre)
            c /= total;
        for (const NormalMode& mode : modes) {
            SCOPED_TRACE("geometry " + std::to_string(g) + " mode " + std::to_string(mode.number));
            const Mode& e = expected.at(mode.number);
            EXPECT_EQ(mode.frequency, e.frequency);
            ASSERT_EQ(mode.displacements.size() * 3, e.values.size());
            const auto read = [&mode](std::size_t a) {
                const Point3D& d = mode.displacements[a];
                return std::array<double, 3>{d.x, d.y, d.z};
            };
            const auto printed = [&e](std::size_t a) {
                return std::array<double, 3>{e.values[3 * a], e.values[3 * a + 1],
                                             e.values[3 * a + 2]};
            };
            const auto dot = [](const std::array<double, 3>& p, const std::array<double, 3>& q) {
                return p[0] * q[0] + p[1] * q[1] + p[2] * q[2];
            };
            double eckart[3] = {0, 0, 0}, scale = 0.0;
            for (std::size_t a = 0; a < mode.displacements.size(); ++a) {
                for (std::size_t b = 0; b <= a; ++b)
                    EXPECT_NEAR(dot(read(a), read(b)), dot(printed(a), printed(b)), 1e-9);
                const int i = static_cast<int>(a);
                const double m = ElementTable::Row(mol->GetElement(g, i)).mass;
                const double r[3] = {mol->GetAtomCoord(g, i, 0) - centre[0],
                                     mol->GetAtomCoord(g, i, 1) - centre[1],
                                     mol->GetAtomCoord(g, i, 2) - centre[2]};
                const std::array<double, 3> d = read(a);
                eckart[0] += m * (r[1] * d[2] - r[2] * d[1]);
                eckart[1] += m * (r[2] * d[0] - r[0] * d[2]);
                eckart[2] += m * (r[0] * d[1] - r[1] * d[0]);
                scale +=
                    m * std::sqrt(r[0] * r[0] + r[1] * r[1] + r[2] * r[2]) * std::sqrt(dot(d, d));
            }
            const double residual =
                std::sqrt(eckart[0] * eckart[0] + eckart[1] * eckart[1] + eckart[2] * eckart[2]);
            // Printed with two decimals, the residual stays below 0.15 in
            // every Gaussian output here; modes left in the standard
            // orientation give 0.27 to 0.77. The xtb-written file follows
            // no such rule.
            if (GetParam().rfind("gaussian/other/", 0) != 0 && scale > 0.0) {
                EXPECT_LT(residual / scale, 0.2);
            }
            ++compared;
        }
    }
}

// The energy and convergence table of every step and the job's end against
// a reading here: each value belongs to the last geometry table that started
// before it (whether or not that table is complete), the last one printed
// counts, and the job runs on when a table or an energy follows its last
// termination line.
TEST_P(GaussianOutputFile, StepEnergiesAndConvergenceMatchAnIndependentReading) {
    const std::vector<std::string> lines = Lines(kDataDir / GetParam());
    struct Step {
        bool complete = false;
        double energy = std::nan("");
        std::map<std::string, std::vector<std::string>> items;
        bool afterCompletion = false; // "Optimization completed" came before it
    };
    std::vector<Step> steps;
    bool inputSeen = false, pending = false, tableOpen = false, afterEnd = true, completed = false;
    std::string end = "running";
    int rulers = 0;
    for (const std::string& line : lines) {
        if (Contains(line, "Input orientation:") || Contains(line, "Z-Matrix orientation:"))
            inputSeen = pending = true;
        else if (!inputSeen && Contains(line, "Standard orientation:"))
            pending = true;
        if (tableOpen && IsRuler(line) && ++rulers == 3) {
            steps.back().complete = true;
            tableOpen = false;
        }
        if (pending && Contains(line, "Coordinates (Angstroms)")) {
            pending = false;
            tableOpen = true;
            rulers = 1; // the one above the column names
            steps.emplace_back();
            steps.back().afterCompletion = completed;
            completed = false;
            afterEnd = true;
        }
        if (line.rfind(" Optimization completed", 0) == 0)
            completed = true;
        const std::vector<std::string> w = Words(line);
        if (w.empty() || line[0] != ' ')
            continue;
        const bool scf = line.rfind(" SCF Done:", 0) == 0;
        const bool oniom = line.rfind(" ONIOM: extrapolated energy", 0) == 0;
        const bool plain = line.rfind(" Energy=", 0) == 0;
        if ((scf || oniom || plain) && !steps.empty()) {
            std::string text = line.substr(line.find('=') + 1);
            std::replace(text.begin(), text.end(), '=', ' ');
            const std::vector<std::string> after = Words(text);
            char* stop = nullptr;
            const double value = std::strtod(after[0].c_str(), &stop);
            if (*stop == '\0') {
                steps.back().energy = value;
                afterEnd = true;
            }
        }
        if ((w[0] == "Maximum" || w[0] == "RMS") && w.size() == 5 &&
            (w[1] == "Force" || w[1] == "Displacement") && (w[4] == "YES" || w[4] == "NO") &&
            !steps.empty())
            steps.back().items[w[0] + w[1]] = {w[2], w[3], w[4]};
        if (line.rfind(" Normal termination", 0) == 0)
            end = "normal", afterEnd = false;
        if (line.rfind(" Error termination", 0) == 0)
            end = "error", afterEnd = false;
    }
    // The converged geometry Gaussian prints again after "Optimization
    // completed", with no step of its own, is the last step's.
    std::vector<Step> kept;
    for (const Step& step : steps) {
        if (!step.complete)
            continue;
        kept.push_back(step);
        if (step.afterCompletion && std::isnan(step.energy) && kept.size() > 1) {
            kept.back().energy = kept[kept.size() - 2].energy;
            kept.back().items = kept[kept.size() - 2].items;
        }
    }
    auto mol = ReadFile<CGauData>((kDataDir / GetParam()).string());
    ASSERT_NE(mol, nullptr);
    const std::string termination = mol->termination == CMolData::Termination::kNormal  ? "normal"
                                    : mol->termination == CMolData::Termination::kError ? "error"
                                                                                        : "running";
    EXPECT_EQ(termination, afterEnd ? std::string("running") : end);
    if (mol->frameCount != static_cast<int>(kept.size()))
        GTEST_SKIP() << "a table without readable rows";
    const char* const names[] = {"MaximumForce", "RMSForce", "MaximumDisplacement",
                                 "RMSDisplacement"};
    for (int g = 0; g < mol->frameCount; ++g) {
        const CMolFrame& frame = *mol->GetFrame(g);
        const Step& step = kept[static_cast<std::size_t>(g)];
        if (std::isnan(step.energy))
            EXPECT_TRUE(std::isnan(frame.energy)) << "geometry " << g;
        else
            EXPECT_EQ(frame.energy, step.energy) << "geometry " << g;
        for (int k = 0; k < StepConvergence::kItems; ++k) {
            const auto it = step.items.find(names[k]);
            ASSERT_EQ(frame.convergence.present[k], it != step.items.end()) << "geometry " << g;
            if (it == step.items.end())
                continue;
            if (it->second[0].find_first_not_of('*') == std::string::npos)
                EXPECT_TRUE(std::isnan(frame.convergence.value[k])); // too large to print
            else
                EXPECT_EQ(frame.convergence.value[k], std::stod(it->second[0]));
            EXPECT_EQ(frame.convergence.threshold[k], std::stod(it->second[1]));
            EXPECT_EQ(frame.convergence.converged[k], it->second[2] == "YES");
        }
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
    ASSERT_TRUE(WriteFile(path, [&](StdioFile* out) {
        return WriteGaussianInput(*mol, mol->firstShownFrame, out, path);
    }));
    auto again = ReadFile<CGauData>(path);
    const int g = mol->firstShownFrame;
    ASSERT_EQ(again->atomCount, mol->AtomCount(g));
    for (int a = 0; a < mol->AtomCount(g); ++a) {
        EXPECT_EQ(again->GetElement(0, a), mol->GetElement(g, a)) << "atom " << a;
        for (int k = 0; k < 3; ++k)
            EXPECT_NEAR(again->GetAtomCoord(0, a, k), mol->GetAtomCoord(g, a, k), 1e-6);
    }
}

// ------------------------------------------------------------------ inputs

class GaussianInputFile : public ::testing::TestWithParam<std::string> {};

// The blocks of lines between blank lines, comment lines left out; a
// --Link1-- line ends a job.
std::vector<std::vector<std::vector<std::string>>> Jobs(const std::vector<std::string>& lines) {
    std::vector<std::vector<std::vector<std::string>>> jobs(1);
    std::vector<std::string> block;
    auto close = [&] {
        if (!block.empty())
            jobs.back().push_back(block);
        block.clear();
    };
    for (const std::string& line : lines) {
        const std::vector<std::string> words = Words(line);
        if (words.empty()) {
            close();
        } else if (words[0] == "--Link1--" || words[0] == "--link1--") {
            close();
            jobs.emplace_back();
        } else if (words[0][0] != '!') {
            block.push_back(line);
        }
    }
    close();
    return jobs;
}

std::vector<std::string> Fields(std::string line, bool variables) {
    const std::size_t comment = line.find('!');
    if (comment != std::string::npos)
        line.erase(comment);
    std::replace(line.begin(), line.end(), ',', ' ');
    if (variables)
        std::replace(line.begin(), line.end(), '=', ' ');
    return Words(line);
}

bool IsInteger(const std::string& text) {
    return !text.empty() && text.find_first_not_of("-+0123456789") == std::string::npos;
}

// Every Gaussian input against a reading of its sections written here: the
// route block (and the Link 0 lines before it), the title block, then the
// charge line and the atoms; jobs that take their geometry from the
// checkpoint have none. Cartesian atoms are compared by their numbers,
// Z-matrix atoms by the distance, angle and dihedral each line asks for.
TEST_P(GaussianInputFile, MatchesAnIndependentReading) {
    BondLimits::instance().ApplyBuiltIn();
    const std::filesystem::path path = kDataDir / GetParam();
    auto mol = ReadFile<CGauData>(path.string());
    ASSERT_NE(mol, nullptr);
    const std::vector<std::string> none;
    const std::vector<std::string>* atomLines = &none;
    std::vector<std::vector<std::string>> after;
    std::vector<std::string> molecule;
    const auto jobs = Jobs(Lines(path));
    for (const auto& job : jobs) {
        std::size_t b = 0;
        while (b < job.size() && Words(job[b].back())[0][0] == '%')
            ++b; // Link 0 lines with nothing but blank lines after them
        std::string route;
        for (std::size_t r = b < job.size() ? 0 : job.size(); b < job.size() && r < job[b].size();
             ++r)
            route += job[b][r] + " ";
        std::transform(route.begin(), route.end(), route.begin(), ::tolower);
        if (route.find("check") != std::string::npos || b + 2 >= job.size() ||
            job[b + 2].size() < 2)
            continue;
        // The route block may start with Link 0 lines.
        after.assign(job.begin() + static_cast<std::ptrdiff_t>(b) + 3, job.end());
        // A "Variables:" line ends the atoms within the block.
        molecule = job[b + 2];
        for (std::size_t k = 0; k < molecule.size(); ++k) {
            if (Words(molecule[k])[0] == "Variables:") {
                after.emplace_back(molecule.begin() + static_cast<std::ptrdiff_t>(k) + 1,
                                   molecule.end());
                molecule.resize(k);
                break;
            }
        }
        atomLines = &molecule;
        break;
    }
    if (atomLines->size() < 2) {
        EXPECT_NE(NoMoleculeReasonOf(*mol), NoMoleculeReason::kNone);
        return;
    }
    ASSERT_EQ(NoMoleculeReasonOf(*mol), NoMoleculeReason::kNone);
    const int atoms = static_cast<int>(atomLines->size()) - 1;
    ASSERT_EQ(mol->atomCount, atoms);
    std::map<std::string, double> variables;
    for (const auto& block : after) {
        for (const std::string& line : block) {
            const std::vector<std::string> f = Fields(line, true);
            if (f.size() >= 2 && std::isalpha(static_cast<unsigned char>(f[0][0])) &&
                variables.count(f[0]) == 0)
                variables[f[0]] = std::atof(f[1].c_str());
        }
    }
    const auto value = [&](const std::string& text) {
        if (std::isalpha(static_cast<unsigned char>(text[0])))
            return variables.at(text);
        if (text[0] == '-' && std::isalpha(static_cast<unsigned char>(text[1])))
            return -variables.at(text.substr(1));
        return std::stod(text);
    };
    using Vec = std::array<double, 3>;
    const auto at = [&](int a) {
        return Vec{mol->GetAtomCoord(0, a, 0), mol->GetAtomCoord(0, a, 1),
                   mol->GetAtomCoord(0, a, 2)};
    };
    const auto minus = [](Vec p, Vec q) { return Vec{p[0] - q[0], p[1] - q[1], p[2] - q[2]}; };
    const auto dot = [](Vec p, Vec q) { return p[0] * q[0] + p[1] * q[1] + p[2] * q[2]; };
    const auto cross = [](Vec p, Vec q) {
        return Vec{p[1] * q[2] - p[2] * q[1], p[2] * q[0] - p[0] * q[2], p[0] * q[1] - p[1] * q[0]};
    };
    const double degree = 180.0 / M_PI;
    for (int a = 0; a < atoms; ++a) {
        std::vector<std::string> f = Fields((*atomLines)[static_cast<std::size_t>(a) + 1], false);
        // The element: an atomic number, or the letters of the first two
        // characters.
        const std::string symbol = f[0].substr(0, f[0].find('('));
        std::string letters;
        for (std::size_t k = 0; k < 2 && k < symbol.size(); ++k) {
            if (std::isalpha(static_cast<unsigned char>(symbol[k])))
                letters += symbol[k];
        }
        const int element =
            IsInteger(symbol) ? std::stoi(symbol) : ElementTable::NumberOfSymbolNoCase(letters);
        EXPECT_EQ(mol->GetElement(0, a), element) << "atom " << a + 1;
        f.erase(f.begin());
        if (f.size() >= 4 && IsInteger(f[0]) && std::stoi(f[0]) <= 0)
            f.erase(f.begin()); // freeze code
        const bool zLine =
            f.empty() || (IsInteger(f[0]) && (f.size() == 2 || (f.size() >= 4 && IsInteger(f[2]))));
        if (!zLine) {
            for (int c = 0; c < 3; ++c)
                EXPECT_NEAR(mol->GetAtomCoord(0, a, c), value(f[static_cast<std::size_t>(c)]),
                            1e-12)
                    << "atom " << a + 1;
            continue;
        }
        if (f.empty())
            continue;
        const int b = std::stoi(f[0]) - 1;
        EXPECT_NEAR(std::sqrt(dot(minus(at(a), at(b)), minus(at(a), at(b)))), value(f[1]), 1e-6)
            << "atom " << a + 1;
        if (f.size() < 4)
            continue;
        const int c = std::stoi(f[2]) - 1;
        const Vec u = minus(at(a), at(b)), v = minus(at(c), at(b));
        EXPECT_NEAR(std::acos(dot(u, v) / std::sqrt(dot(u, u) * dot(v, v))) * degree, value(f[3]),
                    1e-6)
            << "atom " << a + 1;
        if (f.size() < 6)
            continue;
        const int d = std::stoi(f[4]) - 1;
        const Vec b1 = minus(at(c), at(d)), b2 = minus(at(b), at(c)), b3 = minus(at(a), at(b));
        const double dihedral = std::atan2(std::sqrt(dot(b2, b2)) * dot(b1, cross(b2, b3)),
                                           dot(cross(b1, b2), cross(b2, b3))) *
                                degree;
        const double expected = value(f[5]);
        EXPECT_NEAR(std::remainder(dihedral - expected, 360.0), 0.0, 1e-6) << "atom " << a + 1;
    }
}

// ------------------------------------------------------------ metal bonds

// The metal complexes among the shared files: every metal-ligand pair closer
// than 3.6 Å is bonded exactly when it is a bond in the complex's chemistry,
// judged here pair by pair: the longest bond of the pair, 0 when the pair has
// none (ring atoms next to a bound nitrogen, the carbon of an acetate bound
// by both oxygens, hydrogens of the ligands).
TEST(SharedMetalComplexes, GetTheirMetalLigandBondsAndNoOthers) {
    if (!std::filesystem::exists(kDataDir / "MANIFEST.tsv"))
        GTEST_SKIP() << "shared test data not present";
    struct Pair {
        const char* file;
        const char* metal;
        const char* ligand;
        double longestBond;
    };
    const Pair pairs[] = {
        {"gaussian/g98/test_Cu2.log", "CU", "CU", 2.5},
        {"gaussian/g09/Ru2bpyen2_H2_freq3.log", "RU", "N", 2.3},
        {"gaussian/g09/Ru2bpyen2_H2_freq3.log", "RU", "C", 0},
        {"gaussian/g09/Ru2bpyen2_H2_freq3.log", "RU", "H", 0},
        {"gaussian/g16/dna_link_sp.log", "CU", "N", 2.41}, // one axial at 2.40
        {"gaussian/g16/dna_link_sp.log", "CU", "O", 2.33},
        {"gaussian/g16/dna_link_sp.log", "CU", "C", 0},
        {"gaussian/g16/failed_oniom_b3lypd3_in_uff.log", "CU", "N", 2.0},
        {"gaussian/g16/failed_oniom_b3lypd3_in_uff.log", "CU", "O", 2.0},
        {"gaussian/g16/failed_oniom_b3lypd3_in_uff.log", "CU", "C", 0},
        {"gaussian/input/dppeFeCl2_phenyldioxazolone_qmmm_3layer_full.com", "FE", "CL", 2.3},
        {"gaussian/input/dppeFeCl2_phenyldioxazolone_qmmm_3layer_full.com", "FE", "P", 2.5},
        {"gaussian/input/dppeFeCl2_phenyldioxazolone_qmmm_3layer_full.com", "FE", "N", 2.1},
        {"gaussian/input/dppeFeCl2_phenyldioxazolone_qmmm_3layer_full.com", "FE", "O", 0},
        {"gaussian/input/dppeFeCl2_phenyldioxazolone_qmmm_3layer_full.com", "FE", "C", 0},
        {"gaussian/input/dppeFeCl2_phenyldioxazolone_qmmm_3layer_full.com", "FE", "H", 0},
        {"gaussian/input/opt_genecp.com", "PD", "O", 2.1},
        {"gaussian/input/opt_genecp.com", "PD", "C", 0},
        {"gaussian/g03/tms_nmr.log", "SI", "C", 1.95},
        {"gaussian/g03/tms_nmr.log", "SI", "H", 0},
        {"gaussian/g09/BSL_opt_freq_DFT.out", "SE", "C", 2.0},
        {"gaussian/g09/BSL_opt_freq_DFT.out", "SE", "H", 1.5},
        {"gaussian/input/Zp_p_react.14mei.com", "AL", "O", 1.8},
        {"gaussian/input/Zp_p_react.14mei.com", "AL", "SI", 0},
        {"gaussian/input/Zp_p_react.14mei.com", "AL", "H", 0},
        {"gaussian/input/Zp_p_react.14mei.com", "SI", "O", 1.8},
        {"gaussian/input/Zp_p_react.14mei.com", "SI", "SI", 0},
    };
    BondLimits::instance().ApplyBuiltIn();
    for (const Pair& pair : pairs) {
        SCOPED_TRACE(std::string(pair.file) + " " + pair.metal + "-" + pair.ligand);
        auto mol = ReadFile<CGauData>((kDataDir / pair.file).string());
        ASSERT_NE(mol, nullptr);
        const int g = mol->frameCount - 1;
        const int metal = ElementTable::NumberOfSymbol(pair.metal);
        const int ligand = ElementTable::NumberOfSymbol(pair.ligand);
        int bonds = 0;
        for (int m = 0; m < mol->AtomCount(g); ++m) {
            if (mol->GetElement(g, m) != metal)
                continue;
            for (int l = 0; l < mol->AtomCount(g); ++l) {
                const double d = mol->GetDistance(g, m, l);
                if (l == m || mol->GetElement(g, l) != ligand || d > 3.6)
                    continue;
                bool bonded = false;
                for (int k = 0; k < mol->GetBondCount(g, m); ++k)
                    bonded = bonded || mol->GetBondedAtom(g, m, k) == l;
                EXPECT_EQ(bonded, d <= pair.longestBond)
                    << "atoms " << m + 1 << ", " << l + 1 << " at " << d << " Å";
                bonds += bonded;
            }
        }
        if (pair.longestBond > 0) {
            EXPECT_GT(bonds, 0);
        }
    }
}

// --------------------------------------------------------------------- PDB

class PdbFile : public ::testing::TestWithParam<std::string> {};

TEST_P(PdbFile, CountsResiduesAndBondsAreSane) {
    BondLimits::instance().ApplyBuiltIn();
    const std::filesystem::path path = kDataDir / GetParam();
    // By model (MODEL records): its atoms as name and residue, and its
    // residue count.
    struct Model {
        std::vector<std::string> atoms;
        int residues = 0;
    };
    std::vector<Model> models(1);
    std::string lastKey;
    for (const std::string& line : Lines(path)) {
        if (line.rfind("MODEL", 0) == 0 && !models.back().atoms.empty())
            models.emplace_back();
        if (line.rfind("ATOM", 0) != 0 && line.rfind("HETATM", 0) != 0)
            continue;
        Model& model = models.back();
        // Residue name, chain, number and insertion code.
        std::string key = line.substr(17, 4) + "|" + line.substr(21, 6);
        if (model.atoms.empty() || key != lastKey)
            ++model.residues;
        lastKey = key;
        model.atoms.push_back(line.substr(12, 5) + key);
    }
    const int records = static_cast<int>(models.front().atoms.size());
    const int residues = models.front().residues;
    // An ensemble of the same atoms is read model by model, else the first.
    const bool same = std::all_of(models.begin(), models.end(),
                                  [&](const Model& m) { return m.atoms == models.front().atoms; });
    for (int mode : {0, 1}) {
        SCOPED_TRACE("bond mode " + std::to_string(mode));
        auto mol = ReadFile<CPDBData>(path.string(), PdbOptions{0, mode});
        ASSERT_NE(mol, nullptr);
        ASSERT_EQ(mol->frameCount, same ? static_cast<int>(models.size()) : 1);
        EXPECT_EQ(mol->fileModels, models.size() > 1 ? static_cast<int>(models.size()) : 0);
        ASSERT_EQ(mol->atomCount, records);
        for (int g = 1; g < mol->frameCount; ++g) {
            // No bond reaches into another model: each geometry's bonds are
            // those the plain pair scan finds among its own atoms alone.
            ASSERT_EQ(mol->AtomCount(g), records);
            const CMolFrame& read = *mol->GetFrame(g);
            CMolFrame alone(read.atomCount);
            alone.CopyFrom(read);
            PairScanBonds(alone, mode, BondLimits::instance());
            for (int a = 0; a < records; ++a) {
                const MolAtom& p = read.Atom(a);
                const MolAtom& q = alone.Atom(a);
                std::set<int> got(p.bonded, p.bonded + p.bondCount);
                std::set<int> expected(q.bonded, q.bonded + q.bondCount);
                ASSERT_EQ(got, expected)
                    << "model " << g + 1 << ", " << mol->GetAtomDescription(g, a);
            }
        }
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
            for (int k = 0; k < mol->GetBondCount(0, a); ++k) {
                // Within the pair's limit: 2.6 Å at most between the common
                // elements, more for metal ions (Ca-O 2.82 Å).
                const int b = mol->GetBondedAtom(0, a, k);
                const double limit = std::sqrt(
                    BondLimits::instance().Squared(mol->GetElement(0, a), mol->GetElement(0, b)));
                ASSERT_LE(mol->GetDistance(0, a, b), std::min(limit, 3.3))
                    << mol->GetAtomDescription(0, a);
            }
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
    for (int a = 0; a < conect->atomCount; ++a) {
        const int serial = conect->GetFrame(0)->SerialOfAtom(a);
        if (conect->GetBondCount(0, a) > 0 && serial >= 0) {
            EXPECT_TRUE(named.count(serial) > 0) << "serial " << serial;
        }
    }
}

// The mmCIF twin gemmi's converter makes of the file reads as the file does:
// atoms, elements, coordinates, labels, residues, bonds, backbone angles.
TEST_P(PdbFile, MmcifTwinGivesTheSameModel) {
    BondLimits::instance().ApplyBuiltIn();
    if (std::system("command -v gemmi > /dev/null 2>&1") != 0)
        FAIL() << "gemmi's converter is not installed (build.sh installs the gemmi package)";
    TempDir dir;
    const std::string twin = dir.File("twin.cif");
    const std::string command =
        "gemmi convert --to=mmcif '" + (kDataDir / GetParam()).string() + "' '" + twin + "' 2>&1";
    if (std::system((command + " > /dev/null").c_str()) != 0)
        GTEST_SKIP() << "gemmi cannot convert it";
    // Where the converter makes another structure of the file.
    const std::map<std::string, std::string> kConvertedOtherwise = {
        {"pdb/a_structure.pdb", "atoms after ENDMDL, outside any model, become a second model"},
        {"pdb/pbc.pdb", "residue numbers of five digits shift the record; the converter reads "
                        "the fixed columns (residue 1000, insertion code 0, another element)"},
        {"pdb/BaceCgSystemAtomistic.pdb",
         "residue numbers wrap from 9999 to 0; the converter joins the atoms of repeated "
         "numbers into one residue"},
        {"pdb/finalPump96.09.06.pdb", "no element columns: the converter takes the atom named SI "
                                      "in columns 13-14 for sulphur"},
    };
    if (const auto other = kConvertedOtherwise.find(GetParam()); other != kConvertedOtherwise.end())
        GTEST_SKIP() << other->second;
    auto pdb = ReadFile<CPDBData>((kDataDir / GetParam()).string());
    auto cif = ReadFile<CMmcifData>(twin);
    ASSERT_NE(cif, nullptr);
    if (!cif->formatProblem.empty())
        GTEST_SKIP() << "the converter wrote CIF that its own parser refuses: "
                     << cif->formatProblem;
    // Four-letter residue names (TIP3, DMPC) run into column 21; the
    // converter keeps columns 18-20 of them.
    bool longNames = false;
    for (int a = 0; a < pdb->atomCount; ++a)
        longNames = longNames || pdb->GetResidueName(0, a).size() > 3;
    ASSERT_EQ(cif->frameCount, pdb->frameCount);
    for (int g = 0; g < pdb->frameCount; ++g) {
        SCOPED_TRACE("geometry " + std::to_string(g));
        ASSERT_EQ(cif->AtomCount(g), pdb->AtomCount(g));
        const CMolFrame& p = *pdb->GetFrame(g);
        const CMolFrame& c = *cif->GetFrame(g);
        EXPECT_EQ(c.residueCount, p.residueCount);
        if (!longNames) {
            EXPECT_EQ(c.residueLabels, p.residueLabels);
        }
        // The file's HELIX and SHEET records, written as struct_conf and
        // struct_sheet_range, mark the same residues.
        EXPECT_EQ(c.fileSecondary, p.fileSecondary);
        for (int a = 0; a < p.atomCount; ++a) {
            SCOPED_TRACE(pdb->GetAtomDescription(g, a));
            ASSERT_EQ(cif->GetElement(g, a), pdb->GetElement(g, a));
            EXPECT_EQ(cif->GetLabel(g, a), pdb->GetLabel(g, a));
            EXPECT_EQ(cif->GetResidueName(g, a), pdb->GetResidueName(g, a).substr(0, 3));
            EXPECT_EQ(cif->GetResidueIndex(g, a), pdb->GetResidueIndex(g, a));
            for (int k = 0; k < 3; ++k)
                EXPECT_NEAR(cif->GetAtomCoord(g, a, k), pdb->GetAtomCoord(g, a, k), 1e-3);
            ASSERT_EQ(cif->GetBondCount(g, a), pdb->GetBondCount(g, a));
            for (int k = 0; k < pdb->GetBondCount(g, a); ++k)
                EXPECT_EQ(cif->GetBondedAtom(g, a, k), pdb->GetBondedAtom(g, a, k));
        }
    }
    ASSERT_EQ(ComputeBackboneAngles(*cif, 0), ComputeBackboneAngles(*pdb, 0));
    ASSERT_EQ(cif->GetPhiAngles(0).size(), pdb->GetPhiAngles(0).size());
    for (const auto& [k, phi] : pdb->GetPhiAngles(0)) {
        EXPECT_NEAR(cif->GetPhiAngles(0).at(k), phi, 1e-3);
        EXPECT_NEAR(cif->GetPsiAngles(0).at(k), pdb->GetPsiAngles(0).at(k), 1e-3);
    }
}

// The helices and strands of the shared mmCIF files, written by gemmi's
// converter as HELIX and SHEET records, mark the same residues in the PDB
// twin; and they mark some residues.
TEST(SharedMmcifFiles, PdbTwinsGiveTheSameHelicesAndStrands) {
    if (std::system("command -v gemmi > /dev/null 2>&1") != 0)
        FAIL() << "gemmi's converter is not installed (build.sh installs the gemmi package)";
    int compared = 0;
    for (const std::string& name : ManifestFiles("mmcif/")) {
        SCOPED_TRACE(name);
        auto cif = ReadFile<CMmcifData>((kDataDir / name).string());
        if (cif == nullptr || cif->frameCount == 0 || cif->secondaryRecords.empty())
            continue;
        TempDir dir;
        const std::string twin = dir.File("twin.pdb");
        ASSERT_EQ(std::system(("gemmi convert --to=pdb '" + (kDataDir / name).string() + "' '" +
                               twin + "' > /dev/null 2>&1")
                                  .c_str()),
                  0);
        auto pdb = ReadFile<CPDBData>(twin);
        ASSERT_EQ(pdb->frameCount, cif->frameCount);
        const std::vector<char>& codes = cif->GetFrame(0)->fileSecondary;
        EXPECT_EQ(pdb->GetFrame(0)->fileSecondary, codes);
        EXPECT_GT(std::count(codes.begin(), codes.end(), 'H') +
                      std::count(codes.begin(), codes.end(), 'E'),
                  0);
        ++compared;
    }
    if (compared == 0)
        GTEST_SKIP() << "no shared mmCIF file with helices or strands";
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
        ASSERT_TRUE(writePdb(*mol, mol->firstShownFrame, &out));
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
        const std::string label(mol->GetLabel(0, a));
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
    if (!std::filesystem::is_regular_file(kDataDir / "MANIFEST.tsv")) {
        if (RAVEK_WITHOUT_TESTDATA)
            GTEST_SKIP() << "test data folder " << kDataDir
                         << " is absent: the tests over real files did not run";
        FAIL() << "test data folder " << kDataDir
               << " is absent: the tests over real files would only skip. To run without it "
                  "on purpose: RAVEK_WITHOUT_TESTDATA=1 ./build.sh test";
    }
    EXPECT_GT(ManifestFiles("").size(), 50u);
}

} // namespace
