// Reading generated files the size users open: a Gaussian 16-style
// optimisation output of 50 atoms × 2,000 steps (about 100 MB), a Gaussian 16
// optimisation as the program prints it (50 atoms × 1,000 steps with their
// SCF cycles, charges, forces and convergence tables, about 35 MB, read by
// Open Babel too: see bench/reading_against_open_babel.sh), a PDB file
// of 100,000 atoms, and Gaussian inputs of 100,000 atoms in Cartesian lines
// and as a Z-matrix with a variable for every value. Each iteration opens the file and builds the
// whole model (both passes, bonds, centres), as opening a document does; and
// the output growing by one step, read as a document watching it does; and
// a structure of 250,000 atoms in 100 chains as mmCIF and as PDB text.
//
//   ravek_bench_readers [benchmark options]
//   ravek_bench_readers --write-inputs DIR   writes the four files and exits,
//                                            for whole-process measurements

#include "formats/CGauData.h"
#include "formats/CMmcifData.h"
#include "formats/CPDBData.h"
#include "formats/GaussianLogFollower.h"
#include "formats/PdbOptions.h"
#include "io/StdioFile.h"
#include "model/BondLimits.h"
#include "model/ElementTable.h"
#include "tests/support/GaussianOutputText.h"
#include "tests/support/GeneratedMolecules.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>

