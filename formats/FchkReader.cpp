#include "formats/FchkReader.h"

#include "formats/BohrFrame.h"
#include "io/StdioFile.h"
#include "model/CMolData.h"
#include "model/ReadLine.h"
#include "model/TextScanner.h"
#include "model/VolumeGrid.h"
#include "model/Wavefunction.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kLineSize = 4096;

// One section of the file: a scalar (values holds it) or an array.
struct Section {
    char type = 'R';
    bool array = false;
    long long announced = 0;
    std::vector<double> values;
};

// A section's first line: a name in 40 columns, its type and either "N="
// and the length or the value.
bool IsSectionLine(const char* line) {
    const std::string_view text(line);
    if (text.size() < 44 || std::isalpha(static_cast<unsigned char>(text[0])) == 0)
        return false;
    TextScanner scan(text.substr(40));
    std::string_view type;
    return scan.Word(type) && type.size() == 1 &&
           std::string_view("IRCL").find(type) != std::string_view::npos;
}

class FchkParser {
public:
    explicit FchkParser(StdioFile* in) : in_(in) {}

    // Reads every section; returns the problem, empty when the file reads.
    std::string Run(std::map<std::string, Section>& sections, std::vector<std::string>& order) {
        char line[kLineSize];
        // The title and the job's type, method and basis.
        for (int k = 0; k < 2; ++k) {
            if (ReadLine(line, kLineSize, in_) == nullptr)
                return "the file ends within its first two lines";
        }
        bool pending = ReadLine(line, kLineSize, in_) != nullptr;
        while (pending) {
            if (!IsSectionLine(line)) {
                pending = ReadLine(line, kLineSize, in_) != nullptr;
                continue;
            }
            const std::string name =
                std::string(TextScanner::Trim(std::string_view(line).substr(0, 40)));
            TextScanner scan(std::string_view(line).substr(40));
            std::string_view type, word;
            scan.Word(type);
            Section section;
            section.type = type[0];
            pending = false;
            if (scan.Word(word) && word == "N=") {
                section.array = true;
                if (!scan.Int(section.announced) || section.announced < 0)
                    return "section \"" + name + "\" has no length";
                if (section.type == 'C' || section.type == 'L') {
                    // Text: five words of 12 characters a line, or 72
                    // logical values; neither is used.
                    const long long perLine = section.type == 'C' ? 5 : 72;
                    for (long long k = 0; k < (section.announced + perLine - 1) / perLine; ++k) {
                        if (ReadLine(line, kLineSize, in_) == nullptr)
                            break;
                    }
                    pending = ReadLine(line, kLineSize, in_) != nullptr;
                    continue;
                }
                for (;;) {
                    if (ReadLine(line, kLineSize, in_) == nullptr)
                        break;
                    if (static_cast<long long>(section.values.size()) >= section.announced ||
                        IsSectionLine(line)) {
                        pending = true;
                        break;
                    }
                    TextScanner values(line);
                    double value = 0.0;
                    while (values.Real(value))
                        section.values.push_back(value);
                    if (!values.AtEnd())
                        return "section \"" + name + "\" holds something that is not a number";
                }
            } else {
                double value = 0.0;
                if (!TextScanner(word).Real(value) && section.type != 'C' && section.type != 'L')
                    return "section \"" + name + "\" has no value";
                section.values.push_back(value);
                pending = ReadLine(line, kLineSize, in_) != nullptr;
            }
            order.push_back(name);
            sections[name] = std::move(section);
        }
        return {};
    }

private:
    StdioFile* in_;
};

class Sections {
public:
    Sections(const std::map<std::string, Section>& all, std::string& problem)
        : all_(all), problem_(problem) {}

