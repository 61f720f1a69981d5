// Proteins through the real windows: the cartoon draws a helix as a wide
// ribbon (not as the coil's thin tube); the chain colours and the B-factor
// ramp reach the window and its saved pictures, with their legend; the
// style, its choices and the colour schemes through the View menu, kept in
// the settings; the models of an ensemble and the steps of an optimisation
// stepped through with keys, toolbar buttons and the number box, said in the
// status bar and the window title.

#include "AppHarness.h"
#include "GuiTestMain.h"
#include "PaintedTexts.h"
#include "PixelCluster.h"
#include "Projection.h"
#include "WritableModel.h"
#include "tests/support/ColourNames.h"

#include "app/CMainFrame.h"
#include "app/CMolDoc.h"
#include "app/CommandLine.h"
#include "app/PictureExport.h"
#include "model/CMolData.h"
#include "platform/ChildFrame.h"
#include "platform/Profile.h"
#include "render/ColourScheme.h"
#include "render/MolDocState.h"
#include "render/PrintLayout.h"
#include "res/CommandIds.h"
#include "res/SettingsKeys.h"
#include "tests/support/GaussianOutputText.h"
#include "tests/support/IdealBackbone.h"
#include "view/CLegendOverlay.h"
#include "view/CMolView.h"
#include "view/CPlotView.h"
#include "view/ViewPicture.h"
#include "view/ViewPrinter.h"

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QSpinBox>
#include <QTest>
#include <QToolBar>

#include <functional>

using namespace CommandIds;

namespace {

std::vector<std::pair<double, double>> Helix(int residues) {
    return std::vector<std::pair<double, double>>(static_cast<std::size_t>(residues),
                                                  {-57.8, -47.0});
}

// Two helices of 16 residues side by side 12 Å apart (along x), chains A
// and B, with temperature factors 10 and 90.
QByteArray TwoChains() {
    const std::vector<BackboneResidue> helix = IdealBackbone(Helix(16));
    std::vector<BackboneResidue> moved = helix;
    for (BackboneResidue& r : moved) {
        for (Point3D* p : {&r.n, &r.ca, &r.c, &r.o})
            p->x += 12.0;
    }
    return QByteArray::fromStdString(
        BackbonePdb({{'A', helix, "ALA", 1, 10.0}, {'B', moved, "ALA", 1, 90.0}}));
}

int NotBackground(const QImage& picture) {
    return Pixels(picture, [](const QColor& c) { return c.red() + c.green() + c.blue() > 30; })
        .count;
}

// A colour of the helix's red-violet, however the light shades it.
bool HelixRed(const QColor& c) {
    return c.red() > 60 && c.red() > 1.8 * c.green() && c.red() > 1.3 * c.blue();
}

// The picture of the active view, as the window shows it and as saved.
std::vector<QImage> Pictures(AppHarness& h, const QString& name) {
    CMolView* view = h.ActiveView();
    view->update();
    if (!h.WaitForPicture())
        return {};
    const QString path = h.Path(name);
    if (!ViewPicture(view->Pictures()).Write(path, ViewPicture::kPng))
        return {};
    return {view->grabFramebuffer().convertToFormat(QImage::Format_RGB32),
            QImage(path).convertToFormat(QImage::Format_RGB32)};
}

// An ensemble of three models of one helix, each 2 Å further along x.
QByteArray Ensemble() {
    std::string text = "HEADER    ENSEMBLE\n";
    for (int model = 0; model < 3; ++model) {
        std::vector<BackboneResidue> helix = IdealBackbone(Helix(10));
        for (BackboneResidue& r : helix) {
            for (Point3D* p : {&r.n, &r.ca, &r.c, &r.o})
                p->x += 2.0 * model;
        }
        std::string records = BackbonePdb({{'A', helix}});
        records = records.substr(records.find('\n') + 1);  // no HEADER
        records = records.substr(0, records.rfind("END")); // no END
        text += "MODEL     " + std::to_string(model + 1) + "\n" + records + "ENDMDL\n";
    }
    return QByteArray::fromStdString(text + "END\n");
}

// Water optimised in four steps.
QByteArray Optimisation() {
    GaussianOutputText out(GaussianOutputText::kBanner16);
    for (int step = 0; step < 4; ++step) {
        out.Orientation(
            "Input",
            {{8, 0.0, 0.0, 0.12 + 0.01 * step}, {1, 0.0, 0.76, -0.47}, {1, 0.0, -0.76, -0.47}});
        out.Line(" SCF Done:  E(RB3LYP) =  -76.40000" + std::to_string(step) +
                 "     A.U. after   9 cycles");
    }
    out.Line(" Normal termination of Gaussian 16");
    return QByteArray::fromStdString(out.Text());
}

} // namespace

class ProteinTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { AppHarness::VerifyNothingUnexpected(); }
    void cartoonDrawsAHelixAsARibbonNotAsCoil();
    void chainColoursAndTheBFactorRampReachThePicture();
    void styleChoicesAndColourSchemesThroughTheMenu();
    void stepThroughAnEnsembleAndAnOptimisation();
    void ramachandranPointsAreNamedAndSelectTheirResidue();
    void ramachandranRegionsFollowTheChosenKind();
    void secondaryStructureFromTheFilesRecords();
    void ligandsAndWatersBesideTheCartoon();
    void ramachandranPlotFollowsTheModelShown();
};

void ProteinTest::cartoonDrawsAHelixAsARibbonNotAsCoil() {
    AppHarness h;
    h.Store("DisplayMode", ViewState::kCartoon);
    h.Store("ColorMode", kColourSecondary);
    QVERIFY(h.Start(h.Write(
        "helix.pdb", QByteArray::fromStdString(BackbonePdb({{'A', IdealBackbone(Helix(20))}})))));
    const std::vector<QImage> helix = Pictures(h, "helix.png");
    QCOMPARE(helix.size(), std::size_t{2});
    // The same backbone with its residues taken for coil: a tube in the
    // coil's grey.
    CMolFrame& frame = *WritableModel(*h.ActiveView()->GetDocState()).GetFrame(0);
    for (char& code : frame.assignedSecondary) {
        if (code != 0)
            code = ' ';
    }
    // Another scheme and back: the picture is made anew from the model.
    h.Run(kColourByChain);
    h.Run(kColourBySecondary);
    const std::vector<QImage> coil = Pictures(h, "coil.png");
    QCOMPARE(coil.size(), std::size_t{2});
    for (std::size_t k = 0; k < 2; ++k) {
        const int red = Pixels(helix[k], HelixRed).count;
        const int ribbon = NotBackground(helix[k]), tube = NotBackground(coil[k]);
        QVERIFY2(red > ribbon / 2, qPrintable(QStringLiteral("red %1 of %2").arg(red).arg(ribbon)));
        QCOMPARE(Pixels(coil[k], HelixRed).count, 0);
        QVERIFY2(ribbon > 2 * tube,
                 qPrintable(QStringLiteral("ribbon %1, tube %2").arg(ribbon).arg(tube)));
    }
    h.Exit();
}

