// The shaders' drawing against the plain drawing it replaced (ReferenceScene:
// a GLU sphere, cylinder and cone per atom, bond and arrow at resolution 60,
// a glBegin per point and line), state by state on one scene each, so every
// change also shows in the next picture (the criteria are at Compare); and
// the CPU pick against OpenGL's selection.

#include "AppHarness.h"
#include "GuiTestMain.h"
#include "ReferenceScene.h"
#include "WritableModel.h"
#include "formats/ReadMolecule.h"
#include "model/CMolData.h"
#include "model/ElementData.h"
#include "render/CMolScene.h"
#include "render/MolDocState.h"
#include "render/OffscreenBuffer.h"
#include "render/ViewState.h"
#include "tests/support/GaussianOutputText.h"
#include "tests/support/GeneratedMolecules.h"

#include <QTemporaryDir>
#include <QTest>

#include <GL/glu.h>

#include <fstream>
#include <functional>
#include <memory>
#include <random>

namespace {

constexpr int kWidth = 500;
constexpr int kHeight = 400;

std::unique_ptr<CMolData> Read(const QTemporaryDir& dir, const char* name, const std::string& text,
                               FileKind kind) {
    const std::string path = dir.filePath(QString::fromLatin1(name)).toStdString();
    std::ofstream(path, std::ios::binary) << text;
    return ReadMoleculeFile(path, kind, PdbOptions{}).model;
}

// Both scenes on one model and one view state, drawn into one buffer.
class Pair {
public:
    explicit Pair(std::unique_ptr<CMolData> model) {
        document.data = std::move(model);
        document.ComputeDerivedSizes();
        std::string error;
        if (!buffer_.Create(kWidth, kHeight, error))
            qFatal("%s", error.c_str());
        view.camera.Refit(*document.data, 0);
        fast = std::make_unique<CMolScene>(&view, &document);
        reference = std::make_unique<ReferenceScene>(&view, &document);
    }
    ~Pair() {
        fast.reset();
        reference.reset();
    }

    QImage Draw(CMolScene& scene) { return DrawScene(scene); }
    QImage Draw(ReferenceScene& scene) {
        scene.slices = std::clamp(document.resolution, 1, 100);
        return DrawScene(scene);
    }
    template <class Scene> QImage DrawScene(Scene& scene) {
        scene.reshape(kWidth, kHeight);
        glClearColor(0.0F, 0.0F, 0.1F, 0.0F);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        scene.render();
        return buffer_.ToImage();
    }
    // The reference's picture with its meshes at resolution 60, the limit
    // the exact shapes are held to.
    QImage DrawReference() {
        const int resolution = document.resolution;
        document.resolution = 60;
        QImage image = Draw(*reference);
        document.resolution = resolution;
        return image;
    }

