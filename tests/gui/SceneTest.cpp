// The scene drawn off-screen into a framebuffer object, no window: colours at
// the atoms' projected centres, hiding, colouring, arrows, the orientation
// and the refit, and picking.

#include "GuiTestMain.h"
#include "Projection.h"
#include "model/CMolData.h"
#include "model/ElementTable.h"
#include "render/CMolScene.h"
#include "render/MolDocState.h"
#include "render/ViewState.h"
#include "tests/support/TestMolData.h"

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QTest>

#include <cmath>
#include <memory>

namespace {

constexpr int kWidth = 300;
constexpr int kHeight = 200;

// A scene with its model, drawn into an off-screen buffer of 300 × 200.
class Picture {
public:
    explicit Picture(std::vector<TestAtom> atoms) {
        auto model = std::make_unique<TestMolData>(atoms);
        model->sourceKind = CMolData::kSourcePdb;
        document.data = std::move(model);
        document.loaded = 1;
        document.ComputeDerivedSizes();
        surface.setFormat(QSurfaceFormat::defaultFormat());
        surface.create();
        context.setFormat(QSurfaceFormat::defaultFormat());
        context.create();
        context.makeCurrent(&surface);
        QOpenGLFramebufferObjectFormat format;
        format.setAttachment(QOpenGLFramebufferObject::Depth);
        fbo = std::make_unique<QOpenGLFramebufferObject>(kWidth, kHeight, format);
        fbo->bind();
        scene = std::make_unique<CMolScene>(&view, &document);
        scene->computeFitScale = [this] { scene->fitScale = 1.0; };
        scene->reshape(kWidth, kHeight);
    }
    ~Picture() {
        scene.reset();
        fbo.reset();
        context.doneCurrent();
    }

    CMolData& Model() { return *document.data; }
    void Bond(int a, int b) {
        for (auto [from, to] : {std::pair{a, b}, std::pair{b, a}}) {
            MolAtom& atom = document.data->GetFrame(0)->Atom(from);
            atom.bonded[atom.bondCount++] = to;
        }
    }

    QImage Draw() {
        glClearColor(0.0F, 0.0F, 0.2F, 0.0F);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        scene->render();
        return fbo->toImage();
    }

    QPoint Project(double x, double y, double z) const {
        return ProjectAtom(*scene, view, kWidth, kHeight, x, y, z);
    }

    ViewState view;
    MolDocState document;
    QOffscreenSurface surface;
    QOpenGLContext context;
    std::unique_ptr<QOpenGLFramebufferObject> fbo;
    std::unique_ptr<CMolScene> scene;
};

QColor ElementColour(int number) {
    const ElementRecord& row = ElementTable::Row(number);
    return QColor::fromRgbF(static_cast<float>(row.red), static_cast<float>(row.green),
                            static_cast<float>(row.blue));
}

bool Near(QColor seen, QColor expected, int tolerance = 3) {
    return std::abs(seen.red() - expected.red()) <= tolerance &&
           std::abs(seen.green() - expected.green()) <= tolerance &&
           std::abs(seen.blue() - expected.blue()) <= tolerance;
}

#define QCOMPARE_COLOUR(seen, expected)                                                            \
    QVERIFY2(                                                                                      \
        Near(seen, expected),                                                                      \
        qPrintable(QStringLiteral("seen %1, expected %2").arg((seen).name(), (expected).name())))

const QColor kBackground = QColor::fromRgbF(0.0F, 0.0F, 0.2F);

// Three atoms on the x axis, 1.4 Å apart; the oxygen sits at the centre.
std::vector<TestAtom> Row() {
    return {{"C", -1.4, 0, 0, 0, "ALA"}, {"O", 0, 0, 0, 1, "GLY"}, {"N", 1.4, 0, 0, 2, "SER"}};
}

} // namespace

class SceneTest : public QObject {
    Q_OBJECT

private slots:
    void wireFrameIsUnlitAndShowsSelectionInWhite();
    void ballAndStickIsLit();
    void hiddenHydrogensAndResidues();
    void colourByResidue();
    void arrowsOnlyWithDisplacements();
    void dragIncrementsAccumulateAndRefitResets();
    void pickingTakesTheNearestAtom();
    void nearestHitPrefersTheEarlierRecordOnEqualDepth();
};