    const Section* Find(const std::string& name) const {
        const auto it = all_.find(name);
        return it != all_.end() ? &it->second : nullptr;
    }
    // A scalar, or fallback when the file has none.
    double Scalar(const std::string& name, double fallback) const {
        const Section* s = Find(name);
        return s != nullptr && !s->array && !s->values.empty() ? s->values[0] : fallback;
    }
    // An array of exactly length values (any length when length < 0); on
    // any other, problem is set once and an empty array is returned.
    const std::vector<double>* Array(const std::string& name, long long length,
                                     bool required) const {
        const Section* s = Find(name);
        if (s == nullptr || !s->array) {
            if (required)
                Fail("\"" + name + "\" is missing");
            return nullptr;
        }
        const long long held = static_cast<long long>(s->values.size());
        if (held != s->announced) {
            Fail("\"" + name + "\" announces " + std::to_string(s->announced) +
                 " values and holds " + std::to_string(held));
            return nullptr;
        }
        if (length >= 0 && held != length) {
            Fail("\"" + name + "\" holds " + std::to_string(held) + " values where " +
                 std::to_string(length) + " belong");
            return nullptr;
        }
        return &s->values;
    }
    void Fail(const std::string& text) const {
        if (problem_.empty())
            problem_ = text;
    }

private:
    const std::map<std::string, Section>& all_;
    std::string& problem_;
};

// A whole number of the file as an int, or fallback for what is none (not
// finite, or beyond any count or number a file holds).
int Whole(double value, int fallback) {
    return std::fabs(value) < 1e9 ? static_cast<int>(value) : fallback;
}

// A number of the file as it reads there, for messages: a whole number in
// full however large, any other in its shortest exact form.
std::string AsRead(double value) {
    if (std::isfinite(value) && std::fabs(value) < 1e18 && value == std::floor(value))
        return std::to_string(static_cast<long long>(value));
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return std::string(text, end);
}

std::vector<Point3D> Points(const std::vector<double>& xyz, std::size_t from, std::size_t count) {
    std::vector<Point3D> points;
    for (std::size_t a = 0; a < count; ++a)
        points.push_back({xyz[from + 3 * a], xyz[from + 3 * a + 1], xyz[from + 3 * a + 2]});
    return points;
}

