#include "AppHarness.h"

#include "app/CMainFrame.h"
#include "app/CMolDoc.h"
#include "app/CRavekApp.h"
#include "platform/ChildFrame.h"
#include "tests/support/SmallFiles.h"
#include "view/CMolView.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QSettings>
#include <QTest>

namespace {

// What the harness that ran last left unexplained, for the test's cleanup.
QStringList& LastReport() {
    static QStringList report;
    return report;
}

// The harness that drives dialogs now: the one made last.
AppHarness*& Driving() {
    static AppHarness* harness = nullptr;
    return harness;
}

QString PlainText(QString text) {
    return text.remove(QLatin1Char('&'));
}

// The menus that hold action, outermost first; empty when no menu of the
// menu bar holds it.
QList<QMenu*> MenuPath(const QList<QAction*>& items, QAction* action) {
    for (QAction* item : items) {
        if (item == action)
            return {nullptr};
        if (QMenu* menu = item->menu()) {
            QList<QMenu*> path = MenuPath(menu->actions(), action);
            if (!path.isEmpty()) {
                path.removeAll(nullptr);
                path.prepend(menu);
                return path;
            }
        }
    }
    return {};
}

void Press(QAbstractButton* button) {
    if (button != nullptr)
        QTest::mouseClick(button, Qt::LeftButton);
}

} // namespace

bool AppHarness::PressButton(QWidget* within, const QString& text) {
    for (QAbstractButton* button : within->findChildren<QAbstractButton*>()) {
        if (button->isVisible() && PlainText(button->text()) == text) {
            Press(button);
            return true;
        }
    }
    return false;
}

AppHarness::AppHarness() {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir_.filePath("config"));
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir_.filePath("config"));
    // The names the program sets at start-up, so that settings stored before
    // Start land where the program reads them, whatever ran before.
    QCoreApplication::setOrganizationName(QStringLiteral("Pralt Software"));
    QCoreApplication::setApplicationName(QStringLiteral("RAVEK"));
    LastReport().clear();
    previous_ = Driving();
    Driving() = this;
    watcher_.setInterval(20);
    QObject::connect(&watcher_, &QTimer::timeout, [this] { Watch(); });
    watcher_.start();
}

AppHarness::~AppHarness() {
    Exit();
    watcher_.stop();
    QStringList report = unexpected_;
    for (const QString& message : messages_)
        report << QStringLiteral("message box not taken by the test: ") + message;
    if (!answers_.empty())
        report << QStringLiteral("%1 queued dialog answer(s) never used").arg(answers_.size());
    LastReport() << report;
    Driving() = previous_;
}

void AppHarness::VerifyNothingUnexpected() {
    const QStringList report = LastReport();
    LastReport().clear();
    QVERIFY2(report.isEmpty(), qPrintable(report.join(QStringLiteral("; "))));
}

void AppHarness::Watch() {
    if (Driving() != this)
        return;
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || !modal->isVisible())
        return;
    for (const QPointer<QWidget>& seen : handled_) {
        if (seen == modal)
            return;
    }
    handled_.emplace_back(modal);
    // A progress bar asks nothing: it closes itself when the work is done.
    if (qobject_cast<QProgressDialog*>(modal) != nullptr) {
        progressShown = true;
        return;
    }
    // Acted on from a timer of its own: what the action opens in turn (a
    // message box behind a sheet's OK) runs a nested event loop, and this
    // timer must be free to fire in it.
    QTimer::singleShot(0, modal, [this, modal] { Handle(modal); });
}

void AppHarness::Handle(QWidget* modal) {
    // Acted on once it is on the screen and laid out, as a person sees it:
    // a click on a button not yet placed would miss it.
    if (!QTest::qWaitForWindowExposed(modal, 5000))
        unexpected_ << QStringLiteral("a dialog never came on the screen");
    if (seeEveryDialog)
        seeEveryDialog(modal);
    if (qobject_cast<QMessageBox*>(modal) != nullptr) {
        HandleMessageBox(modal);
        return;
    }
    const Answer::Kind kind = qobject_cast<QFileDialog*>(modal) != nullptr    ? Answer::kFile
                              : qobject_cast<QColorDialog*>(modal) != nullptr ? Answer::kColour
                                                                              : Answer::kOther;
    if (answers_.empty() || answers_.front().kind != kind) {
        unexpected_ << QStringLiteral("unexpected dialog %1 \"%2\"")
                           .arg(QString::fromLatin1(modal->metaObject()->className()),
                                modal->windowTitle());
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
        return;
    }
    const Answer answer = answers_.front();
    answers_.pop_front();
    answer.act(modal);
}

