#pragma once

#include "model/JobResults.h"
#include "model/NormalMode.h"

#include <vector>

// A spectrum as sticks and the curve of broadened bands through them: the
// IR and Raman spectra of the normal modes, the UV-Vis and ECD spectra of
// the excited states, the NMR spectrum of one element's shifts. Positions
// are in the spectrum's own unit (cm⁻¹, eV or ppm); each band's height is
// the curve's height at its peak when it stands alone, so sticks and curve
// share the intensity axis.
struct Spectrum {
    enum class Kind { kIr, kRaman, kUvVis, kEcd, kNmr };
    // Lorentzian: h·w²/((x − x₀)² + w²), w its half-width at half height.
    // Gaussian: h·exp(−((x − x₀)/σ)²), σ = w/√ln 2 for the same half-width.
    enum class Shape { kLorentzian, kGaussian };
    struct Band {
        double position = 0.0;
        double height = 0.0;
        int item = 0;           // the mode, state or atom (0-based index)
        bool imaginary = false; // an imaginary mode, at |ν|, of no height
    };

    Kind kind = Kind::kIr;
    Shape shape = Shape::kLorentzian;
    double halfWidth = 10.0;
    std::vector<Band> bands;

    double Curve(double x) const;
};

// The physical constants the spectra use.
namespace SpectrumConstants {
// hc/e in eV·nm.
constexpr double kEvNanometres = 1239.84198;
// 1 eV in cm⁻¹.
constexpr double kEvWavenumbers = 8065.54429;
// hc/k in cm·K.
constexpr double kSecondRadiation = 1.4387769;
} // namespace SpectrumConstants

// IR: a stick per real mode with a printed intensity, at its frequency
// times scale, km/mol high. Imaginary modes are marked at |ν|·scale.
Spectrum IrSpectrum(const std::vector<NormalMode>& modes, double scale, double halfWidth);
// Raman: activities (Å⁴/amu) when laserNm is 0; else the relative
// intensities of scattered light from a laser of that wavelength at
// temperature kelvin, Iᵢ ∝ (ν₀ − νᵢ)⁴·Sᵢ / (νᵢ·(1 − exp(−hcνᵢ/kT))),
// scaled so that the strongest is 100.
Spectrum RamanSpectrum(const std::vector<NormalMode>& modes, double scale, double halfWidth,
                       double laserNm, double kelvin);
// UV-Vis: molar absorption coefficient (L mol⁻¹ cm⁻¹) over energy (eV),
// ε(E) = Σ 1.3062974·10⁸ fᵢ/σ̃ · exp(−((E − Eᵢ)/σ)²), σ̃ the width σ in cm⁻¹.
Spectrum UvVisSpectrum(const std::vector<JobResults::ExcitedState>& states, double halfWidthEv);
// ECD: Δε(E) = Σ Eᵢ·Rᵢ / (2.296·10⁻³⁹ √π σ) · exp(−((E − Eᵢ)/σ)²), R in cgs
// (the output's 10⁻⁴⁰ units), E and σ in eV. Empty when no state has a
// rotatory strength.
Spectrum EcdSpectrum(const std::vector<JobResults::ExcitedState>& states, double halfWidthEv);
// NMR: the shifts δ = σ_ref − σ of the atoms of element (elements gives
// each atom's), a stick of height 1 per atom; the curve of equal shifts
// adds up.
Spectrum NmrSpectrum(const std::vector<JobResults::Shielding>& shieldings,
                     const std::vector<int>& elements, int element, double reference,
                     double halfWidthPpm);
