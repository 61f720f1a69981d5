// Drawing generated protein-like models of 1,000, 10,000 and 100,000 atoms
// off-screen at 1000 × 800 in each style (wire frame, ball and stick,
// ribbon, ball and stick with the arrows of a generated vibration), turning
// the model 5° between pictures; a pick (a click on an atom) on each model;
// the 1,000-atom model in ball and stick with the isosurfaces (both signs) of
// a 100³ grid of blobs about every tenth atom; and the first picture after
// reading the 100,000-atom file; generated proteins of ideal helices and
// sheets (backbone atoms only) as a cartoon: the content built (the curve,
// its mesh and the structure's colours) and the pictures drawn. Each
// picture is
// finished (glFinish) before its time is taken. Needs a display (xvfb-run).
//
//   ravek_bench_draw [benchmark options]

#include "formats/ReadMolecule.h"
#include "model/CMolData.h"
#include "model/ElementData.h"
#include "model/Isosurface.h"
#include "model/ResidueSummary.h"
#include "model/VolumeGrid.h"
#include "render/CMolScene.h"
#include "render/ColourScheme.h"
#include "render/MolDocState.h"
#include "render/OffscreenBuffer.h"
#include "render/SceneContentBuilder.h"
#include "render/ViewState.h"
#include "tests/support/GeneratedMolecules.h"
#include "tests/support/IdealBackbone.h"

#include <QGuiApplication>

#include <GL/glu.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <random>

namespace {

constexpr int kWidth = 1000;
constexpr int kHeight = 800;

// The generated file of a protein-like chain, or of a protein of ideal
// helices and sheets.
std::string PdbPath(int atoms, bool ideal = false) {
    const auto dir = std::filesystem::temp_directory_path() / "ravek-bench-draw";
    std::filesystem::create_directories(dir);
    const std::string path =
        (dir / ((ideal ? "ideal-" : "protein-") + std::to_string(atoms) + ".pdb")).string();
    if (!std::filesystem::exists(path))
        std::ofstream(path, std::ios::binary)
            << (ideal ? IdealProteinPdb(atoms) : ProteinLikePdb(atoms, 11));
    return path;
}

// A model read from its generated file, fitted, with a scene on it.
struct Drawing {
    explicit Drawing(int atoms, bool ideal = false) {
        MoleculeFile read = ReadMoleculeFile(PdbPath(atoms, ideal), FileKind::kPdb, PdbOptions{});
        readModel = read.model.get();
        document.data = std::move(read.model);
        document.ComputeDerivedSizes();
        view.frame = 0;
        view.camera.Refit(*document.data, 0);
        scene = std::make_unique<CMolScene>(&view, &document);
        scene->reshape(kWidth, kHeight);
    }
    void Draw() {
        glClearColor(0.0F, 0.0F, 0.0F, 0.0F);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        scene->render();
        glFinish();
    }
    // Where atom a lies in the last picture, y downwards.
    QPoint WindowPoint(int a) {
        Point3D p;
        p = document.data->GetAtomPos(view.frame, a);
        const Camera& c = view.camera;
        const double s = c.Scale();
        GLdouble model[16], projection[16], x, y, z;
        GLint viewport[4];
        glGetDoublev(GL_MODELVIEW_MATRIX, model);
        glGetDoublev(GL_PROJECTION_MATRIX, projection);
        glGetIntegerv(GL_VIEWPORT, viewport);
        gluProject((p.x - c.centre.x) * s, (p.y - c.centre.y) * s, (p.z - c.centre.z) * s, model,
                   projection, viewport, &x, &y, &z);
        return {static_cast<int>(x), kHeight - 1 - static_cast<int>(y)};
    }

