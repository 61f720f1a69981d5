// Molden files: the shared files of ORCA and Turbomole give orthonormal
// orbitals by the overlaps in closed form (each program's own convention
// found), their atoms and energies as the files print them; Molden's
// Cartesian g functions land on the basis's; damaged files say what is
// wrong.

#include "formats/MoldenReader.h"
#include "io/StdioFile.h"
#include "model/Wavefunction.h"
#include "tests/unit/OrbitalOverlaps.h"
#include "tests/unit/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

namespace {

const std::filesystem::path kMolden = std::filesystem::path(RAVEK_TESTDATA_DIR) / "molden";

std::unique_ptr<CMolData> ReadPath(const std::string& path) {
    StdioFile file;
    if (!file.Open(path, StdioFile::modeRead))
        return nullptr;
    return ReadMolden(&file);
}

std::unique_ptr<CMolData> ReadText(const std::string& text) {
    TempDir dir;
    const std::string path = dir.File("a.molden");
    std::ofstream(path) << text;
    return ReadPath(path);
}

const char* kHead = "[Molden Format]\n[Atoms] Angs\nO 1 8 0.0 0.0 0.0\n";

} // namespace

TEST(MoldenReader, OrcaAndTurbomoleFilesGiveOrthonormalOrbitals) {
    if (!std::filesystem::exists(kMolden / "orca_h2o.molden.input"))
        GTEST_SKIP() << "shared test data not present";
    // ORCA: contraction coefficients of primitives as they stand; pure d.
    const auto orca = ReadPath((kMolden / "orca_h2o.molden.input").string());
    ASSERT_NE(orca, nullptr);
    ASSERT_NE(orca->wavefunction, nullptr) << orca->wavefunctionProblem;
    EXPECT_EQ(orca->AtomCount(0), 3);
    EXPECT_EQ(orca->GetElement(0, 0), 8);
    // [Atoms] AU: 0.1582268966 bohr.
    EXPECT_NEAR(orca->GetAtomPos(0, 0).y, 0.1582268966 * 0.529177210903, 1e-9);
    const Wavefunction& w = *orca->wavefunction;
    EXPECT_NEAR(w.alpha.energies.front(), -20.5452649092971, 1e-12);
    EXPECT_EQ(w.alphaElectrons, 5);
    EXPECT_EQ(w.betaElectrons, 5);
    EXPECT_EQ(w.charge, 0);
    EXPECT_EQ(w.Homo(false), 5);
    EXPECT_LT(OrthonormalityError(w), 1e-6);

    // Turbomole: Cartesian d functions short of the factor √3; 50 orbitals
    // of pure functions written over 52 Cartesian ones.
    const auto turbomole = ReadPath((kMolden / "turbomole71_nh3.molden").string());
    ASSERT_NE(turbomole, nullptr);
    ASSERT_NE(turbomole->wavefunction, nullptr) << turbomole->wavefunctionProblem;
    EXPECT_EQ(turbomole->AtomCount(0), 4);
    EXPECT_EQ(turbomole->wavefunction->basis.FunctionCount(), 52);
    EXPECT_EQ(turbomole->wavefunction->alpha.Count(), 50);
    EXPECT_EQ(turbomole->wavefunction->alphaElectrons, 5);
    EXPECT_LT(OrthonormalityError(*turbomole->wavefunction), 1e-6);
}

