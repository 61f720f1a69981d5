// Orbitals through the real windows: a formatted checkpoint file opened by
// the Open dialog, an orbital chosen in the panel and shown as lobes of both
// signs, its level changed in the field, the picture saved by its dialog and
// looked at, the grid saved as a cube file and read back; a cube file opened
// shows its surface at once; a session keeps the surface and its grids.

#include "AppHarness.h"
#include "Projection.h"

#include "app/CMainFrame.h"
#include "app/CMolDoc.h"
#include "formats/CubeReader.h"
#include "io/StdioFile.h"
#include "model/CMolData.h"
#include "render/SurfaceState.h"
#include "res/CommandIds.h"
#include "view/CMolView.h"
#include "view/COrbitalPanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace CommandIds;

namespace {

// A formatted checkpoint file of H2 in a minimal basis (one contracted s
// function on each atom, 1.4 bohr apart): the bonding and the antibonding
// orbital.
QByteArray HydrogenFchk() {
    QString text = QStringLiteral("H2\nSP        RHF                                    STO-3G\n");
    const auto head = [&](const char* name, char type) {
        return QStringLiteral("%1   %2").arg(QString::fromLatin1(name), -40).arg(QLatin1Char(type));
    };
    const auto integer = [&](const char* name, int value) {
        text += head(name, 'I') + QStringLiteral("%1\n").arg(value, 17);
    };
    const auto integers = [&](const char* name, const QList<int>& values) {
        text += head(name, 'I') + QStringLiteral("   N=%1\n").arg(values.size(), 12);
        for (int k = 0; k < values.size(); ++k)
            text += QStringLiteral("%1").arg(values[k], 12) +
                    (k % 6 == 5 || k + 1 == values.size() ? QStringLiteral("\n") : QString());
    };
    const auto reals = [&](const char* name, const QList<double>& values) {
        text += head(name, 'R') + QStringLiteral("   N=%1\n").arg(values.size(), 12);
        for (int k = 0; k < values.size(); ++k)
            text += QStringLiteral("%1").arg(values[k], 16, 'E', 8) +
                    (k % 5 == 4 || k + 1 == values.size() ? QStringLiteral("\n") : QString());
    };
    integer("Number of atoms", 2);
    integer("Charge", 0);
    integer("Multiplicity", 1);
    integer("Number of electrons", 2);
    integer("Number of alpha electrons", 1);
    integer("Number of beta electrons", 1);
    integer("Number of basis functions", 2);
    integers("Atomic numbers", {1, 1});
    reals("Current cartesian coordinates", {-0.7, 0, 0, 0.7, 0, 0});
    integers("Shell types", {0, 0});
    integers("Number of primitives per shell", {3, 3});
    integers("Shell to atom map", {1, 2});
    const QList<double> exponents = {3.42525091, 0.62391373, 0.16885540};
    const QList<double> coefficients = {0.15432897, 0.53532814, 0.44463454};
    reals("Primitive exponents", exponents + exponents);
    reals("Contraction coefficients", coefficients + coefficients);
    reals("Coordinates of each shell", {-0.7, 0, 0, 0.7, 0, 0});
    reals("Total Energy", {});
    text.chop(text.size() - text.lastIndexOf(QStringLiteral("Total Energy")));
    text += head("Total Energy", 'R') + QStringLiteral("     -1.11675930739\n");
    reals("Alpha Orbital Energies", {-0.578, 0.670});
    reals("Alpha MO coefficients", {0.5489, 0.5489, 1.2111, -1.2111});
    return text.toLatin1();
}

// A density-like grid of 21³ points step bohr apart about the origin,
// exp(-r²/width), after head (the two comment lines and the atoms' and
// axes' lines, in a cube file's layout).
QByteArray GaussianCube(const QString& head, double step, double width) {
    QString text = head;
    for (int i = 0; i < 21; ++i)
        for (int j = 0; j < 21; ++j)
            for (int k = 0; k < 21; ++k) {
                const double r2 =
                    step * step * ((i - 10) * (i - 10) + (j - 10) * (j - 10) + (k - 10) * (k - 10));
                text += QStringLiteral(" %1").arg(std::exp(-r2 / width), 0, 'E', 5) +
                        (k % 6 == 5 || k == 20 ? QStringLiteral("\n") : QString());
            }
    return text.toLatin1();
}

// exp(-r²) on 4 bohr about one atom.
QByteArray BlobCube() {
    return GaussianCube(QStringLiteral(" t\n density\n    1   -2.0 -2.0 -2.0\n    21 0.2 0 0\n"
                                       "    21 0 0.2 0\n    21 0 0 0.2\n    1 1.0 0.0 0.0 0.0\n"),
                        0.2, 1.0);
}

QImage Picture(CMolView* view) {
    view->update();
    QTest::qWait(50);
    return view->grabFramebuffer().convertToFormat(QImage::Format_RGB32);
}

// Pixels of the picture mostly red and mostly blue.
std::pair<int, int> RedAndBlue(const QImage& picture) {
    int red = 0, blue = 0;
    for (int y = 0; y < picture.height(); y += 2) {
        for (int x = 0; x < picture.width(); x += 2) {
            const QColor c = picture.pixelColor(x, y);
            red += c.red() > 2 * c.blue() && c.red() > 80;
            blue += c.blue() > 2 * c.red() && c.blue() > 80;
        }
    }
    return {red, blue};
}

} // namespace

class OrbitalTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { AppHarness::VerifyNothingUnexpected(); }
    void anOrbitalChosenInThePanelShowsInTheWindowAndItsPicture();
    void aCubeFileShowsItsSurfaceAtOnce();
    void aSessionKeepsTheSurfaceAndMakesItsGridsAgain();
    void aSurfaceLargerThanTheMoleculeFitsAndHomeFitsItAgain();
};

void OrbitalTest::anOrbitalChosenInThePanelShowsInTheWindowAndItsPicture() {
    AppHarness h;
    const QString fchk = h.Write("h2.fchk", HydrogenFchk());
    QVERIFY(h.Start());
    // Typed under the first filter (Gaussian data), as a new user does: the
    // question names what the file looks like, and Yes reads it so.
    h.QueueDialogAnswer(fchk, 1);
    h.Run(kFileOpen);
    QCOMPARE(h.TakeMessages(),
             QStringList{QStringLiteral("h2.fchk は フォーマット済みチェックポイント "
                                        "ファイルのようです。\nフォーマット済みチェックポイント "
                                        "ファイルとして読み込みますか?")});
    CMolDoc* document = h.ActiveDocument();
    QVERIFY(document->data != nullptr);
    QVERIFY2(document->data->wavefunction != nullptr, document->data->wavefunctionProblem.c_str());
    QVERIFY(h.WaitForPicture());
    h.MainFrame()->Refresh();
    // The panel opens from the View menu, not by itself.
    COrbitalPanel* panel = h.MainFrame()->OrbitalPanel();
    QVERIFY(!panel->isVisible());
    QVERIFY(!h.IsChecked(kPanelOrbitals));
    h.Run(kPanelOrbitals);
    QVERIFY(panel->isVisible());
    QVERIFY(h.IsChecked(kPanelOrbitals));

    // The LUMO (σu, a lobe of each sign) chosen by a click on its row.
    auto* table = panel->findChild<QTableWidget*>(QStringLiteral("orbitalTable"));
    QCOMPARE(table->rowCount(), 2);
    QVERIFY(table->item(0, 0)->text().contains(QStringLiteral("HOMO")));
    QVERIFY(table->item(1, 0)->text().contains(QStringLiteral("LUMO")));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier,
                      table->visualItemRect(table->item(1, 2)).center());
    auto* spacing = panel->findChild<QDoubleSpinBox*>(QStringLiteral("gridSpacing"));
    spacing->setValue(0.15);
    QTest::mouseClick(panel->findChild<QPushButton*>(QStringLiteral("showOrbital")),
                      Qt::LeftButton);
    const SurfaceState& surface = document->surface;
    QVERIFY(surface.volume != nullptr);
    QCOMPARE(QString::fromStdString(surface.volume->name), QStringLiteral("MO 2 (alpha)"));
    QVERIFY(surface.positive != nullptr && surface.negative != nullptr);
    const std::size_t before = surface.positive->TriangleCount();
    QVERIFY(before > 100);
    QCOMPARE(surface.negative->TriangleCount() > 100, true);

    // A level typed into the field: a smaller lobe.
    auto* level = panel->findChild<QDoubleSpinBox*>(QStringLiteral("isovalue"));
    level->selectAll();
    QTest::keyClicks(level, QStringLiteral("0.1"));
    QTest::keyClick(level, Qt::Key_Return);
    QCOMPARE(surface.isovalue, 0.1);
    QVERIFY(surface.positive->TriangleCount() < before);
    QVERIFY(surface.positive->TriangleCount() > 20);

    // The picture holds both lobes: red and blue.
    h.QueueDialogAnswer(h.Path("lobes.tif"), 3);
    h.Run(kSavePicture);
    const QImage picture(h.Path("lobes.tif"));
    QVERIFY(!picture.isNull());
    const auto [red, blue] = RedAndBlue(picture);
    QVERIFY2(red > 200 && blue > 200, qPrintable(QStringLiteral("%1 %2").arg(red).arg(blue)));

    // The grid saved by its button and dialog reads back alike.
    h.QueueDialogAnswer(h.Path("lumo"), 1);
    QTest::mouseClick(panel->findChild<QPushButton*>(QStringLiteral("saveCube")), Qt::LeftButton);
    StdioFile saved;
    QVERIFY(saved.Open(h.Path("lumo.cube").toStdString(), StdioFile::modeRead));
    const std::unique_ptr<CMolData> read = ReadCube(&saved);
    const CMolData& again = *read;
    QVERIFY2(again.formatProblem.empty(), again.formatProblem.c_str());
    QCOMPARE(again.volumes.size(), std::size_t{1});
    QCOMPARE(again.volumes[0]->points, surface.volume->points);
    QCOMPARE(again.atomCount, 2);

    // That file added by its button and dialog colours the surface: a colour
    // per vertex, and the bar's range symmetric about zero.
    h.QueueDialogAnswer(h.Path("lumo.cube"), 1);
    QTest::mouseClick(panel->findChild<QPushButton*>(QStringLiteral("addCube")), Qt::LeftButton);
    QCOMPARE(document->grids.size(), std::size_t{2});
    auto* colourBy = panel->findChild<QComboBox*>(QStringLiteral("colourVolume"));
    QCOMPARE(colourBy->count(), 3); // none, the orbital, the file's grid
    colourBy->setFocus();
    QTest::keyClick(colourBy, Qt::Key_End);
    QCOMPARE(surface.colourVolume, document->grids[1].grid);
    QVERIFY(surface.positiveColours != nullptr);
    QCOMPARE(surface.positiveColours->size(), surface.positive->VertexCount() * 4);
    QCOMPARE(surface.colourRange[0], -surface.colourRange[1]);
    QVERIFY(!panel->findChild<QLabel*>(QStringLiteral("colourRange"))->text().isEmpty());
    // The range is that of the values on the surface: the orbital's own grid
    // is ± the level there, far less than the grid's own extremes.
    const double shownLevel = surface.isovalue;
    QVERIFY2(surface.colourRange[1] > 0.8 * shownLevel && surface.colourRange[1] < 1.3 * shownLevel,
             qPrintable(QString::number(surface.colourRange[1])));
    QVERIFY(surface.colourVolume->Range()[1] > 3.0F * surface.colourRange[1]);
    // Set by hand in its boxes: the colours follow.
    auto* high = panel->findChild<QDoubleSpinBox*>(QStringLiteral("colourHigh"));
    auto* low = panel->findChild<QDoubleSpinBox*>(QStringLiteral("colourLow"));
    QVERIFY(high != nullptr && low != nullptr && high->isEnabled());
    QVERIFY(std::abs(high->value() - static_cast<double>(surface.colourRange[1])) < 1e-5);
    const std::vector<float> coloursBefore = *surface.positiveColours;
    low->setValue(-10.0 * shownLevel);
    high->setValue(10.0 * shownLevel);
    QCOMPARE(surface.colourRange[1], static_cast<float>(10.0 * shownLevel));
    QVERIFY(*surface.positiveColours != coloursBefore);
    QCOMPARE((*surface.positiveColours)[3], 1.0F);
    // Translucent, the coloured surface is too.
    QTest::mouseClick(panel->findChild<QCheckBox*>(QStringLiteral("translucent")), Qt::LeftButton,
                      Qt::NoModifier, QPoint(4, 4));
    QVERIFY(surface.translucent);
    QCOMPARE((*surface.positiveColours)[3], SurfaceState::kTranslucentAlpha);

    // The file's grid chosen to show starts at its own default level, not
    // at the level typed for the orbital.
    auto* shown = panel->findChild<QComboBox*>(QStringLiteral("shownVolume"));
    shown->setFocus();
    QTest::keyClick(shown, Qt::Key_End);
    QCOMPARE(surface.volume, document->grids[1].grid);
    QCOMPARE(surface.isovalue, 0.02);
    QCOMPARE(level->value(), 0.02);
    h.Exit();
}

