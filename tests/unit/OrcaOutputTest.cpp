// ORCA outputs: the shared files grow as a running job writes them and give
// at each step what a fresh reading gives; the layouts of other versions,
// damaged and cut outputs. The values of the shared files are checked
// against cclib and the files' own tables in tests/cli/orca_test.py.

#include "formats/OrcaInputWriter.h"
#include "formats/OrcaOutputReader.h"
#include "io/StdioFile.h"
#include "model/BondLimits.h"
#include "model/CMolData.h"
#include "tests/unit/GrowingFile.h"
#include "tests/unit/ReadText.h"
#include "tests/unit/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

const std::filesystem::path kOrcaDir = std::filesystem::path(RAVEK_TESTDATA_DIR) / "orca";

std::string FileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::unique_ptr<CMolData> ReadOrca(const std::string& text) {
    return ReadText<OrcaOutputReader>(text);
}

// The coordinate block of one geometry.
std::string Geometry(const std::string& rows) {
    return "---------------------------------\nCARTESIAN COORDINATES (ANGSTROEM)\n"
           "---------------------------------\n" +
           rows + "\n";
}

const char* const kWater = "  O      0.000000    0.000000    0.119262\n"
                           "  H      0.000000    0.763239   -0.477047\n"
                           "  H      0.000000   -0.763239   -0.477047\n";

} // namespace

// Cut at the start and in the middle of lines throughout (inside coordinate
// blocks, mode columns, tables of states and charges), each shared output
// read on after every piece equals a fresh reading, and holds exactly the
// coordinate blocks closed so far.
TEST(OrcaOutput, SharedOutputsGrowAsFreshReadingsWould) {
    if (!std::filesystem::is_directory(kOrcaDir))
        GTEST_SKIP() << kOrcaDir << " is absent";
    BondLimits::instance().ApplyBuiltIn();
    for (const char* name : {"orca42_dvb_gopt.out", "orca5_water_opt_freq_m062x.out",
                             "orca42_dvb_td.out", "orca42_dvb_sp_un.out"}) {
        SCOPED_TRACE(name);
        const std::string text = FileText(kOrcaDir / name);
        ASSERT_FALSE(text.empty());
        std::vector<std::size_t> cuts;
        for (std::size_t k = 1; k <= 60; ++k)
            cuts.push_back(text.size() * k / 61);
        // Inside the blocks: after each header, and in the middle of its rows.
        for (const char* header : {"CARTESIAN COORDINATES (ANGSTROEM)", "NORMAL MODES",
                                   "EXCITED STATES", "MULLIKEN ATOMIC CHARGES"}) {
            for (std::size_t at = text.find(header); at != std::string::npos;
                 at = text.find(header, at + 1)) {
                cuts.push_back(at + 200);
                cuts.push_back(at + 613);
            }
        }
        std::sort(cuts.begin(), cuts.end());
        cuts.push_back(text.size());
        ExpectGrowsLikeFreshReadings<OrcaOutputReader>(
            text, cuts,
            [&](CMolData& model, std::size_t cut) {
                // A block counts once the blank line after its rows has come.
                int closed = 0;
                for (std::size_t at = text.find("CARTESIAN COORDINATES (ANGSTROEM)");
                     at != std::string::npos;
                     at = text.find("CARTESIAN COORDINATES (ANGSTROEM)", at + 1)) {
                    const std::size_t end = text.find("\n\n", at);
                    closed += end != std::string::npos && end + 2 <= cut;
                }
                EXPECT_EQ(model.frameCount, closed);
                EXPECT_EQ(model.termination, cut == text.size() ? CMolData::Termination::kNormal
                                                                : CMolData::Termination::kRunning);
            },
            OrcaOutputReader::Follow);
        if (HasFatalFailure())
            return;
    }
}