// One Cartesian g shell: Molden lists xxxx first, then yyyy and zzzz; a
// coefficient on each puts the orbital along that axis only. A beta orbital
// makes the set unrestricted, with one electron of each spin.
TEST(MoldenReader, CartesianGFunctionsFollowMoldensOrder) {
    for (int axis = 0; axis < 3; ++axis) {
        std::string text = std::string(kHead) + "[GTO]\n1 0\ng 1 1.0\n1.0 1.0\n\n[MO]\n";
        for (const char* spin : {"Alpha", "Beta"}) {
            text += std::string("Ene= -1.0\nSpin= ") + spin + "\nOccup= 1.0\n";
            for (int f = 1; f <= 15; ++f)
                text += std::to_string(f) + (f == axis + 1 ? " 1.0\n" : " 0.0\n");
        }
        const auto model = ReadText(text);
        ASSERT_NE(model->wavefunction, nullptr) << model->wavefunctionProblem;
        const Wavefunction& w = *model->wavefunction;
        EXPECT_TRUE(w.Unrestricted());
        EXPECT_EQ(w.alphaElectrons, 1);
        EXPECT_EQ(w.betaElectrons, 1);
        EXPECT_EQ(w.multiplicity, 1);
        std::vector<double> values(15);
        double along[3];
        for (int a = 0; a < 3; ++a) {
            Point3D p{0.0, 0.0, 0.0};
            (a == 0 ? p.x : a == 1 ? p.y : p.z) = 0.8;
            w.basis.Evaluate(p, values.data());
            along[a] = 0.0;
            for (int f = 0; f < 15; ++f)
                along[a] += w.alpha.coefficients[static_cast<std::size_t>(f)] *
                            values[static_cast<std::size_t>(f)];
        }
        for (int a = 0; a < 3; ++a) {
            if (a == axis)
                EXPECT_GT(std::fabs(along[a]), 0.01) << axis;
            else
                EXPECT_NEAR(along[a], 0.0, 1e-12) << axis << " at " << a;
        }
    }
}

TEST(MoldenReader, DamagedFilesSayWhatIsWrong) {
    const std::pair<std::string, std::string> cases[] = {
        {"[Molden Format]\n[Title]\n", "it has no [Atoms] section"},
        {"[Molden Format]\n[Atoms] parsecs\nO 1 8 0 0 0\n", "no unit"},
        {"[Molden Format]\n[Atoms] AU\nO 1 8 0 zero 0\n", "three coordinates: O 1 8 0 zero 0"},
    };
    for (const auto& [text, expected] : cases) {
        const auto model = ReadText(text);
        EXPECT_EQ(model->frameCount, 0) << text;
        EXPECT_NE(model->formatProblem.find(expected), std::string::npos) << model->formatProblem;
    }
    // The atoms kept, the orbitals refused with the reason.
    const std::pair<std::string, std::string> orbitalCases[] = {
        {"[GTO]\n1 0\nq 1 1.0\n1.0 1.0\n", "neither an atom's number nor a shell's kind"},
        {"[GTO]\n2 0\ns 1 1.0\n1.0 1.0\n", "names atom 2 of 1"},
        {"[GTO]\n1 0\ns 2 1.0\n1.0 1.0\n", "ends within a shell"},
        {"[GTO]\n1 0\ns 1 1.0\n1.0 1.0\n[MO]\nEne= -1.0\nOccup= 2\n1 1.0\n2 0.5\n",
         "coefficient of function 2, the basis has 1"},
        {"[GTO]\n1 0\ns 1 1.0\n1.0 1.0\n[MO]\nEne= -1.0\nOccup= 2\n1 2.0\n",
         "no reading of its numbers makes its orbitals normalised (the nearest is off by 3)"},
        {"[GTO]\n1 0\ns 1 1.0\n1.0 1.0\n", "no [MO] section"},
    };
    for (const auto& [text, expected] : orbitalCases) {
        const auto model = ReadText(std::string(kHead) + text);
        EXPECT_EQ(model->frameCount, 1) << text;
        EXPECT_EQ(model->wavefunction, nullptr) << text;
        EXPECT_NE(model->wavefunctionProblem.find(expected), std::string::npos)
            << model->wavefunctionProblem;
    }
}

