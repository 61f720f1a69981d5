#pragma once

#include "formats/FileFormat.h"
#include "formats/FileKind.h"
#include "formats/LogFollower.h"
#include "formats/PdbOptions.h"
#include "platform/CommandTable.h"
#include "platform/Document.h"
#include "platform/FileGrowthWatcher.h"
#include "render/MolDocState.h"

#include <QString>

#include <memory>

struct MoleculeFile;

// The document of a molecule window: the model read from one structure file,
// the display and program settings its views and the scene read, and the
// commands that open, save and analyse.
class CMolDoc : public Document, public MolDocState {
    Q_OBJECT
public:
    CMolDoc();
    ~CMolDoc() override;

    bool OnNewDocument() override;
    bool OnOpenDocument(const QString& path) override;
    bool OnCmdMsg(int id, CommandUpdate* update) override;
    QString DefaultFileName() const override { return baseName; }

    // Takes what reading path with the reader of kind gave: the model when
    // it has a geometry, and the status text either way.
    void Load(const QString& path, FileKind kind, MoleculeFile read);
    // What reading a file into the document came to.
    enum class LoadResult {
        kLoaded,     // the file's molecule is the document's now (or a begun job is watched)
        kNoMolecule, // read, but it holds no molecule: the document is as it was
        kNotOpened,  // it could not be opened: the document is as it was
        kCancelled,  // the person stopped the reading of a pipe
    };
    // Reads path with the reader of kind (a pipe on a worker thread, see
    // BackgroundOpen). A file that cannot be opened, or gives no molecule,
    // leaves the document as it was and says why in a message box; one whose
    // reader understood it (a PDB file without atoms, a damaged cube file)
    // still joins the recent files, since it was read. With
    // offerContentKind (a reader the Open dialog's filter chose), a file that
    // gives no molecule but whose content looks like another kind is offered
    // to be read as that kind first.
    LoadResult LoadPath(const QString& path, FileKind kind, bool offerContentKind = false);
    // Opens path into this new document as OnOpenDocument does, with the
    // reader of kind.
    LoadResult OpenAs(const QString& path, FileKind kind, bool offerContentKind = false);
    // The reader an Open dialog's answer asks for: the filter's (1 Gaussian,
    // 2 PDB), or the name's for All Files and for a dialog that named none.
    static FileKind KindForOpen(int filterIndex, const QString& path);

    // The stored drawing settings and reading options, as a new document
    // takes them.
    static void ReadDrawingSettings(MolDocState& state, PdbOptions& options);

    // Why the last file read gave no molecule, or what of it could not be
    // read, for the status bar; empty after a clean read and before any.
    const QString& GetLoadMessage() const { return loadMessage; }
    QString StatusMessage() const override { return loadMessage; }

    // Reads what has been added to the Gaussian output shown since it was
    // read (the watcher calls it when the file changes): new geometries are
    // added without touching the views' orientation, labels or selection,
    // and shown when following; a file that shrank or was replaced is read
    // again from its start.
    void ReadGrowth();
    // Whether a geometry added to the file is shown as it comes: on by
    // default for an output whose job has not ended.
    bool followJob = false;
    // The path watched for growth; empty when nothing is.
    const QString& WatchedPath() const { return growthWatcher_.Path(); }

    // Save As (with the dialog) and Save.
    void OnFileSaveAs();
    void OnFileSave();
    // Writes the model with the writer of a Save As filter (1 Gaussian input,
    // 2 PDB, 3 plot data, 4 by the name's extension) and remembers the path
    // as that writer's. False, after a message box, when nothing was written.
    bool SaveAs(const QString& path, int filterIndex);

    int openFilterIndex;
    int saveFilterIndex;
    int dispActivePage;
    int residueDisplayMode;
    int childMaxWnd;
    PdbOptions pdbOptions;
    QString baseName;
    QString pdbSavePath;
    QString rpdSavePath;
    QString comSavePath;
    // The model, the loaded flag and the display settings are the
    // MolDocState part.

signals:
    // A file has been read into the document by a reader that understood
    // it (whether or not it held a geometry; not a Z-matrix input).
    void fileLoaded(const QString& path);
    // The Ramachandran plot of the document was asked for.
    void plotRequested();
    // The IR spectrum of the geometry shown was asked for.
    // A spectrum window of the kind (a Spectrum::Kind).
    void spectrumRequested(int kind);
    // The chart of the optimisation steps was asked for.
    void chartRequested();
    // The reaction path window is to open on this document.
    void pathRequested();

private:
    void OnFileOpen();
    void OnPeptideStructure();
    void OnProgramSettings();
    void OnDisplaySettings();
    void BuildCommands();
    // The format a Save As filter writes path in: the filter's own, or for
    // a filter of every file the one the name's extension says; null when
    // it says none.
    static const FileFormat* WriterFor(const QString& path, int filterIndex);
    // Writes path with writer without touching the old file on failure.
    // keywords: the keyword line of a job input (see WrittenGeometry).
    bool WriteWith(FileFormat::Writer writer, const QString& path,
                   const std::string& keywords = std::string());
    // The keyword line of an ORCA input, asked for with the last one given
    // (or the default) filled in; a null string when the person cancels.
    QString AskOrcaKeywords();
    // A session file (see SessionFile): its structure file read, and what
    // the session shows of it handed to the views.
    LoadResult LoadSession(const QString& path);
    // What the document's first molecule window shows, saved as a session.
    bool SaveSession(const QString& path);
    // The folder of the file read last, where the dialogs start.
    QString Folder() const;

    CommandTable commands_;
    QString loadMessage;
    QString openedPath;
    FileKind openedKind_ = FileKind::kUnknown;
    FileGrowthWatcher growthWatcher_;
    // The reader of a Gaussian output, which reads what its job appends to
    // data; null for other files.
    std::unique_ptr<LogFollower> follower_;
};
