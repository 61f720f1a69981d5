#include "formats/GaussianResultsScanner.h"

#include "model/Spectrum.h"
#include "model/TextScanner.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

namespace {

using Item = JobResults::Thermochemistry::Item;

constexpr std::string_view kShieldingHeader = "Magnetic shielding tensor (ppm):";

bool Contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

// The multiplicity a state's label names ("Singlet", "Triplet" ...), 0 for
// none.
int MultiplicityOf(std::string_view word) {
    static constexpr std::pair<std::string_view, int> kNames[] = {
        {"Singlet", 1}, {"Doublet", 2}, {"Triplet", 3}, {"Quartet", 4},
        {"Quintet", 5}, {"Sextet", 6},  {"Septet", 7},  {"Octet", 8}};
    for (const auto& [name, multiplicity] : kNames) {
        if (word == name)
            return multiplicity;
    }
    return 0;
}

// "Excited State   1:      Singlet-A      2.0353 eV  609.16 nm  f=2.4970  <S**2>=0.000":
// the label between the colon and the energy may hold blanks ("?Spin  -A").
bool ParseStateHeader(std::string_view line, JobResults::ExcitedState& state) {
    TextScanner scan(line.substr(std::string_view("Excited State").size()));
    const std::size_t colon = line.find(':');
    const std::size_t ev = line.find(" eV");
    if (!scan.Int(state.number) || colon == std::string_view::npos ||
        ev == std::string_view::npos || ev < colon)
        return false;
    // The energy is the word before " eV".
    std::size_t energyStart = line.find_last_of(" \t", ev - 1);
    energyStart =
        energyStart == std::string_view::npos || energyStart < colon ? colon + 1 : energyStart + 1;
    if (!TextScanner::ParseReal(line.substr(energyStart, ev - energyStart), state.energyEv))
        return false;
    std::string label;
    for (const char c : line.substr(colon + 1, energyStart - colon - 1)) {
        if (c != ' ' && c != '\t')
            label += c;
    }
    const std::size_t dash = label.find('-');
    state.multiplicity = MultiplicityOf(label.substr(0, dash));
    state.symmetry = dash == std::string::npos ? std::string() : label.substr(dash + 1);
    TextScanner after(line.substr(ev + 3));
    double nm = 0.0;
    std::string_view unit;
    state.wavelengthNm =
        after.Real(nm) && after.Word(unit) && unit == "nm"
            ? nm
            : (state.energyEv > 0.0 ? SpectrumConstants::kEvNanometres / state.energyEv : 0.0);
    const std::size_t f = line.find("f=", ev);
    if (f == std::string_view::npos)
        return false;
    TextScanner strength(line.substr(f + 2));
    return strength.Real(state.oscillatorStrength);
}

// "103 ->108  0.16148", "35A -> 45A  0.01921", "105 <-106  -0.10".
bool ParseTransition(std::string_view line, JobResults::Transition& transition) {
    std::size_t arrow = line.find("->");
    transition.deexcitation = arrow == std::string_view::npos;
    if (transition.deexcitation)
        arrow = line.find("<-");
    if (arrow == std::string_view::npos)
        return false;
    const auto orbital = [](TextScanner& scan, int& number, char& spin) {
        std::string_view word;
        if (!scan.Word(word))
            return false;
        spin = ' ';
        if (!word.empty() && (word.back() == 'A' || word.back() == 'B')) {
            spin = word.back();
            word.remove_suffix(1);
        }
        return TextScanner::ParseInt(word, number);
    };
    TextScanner left(line.substr(0, arrow));
    TextScanner right(line.substr(arrow + 2));
    char toSpin = ' ';
    return orbital(left, transition.from, transition.spin) && left.AtEnd() &&
           orbital(right, transition.to, toSpin) && right.Real(transition.coefficient);
}

// Whether the line holds whole numbers only ("1" or "1  2" over a table).
bool IsColumnNumbers(std::string_view line) {
    TextScanner scan(line);
    int number = 0, count = 0;
    while (scan.Int(number))
        ++count;
    return count > 0 && scan.AtEnd();
}

// The value after the first '=' of a thermochemistry line.
bool ValueAfterEquals(std::string_view line, double& value) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return false;
    TextScanner scan(line.substr(equals + 1));
    return scan.Real(value);
}

} // namespace

