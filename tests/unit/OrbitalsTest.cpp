// Orbitals and densities on grids: the basis functions against the
// integrals physics fixes (norms, orthogonality, electron counts), the
// formatted checkpoint and cube readers on real and on damaged files.

#include "formats/CubeReader.h"
#include "formats/CubeWriter.h"
#include "formats/FchkReader.h"
#include "formats/ReadMolecule.h"
#include "io/StdioFile.h"
#include "model/BasisOverlap.h"
#include "model/CMolData.h"
#include "model/VolumeEvaluator.h"
#include "model/Wavefunction.h"
#include "tests/unit/OrbitalOverlaps.h"
#include "tests/unit/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace {

const std::filesystem::path kOrbitals = std::filesystem::path(RAVEK_TESTDATA_DIR) / "orbitals";

template <std::unique_ptr<CMolData> (*Read)(StdioFile*)>
CMolData ReadPath(const std::string& path) {
    StdioFile file;
    if (!file.Open(path, StdioFile::modeRead))
        return CMolData();
    return std::move(*Read(&file));
}

CMolData ReadFchkPath(const std::string& path) {
    return ReadPath<ReadFchk>(path);
}
CMolData ReadCubePath(const std::string& path) {
    return ReadPath<ReadCube>(path);
}

// A cubic grid of spacing h about the origin reaching half each way.
VolumeGrid Box(double half, double h) {
    std::string why;
    VolumeGrid grid = GridAround({Point3D{}}, half, h, &why);
    EXPECT_GT(grid.Count(), 0U) << why;
    return grid;
}

// ∫ f g over the grid for two value sets.
double Overlap(const VolumeGrid& grid, const std::vector<float>& f, const std::vector<float>& g) {
    double sum = 0.0;
    for (std::size_t p = 0; p < f.size(); ++p)
        sum += static_cast<double>(f[p]) * g[p];
    return sum * grid.CellVolume();
}

std::vector<float> Orbital(const Wavefunction& w, const VolumeGrid& like, int number,
                           bool beta = false) {
    VolumeGrid grid = like;
    VolumeRequest request;
    request.orbital = number;
    request.beta = beta;
    std::string why;
    EXPECT_TRUE(EvaluateOnGrid(w, request, grid, nullptr, &why)) << why;
    return grid.values;
}

double Integral(const Wavefunction& w, const VolumeGrid& like, VolumeRequest::Quantity what) {
    VolumeGrid grid = like;
    VolumeRequest request;
    request.quantity = what;
    std::string why;
    EXPECT_TRUE(EvaluateOnGrid(w, request, grid, nullptr, &why)) << why;
    double sum = 0.0;
    for (float v : grid.values)
        sum += v;
    return sum * grid.CellVolume();
}

bool SharedData() {
    return std::filesystem::exists(kOrbitals / "h2o_sto3g.fchk");
}

} // namespace

// One primitive of each angular momentum s ... h, pure and Cartesian, as the
// orbitals of a one-atom wavefunction: each function integrates to one in
// square; pure functions of one shell are orthogonal, Cartesian ones of
// one shell overlap as their moments say (xx with yy: 1/3).
TEST(Orbitals, EveryFunctionIsNormalisedPureOnesOrthogonal) {
    const VolumeGrid grid = Box(7.0, 0.14);
    for (bool pure : {false, true}) {
        for (int l = 0; l <= 5; ++l) {
            BasisShell shell;
            shell.l = l;
            shell.pure = pure;
            shell.exponents = {0.8};
            shell.coefficients = {1.0};
            Wavefunction w;
            w.basis = GaussianBasis({shell});
            const int n = w.basis.FunctionCount();
            w.alpha.energies.assign(static_cast<std::size_t>(n), 0.0);
            w.alpha.coefficients.assign(static_cast<std::size_t>(n * n), 0.0);
            for (int f = 0; f < n; ++f)
                w.alpha.coefficients[static_cast<std::size_t>(f * n + f)] = 1.0;
            std::vector<std::vector<float>> values;
            for (int f = 1; f <= n; ++f)
                values.push_back(Orbital(w, grid, f));
            for (int f = 0; f < n; ++f) {
                EXPECT_NEAR(Overlap(grid, values[f], values[f]), 1.0, 2e-4)
                    << (pure ? "pure" : "Cartesian") << " l " << l << " function " << f;
                for (int g = 0; g < f && pure; ++g) {
                    EXPECT_NEAR(Overlap(grid, values[f], values[g]), 0.0, 2e-4)
                        << "pure l " << l << " functions " << f << ", " << g;
                }
            }
            if (!pure && l == 2) { // ⟨xx|yy⟩ = ∫x²y² / ∫x⁴ = 1/3
                EXPECT_NEAR(Overlap(grid, values[0], values[1]), 1.0 / 3.0, 2e-4);
            }
        }
    }
}