// What ORCA 6 prints differently (spectra rows by transition, "Mult" on the
// state lines), an unrestricted job's excitations and de-excitations, and
// what the output leaves out (no "c=", spin forbidden states).
TEST(OrcaOutput, LayoutsOfOtherVersionsAndRuns) {
    const std::string text =
        "                         Program Version 6.0.0 -  RELEASE  -\n"
        " Hartree-Fock type      HFTyp           .... UHF\n"
        " Total Charge           Charge          ....   -1\n"
        " Multiplicity           Mult            ....    2\n" +
        Geometry(kWater) +
        "TD-DFT EXCITED STATES\n"
        "---------------------\n\n"
        "STATE  1:  E=   0.100000 au      2.721 eV    21947.5 cm**-1 <S**2> =   0.75 Mult 2\n"
        "     4a ->   5a  :     0.810000\n"
        "     3b <-   5b  :     0.040000 (c= -0.20000000)\n\n"
        "STATE  2:  E=   0.200000 au      5.442 eV    43895.0 cm**-1 <S**2> =   3.75 Mult 4\n"
        "     4a ->   6a  :     1.000000 (c=  1.00000000)\n\n"
        "----------------------------------------------------------------------------------\n"
        "          ABSORPTION SPECTRUM VIA TRANSITION ELECTRIC DIPOLE MOMENTS\n"
        "----------------------------------------------------------------------------------\n"
        "     Transition      Energy     Energy  Wavelength fosc(D2)      D2        DX\n"
        "                      (eV)      (cm-1)    (nm)                 (au**2)    (au)\n"
        "----------------------------------------------------------------------------------\n"
        "  0-2A  ->  1-2A    2.721138   21947.5   455.6   0.012345678   0.04293  -0.15576\n"
        "  0-2A  ->  2-4A    5.442277   43895.0   227.8   spin forbidden (mult=4)\n\n"
        "----------------------------------------------------------------------------------\n"
        "                    CD SPECTRUM VIA TRANSITION ELECTRIC DIPOLE MOMENTS\n"
        "----------------------------------------------------------------------------------\n"
        "     Transition      Energy     Energy  Wavelength       R         MX\n"
        "----------------------------------------------------------------------------------\n"
        "  0-2A  ->  1-2A    2.721138   21947.5   455.6     -1.23456   0.00000\n"
        "  0-2A  ->  2-4A    5.442277   43895.0   227.8 spin forbidden\n\n"
        "FINAL SINGLE POINT ENERGY       -76.100000000000\n"
        "                             ****ORCA TERMINATED NORMALLY****\n";
    const auto model = ReadOrca(text);
    ASSERT_EQ(model->frameCount, 1);
    EXPECT_EQ(model->termination, CMolData::Termination::kNormal);
    EXPECT_EQ(model->results.charge, -1);
    EXPECT_EQ(model->results.multiplicity, 2);
    EXPECT_DOUBLE_EQ(model->Frame(0).energy, -76.1);
    const auto& states = model->results.excitedStates;
    ASSERT_EQ(states.size(), 2U);
    EXPECT_EQ(states[0].number, 1);
    EXPECT_EQ(states[0].multiplicity, 2);
    EXPECT_EQ(states[1].multiplicity, 4);
    EXPECT_NEAR(states[0].energyEv, 2.7211386, 1e-6);
    EXPECT_NEAR(states[0].wavelengthNm, 1e7 / 21947.5, 1e-9);
    EXPECT_DOUBLE_EQ(states[0].oscillatorStrength, 0.012345678);
    EXPECT_DOUBLE_EQ(states[1].oscillatorStrength, 0.0);
    EXPECT_DOUBLE_EQ(states[0].rotatoryStrength, -1.23456);
    EXPECT_TRUE(std::isnan(states[1].rotatoryStrength));
    ASSERT_EQ(states[0].transitions.size(), 2U);
    const JobResults::Transition& first = states[0].transitions[0];
    // Orbitals from 1; no "c=": the square root of the weight.
    EXPECT_EQ(first.from, 5);
    EXPECT_EQ(first.to, 6);
    EXPECT_EQ(first.spin, 'A');
    EXPECT_FALSE(first.deexcitation);
    EXPECT_DOUBLE_EQ(first.coefficient, 0.9);
    const JobResults::Transition& back = states[0].transitions[1];
    EXPECT_EQ(back.spin, 'B');
    EXPECT_TRUE(back.deexcitation);
    EXPECT_DOUBLE_EQ(back.coefficient, -0.2);
}

