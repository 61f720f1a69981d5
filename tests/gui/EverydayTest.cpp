// Everyday use through the real windows: opening a file that gives no
// molecule leaves the one shown as it was; the "all molecule files" filter
// reads a file by its content; a picture's typed extension decides its kind
// and a missing one is added; windows say in their titles what they show; a
// tall window shows the whole molecule and Home turns it to its principal
// axes; the optimisation chart's painted numbers are round, whole and in
// the right places at 400 pixels wide, in both languages.

#include "AppHarness.h"
#include "PaintedTexts.h"
#include "Projection.h"

#include "app/CMainFrame.h"
#include "app/CMolDoc.h"
#include "app/UiLanguage.h"
#include "model/CMolData.h"
#include "platform/ChildFrame.h"
#include "res/CommandIds.h"
#include "tests/support/GaussianOutputText.h"
#include "view/AxisTicks.h"
#include "view/CMeasurementsPanel.h"
#include "view/CMolView.h"
#include "view/COptChartView.h"
#include "view/ViewPicture.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QToolBar>

#include <cmath>

using namespace CommandIds;

namespace {

// The bounding box of the pixels that are not the background's colour.
QRect Drawn(const QImage& picture) {
    const QRgb background = picture.pixel(0, 0);
    QRect box;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (picture.pixel(x, y) != background)
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

// The first bytes of a file.
QByteArray Head(const AppHarness& h, const QString& path) {
    return h.Read(path).left(4);
}

// Water optimised in four steps: the energies in hartree, a maximum force
// per step.
QByteArray WaterOptimisation(const double (&energies)[4]) {
    GaussianOutputText out(GaussianOutputText::kBanner16);
    const std::vector<OrientationRow> water = {
        {8, 0.0, 0.0, 0.12}, {1, 0.0, 0.76, -0.47}, {1, 0.0, -0.76, -0.47}};
    for (int step = 0; step < 4; ++step) {
        out.Orientation("Input", water);
        out.Line(QString::asprintf(" SCF Done:  E(RB3LYP) =  %.6f     A.U. after   9 cycles",
                                   energies[step])
                     .toStdString());
        out.Line(QString::asprintf(" Maximum Force            %.6f     0.000450     %s",
                                   0.01 / std::pow(10.0, step), step == 3 ? "YES" : "NO ")
                     .toStdString());
        out.Line(QString::asprintf(" RMS     Displacement     %.6f     0.001200     %s",
                                   0.02 / std::pow(10.0, step), step == 3 ? "YES" : "NO ")
                     .toStdString());
    }
    out.Line(" Normal termination of Gaussian 16");
    return QByteArray::fromStdString(out.Text());
}

} // namespace

class EverydayTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { AppHarness::VerifyNothingUnexpected(); }
    void openingKeepsTheMoleculeShown();
    void allMoleculeFilesReadsByContent();
    void picturesTakeTheirKindFromTheName();
    void titlesAreTheDocumentsName();
    void tallWindowShowsTheWholeMoleculeAndHomeTurnsIt();
    void chartNumbersAreRoundWholeAndPlaced();
    void labelsStandInFrontOfTheirSpheres();
    void measurementsStayDrawnListedAndFollowTheGeometry();
    void axisTicksAreRoundAndAlwaysEnd();
    void measurementValuesAtOnePlaceDoNotPileUp();
};

