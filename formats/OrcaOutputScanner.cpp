#include "formats/OrcaOutputScanner.h"

#include "model/ElementTable.h"
#include "model/TextScanner.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace {

using Words = std::vector<std::string_view>;

constexpr double kHartreeEv = 27.211386245988; // CODATA 2018

bool IsRuler(std::string_view t) {
    if (t.size() < 3)
        return false;
    for (const char c : t) {
        if (c != '-' && c != '.' && c != '=')
            return false;
    }
    return true;
}

bool Real(std::string_view word, double& value) {
    return TextScanner::ParseReal(word, value);
}

// "6:" of a table of modes, as ORCA numbers them from 0.
bool ModeNumber(std::string_view word, int& number) {
    return word.size() > 1 && word.back() == ':' &&
           TextScanner::ParseInt(word.substr(0, word.size() - 1), number) && number >= 0;
}

bool AllIntegers(const Words& words) {
    int value = 0;
    for (std::string_view word : words) {
        if (!TextScanner::ParseInt(word, value))
            return false;
    }
    return !words.empty();
}

// The number after a label and its dots: "Zero point energy ... 0.0215 Eh".
bool NumberAfter(std::string_view t, std::string_view label, double& value) {
    if (!TextScanner::StartsWith(t, label))
        return false;
    std::string_view rest = t.substr(label.size());
    const std::size_t dots = rest.find("...");
    if (dots != std::string_view::npos)
        rest = rest.substr(dots);
    while (!rest.empty() && (rest.front() == '.' || rest.front() == ' ' || rest.front() == '\t'))
        rest.remove_prefix(1);
    TextScanner scan(rest);
    return scan.Real(value);
}

// The last word of a settings line ("Multiplicity  Mult  ....  1").
std::string_view LastWord(std::string_view t) {
    const Words words = TextScanner::Words(t);
    return words.empty() ? std::string_view() : words.back();
}

// An orbital of an excitation, "33a" or "12b": its number from 0 and spin.
bool Orbital(std::string_view word, int& number, char& spin) {
    if (word.size() < 2 || (word.back() != 'a' && word.back() != 'b'))
        return false;
    spin = word.back();
    return TextScanner::ParseInt(word.substr(0, word.size() - 1), number) && number >= 0;
}

} // namespace

