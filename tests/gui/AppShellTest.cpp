// The application shell driven as a user would: start-up, windows, settings,
// recent files, opening by filter and by name, commands' states, saving.

#include "AppHarness.h"

#include "app/CMainFrame.h"
#include "app/CMolDoc.h"
#include "app/CRavekApp.h"
#include "app/CommandLine.h"
#include "app/UiLanguage.h"
#include "app/UserGuideWindow.h"
#include "io/StdioFile.h"
#include "model/BackboneAngles.h"
#include "model/CMolData.h"
#include "platform/ChildFrame.h"
#include "platform/DocTemplate.h"
#include "platform/LocalPath.h"
#include "render/CMolScene.h"
#include "res/CommandIds.h"
#include "res/Resources.h"
#include "tests/support/GaussianOutputText.h"
#include "view/CMolView.h"
#include "view/CPlotView.h"

#include <QAction>
#include <QClipboard>
#include <QDialog>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPrintPreviewWidget>
#include <QRadioButton>
#include <QScreen>
#include <QStatusBar>
#include <QUrl>

#include <cstdio>

#include <QKeyEvent>
#include <QTest>
#include <QToolBar>
#include <QWhatsThis>
#include <zlib.h>

#include <csignal>
#include <sys/resource.h>

namespace {
// Turns caps lock on or off at the X server, as its key does; false where
// the window system is not X11.
bool SetCapsLockAtServer(bool on);
} // namespace

using namespace CommandIds;

namespace {

// Limits the size of files this process writes while it exists.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previous_);
    }

private:
    rlimit saved_{};
    void (*previous_)(int) = nullptr;
};

} // namespace

class AppShellTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { AppHarness::VerifyNothingUnexpected(); }
    void firstStartWithAnEmptyProfile();
    void fileOnTheCommandLineOpensOneWindow();
    void storedChildMaxWndMaximisesNewWindows();
    void windowPositionCommands();
    void savePositionOffKeepsTheStoredRectangle();
    void lastDocumentClosedDecidesTheStoredSettings();
    void initStartStoresTheResetValues();
    void recentFilesNewestFirstAndOpenIntoTheActiveDocument();
    void theOpenFilterDecidesTheReader();
    void readerByExtensionOutsideTheDialog();
    void zMatrixInputsOpenOrNameTheirLine();
    void filesThatGiveNoMoleculeSayWhatTheyAre();
    void namesThatAreNotUtf8OpenListAndDrop();
    void mmcifEnsemblesAndCompressedFilesThroughTheOpenDialog();
    void severalFilesOpenAWindowEachAndDroppedFilesOpen();
    void standardKeysOfADesktopProgram();
    void peptideCommandNeedsAPdbModel();
    void saveAsAppendsTheFilterExtension();
    void saveRewritesPdbAndPlotDataButAsksAgainAfterGaussianInput();
    void allFilesFilterWritesByExtension();
    void xyzTrajectoriesThroughTheDialogs();
    void helpShowsTheGuideInTheInterfacesLanguage();
    void failedSaveKeepsTheOldFile();
    void menusFollowTheActiveWindowKind();
    void savingOverAPdbFileWithThePdbFilterWritesPdb();
    void storedWindowRectanglesAreBroughtOntoTheScreen();
    void cascadeLeavesEveryWindowUsable();
    void promptsAndTipsAreTheCommandsOwn();
    void pageSetUpChoosesThePrinterThatPrints();
    void everyMenuOpensAndRunsItsItemsByText();
    void openingWithoutAMoleculeWindow();
};

void AppShellTest::firstStartWithAnEmptyProfile() {
    AppHarness h;
    QVERIFY(h.Start());
    QCOMPARE(h.MainFrame()->pos(), QPoint(0, 0));
    QCOMPARE(h.MainFrame()->size(), QSize(700, 700));
    QCOMPARE(h.Frames().size(), 1);
    QCOMPARE(h.ActiveFrame()->windowTitle(), QStringLiteral("RAVEK Viewer1"));
    QVERIFY(!h.ActiveFrame()->isMaximized());
    QVERIFY(h.ActiveDocument()->data == nullptr);
    QCOMPARE(h.ActiveView()->state.displayFlags, 1);
    QCOMPARE(h.ActiveView()->state.colourMode, 0);
    QCOMPARE(h.ActiveView()->state.showHydrogens, 1);
    QCOMPARE(h.ActiveDocument()->pdbOptions.bondMode, 1);
    QCOMPARE(h.MainFrame()->AtomPane()->objectName(), QStringLiteral("ATOM_LABEL"));
    QCOMPARE(h.MainFrame()->AtomPane()->width(), 150);
    QVERIFY(h.MainFrame()->AtomPane()->text().isEmpty());
    QCOMPARE(h.MainFrame()->statusBar()->currentMessage(), QStringLiteral("レディ"));
    // The toolbar's own buttons first, in their order (new, open, save,
    // cut, copy, paste, print, about, help); the buttons added after them.
    // The step number box stands among the step buttons.
    QList<QAction*> buttons, expected;
    auto* toolBar = h.MainFrame()->findChild<QToolBar*>();
    for (QAction* action : toolBar->actions()) {
        const QWidget* widget = toolBar->widgetForAction(action);
        if (!action->isSeparator() &&
            (widget == nullptr || widget->objectName() != QStringLiteral("stepNumber")))
            buttons << action;
    }
    for (const int id :
         {kFileNew, kFileOpen, kFileSave, kEditCut, kEditCopy, kEditPaste, kFilePrint, kAppAbout,
          kContextHelp, kResetView, kMeasureDistance, kMeasureAngle, kMeasureDihedral, kStepFirst,
          kStepPrevious, kStepNext, kStepLast, kAnimation})
        expected << h.MainFrame()->Action(id);
    QCOMPARE(buttons, expected);
    // The panes, left to right: the message pane, the step pane added
    // among them, the atom pane, then the keyboard indicators kana, caps
    // lock, num lock and scroll lock, empty while their keys are off.
    QStatusBar* bar = h.MainFrame()->statusBar();
    const QList<QLabel*> panes = bar->findChildren<QLabel*>();
    QLabel* atom = h.MainFrame()->AtomPane();
    QLabel* step = h.MainFrame()->StepPane();
    QVERIFY(panes.contains(atom) && panes.contains(step));
    QVERIFY(step->x() < atom->x());
    const std::array<QLabel*, 4>& locks = h.MainFrame()->LockPanes();
    QStringList names;
    int left = atom->x();
    for (QLabel* pane : locks) {
        QVERIFY(pane != nullptr && panes.contains(pane) && pane->isVisible());
        QVERIFY(pane->x() > left);
        left = pane->x();
        names << pane->objectName();
    }
    QCOMPARE(names,
             (QStringList{"INDICATOR_KANA", "INDICATOR_CAPS", "INDICATOR_NUM", "INDICATOR_SCRL"}));
    // Caps lock turned on at the X server, as its key does: the pane says
    // CAP once the program is told of a lock key, and is empty again after.
    const auto setCapsLock = [&](bool on) {
        if (!SetCapsLockAtServer(on))
            return false;
        QKeyEvent press(QEvent::KeyPress, Qt::Key_CapsLock, Qt::NoModifier);
        QApplication::sendEvent(h.MainFrame(), &press);
        return true;
    };
    QVERIFY(locks[1]->text().isEmpty());
    if (setCapsLock(true)) {
        QTRY_COMPARE(locks[1]->text(), QStringLiteral("CAP"));
        QVERIFY(locks[0]->text().isEmpty() && locks[2]->text().isEmpty());
        setCapsLock(false);
        QTRY_VERIFY(locks[1]->text().isEmpty());
    }
    h.Exit();
    // The first document closed stores the document's own default.
    QCOMPARE(h.Stored("ChildMaxWnd"), 1);
    QCOMPARE(h.Stored("DisplayMode"), 1);
    QCOMPARE(h.Stored("Right"), 700);
}