void EverydayTest::openingKeepsTheMoleculeShown() {
    AppHarness h;
    QVERIFY(h.Start(h.Write("pep.pdb", Fixtures::kPeptidePdb)));
    QVERIFY(h.WaitForPicture());
    CMolDoc* document = h.ActiveDocument();
    CMolView* view = h.ActiveView();
    view->state.displayFlags = 2; // ball and stick
    const CMolData* shown = document->data.get();
    // With the Gaussian filter, a file that holds no coordinates.
    h.QueueDialogAnswer(h.Write("notes.log", "nothing to see here\n"), 1);
    h.Run(kFileOpen);
    QCOMPARE(h.TakeMessages(),
             QStringList{QStringLiteral(
                 "分子データを読み込めませんでした: 原子座標が見つかりません (notes.log)")});
    QCOMPARE(h.ActiveDocument(), document);
    QCOMPARE(document->data.get(), shown);
    QCOMPARE(document->data->AtomCount(0), 17);
    QCOMPARE(view->state.displayFlags, 2);
    QCOMPARE(h.ActiveFrame()->windowTitle(), QStringLiteral("pep.pdb"));
    QVERIFY(document->StatusMessage().isEmpty());
    // A file that does give a molecule replaces it.
    h.QueueDialogAnswer(h.Write("w.com", Fixtures::kWaterInput), 1);
    h.Run(kFileOpen);
    QCOMPARE(document->data->AtomCount(0), 3);
    QCOMPARE(h.ActiveFrame()->windowTitle(), QStringLiteral("w.com"));
    // A job that has begun but printed no geometry yet takes the window, to
    // be watched until it does.
    GaussianOutputText begun(GaussianOutputText::kBanner16);
    h.QueueDialogAnswer(h.Write("begun.log", QByteArray::fromStdString(begun.Text())), 1);
    h.Run(kFileOpen);
    QVERIFY(h.TakeMessages().isEmpty());
    QCOMPARE(h.ActiveFrame()->windowTitle(), QStringLiteral("begun.log"));
    QVERIFY(document->data == nullptr);
    h.Exit();
}

void EverydayTest::allMoleculeFilesReadsByContent() {
    AppHarness h;
    QVERIFY(h.Start(h.Write("w.com", Fixtures::kWaterInput)));
    CMolDoc* document = h.ActiveDocument();
    // The last filter; names that say nothing.
    h.QueueDialogAnswer(h.Write("peptide.txt", Fixtures::kPeptidePdb), 6);
    h.Run(kFileOpen);
    QCOMPARE(document->data->AtomCount(0), 17);
    QCOMPARE(h.ActiveFrame()->windowTitle(), QStringLiteral("peptide.txt"));
    QCOMPARE(document->openFilterIndex, 6);
    h.QueueDialogAnswer(h.Write("water", Fixtures::kWaterInput), 6);
    h.Run(kFileOpen);
    QCOMPARE(document->data->AtomCount(0), 3);
    // A name that says something still decides.
    h.QueueDialogAnswer(h.Write("named.pdb", Fixtures::kPeptidePdb), 6);
    h.Run(kFileOpen);
    QCOMPARE(document->data->AtomCount(0), 17);
    // Neither name nor content: said, and the molecule stays.
    h.QueueDialogAnswer(h.Write("shopping.txt", "milk\neggs\n"), 6);
    h.Run(kFileOpen);
    QCOMPARE(h.TakeMessages(),
             QStringList{QStringLiteral("分子データを読み込めませんでした: "
                                        "ファイルの種類を名前からも内容からも判断できません "
                                        "(shopping.txt)")});
    QCOMPARE(document->data->AtomCount(0), 17);
    h.Exit();
}

