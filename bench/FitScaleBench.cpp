// The fit factor of a newly read model on generated protein-like chains of
// 1,000 to 100,000 atoms, against the plain loop over every pair on the
// sizes where that finishes in reasonable time.

#include "model/FitScale.h"
#include "tests/support/GeneratedMolecules.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>

namespace {

std::vector<Point3D> Points(int atoms) {
    auto frame = MakeProteinLike(atoms, 42);
    std::vector<Point3D> points;
    for (const MolAtom& atom : frame->atoms)
        points.push_back({atom.x, atom.y, atom.z});
    return points;
}

void BM_FitScale(benchmark::State& state) {
    const std::vector<Point3D> points = Points(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(FitScaleOf(points));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_FitScaleAllPairs(benchmark::State& state) {
    const std::vector<Point3D> p = Points(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        double low = 1e300, high = 0.0;
        for (std::size_t i = 0; i < p.size(); ++i)
            for (std::size_t j = i + 1; j < p.size(); ++j) {
                const double d = std::sqrt((p[i].x - p[j].x) * (p[i].x - p[j].x) +
                                           (p[i].y - p[j].y) * (p[i].y - p[j].y) +
                                           (p[i].z - p[j].z) * (p[i].z - p[j].z));
                low = std::min(low, d);
                high = std::max(high, d);
            }
        benchmark::DoNotOptimize(std::min(3.0 / (high - low), 1.0));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

} // namespace

BENCHMARK(BM_FitScale)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FitScaleAllPairs)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
