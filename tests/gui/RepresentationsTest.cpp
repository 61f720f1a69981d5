// Representation rows through the real windows: the 表示 panel's table and
// buttons, its command box, Ctrl-clicks into "sele" and sessions saved with
// 名前を付けて保存 and opened in a new program all give one picture; a
// session whose structure file changed or went says so.

#include "AppHarness.h"
#include "GuiTestMain.h"
#include "Projection.h"

#include "app/CMainFrame.h"
#include "app/CMolDoc.h"
#include "model/CMolData.h"
#include "res/CommandIds.h"
#include "tests/support/IdealBackbone.h"
#include "tests/support/PdbRecord.h"
#include "view/CMolView.h"
#include "view/CRepresentationsPanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace CommandIds;

namespace {

// Two helices (chains A and B) 12 Å apart, a ligand of six atoms between
// them and three waters beside.
QByteArray Pocket() {
    const std::vector<BackboneResidue> helix =
        IdealBackbone(std::vector<std::pair<double, double>>(14, {-57.8, -47.0}));
    BackboneChain a, b;
    a.residues = helix;
    a.sideChainAtoms = 2;
    b = a;
    b.id = 'B';
    for (BackboneResidue& r : b.residues)
        for (Point3D* p : {&r.n, &r.ca, &r.c, &r.o})
            p->x += 12.0;
    std::string text = BackbonePdb({a, b});
    text = text.substr(0, text.rfind("END"));
    int serial = 900;
    for (int k = 0; k < 6; ++k)
        text += PdbRecord(true, ++serial, k % 2 == 0 ? "C1" : "O1", "LIG", 'C', 1, ' ',
                          6.0 + 1.2 * std::cos(k * 1.047), 10.0 + 1.2 * std::sin(k * 1.047), 0.0,
                          k % 2 == 0 ? "C" : "O");
    for (int k = 0; k < 3; ++k)
        text += PdbRecord(true, ++serial, "O", "HOH", 'W', 1 + k, ' ', -8.0, 3.0 * k, 0.0, "O");
    return QByteArray::fromStdString(text + "END\n");
}

const char* const kCommands[] = {"hide everything", "show cartoon, protein", "color chain, protein",
                                 "show sticks, ligand",
                                 "show sticks, byres (around 5 of ligand) and protein"};

QImage Picture(CMolView* view) {
    view->update();
    QTest::qWait(50);
    return view->grabFramebuffer().convertToFormat(QImage::Format_RGB32);
}

} // namespace

class RepresentationsTest : public QObject {
    Q_OBJECT
private slots:
    void panelCommandsAndSessionsGiveOnePicture();
    void sessionsOfChangedOrMissingFilesSaySo();
    void ctrlClicksGatherResiduesIntoSele();
    void proteinsOpenAsCartoonsWhenTheSettingSaysSo();
};