void EverydayTest::picturesTakeTheirKindFromTheName() {
    AppHarness h;
    QVERIFY(h.Start(h.Write("w.com", Fixtures::kWaterInput)));
    QVERIFY(h.WaitForPicture());
    const QByteArray png("\x89PNG", 4), bmp("BM", 2);
    const auto isTiff = [](const QByteArray& head) {
        return head == QByteArray("II*\0", 4) || head == QByteArray("MM\0*", 4);
    };
    const auto bits = [&h](const QString& path) { return static_cast<int>(h.Read(path).at(28)); };
    // 画像保存: the name as typed, the kind the filter's. "pic" with the
    // 24-bit filter is a 24-bit BMP named exactly "pic"; a name ending in
    // .png with the 32-bit filter a 32-bit BMP; the TIFF filter and a .bmp
    // name a TIFF.
    h.QueueDialogAnswer(h.Path("pic"), 1);
    h.Run(kSavePicture);
    QCOMPARE(Head(h, h.Path("pic")).left(2), bmp);
    QCOMPARE(bits(h.Path("pic")), 24);
    QVERIFY(!QFile::exists(h.Path("pic.bmp")));
    h.QueueDialogAnswer(h.Path("a.png"), 2);
    h.Run(kSavePicture);
    QCOMPARE(Head(h, h.Path("a.png")).left(2), bmp);
    QCOMPARE(bits(h.Path("a.png")), 32);
    h.QueueDialogAnswer(h.Path("t.bmp"), 3);
    h.Run(kSavePicture);
    QVERIFY(isTiff(Head(h, h.Path("t.bmp"))));
    QCOMPARE(h.dialogRequests.back().filterCount, 3); // no PNG filter here

    // The sized pictures go by the extension: the 24-bit BMP filter and a
    // .png name give a PNG; the PNG filter and no extension ".png" added;
    // the TIFF filter and an extension of no picture ".tif" added; the PNG
    // filter and a .bmp name a 24-bit BMP.
    const auto sized = [&h](const QString& name, int filter) {
        h.QueueDialogAnswer(h.Path(name), filter);
        h.QueueDialog([](QDialog& dialog) { dialog.accept(); });
        h.Run(kSavePictureSized);
    };
    sized("a2.png", 1);
    QCOMPARE(Head(h, h.Path("a2.png")), png);
    sized("b", 4);
    QCOMPARE(Head(h, h.Path("b.png")), png);
    QVERIFY(!QFile::exists(h.Path("b")));
    sized("c.opt", 3);
    QVERIFY(isTiff(Head(h, h.Path("c.opt.tif"))));
    sized("d.bmp", 4);
    QCOMPARE(h.Read(h.Path("d.bmp")).left(2), bmp);
    QCOMPARE(bits(h.Path("d.bmp")), 24);
    h.Exit();
}

void EverydayTest::titlesAreTheDocumentsName() {
    AppHarness h;
    const double energies[4] = {-76.30, -76.32, -76.3215, -76.3214};
    QVERIFY(h.Start(h.Write("opt.log", WaterOptimisation(energies))));
    // The molecule window bears the file's name alone; the step shown is in
    // the status bar and the step box.
    QCOMPARE(h.ActiveFrame()->windowTitle(), QStringLiteral("opt.log"));
    h.MainFrame()->Refresh();
    QVERIFY2(h.MainFrame()->StepPane()->text().startsWith(QStringLiteral("ステップ 4 / 4")),
             qPrintable(h.MainFrame()->StepPane()->text()));
    // Another step shown: the title stays.
    h.Run(kStepFirst);
    QCOMPARE(h.ActiveFrame()->windowTitle(), QStringLiteral("opt.log"));
    // With a second window every window is numbered; the chart says what
    // it shows after its number.
    h.Run(kOptimisationChart);
    QCOMPARE(h.ActiveFrame()->windowTitle(), QStringLiteral("opt.log:2 - 最適化チャート"));
    h.MainFrame()->Refresh();
    QCOMPARE(h.MainFrame()->windowTitle(), QStringLiteral("RAVEK - opt.log:2 - 最適化チャート"));
    h.MdiActivate(0);
    h.Run(kWindowNew);
    QStringList titles;
    for (ChildFrame* frame : h.Frames())
        titles << frame->windowTitle();
    titles.sort();
    QCOMPARE(titles, (QStringList{"opt.log:1", "opt.log:2 - 最適化チャート", "opt.log:3"}));
    // Closing two leaves the one unnumbered.
    while (h.Frames().size() > 1)
        h.Frames().back()->close();
    QTRY_COMPARE(h.Frames().size(), std::size_t{1});
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(h.Frames().front()->windowTitle(), QStringLiteral("opt.log"));
    h.Exit();
}

