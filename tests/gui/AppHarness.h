#pragma once

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>

#include <deque>
#include <functional>
#include <memory>
#include <vector>

class CMainFrame;
class CMolDoc;
class CMolView;
class CRavekApp;
class ChildFrame;
class QColor;
class QComboBox;
class QLineEdit;
class QDialog;
class QFileDialog;
class QWidget;

// Runs the real application in the test process against a settings store of
// its own. Every dialog runs its real exec(): a driver watches for modal
// windows and acts on each one as the test queued it, through the widgets a
// person would use (a file dialog's filter list, name field typed into and
// Open/Save button; a colour dialog's OK; a sheet's OK or キャンセル). Message boxes are
// answered with their real Yes/No/OK buttons and recorded; a test takes the
// ones it expects (TakeMessages), and a box or dialog it did not expect fails
// it (see VerifyNothingUnexpected).
class AppHarness {
public:
    AppHarness();
    ~AppHarness();

    // Start-up as from the command line; false when start-up failed.
    bool Start(const QString& file = QString());
    // Starts with several files, as the command line gives them.
    bool Start(const QStringList& files);
    // Leaves as File > Exit does: every owner writes its settings.
    void Exit();

    CRavekApp* App() const { return app_.get(); }
    CMainFrame* MainFrame() const;
    QList<ChildFrame*> Frames() const;
    ChildFrame* ActiveFrame() const;
    CMolDoc* ActiveDocument() const;
    CMolView* ActiveView() const;
    // Waits until the active view has fitted its document's model and shown
    // a picture of it; false after 5 s.
    bool WaitForPicture() const;

    // Makes the index-th document window the active one.
    void MdiActivate(int index);
    // Runs a command as a person does: its menus are opened (their
    // aboutToShow renews every item's state) and its action is triggered.
    // Lets the events it caused happen.
    void Run(int id);
    // The command's action as its menu shows it now: enabled, checked.
    bool IsEnabled(int id);
    bool IsChecked(int id);

    // Settings as stored now.
    int Stored(const char* key, int missing = -12345) const;
    void Store(const char* key, int value) const;
    QString StoredString(const char* section, const char* key) const;

    // The next file dialog: choose the filterIndex-th filter (1-based) from
    // its filter box's list with the mouse, type path into its name field
    // key by key, press Open or Save. Each file dialog shown is recorded with
    // the filter and name it offered.
    void QueueDialogAnswer(const QString& path, int filterIndex);
    // The next file dialog is cancelled.
    void QueueDialogCancel();
    struct FileDialogSeen {
        int initialFilter; // 1-based, as the filter box showed it
        QString initialName;
        int filterCount; // the filters offered
    };
    std::vector<FileDialogSeen> dialogRequests;

    // The next colour dialog: pick colour and press OK; an invalid colour
    // presses Cancel. The initial colour it showed is recorded.
    void QueueColour(const QColor& colour);
    QList<QColor> colourDialogInitials;

    // The next modal dialog of any other kind (a settings sheet, a
    // measurement dialog, the print dialog): act is called on it while it is
    // shown; press, when act leaves the dialog open, the button whose text
    // is given ("OK", "キャンセル", ...), or Escape for an empty text.
    void QueueDialog(std::function<void(QDialog&)> act,
                     const QString& press = QStringLiteral("OK"));

    // Clicks the visible button of within whose text (without its "&") is
    // text; false when there is none.
    static bool PressButton(QWidget* within, const QString& text);
    // Chooses entry index of a combo box as a person does: a click opens
    // its list, the pointer moves onto the entry and clicks it. False when
    // the list did not open or the entry was not taken.
    static bool ChooseFromList(QComboBox* combo, int index);
    // Types text into a line edit as a person does: a click into the field,
    // Ctrl+A over what it holds, then the text key by key.
    static void TypeInto(QLineEdit* edit, const QString& text);

    // Whether a progress dialog was shown (it is left to close itself).
    bool progressShown = false;

    // Called with every modal dialog and message box as it comes on the
    // screen, before it is answered.
    std::function<void(QWidget*)> seeEveryDialog;

    // Message boxes shown (their text), oldest first; questions are answered
    // with the real Yes or No button.
    QStringList TakeMessages();
    bool answerYes = true;

    // Fails the current test when a dialog came that nothing was queued for,
    // a message box came that the test did not take, or a queued answer was
    // never used. Call at the end of a test (the test classes' cleanup()
    // does, for the harness that ran last).
    static void VerifyNothingUnexpected();

    // A file in the test's own folder.
    QString Path(const QString& name) const;
    QString Write(const QString& name, const QByteArray& bytes) const;
    QByteArray Read(const QString& path) const;

private:
    struct Answer {
        enum Kind { kFile, kColour, kOther } kind;
        std::function<void(QWidget*)> act;
    };
    void Watch();
    void Handle(QWidget* modal);
    void HandleMessageBox(QWidget* box);

    QTemporaryDir dir_;
    std::unique_ptr<CRavekApp> app_;
    QTimer watcher_;
    std::deque<Answer> answers_;
    std::vector<QPointer<QWidget>> handled_;
    QStringList messages_;
    QStringList unexpected_;
    AppHarness* previous_ = nullptr; // the harness that drove before this one
};

// Small structure files for the tests.
namespace Fixtures {
// Three residues (ALA GLY SER) of a peptide with hydrogens.
extern const char* const kPeptidePdb;
// A water molecule as a Gaussian input with Cartesian coordinates.
extern const char* const kWaterInput;
} // namespace Fixtures
