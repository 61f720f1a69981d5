// Bond perception on generated protein-like chains of 1,000 to 100,000 atoms,
// in the general mode (0) and the protein mode (1), with the plain pair scan
// for comparison on the sizes where it finishes in reasonable time.

#include "model/BondLimits.h"
#include "model/BondPerception.h"
#include "tests/support/GeneratedMolecules.h"
#include "tests/support/PairScanBonds.h"

#include <benchmark/benchmark.h>

namespace {

void BM_Perceive(benchmark::State& state) {
    const int atoms = static_cast<int>(state.range(0));
    const int mode = static_cast<int>(state.range(1));
    auto frame = MakeProteinLike(atoms, 42);
    for (auto _ : state) {
        PerceiveFrameBonds(*frame, mode, BuiltInBondLimits());
        benchmark::DoNotOptimize(frame->atoms.data());
    }
    state.SetItemsProcessed(state.iterations() * atoms);
}

void BM_PairScan(benchmark::State& state) {
    const int atoms = static_cast<int>(state.range(0));
    const int mode = static_cast<int>(state.range(1));
    auto frame = MakeProteinLike(atoms, 42);
    for (auto _ : state) {
        PairScanBonds(*frame, mode, BuiltInBondLimits());
        benchmark::DoNotOptimize(frame->atoms.data());
    }
    state.SetItemsProcessed(state.iterations() * atoms);
}

} // namespace

BENCHMARK(BM_Perceive)
    ->ArgsProduct({{1000, 10000, 100000}, {0, 1}})
    ->ArgNames({"atoms", "mode"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PairScan)
    ->ArgsProduct({{1000, 10000}, {0}})
    ->ArgNames({"atoms", "mode"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PairScan)
    ->ArgsProduct({{1000, 10000, 100000}, {1}})
    ->ArgNames({"atoms", "mode"})
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