// The orbitals of Gaussian's own files: normalised and orthogonal (He with
// Cartesian s ... h, O2 with Cartesian d and f), and the densities hold the
// electrons (water, and one unpaired electron in the spin density of the
// methyl radical).
TEST(Orbitals, GaussianFilesGiveNormalisedOrbitalsAndTheirElectrons) {
    if (!SharedData())
        GTEST_SKIP() << "shared test data not present";
    const CMolData he = ReadFchkPath((kOrbitals / "he_spdfgh_orbital.fchk").string());
    ASSERT_NE(he.wavefunction, nullptr) << he.wavefunctionProblem;
    const VolumeGrid heGrid = Box(8.0, 0.2);
    const std::vector<float> o11 = Orbital(*he.wavefunction, heGrid, 11);
    for (int number : {2, 11, 25, 30, 41, 56}) {
        const std::vector<float> o = Orbital(*he.wavefunction, heGrid, number);
        EXPECT_NEAR(Overlap(heGrid, o, o), 1.0, 1e-5) << "He orbital " << number;
        if (number != 11) {
            EXPECT_NEAR(Overlap(heGrid, o, o11), 0.0, 1e-5) << "He orbitals 11, " << number;
        }
    }

    const CMolData water = ReadFchkPath((kOrbitals / "h2o_sto3g.fchk").string());
    ASSERT_NE(water.wavefunction, nullptr);
    // A grid about the atoms (bohr) with the usual margin.
    const auto around = [](const CMolData& model) {
        std::vector<Point3D> atoms;
        for (const BasisShell& shell : model.wavefunction->basis.Shells())
            atoms.push_back(shell.centre);
        return GridAround(atoms, 5.0, 0.1, nullptr);
    };
    VolumeGrid grid = around(water);
    EXPECT_NEAR(Integral(*water.wavefunction, grid, VolumeRequest::Quantity::kDensity), 10.0, 0.01);

    const CMolData methyl = ReadFchkPath((kOrbitals / "ch3_rohf_sto3g_g03.fchk").string());
    ASSERT_NE(methyl.wavefunction, nullptr);
    grid = around(methyl);
    EXPECT_NEAR(Integral(*methyl.wavefunction, grid, VolumeRequest::Quantity::kSpinDensity), 1.0,
                0.005);
    EXPECT_NEAR(Integral(*methyl.wavefunction, grid, VolumeRequest::Quantity::kDensity), 9.0, 0.01);

    const CMolData o2 = ReadFchkPath((kOrbitals / "o2_cc_pvtz_cart.fchk").string());
    ASSERT_NE(o2.wavefunction, nullptr);
    const VolumeGrid o2Grid =
        GridAround({Point3D{0, 0, -1.1}, Point3D{0, 0, 1.1}}, 5.0, 0.06, nullptr);
    const std::vector<float> o8 = Orbital(*o2.wavefunction, o2Grid, 8);
    const std::vector<float> o9 = Orbital(*o2.wavefunction, o2Grid, 9);
    EXPECT_NEAR(Overlap(o2Grid, o8, o8), 1.0, 2e-3);
    EXPECT_NEAR(Overlap(o2Grid, o8, o9), 0.0, 1e-3);
    EXPECT_NEAR(Integral(*o2.wavefunction, o2Grid, VolumeRequest::Quantity::kDensity), 16.0, 0.02);
}

