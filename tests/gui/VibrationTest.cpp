// Normal modes in the running program: the mode list chooses the arrows of a
// window, the vibration moves atoms and returns them to rest, saving while
// it plays writes the resting geometry, and the IR spectrum window draws the
// bands and chooses a mode by a click.

#include "AppHarness.h"
#include "Projection.h"

#include "app/CMainFrame.h"
#include "app/CMolDoc.h"
#include "app/CRavekApp.h"
#include "app/CommandLine.h"
#include "app/PictureExport.h"
#include "model/CMolData.h"
#include "platform/Profile.h"
#include "render/ViewState.h"
#include "res/CommandIds.h"
#include "res/SettingsKeys.h"
#include "tests/support/GaussianOutputText.h"
#include "view/CModeListDlg.h"
#include "view/CMolView.h"
#include "view/CMovieDlg.h"
#include "view/CSpectrumView.h"
#include "view/ViewPicture.h"

#include <QApplication>
#include <QDialog>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QWheelEvent>

using namespace CommandIds;

namespace {

// Carbon at the origin, oxygen 3 Å along x. Mode 1 moves the carbon along
// +x, mode 2 along +y; mode 3 is imaginary.
QByteArray TwoAtomFrequencyJob() {
    GaussianOutputText out(GaussianOutputText::kBanner16);
    out.Orientation("Input", {{6, 0, 0, 0}, {8, 3, 0, 0}});
    out.Line(" Harmonic frequencies (cm**-1), IR intensities (KM/Mole), Raman scattering");
    out.Line("                      1                      2                      3");
    out.Line("                      A                      A                      A");
    out.Line(" Frequencies --   1500.0000              2500.0000              -300.0000");
    out.Line(" Red. masses --      1.0000                 1.0000                 1.0000");
    out.Line(" IR Inten    --     40.0000               100.0000                 5.0000");
    out.Line("  Atom  AN      X      Y      Z        X      Y      Z        X      Y      Z");
    out.Line("     1   6     0.70   0.00   0.00     0.00   0.70   0.00     0.00   0.00   0.70");
    out.Line("     2   8     0.00   0.00   0.00     0.00   0.00   0.00     0.00   0.00   0.00");
    out.Line(" - Thermochemistry -");
    return QByteArray::fromStdString(out.Text());
}

// Pixels of the arrow colour (magenta, lit) right of and above a point.
struct ArrowPixels {
    int right = 0, above = 0;
};
ArrowPixels ArrowsAround(const QImage& picture, QPoint atom) {
    ArrowPixels count;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QColor c = picture.pixelColor(x, y);
            if (!(c.red() > 120 && c.green() < 100 && c.blue() > 70 && c.red() > c.green() + 60))
                continue;
            if (x > atom.x() + 4 && std::abs(y - atom.y()) < 12)
                ++count.right;
            if (y < atom.y() - 4 && std::abs(x - atom.x()) < 12)
                ++count.above;
        }
    }
    return count;
}

// Opens the mode list as a person does, through View → 基準振動, and returns
// it once it is on the screen.
CModeListDlg* OpenModeList(AppHarness& h) {
    h.Run(CommandIds::kNormalModes);
    auto* list = h.MainFrame()->findChild<CModeListDlg*>();
    if (list == nullptr || !QTest::qWaitForWindowExposed(list))
        return nullptr;
    return list;
}

// Clicks the row of mode index in the list.
void ClickRow(CModeListDlg* list, int index) {
    QTableWidget* table = list->table;
    QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier,
                      table->visualItemRect(table->item(index, 0)).center());
}

// Types a whole number into a spin box as a person does: its number
// selected with Ctrl+A and typed over (the box takes each key as it comes;
// Return would press the dialog's default button).
void TypeNumber(QDoubleSpinBox* box, int value) {
    QTest::mouseClick(box, Qt::LeftButton);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(box, QString::number(value));
}

} // namespace

class VibrationTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { AppHarness::VerifyNothingUnexpected(); }
    void theListChoosesEachWindowsArrows();
    void vibrationMovesAtomsAndStopsAtRest();
    void theBatchPictureHonoursTheStoredArrowScale();
    void spectrumDrawsTheBandsAndAClickChoosesTheMode();
    void aFarBandStretchesTheAxisOnlyWithIntensityAndTheWheelZooms();
    void vibrationPicturesAreOnePeriod();
};

