#pragma once

#include "platform/FileDialog.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <deque>
#include <memory>

class CMainFrame;
class CMolDoc;
class CMolView;
class CRavekApp;
class ChildFrame;

// Runs the real application in the test process against a settings store of
// its own, with scripted answers for the file dialogs and message boxes.
class AppHarness {
public:
    AppHarness();
    ~AppHarness();

    // Start-up as from the command line; false when start-up failed.
    bool Start(const QString& file = QString());
    // Leaves as File > Exit does: every owner writes its settings.
    void Exit();

    CRavekApp* App() const { return app_.get(); }
    CMainFrame* MainFrame() const;
    QList<ChildFrame*> Frames() const;
    ChildFrame* ActiveFrame() const;
    CMolDoc* ActiveDocument() const;
    CMolView* ActiveView() const;

    // Makes the index-th document window the active one.
    void MdiActivate(int index);
    // Runs a command as the menus do and lets the events it caused happen.
    void Run(int id);
    bool IsEnabled(int id);

    // Settings as stored now.
    int Stored(const char* key, int missing = -12345) const;
    void Store(const char* key, int value) const;
    QString StoredString(const char* section, const char* key) const;

    // The next file dialogs answer with these results, in order; a dialog
    // with nothing queued is cancelled. Each request is recorded.
    void QueueDialogAnswer(const QString& path, int filterIndex);
    std::deque<FileDialog::Result> dialogAnswers;
    std::vector<FileDialog::Request> dialogRequests;

    // Message boxes shown, and the answer given to questions.
    QStringList messages;
    bool answerYes = true;

    // A file in the test's own folder.
    QString Path(const QString& name) const;
    QString Write(const QString& name, const QByteArray& bytes) const;
    QByteArray Read(const QString& path) const;

private:
    QTemporaryDir dir_;
    std::unique_ptr<CRavekApp> app_;
};

// Small structure files for the tests.
namespace Fixtures {
// Three residues (ALA GLY SER) of a peptide with hydrogens.
extern const char* const kPeptidePdb;
// A water molecule as a Gaussian input with Cartesian coordinates.
extern const char* const kWaterInput;
} // namespace Fixtures