void OrbitalTest::aCubeFileShowsItsSurfaceAtOnce() {
    AppHarness h;
    QVERIFY(h.Start(h.Write("blob.cube", BlobCube())));
    CMolDoc* document = h.ActiveDocument();
    QVERIFY(document->surface.volume != nullptr);
    QCOMPARE(document->surface.isovalue, 0.002);
    QVERIFY(document->surface.positive->TriangleCount() > 100);
    QVERIFY(document->surface.negative == nullptr);
    QVERIFY(h.WaitForPicture());
    h.MainFrame()->Refresh();
    QVERIFY(!h.MainFrame()->OrbitalPanel()->isVisible());

    // Half-transparent, one face shows: the nearest layer at its alpha over
    // the black background, shaded as the opaque surface is, so no band or
    // stripe of the faces behind it adds light.
    CMolView* view = h.ActiveView();
    const QImage opaque = view->grabFramebuffer().convertToFormat(QImage::Format_RGB32);
    h.Run(kPanelOrbitals);
    h.MainFrame()->OrbitalPanel()->findChild<QCheckBox*>(QStringLiteral("translucent"))->click();
    QVERIFY(document->surface.translucent);
    view->update();
    QVERIFY(h.WaitForPicture());
    const QImage seen = view->grabFramebuffer().convertToFormat(QImage::Format_RGB32);
    const QPoint atom = ProjectAtom(view->state.camera, opaque.width(), opaque.height(), 0, 0, 0);
    const float alpha = SurfaceState::kTranslucentAlpha;
    int compared = 0, off = 0;
    for (int y = 0; y < opaque.height(); ++y) {
        for (int x = 0; x < opaque.width(); ++x) {
            const QRgb o = opaque.pixel(x, y);
            if (qGray(o) < 40 || (QPoint(x, y) - atom).manhattanLength() < 24)
                continue;
            ++compared;
            const QRgb t = seen.pixel(x, y);
            const auto near = [alpha](int shown, int full) {
                return std::abs(static_cast<float>(shown) - alpha * static_cast<float>(full)) <=
                       4.0F;
            };
            off += near(qRed(t), qRed(o)) && near(qGreen(t), qGreen(o)) && near(qBlue(t), qBlue(o))
                       ? 0
                       : 1;
        }
    }
    QVERIFY2(compared > 2000 && off < compared / 50,
             qPrintable(QStringLiteral("%1 of %2 off").arg(off).arg(compared)));
    h.Exit();
}