void AppShellTest::fileOnTheCommandLineOpensOneWindow() {
    AppHarness h;
    const QString pdb = h.Write("pep.pdb", Fixtures::kPeptidePdb);
    QVERIFY(h.Start(pdb));
    QCOMPARE(h.Frames().size(), 1);
    QCOMPARE(h.ActiveFrame()->windowTitle(), QStringLiteral("pep.pdb"));
    QVERIFY(h.ActiveDocument()->data != nullptr);
    QCOMPARE(h.ActiveDocument()->data->atomCount, 17);
    QCOMPARE(h.ActiveDocument()->baseName, QStringLiteral("pep"));
    QCOMPARE(h.MainFrame()->windowTitle(), QStringLiteral("RAVEK - pep.pdb"));
    h.Exit();
    // A missing file ends start-up after saying why.
    AppHarness missing;
    QVERIFY(!missing.Start(missing.Path("nothing.pdb")));
    const QStringList messages = missing.TakeMessages();
    QCOMPARE(messages.size(), 1);
    QVERIFY(messages[0].contains("nothing.pdb"));
}

void AppShellTest::storedChildMaxWndMaximisesNewWindows() {
    AppHarness h;
    h.Store("ChildMaxWnd", 1);
    QVERIFY(h.Start(h.Write("pep.pdb", Fixtures::kPeptidePdb)));
    QVERIFY(h.ActiveFrame()->isMaximized());
    h.Run(kPeptideStructure);
    QCOMPARE(h.Frames().size(), 2);
    QVERIFY(dynamic_cast<CPlotView*>(h.ActiveFrame()->GetActiveView()) != nullptr);
    QVERIFY(h.ActiveFrame()->isMaximized());
    h.Run(kFileNew);
    QVERIFY(h.ActiveFrame()->isMaximized());
}

void AppShellTest::windowPositionCommands() {
    AppHarness h;
    QVERIFY(h.Start());
    h.MainFrame()->move(40, 30);
    h.MainFrame()->resize(500, 400);
    h.Run(kWindowPositionDefault);
    QCOMPARE(h.MainFrame()->pos(), QPoint(40, 30));
    QCOMPARE(h.MainFrame()->size(), QSize(700, 700));
    QVERIFY(h.IsChecked(kWindowPositionSave));
    h.Run(kWindowPositionSave);
    QVERIFY(!h.IsChecked(kWindowPositionSave));
}

void AppShellTest::savePositionOffKeepsTheStoredRectangle() {
    AppHarness h;
    QVERIFY(h.Start());
    h.MainFrame()->move(50, 60);
    h.MainFrame()->resize(600, 500);
    h.Exit();
    QCOMPARE(h.Stored("Left"), 50);
    QCOMPARE(h.Stored("Bottom"), 560);

    QVERIFY(h.Start());
    QCOMPARE(h.MainFrame()->pos(), QPoint(50, 60));
    QCOMPARE(h.MainFrame()->size(), QSize(600, 500));
    h.Run(kWindowPositionSave); // off
    h.MainFrame()->move(10, 10);
    h.Exit();
    QCOMPARE(h.Stored("SavePos"), 0);
    QCOMPARE(h.Stored("Left"), 50);

    QVERIFY(h.Start());
    QCOMPARE(h.MainFrame()->pos(), QPoint(50, 60));
}

void AppShellTest::lastDocumentClosedDecidesTheStoredSettings() {
    for (const bool changedClosesFirst : {true, false}) {
        AppHarness h;
        QVERIFY(h.Start());
        CMolDoc* changed = h.ActiveDocument();
        ChildFrame* changedFrame = h.ActiveFrame();
        h.Run(kFileNew);
        ChildFrame* otherFrame = h.ActiveFrame();
        QVERIFY(otherFrame != changedFrame);
        changed->resolution = 42;
        changed->wireAtomSize = 3;
        if (changedClosesFirst) {
            delete changedFrame;
            QCOMPARE(h.Stored("Resolution"), 42);
            delete otherFrame;
            QCOMPARE(h.Stored("Resolution"), 10);
            QCOMPARE(h.Stored("WireFrame Atom Size"), 10);
        } else {
            delete otherFrame;
            delete changedFrame;
            QCOMPARE(h.Stored("Resolution"), 42);
            QCOMPARE(h.Stored("WireFrame Atom Size"), 3);
        }
    }
}

void AppShellTest::initStartStoresTheResetValues() {
    AppHarness h;
    h.Store("InitStart", 1);
    h.Store("DisplayMode", 2 | 8);
    h.Store("ColorMode", 1);
    h.Store("DispHydrogen", 0);
    h.Store("Resolution", 30);
    h.Store("Antialiasing", 0);
    h.Store("ResOn", 0);
    h.Store("ProteinConnectCheck", 1);
    h.Store("ProteinCalcBond", 0);
    h.Store("Ball&Stick Atom Size", 15);
    QVERIFY(h.Start());
    // The stored values are in use during the run...
    QCOMPARE(h.ActiveDocument()->resolution, 30);
    QCOMPARE(h.ActiveView()->state.displayFlags, 10);
    h.Exit();
    // ...and the next run starts from the initial ones, sizes kept.
    QCOMPARE(h.Stored("Antialiasing"), 1);
    QCOMPARE(h.Stored("ResOn"), 2);
    QCOMPARE(h.Stored("Resolution"), 10);
    QCOMPARE(h.Stored("ProteinConnectCheck"), 0);
    QCOMPARE(h.Stored("ProteinCalcBond"), 1);
    QCOMPARE(h.Stored("DisplayMode"), 1);
    QCOMPARE(h.Stored("ColorMode"), 0);
    QCOMPARE(h.Stored("DispHydrogen"), 1);
    QCOMPARE(h.Stored("Ball&Stick Atom Size"), 15);
    QCOMPARE(h.Stored("InitStart"), 1);
}

void AppShellTest::recentFilesNewestFirstAndOpenIntoTheActiveDocument() {
    AppHarness h;
    const QString a = h.Write("a.pdb", Fixtures::kPeptidePdb);
    const QString b = h.Write("b.com", Fixtures::kWaterInput);
    const QString c = h.Write("c.pdb", Fixtures::kPeptidePdb);
    QVERIFY(h.Start());
    CMolDoc* document = h.ActiveDocument();
    for (const QString& path : {a, b, c, a}) {
        h.QueueDialogAnswer(path, 3);
        h.Run(kFileOpen);
    }
    QCOMPARE(h.Frames().size(), 1); // every open went into the active window
    QCOMPARE(h.StoredString("Recent File List", "File1"), a);
    QCOMPARE(h.StoredString("Recent File List", "File2"), c);
    QCOMPARE(h.StoredString("Recent File List", "File3"), b);
    QVERIFY(h.StoredString("Recent File List", "File4").isEmpty());

    // The File menu lists them newest first.
    h.MainFrame()->Refresh();
    QMenu* fileMenu = h.MainFrame()->Menus(130).front();
    emit fileMenu->aboutToShow();
    QCOMPARE(h.MainFrame()->Action(kFileMru1)->text(), QStringLiteral("&1 ") + a);
    QVERIFY(h.MainFrame()->Action(kFileMru1 + 2)->isVisible());
    QVERIFY(!h.MainFrame()->Action(kFileMru4)->isVisible());

    // File 3 opens b.com into the same document.
    h.Run(kFileMru1 + 2);
    QCOMPARE(h.Frames().size(), 1);
    QCOMPARE(h.ActiveDocument(), document);
    QCOMPARE(document->data->sourceKind, CMolData::SourceKind::kGaussian);
    QCOMPARE(h.StoredString("Recent File List", "File1"), b);
    h.Exit();
    QCOMPARE(h.StoredString("Recent File List", "File1"), b);
    QCOMPARE(h.StoredString("Recent File List", "File2"), a);
}