void GaussianResultsScanner::Feed(const char* line) {
    if (block_ == Block::kNone) {
        const char* first = line;
        while (*first == ' ' || *first == '\t')
            ++first;
        // Blocks begin "Excit…", "ESP …", "Mulliken …", "MP2 GIAO …", "APT
        // …", "Charges …", "Hirshfeld …", "Summary …", "SCF GIAO …",
        // "1/2[…" or "<0|r|b>…", NBO's banners "**…"; the thermochemistry
        // lines "Temperature …", "Thermal …", "Zero-point …", "Sum of …".
        // The level of theory: "Standard basis: …", "SCF Done:  E(RB3LYP)",
        // "E2 = … EUMP2 = …".
        static constexpr const char kStarts[][3] = {"Ex", "ES", "Mu", "MP", "AP", "Ch",
                                                    "Hi", "Su", "SC", "Te", "Th", "Ze",
                                                    "1/", "<0", "**", "St", "E2"};
        bool may = false;
        for (const char* start : kStarts)
            may = may || (first[0] == start[0] && first[1] == start[1]);
        if (!may)
            return;
    }
    Feed(std::string_view(line));
}

void GaussianResultsScanner::Feed(std::string_view line) {
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.remove_suffix(1);
    const std::string_view trimmed = TextScanner::Trim(line);
    switch (block_) {
    case Block::kTransitions:
        if (JobResults::Transition transition; ParseTransition(trimmed, transition)) {
            if (!states_.empty())
                states_.back().transitions.push_back(transition);
            return;
        }
        block_ = Block::kExcitedStates;
        [[fallthrough]];
    case Block::kExcitedStates:
        FeedExcited(trimmed);
        return;
    case Block::kRotatory:
        FeedRotatory(trimmed);
        return;
    case Block::kCharges:
        FeedTable(trimmed);
        return;
    case Block::kHirshfeld:
        FeedHirshfeld(trimmed);
        return;
    case Block::kNatural:
        FeedNatural(trimmed);
        return;
    case Block::kShieldings:
        FeedShielding(trimmed);
        return;
    case Block::kNone:
        break;
    }
    Restart(trimmed);
}

// A line outside any block: it may begin one, or be a thermochemistry line.
void GaussianResultsScanner::Restart(std::string_view trimmed) {
    block_ = Block::kNone;
    if (FeedLevel(trimmed))
        return;
    if (!StartBlock(trimmed))
        FeedThermochemistry(trimmed);
}

// The basis set and the method, from the lines that name them; MP2 once its
// energy is printed (its SCF lines name Hartree-Fock). Whether the line was
// one of them.
bool GaussianResultsScanner::FeedLevel(std::string_view trimmed) {
    if (TextScanner::StartsWith(trimmed, "Standard basis:")) {
        TextScanner scan(trimmed.substr(15));
        std::string_view word;
        if (scan.Word(word))
            basis_ = std::string(word);
        return true;
    }
    if (TextScanner::StartsWith(trimmed, "SCF Done:")) {
        const std::size_t open = trimmed.find("E("), close = trimmed.find(')');
        if (open != std::string_view::npos && close != std::string_view::npos && close > open) {
            std::string_view name = trimmed.substr(open + 2, close - open - 2);
            // Restricted, unrestricted, restricted open shell.
            if (TextScanner::StartsWith(name, "RO"))
                name.remove_prefix(2);
            else if (!name.empty() && (name.front() == 'R' || name.front() == 'U'))
                name.remove_prefix(1);
            // Gaussian 03 and earlier name B3LYP so.
            if (name == "B+HF-LYP")
                name = "B3LYP";
            if (!correlated_)
                method_ = std::string(name);
        }
        return true;
    }
    if (TextScanner::StartsWith(trimmed, "E2 =") && Contains(trimmed, "EUMP2")) {
        method_ = "MP2";
        correlated_ = true;
        return true;
    }
    return false;
}