// The overlaps in closed form: every orbital of Gaussian's files is
// normalised and orthogonal to the others to the 8 digits the files print
// (sp shells; pure s ... h; Cartesian d and f of both spins), and one
// primitive's functions overlap as their moments say (⟨xx|yy⟩ = 1/3).
TEST(Orbitals, OverlapsInClosedFormMakeTheFilesOrbitalsOrthonormal) {
    BasisShell d;
    d.l = 2;
    d.exponents = {0.8};
    d.coefficients = {1.0};
    const BasisOverlap one(GaussianBasis({d}));
    EXPECT_NEAR(one.At(0, 0), 1.0, 1e-12);
    EXPECT_NEAR(one.At(0, 1), 1.0 / 3.0, 1e-12);
    EXPECT_NEAR(one.At(3, 4), 0.0, 1e-12);
    if (!SharedData())
        GTEST_SKIP() << "shared test data not present";
    for (const char* name : {"h2o_sto3g.fchk", "he_spdfgh_orbital.fchk", "o2_cc_pvtz_cart.fchk"}) {
        const CMolData model = ReadFchkPath((kOrbitals / name).string());
        ASSERT_NE(model.wavefunction, nullptr) << name;
        EXPECT_LT(OrthonormalityError(*model.wavefunction), 2e-6) << name;
    }
}

TEST(Orbitals, CheckpointFilesGiveAtomsStepsChargesAndOrbitals) {
    if (!SharedData())
        GTEST_SKIP() << "shared test data not present";
    const CMolData water = ReadFchkPath((kOrbitals / "water_atcharges.fchk").string());
    ASSERT_EQ(water.atomCount, 3);
    EXPECT_EQ(water.GetElement(0, 0), 8);
    ASSERT_EQ(water.results.charges.count("mulliken"), 1U);
    ASSERT_EQ(water.results.charges.count("esp"), 1U);
    // The charges of a neutral molecule sum to zero.
    double sum = 0.0;
    for (double q : water.results.charges.at("esp"))
        sum += q;
    EXPECT_NEAR(sum, 0.0, 1e-6);
    const Wavefunction& w = *water.wavefunction;
    EXPECT_EQ(w.Homo(false), 5);
    EXPECT_EQ(w.Lumo(false), 6);
    EXPECT_EQ(w.Occupation(false, 4), 2.0);
    EXPECT_FALSE(w.Unrestricted());

    // The steps of an optimisation, each with its energy; the last is the
    // current geometry (bohr in the file, ångström here).
    const CMolData peroxide = ReadFchkPath((kOrbitals / "peroxide_opt.fchk").string());
    EXPECT_EQ(peroxide.frameCount, 5);
    EXPECT_TRUE(std::isfinite(peroxide.Frame(0).energy));
    EXPECT_LT(peroxide.Frame(4).energy, peroxide.Frame(0).energy);

    const CMolData methyl = ReadFchkPath((kOrbitals / "ch3_rohf_sto3g_g03.fchk").string());
    EXPECT_EQ(methyl.wavefunction->Occupation(false, 4), 1.0); // the ROHF singly occupied one
    EXPECT_EQ(methyl.wavefunction->Homo(false), 5);
}

// Cube files by cubegen: the header's atoms and grid, the values in order;
// a grid written and read again is the same; several orbitals a point are
// taken apart; a grid in ångström is turned into bohr.
TEST(Orbitals, CubeFilesReadAndWriteTheirGrid) {
    TempDir dir;
    const std::string two = " two orbitals\n second line\n"
                            "   -1    0.000000    0.000000    0.000000\n"
                            "    2    0.500000    0.000000    0.000000\n"
                            "    1    0.000000    0.500000    0.000000\n"
                            "   -2    0.000000    0.000000    0.529177\n"
                            "    1    1.000000    0.000000    0.000000    0.000000\n"
                            "    2    7    9\n"
                            "  1.0E-01 -1.0E-01  2.0E-01 -2.0E-01\n"
                            "  3.0E-01 -3.0E-01  4.0E-01 -4.0E-01\n";
    CMolData model = ReadCubePath(dir.Write("two.cube", two));
    ASSERT_TRUE(model.formatProblem.empty()) << model.formatProblem;
    ASSERT_EQ(model.volumes.size(), 2U);
    EXPECT_EQ(model.volumes[1]->name, "MO 9");
    EXPECT_FLOAT_EQ(model.volumes[0]->values[3], 0.4F);
    EXPECT_FLOAT_EQ(model.volumes[1]->values[3], -0.4F);
    // The negative count on the third axis puts every length in ångström.
    EXPECT_NEAR(model.volumes[0]->axes[2].z, 1.0, 1e-6);
    EXPECT_NEAR(model.volumes[0]->axes[0].x, 0.5 / kBohrInAngstrom, 1e-9);
}

