// What a job computed beyond its geometry, in the running program: a TD-DFT
// output opened by the Open dialog shows its results panel; the UV-Vis
// window draws the states, a click names one, the curve saved by its dialog
// is the sum of Gaussians written out here; ECD below and above zero; the
// atoms coloured and labelled by their charges in the window and its
// picture; the thermochemistry in hartree and kcal/mol; the NMR spectrum of
// one element against its reference.

#include "AppHarness.h"

#include "app/CMainFrame.h"
#include "app/CMolDoc.h"
#include "model/CMolData.h"
#include "render/SurfaceState.h"
#include "res/CommandIds.h"
#include "tests/support/GaussianOutputText.h"
#include "view/CLegendOverlay.h"
#include "view/CMeasurementsPanel.h"
#include "view/CMolView.h"
#include "view/COrbitalPanel.h"
#include "view/CResultsPanel.h"
#include "view/CSpectrumView.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDoubleSpinBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>

#include <cmath>

using namespace CommandIds;

namespace {

// Water at the origin with three excited states (the second dark), their
// rotatory strengths, Mulliken charges, shieldings and the thermochemistry.
QByteArray ExcitedWater() {
    GaussianOutputText out(GaussianOutputText::kBanner16);
    out.Orientation("Standard", {{8, 0, 0, 0.12}, {1, 0, 0.76, -0.47}, {1, 0, -0.76, -0.47}});
    out.Line(" SCF Done:  E(RB3LYP) =  -76.4089     A.U. after   10 cycles");
    for (const char* line : {
             " 1/2[<0|r|b>*<b|rxdel|0> + (<0|rxdel|b>*<b|r|0>)*]",
             " Rotatory Strengths (R) in cgs (10**-40 erg-esu-cm/Gauss)",
             "       state          XX          YY          ZZ     R(length)     R(au)",
             "         1         0.1         0.2        0.3     20.0000      0.01",
             "         2         0.1         0.2        0.3      0.0000      0.00",
             "         3         0.1         0.2        0.3    -35.0000     -0.02",
             " Excitation energies and oscillator strengths:",
             " Excited State   1:      Singlet-B1     6.2000 eV  199.97 nm  f=0.0500  "
             "<S**2>=0.000",
             "       5 ->  6         0.70",
             " Excited State   2:      Singlet-A2     7.5000 eV  165.31 nm  f=0.0000  "
             "<S**2>=0.000",
             "       5 ->  7         0.70",
             " Excited State   3:      Singlet-A1     8.3000 eV  149.38 nm  f=0.1000  "
             "<S**2>=0.000",
             "       4 ->  6         0.65",
             "       5 ->  8        -0.20",
             " SavETr:  write IOETrn=   770 NScale= 10 NData=  16 NLR=1 NState=    3",
             " Mulliken charges:",
             "               1",
             "     1  O   -0.800000",
             "     2  H    0.400000",
             "     3  H    0.400000",
             " Sum of Mulliken charges =   0.00000",
             " SCF GIAO Magnetic shielding tensor (ppm):",
             "  1  O    Isotropic =   330.0000   Anisotropy =    50.0000",
             "  2  H    Isotropic =    30.8821   Anisotropy =    20.0000",
             "  3  H    Isotropic =    30.8821   Anisotropy =    20.0000",
             " Temperature   298.150 Kelvin.  Pressure   1.00000 Atm.",
             " Zero-point correction=                           0.021667 (Hartree/Particle)",
             " Thermal correction to Energy=                    0.024502",
             " Thermal correction to Enthalpy=                  0.025447",
             " Thermal correction to Gibbs Free Energy=         0.004020",
             " Sum of electronic and zero-point Energies=          -76.318998",
             " Sum of electronic and thermal Energies=             -76.316163",
             " Sum of electronic and thermal Enthalpies=           -76.315219",
             " Sum of electronic and thermal Free Energies=        -76.336646",
             " Normal termination of Gaussian 16 at Tue Dec  8 10:00:00 2026.",
         })
        out.Line(line);
    return QByteArray::fromStdString(out.Text());
}

// Pixels of the picture clearly blue and clearly red.
std::pair<int, int> BlueAndRed(const QImage& picture) {
    int blue = 0, red = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QColor c = picture.pixelColor(x, y);
            blue += c.blue() > 150 && c.red() < 90 && c.green() < 90;
            red += c.red() > 150 && c.blue() < 90 && c.green() < 90;
        }
    }
    return {blue, red};
}

} // namespace

class ResultsTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { AppHarness::VerifyNothingUnexpected(); }
    void uvVisWindowDrawsTheStatesAndSavesTheirCurve();
    void chargesColourAndLabelTheAtoms();
    void thermochemistryAndNmrShifts();
    void aRunningJobsResultsArriveInThePanel();
    void orcaOutputsOpenWithTheirStepsModesAndSpectra();
};

void ResultsTest::uvVisWindowDrawsTheStatesAndSavesTheirCurve() {
    AppHarness h;
    const QString job = h.Write("td.log", ExcitedWater());
    QVERIFY(h.Start());
    h.QueueDialogAnswer(job, 1); // Gaussian Data
    h.Run(kFileOpen);
    QVERIFY(h.WaitForPicture());
    QCOMPARE(h.ActiveDocument()->data->results.excitedStates.size(), std::size_t{3});
    QVERIFY(!h.IsEnabled(kIrSpectrum)); // no modes
    QVERIFY(h.IsEnabled(kUvVisSpectrum));
    h.Run(kUvVisSpectrum);
    auto* spectrum = h.MainFrame()->findChild<CSpectrumView*>();
    QVERIFY(spectrum != nullptr);
    QVERIFY(QTest::qWaitForWindowExposed(spectrum));
    QCOMPARE(spectrum->ShownKind(), Spectrum::Kind::kUvVis);
    QCOMPARE(spectrum->unitBox->currentText(), QStringLiteral("nm"));
    // The window opens large enough for every control and label shown.
    for (QWidget* control : spectrum->findChildren<QWidget*>()) {
        const bool field = qobject_cast<QLabel*>(control) != nullptr ||
                           qobject_cast<QComboBox*>(control) != nullptr ||
                           qobject_cast<QAbstractSpinBox*>(control) != nullptr;
        if (field && control->isVisibleTo(spectrum) && control->window() == spectrum->window())
            QVERIFY2(control->width() >= control->minimumSizeHint().width(),
                     qPrintable(control->objectName()));
    }
    QVERIFY(spectrum->width() >= 560 && spectrum->height() >= 420);
    // Wavelengths rise to the right; the dark state has no stick.
    const QRect plot = spectrum->PlotArea(spectrum->rect());
    QVERIFY(spectrum->XOf(150, plot) < spectrum->XOf(200, plot));
    const QImage picture = spectrum->grab().toImage();
    const auto darkAt = [&](double nm) {
        const int x = static_cast<int>(std::lround(spectrum->XOf(nm, plot)));
        int dark = 0;
        // Black sticks, not the red curve crossing.
        for (int y = plot.top() + 1; y < plot.bottom() - 3; ++y) {
            const QRgb p = picture.pixel(x, y);
            dark += qRed(p) < 100 && qGreen(p) < 100 && qBlue(p) < 100;
        }
        return dark;
    };
    QVERIFY(darkAt(1239.84198 / 8.3) > plot.height() / 3);
    QCOMPARE(darkAt(1239.84198 / 7.5), 0);

    // A click beside the first state's stick names it.
    const int x1 = static_cast<int>(std::lround(spectrum->XOf(1239.84198 / 6.2, plot)));
    QTest::mouseClick(spectrum, Qt::LeftButton, Qt::NoModifier, QPoint(x1 + 2, plot.center().y()));
    QCOMPARE(spectrum->chosenMode, 0);
    QVERIFY2(spectrum->chosenLabel->text().contains(QStringLiteral("199.97 nm")),
             qPrintable(spectrum->chosenLabel->text()));

    // The curve saved through its dialog: ε(λ) = Σ 1.3062974·10⁸ f/σ̃ ·
    // exp(−((E − Eᵢ)/σ)²), E = hc/λ, σ the half-width over √ln 2 in eV, σ̃
    // the same in cm⁻¹.
    const QString path = h.Path("uv.txt");
    h.QueueDialogAnswer(path, 1);
    h.Run(kSaveSpectrum);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    QVERIFY(lines[0].startsWith("# wavelength/nm"));
    const double sigma = spectrum->bandWidthBox->value() / std::sqrt(std::log(2.0));
    const auto epsilon = [sigma](double nm) {
        const double e = 1239.84198 / nm;
        double sum = 0.0;
        for (const auto& [ei, f] : {std::pair{6.2, 0.05}, std::pair{7.5, 0.0}, std::pair{8.3, 0.1}})
            sum += 1.3062974e8 * f / (sigma * 8065.54429) *
                   std::exp(-((e - ei) / sigma) * ((e - ei) / sigma));
        return sum;
    };
    int compared = 0;
    for (int k = 1; k < lines.size(); ++k) {
        const QList<QByteArray> columns = lines[k].split(' ');
        if (columns.size() != 2)
            continue;
        const double nm = columns[0].toDouble(), value = columns[1].toDouble();
        QVERIFY2(std::abs(value - epsilon(nm)) < 1e-6 + 1e-6 * epsilon(nm), lines[k].constData());
        ++compared;
    }
    QVERIFY(compared > 50);

    // ECD: the first band above zero, the third below.
    QTest::keyClick(spectrum->kindBox, Qt::Key_Down);
    QCOMPARE(spectrum->ShownKind(), Spectrum::Kind::kEcd);
    QVERIFY(spectrum->Curve(1239.84198 / 6.2) > 0.0);
    QVERIFY(spectrum->Curve(1239.84198 / 8.3) < 0.0);
    QVERIFY(spectrum->IntensityScale().lowest < 0.0);
    // The axis in eV.
    spectrum->unitBox->setCurrentIndex(1);
    QVERIFY(spectrum->XOf(8.3, plot) > spectrum->XOf(6.2, plot));
    QVERIFY(spectrum->Curve(6.2) > 0.0);
    spectrum->unitBox->setCurrentIndex(0);
    h.Exit();
}

