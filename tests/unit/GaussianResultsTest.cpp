// The excited states, thermochemistry, shieldings and charge tables of
// Gaussian outputs, as the outputs of several versions lay them out, and
// what is kept of blocks that are cut short or damaged.

#include "formats/CGauData.h"
#include "formats/GaussianResultsScanner.h"
#include "tests/support/GaussianOutputText.h"
#include "tests/unit/ReadText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <sstream>
#include <string>

namespace {

const std::filesystem::path kData = RAVEK_TESTDATA_DIR;

JobResults Scan(const std::string& text, int atoms) {
    GaussianResultsScanner scanner;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        scanner.Feed(line);
    return scanner.Results(atoms);
}

const char* const kExcited = R"(
 1/2[<0|r|b>*<b|rxdel|0> + (<0|rxdel|b>*<b|r|0>)*]
 Rotatory Strengths (R) in cgs (10**-40 erg-esu-cm/Gauss)
       state          XX          YY          ZZ     R(length)     R(au)
         1        -0.3893     -6.7546      5.7736     -0.4568     -0.0010
         2       -17.7437      1.7335     -0.1435     -5.3845     -0.0114
 1/2[<0|del|b>*<b|r|0> + (<0|r|b>*<b|del|0>)*] (Au)
       state          X           Y           Z        Dip. S.   Osc.(frdel)
         1        -3.1350     -0.0008      0.0000      3.1359      2.0906

 Excitation energies and oscillator strengths:

 Excited State   1:      Singlet-BU     5.3351 eV  232.39 nm  f=0.1695  <S**2>=0.000
      35 -> 38         0.67
      36 <- 37        -0.12
 This state for optimization and/or second-order correction.
 Total Energy, E(TD-HF/TD-KS) =  -382.0

 Excited State   2:   ?Spin  -A      0.1222 eV ******** nm  f=0.0000
      35A -> 45A        0.01921
      34B -> 44B       -0.5
 SavETr:  write IOETrn=   770 NScale= 10 NData=  16 NLR=1 NState=    2 LETran=      64.
)";

TEST(GaussianResults, ExcitedStatesWithTheirTransitionsAndRotatoryStrengths) {
    const JobResults r = Scan(kExcited, 3);
    ASSERT_EQ(r.excitedStates.size(), 2U);
    const JobResults::ExcitedState& first = r.excitedStates[0];
    EXPECT_EQ(first.number, 1);
    EXPECT_EQ(first.multiplicity, 1);
    EXPECT_EQ(first.symmetry, "BU");
    EXPECT_DOUBLE_EQ(first.energyEv, 5.3351);
    EXPECT_DOUBLE_EQ(first.wavelengthNm, 232.39);
    EXPECT_DOUBLE_EQ(first.oscillatorStrength, 0.1695);
    EXPECT_DOUBLE_EQ(first.rotatoryStrength, -0.4568); // the length form
    ASSERT_EQ(first.transitions.size(), 2U);
    EXPECT_EQ(first.transitions[1].from, 36);
    EXPECT_EQ(first.transitions[1].to, 37);
    EXPECT_TRUE(first.transitions[1].deexcitation);
    EXPECT_DOUBLE_EQ(first.transitions[1].coefficient, -0.12);
    // An unrestricted state: no multiplicity named, a wavelength too long
    // to print is worked out from the energy, spins on the orbitals.
    const JobResults::ExcitedState& second = r.excitedStates[1];
    EXPECT_EQ(second.multiplicity, 0);
    EXPECT_EQ(second.symmetry, "A");
    EXPECT_NEAR(second.wavelengthNm, 1239.84198 / 0.1222, 1e-6);
    ASSERT_EQ(second.transitions.size(), 2U);
    EXPECT_EQ(second.transitions[0].spin, 'A');
    EXPECT_EQ(second.transitions[1].spin, 'B');
    EXPECT_EQ(second.transitions[1].from, 34);
    EXPECT_TRUE(r.problems.empty());

    // An optimisation prints a set every step: the last one counts, and
    // its states keep the rotatory strengths printed for their set only.
    const std::string later = std::string(" Excitation energies and oscillator strengths:\n") +
                              " Excited State   1:      Triplet-A      3.0000 eV  413.28 nm  "
                              "f=0.0000  <S**2>=2.000\n      10 -> 11         0.7\n\n";
    const JobResults twice = Scan(std::string(kExcited) + later, 3);
    ASSERT_EQ(twice.excitedStates.size(), 1U);
    EXPECT_EQ(twice.excitedStates[0].multiplicity, 3);
    EXPECT_TRUE(std::isnan(twice.excitedStates[0].rotatoryStrength));
}