void AppHarness::HandleMessageBox(QWidget* widget) {
    auto* box = static_cast<QMessageBox*>(widget);
    messages_ << box->text();
    QAbstractButton* button = nullptr;
    if (box->button(QMessageBox::Yes) != nullptr)
        button = box->button(answerYes ? QMessageBox::Yes : QMessageBox::No);
    if (button == nullptr)
        button = box->defaultButton();
    if (button == nullptr && !box->buttons().isEmpty())
        button = box->buttons().front();
    Press(button);
}

QStringList AppHarness::TakeMessages() {
    const QStringList taken = messages_;
    messages_.clear();
    return taken;
}

void AppHarness::QueueDialogAnswer(const QString& path, int filterIndex) {
    answers_.push_back(
        {Answer::kFile, [this, path, filterIndex](QWidget* widget) {
             auto* dialog = static_cast<QFileDialog*>(widget);
             auto* types = dialog->findChild<QComboBox*>("fileTypeCombo");
             auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
             auto* buttons = dialog->findChild<QDialogButtonBox*>("buttonBox");
             dialogRequests.push_back({types->currentIndex() + 1, name->text(), types->count()});
             // Keys go to the window a person looks at.
             dialog->activateWindow();
             if (!QTest::qWaitForWindowActive(dialog, 2000))
                 unexpected_ << QStringLiteral("the file dialog never became the active window");
             // The filter as a person picks it from the box's list.
             if (!AppHarness::ChooseFromList(types, filterIndex - 1))
                 unexpected_ << QStringLiteral("filter %1 could not be chosen from the list")
                                    .arg(filterIndex);
             // Typed without the completion list, which opens
             // whenever the folder's listing arrives and would
             // take the click meant for the button.
             name->setCompleter(nullptr);
             QPushButton* accept = buttons->button(dialog->acceptMode() == QFileDialog::AcceptOpen
                                                       ? QDialogButtonBox::Open
                                                       : QDialogButtonBox::Save);
             // The name is typed into the field with the keyboard focus (the
             // dialog then keeps the file list's selection to what the name
             // names). The dialog lists its folder in the background and
             // enables its button once it knows the file: until it does, the
             // name is typed again from time to time; should it still be open
             // after the button was pressed (it was catching up), the name
             // goes in again and the button is pressed again, as a person
             // would.
             const auto closed = [dialog] { return !dialog->isVisible(); };
             for (int attempt = 0; attempt < 3 && !closed(); ++attempt) {
                 AppHarness::TypeInto(name, path);
                 for (int tries = 1; tries < 60 && !accept->isEnabled(); ++tries) {
                     QTest::qWait(50);
                     if (tries % 10 == 0 && !accept->isEnabled())
                         AppHarness::TypeInto(name, path);
                 }
                 if (!accept->isEnabled())
                     continue;
                 Press(accept);
                 if (!closed())
                     static_cast<void>(QTest::qWaitFor(closed, 2000));
             }
             if (!closed()) {
                 unexpected_ << QStringLiteral("the file dialog stayed open for %1 (name \"%2\", "
                                               "chose %3, button %4)")
                                    .arg(path, name->text(),
                                         dialog->selectedFiles().join(QLatin1Char(',')),
                                         accept->isEnabled() ? QStringLiteral("enabled")
                                                             : QStringLiteral("disabled"));
                 dialog->reject();
             }
         }});
}

void AppHarness::QueueDialogCancel() {
    answers_.push_back(
        {Answer::kFile, [this](QWidget* widget) {
             auto* dialog = static_cast<QFileDialog*>(widget);
             auto* types = dialog->findChild<QComboBox*>("fileTypeCombo");
             auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
             dialogRequests.push_back({types->currentIndex() + 1, name->text(), types->count()});
             Press(dialog->findChild<QDialogButtonBox*>("buttonBox")
                       ->button(QDialogButtonBox::Cancel));
         }});
}