void EverydayTest::tallWindowShowsTheWholeMoleculeAndHomeTurnsIt() {
    AppHarness h;
    h.Store("DisplayMode", 2);
    h.answerYes = true;
    QVERIFY(h.Start(h.Write("pep.pdb", Fixtures::kPeptidePdb)));
    h.TakeMessages();
    ChildFrame* frame = h.ActiveFrame();
    frame->showNormal();
    frame->resize(220, 640);
    CMolView* view = h.ActiveView();
    QTRY_VERIFY(view->height() > 2 * view->width());
    view->update();
    QVERIFY(h.WaitForPicture());
    // The peptide lies along x: whole across the narrow window, clear of
    // both sides.
    QImage picture = view->grabFramebuffer().convertToFormat(QImage::Format_RGB32);
    QRect drawn = Drawn(picture);
    QVERIFY(!drawn.isEmpty());
    QVERIFY2(drawn.left() > 2 && drawn.right() < picture.width() - 3,
             qPrintable(QStringLiteral("drawn %1..%2 of %3")
                            .arg(drawn.left())
                            .arg(drawn.right())
                            .arg(picture.width())));
    QVERIFY(drawn.width() > picture.width() / 2);

    // Water in the yz plane opens edge-on (a vertical line); Home turns it
    // face-on, the H–H direction across.
    frame->resize(500, 400);
    h.QueueDialogAnswer(h.Write("w.com", Fixtures::kWaterInput), 1);
    h.Run(kFileOpen);
    QTRY_VERIFY(view->width() > view->height());
    QVERIFY(h.WaitForPicture());
    drawn = Drawn(view->grabFramebuffer().convertToFormat(QImage::Format_RGB32));
    QVERIFY(drawn.height() > 2 * drawn.width());
    // Shortcuts go to the active window; without a window manager it is
    // made so here.
    h.MainFrame()->activateWindow();
    QApplication::setActiveWindow(h.MainFrame());
    QTRY_VERIFY(h.MainFrame()->isActiveWindow());
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Home);
    QVERIFY(h.WaitForPicture());
    drawn = Drawn(view->grabFramebuffer().convertToFormat(QImage::Format_RGB32));
    QVERIFY2(drawn.width() > drawn.height(),
             qPrintable(QStringLiteral("%1 × %2").arg(drawn.width()).arg(drawn.height())));
    // The plane's normal (x) along the line of sight, H–H (y) across.
    const Matrix4& m = view->state.camera.orientation;
    QVERIFY(std::abs(std::abs(m[2]) - 1.0) < 1e-9);
    QVERIFY(std::abs(std::abs(m[4]) - 1.0) < 1e-9);
    // The setting makes new files open so.
    h.Store("OpenPrincipalAxes", 1);
    h.QueueDialogAnswer(h.Write("w2.com", Fixtures::kWaterInput), 1);
    h.Run(kFileOpen);
    QVERIFY(h.WaitForPicture());
    QVERIFY(std::abs(std::abs(view->state.camera.orientation[2]) - 1.0) < 1e-9);
    h.Exit();
}