void SceneTest::wireFrameIsUnlitAndShowsSelectionInWhite() {
    Picture picture(Row());
    picture.document.antialiasing = 0;
    QImage image = picture.Draw();
    QCOMPARE_COLOUR(image.pixelColor(2, 2), kBackground);
    QCOMPARE(picture.document.loaded, 0);
    QCOMPARE_COLOUR(image.pixelColor(picture.Project(0, 0, 0)), ElementColour(8));
    QCOMPARE_COLOUR(image.pixelColor(picture.Project(-1.4, 0, 0)), ElementColour(6));
    picture.view.measurementSelection = {2};
    image = picture.Draw();
    QCOMPARE_COLOUR(image.pixelColor(picture.Project(1.4, 0, 0)), QColor(Qt::white));
    // With atoms drawn invisible, a selected atom still shows in white.
    picture.document.hideAtoms = 1;
    image = picture.Draw();
    QCOMPARE_COLOUR(image.pixelColor(picture.Project(0, 0, 0)), kBackground);
    QCOMPARE_COLOUR(image.pixelColor(picture.Project(1.4, 0, 0)), QColor(Qt::white));
}

void SceneTest::ballAndStickIsLit() {
    Picture picture(Row());
    picture.view.displayFlags = ViewState::kBallAndStick;
    picture.Bond(0, 1);
    const QImage image = picture.Draw();
    // Where the eye looks at the sphere its surface faces the eye; lit from
    // the upper right front: ambient of the model and the light (0.2 + 0.2)
    // and diffuse 0.7 × the cosine to the light (1, 0.5, 1).
    const QColor seen = image.pixelColor(picture.Project(1.4, 0, 0));
    const ElementRecord& nitrogen = ElementTable::Row(7);
    const double normal[3] = {-1.4 / std::hypot(1.4, 7.0), 0.0, 7.0 / std::hypot(1.4, 7.0)};
    const double lit = 0.4 + 0.7 * (normal[0] * 2 + normal[2] * 2) / 3.0;
    const QColor expected =
        QColor::fromRgbF(static_cast<float>(std::min(1.0, nitrogen.red * lit)),
                         static_cast<float>(std::min(1.0, nitrogen.green * lit)),
                         static_cast<float>(std::min(1.0, nitrogen.blue * lit)));
    QVERIFY2(Near(seen, expected, 6), qPrintable(seen.name() + " " + expected.name()));
    // The grey stick between carbon and oxygen, also lit.
    const QColor stick = image.pixelColor(picture.Project(-0.7, 0, 0));
    QVERIFY2(Near(stick, QColor::fromRgbF(0.5F * 0.867F, 0.5F * 0.867F, 0.5F * 0.867F), 8),
             qPrintable(stick.name()));
}

void SceneTest::hiddenHydrogensAndResidues() {
    std::vector<TestAtom> atoms = Row();
    atoms.push_back({"H", 0, 1.0, 0, 1, "GLY"});
    Picture picture(atoms);
    picture.document.antialiasing = 0;
    picture.Bond(1, 3);
    picture.Bond(0, 2);
    QImage image = picture.Draw();
    QCOMPARE_COLOUR(image.pixelColor(picture.Project(0, 1.0, 0)), ElementColour(1));
    picture.view.showHydrogens = 0;
    image = picture.Draw();
    QCOMPARE_COLOUR(image.pixelColor(picture.Project(0, 1.0, 0)), kBackground);
    QCOMPARE_COLOUR(image.pixelColor(picture.Project(0, 0.5, 0)), kBackground); // its bond
    QCOMPARE_COLOUR(image.pixelColor(picture.Project(0, 0, 0)), ElementColour(8));

    // Atom 2 hidden by the residue display: no point, but the bond from the
    // shown atom 0 to it is drawn.
    picture.Model().GetFrame(0)->atomShown[2] = 0;
    image = picture.Draw();
    QVERIFY(!Near(image.pixelColor(picture.Project(1.4, 0, 0)), ElementColour(7)));
    QCOMPARE_COLOUR(image.pixelColor(picture.Project(1.05, 0, 0)),
                    QColor::fromRgbF(0.5F, 0.5F, 0.5F));
    // Hiding atom 0 instead removes its bond too.
    picture.Model().GetFrame(0)->atomShown[2] = 1;
    picture.Model().GetFrame(0)->atomShown[0] = 0;
    image = picture.Draw();
    QCOMPARE_COLOUR(image.pixelColor(picture.Project(1.05, 0, 0)), kBackground);
}

void SceneTest::colourByResidue() {
    Picture picture(Row());
    picture.document.antialiasing = 0;
    picture.view.colourMode = 1;
    const QImage image = picture.Draw();
    const double* gly = picture.Model().GetResidueColour(0, "GLY");
    QCOMPARE_COLOUR(image.pixelColor(picture.Project(0, 0, 0)),
                    QColor::fromRgbF(static_cast<float>(gly[0]), static_cast<float>(gly[1]),
                                     static_cast<float>(gly[2])));
}