    // Draws with both and compares; a message when they differ too much.
    // Shapes with hard edges: at most 0.5 % of the pixels may differ by more
    // than 24 levels in a channel, and what is drawn (not background) may
    // differ in at most 0.3 %. Smoothed points and lines blend their edges
    // each their own way: there, what is more than half covered may differ
    // in at most 0.3 %.
    QString Compare(const QString& what) {
        // The shaders' picture drawn twice: the second starts from what its
        // own drawing left, never from the reference's.
        const QImage expected = DrawReference();
        Draw(*fast);
        const QImage seen = Draw(*fast);
        if (qEnvironmentVariableIsSet("RAVEK_DUMP")) {
            expected.save(QStringLiteral("/tmp/w/ref-%1.png").arg(what));
            seen.save(QStringLiteral("/tmp/w/fast-%1.png").arg(what));
        }
        const bool smoothed =
            (view.displayFlags & ViewState::kRibbon) != 0 ||
            ((view.displayFlags & ViewState::kWireFrame) != 0 && document.antialiasing != 0);
        const QColor background = expected.pixelColor(0, 0);
        const auto distance = [](const QColor& a, const QColor& b) {
            return std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()),
                             std::abs(a.blue() - b.blue())});
        };
        // How far each pixel is from the background, and how much of it is
        // drawn: 2 drawn, 0 not, 1 for a smoothed edge whose coverage (its
        // distance against the farthest pixel about it, taken as the colour
        // fully covered) lies within a tenth of a half.
        const auto drawnPixels = [&](const QImage& image) {
            std::vector<int> far(static_cast<std::size_t>(kWidth * kHeight));
            for (int y = 0; y < kHeight; ++y)
                for (int x = 0; x < kWidth; ++x)
                    far[static_cast<std::size_t>(y * kWidth + x)] =
                        distance(image.pixelColor(x, y), background);
            std::vector<int> drawn(far.size());
            for (int y = 0; y < kHeight; ++y) {
                for (int x = 0; x < kWidth; ++x) {
                    const int own = far[static_cast<std::size_t>(y * kWidth + x)];
                    int full = own;
                    for (int dy = -1; smoothed && dy <= 1; ++dy)
                        for (int dx = -1; dx <= 1; ++dx)
                            if (x + dx >= 0 && x + dx < kWidth && y + dy >= 0 && y + dy < kHeight)
                                full = std::max(
                                    full,
                                    far[static_cast<std::size_t>((y + dy) * kWidth + x + dx)]);
                    int& out = drawn[static_cast<std::size_t>(y * kWidth + x)];
                    if (!smoothed)
                        out = own > 0 ? 2 : 0;
                    else
                        out = own <= 8 || 10 * own < 4 * full ? 0 : 10 * own > 6 * full ? 2 : 1;
                }
            }
            return drawn;
        };
        const std::vector<int> drawnA = drawnPixels(expected), drawnB = drawnPixels(seen);
        int differing = 0, outline = 0, drawnExpected = 0;
        QImage mask(kWidth, kHeight, QImage::Format_RGB32);
        mask.fill(Qt::black);
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                differing +=
                    distance(expected.pixelColor(x, y), seen.pixelColor(x, y)) > 24 ? 1 : 0;
                const std::size_t i = static_cast<std::size_t>(y * kWidth + x);
                const bool apart = std::abs(drawnA[i] - drawnB[i]) == 2;
                outline += apart ? 1 : 0;
                if (apart)
                    mask.setPixelColor(x, y, drawnA[i] != 0 ? Qt::red : Qt::green);
                drawnExpected += drawnA[i] != 0 ? 1 : 0;
            }
        }
        if (qEnvironmentVariableIsSet("RAVEK_DUMP"))
            mask.save(QStringLiteral("/tmp/w/mask-%1.png").arg(what));
        const double share = static_cast<double>(differing) / (kWidth * kHeight);
        const double outlineShare = static_cast<double>(outline) / (kWidth * kHeight);
        qInfo("%s: %.2f %% of the pixels differ by more than 24 levels, %.2f %% in what is %s",
              qPrintable(what), share * 100.0, outlineShare * 100.0,
              smoothed ? "more than half covered" : "drawn");
        if (!smoothed && document.resolution != 60) {
            // Against the meshes of the resolution set: only the light of the
            // exact shapes is smoother; how much, for the record.
            const QImage meshes = Draw(*reference);
            int lightDiffers = 0;
            for (int y = 0; y < kHeight; ++y)
                for (int x = 0; x < kWidth; ++x)
                    lightDiffers += distance(meshes.pixelColor(x, y), seen.pixelColor(x, y)) > 24;
            qInfo("%s: against meshes of resolution %d, %.2f %% differ by more than 24 levels",
                  qPrintable(what), document.resolution, lightDiffers * 100.0 / (kWidth * kHeight));
        }
        if (drawnExpected < 200)
            return what + QStringLiteral(": the reference drew almost nothing (%1 pixels)")
                              .arg(drawnExpected);
        // The old wide line spanned whole pixels along its minor axis (thinner
        // across on diagonals) and ended square to the axes: the ribbon, five
        // pixels wide, may differ in 1 % there.
        const double outlineLimit = (view.displayFlags & ViewState::kRibbon) != 0 ? 0.01 : 0.003;
        if ((!smoothed && share > 0.005) || outlineShare > outlineLimit)
            return what + QStringLiteral(": %1 % of the pixels differ by more than 24 levels, "
                                         "%2 % in what is drawn")
                              .arg(share * 100.0, 0, 'f', 2)
                              .arg(outlineShare * 100.0, 0, 'f', 2);
        return {};
    }

private:
    // Made first and gone last: the scenes draw into it.
    OffscreenBuffer buffer_;

public:
    MolDocState document;
    ViewState view;
    std::unique_ptr<CMolScene> fast;
    std::unique_ptr<ReferenceScene> reference;
};

// Steps of the state, each compared after it is taken.
using Step = std::pair<const char*, std::function<void(Pair&)>>;

void RunSteps(Pair& pair, const std::vector<Step>& steps) {
    // Compared with itself, the fixed-function drawing would pass.
    QVERIFY(pair.fast->UsesShaders());
    QStringList faults;
    for (const auto& [what, change] : steps) {
        change(pair);
        const QString fault = pair.Compare(QString::fromLatin1(what));
        if (!fault.isEmpty())
            faults << fault;
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
}

} // namespace

class FastDrawingTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { LoadElementData(); }
    void everyStyleDrawsTheReferencePicture();
    void hidingColouringAndSelectingShowInTheNextPicture();
    void theGeometryShownChangesTheNextPicture();
    void clicksPickTheAtomsGlSelectionPicks();
};