// Whether the line begins a block (and which). Most lines of an output
// begin none: their first character rules them out before any search.
bool GaussianResultsScanner::StartBlock(std::string_view trimmed) {
    if (trimmed.empty())
        return false;
    // "SCF GIAO Magnetic shielding tensor (ppm):", "MP2 GIAO …", …
    if (trimmed.back() == ':' && TextScanner::EndsWith(trimmed, kShieldingHeader)) {
        shieldings_.clear();
        block_ = Block::kShieldings;
        return true;
    }
    switch (trimmed.front()) {
    case 'E':
        if (TextScanner::StartsWith(trimmed, "Excitation energies and oscillator strengths")) {
            states_.clear();
            unreadStateLines_ = 0;
            setRotatory_ = std::move(rotatory_);
            rotatory_.clear();
            block_ = Block::kExcitedStates;
            return true;
        }
        if (TextScanner::StartsWith(trimmed, "Excited State")) {
            // States printed without the set's header line join the set.
            FeedExcited(trimmed);
            return true;
        }
        return StartTable(trimmed);
    case 'M':
    case 'A':
        return StartTable(trimmed);
    case 'C':
        if (TextScanner::StartsWith(trimmed, "Charges from ESP fit")) {
            table_ = Table{"esp", "", {}, {}, 0, false};
            block_ = Block::kCharges;
            return true;
        }
        return false;
    case '1':
    case '<':
        if (TextScanner::StartsWith(trimmed, "1/2[<0|r|b>*<b|rxdel|0> + (<0|rxdel|b>*<b|r|0>)*]") ||
            TextScanner::StartsWith(trimmed,
                                    "<0|r|b> * <b|rxdel|0>  (Au), Rotatory Strengths (R)")) {
            rotatory_.clear();
            rotatoryColumn_ = -1;
            headerLines_ = 0;
            block_ = Block::kRotatory;
            return true;
        }
        return false;
    case 'H':
        if (TextScanner::StartsWith(
                trimmed, "Hirshfeld charges, spin densities, dipoles, and CM5 charges") ||
            TextScanner::StartsWith(trimmed, "Hirshfeld spin densities, charges and dipoles")) {
            hirshfeldCharge_ = hirshfeldSpin_ = hirshfeldCm5_ = -1;
            hirshfeld_.clear();
            hirshfeldSpins_.clear();
            cm5_.clear();
            block_ = Block::kHirshfeld;
            return true;
        }
        return false;
    case '*':
        // NBO's banners: "****…Gaussian NBO Version 3.1…****" begins a run,
        // "****  Alpha spin orbitals  ****" its alpha part.
        if (Contains(trimmed, "NBO Version") || Contains(trimmed, " NBO "))
            nboSpinPart_ = false;
        else if (Contains(trimmed, "Alpha spin orbitals") ||
                 Contains(trimmed, "Beta  spin orbitals"))
            nboSpinPart_ = true;
        return false;
    case 'S':
        if (TextScanner::StartsWith(trimmed, "Summary of Natural Population Analysis")) {
            if (!nboSpinPart_) {
                natural_ = false;
                headerLines_ = 0;
                naturalCharges_.clear();
                block_ = Block::kNatural;
            }
            return true;
        }
        return false;
    default:
        return false;
    }
}

// The charge tables headed by a line of their own: Mulliken, APT, ESP.
bool GaussianResultsScanner::StartTable(std::string_view trimmed) {
    static const struct {
        std::string_view header;
        const char* charges;
        const char* spins;
    } kTables[] = {
        {"Mulliken charges:", "mulliken", ""},
        {"Mulliken atomic charges:", "mulliken", ""},
        {"Mulliken charges and spin densities:", "mulliken", "mulliken"},
        {"Mulliken atomic spin densities:", "", "mulliken"},
        {"APT charges:", "apt", ""},
        {"APT atomic charges:", "apt", ""},
        {"ESP charges:", "esp", ""},
    };
    if (trimmed.back() != ':')
        return false;
    for (const auto& table : kTables) {
        if (trimmed == table.header) {
            table_ = Table{table.charges, table.spins, {}, {}, 0, false};
            block_ = Block::kCharges;
            return true;
        }
    }
    return false;
}

