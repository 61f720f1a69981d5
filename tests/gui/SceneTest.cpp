// The scene drawn off-screen into a framebuffer object, no window: colours at
// the atoms' projected centres, hiding, colouring, arrows, the orientation
// and the refit, and picking.

#include "GuiTestMain.h"
#include "Projection.h"
#include "ReferenceScene.h"
#include "WritableModel.h"
#include "formats/ReadMolecule.h"
#include "io/StdioFile.h"
#include "model/CMolData.h"
#include "model/ElementTable.h"
#include "model/VolumeGrid.h"
#include "render/CMolScene.h"
#include "render/MolDocState.h"
#include "render/OffscreenBuffer.h"
#include "render/RibbonPlan.h"
#include "render/ViewState.h"
#include "tests/support/TestMolData.h"

#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <limits>
#include <memory>

namespace {

constexpr int kWidth = 300;
constexpr int kHeight = 200;

std::unique_ptr<CMolData> PdbKind(const std::vector<TestAtom>& atoms) {
    auto model = std::make_unique<CMolData>(TestMolData(atoms));
    model->sourceKind = CMolData::SourceKind::kPdb;
    return model;
}

// A scene with its model, drawn into an off-screen buffer of 300 × 200.
class Picture {
public:
    explicit Picture(std::vector<TestAtom> atoms) : Picture(PdbKind(atoms)) {}
    explicit Picture(std::unique_ptr<CMolData> model) {
        document.data = std::move(model);
        document.ComputeDerivedSizes();
        std::string error;
        if (!buffer.Create(kWidth, kHeight, error))
            qFatal("%s", error.c_str());
        scene = std::make_unique<CMolScene>(&view, &document);
        Refit();
        scene->reshape(kWidth, kHeight);
    }
    ~Picture() { scene.reset(); }

    CMolData& Model() { return WritableModel(document); }
    // Fits the model as a view does, but at scale 1 unless told otherwise.
    void Refit(double fitScale = 1.0) {
        view.camera.Refit(*document.data, view.frame);
        view.camera.fitScale = fitScale;
    }
    void Bond(int a, int b) {
        for (auto [from, to] : {std::pair{a, b}, std::pair{b, a}}) {
            MolAtom& atom = Model().GetFrame(0)->Atom(from);
            atom.bonded[atom.bondCount++] = to;
        }
    }

    QImage Draw() {
        glClearColor(0.0F, 0.0F, 0.2F, 0.0F);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        scene->render();
        return buffer.ToImage();
    }

    QPoint Project(double x, double y, double z) const {
        return ProjectAtom(view.camera, kWidth, kHeight, x, y, z);
    }

