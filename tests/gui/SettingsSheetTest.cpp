// The two settings sheets driven through the document's commands: what OK
// and Cancel keep, the residue page, the checks of the typed values.

#include "AppHarness.h"

#include "app/CMainFrame.h"
#include "app/CMolDoc.h"
#include "model/CMolData.h"
#include "platform/PropertyPage.h"
#include "platform/PropertySheet.h"
#include "res/CommandIds.h"
#include "res/ControlIds.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QTest>

#include <functional>

using namespace CommandIds;

namespace {

// Six alanines of four backbone atoms each along x.
QByteArray SixResidues() {
    QByteArray text;
    int serial = 0;
    const char* names[4] = {" N  ", " CA ", " C  ", " O  "};
    const char* elements[4] = {"N", "C", "C", "O"};
    for (int r = 0; r < 6; ++r)
        for (int a = 0; a < 4; ++a)
            text += QString::asprintf("ATOM  %5d %s ALA A%4d    %8.3f%8.3f%8.3f  1.00  0.00"
                                      "          %2s\n",
                                      ++serial, names[a], r + 1, r * 3.8 + a * 1.2,
                                      a == 3 ? 1.2 : 0.0, 0.0, elements[a])
                        .toLatin1();
    return text;
}

template <class T> T* Control(PropertySheet& sheet, int id) {
    return sheet.findChild<T*>(QString::number(id));
}

void ShowTab(PropertySheet& sheet, int index) {
    sheet.findChild<QTabWidget*>()->setCurrentIndex(index);
}

// Presses OK (true) or キャンセル; true when the sheet closed.
bool Finish(PropertySheet& sheet, bool ok) {
    AppHarness::PressButton(&sheet, ok ? QStringLiteral("OK") : QStringLiteral("キャンセル"));
    return !sheet.isVisible();
}

// The next settings sheet, acted on by act.
void QueueSheet(AppHarness& h, std::function<void(PropertySheet&)> act) {
    h.QueueDialog([act](QDialog& dialog) { act(static_cast<PropertySheet&>(dialog)); }, QString());
}

} // namespace

class SettingsSheetTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { AppHarness::VerifyNothingUnexpected(); }
    void cancelChangesNothing();
    void residuesHiddenAndRemembered();
    void aChainChosenSelectsItsResidues();
    void typedValuesAreChecked();
    void programSettings();
};

void SettingsSheetTest::cancelChangesNothing() {
    AppHarness h;
    QVERIFY(h.Start(h.Write("six.pdb", SixResidues())));
    CMolDoc* document = h.ActiveDocument();
    QueueSheet(h, [](PropertySheet& sheet) {
        for (int id : {ControlIds::kWireAtomSize, ControlIds::kWireBondWidth,
                       ControlIds::kBallAtomSize, ControlIds::kBallBondWidth})
            Control<QSlider>(sheet, id)->setValue(4);
        Control<QCheckBox>(sheet, ControlIds::kAntialiasing)->setChecked(false);
        Control<QLineEdit>(sheet, ControlIds::kResolution)->setText(QStringLiteral("33"));
        Finish(sheet, false);
    });
    h.Run(kDisplaySettings);
    QCOMPARE(document->wireAtomSize, 10);
    QCOMPARE(document->ballBondWidth, 10);
    QCOMPARE(document->antialiasing, 1);
    QCOMPARE(document->resolution, 10);

    // The same with OK takes everything, and the scales follow the sizes.
    int geometries = 0, maximum = 0, tick = 0;
    QueueSheet(h, [&](PropertySheet& sheet) {
        geometries = Control<QComboBox>(sheet, ControlIds::kGeometry)->count();
        maximum = Control<QSlider>(sheet, ControlIds::kWireAtomSize)->maximum();
        tick = Control<QSlider>(sheet, ControlIds::kWireAtomSize)->tickInterval();
        for (int id : {ControlIds::kWireAtomSize, ControlIds::kWireBondWidth,
                       ControlIds::kBallAtomSize, ControlIds::kBallBondWidth})
            Control<QSlider>(sheet, id)->setValue(4);
        Control<QLineEdit>(sheet, ControlIds::kResolution)->setText(QStringLiteral("33"));
        Control<QComboBox>(sheet, ControlIds::kGeometry)
            ->setEditText(QStringLiteral("7")); // no such geometry
        Finish(sheet, true);
    });
    h.Run(kDisplaySettings);
    QCOMPARE(geometries, 1);
    QCOMPARE(maximum, 18);
    QCOMPARE(tick, 2);
    QCOMPARE(document->wireAtomSize, 4);
    QCOMPARE(document->resolution, 33);
    QVERIFY(std::abs(document->ballBondScale - 0.4 * 0.4 * 0.08) < 1e-12);
    QCOMPARE(document->chosenFrame, 0);
}