namespace {

constexpr int kGaussianAtoms = 50;
constexpr int kGaussianSteps = 2000;
constexpr int kJobSteps = 1000;
constexpr int kPdbAtoms = 100000;
// A structure past the PDB format's limits, as mmCIF and, for comparison, as
// PDB text (serials and residue numbers wrap, as PDB files of such
// structures written by simulation tools do).
constexpr int kLargeAtoms = 250000;
constexpr int kLargeChains = 100;

void AddStep(GaussianOutputText& out, const std::vector<OrientationRow>& rows, int step) {
    out.Orientation("Input", rows).Filler(300, static_cast<unsigned>(step));
    out.Orientation("Standard", rows).Filler(340, static_cast<unsigned>(step) + 1);
}

// An optimisation step as Gaussian 16 prints it: input and standard
// orientation, then SCF cycles, populations and convergence tables.
std::string GaussianOutput() {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> offset(-0.01, 0.01);
    std::vector<OrientationRow> rows;
    for (int a = 0; a < kGaussianAtoms; ++a)
        rows.push_back({a % 3 == 0 ? 6 : 1, 1.1 * (a % 5), 1.1 * ((a / 5) % 5), 1.1 * (a / 25)});
    GaussianOutputText out(GaussianOutputText::kBanner16);
    out.Filler(400, 1);
    for (int step = 0; step < kGaussianSteps; ++step) {
        for (OrientationRow& row : rows) {
            row.x += offset(random);
            row.y += offset(random);
        }
        AddStep(out, rows, step);
    }
    return out.Text();
}

// One more step of that optimisation, on its own.
std::string GaussianStep(int step) {
    std::vector<OrientationRow> rows;
    for (int a = 0; a < kGaussianAtoms; ++a)
        rows.push_back({a % 3 == 0 ? 6 : 1, 1.1 * (a % 5), 1.1 * ((a / 5) % 5), 1.1 * (a / 25)});
    GaussianOutputText out("");
    AddStep(out, rows, step);
    // Without the header lines the text object starts with.
    const std::string& text = out.Text();
    return text.substr(text.find("Input orientation:") - 26);
}

constexpr int kInputAtoms = 100000;

// A chain of carbons and hydrogens: Cartesian lines with freeze codes, or
// Z-matrix lines whose values all are variables defined after the
// molecule section.
std::string GaussianInput(bool zMatrix) {
    std::mt19937 random(5);
    std::uniform_real_distribution<double> dihedral(-180.0, 180.0);
    std::string text = "%chk=big.chk\n#p opt\n\nbenchmark\n\n0 1\n";
    std::string variables;
    char line[160];
    for (int a = 0; a < kInputAtoms; ++a) {
        const char* symbol = a % 3 == 2 ? "H" : "C";
        if (!zMatrix) {
            std::snprintf(line, sizeof line, " %s  0  %12.6f %12.6f %12.6f\n", symbol,
                          1.1 * (a % 40), 1.1 * ((a / 40) % 40), 1.1 * (a / 1600));
        } else if (a == 0) {
            std::snprintf(line, sizeof line, " %s\n", symbol);
        } else if (a == 1) {
            std::snprintf(line, sizeof line, " %s 1 B1\n", symbol);
        } else if (a == 2) {
            std::snprintf(line, sizeof line, " %s 2 B2 1 A2\n", symbol);
        } else {
            std::snprintf(line, sizeof line, " %s %d B%d %d A%d %d D%d\n", symbol, a, a, a - 1, a,
                          a - 2, a);
        }
        text += line;
        if (zMatrix && a > 0) {
            std::snprintf(line, sizeof line, "B%d %.6f\nA%d 110.0\nD%d %.4f\n", a,
                          a % 3 == 2 ? 1.09 : 1.54, a, a, dihedral(random));
            variables += line;
        }
    }
    return text + "\n" + variables + "\n";
}

void Write(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// The generated files, written once into a temporary folder removed at exit.
class Inputs {
public:
    static Inputs& Get() {
        static Inputs inputs;
        return inputs;
    }
    std::string gaussian, job, pdb, cartesian, zMatrix, largeCif, largePdb;
    std::int64_t gaussianBytes = 0, jobBytes = 0, pdbBytes = 0;

private:
    Inputs() {
        dir_ = std::filesystem::temp_directory_path() / "ravek-bench-readers";
        std::filesystem::create_directories(dir_);
        gaussian = (dir_ / "opt.log").string();
        pdb = (dir_ / "protein.pdb").string();
        Write(gaussian, GaussianOutput());
        Write(pdb, ProteinLikePdb(kPdbAtoms, 11));
        cartesian = (dir_ / "cartesian.com").string();
        zMatrix = (dir_ / "zmatrix.com").string();
        Write(cartesian, GaussianInput(false));
        Write(zMatrix, GaussianInput(true));
        largeCif = (dir_ / "large.cif").string();
        largePdb = (dir_ / "large.pdb").string();
        Write(largeCif, ProteinLikeMmcif(kLargeAtoms, kLargeChains, 13));
        Write(largePdb, ProteinLikePdb(kLargeAtoms, 13));
        job = (dir_ / "job.log").string();
        Write(job, GaussianOutputText::Optimisation(kGaussianAtoms, kJobSteps));
        gaussianBytes = static_cast<std::int64_t>(std::filesystem::file_size(gaussian));
        jobBytes = static_cast<std::int64_t>(std::filesystem::file_size(job));
        pdbBytes = static_cast<std::int64_t>(std::filesystem::file_size(pdb));
    }
    ~Inputs() {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }
    std::filesystem::path dir_;
};

// Reads the Gaussian output at path (of bytes bytes) each iteration;
// wellRead says whether the model is what the file holds.
void ReadGaussian(benchmark::State& state, const std::string& path, std::int64_t bytes,
                  bool (*wellRead)(const CMolData&)) {
    for (auto _ : state) {
        StdioFile file;
        file.Open(path, StdioFile::modeRead);
        const std::unique_ptr<CMolData> read = CGauData::Read(&file, PdbOptions{});
        const CMolData& mol = *read;
        if (!wellRead(mol))
            state.SkipWithError("wrong reading");
        benchmark::DoNotOptimize(mol.frameCount);
    }
    state.SetBytesProcessed(state.iterations() * bytes);
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}

void BM_ReadGaussianOutput(benchmark::State& state) {
    const Inputs& inputs = Inputs::Get();
    ReadGaussian(state, inputs.gaussian, inputs.gaussianBytes, [](const CMolData& mol) {
        return mol.frameCount == kGaussianSteps && mol.atomCount == kGaussianAtoms;
    });
}

void BM_ReadGaussianJob(benchmark::State& state) {
    const Inputs& inputs = Inputs::Get();
    ReadGaussian(state, inputs.job, inputs.jobBytes, [](const CMolData& mol) {
        return mol.frameCount == kJobSteps && mol.results.charges.count("mulliken") != 0;
    });
}

// The same output while its job goes on: each iteration appends one step
// (not timed) and times reading what was added into the model read once.
void BM_GrowGaussianOutput(benchmark::State& state) {
    const Inputs& inputs = Inputs::Get();
    const std::string growing =
        (std::filesystem::path(inputs.gaussian).parent_path() / "growing.log").string();
    std::filesystem::copy_file(inputs.gaussian, growing,
                               std::filesystem::copy_options::overwrite_existing);
    StdioFile first;
    first.Open(growing, StdioFile::modeRead);
    CMolData mol;
    const std::unique_ptr<LogFollower> reader = GaussianLogFollower::Start(&first, mol);
    first.Close();
    const std::string step = GaussianStep(kGaussianSteps);
    for (auto _ : state) {
        state.PauseTiming();
        {
            std::ofstream out(growing, std::ios::binary | std::ios::app);
            out << step;
        }
        state.ResumeTiming();
        StdioFile file;
        file.Open(growing, StdioFile::modeRead);
        if (reader->ReadAppended(&file).newFrames != 1)
            state.SkipWithError("the step was not added");
    }
    state.counters["MB"] = static_cast<double>(std::filesystem::file_size(growing)) / 1e6;
    state.counters["stepKB"] = static_cast<double>(step.size()) / 1e3;
    std::filesystem::remove(growing);
}

void BM_ReadPdb(benchmark::State& state) {
    const Inputs& inputs = Inputs::Get();
    const PdbOptions options{0, static_cast<int>(state.range(0))};
    for (auto _ : state) {
        StdioFile file;
        file.Open(inputs.pdb, StdioFile::modeRead);
        const std::unique_ptr<CMolData> read = CPDBData::Read(&file, options);
        const CMolData& mol = *read;
        if (mol.atomCount != kPdbAtoms)
            state.SkipWithError("wrong atom count");
        benchmark::DoNotOptimize(mol.atomCount);
    }
    state.SetBytesProcessed(state.iterations() * inputs.pdbBytes);
    state.SetItemsProcessed(state.iterations() * kPdbAtoms);
}

// The structure of 250,000 atoms in 100 chains: as mmCIF (argument 1) or
// as PDB text (0), in the protein bond mode.
void BM_ReadLarge(benchmark::State& state) {
    const Inputs& inputs = Inputs::Get();
    const bool mmcif = state.range(0) != 0;
    const PdbOptions options{0, 1};
    for (auto _ : state) {
        StdioFile file;
        file.Open(mmcif ? inputs.largeCif : inputs.largePdb, StdioFile::modeRead);
        const std::unique_ptr<CMolData> mol =
            mmcif ? CMmcifData::Read(&file, options) : CPDBData::Read(&file, options);
        if (mol->atomCount != kLargeAtoms)
            state.SkipWithError("wrong atom count");
        benchmark::DoNotOptimize(mol->atomCount);
    }
    state.SetItemsProcessed(state.iterations() * kLargeAtoms);
}

void BM_ReadGaussianInput(benchmark::State& state) {
    const Inputs& inputs = Inputs::Get();
    const std::string& path = state.range(0) != 0 ? inputs.zMatrix : inputs.cartesian;
    for (auto _ : state) {
        StdioFile file;
        file.Open(path, StdioFile::modeRead);
        const std::unique_ptr<CMolData> read = CGauData::Read(&file, PdbOptions{});
        const CMolData& mol = *read;
        if (mol.atomCount != kInputAtoms)
            state.SkipWithError("wrong atom count");
        benchmark::DoNotOptimize(mol.atomCount);
    }
    state.SetItemsProcessed(state.iterations() * kInputAtoms);
}

} // namespace

BENCHMARK(BM_ReadGaussianInput)->Arg(0)->Arg(1)->ArgName("zMatrix")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadGaussianOutput)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_ReadGaussianJob)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_GrowGaussianOutput)->Unit(benchmark::kMillisecond)->Iterations(200);
BENCHMARK(BM_ReadPdb)->Arg(1)->Arg(0)->ArgName("bondMode")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadLarge)->Arg(0)->Arg(1)->ArgName("mmcif")->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    BondLimits::instance().ApplyBuiltIn();
    if (argc == 3 && std::strcmp(argv[1], "--write-inputs") == 0) {
        const std::filesystem::path dir = argv[2];
        std::filesystem::create_directories(dir);
        Write((dir / "opt.log").string(), GaussianOutput());
        Write((dir / "job.log").string(),
              GaussianOutputText::Optimisation(kGaussianAtoms, kJobSteps));
        Write((dir / "protein.pdb").string(), ProteinLikePdb(kPdbAtoms, 11));
        Write((dir / "cartesian.com").string(), GaussianInput(false));
        Write((dir / "zmatrix.com").string(), GaussianInput(true));
        Write((dir / "large.cif").string(), ProteinLikeMmcif(kLargeAtoms, kLargeChains, 13));
        Write((dir / "large.pdb").string(), ProteinLikePdb(kLargeAtoms, 13));
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