    ViewState view;
    MolDocState document;
    OffscreenBuffer buffer;
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
    void labelsAreDrawnBesideTheirAtoms();
    void arrowsOnlyWithDisplacements();
    void nothingExtraForZeroDisplacementsOrPositionsNotFinite();
    void drawingTwiceGivesTheSamePicture();
    void dragStepsTurnAsTheIncrementsDidAndRefitResets();
    void pickingTakesTheNearestAtom();
    void nearestHitPrefersTheEarlierRecordOnEqualDepth();
    void ribbonPiecesAndSegmentEnds();
    void ribbonBreaksAtAGapAndNeedsAProtein();
    void eachModelOfAnEnsembleHasItsRibbon();
    void isosurfacesSitWhereTheirValuesAreInEitherDrawing();
};

void SceneTest::wireFrameIsUnlitAndShowsSelectionInWhite() {
    Picture picture(Row());
    picture.document.antialiasing = 0;
    QImage image = picture.Draw();
    QCOMPARE_COLOUR(image.pixelColor(2, 2), kBackground);
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
    CMolFrame& frame = *picture.Model().GetFrame(0);
    for (int a = 0; a < frame.atomCount; ++a)
        frame.Atom(a).residueIndex = a;
    frame.residueCount = frame.atomCount;
    picture.document.residues = ResidueVisibility({2}, ResidueVisibility::kHideSelected);
    image = picture.Draw();
    QVERIFY(!Near(image.pixelColor(picture.Project(1.4, 0, 0)), ElementColour(7)));
    QCOMPARE_COLOUR(image.pixelColor(picture.Project(1.05, 0, 0)),
                    QColor::fromRgbF(0.5F, 0.5F, 0.5F));
    // Hiding atom 0 instead removes its bond too.
    picture.document.residues = ResidueVisibility({0}, ResidueVisibility::kHideSelected);
    image = picture.Draw();
    QCOMPARE_COLOUR(image.pixelColor(picture.Project(1.05, 0, 0)), kBackground);
}

void SceneTest::colourByResidue() {
    Picture picture(Row());
    picture.document.antialiasing = 0;
    picture.view.colourMode = 1;
    const QImage image = picture.Draw();
    // GLY is 0x468C8C in the colour table, blue in the high byte.
    QCOMPARE_COLOUR(image.pixelColor(picture.Project(0, 0, 0)), QColor(0x8C, 0x8C, 0x46));
}

// A label in the chosen colour beside its atom, above and to the right of
// the atom's centre where the raster position puts its glyphs.
void SceneTest::labelsAreDrawnBesideTheirAtoms() {
    Picture picture(Row());
    // A molecule without residues: the label is the atom's own.
    picture.Model().sourceKind = CMolData::SourceKind::kGaussian;
    picture.view.labelledAtoms = {2};
    picture.view.labelsInElementColour = false;
    picture.view.labelColour[0] = 0.0F;
    picture.view.labelColour[1] = 1.0F;
    picture.view.labelColour[2] = 0.0F;
    const QImage image = picture.Draw();
    const QPoint atom = picture.Project(1.4, 0, 0);
    int green = 0, elsewhere = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) != QColor(0, 255, 0))
                continue;
            const bool beside =
                x >= atom.x() - 2 && x < atom.x() + 40 && y > atom.y() - 30 && y <= atom.y() + 8;
            (beside ? green : elsewhere) += 1;
        }
    }
    QVERIFY2(green > 15, qPrintable(QString::number(green)));
    QCOMPARE(elsewhere, 0);
    // No label, no green.
    picture.view.labelledAtoms.clear();
    const QImage plain = picture.Draw();
    QVERIFY(plain.pixelColor(atom + QPoint(5, -5)) != QColor(0, 255, 0));
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
    // The arrow colour (1.0, 0.14, 0.67), lit: red strongest, green weakest,
    // across the cone (its specular highlight is a thin white stripe).
    const QImage image = picture.Draw();
    int red = 0, green = 0, blue = 0;
    for (int dx = -3; dx <= 3; ++dx) {
        const QColor c = image.pixelColor(alongArrow + QPoint(dx, 0));
        red += c.red();
        green += c.green();
        blue += c.blue();
    }
    QVERIFY2(red > blue && blue > green && red > 7 * 120,
             qPrintable(QStringLiteral("%1 %2 %3").arg(red).arg(green).arg(blue)));
    // A displacement straight along -z still draws its cone from the atom.
    carbon.dy = 0.0;
    carbon.dz = -1.0;
    picture.view.displayFlags = ViewState::kBallAndStick | ViewState::kVibration;
    picture.document.ballAtomSize = 2;
    picture.document.ComputeDerivedSizes();
    picture.view.measurementSelection.clear();
    QVERIFY(picture.Draw().pixelColor(picture.Project(-1.4, 0, 0)) != kBackground);
}

// Found drawing a flat magenta disc on every atom of a geometry without
// displacements, and every picture black once one coordinate was NaN.
void SceneTest::nothingExtraForZeroDisplacementsOrPositionsNotFinite() {
    Picture picture(Row());
    picture.Model().vibrationState = CMolData::kVibrationPresent;
    picture.view.displayFlags = ViewState::kBallAndStick;
    const QImage plain = picture.Draw();
    picture.view.displayFlags = ViewState::kBallAndStick | ViewState::kVibration;
    QCOMPARE(picture.Draw(), plain);

    std::vector<TestAtom> atoms = Row();
    atoms.push_back({"S", std::nan(""), 0, 0, 3, "CYS"});
    atoms.push_back({"S", 0, std::numeric_limits<double>::infinity(), 0, 3, "CYS"});
    Picture withStrangers(atoms);
    withStrangers.Model().GetFrame(0)->ComputeCentre();
    withStrangers.Refit();
    withStrangers.view.displayFlags = ViewState::kBallAndStick;
    QCOMPARE(withStrangers.Draw(), plain);
}