void VibrationTest::theListChoosesEachWindowsArrows() {
    AppHarness h;
    QVERIFY(h.Start(h.Write("freq.log", TwoAtomFrequencyJob())));
    QVERIFY(h.WaitForPicture());
    CMolView* view = h.ActiveView();
    QVERIFY(h.IsEnabled(kNormalModes));
    h.Run(kNormalModes);
    auto* list = h.MainFrame()->findChild<CModeListDlg*>();
    QVERIFY(list != nullptr && list->isVisible());
    // Beside the molecule, not over it.
    QVERIFY(!list->frameGeometry().contains(view->mapToGlobal(view->rect().center())));
    QTableWidget* table = list->table;
    QCOMPARE(table->rowCount(), 3);
    QCOMPARE(table->item(2, 2)->text(), QStringLiteral("300.00i")); // imaginary, in red
    QCOMPARE(table->item(2, 2)->foreground().color(), QColor(Qt::red));
    QCOMPARE(table->item(1, 3)->text(), QStringLiteral("100.0000"));

    // Choosing row 2 (mode 2, carbon along +y) through the table itself.
    const QPoint carbon = ProjectAtom(view->state.camera, view->width(), view->height(), 0, 0, 0);
    QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier,
                      table->visualItemRect(table->item(1, 0)).center());
    QCOMPARE(view->state.mode, 1);
    QVERIFY((view->state.displayFlags & ViewState::kVibration) != 0);
    QVERIFY(h.WaitForPicture());
    const ArrowPixels up = ArrowsAround(view->grabFramebuffer(), carbon);
    QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier,
                      table->visualItemRect(table->item(0, 0)).center());
    QCOMPARE(view->state.mode, 0);
    QVERIFY(h.WaitForPicture());
    const ArrowPixels right = ArrowsAround(view->grabFramebuffer(), carbon);
    QVERIFY2(up.above > 20 && up.above > 4 * up.right,
             qPrintable(QStringLiteral("%1 %2").arg(up.above).arg(up.right)));
    QVERIFY2(right.right > 20 && right.right > 4 * right.above,
             qPrintable(QStringLiteral("%1 %2").arg(right.right).arg(right.above)));

    // The movie dialog names the mode chosen by its frequency too.
    QString named;
    h.QueueDialog([&named](QDialog& dialog) {
        auto& movie = static_cast<CMovieDlg&>(dialog);
        QVERIFY(movie.vibration->isChecked());
        QCOMPARE(movie.modeBox->value(), 1);
        named = movie.frequencyLabel->text();
        movie.modeBox->setValue(3);
        named += QLatin1Char('|') + movie.frequencyLabel->text();
        dialog.reject();
    });
    h.Run(kSaveMovieGif);
    QCOMPARE(named, QStringLiteral("%1 cm⁻¹|300.0i cm⁻¹")
                        .arg(view->ShownModes()->front().frequency, 0, 'f', 1));

    // The arrow scale lengthens the arrows.
    list->arrowScale->setValue(3.0);
    QCOMPARE(view->state.arrowScale, 3.0);
    QVERIFY(h.WaitForPicture());
    QVERIFY(ArrowsAround(view->grabFramebuffer(), carbon).right > right.right * 2);

    // A second window of the document keeps its own choice.
    h.Run(kWindowNew);
    CMolView* second = h.ActiveView();
    QVERIFY(second != view);
    QCOMPARE(second->state.mode, -1);
    QCOMPARE(view->state.mode, 0);
}

