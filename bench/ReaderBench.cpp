// Reading generated files the size users open: a Gaussian 16-style
// optimisation output of 50 atoms × 2,000 steps (about 100 MB) and a PDB file
// of 100,000 atoms. Each iteration opens the file and builds the whole model
// (both passes, bonds, centres), as opening a document does.
//
//   ravek_bench_readers [benchmark options]
//   ravek_bench_readers --write-inputs DIR   writes the two files and exits,
//                                            for whole-process measurements

#include "formats/CGauData.h"
#include "formats/CPDBData.h"
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
#include <random>

namespace {

constexpr int kGaussianAtoms = 50;
constexpr int kGaussianSteps = 2000;
constexpr int kPdbAtoms = 100000;

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
        out.Orientation("Input", rows).Filler(300, static_cast<unsigned>(step));
        out.Orientation("Standard", rows).Filler(340, static_cast<unsigned>(step) + 1);
    }
    return out.Text();
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
    std::string gaussian, pdb;
    std::int64_t gaussianBytes = 0, pdbBytes = 0;

private:
    Inputs() {
        dir_ = std::filesystem::temp_directory_path() / "ravek-bench-readers";
        std::filesystem::create_directories(dir_);
        gaussian = (dir_ / "opt.log").string();
        pdb = (dir_ / "protein.pdb").string();
        Write(gaussian, GaussianOutput());
        Write(pdb, ProteinLikePdb(kPdbAtoms, 11));
        gaussianBytes = static_cast<std::int64_t>(std::filesystem::file_size(gaussian));
        pdbBytes = static_cast<std::int64_t>(std::filesystem::file_size(pdb));
    }
    ~Inputs() {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }
    std::filesystem::path dir_;
};

void BM_ReadGaussianOutput(benchmark::State& state) {
    const Inputs& inputs = Inputs::Get();
    for (auto _ : state) {
        StdioFile file;
        file.Open(inputs.gaussian, StdioFile::modeRead);
        CGauData mol(&file, nullptr);
        if (mol.frameCount != kGaussianSteps || mol.atomCount != kGaussianAtoms)
            state.SkipWithError("wrong geometry count");
        benchmark::DoNotOptimize(mol.frameCount);
    }
    state.SetBytesProcessed(state.iterations() * inputs.gaussianBytes);
    state.counters["MB"] = static_cast<double>(inputs.gaussianBytes) / 1e6;
}

void BM_ReadPdb(benchmark::State& state) {
    const Inputs& inputs = Inputs::Get();
    const PdbOptions options{0, static_cast<int>(state.range(0))};
    for (auto _ : state) {
        StdioFile file;
        file.Open(inputs.pdb, StdioFile::modeRead);
        CPDBData mol(&file, &options);
        if (mol.atomCount != kPdbAtoms)
            state.SkipWithError("wrong atom count");
        benchmark::DoNotOptimize(mol.atomCount);
    }
    state.SetBytesProcessed(state.iterations() * inputs.pdbBytes);
    state.SetItemsProcessed(state.iterations() * kPdbAtoms);
}

} // namespace

BENCHMARK(BM_ReadGaussianOutput)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_ReadPdb)->Arg(1)->Arg(0)->ArgName("bondMode")->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    BondLimits::instance().ApplyBuiltIn();
    if (argc == 3 && std::strcmp(argv[1], "--write-inputs") == 0) {
        const std::filesystem::path dir = argv[2];
        std::filesystem::create_directories(dir);
        Write((dir / "opt.log").string(), GaussianOutput());
        Write((dir / "protein.pdb").string(), ProteinLikePdb(kPdbAtoms, 11));
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