TEST(GaussianResults, BlocksCutShortKeepWhatIsWholeAndSaySo) {
    // The output ends inside the second state's transitions.
    const std::string text = kExcited;
    const JobResults cut = Scan(text.substr(0, text.find("34B ->")), 3);
    ASSERT_EQ(cut.excitedStates.size(), 2U);
    EXPECT_EQ(cut.excitedStates[1].transitions.size(), 1U);
    ASSERT_EQ(cut.problems.size(), 1U);
    EXPECT_NE(cut.problems[0].Text().find("after state 2"), std::string::npos);

    // A charge table cut short gives no charges; one of another length
    // (the model system of an ONIOM job) is said and left out.
    const JobResults charges = Scan(" Mulliken charges:\n               1\n     1  O   -0.65\n"
                                    "     2  H    0.32\n Sum of Mulliken charges =   0.0\n"
                                    " APT charges:\n               1\n     1  O   -0.55\n",
                                    3);
    EXPECT_TRUE(charges.charges.empty());
    ASSERT_EQ(charges.problems.size(), 2U);
    EXPECT_EQ(charges.problems[0].Text(), "the charge table ends with the output");
    EXPECT_EQ(charges.problems[1].Text(),
              "the mulliken charges are 2 values for 3 atoms (not kept)");

    // Damaged state lines: no state is made up of them, and they are said.
    const JobResults damaged = Scan(" Excitation energies and oscillator strengths:\n"
                                    " Excited State   1:      Singlet-A      x.yz eV  f=0.1\n"
                                    " Excited State   2:      Singlet-A      2.5 eV  495.94 nm  "
                                    "f=nan\n Excited State   3:      Singlet-A      3.5 eV  "
                                    "354.24 nm  f=0.2\n Normal termination\n",
                                    1);
    ASSERT_EQ(damaged.excitedStates.size(), 1U);
    EXPECT_EQ(damaged.excitedStates[0].number, 3);
    ASSERT_EQ(damaged.problems.size(), 1U);
    EXPECT_EQ(damaged.problems[0].Text(), "2 excited-state lines could not be read");

    // A rotatory table without its column names, and a charge table whose
    // rows never come, do not swallow what follows them.
    const JobResults swallowed =
        Scan(" 1/2[<0|r|b>*<b|rxdel|0> + (<0|rxdel|b>*<b|r|0>)*]\n"
             " (damaged)\n (damaged)\n (damaged)\n APT charges:\n Mulliken charges:\n"
             "               1\n     1  O   -0.65\n Sum of Mulliken charges =   -0.65\n",
             1);
    EXPECT_EQ(swallowed.charges.count("mulliken"), 1U);
    EXPECT_TRUE(swallowed.problems.empty());
}

