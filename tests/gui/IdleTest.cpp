// A viewer that rests: once a file is shown and nothing is touched, no widget
// paints and no window is composed, with one molecule window alone, with the
// panels, a chart and a spectrum beside it, after an animation has run and
// after a running job's new step has come in.
//
// Found wrong: the step box was set again from every composed picture, and
// setting it repainted the window, whose composition set it again: 1.7 of
// the 2 cores in use for as long as a file was open.

#include "AppHarness.h"

#include "app/CMainFrame.h"
#include "app/CMolDoc.h"
#include "model/CMolData.h"
#include "res/CommandIds.h"
#include "tests/support/GaussianOutputText.h"
#include "view/CMolView.h"
#include "view/COrbitalPanel.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QOpenGLWidget>
#include <QTest>

#include <cmath>
#include <map>

using namespace CommandIds;

namespace {

// Every paint of a widget and every composition of a window with OpenGL
// content, counted while it lives.
class PaintCounter : public QObject {
public:
    PaintCounter() {
        qApp->installEventFilter(this);
        for (QWidget* widget : QApplication::allWidgets()) {
            if (auto* gl = qobject_cast<QOpenGLWidget*>(widget))
                connect(gl, &QOpenGLWidget::frameSwapped, this, [this] { ++composed; });
        }
    }
    ~PaintCounter() override { qApp->removeEventFilter(this); }

    // "QSpinBox stepNumber: 3, ..." for the failure's message.
    QString Painted() const {
        QStringList list;
        for (const auto& [name, count] : painted_)
            list << QStringLiteral("%1: %2").arg(name).arg(count);
        return list.join(QStringLiteral(", "));
    }
    int paints = 0;
    int composed = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->isWidgetType()) {
            ++paints;
            ++painted_[QStringLiteral("%1 %2").arg(
                QLatin1String(watched->metaObject()->className()), watched->objectName())];
        }
        return false;
    }

private:
    std::map<QString, int> painted_;
};

// Lets what is pending settle, then counts paints and compositions over
// milliseconds of nothing happening; what was painted, or nothing when all
// rested.
QString Unrest(const char* what, int milliseconds = 2000) {
    QTest::qWait(700);
    PaintCounter counter;
    QTest::qWait(milliseconds);
    if (counter.paints == 0 && counter.composed == 0)
        return {};
    return QStringLiteral("%1: %2 paints (%3), %4 compositions")
        .arg(QLatin1String(what))
        .arg(counter.paints)
        .arg(counter.Painted())
        .arg(counter.composed);
}

#define EXPECT_REST(what)                                                                          \
    do {                                                                                           \
        const QString unrest = Unrest(what);                                                       \
        QVERIFY2(unrest.isEmpty(), qPrintable(unrest));                                            \
    } while (false)

// Water optimised in steps (an energy for each), then its excited states
// and Mulliken charges; the job has not ended.
std::string RunningJob(int steps) {
    GaussianOutputText out(GaussianOutputText::kBanner16);
    for (int step = 0; step < steps; ++step) {
        out.Orientation("Standard",
                        {{8, 0, 0, 0.12 + 0.01 * step}, {1, 0, 0.76, -0.47}, {1, 0, -0.76, -0.47}});
        out.Line(" SCF Done:  E(RB3LYP) =  -76.40" + std::to_string(10 + step) +
                 "     A.U. after   10 cycles");
    }
    for (const char* line :
         {" Excitation energies and oscillator strengths:",
          " Excited State   1:      Singlet-B1     6.2000 eV  199.97 nm  f=0.0500  <S**2>=0.000",
          "       5 ->  6         0.70",
          " Excited State   2:      Singlet-A1     8.3000 eV  149.38 nm  f=0.1000  <S**2>=0.000",
          "       4 ->  6         0.65", " SavETr:  write IOETrn=   770 NScale= 10 NData=  16",
          " Mulliken charges:", "               1", "     1  O   -0.800000",
          "     2  H    0.400000", "     3  H    0.400000", " Sum of Mulliken charges =   0.00000"})
        out.Line(line);
    return out.Text();
}

// One more step of that job: its geometry table and energy alone.
std::string NextStep(int step) {
    GaussianOutputText out("");
    out.Orientation("Standard",
                    {{8, 0, 0, 0.12 + 0.01 * step}, {1, 0, 0.76, -0.47}, {1, 0, -0.76, -0.47}});
    out.Line(" SCF Done:  E(RB3LYP) =  -76.4020     A.U. after   10 cycles");
    const std::string& text = out.Text();
    return text.substr(text.rfind('\n', text.find("Standard orientation:")) + 1);
}

} // namespace