void GaussianResultsScanner::FeedExcited(std::string_view trimmed) {
    if (TextScanner::StartsWith(trimmed, "Excited State")) {
        JobResults::ExcitedState state;
        if (ParseStateHeader(trimmed, state)) {
            const auto r = setRotatory_.find(state.number);
            if (r != setRotatory_.end())
                state.rotatoryStrength = r->second;
            states_.push_back(std::move(state));
            block_ = Block::kTransitions;
        } else {
            ++unreadStateLines_;
        }
        return;
    }
    // What a state prints after its transitions, and blank lines, stay
    // within the block; anything else ends it.
    static constexpr std::string_view kWithin[] = {"This state for", "Total Energy", "Copying the",
                                                   "Ground to excited state"};
    if (trimmed.empty())
        return;
    for (const std::string_view within : kWithin) {
        if (TextScanner::StartsWith(trimmed, within))
            return;
    }
    Restart(trimmed);
}

void GaussianResultsScanner::FeedRotatory(std::string_view trimmed) {
    TextScanner scan(trimmed);
    int state = 0;
    if (rotatoryColumn_ < 0) {
        // The units line, then the column names: "state XX YY ZZ R(length)
        // [R(au)]"; a table without them is no table.
        std::string_view word;
        for (int column = 0; scan.Word(word); ++column) {
            if (word == "R(length)")
                rotatoryColumn_ = column;
        }
        if (rotatoryColumn_ < 0 && ++headerLines_ > 2)
            Restart(trimmed);
        return;
    }
    if (scan.Int(state)) {
        double value = 0.0;
        int column = 1;
        for (; column <= rotatoryColumn_ && scan.Real(value); ++column) {
        }
        if (column > rotatoryColumn_) {
            rotatory_[state] = value;
            return;
        }
    }
    Restart(trimmed);
}

// A row of a charge table: "1  C  -0.004513 [0.000000]", numbered on.
void GaussianResultsScanner::FeedTable(std::string_view trimmed) {
    TextScanner scan(trimmed);
    int number = 0;
    std::string_view label;
    double first = 0.0, second = 0.0;
    const bool row = scan.Int(number) && number == static_cast<int>(table_.first.size()) + 1 &&
                     scan.Word(label) && scan.Real(first);
    if (row) {
        table_.rowsStarted = true;
        table_.first.push_back(first);
        if (scan.Real(second))
            table_.second.push_back(second);
        return;
    }
    // The column numbers and, after an ESP fit, its total charge come
    // before the rows; anything else there ends the table unread.
    if (!table_.rowsStarted && ++table_.linesBeforeRows <= 3 &&
        (TextScanner::StartsWith(trimmed, "Charge=") || IsColumnNumbers(trimmed)))
        return;
    EndTable();
    Restart(trimmed);
}

void GaussianResultsScanner::EndTable() {
    if (table_.first.empty())
        return;
    // A table of spins alone has them in its first column.
    if (!table_.charges.empty())
        charges_[table_.charges] = table_.first;
    if (!table_.spins.empty()) {
        if (table_.charges.empty())
            spins_[table_.spins] = table_.first;
        else if (table_.second.size() == table_.first.size())
            spins_[table_.spins] = table_.second;
    }
}

void GaussianResultsScanner::FeedHirshfeld(std::string_view trimmed) {
    TextScanner scan(trimmed);
    if (hirshfeldCharge_ < 0 && hirshfeldCm5_ < 0) {
        std::string_view word;
        for (int column = 0; scan.Word(word); ++column) {
            if (word == "Q-H")
                hirshfeldCharge_ = column;
            else if (word == "S-H")
                hirshfeldSpin_ = column;
            else if (word == "Q-CM5")
                hirshfeldCm5_ = column;
        }
        if (hirshfeldCharge_ < 0 && hirshfeldCm5_ < 0)
            Restart(trimmed);
        return;
    }
    int number = 0;
    std::string_view label;
    std::vector<double> values;
    const std::size_t rows = std::max(hirshfeld_.size(), cm5_.size());
    if (scan.Int(number) && number == static_cast<int>(rows) + 1 && scan.Word(label)) {
        for (double value = 0.0; scan.Real(value);)
            values.push_back(value);
        const auto take = [&](int column, std::vector<double>& into) {
            if (column >= 0 && column < static_cast<int>(values.size()))
                into.push_back(values[static_cast<std::size_t>(column)]);
        };
        take(hirshfeldCharge_, hirshfeld_);
        take(hirshfeldSpin_, hirshfeldSpins_);
        take(hirshfeldCm5_, cm5_);
        return;
    }
    if (!hirshfeld_.empty())
        charges_["hirshfeld"] = hirshfeld_;
    if (!cm5_.empty())
        charges_["cm5"] = cm5_;
    bool spin = false;
    for (const double s : hirshfeldSpins_)
        spin = spin || s != 0.0;
    // A closed shell prints zeros: no spin densities to speak of.
    if (spin)
        spins_["hirshfeld"] = hirshfeldSpins_;
    Restart(trimmed);
}