// The filter decides the reader even against the name; a file that gives
// no molecule leaves the window as it was (here the empty first one), a box
// says why, and the file, which was read, joins the recent files.
void AppShellTest::theOpenFilterDecidesTheReader() {
    AppHarness h;
    const QString pdb = h.Write("x.pdb", Fixtures::kPeptidePdb);
    QVERIFY(h.Start());
    const QString untitled = h.ActiveFrame()->windowTitle();
    // The content looks like another kind: the question names it; No gives
    // the reason the chosen reader failed.
    h.answerYes = false;
    h.QueueDialogAnswer(pdb, 1); // Gaussian data
    h.Run(kFileOpen);
    CMolDoc* document = h.ActiveDocument();
    QVERIFY(document->data == nullptr);
    QCOMPARE(document->loaded, 0);
    QCOMPARE(document->openFilterIndex, 1);
    QCOMPARE(h.Frames().size(), 1);
    QCOMPARE(h.ActiveFrame()->windowTitle(), untitled);
    QCOMPARE(
        h.TakeMessages(),
        (QStringList{
            QStringLiteral("x.pdb は PDB ファイルのようです。\nPDB "
                           "ファイルとして読み込みますか?"),
            QStringLiteral("分子データを読み込めませんでした: 原子座標が見つかりません (x.pdb)")}));
    QCOMPARE(h.StoredString("Recent File List", "File1"), pdb);
    // Yes reads it as that kind.
    h.answerYes = true;
    h.QueueDialogAnswer(pdb, 1);
    h.Run(kFileOpen);
    QCOMPARE(h.TakeMessages().size(), 1);
    QVERIFY(document->data != nullptr);
    QCOMPARE(document->data->sourceKind, CMolData::SourceKind::kPdb);
    QCOMPARE(document->data->atomCount, 17);

    h.QueueDialogAnswer(pdb, 2); // PDB data
    h.Run(kFileOpen);
    QVERIFY(document->data != nullptr);
    h.MainFrame()->Refresh();
    QCOMPARE(h.MainFrame()->statusBar()->currentMessage(), QStringLiteral("レディ"));
    QCOMPARE(h.dialogRequests.back().initialFilter, 1);
    h.Exit();
    QCOMPARE(h.Stored("FilterIndex"), 2);
}

void AppShellTest::readerByExtensionOutsideTheDialog() {
    AppHarness h;
    const QString log = h.Write("MOL.LOG", Fixtures::kWaterInput);
    const QString ent = h.Write("mol.ent", Fixtures::kPeptidePdb);
    const QString xyz = h.Write("mol.xyz", Fixtures::kPeptidePdb);
    QVERIFY(h.Start(log));
    QCOMPARE(h.ActiveDocument()->data->sourceKind, CMolData::SourceKind::kGaussian);
    h.App()->moleculeTemplate->OpenDocumentFile(ent);
    QCOMPARE(h.ActiveDocument()->data->sourceKind, CMolData::SourceKind::kPdb);
    // A name of no kind gives no window, and a box that says why.
    QVERIFY(h.App()->moleculeTemplate->OpenDocumentFile(xyz) == nullptr);
    QCOMPARE(h.Frames().size(), 2);
    QCOMPARE(h.TakeMessages(),
             QStringList{QStringLiteral(
                 "分子データを読み込めませんでした: 原子座標が見つかりません (mol.xyz)")});
    // Opening a file that is already open only activates its window.
    h.App()->moleculeTemplate->OpenDocumentFile(log);
    QCOMPARE(h.Frames().size(), 2);
    QCOMPARE(h.ActiveFrame()->windowTitle(), QStringLiteral("MOL.LOG"));
}

// A Z-matrix input opens as atoms; one that cannot be placed opens no
// window, and its box names the line and the reason.
void AppShellTest::zMatrixInputsOpenOrNameTheirLine() {
    AppHarness h;
    const QString good =
        h.Write("water_z.com", "#P HF\n\nwater\n\n0 1\nO\nH 1 r\nH 1 r 2 a\n\nr 0.96\na 104.5\n");
    const QString bad =
        h.Write("water_a.com", "#P HF\n\nwater\n\n0 1\nO\nH 1 r\nH 1 r 2 a\n\nr 0.96\n");
    QVERIFY(h.Start(good));
    QVERIFY(h.ActiveDocument()->data != nullptr);
    QCOMPARE(h.ActiveDocument()->data->atomCount, 3);
    QCOMPARE(h.ActiveDocument()->data->GetBondCount(0, 0), 2);
    QVERIFY(h.App()->moleculeTemplate->OpenDocumentFile(bad) == nullptr);
    QCOMPARE(h.Frames().size(), 1);
    QCOMPARE(h.TakeMessages(), QStringList{QStringLiteral(
                                   "分子データを読み込めませんでした: Z-matrix の 8 行目: 変数 a "
                                   "が定義されていません (water_a.com)")});
    QCOMPARE(h.StoredString("Recent File List", "File1"), good);
}

// What a refused file is, word for word, whichever way it comes (start,
// drop, recent files, the Open dialog), and never an empty window: a cube
// whose second value is no number, a damaged checkpoint, a PDB file of
// remarks only, an ORCA output under a Gaussian name whose job failed before
// its first geometry, a Molden file of no atoms; and a Gaussian output named
// .g09 or .g16 opens.
void AppShellTest::filesThatGiveNoMoleculeSayWhatTheyAre() {
    AppHarness h;
    const QString cube = h.Write("bad.cube", " t\n c\n    1 0 0 0\n    1 0.2 0 0\n    2 0 0.2 0\n"
                                             "    1 0 0 0.2\n    1 1.0 0 0 0\n 1.0 x\n");
    const QString fchk =
        h.Write("bad.fchk", "water\nSP RHF STO-3G\nNumber of atoms  I  3\nCharge  I  0\n");
    const QString remarks = h.Write("remarks.pdb", "REMARK   1 NOTHING BUT REMARKS\nEND\n");
    const QString orca = h.Write("job.out", "\n   *****************\n   * O   R   C   A *\n"
                                            "   *****************\n\n"
                                            "ORCA finished by error termination in GTOInt\n");
    const QString molden = h.Write("h2o.molden", "[Molden Format]\n[Atoms] AU\n");
    const QString g09 = h.Write(
        "water.g09",
        QByteArray::fromStdString(GaussianOutputText::WaterOptimisation(2, 0.01, "Standard")));
    QVERIFY(h.Start(h.Write("a.pdb", Fixtures::kPeptidePdb)));
    const QString cannot = QStringLiteral("分子データを読み込めませんでした: ");
    const QStringList expected = {
        cannot +
            QStringLiteral("cube ファイルとして読めません: value 2 is not a number (bad.cube)"),
        cannot + QStringLiteral("フォーマット済みチェックポイントファイルとして読めません: "
                                "\"Atomic numbers\" is missing (bad.fchk)"),
        cannot + QStringLiteral("ATOM・HETATM レコードがありません (remarks.pdb)"),
        cannot + QStringLiteral("原子座標が見つかりません (job.out)"),
        cannot +
            QStringLiteral("Molden ファイルとして読めません: its [Atoms] section lists no atom "
                           "(h2o.molden)"),
    };
    const QStringList refused = {cube, fchk, remarks, orca, molden};
    // Dropped (or handed over) together: one box names them all, and no
    // window opens.
    QVERIFY(h.App()->OpenFiles(refused) == false);
    QCOMPARE(h.TakeMessages(), QStringList{expected.join(QLatin1Char('\n'))});
    QCOMPARE(h.Frames().size(), 1);
    // Through the Open dialog of the molecule window: the window keeps its
    // molecule.
    for (int i = 0; i < refused.size(); ++i) {
        h.QueueDialogAnswer(refused[i], 6); // All Molecule Files
        h.Run(kFileOpen);
        QCOMPARE(h.TakeMessages(), QStringList{expected[i]});
        QCOMPARE(h.Frames().size(), 1);
        QCOMPARE(h.ActiveFrame()->windowTitle(), QStringLiteral("a.pdb"));
        QVERIFY(h.ActiveDocument()->data != nullptr);
    }
    // From the recent files, with no window: still no window. A file that
    // was read joined them (the last, the Molden file; the ORCA output
    // before it).
    h.Run(kFileClose);
    QCOMPARE(h.Frames().size(), 0);
    QCOMPARE(h.StoredString("Recent File List", "File1"), molden);
    QCOMPARE(h.StoredString("Recent File List", "File2"), orca);
    h.Run(kFileMru1);
    QCOMPARE(h.TakeMessages(), QStringList{expected[4]});
    QCOMPARE(h.Frames().size(), 0);
    // A Gaussian output by its newer names, from the Open dialog's All Files.
    h.QueueDialogAnswer(g09, 3);
    h.Run(kFileOpen);
    QCOMPARE(h.Frames().size(), 1);
    QCOMPARE(h.ActiveDocument()->data->frameCount, 2);
    QVERIFY(h.App()->OpenFiles({h.Write("water.G16", h.Read(g09))}));
    QCOMPARE(h.Frames().size(), 2);
}