void EverydayTest::chartNumbersAreRoundWholeAndPlaced() {
    AppHarness h;
    const double energies[4] = {-76.30, -76.32, -76.3215, -76.3214};
    QVERIFY(h.Start(h.Write("opt.log", WaterOptimisation(energies))));
    h.Run(kOptimisationChart);
    auto* chart = h.MainFrame()->findChild<COptChartView*>();
    QVERIFY(chart != nullptr);
    const auto paint = [chart](int width, int height) {
        auto texts = std::make_unique<PaintedTexts>(width, height);
        QPainter painter(texts.get());
        chart->Paint(painter, QRect(0, 0, width, height));
        return texts;
    };
    for (const bool english : {false, true}) {
        UiLanguage::Install(english ? UiLanguage::kEnglish : UiLanguage::kJapanese);
        const std::unique_ptr<PaintedTexts> painted = paint(400, 520);
        // Every text whole within the picture; no two texts overlap.
        const std::vector<PaintedTexts::Text>& texts = painted->Texts();
        for (std::size_t i = 0; i < texts.size(); ++i) {
            QVERIFY2(texts[i].box.left() >= 0.0 && texts[i].box.right() <= 400.0,
                     qPrintable(texts[i].text));
            for (std::size_t j = i + 1; j < texts.size(); ++j)
                QVERIFY2(!texts[i].box.adjusted(0.5, 0.5, -0.5, -0.5).intersects(texts[j].box),
                         qPrintable(texts[i].text + QStringLiteral(" / ") + texts[j].text));
        }
        for (const char* item : {"最大変位", "RMS 変位", "最大力", "RMS 力"})
            QCOMPARE(painted->Find(QCoreApplication::translate("COptChartView", item)).size(),
                     std::size_t{1});
        if (english)
            QCOMPARE(painted->Find(QStringLiteral("Maximum displacement")).size(), std::size_t{1});
        // The step numbers, under both panels.
        for (const char* step : {"1", "2", "3", "4"})
            QCOMPARE(painted->Find(QString::fromLatin1(step)).size(), std::size_t{2});
        // The energy labels: kcal/mol on the left, hartree at the same
        // height on the right, each centred on its tick; a round step
        // between them.
        struct Tick {
            double y, kcal, hartree;
        };
        std::vector<Tick> ticks;
        for (const PaintedTexts::Text& left : texts) {
            bool number = false;
            const double kcal = left.text.toDouble(&number);
            // In the margins: the left quarter and the right quarter.
            if (!number || left.box.right() > 100.0 || left.text.startsWith(QLatin1String("1e")))
                continue;
            for (const PaintedTexts::Text& right : texts) {
                // (Hartree values have decimals; step numbers have none.)
                if (right.box.left() > 300.0 && right.text.contains(QLatin1Char('.')) &&
                    std::abs(right.baseline - left.baseline) < 0.01)
                    ticks.push_back({left.box.center().y(), kcal, right.text.toDouble()});
            }
        }
        QVERIFY2(ticks.size() >= 3, qPrintable(QString::number(ticks.size())));
        const double step = std::abs(ticks[1].kcal - ticks[0].kcal);
        const double mantissa = step / std::pow(10.0, std::floor(std::log10(step) + 1e-9));
        QVERIFY2(std::abs(mantissa - 1.0) < 1e-6 || std::abs(mantissa - 2.0) < 1e-6 ||
                     std::abs(mantissa - 5.0) < 1e-6,
                 qPrintable(QString::number(step)));
        for (std::size_t k = 1; k < ticks.size(); ++k)
            QVERIFY(std::abs(std::abs(ticks[k].kcal - ticks[k - 1].kcal) - step) < 1e-6);
        // Hartree = first energy + kcal/mol / 627.509474, to the digits shown
        // (enough of them to tell neighbours apart).
        for (const Tick& t : ticks) {
            const QString text = QString::number(t.hartree, 'f', 6);
            QVERIFY2(std::abs(t.hartree - (energies[0] + t.kcal / 627.509474)) <
                         0.51 * std::abs(step) / 627.509474 / 10.0,
                     qPrintable(text));
        }
        // Each step's point stands where both axes read its energy.
        const Tick& a = ticks.front();
        const Tick& b = ticks.back();
        std::vector<QRectF> points;
        for (const QRectF& e : painted->Ellipses()) {
            if (std::abs(e.width() - 5.0) < 0.01)
                points.push_back(e);
        }
        QCOMPARE(points.size(), std::size_t{4});
        for (int g = 0; g < 4; ++g) {
            const double kcal = (energies[g] - energies[0]) * 627.509474;
            const double y = a.y + (kcal - a.kcal) / (b.kcal - a.kcal) * (b.y - a.y);
            QVERIFY2(std::abs(points[static_cast<std::size_t>(g)].center().y() - y) < 0.5,
                     qPrintable(QStringLiteral("step %1: %2 vs %3")
                                    .arg(g + 1)
                                    .arg(points[static_cast<std::size_t>(g)].center().y())
                                    .arg(y)));
        }
    }
    UiLanguage::Install(UiLanguage::kJapanese);
    h.Exit();
}