void RepresentationsTest::panelCommandsAndSessionsGiveOnePicture() {
    // The files outlive the first program's harness.
    QTemporaryDir files;
    const QString structure = files.filePath("pocket.pdb");
    const QString session = files.filePath("pocket.ravek");
    {
        QFile out(structure);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(Pocket());
    }
    QImage withoutPanel;
    ViewState shown;
    {
        AppHarness h;
        QVERIFY(h.Start(structure));
        QVERIFY(h.WaitForPicture());
        CMolView* view = h.ActiveView();
        const QImage menus = Picture(view);
        CRepresentationsPanel* panel = h.MainFrame()->RepresentationsPanel();
        QVERIFY(!panel->isVisible());
        h.Run(kPanelRepresentations);
        QVERIFY(panel->isVisible());
        // The panel lists the menus' row until rows are made.
        QCOMPARE(panel->table->rowCount(), 1);
        QCOMPARE(panel->table->item(0, 1)->text(), QString("all"));

        // Through the table and its buttons: the menus' row hidden, then the
        // protein as a cartoon by chain, the ligand and its pocket as sticks.
        panel->table->item(0, 0)->setCheckState(Qt::Unchecked);
        const auto addRow = [&](const QString& selection, int style, int colouring) {
            QTest::mouseClick(panel->addButton, Qt::LeftButton);
            const int row = panel->table->rowCount() - 1;
            panel->table->item(row, 1)->setText(selection);
            auto* styles = qobject_cast<QComboBox*>(panel->table->cellWidget(row, 2));
            auto* colourings = qobject_cast<QComboBox*>(panel->table->cellWidget(row, 3));
            QVERIFY(styles != nullptr && colourings != nullptr);
            QVERIFY(AppHarness::ChooseFromList(styles, style));
            QVERIFY(AppHarness::ChooseFromList(
                qobject_cast<QComboBox*>(panel->table->cellWidget(row, 3)), colouring));
        };
        addRow("protein", int(Representation::Style::kCartoon),
               int(Representation::Colouring::kChain));
        addRow("ligand", int(Representation::Style::kSticks),
               int(Representation::Colouring::kElement));
        addRow("byres (around 5 of ligand) and protein", int(Representation::Style::kSticks),
               int(Representation::Colouring::kElement));
        QCOMPARE(view->state.representations.size(), std::size_t{4});
        const QImage byPanel = Picture(view);
        QVERIFY(byPanel != menus);

        // A selection that does not parse is refused where it was typed.
        panel->table->item(3, 1)->setText("byres (around 5 of");
        QVERIFY2(panel->said->text().startsWith("column 19: expected"),
                 qPrintable(panel->said->text()));
        QCOMPARE(QString::fromStdString(view->state.representations[3].selection),
                 QString("byres (around 5 of ligand) and protein"));

        // The same by commands typed into the box.
        AppHarness::TypeInto(panel->commandBox, "reset");
        QTest::keyClick(panel->commandBox, Qt::Key_Return);
        QVERIFY(view->state.representations.empty());
        for (const char* command : kCommands) {
            AppHarness::TypeInto(panel->commandBox, command);
            QTRY_COMPARE(panel->commandBox->text(), QString(command));
            QTest::keyClick(panel->commandBox, Qt::Key_Return);
            QVERIFY2(panel->commandBox->text().isEmpty(), qPrintable(panel->said->text()));
        }
        QCOMPARE(Picture(view), byPanel);
        // A command that cannot run stays in the box with the reason.
        AppHarness::TypeInto(panel->commandBox, "show sticks, resi");
        QTRY_COMPARE(panel->commandBox->text(), QString("show sticks, resi"));
        QTest::keyClick(panel->commandBox, Qt::Key_Return);
        QVERIFY2(panel->said->text().contains("column 5: expected a residue number"),
                 qPrintable(panel->said->text()));
        QCOMPARE(panel->commandBox->text(), QString("show sticks, resi"));

        h.Run(kPanelRepresentations);
        QVERIFY(!panel->isVisible());
        withoutPanel = Picture(view);
        shown = view->state;
        // The lists opened by the panel's boxes were windows of their own:
        // the main window is made the active one again, as a click on it
        // would, so that File commands reach its document.
        h.MainFrame()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(h.MainFrame()));
        h.QueueDialogAnswer(files.filePath("pocket"), 6);
        h.Run(kFileSaveAs);
        QVERIFY(QFile::exists(session));
        h.Exit();
    }
    QFile saved(session);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    const QByteArray json = saved.readAll();
    QVERIFY(json.contains("\"format\": \"ravek-session\""));
    QVERIFY(json.contains("\"version\": 1"));
    QVERIFY(json.contains("byres (around 5 of ligand) and protein"));

    // Opened in a new program, as it was.
    AppHarness h;
    QVERIFY(h.Start(session));
    QVERIFY(h.WaitForPicture());
    CMolView* view = h.ActiveView();
    QCOMPARE(view->state.representations.size(), std::size_t{4});
    QCOMPARE(Picture(view), withoutPanel);
    // What the window shows is the value it was, every member of it.
    QVERIFY(view->state == shown);
    QVERIFY(h.TakeMessages().isEmpty());
}

void RepresentationsTest::sessionsOfChangedOrMissingFilesSaySo() {
    AppHarness h;
    const QString structure = h.Write("pocket.pdb", Pocket());
    QVERIFY(h.Start(structure));
    QVERIFY(h.WaitForPicture());
    QVERIFY(h.ActiveView()->RunViewCommand("show spheres, ligand"));
    // The document's part: the first residue hidden in every window.
    CMolDoc* document = h.ActiveDocument();
    const ResidueVisibility hidden({0}, ResidueVisibility::kHideSelected);
    document->residues = hidden;
    const QString session = h.Path("kept.ravek");
    h.QueueDialogAnswer(session, 6);
    h.Run(kFileSaveAs);
    QVERIFY(QFile::exists(session));
    QFile saved(session);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    const QByteArray json = saved.readAll();
    saved.close();
    // A session of the first version, written before the document's part
    // was saved, opens with every residue shown.
    QJsonObject older = QJsonDocument::fromJson(json).object();
    QVERIFY(older.contains("document"));
    older.remove("document");
    const QString olderSession = h.Write("older.ravek", QJsonDocument(older).toJson());
    QVERIFY(document->OnOpenDocument(olderSession));
    QVERIFY(h.WaitForPicture());
    QCOMPARE(h.ActiveView()->state.representations.size(), std::size_t{2});
    QVERIFY(document->residues == ResidueVisibility());
    QVERIFY(document->OnOpenDocument(session));
    QVERIFY(document->residues == hidden);
    QVERIFY(h.TakeMessages().isEmpty());

    // The structure file changed since: the session opens, with a warning.
    QFile file(structure);
    QVERIFY(file.open(QIODevice::Append));
    file.write("REMARK   1 CHANGED\n");
    file.close();
    QVERIFY(h.ActiveDocument()->OnOpenDocument(session));
    const QStringList changed = h.TakeMessages();
    QCOMPARE(changed.size(), 1);
    QVERIFY2(changed[0].contains("変わっています"), qPrintable(changed[0]));
    QVERIFY(h.WaitForPicture());
    QCOMPARE(h.ActiveView()->state.representations.size(), std::size_t{2});

    // Gone: said, and the window keeps what it showed.
    QVERIFY(QFile::remove(structure));
    QVERIFY(!h.ActiveDocument()->OnOpenDocument(session));
    const QStringList gone = h.TakeMessages();
    QCOMPARE(gone.size(), 1);
    QVERIFY2(gone[0].contains("見つかりません"), qPrintable(gone[0]));
    // Not a session at all.
    const QString junk = h.Write("junk.ravek", "{\"format\": \"something else\"}");
    QVERIFY(!h.ActiveDocument()->OnOpenDocument(junk));
    QVERIFY2(h.TakeMessages().value(0).contains("セッションとして読めません"), "no message");
    QVERIFY(h.ActiveView()->Model() != nullptr);
}