void VibrationTest::vibrationMovesAtomsAndStopsAtRest() {
    AppHarness h;
    QVERIFY(h.Start(h.Write("freq.log", TwoAtomFrequencyJob())));
    QVERIFY(h.WaitForPicture());
    CMolView* view = h.ActiveView();
    CModeListDlg* list = OpenModeList(h);
    QVERIFY(list != nullptr);
    ClickRow(list, 0);
    QCOMPARE(view->state.mode, 0);
    TypeNumber(list->amplitude, 1);
    QCOMPARE(list->amplitude->value(), 1.0);
    QVERIFY(h.WaitForPicture());
    const QImage rest = view->grabFramebuffer();
    QVERIFY(!view->animator.IsVibrating());
    QTest::mouseClick(list->play, Qt::LeftButton);
    QVERIFY(view->animator.IsVibrating());
    QCOMPARE(list->play->text(), QStringLiteral("停止"));
    // A quarter period on: the carbon 1.0 × 0.7 Å along +x; the picture
    // differs from the resting one, the model does not.
    view->animator.VibrationStep(view->animator.vibrationPeriod / 4);
    QCOMPARE(view->state.vibrationOffset, 1.0);
    QVERIFY(h.WaitForPicture());
    QVERIFY(view->grabFramebuffer() != rest);
    const CMolData* model = h.ActiveDocument()->data.get();
    QCOMPARE(model->GetAtomCoord(0, 0, 0), 0.0);
    // The timer keeps it moving on its own.
    QTRY_VERIFY_WITH_TIMEOUT(std::abs(view->state.vibrationOffset - 1.0) > 1e-3, 3000);

    // Saving while it plays writes the resting geometry.
    const QString saved = h.Path("saved.com");
    h.QueueDialogAnswer(saved, 1);
    h.Run(kFileSaveAs);
    QFile file(saved);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    QVERIFY2(text.contains("   C        0.000000     0.000000     0.000000\n"), text.constData());

    QTest::mouseClick(list->play, Qt::LeftButton);
    QVERIFY(!view->animator.IsVibrating());
    QCOMPARE(view->state.vibrationOffset, 0.0);
    QCOMPARE(list->play->text(), QStringLiteral("再生"));
    QVERIFY(h.WaitForPicture());
    QCOMPARE(view->grabFramebuffer(), rest);
    // Amplitude, period and arrow scale are kept with the settings.
    list->period->setValue(2.5);
    list->arrowScale->setValue(4.0);
    h.Exit();
    QCOMPARE(h.StoredString("Settings", "VibrationAmplitude"), QStringLiteral("100"));
    QCOMPARE(h.StoredString("Settings", "VibrationPeriod"), QStringLiteral("2500"));
    QCOMPARE(h.StoredString("Settings", "ArrowScale"), QStringLiteral("400"));
}

// The picture drawn without a window (ravek --export-picture) reads the
// view's stored settings as a window does, the arrow scale too.
void VibrationTest::theBatchPictureHonoursTheStoredArrowScale() {
    AppHarness h;
    const QString job = h.Write("freq.log", TwoAtomFrequencyJob());
    QVERIFY(h.Start());
    Profile::Write(Settings::kDisplayMode, ViewState::kBallAndStick | ViewState::kVibration);
    std::vector<int> arrowPixels;
    for (const int scale : {100, 400}) {
        Profile::Write(Settings::kArrowScale, scale);
        const QString out = h.Path(QStringLiteral("arrows%1.png").arg(scale));
        const CommandLine line =
            CommandLine::Parse({QStringLiteral("ravek"), QStringLiteral("--export-picture"), out,
                                QStringLiteral("--size"), QStringLiteral("400x300"), job});
        QCOMPARE(RunPictureExport(line), 0);
        const ArrowPixels arrows = ArrowsAround(QImage(out), QPoint(0, 150));
        arrowPixels.push_back(arrows.right);
    }
    QVERIFY2(arrowPixels[0] > 20, qPrintable(QString::number(arrowPixels[0])));
    QVERIFY2(arrowPixels[1] > 2 * arrowPixels[0],
             qPrintable(QStringLiteral("%1 then %2").arg(arrowPixels[0]).arg(arrowPixels[1])));
}