void EverydayTest::labelsStandInFrontOfTheirSpheres() {
    AppHarness h;
    h.Store("DisplayMode", 2); // ball and stick
    QVERIFY(h.Start(h.Write("w.com", Fixtures::kWaterInput)));
    CMolView* view = h.ActiveView();
    // A white background: dark pixels can only be an outline's.
    for (float& channel : view->state.backgroundColour)
        channel = 1.0F;
    view->state.labelsInElementColour = false;
    view->state.labelColour[0] = view->state.labelColour[2] = 0.0F;
    view->state.labelColour[1] = 1.0F;
    h.Run(kLabelAll);
    // The oxygen's label begins at its centre and runs up and to the
    // right, over its red sphere: green there, in the window and in a saved
    // picture; plain text by default, with a dark outline when chosen.
    const auto count = [&](bool outlined) {
        view->update();
        QVERIFY(h.WaitForPicture());
        const QString path = h.Path(outlined ? "outlined.png" : "plain.png");
        QVERIFY(ViewPicture(view->Pictures()).Write(path, ViewPicture::kPng));
        for (const QImage& picture :
             {view->grabFramebuffer().convertToFormat(QImage::Format_RGB32), QImage(path)}) {
            const QPoint o = ProjectAtom(view->state.camera, picture.width(), picture.height(), 0.0,
                                         0.0, 0.1173);
            int green = 0, dark = 0;
            for (int y = o.y() - 16; y <= o.y(); ++y) {
                for (int x = o.x(); x <= o.x() + 16; ++x) {
                    const QColor c = picture.pixelColor(x, y);
                    green += c.green() > 200 && c.red() < 80 && c.blue() < 80;
                    dark += c.red() < 40 && c.green() < 40 && c.blue() < 40;
                }
            }
            QVERIFY2(green > 8 && (outlined ? dark > 8 : dark == 0),
                     qPrintable(QStringLiteral("green %1, dark %2").arg(green).arg(dark)));
        }
    };
    QVERIFY(!h.IsChecked(kLabelOutlines));
    count(false);
    h.Run(kLabelOutlines);
    QVERIFY(h.IsChecked(kLabelOutlines));
    count(true);
    h.Exit();
    QCOMPARE(h.Stored("LabelOutlines"), 1);
}

