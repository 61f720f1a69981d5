// Scans and IRCs in the running program: the reaction path window opened
// from the Analysis menu draws the points in reaction order; a click on a
// point shows its geometry in the molecule window; a distance measured
// there is plotted along the path; the energy unit changes; the numbers are
// saved through the real file dialog; the animation and a GIF run through
// the points in reaction order. A file without a scan or an IRC leaves the command
// off.

#include "AppHarness.h"

#include "app/CMainFrame.h"
#include "app/CMolDoc.h"
#include "model/CMolData.h"
#include "platform/ChildFrame.h"
#include "res/CommandIds.h"
#include "tests/support/GaussianOutputText.h"
#include "view/CMolView.h"
#include "view/CMovieDlg.h"
#include "view/CPathChartView.h"

#include <QDialog>
#include <QFile>
#include <QImageReader>
#include <QRadioButton>
#include <QSpinBox>
#include <QtTest>

#include <cmath>

using namespace CommandIds;

class PathTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { AppHarness::VerifyNothingUnexpected(); }
    void scanProfileShowsThePointClickedAndSavesItsNumbers();
    void ircRunsInReactionOrderWithAMeasurementAlongIt();
};

namespace {

// A relaxed scan of water's angle in three points, the middle one taking
// two steps; the third point's optimisation never finishes (the job ended
// with an error).
std::string AngleScan() {
    GaussianOutputText out(GaussianOutputText::kBanner16);
    out.Line(" ! A1    A(2,1,3)              100.0            Scan                 !");
    const double angles[] = {100.0, 110.0, 110.0, 120.0};
    const int points[] = {1, 2, 2, 3};
    const double energies[] = {-76.30, -76.31, -76.3125, -76.305};
    for (int step = 0; step < 4; ++step) {
        const double half = angles[step] / 2.0 * M_PI / 180.0;
        out.Orientation("Input", {{8, 0, 0, 0},
                                  {1, 0, 0.96 * std::sin(half), 0.96 * std::cos(half)},
                                  {1, 0, -0.96 * std::sin(half), 0.96 * std::cos(half)}});
        out.Line(QString::asprintf(" SCF Done:  E(RB3LYP) =  %.6f     A.U. after   9 cycles",
                                   energies[step])
                     .toStdString());
        out.Line(QString::asprintf(" Step number   1 out of a maximum of   20 on scan point     %d "
                                   "out of     3",
                                   points[step])
                     .toStdString());
        if (step != 1 && step != 3)
            out.Line("    Optimization completed.");
    }
    out.Line(" Error termination via Lnk1e in /opt/g16/l103.exe");
    return out.Text();
}

} // namespace

void PathTest::scanProfileShowsThePointClickedAndSavesItsNumbers() {
    AppHarness h;
    QVERIFY(h.Start(h.Write(
        "opt.log", QByteArray::fromStdString(GaussianOutputText::WaterOptimisation(3, 0.01)))));
    // An optimisation is no path.
    QVERIFY(!h.IsEnabled(kReactionPath));
    h.Exit();

    AppHarness scan;
    QVERIFY(scan.Start(scan.Write("scan.log", QByteArray::fromStdString(AngleScan()))));
    CMolDoc* document = scan.ActiveDocument();
    QVERIFY(scan.IsEnabled(kReactionPath));
    scan.Run(kReactionPath);
    QCOMPARE(scan.ActiveFrame()->windowTitle(), QStringLiteral("scan.log:2 - 反応経路"));
    auto* chart = scan.MainFrame()->findChild<CPathChartView*>();
    QVERIFY(chart != nullptr);
    QVERIFY(QTest::qWaitForWindowExposed(chart));
    const ReactionPath* path = chart->Path();
    QCOMPARE(path->points.size(), std::size_t{3});
    // The points stand at their angles; the third did not converge and is
    // drawn as a red square.
    QVERIFY(std::abs(path->points[1].coordinate - 110.0) < 1e-3);
    QVERIFY(!path->points[2].converged);
    const QImage picture = chart->grab().toImage();
    const QPointF third = chart->PointOf(2, chart->rect());
    int red = 0;
    for (int y = static_cast<int>(third.y()) - 6; y <= third.y() + 6; ++y) {
        for (int x = static_cast<int>(third.x()) - 6; x <= third.x() + 6; ++x) {
            const QColor c = picture.pixelColor(x, y);
            red += c.red() > 180 && c.green() < 80 && c.blue() < 80;
        }
    }
    QVERIFY2(red > 8, qPrintable(QString::number(red)));
    // A click on the second point shows its converged geometry (the second
    // step of that point, geometry 3).
    const QPointF second = chart->PointOf(1, chart->rect());
    QTest::mouseClick(chart, Qt::LeftButton, Qt::NoModifier, second.toPoint());
    QCOMPARE(document->chosenFrame, 2);
    // Energies relative to the lowest, in the unit chosen.
    QVERIFY(scan.IsChecked(kPathKcalPerMol));
    scan.Run(kPathKjPerMol);
    QVERIFY(scan.IsChecked(kPathKjPerMol));
    QVERIFY(!scan.IsChecked(kPathKcalPerMol));
    const QString saved = scan.Path("path.txt");
    scan.QueueDialogAnswer(saved, 1);
    scan.Run(kSavePathData);
    const QList<QByteArray> lines = scan.Read(saved).split('\n');
    QCOMPARE(lines[0], QByteArray("# point number coordinate energy/hartree relative/kJ/mol "
                                  "converged geometry"));
    // point number coordinate energy relative converged geometry, the
    // relative energies 0.0125 and 0.0075 hartree in kJ/mol.
    const double expected[3][5] = {{1, 1, 100.0, -76.3, 0.0125 * 2625.4996},
                                   {2, 2, 110.0, -76.3125, 0.0},
                                   {3, 3, 120.0, -76.305, 0.0075 * 2625.4996}};
    const char* const ends[3] = {" yes 1", " yes 3", " no 4"};
    QCOMPARE(lines.size(), 5);
    for (int p = 0; p < 3; ++p) {
        const QList<QByteArray> fields = lines[p + 1].split(' ');
        QCOMPARE(fields.size(), 7);
        for (int k = 0; k < 5; ++k)
            QVERIFY2(std::abs(fields[k].toDouble() - expected[p][k]) < 1e-3, lines[p + 1].data());
        QVERIFY2(lines[p + 1].endsWith(ends[p]), lines[p + 1].data());
    }
    // A GIF along the path: the movie dialog offers the points (three, not
    // the file's four geometries) beside the steps, which stay its default.
    scan.MdiActivate(0);
    scan.QueueDialog([](QDialog& dialog) {
        auto& movie = static_cast<CMovieDlg&>(dialog);
        QVERIFY(movie.optimisation->isChecked());
        QVERIFY(movie.alongPath->isVisible());
        QVERIFY(movie.alongPath->text().contains(QStringLiteral("3")));
        movie.alongPath->setChecked(true);
        movie.widthBox->setValue(80);
        movie.heightBox->setValue(60);
    });
    const QString gif = scan.Path(QStringLiteral("along"));
    scan.QueueDialogAnswer(gif, 1);
    scan.Run(kSaveMovieGif);
    QImageReader reader(gif + QStringLiteral(".gif"));
    QCOMPARE(reader.imageCount(), 3);
    QCOMPARE(reader.size(), QSize(80, 60));
    scan.Exit();
}

