// The Ramachandran plot window: the square, axes, numbers and captions, and
// the points where the high-metric mapping puts them.

#include "GuiTestMain.h"
#include "PaintedTexts.h"
#include "PixelCluster.h"
#include "model/CMolData.h"
#include "platform/Document.h"
#include "render/MolDocState.h"
#include "tests/support/TestMolData.h"
#include "view/CPlotView.h"

#include <QTest>

#include <cmath>
#include <memory>

namespace {

// A document with a model whose geometry 0 holds the given angle pairs.
class PlotDocument : public Document, public MolDocState {
public:
    explicit PlotDocument(const std::vector<std::pair<double, double>>& angles) {
        auto model = std::make_unique<CMolData>(TestMolData(std::vector<TestAtom>{{"C", 0, 0, 0}}));
        model->sourceKind = CMolData::SourceKind::kPdb;
        int k = 0;
        for (const auto& [phi, psi] : angles) {
            model->GetFrame(0)->phiAngles[k] = phi;
            model->GetFrame(0)->psiAngles[k++] = psi;
        }
        data = std::move(model);
    }
};

QImage Picture(CPlotView& view, int width, int height) {
    view.resize(width, height);
    return view.grab().toImage();
}

bool IsRed(QColor c) {
    return c.red() > 200 && c.green() < 60 && c.blue() < 60;
}

int RedPixels(const QImage& image) {
    return Pixels(image, IsRed).count;
}

} // namespace

class PlotViewTest : public QObject {
    Q_OBJECT

private slots:
    void squareCentredInTheWindow();
    void pointLandsWhereTheMappingSays();
    void twoWindowsShowTheSamePoints();
    void withoutAnglesOnlyFrameAxesAndCaptions();
    void numbersEverySixtyDegreesBelowAndLeft();
};

void PlotViewTest::squareCentredInTheWindow() {
    PlotDocument document({});
    CPlotView view(&document, nullptr);
    QCOMPARE(CPlotView::PlotSize(100, 300), 80);
    const QImage image = Picture(view, 100, 300);
    QCOMPARE(image.pixelColor(10, 110), QColor(Qt::black));
    QCOMPARE(image.pixelColor(89, 110), QColor(Qt::black));
    QCOMPARE(image.pixelColor(89, 189), QColor(Qt::black));
    QCOMPARE(image.pixelColor(10, 189), QColor(Qt::black));
    QCOMPARE(image.pixelColor(9, 150), QColor(Qt::white));
    QCOMPARE(image.pixelColor(90, 150), QColor(Qt::white));
    QCOMPARE(image.pixelColor(30, 109), QColor(Qt::white));
    QCOMPARE(image.pixelColor(30, 190), QColor(Qt::white));
    // The dotted axes through the middle, phi = 0 and psi = 0.
    int axisDots = 0;
    for (int y = 111; y < 189; ++y)
        axisDots += image.pixelColor(50, y) == QColor(Qt::black) ? 1 : 0;
    QVERIFY2(axisDots > 20 && axisDots < 70, qPrintable(QString::number(axisDots)));
    // The captions: something drawn below the square and left of it.
    bool below = false, left = false;
    for (int y = 191; y < 215; ++y)
        for (int x = 45; x < 60; ++x)
            below = below || image.pixelColor(x, y).lightness() < 128;
    for (int y = 140; y < 165; ++y)
        for (int x = 0; x < 10; ++x)
            left = left || image.pixelColor(x, y).lightness() < 128;
    QVERIFY(below);
    QVERIFY(left);
}

void PlotViewTest::pointLandsWhereTheMappingSays() {
    PlotDocument document({{-57.5, -47.0}});
    CPlotView view(&document, nullptr);
    const QImage image = Picture(view, 400, 300);
    // The square is 240 pixels (0.8 of the smaller side), centred: from
    // (80, 30). phi runs across it from -180 to 180, psi up it from -180 to
    // 180, so the point's centre is where those fractions put it.
    const QPoint centre(80 + static_cast<int>(std::lround((-57.5 + 180) / 360 * 240)),
                        30 + static_cast<int>(std::lround((180 - -47.0) / 360 * 240)));
    bool found = false;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            found = found || IsRed(image.pixelColor(centre + QPoint(dx, dy)));
    QVERIFY2(found, qPrintable(image.pixelColor(centre).name()));
    // A 0.6 mm square at the screen's resolution: as many red pixels as
    // that area holds, give or take the edges.
    const double side = 0.6 / 25.4 * view.physicalDpiX();
    const int red = RedPixels(image);
    QVERIFY2(red >= std::pow(side - 2, 2) && red <= std::pow(side + 2, 2),
             qPrintable(QString::number(red)));
    QVERIFY(!IsRed(image.pixelColor(centre + QPoint(static_cast<int>(side) + 3, 0))));
}

void PlotViewTest::twoWindowsShowTheSamePoints() {
    PlotDocument document({{-60, -45}, {-120, 130}, {60, 40}});
    CPlotView first(&document, nullptr);
    CPlotView second(&document, nullptr);
    QCOMPARE(document.GetViews().size(), std::size_t{2});
    const QImage a = Picture(first, 300, 300);
    QCOMPARE(Picture(second, 300, 300), a);
    QVERIFY(RedPixels(a) > 0);
}

void PlotViewTest::withoutAnglesOnlyFrameAxesAndCaptions() {
    PlotDocument document({});
    CPlotView view(&document, nullptr);
    const QImage image = Picture(view, 300, 300);
    QCOMPARE(RedPixels(image), 0);
    QCOMPARE(image.pixelColor(30, 30), QColor(Qt::black));
}

void PlotViewTest::numbersEverySixtyDegreesBelowAndLeft() {
    PlotDocument document({});
    CPlotView view(&document, nullptr);
    view.resize(400, 300);
    PaintedTexts painted(400, 300);
    view.render(&painted);
    // The square: 240 pixels from (80, 30).
    for (int angle = -180; angle <= 180; angle += 60) {
        const std::vector<PaintedTexts::Text> found = painted.Find(QString::number(angle));
        QCOMPARE(found.size(), std::size_t{2});
        const double at = (angle + 180) / 360.0 * 239;
        // φ below the square, centred on its place; ψ left of it, level
        // with its place.
        const auto& phi = found[0].box.top() > found[1].box.top() ? found[0] : found[1];
        const auto& psi = &phi == &found[0] ? found[1] : found[0];
        QVERIFY2(std::abs(phi.box.center().x() - (80 + at)) < 2.0,
                 qPrintable(QString::number(angle)));
        QVERIFY(phi.box.top() >= 270 && phi.box.bottom() < 300);
        QVERIFY2(std::abs(psi.box.center().y() - (30 + 239 - at)) < 2.0,
                 qPrintable(QString::number(angle)));
        QVERIFY(psi.box.right() < 80 && psi.box.left() >= 0);
    }
}

RAVEK_GUI_TEST_MAIN(PlotViewTest)
#include "PlotViewTest.moc"