// An atom off the origin lands where the file puts it in either of the
// cube's units: bohr for positive counts (1 bohr = 0.529177210903 Å), ångström
// when a count is negative.
TEST(Orbitals, CubeAtomsArePlacedInTheFilesUnit) {
    TempDir dir;
    const auto atom = [&](const char* counts) {
        const std::string text = std::string(" atom\n off the origin\n") +
                                 "    1    0.000000    0.000000    0.000000\n" + counts +
                                 "    8    8.000000    1.200000   -0.800000    2.000000\n"
                                 " 1.0 2.0 3.0 4.0 5.0 6.0 7.0 8.0\n";
        const CMolData model = ReadCubePath(dir.Write("atom.cube", text));
        EXPECT_TRUE(model.formatProblem.empty()) << model.formatProblem;
        return model.atomCount == 1 ? model.GetAtomPos(0, 0) : Point3D{};
    };
    const Point3D bohr = atom("    2 0.2 0 0\n    2 0 0.2 0\n    2 0 0 0.2\n");
    EXPECT_NEAR(bohr.x, 1.2 * 0.529177210903, 1e-6);
    EXPECT_NEAR(bohr.y, -0.8 * 0.529177210903, 1e-6);
    EXPECT_NEAR(bohr.z, 2.0 * 0.529177210903, 1e-6);
    const Point3D angstrom = atom("   -2 0.2 0 0\n   -2 0 0.2 0\n   -2 0 0 0.2\n");
    EXPECT_NEAR(angstrom.x, 1.2, 1e-9);
    EXPECT_NEAR(angstrom.y, -0.8, 1e-9);
    EXPECT_NEAR(angstrom.z, 2.0, 1e-9);
}

// A cube written by cubegen, read, written and read again.
TEST(Orbitals, CubegenFilesReadAndWriteTheirGrid) {
    if (!SharedData())
        GTEST_SKIP() << "the shared orbitals/ folder is absent";
    TempDir dir;
    const CMolData methane = ReadCubePath((kOrbitals / "cubegen_ch4_6points.cube").string());
    ASSERT_EQ(methane.volumes.size(), 1U);
    const VolumeGrid& grid = *methane.volumes[0];
    EXPECT_EQ(grid.points, (std::array<int, 3>{6, 6, 6}));
    EXPECT_EQ(methane.atomCount, 5);
    StdioFile out;
    const std::string path = dir.File("again.cube");
    ASSERT_TRUE(out.Open(path, StdioFile::modeWrite));
    ASSERT_TRUE(WriteCube(methane, 0, grid, "again", &out));
    out.Close();
    const CMolData again = ReadCubePath(path);
    ASSERT_EQ(again.volumes.size(), 1U);
    for (std::size_t p = 0; p < grid.Count(); ++p)
        EXPECT_NEAR(again.volumes[0]->values[p], grid.values[p], 1e-5 * std::fabs(grid.values[p]));
    EXPECT_NEAR(again.GetAtomPos(0, 1).x, methane.GetAtomPos(0, 1).x, 1e-6);

    const CMolData aelta = ReadCubePath((kOrbitals / "aelta.cube").string());
    EXPECT_EQ(aelta.atomCount, 72);
    EXPECT_EQ(aelta.volumes.size(), 1U);
}