// The basis and orbitals, or nothing with problem set.
std::shared_ptr<Wavefunction> ReadWavefunction(const Sections& s, long long atoms,
                                               std::string& problem) {
    const std::vector<double>* types = s.Array("Shell types", -1, false);
    if (types == nullptr) {
        if (problem.empty() && s.Find("Alpha MO coefficients") != nullptr)
            problem = "\"Shell types\" is missing";
        return nullptr;
    }
    const long long shells = static_cast<long long>(types->size());
    const std::vector<double>* primitives = s.Array("Number of primitives per shell", shells, true);
    const std::vector<double>* atomMap = s.Array("Shell to atom map", shells, true);
    const std::vector<double>* centres = s.Array("Coordinates of each shell", 3 * shells, true);
    if (primitives == nullptr || atomMap == nullptr || centres == nullptr)
        return nullptr;
    long long total = 0;
    for (double n : *primitives) {
        if (!(n >= 1 && n <= 1000)) {
            s.Fail("a shell has " + AsRead(n) + " primitives");
            return nullptr;
        }
        total += static_cast<long long>(n);
    }
    const std::vector<double>* exponents = s.Array("Primitive exponents", total, true);
    const std::vector<double>* coefficients = s.Array("Contraction coefficients", total, true);
    const std::vector<double>* pCoefficients =
        s.Array("P(S=P) Contraction coefficients", total, false);
    if (exponents == nullptr || coefficients == nullptr)
        return nullptr;
    std::vector<BasisShell> list;
    std::size_t at = 0;
    for (long long k = 0; k < shells; ++k) {
        const std::size_t i = static_cast<std::size_t>(k);
        const int type = Whole((*types)[i], 1000);
        BasisShell shell;
        shell.sp = type == -1;
        shell.l = shell.sp ? 1 : std::abs(type);
        shell.pure = type < -1;
        shell.atom = Whole((*atomMap)[i], 0) - 1;
        if (shell.l > GaussianBasis::kMaxL || shell.atom < 0 || shell.atom >= atoms) {
            s.Fail("shell " + std::to_string(k + 1) + " has type " + AsRead((*types)[i]) +
                   " on atom " + AsRead((*atomMap)[i]));
            return nullptr;
        }
        if (shell.sp && pCoefficients == nullptr) {
            s.Fail("an sp shell without \"P(S=P) Contraction coefficients\"");
            return nullptr;
        }
        shell.centre = {(*centres)[3 * i], (*centres)[3 * i + 1], (*centres)[3 * i + 2]};
        const std::size_t n = static_cast<std::size_t>((*primitives)[i]);
        for (std::size_t p = at; p < at + n; ++p) {
            if (!((*exponents)[p] > 0.0)) {
                s.Fail("shell " + std::to_string(k + 1) + " has an exponent not above 0");
                return nullptr;
            }
            shell.exponents.push_back((*exponents)[p]);
            shell.coefficients.push_back((*coefficients)[p]);
            if (shell.sp)
                shell.pCoefficients.push_back((*pCoefficients)[p]);
        }
        at += n;
        list.push_back(std::move(shell));
    }
    auto wavefunction = std::make_shared<Wavefunction>();
    wavefunction->basis = GaussianBasis(std::move(list));
    const long long nbf = wavefunction->basis.FunctionCount();
    const double stated = s.Scalar("Number of basis functions", static_cast<double>(nbf));
    if (Whole(stated, -1) != nbf) {
        s.Fail("the shells make " + std::to_string(nbf) + " basis functions, the file says " +
               AsRead(stated));
        return nullptr;
    }
    const double independent =
        s.Scalar("Number of independent functions", static_cast<double>(nbf));
    const long long orbitals = Whole(independent, -1);
    if (orbitals < 0 || orbitals > nbf) {
        s.Fail("the file counts " + AsRead(independent) + " orbitals of " + std::to_string(nbf) +
               " basis functions");
        return nullptr;
    }
    for (int spin = 0; spin < 2; ++spin) {
        const std::string name = spin == 0 ? "Alpha" : "Beta";
        if (spin == 1 && s.Find("Beta Orbital Energies") == nullptr)
            break;
        const std::vector<double>* energies =
            s.Array(name + " Orbital Energies", orbitals, spin == 0);
        const std::vector<double>* c =
            s.Array(name + " MO coefficients", orbitals * nbf, spin == 0);
        if (energies == nullptr || c == nullptr)
            return nullptr;
        OrbitalSet& set = spin == 0 ? wavefunction->alpha : wavefunction->beta;
        set.energies = *energies;
        set.coefficients = *c;
    }
    const long long triangle = nbf * (nbf + 1) / 2;
    for (const char* name : {"Total SCF Density", "Spin SCF Density"}) {
        const std::vector<double>* d = s.Array(name, triangle, false);
        if (d != nullptr)
            (name[0] == 'T' ? wavefunction->totalDensity : wavefunction->spinDensity) = *d;
    }
    if (!problem.empty())
        return nullptr;
    wavefunction->charge = Whole(s.Scalar("Charge", 0), 0);
    wavefunction->multiplicity = Whole(s.Scalar("Multiplicity", 1), 1);
    wavefunction->alphaElectrons = Whole(s.Scalar("Number of alpha electrons", 0), 0);
    wavefunction->betaElectrons = Whole(s.Scalar("Number of beta electrons", 0), 0);
    wavefunction->totalEnergy = s.Scalar("Total Energy", 0.0);
    return wavefunction;
}