void ResultsTest::chargesColourAndLabelTheAtoms() {
    AppHarness h;
    QVERIFY(h.Start(h.Write("td.log", ExcitedWater())));
    QVERIFY(h.WaitForPicture());
    h.MainFrame()->Refresh();
    // The output opens with its molecule window alone: no panel opens by
    // itself, and the window is not cut by the main window's scroll bars.
    CResultsPanel* panel = h.MainFrame()->ResultsPanel();
    QVERIFY(!panel->isVisible());
    QVERIFY(!h.MainFrame()->OrbitalPanel()->isVisible());
    QVERIFY(!h.MainFrame()->MeasurementsPanel()->isVisible());
    QVERIFY(!h.MainFrame()->MdiArea()->horizontalScrollBar()->isVisible());
    // View → パネル → 計算結果 shows it.
    h.Run(kPanelResults);
    QVERIFY(panel->isVisible());
    QCOMPARE(panel->valuesBox->currentText(), QStringLiteral("Mulliken 電荷"));
    QCOMPARE(panel->valuesTable->item(0, 2)->text(), QStringLiteral("-0.800000"));
    QCOMPARE(panel->rangeLabel->text(), QStringLiteral("-0.800 … 0.800"));
    CMolView* view = h.ActiveView();
    h.Run(kBallAndStick); // through the menu
    const auto [blueBefore, redBefore] = BlueAndRed(view->grabFramebuffer());
    QVERIFY(redBefore > 100); // the oxygen in its own colour

    QTest::mouseClick(panel->colourBox, Qt::LeftButton, Qt::NoModifier,
                      QPoint(4, panel->colourBox->height() / 2));
    QVERIFY(view->state.atomValues.colour);
    // The oxygen, most negative, blue; the hydrogens, half as positive,
    // pink: little deep red is left (their shaded sides).
    const auto [blue, red] = BlueAndRed(view->grabFramebuffer());
    QVERIFY2(blue > 100 && blue > 10 * std::max(blueBefore, 1),
             qPrintable(QStringLiteral("%1 %2").arg(blueBefore).arg(blue)));
    QVERIFY2(red < redBefore / 4, qPrintable(QStringLiteral("%1 %2").arg(redBefore).arg(red)));
    // Labelled with the charges: the texts change the picture beside each
    // atom.
    const QImage unlabelled = view->grabFramebuffer();
    QTest::mouseClick(panel->labelBox, Qt::LeftButton, Qt::NoModifier,
                      QPoint(4, panel->labelBox->height() / 2));
    QVERIFY(view->state.atomValues.label);
    const QImage labelled = view->grabFramebuffer();
    int changed = 0;
    for (int y = 0; y < labelled.height(); ++y) {
        for (int x = 0; x < labelled.width(); ++x)
            changed += std::abs(qGray(labelled.pixel(x, y)) - qGray(unlabelled.pixel(x, y))) > 60;
    }
    QVERIFY2(changed > 100, qPrintable(QString::number(changed)));
    // The picture saved through its dialog alike.
    h.QueueDialogAnswer(h.Path("charges.tif"), 3);
    h.Run(kSavePicture);
    const QImage saved(h.Path("charges.tif"));
    QVERIFY(!saved.isNull());
    QVERIFY(BlueAndRed(saved).first > 100);
    // Coloured by value, the window and its picture carry the colour bar:
    // five steps from +0.8 (red) to -0.8 (blue), in the top right corner.
    const auto* legend = view->findChild<CLegendOverlay*>(QStringLiteral("colourLegend"));
    QVERIFY(legend != nullptr && legend->isVisible());
    QStringList steps;
    for (const ColourSchemes::LegendEntry& entry : legend->Entries())
        steps << QString::fromStdString(entry.text);
    QCOMPARE(steps, (QStringList{"+0.800", "+0.400", "0", "-0.400", "-0.800"}));
    const std::array<float, 3> top = SurfaceState::RampColour(0.8F, {-0.8F, 0.8F});
    const QColor topColour = QColor::fromRgbF(top[0], top[1], top[2]);
    int swatch = 0;
    for (int y = 0; y < 60; ++y)
        for (int x = saved.width() - 120; x < saved.width(); ++x)
            swatch += std::abs(saved.pixelColor(x, y).red() - topColour.red()) <= 1 &&
                      std::abs(saved.pixelColor(x, y).blue() - topColour.blue()) <= 1;
    QVERIFY2(swatch > 100, qPrintable(QString::number(swatch)));
    // Not coloured by value: no bar (the element colours need no legend).
    QTest::mouseClick(panel->colourBox, Qt::LeftButton, Qt::NoModifier,
                      QPoint(4, panel->colourBox->height() / 2));
    view->update();
    QVERIFY(h.WaitForPicture());
    QTRY_VERIFY(!legend->isVisible());
    h.Exit();
}