// Damaged files are refused with a reason, and a file never makes the
// reader allocate what it only announces.
TEST(Orbitals, DamagedFilesSayWhatIsWrong) {
    TempDir dir;
    const std::string header = " t\n c\n    1    0.0 0.0 0.0\n";
    const auto cube = [&](const std::string& axes, const std::string& values) {
        return ReadCubePath(
                   dir.Write("c.cube", header + axes + "    1  1.0 0.0 0.0 0.0\n" + values))
            .formatProblem;
    };
    const std::string axes222 = "    2 0.2 0 0\n    2 0 0.2 0\n    2 0 0 0.2\n";
    EXPECT_EQ(cube(axes222, "1 2 3 4 5 6 7 8\n"), "");
    EXPECT_NE(cube(axes222, "1 2 3 4 5 6 7\n").find("8 values, the file holds 7"),
              std::string::npos);
    EXPECT_NE(cube(axes222, "1 2 3 4 5 6 7 8 9\n").find("holds more"), std::string::npos);
    // The value that is not a number is counted from 1.
    EXPECT_EQ(cube(axes222, "x 2 3 4 5 6 7 8\n"), "value 1 is not a number");
    EXPECT_EQ(cube(axes222, "1 x 3 4 5 6 7 8\n"), "value 2 is not a number");
    EXPECT_EQ(cube(axes222, "1 2 3\n4 x 5 6 7 8\n"), "value 5 is not a number");
    EXPECT_NE(cube("    1000 0.2 0 0\n    1000 0 0.2 0\n    1000 0 0 0.2\n", "1\n")
                  .find("announces 1000000000 points"),
              std::string::npos);
    EXPECT_NE(cube("    2 0.2 0 0\n    2 0.4 0 0\n    2 0 0 0.2\n", "1 2 3 4 5 6 7 8\n")
                  .find("no volume"),
              std::string::npos);
    EXPECT_NE(ReadCubePath(dir.Write("cut.cube", " t\n c\n    3 0 0 0\n"))
                  .formatProblem.find("axis line 1"),
              std::string::npos);
    // The sentence names the kind read, in the command line's words.
    const MoleculeFile read =
        ReadMoleculeFile(dir.Write("bad.cube", header + axes222 + "    1  1.0 0.0 0.0 0.0\n1 x\n"),
                         FileKind::kCube, PdbOptions());
    EXPECT_EQ(read.Describe("bad.cube"),
              "bad.cube: no molecule: the file is not a valid cube file (value 2 is not a number)");
}