    MolDocState document;
    // The model the document holds, for a benchmark that changes it as a
    // reader would.
    CMolData* readModel = nullptr;
    ViewState view;
    std::unique_ptr<CMolScene> scene;
};

// The canvas and the models drawn on it, made when first needed and gone
// (models first, while their context is current) before the application.
std::unique_ptr<OffscreenBuffer> canvas;
std::map<int, std::unique_ptr<Drawing>> drawings;

void TheCanvas() {
    if (canvas != nullptr)
        return;
    canvas = std::make_unique<OffscreenBuffer>();
    std::string error;
    if (!canvas->Create(kWidth, kHeight, error)) {
        std::fprintf(stderr, "ravek_bench_draw: %s\n", error.c_str());
        std::exit(1);
    }
}

Drawing& DrawingOf(int atoms, bool ideal = false) {
    auto& drawing = drawings[ideal ? -atoms : atoms];
    if (drawing == nullptr) {
        TheCanvas();
        drawing = std::make_unique<Drawing>(atoms, ideal);
    }
    return *drawing;
}

// Draws once (what is built once per model), then a picture per iteration,
// the model turned 5° before each; the rate is the counter "fps".
void DrawTurning(benchmark::State& state, Drawing& drawing) {
    drawing.Draw();
    for (auto _ : state) {
        drawing.view.camera.Turn(0, 5);
        drawing.Draw();
    }
    state.counters["fps"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

// The cartoon of the ideal protein in secondary-structure colours: its
// secondary structure and content built anew (range(1) 0), or drawn turning
// (1).
void BM_Cartoon(benchmark::State& state) {
    Drawing& drawing = DrawingOf(static_cast<int>(state.range(0)), true);
    drawing.view.displayFlags = ViewState::kCartoon;
    drawing.view.colourMode = kColourSecondary;
    if (state.range(1) == 0) {
        std::size_t triangles = 0;
        for (auto _ : state) {
            // From the model as read: its secondary structure, then the mesh.
            SummariseResidues(*drawing.readModel->GetFrame(0));
            const SceneContent content = BuildSceneContent(drawing.view, drawing.document);
            triangles = content.surfaces.empty() ? 0 : content.surfaces[0].mesh->TriangleCount();
        }
        state.counters["triangles"] = static_cast<double>(triangles);
        return;
    }
    DrawTurning(state, drawing);
}

// The content of five representation rows over the ideal protein (argument:
// its atoms): the menus' wire frame of what is no protein, the protein as a
// cartoon by chain, sticks about a stretch of chain A, chain B in ball and
// stick and chain C's CA atoms labelled; built from the model as read.
void BM_Representations(benchmark::State& state) {
    Drawing& drawing = DrawingOf(static_cast<int>(state.range(0)), true);
    ViewState& view = drawing.view;
    view.representations.clear();
    const auto add = [&view](const char* selection, Representation::Style style,
                             Representation::Colouring colouring, bool menus = false) {
        Representation row;
        row.selection = selection;
        row.style = style;
        row.colouring = colouring;
        row.followsMenus = menus;
        view.representations.push_back(row);
    };
    using Style = Representation::Style;
    using Colouring = Representation::Colouring;
    add("not protein", Style::kWireFrame, Colouring::kElement, true);
    add("protein", Style::kCartoon, Colouring::kChain);
    add("byres (within 6 of (chain A and resi 10-20))", Style::kSticks, Colouring::kElement);
    add("chain B", Style::kBallAndStick, Colouring::kResidue);
    add("name CA and chain C", Style::kLabels, Colouring::kElement);
    std::size_t shapes = 0;
    for (auto _ : state) {
        SummariseResidues(*drawing.readModel->GetFrame(0));
        const SceneContent content = BuildSceneContent(view, drawing.document);
        shapes = content.spheres.size() + content.sticks.size() + content.labels.size();
    }
    view.representations.clear();
    state.counters["shapes"] = static_cast<double>(shapes);
}

enum Style { kWire, kBall, kRibbon, kBallArrows };

void BM_Draw(benchmark::State& state) {
    Drawing& drawing = DrawingOf(static_cast<int>(state.range(0)));
    const auto style = static_cast<Style>(state.range(1));
    drawing.view.displayFlags = style == kWire     ? ViewState::kWireFrame
                                : style == kRibbon ? ViewState::kRibbon
                                : style == kBall   ? ViewState::kBallAndStick
                                                 : ViewState::kBallAndStick | ViewState::kVibration;
    CMolData& model = *drawing.readModel;
    if (style == kBallArrows)
        GiveRandomDisplacements(model, 0.3, 5); // every atom moves up to 0.3 Å
    DrawTurning(state, drawing);
}

void BM_Surface(benchmark::State& state) {
    Drawing& drawing = DrawingOf(1000);
    drawing.view.displayFlags = ViewState::kBallAndStick;
    const CMolData& model = *drawing.document.data;
    // Blobs of alternating sign about every tenth atom, in bohr.
    std::vector<std::pair<Point3D, double>> blobs;
    Point3D low{1e9, 1e9, 1e9}, high{-1e9, -1e9, -1e9};
    for (int a = 0; a < model.AtomCount(0); ++a) {
        const Point3D p = Scaled(model.GetAtomPos(0, a), 1.0 / kBohrInAngstrom);
        low = {std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z)};
        high = {std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z)};
        if (a % 10 == 0)
            blobs.push_back({p, a % 20 == 0 ? 1.0 : -1.0});
    }
    auto grid = std::make_shared<VolumeGrid>();
    grid->points = {100, 100, 100};
    grid->origin = Minus(low, Point3D{3, 3, 3});
    for (int axis = 0; axis < 3; ++axis) {
        Point3D step;
        const double span = (axis == 0   ? high.x - low.x
                             : axis == 1 ? high.y - low.y
                                         : high.z - low.z) +
                            6.0;
        (axis == 0 ? step.x : axis == 1 ? step.y : step.z) = span / 99.0;
        grid->axes[static_cast<std::size_t>(axis)] = step;
    }
    grid->values.resize(grid->Count());
    for (int i = 0; i < 100; ++i)
        for (int j = 0; j < 100; ++j)
            for (int k = 0; k < 100; ++k) {
                const Point3D p = grid->PointAt(i, j, k);
                double v = 0.0;
                for (const auto& [centre, sign] : blobs) {
                    const Point3D d = Minus(p, centre);
                    v += sign * std::exp(-0.5 * Dot(d, d));
                }
                grid->values[grid->Index(i, j, k)] = static_cast<float>(v);
            }
    drawing.document.surface.volume = grid;
    drawing.document.surface.isovalue = 0.1;
    drawing.document.surface.translucent = state.range(0) != 0;
    drawing.document.surface.Update();
    DrawTurning(state, drawing);
    state.counters["triangles"] =
        static_cast<double>(drawing.document.surface.positive->TriangleCount() +
                            drawing.document.surface.negative->TriangleCount());
    drawing.document.surface = SurfaceState();
}

void BM_Pick(benchmark::State& state) {
    Drawing& drawing = DrawingOf(static_cast<int>(state.range(0)));
    drawing.view.displayFlags = ViewState::kBallAndStick;
    drawing.Draw();
    std::mt19937 random(9);
    std::uniform_int_distribution<int> atom(0, drawing.document.data->AtomCount(0) - 1);
    for (auto _ : state) {
        const QPoint at = drawing.WindowPoint(atom(random));
        benchmark::DoNotOptimize(drawing.scene->hitTest(at.x(), at.y()));
    }
}

void BM_FirstPicture(benchmark::State& state) {
    const std::string path = PdbPath(static_cast<int>(state.range(0)));
    TheCanvas();
    for (auto _ : state) {
        MolDocState document;
        ViewState view;
        MoleculeFile read = ReadMoleculeFile(path, FileKind::kPdb, PdbOptions{});
        document.data = std::move(read.model);
        document.ComputeDerivedSizes();
        view.camera.Refit(*document.data, 0);
        CMolScene scene(&view, &document);
        scene.reshape(kWidth, kHeight);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        scene.render();
        glFinish();
    }
}

void Register() {
    const char* const names[] = {"wire", "ball", "ribbon", "ball+arrows"};
    for (int atoms : {1000, 10000, 100000}) {
        for (int style = kWire; style <= kBallArrows; ++style) {
            auto* bench = benchmark::RegisterBenchmark(
                ("Draw/" + std::string(names[style]) + "/" + std::to_string(atoms)).c_str(),
                BM_Draw);
            bench->Args({atoms, style})->Unit(benchmark::kMillisecond)->UseRealTime();
            bench->Repetitions(3)->ReportAggregatesOnly(true);
            if (atoms == 100000)
                bench->Iterations(3);
        }
        benchmark::RegisterBenchmark(("Pick/" + std::to_string(atoms)).c_str(), BM_Pick)
            ->Arg(atoms)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->Iterations(atoms == 100000 ? 5 : 20);
    }
    for (int atoms : {1000, 10000, 100000}) {
        for (int drawn : {0, 1}) {
            auto* bench = benchmark::RegisterBenchmark(
                ((drawn != 0 ? "Cartoon/draw/" : "Cartoon/build/") + std::to_string(atoms)).c_str(),
                BM_Cartoon);
            bench->Args({atoms, drawn})->Unit(benchmark::kMillisecond)->UseRealTime();
            if (atoms == 100000)
                bench->Iterations(3);
        }
    }
    for (int atoms : {10000, 100000})
        benchmark::RegisterBenchmark(("Representations/build/" + std::to_string(atoms)).c_str(),
                                     BM_Representations)
            ->Arg(atoms)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->Iterations(atoms == 100000 ? 3 : 10);
    for (int translucent : {0, 1})
        benchmark::RegisterBenchmark(
            translucent != 0 ? "Surface/translucent/1000" : "Surface/opaque/1000", BM_Surface)
            ->Arg(translucent)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    benchmark::RegisterBenchmark("FirstPicture/100000", BM_FirstPicture)
        ->Arg(100000)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->Iterations(2);
}

} // namespace

int main(int argc, char** argv) {
    OffscreenBuffer::UseDefaultFormat();
    QGuiApplication app(argc, argv);
    LoadElementData();
    Register();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    drawings.clear();
    canvas.reset();
    return 0;
}