void PathTest::ircRunsInReactionOrderWithAMeasurementAlongIt() {
    const QString file =
        QStringLiteral(RAVEK_TESTDATA_DIR "/gaussian/irc/g16_diels_alder_irc_lqa_rough.out");
    if (!QFile::exists(file))
        QSKIP("the shared IRC outputs are absent");
    AppHarness h;
    QVERIFY(h.Start(file));
    CMolDoc* document = h.ActiveDocument();
    CMolView* view = h.ActiveView();
    h.Run(kReactionPath);
    auto* chart = h.MainFrame()->findChild<CPathChartView*>();
    QVERIFY(chart != nullptr);
    QVERIFY(QTest::qWaitForWindowExposed(chart));
    const ReactionPath& path = *chart->Path();
    QCOMPARE(path.kind, ReactionPath::Kind::kIrc);
    QCOMPARE(path.points.size(), std::size_t{31});
    // Reverse half, transition state, forward half: left to right.
    const std::vector<double> x = chart->Positions();
    QVERIFY(std::is_sorted(x.begin(), x.end()));
    QCOMPARE(path.points[15].direction, 0);
    // A distance measured in the molecule window (the bond the reaction
    // forms: C1–C7) adds its panel below the profile, which shrinks.
    const int profileHeight = chart->ProfileArea(chart->rect()).height();
    QVERIFY(view->KeepMeasurement({0, 6}, false));
    QCOMPARE(chart->Measurements().size(), std::size_t{1});
    QTRY_VERIFY(chart->ProfileArea(chart->rect()).height() < profileHeight);
    // The bond is short at the product end (the reverse end here) and long
    // at the other.
    const CMolData& model = *document->data;
    const double first = chart->Measurements()[0].Value(model, path.points.front().geometry);
    const double last = chart->Measurements()[0].Value(model, path.points.back().geometry);
    QVERIFY2(first < 1.7 && last > 3.0, qPrintable(QStringLiteral("%1 %2").arg(first).arg(last)));
    // A click on a forward point shows it.
    QTest::mouseClick(chart, Qt::LeftButton, Qt::NoModifier,
                      chart->PointOf(20, chart->rect()).toPoint());
    QCOMPARE(document->chosenFrame, path.points[20].geometry);
    // The animation along the path: the points' geometries in reaction
    // order, the transition state (no geometry of its own here) left out.
    h.Run(kPathAnimate);
    QVERIFY(document->animating != 0);
    QCOMPARE(document->animationFrame, path.points[0].geometry);
    view->animator.OnTimer();
    QCOMPARE(document->animationFrame, path.points[1].geometry);
    for (int k = 2; k < 15; ++k)
        view->animator.OnTimer();
    QCOMPARE(document->animationFrame, path.points[14].geometry);
    view->animator.OnTimer();
    QCOMPARE(document->animationFrame, path.points[16].geometry);
    for (int k = 0; k < 20 && document->animating != 0; ++k)
        view->animator.OnTimer();
    QCOMPARE(document->animating, 0);
    h.Exit();
}

#include "GuiTestMain.h"
RAVEK_GUI_TEST_MAIN(PathTest)
#include "PathTest.moc"
