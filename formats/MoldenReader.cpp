#include "formats/MoldenReader.h"

#include "formats/BohrFrame.h"
#include "io/StdioFile.h"
#include "model/BasisOverlap.h"
#include "model/ElementTable.h"
#include "model/ReadLine.h"
#include "model/TextScanner.h"
#include "model/VolumeGrid.h"
#include "model/Wavefunction.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kLineSize = 4096;
// Beyond this many functions the overlaps (n² numbers) are not computed to
// choose a reading; the format's own is taken.
constexpr int kMaxCheckedFunctions = 3000;
// How far from 1 the orbitals' norms may be under the reading chosen: the
// files print 6 to 10 digits.
constexpr double kNormTolerance = 1e-3;

// A number as Fortran programs print them too ("0.1D+01").
bool Number(std::string_view word, double& value) {
    std::string text(word);
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == 'D' || c == 'd'; }, 'E');
    return TextScanner::ParseReal(text, value);
}

struct Shell {
    int atom = 0; // 0-based
    int l = 0;
    bool sp = false;
    std::vector<double> exponents, coefficients, pCoefficients;
};

struct Orbital {
    double energy = 0.0;
    bool beta = false;
    double occupation = 0.0;
    std::vector<std::pair<int, double>> coefficients; // 1-based function, value
};

// The lines of one bracketed section, the text after its name ("AU").
struct Section {
    std::string name; // lower case, without brackets
    std::string rest;
    std::vector<std::string> lines;
};

std::vector<Section> Sections(StdioFile* in) {
    std::vector<Section> sections;
    char line[kLineSize];
    while (ReadLine(line, kLineSize, in) != nullptr) {
        const std::string_view text = TextScanner::Trim(line);
        if (!text.empty() && text.front() == '[') {
            const std::size_t close = text.find(']');
            Section section;
            section.name = TextScanner::Lower(
                text.substr(1, close == std::string_view::npos ? text.size() - 1 : close - 1));
            if (close != std::string_view::npos)
                section.rest = TextScanner::Lower(TextScanner::Trim(text.substr(close + 1)));
            sections.push_back(std::move(section));
        } else if (!sections.empty()) {
            sections.back().lines.emplace_back(text);
        }
    }
    return sections;
}

int AngularOf(std::string_view label, bool& sp) {
    const std::string l = TextScanner::Lower(label);
    sp = l == "sp";
    static const std::string kLetters = "spdfghi";
    if (sp)
        return 1;
    return l.size() == 1 && kLetters.find(l[0]) != std::string::npos
               ? static_cast<int>(kLetters.find(l[0]))
               : -1;
}

class MoldenParser {
public:
    MoldenParser(const std::vector<Section>& sections, CMolData& model)
        : sections_(sections), model_(model) {}

    // The problem with the atoms, empty when they were read. A file of
    // vibrations only has its atoms in [FR-COORD].
    std::string ReadAtoms() {
        const Section* atoms = Find("atoms");
        if (atoms == nullptr && Find("fr-coord") != nullptr) {
            const std::string problem = ReadVibrationAtoms(elements_, positions_);
            if (!problem.empty())
                return problem;
            model_.AppendFrame(FrameFromBohr(elements_, positions_));
            model_.framePositions.push_back(0);
            model_.frameCount = 1;
            return {};
        }
        if (atoms == nullptr)
            return "it has no [Atoms] section";
        const bool angstrom = atoms->rest.find("angs") != std::string::npos;
        if (!angstrom && atoms->rest.find("au") == std::string::npos)
            return "the [Atoms] section gives no unit (AU or Angs)";
        for (const std::string& line : atoms->lines) {
            const std::vector<std::string_view> w = TextScanner::Words(line);
            if (w.empty())
                continue;
            int number = 0, z = 0;
            Point3D p;
            if (w.size() < 6 || !TextScanner::ParseInt(w[1], number) ||
                !TextScanner::ParseInt(w[2], z) || !Number(w[3], p.x) || !Number(w[4], p.y) ||
                !Number(w[5], p.z) || z < 0 || z > 200)
                return "an [Atoms] line does not hold a name, a number, an atomic number and "
                       "three coordinates: " +
                       line;
            if (angstrom)
                p = {p.x / kBohrInAngstrom, p.y / kBohrInAngstrom, p.z / kBohrInAngstrom};
            elements_.push_back(z);
            positions_.push_back(p);
        }
        if (elements_.empty())
            return "its [Atoms] section lists no atom";
        model_.AppendFrame(FrameFromBohr(elements_, positions_));
        model_.framePositions.push_back(0);
        model_.frameCount = 1;
        return {};
    }