TEST(GaussianResults, ThermochemistryOfTheLastFrequencyJobAndWhatItLacks) {
    const char* const summary = R"(
 Temperature   298.150 Kelvin.  Pressure   1.00000 Atm.
 Zero-point correction=                            .107878 (Hartree/Particle)
 Thermal correction to Energy=                    0.113914
 Thermal correction to Enthalpy=                  0.114858
 Thermal correction to Gibbs Free Energy=         0.077599
 Sum of electronic and zero-point Energies=           -131.443
 Sum of electronic and thermal Energies=              -131.437
 Sum of electronic and thermal Enthalpies=            -131.436
 Sum of electronic and thermal Free Energies=         -131.444218
)";
    // Right after another block (its end is the temperature line).
    JobResults r = Scan(std::string(" SCF GIAO Magnetic shielding tensor (ppm):\n"
                                    "  1  C    Isotropic =   190.4962   Anisotropy =     9.0426") +
                            summary,
                        1);
    using T = JobResults::Thermochemistry;
    EXPECT_DOUBLE_EQ(r.thermochemistry.value[T::kTemperature], 298.15);
    EXPECT_EQ(r.nmr.size(), 1U);
    // Every line in its own place (two once swapped places).
    const double printed[] = {298.15,   1.0,      0.107878, 0.113914, 0.114858,
                              0.077599, -131.443, -131.437, -131.436, -131.444218};
    for (int k = 0; k < T::kItems; ++k)
        EXPECT_DOUBLE_EQ(r.thermochemistry.value[static_cast<std::size_t>(k)], printed[k])
            << T::kNames[k];
    EXPECT_TRUE(r.problems.empty());
    // A second job at 400 K replaces the first; its missing enthalpy line is
    // said, and the first job's enthalpy is not taken for it.
    std::string second = summary;
    second.replace(second.find("298.150"), 7, "400.000");
    second.erase(second.find(" Sum of electronic and thermal Enthalpies"),
                 second.find(" Sum of electronic and thermal Free") -
                     second.find(" Sum of electronic and thermal Enthalpies"));
    r = Scan(std::string(summary) + second, 1);
    ASSERT_TRUE(r.nmr.empty());
    EXPECT_DOUBLE_EQ(r.thermochemistry.value[T::kTemperature], 400.0);
    EXPECT_TRUE(std::isnan(r.thermochemistry.value[T::kElectronicPlusEnthalpy]));
    ASSERT_EQ(r.problems.size(), 1U);
    EXPECT_EQ(r.problems[0].Text(), "the thermochemistry has no electronicPlusEnthalpy");
}

TEST(GaussianResults, ChargeSchemesAndSpinsAsEachVersionPrintsThem) {
    const char* const text = R"(
 Mulliken charges and spin densities:
               1          2
     1  O   -0.30   0.60
     2  H    0.65   0.20
 Sum of Mulliken charges =   1.00000   1.00000
 Mulliken charges and spin densities with hydrogens summed into heavy atoms:
               1          2
     1  O    0.35   0.80
 Charges from ESP fit, RMS=   0.00095 RRMS=   0.00364:
 Charge=   1.00000 Dipole=    -0.0000    -0.0000    -1.8950 Tot=     1.8950
               1
     1  O   -0.10
     2  H    1.10
 Hirshfeld charges, spin densities, dipoles, and CM5 charges using IRadAn=      4:
              Q-H        S-H        Dx         Dy         Dz        Q-CM5
     1  O   -0.20   0.70   0.0   0.0   0.1  -0.40
     2  H    1.20   0.30   0.0   0.0   0.0   1.40
       Tot   1.00   1.00   0.0   0.0   0.1   1.00
 Summary of Natural Population Analysis:

                                       Natural Population
               Natural  -----------------------------------------------
    Atom No    Charge         Core      Valence    Rydberg      Total
 -----------------------------------------------------------------------
      O    1   -0.25      1.99     6.2    0.01     8.25
      H    2    1.25      0.00     0.0    0.00    -0.25
 =======================================================================
 *******         Alpha spin orbitals         *******
 Summary of Natural Population Analysis:
 -----------------------------------------------------------------------
      O    1   -0.99      1.99     6.2    0.01     8.25
      H    2    0.99      0.00     0.0    0.00    -0.25
 =======================================================================
)";
    const JobResults r = Scan(text, 2);
    EXPECT_EQ(r.charges.at("mulliken"), (std::vector<double>{-0.30, 0.65}));
    EXPECT_EQ(r.spins.at("mulliken"), (std::vector<double>{0.60, 0.20}));
    EXPECT_EQ(r.charges.at("esp"), (std::vector<double>{-0.10, 1.10}));
    EXPECT_EQ(r.charges.at("hirshfeld"), (std::vector<double>{-0.20, 1.20}));
    EXPECT_EQ(r.spins.at("hirshfeld"), (std::vector<double>{0.70, 0.30}));
    EXPECT_EQ(r.charges.at("cm5"), (std::vector<double>{-0.40, 1.40}));
    // The total natural charges, not those of the alpha part.
    EXPECT_EQ(r.charges.at("natural"), (std::vector<double>{-0.25, 1.25}));
    EXPECT_TRUE(r.problems.empty());
}