void RepresentationsTest::ctrlClicksGatherResiduesIntoSele() {
    AppHarness h;
    QVERIFY(h.Start(h.Write("pocket.pdb", Pocket())));
    QVERIFY(h.WaitForPicture());
    CMolView* view = h.ActiveView();
    const CMolData& model = *view->Model();
    // The ligand's first atom, Ctrl-clicked: its residue (six atoms) in sele.
    const int atom = 14 * 6 * 2;
    QCOMPARE(model.GetResidueName(0, atom), std::string("LIG"));
    const Point3D p = model.GetAtomPos(0, atom);
    const QPoint at = ProjectAtom(view->state.camera, view->width(), view->height(), p.x, p.y, p.z);
    QTest::mouseClick(view, Qt::LeftButton, Qt::ControlModifier, at);
    const auto& sele = view->state.namedSelections.at("sele");
    QCOMPARE(SelectionEvaluator::Count(sele), std::size_t{6});
    // Nothing picked for a measurement, no label.
    QVERIFY(view->state.measurementSelection.empty());
    QVERIFY(view->state.labelledAtoms.empty());
    // The commands take it by name; a second Ctrl-click lets it go.
    QVERIFY(view->RunViewCommand("show spheres, sele"));
    QTest::mouseClick(view, Qt::LeftButton, Qt::ControlModifier, at);
    QCOMPARE(SelectionEvaluator::Count(view->state.namedSelections.at("sele")), std::size_t{0});
}

void RepresentationsTest::proteinsOpenAsCartoonsWhenTheSettingSaysSo() {
    {
        // By default a structure opens in the menus' style alone.
        AppHarness h;
        QVERIFY(h.Start(h.Write("pocket.pdb", Pocket())));
        QVERIFY(h.WaitForPicture());
        QVERIFY(h.ActiveView()->state.representations.empty());
        // The panel's check box keeps the choice in the settings.
        h.Run(kPanelRepresentations);
        QCheckBox* box = h.MainFrame()->RepresentationsPanel()->openAsCartoon;
        QVERIFY(!box->isChecked());
        QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(8, box->height() / 2));
        QCOMPARE(h.Stored("OpenProteinsAsCartoon"), 1);
        h.Store("OpenProteinsAsCartoon", 0);
    }
    AppHarness h;
    h.Store("OpenProteinsAsCartoon", 1);
    QVERIFY(h.Start(h.Write("pocket.pdb", Pocket())));
    QVERIFY(h.WaitForPicture());
    const std::vector<Representation>& rows = h.ActiveView()->state.representations;
    QCOMPARE(rows.size(), std::size_t{3});
    QVERIFY(rows[0].followsMenus && !rows[0].visible);
    QCOMPARE(QString::fromStdString(rows[1].selection), QString("protein"));
    QCOMPARE(rows[1].style, Representation::Style::kCartoon);
    QCOMPARE(rows[2].style, Representation::Style::kBallAndStick);
    // A file without a protein opens as the menus say.
    QVERIFY(h.ActiveDocument()->OnOpenDocument(
        h.Write("water.xyz", "3\nw\nO 0 0 0\nH 0.96 0 0\nH -0.24 0.93 0\n")));
    h.ActiveDocument()->UpdateAllViews(nullptr);
    QVERIFY(h.WaitForPicture());
    QVERIFY(h.ActiveView()->state.representations.empty());
}

RAVEK_GUI_TEST_MAIN(RepresentationsTest)
#include "RepresentationsTest.moc"
