// The secondary structure of generated proteins of 1,000 to 100,000
// backbone atoms: α-helices side by side and two-stranded sheets.

#include "formats/CPDBData.h"
#include "formats/PdbOptions.h"
#include "io/StdioFile.h"
#include "model/SecondaryStructure.h"
#include "tests/support/IdealBackbone.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

void BM_SecondaryStructure(benchmark::State& state) {
    const int atoms = static_cast<int>(state.range(0));
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("ravek-ss-" + std::to_string(atoms) + ".pdb");
    std::ofstream(path, std::ios::binary) << IdealProteinPdb(atoms);
    StdioFile file;
    if (!file.Open(path.string(), StdioFile::modeRead)) {
        state.SkipWithError("cannot write the generated file");
        return;
    }
    const std::unique_ptr<CMolData> read = CPDBData::Read(&file, PdbOptions{});
    const CMolData& model = *read;
    file.Close();
    std::filesystem::remove(path);
    const CMolFrame& frame = *model.GetFrame(0);
    for (auto _ : state)
        benchmark::DoNotOptimize(SecondaryStructure::Assign(frame));
    state.counters["residues"] = frame.residueCount;
    state.SetItemsProcessed(state.iterations() * frame.residueCount);
}

} // namespace

BENCHMARK(BM_SecondaryStructure)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