void ProteinTest::chainColoursAndTheBFactorRampReachThePicture() {
    AppHarness h;
    h.Store("DisplayMode", ViewState::kCartoon);
    h.Store("ColorMode", kColourChain);
    QVERIFY(h.Start(h.Write("two.pdb", TwoChains())));
    CMolView* view = h.ActiveView();
    // Where the two chains' middles fall in a picture.
    const auto centreOf = [&](const QImage& picture, double x) {
        return ProjectAtom(view->state.camera, picture.width(), picture.height(), x,
                           view->state.camera.centre.y, view->state.camera.centre.z);
    };
    const double chainA = view->state.camera.centre.x - 6.0, chainB = chainA + 12.0;
    const auto nearer = [&](const QImage& picture, const Cluster& cluster, double x, double other) {
        const QPoint here = centreOf(picture, x), there = centreOf(picture, other);
        return std::abs(cluster.x - here.x()) < std::abs(cluster.x - there.x());
    };
    // Chain A light blue, chain B light green.
    const Rgba a = ColourSchemes::ChainColour(0), b = ColourSchemes::ChainColour(1);
    QVERIFY(a[2] > a[1] && a[1] > a[0] && b[1] > b[0] && b[1] > b[2]);
    for (const QImage& picture : Pictures(h, "chains.png")) {
        const Cluster blue = Pixels(picture, [](const QColor& c) {
            return c.blue() > c.red() + 40 && c.blue() > c.green() + 10;
        });
        const Cluster green = Pixels(picture, [](const QColor& c) {
            return c.green() > c.red() + 30 && c.green() > c.blue() + 40;
        });
        QVERIFY2(blue.count > 200 && green.count > 200,
                 qPrintable(QStringLiteral("blue %1, green %2").arg(blue.count).arg(green.count)));
        QVERIFY(nearer(picture, blue, chainA, chainB));
        QVERIFY(nearer(picture, green, chainB, chainA));
    }
    const auto* legend = view->findChild<CLegendOverlay*>(QStringLiteral("colourLegend"));
    QVERIFY(legend != nullptr && legend->isVisible());
    QCOMPARE(legend->Entries().size(), std::size_t{2});
    QCOMPARE(QString::fromStdString(legend->Entries()[1].text), QStringLiteral("B"));

    // B-factors 10 (chain A) and 90 (chain B): the low end blue, the high
    // end red, on the one ramp whose ends the legend names.
    h.Run(kColourByBFactor);
    for (const QImage& picture : Pictures(h, "bfactors.png")) {
        const Cluster blue = Pixels(picture, [](const QColor& c) {
            return c.blue() > c.red() + 60 && c.blue() > c.green() + 60;
        });
        const Cluster red = Pixels(picture, [](const QColor& c) {
            return c.red() > c.green() + 60 && c.red() > c.blue() + 60;
        });
        QVERIFY2(blue.count > 200 && red.count > 200,
                 qPrintable(QStringLiteral("blue %1, red %2").arg(blue.count).arg(red.count)));
        QVERIFY(nearer(picture, blue, chainA, chainB));
        QVERIFY(nearer(picture, red, chainB, chainA));
        // The legend's dark panel in the top right corner, above the
        // molecule.
        const QColor corner = picture.pixelColor(picture.width() - 12, 12);
        QVERIFY(corner.red() < 60 && corner.green() < 60);
    }
    QCOMPARE(legend->Entries().front().text, std::string("B 90.00"));
    QCOMPARE(legend->Entries().back().text, std::string("B 10.00"));
    // The printout carries the legend in its top right corner too; with
    // element colours there is none and the corner stays dark.
    const auto printedCorner = [&] {
        QImage page(1200, 1700, QImage::Format_RGB32);
        page.fill(Qt::white);
        const PrintLayout printed = ViewPrinter(view->Pictures()).PrintOn(page, 1200);
        const QImage corner =
            page.copy(printed.width * 3 / 4, 0, printed.width / 4, printed.height / 4);
        return Pixels(corner, [](const QColor& c) { return c.lightness() > 150; }).count;
    };
    QVERIFY2(printedCorner() > 50, qPrintable(QString::number(printedCorner())));
    h.Run(kColourByAtom);
    QCOMPARE(printedCorner(), 0);
    h.Exit();
}

void ProteinTest::styleChoicesAndColourSchemesThroughTheMenu() {
    AppHarness h;
    h.Store("DisplayMode", ViewState::kWireFrame);
    h.Store("ColorMode", kColourElement);
    QVERIFY(h.Start(h.Write("two.pdb", TwoChains())));
    CMolView* view = h.ActiveView();
    const auto* legend = view->findChild<CLegendOverlay*>(QStringLiteral("colourLegend"));
    QVERIFY(legend == nullptr || !legend->isVisible());
    h.Run(kCartoon);
    QVERIFY(h.IsChecked(kCartoon));
    QVERIFY(!h.IsChecked(kWireFrame));
    QCOMPARE(view->state.displayFlags, static_cast<int>(ViewState::kCartoon));
    // The choices: cylinders on, ligands off; waters stay on.
    QVERIFY(!h.IsChecked(kCartoonCylinders) && h.IsChecked(kCartoonLigands));
    h.Run(kCartoonCylinders);
    h.Run(kCartoonLigands);
    QVERIFY(h.IsChecked(kCartoonCylinders) && !h.IsChecked(kCartoonLigands));
    QVERIFY(h.IsChecked(kCartoonWaters));
    // Each scheme's legend, as the window shows it, in the colours the
    // guide names: the helices red, the rainbow from blue to red, two chains
    // apart.
    const auto legendNames = [&] {
        view->update();
        if (!h.WaitForPicture())
            return QStringList{QStringLiteral("no picture")};
        legend = view->findChild<CLegendOverlay*>(QStringLiteral("colourLegend"));
        QStringList names;
        if (legend == nullptr || !legend->isVisible())
            return names;
        for (const ColourSchemes::LegendEntry& entry : legend->Entries())
            names << QString::fromStdString(entry.text.substr(0, entry.text.find(' '))) +
                         QLatin1Char('=') +
                         QString::fromStdString(
                             ColourName(entry.colour[0], entry.colour[1], entry.colour[2]));
        return names;
    };
    for (const auto& [id, scheme] :
         {std::pair{kColourBySecondary, kColourSecondary},
          std::pair{kColourByRainbow, kColourRainbow}, std::pair{kColourByChain, kColourChain}}) {
        h.Run(id);
        QVERIFY(h.IsChecked(id) && !h.IsChecked(kColourByAtom));
        QCOMPARE(view->state.colourMode, static_cast<int>(scheme));
        const QStringList names = legendNames();
        if (scheme == kColourSecondary)
            QVERIFY2(names.contains(QStringLiteral("H=red")), qPrintable(names.join(' ')));
        else if (scheme == kColourRainbow)
            QCOMPARE(names, (QStringList{QStringLiteral("N末端=blue"), QStringLiteral("中央=green"),
                                         QStringLiteral("C末端=red")}));
        else
            QVERIFY2(names.size() == 2 && names[0].section('=', 1) != names[1].section('=', 1),
                     qPrintable(names.join(' ')));
    }
    QVERIFY(legend != nullptr && legend->isVisible());
    QCOMPARE(legend->Entries().size(), std::size_t{2});
    // Cylinders: a wide closed tube along each helix, wider than the
    // ribbon it replaces.
    const std::vector<QImage> cylinders = Pictures(h, "cylinders.png");
    QCOMPARE(cylinders.size(), std::size_t{2});
    h.Run(kCartoonCylinders);
    const std::vector<QImage> ribbons = Pictures(h, "ribbons.png");
    QCOMPARE(ribbons.size(), std::size_t{2});
    QVERIFY(NotBackground(cylinders[0]) > NotBackground(ribbons[0]));
    h.Run(kCartoonCylinders);
    h.Exit();
    QCOMPARE(h.Stored("DisplayMode"), static_cast<int>(ViewState::kCartoon));
    QCOMPARE(h.Stored("ColorMode"), static_cast<int>(kColourChain));
    QCOMPARE(h.Stored("CartoonCylinders"), 1);
    QCOMPARE(h.Stored("CartoonLigands"), 0);
    QCOMPARE(h.Stored("CartoonWaters"), 1);
}