void VibrationTest::spectrumDrawsTheBandsAndAClickChoosesTheMode() {
    AppHarness h;
    QVERIFY(h.Start(h.Write("freq.log", TwoAtomFrequencyJob())));
    QVERIFY(h.WaitForPicture());
    CMolView* view = h.ActiveView();
    QVERIFY(h.IsEnabled(kIrSpectrum));
    h.Run(kIrSpectrum);
    auto* spectrum = h.MainFrame()->findChild<CSpectrumView*>();
    QVERIFY(spectrum != nullptr);
    QVERIFY(QTest::qWaitForWindowExposed(spectrum));
    // Wavenumbers fall to the right; the imaginary mode has no band.
    const QRect plot = spectrum->PlotArea(spectrum->rect());
    QVERIFY(spectrum->XOf(2500, plot) < spectrum->XOf(1500, plot));
    QCOMPARE(spectrum->LeftEdge(), 4000.0);
    QVERIFY(std::abs(spectrum->Curve(2500) - 100.0) < 0.1);
    QVERIFY(std::abs(spectrum->Curve(2510) - 50.0) < 0.1); // half height at w = 10
    QCOMPARE(spectrum->ModeAt(static_cast<int>(spectrum->XOf(-300, plot))), -1);

    // The stick of mode 2 in the picture: dark pixels at its x above the
    // axis, none at an empty wavenumber.
    const QImage picture = spectrum->grab().toImage();
    const int x2 = static_cast<int>(std::lround(spectrum->XOf(2500, plot)));
    const auto darkAt = [&picture, &plot](int x) {
        int dark = 0;
        for (int y = plot.top() + 1; y < plot.bottom() - 3; ++y)
            dark += qGray(picture.pixel(x, y)) < 128;
        return dark;
    };
    QVERIFY(darkAt(x2) > plot.height() / 2);
    QCOMPARE(darkAt(static_cast<int>(spectrum->XOf(3500, plot))), 0);

    // A click beside the stick chooses mode 2 in the molecule window.
    QTest::mouseClick(spectrum, Qt::LeftButton, Qt::NoModifier, QPoint(x2 + 3, plot.center().y()));
    QCOMPARE(view->state.mode, 1);
    QCOMPARE(spectrum->chosenMode, 1);

    // The curve as two columns, from 4000 down to 0.
    // Saved through File → スペクトルデータ保存 and the real file dialog.
    const QString path = h.Path("spectrum.txt");
    h.QueueDialogAnswer(path, 1);
    h.Run(kSaveSpectrum);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    QVERIFY(lines[0].startsWith('#'));
    // Lorentzians of the two real bands, w = 10 cm⁻¹.
    const auto expected = [](int nu) {
        const auto band = [nu](double centre, double intensity) {
            return intensity * 100.0 / ((nu - centre) * (nu - centre) + 100.0);
        };
        return QString::asprintf("%d %.6f", nu, band(1500, 40) + band(2500, 100)).toUtf8();
    };
    QCOMPARE(lines[1], expected(4000));
    QCOMPARE(lines[1 + 4000 - 2500], expected(2500));
    QCOMPARE(lines[1 + 4000 - 1505], expected(1505));
    QCOMPARE(lines.size(), 4003); // header, 4001 points, the last line end
}