// "C  1  -0.20046  1.99913 ...": element, number, natural charge, after
// the column header's ruler and up to the closing one.
void GaussianResultsScanner::FeedNatural(std::string_view trimmed) {
    if (!natural_) {
        natural_ = TextScanner::StartsWith(trimmed, "----");
        // The column header takes a few lines; no ruler after them, no table.
        if (!natural_ && ++headerLines_ > 6)
            Restart(trimmed);
        return;
    }
    TextScanner scan(trimmed);
    std::string_view element;
    int number = 0;
    double charge = 0.0;
    if (scan.Word(element) && scan.Int(number) &&
        number == static_cast<int>(naturalCharges_.size()) + 1 && scan.Real(charge)) {
        naturalCharges_.push_back(charge);
        return;
    }
    if (!naturalCharges_.empty())
        charges_["natural"] = naturalCharges_;
    natural_ = false;
    Restart(trimmed);
}

// "1  C    Isotropic =   190.4962   Anisotropy =     9.0426", then the
// tensor and its eigenvalues.
void GaussianResultsScanner::FeedShielding(std::string_view trimmed) {
    static constexpr std::string_view kTensor[] = {"XX=", "XY=", "XZ=", "Eigenvalues:"};
    for (const std::string_view tensor : kTensor) {
        if (TextScanner::StartsWith(trimmed, tensor))
            return;
    }
    TextScanner scan(trimmed);
    int number = 0;
    std::string_view element, word;
    JobResults::Shielding shielding;
    if (scan.Int(number) && number == static_cast<int>(shieldings_.size()) + 1 &&
        scan.Word(element) && scan.Word(word) && word == "Isotropic" && scan.Word(word) &&
        word == "=" && scan.Real(shielding.isotropic)) {
        if (scan.Word(word) && word == "Anisotropy" && scan.Word(word) && word == "=")
            scan.Real(shielding.anisotropy);
        shieldings_.push_back(shielding);
        return;
    }
    if (trimmed.empty() && shieldings_.empty())
        return;
    Restart(trimmed);
}

void GaussianResultsScanner::FeedThermochemistry(std::string_view trimmed) {
    // Its lines begin "Temperature", "Zero-point", "Thermal" or "Sum of".
    if (trimmed.empty() ||
        (trimmed.front() != 'T' && trimmed.front() != 'Z' && trimmed.front() != 'S'))
        return;
    JobResults::Thermochemistry& t = thermochemistry_;
    if (TextScanner::StartsWith(trimmed, "Temperature") && Contains(trimmed, "Kelvin.") &&
        Contains(trimmed, "Pressure")) {
        // "Temperature   298.150 Kelvin.  Pressure   1.00000 Atm." begins
        // the summary of a frequency job.
        t = JobResults::Thermochemistry();
        thermochemistryStarted_ = true;
        TextScanner scan(trimmed.substr(std::string_view("Temperature").size()));
        double kelvin = 0.0, atm = 0.0;
        if (scan.Real(kelvin))
            t.value[Item::kTemperature] = kelvin;
        TextScanner pressure(trimmed.substr(trimmed.find("Pressure") + 8));
        if (pressure.Real(atm))
            t.value[Item::kPressure] = atm;
        return;
    }
    static const std::pair<std::string_view, Item> kLines[] = {
        {"Zero-point correction=", Item::kZeroPointCorrection},
        {"Thermal correction to Energy=", Item::kThermalEnergyCorrection},
        {"Thermal correction to Enthalpy=", Item::kEnthalpyCorrection},
        {"Thermal correction to Gibbs Free Energy=", Item::kFreeEnergyCorrection},
        {"Sum of electronic and zero-point Energies=", Item::kElectronicPlusZeroPoint},
        {"Sum of electronic and thermal Energies=", Item::kElectronicPlusThermalEnergy},
        {"Sum of electronic and thermal Enthalpies=", Item::kElectronicPlusEnthalpy},
        {"Sum of electronic and thermal Free Energies=", Item::kElectronicPlusFreeEnergy},
    };
    for (const auto& [start, item] : kLines) {
        double value = 0.0;
        if (TextScanner::StartsWith(trimmed, start) && ValueAfterEquals(trimmed, value)) {
            // A summary without its temperature line still counts.
            if (!thermochemistryStarted_ || !std::isnan(t.value[item])) {
                t = JobResults::Thermochemistry();
                thermochemistryStarted_ = true;
            }
            t.value[item] = value;
            return;
        }
    }
}

