// Several jobs in one window, as a person uses it: File → ジョブを比較 with
// two outputs chosen together in the Open dialog; their free energies
// relative to the lowest and their Boltzmann weights listed and drawn; the
// energy chosen and the reference job change them; two levels of theory
// are said; the weighted IR spectrum with a measured JCAMP-DX spectrum
// fitted over it; a click on a job opens its molecule.

#include "AppHarness.h"

#include "app/CMainFrame.h"
#include "app/CMolDoc.h"
#include "app/CRavekApp.h"
#include "model/CMolData.h"
#include "res/CommandIds.h"
#include "tests/support/GaussianOutputText.h"
#include "view/JobSetChart.h"
#include "view/JobSetWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QTableWidget>
#include <QtTest>

#include <cmath>

using namespace CommandIds;

class JobSetTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { AppHarness::VerifyNothingUnexpected(); }
    void twoConformersWeighedWithTheirSpectrumAndAMeasuredOne();
};

namespace {

// A frequency job on water: one mode at frequency with an IR intensity, and
// the thermochemistry's sums, the free energy g.
std::string FrequencyJob(const char* method, double energy, double frequency, double g) {
    GaussianOutputText out(GaussianOutputText::kBanner16);
    out.Line(" Standard basis: 6-31G(d) (6D, 7F)");
    out.Orientation("Input", {{8, 0, 0, 0.12}, {1, 0, 0.76, -0.47}, {1, 0, -0.76, -0.47}});
    char line[200];
    std::snprintf(line, sizeof line, " SCF Done:  E(R%s) =  %.9f     A.U. after   9 cycles", method,
                  energy);
    out.Line(line);
    out.Line("                      1");
    out.Line("                      A");
    std::snprintf(line, sizeof line, " Frequencies --   %9.4f", frequency);
    out.Line(line);
    out.Line(" Red. masses --      1.0823");
    out.Line(" Frc consts  --      2.3456");
    out.Line(" IR Inten    --     50.0000");
    out.Line("  Atom  AN      X      Y      Z");
    out.Line("     1   8     0.00   0.00   0.07");
    out.Line("     2   1     0.00   0.42  -0.56");
    out.Line("     3   1     0.00  -0.42  -0.56");
    out.Line(" Temperature   298.150 Kelvin.  Pressure   1.00000 Atm.");
    std::snprintf(line, sizeof line, " Sum of electronic and thermal Enthalpies=         %.6f",
                  g + 0.02);
    out.Line(line);
    std::snprintf(line, sizeof line, " Sum of electronic and thermal Free Energies=       %.6f", g);
    out.Line(line);
    out.Line(" Normal termination of Gaussian 16");
    return out.Text();
}

} // namespace

