#pragma once

#include "model/JobResults.h"
#include "model/NormalMode.h"
#include "model/Spectrum.h"

#include <string>
#include <vector>

class CMolData;

// Several jobs taken together: the stationary points of a reaction
// (reactant, transition state, product, intermediates) or the conformers of
// one molecule. Each member holds the energies its output printed; the
// ensemble gives them relative to a chosen member, and the Boltzmann
// weights of its members at a temperature.
class JobEnsemble {
public:
    enum class Energy { kElectronic, kEnthalpy, kFreeEnergy };
    struct Member {
        std::string name;
        // Hartree; NaN where the output prints none. Electronic: the last
        // step's energy; enthalpy and free energy: the sums with the
        // thermal corrections of a frequency job, at temperatureOfFile.
        double electronic, enthalpy, freeEnergy;
        double temperatureOfFile;
        std::string levelOfTheory;
        // The normal modes of the job's frequency step and its excited
        // states, for the ensemble's spectra.
        std::vector<NormalMode> modes;
        std::vector<JobResults::ExcitedState> states;
        double Of(Energy kind) const;
    };

    // A member for the job model holds, named name.
    void Add(const std::string& name, const CMolData& model);
    const std::vector<Member>& Members() const { return members_; }

    // Kind's energy of each member relative to member reference (hartree);
    // NaN where either has none.
    std::vector<double> Relative(Energy kind, int reference) const;
    // The Boltzmann weights of kind's energies at kelvin.
    std::vector<double> Weights(Energy kind, double kelvin) const;
    // The spectrum of kind (IR, Raman activities, UV-Vis or ECD) of the
    // ensemble: every member's bands, each as high as the member's weight
    // makes it (weights as Weights gives them, one per member); scale
    // multiplies the frequencies; half-width in cm⁻¹ or eV.
    Spectrum Weighted(Spectrum::Kind kind, const std::vector<double>& weights, double scale,
                      double halfWidth) const;
    // Removes member k (nothing when there is none such).
    void Remove(int k);
    // Whether every member names the same level of theory (members that name
    // none are left out of the comparison).
    bool SameLevelOfTheory() const;
    // Whether the thermochemistry of the members was computed at kelvin
    // (within 0.01 K), as the free energies' weights at kelvin assume.
    bool ThermochemistryAt(double kelvin) const;

    static const char* EnergyName(Energy kind);

    // Boltzmann's constant in hartree per kelvin (CODATA 2018).
    static constexpr double kBoltzmann = 3.1668115634556e-6;
    // The Boltzmann weights of energies (hartree) at kelvin: each
    // exp(−ΔE/kT) over their sum, ΔE from the lowest. An energy that is not
    // finite gets weight 0 and counts for nothing; all weights are 0 when
    // none is finite or kelvin is not positive.
    static std::vector<double> BoltzmannWeights(const std::vector<double>& energies, double kelvin);

private:
    std::vector<Member> members_;
};