// Damaged formatted checkpoint files: what is wrong, with the numbers the
// file holds (they were once printed after a conversion to int: -1 for a
// count beyond it).
TEST(Orbitals, DamagedCheckpointFilesSayWhatIsWrong) {
    if (!SharedData())
        GTEST_SKIP() << "the shared orbitals/ folder is absent";
    TempDir dir;
    std::ifstream in(kOrbitals / "h2o_sto3g.fchk");
    std::stringstream whole;
    whole << in.rdbuf();
    const std::string text = whole.str();
    const auto fchk = [&](const std::string& changed) {
        return ReadFchkPath(dir.Write("f.fchk", changed));
    };
    // A cut MO block: the molecule stays, the orbitals go with a reason.
    const std::size_t mo = text.find("Alpha MO coefficients");
    CMolData cut = fchk(text.substr(0, mo + 200));
    EXPECT_EQ(cut.atomCount, 3);
    EXPECT_EQ(cut.wavefunction, nullptr);
    EXPECT_NE(cut.wavefunctionProblem.find("Alpha MO coefficients"), std::string::npos)
        << cut.wavefunctionProblem;
    // A length announced far beyond the file.
    std::string huge = text;
    huge.replace(huge.find("N=", mo) + 2, 12, "  2000000000");
    CMolData announced = fchk(huge);
    EXPECT_EQ(announced.wavefunction, nullptr);
    EXPECT_NE(announced.wavefunctionProblem.find("announces 2000000000"), std::string::npos)
        << announced.wavefunctionProblem;
    // No atoms at all: no molecule.
    std::string noAtoms = text;
    noAtoms.replace(noAtoms.find("Atomic numbers"), 14, "Atomic Numbers");
    EXPECT_NE(fchk(noAtoms).formatProblem.find("\"Atomic numbers\" is missing"), std::string::npos);
    // Shells that do not make the basis functions the file counts.
    std::string shells = text;
    const std::size_t types = shells.find("Shell types");
    const std::size_t firstType = shells.find_first_of("0123456789", shells.find('\n', types));
    shells[firstType] = '2';
    EXPECT_NE(fchk(shells).wavefunctionProblem.find("basis functions"), std::string::npos);
    // Numbers beyond an int, as the file holds them.
    const auto changed = [&](const std::string& name, const std::string& value) {
        std::string copy = text;
        const std::size_t at = copy.find(name);
        const std::size_t end = copy.find('\n', at);
        const std::size_t number = copy.find_last_of(' ', end) + 1;
        copy.replace(number, end - number, value);
        return fchk(copy).wavefunctionProblem;
    };
    EXPECT_EQ(changed("Number of basis functions", "1000000000"),
              "the shells make 7 basis functions, the file says 1000000000");
    const auto firstOf = [&](const std::string& name, const std::string& value) {
        std::string copy = text;
        const std::size_t line = copy.find('\n', copy.find(name)) + 1;
        const std::size_t first = copy.find_first_not_of(' ', line);
        copy.replace(first, copy.find(' ', first) - first, value);
        return fchk(copy).wavefunctionProblem;
    };
    EXPECT_EQ(firstOf("Shell types", "-2000000000"), "shell 1 has type -2000000000 on atom 1");
    EXPECT_EQ(firstOf("Number of primitives per shell", "2147483647"),
              "a shell has 2147483647 primitives");
    // And the whole sentence names the kind read.
    std::string noCoordinates = text;
    noCoordinates.replace(noCoordinates.find("Current cartesian coordinates"), 7, "Former ");
    const MoleculeFile read =
        ReadMoleculeFile(dir.Write("bad.fchk", noCoordinates), FileKind::kFchk, PdbOptions());
    EXPECT_EQ(read.Describe("bad.fchk"),
              "bad.fchk: no molecule: the file is not a valid formatted checkpoint file "
              "(\"Current cartesian coordinates\" is missing)");
}

// The pure functions against the real solid harmonics as tables print them
// (Helgaker, Jørgensen and Olsen, table 6.3), each over sqrt((2l - 1)!!): the
// order m = 0, +1, -1, +2, -2, +3, -3 and every sign.
TEST(Orbitals, PureFunctionsAreTheSolidHarmonicsInGaussiansOrder) {
    const double x = 0.3, y = -0.7, z = 1.1, r2 = x * x + y * y + z * z;
    double d[5], f[7];
    GaussianBasis::Angular(2, true, x, y, z, d);
    const double sd = std::sqrt(3.0), s3 = std::sqrt(3.0);
    const double dExpected[5] = {(3 * z * z - r2) / 2, s3 * x * z, s3 * y * z,
                                 s3 / 2 * (x * x - y * y), s3 * x * y};
    for (int k = 0; k < 5; ++k)
        EXPECT_NEAR(d[k], dExpected[k] / sd, 1e-12) << "d " << k;
    GaussianBasis::Angular(3, true, x, y, z, f);
    const double sf = std::sqrt(15.0);
    const double fExpected[7] = {z * (2 * z * z - 3 * x * x - 3 * y * y) / 2,
                                 std::sqrt(3.0 / 8.0) * x * (4 * z * z - x * x - y * y),
                                 std::sqrt(3.0 / 8.0) * y * (4 * z * z - x * x - y * y),
                                 std::sqrt(15.0) / 2 * z * (x * x - y * y),
                                 std::sqrt(15.0) * x * y * z,
                                 std::sqrt(5.0 / 8.0) * x * (x * x - 3 * y * y),
                                 std::sqrt(5.0 / 8.0) * y * (3 * x * x - y * y)};
    for (int k = 0; k < 7; ++k)
        EXPECT_NEAR(f[k], fExpected[k] / sf, 1e-12) << "f " << k;
}