CMolData::Termination OrcaOutputScanner::TerminationOf(std::string_view line) {
    if (line.find("ORCA TERMINATED NORMALLY") != std::string_view::npos)
        return CMolData::Termination::kNormal;
    // In any case, without copying the line (most lines of an output pass
    // here).
    static constexpr std::string_view kAborting = "aborting the run";
    const auto aborting = std::search(
        line.begin(), line.end(), kAborting.begin(), kAborting.end(),
        [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
    if (line.find("ORCA finished by error termination") != std::string_view::npos ||
        aborting != line.end())
        return CMolData::Termination::kError;
    return CMolData::Termination::kRunning;
}

void OrcaOutputScanner::Feed(std::string_view line, std::int64_t offset) {
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    const std::string_view t = TextScanner::Trim(line);
    bool inBlock = true;
    switch (block_) {
    case Block::kNone:
        inBlock = false;
        break;
    case Block::kGeometry:
        inBlock = FeedGeometry(t);
        break;
    case Block::kConvergence:
        inBlock = FeedConvergence(t);
        break;
    case Block::kFrequencies:
        inBlock = FeedFrequencies(t);
        break;
    case Block::kNormalModes:
        inBlock = FeedNormalModes(t);
        break;
    case Block::kIr:
        inBlock = FeedModeTable(t, ir_);
        break;
    case Block::kRaman:
        inBlock = FeedModeTable(t, raman_);
        break;
    case Block::kStates:
        inBlock = FeedStates(t);
        break;
    case Block::kAbsorption:
        inBlock = FeedSpectrum(t, oscillators_);
        break;
    case Block::kCd:
        inBlock = FeedSpectrum(t, rotatory_);
        break;
    case Block::kShieldings:
        inBlock = FeedShieldings(t);
        break;
    case Block::kCharges:
        inBlock = FeedCharges(t);
        break;
    case Block::kHirshfeld:
        inBlock = FeedHirshfeld(t);
        break;
    }
    // A header whose rows never come ends its block after a few lines.
    constexpr int kMaxLinesBeforeRows = 12;
    if (inBlock && (rowsSeen_ || ++linesBeforeRows_ <= kMaxLinesBeforeRows))
        return;
    if (block_ == Block::kCharges || block_ == Block::kHirshfeld)
        EndTable();
    block_ = Block::kNone;
    if (!Start(t, offset))
        FeedOutside(t);
}

// The headers of the blocks, each on a line of its own.
bool OrcaOutputScanner::Start(std::string_view t, std::int64_t offset) {
    const auto begin = [this](Block block) {
        block_ = block;
        rowsSeen_ = false;
        linesBeforeRows_ = 0;
        return true;
    };
    if (t == "CARTESIAN COORDINATES (ANGSTROEM)") {
        pending_ = Geometry();
        pending_.position = offset;
        return begin(Block::kGeometry);
    }
    if (t.find("|Geometry convergence|") != std::string_view::npos)
        return begin(Block::kConvergence);
    if (t == "VIBRATIONAL FREQUENCIES") {
        // A new frequency job: what an earlier one printed is replaced.
        modesGeometry_ = static_cast<int>(geometries_.size()) - 1;
        frequencies_.clear();
        columns_.clear();
        ir_.clear();
        raman_.clear();
        return begin(Block::kFrequencies);
    }
    if (t == "NORMAL MODES") {
        headerColumns_.clear();
        return begin(Block::kNormalModes);
    }
    if (t == "IR SPECTRUM") {
        irColumn_ = 2;
        return begin(Block::kIr);
    }
    if (t == "RAMAN SPECTRUM")
        return begin(Block::kRaman);
    if ((TextScanner::StartsWith(t, "TD-DFT") || TextScanner::StartsWith(t, "CIS")) &&
        t.find("EXCITED STATES") != std::string_view::npos) {
        stateMultiplicity_ = t.find("(SINGLETS)") != std::string_view::npos   ? 1
                             : t.find("(TRIPLETS)") != std::string_view::npos ? 3
                                                                              : 0;
        // A new run (a later step, another job) once the spectra of the last
        // one came, or when it repeats a kind of states the set holds.
        bool repeated = false;
        for (const int m : multiplicitiesOfSet_)
            repeated = repeated || m == stateMultiplicity_;
        if (spectrumSinceStates_ || repeated) {
            states_.clear();
            oscillators_.clear();
            rotatory_.clear();
            multiplicitiesOfSet_.clear();
            spectrumSinceStates_ = false;
        }
        multiplicitiesOfSet_.push_back(stateMultiplicity_);
        return begin(Block::kStates);
    }
    if (t == "ABSORPTION SPECTRUM VIA TRANSITION ELECTRIC DIPOLE MOMENTS") {
        oscillators_.clear();
        spectrumSinceStates_ = true;
        return begin(Block::kAbsorption);
    }
    if (t == "CD SPECTRUM" || t == "CD SPECTRUM VIA TRANSITION ELECTRIC DIPOLE MOMENTS") {
        rotatory_.clear();
        spectrumSinceStates_ = true;
        return begin(Block::kCd);
    }
    if (t == "CHEMICAL SHIELDING SUMMARY (ppm)") {
        shieldings_.clear();
        return begin(Block::kShieldings);
    }
    for (const auto& [header, scheme] :
         {std::pair<std::string_view, const char*>{"MULLIKEN ATOMIC CHARGES", "mulliken"},
          {"LOEWDIN ATOMIC CHARGES", "loewdin"}}) {
        if (TextScanner::StartsWith(t, header)) {
            table_ = AtomTable();
            table_.scheme = scheme;
            table_.withSpins = t.find("SPIN") != std::string_view::npos;
            return begin(Block::kCharges);
        }
    }
    if (t == "HIRSHFELD ANALYSIS") {
        table_ = AtomTable();
        table_.scheme = "hirshfeld";
        table_.withSpins = true;
        return begin(Block::kHirshfeld);
    }
    return false;
}

bool OrcaOutputScanner::FeedGeometry(std::string_view t) {
    if (!rowsSeen_ && (IsRuler(t) || t.empty()))
        return true;
    const Words words = TextScanner::Words(t);
    if (words.size() == 4) {
        rowsSeen_ = true;
        Point3D p;
        if (!Real(words[1], p.x) || !Real(words[2], p.y) || !Real(words[3], p.z)) {
            ++skippedRows_;
            return true;
        }
        pending_.elements.push_back(ElementTable::NumberOfName(words[0]));
        pending_.symbols.emplace_back(words[0]);
        pending_.positions.push_back(p);
        return true;
    }
    // The blank line after the rows closes the block; anything else cuts it
    // short, and a block cut short is no geometry.
    if (t.empty() && !pending_.positions.empty())
        geometries_.push_back(std::move(pending_));
    pending_ = Geometry();
    return false;
}

bool OrcaOutputScanner::FeedConvergence(std::string_view t) {
    static const std::pair<std::string_view, StepConvergence::Item> kItems[] = {
        {"RMS gradient", StepConvergence::kRmsForce},
        {"MAX gradient", StepConvergence::kMaximumForce},
        {"RMS step", StepConvergence::kRmsDisplacement},
        {"MAX step", StepConvergence::kMaximumDisplacement}};
    if (TextScanner::StartsWith(t, "Item") || t.empty() ||
        TextScanner::StartsWith(t, "Energy change"))
        return true;
    if (IsRuler(t))
        return !rowsSeen_;
    for (const auto& [name, item] : kItems) {
        if (!TextScanner::StartsWith(t, name))
            continue;
        rowsSeen_ = true;
        const Words words = TextScanner::Words(t.substr(name.size()));
        double value = 0.0, threshold = 0.0;
        if (words.size() >= 3 && Real(words[0], value) && Real(words[1], threshold) &&
            !geometries_.empty()) {
            StepConvergence& c = geometries_.back().convergence;
            c.present[item] = true;
            c.value[item] = value;
            c.threshold[item] = threshold;
            c.converged[item] = words[2] == "YES";
        }
        return true;
    }
    return false;
}

bool OrcaOutputScanner::FeedFrequencies(std::string_view t) {
    const Words words = TextScanner::Words(t);
    int number = 0;
    double frequency = 0.0;
    if (words.size() >= 2 && ModeNumber(words[0], number) && Real(words[1], frequency)) {
        rowsSeen_ = true;
        frequencies_[number] = frequency;
        return true;
    }
    return !rowsSeen_ || t.empty();
}

bool OrcaOutputScanner::FeedNormalModes(std::string_view t) {
    if (t.empty())
        return true;
    const Words words = TextScanner::Words(t);
    if (AllIntegers(words)) {
        headerColumns_.clear();
        for (std::string_view word : words) {
            int column = 0;
            TextScanner::ParseInt(word, column);
            headerColumns_.push_back(column);
        }
        return true;
    }
    int row = 0;
    if (!headerColumns_.empty() && words.size() == headerColumns_.size() + 1 &&
        TextScanner::ParseInt(words[0], row)) {
        rowsSeen_ = true;
        for (std::size_t k = 0; k < headerColumns_.size(); ++k) {
            double value = 0.0;
            std::vector<double>& column = columns_[headerColumns_[k]];
            // Rows come in order; one out of place leaves its column short.
            if (Real(words[k + 1], value) && static_cast<int>(column.size()) == row)
                column.push_back(value);
        }
        return true;
    }
    return !rowsSeen_;
}

// A table of modes, "  6:  1625.35  ...": the value in the chosen column
// (the IR table's intensity column is found from its header).
bool OrcaOutputScanner::FeedModeTable(std::string_view t, std::map<int, double>& values) {
    const Words words = TextScanner::Words(t);
    if (!rowsSeen_ && !words.empty() && words[0] == "Mode") {
        // ORCA 5 and later: "Mode freq eps Int T**2 ..." with the intensity
        // in km/mol; ORCA 4: "Mode freq (cm**-1) T**2 ...", whose T**2
        // column holds it.
        for (std::size_t k = 0; k < words.size(); ++k) {
            if (words[k] == "Int")
                irColumn_ = static_cast<int>(k);
        }
        return true;
    }
    int number = 0;
    const std::size_t column = &values == &ir_ ? static_cast<std::size_t>(irColumn_) : 2;
    double value = 0.0;
    if (words.size() > column && ModeNumber(words[0], number) && Real(words[column], value)) {
        rowsSeen_ = true;
        values[number] = value;
        return true;
    }
    // Before the rows: the units, rulers and blank lines; after them
    // anything ends the table.
    return !rowsSeen_;
}

bool OrcaOutputScanner::FeedStates(std::string_view t) {
    const Words words = TextScanner::Words(t);
    if (t.empty() || IsRuler(t) || TextScanner::StartsWith(t, "the weight"))
        return true;
    // "STATE  1:  E=   0.196686 au      5.352 eV    43167.6 cm**-1 ..."
    if (words.size() >= 8 && words[0] == "STATE" && words[2] == "E=") {
        JobResults::ExcitedState state;
        double hartree = 0.0, wavenumber = 0.0;
        if (!Real(words[3], hartree) || !Real(words[7], wavenumber))
            return true;
        rowsSeen_ = true;
        state.number = static_cast<int>(states_.size()) + 1;
        state.multiplicity = stateMultiplicity_;
        for (std::size_t k = 8; k + 1 < words.size(); ++k) {
            int mult = 0;
            if (words[k] == "Mult" && TextScanner::ParseInt(words[k + 1], mult) && mult > 0)
                state.multiplicity = mult;
        }
        state.energyEv = hartree * kHartreeEv;
        state.wavelengthNm = wavenumber > 0.0 ? 1e7 / wavenumber : 0.0;
        states_.push_back(state);
        return true;
    }
    // "33a ->  35a  :     0.563723 (c= -0.75081502)"
    int from = 0, to = 0;
    char fromSpin = 'a', toSpin = 'a';
    if (words.size() >= 5 && (words[1] == "->" || words[1] == "<-") &&
        Orbital(words[0], from, fromSpin) && Orbital(words[2], to, toSpin) && words[3] == ":") {
        if (states_.empty())
            return true;
        JobResults::Transition transition;
        transition.from = from + 1;
        transition.to = to + 1;
        transition.deexcitation = words[1] == "<-";
        transition.spin = unrestricted_ ? (fromSpin == 'a' ? 'A' : 'B') : ' ';
        double weight = 0.0;
        Real(words[4], weight);
        transition.coefficient = std::sqrt(std::max(weight, 0.0));
        const std::size_t c = t.find("c=");
        if (c != std::string_view::npos) {
            TextScanner scan(t.substr(c + 2));
            double coefficient = 0.0;
            if (scan.Real(coefficient))
                transition.coefficient = coefficient;
        }
        states_.back().transitions.push_back(transition);
        return true;
    }
    return false;
}

// A spectrum's rows in the order of the states: the old layout "1 43167.6
// 231.7 0.0056 ..." or ORCA 6's "0-1A -> 1-1A 5.352 43167.6 231.7 0.0056
// ..."; a state that is spin forbidden has no value (NaN).
bool OrcaOutputScanner::FeedSpectrum(std::string_view t, std::vector<double>& values) {
    const Words words = TextScanner::Words(t);
    std::size_t valueAt = 3;
    int state = 0;
    bool row = words.size() >= 4 && TextScanner::ParseInt(words[0], state);
    for (std::size_t k = 0; !row && k < words.size(); ++k) {
        if (words[k] == "->") {
            row = words.size() > k + 5;
            valueAt = k + 5;
        }
    }
    if (row) {
        rowsSeen_ = true;
        double value = NormalMode::kNotPrinted;
        if (t.find("spin forbidden") == std::string_view::npos)
            Real(words[valueAt], value);
        values.push_back(value);
        return true;
    }
    return !rowsSeen_;
}

bool OrcaOutputScanner::FeedShieldings(std::string_view t) {
    const Words words = TextScanner::Words(t);
    int atom = 0;
    JobResults::Shielding shielding;
    if (words.size() >= 4 && TextScanner::ParseInt(words[0], atom) &&
        Real(words[2], shielding.isotropic) && Real(words[3], shielding.anisotropy)) {
        rowsSeen_ = true;
        shieldings_[atom] = shielding;
        return true;
    }
    return !rowsSeen_;
}

// "   0 C :   -0.130  0.050" (Mulliken, Löwdin): the atom's number and
// symbol before the colon (which a symbol of two letters may touch).
bool OrcaOutputScanner::FeedCharges(std::string_view t) {
    if (TextScanner::StartsWith(t, "Sum of atomic")) {
        table_.ended = true;
        return false;
    }
    const std::size_t colon = t.find(':');
    if (colon != std::string_view::npos) {
        const Words before = TextScanner::Words(t.substr(0, colon));
        const Words after = TextScanner::Words(t.substr(colon + 1));
        int atom = 0;
        double charge = 0.0, spin = 0.0;
        if (!before.empty() && TextScanner::ParseInt(before[0], atom) && !after.empty() &&
            Real(after[0], charge)) {
            rowsSeen_ = true;
            if (table_.withSpins && (after.size() < 2 || !Real(after[1], spin)))
                spin = NormalMode::kNotPrinted;
            table_.rows[atom] = {charge, spin};
            return true;
        }
    }
    if (!rowsSeen_ && (t.empty() || IsRuler(t)))
        return true;
    // The Löwdin table ends at a blank line.
    table_.ended = rowsSeen_ && t.empty();
    return false;
}

bool OrcaOutputScanner::FeedHirshfeld(std::string_view t) {
    const Words words = TextScanner::Words(t);
    if (!words.empty() && words[0] == "TOTAL") {
        table_.ended = true;
        return false;
    }
    int atom = 0;
    double charge = 0.0, spin = 0.0;
    if (words.size() >= 4 && TextScanner::ParseInt(words[0], atom) && Real(words[2], charge) &&
        Real(words[3], spin)) {
        rowsSeen_ = true;
        table_.rows[atom] = {charge, spin};
        return true;
    }
    // Before the rows: the integrated densities, the column header.
    return !rowsSeen_ || t.empty();
}

void OrcaOutputScanner::EndTable() {
    if (table_.scheme.empty())
        return;
    auto& charges = charges_[table_.scheme];
    charges.clear();
    auto& spins = spins_[table_.scheme];
    spins.clear();
    for (const auto& [atom, values] : table_.rows) {
        charges[atom] = values.first;
        if (table_.withSpins)
            spins[atom] = values.second;
    }
    if (!table_.withSpins)
        spins_.erase(table_.scheme);
    tableCut_[table_.scheme] = !table_.ended;
    table_ = AtomTable();
}

// Lines outside the blocks: the version, the input's charge, multiplicity
// and reference, the thermochemistry's lines, energies and the job's end.
void OrcaOutputScanner::FeedOutside(std::string_view t) {
    if (t.empty())
        return;
    double value = 0.0;
    if (TextScanner::StartsWith(t, "FINAL SINGLE POINT ENERGY")) {
        if (Real(LastWord(t), value) && !geometries_.empty())
            geometries_.back().energy = value;
        return;
    }
    if (TextScanner::StartsWith(t, "Program Version")) {
        const Words words = TextScanner::Words(t);
        if (words.size() >= 3)
            version_ = std::string(words[2]);
        return;
    }
    if (t.find("....") != std::string_view::npos) {
        int number = 0;
        if (TextScanner::StartsWith(t, "Total Charge") &&
            TextScanner::ParseInt(LastWord(t), number))
            charge_ = number;
        else if (TextScanner::StartsWith(t, "Multiplicity") &&
                 TextScanner::ParseInt(LastWord(t), number) && number > 0)
            multiplicity_ = number;
        else if (TextScanner::StartsWith(t, "Hartree-Fock type"))
            unrestricted_ = LastWord(t) == "UHF";
    }
    if (TextScanner::StartsWith(t, "THERMOCHEMISTRY AT")) {
        thermochemistry_ = true;
        thermo_.clear();
        return;
    }
    if (thermochemistry_) {
        static const char* const kLabels[] = {"Temperature",
                                              "Pressure",
                                              "Electronic energy",
                                              "Zero point energy",
                                              "Total thermal energy",
                                              "Total correction",
                                              "Total Enthalpy",
                                              "Final Gibbs free energy",
                                              "G-E(el)"};
        for (const char* label : kLabels) {
            if (NumberAfter(t, label, value) && thermo_.count(label) == 0)
                thermo_[label] = value;
        }
        if (TextScanner::StartsWith(t, "G-E(el)") || TextScanner::StartsWith(t, "TIMINGS"))
            thermochemistry_ = false;
        return;
    }
    const CMolData::Termination end = TerminationOf(t);
    if (end != CMolData::Termination::kRunning)
        termination_ = end;
}

std::vector<NormalMode> OrcaOutputScanner::Modes() const {
    std::vector<NormalMode> modes;
    if (modesGeometry_ < 0 || modesGeometry_ >= static_cast<int>(geometries_.size()))
        return modes;
    const std::size_t atoms =
        geometries_[static_cast<std::size_t>(modesGeometry_)].positions.size();
    for (const auto& [number, frequency] : frequencies_) {
        // The translations and rotations, printed as 0.00 cm⁻¹, are no
        // vibrations.
        if (frequency == 0.0)
            continue;
        const auto column = columns_.find(number);
        if (column == columns_.end() || column->second.size() != 3 * atoms)
            continue; // not printed whole (yet)
        NormalMode mode;
        mode.number = static_cast<int>(modes.size()) + 1;
        mode.frequency = frequency;
        if (const auto ir = ir_.find(number); ir != ir_.end())
            mode.irIntensity = ir->second;
        if (const auto raman = raman_.find(number); raman != raman_.end())
            mode.ramanActivity = raman->second;
        for (std::size_t a = 0; a < atoms; ++a)
            mode.displacements.push_back(
                {column->second[3 * a], column->second[3 * a + 1], column->second[3 * a + 2]});
        modes.push_back(std::move(mode));
    }
    return modes;
}

JobResults OrcaOutputScanner::Results(int atoms) const {
    using Problem = JobResults::Problem;
    JobResults results;
    results.excitedStates = states_;
    for (std::size_t s = 0; s < results.excitedStates.size(); ++s) {
        JobResults::ExcitedState& state = results.excitedStates[s];
        // A state the spectrum calls spin forbidden absorbs nothing.
        if (s < oscillators_.size())
            state.oscillatorStrength = std::isnan(oscillators_[s]) ? 0.0 : oscillators_[s];
        if (s < rotatory_.size())
            state.rotatoryStrength = rotatory_[s];
    }
    // Every atom of the geometry, or the table is not its atoms'.
    const auto whole = [atoms](const auto& rows) {
        if (static_cast<int>(rows.size()) != atoms)
            return false;
        int expected = 0;
        for (const auto& entry : rows) {
            if (entry.first != expected++)
                return false;
        }
        return true;
    };
    const auto take = [&](const std::map<std::string, std::map<int, double>>& tables,
                          std::map<std::string, std::vector<double>>& into, Problem::Kind kind) {
        for (const auto& [scheme, rows] : tables) {
            if (rows.empty())
                continue;
            if (!whole(rows)) {
                results.problems.push_back({kind, scheme, static_cast<int>(rows.size()), atoms});
                continue;
            }
            std::vector<double>& values = into[scheme];
            for (const auto& entry : rows)
                values.push_back(entry.second);
        }
    };
    take(charges_, results.charges, Problem::Kind::kChargesLength);
    take(spins_, results.spins, Problem::Kind::kSpinsLength);
    // A table that something other than its end line closed, or that the
    // output ends in.
    const auto tableName = [](const std::string& scheme) {
        return scheme == "hirshfeld" ? std::string("Hirshfeld charge") : std::string("charge");
    };
    for (const auto& [scheme, cut] : tableCut_) {
        if (cut)
            results.problems.push_back({Problem::Kind::kTableCut, tableName(scheme), 0, 0});
    }
    if ((block_ == Block::kCharges || block_ == Block::kHirshfeld) && rowsSeen_)
        results.problems.push_back({Problem::Kind::kTableCut, tableName(table_.scheme), 0, 0});
    if (!shieldings_.empty()) {
        if (whole(shieldings_)) {
            for (const auto& entry : shieldings_)
                results.nmr.push_back(entry.second);
        } else {
            results.problems.push_back({Problem::Kind::kShieldingsLength, "",
                                        static_cast<int>(shieldings_.size()), atoms});
        }
    }
    using T = JobResults::Thermochemistry;
    const auto printed = [this](const char* label) {
        const auto found = thermo_.find(label);
        return found != thermo_.end() ? found->second : JobResults::kNotPrinted;
    };
    std::array<double, T::kItems>& v = results.thermochemistry.value;
    const double electronic = printed("Electronic energy");
    v[T::kTemperature] = printed("Temperature");
    v[T::kPressure] = printed("Pressure");
    v[T::kZeroPointCorrection] = printed("Zero point energy");
    // ORCA's "Total correction" is the zero-point energy and the thermal
    // energies together, as Gaussian's "Thermal correction to Energy".
    v[T::kThermalEnergyCorrection] = printed("Total correction");
    v[T::kEnthalpyCorrection] = printed("Total Enthalpy") - electronic;
    v[T::kFreeEnergyCorrection] = printed("G-E(el)");
    if (std::isnan(v[T::kFreeEnergyCorrection]))
        v[T::kFreeEnergyCorrection] = printed("Final Gibbs free energy") - electronic;
    v[T::kElectronicPlusZeroPoint] = electronic + v[T::kZeroPointCorrection];
    v[T::kElectronicPlusThermalEnergy] = printed("Total thermal energy");
    v[T::kElectronicPlusEnthalpy] = printed("Total Enthalpy");
    v[T::kElectronicPlusFreeEnergy] = printed("Final Gibbs free energy");
    return results;
}