void ProteinTest::stepThroughAnEnsembleAndAnOptimisation() {
    AppHarness h;
    h.Store("DisplayMode", ViewState::kWireFrame);
    QVERIFY(h.Start(h.Write("ensemble.pdb", Ensemble())));
    CMolView* view = h.ActiveView();
    QVERIFY(h.WaitForPicture());
    auto* toolBar = h.MainFrame()->findChild<QToolBar*>();
    auto* number = h.MainFrame()->findChild<QSpinBox*>(QStringLiteral("stepNumber"));
    QVERIFY(toolBar != nullptr && number != nullptr);
    const auto shows = [&](int model, const QString& status, const QString& title) {
        QTRY_COMPARE(view->DrawnFrame(), model);
        QTRY_COMPARE(h.MainFrame()->StepPane()->text(), status);
        QCOMPARE(h.ActiveFrame()->windowTitle(), title);
        QTRY_COMPARE(number->value(), model + 1);
    };
    shows(0, QStringLiteral("モデル 1 / 3"), QStringLiteral("ensemble.pdb"));
    QCOMPARE(number->suffix(), QStringLiteral(" / 3"));
    // The keys, as a person presses them in the window. Shortcuts go to the
    // active window; without a window manager it is made so here.
    h.MainFrame()->activateWindow();
    QApplication::setActiveWindow(h.MainFrame());
    QTRY_VERIFY(h.MainFrame()->isActiveWindow());
    view->setFocus();
    QTest::keyClick(view, Qt::Key_PageDown);
    shows(1, QStringLiteral("モデル 2 / 3"), QStringLiteral("ensemble.pdb"));
    QTest::keyClick(view, Qt::Key_PageDown, Qt::ControlModifier);
    shows(2, QStringLiteral("モデル 3 / 3"), QStringLiteral("ensemble.pdb"));
    QTest::keyClick(view, Qt::Key_PageDown); // past the last: it stays
    shows(2, QStringLiteral("モデル 3 / 3"), QStringLiteral("ensemble.pdb"));
    // The toolbar's buttons, clicked.
    QTest::mouseClick(toolBar->widgetForAction(h.MainFrame()->Action(kStepFirst)), Qt::LeftButton);
    shows(0, QStringLiteral("モデル 1 / 3"), QStringLiteral("ensemble.pdb"));
    QTest::mouseClick(toolBar->widgetForAction(h.MainFrame()->Action(kStepNext)), Qt::LeftButton);
    shows(1, QStringLiteral("モデル 2 / 3"), QStringLiteral("ensemble.pdb"));
    // A number typed into the box.
    number->selectAll();
    QTest::keyClicks(number, QStringLiteral("3"));
    QTest::keyClick(number, Qt::Key_Return);
    shows(2, QStringLiteral("モデル 3 / 3"), QStringLiteral("ensemble.pdb"));
    QCOMPARE(view->GetDocState()->chosenFrame, 2);
    // The other models overlaid thinly: more is drawn.
    const std::vector<QImage> alone = Pictures(h, "alone.png");
    h.Run(kOverlayModels);
    QVERIFY(h.IsChecked(kOverlayModels));
    const std::vector<QImage> overlaid = Pictures(h, "overlaid.png");
    QVERIFY(!alone.empty() && !overlaid.empty());
    QVERIFY(NotBackground(overlaid[0]) > NotBackground(alone[0]));
    h.Exit();

    // An optimisation opens at its last step.
    AppHarness g;
    QVERIFY(g.Start(g.Write("water.log", Optimisation())));
    view = g.ActiveView();
    QVERIFY(g.WaitForPicture());
    QTRY_COMPARE(view->DrawnFrame(), 3);
    QCOMPARE(g.ActiveFrame()->windowTitle(), QStringLiteral("water.log"));
    g.MainFrame()->activateWindow();
    QApplication::setActiveWindow(g.MainFrame());
    QTRY_VERIFY(g.MainFrame()->isActiveWindow());
    view->setFocus();
    QTest::keyClick(view, Qt::Key_PageUp);
    QTRY_COMPARE(view->DrawnFrame(), 2);
    QTRY_VERIFY(g.MainFrame()->StepPane()->text().startsWith(QStringLiteral("ステップ 3 / 4")));
    QCOMPARE(g.ActiveFrame()->windowTitle(), QStringLiteral("water.log"));
    QTest::keyClick(view, Qt::Key_PageUp, Qt::ControlModifier);
    QTRY_COMPARE(view->DrawnFrame(), 0);
    g.Exit();

    // One geometry: nothing to step through, and the box says so.
    AppHarness one;
    QVERIFY(one.Start(one.Write(
        "helix.pdb", QByteArray::fromStdString(BackbonePdb({{'A', IdealBackbone(Helix(6))}})))));
    QVERIFY(one.WaitForPicture());
    number = one.MainFrame()->findChild<QSpinBox*>(QStringLiteral("stepNumber"));
    QVERIFY(number != nullptr && !number->isEnabled());
    QCOMPARE(number->text(), QStringLiteral("-"));
    QVERIFY(!one.IsEnabled(kStepNext));
    one.Exit();
}