void OrbitalTest::aSessionKeepsTheSurfaceAndMakesItsGridsAgain() {
    // The files outlive the first program's harness.
    QTemporaryDir files;
    const QString fchk = files.filePath("h2.fchk");
    const QString cube = files.filePath("blob.cube");
    const QString session = files.filePath("lobes.ravek");
    for (const auto& [path, bytes] :
         {std::pair{fchk, HydrogenFchk()}, std::pair{cube, BlobCube()}}) {
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    }
    QImage before;
    std::vector<float> orbitalValues;
    SurfaceState kept;
    {
        AppHarness h;
        QVERIFY(h.Start(fchk));
        QVERIFY(h.WaitForPicture());
        h.MainFrame()->Refresh();
        h.Run(kPanelOrbitals);
        COrbitalPanel* panel = h.MainFrame()->OrbitalPanel();
        // The LUMO on a grid of 0.2 bohr, the cube file added beside it and
        // colouring it, a level typed, translucent.
        auto* table = panel->findChild<QTableWidget*>(QStringLiteral("orbitalTable"));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier,
                          table->visualItemRect(table->item(1, 2)).center());
        panel->findChild<QDoubleSpinBox*>(QStringLiteral("gridSpacing"))->setValue(0.2);
        QTest::mouseClick(panel->findChild<QPushButton*>(QStringLiteral("showOrbital")),
                          Qt::LeftButton);
        QVERIFY(panel->AddCube(cube));
        CMolDoc* document = h.ActiveDocument();
        QCOMPARE(document->grids.size(), std::size_t{2});
        auto* colourBy = panel->findChild<QComboBox*>(QStringLiteral("colourVolume"));
        colourBy->setFocus();
        QTest::keyClick(colourBy, Qt::Key_End);
        auto* level = panel->findChild<QDoubleSpinBox*>(QStringLiteral("isovalue"));
        level->selectAll();
        QTest::keyClicks(level, QStringLiteral("0.05"));
        QTest::keyClick(level, Qt::Key_Return);
        panel->findChild<QCheckBox*>(QStringLiteral("translucent"))->click();
        kept = document->surface;
        QVERIFY(kept.colourVolume == document->grids[1].grid && kept.translucent);
        QCOMPARE(kept.isovalue, 0.05);
        orbitalValues = document->grids[0].grid->values;
        before = Picture(h.ActiveView());
        h.MainFrame()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(h.MainFrame()));
        h.QueueDialogAnswer(files.filePath("lobes"), 6);
        h.Run(kFileSaveAs);
        QVERIFY(QFile::exists(session));
        h.Exit();
    }

    // Opened in a new program: the orbital evaluated again to the same
    // values, the cube read again, the surface as it was, in the panel too.
    AppHarness h;
    QVERIFY(h.Start(session));
    QVERIFY(h.WaitForPicture());
    CMolDoc* document = h.ActiveDocument();
    QCOMPARE(document->grids.size(), std::size_t{2});
    QVERIFY(document->grids[0].origin == DocumentGrid::Origin::kComputed);
    QCOMPARE(document->grids[0].spacing, 0.2);
    QVERIFY(document->grids[0].grid->values == orbitalValues);
    QCOMPARE(QString::fromStdString(document->grids[1].grid->name), QStringLiteral("density"));
    const SurfaceState& surface = document->surface;
    QCOMPARE(surface.volume, document->grids[0].grid);
    QCOMPARE(surface.colourVolume, document->grids[1].grid);
    QCOMPARE(surface.isovalue, kept.isovalue);
    QCOMPARE(surface.translucent, true);
    QCOMPARE(surface.colourRange, kept.colourRange);
    QCOMPARE(surface.positive->TriangleCount(), kept.positive->TriangleCount());
    QCOMPARE(Picture(h.ActiveView()), before);
    h.MainFrame()->Refresh();
    COrbitalPanel* panel = h.MainFrame()->OrbitalPanel();
    QCOMPARE(panel->findChild<QComboBox*>(QStringLiteral("shownVolume"))->currentIndex(), 1);
    QCOMPARE(panel->findChild<QComboBox*>(QStringLiteral("colourVolume"))->currentIndex(), 2);
    QCOMPARE(panel->findChild<QDoubleSpinBox*>(QStringLiteral("isovalue"))->value(), 0.05);
    QVERIFY(h.TakeMessages().isEmpty());

    // The cube file gone: said, the orbital's surface kept, no colouring.
    QVERIFY(QFile::remove(cube));
    QVERIFY(document->OnOpenDocument(session));
    const QStringList said = h.TakeMessages();
    QCOMPARE(said.size(), 1);
    QVERIFY2(said[0].contains(QStringLiteral("blob.cube")), qPrintable(said[0]));
    QCOMPARE(document->grids.size(), std::size_t{1});
    QCOMPARE(document->surface.volume, document->grids[0].grid);
    QVERIFY(document->surface.colourVolume == nullptr);

    // Sessions of other versions.
    QFile saved(session);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QJsonObject older = QJsonDocument::fromJson(saved.readAll()).object();
    QVERIFY(older.contains("surface"));
    // A later version's grid of a kind unknown here, before the orbital, is
    // passed over; the orbital is still the grid shown.
    QJsonObject later = older;
    QJsonObject part = later.value("surface").toObject();
    QJsonArray grids = part.value("grids").toArray();
    grids.prepend(QJsonObject{{"from", "a later kind"}});
    part.insert("grids", grids);
    part.insert("shown", 1);
    part.insert("colouredBy", 0);
    later.insert("surface", part);
    QVERIFY(document->OnOpenDocument(h.Write("later.ravek", QJsonDocument(later).toJson())));
    QCOMPARE(document->grids.size(), std::size_t{1});
    QCOMPARE(document->surface.volume, document->grids[0].grid);
    QVERIFY(document->surface.colourVolume == nullptr);
    QCOMPARE(h.TakeMessages().size(), 1); // the cube file, still gone
    // One written before surfaces were kept opens with none.
    older.remove("surface");
    QVERIFY(document->OnOpenDocument(h.Write("older.ravek", QJsonDocument(older).toJson())));
    QVERIFY(document->grids.empty() && document->surface.volume == nullptr);
    QVERIFY(h.TakeMessages().isEmpty());
    h.Exit();
}