void AppHarness::QueueColour(const QColor& colour) {
    answers_.push_back({Answer::kColour, [this, colour](QWidget* widget) {
                            auto* dialog = static_cast<QColorDialog*>(widget);
                            colourDialogInitials << dialog->currentColor();
                            auto* buttons = dialog->findChild<QDialogButtonBox*>();
                            if (colour.isValid()) {
                                dialog->setCurrentColor(colour);
                                Press(buttons->button(QDialogButtonBox::Ok));
                            } else {
                                Press(buttons->button(QDialogButtonBox::Cancel));
                            }
                        }});
}

void AppHarness::QueueDialog(std::function<void(QDialog&)> act, const QString& press) {
    answers_.push_back({Answer::kOther, [act, press](QWidget* widget) {
                            auto* dialog = static_cast<QDialog*>(widget);
                            QPointer<QDialog> alive(dialog);
                            act(*dialog);
                            if (alive.isNull() || !dialog->isVisible())
                                return;
                            if (press.isEmpty())
                                QTest::keyClick(dialog, Qt::Key_Escape);
                            else
                                PressButton(dialog, press);
                        }});
}

bool AppHarness::Start(const QString& file) {
    return Start(file.isEmpty() ? QStringList() : QStringList{file});
}

bool AppHarness::Start(const QStringList& files) {
    app_ = std::make_unique<CRavekApp>();
    const bool started = app_->InitInstance(files);
    QApplication::processEvents();
    return started;
}

void AppHarness::Exit() {
    if (app_ == nullptr)
        return;
    if (app_->MainFrame() != nullptr)
        app_->MainFrame()->close();
    app_.reset();
    QApplication::processEvents();
}

CMainFrame* AppHarness::MainFrame() const {
    return app_->MainFrame();
}

QList<ChildFrame*> AppHarness::Frames() const {
    QList<ChildFrame*> frames;
    for (QMdiSubWindow* window : MainFrame()->MdiArea()->subWindowList()) {
        if (auto* frame = qobject_cast<ChildFrame*>(window))
            frames.append(frame);
    }
    return frames;
}

ChildFrame* AppHarness::ActiveFrame() const {
    return MainFrame()->ActiveChildFrame();
}

CMolDoc* AppHarness::ActiveDocument() const {
    ChildFrame* frame = ActiveFrame();
    return frame != nullptr ? dynamic_cast<CMolDoc*>(frame->GetActiveDocument()) : nullptr;
}

CMolView* AppHarness::ActiveView() const {
    ChildFrame* frame = ActiveFrame();
    return frame != nullptr ? dynamic_cast<CMolView*>(frame->GetActiveView()) : nullptr;
}

bool AppHarness::WaitForPicture() const {
    return QTest::qWaitFor(
        [this] {
            const CMolView* view = ActiveView();
            return view != nullptr && view->HasFittedModel() && view->FramesShown() > 0;
        },
        5000);
}

void AppHarness::MdiActivate(int index) {
    MainFrame()->MdiArea()->setActiveSubWindow(Frames().at(index));
    QApplication::processEvents();
}

namespace {

// Opens the menus that hold the command's action, as a person reaching it
// does (each one renews its items' states as it opens); outside every menu
// the states the last refresh gave are used.
QAction* Reach(CMainFrame* frame, int id) {
    frame->Refresh();
    QAction* action = frame->Action(id);
    if (action == nullptr)
        return nullptr;
    for (QMenu* menu : MenuPath(frame->menuBar()->actions(), action))
        emit menu->aboutToShow();
    return action;
}

} // namespace

void AppHarness::Run(int id) {
    if (QAction* action = Reach(MainFrame(), id))
        action->trigger();
    // Closed windows go with deferred deletion; let it happen.
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
}

bool AppHarness::IsEnabled(int id) {
    QAction* action = Reach(MainFrame(), id);
    if (action == nullptr)
        return false;
    if (MenuPath(MainFrame()->menuBar()->actions(), action).isEmpty())
        return MainFrame()->QueryCommand(id).enabled; // in no menu shown now
    return action->isEnabled();
}