void ProteinTest::ramachandranPointsAreNamedAndSelectTheirResidue() {
    AppHarness h;
    h.Store("DisplayMode", ViewState::kWireFrame);
    // Chain B from residue 40: each inner residue's point at (-57.8, -47.0).
    QVERIFY(h.Start(h.Write("helix.pdb", QByteArray::fromStdString(BackbonePdb(
                                             {{'B', IdealBackbone(Helix(8)), "ALA", 40}})))));
    CMolView* molecule = h.ActiveView();
    QVERIFY(h.WaitForPicture());
    h.Run(kPeptideStructure);
    auto* plot = dynamic_cast<CPlotView*>(h.ActiveFrame()->GetActiveView());
    QVERIFY(plot != nullptr);
    plot->resize(400, 400);
    // The square: 320 pixels from (40, 40).
    const QPoint point(40 + static_cast<int>(std::lround((-57.8 + 180) / 360 * 320)),
                       40 + static_cast<int>(std::lround((180 + 47.0) / 360 * 320)));
    QTest::mouseMove(plot, point);
    QTRY_VERIFY(!plot->HoverText().isEmpty());
    // Every inner residue (41 ... 46) lies there; the nearest is named.
    const QString named = plot->HoverText();
    QVERIFY2(named.startsWith(QStringLiteral("B ALA 4")) &&
                 named.endsWith(QStringLiteral("  φ -57.8°  ψ -47.0°  好ましい")),
             qPrintable(named));
    const int number = named.mid(6, 2).toInt();
    QVERIFY2(number >= 41 && number <= 46, qPrintable(named));
    QTest::mouseMove(plot, QPoint(60, 60));
    QTRY_VERIFY(plot->HoverText().isEmpty());
    // A click selects the residue in the molecule window.
    QTest::mouseClick(plot, Qt::LeftButton, {}, point);
    const CMolFrame& frame = *molecule->Model()->GetFrame(0);
    const int residue = plot->ResidueAt(point);
    QVERIFY(residue >= 0);
    QCOMPARE(frame.residueIds[static_cast<std::size_t>(residue)].number, number);
    const std::vector<int>& atoms = frame.residueAtoms.at(residue);
    QCOMPARE(std::vector<int>(molecule->state.measurementSelection.begin(),
                              molecule->state.measurementSelection.end()),
             atoms);
    QCOMPARE(molecule->state.lastPickedAtom, atoms[1]); // its CA
    // And the view centres on it.
    h.MdiActivate(0);
    QVERIFY(h.IsEnabled(kCentreOnSelection));
    h.Run(kCentreOnSelection);
    Point3D mean;
    for (const int a : atoms)
        mean = Plus(mean, frame.Position(a));
    mean = Scaled(mean, 1.0 / static_cast<double>(atoms.size()));
    QVERIFY(Length(Minus(molecule->state.camera.centre, mean)) < 1e-9);
    h.Exit();
}