void EverydayTest::measurementsStayDrawnListedAndFollowTheGeometry() {
    // Water whose O–H bonds grow by 0.02 Å (in y) each step; the last step
    // is shown first.
    GaussianOutputText out(GaussianOutputText::kBanner16);
    const auto hydrogenY = [](int step) { return 0.76 + 0.02 * step; };
    for (int step = 0; step < 3; ++step) {
        out.Orientation("Input", {{8, 0.0, 0.0, 0.12},
                                  {1, 0.0, hydrogenY(step), -0.47},
                                  {1, 0.0, -hydrogenY(step), -0.47}});
        out.Line(" SCF Done:  E(RB3LYP) =  -76.300000     A.U. after   9 cycles");
    }
    out.Line(" Normal termination of Gaussian 16");
    AppHarness h;
    h.Store("DisplayMode", 2);
    QVERIFY(h.Start(h.Write("grow.log", QByteArray::fromStdString(out.Text()))));
    QVERIFY(h.WaitForPicture());
    CMolView* view = h.ActiveView();
    CMolDoc* document = h.ActiveDocument();
    QCOMPARE(document->chosenFrame, 2);
    const auto click = [view](double y, double z) {
        QTest::mouseClick(
            view, Qt::LeftButton, Qt::NoModifier,
            ProjectAtom(view->state.camera, view->width(), view->height(), 0.0, y, z));
    };
    // The distance button of the toolbar; plain clicks on O and H.
    auto* toolBar = h.MainFrame()->findChild<QToolBar*>();
    QWidget* distanceButton = toolBar->widgetForAction(h.MainFrame()->Action(kMeasureDistance));
    QVERIFY(distanceButton != nullptr);
    QTest::mouseClick(distanceButton, Qt::LeftButton);
    QVERIFY(h.IsChecked(kMeasureDistance));
    click(0.0, 0.12);
    QCOMPARE(view->state.measurements.size(), std::size_t{0});
    click(hydrogenY(2), -0.47);
    QCOMPARE(view->state.measurements.size(), std::size_t{1});
    QVERIFY(view->state.labelledAtoms.empty()); // measuring labels nothing
    // The angle from the menu command; H, O, H.
    h.Run(kMeasureAngle);
    QVERIFY(!h.IsChecked(kMeasureDistance) && h.IsChecked(kMeasureAngle));
    click(hydrogenY(2), -0.47);
    click(0.0, 0.12);
    click(-hydrogenY(2), -0.47);
    QCOMPARE(view->state.measurements.size(), std::size_t{2});
    // Listed in the panel the View menu opens (it does not open by itself).
    h.MainFrame()->Refresh();
    CMeasurementsPanel* panel = h.MainFrame()->MeasurementsPanel();
    QVERIFY(!panel->isVisible());
    h.Run(kPanelMeasurements);
    QVERIFY(panel->isVisible());
    const auto expected = [&](int step) {
        const double y = hydrogenY(step), z = 0.12 + 0.47;
        return QStringList{QString::asprintf("%.3f Å", std::hypot(y, z)),
                           QString::asprintf("%.1f°", 2.0 * std::atan2(y, z) * 180.0 / M_PI)};
    };
    const auto shown = [panel] {
        return QStringList{panel->table->item(0, 2)->text(), panel->table->item(1, 2)->text()};
    };
    QCOMPARE(panel->table->item(0, 0)->text(), QStringLiteral("距離"));
    QCOMPARE(panel->table->item(1, 0)->text(), QStringLiteral("角度"));
    QCOMPARE(shown(), expected(2));
    // Another geometry: the values follow as the window draws it.
    document->ChooseFrame(0);
    document->UpdateAllViews(nullptr);
    QVERIFY(h.WaitForPicture());
    QTRY_COMPARE(shown(), expected(0));
    // Drawn in the measurement's yellow in a saved picture: the dashes
    // along O–H (left of the atoms' column, where no value is written, and
    // past the angle's arc), and the values.
    const QString path = h.Path("measured.png");
    QVERIFY(ViewPicture(view->Pictures()).Write(path, ViewPicture::kPng));
    const QImage picture(path);
    const auto isYellow = [&picture](int x, int y) {
        const QColor c = picture.pixelColor(x, y);
        return c.red() > 200 && c.green() > 160 && c.blue() < 90;
    };
    const QPoint o =
        ProjectAtom(view->state.camera, picture.width(), picture.height(), 0.0, 0.0, 0.12);
    const QPoint hydrogen = ProjectAtom(view->state.camera, picture.width(), picture.height(), 0.0,
                                        hydrogenY(0), -0.47);
    int dashes = 0, all = 0;
    for (int y = hydrogen.y() + (o.y() - hydrogen.y()) / 10;
         y < hydrogen.y() + (o.y() - hydrogen.y()) * 6 / 10; ++y) {
        for (int x = o.x() - 12; x < o.x(); ++x)
            dashes += isYellow(x, y);
    }
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x)
            all += isYellow(x, y);
    }
    QVERIFY2(dashes > 5 && all > dashes + 40,
             qPrintable(QStringLiteral("%1 %2").arg(dashes).arg(all)));
    // Copied as text; one removed, then all cleared.
    QTest::mouseClick(panel->copyButton, Qt::LeftButton);
    const QStringList lines =
        QApplication::clipboard()->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 2);
    QVERIFY2(lines[0].startsWith(QStringLiteral("距離\t")) &&
                 lines[0].endsWith(QStringLiteral("\t") + expected(0)[0]),
             qPrintable(lines[0]));
    panel->table->selectRow(0);
    QTest::mouseClick(panel->removeButton, Qt::LeftButton);
    QCOMPARE(view->state.measurements.size(), std::size_t{1});
    QCOMPARE(view->state.measurements[0].atoms.size(), std::size_t{3});
    QVERIFY(h.IsEnabled(kClearMeasurements));
    h.Run(kClearMeasurements);
    QVERIFY(view->state.measurements.empty());
    QCOMPARE(panel->table->rowCount(), 0);
    // With the setting, the panel comes with a window's first measurement
    // and goes when none are left.
    h.Run(kPanelMeasurements);
    QVERIFY(!panel->isVisible());
    h.Run(kPanelsOpenThemselves);
    QCOMPARE(h.Stored("PanelsOpenThemselves"), 1);
    h.Run(kMeasureDistance);
    click(0.0, 0.12);
    click(-hydrogenY(0), -0.47);
    h.MainFrame()->Refresh();
    QVERIFY(panel->isVisible());
    h.Run(kClearMeasurements);
    h.MainFrame()->Refresh();
    QVERIFY(!panel->isVisible());
    h.Run(kPanelsOpenThemselves);
    h.Exit();
}