void ReadInto(StdioFile* in, CMolData& model) {
    model = CMolData();
    model.sourceKind = CMolData::SourceKind::kFchk;
    model.vibrationState = CMolData::kVibrationNone;
    model.inputGeometryType = CMolData::kGeometryCartesian;
    std::map<std::string, Section> all;
    std::vector<std::string> order;
    std::string problem = FchkParser(in).Run(all, order);
    const auto refuse = [&](const std::string& why) {
        model = CMolData();
        model.sourceKind = CMolData::SourceKind::kFchk;
        model.formatProblem = why;
    };
    if (!problem.empty())
        return refuse(problem);
    const Sections s(all, problem);
    const std::vector<double>* numbers = s.Array("Atomic numbers", -1, true);
    const long long atoms = numbers != nullptr ? static_cast<long long>(numbers->size()) : 0;
    const std::vector<double>* current =
        numbers != nullptr ? s.Array("Current cartesian coordinates", 3 * atoms, true) : nullptr;
    if (current == nullptr || atoms == 0)
        return refuse(problem.empty() ? "it holds no atoms" : problem);
    std::vector<int> elements;
    for (double z : *numbers)
        elements.push_back(Whole(z, 0));
    const std::size_t n = static_cast<std::size_t>(atoms);
    // The steps of an optimisation, each with its energy, then the current
    // geometry when it is not the last step's.
    const int stride = Whole(s.Scalar("Optimization Num results per geometry", 2), 2);
    for (const std::string& name : order) {
        if (name.rfind("Opt point", 0) != 0 || name.find("Geometries") == std::string::npos)
            continue;
        const std::vector<double>* xyz = s.Array(name, -1, false);
        if (xyz == nullptr || xyz->size() % (3 * n) != 0)
            continue;
        const std::string resultsName =
            name.substr(0, name.find("Geometries")) + "Results for each geome";
        const std::vector<double>* results = s.Array(resultsName, -1, false);
        const std::size_t steps = xyz->size() / (3 * n);
        for (std::size_t step = 0; step < steps; ++step) {
            auto frame = FrameFromBohr(elements, Points(*xyz, 3 * n * step, n));
            const std::size_t at = step * static_cast<std::size_t>(stride);
            if (results != nullptr && stride >= 1 &&
                results->size() == steps * static_cast<std::size_t>(stride))
                frame->energy = (*results)[at];
            model.AppendFrame(std::move(frame));
            model.framePositions.push_back(0);
        }
    }
    problem.clear(); // a damaged optimisation section only loses its steps
    const std::vector<Point3D> last = Points(*current, 0, n);
    bool same = model.framePositions.size() > 0;
    for (std::size_t a = 0; same && a < n; ++a) {
        const Point3D stepAt =
            Scaled(model.GetAtomPos(static_cast<int>(model.framePositions.size()) - 1,
                                    static_cast<int>(a)),
                   1.0 / kBohrInAngstrom);
        same = Length(Minus(stepAt, last[a])) < 1e-6;
    }
    if (!same) {
        model.AppendFrame(FrameFromBohr(elements, last));
        model.framePositions.push_back(0);
    }
    model.frameCount = static_cast<int>(model.framePositions.size());
    static const std::pair<const char*, const char*> kCharges[] = {
        {"Mulliken Charges", "mulliken"},   {"ESP Charges", "esp"}, {"NPA Charges", "natural"},
        {"Hirshfeld Charges", "hirshfeld"}, {"CM5 Charges", "cm5"}, {"APT Charges", "apt"}};
    for (const auto& [section, scheme] : kCharges) {
        const std::vector<double>* q = s.Array(section, atoms, false);
        if (q != nullptr)
            model.results.charges[scheme] = *q;
    }
    problem.clear();
    model.wavefunction = ReadWavefunction(s, atoms, problem);
    if (model.wavefunction == nullptr)
        model.wavefunctionProblem = problem;
    model.DropEmptyFrames();
    model.PerceiveBonds(0);
    model.ComputeCentres();
}

} // namespace

std::unique_ptr<CMolData> ReadFchk(StdioFile* in) {
    auto model = std::make_unique<CMolData>();
    ReadInto(in, *model);
    return model;
}