// A periodic system's translation vector (atomic number -2) and a dummy
// centre (-1) have no rows in the tables of atoms: the values go to the
// other atoms in order, and those two have none. A table of every atom is
// kept as it is; one of another length still is refused and said.
TEST(GaussianResults, TablesOfAtomsLeaveOutDummiesAndTranslationVectors) {
    GaussianOutputText out(GaussianOutputText::kBanner16);
    out.Orientation(
        "Input",
        {{6, 0.0, 0.0, 0.0}, {-1, 0.0, 0.0, 1.0}, {8, 0.0, 0.0, 1.2}, {-2, 2.5, 0.0, 0.0}});
    for (const char* line :
         {" Mulliken charges:", "               1", "     1  C    0.250000",
          "     2  O   -0.250000", " Sum of Mulliken charges =   0.00000",
          " SCF GIAO Magnetic shielding tensor (ppm):",
          "  1  C    Isotropic =    10.0000   Anisotropy =     1.0000",
          "  2  O    Isotropic =   300.0000   Anisotropy =     3.0000",
          " Hirshfeld charges, spin densities, dipoles, and CM5 charges using "
          "IRadAn=      4:",
          "              Q-H        S-H        Dx         Dy         Dz        "
          "Q-CM5",
          "     1  C    0.10   0.00   0.0   0.0   0.1   0.20",
          "     2  O   -0.10   0.00   0.0   0.0   0.0  -0.20",
          "       Tot   0.00   0.00   0.0   0.0   0.1   0.00", " APT charges:", "               1",
          "     1  C    0.5", " Normal termination of Gaussian 16"})
        out.Line(line);
    TempDir dir;
    auto model = ReadFile<CGauData>(dir.Write("tv.log", out.Text()));
    ASSERT_NE(model, nullptr);
    ASSERT_EQ(model->AtomCount(0), 4);
    const auto expectSpread = [](const std::vector<double>& values, double first, double third) {
        ASSERT_EQ(values.size(), 4U);
        EXPECT_DOUBLE_EQ(values[0], first);
        EXPECT_TRUE(std::isnan(values[1]));
        EXPECT_DOUBLE_EQ(values[2], third);
        EXPECT_TRUE(std::isnan(values[3]));
    };
    const JobResults& r = model->results;
    expectSpread(r.charges.at("mulliken"), 0.25, -0.25);
    expectSpread(r.charges.at("hirshfeld"), 0.10, -0.10);
    expectSpread(r.charges.at("cm5"), 0.20, -0.20);
    ASSERT_EQ(r.nmr.size(), 4U);
    EXPECT_DOUBLE_EQ(r.nmr[2].isotropic, 300.0);
    EXPECT_TRUE(std::isnan(r.nmr[3].isotropic));
    // One APT charge for two atoms in the tables: refused, said.
    EXPECT_EQ(r.charges.count("apt"), 0U);
    ASSERT_EQ(r.problems.size(), 1U);
    EXPECT_EQ(r.problems[0].Text(), "the apt charges are 1 values for 2 atoms (not kept)");
}