void FastDrawingTest::everyStyleDrawsTheReferencePicture() {
    QTemporaryDir dir;
    Pair pair(Read(dir, "chain.pdb", ProteinLikePdb(900, 4), FileKind::kPdb));
    RunSteps(
        pair,
        {
            {"wire frame", [](Pair& p) { p.view.displayFlags = ViewState::kWireFrame; }},
            {"wire frame turned", [](Pair& p) { p.view.camera.Turn(30, 50); }},
            {"wire frame without smoothing", [](Pair& p) { p.document.antialiasing = 0; }},
            {"wire frame without atom marks",
             [](Pair& p) {
                 p.document.antialiasing = 1;
                 p.document.hideAtoms = 1;
             }},
            {"ball and stick, resolution 10",
             [](Pair& p) {
                 p.document.hideAtoms = 0;
                 p.view.displayFlags = ViewState::kBallAndStick;
             }},
            {"ball and stick, resolution 4", [](Pair& p) { p.document.resolution = 4; }},
            {"ball and stick, resolution 30", [](Pair& p) { p.document.resolution = 30; }},
            {"ball and stick zoomed in",
             [](Pair& p) {
                 p.document.resolution = 10;
                 p.view.camera.SetZoom(4.0);
             }},
            {"ball and stick, larger atoms and sticks",
             [](Pair& p) {
                 p.view.camera.SetZoom(1.0);
                 p.document.ballAtomSize = 16;
                 p.document.ballBondWidth = 16;
                 p.document.ComputeDerivedSizes();
             }},
            {"wire frame, larger points and lines",
             [](Pair& p) {
                 p.view.displayFlags = ViewState::kWireFrame;
                 p.document.wireAtomSize = 16;
                 p.document.wireBondWidth = 16;
                 p.document.ComputeDerivedSizes();
             }},
            {"ribbon",
             [](Pair& p) {
                 p.document.wireAtomSize = p.document.wireBondWidth = 10;
                 p.document.ballAtomSize = p.document.ballBondWidth = 10;
                 p.document.ComputeDerivedSizes();
                 p.view.displayFlags = ViewState::kRibbon;
             }},
            {"ball and stick with arrows",
             [](Pair& p) {
                 GiveRandomDisplacements(WritableModel(p.document), 0.6, 3);
                 p.view.displayFlags = ViewState::kBallAndStick | ViewState::kVibration;
             }},
            {"wire frame with arrows",
             [](Pair& p) { p.view.displayFlags = ViewState::kWireFrame | ViewState::kVibration; }},
            {"labels",
             [](Pair& p) {
                 p.view.displayFlags = ViewState::kBallAndStick;
                 p.view.labelledAtoms = {3, 50, 500, 850};
             }},
        });
}

void FastDrawingTest::hidingColouringAndSelectingShowInTheNextPicture() {
    QTemporaryDir dir;
    Pair pair(Read(dir, "pep.pdb", Fixtures::kPeptidePdb, FileKind::kPdb));
    QVERIFY(pair.document.data != nullptr);
    pair.view.camera.Turn(20, -35);
    const auto hideResidue = [](Pair& p, bool hide) {
        const int first = p.document.data->GetResidueIndex(0, 0);
        p.document.residues = hide ? ResidueVisibility({first}, ResidueVisibility::kHideSelected)
                                   : ResidueVisibility();
    };
    RunSteps(pair,
             {
                 {"ball and stick", [](Pair& p) { p.view.displayFlags = 2; }},
                 {"by residue", [](Pair& p) { p.view.colourMode = 1; }},
                 {"wire frame by residue", [](Pair& p) { p.view.displayFlags = 1; }},
                 {"hydrogens hidden",
                  [](Pair& p) {
                      p.view.colourMode = 0;
                      p.view.showHydrogens = 0;
                  }},
                 {"ball and stick, hydrogens hidden", [](Pair& p) { p.view.displayFlags = 2; }},
                 {"a residue hidden",
                  [&](Pair& p) {
                      p.view.showHydrogens = 1;
                      hideResidue(p, true);
                  }},
                 {"wire frame, a residue hidden", [](Pair& p) { p.view.displayFlags = 1; }},
                 {"selected atoms",
                  [&](Pair& p) {
                      hideResidue(p, false);
                      p.view.measurementSelection = {1, 4, 9};
                  }},
                 {"ball and stick, selected atoms", [](Pair& p) { p.view.displayFlags = 2; }},
                 {"selected, no atom marks",
                  [](Pair& p) {
                      p.view.displayFlags = 1;
                      p.document.hideAtoms = 1;
                  }},
             });
}

