// Measured spectra as the files give them (two columns, CSV with a header,
// JCAMP-DX in its plain forms with factors, transmittance, nanometres) and
// how one is laid over a computed curve; the Boltzmann weights of an
// ensemble where energies are missing or far apart.

#include "formats/ExperimentalSpectrum.h"
#include "model/JobEnsemble.h"
#include "model/SpectrumFit.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(MeasuredSpectrum, TextCsvAndJcampFormsAreRead) {
    ExperimentalSpectrum s;
    std::string why;
    ASSERT_TRUE(ExperimentalSpectrum::Parse("wavenumber,absorbance\n1000,0.5\n1001;0.25\n"
                                            "1002\t0.125\n# note\n",
                                            s, why));
    EXPECT_EQ(s.x, (std::vector<double>{1000, 1001, 1002}));
    EXPECT_EQ(s.y, (std::vector<double>{0.5, 0.25, 0.125}));
    // (XY..XY) with factors; transmittance in per cent becomes absorbance.
    ASSERT_TRUE(ExperimentalSpectrum::Parse("##TITLE= benzene \n##XUNITS=1/CM\n"
                                            "##Y UNITS=%TRANSMITTANCE\n##XFACTOR=2\n"
                                            "##YFACTOR=10\n##XYPOINTS=(XY..XY)\n"
                                            "500,10; 501,1\n$$ a comment\n502 5\n##END=\n",
                                            s, why))
        << why;
    EXPECT_EQ(s.title, "benzene");
    EXPECT_EQ(s.x, (std::vector<double>{1000, 1002, 1004}));
    EXPECT_NEAR(s.y[0], 0.0, 1e-12); // 100 %
    EXPECT_NEAR(s.y[1], 1.0, 1e-12); // 10 %
    EXPECT_NEAR(s.y[2], -std::log10(0.5), 1e-12);
    // (X++(Y..Y)) in nanometres, to eV.
    ASSERT_TRUE(ExperimentalSpectrum::Parse("##XUNITS=NANOMETERS\n##FIRSTX=200\n##LASTX=203\n"
                                            "##NPOINTS=4\n##XYDATA=(X++(Y..Y))\n200 1 2\n202 3 4\n",
                                            s, why));
    s.NanometresToEv();
    ASSERT_EQ(s.x.size(), 4U);
    EXPECT_NEAR(s.x[3], 1239.84198 / 203.0, 1e-9);
    EXPECT_EQ(s.y[3], 4.0);
    // Too little, and compressed data, are said.
    EXPECT_FALSE(ExperimentalSpectrum::Parse("1 2\n", s, why));
    EXPECT_FALSE(ExperimentalSpectrum::Parse("", s, why));
    EXPECT_FALSE(ExperimentalSpectrum::Parse("##XYDATA=(X++(Y..Y))\n1400@AJ%J\n", s, why));
    EXPECT_NE(why.find("compressed"), std::string::npos);
}

TEST(MeasuredSpectrum, AShiftedScaledCopyIsLaidBackOverTheCurve) {
    Spectrum computed;
    computed.halfWidth = 10.0;
    computed.bands = {{1000.0, 80.0, 0, false}, {1200.0, 30.0, 1, false}};
    std::vector<double> x, y;
    for (double v = 900.0; v <= 1300.0; v += 2.0) {
        x.push_back(v);
        y.push_back(0.2 * computed.Curve(v + 37.0));
    }
    const SpectrumFit fit = SpectrumFit::Of(computed, x, y, 200.0);
    EXPECT_NEAR(fit.shift, -37.0, 0.05);
    EXPECT_NEAR(fit.scale, 5.0, 0.01);
    EXPECT_LT(fit.residual, 1e-3);
}

TEST(MeasuredSpectrum, BoltzmannWeights) {
    // 1 kJ/mol apart at 298.15 K; a member without an energy counts for
    // nothing; far apart the higher gets no weight and nothing overflows.
    const double apart = 1.0 / 2625.4996394799;
    const auto w = JobEnsemble::BoltzmannWeights({-1.0, -1.0 + apart, std::nan("")}, 298.15);
    const double r = std::exp(-1000.0 / (8.314462618 * 298.15));
    EXPECT_NEAR(w[0], 1.0 / (1.0 + r), 1e-9);
    EXPECT_NEAR(w[1], r / (1.0 + r), 1e-9);
    EXPECT_EQ(w[2], 0.0);
    const auto far = JobEnsemble::BoltzmannWeights({-1000.0, 0.0}, 1.0);
    EXPECT_EQ(far[0], 1.0);
    EXPECT_EQ(far[1], 0.0);
    EXPECT_EQ(JobEnsemble::BoltzmannWeights({-1.0}, 0.0), std::vector<double>{0.0});
}