// An ensemble of two models of six residues: residues hidden in the sheet
// are hidden in every model.
void SettingsSheetTest::residuesHiddenAndRemembered() {
    AppHarness h;
    QVERIFY(
        h.Start(h.Write("six.pdb", "MODEL        1\n" + SixResidues() + "ENDMDL\nMODEL        2\n" +
                                       SixResidues() + "ENDMDL\n")));
    CMolDoc* document = h.ActiveDocument();
    QCOMPARE(document->data->frameCount, 2);
    QStringList items;
    QueueSheet(h, [&](PropertySheet& sheet) {
        ShowTab(sheet, 1);
        auto* list = Control<QListWidget>(sheet, ControlIds::kResidueList);
        for (int row = 0; row < list->count(); ++row)
            items << list->item(row)->text();
        for (int row : {1, 3, 4})
            list->item(row)->setSelected(true);
        Control<QRadioButton>(sheet, ControlIds::kResidueModeFirst + 1)->setChecked(true); // 非表示
        Finish(sheet, true);
    });
    h.Run(kDisplaySettings);
    QCOMPARE(items, (QStringList{"A:ALA1", "A:ALA2", "A:ALA3", "A:ALA4", "A:ALA5", "A:ALA6"}));
    QCOMPARE(document->residueDisplayMode, 1);
    QCOMPARE(document->dispActivePage, 1);
    for (int a = 0; a < 24; ++a) {
        const int residue = a / 4;
        const bool hidden = residue == 1 || residue == 3 || residue == 4;
        QCOMPARE(document->residues.ShowsAtom(*document->data, 0, a), !hidden);
        QCOMPARE(document->residues.ShowsAtom(*document->data, 1, a), !hidden);
    }
    // Reopened: the residue page first, the same three selected.
    QStringList selected;
    int firstPage = -1;
    bool hideChecked = false;
    QueueSheet(h, [&](PropertySheet& sheet) {
        firstPage = sheet.GetActiveIndex();
        for (QListWidgetItem* item :
             Control<QListWidget>(sheet, ControlIds::kResidueList)->selectedItems())
            selected << item->text();
        hideChecked = Control<QRadioButton>(sheet, ControlIds::kResidueModeFirst + 1)->isChecked();
        Finish(sheet, false);
    });
    h.Run(kDisplaySettings);
    QCOMPARE(firstPage, 1);
    QVERIFY(hideChecked);
    selected.sort();
    QCOMPARE(selected, (QStringList{"A:ALA2", "A:ALA4", "A:ALA5"}));
}

// Residues named with their chains; a chain chosen in the chain box selects
// all of its residues, which then alone are shown.
void SettingsSheetTest::aChainChosenSelectsItsResidues() {
    AppHarness h;
    QByteArray two = SixResidues();
    // Residues 4 to 6 become chain B's 1 to 3.
    for (int r = 4; r <= 6; ++r)
        two.replace(QString::asprintf("ALA A%4d", r).toLatin1(),
                    QString::asprintf("ALA B%4d", r - 3).toLatin1());
    QVERIFY(h.Start(h.Write("two.pdb", two)));
    CMolDoc* document = h.ActiveDocument();
    QStringList items, chains;
    QueueSheet(h, [&](PropertySheet& sheet) {
        ShowTab(sheet, 1);
        auto* list = Control<QListWidget>(sheet, ControlIds::kResidueList);
        for (int row = 0; row < list->count(); ++row)
            items << list->item(row)->text();
        auto* box = sheet.findChild<QComboBox*>(QStringLiteral("chainChoice"));
        for (int row = 0; box != nullptr && row < box->count(); ++row)
            chains << box->itemText(row);
        // End: the last chain, B.
        box->setFocus();
        QTest::keyClick(box, Qt::Key_End);
        Control<QRadioButton>(sheet, ControlIds::kResidueModeFirst)->setChecked(true); // 表示
        Finish(sheet, true);
    });
    h.Run(kDisplaySettings);
    QCOMPARE(items, (QStringList{"A:ALA1", "A:ALA2", "A:ALA3", "B:ALA1", "B:ALA2", "B:ALA3"}));
    QCOMPARE(chains.mid(1), (QStringList{"A", "B"}));
    for (int a = 0; a < 24; ++a)
        QCOMPARE(document->residues.ShowsAtom(*document->data, 0, a), a >= 12);
}