    // The wavefunction, or null with problem set.
    std::shared_ptr<Wavefunction> ReadWavefunction(std::string& problem) {
        problem = ReadShells();
        if (!problem.empty())
            return nullptr;
        problem = ReadOrbitals();
        if (!problem.empty())
            return nullptr;
        return Choose(problem);
    }

    // The normal modes of [FREQ], [FR-COORD] and [FR-NORM-COORD], with the
    // IR intensities of [INT] where there are any, on the geometry they were
    // computed at: the file's geometry when [FR-COORD] holds its atoms where
    // [Atoms] has them, else a geometry of their own after it. Modes of
    // 0 cm⁻¹ (translations and rotations some programs list) are left out;
    // the others are numbered from 1 and their displacements normalised, as
    // writers scale them differently. The problem, empty when they were
    // read or the file has none.
    std::string ReadModes() {
        const Section* freq = Find("freq");
        const Section* norm = Find("fr-norm-coord");
        if (freq == nullptr && norm == nullptr && Find("fr-coord") == nullptr)
            return {};
        if (freq == nullptr || norm == nullptr || Find("fr-coord") == nullptr)
            return "its vibrations lack the [FREQ], [FR-COORD] or [FR-NORM-COORD] section";
        std::vector<int> elements;
        std::vector<Point3D> positions;
        std::string problem = ReadVibrationAtoms(elements, positions);
        if (!problem.empty())
            return problem;
        std::vector<double> frequencies = Numbers(*freq, problem);
        if (!problem.empty())
            return problem;
        std::vector<double> intensities;
        if (const Section* ir = Find("int"); ir != nullptr)
            intensities = Numbers(*ir, problem);
        if (!problem.empty())
            return problem;
        std::vector<std::vector<Point3D>> vectors;
        for (const std::string& line : norm->lines) {
            const std::vector<std::string_view> w = TextScanner::Words(line);
            if (w.empty())
                continue;
            Point3D d;
            if (TextScanner::Lower(w[0]) == "vibration")
                vectors.emplace_back();
            else if (!vectors.empty() && w.size() >= 3 && Number(w[0], d.x) && Number(w[1], d.y) &&
                     Number(w[2], d.z))
                vectors.back().push_back(d);
            else
                return "an [FR-NORM-COORD] line is neither a vibration's title nor three "
                       "numbers: " +
                       line;
        }
        if (vectors.size() != frequencies.size())
            return "[FR-NORM-COORD] holds " + std::to_string(vectors.size()) + " vibrations for " +
                   std::to_string(frequencies.size()) + " frequencies";
        std::vector<NormalMode> modes;
        for (std::size_t v = 0; v < vectors.size(); ++v) {
            if (vectors[v].size() != elements.size())
                return "vibration " + std::to_string(v + 1) + " of [FR-NORM-COORD] moves " +
                       std::to_string(vectors[v].size()) + " atoms of " +
                       std::to_string(elements.size());
            if (frequencies[v] == 0.0)
                continue;
            double norm2 = 0.0;
            for (const Point3D& d : vectors[v])
                norm2 += d.x * d.x + d.y * d.y + d.z * d.z;
            const double scale = norm2 > 0.0 ? 1.0 / std::sqrt(norm2) : 1.0;
            NormalMode mode;
            mode.number = static_cast<int>(modes.size()) + 1;
            mode.frequency = frequencies[v];
            if (v < intensities.size())
                mode.irIntensity = intensities[v];
            for (const Point3D& d : vectors[v])
                mode.displacements.push_back({d.x * scale, d.y * scale, d.z * scale});
            modes.push_back(std::move(mode));
        }
        if (modes.empty())
            return {};
        // The file's own geometry when the vibrations' atoms are its atoms.
        bool same = elements == elements_;
        for (std::size_t a = 0; same && a < positions.size(); ++a) {
            const Point3D& p = positions[a];
            const Point3D& q = positions_[a];
            same = std::abs(p.x - q.x) < 1e-3 && std::abs(p.y - q.y) < 1e-3 &&
                   std::abs(p.z - q.z) < 1e-3;
        }
        if (!same) {
            model_.AppendFrame(FrameFromBohr(elements, positions));
            model_.framePositions.push_back(0);
            ++model_.frameCount;
        }
        model_.Frame(model_.frameCount - 1).TakeModes(std::move(modes));
        model_.vibrationState = CMolData::kVibrationPresent;
        return {};
    }

private:
    // The atoms of [FR-COORD]: a symbol and three coordinates in bohr.
    std::string ReadVibrationAtoms(std::vector<int>& elements,
                                   std::vector<Point3D>& positions) const {
        for (const std::string& line : Find("fr-coord")->lines) {
            const std::vector<std::string_view> w = TextScanner::Words(line);
            if (w.empty())
                continue;
            Point3D p;
            const int z = ElementTable::NumberOfName(w[0]);
            if (w.size() < 4 || !Number(w[1], p.x) || !Number(w[2], p.y) || !Number(w[3], p.z))
                return "an [FR-COORD] line does not hold a symbol and three coordinates: " + line;
            elements.push_back(z);
            positions.push_back(p);
        }
        if (elements.empty())
            return "its [FR-COORD] section lists no atom";
        return {};
    }