void ProteinTest::ramachandranRegionsFollowTheChosenKind() {
    AppHarness h;
    h.Store("DisplayMode", ViewState::kWireFrame);
    // Alanines in a helix but for the fourth residue at (100°, -170°), where
    // only glycine goes.
    std::vector<std::pair<double, double>> angles = Helix(7);
    angles[3] = {100.0, -170.0};
    QVERIFY(h.Start(h.Write(
        "odd.pdb", QByteArray::fromStdString(BackbonePdb({{'A', IdealBackbone(angles)}})))));
    QVERIFY(h.WaitForPicture());
    h.Run(kPeptideStructure);
    auto* plot = dynamic_cast<CPlotView*>(h.ActiveFrame()->GetActiveView());
    QVERIFY(plot != nullptr);
    plot->resize(400, 400);
    auto* choice = plot->findChild<QComboBox*>(QStringLiteral("ramachandranRegions"));
    QVERIFY(choice != nullptr);
    // The square: 320 pixels from (40, 40).
    const auto at = [](double phi, double psi) {
        return QPoint(40 + static_cast<int>(std::lround((phi + 180) / 360 * 320)),
                      40 + static_cast<int>(std::lround((180 - psi) / 360 * 320)));
    };
    const auto colourAt = [&](double phi, double psi) {
        return plot->grab().toImage().pixelColor(at(phi, psi));
    };
    // By default no regions: a white square with its red points, no shares,
    // the outlier not framed.
    QVERIFY(choice->isVisibleTo(plot));
    QCOMPARE(choice->currentIndex(), choice->count() - 1);
    QCOMPARE(colourAt(-120, 130), QColor(Qt::white));
    QCOMPARE(colourAt(-90, -120), QColor(Qt::white));
    {
        PaintedTexts plain(400, 400);
        plot->render(&plain);
        QVERIFY(plain.Find(QStringLiteral("外れ 20.0 %")).empty());
        const QImage image = plot->grab().toImage();
        for (int dy = -6; dy <= 6; ++dy)
            for (int dx = -6; dx <= 6; ++dx)
                QVERIFY(image.pixelColor(at(100, -170) + QPoint(dx, dy)) != QColor(Qt::black));
        QCOMPARE(image.pixelColor(at(100, -170)), QColor(255, 0, 0));
    }
    // The general case chosen, and kept for the next plot: the strand region
    // favoured, glycine's own region of positive φ empty.
    choice->setCurrentIndex(0);
    QCOMPARE(h.Stored("PlotRegions"), 1);
    QCOMPARE(colourAt(-120, 130), CPlotView::FavouredColour());
    QCOMPARE(colourAt(120, -150), QColor(Qt::white));
    QCOMPARE(colourAt(-90, -120), CPlotView::AllowedColour());
    // The odd residue is an outlier: named so and framed in black.
    QTest::mouseMove(plot, at(100, -170));
    QTRY_VERIFY(plot->HoverText().endsWith(QStringLiteral("ψ -170.0°  外れ")));
    int black = 0;
    const QImage image = plot->grab().toImage();
    for (int dy = -6; dy <= 6; ++dy)
        for (int dx = -6; dx <= 6; ++dx)
            black += image.pixelColor(at(100, -170) + QPoint(dx, dy)) == QColor(Qt::black) ? 1 : 0;
    QVERIFY2(black > 8, qPrintable(QString::number(black)));
    // Above the square, the shares of the five inner residues.
    PaintedTexts painted(400, 400);
    plot->render(&painted);
    QCOMPARE(painted.Find(QStringLiteral("好ましい 80.0 %")).size(), std::size_t{1});
    QCOMPARE(painted.Find(QStringLiteral("許容 0.0 %")).size(), std::size_t{1});
    QCOMPARE(painted.Find(QStringLiteral("外れ 20.0 %")).size(), std::size_t{1});
    QVERIFY(painted.Find(QStringLiteral("外れ 20.0 %"))[0].box.bottom() < 40);
    // Each share after a swatch of its colour.
    const QImage top = plot->grab().toImage().copy(0, 0, 400, 40);
    QVERIFY(Pixels(top, [](const QColor& c) { return c == CPlotView::FavouredColour(); }).count >
            4);
    QVERIFY(Pixels(top, [](const QColor& c) { return c == CPlotView::AllowedColour(); }).count > 4);
    QVERIFY(Pixels(top, [](const QColor& c) { return c == QColor(255, 0, 0); }).count > 4);
    // Glycine's regions hold positive φ; proline's hold neither that nor
    // the strand; none leaves the square white.
    choice->setCurrentIndex(1);
    QCOMPARE(colourAt(120, -150), CPlotView::FavouredColour());
    choice->setCurrentIndex(2);
    QCOMPARE(colourAt(120, -150), QColor(Qt::white));
    QCOMPARE(colourAt(-140, 150), QColor(Qt::white));
    QCOMPARE(colourAt(-65, 145), CPlotView::FavouredColour());
    choice->setCurrentIndex(choice->count() - 1);
    QCOMPARE(colourAt(-120, 130), QColor(Qt::white));
    QCOMPARE(h.Stored("PlotRegions"), 0);
    h.Exit();
}