// A file whose name's bytes are not UTF-8 (Latin-1 "é", one byte): chosen in
// the Open dialog as it lists it (U+FFFD for the byte), it opens, its
// window and the recent files show it readably, the recent entry opens it
// again, and dropped it opens too. Found wrong: "cannot open caf��.pdb".
void AppShellTest::namesThatAreNotUtf8OpenListAndDrop() {
    AppHarness h;
    const QString folder = LocalPath::FromBytes(QFile::encodeName(h.Path(QString())).toStdString());
    const QString latin = folder + QLatin1Char('/') + LocalPath::FromBytes("caf\xE9.pdb");
    {
        StdioFile out;
        QVERIFY(out.Open(LocalPath::Bytes(latin), StdioFile::modeWrite));
        QVERIFY(out.WriteString(Fixtures::kPeptidePdb));
    }
    const QString shown = QString::fromUtf8("caf\xEF\xBF\xBD.pdb");
    QVERIFY(h.Start());
    h.QueueDialogAnswer(LocalPath::Display(latin), 2);
    h.Run(kFileOpen);
    QVERIFY(h.TakeMessages().isEmpty());
    QVERIFY(h.ActiveDocument()->data != nullptr);
    QVERIFY(h.ActiveDocument()->data->atomCount > 10);
    QCOMPARE(h.ActiveFrame()->windowTitle(), shown);
    QMenu* fileMenu = h.MainFrame()->Menus(130).front();
    emit fileMenu->aboutToShow();
    QVERIFY(h.MainFrame()->Action(kFileMru1)->text().endsWith(shown));
    // Again from the recent files, into a window of its own.
    h.Run(kFileClose);
    h.Run(kFileMru1);
    QCOMPARE(h.Frames().size(), 1);
    QCOMPARE(h.ActiveFrame()->windowTitle(), shown);
    QCOMPARE(h.ActiveDocument()->GetPathName(), latin);
    // Dropped: its URL carries the byte as %E9.
    h.Run(kFileClose);
    QMimeData data;
    data.setUrls({QUrl::fromEncoded(
        QByteArray("file://") +
        QByteArray::fromStdString(LocalPath::Bytes(latin)).toPercentEncoding("/"))});
    const QPoint at = h.MainFrame()->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    enter.setAccepted(false);
    QApplication::sendEvent(h.MainFrame(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(h.MainFrame(), &drop);
    QTRY_COMPARE(h.Frames().size(), 1);
    QCOMPARE(h.ActiveDocument()->GetPathName(), latin);
    // Qt's own removal of the folder would not find the file by its name.
    QCOMPARE(std::remove(LocalPath::Bytes(latin).c_str()), 0);
}

// A gzip-compressed mmCIF ensemble chosen under the PDB filter of the real
// Open dialog: one geometry per model, the first shown, the animation steps
// through the models; a PDB file whose models differ says so; a file cut
// short gets a message and leaves the window as it was.
void AppShellTest::mmcifEnsemblesAndCompressedFilesThroughTheOpenDialog() {
    AppHarness h;
    QByteArray cif = "data_E\nloop_\n_atom_site.group_PDB\n_atom_site.id\n_atom_site.type_symbol\n"
                     "_atom_site.label_atom_id\n_atom_site.label_comp_id\n_atom_site.auth_asym_id\n"
                     "_atom_site.auth_seq_id\n_atom_site.Cartn_x\n_atom_site.Cartn_y\n"
                     "_atom_site.Cartn_z\n_atom_site.pdbx_PDB_model_num\n";
    for (int model = 1; model <= 3; ++model) {
        cif += QStringLiteral("ATOM %1 N N ALA A 1 %2 0 0 %3\n"
                              "ATOM %4 C CA ALA A 1 %2 1.45 0 %3\n"
                              "ATOM %5 C C ALA A 1 %2 1.45 1.5 %3\n")
                   .arg(3 * model - 2)
                   .arg(0.2 * model)
                   .arg(model)
                   .arg(3 * model - 1)
                   .arg(3 * model)
                   .toUtf8();
    }
    const QString packed = h.Path("ensemble.cif.gz");
    gzFile out = gzopen(packed.toUtf8().constData(), "wb");
    QVERIFY(out != nullptr);
    QCOMPARE(gzwrite(out, cif.constData(), static_cast<unsigned>(cif.size())), cif.size());
    QCOMPARE(gzclose(out), Z_OK);
    QVERIFY(h.Start());
    h.QueueDialogAnswer(packed, 2); // PDB Data
    h.Run(kFileOpen);
    CMolDoc* document = h.ActiveDocument();
    QVERIFY(document->data != nullptr);
    QCOMPARE(document->data->frameCount, 3);
    QCOMPARE(document->chosenFrame, 0);
    QCOMPARE(h.ActiveFrame()->windowTitle(), QStringLiteral("ensemble.cif.gz"));
    CMolView* view = h.ActiveView();
    QVERIFY(h.WaitForPicture());
    h.Run(kAnimation);
    view->animator.OnTimer();
    QCOMPARE(view->DrawnFrame(), 1);
    QCOMPARE(document->data->GetAtomCoord(view->DrawnFrame(), 0, 0), 0.4);

    const QString differing =
        h.Write("nmr.pdb",
                "MODEL        1\n"
                "ATOM      1  N   ALA A   1       0.000   0.000   0.000  1.00  0.00           N\n"
                "ATOM      2  CA  ALA A   1       1.450   0.000   0.000  1.00  0.00           C\n"
                "ENDMDL\nMODEL        2\n"
                "ATOM      1  N   ALA A   1       0.100   0.000   0.000  1.00  0.00           N\n"
                "ENDMDL\n");
    h.QueueDialogAnswer(differing, 2);
    h.Run(kFileOpen);
    QCOMPARE(document->data->frameCount, 1);
    h.MainFrame()->Refresh();
    QCOMPARE(
        h.MainFrame()->statusBar()->currentMessage(),
        QStringLiteral("モデルごとに原子が異なるため、2 モデルのうち最初のモデルだけを読み込みまし"
                       "た (nmr.pdb)"));

    QFile whole(packed);
    QVERIFY(whole.open(QIODevice::ReadOnly));
    const QString cut = h.Write("cut.cif.gz", whole.readAll().left(40));
    h.QueueDialogAnswer(cut, 2);
    h.Run(kFileOpen);
    const QStringList messages = h.TakeMessages();
    QCOMPARE(messages.size(), 1);
    QVERIFY2(messages.front().contains(QStringLiteral("cut short")), qPrintable(messages.front()));
    QCOMPARE(document->data->frameCount, 1); // what was shown stays
}

// Three files on the command line: three windows. Files dropped on the main
// window or on a molecule window open each in a window; a folder, text, or
// a list with a folder in it is refused.
void AppShellTest::severalFilesOpenAWindowEachAndDroppedFilesOpen() {
    AppHarness h;
    const QString a = h.Write("a.pdb", Fixtures::kPeptidePdb);
    const QString b = h.Write("b.com", Fixtures::kWaterInput);
    const QString c = h.Write("c.ent", Fixtures::kPeptidePdb);
    const CommandLine line = CommandLine::Parse({QStringLiteral("ravek"), a, b, c});
    QCOMPARE(line.outcome, CommandLine::Outcome::kRun);
    QCOMPARE(line.files, (QStringList{a, b, c}));
    QVERIFY(h.Start(line.files));
    QCOMPARE(h.Frames().size(), 3);

    const auto drag = [&](QWidget* target, const QList<QUrl>& urls, const QString& text) {
        QMimeData data;
        if (!urls.isEmpty())
            data.setUrls(urls);
        if (!text.isEmpty())
            data.setText(text);
        const QPoint at = target->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        enter.setAccepted(false);
        QApplication::sendEvent(target, &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        drop.setAccepted(false);
        QApplication::sendEvent(target, &drop);
        QApplication::processEvents();
        return drop.isAccepted();
    };
    const QString d = h.Write("d.log", Fixtures::kWaterInput);
    const QString e = h.Write("e.pdb", Fixtures::kPeptidePdb);
    QVERIFY(drag(h.MainFrame(), {QUrl::fromLocalFile(d), QUrl::fromLocalFile(e)}, {}));
    QCOMPARE(h.Frames().size(), 5);
    QCOMPARE(h.ActiveFrame()->windowTitle(), QStringLiteral("e.pdb"));
    // On a molecule window: the drop reaches the main window.
    const QString f = h.Write("f.pdb", Fixtures::kPeptidePdb);
    QVERIFY(drag(h.ActiveView(), {QUrl::fromLocalFile(f)}, {}));
    QCOMPARE(h.Frames().size(), 6);
    // Refused: a folder, text, a folder among files.
    const QString folder = QFileInfo(d).absolutePath();
    QVERIFY(!drag(h.MainFrame(), {QUrl::fromLocalFile(folder)}, {}));
    QVERIFY(!drag(h.MainFrame(), {}, QStringLiteral("ATOM      1  N   ALA")));
    QVERIFY(!drag(h.MainFrame(), {QUrl::fromLocalFile(d), QUrl::fromLocalFile(folder)}, {}));
    QCOMPARE(h.Frames().size(), 6);
}

// Ctrl+Tab goes to the next window, Home turns the molecule back to how it
// was fitted, F11 shows the program on the whole screen and back, Ctrl+W
// closes the active window: pressed as keys on the molecule window.
void AppShellTest::standardKeysOfADesktopProgram() {
    AppHarness h;
    QVERIFY(h.Start(QStringList{h.Write("a.pdb", Fixtures::kPeptidePdb),
                                h.Write("b.pdb", Fixtures::kPeptidePdb)}));
    // Shortcuts go to the active window; without a window manager it is
    // made so here.
    h.MainFrame()->activateWindow();
    QApplication::setActiveWindow(h.MainFrame());
    QTRY_VERIFY(h.MainFrame()->isActiveWindow());
    QCOMPARE(h.ActiveFrame()->windowTitle(), QStringLiteral("b.pdb"));
    CMolView* view = h.ActiveView();
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Tab, Qt::ControlModifier);
    QTRY_COMPARE(h.ActiveFrame()->windowTitle(), QStringLiteral("a.pdb"));

    view = h.ActiveView();
    QVERIFY(h.WaitForPicture());
    // Home fits and turns the molecule to its principal axes.
    Camera fitted = view->state.camera;
    fitted.Refit(*view->Model(), view->state.frame, true);
    view->state.camera.orientation = RotationMatrix(30.0, 1.0, 0.0, 0.0);
    view->state.camera.SetZoom(3.0);
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Home);
    QVERIFY(view->state.camera.orientation == fitted.orientation);
    QCOMPARE(view->state.camera.zoom, fitted.zoom);

    QTest::keyClick(view, Qt::Key_F11);
    QTRY_VERIFY(h.MainFrame()->isFullScreen());
    QVERIFY(h.IsChecked(kFullScreen));
    QTest::keyClick(h.ActiveView(), Qt::Key_F11);
    QTRY_VERIFY(!h.MainFrame()->isFullScreen());

    QTest::keyClick(h.ActiveView(), Qt::Key_W, Qt::ControlModifier);
    QTRY_COMPARE(h.Frames().size(), 1);
}

void AppShellTest::peptideCommandNeedsAPdbModel() {
    AppHarness h;
    QVERIFY(h.Start());
    QVERIFY(!h.IsEnabled(kPeptideStructure));
    QVERIFY(!h.IsEnabled(kDisplaySettings));
    QVERIFY(h.IsEnabled(kProgramSettings));
    h.QueueDialogAnswer(h.Write("w.com", Fixtures::kWaterInput), 1);
    h.Run(kFileOpen);
    QVERIFY(!h.IsEnabled(kPeptideStructure));
    QVERIFY(h.IsEnabled(kDisplaySettings));
    h.QueueDialogAnswer(h.Write("p.pdb", Fixtures::kPeptidePdb), 2);
    h.Run(kFileOpen);
    QVERIFY(h.IsEnabled(kPeptideStructure));
    // Commands nobody handles yet stay disabled.
    QVERIFY(!h.IsEnabled(kEditUndo));

    // Two plot windows on the one document, each a new window.
    CMolDoc* document = h.ActiveDocument();
    h.Run(kPeptideStructure);
    QVERIFY(dynamic_cast<CPlotView*>(h.ActiveFrame()->GetActiveView()) != nullptr);
    QCOMPARE(h.ActiveDocument(), document);
    QCOMPARE(document->data->GetPhiAngles(0).size(), std::size_t{1});
    h.MdiActivate(0);
    h.Run(kPeptideStructure);
    QCOMPARE(h.Frames().size(), 3);
    QCOMPARE(h.ActiveFrame()->windowTitle(), QStringLiteral("p.pdb:3"));
}

void AppShellTest::saveAsAppendsTheFilterExtension() {
    AppHarness h;
    QVERIFY(h.Start(h.Write("pep.pdb", Fixtures::kPeptidePdb)));
    h.QueueDialogAnswer(h.Path("out"), 2);
    h.Run(kFileSaveAs);
    QCOMPARE(h.dialogRequests.back().initialName, QStringLiteral("pep"));
    QVERIFY(h.Read(h.Path("out.pdb")).startsWith("ATOM      1  N   ALA     1"));
    QVERIFY(!QFile::exists(h.Path("out")));
    h.QueueDialogAnswer(h.Path("out.txt"), 2);
    h.Run(kFileSaveAs);
    QVERIFY(h.Read(h.Path("out.txt")).startsWith("ATOM      1  N   ALA     1"));
    QVERIFY(!QFile::exists(h.Path("out.txt.pdb")));
    // An appended name that exists is asked about; No writes nothing.
    h.Write("keep.com", "old");
    h.answerYes = false;
    h.QueueDialogAnswer(h.Path("keep"), 1);
    h.Run(kFileSaveAs);
    QCOMPARE(h.Read(h.Path("keep.com")), QByteArray("old"));
    QCOMPARE(h.TakeMessages().size(), 1);
    h.Exit();
    QCOMPARE(h.Stored("SaveFilterIndex"), 1);
}

void AppShellTest::saveRewritesPdbAndPlotDataButAsksAgainAfterGaussianInput() {
    AppHarness h;
    QVERIFY(h.Start(h.Write("pep.pdb", Fixtures::kPeptidePdb)));
    h.QueueDialogAnswer(h.Path("full.pdb"), 2);
    h.Run(kFileSaveAs);
    h.Run(kFileSave); // rewrites full.pdb in the short layout, no dialog
    QCOMPARE(h.dialogRequests.size(), std::size_t{1});
    const QByteArray shortLayout = h.Read(h.Path("full.pdb"));
    QVERIFY(shortLayout.startsWith("ATOM      1  N   ALA     1"));
    QCOMPARE(shortLayout.indexOf('\n'), 54);

    // After a new open, Save no longer writes the old file: it asks.
    h.QueueDialogAnswer(h.Path("pep.pdb"), 2);
    h.Run(kFileOpen);
    h.QueueDialogAnswer(h.Path("angles"), 3);
    h.Run(kFileSave);
    QCOMPARE(h.dialogRequests.size(), std::size_t{3});
    ComputeBackboneAngles(*h.ActiveDocument()->data, 0);
    h.Run(kFileSave);
    QCOMPARE(h.dialogRequests.size(), std::size_t{3});
    QVERIFY(QFile::exists(h.Path("angles.rpd")));

    h.QueueDialogAnswer(h.Path("pep.pdb"), 2);
    h.Run(kFileOpen);
    h.QueueDialogAnswer(h.Path("mol"), 1);
    h.Run(kFileSaveAs);
    QVERIFY(h.Read(h.Path("mol.com")).contains("%Chk="));
    h.QueueDialogCancel();
    h.Run(kFileSave); // asks again, cancelled
    QCOMPARE(h.dialogRequests.size(), std::size_t{6});
}

void AppShellTest::allFilesFilterWritesByExtension() {
    AppHarness h;
    QVERIFY(h.Start(h.Write("pep.pdb", Fixtures::kPeptidePdb)));
    h.QueueDialogAnswer(h.Path("a.gjf"), 4);
    h.Run(kFileSaveAs);
    QVERIFY(h.Read(h.Path("a.gjf")).contains("%Chk="));
    QCOMPARE(h.ActiveDocument()->comSavePath, h.Path("a.gjf"));
    h.QueueDialogAnswer(h.Path("b.ent"), 4);
    h.Run(kFileSaveAs);
    QVERIFY(h.Read(h.Path("b.ent")).startsWith("ATOM"));
    h.QueueDialogAnswer(h.Path("c.mol2"), 4);
    h.Run(kFileSaveAs);
    QVERIFY(!QFile::exists(h.Path("c.mol2")));
    const QStringList messages = h.TakeMessages();
    QCOMPARE(messages.size(), 1);
    QVERIFY(messages[0].contains("c.mol2"));
    h.QueueDialogAnswer(h.Path("d.XYZ"), 4);
    h.Run(kFileSaveAs);
    QVERIFY(h.Read(h.Path("d.XYZ")).contains("\ngeometry 1 of 1\nN "));
}

// XYZ files through the dialogs: the XYZ filter reads a file whatever its
// name, every frame becomes a step, and saving with the XYZ filter writes
// every step, adding the extension.
void AppShellTest::xyzTrajectoriesThroughTheDialogs() {
    AppHarness h;
    const QString text = QStringLiteral("2\nenergy -1.25 hartree\nC 0 0 0\nO 1.2 0 0\n"
                                        "2\nenergy -1.5 hartree\nC 0 0 0\nO 1.13 0 0\n");
    const QString named = h.Write("co.txt", text.toUtf8());
    QVERIFY(h.Start());
    h.QueueDialogAnswer(named, 4); // XYZ Files
    h.Run(kFileOpen);
    CMolDoc* document = h.ActiveDocument();
    QVERIFY(document->data != nullptr);
    QCOMPARE(document->data->frameCount, 2);
    QCOMPARE(document->chosenFrame, 1);
    QCOMPARE(document->data->GetFrame(0)->energy, -1.25);
    h.QueueDialogAnswer(h.Path("trajectory"), 5); // XYZ Files
    h.Run(kFileSaveAs);
    const QByteArray written = h.Read(h.Path("trajectory.xyz"));
    QVERIFY2(written.startsWith("2\ngeometry 1 of 2, energy -1.25000000 hartree\nC "),
             written.constData());
    QCOMPARE(written.count("geometry"), 2);
    h.Exit();
    QCOMPARE(h.Stored("FilterIndex"), 4);
    QCOMPARE(h.Stored("SaveFilterIndex"), 5);
}

void AppShellTest::failedSaveKeepsTheOldFile() {
    AppHarness h;
    QVERIFY(h.Start(h.Write("pep.pdb", Fixtures::kPeptidePdb)));
    const QString target = h.Write("old.pdb", "precious\n");
    {
        // Files may not grow past 100 bytes, so the PDB text cannot be
        // written; this holds for every user, root included.
        FileSizeLimit limit(100);
        h.QueueDialogAnswer(target, 2);
        h.Run(kFileSaveAs);
    }
    QCOMPARE(h.Read(target), QByteArray("precious\n"));
    // The dialog asked before replacing old.pdb; then the failure was said.
    const QStringList messages = h.TakeMessages();
    QCOMPARE(messages.size(), 2);
    QVERIFY(messages[1].contains("old.pdb"));
    QVERIFY(h.ActiveDocument()->pdbSavePath.isEmpty());
    QCOMPARE(QDir(h.Path(".")).entryList({"old.pdb*"}, QDir::Files), QStringList{"old.pdb"});
}

void AppShellTest::menusFollowTheActiveWindowKind() {
    AppHarness h;
    QVERIFY(h.Start(h.Write("pep.pdb", Fixtures::kPeptidePdb)));
    h.MainFrame()->Refresh();
    QCOMPARE(h.MainFrame()->CurrentMenu(), 130);
    QCOMPARE(h.MainFrame()->menuBar()->actions().size(), 6);
    h.Run(kPeptideStructure);
    h.MainFrame()->Refresh();
    QCOMPARE(h.MainFrame()->CurrentMenu(), 131);
    QCOMPARE(h.MainFrame()->menuBar()->actions().size(), 5);
    h.Run(kFileClose); // closes both windows of the document
    h.MainFrame()->Refresh();
    QCOMPARE(h.Frames().size(), 0);
    QCOMPARE(h.MainFrame()->CurrentMenu(), 128);
    QCOMPARE(h.MainFrame()->menuBar()->actions().size(), 3);
    QCOMPARE(h.MainFrame()->windowTitle(), QStringLiteral("RAVEK"));
}

// Found writing Gaussian input into a .pdb file: the dialog's answer met the
// code that reads it only through a test responder.
void AppShellTest::savingOverAPdbFileWithThePdbFilterWritesPdb() {
    AppHarness h;
    QVERIFY(h.Start(h.Write("pep.pdb", Fixtures::kPeptidePdb)));
    const QString target = h.Write("old.pdb", "HEADER    OLD\n");
    h.QueueDialogAnswer(target, 2); // the dialog asks before replacing it: yes
    h.Run(kFileSaveAs);
    QCOMPARE(h.TakeMessages().size(), 1);
    const QByteArray written = h.Read(target);
    QVERIFY2(written.startsWith("ATOM      1  N   ALA     1"), written.left(80).constData());
    QVERIFY(!written.contains("%Chk="));
    // The name without an extension gets the chosen filter's, not the first.
    h.QueueDialogAnswer(h.Path("out"), 2);
    h.Run(kFileSaveAs);
    QVERIFY(h.Read(h.Path("out.pdb")).startsWith("ATOM"));
    QVERIFY(!QFile::exists(h.Path("out.com")));
    h.Exit();
    QCOMPARE(h.Stored("SaveFilterIndex"), 2);
}

// Found building a 16777215-pixel window from Right = Bottom = 10^9, and
// windows opening off the screen from negative or huge positions.
void AppShellTest::storedWindowRectanglesAreBroughtOntoTheScreen() {
    AppHarness h;
    h.Store("Left", -5000);
    h.Store("Top", 2000000000);
    h.Store("Right", 1000000000);
    h.Store("Bottom", 1000000000);
    QVERIFY(h.Start());
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY2(screen.contains(h.MainFrame()->frameGeometry()),
             qPrintable(QStringLiteral("%1,%2 %3x%4")
                            .arg(h.MainFrame()->x())
                            .arg(h.MainFrame()->y())
                            .arg(h.MainFrame()->width())
                            .arg(h.MainFrame()->height())));
    h.Exit();
    QVERIFY(h.Stored("Left") >= screen.left());
    QVERIFY(h.Stored("Right") <= screen.right() + 1);
    QVERIFY(h.Stored("Bottom") - h.Stored("Top") >= 200);
    // A sane rectangle is kept as it is.
    QCOMPARE(CMainFrame::SaneRect(10, 20, 510, 420, screen), QRect(10, 20, 500, 400));
}

// Found shrinking maximised windows to bare title bars.
void AppShellTest::cascadeLeavesEveryWindowUsable() {
    AppHarness h;
    h.Store("ChildMaxWnd", 1);
    QVERIFY(h.Start(h.Write("pep.pdb", Fixtures::kPeptidePdb)));
    h.Run(kFileNew);
    h.Run(kFileNew);
    QCOMPARE(h.Frames().size(), 3);
    ChildFrame* active = h.ActiveFrame();
    h.Run(kWindowCascade);
    const QSize area = h.MainFrame()->MdiArea()->viewport()->size();
    for (ChildFrame* frame : h.Frames()) {
        QVERIFY(!frame->isMaximized());
        QVERIFY2(frame->width() >= area.width() / 2 && frame->height() >= area.height() / 2,
                 qPrintable(QStringLiteral("%1x%2").arg(frame->width()).arg(frame->height())));
    }
    QCOMPARE(h.ActiveFrame(), active);
    // Tile and arrange run too, and keep every window.
    h.Run(kWindowTile);
    h.Run(kWindowArrange);
    QCOMPARE(h.Frames().size(), 3);
}

// The status-bar prompt and tooltip of the view's commands, character for
// character as the program defines them.
void AppShellTest::promptsAndTipsAreTheCommandsOwn() {
    const std::pair<int, const char*> expected[] = {
        {32771, "分子表示のアニメーションを行います\n分子表示のアニメーション"},
        {32772, "ワイヤーフレームで表示します\nワイヤーフレーム"},
        {32773, "ボール&スティックで表示します\nボール&スティック"},
        {32774, "表示画像を保存\n画像保存"},
        {32775, "背景色を設定します\n背景色の設定"},
        {32776, "振動解析の結果を表示します\n振動解析の結果表示"},
        {32777, "原子ごとに色分けします\n原子ごとの色分け"},
        {32778, "残基ごとに色分けします\n残基ごとの色分け"},
        {32779, "RAVEKの設定を行います\nRAVEK設定"},
        {32782, "表示の設定を行います\n表示設定"},
        {32783, "ペプチドのコンフォメーションを調べます\nペプチド構造"},
        {32784, "リボンで表示します表示\nリボン"},
        {32785, "水素原子を表示します\n水素原子表示"},
        {32788, "ウィンドウ位置を保存します\nウィンドウ位置保存"},
        {32789, "初期設定の位置に戻します\n初期設定位置"},
        {32790, "文字色を設定します\n文字色の設定"},
        {32794, "ラベルをクリアします\nラベルのクリア"},
        {32796, "全原子のラベルを表示します\n全原子のラベル表示"},
    };
    AppHarness h;
    QVERIFY(h.Start());
    for (const auto& [id, text] : expected) {
        const QStringList parts = QString::fromUtf8(text).split(QLatin1Char('\n'));
        QAction* action = h.MainFrame()->Action(id);
        QVERIFY2(action != nullptr, qPrintable(QString::number(id)));
        QCOMPARE(action->statusTip(), parts[0]);
        QCOMPARE(action->toolTip(), parts[1]);
    }
}

// Found ignored: page set-up edited one printer and printing made a new one.
void AppShellTest::pageSetUpChoosesThePrinterThatPrints() {
    AppHarness h;
    QVERIFY(h.Start(h.Write("pep.pdb", Fixtures::kPeptidePdb)));
    bool landscapeChosen = false;
    h.QueueDialog([&](QDialog& dialog) {
        for (QRadioButton* button : dialog.findChildren<QRadioButton*>()) {
            if (button->objectName() == QLatin1String("landscape")) {
                button->click();
                landscapeChosen = true;
            }
        }
    });
    h.Run(kFilePrintSetup);
    QVERIFY(landscapeChosen);
    QPageLayout::Orientation previewed = QPageLayout::Portrait;
    h.QueueDialog(
        [&](QDialog& dialog) {
            if (auto* preview = dialog.findChild<QPrintPreviewWidget*>())
                previewed = preview->orientation();
        },
        QString());
    h.Run(kFilePrintPreview);
    QCOMPARE(previewed, QPageLayout::Landscape);
}

namespace {

// The item of the menu bar's menu `menu` (and submenu `sub`, when given)
// whose text before any shortcut is `text`; the menus open on the way, as a
// person opens them.
QAction* Item(CMainFrame* frame, const QString& menu, const QString& text,
              const QString& sub = QString()) {
    for (QAction* top : frame->menuBar()->actions()) {
        if (top->text() != menu || top->menu() == nullptr)
            continue;
        QMenu* open = top->menu();
        emit open->aboutToShow();
        if (!sub.isEmpty()) {
            QMenu* inner = nullptr;
            for (QAction* entry : open->actions()) {
                if (entry->text() == sub)
                    inner = entry->menu();
            }
            if (inner == nullptr)
                return nullptr;
            emit inner->aboutToShow();
            open = inner;
        }
        for (QAction* entry : open->actions()) {
            if (entry->text().section(QLatin1Char('\t'), 0, 0) == text)
                return entry;
        }
    }
    return nullptr;
}

} // namespace

// One or more items of every menu of the molecule window, reached by their
// texts and triggered: each does what its text says.
void AppShellTest::everyMenuOpensAndRunsItsItemsByText() {
    AppHarness h;
    QVERIFY(h.Start(h.Write("pep.pdb", Fixtures::kPeptidePdb)));
    CMolView* view = h.ActiveView();
    QVERIFY(QTest::qWaitFor([&] { return view->HasFittedModel(); }, 5000));
    CMainFrame* frame = h.MainFrame();
    frame->Refresh();

    QAction* ball = Item(frame, "表示(&V)", "ボール＆スティック", "分子表示モード(&M)");
    QVERIFY(ball != nullptr);
    ball->trigger();
    QCOMPARE(view->state.displayFlags, static_cast<int>(ViewState::kBallAndStick));
    QVERIFY(Item(frame, "表示(&V)", "ボール＆スティック", "分子表示モード(&M)")->isChecked());
    Item(frame, "表示(&V)", "原子(&A)", "色分け(&C)")->trigger();
    QCOMPARE(view->state.colourMode, 0);
    Item(frame, "表示(&V)", "全原子表示(&A)", "ラベル(&L)")->trigger();
    QCOMPARE(view->state.labelledAtoms.size(), std::size_t{17});
    Item(frame, "表示(&V)", "ツールバー(&T)")->trigger();
    QVERIFY(!frame->findChild<QToolBar*>()->isVisible());
    QVERIFY(!Item(frame, "表示(&V)", "ツールバー(&T)")->isChecked());
    Item(frame, "表示(&V)", "ツールバー(&T)")->trigger();
    Item(frame, "表示(&V)", "ステータスバー(&S)")->trigger();
    QVERIFY(!frame->statusBar()->isVisible());
    Item(frame, "表示(&V)", "ステータスバー(&S)")->trigger();
    QVERIFY(frame->statusBar()->isVisible());

    // 編集 → コピー puts the picture on the clipboard.
    QGuiApplication::clipboard()->clear();
    Item(frame, "編集(&E)", "コピー(&C)")->trigger();
    const QImage copied = QGuiApplication::clipboard()->image();
    QCOMPARE(copied.size(), view->size() * view->devicePixelRatio());

    // ファイル → 名前を付けて保存, cancelled: nothing written.
    h.QueueDialogCancel();
    Item(frame, "ファイル(&F)", "名前を付けて保存(&A)...")->trigger();
    QCOMPARE(h.dialogRequests.size(), std::size_t{1});

    // 解析 → ペプチド構造 opens the plot; ウィンドウ → 重ねて表示 arranges both.
    Item(frame, "解析(&A)", "ペプチド構造(&P)")->trigger();
    QCOMPARE(h.Frames().size(), 2);
    frame->Refresh();
    Item(frame, "ウィンドウ(&W)", "重ねて表示(&C)")->trigger();
    QCOMPARE(h.Frames().size(), 2);

    // ヘルプ → バージョン情報 shows the about box; its OK closes it.
    QString about;
    h.QueueDialog([&](QDialog& dialog) { about = dialog.windowTitle(); });
    Item(frame, "ヘルプ(&H)", "バージョン情報(&A)...")->trigger();
    QVERIFY(!about.isEmpty());
    // トピックの検索 opens the guide beside the program; beside this test
    // program there is none, and it says so.
    Item(frame, "ヘルプ(&H)", "トピックの検索(&H)")->trigger();
    const QStringList help = h.TakeMessages();
    QCOMPARE(help.size(), 1);
    QVERIFY(help[0].contains("user-guide"));
    // Context help: the pointer asks what a control is; Escape leaves it.
    h.Run(kContextHelp);
    QVERIFY(QWhatsThis::inWhatsThisMode());
    QWhatsThis::leaveWhatsThisMode();
}

// With no molecule window, File → 開く and the recent files open a new one.
void AppShellTest::openingWithoutAMoleculeWindow() {
    AppHarness h;
    const QString pdb = h.Write("pep.pdb", Fixtures::kPeptidePdb);
    const QString com = h.Write("w.com", Fixtures::kWaterInput);
    QVERIFY(h.Start(com));
    h.Run(kFileClose);
    QCOMPARE(h.Frames().size(), 0);
    h.MainFrame()->Refresh();
    QCOMPARE(h.MainFrame()->CurrentMenu(), 128);
    h.QueueDialogAnswer(pdb, 2);
    QAction* open = Item(h.MainFrame(), "ファイル(&F)", "開く(&O)...");
    QVERIFY(open != nullptr);
    open->trigger();
    QCOMPARE(h.Frames().size(), 1);
    QCOMPARE(h.ActiveDocument()->data->sourceKind, CMolData::SourceKind::kPdb);
    h.Run(kFileClose);
    h.MainFrame()->Refresh();
    // File 2 of the recent list is the water input.
    QAction* recent = Item(h.MainFrame(), "ファイル(&F)", QStringLiteral("&2 ") + com);
    QVERIFY(recent != nullptr);
    recent->trigger();
    QCOMPARE(h.Frames().size(), 1);
    QCOMPARE(h.ActiveDocument()->data->sourceKind, CMolData::SourceKind::kGaussian);

    // The plot window's menus: its File menu closes the plot only.
    h.Run(kFileClose);
    h.QueueDialogAnswer(pdb, 2);
    h.Run(kFileOpen);
    h.Run(kPeptideStructure);
    h.MainFrame()->Refresh();
    QCOMPARE(h.MainFrame()->CurrentMenu(), 131);
    Item(h.MainFrame(), "ウィンドウ(&W)", "並べて表示(&T)")->trigger();
    QCOMPARE(h.Frames().size(), 2);
    Item(h.MainFrame(), "表示(&V)", "ステータスバー(&S)")->trigger();
    QVERIFY(!h.MainFrame()->statusBar()->isVisible());
    Item(h.MainFrame(), "表示(&V)", "ステータスバー(&S)")->trigger();
    // The main menu's View menu with no window.
    h.Run(kFileClose);
    h.MainFrame()->Refresh();
    QCOMPARE(h.MainFrame()->CurrentMenu(), 128);
    Item(h.MainFrame(), "表示(&V)", "ツールバー(&T)")->trigger();
    QVERIFY(!h.MainFrame()->findChild<QToolBar*>()->isVisible());
}

// The guide opens in a window of the program, drawn from its Markdown, in
// the interface's language, the English one where no translation lies
// beside it; asking again shows the same window.
void AppShellTest::helpShowsTheGuideInTheInterfacesLanguage() {
    const QString dir = QCoreApplication::applicationDirPath();
    const auto write = [&dir](const QString& name, const QByteArray& text) {
        QFile file(dir + QLatin1Char('/') + name);
        return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
    };
    // The guides and the language are put back however the test ends.
    struct Restore {
        QString dir;
        ~Restore() {
            UiLanguage::Install(UiLanguage::kJapanese);
            QFile::remove(dir + QStringLiteral("/user-guide.md"));
            QFile::remove(dir + QStringLiteral("/user-guide.ja.md"));
        }
    } restore{dir};
    QVERIFY(write("user-guide.md", "# The guide\n\nEnglish **text**.\n"));
    QVERIFY(write("user-guide.ja.md", "# ガイド\n\n日本語の本文。\n"));
    const auto guideWindows = [] {
        QList<UserGuideWindow*> found;
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* window = qobject_cast<UserGuideWindow*>(widget);
                window && window->isVisible())
                found.append(window);
        return found;
    };
    AppHarness h;
    QVERIFY(h.Start());
    Item(h.MainFrame(), "ヘルプ(&H)", "トピックの検索(&H)")->trigger();
    QCOMPARE(h.TakeMessages().size(), 0);
    QCOMPARE(guideWindows().size(), 1);
    UserGuideWindow* window = guideWindows().front();
    QCOMPARE(window->toPlainText(), QStringLiteral("ガイド\n日本語の本文。"));
    QCOMPARE(window->windowTitle(), QStringLiteral("RAVEK ユーザーガイド"));

    UiLanguage::Install(UiLanguage::kEnglish);
    h.Run(kHelpIndex);
    QCOMPARE(guideWindows(), QList<UserGuideWindow*>{window});
    QCOMPARE(window->toPlainText(), QStringLiteral("The guide\nEnglish text."));
    // No Japanese guide: the English one.
    UiLanguage::Install(UiLanguage::kJapanese);
    QFile::remove(dir + "/user-guide.ja.md");
    h.Run(kHelpIndex);
    QCOMPARE(window->toPlainText(), QStringLiteral("The guide\nEnglish text."));
    window->close();
    h.Exit();
}

// Last: X11's headers define names (None, Bool, KeyPress) Qt's use.
#include <X11/XKBlib.h>

namespace {
bool SetCapsLockAtServer(bool on) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr)
        return false;
    Display* display = x11->display();
    XkbLockModifiers(display, XkbUseCoreKbd, LockMask, on ? LockMask : 0);
    XSync(display, False);
    return true;
}
} // namespace

#include "GuiTestMain.h"
RAVEK_GUI_TEST_MAIN(AppShellTest)
#include "AppShellTest.moc"