// Found wrong: every picture applied the drag step again, so a window drawn
// twice, or a saved picture drawn after the window, turned the model twice.
void SceneTest::drawingTwiceGivesTheSamePicture() {
    Picture picture(Row());
    picture.view.displayFlags = ViewState::kBallAndStick;
    picture.Bond(0, 1);
    picture.view.camera.Turn(20, 35);
    picture.view.camera.Pan(10, 5);
    picture.view.labelledAtoms = {1};
    const QImage first = picture.Draw();
    QCOMPARE(picture.Draw(), first);
    QCOMPARE(picture.Draw(), first);
    int drawn = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            drawn += first.pixelColor(x, y) != kBackground ? 1 : 0;
    QVERIFY2(drawn > 500, qPrintable(QString::number(drawn)));
}

void SceneTest::dragStepsTurnAsTheIncrementsDidAndRefitResets() {
    Picture picture(Row());
    Camera& camera = picture.view.camera;
    camera.Turn(0, 10);
    camera.Turn(0, 10);
    QVERIFY(std::abs(camera.orientation[0] - std::cos(20 * M_PI / 180)) < 1e-12);
    QVERIFY(std::abs(camera.orientation[8] - std::sin(20 * M_PI / 180)) < 1e-12);
    camera.Pan(50, 0);
    QCOMPARE(camera.orientation[12], 0.5);

    // Drag steps (turns down/right, moves right/down) as the picture used to
    // apply them through OpenGL: move, move, turn about x, turn about y,
    // then everything before.
    struct Step {
        int down, right, panRight, panDown;
    };
    const Step steps[] = {
        {5, 12, 0, 0}, {-3, 7, 0, 0}, {0, 0, 20, -10}, {30, 0, 0, 0}, {2, -40, 0, 0}};
    Camera stepped;
    stepped.centre = camera.centre;
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    double old[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, old);
    for (const Step& step : steps) {
        glLoadIdentity();
        glTranslated(step.panRight * 0.01, 0.0, 0.0);
        glTranslated(0.0, step.panDown * -0.01, 0.0);
        glRotated(step.down, 1.0, 0.0, 0.0);
        glRotated(step.right, 0.0, 1.0, 0.0);
        glMultMatrixd(old);
        glGetDoublev(GL_MODELVIEW_MATRIX, old);
        stepped.Turn(step.down, step.right);
        stepped.Pan(step.panRight, step.panDown);
    }
    for (int i = 0; i < 16; ++i)
        QVERIFY2(std::abs(stepped.orientation[i] - old[i]) < 1e-5, qPrintable(QString::number(i)));
    picture.view.displayFlags = ViewState::kBallAndStick;
    picture.Bond(0, 1);
    picture.view.camera = stepped;
    const QImage now = picture.Draw();
    std::copy(std::begin(old), std::end(old), picture.view.camera.orientation.begin());
    const QImage before = picture.Draw();
    int differ = 0, most = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const QColor a = now.pixelColor(x, y), b = before.pixelColor(x, y);
            const int d = std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()),
                                    std::abs(a.blue() - b.blue())});
            differ += d > 0 ? 1 : 0;
            most = std::max(most, d);
        }
    // OpenGL kept the old orientation in single precision: an edge pixel
    // may round the other way, nothing more.
    QVERIFY2(differ <= 8 && most <= 1, qPrintable(QStringLiteral("%1 %2").arg(differ).arg(most)));

    camera.SetZoom(2.5);
    picture.Refit(1.0);
    QCOMPARE(camera.zoom, 1.0);
    QCOMPARE(camera.orientation, IdentityMatrix());
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