void ProteinTest::secondaryStructureFromTheFilesRecords() {
    AppHarness h;
    h.Store("DisplayMode", ViewState::kCartoon);
    h.Store("ColorMode", kColourSecondary);
    // A helix whose HELIX record calls residues 2 to 6 a 3₁₀-helix.
    const QByteArray helix =
        QByteArray::fromStdString(BackbonePdb({{'A', IdealBackbone(Helix(14))}}));
    QVERIFY(h.Start(h.Write("records.pdb", "HELIX    1   1 ALA A    2  ALA A    6  5\n" + helix)));
    CMolView* view = h.ActiveView();
    QVERIFY(h.WaitForPicture());
    const auto legendTexts = [view] {
        QStringList texts;
        if (const auto* legend = view->findChild<CLegendOverlay*>(QStringLiteral("colourLegend")))
            for (const ColourSchemes::LegendEntry& entry : legend->Entries())
                texts << QString::fromStdString(entry.text).left(1);
        return texts;
    };
    QVERIFY(h.IsEnabled(kSecondaryFromFile) && !h.IsChecked(kSecondaryFromFile));
    QCOMPARE(legendTexts(), (QStringList{"H", "-"}));
    const std::vector<QImage> assigned = Pictures(h, "assigned.png");
    h.Run(kSecondaryFromFile);
    QVERIFY(h.IsChecked(kSecondaryFromFile));
    QTRY_COMPARE(legendTexts(), (QStringList{"G", "-"}));
    // Less of the chain is helix now: a narrower ribbon.
    const std::vector<QImage> fromFile = Pictures(h, "from-file.png");
    QVERIFY(!assigned.empty() && !fromFile.empty());
    QVERIFY(NotBackground(fromFile[0]) < NotBackground(assigned[0]));
    // A picture drawn without a window follows the stored choice too.
    const QString records = h.Path("records.pdb");
    std::vector<int> red;
    for (const int stored : {0, 1}) {
        Profile::Write(Settings::kSecondaryFromFile, stored);
        const QString out = h.Path(QStringLiteral("export%1.png").arg(stored));
        QCOMPARE(RunPictureExport(CommandLine::Parse(
                     {QStringLiteral("ravek"), QStringLiteral("--export-picture"), out,
                      QStringLiteral("--style"), QStringLiteral("cartoon"),
                      QStringLiteral("--colour"), QStringLiteral("secondary"), records})),
                 0);
        red.push_back(Pixels(QImage(out), HelixRed).count);
    }
    QVERIFY2(red[1] < red[0] / 2, qPrintable(QStringLiteral("%1, %2").arg(red[0]).arg(red[1])));
    h.Exit();
    QCOMPARE(h.Stored("SecondaryFromFile"), 1);

    // A file without records: nothing to choose; the choice stays.
    AppHarness g;
    g.Store("DisplayMode", ViewState::kCartoon);
    g.Store("SecondaryFromFile", 1);
    QVERIFY(g.Start(g.Write("plain.pdb", helix)));
    QVERIFY(g.WaitForPicture());
    QVERIFY(!g.IsEnabled(kSecondaryFromFile));
    g.Exit();
}

