// A first hour with the program, as a person spends it: start, open an
// optimisation by the dialog, switch styles, pick and measure, play the
// animation, open a PDB file into the same window, look at the plot, save as
// PDB and save a picture by the dialogs, close. Every file written is read
// back.

#include "AppHarness.h"
#include "Projection.h"

#include "app/CMainFrame.h"
#include "app/CMolDoc.h"
#include "formats/CPDBData.h"
#include "formats/PdbOptions.h"
#include "io/StdioFile.h"
#include "model/CMolData.h"
#include "platform/ChildFrame.h"
#include "res/CommandIds.h"
#include "res/ControlIds.h"
#include "tests/support/GaussianOutputText.h"
#include "view/CMolView.h"
#include "view/CPlotView.h"

#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <cmath>

using namespace CommandIds;

class JourneyTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { AppHarness::VerifyNothingUnexpected(); }
    void firstHour();
};

void JourneyTest::firstHour() {
    AppHarness h;
    const QString log =
        h.Write("water-opt.log",
                QByteArray::fromStdString(GaussianOutputText::WaterOptimisation(4, 0.02, "Input")));
    const QString pdb = h.Write("peptide.pdb", Fixtures::kPeptidePdb);

    QVERIFY(h.Start());
    QCOMPARE(h.Frames().size(), 1);
    h.QueueDialogAnswer(log, 1); // Gaussian Data
    h.Run(kFileOpen);
    CMolDoc* document = h.ActiveDocument();
    CMolView* view = h.ActiveView();
    QVERIFY(document->data != nullptr);
    QCOMPARE(document->data->frameCount, 4);
    QTRY_VERIFY_WITH_TIMEOUT(view->HasFittedModel(), 5000);

    // Styles from the menu, each shown checked there.
    h.Run(kBallAndStick);
    QVERIFY(h.IsChecked(kBallAndStick));
    QVERIFY(!h.IsChecked(kWireFrame));
    h.Run(kWireFrame);
    QVERIFY(h.IsChecked(kWireFrame));

    // Pick two atoms with the right button and measure the angle at the
    // second with a plain click on the third.
    const auto at = [&](int atom) {
        const Point3D p = document->data->GetAtomPos(document->chosenFrame, atom);
        return ProjectAtom(view->state.camera, view->width(), view->height(), p.x, p.y, p.z);
    };
    QTest::mouseClick(view, Qt::RightButton, Qt::NoModifier, at(1));
    QTest::mouseClick(view, Qt::RightButton, Qt::NoModifier, at(0));
    QString angle;
    h.QueueDialog([&](QDialog& dialog) {
        angle = dialog.findChild<QLineEdit*>(QString::number(ControlIds::kAngle))->text();
    });
    QTest::mouseClick(view, Qt::LeftButton, Qt::NoModifier, at(2));
    // The H-O-H angle of the last geometry (O at z = 0.06), worked out here.
    const double expected = 2.0 * std::atan2(0.76, 0.47 + 0.06) * 180.0 / M_PI;
    QVERIFY2(std::abs(angle.toDouble() - expected) < 1e-5, qPrintable(angle));
    h.MainFrame()->Refresh();
    QCOMPARE(h.MainFrame()->AtomPane()->text(), QStringLiteral("3H"));

    // The animation plays on its timer and stops by itself.
    h.Run(kAnimation);
    QVERIFY(view->animator.animationTimer.isActive());
    QTRY_VERIFY_WITH_TIMEOUT(document->animating == 0, 5000);
    QCOMPARE(view->DrawnFrame(), 3);

    // A PDB file into the same window, then its plot.
    h.QueueDialogAnswer(pdb, 2); // PDB Data
    h.Run(kFileOpen);
    QCOMPARE(h.Frames().size(), 1);
    QCOMPARE(document->data->sourceKind, CMolData::SourceKind::kPdb);
    QTRY_VERIFY_WITH_TIMEOUT(view->HasFittedModel(), 5000);
    h.MainFrame()->Refresh();
    QVERIFY(h.MainFrame()->AtomPane()->text().isEmpty()); // no atom of this model picked
    h.Run(kPeptideStructure);
    QCOMPARE(h.Frames().size(), 2);
    QVERIFY(dynamic_cast<CPlotView*>(h.ActiveFrame()->GetActiveView()) != nullptr);
    h.MdiActivate(0);

    // Save as PDB, then a picture, each by its dialog and filter.
    h.QueueDialogAnswer(h.Path("journey"), 2);
    h.Run(kFileSaveAs);
    h.QueueDialogAnswer(h.Path("journey-picture.tif"), 3);
    h.Run(kSavePicture);
    h.Run(kFileClose);
    QCOMPARE(h.Frames().size(), 0);
    h.Exit();

    StdioFile saved;
    QVERIFY(saved.Open(h.Path("journey.pdb").toStdString(), StdioFile::modeRead));
    const std::unique_ptr<CMolData> read = CPDBData::Read(&saved, PdbOptions{});
    const CMolData& again = *read;
    QCOMPARE(again.atomCount, 17);
    QCOMPARE(again.skippedLines, 0);
    const QImage picture(h.Path("journey-picture.tif"));
    QCOMPARE(picture.format() != QImage::Format_Invalid, true);
    QVERIFY(h.Read(h.Path("journey-picture.tif")).startsWith("II*"));
    int drawn = 0;
    for (int y = 0; y < picture.height(); y += 4)
        for (int x = 0; x < picture.width(); x += 4)
            drawn += picture.pixelColor(x, y) != QColor(Qt::black);
    QVERIFY2(drawn > 20, qPrintable(QString::number(drawn))); // the peptide, not an empty picture
    QCOMPARE(h.StoredString("Recent File List", "File1"), pdb);
    QCOMPARE(h.StoredString("Recent File List", "File2"), log);
}

#include "GuiTestMain.h"
RAVEK_GUI_TEST_MAIN(JourneyTest)
#include "JourneyTest.moc"