void EverydayTest::axisTicksAreRoundAndAlwaysEnd() {
    const auto check = [](double low, double high, int most, double finest,
                          const std::vector<double>& expected) {
        const AxisTicks ticks = AxisTicks::Between(low, high, most, finest);
        QCOMPARE(ticks.values.size(), expected.size());
        for (std::size_t k = 0; k < expected.size(); ++k)
            QVERIFY2(std::abs(ticks.values[k] - expected[k]) < 1e-9,
                     qPrintable(QString::number(ticks.values[k])));
    };
    check(0.0, 1.0, 5, 0.0, {0.0, 0.5, 1.0});
    check(1.0, 0.0, 11, 0.0, {0.0, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9, 1.0});
    check(-14.6, 0.7, 8, 0.0, {-14, -12, -10, -8, -6, -4, -2, 0});
    check(1.0, 6.0, 20, 1.0, {1, 2, 3, 4, 5, 6}); // step numbers: never finer than 1
    check(1.0, 1.0, 5, 0.0, {1.0});
    QCOMPARE(AxisTicks::Between(0.0, 1.0, 5).decimals, 1);
    QCOMPARE(AxisTicks::Between(0.0, 0.1, 3).decimals, 2);
    // Odd spans end with a few ticks at most: below the values' precision,
    // beyond the range of a double, not numbers at all.
    QVERIFY(AxisTicks::Between(1000.0, 1000.0 + 1e-12, 20).values.size() <= 20);
    QVERIFY(AxisTicks::Between(-1e308, 1e308, 5).values.size() <= 5);
    QVERIFY(AxisTicks::Between(0.0, 1.0, 5, std::nan("")).values.size() <= 5);
    QVERIFY(AxisTicks::Between(std::nan(""), 1.0, 5).values.empty());
}

// A distance and a dihedral about the same bond: both values belong at the
// bond's middle; the second is written a line lower, not over the first.
void EverydayTest::measurementValuesAtOnePlaceDoNotPileUp() {
    AppHarness h;
    QByteArray pdb;
    const double xyz[4][2] = {{-1.5, 1.5}, {-0.75, 0.0}, {0.75, 0.0}, {1.5, 1.5}};
    for (int i = 0; i < 4; ++i)
        pdb += QString::asprintf("HETATM%5d  C   LIG A   1    %8.3f%8.3f   0.000  1.00  0.00"
                                 "           C\n",
                                 i + 1, xyz[i][0], xyz[i][1])
                   .toLatin1();
    QVERIFY(h.Start(h.Write("four.pdb", pdb)));
    CMolView* view = h.ActiveView();
    QVERIFY(view->KeepMeasurement({1, 2}));
    const auto yellowBelow = [&] {
        view->update();
        if (!h.WaitForPicture())
            return -1;
        const QImage picture = view->grabFramebuffer().convertToFormat(QImage::Format_RGB32);
        const QPoint middle =
            ProjectAtom(view->state.camera, picture.width(), picture.height(), 0.0, 0.0, 0.0);
        int yellow = 0;
        for (int y = middle.y() + 6; y < middle.y() + 40; ++y)
            for (int x = middle.x(); x < middle.x() + 120 && x < picture.width(); ++x) {
                const QColor c = picture.pixelColor(x, y);
                yellow += c.red() > 200 && c.green() > 160 && c.blue() < 90;
            }
        return yellow;
    };
    const int alone = yellowBelow();
    QVERIFY(view->KeepMeasurement({0, 1, 2, 3}));
    const int both = yellowBelow();
    QVERIFY2(alone >= 0 && both > alone + 30,
             qPrintable(QStringLiteral("%1 then %2").arg(alone).arg(both)));
    h.Exit();
}

#include "GuiTestMain.h"
RAVEK_GUI_TEST_MAIN(EverydayTest)
#include "EverydayTest.moc"