void SettingsSheetTest::typedValuesAreChecked() {
    AppHarness h;
    QVERIFY(h.Start(h.Write("six.pdb", SixResidues())));
    CMolDoc* document = h.ActiveDocument();
    QueueSheet(h, [&](PropertySheet& sheet) {
        auto* resolution = Control<QLineEdit>(sheet, ControlIds::kResolution);
        for (const char* typed : {"0", "101", "x"}) {
            resolution->setText(QString::fromLatin1(typed));
            if (Finish(sheet, true))
                return; // must not close
        }
        // Leaving the page is refused too.
        ShowTab(sheet, 1);
        if (sheet.GetActiveIndex() != 0)
            return;
        resolution->setText(QStringLiteral("100"));
        Control<QLineEdit>(sheet, ControlIds::kAnimationStart)->setText(QStringLiteral("10000"));
        if (Finish(sheet, true))
            return;
        Control<QLineEdit>(sheet, ControlIds::kAnimationStart)->setText(QStringLiteral("9999"));
        Control<QLineEdit>(sheet, ControlIds::kAnimationTitle)
            ->setText(QString(101, QLatin1Char('t')));
        if (Finish(sheet, true))
            return;
        Control<QLineEdit>(sheet, ControlIds::kAnimationTitle)->setText(QStringLiteral("frame"));
        Finish(sheet, true);
    });
    h.Run(kDisplaySettings);
    QCOMPARE(h.TakeMessages(),
             (QStringList{"1 から 100 までの整数を入力してください。",
                          "1 から 100 までの整数を入力してください。", "整数を入力してください。",
                          "整数を入力してください。", "0 から 9999 までの整数を入力してください。",
                          "100 文字以内で入力してください。"}));
    QCOMPARE(document->resolution, 100);
    QCOMPARE(document->animationStartNumber, 9999);
    QCOMPARE(document->animationTitle, std::string("frame"));
}

void SettingsSheetTest::programSettings() {
    AppHarness h;
    h.Store("ProteinCalcBond", 0);
    QVERIFY(h.Start());
    CMolDoc* document = h.ActiveDocument();
    QString caption;
    int warningMaximum = 0;
    QueueSheet(h, [&](PropertySheet& sheet) {
        caption = sheet.windowTitle();
        warningMaximum = Control<QSlider>(sheet, ControlIds::kWarningLevel)->maximum();
        Control<QCheckBox>(sheet, ControlIds::kInitStart)->setChecked(true);
        Control<QSlider>(sheet, ControlIds::kWarningLevel)->setValue(3);
        ShowTab(sheet, 1);
        auto* fastList = Control<QCheckBox>(sheet, ControlIds::kFastProteinList);
        if (fastList->isChecked())
            return; // the stored 0 must show as off
        fastList->setChecked(true);
        Control<QCheckBox>(sheet, ControlIds::kUseConect)->setChecked(true);
        Finish(sheet, true);
    });
    h.Run(kProgramSettings);
    QCOMPARE(caption, QStringLiteral("設定"));
    QCOMPARE(warningMaximum, 3);
    QCOMPARE(document->initStart, 1);
    QCOMPARE(document->warningLevel, 3);
    QCOMPARE(document->pdbOptions.bondMode, 1);
    QCOMPARE(document->pdbOptions.conect, 1);
    // Without a model the display sheet cannot be opened.
    QVERIFY(!h.IsEnabled(kDisplaySettings));
}

#include "GuiTestMain.h"
RAVEK_GUI_TEST_MAIN(SettingsSheetTest)
#include "SettingsSheetTest.moc"
