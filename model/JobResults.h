#pragma once

#include <array>
#include <limits>
#include <map>
#include <string>
#include <vector>

// What a quantum-chemistry job computed beyond its geometries and normal
// modes, as its output prints it: the excited states, the thermochemistry,
// the NMR shieldings, and atomic charges and spin densities. A value the
// output does not print is NaN.
struct JobResults {
    static constexpr double kNotPrinted = std::numeric_limits<double>::quiet_NaN();

    // One orbital excitation of an excited state: from an occupied orbital
    // to a virtual one (numbers from 1), with its coefficient. spin is 'A'
    // or 'B' in an unrestricted job, else ' '. A de-excitation ("<-") goes
    // back from the virtual orbital.
    struct Transition {
        int from = 0;
        int to = 0;
        char spin = ' ';
        bool deexcitation = false;
        double coefficient = 0.0;
    };
    struct ExcitedState {
        int number = 0;
        // 1 singlet, 2 doublet, 3 triplet ...; 0 when the output does not
        // name one (an unrestricted job prints <S**2> instead).
        int multiplicity = 0;
        std::string symmetry;
        double energyEv = 0.0;
        double wavelengthNm = 0.0;
        double oscillatorStrength = 0.0;
        // 10⁻⁴⁰ erg·esu·cm/Gauss, length form; NaN where not printed.
        double rotatoryStrength = kNotPrinted;
        std::vector<Transition> transitions;
    };
    // The thermochemistry summary of a frequency job: temperature (K),
    // pressure (atm), then hartree per particle.
    struct Thermochemistry {
        enum Item {
            kTemperature,
            kPressure,
            kZeroPointCorrection,
            kThermalEnergyCorrection,
            kEnthalpyCorrection,
            kFreeEnergyCorrection,
            kElectronicPlusZeroPoint,
            kElectronicPlusThermalEnergy,
            kElectronicPlusEnthalpy,
            kElectronicPlusFreeEnergy,
            kItems
        };
        static constexpr const char* kNames[kItems] = {"temperature",
                                                       "pressure",
                                                       "zeroPointCorrection",
                                                       "thermalEnergyCorrection",
                                                       "enthalpyCorrection",
                                                       "freeEnergyCorrection",
                                                       "electronicPlusZeroPoint",
                                                       "electronicPlusThermalEnergy",
                                                       "electronicPlusEnthalpy",
                                                       "electronicPlusFreeEnergy"};
        std::array<double, kItems> value = Unprinted();

        bool Any() const {
            for (const double v : value) {
                if (v == v)
                    return true;
            }
            return false;
        }
        static std::array<double, kItems> Unprinted() {
            std::array<double, kItems> values;
            values.fill(kNotPrinted);
            return values;
        }
    };
    // The isotropic shielding and its anisotropy of one atom, in ppm.
    struct Shielding {
        double isotropic = 0.0;
        double anisotropy = kNotPrinted;
    };

    std::vector<ExcitedState> excitedStates;
    Thermochemistry thermochemistry;
    // One per atom of the last geometry, or none.
    std::vector<Shielding> nmr;
    // By scheme ("mulliken", "loewdin", "apt", "natural", "hirshfeld", "cm5",
    // "esp"),
    // one value per atom of the last geometry.
    std::map<std::string, std::vector<double>> charges;
    std::map<std::string, std::vector<double>> spins;
    // The charge and spin multiplicity of the job's input, as its output
    // prints them; multiplicity 0 when it prints none.
    int charge = 0;
    int multiplicity = 0;
    // The method and basis set the output names ("B3LYP", "6-31G(d)");
    // empty where it names none.
    std::string method, basis;
    // "B3LYP/6-31G(d)", or what of it is known.
    std::string LevelOfTheory() const {
        return basis.empty() ? method : method.empty() ? basis : method + "/" + basis;
    }
    // What was printed only in part: a block cut short, a line missing, a
    // table of the wrong length. The complete parts are kept.
    struct Problem {
        enum class Kind {
            kStatesCut,            // count: the last state read
            kStateLinesUnread,     // count: excited-state lines not read
            kThermochemistryLacks, // count: the Thermochemistry item
            kTableCut,             // what: "charge", "Hirshfeld charge", ...
            kChargesLength,        // what: the scheme; count values, atoms
            kSpinsLength,          // the same
            kShieldingsLength,     // count values, atoms
        };
        Kind kind = Kind::kStatesCut;
        std::string what;
        int count = 0;
        int atoms = 0;
        bool operator==(const Problem& o) const {
            return kind == o.kind && what == o.what && count == o.count && atoms == o.atoms;
        }
        // In English, as ravek-cli says it.
        std::string Text() const;
    };
    std::vector<Problem> problems;
    // Grows by one each time the reader gives the results anew (a job's
    // output that grew), so that what shows them knows to look again.
    int revision = 0;

    bool Empty() const {
        return excitedStates.empty() && !thermochemistry.Any() && nmr.empty() && charges.empty() &&
               spins.empty();
    }
};
