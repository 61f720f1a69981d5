#include "model/Spectrum.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

// exp(−((x − x₀)/σ)²) falls to one half at x − x₀ = σ√ln 2.
double SigmaOf(double halfWidth) {
    return halfWidth / std::sqrt(std::log(2.0));
}

bool Real(double value) {
    return std::isfinite(value);
}

// Values no job prints but a damaged file may: they make no band, so that
// one of them cannot squeeze the others into a corner of the plot.
constexpr double kMostEv = 1000.0;
constexpr double kMostStrength = 1000.0;    // oscillator strength
constexpr double kMostRotatory = 1e6;       // 10⁻⁴⁰ cgs
constexpr double kMostShielding = 1e5;      // ppm
constexpr double kMostRamanActivity = 1e12; // Å⁴/amu

} // namespace

double Spectrum::Curve(double x) const {
    if (!(halfWidth > 0.0))
        return 0.0;
    double sum = 0.0;
    if (shape == Shape::kLorentzian) {
        const double w2 = halfWidth * halfWidth;
        for (const Band& band : bands) {
            const double d = x - band.position;
            sum += band.height * w2 / (d * d + w2);
        }
    } else {
        const double sigma = SigmaOf(halfWidth);
        for (const Band& band : bands) {
            const double d = (x - band.position) / sigma;
            sum += band.height * std::exp(-d * d);
        }
    }
    return sum;
}

Spectrum IrSpectrum(const std::vector<NormalMode>& modes, double scale, double halfWidth) {
    Spectrum spectrum;
    spectrum.kind = Spectrum::Kind::kIr;
    spectrum.halfWidth = halfWidth;
    for (std::size_t k = 0; k < modes.size(); ++k) {
        const NormalMode& mode = modes[k];
        if (!Real(mode.frequency))
            continue;
        if (mode.frequency < 0.0)
            spectrum.bands.push_back({-mode.frequency * scale, 0.0, static_cast<int>(k), true});
        else if (mode.frequency > 0.0 && Real(mode.irIntensity))
            spectrum.bands.push_back(
                {mode.frequency * scale, mode.irIntensity, static_cast<int>(k), false});
    }
    return spectrum;
}

Spectrum RamanSpectrum(const std::vector<NormalMode>& modes, double scale, double halfWidth,
                       double laserNm, double kelvin) {
    Spectrum spectrum;
    spectrum.kind = Spectrum::Kind::kRaman;
    spectrum.halfWidth = halfWidth;
    const double laser = laserNm > 0.0 ? 1e7 / laserNm : 0.0; // cm⁻¹
    for (std::size_t k = 0; k < modes.size(); ++k) {
        const NormalMode& mode = modes[k];
        if (!Real(mode.frequency))
            continue;
        const double nu = std::abs(mode.frequency) * scale;
        if (mode.frequency < 0.0) {
            spectrum.bands.push_back({nu, 0.0, static_cast<int>(k), true});
            continue;
        }
        if (mode.frequency == 0.0 || !Real(mode.ramanActivity) || mode.ramanActivity < 0.0 ||
            mode.ramanActivity > kMostRamanActivity)
            continue;
        double height = mode.ramanActivity;
        if (laser > 0.0) {
            // Scattered light from a laser below the band has no Stokes line.
            const double shifted = std::max(laser - nu, 0.0);
            const double boltzmann =
                kelvin > 0.0 ? 1.0 - std::exp(-SpectrumConstants::kSecondRadiation * nu / kelvin)
                             : 1.0;
            height = std::pow(shifted, 4) * mode.ramanActivity / (nu * boltzmann);
        }
        spectrum.bands.push_back({nu, height, static_cast<int>(k), false});
    }
    if (laser > 0.0) {
        double strongest = 0.0;
        for (const Spectrum::Band& band : spectrum.bands)
            strongest = std::max(strongest, band.height);
        for (Spectrum::Band& band : spectrum.bands)
            band.height = strongest > 0.0 ? band.height * 100.0 / strongest : 0.0;
    }
    return spectrum;
}

namespace {

// Gaussian bands of the excited states that have a sensible energy, each as
// high as height(state, σ) says; none when the width is no width.
template <class Height>
Spectrum ElectronicSpectrum(const std::vector<JobResults::ExcitedState>& states, double halfWidthEv,
                            Spectrum::Kind kind, Height height) {
    Spectrum spectrum;
    spectrum.kind = kind;
    spectrum.shape = Spectrum::Shape::kGaussian;
    spectrum.halfWidth = halfWidthEv;
    if (!(halfWidthEv > 0.0))
        return spectrum;
    const double sigma = SigmaOf(halfWidthEv);
    for (std::size_t k = 0; k < states.size(); ++k) {
        const JobResults::ExcitedState& state = states[k];
        const double h = height(state, sigma);
        if (state.energyEv > 0.0 && state.energyEv < kMostEv && std::isfinite(h))
            spectrum.bands.push_back({state.energyEv, h, static_cast<int>(k), false});
    }
    return spectrum;
}

} // namespace

Spectrum UvVisSpectrum(const std::vector<JobResults::ExcitedState>& states, double halfWidthEv) {
    return ElectronicSpectrum(states, halfWidthEv, Spectrum::Kind::kUvVis,
                              [](const JobResults::ExcitedState& state, double sigma) {
                                  const double f = state.oscillatorStrength;
                                  return f >= 0.0 && f < kMostStrength
                                             ? 1.3062974e8 * f /
                                                   (sigma * SpectrumConstants::kEvWavenumbers)
                                             : std::nan("");
                              });
}

Spectrum EcdSpectrum(const std::vector<JobResults::ExcitedState>& states, double halfWidthEv) {
    return ElectronicSpectrum(states, halfWidthEv, Spectrum::Kind::kEcd,
                              [](const JobResults::ExcitedState& state, double sigma) {
                                  const double r = state.rotatoryStrength;
                                  return std::abs(r) < kMostRotatory
                                             ? state.energyEv * r * 1e-40 /
                                                   (2.296e-39 * std::sqrt(kPi) * sigma)
                                             : std::nan("");
                              });
}

Spectrum NmrSpectrum(const std::vector<JobResults::Shielding>& shieldings,
                     const std::vector<int>& elements, int element, double reference,
                     double halfWidthPpm) {
    Spectrum spectrum;
    spectrum.kind = Spectrum::Kind::kNmr;
    spectrum.halfWidth = halfWidthPpm;
    const std::size_t atoms = std::min(shieldings.size(), elements.size());
    for (std::size_t a = 0; a < atoms; ++a) {
        if (elements[a] == element && std::abs(shieldings[a].isotropic) < kMostShielding)
            spectrum.bands.push_back(
                {reference - shieldings[a].isotropic, 1.0, static_cast<int>(a), false});
    }
    return spectrum;
}