void JobSetTest::twoConformersWeighedWithTheirSpectrumAndAMeasuredOne() {
    AppHarness h;
    QVERIFY(h.Start());
    // Conformer b lies 1 kJ/mol above a in free energy.
    const double ga = -76.300000, gb = ga + 1.0 / 2625.4996394799;
    const QString a =
        h.Write("a.log", QByteArray::fromStdString(FrequencyJob("B3LYP", -76.32, 1600.0, ga)));
    const QString b =
        h.Write("b.log", QByteArray::fromStdString(FrequencyJob("B3LYP", -76.31, 1700.0, gb)));
    h.QueueDialogAnswer(QStringLiteral("\"%1\" \"%2\"").arg(a, b), 1);
    h.Run(kCompareJobs);
    JobSetWindow* window = nullptr;
    QTRY_VERIFY((window = h.MainFrame()->findChild<JobSetWindow*>()) != nullptr);
    QTRY_COMPARE(window->Files().size(), 2);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    // The free energies by default, from the lowest; the weights at 298.15 K.
    QCOMPARE(window->TemperatureBox()->value(), 298.15);
    QTableWidget* table = window->Table();
    QCOMPARE(table->rowCount(), 2);
    QCOMPARE(table->item(1, 5)->text(), QStringLiteral("1.00"));
    const double ratio = std::exp(-1000.0 / (8.314462618 * 298.15));
    QCOMPARE(table->item(0, 6)->text(), QString::number(1.0 / (1.0 + ratio), 'f', 4));
    QCOMPARE(table->item(1, 6)->text(), QString::number(ratio / (1.0 + ratio), 'f', 4));
    QVERIFY(window->WarningLabel()->isHidden());
    // Electronic energies relative to b: a 0.01 hartree below.
    window->EnergyBox()->setCurrentIndex(0);
    window->ReferenceBox()->setCurrentIndex(2);
    QCOMPARE(table->item(0, 5)->text(), QString::number(-0.01 * 2625.4996394799, 'f', 2));
    const QRectF levelA = window->Chart()->LevelOf(0, window->Chart()->rect());
    const QRectF levelB = window->Chart()->LevelOf(1, window->Chart()->rect());
    QVERIFY(levelA.center().y() > levelB.center().y()); // lower on the chart
    window->EnergyBox()->setCurrentIndex(2);
    window->ReferenceBox()->setCurrentIndex(0);

    // The weighted IR spectrum: each band as high as its weight makes it.
    window->SpectrumBox()->setCurrentIndex(1);
    const Spectrum& ir = window->Chart()->Shown();
    QCOMPARE(ir.bands.size(), std::size_t{2});
    const std::vector<double> weights = window->Weights();
    QVERIFY(std::abs(ir.bands[0].height / ir.bands[1].height - weights[0] / weights[1]) < 1e-9);
    // A measured spectrum: the computed curve 25 cm⁻¹ further up and at a
    // hundredth of its height, as a JCAMP-DX file (X++(Y..Y), factors).
    std::string jcamp = "##TITLE=water, measured\n##JCAMP-DX=4.24\n##XUNITS=1/CM\n"
                        "##YUNITS=ABSORBANCE\n##XFACTOR=1.0\n##YFACTOR=0.001\n"
                        "##FIRSTX=1400\n##LASTX=1899\n##NPOINTS=500\n##XYDATA=(X++(Y..Y))\n";
    for (int x = 1400; x < 1900; x += 5) {
        jcamp += std::to_string(x);
        for (int k = 0; k < 5; ++k)
            jcamp += ' ' + std::to_string(static_cast<long>(
                               std::lround(ir.Curve(x + k - 25.0) * 0.01 / 0.001 * 1000.0) / 1000));
        jcamp += '\n';
    }
    jcamp += "##END=\n";
    QVERIFY(window->LoadExperiment(h.Write("measured.jdx", QByteArray::fromStdString(jcamp))));
    QVERIFY2(std::abs(window->Shift() - 25.0) < 0.5, qPrintable(QString::number(window->Shift())));
    QVERIFY2(std::abs(window->Scale() - 100.0) < 5.0, qPrintable(QString::number(window->Scale())));
    // Unfitted, the measured curve stays where it was measured.
    window->FitBox()->setChecked(false);
    QCOMPARE(window->Shift(), 0.0);
    window->FitBox()->setChecked(true);
    // A compressed JCAMP-DX file is said, not read.
    QVERIFY(!window->LoadExperiment(
        h.Write("sqz.jdx", "##TITLE=x\n##NPOINTS=3\n##XYDATA=(X++(Y..Y))\n1400@AJ%J\n##END=\n")));
    QVERIFY(h.TakeMessages().join(QString()).contains(QStringLiteral("SQZ")));

    // A third job at another level of theory is said.
    window->AddFiles({h.Write(
        "c.log", QByteArray::fromStdString(FrequencyJob("M062X", -76.30, 1650.0, ga + 0.001)))});
    QCOMPARE(table->rowCount(), 3);
    QVERIFY(window->WarningLabel()->isVisible());
    QVERIFY(window->WarningLabel()->text().contains(QStringLiteral("M062X/6-31G(d)")));
    // A click on b's level opens b in a molecule window.
    const QPointF onB = window->Chart()->LevelOf(1, window->Chart()->rect()).center();
    QTest::mouseClick(window->Chart(), Qt::LeftButton, Qt::NoModifier, onB.toPoint());
    QTRY_VERIFY(h.ActiveDocument() != nullptr &&
                h.ActiveDocument()->GetPathName().endsWith(QStringLiteral("b.log")));
    window->close();
    h.Exit();
}

#include "GuiTestMain.h"
RAVEK_GUI_TEST_MAIN(JobSetTest)
#include "JobSetTest.moc"