void ResultsTest::thermochemistryAndNmrShifts() {
    AppHarness h;
    QVERIFY(h.Start(h.Write("td.log", ExcitedWater())));
    QVERIFY(h.WaitForPicture());
    h.MainFrame()->Refresh();
    CResultsPanel* panel = h.MainFrame()->ResultsPanel();
    // The free energy in hartree and kcal/mol (627.5095 kcal/mol a hartree).
    QTableWidget* thermo = panel->thermochemistryTable;
    QCOMPARE(thermo->rowCount(), 10);
    QCOMPARE(thermo->item(9, 1)->text(), QStringLiteral("-76.336646"));
    QCOMPARE(thermo->item(9, 2)->text(), QString::number(-76.336646 * 627.509474, 'f', 2));
    QCOMPARE(thermo->item(2, 2)->text(), QStringLiteral("13.60")); // 0.021667 hartree
    QCOMPARE(thermo->item(0, 1)->text(), QStringLiteral("298.150"));

    // Hydrogen against tetramethylsilane's 31.8821 ppm: 1.00 ppm. The
    // oxygen has no reference until one is set.
    QCOMPARE(panel->nmrTable->item(1, 4)->text(), QStringLiteral("1.00"));
    QCOMPARE(panel->nmrTable->item(0, 4)->text(), QStringLiteral("—"));
    h.Run(kNmrSpectrum);
    auto* spectrum = h.MainFrame()->findChild<CSpectrumView*>();
    QVERIFY(spectrum != nullptr);
    QCOMPARE(spectrum->ShownKind(), Spectrum::Kind::kNmr);
    QCOMPARE(spectrum->elementBox->currentText(), QStringLiteral("H"));
    // Two hydrogens at one shift: a curve of height 2 there, axis falling
    // to the right.
    QVERIFY(std::abs(spectrum->Curve(1.0) - 2.0) < 1e-9);
    const QRect plot = spectrum->PlotArea(spectrum->rect());
    QVERIFY(spectrum->XOf(2.0, plot) < spectrum->XOf(0.0, plot));
    // A reference for oxygen typed in the window: the table follows.
    spectrum->elementBox->setCurrentIndex(spectrum->elementBox->findText(QStringLiteral("O")));
    spectrum->referenceBox->selectAll();
    QTest::keyClicks(spectrum->referenceBox, QStringLiteral("350"));
    QTest::keyClick(spectrum->referenceBox, Qt::Key_Return);
    QVERIFY(std::abs(spectrum->Curve(20.0) - 1.0) < 1e-9);
    h.MainFrame()->Refresh();
    QCOMPARE(panel->nmrTable->item(0, 4)->text(), QStringLiteral("20.00"));
    h.Exit();
}