// In every shared output with a thermochemistry summary, the electronic
// energy comes back the same four ways: each sum less its correction (to
// the printed digits), so no value stands in another's place.
TEST(GaussianResults, EachThermochemistrySumLessItsCorrectionIsTheSameEnergy) {
    if (!std::filesystem::is_directory(kData / "gaussian"))
        GTEST_SKIP() << "shared test data not present";
    using T = JobResults::Thermochemistry;
    int checked = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(kData / "gaussian")) {
        if (!entry.is_regular_file() ||
            entry.path().string().find("/malformed/") != std::string::npos)
            continue;
        auto model = ReadFile<CGauData>(entry.path().string());
        if (model == nullptr || !model->results.thermochemistry.Any())
            continue;
        const auto& v = model->results.thermochemistry.value;
        const double energies[] = {v[T::kElectronicPlusZeroPoint] - v[T::kZeroPointCorrection],
                                   v[T::kElectronicPlusThermalEnergy] -
                                       v[T::kThermalEnergyCorrection],
                                   v[T::kElectronicPlusEnthalpy] - v[T::kEnthalpyCorrection],
                                   v[T::kElectronicPlusFreeEnergy] - v[T::kFreeEnergyCorrection]};
        for (const double e : energies)
            EXPECT_NEAR(e, energies[0], 2.5e-6) << entry.path();
        // The corrections grow as they should: E adds thermal motion to the
        // zero point, H adds kT, G takes TS away.
        EXPECT_GT(v[T::kThermalEnergyCorrection], v[T::kZeroPointCorrection]) << entry.path();
        EXPECT_NEAR(v[T::kEnthalpyCorrection] - v[T::kThermalEnergyCorrection],
                    3.1668115634556e-6 * v[T::kTemperature], 2e-6)
            << entry.path(); // k in hartree per kelvin
        EXPECT_LT(v[T::kFreeEnergyCorrection], v[T::kEnthalpyCorrection]) << entry.path();
        ++checked;
    }
    EXPECT_GE(checked, 10);
}

TEST(GaussianResults, ShieldingsPerAtom) {
    const JobResults r = Scan(R"(
 SCF GIAO Magnetic shielding tensor (ppm):
  1  C    Isotropic =   190.4962   Anisotropy =     9.0426
   XX=   195.6265   YX=    -2.7061   ZX=    -0.3057
   XY=    -2.7208   YY=   188.3211   ZY=    -0.6820
   XZ=     0.1460   YZ=     0.6378   ZZ=   187.5411
   Eigenvalues:   187.4076   187.5565   196.5246
  2  H    Isotropic =    32.1566   Anisotropy =     9.3475
 End of Minotr F.D. properties file   721 does not exist.
)",
                              2);
    ASSERT_EQ(r.nmr.size(), 2U);
    EXPECT_DOUBLE_EQ(r.nmr[0].isotropic, 190.4962);
    EXPECT_DOUBLE_EQ(r.nmr[1].anisotropy, 9.3475);
}

TEST(GaussianResults, AnOutputsResultsBelongToItsLastGeometry) {
    if (!std::filesystem::exists(kData / "gaussian/g03/tms_nmr.log"))
        GTEST_SKIP() << "shared test data not present";
    auto tms = ReadFile<CGauData>((kData / "gaussian/g03/tms_nmr.log").string());
    ASSERT_NE(tms, nullptr);
    ASSERT_EQ(tms->results.nmr.size(), static_cast<std::size_t>(tms->AtomCount(0)));
    // Tetramethylsilane: the twelve hydrogens and four carbons alike.
    int carbons = 0;
    for (int a = 0; a < tms->AtomCount(0); ++a) {
        if (tms->GetElement(0, a) == 6) {
            ++carbons;
            EXPECT_NEAR(tms->results.nmr[static_cast<std::size_t>(a)].isotropic, 189.5, 1.5);
        }
    }
    EXPECT_EQ(carbons, 4);
    // An input holds no results.
    auto input = ReadFile<CGauData>((kData / "gaussian/input/water.com").string());
    ASSERT_NE(input, nullptr);
    EXPECT_TRUE(input->results.Empty());
}

} // namespace