// A skewed grid (no axis factors: the exponentials recur along each line)
// gives at every point what the basis gives there alone, for an orbital of
// s, sp, pure d and Cartesian f shells on two atoms, steep and diffuse
// primitives alike; a shell whose coefficient is zero on an exponent beyond
// reason adds nothing and reads nothing beyond its points.
TEST(Orbitals, SkewedGridsGiveThePointValues) {
    const auto shell = [](int l, bool pure, bool sp, Point3D at, std::vector<double> exponents) {
        BasisShell s;
        s.l = l;
        s.pure = pure;
        s.sp = sp;
        s.centre = at;
        s.coefficients.assign(exponents.size(), 0.5);
        if (sp)
            s.pCoefficients.assign(exponents.size(), 0.4);
        s.exponents = std::move(exponents);
        return s;
    };
    std::vector<BasisShell> shells = {shell(0, false, false, {0, 0, 0}, {5000.0, 300.0, 20.0, 1.5}),
                                      shell(1, false, true, {0, 0, 0}, {4.0, 0.6}),
                                      shell(2, true, false, {1.4, 0.3, -0.2}, {0.8}),
                                      shell(3, false, false, {1.4, 0.3, -0.2}, {0.5, 2.0}),
                                      shell(4, true, false, {0.5, 0.5, 0.5}, {1e300})};
    shells.back().coefficients = {0.0};
    Wavefunction w;
    w.basis = GaussianBasis(shells);
    const int n = w.basis.FunctionCount();
    w.alpha.energies = {0.0};
    for (int k = 0; k < n; ++k)
        w.alpha.coefficients.push_back(std::sin(1.0 + k));
    VolumeGrid grid;
    grid.points = {12, 11, 13};
    grid.origin = {-2.5, -2.0, -2.2};
    grid.axes = {Point3D{0.4, 0.0, 0.05}, Point3D{0.1, 0.4, 0.0}, Point3D{0.0, 0.07, 0.35}};
    VolumeRequest request;
    std::string why;
    ASSERT_TRUE(EvaluateOnGrid(w, request, grid, nullptr, &why)) << why;
    std::vector<double> phi(static_cast<std::size_t>(n));
    for (int i = 0; i < 12; ++i)
        for (int j = 0; j < 11; ++j)
            for (int k = 0; k < 13; ++k) {
                w.basis.Evaluate(grid.PointAt(i, j, k), phi.data());
                double expected = 0.0;
                for (int f = 0; f < n; ++f)
                    expected += w.alpha.coefficients[static_cast<std::size_t>(f)] *
                                phi[static_cast<std::size_t>(f)];
                ASSERT_NEAR(grid.At(i, j, k), expected, 1e-5 * (1.0 + std::fabs(expected)))
                    << i << " " << j << " " << k;
            }
}

TEST(Orbitals, EvaluationStopsWhenCancelled) {
    BasisShell shell;
    shell.exponents = {1.0};
    shell.coefficients = {1.0};
    Wavefunction w;
    w.basis = GaussianBasis({shell});
    w.alpha.energies = {-1.0};
    w.alpha.coefficients = {1.0};
    // Cancelled while it runs: it stops within the slabs under way.
    VolumeGrid grid = Box(4.0, 0.04); // 201³ points
    EvaluationControl control;
    std::string why;
    VolumeRequest request;
    bool ok = true;
    std::thread worker([&] { ok = EvaluateOnGrid(w, request, grid, &control, &why, 2); });
    while (control.slabsDone == 0)
        std::this_thread::yield();
    control.cancel = true;
    worker.join();
    EXPECT_FALSE(ok);
    EXPECT_EQ(why, "cancelled");
    EXPECT_LT(control.slabsDone.load(), control.slabs.load());
    // Cancelled before it starts: nothing is allocated.
    VolumeGrid untouched = Box(4.0, 0.5);
    EXPECT_FALSE(EvaluateOnGrid(w, request, untouched, &control, &why));
    EXPECT_TRUE(untouched.values.empty());
    request.orbital = 2;
    EXPECT_FALSE(EvaluateOnGrid(w, request, untouched, nullptr, &why));
    EXPECT_NE(why.find("no orbital 2"), std::string::npos);
}