// A job still running: its Mulliken charges and, later, its thermochemistry
// reach the panel (and the atoms' colours) as the output grows.
void ResultsTest::aRunningJobsResultsArriveInThePanel() {
    const std::string whole = ExcitedWater().toStdString();
    const std::size_t charges = whole.find(" Mulliken charges:");
    const std::size_t thermochemistry = whole.find(" Temperature");
    AppHarness h;
    const QString path =
        h.Write("running.log", QByteArray::fromStdString(whole.substr(0, charges)));
    QVERIFY(h.Start(path));
    QVERIFY(h.WaitForPicture());
    h.MainFrame()->Refresh();
    CResultsPanel* panel = h.MainFrame()->ResultsPanel();
    QCOMPARE(panel->valuesBox->count(), 0);
    const auto append = [&](std::size_t from, std::size_t to) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::Append));
        file.write(whole.data() + from, static_cast<qint64>(to - from));
    };
    append(charges, thermochemistry);
    QTRY_VERIFY(h.ActiveDocument()->data->results.charges.count("mulliken") == 1);
    h.MainFrame()->Refresh();
    QCOMPARE(panel->valuesBox->currentText(), QStringLiteral("Mulliken 電荷"));
    QCOMPARE(panel->valuesTable->item(1, 2)->text(), QStringLiteral("0.400000"));
    QCOMPARE(h.ActiveView()->state.atomValues.values.size(), std::size_t{3});
    QCOMPARE(panel->thermochemistryTable->rowCount(), 0);
    append(thermochemistry, whole.size());
    QTRY_VERIFY(h.ActiveDocument()->data->results.thermochemistry.Any());
    h.MainFrame()->Refresh();
    QCOMPARE(panel->thermochemistryTable->rowCount(), 10);
    h.Exit();
}

