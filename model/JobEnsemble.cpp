#include "model/JobEnsemble.h"

#include "model/CMolData.h"

#include <algorithm>
#include <cmath>

double JobEnsemble::Member::Of(Energy kind) const {
    switch (kind) {
    case Energy::kElectronic:
        return electronic;
    case Energy::kEnthalpy:
        return enthalpy;
    case Energy::kFreeEnergy:
        return freeEnergy;
    }
    return std::nan("");
}

void JobEnsemble::Add(const std::string& name, const CMolData& model) {
    using Item = JobResults::Thermochemistry::Item;
    const auto& thermo = model.results.thermochemistry.value;
    Member member{name,
                  std::nan(""),
                  thermo[Item::kElectronicPlusEnthalpy],
                  thermo[Item::kElectronicPlusFreeEnergy],
                  thermo[Item::kTemperature],
                  model.results.LevelOfTheory(),
                  {},
                  model.results.excitedStates};
    for (int g = model.frameCount - 1; g >= 0 && member.modes.empty(); --g)
        member.modes = model.Frame(g).modes;
    for (int g = model.frameCount - 1; g >= 0; --g) {
        if (std::isfinite(model.Frame(g).energy)) {
            member.electronic = model.Frame(g).energy;
            break;
        }
    }
    members_.push_back(std::move(member));
}

std::vector<double> JobEnsemble::Relative(Energy kind, int reference) const {
    std::vector<double> relative(members_.size(), std::nan(""));
    if (reference < 0 || reference >= static_cast<int>(members_.size()))
        return relative;
    const double zero = members_[static_cast<std::size_t>(reference)].Of(kind);
    for (std::size_t k = 0; k < members_.size(); ++k)
        relative[k] = members_[k].Of(kind) - zero;
    return relative;
}

std::vector<double> JobEnsemble::Weights(Energy kind, double kelvin) const {
    std::vector<double> energies;
    for (const Member& m : members_)
        energies.push_back(m.Of(kind));
    return BoltzmannWeights(energies, kelvin);
}

bool JobEnsemble::SameLevelOfTheory() const {
    const std::string* first = nullptr;
    for (const Member& m : members_) {
        if (m.levelOfTheory.empty())
            continue;
        if (first != nullptr && *first != m.levelOfTheory)
            return false;
        first = &m.levelOfTheory;
    }
    return true;
}

bool JobEnsemble::ThermochemistryAt(double kelvin) const {
    for (const Member& m : members_) {
        if (std::isfinite(m.temperatureOfFile) && std::abs(m.temperatureOfFile - kelvin) > 0.01)
            return false;
    }
    return true;
}

const char* JobEnsemble::EnergyName(Energy kind) {
    switch (kind) {
    case Energy::kElectronic:
        return "electronic";
    case Energy::kEnthalpy:
        return "enthalpy";
    case Energy::kFreeEnergy:
        return "free";
    }
    return "";
}

std::vector<double> JobEnsemble::BoltzmannWeights(const std::vector<double>& energies,
                                                  double kelvin) {
    std::vector<double> weights(energies.size(), 0.0);
    if (!(kelvin > 0.0) || !std::isfinite(kelvin))
        return weights;
    double lowest = 0.0;
    bool any = false;
    for (const double e : energies) {
        if (std::isfinite(e)) {
            lowest = any ? std::min(lowest, e) : e;
            any = true;
        }
    }
    if (!any)
        return weights;
    double sum = 0.0;
    for (std::size_t k = 0; k < energies.size(); ++k) {
        if (std::isfinite(energies[k])) {
            // From the lowest, so that no term overflows and the lowest is 1.
            weights[k] = std::exp(-(energies[k] - lowest) / (kBoltzmann * kelvin));
            sum += weights[k];
        }
    }
    for (double& w : weights)
        w /= sum;
    return weights;
}

Spectrum JobEnsemble::Weighted(Spectrum::Kind kind, const std::vector<double>& weights,
                               double scale, double halfWidth) const {
    Spectrum sum;
    sum.kind = kind;
    sum.halfWidth = halfWidth;
    // The electronic bands are Gaussians, the vibrational ones Lorentzians.
    sum.shape = kind == Spectrum::Kind::kUvVis || kind == Spectrum::Kind::kEcd
                    ? Spectrum::Shape::kGaussian
                    : Spectrum::Shape::kLorentzian;
    for (std::size_t k = 0; k < members_.size() && k < weights.size(); ++k) {
        const Member& m = members_[k];
        Spectrum one;
        switch (kind) {
        case Spectrum::Kind::kIr:
            one = IrSpectrum(m.modes, scale, halfWidth);
            break;
        case Spectrum::Kind::kRaman:
            one = RamanSpectrum(m.modes, scale, halfWidth, 0.0, 298.15);
            break;
        case Spectrum::Kind::kUvVis:
            one = UvVisSpectrum(m.states, halfWidth);
            break;
        case Spectrum::Kind::kEcd:
            one = EcdSpectrum(m.states, halfWidth);
            break;
        case Spectrum::Kind::kNmr:
            break;
        }
        for (Spectrum::Band band : one.bands) {
            band.height *= weights[k];
            band.item = static_cast<int>(k);
            sum.bands.push_back(band);
        }
    }
    return sum;
}

void JobEnsemble::Remove(int k) {
    if (k >= 0 && k < static_cast<int>(members_.size()))
        members_.erase(members_.begin() + k);
}