void SceneTest::arrowsOnlyWithDisplacements() {
    Picture picture(Row());
    MolAtom& carbon = picture.Model().GetFrame(0)->Atom(0);
    carbon.dy = 1.0; // straight up, 1 Å
    picture.view.displayFlags = ViewState::kWireFrame | ViewState::kVibration;
    const QPoint alongArrow = picture.Project(-1.4, 0.4, 0);
    picture.Model().vibrationState = CMolData::kVibrationNone;
    QCOMPARE_COLOUR(picture.Draw().pixelColor(alongArrow), kBackground);
    picture.Model().vibrationState = CMolData::kVibrationPresent;
    const QColor arrow = picture.Draw().pixelColor(alongArrow);
    // The arrow colour (1.0, 0.14, 0.67), lit: red strongest, green weakest.
    QVERIFY2(arrow.red() > arrow.blue() && arrow.blue() > arrow.green() && arrow.red() > 120,
             qPrintable(arrow.name()));
    // A displacement straight along -z still draws its cone from the atom.
    carbon.dy = 0.0;
    carbon.dz = -1.0;
    picture.view.displayFlags = ViewState::kBallAndStick | ViewState::kVibration;
    picture.document.ballAtomSize = 2;
    picture.document.ComputeDerivedSizes();
    picture.view.measurementSelection.clear();
    QVERIFY(picture.Draw().pixelColor(picture.Project(-1.4, 0, 0)) != kBackground);
}

void SceneTest::dragIncrementsAccumulateAndRefitResets() {
    Picture picture(Row());
    picture.Draw();
    picture.scene->rotateY = 10;
    picture.Draw();
    picture.Draw();
    const double* m = picture.scene->modelMatrix;
    QVERIFY(std::abs(m[0] - std::cos(20 * M_PI / 180)) < 1e-6);
    QVERIFY(std::abs(m[8] - std::sin(20 * M_PI / 180)) < 1e-6);
    picture.scene->rotateY = 0;
    picture.scene->panX = 50;
    picture.Draw();
    QVERIFY(std::abs(m[12] - 0.5) < 1e-9);

    picture.scene->panX = 0;
    picture.scene->zoom = 2.5;
    picture.scene->lastPickedAtom = 1;
    picture.view.measurementSelection = {0, 1};
    picture.view.labelledAtoms = {2};
    picture.document.loaded = 1;
    picture.Draw();
    QCOMPARE(picture.scene->zoom, 1.0);
    QCOMPARE(picture.scene->lastPickedAtom, -1);
    QVERIFY(picture.view.measurementSelection.empty());
    QVERIFY(picture.view.labelledAtoms.empty());
    for (int i = 0; i < 16; ++i)
        QCOMPARE(m[i], i % 5 == 0 ? 1.0 : 0.0);
}

void SceneTest::pickingTakesTheNearestAtom() {
    // Atom 1 lies in front of atom 0 on the line of sight through the
    // centre; atom 2 well to the side.
    Picture picture({{"C", 0, 0, -1.0}, {"O", 0, 0, 1.0}, {"N", 2.0, 0, 0}});
    picture.Draw();
    const QPoint centre = picture.Project(0, 0, 1.0);
    QCOMPARE(picture.scene->hitTest(centre.x(), centre.y()), 1);
    const QPoint side = picture.Project(2.0, 0, 0);
    QCOMPARE(picture.scene->hitTest(side.x(), side.y()), 2);
    QCOMPARE(picture.scene->hitTest(5, 5), -1);
    picture.view.displayFlags = ViewState::kBallAndStick;
    picture.Draw();
    QCOMPARE(picture.scene->hitTest(centre.x(), centre.y()), 1);

    // 300 atoms on one line of sight overflow the selection buffer; the
    // nearest one is still found.
    std::vector<TestAtom> column;
    for (int i = 0; i < 300; ++i)
        column.push_back({"C", 0, 0, -1.5 + i * 0.01});
    column.push_back({"C", 3.0, 0, 0});
    column.push_back({"C", -3.0, 0, 0}); // keeps the column on the line of sight
    Picture crowded(column);
    crowded.Draw();
    const QPoint through = crowded.Project(0, 0, 0);
    QCOMPARE(crowded.scene->hitTest(through.x(), through.y()), 299);
}

void SceneTest::nearestHitPrefersTheEarlierRecordOnEqualDepth() {
    // Records: names, min depth, max depth, names...
    const GLuint records[] = {1, 1000, 2000, 4, 1, 1000, 1500, 5, 2, 999, 999, 6, 7};
    QCOMPARE(NearestHit(records, 2), 4);
    QCOMPARE(NearestHit(records, 3), 6);
    const GLuint placeholder[] = {1, 10, 10, 0xFFFFFFFF, 1, 20, 20, 3};
    QCOMPARE(NearestHit(placeholder, 2), -1);
    QCOMPARE(NearestHit(placeholder, 0), -1);
}

RAVEK_GUI_TEST_MAIN(SceneTest)
#include "SceneTest.moc"
