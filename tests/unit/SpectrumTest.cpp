// The spectra's sticks and curves against the physics they stand for: the
// oscillator strength a UV-Vis band holds, the rotatory strength an ECD band
// holds, Raman intensities as the formula gives them, NMR shifts against a
// reference.

#include "model/Spectrum.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

JobResults::ExcitedState State(double ev, double f, double r) {
    JobResults::ExcitedState state;
    state.energyEv = ev;
    state.wavelengthNm = 1239.84198 / ev;
    state.oscillatorStrength = f;
    state.rotatoryStrength = r;
    return state;
}

// ∫ g(x) dx by the midpoint rule over [a, b].
template <class F> double Integral(F g, double a, double b, int steps = 200000) {
    const double h = (b - a) / steps;
    double sum = 0.0;
    for (int k = 0; k < steps; ++k)
        sum += g(a + (k + 0.5) * h);
    return sum * h;
}

TEST(Spectrum, UvVisBandsHoldTheirOscillatorStrengths) {
    const std::vector<JobResults::ExcitedState> states = {State(3.0, 0.5, NAN),
                                                          State(5.0, 0.1, NAN)};
    const Spectrum uv = UvVisSpectrum(states, 0.3);
    ASSERT_EQ(uv.bands.size(), 2U);
    // f = 4.319·10⁻⁹ ∫ε dν̃ (ν̃ in cm⁻¹): each band alone, and both together.
    const double wavenumbers = 8065.54429;
    const auto area = [&](double low, double high) {
        return 4.319e-9 * Integral([&](double e) { return uv.Curve(e); }, low, high) * wavenumbers;
    };
    EXPECT_NEAR(area(1.0, 4.0), 0.5, 0.5 * 2e-3);
    EXPECT_NEAR(area(0.0, 10.0), 0.6, 0.6 * 2e-3);
    // A stick is as tall as its band's peak alone; half height at the
    // half-width.
    EXPECT_NEAR(uv.Curve(3.0), uv.bands[0].height, uv.bands[0].height * 1e-6);
    EXPECT_NEAR(uv.Curve(3.3), uv.bands[0].height / 2, uv.bands[0].height * 1e-4);
    // No ECD without rotatory strengths; a state without energy is no band.
    EXPECT_TRUE(EcdSpectrum(states, 0.3).bands.empty());
    // Nor does one a damaged file may hold: absurd energies or strengths.
    EXPECT_TRUE(UvVisSpectrum({State(0.0, 0.5, 1.0), State(NAN, 0.5, 1.0), State(1e30, 0.5, 1.0),
                               State(3.0, -1.0, 1.0), State(3.0, 1e20, 1.0)},
                              0.3)
                    .bands.empty());
    EXPECT_TRUE(EcdSpectrum({State(3.0, 0.1, 1e300)}, 0.3).bands.empty());
}

TEST(Spectrum, EcdBandsHoldTheirRotatoryStrengths) {
    // R = 2.296·10⁻³⁹ ∫Δε/E dE (cgs), for a positive and a negative band.
    for (const double r : {12.5, -40.0}) {
        const Spectrum ecd = EcdSpectrum({State(4.0, 0.1, r)}, 0.2);
        ASSERT_EQ(ecd.bands.size(), 1U);
        const double held =
            2.296e-39 * Integral([&](double e) { return ecd.Curve(e) / e; }, 2.0, 6.0);
        EXPECT_NEAR(held / 1e-40, r, std::abs(r) * 0.01);
        EXPECT_EQ(ecd.bands[0].height > 0.0, r > 0.0);
    }
}

TEST(Spectrum, RamanIntensitiesFromActivitiesAndImaginaryModesMarked) {
    NormalMode low, high, imaginary, unprinted;
    low.frequency = 500.0;
    low.ramanActivity = 10.0;
    high.frequency = 3000.0;
    high.ramanActivity = 40.0;
    imaginary.frequency = -120.0;
    unprinted.frequency = 800.0;
    const std::vector<NormalMode> modes = {low, high, imaginary, unprinted};
    // Activities as printed, positions scaled.
    const Spectrum activities = RamanSpectrum(modes, 0.96, 10.0, 0.0, 298.15);
    ASSERT_EQ(activities.bands.size(), 3U);
    EXPECT_DOUBLE_EQ(activities.bands[0].position, 480.0);
    EXPECT_DOUBLE_EQ(activities.bands[1].height, 40.0);
    EXPECT_TRUE(activities.bands[2].imaginary);
    EXPECT_DOUBLE_EQ(activities.bands[2].position, 120.0 * 0.96);
    EXPECT_EQ(activities.bands[2].height, 0.0);
    // At 532 nm and 300 K: I ∝ (ν₀ − ν)⁴ S / (ν (1 − exp(−hcν/kT))), the
    // strongest 100. hc/k = 1.4387769 cm·K.
    const Spectrum intensities = RamanSpectrum(modes, 1.0, 10.0, 532.0, 300.0);
    const auto formula = [](double nu, double s) {
        const double nu0 = 1e7 / 532.0;
        return std::pow(nu0 - nu, 4) * s / (nu * (1.0 - std::exp(-1.4387769 * nu / 300.0)));
    };
    const double ratio = formula(3000.0, 40.0) / formula(500.0, 10.0);
    EXPECT_DOUBLE_EQ(intensities.bands[0].height, 100.0);
    EXPECT_NEAR(intensities.bands[1].height, 100.0 * ratio, 1e-9);
    // IR keeps the imaginary mode as a mark only.
    const Spectrum ir = IrSpectrum(modes, 1.0, 10.0);
    ASSERT_EQ(ir.bands.size(), 1U);
    EXPECT_TRUE(ir.bands[0].imaginary);
}

TEST(Spectrum, NmrShiftsOfOneElementAgainstItsReference) {
    std::vector<JobResults::Shielding> shieldings(4);
    shieldings[0].isotropic = 150.0; // C
    shieldings[1].isotropic = 30.0;  // H
    shieldings[2].isotropic = 30.0;  // H, the same shift
    shieldings[3].isotropic = 60.0;  // C
    const Spectrum carbon = NmrSpectrum(shieldings, {6, 1, 1, 6}, 6, 182.5, 0.5);
    ASSERT_EQ(carbon.bands.size(), 2U);
    EXPECT_DOUBLE_EQ(carbon.bands[0].position, 32.5);
    EXPECT_DOUBLE_EQ(carbon.bands[1].position, 122.5);
    EXPECT_EQ(carbon.bands[1].item, 3);
    // Two hydrogens at one shift: the curve twice as tall there.
    const Spectrum hydrogen = NmrSpectrum(shieldings, {6, 1, 1, 6}, 1, 31.9, 0.01);
    EXPECT_NEAR(hydrogen.Curve(1.9), 2.0, 1e-9);
}

} // namespace
