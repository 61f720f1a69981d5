// An orbital of a molecule of 504 basis functions (36 carbon atoms in a
// sheet, each with the cc-pVDZ shells: 3 s, 2 p, 1 pure d) on grids of 40³
// to 100³ points over all cores, the total density on 40³, and the
// isosurface of a 100³ grid of it.

#include "model/Isosurface.h"
#include "model/VolumeEvaluator.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

Wavefunction Sheet() {
    const std::vector<double> sExponents = {6665.0, 1000.0, 228.0,  64.71, 21.06,
                                            7.495,  2.797,  0.5215, 0.1596};
    const std::vector<double> s1 = {0.000692, 0.005329, 0.027077, 0.101718, 0.27474,
                                    0.448564, 0.285074, 0.015204, -0.003191};
    const std::vector<double> s2 = {-0.000146, -0.001154, -0.005725, -0.023312, -0.063955,
                                    -0.149981, -0.127262, 0.544529,  0.580496};
    std::vector<BasisShell> shells;
    for (int a = 0; a < 36; ++a) {
        const Point3D centre{(a % 6) * 2.7 + (a / 6 % 2) * 1.35, (a / 6) * 2.34, 0.0};
        const auto add = [&](int l, std::vector<double> exponents, std::vector<double> c) {
            BasisShell shell;
            shell.atom = a;
            shell.l = l;
            shell.pure = true;
            shell.centre = centre;
            shell.exponents = std::move(exponents);
            shell.coefficients = std::move(c);
            shells.push_back(std::move(shell));
        };
        add(0, sExponents, s1);
        add(0, sExponents, s2);
        add(0, {0.1596}, {1.0});
        add(1, {9.439, 2.002, 0.5456}, {0.038109, 0.20948, 0.508557});
        add(1, {0.1517}, {1.0});
        add(2, {0.55}, {1.0});
    }
    Wavefunction w;
    w.basis = GaussianBasis(std::move(shells));
    const int n = w.basis.FunctionCount();
    std::mt19937 random(7);
    std::normal_distribution<double> normal(0.0, 0.1);
    w.alpha.energies.assign(static_cast<std::size_t>(n), 0.0);
    w.alpha.coefficients.resize(static_cast<std::size_t>(n) * n);
    for (double& c : w.alpha.coefficients)
        c = normal(random);
    w.alphaElectrons = w.betaElectrons = 10;
    return w;
}

// points³ points in a cube of 23 bohr about the sheet (15 bohr across, 4
// bohr of margin each side).
VolumeGrid GridOf(const Wavefunction&, int points) {
    VolumeGrid grid;
    const double step = 23.0 / (points - 1);
    grid.points = {points, points, points};
    grid.origin = {7.4 - 11.5, 5.85 - 11.5, -11.5};
    grid.axes = {Point3D{step, 0, 0}, Point3D{0, step, 0}, Point3D{0, 0, step}};
    return grid;
}

void BM_Orbital(benchmark::State& state) {
    static const Wavefunction w = Sheet();
    VolumeGrid grid = GridOf(w, static_cast<int>(state.range(0)));
    VolumeRequest request;
    request.orbital = 100;
    for (auto _ : state)
        benchmark::DoNotOptimize(EvaluateOnGrid(w, request, grid, nullptr, nullptr));
    state.counters["points"] = static_cast<double>(grid.Count());
    state.counters["functions"] = w.basis.FunctionCount();
}

void BM_Density(benchmark::State& state) {
    static const Wavefunction w = Sheet();
    VolumeGrid grid = GridOf(w, static_cast<int>(state.range(0)));
    VolumeRequest request;
    request.quantity = VolumeRequest::Quantity::kDensity;
    for (auto _ : state)
        benchmark::DoNotOptimize(EvaluateOnGrid(w, request, grid, nullptr, nullptr));
    state.counters["points"] = static_cast<double>(grid.Count());
}

void BM_Isosurface(benchmark::State& state) {
    static const Wavefunction w = Sheet();
    VolumeGrid grid = GridOf(w, static_cast<int>(state.range(0)));
    VolumeRequest request;
    request.orbital = 100;
    EvaluateOnGrid(w, request, grid, nullptr, nullptr);
    std::size_t triangles = 0;
    for (auto _ : state) {
        const IsoMesh positive = ExtractIsosurface(grid, 0.02, 1);
        const IsoMesh negative = ExtractIsosurface(grid, 0.02, -1);
        triangles = positive.TriangleCount() + negative.TriangleCount();
        benchmark::DoNotOptimize(triangles);
    }
    state.counters["points"] = static_cast<double>(grid.Count());
    state.counters["triangles"] = static_cast<double>(triangles);
}

} // namespace

BENCHMARK(BM_Orbital)->Arg(40)->Arg(80)->Arg(100)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Density)->Arg(40)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Isosurface)->Arg(100)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_MAIN();