// A mode at 99,999.9 cm⁻¹ once stretched the axis to 100,000 with some 200
// labels over each other. Without intensity it leaves the axis at 4000; with
// intensity it stretches it, but the labels keep their room; the wheel zooms
// in about the pointer and out as far as that band, a double click shows the
// whole range again, and the saved curve reaches every band.
void VibrationTest::aFarBandStretchesTheAxisOnlyWithIntensityAndTheWheelZooms() {
    const auto jobWithThirdBand = [](const char* intensity) {
        QByteArray text = TwoAtomFrequencyJob();
        text.replace("-300.0000", "99999.9000");
        text.replace("   5.0000", intensity);
        return text;
    };
    AppHarness h;
    QVERIFY(h.Start(h.Write("far.log", jobWithThirdBand("   0.0000"))));
    QVERIFY(h.WaitForPicture());
    h.Run(kIrSpectrum);
    auto* spectrum = h.MainFrame()->findChild<CSpectrumView*>();
    QVERIFY(spectrum != nullptr);
    QVERIFY(QTest::qWaitForWindowExposed(spectrum));
    QCOMPARE(spectrum->LeftEdge(), 4000.0);
    QCOMPARE(spectrum->FullLeftEdge(), 100500.0);
    const QRect plot = spectrum->PlotArea(spectrum->rect());
    const int x2500 = static_cast<int>(std::lround(spectrum->XOf(2500, plot)));
    QVERIFY(x2500 > plot.left() + plot.width() / 3); // where a 4000 axis puts it

    // The wheel over the 2500 band: narrower, the band still under the
    // pointer; out again as far as the far band, and no further.
    QWheelEvent in(QPointF(x2500, plot.center().y()), spectrum->mapToGlobal(QPointF(x2500, 0)),
                   QPoint(), QPoint(0, 3 * 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                   false);
    QApplication::sendEvent(spectrum, &in);
    QVERIFY(spectrum->ShownLeft() - spectrum->ShownRight() < 0.6 * 4000);
    QVERIFY(std::abs(spectrum->XOf(2500, plot) - x2500) < 1.0);
    QWheelEvent out(QPointF(x2500, plot.center().y()), spectrum->mapToGlobal(QPointF(x2500, 0)),
                    QPoint(), QPoint(0, -60 * 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                    false);
    QApplication::sendEvent(spectrum, &out);
    QCOMPARE(spectrum->ShownLeft(), 100500.0);
    QCOMPARE(spectrum->ShownRight(), 0.0);
    // As far in as 20 cm⁻¹ across, still labelled in round steps.
    spectrum->Zoom(2500, 1e-4);
    QCOMPARE(spectrum->ShownLeft() - spectrum->ShownRight(), 20.0);
    QVERIFY(spectrum->Ticks(plot, QFontMetrics(spectrum->AxisFont(plot))).size() >= 4);
    QTest::mouseDClick(spectrum, Qt::LeftButton, Qt::NoModifier, QPoint(plot.left() + 5, 10));
    QCOMPARE(spectrum->ShownLeft(), 4000.0);

    // The saved curve from the far band's edge down to 0.
    const QString path = h.Path("far.txt");
    h.QueueDialogAnswer(path, 1);
    h.Run(kSaveSpectrum);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll().count('\n'), 1 + 100501);
    file.close();

    // With intensity the far band sets the axis; the labels do not touch,
    // on either axis (intensities of ten thousands once read "1e+04" over
    // the axis's title).
    h.App()->OpenFiles({h.Write("strong.log", jobWithThirdBand("25800.0000"))});
    QVERIFY(h.WaitForPicture());
    h.Run(kIrSpectrum);
    CSpectrumView* strong = nullptr;
    QTRY_VERIFY((strong = [&]() -> CSpectrumView* {
                    for (CSpectrumView* view : h.MainFrame()->findChildren<CSpectrumView*>()) {
                        if (view->LeftEdge() == 100500.0)
                            return view;
                    }
                    return nullptr;
                }()) != nullptr);
    QVERIFY(QTest::qWaitForWindowExposed(strong));
    const QRect wide = strong->PlotArea(strong->rect());
    const QFontMetrics metrics(strong->AxisFont(wide));
    const std::vector<double> ticks = strong->Ticks(wide, metrics);
    QVERIFY(ticks.size() >= 3);
    QVERIFY(ticks.size() <= 20);
    for (std::size_t k = 1; k < ticks.size(); ++k) {
        const double room =
            std::max(metrics.horizontalAdvance(QString::number(ticks[k], 'f', 0)),
                     metrics.horizontalAdvance(QString::number(ticks[k - 1], 'f', 0)));
        QVERIFY(std::abs(strong->XOf(ticks[k], wide) - strong->XOf(ticks[k - 1], wide)) > room);
    }
    const CSpectrumView::Intensities scale = strong->IntensityScale();
    QVERIFY(scale.ticks.size() >= 3);
    for (const double y : scale.ticks) {
        const QString label = CSpectrumView::IntensityLabel(y, scale.step);
        QVERIFY2(!label.contains(QLatin1Char('e')), qPrintable(label));
        // The label's left end clears the rotated title beside the axis.
        QVERIFY(wide.left() - 8 - metrics.horizontalAdvance(label) > 1.2 * metrics.height() + 4);
    }
}

// With animation pictures on, playing writes one period in equal steps as
// numbered pictures: the first at rest, the sixth (a quarter period) at the
// largest displacement, then it plays on without writing.
void VibrationTest::vibrationPicturesAreOnePeriod() {
    AppHarness h;
    QVERIFY(h.Start(h.Write("freq.log", TwoAtomFrequencyJob())));
    QVERIFY(h.WaitForPicture());
    CMolView* view = h.ActiveView();
    CMolDoc* document = h.ActiveDocument();
    CModeListDlg* list = OpenModeList(h);
    QVERIFY(list != nullptr);
    ClickRow(list, 0);
    QCOMPARE(view->state.mode, 0);
    QVERIFY(h.WaitForPicture());
    QVERIFY(ViewPicture(view->Pictures()).Write(h.Path("rest.bmp"), ViewPicture::kBmp24));
    document->saveAnimationImages = 1;
    document->animationStartNumber = 3;
    document->animationTitle = h.Path("vib").toStdString();
    QTest::mouseClick(list->play, Qt::LeftButton);
    QVERIFY(view->animator.IsVibrating());
    const int frames = Animator::kVibrationFrames;
    QTRY_VERIFY_WITH_TIMEOUT(
        QFile::exists(h.Path(QString::asprintf("vib%04d.bmp", 3 + frames - 1))), 10000);
    QTest::qWait(200);
    QVERIFY(!QFile::exists(h.Path(QString::asprintf("vib%04d.bmp", 3 + frames))));
    QVERIFY(!QFile::exists(h.Path("vib0002.bmp")));
    QCOMPARE(h.Read(h.Path("vib0003.bmp")), h.Read(h.Path("rest.bmp")));
    QVERIFY(h.Read(h.Path("vib0008.bmp")) != h.Read(h.Path("rest.bmp")));
    QTest::mouseClick(list->play, Qt::LeftButton);
    QVERIFY(!view->animator.IsVibrating());
}

#include "GuiTestMain.h"
RAVEK_GUI_TEST_MAIN(VibrationTest)
#include "VibrationTest.moc"