void SceneTest::ribbonPiecesAndSegmentEnds() {
    // 30 backbone atoms without a gap: 28 control points, one segment.
    const std::vector<RibbonPiece> full{{0, 7}, {7, 7}, {14, 7}, {21, 5}};
    QCOMPARE(PlanRibbonPieces({27}), full);
    // A gap right after the first atoms draws nothing for that segment; the
    // next one begins three points past its end.
    QCOMPARE(PlanRibbonPieces({1, 12}), (std::vector<RibbonPiece>{{4, 7}}));
    QCOMPARE(PlanRibbonPieces({-1, 12}), (std::vector<RibbonPiece>{{2, 7}, {9, 2}}));
    // A segment ending exactly at start + 7 keeps its end point.
    QCOMPARE(PlanRibbonPieces({7, 20}), (std::vector<RibbonPiece>{{0, 7}, {11, 7}, {18, 1}}));
    // More gaps than the thirty the first version had room for.
    std::vector<Point3D> backbone;
    for (int i = 0; i < 200; ++i)
        backbone.push_back({i * 1.4 + (i % 3 == 2 ? 0.0 : 0.0) + (i / 3) * 5.0, 0, 0});
    const std::vector<int> ends = RibbonSegmentEnds(backbone);
    QCOMPARE(ends.size(), std::size_t{67});
    QCOMPARE(ends.front(), 0);
    QCOMPARE(ends.back(), 197);
}

namespace {

// Ten residues N, CA, C laid along x; residues 5 to 9 moved 10 Å further,
// so no atom lies between x = 17.6 and 29. With two models, the second is
// the same chain 5 Å further along y.
std::unique_ptr<CMolData> BrokenChain(int models = 1) {
    QByteArray text;
    for (int m = 0; m < models; ++m) {
        int serial = 0;
        if (models > 1)
            text += QString::asprintf("MODEL     %4d\n", m + 1).toLatin1();
        for (int r = 0; r < 10; ++r) {
            const double shift = r * 3.8 + (r >= 5 ? 10.0 : 0.0);
            const double xyz[3][2] = {{shift, 0.0}, {shift + 1.2, 0.8}, {shift + 2.4, 0.0}};
            const char* names[3] = {" N  ", " CA ", " C  "};
            for (int a = 0; a < 3; ++a)
                text += QString::asprintf("ATOM  %5d %s ALA A%4d    %8.3f%8.3f%8.3f  1.00  0.00\n",
                                          ++serial, names[a], r + 1, xyz[a][0], xyz[a][1] + 5.0 * m,
                                          0.0)
                            .toLatin1();
        }
        if (models > 1)
            text += "ENDMDL\n";
    }
    QTemporaryDir dir;
    QFile file(dir.filePath("chain.pdb"));
    file.open(QIODevice::WriteOnly);
    file.write(text);
    file.close();
    StdioFile in;
    in.Open(file.fileName().toStdString(), StdioFile::modeRead);
    return ReadMolecule(&in, FileKind::kPdb, PdbOptions{});
}

} // namespace

// Every model of an ensemble is drawn as a ribbon, not only the first.
void SceneTest::eachModelOfAnEnsembleHasItsRibbon() {
    Picture picture(BrokenChain(2));
    QCOMPARE(picture.Model().frameCount, 2);
    picture.view.displayFlags = ViewState::kRibbon;
    picture.view.frame = 1;
    picture.Refit(0.15);
    const QImage image = picture.Draw();
    int brightest = 0;
    const QPoint at = picture.Project(8.0, 5.0 + 0.8 / 3, 0);
    for (int dx = -3; dx <= 3; ++dx)
        for (int dy = -3; dy <= 3; ++dy)
            brightest = std::max(brightest, image.pixelColor(at + QPoint(dx, dy)).green());
    QVERIFY2(brightest >= 110, qPrintable(QString::number(brightest)));
}