JobResults GaussianResultsScanner::Results(const std::vector<bool>& listed) const {
    const int atoms = static_cast<int>(listed.size());
    const int tabled = static_cast<int>(std::count(listed.begin(), listed.end(), true));
    // A table of the listed atoms, one entry each, as one of all atoms.
    const auto spread = [&](const auto& values, auto none) {
        std::decay_t<decltype(values)> all;
        for (std::size_t a = 0, k = 0; a < listed.size(); ++a)
            all.push_back(listed[a] ? values[k++] : none);
        return all;
    };
    using Problem = JobResults::Problem;
    JobResults results;
    results.excitedStates = states_;
    if (block_ == Block::kExcitedStates || block_ == Block::kTransitions)
        results.problems.push_back(
            {Problem::Kind::kStatesCut, "", states_.empty() ? 0 : states_.back().number, 0});
    if (unreadStateLines_ > 0)
        results.problems.push_back({Problem::Kind::kStateLinesUnread, "", unreadStateLines_, 0});
    results.method = method_;
    results.basis = basis_;
    results.thermochemistry = thermochemistry_;
    if (thermochemistry_.Any()) {
        for (int k = 0; k < JobResults::Thermochemistry::kItems; ++k) {
            if (std::isnan(thermochemistry_.value[static_cast<std::size_t>(k)]))
                results.problems.push_back({Problem::Kind::kThermochemistryLacks, "", k, 0});
        }
    }
    // A table being read when the lines ended is cut short.
    static const std::pair<Block, const char*> kTables[] = {
        {Block::kCharges, "charge"},
        {Block::kHirshfeld, "Hirshfeld charge"},
        {Block::kNatural, "natural population"},
        {Block::kShieldings, "shielding"},
        {Block::kRotatory, "rotatory strength"}};
    for (const auto& [block, name] : kTables) {
        if (block_ == block)
            results.problems.push_back({Problem::Kind::kTableCut, name, 0, 0});
    }
    const auto check = [&](const std::map<std::string, std::vector<double>>& from,
                           std::map<std::string, std::vector<double>>& into, Problem::Kind kind) {
        for (const auto& [scheme, values] : from) {
            if (static_cast<int>(values.size()) == atoms)
                into[scheme] = values;
            else if (static_cast<int>(values.size()) == tabled)
                into[scheme] = spread(values, std::nan(""));
            else
                results.problems.push_back({kind, scheme, static_cast<int>(values.size()), tabled});
        }
    };
    check(charges_, results.charges, Problem::Kind::kChargesLength);
    check(spins_, results.spins, Problem::Kind::kSpinsLength);
    if (block_ != Block::kShieldings) {
        JobResults::Shielding none;
        none.isotropic = std::nan("");
        if (static_cast<int>(shieldings_.size()) == atoms)
            results.nmr = shieldings_;
        else if (static_cast<int>(shieldings_.size()) == tabled)
            results.nmr = spread(shieldings_, none);
        else if (!shieldings_.empty())
            results.problems.push_back({Problem::Kind::kShieldingsLength, "",
                                        static_cast<int>(shieldings_.size()), tabled});
    }
    return results;
}