bool AppHarness::IsChecked(int id) {
    QAction* action = Reach(MainFrame(), id);
    return action != nullptr && action->isChecked();
}

int AppHarness::Stored(const char* key, int missing) const {
    return QSettings().value(QStringLiteral("Settings/") + QLatin1String(key), missing).toInt();
}

void AppHarness::Store(const char* key, int value) const {
    QSettings().setValue(QStringLiteral("Settings/") + QLatin1String(key), value);
}

QString AppHarness::StoredString(const char* section, const char* key) const {
    return QSettings()
        .value(QLatin1String(section) + QLatin1Char('/') + QLatin1String(key))
        .toString();
}

QString AppHarness::Path(const QString& name) const {
    return dir_.filePath(name);
}

QString AppHarness::Write(const QString& name, const QByteArray& bytes) const {
    QFile file(Path(name));
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return Path(name);
}

QByteArray AppHarness::Read(const QString& path) const {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

namespace Fixtures {

const char* const kPeptidePdb =
    "ATOM      1  N   ALA A   1      -0.677  -1.230  -0.491  1.00  0.00           N\n"
    "ATOM      2  CA  ALA A   1      -0.001   0.064  -0.491  1.00  0.00           C\n"
    "ATOM      3  C   ALA A   1       1.499  -0.110  -0.491  1.00  0.00           C\n"
    "ATOM      4  O   ALA A   1       2.030  -1.227  -0.502  1.00  0.00           O\n"
    "ATOM      5  CB  ALA A   1      -0.509   0.856   0.727  1.00  0.00           C\n"
    "ATOM      6  N   GLY A   2       2.250   0.986  -0.479  1.00  0.00           N\n"
    "ATOM      7  H   GLY A   2       1.802   1.892  -0.471  1.00  0.00           H\n"
    "ATOM      8  CA  GLY A   2       3.707   0.944  -0.473  1.00  0.00           C\n"
    "ATOM      9  C   GLY A   2       4.231   2.370  -0.462  1.00  0.00           C\n"
    "ATOM     10  O   GLY A   2       3.443   3.322  -0.461  1.00  0.00           O\n"
    "ATOM     11  N   SER A   3       5.550   2.515  -0.453  1.00  0.00           N\n"
    "ATOM     12  H   SER A   3       6.143   1.698  -0.455  1.00  0.00           H\n"
    "ATOM     13  CA  SER A   3       6.176   3.829  -0.441  1.00  0.00           C\n"
    "ATOM     14  C   SER A   3       7.694   3.729  -0.433  1.00  0.00           C\n"
    "ATOM     15  O   SER A   3       8.280   2.648  -0.435  1.00  0.00           O\n"
    "ATOM     16  CB  SER A   3       5.715   4.626  -1.659  1.00  0.00           C\n"
    "ATOM     17  OG  SER A   3       6.289   5.925  -1.647  1.00  0.00           O\n"
    "END\n";

const char* const kWaterInput = SmallFiles::kWaterInput;

} // namespace Fixtures

bool AppHarness::ChooseFromList(QComboBox* combo, int index) {
    QAbstractItemView* list = combo->view();
    QTest::mouseClick(combo, Qt::LeftButton);
    if (!QTest::qWaitFor([list] { return list->isVisible(); }, 2000) ||
        !QTest::qWaitForWindowExposed(list->window(), 2000))
        return false;
    // The list takes no click until a double click's time has passed since
    // it opened (the release of the click that opened it must not choose);
    // a person's hand takes longer to move.
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    const QModelIndex entry =
        combo->model()->index(index, combo->modelColumn(), combo->rootModelIndex());
    const QPoint at = list->visualRect(entry).center();
    QTest::mouseMove(list->viewport(), at);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    return QTest::qWaitFor([list] { return !list->isVisible(); }, 2000) &&
           combo->currentIndex() == index;
}

void AppHarness::TypeInto(QLineEdit* edit, const QString& text) {
    QTest::mouseClick(edit, Qt::LeftButton);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Delete);
    // Letters beyond ASCII (as an input method gives them) come as the
    // text of a key without a code.
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(edit, c.toLatin1());
            continue;
        }
        QTest::sendKeyEvent(QTest::Press, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}