    // The first number of each line of a section ([FREQ], [INT]).
    static std::vector<double> Numbers(const Section& section, std::string& problem) {
        std::vector<double> values;
        for (const std::string& line : section.lines) {
            const std::vector<std::string_view> w = TextScanner::Words(line);
            double value = 0.0;
            if (w.empty())
                continue;
            if (!Number(w[0], value)) {
                problem = "a [" + TextScanner::Lower(section.name) + "] line is no number: " + line;
                return {};
            }
            values.push_back(value);
        }
        return values;
    }

    const Section* Find(const char* name) const {
        for (const Section& s : sections_) {
            if (s.name == name)
                return &s;
        }
        return nullptr;
    }

    std::string ReadShells() {
        const Section* gto = Find("gto");
        if (gto == nullptr)
            return "it has no [GTO] section";
        // The pure shells: [5D] and [5D7F] make d and f pure, [5D10F] d only,
        // [7F] f only, [9G] g.
        pure_ = {false, false, false, false, false, false, false};
        for (const Section& s : sections_) {
            if (s.name == "5d" || s.name == "5d7f")
                pure_[2] = pure_[3] = true;
            else if (s.name == "5d10f")
                pure_[2] = true;
            else if (s.name == "7f")
                pure_[3] = true;
            else if (s.name == "9g")
                pure_[4] = true;
        }
        int atom = -1;
        const std::vector<std::string>& lines = gto->lines;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const std::vector<std::string_view> w = TextScanner::Words(lines[i]);
            if (w.empty())
                continue;
            int first = 0;
            if (TextScanner::ParseInt(w[0], first)) {
                if (first < 1 || first > static_cast<int>(elements_.size()))
                    return "[GTO] names atom " + std::string(w[0]) + " of " +
                           std::to_string(elements_.size());
                atom = first - 1;
                continue;
            }
            Shell shell;
            long long count = 0;
            double scale = 1.0;
            shell.l = AngularOf(w[0], shell.sp);
            if (shell.l < 0 || w.size() < 2 || !TextScanner::ParseInt(w[1], count) || count < 1 ||
                count > 1000 || (w.size() >= 3 && !Number(w[2], scale)))
                return "a [GTO] line is neither an atom's number nor a shell's kind and count: " +
                       lines[i];
            if (atom < 0)
                return "a [GTO] shell comes before any atom's number";
            shell.atom = atom;
            for (long long p = 0; p < count; ++p) {
                if (++i >= lines.size())
                    return "the [GTO] section ends within a shell";
                const std::vector<std::string_view> v = TextScanner::Words(lines[i]);
                double alpha = 0.0, c = 0.0, pc = 0.0;
                if (v.size() < (shell.sp ? 3U : 2U) || !Number(v[0], alpha) || !Number(v[1], c) ||
                    (shell.sp && !Number(v[2], pc)) || !(alpha > 0.0))
                    return "a primitive of [GTO] is not an exponent and its coefficients: " +
                           lines[i];
                shell.exponents.push_back(alpha * scale * scale);
                shell.coefficients.push_back(c);
                if (shell.sp)
                    shell.pCoefficients.push_back(pc);
            }
            shells_.push_back(std::move(shell));
        }
        if (shells_.empty())
            return "its [GTO] section holds no shell";
        return {};
    }

    std::string ReadOrbitals() {
        const Section* mo = Find("mo");
        if (mo == nullptr)
            return "it has no [MO] section";
        bool inCoefficients = true; // a key line starts a new orbital
        for (const std::string& line : mo->lines) {
            if (line.empty())
                continue;
            const std::size_t equals = line.find('=');
            if (equals != std::string::npos) {
                if (inCoefficients) {
                    orbitals_.emplace_back();
                    inCoefficients = false;
                }
                const std::string key =
                    TextScanner::Lower(TextScanner::Trim(line.substr(0, equals)));
                const std::string_view value =
                    TextScanner::Trim(std::string_view(line).substr(equals + 1));
                Orbital& o = orbitals_.back();
                if (key == "ene" && !Number(value, o.energy))
                    return "an orbital's energy is not a number: " + line;
                if (key == "occup" && !Number(value, o.occupation))
                    return "an orbital's occupation is not a number: " + line;
                if (key == "spin")
                    o.beta = TextScanner::Lower(value) == "beta";
                continue;
            }
            const std::vector<std::string_view> w = TextScanner::Words(line);
            int index = 0;
            double c = 0.0;
            if (orbitals_.empty() || w.size() < 2 || !TextScanner::ParseInt(w[0], index) ||
                !Number(w[1], c) || index < 1)
                return "an [MO] line is neither a key nor a function's number and coefficient: " +
                       line;
            orbitals_.back().coefficients.emplace_back(index, c);
            inCoefficients = true;
        }
        if (orbitals_.empty())
            return "its [MO] section holds no orbital";
        return {};
    }

    // The basis under one reading of the contraction coefficients.
    GaussianBasis BasisOf(bool primitivesAsTheyStand) const {
        std::vector<BasisShell> list;
        for (const Shell& raw : shells_) {
            BasisShell shell;
            shell.atom = raw.atom;
            shell.l = raw.l;
            shell.sp = raw.sp;
            shell.pure = raw.l >= 2 && pure_[static_cast<std::size_t>(raw.l)];
            shell.centre = positions_[static_cast<std::size_t>(raw.atom)];
            shell.exponents = raw.exponents;
            shell.coefficients = raw.coefficients;
            shell.pCoefficients = raw.pCoefficients;
            if (primitivesAsTheyStand) {
                // Normalised primitives' coefficients: times the primitive's
                // norm, (2α/π)^¾ (4α)^(l/2) up to a constant the basis's own
                // normalisation takes away.
                for (std::size_t p = 0; p < shell.exponents.size(); ++p) {
                    const double alpha = shell.exponents[p];
                    shell.coefficients[p] /= std::pow(alpha, 0.75 + 0.5 * (raw.sp ? 0 : raw.l));
                    if (raw.sp)
                        shell.pCoefficients[p] /= std::pow(alpha, 1.25);
                }
            }
            list.push_back(std::move(shell));
        }
        return GaussianBasis(std::move(list));
    }

    // Per basis function: where the file's function goes among the basis's
    // (Molden's Cartesian g order into the basis's), its sign, and its
    // factor under each reading of the Cartesian functions' normalisation:
    // each normalised on its own (the format's), normalised as x^l is, or
    // of primitives without the factor 1/√(2l-1)!!.
    struct Placement {
        std::vector<int> target;
        std::vector<double> sign;
        // Per reading of the Cartesian functions (kCartesianReadings).
        std::array<std::vector<double>, 3> scales;
    };
    Placement PlacementOf(const GaussianBasis& basis, bool orca) const {
        Placement place;
        const int n = basis.FunctionCount();
        place.target.resize(static_cast<std::size_t>(n));
        place.sign.assign(static_cast<std::size_t>(n), 1.0);
        for (std::vector<double>& scale : place.scales)
            scale.assign(static_cast<std::size_t>(n), 1.0);
        // Molden's order of the Cartesian g functions.
        static const std::array<std::array<int, 3>, 15> kMoldenG = {{{4, 0, 0},
                                                                     {0, 4, 0},
                                                                     {0, 0, 4},
                                                                     {3, 1, 0},
                                                                     {3, 0, 1},
                                                                     {1, 3, 0},
                                                                     {0, 3, 1},
                                                                     {1, 0, 3},
                                                                     {0, 1, 3},
                                                                     {2, 2, 0},
                                                                     {2, 0, 2},
                                                                     {0, 2, 2},
                                                                     {2, 1, 1},
                                                                     {1, 2, 1},
                                                                     {1, 1, 2}}};
        const auto& shells = basis.Shells();
        for (std::size_t s = 0; s < shells.size(); ++s) {
            const BasisShell& shell = shells[s];
            const int first = basis.FirstFunction(static_cast<int>(s));
            const int count = shell.FunctionCount();
            for (int f = 0; f < count; ++f) {
                const std::size_t at = static_cast<std::size_t>(first + f);
                place.target[at] = first + f;
                if (shell.pure || shell.sp || shell.l < 2) {
                    // ORCA's pure f and g functions of |m| = 3, 4 (m = 0,
                    // +1, -1, ... in order: functions 5 to 8).
                    if (orca && shell.pure && shell.l >= 3 && f >= 5 && f <= 8)
                        place.sign[at] = -1.0;
                    continue;
                }
                const auto& powers = GaussianBasis::CartesianPowersOf(shell.l);
                std::array<int, 3> e = powers[static_cast<std::size_t>(f)];
                if (shell.l == 4) {
                    e = kMoldenG[static_cast<std::size_t>(f)];
                    place.target[at] =
                        first + static_cast<int>(std::find(powers.begin(), powers.end(), e) -
                                                 powers.begin());
                }
                // Normalised as x^l is: the function's norm in ours.
                place.scales[1][at] = std::sqrt(
                    GaussianBasis::OddFactorialOf(e[0]) * GaussianBasis::OddFactorialOf(e[1]) *
                    GaussianBasis::OddFactorialOf(e[2]) / GaussianBasis::OddFactorialOf(shell.l));
                // Primitives short of the factor 1/√(2l-1)!! (Turbomole's d
                // functions; its f functions by the same rule).
                place.scales[2][at] = std::sqrt(GaussianBasis::OddFactorialOf(shell.l));
            }
        }
        return place;
    }

    // The orbitals of one spin, under a placement and reading.
    OrbitalSet SetOf(bool beta, const Placement& place, int reading) const {
        OrbitalSet set;
        const std::size_t n = place.target.size();
        for (const Orbital& o : orbitals_) {
            if (o.beta != beta)
                continue;
            set.energies.push_back(o.energy);
            const std::size_t base = set.coefficients.size();
            set.coefficients.resize(base + n, 0.0);
            for (const auto& [index, c] : o.coefficients) {
                const std::size_t f = static_cast<std::size_t>(index - 1);
                set.coefficients[base + static_cast<std::size_t>(place.target[f])] =
                    c * place.sign[f] * place.scales[static_cast<std::size_t>(reading)][f];
            }
        }
        return set;
    }

    std::shared_ptr<Wavefunction> Choose(std::string& problem) {
        const bool orca = Find("title") != nullptr && [this] {
            for (const std::string& line : Find("title")->lines) {
                if (TextScanner::Lower(line).find("orca") != std::string::npos)
                    return true;
            }
            return false;
        }();
        const GaussianBasis asGiven = BasisOf(false);
        const int n = asGiven.FunctionCount();
        for (const Orbital& o : orbitals_) {
            for (const auto& [index, c] : o.coefficients) {
                if (index > n) {
                    problem = "an orbital has a coefficient of function " + std::to_string(index) +
                              ", the basis has " + std::to_string(n);
                    return nullptr;
                }
            }
        }
        const Placement place = PlacementOf(asGiven, orca);
        auto w = std::make_shared<Wavefunction>();
        // The readings, the format's own first; the first that normalises
        // the orbitals is taken.
        double closest = HUGE_VAL;
        for (const bool asTheyStand : {false, true}) {
            GaussianBasis basis = asTheyStand ? BasisOf(true) : asGiven;
            const bool check = n <= kMaxCheckedFunctions;
            std::unique_ptr<BasisOverlap> overlap =
                check ? std::make_unique<BasisOverlap>(basis) : nullptr;
            for (int reading = 0; reading < 3; ++reading) {
                OrbitalSet alpha = SetOf(false, place, reading), beta = SetOf(true, place, reading);
                double worst = 0.0;
                for (const OrbitalSet* set : {&alpha, &beta}) {
                    for (int o = 0; check && o < std::min(set->Count(), 12); ++o)
                        worst = std::max(
                            worst,
                            std::fabs(overlap->NormOf(
                                          &set->coefficients[static_cast<std::size_t>(o * n)]) -
                                      1.0));
                }
                closest = std::min(closest, worst);
                if (worst <= kNormTolerance) {
                    w->basis = std::move(basis);
                    w->alpha = std::move(alpha);
                    w->beta = std::move(beta);
                    Electrons(*w);
                    return w;
                }
            }
        }
        char said[64];
        std::snprintf(said, sizeof said, "%.3g", closest);
        problem = std::string("no reading of its numbers makes its orbitals normalised (the "
                              "nearest is off by ") +
                  said + ")";
        return nullptr;
    }

    void Electrons(Wavefunction& w) const {
        double alpha = 0.0, beta = 0.0;
        for (const Orbital& o : orbitals_) {
            if (w.Unrestricted())
                (o.beta ? beta : alpha) += o.occupation;
            else {
                alpha += std::min(o.occupation, 1.0);
                beta += std::max(o.occupation - 1.0, 0.0);
            }
        }
        w.alphaElectrons = static_cast<int>(std::lround(alpha));
        w.betaElectrons = static_cast<int>(std::lround(beta));
        int nuclear = 0;
        for (const int z : elements_)
            nuclear += z;
        w.charge = nuclear - w.alphaElectrons - w.betaElectrons;
        w.multiplicity = std::abs(w.alphaElectrons - w.betaElectrons) + 1;
    }

    const std::vector<Section>& sections_;
    CMolData& model_;
    std::vector<int> elements_;
    std::vector<Point3D> positions_;
    std::array<bool, 7> pure_{};
    std::vector<Shell> shells_;
    std::vector<Orbital> orbitals_;
};

} // namespace