#include "GuiTestMain.h"
RAVEK_GUI_TEST_MAIN(ResultsTest)
// ORCA outputs as a person opens them: through the Open dialog's own ORCA
// filter, an optimisation with frequencies shows its last step, steps
// through its cycles, lists its modes and draws its IR spectrum; through
// All Molecule Files, a TD-DFT job draws its absorption bands where the
// output's spectrum puts them.
void ResultsTest::orcaOutputsOpenWithTheirStepsModesAndSpectra() {
    const QString data = QStringLiteral(RAVEK_TESTDATA_DIR "/orca/");
    if (!QFile::exists(data + QStringLiteral("orca5_ethylene_tddft.out")))
        QSKIP("the shared ORCA outputs are absent");
    AppHarness h;
    QVERIFY(h.Start());
    h.QueueDialogAnswer(data + QStringLiteral("orca5_water_opt_freq_m062x.out"), 9); // ORCA
    h.Run(kFileOpen);
    QVERIFY(h.WaitForPicture());
    const CMolData* model = h.ActiveDocument()->data.get();
    QCOMPARE(model->sourceKind, CMolData::SourceKind::kOrca);
    QCOMPARE(model->frameCount, 6);
    QCOMPARE(h.ActiveDocument()->chosenFrame, 5);
    QCOMPARE(model->Frame(5).modes.size(), std::size_t{3});
    QVERIFY(h.IsEnabled(kNormalModes));
    QVERIFY(h.IsEnabled(kIrSpectrum));
    h.Run(kIrSpectrum);
    auto* spectrum = h.MainFrame()->findChild<CSpectrumView*>();
    QVERIFY(spectrum != nullptr);
    QVERIFY(QTest::qWaitForWindowExposed(spectrum));
    QCOMPARE(spectrum->ShownKind(), Spectrum::Kind::kIr);
    // The strongest band (64.27 km/mol at 1625.35 cm⁻¹) stands above the
    // weakest (15.00 at 3875.61).
    QVERIFY(spectrum->Curve(1625.35) > 3.0 * spectrum->Curve(3875.61));
    QVERIFY(spectrum->Curve(3875.61) > 0.0);

    h.MdiActivate(0);
    h.QueueDialogAnswer(data + QStringLiteral("orca5_ethylene_tddft.out"), 6); // All Molecule
    h.Run(kFileOpen);
    QVERIFY(h.WaitForPicture());
    const JobResults& results = h.ActiveDocument()->data->results;
    QCOMPARE(results.excitedStates.size(), std::size_t{10});
    QVERIFY(h.IsEnabled(kUvVisSpectrum));
    h.Run(kUvVisSpectrum);
    spectrum = nullptr;
    for (auto* shown : h.MainFrame()->findChildren<CSpectrumView*>()) {
        if (shown->isVisible())
            spectrum = shown;
    }
    QVERIFY(spectrum != nullptr);
    QCOMPARE(spectrum->ShownKind(), Spectrum::Kind::kUvVis);
    // State 3 (148.3 nm, f = 0.5309) is the strongest band, state 1 (153.3
    // nm) is dark.
    QVERIFY(spectrum->Curve(148.3) > spectrum->Curve(153.3));
    QVERIFY(spectrum->Curve(148.3) > spectrum->Curve(110.7));

    // Saved as an ORCA input with the keyword line typed into the box that
    // asks for it: the next job of the same geometry.
    h.MdiActivate(1);
    const QString input = h.Path(QStringLiteral("ethylene.inp"));
    h.QueueDialogAnswer(input, 9); // ORCA Input Files
    QString offered;
    h.QueueDialog([&offered](QDialog& dialog) {
        auto* edit = dialog.findChild<QLineEdit*>();
        QVERIFY(edit != nullptr);
        offered = edit->text();
        AppHarness::TypeInto(edit, QStringLiteral("! wB97X-D3 def2-TZVP Opt Freq"));
    });
    h.Run(kFileSaveAs);
    QCOMPARE(offered, QStringLiteral("! B3LYP D3BJ def2-SVP Opt"));
    const QList<QByteArray> lines = h.Read(input).split('\n');
    QCOMPARE(lines.value(0), QByteArray("! wB97X-D3 def2-TZVP Opt Freq"));
    QCOMPARE(lines.value(2), QByteArray("* xyz 0 1"));
    QCOMPARE(lines.size(), 4 + 6 + 1); // keywords, blank, "* xyz", six atoms, "*", end
    QVERIFY(lines.value(3).startsWith("C "));
    h.Exit();
}

#include "ResultsTest.moc"
