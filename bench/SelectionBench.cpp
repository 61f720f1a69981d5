// Selections over generated structures of 1,000,000 and 2,400,000 atoms
// (mmCIF, 100 chains of GLU residues, read once): a property test, a
// combination of properties and a distance search about one residue.

#include "formats/CMmcifData.h"
#include "formats/PdbOptions.h"
#include "io/StdioFile.h"
#include "model/SelectionEvaluator.h"
#include "tests/support/GeneratedMolecules.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>

namespace {

const char* const kExpressions[] = {
    "name CA",
    "(chain C1 or chain C7) and not backbone and elem O",
    "byres (within 5 of index 500001-500050)",
};

const CMolData& Structure(int atoms) {
    static std::map<int, std::unique_ptr<CMolData>> read;
    std::unique_ptr<CMolData>& model = read[atoms];
    if (!model) {
        const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                           ("ravek-select-" + std::to_string(atoms) + ".cif");
        std::ofstream(path, std::ios::binary) << ProteinLikeMmcif(atoms, 100, 17);
        StdioFile file;
        if (file.Open(path.string(), StdioFile::modeRead))
            model = CMmcifData::Read(&file, PdbOptions{});
        file.Close();
        std::filesystem::remove(path);
    }
    return *model;
}

void BM_Select(benchmark::State& state) {
    const auto atoms = static_cast<int>(state.range(0));
    const char* expression = kExpressions[state.range(1)];
    const CMolData& model = Structure(atoms);
    if (model.atomCount != atoms) {
        state.SkipWithError("the generated structure was not read");
        return;
    }
    SelectionEvaluator::Mask mask;
    std::string error;
    for (auto _ : state) {
        if (!SelectionEvaluator(model, 0).Select(expression, mask, error)) {
            state.SkipWithError(error.c_str());
            return;
        }
        benchmark::DoNotOptimize(mask.data());
    }
    state.SetLabel(expression);
    state.counters["selected"] = static_cast<double>(SelectionEvaluator::Count(mask));
    state.SetItemsProcessed(state.iterations() * atoms);
}

} // namespace

BENCHMARK(BM_Select)->ArgsProduct({{1000000, 2400000}, {0, 1, 2}})->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