void SceneTest::ribbonBreaksAtAGapAndNeedsAProtein() {
    Picture picture(BrokenChain());
    picture.view.displayFlags = ViewState::kRibbon;
    picture.Refit(0.15);
    const QImage image = picture.Draw();
    // Control points lie at y = 0.8 / 3 along x: the trace is a line there.
    const double y = 0.8 / 3;
    // The smoothed strip fades at the joins of its short lines: look for the
    // trace's grey near each point.
    const auto greyNear = [&image](QPoint at) {
        int brightest = 0;
        for (int dx = -3; dx <= 3; ++dx)
            for (int dy = -3; dy <= 3; ++dy)
                brightest = std::max(brightest, image.pixelColor(at + QPoint(dx, dy)).green());
        return brightest;
    };
    QVERIFY(greyNear(picture.Project(8.0, y, 0)) >= 110);  // the first part
    QCOMPARE(greyNear(picture.Project(24.0, y, 0)), 0);    // no line across the gap
    QVERIFY(greyNear(picture.Project(40.0, y, 0)) >= 110); // the second part
    // Picking meets only the trace, which names no atom.
    picture.view.displayFlags = ViewState::kRibbon | ViewState::kVibration;
    picture.Draw();
    const QPoint onTrace = picture.Project(8.0, y, 0);
    QCOMPARE(picture.scene->hitTest(onTrace.x(), onTrace.y()), -1);

    // The same atoms from a Gaussian file draw no ribbon.
    picture.view.displayFlags = ViewState::kRibbon;
    picture.Model().sourceKind = CMolData::SourceKind::kGaussian;
    const QImage none = picture.Draw();
    QCOMPARE_COLOUR(none.pixelColor(picture.Project(8.0, y, 0)), kBackground);
    QCOMPARE_COLOUR(none.pixelColor(picture.Project(40.0, y, 0)), kBackground);
}

// A p-like grid, x e^(-r) in bohr, about two atoms on x: the positive lobe
// (blue) right, the negative one (red) left, reaching as far as the mesh
// says once bohr are turned into ångström; the shaders and the
// fixed-function drawing show the same.
void SceneTest::isosurfacesSitWhereTheirValuesAreInEitherDrawing() {
    Picture picture({{"C", -0.7, 0, 0, 0, "ALA"}, {"C", 0.7, 0, 0, 0, "ALA"}});
    auto grid = std::make_shared<VolumeGrid>();
    grid->points = {61, 61, 61};
    grid->origin = {-6, -6, -6};
    grid->axes = {Point3D{0.2, 0, 0}, Point3D{0, 0.2, 0}, Point3D{0, 0, 0.2}};
    grid->values.resize(grid->Count());
    for (int i = 0; i < 61; ++i)
        for (int j = 0; j < 61; ++j)
            for (int k = 0; k < 61; ++k) {
                const Point3D q = grid->PointAt(i, j, k);
                grid->values[grid->Index(i, j, k)] = static_cast<float>(q.x * std::exp(-Length(q)));
            }
    SurfaceState& surface = picture.document.surface;
    surface.volume = grid;
    surface.isovalue = 0.1;
    surface.Update();
    picture.view.displayFlags = ViewState::kBallAndStick;
    picture.Refit(0.5);
    float reach = 0.0F; // the mesh's farthest x, bohr
    for (std::size_t v = 0; v < surface.positive->positions.size(); v += 3)
        reach = std::max(reach, surface.positive->positions[v]);
    const double edge = reach * kBohrInAngstrom;
    for (bool fixed : {false, true}) {
        picture.scene->fixedFunction = fixed;
        const QImage image = picture.Draw();
        const QPoint inside = picture.Project(edge * 0.9, 0, 0);
        const QPoint outside = picture.Project(edge * 1.1, 0, 0);
        const QColor in = image.pixelColor(inside), out = image.pixelColor(outside);
        QVERIFY2(in.blue() > 2 * in.red(), qPrintable(in.name()));
        QCOMPARE_COLOUR(out, kBackground);
        const QColor left = image.pixelColor(picture.Project(-edge * 0.9, 0, 0));
        QVERIFY2(left.red() > 2 * left.blue(), qPrintable(left.name()));
    }
}

RAVEK_GUI_TEST_MAIN(SceneTest)
#include "SceneTest.moc"