void ProteinTest::ligandsAndWatersBesideTheCartoon() {
    // A helix, a sulphate 8 Å beside it and two waters further on.
    const std::vector<BackboneResidue> helix = IdealBackbone(Helix(12));
    std::string pdb = BackbonePdb({{'A', helix}});
    const Point3D at = helix[6].ca;
    const struct {
        const char *name, *residue, *element;
        int number;
        double x, y, z;
    } hetero[] = {{"S", "SO4", "S", 100, 0, 8, 0},     {"O1", "SO4", "O", 100, 1.5, 8, 0},
                  {"O2", "SO4", "O", 100, -1.5, 8, 0}, {"O3", "SO4", "O", 100, 0, 9.5, 0},
                  {"O4", "SO4", "O", 100, 0, 6.5, 0},  {"O", "HOH", "O", 201, 0, -8, 0},
                  {"O", "HOH", "O", 202, 0, -8, 4}};
    std::string records;
    int serial = 900;
    for (const auto& h : hetero) {
        char line[100];
        std::snprintf(line, sizeof line,
                      "HETATM%5d  %-3s %-3s A%4d    %8.3f%8.3f%8.3f  1.00 20.00          %2s\n",
                      serial++, h.name, h.residue, h.number, at.x + h.x, at.y + h.y, at.z + h.z,
                      h.element);
        records += line;
    }
    pdb.insert(pdb.rfind("END"), records);
    AppHarness h;
    h.Store("DisplayMode", ViewState::kCartoon);
    h.Store("ColorMode", kColourElement);
    QVERIFY(h.Start(h.Write("ligand.pdb", QByteArray::fromStdString(pdb))));
    QVERIFY(h.IsChecked(kCartoonLigands) && h.IsChecked(kCartoonWaters));
    const std::vector<QImage> all = Pictures(h, "all.png");
    h.Run(kCartoonLigands);
    const std::vector<QImage> noLigand = Pictures(h, "no-ligand.png");
    h.Run(kCartoonWaters);
    const std::vector<QImage> cartoon = Pictures(h, "cartoon.png");
    QVERIFY(!all.empty() && !noLigand.empty() && !cartoon.empty());
    for (std::size_t k = 0; k < 2; ++k) {
        const int withAll = NotBackground(all[k]), withWaters = NotBackground(noLigand[k]),
                  alone = NotBackground(cartoon[k]);
        // The sulphate's five spheres, and the waters' two points.
        QVERIFY2(withAll > withWaters + 200,
                 qPrintable(QStringLiteral("%1, %2").arg(withAll).arg(withWaters)));
        QVERIFY2(withWaters > alone + 4,
                 qPrintable(QStringLiteral("%1, %2").arg(withWaters).arg(alone)));
    }
    h.Exit();
}

void ProteinTest::ramachandranPlotFollowsTheModelShown() {
    // Two models of the same eight residues: a helix, then a strand.
    std::string text = "HEADER    TWO MODELS\n";
    for (const auto& [phi, psi] : {std::pair{-57.8, -47.0}, std::pair{-120.0, 130.0}}) {
        std::string records = BackbonePdb(
            {{'A', IdealBackbone(std::vector<std::pair<double, double>>(8, {phi, psi}))}});
        records = records.substr(records.find('\n') + 1);
        records = records.substr(0, records.rfind("END"));
        text += "MODEL\n" + records + "ENDMDL\n";
    }
    AppHarness h;
    h.Store("DisplayMode", ViewState::kWireFrame);
    QVERIFY(h.Start(h.Write("models.pdb", QByteArray::fromStdString(text + "END\n"))));
    QVERIFY(h.WaitForPicture());
    h.Run(kPeptideStructure);
    auto* plot = dynamic_cast<CPlotView*>(h.ActiveFrame()->GetActiveView());
    QVERIFY(plot != nullptr);
    plot->resize(400, 400);
    const auto at = [](double phi, double psi) {
        return QPoint(40 + static_cast<int>(std::lround((phi + 180) / 360 * 320)),
                      40 + static_cast<int>(std::lround((180 - psi) / 360 * 320)));
    };
    QVERIFY(plot->ResidueAt(at(-57.8, -47.0)) >= 0);
    QCOMPARE(plot->ResidueAt(at(-120.0, 130.0)), -1);
    h.MdiActivate(0);
    h.Run(kStepNext);
    QTRY_VERIFY(plot->ResidueAt(at(-120.0, 130.0)) >= 0);
    QCOMPARE(plot->ResidueAt(at(-57.8, -47.0)), -1);
    h.Exit();
}

RAVEK_GUI_TEST_MAIN(ProteinTest)
#include "ProteinTest.moc"