void OrbitalTest::aSurfaceLargerThanTheMoleculeFitsAndHomeFitsItAgain() {
    AppHarness h;
    // Two hydrogens 0.74 Å apart in a density whose surface (at its default
    // level 0.002) reaches about 7 bohr, 3.7 Å, from them: far beyond the
    // picture the atoms alone are fitted to.
    const QByteArray cube =
        GaussianCube(QStringLiteral(" t\n density\n    2   -8.0 -8.0 -8.0\n    21 0.8 0 0\n"
                                    "    21 0 0.8 0\n    21 0 0 0.8\n    1 1.0 0.0 0.0 -0.7\n"
                                    "    1 1.0 0.0 0.0 0.7\n"),
                     0.8, 8.0);
    QVERIFY(h.Start(h.Write("wide.cube", cube)));
    CMolView* view = h.ActiveView();
    QVERIFY(h.ActiveDocument()->surface.positive != nullptr);
    // Whole in the window, clear of its edges.
    const auto clearOfTheEdges = [&] {
        view->update();
        if (!h.WaitForPicture())
            return false;
        const QImage picture = view->grabFramebuffer().convertToFormat(QImage::Format_RGB32);
        int drawn = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x) {
                if (qGray(picture.pixel(x, y)) < 20)
                    continue;
                ++drawn;
                if (x < 2 || y < 2 || x >= picture.width() - 2 || y >= picture.height() - 2)
                    return false;
            }
        return drawn > 1000;
    };
    QVERIFY(clearOfTheEdges());
    // Zoomed in until it runs out; Home fits it again.
    view->state.camera.SetZoom(4.0);
    QVERIFY(!clearOfTheEdges());
    h.Run(kResetView);
    QVERIFY(clearOfTheEdges());
    h.Exit();
}

#include "GuiTestMain.h"
RAVEK_GUI_TEST_MAIN(OrbitalTest)
#include "OrbitalTest.moc"