// Vibrations: of a file of vibrations only, on the file's own geometry when
// [FR-COORD] is its [Atoms], on a geometry of their own when it is not;
// translations and rotations at 0 cm⁻¹ left out, displacements normalised,
// [INT] intensities kept; sections that do not fit together keep the atoms
// and say why.
TEST(MoldenReader, VibrationsAreNormalModes) {
    const std::string vibrations = "[FREQ]\n0.0\n-120.5\n1600.0\n[FR-COORD]\n"
                                   "O 0.0 0.0 0.0\nH 0.0 0.0 1.8\n[FR-NORM-COORD]\n"
                                   "vibration 1\n1 0 0\n1 0 0\nvibration 2\n0 3 0\n0 -4 0\n"
                                   "vibration 3\n0 0 0.1D0\n0 0 -0.1D0\n[INT]\n0.0\n2.5\n7.0\n";
    const auto only = ReadText("[Molden Format]\n" + vibrations);
    ASSERT_EQ(only->frameCount, 1);
    EXPECT_EQ(only->wavefunctionProblem, "");
    EXPECT_EQ(only->modesProblem, "");
    EXPECT_EQ(only->vibrationState, CMolData::kVibrationPresent);
    EXPECT_NEAR(only->Atom(0, 1).z, 1.8 * 0.529177210903, 1e-9);
    const std::vector<NormalMode>& modes = only->Frame(0).modes;
    ASSERT_EQ(modes.size(), 2U);
    EXPECT_EQ(modes[0].number, 1);
    EXPECT_EQ(modes[0].frequency, -120.5);
    EXPECT_EQ(modes[0].irIntensity, 2.5);
    EXPECT_NEAR(modes[0].displacements[0].y, 0.6, 1e-12);
    EXPECT_NEAR(modes[0].displacements[1].y, -0.8, 1e-12);
    EXPECT_NEAR(modes[1].displacements[0].z, std::sqrt(0.5), 1e-12);
    EXPECT_NEAR(only->Atom(0, 1).dy, -0.8, 1e-12);

    const std::string atoms = "[Molden Format]\n[Atoms] AU\nO 1 8 0.0 0.0 0.0\nH 2 1 0.0 0.0 ";
    const auto same = ReadText(atoms + "1.8\n" + vibrations);
    EXPECT_EQ(same->frameCount, 1);
    EXPECT_EQ(same->Frame(0).modes.size(), 2U);
    const auto moved = ReadText(atoms + "1.9\n" + vibrations);
    ASSERT_EQ(moved->frameCount, 2);
    EXPECT_TRUE(moved->Frame(0).modes.empty());
    EXPECT_EQ(moved->Frame(1).modes.size(), 2U);
    EXPECT_EQ(moved->firstShownFrame, 1);

    const std::pair<std::string, std::string> damaged[] = {
        {"[FREQ]\n1600.0\n", "lack the [FREQ], [FR-COORD] or [FR-NORM-COORD]"},
        {"[FREQ]\n1600.0\n1700.0\n[FR-COORD]\nO 0 0 0\nH 0 0 1.8\n[FR-NORM-COORD]\n"
         "vibration 1\n0 0 1\n0 0 -1\n",
         "holds 1 vibrations for 2 frequencies"},
        {"[FREQ]\n1600.0\n[FR-COORD]\nO 0 0 0\nH 0 0 1.8\n[FR-NORM-COORD]\nvibration 1\n0 0 1\n",
         "vibration 1 of [FR-NORM-COORD] moves 1 atoms of 2"},
        {"[FREQ]\nlow\n[FR-COORD]\nO 0 0 0\n[FR-NORM-COORD]\n", "a [freq] line is no number"},
    };
    for (const auto& [text, expected] : damaged) {
        const auto model = ReadText(atoms + "1.8\n" + text);
        EXPECT_EQ(model->frameCount, 1) << text;
        EXPECT_EQ(model->vibrationState, CMolData::kVibrationNone) << text;
        EXPECT_NE(model->modesProblem.find(expected), std::string::npos) << model->modesProblem;
    }
}