class IdleTest : public QObject {
    Q_OBJECT

private slots:
    // The toolbar's icons as the program finds them: without them its
    // buttons are wider and the step box is pushed out of sight, where its
    // repaints never showed.
    void initTestCase() { QIcon::setFallbackThemeName(QStringLiteral("Adwaita")); }
    void cleanup() { AppHarness::VerifyNothingUnexpected(); }
    void aShownFileRestsWithItsPanelsChartsAndAfterAnAnimation();
    void aProteinRestsWithItsPlot();
    void aGridRestsWithItsSurfaceAndPanel();
};

void IdleTest::aShownFileRestsWithItsPanelsChartsAndAfterAnAnimation() {
    AppHarness h;
    const QString job = h.Write("job.log", QByteArray::fromStdString(RunningJob(4)));
    QVERIFY(h.Start(job));
    QVERIFY(h.WaitForPicture());
    QCOMPARE(h.ActiveDocument()->data->frameCount, 4);
    EXPECT_REST("one window");

    // A measurement with its panel and the results panel open, a second
    // molecule window, the chart of the steps and the UV-Vis spectrum beside
    // the first window, which is made active again.
    CMolView* view = h.ActiveView();
    QVERIFY(view->KeepMeasurement({0, 1}));
    h.Run(kPanelMeasurements);
    h.Run(kPanelResults);
    h.Run(kWindowNew);
    h.MdiActivate(0);
    h.Run(kOptimisationChart);
    h.MdiActivate(0);
    h.Run(kUvVisSpectrum);
    QCOMPARE(h.Frames().size(), 4);
    h.MdiActivate(0);
    QTest::qWait(100);
    QCOMPARE(h.ActiveView(), view);
    EXPECT_REST("with the panels, a chart and a spectrum");

    // An animation through the four steps, to its end.
    h.Run(kAnimation);
    QTRY_COMPARE_WITH_TIMEOUT(h.ActiveDocument()->animating, 0, 5000);
    EXPECT_REST("after an animation");

    // The running job prints a fifth step: it comes in and is shown, then
    // all is quiet again.
    QFile file(job);
    QVERIFY(file.open(QIODevice::Append));
    file.write(QByteArray::fromStdString(NextStep(4)));
    file.close();
    QTRY_COMPARE_WITH_TIMEOUT(h.ActiveDocument()->data->frameCount, 5, 8000);
    QTRY_COMPARE(view->DrawnFrame(), 4);
    EXPECT_REST("after a step of the running job came in");
}

// A PDB file in ribbon with its Ramachandran plot.
void IdleTest::aProteinRestsWithItsPlot() {
    AppHarness h;
    QVERIFY(h.Start(h.Write("pep.pdb", Fixtures::kPeptidePdb)));
    QVERIFY(h.WaitForPicture());
    EXPECT_REST("a protein");
    h.Run(kPeptideStructure);
    QCOMPARE(h.Frames().size(), 2);
    EXPECT_REST("a protein and its plot");
}

// A cube file: its isosurface shown at once, and the panel of grids.
void IdleTest::aGridRestsWithItsSurfaceAndPanel() {
    AppHarness h;
    QString text = QStringLiteral(" t\n density\n    1   -1.0 -1.0 -1.0\n    11 0.2 0 0\n"
                                  "    11 0 0.2 0\n    11 0 0 0.2\n    1 1.0 0.0 0.0 0.0\n");
    for (int i = 0; i < 11 * 11 * 11; ++i) {
        const int x = i / 121 - 5, y = i / 11 % 11 - 5, z = i % 11 - 5;
        text += QStringLiteral(" %1\n").arg(std::exp(-0.04 * (x * x + y * y + z * z)), 0, 'E', 5);
    }
    QVERIFY(h.Start(h.Write("blob.cube", text.toLatin1())));
    QVERIFY(h.WaitForPicture());
    QVERIFY(h.ActiveDocument()->surface.positive != nullptr);
    h.Run(kPanelOrbitals);
    QVERIFY(h.MainFrame()->OrbitalPanel()->isVisible());
    EXPECT_REST("a grid's surface and its panel");
}

#include "GuiTestMain.h"

RAVEK_GUI_TEST_MAIN(IdleTest)
#include "IdleTest.moc"