// Excited states of a later run (the next step of an excited-state
// optimisation) replace the last run's; singlets and triplets of one run
// are numbered together.
TEST(OrcaOutput, EachRunOfStatesReplacesTheLast) {
    const auto states = [](double au) {
        char line[160];
        std::snprintf(line, sizeof line,
                      "STATE  1:  E=   %.6f au      0.000 eV    1000.0 cm**-1\n"
                      "     4a ->   5a  :     1.000000 (c=  1.00000000)\n\n",
                      au);
        return std::string(line);
    };
    const std::string spectrum = "         ABSORPTION SPECTRUM VIA TRANSITION ELECTRIC DIPOLE "
                                 "MOMENTS\n-----\nState   Energy    Wavelength  fosc\n-----\n"
                                 "   1   1000.0    10000.0   0.100000000   0.04293\n"
                                 "   2   1000.0    10000.0   spin forbidden (mult=3)\n\n";
    std::string text = Geometry(kWater);
    for (const double au : {0.1, 0.2}) {
        text += "TD-DFT/TDA EXCITED STATES (SINGLETS)\n-----\n\n" + states(au);
        text += "TD-DFT/TDA EXCITED STATES (TRIPLETS)\n-----\n\n" + states(au / 2);
        text += spectrum + Geometry(kWater);
    }
    const auto model = ReadOrca(text);
    EXPECT_EQ(model->frameCount, 3);
    const auto& read = model->results.excitedStates;
    ASSERT_EQ(read.size(), 2U);
    EXPECT_EQ(read[0].multiplicity, 1);
    EXPECT_EQ(read[1].multiplicity, 3);
    EXPECT_EQ(read[1].number, 2);
    EXPECT_NEAR(read[0].energyEv, 0.2 * 27.211386245988, 1e-9);
    EXPECT_NEAR(read[1].energyEv, 0.1 * 27.211386245988, 1e-9);
    EXPECT_DOUBLE_EQ(read[0].oscillatorStrength, 0.1);
    EXPECT_EQ(read[0].transitions[0].spin, ' ');
}

// A damaged or cut output keeps what is whole: a row without numbers gives
// no atom, a block cut short by other text is no geometry, a header whose
// rows never come does not swallow what follows, tables that are not the
// atoms' are said, and a job ended in error says so.
TEST(OrcaOutput, DamagedAndCutOutputsKeepWhatIsWhole) {
    const std::string text =
        Geometry("  O      0.000000    0.000000    0.119262\n"
                 "  H      0.000000    zero       -0.477047\n"
                 "  H      0.000000   -0.763239   -0.477047\n") +
        // Cut short by a warning: no geometry.
        "CARTESIAN COORDINATES (ANGSTROEM)\n---\n  O 0.0 0.0 0.0\nWARNING: disk full\n\n"
        // A header whose table never comes.
        "IR SPECTRUM\n" +
        std::string(20, '\n') + "some text\n" + Geometry(kWater) +
        "MULLIKEN ATOMIC CHARGES\n-----------------------\n"
        "   0 O :   -0.600000\n   1 H :    0.300000\n"
        "Sum of atomic charges:   -0.3000000\n\n"
        "LOEWDIN ATOMIC CHARGES\n----------------------\n"
        "   0 O :   -0.400000\n   1 H :    0.200000\n   2 H :    0.200000\n\n"
        "CHEMICAL SHIELDING SUMMARY (ppm)\n--------------------------------\n\n"
        "  Nucleus  Element    Isotropic     Anisotropy\n  -------  -------  ------------\n"
        "      0       O          320.000         50.000\n\n"
        "HIRSHFELD ANALYSIS\n------------------\n\n  ATOM     CHARGE      SPIN\n"
        "   0 O   -0.300000    0.000000\n   1 H    0.150000    0.000000\n"
        "ORCA finished by error termination in SCF\n";
    const auto model = ReadOrca(text);
    ASSERT_EQ(model->frameCount, 2);
    EXPECT_EQ(model->AtomCount(0), 2);
    EXPECT_EQ(model->skippedLines, 1);
    EXPECT_EQ(model->AtomCount(1), 3);
    EXPECT_EQ(model->termination, CMolData::Termination::kError);
    const JobResults& results = model->results;
    EXPECT_EQ(results.charges.count("mulliken"), 0U);
    EXPECT_EQ(results.charges.at("loewdin"), (std::vector<double>{-0.4, 0.2, 0.2}));
    EXPECT_TRUE(results.nmr.empty());
    std::vector<std::string> problems;
    for (const JobResults::Problem& problem : results.problems)
        problems.push_back(problem.Text());
    EXPECT_EQ(problems, (std::vector<std::string>{
                            "the hirshfeld charges are 2 values for 3 atoms (not kept)",
                            "the mulliken charges are 2 values for 3 atoms (not kept)",
                            "the hirshfeld spin densities are 2 values for 3 atoms (not kept)",
                            "the Hirshfeld charge table ends with the output",
                            "the shieldings are 1 values for 3 atoms (not kept)"}));
}