void FastDrawingTest::theGeometryShownChangesTheNextPicture() {
    QTemporaryDir dir;
    Pair pair(
        Read(dir, "opt.log", GaussianOutputText::WaterOptimisation(4, 0.4), FileKind::kGaussian));
    QVERIFY(pair.document.data != nullptr);
    QCOMPARE(pair.document.data->frameCount, 4);
    pair.view.displayFlags = ViewState::kBallAndStick;
    QImage last;
    for (int g = 0; g < 4; ++g) {
        pair.view.frame = g;
        const QString fault = pair.Compare(QStringLiteral("geometry %1").arg(g + 1));
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
        const QImage now = pair.Draw(*pair.fast);
        QVERIFY(now != last);
        last = now;
    }
}

// The scene picks on the CPU against what it draws: OpenGL's selection must
// pick the same atom for every click, misses included.
void FastDrawingTest::clicksPickTheAtomsGlSelectionPicks() {
    QTemporaryDir dir;
    std::vector<std::unique_ptr<CMolData>> models;
    models.push_back(Read(dir, "chain.pdb", ProteinLikePdb(400, 8), FileKind::kPdb));
    const std::string crambin = std::string(RAVEK_TESTDATA_DIR) + "/pdb/1crn.pdb";
    if (std::ifstream(crambin).good())
        models.push_back(ReadMoleculeFile(crambin, FileKind::kPdb, PdbOptions{}).model);
    models.push_back(
        Read(dir, "opt.log", GaussianOutputText::WaterOptimisation(2, 0.4), FileKind::kGaussian));
    std::mt19937 random(17);
    int clicks = 0, hits = 0;
    for (auto& model : models) {
        QVERIFY(model != nullptr);
        Pair pair(std::move(model));
        // OpenGL's selection through the fixed-function drawing, which draws
        // for a pick only the atoms that can reach the pick window, meets
        // spheres as meshes of resolution 60, close to the exact spheres the
        // CPU meets; the arrow cones are meshes of the resolution for both.
        pair.document.resolution = 60;
        ReferenceScene selection(&pair.view, &pair.document);
        selection.slices = 60;
        const int atoms = pair.document.data->AtomCount(0);
        std::uniform_int_distribution<int> atom(0, atoms - 1);
        std::uniform_int_distribution<int> offset(-7, 7);
        // Each style from a different view: turned, zoomed in until atoms
        // reach the eye, moved aside, with an atom hidden.
        int round = 0;
        for (const int flags :
             {static_cast<int>(ViewState::kBallAndStick), static_cast<int>(ViewState::kWireFrame),
              ViewState::kBallAndStick | ViewState::kVibration,
              ViewState::kWireFrame | ViewState::kVibration}) {
            pair.view.displayFlags = flags;
            if ((flags & ViewState::kVibration) != 0)
                GiveRandomDisplacements(WritableModel(pair.document), 0.6, 3);
            pair.view.camera.Turn(25, 40);
            pair.view.camera.SetZoom(round == 1 ? 9.0 : round == 3 ? 1.6 : 1.0);
            if (round == 2)
                pair.view.camera.Pan(60, -30);
            if (round == 3)
                pair.document.residues = ResidueVisibility(
                    {pair.document.data->GetResidueIndex(0, 0)}, ResidueVisibility::kHideSelected);
            ++round;
            pair.Draw(*pair.fast);
            GLdouble modelView[16], projection[16];
            GLint viewport[4];
            glGetDoublev(GL_MODELVIEW_MATRIX, modelView);
            glGetDoublev(GL_PROJECTION_MATRIX, projection);
            glGetIntegerv(GL_VIEWPORT, viewport);
            for (int i = 0; i < 90; ++i) {
                // Near a random atom, sometimes beside every atom.
                const Point3D p = pair.document.data->GetAtomPos(0, atom(random));
                const Camera& c = pair.view.camera;
                GLdouble x, y, z;
                gluProject((p.x - c.centre.x) * c.Scale(), (p.y - c.centre.y) * c.Scale(),
                           (p.z - c.centre.z) * c.Scale(), modelView, projection, viewport, &x, &y,
                           &z);
                const int cx = static_cast<int>(x) + offset(random);
                const int cy = kHeight - 1 - static_cast<int>(y) + offset(random);
                const int expected = selection.hitTestBySelection(cx, cy);
                const int seen = pair.fast->hitTest(cx, cy);
                ++clicks;
                hits += expected >= 0 ? 1 : 0;
                QVERIFY2(seen == expected, qPrintable(QStringLiteral("click %1, %2 (style %3): %4, "
                                                                     "expected %5")
                                                          .arg(cx)
                                                          .arg(cy)
                                                          .arg(flags)
                                                          .arg(seen)
                                                          .arg(expected)));
            }
        }
    }
    QVERIFY(clicks >= 1000 || !std::ifstream(crambin).good());
    QVERIFY(hits > clicks / 2); // most clicks meet an atom
}

RAVEK_GUI_TEST_MAIN(FastDrawingTest)
#include "FastDrawingTest.moc"