std::unique_ptr<CMolData> ReadMolden(StdioFile* in) {
    auto model = std::make_unique<CMolData>();
    model->sourceKind = CMolData::SourceKind::kMolden;
    model->vibrationState = CMolData::kVibrationNone;
    model->inputGeometryType = CMolData::kGeometryCartesian;
    const std::vector<Section> sections = Sections(in);
    MoldenParser parser(sections, *model);
    const std::string problem = parser.ReadAtoms();
    if (!problem.empty()) {
        *model = CMolData();
        model->sourceKind = CMolData::SourceKind::kMolden;
        model->formatProblem = problem;
        return model;
    }
    model->modesProblem = parser.ReadModes();
    std::string why;
    // A file of vibrations only has no orbitals to miss.
    const auto has = [&sections](const char* name) {
        return std::any_of(sections.begin(), sections.end(),
                           [name](const Section& s) { return s.name == name; });
    };
    const bool vibrationsOnly = has("freq") && !has("gto") && !has("mo");
    model->wavefunction = parser.ReadWavefunction(why);
    if (model->wavefunction == nullptr && !vibrationsOnly)
        model->wavefunctionProblem = why;
    model->DropEmptyFrames();
    model->PerceiveBonds(0);
    model->ComputeCentres();
    return model;
}