// The last line of a finished job may lack its line end; a file cut in a
// mode column keeps the modes it holds whole out of the model.
TEST(OrcaOutput, EndsOfFiles) {
    EXPECT_EQ(ReadOrca(Geometry(kWater) + "     ****ORCA TERMINATED NORMALLY****")->termination,
              CMolData::Termination::kNormal);
    const std::string modes = Geometry(kWater) +
                              "VIBRATIONAL FREQUENCIES\n-----------------------\n\n"
                              "   0:         0.00 cm**-1\n   1:      1600.00 cm**-1\n\n"
                              "NORMAL MODES\n------------\n\n"
                              "                  0          1\n"
                              "      0       0.000000   0.100000\n"
                              "      1       0.000000   0.200000\n";
    const auto cut = ReadOrca(modes);
    EXPECT_EQ(cut->vibrationState, CMolData::kVibrationNone);
    EXPECT_TRUE(cut->Frame(0).modes.empty());
    std::string whole = modes;
    for (int row = 2; row < 9; ++row)
        whole += "      " + std::to_string(row) + "       0.000000   0.300000\n";
    const auto read = ReadOrca(whole + "\n");
    ASSERT_EQ(read->Frame(0).modes.size(), 1U);
    const NormalMode& mode = read->Frame(0).modes[0];
    EXPECT_EQ(mode.number, 1);
    EXPECT_DOUBLE_EQ(mode.frequency, 1600.0);
    EXPECT_TRUE(std::isnan(mode.irIntensity));
    EXPECT_DOUBLE_EQ(mode.displacements[0].y, 0.2);
    EXPECT_DOUBLE_EQ(read->Atom(0, 2).dx, 0.3);
}

namespace {

// What WriteOrcaInput writes of geometry g with keywords, or the refusal.
std::string OrcaInputText(const CMolData& mol, const std::string& keywords,
                          std::string* refusal = nullptr) {
    TempDir dir;
    const std::string path = dir.File("job.inp");
    WrittenGeometry what(mol.frameCount - 1);
    what.jobKeywords = keywords;
    std::string why;
    if (!WriteFile(path, [&](StdioFile* file) { return WriteOrcaInput(mol, what, file, &why); })) {
        if (refusal != nullptr)
            *refusal = why;
        return {};
    }
    return FileText(path);
}

} // namespace

// An ORCA input of the geometry shown: the keyword line given (a "!" put
// before it when it has none) or the default, the charge and multiplicity
// the output printed, else the lowest the electrons allow.
TEST(OrcaInput, KeywordsChargeMultiplicityAndGeometry) {
    const auto cation = ReadOrca(" Total Charge           Charge          ....    1\n"
                                 " Multiplicity           Mult            ....    2\n" +
                                 Geometry(kWater));
    EXPECT_EQ(OrcaInputText(*cation, "PBE0 def2-TZVP Freq"),
              "! PBE0 def2-TZVP Freq\n\n* xyz 1 2\n"
              "O         0.00000000      0.00000000      0.11926200\n"
              "H         0.00000000      0.76323900     -0.47704700\n"
              "H         0.00000000     -0.76323900     -0.47704700\n*\n");
    EXPECT_EQ(OrcaInputText(*cation, "  ").substr(0, 28), "! B3LYP D3BJ def2-SVP Opt\n\n*");
    // Without a printed multiplicity: OH has an odd number of electrons.
    const auto radical = ReadOrca(Geometry("  O 0.0 0.0 0.0\n  H 0.0 0.0 0.97\n"));
    EXPECT_NE(OrcaInputText(*radical, "! HF").find("* xyz 0 2\n"), std::string::npos);
    std::string refusal;
    EXPECT_EQ(OrcaInputText(*radical, "! HF\n* xyz 0 1", &refusal), "");
    EXPECT_EQ(refusal, "the keyword line holds a line break");
}
